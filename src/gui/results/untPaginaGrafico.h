// "Grafico": the chart "Erosión instantánea en el tiempo" with the four
// series of the formula slots, drawn from the window's chart model.  A click
// on a legend entry hides or shows that curve.  Under the chart: the readout
// of the point nearest to the mouse, the switch to a logarithmic time axis
// and "Exportar..." (PNG, SVG, PDF, CSV or an Excel workbook).
#pragma once

#include <array>
#include <vector>

#include <QSharedPointer>
#include <QVector>
#include <QWidget>

#include <qcustomplot.h>

#include "comun/untExportar.h"

struct TGrafico;
class QCheckBox;
class QLabel;
class QPushButton;

// The colour of the curves of formula slot k (1 to 4): red, green, dark
// purple, blue.
QColor ColorDeRanura(int k);

class TPaginaGrafico : public QWidget {
    Q_OBJECT
public:
    // `modelo` is the window's chart model; it outlives the page.
    explicit TPaginaGrafico(const TGrafico& modelo, QWidget* padre = nullptr);

    QCustomPlot* chrtGrafico;
    QCPTextElement* titulo;
    std::array<QCPGraph*, 4> series;  // sr1 .. sr4
    QCPAxis* ejeTiempo;
    QCPAxis* ejeErosion;
    // Thin dashed lines at the equilibrium depths of the drawn curves, in
    // their series' colours; not in the legend.
    std::vector<QCPItemStraightLine*> equilibrios;
    QLabel* lblLectura;         // readout of the point under the mouse
    QLabel* lblSinCurvas;       // in place of the chart: why there is no curve
    QCheckBox* chkTiempoLog;    // "Tiempo en escala logarítmica"
    QPushButton* btnExportar;   // "Exportar..."

    // Hands each series of the model over in one call, with its title and
    // the equilibrium lines, shows every curve again, lists in the legend
    // the series that belong there, fits both axes to the data and replots.
    void Refrescar();

    // Why the problem computed has no curve (the core's TextoSinCurvas),
    // shown in place of the chart; empty: the chart.
    void FijarSinCurvas(const QString& texto);

    // The title of the problem computed, for the name "Exportar..." suggests.
    void FijarTituloProblema(const QString& titulo) { tituloProblema_ = titulo; }
    // "<title> <date>", the name without extension that "Exportar..." suggests.
    QString NombreSugerido() const;

    // A click on the legend entry of series k (0..3): hides the curve and
    // its equilibrium lines, or shows them again, greys the entry while
    // hidden, and fits both axes to the curves shown.
    void AlternarSerie(int k);
    bool SerieOculta(int k) const { return ocultas_[k]; }

    // Linear time axis from 0, or logarithmic time axis without the points
    // at t <= 0; the axes are fitted to the data again.
    void EscalaLogaritmica(bool log);

    // The readout for a mouse position over the chart (widget pixels): the
    // point nearest to it, in pixels, among the points of the curves shown.
    void MostrarLectura(const QPointF& pixel);

    // Both axes back to the whole data of the curves shown: from 0 (or from
    // the first positive time on the log axis) to the largest time and depth.
    void AjustarEjes();

    // Writes the chart as shown (PNG, SVG, PDF) or the model's curves (CSV,
    // or the same table as a workbook): `extension` ("png", "svg", "pdf",
    // "csv", "xlsx") names the format, or the
    // file's own extension does when it is empty.  PNG at print resolution:
    // kAnchoPng pixels wide, everything scaled up from the screen, 300 dpi;
    // SVG and PDF as vectors.  False when the file could not be written or
    // the format is none of those.
    static constexpr int kAnchoPng = kPngImpresion.ancho;
    bool Exportar(const QString& ruta, QString extension = {});
    // "Exportar...": a file dialog for the format and the name (suggested:
    // NombreSugerido), then Exportar
    // in the format of the name's extension, or of the chosen filter when the
    // extension is none of the four; a failure is shown in a message.
    void btnExportarClick();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void EntregarDatos();
    void TrazarEquilibrios();
    void PonerLeyenda();
    // The series whose legend entry lies under a pixel of the chart, or -1.
    int SerieEnLeyenda(const QPointF& pixel) const;

    const TGrafico& modelo_;
    // The model's points of each series, as handed over; the log view shows
    // a copy without the points at t <= 0.
    std::array<QSharedPointer<QCPGraphDataContainer>, 4> completos_;
    // Curves hidden from the legend, until the next refresh.
    std::array<bool, 4> ocultas_{};
    int pulsada_ = -1;  // series whose legend entry the left button went down on
    QString tituloProblema_;
};
