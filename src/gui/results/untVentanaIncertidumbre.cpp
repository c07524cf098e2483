#include "results/untVentanaIncertidumbre.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "comun/untExportar.h"
#include "comun/untMensajes.h"
#include "comun/untTexto.h"
#include "results/untPaginaGrafico.h"

namespace {

// A study that ends within this time shows no progress.
constexpr int kDemoraProgreso = 300;  // ms
constexpr double kMargenErosion = 1.05;
// The smallest probability the logarithmic axis shows: below one sample in
// ten thousand the curves of the largest studies still end inside.
constexpr double kProbabilidadMinima = 1e-4;
// On a linear axis a probability below this is no longer told from 0.
constexpr double kProbabilidadVisible = 2e-3;
constexpr const char* kCvPorDefecto = "0.1";
// Where "Uniforme" and "Triangular" start: the value less and more this share.
constexpr double kAmplitudPorDefecto = 0.2;

struct TDistribucionVentana {
    TTipoDistribucion tipo;
    const char* nombre;  // as the combo shows it
};
constexpr TDistribucionVentana kDistribuciones[] = {
    {TTipoDistribucion::Normal, "Normal"},
    {TTipoDistribucion::Lognormal, "Lognormal"},
    {TTipoDistribucion::Uniforme, "Uniforme"},
    {TTipoDistribucion::Triangular, "Triangular"},
};

// The parameter columns, their captions as the messages name them, and the
// distributions that read them.
struct TParametro {
    int columna;
    const char* nombre;
    bool conMedia;    // Normal, Lognormal
    bool conExtremos;  // Uniforme, Triangular
    bool soloTriangular;
};
constexpr TParametro kParametros[] = {
    {kColMedia, "Media", true, false, false},
    {kColCv, "CV", true, false, false},
    {kColMinimo, "Mínimo", false, true, false},
    {kColModa, "Moda", false, true, true},
    {kColMaximo, "Máximo", false, true, false},
};

bool Lee(const TParametro& p, TTipoDistribucion t) {
    const bool conMedia = t == TTipoDistribucion::Normal || t == TTipoDistribucion::Lognormal;
    if (p.soloTriangular) return t == TTipoDistribucion::Triangular;
    return conMedia ? p.conMedia : p.conExtremos;
}

const TFormatoExportar kFormatos[] = {
    {"Imagen PNG (*.png)", "png"},
    {"Imagen SVG (*.svg)", "svg"},
    {"Documento PDF (*.pdf)", "pdf"},
    {"Tabla CSV (*.csv)", "csv"},
    kFormatoLibro,
};
const TFormatoExportar kFormatoMuestras[] = {{"Tabla CSV (*.csv)", "csv"}};

QString Texto(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

QColor ColorDeCurva(int ranura) { return ranura ? ColorDeRanura(ranura) : QColor(Qt::black); }

// The legend in one row under the plotting area, as on the chart page.
void LeyendaAbajo(QCustomPlot& c) {
    QCPLegend* leyenda = c.legend;
    leyenda->setVisible(false);
    c.axisRect()->insetLayout()->take(leyenda);
    c.axisRect()->insetLayout()->simplify();
    auto* fila = new QCPLayoutGrid;
    c.plotLayout()->addElement(2, 0, fila);
    c.plotLayout()->setRowStretchFactor(2, 0.001);
    fila->addElement(0, 0, new QCPLayoutElement(&c));
    fila->addElement(0, 1, leyenda);
    fila->addElement(0, 2, new QCPLayoutElement(&c));
    fila->setColumnStretchFactors({1, 0.001, 1});
    leyenda->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    leyenda->setBorderPen(Qt::NoPen);
    leyenda->setMargins(QMargins(4, 0, 4, 2));
}

void Titular(QCustomPlot& c, const QString& titulo) {
    c.plotLayout()->insertRow(0);
    QFont fuente = c.font();
    fuente.setBold(true);
    c.plotLayout()->addElement(0, 0, new QCPTextElement(&c, titulo, fuente));
    LeyendaAbajo(c);
}

QTableWidgetItem* Celda(const QString& texto, bool editable = true) {
    auto* item = new QTableWidgetItem(texto);
    if (!editable) item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

void PrepararGraficoExcedencia(QCustomPlot& c) {
    Titular(c, "Curvas de excedencia de la erosión");
    c.xAxis->setLabel("erosión (m)");
    c.yAxis->setLabel("probabilidad de excedencia");
    for (QCPAxis* eje : {c.xAxis, c.yAxis}) eje->setNumberFormat("gb");
}

std::vector<QCPGraph*> DibujarExcedencia(QCustomPlot& c, const std::vector<TCurvaExcedencia>& curvas,
                                         const std::optional<double>& fundacion, bool logaritmica) {
    c.clearGraphs();
    c.clearItems();
    std::vector<QCPGraph*> graficos(curvas.size());
    double maximo = 0;
    // The envelope drawn first, wide, so that the formula that gives it
    // shows on top of it; the legend in the order given.
    for (std::size_t i = curvas.size(); i-- > 0;) {
        const TCurvaExcedencia& curva = curvas[i];
        QCPGraph* g = c.addGraph();
        g->removeFromLegend();
        g->setData(QVector<double>(curva.profundidad.begin(), curva.profundidad.end()),
                   QVector<double>(curva.probabilidad.begin(), curva.probabilidad.end()), true);
        QPen pluma(ColorDeCurva(curva.ranura));
        pluma.setWidthF(curva.ranura ? 1.5 : 4);
        g->setPen(pluma);
        g->setName(Texto(curva.titulo));
        g->setObjectName(QString("curva%1").arg(curva.ranura));
        // The depth axis up to where the curve leaves the probability axis,
        // not to the deepest sample: a long tail would squash the rest.
        const double umbral = logaritmica ? kProbabilidadMinima : kProbabilidadVisible;
        for (std::size_t j = 0; j < curva.profundidad.size(); ++j)
            if (j + 1 == curva.profundidad.size() || curva.probabilidad[j] <= umbral) {
                maximo = std::max(maximo, curva.profundidad[j]);
                break;
            }
        graficos[i] = g;
    }
    for (QCPGraph* g : graficos) g->addToLegend();
    c.yAxis->setScaleType(logaritmica ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
    c.yAxis->setTicker(logaritmica ? QSharedPointer<QCPAxisTicker>(new QCPAxisTickerLog)
                                   : QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
    c.yAxis->setRange(logaritmica ? kProbabilidadMinima : 0, 1);
    if (fundacion) {
        maximo = std::max(maximo, *fundacion);
        auto* linea = new QCPItemStraightLine(&c);
        linea->setObjectName("lineaFundacion");
        linea->setPen(QPen(Qt::black, 1, Qt::DashLine));
        linea->point1->setCoords(*fundacion, 0.5);
        linea->point2->setCoords(*fundacion, 1);
        auto* rotulo = new QCPItemText(&c);
        rotulo->setObjectName("rotuloFundacion");
        rotulo->setText(QString("fundación %1 m").arg(Texto(TextoValor(*fundacion))));
        rotulo->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
        rotulo->position->setTypeX(QCPItemPosition::ptPlotCoords);
        rotulo->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
        rotulo->position->setCoords(*fundacion, 0);
        rotulo->setPadding(QMargins(4, 2, 4, 2));
    }
    c.xAxis->setRange(0, maximo > 0 ? maximo * kMargenErosion : 1);
    c.legend->setVisible(!graficos.empty());
    return graficos;
}

TfrmIncertidumbre::TfrmIncertidumbre(const TProblema& problema, const QString& titulo, QWidget* padre)
    : QWidget(padre, Qt::Window), problema_(problema), titulo_(titulo) {
    setObjectName("frmIncertidumbre");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Incertidumbre - " + titulo);
    // At most the screen's free area, less the window manager's frame.
    QSize tamano(900, 720);
    if (QScreen* pantalla = padre ? padre->screen() : QGuiApplication::primaryScreen()) {
        const QRect libre = pantalla->availableGeometry();
        tamano = tamano.boundedTo(QSize(libre.width() - 16, libre.height() - 40));
    }
    resize(tamano);

    // ---- Uncertain inputs.
    cmbCampo = new QComboBox(this);
    cmbCampo->setObjectName("cmbCampo");
    for (std::string_view nombre : CamposDelProblema(problema_)) {
        const TCampo* c = BuscarCampo(nombre);
        cmbCampo->addItem(Texto(EtiquetaCampo(*c, problema_.codigo)) + " " + Texto(c->unidad) + " (" + Texto(nombre) + ")",
                          Texto(nombre));
    }
    const int caudal = cmbCampo->findData("FlujCaud");
    cmbCampo->setCurrentIndex(caudal >= 0 ? caudal : 0);
    cmbCampo->setMinimumContentsLength(16);
    cmbCampo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    btnAgregar = new QPushButton("Agregar", this);
    btnAgregar->setObjectName("btnAgregar");
    btnQuitar = new QPushButton("Quitar", this);
    btnQuitar->setObjectName("btnQuitar");
    tblEntradas = new QTableWidget(0, kColumnasEntrada, this);
    tblEntradas->setObjectName("tblEntradas");
    tblEntradas->setHorizontalHeaderLabels({"Campo", "Distribución", "Media", "CV", "Mínimo", "Moda", "Máximo"});
    tblEntradas->horizontalHeaderItem(kColCv)->setToolTip("Coeficiente de variación: desvío estándar / media");
    tblEntradas->verticalHeader()->hide();
    tblEntradas->setSelectionBehavior(QAbstractItemView::SelectItems);
    tblEntradas->setSelectionMode(QAbstractItemView::SingleSelection);
    tblEntradas->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);
    tblEntradas->horizontalHeader()->setSectionResizeMode(kColCampo, QHeaderView::Stretch);
    for (int j = kColMedia; j < kColumnasEntrada; ++j) tblEntradas->setColumnWidth(j, 62);

    // ---- The formulas' own error, one row per active formula of the base.
    tblModelo = new QTableWidget(0, kColumnasModelo, this);
    tblModelo->setObjectName("tblModelo");
    tblModelo->setHorizontalHeaderLabels({"Fórmula", "Sesgo", "CV"});
    tblModelo->horizontalHeaderItem(kColSesgo)->setToolTip("Media del cociente medida / predicha");
    tblModelo->horizontalHeaderItem(kColCvModelo)->setToolTip("Coeficiente de variación del cociente medida / predicha");
    tblModelo->verticalHeader()->hide();
    tblModelo->setSelectionMode(QAbstractItemView::SingleSelection);
    tblModelo->setEditTriggers(tblEntradas->editTriggers());
    tblModelo->horizontalHeader()->setSectionResizeMode(kColFormula, QHeaderView::Stretch);
    tblModelo->setColumnWidth(kColSesgo, 52);
    tblModelo->setColumnWidth(kColCvModelo, 52);
    {
        TSolucion r = Resolver(problema_, {.curvas = false});
        if (r.fallo) r.filas.clear();  // no formulas: "Calcular" says why
        for (int k = 1; k <= 4; ++k)
            for (const TFila& f : r.filas)
                if (f.numero && f.tallo == TalloErosion(k)) {
                    const QString formula = Texto(r.panel.Titulo(k));
                    const int i = tblModelo->rowCount();
                    tblModelo->insertRow(i);
                    auto* nombre = Celda(formula, false);
                    nombre->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
                    nombre->setCheckState(Qt::Unchecked);
                    nombre->setData(Qt::UserRole, formula);
                    tblModelo->setItem(i, kColFormula, nombre);
                    QString ayuda;
                    // The figures of the field rows whose gradation is of the case's class.
                    const std::optional<double> gradacion =
                        r.d.CodiProb == 22 ? std::optional<double>(r.d.PPi.SediFactGrad) : std::nullopt;
                    const auto defecto = ErrorModeloPorDefecto(r.d.CodiProb, formula.toStdString(), gradacion);
                    if (defecto) {
                        tblModelo->setItem(i, kColSesgo, Celda(Texto(NumeText(defecto->error.sesgo, 0, 2))));
                        tblModelo->setItem(i, kColCvModelo, Celda(Texto(NumeText(defecto->error.cv, 0, 2))));
                        ayuda = QString("Sesgo y CV del cociente medida / predicha de %1 en %2 mediciones de campo "
                                        "(%3): validación propia del programa (--validar) con los datos de %4.")
                                    .arg(formula)
                                    .arg(defecto->mediciones)
                                    .arg(Texto(defecto->subconjunto))
                                    .arg(kFuenteErrorModelo);
                    } else {
                        tblModelo->setItem(i, kColSesgo, Celda({}));
                        tblModelo->setItem(i, kColCvModelo, Celda({}));
                        ayuda = QString("No hay una fuente publicada del error de %1 que el programa ofrezca: "
                                        "ingrese el sesgo y el CV.")
                                    .arg(formula);
                    }
                    for (int j = 0; j < kColumnasModelo; ++j) tblModelo->item(i, j)->setToolTip(ayuda);
                }
    }

    edtMuestras = new QLineEdit(QString::number(kMuestrasPorDefecto), this);
    edtMuestras->setObjectName("edtMuestras");
    edtSemilla = new QLineEdit(QString::number(kSemillaPorDefecto), this);
    edtSemilla->setObjectName("edtSemilla");
    edtFundacion = new QLineEdit(this);
    edtFundacion->setObjectName("edtFundacion");
    edtFundacion->setPlaceholderText("ninguna");
    for (QLineEdit* e : {edtMuestras, edtSemilla, edtFundacion}) e->setMaximumWidth(110);
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
    btnExportarMuestras = new QPushButton("Exportar muestras...", this);
    btnExportarMuestras->setObjectName("btnExportarMuestras");
    btnExportarMuestras->setEnabled(false);
    barProgreso = new QProgressBar(this);
    barProgreso->setObjectName("barProgreso");
    barProgreso->hide();
    lblEstado = new QLabel(this);
    lblEstado->setObjectName("lblEstado");
    lblEstado->setTextFormat(Qt::PlainText);
    lblRechazos = new QLabel(this);
    lblRechazos->setObjectName("lblRechazos");
    lblRechazos->setTextFormat(Qt::PlainText);
    lblRechazos->setWordWrap(true);
    lblRechazos->hide();

    // ---- Results.
    tblResultados = new QTableWidget(this);
    tblResultados->setObjectName("tblResultados");
    tblResultados->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblResultados->verticalHeader()->hide();
    chrtExcedencia = new QCustomPlot(this);
    chrtExcedencia->setObjectName("chrtExcedencia");
    chrtExcedencia->setMinimumHeight(180);
    PrepararGraficoExcedencia(*chrtExcedencia);
    chkLogaritmica = new QCheckBox("Probabilidad en escala logarítmica", this);
    chkLogaritmica->setObjectName("chkLogaritmica");
    chrtInfluencia = new QCustomPlot(this);
    chrtInfluencia->setObjectName("chrtInfluencia");
    chrtInfluencia->setMinimumHeight(180);
    Titular(*chrtInfluencia, "Influencia de las entradas");
    chrtInfluencia->xAxis->setLabel("correlación de rangos de Spearman");
    chrtInfluencia->xAxis->setRange(-1, 1);

    auto* paginaCurvas = new QWidget(this);
    auto* capaCurvas = new QVBoxLayout(paginaCurvas);
    capaCurvas->setContentsMargins(0, 4, 0, 0);
    capaCurvas->addWidget(chkLogaritmica);
    capaCurvas->addWidget(chrtExcedencia, 1);
    pgResultados = new QTabWidget(this);
    pgResultados->setObjectName("pgResultados");
    pgResultados->addTab(tblResultados, "Resultados");
    pgResultados->addTab(paginaCurvas, "Curvas de excedencia");
    pgResultados->addTab(chrtInfluencia, "Influencia de las entradas");

    // ---- Layout: the two tables side by side, the study's numbers and the
    // buttons below, the results under a splitter.
    QFont negrita = font();
    negrita.setBold(true);
    auto* tituloEntradas = new QLabel("Entradas inciertas", this);
    auto* tituloModelo = new QLabel("Error de las fórmulas", this);
    for (QLabel* l : {tituloEntradas, tituloModelo}) l->setFont(negrita);
    tituloModelo->setToolTip("Un factor lognormal sobre la profundidad de cada fórmula marcada");
    auto* agregar = new QHBoxLayout;
    agregar->addWidget(cmbCampo, 1);
    agregar->addWidget(btnAgregar);
    agregar->addWidget(btnQuitar);
    auto* entradas = new QVBoxLayout;
    entradas->addWidget(tituloEntradas);
    entradas->addLayout(agregar);
    entradas->addWidget(tblEntradas, 1);
    auto* modelo = new QVBoxLayout;
    modelo->addWidget(tituloModelo);
    modelo->addWidget(tblModelo, 1);
    auto* tablas = new QHBoxLayout;
    tablas->addLayout(entradas, 5);
    tablas->addLayout(modelo, 2);

    auto* numeros = new QHBoxLayout;
    auto etiqueta = [&](const QString& texto, QLineEdit* e) {
        auto* l = new QLabel(texto, this);
        l->setBuddy(e);
        numeros->addWidget(l);
        numeros->addWidget(e);
        numeros->addSpacing(12);
    };
    etiqueta("Muestras", edtMuestras);
    etiqueta("Semilla", edtSemilla);
    etiqueta("Profundidad de fundación (m)", edtFundacion);
    numeros->addWidget(chkGradacion);
    numeros->addStretch(1);
    auto* botones = new QHBoxLayout;
    botones->addWidget(btnCalcular);
    botones->addWidget(btnCancelar);
    botones->addWidget(barProgreso, 1);
    botones->addWidget(lblEstado, 1);
    botones->addWidget(btnExportar);
    botones->addWidget(btnExportarMuestras);

    auto* datos = new QWidget(this);
    auto* capaDatos = new QVBoxLayout(datos);
    capaDatos->setContentsMargins(0, 0, 0, 0);
    capaDatos->addLayout(tablas, 1);
    capaDatos->addLayout(numeros);
    capaDatos->addLayout(botones);
    capaDatos->addWidget(lblRechazos);
    auto* division = new QSplitter(Qt::Vertical, this);
    division->setObjectName("divIncertidumbre");
    division->setChildrenCollapsible(false);
    division->addWidget(datos);
    division->addWidget(pgResultados);
    division->setStretchFactor(0, 2);
    division->setStretchFactor(1, 3);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(division);

    demora_ = new QTimer(this);
    demora_->setSingleShot(true);
    demora_->setInterval(kDemoraProgreso);
    connect(demora_, &QTimer::timeout, this, [this] {
        if (calculando_) barProgreso->show();
    });
    connect(btnAgregar, &QPushButton::clicked, this, &TfrmIncertidumbre::btnAgregarClick);
    connect(btnQuitar, &QPushButton::clicked, this, &TfrmIncertidumbre::btnQuitarClick);
    connect(btnCalcular, &QPushButton::clicked, this, &TfrmIncertidumbre::btnCalcularClick);
    connect(btnCancelar, &QPushButton::clicked, this, &TfrmIncertidumbre::btnCancelarClick);
    connect(btnExportar, &QPushButton::clicked, this, &TfrmIncertidumbre::btnExportarClick);
    connect(btnExportarMuestras, &QPushButton::clicked, this, &TfrmIncertidumbre::btnExportarMuestrasClick);
    connect(chkLogaritmica, &QCheckBox::toggled, this, [this] {
        if (!estudio_) return;
        curvas = DibujarExcedencia(*chrtExcedencia, curvasExcedencia_, opciones_.fundacion, chkLogaritmica->isChecked());
        lineaFundacion = chrtExcedencia->findChild<QCPItemStraightLine*>("lineaFundacion");
        chrtExcedencia->replot();
    });
}

TfrmIncertidumbre::~TfrmIncertidumbre() {
    cancelar_ = true;
    if (hilo_.joinable()) hilo_.join();
}

void TfrmIncertidumbre::AgregarCampo(const QString& campo) {
    for (int i = 0; i < tblEntradas->rowCount(); ++i)
        if (tblEntradas->item(i, kColCampo)->data(Qt::UserRole).toString() == campo) {
            tblEntradas->setCurrentCell(i, kColMedia);
            return;
        }
    const std::string nombre = campo.toStdString();
    const TCampo* c = BuscarCampo(nombre);
    if (!c) return;
    const auto texto = problema_.textos.find(nombre);
    const auto valor = texto == problema_.textos.end() ? std::nullopt : LeerNumero(texto->second);
    const double v = valor && std::isfinite(*valor) ? *valor : 0;
    const int i = tblEntradas->rowCount();
    tblEntradas->insertRow(i);
    auto* nombreCelda = Celda(Texto(EtiquetaCampo(*c, problema_.codigo)) + " " + Texto(c->unidad), false);
    nombreCelda->setData(Qt::UserRole, campo);
    nombreCelda->setToolTip(nombreCelda->text() + " (" + campo + ")");
    tblEntradas->setItem(i, kColCampo, nombreCelda);
    auto* distribucion = new QComboBox(tblEntradas);
    distribucion->setObjectName(QString("cmbDistribucion%1").arg(i + 1));
    for (const TDistribucionVentana& d : kDistribuciones) distribucion->addItem(d.nombre, int(d.tipo));
    // Most inputs of scour are positive quantities: lognormal, unless the
    // value is not above zero.
    distribucion->setCurrentIndex(v > 0 ? 1 : 0);
    tblEntradas->setCellWidget(i, kColDistribucion, distribucion);
    tblEntradas->setColumnWidth(kColDistribucion,
                                std::max(tblEntradas->columnWidth(kColDistribucion), distribucion->sizeHint().width()));
    const double a = v - std::fabs(v) * kAmplitudPorDefecto, b = v + std::fabs(v) * kAmplitudPorDefecto;
    tblEntradas->setItem(i, kColMedia, Celda(Texto(TextoValor(v))));
    tblEntradas->setItem(i, kColCv, Celda(kCvPorDefecto));
    tblEntradas->setItem(i, kColMinimo, Celda(Texto(TextoValor(a == b ? v - 1 : a))));
    tblEntradas->setItem(i, kColModa, Celda(Texto(TextoValor(v))));
    tblEntradas->setItem(i, kColMaximo, Celda(Texto(TextoValor(a == b ? v + 1 : b))));
    connect(distribucion, &QComboBox::currentIndexChanged, this, [this, distribucion] {
        for (int fila = 0; fila < tblEntradas->rowCount(); ++fila)
            if (tblEntradas->cellWidget(fila, kColDistribucion) == distribucion) DistribucionElegida(fila);
    });
    DistribucionElegida(i);
    tblEntradas->setCurrentCell(i, kColMedia);
}

// The cells the row's distribution reads are editable; the others greyed.
void TfrmIncertidumbre::DistribucionElegida(int fila) {
    const auto* combo = static_cast<QComboBox*>(tblEntradas->cellWidget(fila, kColDistribucion));
    const auto tipo = TTipoDistribucion(combo->currentData().toInt());
    for (const TParametro& p : kParametros) {
        QTableWidgetItem* item = tblEntradas->item(fila, p.columna);
        item->setFlags(Lee(p, tipo) ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable : Qt::NoItemFlags);
    }
}

void TfrmIncertidumbre::btnAgregarClick() { AgregarCampo(cmbCampo->currentData().toString()); }

void TfrmIncertidumbre::btnQuitarClick() {
    const int fila = tblEntradas->currentRow();
    if (fila >= 0) tblEntradas->removeRow(fila);
}

std::optional<QString> TfrmIncertidumbre::LeerOpciones(TOpcionesIncertidumbre& o) const {
    for (int i = 0; i < tblEntradas->rowCount(); ++i) {
        const QTableWidgetItem* campo = tblEntradas->item(i, kColCampo);
        const std::string nombre = campo->data(Qt::UserRole).toString().toStdString();
        const auto* combo = static_cast<QComboBox*>(tblEntradas->cellWidget(i, kColDistribucion));
        TDistribucionIncierta d{TTipoDistribucion(combo->currentData().toInt()), {}};
        std::size_t k = 0;
        for (const TParametro& p : kParametros) {
            if (!Lee(p, d.tipo)) continue;
            const std::string texto = tblEntradas->item(i, p.columna)->text().trimmed().toStdString();
            const auto v = LeerNumero(texto);
            if (!v || !std::isfinite(*v))
                return QString("%1: \"%2\" debe ser un número (se leyó \"%3\").")
                    .arg(campo->text(), p.nombre, Texto(texto));
            d.a[k++] = *v;
        }
        if (const auto error = ErrorDistribucion(d)) return campo->text() + ": " + Texto(*error);
        o.entradas.push_back({nombre, d});
    }
    for (int i = 0; i < tblModelo->rowCount(); ++i) {
        const QTableWidgetItem* formula = tblModelo->item(i, kColFormula);
        if (formula->checkState() != Qt::Checked) continue;
        const QString nombre = formula->data(Qt::UserRole).toString();
        const auto sesgo = LeerNumero(tblModelo->item(i, kColSesgo)->text().trimmed().toStdString());
        const auto cv = LeerNumero(tblModelo->item(i, kColCvModelo)->text().trimmed().toStdString());
        if (!sesgo || !std::isfinite(*sesgo) || *sesgo <= 0)
            return QString("El sesgo de %1 debe ser un número mayor que 0.").arg(nombre);
        if (!cv || !std::isfinite(*cv) || *cv < 0)
            return QString("El coeficiente de variación de %1 debe ser un número no negativo.").arg(nombre);
        o.modelo.emplace_back(nombre.toStdString(), TErrorModelo{*sesgo, *cv});
    }
    if (o.entradas.empty() && o.modelo.empty())
        return "Agregue una entrada incierta o marque el error de una fórmula.";
    const auto muestras = LeerMuestras(edtMuestras->text().trimmed().toStdString());
    if (!muestras)
        return QString("\"Muestras\" debe ser un número entero de %1 a %2.").arg(kMuestrasMinimo).arg(kMuestrasMaximo);
    o.muestras = *muestras;
    const auto semilla = LeerSemilla(edtSemilla->text().trimmed().toStdString());
    if (!semilla) return QString("\"Semilla\" debe ser un número entero de 0 a %1.").arg(kSemillaMaxima);
    o.semilla = *semilla;
    const std::string fundacion = edtFundacion->text().trimmed().toStdString();
    if (!fundacion.empty()) {
        const auto y = LeerNumero(fundacion);
        if (!y || !std::isfinite(*y) || *y <= 0)
            return "\"Profundidad de fundación\" debe ser un número mayor que 0 (en m), o quedar vacía.";
        o.fundacion = *y;
    }
    o.gradacion = chkGradacion->isChecked();
    return std::nullopt;
}

void TfrmIncertidumbre::btnCalcularClick() {
    if (calculando_) return;
    TOpcionesIncertidumbre o;
    if (const auto error = LeerOpciones(o)) {
        MostrarMensaje(this, *error);
        return;
    }
    calculando_ = true;
    cancelar_ = false;
    btnCalcular->setEnabled(false);
    btnCancelar->setEnabled(true);
    barProgreso->setRange(0, int(o.muestras));
    barProgreso->setValue(0);
    lblEstado->setText("Calculando...");
    demora_->start();
    if (hilo_.joinable()) hilo_.join();  // the previous study, already ended
    problemaCalculo_ = problema_;
    hilo_ = std::jthread([this, o, problema = problema_]() mutable {
        o.cancelar = &cancelar_;
        o.avance = [this](std::size_t hechas, std::size_t total) {
            QMetaObject::invokeMethod(this, [this, hechas, total] { Avance(hechas, total); }, Qt::QueuedConnection);
        };
        TEstudioIncertidumbre e = EstudiarIncertidumbre(problema, o);
        std::vector<std::vector<TInfluencia>> influencias;
        std::vector<TCurvaExcedencia> curvasExcedencia;
        if (!e.error && !e.cancelado) {
            influencias = InfluenciasSpearman(e);
            curvasExcedencia = CurvasExcedencia(e);
        }
        o.avance = nullptr;
        o.cancelar = nullptr;
        QMetaObject::invokeMethod(
            this,
            [this, o = std::move(o), e = std::move(e), i = std::move(influencias),
             c = std::move(curvasExcedencia)]() mutable { Mostrar(std::move(o), std::move(e), std::move(i), std::move(c)); },
            Qt::QueuedConnection);
    });
}

void TfrmIncertidumbre::btnCancelarClick() {
    cancelar_ = true;
    lblEstado->setText("Cancelando...");
}

void TfrmIncertidumbre::Avance(std::size_t hechas, std::size_t total) {
    barProgreso->setRange(0, int(total));
    barProgreso->setValue(int(hechas));
}

void TfrmIncertidumbre::Mostrar(TOpcionesIncertidumbre o, TEstudioIncertidumbre e,
                                std::vector<std::vector<TInfluencia>> influencias,
                                std::vector<TCurvaExcedencia> curvasExcedencia) {
    static std::uint64_t ultimo = 0;
    calculando_ = false;
    demora_->stop();
    barProgreso->hide();
    btnCalcular->setEnabled(true);
    btnCancelar->setEnabled(false);
    if (e.error) {
        lblEstado->clear();
        MostrarMensaje(this, Texto(*e.error));
    } else if (e.cancelado) {
        // The study shown, if any, stays, and says that it is the earlier
        // run's: a cancelled one has no statistics.
        lblEstado->setText(estudio_ ? QString("Cancelado: el estudio no terminó. La tabla y los gráficos son del "
                                              "estudio anterior (%1 muestras).")
                                          .arg(estudio_->muestras)
                                    : QString("Cancelado: el estudio no terminó."));
    } else {
        QString estado = QString("%1 muestras").arg(e.muestras);
        QStringList primeras;
        if (!e.gradacion.empty()) primeras << Texto(e.gradacion);  // what d84 and d90 did
        if (e.rechazadas) {
            estado += QString("; %1 rechazadas por un campo").arg(e.rechazadas);
            primeras << "Primera muestra rechazada: " + Texto(e.primerRechazo);
        }
        if (e.fallidas) {
            estado += QString("; %1 sin resultado").arg(e.fallidas);
            primeras << "Primera muestra sin resultado: " + Texto(e.primerFallo);
        }
        problemaEstudio_ = problemaCalculo_;
        lblEstado->setText(ConNotaAnterior(estado + ".", problemaEstudio_ != problema_));
        lblRechazos->setText(primeras.join('\n'));
        lblRechazos->setVisible(!primeras.isEmpty());
        opciones_ = std::move(o);
        estudio_ = std::move(e);
        influencias_ = std::move(influencias);
        curvasExcedencia_ = std::move(curvasExcedencia);
        orden_ = ++ultimo;
        btnExportar->setEnabled(true);
        btnExportarMuestras->setEnabled(true);
        Llenar();
        curvas = DibujarExcedencia(*chrtExcedencia, curvasExcedencia_, opciones_.fundacion, chkLogaritmica->isChecked());
        lineaFundacion = chrtExcedencia->findChild<QCPItemStraightLine*>("lineaFundacion");
        chrtExcedencia->replot();
        DibujarInfluencia();
    }
    emit Terminado();
}

void TfrmIncertidumbre::Llenar() {
    const TTablaIncertidumbre t = TablaIncertidumbre(*estudio_, opciones_.fundacion);
    tblResultados->clear();
    tblResultados->setColumnCount(int(t.encabezado.size()));
    tblResultados->setRowCount(int(t.filas.size()));
    QStringList encabezado;
    for (const std::string& s : t.encabezado) encabezado << Texto(s);
    tblResultados->setHorizontalHeaderLabels(encabezado);
    for (int i = 0; i < int(t.filas.size()); ++i)
        for (int j = 0; j < int(t.filas[i].size()); ++j) {
            auto* celda = new QTableWidgetItem(Texto(t.filas[i][j]));
            celda->setTextAlignment(j ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
            tblResultados->setItem(i, j, celda);
        }
    tblResultados->resizeColumnsToContents();
}

// Grouped horizontal bars: an input per row, the most influential at the
// top (by its largest |rho| over the formulas), a bar per formula in its
// colour and the envelope in black.
void TfrmIncertidumbre::DibujarInfluencia() {
    QCustomPlot* c = chrtInfluencia;
    c->clearPlottables();
    barras.clear();
    const std::size_t m = estudio_->entradas.size();
    std::vector<double> peso(m, 0);
    for (const auto& lista : influencias_)
        for (const TInfluencia& x : lista)
            if (!std::isnan(x.rho)) peso[x.entrada] = std::max(peso[x.entrada], std::fabs(x.rho));
    std::vector<std::size_t> orden(m);
    for (std::size_t j = 0; j < m; ++j) orden[j] = j;
    std::stable_sort(orden.begin(), orden.end(), [&](std::size_t a, std::size_t b) { return peso[a] > peso[b]; });
    std::vector<double> clave(m);  // the input's row, the first at the top
    auto etiquetas = QSharedPointer<QCPAxisTickerText>::create();
    for (std::size_t r = 0; r < m; ++r) {
        clave[orden[r]] = double(m - r);
        const TEntradaIncierta& x = estudio_->entradas[orden[r]];
        const TCampo* campo = BuscarCampo(x.campo);
        etiquetas->addTick(double(m - r), campo ? Texto(EtiquetaCampo(*campo, problema_.codigo)) : Texto(x.campo));
    }
    c->yAxis->setTicker(etiquetas);
    c->yAxis->setRange(0.4, double(m) + 0.6);
    auto* grupo = new QCPBarsGroup(c);
    grupo->setSpacingType(QCPBarsGroup::stAbsolute);
    grupo->setSpacing(1);
    const double ancho = 0.8 / double(std::max<std::size_t>(1, influencias_.size()));
    // A group stacks its bars upwards: the envelope made first, so that the
    // first formula is the top bar of each input, as the legend reads.
    const std::size_t nf = std::min(influencias_.size(), estudio_->formulas.size());
    barras.assign(nf, nullptr);
    for (std::size_t f = nf; f-- > 0;) {
        auto* b = new QCPBars(c->yAxis, c->xAxis);
        b->removeFromLegend();
        QVector<double> k, v;
        for (const TInfluencia& x : influencias_[f]) {
            k << clave[x.entrada];
            v << (std::isnan(x.rho) ? 0.0 : x.rho);
        }
        b->setData(k, v);
        const QColor color = ColorDeCurva(estudio_->formulas[f].ranura);
        b->setPen(QPen(color));
        QColor relleno = color;
        relleno.setAlpha(170);
        b->setBrush(relleno);
        b->setWidth(ancho);
        b->setBarsGroup(grupo);
        b->setName(Texto(estudio_->formulas[f].titulo));
        barras[f] = b;
    }
    for (QCPBars* b : barras) b->addToLegend();
    c->xAxis->setRange(-1.05, 1.05);
    c->legend->setVisible(!barras.empty());
    c->replot();
}

void TfrmIncertidumbre::FijarProblema(const TProblema& problema, const QString& titulo) {
    problema_ = problema;
    titulo_ = titulo;
    setWindowTitle("Incertidumbre - " + titulo);
    if (estudio_ && !calculando_) lblEstado->setText(ConNotaAnterior(lblEstado->text(), problemaEstudio_ != problema_));
}

TIncertidumbreArchivo TfrmIncertidumbre::Ajuste() const {
    TIncertidumbreArchivo a;
    auto celda = [](const QTableWidget* t, int i, int j) {
        const QTableWidgetItem* item = t->item(i, j);
        return item ? item->text().toStdString() : std::string();
    };
    for (int i = 0; i < tblEntradas->rowCount(); ++i) {
        const auto* combo = static_cast<QComboBox*>(tblEntradas->cellWidget(i, kColDistribucion));
        a.entradas.push_back({tblEntradas->item(i, kColCampo)->data(Qt::UserRole).toString().toStdString(),
                              NombreDistribucion(TTipoDistribucion(combo->currentData().toInt())),
                              celda(tblEntradas, i, kColMedia), celda(tblEntradas, i, kColCv),
                              celda(tblEntradas, i, kColMinimo), celda(tblEntradas, i, kColModa),
                              celda(tblEntradas, i, kColMaximo)});
    }
    for (int i = 0; i < tblModelo->rowCount(); ++i) {
        const QTableWidgetItem* formula = tblModelo->item(i, kColFormula);
        a.modelo.push_back({formula->data(Qt::UserRole).toString().toStdString(), formula->checkState() == Qt::Checked,
                            celda(tblModelo, i, kColSesgo), celda(tblModelo, i, kColCvModelo)});
    }
    a.muestras = edtMuestras->text().toStdString();
    a.semilla = edtSemilla->text().toStdString();
    a.fundacion = edtFundacion->text().toStdString();
    return a;
}

void TfrmIncertidumbre::AplicarAjuste(const TIncertidumbreArchivo& a) {
    auto poner = [](QTableWidget* t, int i, int j, const std::string& texto) {
        if (QTableWidgetItem* item = t->item(i, j)) item->setText(QString::fromStdString(texto));
    };
    tblEntradas->setRowCount(0);
    for (const TEntradaInciertaArchivo& x : a.entradas) {
        const QString campo = QString::fromStdString(x.campo);
        if (cmbCampo->findData(campo) < 0) continue;  // a field this problem does not read
        AgregarCampo(campo);
        const int i = tblEntradas->rowCount() - 1;
        auto* combo = static_cast<QComboBox*>(tblEntradas->cellWidget(i, kColDistribucion));
        for (const TDistribucionVentana& d : kDistribuciones)
            if (x.distribucion == NombreDistribucion(d.tipo)) combo->setCurrentIndex(combo->findData(int(d.tipo)));
        poner(tblEntradas, i, kColMedia, x.media);
        poner(tblEntradas, i, kColCv, x.cv);
        poner(tblEntradas, i, kColMinimo, x.minimo);
        poner(tblEntradas, i, kColModa, x.moda);
        poner(tblEntradas, i, kColMaximo, x.maximo);
    }
    for (const TErrorFormulaArchivo& f : a.modelo)
        for (int i = 0; i < tblModelo->rowCount(); ++i) {
            QTableWidgetItem* formula = tblModelo->item(i, kColFormula);
            if (formula->data(Qt::UserRole).toString().toStdString() != f.formula) continue;
            formula->setCheckState(f.activo ? Qt::Checked : Qt::Unchecked);
            poner(tblModelo, i, kColSesgo, f.sesgo);
            poner(tblModelo, i, kColCvModelo, f.cv);
        }
    edtMuestras->setText(QString::fromStdString(a.muestras));
    edtSemilla->setText(QString::fromStdString(a.semilla));
    edtFundacion->setText(QString::fromStdString(a.fundacion));
}

void TfrmIncertidumbre::closeEvent(QCloseEvent* e) {
    emit Cerrando(Ajuste());
    QWidget::closeEvent(e);
}

std::optional<TReporteIncertidumbre> TfrmIncertidumbre::Reporte(std::string fecha) const {
    if (!estudio_) return std::nullopt;
    return ReporteIncertidumbre(problemaEstudio_, opciones_, *estudio_, chkLogaritmica->isChecked(), std::move(fecha));
}

bool TfrmIncertidumbre::Exportar(const QString& ruta, QString extension) {
    if (!estudio_) return false;
    if (extension.isEmpty()) extension = QFileInfo(ruta).suffix().toLower();
    QCustomPlot& grafico = pgResultados->currentWidget() == chrtInfluencia ? *chrtInfluencia : *chrtExcedencia;
    return ExportarGrafico(grafico, ruta, extension, windowTitle(),
                           [this] { return CsvResumenIncertidumbre(*estudio_, opciones_); }, kPngImpresion,
                           {{"Problema", titulo_.toStdString()}});
}

bool TfrmIncertidumbre::ExportarMuestras(const QString& ruta) {
    if (!estudio_) return false;
    return ExportarGrafico(*chrtExcedencia, ruta, "csv", windowTitle(),
                           [this] { return CsvMuestrasIncertidumbre(*estudio_); });
}

void TfrmIncertidumbre::btnExportarClick() {
    const auto archivo = ElegirArchivoExportar(this, "Exportar estudio", kFormatos, NombreSugeridoGrafico(titulo_));
    if (!archivo) return;
    if (!Exportar(archivo->ruta, archivo->extension))
        MostrarMensaje(this, QString("No se pudo exportar el estudio a \"%1\".").arg(archivo->ruta));
}

void TfrmIncertidumbre::btnExportarMuestrasClick() {
    const auto archivo =
        ElegirArchivoExportar(this, "Exportar muestras", kFormatoMuestras, NombreSugeridoGrafico(titulo_) + " muestras");
    if (!archivo) return;
    if (!ExportarMuestras(archivo->ruta))
        MostrarMensaje(this, QString("No se pudieron exportar las muestras a \"%1\".").arg(archivo->ruta));
}

const TfrmIncertidumbre* UltimoEstudio(const QWidget& duenio, const TProblema& problema) {
    const TfrmIncertidumbre* ultimo = nullptr;
    for (const TfrmIncertidumbre* v : duenio.findChildren<TfrmIncertidumbre*>())
        if (v->Estudio() && v->ProblemaEstudiado() == problema && (!ultimo || v->Orden() > ultimo->Orden())) ultimo = v;
    return ultimo;
}
