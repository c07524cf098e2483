#include "results/untPaginaResultados.h"

#include <algorithm>
#include <optional>
#include <utility>

#include <QColor>
#include <QFrame>
#include <QPalette>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWindow>
#include <QBoxLayout>
#include <QPushButton>

#include "turmado.h"
#include "comun/untIconos.h"
#include "comun/untPantalla.h"
#include "comun/untPict.h"
#include "comun/untVentanaProblema.h"
#include "results/untDetalleVentana.h"
#include "results/untPdteCritPVC.h"
#include "results/untSensibilidad.h"
#include "results/untVentanaIncertidumbre.h"

namespace {

// Columns of the page, pixels from its left edge: the caption column is at
// least this wide and grows to the longest caption shown; the value and unit
// columns follow it.
constexpr int kParametroX = 8, kParametroAncho = 292;
constexpr int kValorAncho = 96, kUnidadAncho = 80, kEntreColumnas = 8;
constexpr int kTituloX = 12, kTituloY = 12;
constexpr int kMarcoTitulo = 4;     // the frame lies this far around the title
constexpr int kFilaPendiente = 10;  // row of the upstream slope of the confined vortex
constexpr int kFilaBotones = 12;    // below the last row of any code
constexpr int kMarcaAncho = 20;     // validity marker, just right of the short unit "[m]"
constexpr int kEntreAvisos = 4;     // between the summary and each data warning
// Warning colour of the markers and the summary, set on the palette so that
// their tooltips keep the usual colours.
const QColor kColorAviso(0xa3, 0x3c, 0x00);

// The pictures of the "Imagen" buttons of a code, from its descriptor: each
// with the text and tooltip of its button.
std::vector<std::pair<TImagen, const TImagenTipo*>> ImagenesDe(ProblemCode codigo) {
    std::vector<std::pair<TImagen, const TImagenTipo*>> imagenes;
    if (const TTipoEstructura* t = TipoEstructura(codigo))
        for (const TImagenTipo& i : t->imagenes)
            if (const auto imagen = ImagenDeNombre(i.nombre)) imagenes.emplace_back(*imagen, &i);
    return imagenes;
}

QString Texto(const std::string& s) { return QString::fromStdString(s); }

void PintarAviso(QLabel* l) {
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, kColorAviso);
    l->setPalette(p);
}

// A marker a little larger than the text, so that the sign reads at a glance.
QLabel* CrearMarca(QWidget* pagina, const QString& nombre) {
    QLabel* l = CrearEtiqueta(pagina, nombre, "", 0, kMarcaAncho, true);
    QFont f = l->font();
    f.setPointSizeF(f.pointSizeF() * 1.3);
    l->setFont(f);
    l->resize(kMarcaAncho, columnas::kAltoEdit);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    PintarAviso(l);
    return l;
}

QPushButton* BotonConGlifo(QWidget* pagina, const char* nombre, const QString& texto, TIcono icono) {
    auto* b = new QPushButton(Icono(icono), texto, pagina);
    b->setObjectName(nombre);
    return b;
}

}  // namespace

TEtiquetaAviso::TEtiquetaAviso(const QString& texto, std::string campo, QWidget* padre)
    : QLabel(texto, padre), campo_(std::move(campo)) {
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setCursor(Qt::PointingHandCursor);
    PintarAviso(this);
}

void TEtiquetaAviso::mouseReleaseEvent(QMouseEvent* e) {
    QLabel::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit Pulsada(campo_);
}

TPaginaResultados::TPaginaResultados(IVentanaProblema& ventana) : ventana_(ventana) {
    setObjectName("tbshProblema");
    lblProbTipo = CrearEtiqueta(this, "lblProbTipo", "Problema", kTituloX, 0, true);
    lblProbTipo->move(kTituloX, kTituloY);
    bvlProblema = new QFrame(this);
    bvlProblema->setObjectName("bvlProblema");
    bvlProblema->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bvlProblema->lower();
    PonerTitulo("Problema");

    lblProbPara = CrearEtiqueta(this, "lblProbPara", "Parámetro", kParametroX, kParametroAncho, true);
    lblProbValo = CrearEtiqueta(this, "lblProbValo", "Valor", 0, kValorAncho, true);
    lblProbUnid = CrearEtiqueta(this, "lblProbUnid", "Unidades", 0, kUnidadAncho, true);
    for (QLabel* cabecera : {lblProbPara, lblProbValo, lblProbUnid}) UbicarControl(cabecera, 1, 1);

    for (const TFila& f : FilasDeLaPagina()) {
        const QString tallo = Texto(f.tallo);
        TFilaCampo c;
        c.etiqueta = CrearEtiqueta(this, "lbl" + tallo, Texto(f.etiqueta), kParametroX, kParametroAncho, false);
        c.edit = new QLineEdit(this);
        c.edit->setObjectName("edt" + tallo);
        c.edit->setReadOnly(true);
        c.edit->resize(kValorAncho, columnas::kAltoEdit);
        c.unidad = CrearEtiqueta(this, "lbl" + tallo + "Unid", Texto(f.unidad), 0, kUnidadAncho, false);
        filas_.emplace(f.tallo, c);
        marcas_.emplace(f.tallo, CrearMarca(this, "lbl" + tallo + "Avis"));
    }
    lblAvisRang = CrearEtiqueta(this, "lblAvisRang", "", kParametroX, 0, false);
    lblAvisRang->setWordWrap(true);
    lblAvisRang->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PintarAviso(lblAvisRang);

    const int yBotones = TopeFila(kFilaBotones, 1, false) + 4;
    bbtnReporte = BotonConGlifo(this, "bbtnReporte", "Reporte", TIcono::Reporte);
    bbtnShowPUno = BotonConGlifo(this, "bbtnShowPUno", "Imagen", TIcono::Imagen);
    bbtnShowPDos = BotonConGlifo(this, "bbtnShowPDos", "Imagen", TIcono::Imagen);
    int x = kParametroX;
    for (QPushButton* b : {bbtnReporte, bbtnShowPUno, bbtnShowPDos}) {
        b->setGeometry(x, yBotones, 96, 28);
        x += 104;
    }
    bbtnSensibilidad = new QPushButton("Sensibilidad...", this);
    bbtnSensibilidad->setObjectName("bbtnSensibilidad");
    bbtnSensibilidad->setGeometry(x, yBotones, 112, 28);
    bbtnIncertidumbre = new QPushButton("Incertidumbre...", this);
    bbtnIncertidumbre->setObjectName("bbtnIncertidumbre");
    bbtnIncertidumbre->setGeometry(x + 120, yBotones, 112, 28);
    bbtnDetalle = new QPushButton(kTituloDetalle, this);
    bbtnDetalle->setObjectName("bbtnDetalle");
    bbtnDetalle->setGeometry(x + 120, yBotones, 136, 28);
    bbtnPdteCrit = BotonConGlifo(this, "bbtnPdteCrit", "", TIcono::Tabla);
    bbtnPdteCrit->resize(24, columnas::kAltoEdit);
    AjustarColumnas(kParametroAncho);
    bbtnPdteCrit->setToolTip(QString::fromUtf8(kTituloPdteCrit));

    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) w->hide();
    // Until the first calculation only the buttons are shown.
    for (QWidget* w : std::initializer_list<QWidget*>{bbtnReporte, bbtnShowPUno, bbtnShowPDos, bbtnPdteCrit})
        w->show();

    connect(bbtnReporte, &QPushButton::clicked, this, &TPaginaResultados::bbtnReporteClick);
    connect(bbtnShowPUno, &QPushButton::clicked, this, &TPaginaResultados::bbtnShowPUnoClick);
    connect(bbtnShowPDos, &QPushButton::clicked, this, &TPaginaResultados::bbtnShowPDosClick);
    connect(bbtnPdteCrit, &QPushButton::clicked, this, &TPaginaResultados::bbtnPdteCritClick);
    connect(bbtnSensibilidad, &QPushButton::clicked, this, &TPaginaResultados::bbtnSensibilidadClick);
    connect(bbtnIncertidumbre, &QPushButton::clicked, this, &TPaginaResultados::bbtnIncertidumbreClick);
    connect(bbtnDetalle, &QPushButton::clicked, this, &TPaginaResultados::bbtnDetalleClick);
}

void TPaginaResultados::PonerTitulo(const QString& titulo) {
    lblProbTipo->setText(titulo);
    lblProbTipo->adjustSize();
    bvlProblema->setGeometry(lblProbTipo->geometry().adjusted(-kMarcoTitulo, -kMarcoTitulo, kMarcoTitulo,
                                                               kMarcoTitulo));
}

void TPaginaResultados::AjustarColumnas(int anchoParametro) {
    const int valorX = kParametroX + anchoParametro + kEntreColumnas;
    const int unidadX = valorX + kValorAncho + kEntreColumnas;
    lblProbPara->resize(anchoParametro, lblProbPara->height());
    lblProbValo->move(valorX, lblProbValo->y());
    lblProbUnid->move(unidadX, lblProbUnid->y());
    for (auto& [tallo, c] : filas_) {
        c.etiqueta->resize(anchoParametro, c.etiqueta->height());
        c.edit->move(valorX, c.edit->y());
        c.unidad->move(unidadX, c.unidad->y());
        marcas_.at(tallo)->move(unidadX + 28, c.edit->y());  // as tall as the value, centred on it
    }
    // Just right of the slope's short unit "[º]".
    bbtnPdteCrit->move(unidadX + 28, TopeFila(kFilaPendiente, 1, false));
}

void TPaginaResultados::tbshProblemaShow() {
    TDatosProblema& d = ventana_.Datos();
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) w->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{lblProbTipo, lblProbPara, lblProbValo, lblProbUnid,
                                                       bvlProblema, bbtnReporte, bbtnShowPUno})
        w->show();
    const auto imagenes = ImagenesDe(d.CodiProb);
    bbtnShowPDos->setVisible(imagenes.size() > 1);
    // Each picture button names its drawing; as wide as its text.
    auto nombrar = [&](QPushButton* b, std::size_t n) {
        const TImagenTipo* i = n < imagenes.size() ? imagenes[n].second : nullptr;
        b->setText(Texto(std::string(i ? i->boton : kBotonImagen)));
        b->setToolTip(i && !i->ayuda.empty() ? Texto(std::string(i->ayuda)) : QString());
        b->resize(std::max(96, b->sizeHint().width()), b->height());
    };
    nombrar(bbtnShowPUno, 0);
    nombrar(bbtnShowPDos, 1);
    bbtnShowPDos->move(bbtnShowPUno->geometry().right() + 9, bbtnShowPDos->y());
    constexpr int kHolguraBoton = 8;  // px beside the text, as the fixed buttons have
    // After the picture buttons; only for a code with formulas to study.
    // As wide as their texts: with the abutment's two pictures the row
    // holds six buttons.
    for (QPushButton* b : {bbtnSensibilidad, bbtnIncertidumbre, bbtnDetalle})
        b->resize(b->sizeHint().width() + kHolguraBoton, b->height());
    bbtnSensibilidad->move((bbtnShowPDos->isVisibleTo(this) ? bbtnShowPDos : bbtnShowPUno)->geometry().right() + 9,
                           bbtnSensibilidad->y());
    bbtnSensibilidad->setVisible(CalculadoraDe(d.CodiProb) != nullptr);
    bbtnIncertidumbre->move(bbtnSensibilidad->geometry().right() + 9, bbtnSensibilidad->y());
    bbtnIncertidumbre->setVisible(CalculadoraDe(d.CodiProb) != nullptr);
    bbtnDetalle->move(bbtnIncertidumbre->geometry().right() + 9, bbtnSensibilidad->y());
    bbtnDetalle->setVisible(CalculadoraDe(d.CodiProb) != nullptr);
    if (ConTablaPendientes(d.CodiProb)) MostrarTabla(bbtnPdteCrit, ventana_.Panel());

    const std::vector<TFila> filas = FilasResultados(d.CodiProb, d, ventana_.Panel());
    const TAvisos avisos = AvisosResultado(d.CodiProb, d, filas);
    int ancho = kParametroAncho;
    for (int i = 0; i < int(filas.size()); ++i) {
        const TFila& f = filas[i];
        const auto it = filas_.find(f.tallo);
        if (it == filas_.end()) continue;  // every row of the core has its controls (tested)
        const TFilaCampo& c = it->second;
        c.etiqueta->setText(Texto(f.etiqueta));
        c.edit->setText(Texto(f.valor));
        c.edit->setCursorPosition(0);
        c.unidad->setText(Texto(f.unidad));
        UbicarFila(c.etiqueta, c.edit, c.unidad, i + 2, 1);
        ancho = std::max(ancho, c.etiqueta->fontMetrics().horizontalAdvance(c.etiqueta->text()) + 4);
        MostrarAviso(f, AvisoDeFila(f, avisos, ventana_.Panel()), i + 2);
        AgregarContraMediciones(f, d.CodiProb);
    }
    AjustarColumnas(ancho);
    MostrarAvisosAbajo(TopeFila(int(filas.size()) + 2, 1, true), ResumenAvisos(avisos, ventana_.Panel()));
}

void TPaginaResultados::MostrarAvisosAbajo(int y, const std::string& resumen) {
    const int ancho = width() - 2 * kParametroX;
    auto Poner = [&](QLabel* l) {
        l->setGeometry(kParametroX, y, ancho, l->heightForWidth(ancho));
        l->show();
        y += l->height() + kEntreAvisos;
    };
    if (!resumen.empty()) {
        lblAvisRang->setText(Texto(resumen));
        Poner(lblAvisRang);
    }
    for (TEtiquetaAviso* l : avisosDatos_) {
        l->hide();
        l->deleteLater();
    }
    avisosDatos_.clear();
    for (const TAvisoDato& a : ::AvisosDatos(ventana_.Datos().CodiProb, ventana_.Textos(), ventana_.Datos(), ventana_.Panel())) {
        auto* l = new TEtiquetaAviso(Texto(MarcaAviso(TEstadoRango::Fuera) + " " + a.texto), a.campo, this);
        l->setObjectName(QString("lblAvisDato%1").arg(avisosDatos_.size() + 1));
        if (const TCampo* c = BuscarCampo(a.campo))
            l->setToolTip("Ir al campo \"" + QString::fromUtf8(c->etiqueta.data(), qsizetype(c->etiqueta.size())) + "\"");
        connect(l, &TEtiquetaAviso::Pulsada, this, [this](const std::string& campo) { ventana_.IrACampo(campo); });
        avisosDatos_.push_back(l);
        Poner(l);
    }
    // The buttons on their usual row, or below the last warning.
    const int yBotones = std::max(TopeFila(kFilaBotones, 1, false) + 4, y + kEntreAvisos);
    for (QPushButton* b : {bbtnReporte, bbtnShowPUno, bbtnShowPDos, bbtnSensibilidad, bbtnIncertidumbre, bbtnDetalle})
        b->move(b->x(), yBotones);
    ventana_.AltoDePagina(bbtnReporte->geometry().bottom() + kEntreAvisos * 2);
}

void TPaginaResultados::MostrarAviso(const TFila& fila, const TAvisoFila& aviso, int numero) {
    const TFilaCampo& c = filas_.at(fila.tallo);
    QLabel* marca = marcas_.at(fila.tallo);
    const QString texto = Texto(aviso.texto);
    c.edit->setToolTip(texto);
    marca->setToolTip(texto);
    marca->setText(Texto(aviso.marca));
    if (aviso.marca.empty()) return;
    marca->move(marca->x(), TopeFila(numero, 1, false));
    marca->show();
}

// A formula's depth with a record against the shipped measurements: one
// more line in its tooltip.
void TPaginaResultados::AgregarContraMediciones(const TFila& fila, int codigo) {
    for (int k = 1; k <= 4; ++k) {
        if (fila.tallo != TalloErosion(k)) continue;
        const std::string linea = LineaContraMediciones(codigo, ventana_.Panel().Titulo(k));
        if (linea.empty()) return;
        QLineEdit* edit = filas_.at(fila.tallo).edit;
        const QString previo = edit->toolTip();
        edit->setToolTip((previo.isEmpty() ? QString() : previo + "\n") + Texto(linea));
    }
}

void TPaginaResultados::MostrarTabla(QPushButton* boton, TPanelFormulas& panel) {
    boton->setVisible(true);
    ::MostrarTabla(panel);
}

// The observations, then the preview of the one-page report.
void TPaginaResultados::bbtnReporteClick() { ventana_.AbrirReporte(); }

void TPaginaResultados::bbtnShowPUnoClick() {
    if (const auto i = ImagenesDe(ventana_.Datos().CodiProb); !i.empty()) AbrirImagen(this, i[0].first, nullptr);
}

void TPaginaResultados::bbtnShowPDosClick() {
    if (const auto i = ImagenesDe(ventana_.Datos().CodiProb); i.size() > 1) AbrirImagen(this, i[1].first, nullptr);
}

// The critical-slope table, modal, owned by the calculation window.
void TPaginaResultados::bbtnPdteCritClick() {
    TfrmPdteCritPVC tabla(&ventana_.Ventana());
    tabla.exec();
}

// ---- Side windows: one of each, owned by the calculation window (so
// transient for its top-level window, which keeps them in front of it).

TfrmSensibilidad* TPaginaResultados::VentanaSensibilidad() const { return sensibilidad_.data(); }
TfrmIncertidumbre* TPaginaResultados::VentanaIncertidumbre() const { return incertidumbre_.data(); }
TfrmDetalle* TPaginaResultados::VentanaDetalle() const { return detalle_.data(); }

void TPaginaResultados::Traer(QWidget* w) {
    // A utility window of the main window that holds the calculation
    // window: the window manager keeps it in front of that window (a parent
    // alone does not say so on every desktop).
    if (!w->isVisible()) w->setWindowFlag(Qt::Tool, true);
    if (w->isMinimized()) w->showNormal();
    w->show();
    DentroDeLaPantalla(w, w->size());
    w->raise();
    w->activateWindow();
}

void TPaginaResultados::bbtnSensibilidadClick() {
    if (!sensibilidad_)
        sensibilidad_ = new TfrmSensibilidad(ventana_.ProblemaActual(), lblProbTipo->text(), &ventana_.Ventana());
    Traer(sensibilidad_);
}

void TPaginaResultados::bbtnIncertidumbreClick() {
    if (!incertidumbre_) {
        incertidumbre_ = new TfrmIncertidumbre(ventana_.ProblemaActual(), lblProbTipo->text(), &ventana_.Ventana());
        if (ajuste_)
            incertidumbre_->AplicarAjuste(*ajuste_);
        else
            inicial_ = std::make_shared<TIncertidumbreArchivo>(incertidumbre_->Ajuste());
        connect(incertidumbre_.data(), &TfrmIncertidumbre::Cerrando, this, [this](const TIncertidumbreArchivo& a) {
            ajuste_ = std::make_shared<TIncertidumbreArchivo>(a);
        });
    }
    Traer(incertidumbre_);
}

void TPaginaResultados::bbtnDetalleClick() {
    const TDetalleCalculo detalle = DetalleCalculo(ventana_.Datos(), ventana_.Panel(), ventana_.OpcionManning());
    if (!detalle_) detalle_ = new TfrmDetalle(detalle, &ventana_.Ventana());
    Traer(detalle_);
}

namespace {

// The note at the top of a side window (its layout a column): created
// hidden with the first need.
QLabel* NotaAnterior(QWidget* w) {
    if (auto* l = w->findChild<QLabel*>("lblAnterior", Qt::FindDirectChildrenOnly)) return l;
    auto* l = new QLabel(
        "Los datos del problema cambiaron después de su último «Calcular»: esta ventana muestra el estado de ese "
        "cálculo. Pulse «Calcular» en la ventana del problema para actualizarla.",
        w);
    l->setObjectName("lblAnterior");
    l->setWordWrap(true);
    l->setFrameStyle(QFrame::StyledPanel);
    l->setMargin(4);
    PintarAviso(l);
    if (auto* capa = qobject_cast<QBoxLayout*>(w->layout())) capa->insertWidget(0, l);
    l->hide();
    return l;
}

}  // namespace

std::vector<QWidget*> TPaginaResultados::LateralesAbiertas() const {
    std::vector<QWidget*> r;
    for (QWidget* w : {static_cast<QWidget*>(sensibilidad_.data()), static_cast<QWidget*>(incertidumbre_.data()),
                       static_cast<QWidget*>(detalle_.data())})
        if (w) r.push_back(w);
    return r;
}

void TPaginaResultados::SeguirProblema() {
    const TProblema problema = ventana_.ProblemaActual();
    const QString titulo = lblProbTipo->text();
    if (sensibilidad_) sensibilidad_->FijarProblema(problema, titulo);
    if (incertidumbre_) incertidumbre_->FijarProblema(problema, titulo);
    if (detalle_) detalle_->Fijar(DetalleCalculo(ventana_.Datos(), ventana_.Panel(), ventana_.OpcionManning()));
    for (QWidget* w : LateralesAbiertas()) NotaAnterior(w)->hide();
}

void TPaginaResultados::MarcarAnteriores() {
    for (QWidget* w : LateralesAbiertas()) NotaAnterior(w)->show();
}

std::optional<TIncertidumbreArchivo> TPaginaResultados::AjusteIncertidumbre() const {
    if (incertidumbre_) return incertidumbre_->Ajuste();
    return ajuste_ ? std::optional(*ajuste_) : std::nullopt;
}

void TPaginaResultados::FijarAjusteIncertidumbre(const std::optional<TIncertidumbreArchivo>& ajuste) {
    ajuste_ = ajuste ? std::make_shared<TIncertidumbreArchivo>(*ajuste) : nullptr;
    if (incertidumbre_ && ajuste) incertidumbre_->AplicarAjuste(*ajuste);
    AjusteGuardado();
}

void TPaginaResultados::AjusteGuardado() {
    const auto a = AjusteIncertidumbre();
    guardado_ = a ? std::make_shared<TIncertidumbreArchivo>(*a) : nullptr;
}

bool TPaginaResultados::AjusteCambiado() const {
    const auto a = AjusteIncertidumbre();
    if (!a) return false;
    if (guardado_) return *guardado_ != *a;
    return !inicial_ || *inicial_ != *a;
}
