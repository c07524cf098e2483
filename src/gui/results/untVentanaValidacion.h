// "Validación de las fórmulas": the formulas against measured scour.  The
// user picks one of the shipped data sets (or opens a validation file of
// their own with "Abrir..."); the window shows, per formula, the rows used,
// the bias, the median ratio, the coefficient of variation, the share
// under-predicted and the 95th percentile of measured / predicted, and a
// log-log chart of measured against predicted depth (one colour per formula
// as on the chart page, the 1:1 line and the factor-2 lines; the point under
// the mouse named by its site and date).  The computation runs in the core
// on another thread.  "Exportar..." writes the chart (PNG, SVG, PDF) or the
// rows (CSV or an Excel workbook).
#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <QWidget>

#include <qcustomplot.h>

#include "turmado.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

class TfrmValidacion : public QWidget {
    Q_OBJECT
public:
    explicit TfrmValidacion(QWidget* padre = nullptr);
    ~TfrmValidacion() override;

    QComboBox* cmbConjunto;  // the shipped data sets, then the files opened
    QPushButton* btnAbrir;
    QPushButton* btnExportar;
    QLabel* lblEstado;  // what is being computed, or what the file held
    QTableWidget* tblValidacion;
    QCustomPlot* chrtValidacion;
    QLabel* lblPunto;  // the point under the mouse
    // The points of each formula, in the order of the validation's formulas.
    std::vector<QCPGraph*> nubes;

    bool Calculando() const { return calculando_; }
    const std::optional<TValidacion>& Validacion() const { return validacion_; }

    // Validates a file of the user's (added to the list and chosen); a file
    // that cannot be read is shown in a message.
    void AbrirArchivo(const QString& ruta);
    void btnAbrirClick();
    // Writes the chart as shown (PNG, SVG, PDF) or the rows (CSV, xlsx) by
    // `extension`, or by the file's own extension when it is empty.
    bool Exportar(const QString& ruta, QString extension = {});
    void btnExportarClick();
    // Names the point nearest to the pixel `pos` of the chart (within a few
    // pixels), or clears the name.
    void NombrarPunto(const QPoint& pos);

signals:
    // A validation has ended and is shown.
    void Terminado();

private:
    void Elegido(int indice);
    void Calcular(std::string datos, QString nombre);
    void Mostrar(TValidacion v, QString nombre);
    void Dibujar();
    void Llenar();

    std::optional<TValidacion> validacion_;
    QString nombre_;
    // Row of the validation behind each point of each formula's graph.
    std::vector<std::vector<std::size_t>> filasDePuntos_;
    std::vector<QString> archivos_;  // the files opened, after the shipped sets in the list
    bool calculando_ = false;
    int pendiente_ = -1;  // a set chosen while another was being computed
    std::atomic<bool> cancelar_{false};
    std::jthread hilo_;
};
