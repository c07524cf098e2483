#include "comun/untControlCampos.h"

#include <string>
#include <utility>

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include "comun/untMensajes.h"
#include "turmado.h"

namespace {

std::string Texto(const QLineEdit* e) { return e->text().toStdString(); }

// The tab widget whose page holds the control, and that page (the pages of
// a QTabWidget are children of its stacked widget); nulls for a control on
// no page.
std::pair<QTabWidget*, QWidget*> PaginaDe(QWidget* control) {
    for (QWidget* w = control; w && w->parentWidget(); w = w->parentWidget()) {
        auto* pestanas = qobject_cast<QTabWidget*>(w->parentWidget()->parentWidget());
        if (pestanas && pestanas->indexOf(w) >= 0) return {pestanas, w};
    }
    return {nullptr, nullptr};
}

}  // namespace

TControlCampos::TControlCampos(QWidget* ventana, TDatosProblema& datos, TReaccionar reaccionar)
    : QObject(ventana), ventana_(ventana), datos_(datos), reaccionar_(std::move(reaccionar)) {
    connect(qApp, &QApplication::focusChanged, this, &TControlCampos::FocoCambiado);
}

void TControlCampos::Registrar(QLineEdit* edit, const TCampo& campo) { campos_[edit] = &campo; }

QLineEdit* TControlCampos::Edit(std::string_view nombre) const {
    for (const auto& [edit, campo] : campos_)
        if (campo->nombre == nombre) return edit;
    return nullptr;
}

void TControlCampos::LeerTextos(TTextosCampos& textos) const {
    for (const auto& [edit, campo] : campos_) textos[std::string(campo->nombre)] = Texto(edit);
}

const TCampo* TControlCampos::CampoDe(QWidget* w) const {
    const auto it = campos_.find(qobject_cast<QLineEdit*>(w));
    return it == campos_.end() ? nullptr : it->second;
}

void TControlCampos::FocoCambiado(QWidget*, QWidget* ahora) {
    if (!ahora || !ventana_->isAncestorOf(ahora)) return;  // the focus left the window
    if (retenido_) {
        if (ahora != retenido_) retenido_->setFocus(Qt::OtherFocusReason);
        activo_ = retenido_;
        return;
    }
    if (ahora == activo_) return;  // it came back where it was
    QPointer<QWidget> previo = activo_;
    activo_ = ahora;
    if (previo && CampoDe(previo)) {
        auto* edit = static_cast<QLineEdit*>(previo.data());
        if (!edit->isVisible()) {
            // Its page is being hidden by a page change, which is still
            // under way: the field is left once it is over, against the
            // value it was entered with.  The focus may pass through
            // other fields meanwhile (a page laid out anew hides its
            // controls one by one): each is entered as it comes.
            const std::optional<double> guardado = entrado_ == edit ? std::optional(datos_.ValoEntr) : std::nullopt;
            QTimer::singleShot(0, this, [this, edit = QPointer<QLineEdit>(edit), guardado] {
                SalirOculto(edit, guardado);
            });
        } else {
            Salir(edit);
            if (activo_ != ahora) return;  // rejected, or the reaction moved the focus
        }
    }
    if (CampoDe(ahora)) Entrar(static_cast<QLineEdit*>(ahora));
}

// The field left by a page change (a click on a tab, as a rule).  The focus
// goes to the tab bar first, as after any click on a tab: were it left on
// the new page, an exit reaction that returns to the field's page would
// bring it back into the field, and every later click on a tab would leave
// the field again and return.
void TControlCampos::SalirOculto(QPointer<QLineEdit> edit, std::optional<double> guardado) {
    if (!edit) return;
    if (QTabWidget* pestanas = PaginaDe(edit).first) {
        activo_ = pestanas->tabBar();
        pestanas->tabBar()->setFocus(Qt::OtherFocusReason);
    }
    SalirCon(edit, guardado);
}

void TControlCampos::Entrar(QLineEdit* edit) {
    datos_.ValoEntr = LeerNumeroComparable(Texto(edit));
    entrado_ = edit;
}

bool TControlCampos::EdicionPendiente() const {
    if (!entrado_ || activo_ != entrado_) return false;
    const std::string texto = Texto(entrado_);
    return TextoAceptado(*CampoDe(entrado_), texto) && ValorCambiado(datos_.ValoEntr, texto);
}

void TControlCampos::Salir(QLineEdit* edit) {
    SalirCon(edit, entrado_ == edit ? std::optional(datos_.ValoEntr) : std::nullopt);
}

void TControlCampos::Salir(QLineEdit* edit, double anterior) { SalirCon(edit, anterior); }

void TControlCampos::SalirCon(QLineEdit* edit, std::optional<double> guardado) {
    const TCampo& campo = *CampoDe(edit);
    const std::string texto = Texto(edit);
    if (!TextoAceptado(campo, texto)) {
        RechazarValor(edit, QString::fromStdString(MensajeRechazo(campo, texto)));
        return;
    }
    Proteger(ventana_, [&] {
        reaccionar_(edit, campo, guardado);
        GuardarAceptado(datos_, campo, LeerNumeroComparable(texto));
    });
}

void TControlCampos::RechazarValor(QLineEdit* edit, const QString& mensaje) {
    Retener(edit);
    if (const auto [pestanas, pagina] = PaginaDe(edit); pestanas) pestanas->setCurrentWidget(pagina);
    edit->clear();
    edit->setFocus(Qt::OtherFocusReason);
    const QPointer<QLineEdit> vivo = edit;
    MostrarMensaje(ventana_, mensaje);
    if (!vivo) return;
    // When the focus is back in the field of an active window, nothing is
    // left to hand it elsewhere; otherwise the window's activation will.
    if (ventana_->isActiveWindow() && edit->hasFocus()) Soltar();
    // A button pressed with the mouse took the focus from the field: its
    // press is handled after this, and the message box has eaten its
    // release.  Lift it once the press is over, so that it neither stays
    // drawn pressed nor clicks on a later release.
    QTimer::singleShot(0, ventana_, [ventana = ventana_] {
        for (QAbstractButton* b : ventana->findChildren<QAbstractButton*>())
            if (b->isDown()) b->setDown(false);
    });
}

void TControlCampos::Retener(QLineEdit* edit) {
    activo_ = edit;
    if (!retenido_) qApp->installEventFilter(this);
    retenido_ = edit;
}

void TControlCampos::Soltar() {
    retenido_ = nullptr;
    qApp->removeEventFilter(this);
}

// While a rejected field is kept, the user's next key or mouse button
// (pressed once no message is showing) ends the keeping, before the press
// moves the focus: a later exit from the field is checked again.  Only the
// window system's delivery to a top-level window counts: the same press
// reaches the widget under it afterwards, possibly after it has caused the
// rejection.
bool TControlCampos::eventFilter(QObject* objeto, QEvent* evento) {
    if (!objeto->isWindowType()) return false;
    switch (evento->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            if (MensajesAbiertos() == 0) Soltar();
            break;
        default: break;
    }
    return false;
}
