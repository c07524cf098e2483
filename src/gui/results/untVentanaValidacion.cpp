#include "results/untVentanaValidacion.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "comun/untExportar.h"
#include "comun/untMensajes.h"
#include "comun/untPantalla.h"
#include "turmado.h"
#include "results/untPaginaGrafico.h"

namespace {

const TFormatoExportar kFormatos[] = {
    {"Imagen PNG (*.png)", "png"},
    {"Imagen SVG (*.svg)", "svg"},
    {"Documento PDF (*.pdf)", "pdf"},
    {"Filas CSV (*.csv)", "csv"},
    kFormatoLibro,
};

// A PNG as the chart page writes it: TPaginaGrafico::kAnchoPng pixels wide at 300 dpi.
constexpr int kPuntosPorPulgadaPng = 300;

// A point is named when the mouse is this close to it.
constexpr double kRadioPunto = 8;  // px
// Room around the points on the log axes: a factor on each side.
constexpr double kMargenLog = 1.3;

QString Texto(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

QString Numero(double x, int decimales) { return Texto(NumeText(x, 0, decimales)); }

// The chart page's colours are those of the formula slots; past the fourth
// formula of a file with several structure types they repeat.
QColor ColorDeFormula(std::size_t i) { return ColorDeRanura(int(i % 4) + 1); }

// The chart and the table never below these heights (pixels): a window of
// 1024 × 768 holds them both.
constexpr int kAltoGraficoMinimo = 240, kAltoTablaMinimo = 110;

}  // namespace

TfrmValidacion::TfrmValidacion(QWidget* padre) : QWidget(padre, Qt::Window) {
    setObjectName("frmValidacion");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Validación de las fórmulas");
    DentroDeLaPantalla(this, QSize(900, 760));

    cmbConjunto = new QComboBox(this);
    cmbConjunto->setObjectName("cmbConjunto");
    for (const TConjuntoValidacion& c : ConjuntosValidacion()) cmbConjunto->addItem(Texto(c.nombre));
    btnAbrir = new QPushButton("Abrir...", this);
    btnAbrir->setObjectName("btnAbrir");
    btnExportar = new QPushButton("Exportar...", this);
    btnExportar->setObjectName("btnExportar");
    btnExportar->setEnabled(false);
    lblEstado = new QLabel(this);
    lblEstado->setObjectName("lblEstado");
    lblEstado->setWordWrap(true);

    auto* arriba = new QHBoxLayout;
    arriba->addWidget(new QLabel("Mediciones", this));
    arriba->addWidget(cmbConjunto, 1);
    arriba->addWidget(btnAbrir);
    arriba->addWidget(btnExportar);

    tblValidacion = new QTableWidget(this);
    tblValidacion->setObjectName("tblValidacion");
    tblValidacion->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblValidacion->verticalHeader()->hide();
    tblValidacion->setColumnCount(7);
    tblValidacion->setHorizontalHeaderLabels(
        {"Fórmula", "Filas", "Sesgo", "Mediana", "Coef. de variación", "Subestimó", "Percentil 95"});
    tblValidacion->horizontalHeaderItem(1)->setToolTip("Filas con erosión calculada mayor que cero y medida conocida");
    tblValidacion->horizontalHeaderItem(2)->setToolTip("Media de medida/calculada");
    tblValidacion->horizontalHeaderItem(3)->setToolTip("Mediana de medida/calculada");
    tblValidacion->horizontalHeaderItem(4)->setToolTip("Desviación estándar muestral (n - 1) sobre la media");
    tblValidacion->horizontalHeaderItem(5)->setToolTip("Porcentaje de filas con medida/calculada mayor que 1");
    tblValidacion->horizontalHeaderItem(6)->setToolTip("Percentil 95 de medida/calculada");

    chrtValidacion = new QCustomPlot(this);
    chrtValidacion->setObjectName("chrtValidacion");
    chrtValidacion->setMinimumHeight(kAltoGraficoMinimo);
    chrtValidacion->setMouseTracking(true);
    chrtValidacion->plotLayout()->insertRow(0);
    QFont fuenteTitulo = chrtValidacion->font();
    fuenteTitulo.setBold(true);
    chrtValidacion->plotLayout()->addElement(
        0, 0, new QCPTextElement(chrtValidacion, "Erosión medida contra calculada", fuenteTitulo));
    chrtValidacion->xAxis->setLabel("erosión calculada (m)");
    chrtValidacion->yAxis->setLabel("erosión medida (m)");
    for (QCPAxis* eje : {chrtValidacion->xAxis, chrtValidacion->yAxis}) {
        eje->setScaleType(QCPAxis::stLogarithmic);
        eje->setTicker(QSharedPointer<QCPAxisTicker>(new QCPAxisTickerLog));
        eje->setNumberFormat("gb");
    }
    chrtValidacion->legend->setVisible(false);
    chrtValidacion->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
    lblPunto = new QLabel(this);
    lblPunto->setObjectName("lblPunto");

    auto* grafico = new QWidget(this);
    auto* columna = new QVBoxLayout(grafico);
    columna->setContentsMargins(0, 0, 0, 0);
    columna->addWidget(chrtValidacion, 1);
    columna->addWidget(lblPunto);
    auto* division = new QSplitter(Qt::Vertical, this);
    division->addWidget(tblValidacion);
    division->addWidget(grafico);
    division->setStretchFactor(0, 1);
    division->setStretchFactor(1, 4);

    auto* todo = new QVBoxLayout(this);
    todo->addLayout(arriba);
    todo->addWidget(lblEstado);
    todo->addWidget(division, 1);

    connect(cmbConjunto, &QComboBox::currentIndexChanged, this, &TfrmValidacion::Elegido);
    connect(btnAbrir, &QPushButton::clicked, this, &TfrmValidacion::btnAbrirClick);
    connect(btnExportar, &QPushButton::clicked, this, &TfrmValidacion::btnExportarClick);
    connect(chrtValidacion, &QCustomPlot::mouseMove, this, [this](QMouseEvent* e) { NombrarPunto(e->pos()); });

    Elegido(0);
}

TfrmValidacion::~TfrmValidacion() {
    cancelar_ = true;
    if (hilo_.joinable()) hilo_.join();
}

void TfrmValidacion::Elegido(int indice) {
    if (indice < 0) return;
    if (calculando_) {  // computed once the running one has ended
        pendiente_ = indice;
        cancelar_ = true;
        return;
    }
    const auto conjuntos = ConjuntosValidacion();
    if (indice < int(conjuntos.size())) {
        Calcular(std::string(conjuntos[indice].datos()), cmbConjunto->itemText(indice));
        return;
    }
    const QString ruta = archivos_[std::size_t(indice) - conjuntos.size()];
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly)) {
        MostrarMensaje(this, QString("No se puede leer el archivo \"%1\".").arg(QDir::toNativeSeparators(ruta)));
        return;
    }
    const QByteArray bytes = archivo.readAll();
    Calcular(std::string(bytes.constData(), std::size_t(bytes.size())), QFileInfo(ruta).fileName());
}

void TfrmValidacion::Calcular(std::string datos, QString nombre) {
    calculando_ = true;
    cancelar_ = false;
    btnExportar->setEnabled(false);
    lblEstado->setText("Calculando " + nombre + "...");
    if (hilo_.joinable()) hilo_.join();  // the previous one, already ended
    hilo_ = std::jthread([this, datos = std::move(datos), nombre] {
        std::istringstream entrada(datos);
        TValidacion v = Validar(entrada, 0, &cancelar_);
        QMetaObject::invokeMethod(
            this, [this, v = std::move(v), nombre]() mutable { Mostrar(std::move(v), nombre); }, Qt::QueuedConnection);
    });
}

void TfrmValidacion::Mostrar(TValidacion v, QString nombre) {
    calculando_ = false;
    if (pendiente_ >= 0) {
        const int indice = std::exchange(pendiente_, -1);
        Elegido(indice);
        return;
    }
    if (v.errorArchivo) {
        lblEstado->setText(nombre + ": " + Texto(*v.errorArchivo));
        validacion_.reset();
    } else {
        std::size_t rechazadas = 0;
        QString motivos;
        for (const auto& [mensaje, n] : v.rechazados) {
            rechazadas += n;
            motivos += QString("\n%1: %2").arg(n).arg(Texto(mensaje));
        }
        lblEstado->setText(QString("%1: %2 casos, %3 rechazados.").arg(nombre).arg(v.filas.size()).arg(rechazadas));
        lblEstado->setToolTip(motivos.isEmpty() ? QString() : "Rechazados:" + motivos);
        validacion_ = std::move(v);
    }
    nombre_ = nombre;
    btnExportar->setEnabled(validacion_.has_value());
    Llenar();
    Dibujar();
    emit Terminado();
}

void TfrmValidacion::Llenar() {
    const std::vector<TEstadistica> e = validacion_ ? Estadisticas(*validacion_) : std::vector<TEstadistica>{};
    tblValidacion->setRowCount(int(e.size()));
    for (int i = 0; i < int(e.size()); ++i) {
        const TEstadistica& s = e[std::size_t(i)];
        const QString celdas[] = {Texto(s.formula),           QString::number(s.n),
                                  Numero(s.sesgo, 2),         Numero(s.mediana, 2),
                                  s.cv ? Numero(*s.cv, 2) : "-", Numero(100 * s.subestimados, 0) + " %",
                                  Numero(s.r95, 2)};
        for (int j = 0; j < 7; ++j) {
            auto* celda = new QTableWidgetItem(celdas[j]);
            if (j > 0) celda->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            tblValidacion->setItem(i, j, celda);
        }
    }
    tblValidacion->resizeColumnsToContents();
    // Every formula's row in sight where the window has room for them and
    // the chart; on a small screen the table scrolls.
    int alto = tblValidacion->horizontalHeader()->height() + 2 * tblValidacion->frameWidth();
    for (int i = 0; i < tblValidacion->rowCount(); ++i) alto += tblValidacion->rowHeight(i);
    tblValidacion->setMinimumHeight(std::min(alto, kAltoTablaMinimo));
    tblValidacion->setMaximumHeight(alto);
    if (auto* division = findChild<QSplitter*>()) {
        const int total = division->height();
        const int tabla = std::min(alto, std::max(kAltoTablaMinimo, total - kAltoGraficoMinimo));
        division->setSizes({tabla, std::max(0, total - tabla)});
    }
}

void TfrmValidacion::Dibujar() {
    QCustomPlot* c = chrtValidacion;
    c->clearGraphs();
    c->clearItems();
    nubes.clear();
    filasDePuntos_.clear();
    lblPunto->clear();
    double menor = std::numeric_limits<double>::infinity(), mayor = 0;
    if (validacion_) {
        const TValidacion& v = *validacion_;
        for (std::size_t i = 0; i < v.formulas.size(); ++i) {
            QVector<double> x, y;
            std::vector<std::size_t> filas;
            for (std::size_t r = 0; r < v.filas.size(); ++r) {
                const TFilaValidacion& f = v.filas[r];
                // A zero measurement counts in the figures but has no place on a log axis.
                if (!f.Cociente(i) || !(*f.medida > 0)) continue;
                x << *f.predichas[i];
                y << *f.medida;
                filas.push_back(r);
                menor = std::min({menor, *f.predichas[i], *f.medida});
                mayor = std::max({mayor, *f.predichas[i], *f.medida});
            }
            QCPGraph* g = c->addGraph();
            g->setName(Texto(v.formulas[i]));
            g->setObjectName("nube" + Texto(v.formulas[i]));
            g->setLineStyle(QCPGraph::lsNone);
            QColor color = ColorDeFormula(i);
            QColor relleno = color;
            relleno.setAlpha(90);
            g->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, color, relleno, 5));
            g->setData(x, y);
            nubes.push_back(g);
            filasDePuntos_.push_back(std::move(filas));
        }
    }
    if (!(mayor > 0)) menor = 0.01, mayor = 10;
    menor /= kMargenLog;
    mayor *= kMargenLog;
    c->xAxis->setRange(menor, mayor);
    c->yAxis->setRange(menor, mayor);
    // On log axes y = f x is a straight line: 1:1 solid, factor 2 dashed.
    for (const auto& [factor, trazo] : {std::pair{1.0, Qt::SolidLine}, {2.0, Qt::DashLine}, {0.5, Qt::DashLine}}) {
        auto* linea = new QCPItemStraightLine(c);
        linea->setObjectName(factor == 1 ? "linea1a1" : factor > 1 ? "lineaDoble" : "lineaMitad");
        linea->setPen(QPen(Qt::black, 1, trazo));
        linea->point1->setCoords(1, factor);
        linea->point2->setCoords(10, 10 * factor);
        linea->setSelectable(false);
    }
    c->legend->setVisible(!nubes.empty());
    c->replot();
}

void TfrmValidacion::NombrarPunto(const QPoint& pos) {
    double mejor = kRadioPunto * kRadioPunto;
    QString nombre;
    for (std::size_t i = 0; i < nubes.size(); ++i) {
        const auto datos = nubes[i]->data();
        std::size_t j = 0;
        for (auto it = datos->constBegin(); it != datos->constEnd(); ++it, ++j) {
            const double px = chrtValidacion->xAxis->coordToPixel(it->key) - pos.x();
            const double py = chrtValidacion->yAxis->coordToPixel(it->value) - pos.y();
            if (px * px + py * py >= mejor) continue;
            mejor = px * px + py * py;
            const TFilaValidacion& f = validacion_->filas[filasDePuntos_[i][j]];
            QString sitio = Texto(f.sitio.empty() ? "línea " + std::to_string(f.linea) : f.sitio);
            if (!f.fecha.empty()) sitio += ", " + Texto(f.fecha);
            nombre = QString("%1 — %2: medida %3 m, calculada %4 m")
                         .arg(sitio, Texto(validacion_->formulas[i]), Numero(it->value, 2), Numero(it->key, 2));
        }
    }
    lblPunto->setText(nombre);
}

void TfrmValidacion::AbrirArchivo(const QString& ruta) {
    archivos_.push_back(ruta);
    cmbConjunto->addItem(QFileInfo(ruta).fileName());
    cmbConjunto->setItemData(cmbConjunto->count() - 1, QDir::toNativeSeparators(ruta), Qt::ToolTipRole);
    cmbConjunto->setCurrentIndex(cmbConjunto->count() - 1);
}

void TfrmValidacion::btnAbrirClick() {
    const QString ruta = QFileDialog::getOpenFileName(this, "Abrir mediciones", {}, "Casos con medición (*.csv);;Todos (*)");
    if (!ruta.isEmpty()) AbrirArchivo(ruta);
}

bool TfrmValidacion::Exportar(const QString& ruta, QString extension) {
    if (!validacion_) return false;
    if (extension.isEmpty()) extension = QFileInfo(ruta).suffix().toLower();
    return ExportarGrafico(*chrtValidacion, ruta, extension, windowTitle() + " - " + nombre_, [this] {
        std::ostringstream csv;
        EscribirFilas(csv, *validacion_);
        return csv.str();
    }, {TPaginaGrafico::kAnchoPng, kPuntosPorPulgadaPng}, {{"Mediciones", nombre_.toStdString()}}, [this] {
        return std::vector<THojaLibro>{{"Resumen", CsvResumenValidacion(*validacion_)}};
    });
}

void TfrmValidacion::btnExportarClick() {
    const auto archivo = ElegirArchivoExportar(this, "Exportar validación", kFormatos);
    if (!archivo) return;
    if (!Exportar(archivo->ruta, archivo->extension))
        MostrarMensaje(this, QString("No se pudo exportar la validación a \"%1\".").arg(archivo->ruta));
}
