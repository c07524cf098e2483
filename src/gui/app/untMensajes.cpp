#include "app/untMensajes.h"

#include <exception>

#include <QApplication>
#include <QMessageBox>

namespace {

TGanchoMensajes& Gancho() {
    static TGanchoMensajes gancho;
    return gancho;
}

void Mostrar(QWidget* padre, const QString& texto, TTipoMensaje tipo) {
    if (Gancho()) {
        Gancho()(padre, texto, tipo);
        return;
    }
    const QString titulo = QApplication::applicationName();
    if (tipo == TTipoMensaje::Error)
        QMessageBox::critical(padre, titulo, texto, QMessageBox::Ok);
    else
        QMessageBox::information(padre, titulo, texto, QMessageBox::Ok);
}

}  // namespace

void InstalarGanchoMensajes(TGanchoMensajes gancho) { Gancho() = std::move(gancho); }

void MostrarMensaje(QWidget* padre, const QString& texto) { Mostrar(padre, texto, TTipoMensaje::Informacion); }

void MostrarError(QWidget* padre, const QString& texto) { Mostrar(padre, texto, TTipoMensaje::Error); }

bool Proteger(QWidget* padre, const std::function<void()>& accion) {
    try {
        accion();
        return true;
    } catch (const std::exception& e) {
        // ErrorFlotante and ErrorTexto carry the exact text the user sees.
        MostrarError(padre, QString::fromUtf8(e.what()));
        return false;
    }
}
