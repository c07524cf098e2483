#include "results/untPaginaGrafico.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "comun/untExportar.h"
#include "comun/untMensajes.h"
#include "turmado.h"

QColor ColorDeRanura(int k) {
    static const QColor colores[4] = {QColor(255, 0, 0), QColor(0, 128, 0), QColor(64, 0, 64), QColor(0, 0, 255)};
    return colores[k - 1];
}

namespace {

// Formats of "Exportar...": filter of the file dialog and extension.
const TFormatoExportar kFormatos[] = {
    {"Imagen PNG (*.png)", "png"},
    {"Imagen SVG (*.svg)", "svg"},
    {"Documento PDF (*.pdf)", "pdf"},
    {"Curvas CSV (*.csv)", "csv"},
    kFormatoLibro,
};

// Headroom above the highest depth, so that the flat end of a curve does not
// run along the frame.
constexpr double kMargenErosion = 1.05;
// Half width (pixels) of the strip around the mouse searched for the nearest point.
constexpr double kRadioLectura = 24;
constexpr int kBordeLectura = 3;
// Text colour of the legend entry of a hidden curve.
const QColor kGrisOculta(160, 160, 160);

QString Texto(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

TPaginaGrafico::TPaginaGrafico(const TGrafico& modelo, QWidget* padre) : QWidget(padre), modelo_(modelo) {
    setObjectName("tbshGrafico");
    chrtGrafico = new QCustomPlot(this);
    chrtGrafico->setObjectName("chrtGrafico");
    chrtGrafico->setMouseTracking(true);
    chrtGrafico->installEventFilter(this);

    chrtGrafico->plotLayout()->insertRow(0);
    QFont fuenteTitulo = chrtGrafico->font();
    fuenteTitulo.setBold(true);
    titulo = new QCPTextElement(chrtGrafico, "Erosión instantánea en el tiempo", fuenteTitulo);
    chrtGrafico->plotLayout()->addElement(0, 0, titulo);

    ejeTiempo = chrtGrafico->xAxis;
    ejeErosion = chrtGrafico->yAxis;
    ejeTiempo->setLabel("tiempo (hs)");
    ejeErosion->setLabel("erosión (m)");
    for (QCPAxis* eje : {ejeTiempo, ejeErosion}) eje->setNumberFormat("gb");  // "5000", not "5000.0"

    // The legend lists the series by title in one row under the plotting
    // area, where it hides no curve and no equilibrium line.
    QCPLegend* leyenda = chrtGrafico->legend;
    leyenda->setVisible(true);
    chrtGrafico->axisRect()->insetLayout()->take(leyenda);
    chrtGrafico->axisRect()->insetLayout()->simplify();
    // Centred: empty elements at both sides take the spare width.
    auto* filaLeyenda = new QCPLayoutGrid;
    chrtGrafico->plotLayout()->addElement(2, 0, filaLeyenda);
    chrtGrafico->plotLayout()->setRowStretchFactor(2, 0.001);
    filaLeyenda->addElement(0, 0, new QCPLayoutElement(chrtGrafico));
    filaLeyenda->addElement(0, 1, leyenda);
    filaLeyenda->addElement(0, 2, new QCPLayoutElement(chrtGrafico));
    filaLeyenda->setColumnStretchFactors({1, 0.001, 1});
    leyenda->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    leyenda->setBorderPen(Qt::NoPen);
    leyenda->setMargins(QMargins(4, 0, 4, 2));
    leyenda->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);

    const TGrafico vacio;
    for (int k = 0; k < 4; ++k) {
        QCPGraph* g = chrtGrafico->addGraph();
        g->setObjectName(QString("sr%1").arg(k + 1));
        g->setName(Texto(vacio.series[k].titulo));
        QPen pluma(ColorDeRanura(k + 1));
        pluma.setWidthF(1.5);
        g->setPen(pluma);
        g->setLineStyle(QCPGraph::lsLine);
        g->setScatterStyle(QCPScatterStyle::ssNone);
        series[k] = g;
        completos_[k] = QSharedPointer<QCPGraphDataContainer>::create();
        g->setData(completos_[k]);
    }

    // Dragging zooms a rectangle; a double click shows the whole data again.
    chrtGrafico->setSelectionRectMode(QCP::srmZoom);
    chrtGrafico->setNoAntialiasingOnDrag(true);
    connect(chrtGrafico, &QCustomPlot::mouseMove, this,
            [this](QMouseEvent* e) { MostrarLectura(e->position()); });
    connect(chrtGrafico, &QCustomPlot::mouseDoubleClick, this, [this](QMouseEvent*) {
        AjustarEjes();
        chrtGrafico->replot();
    });
    // A click on a legend entry: pressed and released on the same entry.
    // (The chart's own legend signal stays silent while dragging zooms.)
    connect(chrtGrafico, &QCustomPlot::mousePress, this, [this](QMouseEvent* e) {
        pulsada_ = e->button() == Qt::LeftButton ? SerieEnLeyenda(e->position()) : -1;
    });
    connect(chrtGrafico, &QCustomPlot::mouseRelease, this, [this](QMouseEvent* e) {
        const int k = std::exchange(pulsada_, -1);
        if (k >= 0 && e->button() == Qt::LeftButton && SerieEnLeyenda(e->position()) == k) AlternarSerie(k);
    });

    lblLectura = new QLabel(this);
    lblLectura->setObjectName("lblLectura");
    lblLectura->setFixedHeight(lblLectura->fontMetrics().height() + 2);
    chkTiempoLog = new QCheckBox("Tiempo en escala logarítmica", this);
    chkTiempoLog->setObjectName("chkTiempoLog");
    connect(chkTiempoLog, &QCheckBox::toggled, this, &TPaginaGrafico::EscalaLogaritmica);
    btnExportar = new QPushButton("Exportar...", this);
    btnExportar->setObjectName("btnExportar");
    connect(btnExportar, &QPushButton::clicked, this, &TPaginaGrafico::btnExportarClick);

    lblSinCurvas = new QLabel(this);
    lblSinCurvas->setObjectName("lblSinCurvas");
    lblSinCurvas->setWordWrap(true);
    lblSinCurvas->setAlignment(Qt::AlignCenter);
    lblSinCurvas->setMargin(24);
    lblSinCurvas->hide();

    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(2, 2, 2, 2);
    capa->setSpacing(2);
    capa->addWidget(chrtGrafico, 1);
    capa->addWidget(lblSinCurvas, 1);
    capa->addWidget(lblLectura);
    auto* abajo = new QHBoxLayout;
    abajo->addWidget(chkTiempoLog);
    abajo->addStretch(1);
    abajo->addWidget(btnExportar);
    capa->addLayout(abajo);

    Refrescar();
}

void TPaginaGrafico::FijarSinCurvas(const QString& texto) {
    lblSinCurvas->setText(texto);
    lblSinCurvas->setVisible(!texto.isEmpty());
    chrtGrafico->setVisible(texto.isEmpty());
}

void TPaginaGrafico::Refrescar() {
    for (int k = 0; k < 4; ++k) {
        const TSerie& serie = modelo_.series[k];
        QVector<QCPGraphData> datos;
        datos.reserve(qsizetype(serie.puntos.size()));
        for (const TPunto& p : serie.puntos) datos.append(QCPGraphData(p.x, p.y));
        // Each "Calcular" appends one curve in ascending time, and the graph
        // wants the whole series in ascending time: merging the curves one
        // after the other costs far less than sorting the lot.
        const auto menor = [](const QCPGraphData& a, const QCPGraphData& b) { return a.key < b.key; };
        for (auto tramo = datos.begin(); tramo != datos.end();) {
            const auto fin = std::is_sorted_until(tramo, datos.end(), menor);
            std::inplace_merge(datos.begin(), tramo, fin, menor);
            tramo = fin;
        }
        completos_[k]->set(datos, true);
        series[k]->setName(Texto(serie.titulo));
        series[k]->setVisible(true);
        ocultas_[k] = false;
    }
    EntregarDatos();
    TrazarEquilibrios();
    PonerLeyenda();
    lblLectura->clear();
    AjustarEjes();
    chrtGrafico->replot(QCustomPlot::rpQueuedReplot);
}

void TPaginaGrafico::PonerLeyenda() {
    // Rebuilt in series order, so that an entry that comes back keeps its place.
    chrtGrafico->legend->clearItems();
    for (int k = 0; k < 4; ++k) {
        if (!EnLeyenda(modelo_.series[k])) continue;
        series[k]->addToLegend();
        chrtGrafico->legend->itemWithPlottable(series[k])->setTextColor(ocultas_[k] ? kGrisOculta : Qt::black);
    }
}

int TPaginaGrafico::SerieEnLeyenda(const QPointF& pixel) const {
    for (int k = 0; k < 4; ++k) {
        const QCPPlottableLegendItem* entrada = chrtGrafico->legend->itemWithPlottable(series[k]);
        if (entrada && entrada->rect().contains(pixel.toPoint())) return k;
    }
    return -1;
}

void TPaginaGrafico::AlternarSerie(int k) {
    ocultas_[k] = !ocultas_[k];
    series[k]->setVisible(!ocultas_[k]);
    for (QCPItemStraightLine* l : equilibrios)
        if (l->objectName() == QString("equilibrio%1").arg(k + 1)) l->setVisible(!ocultas_[k]);
    if (QCPPlottableLegendItem* entrada = chrtGrafico->legend->itemWithPlottable(series[k]))
        entrada->setTextColor(ocultas_[k] ? kGrisOculta : Qt::black);
    lblLectura->clear();
    AjustarEjes();
    chrtGrafico->replot();
}

void TPaginaGrafico::EntregarDatos() {
    const bool log = ejeTiempo->scaleType() == QCPAxis::stLogarithmic;
    for (int k = 0; k < 4; ++k) {
        if (!log) {
            series[k]->setData(completos_[k]);
            continue;
        }
        const QCPGraphDataContainer& todos = *completos_[k];
        auto positivos = QSharedPointer<QCPGraphDataContainer>::create();
        const auto desde = std::upper_bound(todos.constBegin(), todos.constEnd(), 0.0,
                                            [](double t, const QCPGraphData& d) { return t < d.key; });
        positivos->set(QVector<QCPGraphData>(desde, todos.constEnd()), true);
        series[k]->setData(positivos);
    }
}

void TPaginaGrafico::TrazarEquilibrios() {
    for (QCPItemStraightLine* l : equilibrios) chrtGrafico->removeItem(l);
    equilibrios.clear();
    for (int k = 0; k < 4; ++k) {
        std::vector<double> ye = modelo_.series[k].equilibrios;
        std::sort(ye.begin(), ye.end());
        ye.erase(std::unique(ye.begin(), ye.end()), ye.end());
        for (double y : ye) {
            auto* l = new QCPItemStraightLine(chrtGrafico);
            l->setObjectName(QString("equilibrio%1").arg(k + 1));
            l->setPen(QPen(ColorDeRanura(k + 1), 1, Qt::DashLine));
            l->setSelectable(false);
            // Two points of the horizontal line at depth y; both times are
            // positive so that the log axis places them too.
            l->point1->setCoords(1, y);
            l->point2->setCoords(2, y);
            l->setVisible(!ocultas_[k]);
            equilibrios.push_back(l);
        }
    }
}

void TPaginaGrafico::AjustarEjes() {
    const bool log = ejeTiempo->scaleType() == QCPAxis::stLogarithmic;
    bool hay = false;
    QCPRange tiempos;
    double maxErosion = 0;
    for (QCPGraph* g : series) {
        if (!g->visible()) continue;
        bool encontrado = false;
        const QCPRange r = g->getKeyRange(encontrado, log ? QCP::sdPositive : QCP::sdBoth);
        if (encontrado) {
            tiempos = hay ? QCPRange(std::min(tiempos.lower, r.lower), std::max(tiempos.upper, r.upper)) : r;
            hay = true;
        }
        const QCPRange v = g->getValueRange(encontrado);
        if (encontrado) maxErosion = std::max(maxErosion, v.upper);
    }
    for (const QCPItemStraightLine* l : equilibrios)
        if (l->visible()) maxErosion = std::max(maxErosion, l->point1->coords().y());

    if (log) {
        if (!hay) tiempos = QCPRange(1, 10);
        if (!(tiempos.upper > tiempos.lower)) tiempos = QCPRange(tiempos.lower / 10, tiempos.lower * 10);
        ejeTiempo->setRange(tiempos);
    } else {
        ejeTiempo->setRange(0, hay && tiempos.upper > 0 ? tiempos.upper : 1);
    }
    ejeErosion->setRange(0, maxErosion > 0 ? maxErosion * kMargenErosion : 1);
}

void TPaginaGrafico::EscalaLogaritmica(bool log) {
    if (chkTiempoLog->isChecked() != log) chkTiempoLog->setChecked(log);  // runs this again
    const QCPAxis::ScaleType escala = log ? QCPAxis::stLogarithmic : QCPAxis::stLinear;
    if (ejeTiempo->scaleType() == escala) return;
    ejeTiempo->setScaleType(escala);
    ejeTiempo->setTicker(log ? QSharedPointer<QCPAxisTicker>(new QCPAxisTickerLog)
                             : QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
    EntregarDatos();
    lblLectura->clear();
    AjustarEjes();
    chrtGrafico->replot();
}

void TPaginaGrafico::MostrarLectura(const QPointF& pixel) {
    // The plotting area and a few pixels around it, where the points at the
    // ends of the axes lie.
    const QRect area = chrtGrafico->axisRect()->rect().adjusted(-kBordeLectura, -kBordeLectura, kBordeLectura,
                                                                 kBordeLectura);
    if (!area.contains(pixel.toPoint())) {
        lblLectura->clear();
        return;
    }
    double t1 = ejeTiempo->pixelToCoord(pixel.x() - kRadioLectura);
    double t2 = ejeTiempo->pixelToCoord(pixel.x() + kRadioLectura);
    if (t1 > t2) std::swap(t1, t2);
    double mejor = std::numeric_limits<double>::infinity();
    const QCPGraph* curva = nullptr;
    QCPGraphData punto;
    for (const QCPGraph* g : series) {
        if (!g->visible()) continue;
        // The points in a strip around the mouse, and the nearest one on
        // each side of it when the strip holds none.
        const QCPGraphDataContainer& datos = *g->data();
        for (auto it = datos.findBegin(t1, true), fin = datos.findEnd(t2, true); it != fin; ++it) {
            const double dx = ejeTiempo->coordToPixel(it->key) - pixel.x();
            const double dy = ejeErosion->coordToPixel(it->value) - pixel.y();
            if (dx * dx + dy * dy < mejor) {
                mejor = dx * dx + dy * dy;
                curva = g;
                punto = *it;
            }
        }
    }
    if (!curva) {
        lblLectura->clear();
        return;
    }
    lblLectura->setText(Texto(TextoLectura(curva->name().toStdString(), punto.key, punto.value)));
}

bool TPaginaGrafico::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == chrtGrafico && evento->type() == QEvent::Leave) lblLectura->clear();
    return QWidget::eventFilter(objeto, evento);
}

bool TPaginaGrafico::Exportar(const QString& ruta, QString extension) {
    if (extension.isEmpty()) extension = QFileInfo(ruta).suffix().toLower();
    return ExportarGrafico(*chrtGrafico, ruta, extension, titulo->text(), [this] { return CsvGrafico(modelo_); },
                           kPngImpresion, {{"Problema", tituloProblema_.toStdString()}});
}

QString TPaginaGrafico::NombreSugerido() const { return NombreSugeridoGrafico(tituloProblema_); }

void TPaginaGrafico::btnExportarClick() {
    const auto archivo = ElegirArchivoExportar(this, "Exportar gráfico", kFormatos, NombreSugerido());
    if (!archivo) return;
    if (!Exportar(archivo->ruta, archivo->extension))
        MostrarMensaje(this, QString("No se pudo exportar el gráfico a \"%1\".").arg(archivo->ruta));
}
