// "Incertidumbre": a window over a copy of a calculation window's problem
// where the user draws some input fields from distributions ("Agregar"
// picks any field the problem reads; "Normal", "Lognormal", "Uniforme",
// "Triangular" with their parameters, the mean at first the field's current
// value), turns on the error of each active formula (bias and coefficient
// of variation, off at first; the pier formulas offer the figures of the
// program's own run over the shipped USGS field measurements), and sets the
// number of samples, the seed and an optional foundation depth.  The study
// runs in the core on another thread with progress and "Cancelar", as the
// sensitivity window's does, and shows three tabs: the table of the core
// (per formula and the envelope), the exceedance curves (depth against the
// probability of exceeding it, one curve per formula in the chart page's
// colours and the envelope in black, the probability optionally on a
// logarithmic scale, the foundation depth as a dashed line), and the
// inputs' influence on each formula as bars of Spearman's rank correlation.
// "Exportar..." writes the chart of the tab shown (PNG at print resolution,
// SVG, PDF) or the table (CSV); "Exportar muestras..." every sample (CSV).
// The last study also goes into the report of the calculation window while
// that window's problem is still the one studied.
#pragma once

#include <atomic>
#include <cstdint>
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
class QTabWidget;
class QTableWidget;
class QTimer;

// Columns of the table of uncertain inputs.
enum TColumnaEntrada { kColCampo, kColDistribucion, kColMedia, kColCv, kColMinimo, kColModa, kColMaximo, kColumnasEntrada };
// Columns of the table of the formulas' error; the formula's cell carries
// the check box that turns its error on.
enum TColumnaModelo { kColFormula, kColSesgo, kColCvModelo, kColumnasModelo };

// Draws the exceedance curves on `c` (cleared first): depth on x, the
// probability of exceedance on y (logarithmic when asked), a curve per
// formula in its slot's colour and the envelope in black, the legend in one
// row below, and the foundation depth as a vertical dashed line.  Returns
// the curves in the order given.  The report draws its chart with it too.
std::vector<QCPGraph*> DibujarExcedencia(QCustomPlot& c, const std::vector<TCurvaExcedencia>& curvas,
                                         const std::optional<double>& fundacion, bool logaritmica);

// The chart's title, axes and empty legend row, as the window and the report
// show them.
void PrepararGraficoExcedencia(QCustomPlot& c);

class TfrmIncertidumbre : public QWidget {
    Q_OBJECT
public:
    // `problema` is copied: the study never touches the calculation window.
    // `titulo` is the results title of the problem.
    TfrmIncertidumbre(const TProblema& problema, const QString& titulo, QWidget* padre = nullptr);
    ~TfrmIncertidumbre() override;

    QComboBox* cmbCampo;  // the fields the problem reads; the item data is the field name
    QPushButton* btnAgregar;
    QPushButton* btnQuitar;
    QTableWidget* tblEntradas;  // a row per uncertain input, the distribution a combo box
    QTableWidget* tblModelo;    // a row per active formula
    QLineEdit* edtMuestras;
    QLineEdit* edtSemilla;
    QLineEdit* edtFundacion;  // "Profundidad de fundación", m; empty for none
    QPushButton* btnCalcular;
    QPushButton* btnCancelar;
    QPushButton* btnExportar;
    QPushButton* btnExportarMuestras;
    QProgressBar* barProgreso;
    QLabel* lblEstado;  // what the study is doing, or how it ended
    // The first sample a field rejected and the first whose computation
    // faulted, each with its message; hidden when there is none.
    QLabel* lblRechazos;
    QTabWidget* pgResultados;
    QTableWidget* tblResultados;
    QCustomPlot* chrtExcedencia;
    QCheckBox* chkLogaritmica;  // the probability on a logarithmic scale
    // "Mantener d84/d50 y d90/d50 al variar d50": on when the problem has
    // d84 or d90; read when d50 is among the inputs.
    QCheckBox* chkGradacion;
    QCustomPlot* chrtInfluencia;
    // The exceedance curves: the formulas in slot order, then the envelope.
    std::vector<QCPGraph*> curvas;
    // The bars of the influence chart, one set per formula and the envelope.
    std::vector<QCPBars*> barras;
    QCPItemStraightLine* lineaFundacion = nullptr;

    // Adds a row for the field (its mean the field's value) and selects it;
    // a field already in the table is only selected.
    void AgregarCampo(const QString& campo);
    void btnAgregarClick();
    void btnQuitarClick();
    // "Calcular": reads the tables and the boxes (anything they reject is
    // shown in a message naming it) and starts the study.
    void btnCalcularClick();
    void btnCancelarClick();
    bool Calculando() const { return calculando_; }

    // The problem studied, the options of the study shown and the study (none
    // before the first has ended).
    const TProblema& Problema() const { return problema_; }
    // The problem of the study shown (the window's problem may have been
    // replaced since).
    const TProblema& ProblemaEstudiado() const { return problemaEstudio_; }
    // The calculation window's problem after its "Calcular": the next study
    // is of it, and a study shown of an earlier problem says so.
    void FijarProblema(const TProblema& problema, const QString& titulo);
    // The set-up as the cells and boxes hold it, for the problem's file;
    // and a set-up put back into them (inputs of fields the problem does not
    // read, and formulas it does not have, are left out).
    TIncertidumbreArchivo Ajuste() const;
    void AplicarAjuste(const TIncertidumbreArchivo& a);
    const TOpcionesIncertidumbre& Opciones() const { return opciones_; }
    const std::optional<TEstudioIncertidumbre>& Estudio() const { return estudio_; }
    // Increases with every study shown, across windows: the report takes the latest.
    std::uint64_t Orden() const { return orden_; }

    // The report's page of the study shown; none before one.
    std::optional<TReporteIncertidumbre> Reporte(std::string fecha) const;

    // Writes the chart of the tab shown (PNG as the chart page writes it,
    // SVG, PDF) or the table (CSV): `extension` names the format, or the
    // file's own extension does when it is empty.  False when nothing is
    // shown or the file was not written.
    bool Exportar(const QString& ruta, QString extension = {});
    // Every sample, as CSV.
    bool ExportarMuestras(const QString& ruta);
    void btnExportarClick();
    void btnExportarMuestrasClick();

signals:
    // A study has ended (done, cancelled or refused) and is shown.
    void Terminado();
    // The window is closing, with its set-up.
    void Cerrando(const TIncertidumbreArchivo& ajuste);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    // The options as the tables and boxes give them, or the message for
    // the user.
    std::optional<QString> LeerOpciones(TOpcionesIncertidumbre& o) const;
    void DistribucionElegida(int fila);
    void Avance(std::size_t hechas, std::size_t total);
    void Mostrar(TOpcionesIncertidumbre o, TEstudioIncertidumbre e, std::vector<std::vector<TInfluencia>> influencias,
                 std::vector<TCurvaExcedencia> curvasExcedencia);
    void DibujarInfluencia();
    void Llenar();

    TProblema problema_;
    QString titulo_;             // results title of the problem
    TProblema problemaCalculo_;  // of the study running
    TProblema problemaEstudio_;  // of the study shown
    TOpcionesIncertidumbre opciones_;
    std::optional<TEstudioIncertidumbre> estudio_;
    std::vector<std::vector<TInfluencia>> influencias_;
    std::vector<TCurvaExcedencia> curvasExcedencia_;
    std::uint64_t orden_ = 0;
    bool calculando_ = false;
    std::atomic<bool> cancelar_{false};
    std::jthread hilo_;
    QTimer* demora_;  // shows the progress once the study takes longer than a moment
};

// The "Incertidumbre" window owned by `duenio` (a calculation window) whose
// study is the latest of `problema`; none when there is no such study.
const TfrmIncertidumbre* UltimoEstudio(const QWidget& duenio, const TProblema& problema);
