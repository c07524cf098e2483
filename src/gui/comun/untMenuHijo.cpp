#include "comun/untMenuHijo.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

TMenuHijo::TMenuHijo(QWidget* ventana) : QObject(ventana) {
    auto* archivo = new QMenu("&File");
    archivo->menuAction()->setStatusTip("Comandos de archivo: problemas nuevos, abrir, guardar y salir");
    mmiFileNew = archivo->addAction("&New");
    mmiFileNew->setStatusTip("Crear un problema nuevo");
    mmiFileOpen = archivo->addAction("&Open");
    mmiFileOpen->setStatusTip("Abrir un problema guardado");
    mmiFileClose = archivo->addAction("&Close");
    mmiFileClose->setStatusTip("Cerrar esta ventana");
    archivo->addSeparator();
    mmiFileExit = archivo->addAction("&Exit");
    mmiFileExit->setStatusTip("Salir del programa");

    auto* ventanaMenu = new QMenu("&Window");
    ventanaMenu->menuAction()->setStatusTip("Comandos de ventanas");

    auto* ayuda = new QMenu("&Help");
    ayuda->menuAction()->setStatusTip("Temas de ayuda");
    mmiHelpAbout = ayuda->addAction("About...");
    mnuHelpDesc = ayuda->addAction("&Descripción");
    mnuHelpValidacion = ayuda->addAction("&Validación de las fórmulas");

    menus_ = {archivo, ventanaMenu, ayuda};

    connect(mmiFileNew, &QAction::triggered, this, &TMenuHijo::nuevoPedido);
    connect(mmiFileOpen, &QAction::triggered, this, &TMenuHijo::abrirPedido);
    connect(mmiFileClose, &QAction::triggered, this, &TMenuHijo::cerrarPedido);
    connect(mmiFileExit, &QAction::triggered, this, &TMenuHijo::salirPedido);
    connect(mnuHelpDesc, &QAction::triggered, this, &TMenuHijo::descripcionPedida);
    connect(mnuHelpValidacion, &QAction::triggered, this, &TMenuHijo::validacionPedida);
    connect(mmiHelpAbout, &QAction::triggered, this, &TMenuHijo::mmiHelpAboutClick);
}

TMenuHijo::~TMenuHijo() { qDeleteAll(menus_); }

QAction* TMenuHijo::AgregarGuardar() {
    // The key belongs to the main window's action: a second action on Ctrl+S
    // would make the key ambiguous, so the menu only shows it.
    mmiFileSave = new QAction("&Guardar problema...\tCtrl+S", menus_.constFirst());
    mmiFileSave->setStatusTip("Guardar el problema en un archivo");
    menus_.constFirst()->insertAction(mmiFileClose, mmiFileSave);
    return mmiFileSave;
}

void TMenuHijo::AgregarRecientes(QMenu* recientes) {
    QMenu* archivo = menus_.constFirst();
    const QList<QAction*> acciones = archivo->actions();
    const qsizetype abrir = acciones.indexOf(mmiFileOpen);
    archivo->insertMenu(acciones.value(abrir + 1), recientes);
}
