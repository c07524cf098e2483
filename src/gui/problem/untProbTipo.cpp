#include "problem/untProbTipo.h"

#include <algorithm>

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "turmado.h"
#include "comun/untControlCampos.h"
#include "comun/untGrupoRadio.h"
#include "comun/untMensajes.h"
#include "comun/untTexto.h"
#include "pickers/untPaginaComplementaria.h"
#include "problem/untPaginaEstructura.h"
#include "problem/untPaginasDatos.h"
#include "results/untPaginaGrafico.h"
#include "results/untPaginaResultados.h"
#include "results/untReunirReporte.h"

namespace {

QPushButton* BotonContinuar(QWidget* padre, const char* nombre) {
    auto* b = new QPushButton("Continuar", padre);
    b->setObjectName(nombre);
    b->setMinimumWidth(96);
    b->hide();
    return b;
}

bool ValorNuevo(const QLineEdit* edit, std::optional<double> guardado) {
    return ValorCambiado(guardado, edit->text().toStdString());
}

}  // namespace

TfrmProbTipo::TfrmProbTipo(QWidget* padre) : QWidget(padre), menu_(new TMenuHijo(this)) {
    setObjectName("frmProbTipo");
    ActualizarTitulo();
    setAttribute(Qt::WA_DeleteOnClose);
    campos_ = new TControlCampos(this, datos_, [this](QLineEdit* edit, const TCampo& campo,
                                                      std::optional<double> guardado) {
        if (campo.reaccion == TReaccion::Posteriores)
            InvalidarPosteriores(edit, campo.pagina, guardado);
        else
            InvalidarResultados(edit, campo.pagina, guardado);
    });

    // The window sizes itself to its visible controls: it grows when a
    // question opens below the pages and shrinks when it is put away.
    auto* capa = new QVBoxLayout(this);
    capa->setSizeConstraint(QLayout::SetFixedSize);
    capa->setContentsMargins(6, 6, 6, 6);
    capa->setSpacing(6);

    pgReplanteo = new QTabWidget(this);
    pgReplanteo->setObjectName("pgReplanteo");
    pgReplanteo->setFixedSize(500, kAltoPaginas);
    tbshNivel0 = new TPaginaGlobal(*this);
    tbshNivel1 = new TPaginaLocal(*this);
    tbshNivel2 = new TPaginaEstructura(*this);
    tbshNivel3 = new TPaginaComplementaria(*this);
    tbshProblema = new TPaginaResultados(*this);
    tbshGrafico = new TPaginaGrafico(grafico_);
    pgReplanteo->addTab(tbshNivel0, "Datos Globales");
    pgReplanteo->addTab(tbshNivel1, "Datos Locales");
    pgReplanteo->addTab(tbshNivel2, "Datos de Estructura");
    pgReplanteo->addTab(tbshNivel3, "Datos Complementarios");
    pgReplanteo->addTab(tbshProblema, "Resultados");
    pgReplanteo->addTab(tbshGrafico, "Grafico");
    // Wide enough for the six tabs side by side, so that none hides behind
    // scroll arrows.
    pgReplanteo->tabBar()->setUsesScrollButtons(false);
    pgReplanteo->setFixedWidth(std::max(pgReplanteo->width(), pgReplanteo->tabBar()->sizeHint().width() + 4));
    capa->addWidget(pgReplanteo);

    // The questions share one place below the pages: groups at the left,
    // their "Continuar" at the right.
    zonaPreguntas_ = new QWidget(this);
    zonaPreguntas_->setObjectName("zonaPreguntas");
    auto* abajo = new QHBoxLayout(zonaPreguntas_);
    abajo->setContentsMargins(0, 0, 0, 0);
    // The wizard's questions, as the core words them.
    auto grupo = [&](const TPregunta& q) {
        QStringList items;
        for (std::string_view item : q.items) items << QTexto(item);
        return new TGrupoRadio(QTexto(q.nombre), QTexto(q.titulo), items, zonaPreguntas_);
    };
    rg0 = grupo(PreguntaFenomeno());
    rg00 = grupo(*PreguntaObstaculo(1));
    rg01 = grupo(*PreguntaObstaculo(2));
    rg02 = grupo(*PreguntaObstaculo(3));
    rg000 = grupo(PreguntaChorro());
    for (TGrupoRadio* g : {rg0, rg00, rg01, rg02, rg000}) {
        g->setMinimumWidth(300);
        g->hide();
        abajo->addWidget(g, 0, Qt::AlignLeft | Qt::AlignTop);
    }
    abajo->addStretch(1);
    btnContAfue01 = BotonContinuar(zonaPreguntas_, "btnContAfue01");
    btnContAfue12 = BotonContinuar(zonaPreguntas_, "btnContAfue12");
    btnContAfue23 = BotonContinuar(zonaPreguntas_, "btnContAfue23");
    for (QPushButton* b : {btnContAfue01, btnContAfue12, btnContAfue23})
        abajo->addWidget(b, 0, Qt::AlignRight | Qt::AlignBottom);
    zonaPreguntas_->hide();
    capa->addWidget(zonaPreguntas_);

    connect(menu_->AgregarGuardar(), &QAction::triggered, this, [this] { GuardarProblema(); });
    connect(btnContAfue01, &QPushButton::clicked, this, &TfrmProbTipo::btnContAfue01Click);
    connect(btnContAfue12, &QPushButton::clicked, this, &TfrmProbTipo::btnContAfue12Click);
    connect(btnContAfue23, &QPushButton::clicked, this, &TfrmProbTipo::btnContAfue23Click);
    connect(pgReplanteo, &QTabWidget::currentChanged, this, &TfrmProbTipo::PaginaCambiada);

    // FormCreate: "Datos Globales" is the only tab; the Manning option is
    // selected (its click disables all four roughness controls) and its edit
    // and unit enabled.
    for (int p = kLocal; p < kPaginas; ++p) pgReplanteo->setTabVisible(p, false);
    tbshNivel0->rbCaucCoefMannCauc->setChecked(true);
    tbshNivel0->edtCaucCoefMannCauc->setEnabled(true);
    tbshNivel0->lblCaucCoefMannCaucUnid->setEnabled(true);
    setWindowModified(false);  // selecting the option above is no change of the user's
}

// No page event and no field event may run while the pages are destroyed.
// Closed or thrown away with the main window: its changes were saved or
// given up, and its recovery copy goes too.
TfrmProbTipo::~TfrmProbTipo() {
    disconnect(pgReplanteo, nullptr, this, nullptr);
    delete campos_;
    BorrarRecuperacion();
}

void TfrmProbTipo::closeEvent(QCloseEvent* e) {
    if (MensajesAbiertos() > 0) {
        e->ignore();
        DespuesDeLosMensajes(this, [this] {
            if (auto* marco = qobject_cast<QMdiSubWindow*>(parentWidget()))
                marco->close();
            else
                close();
        });
        return;
    }
    if (!PreguntarAlCerrar()) {
        e->ignore();
        return;
    }
    QWidget::closeEvent(e);
}

QLineEdit* TfrmProbTipo::Campo(std::string_view nombre) const { return campos_->Edit(nombre); }

TTextosCampos TfrmProbTipo::Textos() const {
    TTextosCampos textos = TextosPorDefecto();
    campos_->LeerTextos(textos);
    return textos;
}

bool TfrmProbTipo::OpcionManning() const { return tbshNivel0->rbCaucCoefMannCauc->isChecked(); }

TVistaVentana TfrmProbTipo::Vista() const {
    TVistaVentana v{pgReplanteo->isTabVisible(kResultados), tbshGrafico->chkTiempoLog->isChecked(), {}};
    for (int k = 0; k < 4; ++k) v.ocultas[k] = tbshGrafico->SerieOculta(k);
    return v;
}

// ---- Pages: show and hide events, run from the change of the active page.

void TfrmProbTipo::PaginaCambiada(int nueva) {
    const int vieja = paginaActual_;
    paginaActual_ = nueva;
    OcultarPagina(vieja);
    MostrarPagina(nueva);
}

void TfrmProbTipo::OcultarPagina(int pagina) {
    switch (pagina) {
        case kGlobal: tbshNivel0Hide(); break;
        case kLocal: tbshNivel1Hide(); break;
        case kEstructura:
        case kComplementaria: tbshNivel2Hide(); break;
        default: break;
    }
}

void TfrmProbTipo::MostrarPagina(int pagina) {
    Proteger(this, [&] {
        EntrarEnPagina(datos_, unsigned(pagina));
        switch (pagina) {
            case kLocal: tbshNivel1Show(); break;
            case kEstructura: tbshNivel2->tbshNivel2Show(); break;
            case kComplementaria: tbshNivel3->tbshNivel3Show(); break;
            case kResultados: tbshProblema->tbshProblemaShow(); break;
            default: break;  // "Datos Globales" and "Grafico" show what they hold
        }
    });
}

void TfrmProbTipo::tbshNivel1Show() {
    tbshNivel1->lblFlujTiraRest->setText(QTexto(EtiquetaCampo(*BuscarCampo("FlujTiraRest"), datos_.CodiProb)));
}

void TfrmProbTipo::tbshNivel0Hide() {
    rg0->hide();
    OcultarBotonesContinuar();
}

void TfrmProbTipo::tbshNivel1Hide() {
    for (TGrupoRadio* g : {rg00, rg01, rg02}) g->hide();
    OcultarBotonesContinuar();
}

void TfrmProbTipo::tbshNivel2Hide() {
    rg000->hide();
    OcultarBotonesContinuar();
}

void TfrmProbTipo::OcultarBotonesContinuar() {
    for (QPushButton* b : {btnContAfue01, btnContAfue12, btnContAfue23}) b->hide();
    AjustarPreguntas();
}

void TfrmProbTipo::AjustarPreguntas() {
    bool alguna = false;
    for (QWidget* w : zonaPreguntas_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        alguna = alguna || !w->isHidden();
    zonaPreguntas_->setVisible(alguna);
    // The window follows its content at once, and so does the frame of the
    // multiple-document area that holds it.
    layout()->activate();
    if (auto* marco = qobject_cast<QMdiSubWindow*>(parentWidget())) marco->adjustSize();
}

// ---- Wizard.

void TfrmProbTipo::AbrirPregunta(TGrupoRadio* grupo, QPushButton* boton) {
    pgReplanteo->setEnabled(false);
    grupo->show();
    boton->show();
    AjustarPreguntas();
    grupo->DarFoco();
}

void TfrmProbTipo::btnN0Click() { AbrirPregunta(rg0, btnContAfue01); }

void TfrmProbTipo::btnN1Click() {
    switch (datos_.CodiProb) {
        case 1: AbrirPregunta(rg00, btnContAfue12); break;
        case 2: AbrirPregunta(rg01, btnContAfue12); break;
        case 3: AbrirPregunta(rg02, btnContAfue12); break;
        default: break;
    }
}

void TfrmProbTipo::PreguntarChorro() { AbrirPregunta(rg000, btnContAfue23); }

void TfrmProbTipo::btnContAfue01Click() {
    const int item = rg0->ItemIndex();
    if (item < 0) return;
    const std::uint8_t viejo = datos_.ElecFeno;
    datos_.ElecFeno = static_cast<std::uint8_t>(item);
    AbrirPaginaSiguiente(kLocal, viejo, datos_.ElecFeno);
    respuestas_ = CalcularCodigo(kLocal, datos_);
}

void TfrmProbTipo::btnContAfue12Click() {
    const ProblemCode codigo = datos_.CodiProb;
    TGrupoRadio* grupo = codigo == 1 ? rg00 : codigo == 2 ? rg01 : codigo == 3 ? rg02 : nullptr;
    if (!grupo) return;
    const int item = grupo->ItemIndex();
    if (item < 0) return;
    const auto nuevo = CodificarObstaculo(codigo, item);
    if (!nuevo) {
        MostrarMensaje(this, kMensajeRamaInactiva);
        return;
    }
    const std::uint8_t viejo = datos_.ElecObst;
    datos_.ElecObst = *nuevo;
    AbrirPaginaSiguiente(kEstructura, viejo, *nuevo);
    respuestas_ = CalcularCodigo(kEstructura, datos_);
}

void TfrmProbTipo::btnContAfue23Click() {
    const int item = rg000->ItemIndex();
    if (item < 0) return;
    const std::uint8_t viejo = datos_.ElecChor;
    datos_.ElecChor = CodificarChorro(item);
    AbrirPaginaSiguiente(kComplementaria, viejo, datos_.ElecChor);
}

void TfrmProbTipo::AbrirPaginaSiguiente(int pagina, std::uint8_t viejo, std::uint8_t nuevo) {
    // Every answer of the wizard, the jet's included, comes here: a new
    // page or another answer is a change of the problem.
    if (!pgReplanteo->isTabVisible(pagina) || viejo != nuevo) setWindowModified(true);
    pgReplanteo->setTabVisible(pagina, true);
    pgReplanteo->setCurrentIndex(pagina);
    ReiniciarSiCambio(viejo, nuevo);
    pgReplanteo->setEnabled(true);
}

void TfrmProbTipo::ReiniciarSiCambio(std::uint8_t viejo, std::uint8_t nuevo) {
    if (viejo == nuevo) return;
    tbshProblema->MarcarAnteriores();
    OcultarPosteriores(pgReplanteo->currentIndex());
    LimpiarGrafico();
}

void TfrmProbTipo::OcultarPosteriores(int pagina) {
    // The answers whose pages go stand no more: the obstacle's with
    // "Datos de Estructura", the phenomenon's with "Datos Locales".
    if (pagina < kEstructura && respuestas_ >= 10) respuestas_ /= 10;
    if (pagina < kLocal) respuestas_ = 0;
    for (int p = pagina + 1; p < kPaginas; ++p) pgReplanteo->setTabVisible(p, false);
    for (int p = kPaginas - 1; p >= 0; --p) {
        if (pgReplanteo->isTabVisible(p)) {
            pgReplanteo->setCurrentIndex(p);
            break;
        }
    }
}

void TfrmProbTipo::MostrarComplementarios() {
    pgReplanteo->setTabVisible(kComplementaria, true);
    pgReplanteo->setCurrentIndex(kComplementaria);
}

void TfrmProbTipo::CalcularSinComplementarios() {
    // The complementary page's show event (the protected abutment) and
    // "Calcular", without showing its tab.
    EntrarEnPagina(datos_, kComplementaria);
    tbshNivel3->tbshNivel3Show();
    Calcular();
}

// ---- "Calcular".

void TfrmProbTipo::Calcular() {
    const TTextosCampos textos = Textos();
    const bool manning = OpcionManning();
    Proteger(this, [&] {
        // The results tab and the chart's title appear as the calculator
        // starts, so that a fault in it leaves them (and the curves drawn
        // before the fault) in view.
        bool calculando = false;
        std::optional<std::string> titulo;
        try {
            titulo = ::Calcular(datos_, textos, manning, panel_, grafico_, [&](const char* t) {
                pgReplanteo->setTabVisible(kResultados, true);
                tbshGrafico->FijarTituloProblema(QString::fromUtf8(t));
                calculando = true;
            });
        } catch (const ErrorRechazo& e) {  // data refused before anything was read: a message, no fault
            MostrarMensaje(this, QString::fromUtf8(e.what()));
            return;
        } catch (...) {
            if (calculando) RefrescarGrafico();
            throw;
        }
        if (!titulo) return;
        RefrescarGrafico();
        // Without any curve, the chart's tab says why in its place.
        const std::string sinCurvas = TextoSinCurvas(grafico_, datos_.FlujTiraRest);
        tbshGrafico->FijarSinCurvas(QString::fromStdString(sinCurvas));
        if (!sinCurvas.empty()) pgReplanteo->setTabVisible(kGrafico, true);
        pgReplanteo->setCurrentIndex(kResultados);
        tbshProblema->PonerTitulo(QString::fromStdString(*titulo));
        tbshProblema->SeguirProblema();
    });
}

void TfrmProbTipo::AbrirReporte() { MostrarReporte(*this, observaciones_); }

void TfrmProbTipo::AltoDePagina(int alto) {
    const int marco = pgReplanteo->height() - tbshProblema->height();  // tab bar and frame
    const int nuevo = std::max(kAltoPaginas, alto + marco);
    if (nuevo == pgReplanteo->height()) return;
    pgReplanteo->setFixedHeight(nuevo);
    AjustarPreguntas();
}

void TfrmProbTipo::IrACampo(std::string_view nombre) {
    QLineEdit* edit = Campo(nombre);
    const TCampo* campo = BuscarCampo(nombre);
    if (!edit || !campo || !pgReplanteo->isTabVisible(campo->pagina)) return;
    pgReplanteo->setCurrentIndex(campo->pagina);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

void TfrmProbTipo::LimpiarGrafico() {
    grafico_.Limpiar();
    RefrescarGrafico();
}

void TfrmProbTipo::RefrescarGrafico() {
    if (grafico_.pestanaVisible) {
        pgReplanteo->setTabVisible(kGrafico, true);
        grafico_.pestanaVisible = false;
    }
    tbshGrafico->Refrescar();
}

// ---- Reactions of the fields.

// Every accepted change of a field comes to one of these two, a picker's
// value and the roughness option too: a changed value is a change of the
// problem.
void TfrmProbTipo::InvalidarResultados(QLineEdit* edit, int pagina, std::optional<double> guardado) {
    const bool cambiado = ValorNuevo(edit, guardado);
    if (cambiado) setWindowModified(true);
    const TInvalidacion inv = Invalidacion(TReaccion::Resultados, cambiado);
    if (inv.ocultar == TInvalidacion::Resultados) {
        pgReplanteo->setTabVisible(kResultados, false);
        pgReplanteo->setTabVisible(kGrafico, false);
    }
    if (cambiado) tbshProblema->MarcarAnteriores();
    if (inv.reiniciar) {
        pgReplanteo->setCurrentIndex(pagina);
        LimpiarGrafico();
    }
}

// The field's own page, not the active one: a field left by a click on a
// later tab is left once that tab is active, and the pages after the field's
// must go all the same, "Continuar" reading the field again.
void TfrmProbTipo::InvalidarPosteriores(QLineEdit* edit, int pagina, std::optional<double> guardado) {
    const bool cambiado = ValorNuevo(edit, guardado);
    if (cambiado) setWindowModified(true);
    const TInvalidacion inv = Invalidacion(TReaccion::Posteriores, cambiado);
    if (inv.ocultar == TInvalidacion::Posteriores) OcultarPosteriores(pagina);
    if (inv.reiniciar) LimpiarGrafico();
    if (cambiado) tbshProblema->MarcarAnteriores();
}
