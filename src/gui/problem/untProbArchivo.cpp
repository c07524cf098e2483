// The calculation window and its problem file: what a save keeps, how an
// opened problem is walked through the wizard by the core and shown,
// Ctrl+S, the changed state with the question on closing, and the recovery
// copy.
#include <exception>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QTabWidget>

#include "turmado.h"
#include "comun/untArchivoProblema.h"
#include "comun/untControlCampos.h"
#include "comun/untGrupoRadio.h"
#include "comun/untMensajes.h"
#include "problem/untPaginasDatos.h"
#include "problem/untProbTipo.h"
#include "results/untPaginaResultados.h"

TArchivoProblema TfrmProbTipo::Problema() const {
    TArchivoProblema a;
    TProblema& p = a.problema;
    p.textos = Textos();
    p.rugosidad = !OpcionManning();
    p.codigo = respuestas_;
    if (p.codigo == 11 && (datos_.ElecChor == 8 || datos_.ElecChor == 9)) p.chorro = datos_.ElecChor - 8;
    if (pgReplanteo->isTabVisible(kResultados)) {
        const ProblemCode codigo = CalcularCodigo(kResultados, datos_);
        const TTipoEstructura* tipo = TipoEstructura(codigo);
        a.resultados = TResultadosArchivo{codigo, tipo ? tipo->titulo : "", FilasResultados(codigo, datos_, panel_)};
    }
    a.incertidumbre = tbshProblema->AjusteIncertidumbre();
    if (observaciones_) a.observaciones = observaciones_->toStdString();
    a.guardado = FechaActual();
    return a;
}

void TfrmProbTipo::CargarProblema(const TArchivoProblema& a) {
    CargarProblema(a.problema);
    tbshProblema->FijarAjusteIncertidumbre(a.incertidumbre);
    observaciones_ = a.observaciones ? std::optional(QString::fromStdString(*a.observaciones)) : std::nullopt;
}

void TfrmProbTipo::CargarProblema(const TProblema& p) {
    // What the window was given is no change of the user's.
    struct TSinCambios {
        QWidget* v;
        ~TSinCambios() { v->setWindowModified(false); }
    } sinCambios{this};
    for (const auto& [nombre, texto] : p.textos)
        if (QLineEdit* e = Campo(nombre)) e->setText(QString::fromStdString(texto));
    if (p.rugosidad) tbshNivel0->rbAltuRugoCauc->setChecked(true);
    if (p.codigo < 1) return;
    respuestas_ = p.codigo;

    // The core walks the wizard into the record with the answers and the
    // texts the fields now hold; a fault of the protection check is shown
    // once the structure page is, as "Continuar" shows it.
    TProblema leido = p;
    leido.textos = Textos();
    TContinuacion c;
    std::exception_ptr fallo;
    try {
        if (p.codigo < 10)
            ElegirFenomeno(datos_, p.codigo);
        else
            c = RecorrerAsistente(datos_, leido, panel_);
    } catch (...) {
        fallo = std::current_exception();
    }

    // The window shows where the walk got to: the answers in their groups
    // (a later "Continuar" reads them), and the pages reached, each made
    // current in turn as the user passes them (their show events lay out
    // the rows for the record's code).
    auto abrirHasta = [this](int ultima) {
        for (int pagina = kLocal; pagina <= ultima; ++pagina) {
            pgReplanteo->setTabVisible(pagina, true);
            pgReplanteo->setCurrentIndex(pagina);
        }
    };
    const ProblemCode fenomeno = p.codigo < 10 ? p.codigo : p.codigo / 10;
    rg0->SetItemIndex(fenomeno - 1);
    if (p.codigo < 10) return abrirHasta(kLocal);
    TGrupoRadio* obstaculo = fenomeno == 1 ? rg00 : fenomeno == 2 ? rg01 : rg02;
    obstaculo->SetItemIndex(p.codigo % 10 - 1);
    abrirHasta(kEstructura);
    if (fallo) {
        Proteger(this, [&] { std::rethrow_exception(fallo); });
        return;
    }
    // Then what "Continuar" on the structure page reported.
    if (c.proteccionInsuficiente) MostrarMensaje(this, kMensajeProteccion);
    switch (c.siguiente) {
        case TSiguiente::Complementarios: MostrarComplementarios(); break;
        case TSiguiente::PreguntarChorro:
            if (FaltaChorro(c, p)) {
                PreguntarChorro();
                break;
            }
            rg000->SetItemIndex(*p.chorro);
            MostrarComplementarios();
            break;
        case TSiguiente::CalcularDirecto: CalcularSinComplementarios(); break;  // protected abutment
        case TSiguiente::Nada: break;
    }
}

bool TfrmProbTipo::GuardarProblema() {
    // Saving leaves the focused field as far as its check goes, so that the
    // file never holds a text the field would reject nor results that a
    // change typed but not yet checked has made stale.
    if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget()); edit && isAncestorOf(edit)) {
        for (const TCampo& campo : ::Campos()) {
            if (Campo(campo.nombre) != edit) continue;
            const bool aceptado = TextoAceptado(campo, edit->text().toStdString());
            campos_->Salir(edit);
            if (!aceptado) return false;
            campos_->Entrar(edit);
            break;
        }
    }
    QString ruta = rutaArchivo_;
    if (ruta.isEmpty()) ruta = ElegirArchivoGuardar(this);
    return !ruta.isEmpty() && GuardarProblemaEn(ruta);
}

bool TfrmProbTipo::GuardarProblemaEn(const QString& ruta) {
    const TArchivoProblema a = Problema();
    if (const auto rechazo = TextoRechazado(a.problema.textos)) {
        MostrarError(this, QString("No se guardó el problema: %1").arg(QString::fromStdString(*rechazo)));
        return false;
    }
    if (!EscribirArchivoProblema(this, ruta, EscribirArchivoProblema(a))) return false;
    FijarRutaArchivo(ruta);
    setWindowModified(false);
    tbshProblema->AjusteGuardado();
    BorrarRecuperacion();
    emit guardado(ruta);
    return true;
}

void TfrmProbTipo::FijarRutaArchivo(const QString& ruta) {
    rutaArchivo_ = ruta;
    ActualizarTitulo();
}

void TfrmProbTipo::ActualizarTitulo() {
    const QString titulo = "Cálculo para problema específico";
    setWindowTitle((rutaArchivo_.isEmpty() ? titulo : titulo + " - " + QFileInfo(rutaArchivo_).fileName()) + "[*]");
}

// ---- Changes.

bool TfrmProbTipo::Cambiado() const {
    return isWindowModified() || campos_->EdicionPendiente() || tbshProblema->AjusteCambiado();
}

QString TfrmProbTipo::NombreProblema() const {
    if (!rutaArchivo_.isEmpty()) return QFileInfo(rutaArchivo_).fileName();
    // Classified to the end once "Continuar" of the structure page has run.
    const bool final = pgReplanteo->isTabVisible(kComplementaria) || pgReplanteo->isTabVisible(kResultados);
    const TTipoEstructura* tipo = final ? TipoEstructura(CalcularCodigo(kComplementaria, datos_)) : nullptr;
    return QString("%1 (sin archivo)").arg(tipo ? QString::fromUtf8(tipo->titulo) : QString("Problema sin clasificar"));
}

bool TfrmProbTipo::PreguntarAlCerrar() {
    if (!Cambiado()) return true;
    // The window asked about is the one in front.
    if (auto* marco = qobject_cast<QMdiSubWindow*>(parentWidget()); marco && marco->mdiArea())
        marco->mdiArea()->setActiveSubWindow(marco);
    switch (PreguntarGuardarCambios(this, NombreProblema())) {
        case TRespuestaCambios::Guardar: return GuardarProblema();
        case TRespuestaCambios::NoGuardar: return true;
        case TRespuestaCambios::Cancelar: break;
    }
    return false;
}

QString TfrmProbTipo::GuardarRecuperacion() {
    if (!Cambiado()) return {};
    TArchivoProblema a = Problema();
    a.archivo = rutaArchivo_.toStdString();  // the recovered window reopens it
    // No results: a copy is only read back as texts, and it is written
    // while a field may hold a text typed since the results were computed.
    a.resultados.reset();
    // A text being typed that its field will refuse: the last copy stays
    // until it is put right.
    if (TextoRechazado(a.problema.textos)) return {};
    if (rutaRecuperacion_.isEmpty()) rutaRecuperacion_ = NuevaRutaRecuperacion();
    QDir().mkpath(QFileInfo(rutaRecuperacion_).absolutePath());
    return EscribirEnUnPaso(rutaRecuperacion_, EscribirArchivoProblema(a));
}

void TfrmProbTipo::BorrarRecuperacion() {
    if (!rutaRecuperacion_.isEmpty()) QFile::remove(rutaRecuperacion_);
}
