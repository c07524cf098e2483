// "Sensibilidad": a window over a copy of a calculation window's problem
// where the user picks one input field, a range "Desde"/"Hasta" (at first
// half and one and a half times the field's value), a number of points and
// linear or logarithmic spacing, and sees each active formula's equilibrium
// scour depth over the range: a chart with one curve per formula in the
// colours of the chart page (the field's current value as a vertical line,
// points outside a formula's calibration range hollow, outside both ranges
// also dashed, gaps where a point has no result, a point of another
// problem type among them) and a table with one numbered row per point (a
// gap's message in its row, the point's data warnings in the last column);
// above the chart, one line per data warning with the points it applies
// to.  The study runs in the core on another thread; the window shows its
// progress when it takes more than a moment, and "Cancelar" stops it.
// "Exportar..." writes the chart (PNG at print resolution, SVG, PDF) or the
// table (CSV, full precision, or an Excel workbook), suggesting the problem's title and the date
// as the file's name.
#pragma once

#include <atomic>
#include <optional>
#include <thread>
#include <vector>

#include <QWidget>

#include <qcustomplot.h>

#include "turmado.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTimer;

class TfrmSensibilidad : public QWidget {
    Q_OBJECT
public:
    // `problema` is copied: the study never touches the calculation window.
    // `titulo` is the results title of the problem.
    TfrmSensibilidad(const TProblema& problema, const QString& titulo, QWidget* padre = nullptr);
    ~TfrmSensibilidad() override;

    QComboBox* cmbCampo;  // the fields the problem reads; the item data is the field name
    QLineEdit* edtDesde;
    QLineEdit* edtHasta;
    QLineEdit* edtPuntos;
    QCheckBox* chkLogaritmica;  // "Escala logarítmica"
    // "Mantener d84/d50 al variar d50": on when the problem has d84 or d90;
    // read only when the field swept is d50.
    QCheckBox* chkGradacion;
    QPushButton* btnCalcular;
    QPushButton* btnCancelar;
    QPushButton* btnExportar;
    QProgressBar* barProgreso;
    QLabel* lblEstado;  // what the study is doing, or how it ended
    QLabel* lblAvisos;  // the study's data warnings, one a line; hidden when there is none
    QCustomPlot* chrtSensibilidad;
    QTableWidget* tblSensibilidad;
    // The solid line of each formula, in slot order: the legend's entries.
    std::vector<QCPGraph*> curvas;
    QCPItemStraightLine* lineaActual = nullptr;  // the field's current value

    // "Calcular": reads the boxes (a range the core refuses is shown in a
    // message) and starts the study.
    void btnCalcularClick();
    void btnCancelarClick();
    bool Calculando() const { return calculando_; }
    // The study shown (none before the first has ended).
    const std::optional<TEstudio>& Estudio() const { return estudio_; }
    const TProblema& Problema() const { return problema_; }
    // The calculation window's problem after its "Calcular": the next study
    // is of it, and a study shown of an earlier problem says so.
    void FijarProblema(const TProblema& problema, const QString& titulo);

    // Writes the chart as shown (PNG as the chart page writes it: kPngImpresion,
    // everything scaled up from the screen; SVG, PDF) or the table (CSV or
    // the same table as a workbook):
    // `extension` names the format, or the file's own extension does when
    // it is empty.  False when nothing is shown or the file was not written.
    bool Exportar(const QString& ruta, QString extension = {});
    // "Exportar...": a file dialog suggesting NombreSugeridoGrafico of the
    // problem's title, then Exportar; a failure is shown in a message.
    void btnExportarClick();

signals:
    // A study has ended (done or cancelled) and is shown.
    void Terminado();

private:
    void CampoElegido();
    void Avance(int hechos, int total);
    void Mostrar(const TBarrido& b, TEstudio e);
    void Dibujar();
    void Llenar();
    // The state line, with a note when the study shown is of an earlier problem.
    void Estado(const QString& texto);

    TProblema problema_;
    QString titulo_;  // results title of the problem
    TProblema problemaCalculo_;   // of the study running
    TProblema problemaEstudio_;   // of the study shown
    std::optional<TBarrido> barrido_;
    std::optional<TEstudio> estudio_;
    bool calculando_ = false;
    std::atomic<bool> cancelar_{false};
    std::jthread hilo_;
    QTimer* demora_;  // shows the progress once the study takes longer than a moment
};
