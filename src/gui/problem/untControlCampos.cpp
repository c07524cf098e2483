#include "problem/untControlCampos.h"

#include <string>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include "app/untMensajes.h"
#include "general/untNumero.h"

namespace {

std::string Texto(const QLineEdit* e) { return e->text().toStdString(); }

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
    if (ahora == activo_) return;                            // it came back where it was
    QPointer<QWidget> previo = activo_;
    activo_ = ahora;
    if (previo && CampoDe(previo)) {
        Salir(static_cast<QLineEdit*>(previo.data()));
        if (activo_ != ahora) return;  // rejected, or the reaction moved the focus
    }
    if (CampoDe(ahora)) Entrar(static_cast<QLineEdit*>(ahora));
}

void TControlCampos::Entrar(QLineEdit* edit) {
    Proteger(ventana_, [&] { datos_.ValoEntr = LeerNumeroComparable(Texto(edit)); });
}

void TControlCampos::Salir(QLineEdit* edit) {
    const TCampo& campo = *CampoDe(edit);
    const std::string texto = Texto(edit);
    if (!TextoAceptado(campo, texto)) {
        RechazarValor(edit, QString::fromUtf8(campo.mensaje.data(), qsizetype(campo.mensaje.size())));
        return;
    }
    Proteger(ventana_, [&] {
        reaccionar_(edit, campo, datos_.ValoEntr);
        GuardarAceptado(datos_, campo, LeerNumeroComparable(texto));
    });
}

void TControlCampos::RechazarValor(QLineEdit* edit, const QString& mensaje) {
    activo_ = edit;  // the focus coming back is not a new enter
    edit->clear();
    edit->setFocus(Qt::OtherFocusReason);
    MostrarMensaje(ventana_, mensaje);
    // A button pressed with the mouse took the focus from the field: its
    // press is handled after this, and the message box has eaten its
    // release.  Lift it once the press is over, so that it neither stays
    // drawn pressed nor clicks on a later release.
    QTimer::singleShot(0, ventana_, [ventana = ventana_] {
        for (QAbstractButton* b : ventana->findChildren<QAbstractButton*>())
            if (b->isDown()) b->setDown(false);
    });
}
