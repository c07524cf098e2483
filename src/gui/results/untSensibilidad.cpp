#include "results/untSensibilidad.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "comun/untExportar.h"
#include "comun/untMensajes.h"
#include "comun/untPantalla.h"
#include "comun/untTexto.h"
#include "turmado.h"
#include "results/untPaginaGrafico.h"

namespace {

// A study that ends within this time shows no progress.
constexpr int kDemoraProgreso = 300;  // ms
constexpr double kMargenErosion = 1.05;
constexpr double kMargenEjeX = 0.02;  // of the range, each side
constexpr const char* kPuntosPorDefecto = "50";

const TFormatoExportar kFormatos[] = {
    {"Imagen PNG (*.png)", "png"},
    {"Imagen SVG (*.svg)", "svg"},
    {"Documento PDF (*.pdf)", "pdf"},
    {"Tabla CSV (*.csv)", "csv"},
    kFormatoLibro,
};

QString Texto(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

bool FueraDeAmbos(TEstadoRango e) { return e == TEstadoRango::Fuera; }
bool FueraDeCalibracion(TEstadoRango e) { return e == TEstadoRango::Validacion || e == TEstadoRango::Fuera; }

}  // namespace

TfrmSensibilidad::TfrmSensibilidad(const TProblema& problema, const QString& titulo, QWidget* padre)
    : QWidget(padre, Qt::Window), problema_(problema), titulo_(titulo) {
    setObjectName("frmSensibilidad");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Sensibilidad - " + titulo);
    DentroDeLaPantalla(this, QSize(900, 720));

    cmbCampo = new QComboBox(this);
    cmbCampo->setObjectName("cmbCampo");
    for (std::string_view nombre : CamposDelProblema(problema_)) {
        const TCampo* c = BuscarCampo(nombre);
        cmbCampo->addItem(Texto(EtiquetaCampo(*c, problema_.codigo)) + " " + Texto(c->unidad) + " (" + Texto(nombre) + ")",
                          Texto(nombre));
    }
    edtDesde = new QLineEdit(this);
    edtDesde->setObjectName("edtDesde");
    edtHasta = new QLineEdit(this);
    edtHasta->setObjectName("edtHasta");
    edtPuntos = new QLineEdit(kPuntosPorDefecto, this);
    edtPuntos->setObjectName("edtPuntos");
    chkLogaritmica = new QCheckBox("Escala logarítmica", this);
    chkLogaritmica->setObjectName("chkLogaritmica");
    chkGradacion = new QCheckBox("Mantener d84/d50 y d90/d50 al variar d50", this);
    chkGradacion->setObjectName("chkGradacion");
    chkGradacion->setChecked(GradacionFija(problema_, std::nullopt));
    chkGradacion->setEnabled(!RazonesGranos(problema_).empty());
    btnCalcular = new QPushButton("Calcular", this);
    btnCalcular->setObjectName("btnCalcular");
    btnCalcular->setDefault(true);
    btnCancelar = new QPushButton("Cancelar", this);
    btnCancelar->setObjectName("btnCancelar");
    btnCancelar->setEnabled(false);
    btnExportar = new QPushButton("Exportar...", this);
    btnExportar->setObjectName("btnExportar");
    btnExportar->setEnabled(false);
    barProgreso = new QProgressBar(this);
    barProgreso->setObjectName("barProgreso");
    barProgreso->hide();
    lblEstado = new QLabel(this);
    lblEstado->setObjectName("lblEstado");
    lblAvisos = new QLabel(this);
    lblAvisos->setObjectName("lblAvisos");
    lblAvisos->setWordWrap(true);
    lblAvisos->setTextFormat(Qt::PlainText);
    lblAvisos->hide();

    auto* datos = new QGridLayout;
    datos->addWidget(new QLabel("Campo", this), 0, 0);
    datos->addWidget(cmbCampo, 0, 1, 1, 5);
    datos->addWidget(new QLabel("Desde", this), 1, 0);
    datos->addWidget(edtDesde, 1, 1);
    datos->addWidget(new QLabel("Hasta", this), 1, 2);
    datos->addWidget(edtHasta, 1, 3);
    datos->addWidget(new QLabel("Puntos", this), 1, 4);
    datos->addWidget(edtPuntos, 1, 5);
    datos->addWidget(chkLogaritmica, 2, 1, 1, 2);
    datos->addWidget(chkGradacion, 2, 3, 1, 3);
    auto* botones = new QHBoxLayout;
    botones->addWidget(btnCalcular);
    botones->addWidget(btnCancelar);
    botones->addWidget(barProgreso, 1);
    botones->addWidget(lblEstado, 1);
    botones->addWidget(btnExportar);

    chrtSensibilidad = new QCustomPlot(this);
    chrtSensibilidad->setObjectName("chrtSensibilidad");
    chrtSensibilidad->setMinimumHeight(300);
    chrtSensibilidad->plotLayout()->insertRow(0);
    QFont fuenteTitulo = chrtSensibilidad->font();
    fuenteTitulo.setBold(true);
    chrtSensibilidad->plotLayout()->addElement(
        0, 0, new QCPTextElement(chrtSensibilidad, "Erosión máxima de equilibrio", fuenteTitulo));
    chrtSensibilidad->yAxis->setLabel("erosión (m)");
    for (QCPAxis* eje : {chrtSensibilidad->xAxis, chrtSensibilidad->yAxis}) eje->setNumberFormat("gb");
    // The legend in one row under the plotting area, as on the chart page,
    // where it hides no curve; shown once there are curves.
    QCPLegend* leyenda = chrtSensibilidad->legend;
    leyenda->setVisible(false);
    chrtSensibilidad->axisRect()->insetLayout()->take(leyenda);
    chrtSensibilidad->axisRect()->insetLayout()->simplify();
    auto* filaLeyenda = new QCPLayoutGrid;
    chrtSensibilidad->plotLayout()->addElement(2, 0, filaLeyenda);
    chrtSensibilidad->plotLayout()->setRowStretchFactor(2, 0.001);
    filaLeyenda->addElement(0, 0, new QCPLayoutElement(chrtSensibilidad));
    filaLeyenda->addElement(0, 1, leyenda);
    filaLeyenda->addElement(0, 2, new QCPLayoutElement(chrtSensibilidad));
    filaLeyenda->setColumnStretchFactors({1, 0.001, 1});
    leyenda->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    leyenda->setBorderPen(Qt::NoPen);
    leyenda->setMargins(QMargins(4, 0, 4, 2));

    tblSensibilidad = new QTableWidget(this);
    tblSensibilidad->setObjectName("tblSensibilidad");
    tblSensibilidad->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The rows numbered: the warnings above the chart name points by number.
    tblSensibilidad->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* division = new QSplitter(Qt::Vertical, this);
    division->addWidget(chrtSensibilidad);
    division->addWidget(tblSensibilidad);
    division->setStretchFactor(0, 3);
    division->setStretchFactor(1, 2);

    auto* todo = new QVBoxLayout(this);
    todo->addLayout(datos);
    todo->addLayout(botones);
    todo->addWidget(lblAvisos);
    todo->addWidget(division, 1);

    demora_ = new QTimer(this);
    demora_->setSingleShot(true);
    demora_->setInterval(kDemoraProgreso);
    connect(demora_, &QTimer::timeout, this, [this] {
        if (calculando_) barProgreso->show();
    });

    connect(cmbCampo, &QComboBox::currentIndexChanged, this, &TfrmSensibilidad::CampoElegido);
    connect(btnCalcular, &QPushButton::clicked, this, &TfrmSensibilidad::btnCalcularClick);
    connect(btnCancelar, &QPushButton::clicked, this, &TfrmSensibilidad::btnCancelarClick);
    connect(btnExportar, &QPushButton::clicked, this, &TfrmSensibilidad::btnExportarClick);

    const int caudal = cmbCampo->findData("FlujCaud");
    cmbCampo->setCurrentIndex(caudal >= 0 ? caudal : 0);
    CampoElegido();
}

TfrmSensibilidad::~TfrmSensibilidad() {
    cancelar_ = true;
    if (hilo_.joinable()) hilo_.join();
}

void TfrmSensibilidad::CampoElegido() {
    const std::string nombre = cmbCampo->currentData().toString().toStdString();
    const auto it = problema_.textos.find(nombre);
    const auto rango = it == problema_.textos.end() ? std::nullopt : RangoPorDefecto(it->second);
    edtDesde->setText(rango ? Texto(TextoValor(rango->first)) : QString());
    edtHasta->setText(rango ? Texto(TextoValor(rango->second)) : QString());
}

void TfrmSensibilidad::btnCalcularClick() {
    if (calculando_) return;
    const TLecturaBarrido l =
        LeerBarrido(cmbCampo->currentData().toString().toStdString(), edtDesde->text().toStdString(),
                    edtHasta->text().toStdString(), edtPuntos->text().toStdString(), chkLogaritmica->isChecked());
    if (!l.barrido) {
        MostrarMensaje(this, Texto(l.error));
        return;
    }
    calculando_ = true;
    cancelar_ = false;
    btnCalcular->setEnabled(false);
    btnCancelar->setEnabled(true);
    barProgreso->setRange(0, l.barrido->puntos);
    barProgreso->setValue(0);
    lblEstado->setText("Calculando...");
    demora_->start();
    if (hilo_.joinable()) hilo_.join();  // the previous study, already ended
    problemaCalculo_ = problema_;
    TBarrido barrido = *l.barrido;
    barrido.gradacion = chkGradacion->isChecked();
    hilo_ = std::jthread([this, b = barrido, problema = problema_] {
        auto avance = [this](std::size_t hechos, std::size_t total) {
            QMetaObject::invokeMethod(this, [this, hechos, total] { Avance(int(hechos), int(total)); },
                                      Qt::QueuedConnection);
        };
        TEstudio e = Estudiar(problema, b, 0, avance, &cancelar_);
        QMetaObject::invokeMethod(this, [this, b, e = std::move(e)]() mutable { Mostrar(b, std::move(e)); },
                                  Qt::QueuedConnection);
    });
}

void TfrmSensibilidad::btnCancelarClick() {
    cancelar_ = true;
    lblEstado->setText("Cancelando...");
}

void TfrmSensibilidad::Avance(int hechos, int total) {
    barProgreso->setRange(0, total);
    barProgreso->setValue(hechos);
}

void TfrmSensibilidad::Mostrar(const TBarrido& b, TEstudio e) {
    calculando_ = false;
    demora_->stop();
    barProgreso->hide();
    btnCalcular->setEnabled(true);
    btnCancelar->setEnabled(false);
    const std::size_t fallidos =
        std::count_if(e.puntos.begin(), e.puntos.end(), [](const TPuntoBarrido& p) { return p.error.has_value(); });
    problemaEstudio_ = problemaCalculo_;
    if (e.cancelado)
        Estado(QString("Cancelado: %1 de %2 puntos.").arg(e.puntos.size()).arg(b.puntos));
    else if (fallidos)
        Estado(QString("%1 de %2 puntos sin resultado.").arg(fallidos).arg(b.puntos));
    else
        Estado({});
    barrido_ = b;
    estudio_ = std::move(e);
    btnExportar->setEnabled(true);
    Dibujar();
    Llenar();
    emit Terminado();
}

void TfrmSensibilidad::FijarProblema(const TProblema& problema, const QString& titulo) {
    problema_ = problema;
    titulo_ = titulo;
    setWindowTitle("Sensibilidad - " + titulo);
    if (estudio_ && !calculando_) Estado(lblEstado->text());
}

void TfrmSensibilidad::Estado(const QString& texto) {
    lblEstado->setText(ConNotaAnterior(texto, problemaEstudio_ != problema_));
    lblEstado->setToolTip(lblEstado->text());
}

void TfrmSensibilidad::Dibujar() {
    QCustomPlot* c = chrtSensibilidad;
    c->clearGraphs();
    c->clearItems();
    curvas.clear();
    lineaActual = nullptr;
    const TBarrido& b = *barrido_;
    const TEstudio& e = *estudio_;
    const TCampo* campo = BuscarCampo(b.campo);
    c->xAxis->setLabel(campo ? Texto(EtiquetaCampo(*campo, e.codigo)) + " " + Texto(campo->unidad) : Texto(b.campo));
    c->xAxis->setScaleType(b.logaritmico ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
    c->xAxis->setTicker(b.logaritmico ? QSharedPointer<QCPAxisTicker>(new QCPAxisTickerLog)
                                      : QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
    const double hueco = std::numeric_limits<double>::quiet_NaN();  // QCustomPlot breaks a line at NaN
    const std::size_t n = e.puntos.size();
    double maximo = 0;
    for (const TEstudio::TFormula& f : e.formulas) {
        const int i = f.ranura - 1;
        auto profundidad = [&](std::size_t j) { return e.puntos[j].profundidades[i]; };
        auto fuera = [&](std::size_t j) { return profundidad(j) && FueraDeAmbos(e.puntos[j].estados[i]); };
        const qsizetype m = qsizetype(n);
        QVector<double> x(m), solida(m), discontinua(m), llenos(m), huecos(m);
        for (std::size_t j = 0; j < n; ++j) {
            const auto y = profundidad(j);
            x[int(j)] = e.puntos[j].valor;
            const double v = y ? *y : hueco;
            if (y) maximo = std::max(maximo, *y);
            // A stretch with an end outside both ranges is dashed.
            const bool vecinaFuera = (j > 0 && fuera(j - 1)) || (j + 1 < n && fuera(j + 1));
            solida[int(j)] = fuera(j) ? hueco : v;
            discontinua[int(j)] = fuera(j) || vecinaFuera ? v : hueco;
            const bool hueca = y && FueraDeCalibracion(e.puntos[j].estados[i]);
            llenos[int(j)] = hueca ? hueco : v;
            huecos[int(j)] = hueca ? v : hueco;
        }
        const QColor color = ColorDeRanura(f.ranura);
        auto agregar = [&](const QVector<double>& y, Qt::PenStyle trazo, QCPScatterStyle::ScatterShape forma) {
            QCPGraph* g = c->addGraph();
            g->setData(x, y, true);
            QPen pluma(color);
            pluma.setWidthF(1.5);
            pluma.setStyle(trazo);
            g->setPen(pluma);
            g->setLineStyle(trazo == Qt::NoPen ? QCPGraph::lsNone : QCPGraph::lsLine);
            if (forma != QCPScatterStyle::ssNone)
                g->setScatterStyle(
                    QCPScatterStyle(forma, color, forma == QCPScatterStyle::ssDisc ? color : QColor(Qt::white), 6));
            g->removeFromLegend();
            return g;
        };
        QCPGraph* linea = agregar(solida, Qt::SolidLine, QCPScatterStyle::ssNone);
        linea->setName(Texto(f.titulo));
        linea->setObjectName(QString("curva%1").arg(f.ranura));
        linea->addToLegend();
        curvas.push_back(linea);
        agregar(discontinua, Qt::DashLine, QCPScatterStyle::ssNone);
        agregar(llenos, Qt::NoPen, QCPScatterStyle::ssDisc);
        agregar(huecos, Qt::NoPen, QCPScatterStyle::ssCircle);
    }
    // A little room beyond the ends, so that their markers show whole.
    const double desde = std::min(b.desde, b.hasta), hasta = std::max(b.desde, b.hasta);
    if (b.logaritmico)
        c->xAxis->setRange(desde / std::pow(hasta / desde, kMargenEjeX), hasta * std::pow(hasta / desde, kMargenEjeX));
    else
        c->xAxis->setRange(desde - (hasta - desde) * kMargenEjeX, hasta + (hasta - desde) * kMargenEjeX);
    c->legend->setVisible(!curvas.empty());
    c->yAxis->setRange(0, maximo > 0 ? maximo * kMargenErosion : 1);
    const auto it = problema_.textos.find(b.campo);
    if (const auto actual = it == problema_.textos.end() ? std::nullopt : LeerNumero(it->second)) {
        lineaActual = new QCPItemStraightLine(c);
        lineaActual->setObjectName("lineaActual");
        lineaActual->setPen(QPen(Qt::black, 1, Qt::DotLine));
        lineaActual->point1->setCoords(*actual, 0);
        lineaActual->point2->setCoords(*actual, 1);
    }
    c->replot();
}

void TfrmSensibilidad::Llenar() {
    const TTablaEstudio t = TablaEstudio(*barrido_, *estudio_);
    tblSensibilidad->clear();
    tblSensibilidad->setColumnCount(int(t.encabezado.size()));
    tblSensibilidad->setRowCount(int(t.filas.size()));
    QStringList encabezado;
    for (const std::string& s : t.encabezado) encabezado << Texto(s);
    tblSensibilidad->setHorizontalHeaderLabels(encabezado);
    // The value and the depths to the right, the two texts to the left.
    const int numeros = int(estudio_->formulas.size()) + 1;
    for (int i = 0; i < int(t.filas.size()); ++i)
        for (int j = 0; j < int(t.filas[i].size()); ++j) {
            auto* celda = new QTableWidgetItem(Texto(t.filas[i][j]));
            if (j < numeros)
                celda->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            else
                celda->setToolTip(celda->text());  // a long message or warning, whole
            tblSensibilidad->setItem(i, j, celda);
        }
    tblSensibilidad->resizeColumnsToContents();

    QStringList avisos;
    if (!estudio_->gradacion.empty()) avisos << Texto(estudio_->gradacion);  // what d84 and d90 did
    for (const std::string& a : AvisosDelEstudio(problema_, *barrido_, *estudio_))
        avisos << Texto(MarcaAviso(TEstadoRango::Fuera) + " " + a);
    lblAvisos->setText(avisos.join('\n'));
    lblAvisos->setVisible(!avisos.isEmpty());
}

bool TfrmSensibilidad::Exportar(const QString& ruta, QString extension) {
    if (!estudio_) return false;
    if (extension.isEmpty()) extension = QFileInfo(ruta).suffix().toLower();
    return ExportarGrafico(*chrtSensibilidad, ruta, extension, windowTitle(),
                           [this] { return CsvEstudio(*barrido_, *estudio_, true); }, kPngImpresion,
                           {{"Problema", titulo_.toStdString()}});
}

void TfrmSensibilidad::btnExportarClick() {
    const auto archivo = ElegirArchivoExportar(this, "Exportar estudio", kFormatos, NombreSugeridoGrafico(titulo_));
    if (!archivo) return;
    if (!Exportar(archivo->ruta, archivo->extension))
        MostrarMensaje(this, QString("No se pudo exportar el estudio a \"%1\".").arg(archivo->ruta));
}
