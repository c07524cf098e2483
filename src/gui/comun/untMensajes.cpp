#include "comun/untMensajes.h"

#include <exception>
#include <utility>
#include <vector>

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

namespace {

TGanchoMensajes& Gancho() {
    static TGanchoMensajes gancho;
    return gancho;
}

int& Abiertos() {
    static int abiertos = 0;
    return abiertos;
}

// Actions waiting for the last box to close, each with the object it belongs to.
std::vector<std::pair<QPointer<QObject>, std::function<void()>>>& Pendientes() {
    static std::vector<std::pair<QPointer<QObject>, std::function<void()>>> pendientes;
    return pendientes;
}

void Mostrar(QWidget* padre, const QString& texto, TTipoMensaje tipo) {
    if (Gancho()) {
        Gancho()(padre, texto, tipo);
        return;
    }
    // On the heap: should the parent be destroyed while the box is up, it
    // takes the box with it and exec() returns.
    const auto icono = tipo == TTipoMensaje::Error ? QMessageBox::Critical : QMessageBox::Information;
    QPointer<QMessageBox> caja =
        new QMessageBox(icono, QApplication::applicationName(), texto, QMessageBox::Ok, padre);
    ++Abiertos();
    caja->exec();
    delete caja.data();
    if (--Abiertos() > 0) return;
    for (auto& [contexto, accion] : std::exchange(Pendientes(), {}))
        if (contexto) QTimer::singleShot(0, contexto.data(), std::move(accion));
}

}  // namespace

int MensajesAbiertos() { return Abiertos(); }

void DespuesDeLosMensajes(QObject* contexto, std::function<void()> accion) {
    if (Abiertos() == 0)
        accion();
    else
        Pendientes().emplace_back(contexto, std::move(accion));
}

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
