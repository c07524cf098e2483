#include "comun/untMensajes.h"

#include <exception>
#include <utility>
#include <vector>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
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

// Shows a box made on the heap (should its parent be destroyed while the
// box is up, it takes the box with it and exec() returns) and deletes it;
// the button clicked, or nullptr.
QAbstractButton* Ejecutar(QMessageBox* nueva) {
    QPointer<QMessageBox> caja = nueva;
    ++Abiertos();
    caja->exec();
    QAbstractButton* pulsado = caja ? caja->clickedButton() : nullptr;
    delete caja.data();
    if (--Abiertos() == 0)
        for (auto& [contexto, accion] : std::exchange(Pendientes(), {}))
            if (contexto) QTimer::singleShot(0, contexto.data(), std::move(accion));
    return pulsado;
}

void Mostrar(QWidget* padre, const QString& texto, TTipoMensaje tipo) {
    if (Gancho()) {
        Gancho()(padre, texto, tipo);
        return;
    }
    const auto icono = tipo == TTipoMensaje::Error ? QMessageBox::Critical : QMessageBox::Information;
    Ejecutar(new QMessageBox(icono, QApplication::applicationName(), texto, QMessageBox::Ok, padre));
}

}  // namespace

int Preguntar(QWidget* padre, const QString& texto, const QString& detalle, const QList<TBotonPregunta>& botones) {
    auto* caja = new QMessageBox(QMessageBox::Question, QApplication::applicationName(), texto, QMessageBox::NoButton,
                                 padre);
    caja->setObjectName("cajaPregunta");
    caja->setInformativeText(detalle);
    QList<QAbstractButton*> creados;
    for (const TBotonPregunta& b : botones) {
        // The roles place the buttons as the desktop places them.
        const auto rol = b.escape ? QMessageBox::RejectRole
                         : b.porDefecto ? QMessageBox::AcceptRole
                                        : QMessageBox::DestructiveRole;
        QPushButton* boton = caja->addButton(b.texto, rol);
        boton->setObjectName(b.nombre);
        if (b.porDefecto) caja->setDefaultButton(boton);
        if (b.escape) caja->setEscapeButton(boton);
        creados << boton;
    }
    const QAbstractButton* pulsado = Ejecutar(caja);
    return pulsado ? int(creados.indexOf(pulsado)) : -1;
}

TRespuestaCambios PreguntarGuardarCambios(QWidget* padre, const QString& nombre) {
    const int r = Preguntar(padre, "¿Guardar los cambios del problema?", nombre,
                            {{"Guardar", "btnGuardar", true, false},
                             {"No guardar", "btnNoGuardar", false, false},
                             {"Cancelar", "btnCancelar", false, true}});
    return r == 0 ? TRespuestaCambios::Guardar : r == 1 ? TRespuestaCambios::NoGuardar : TRespuestaCambios::Cancelar;
}

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
