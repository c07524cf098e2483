// The menu of the child windows (calculation and description windows).
// While such a window is active its menus take the place of the main
// window's menu bar.
#pragma once

#include <QList>
#include <QObject>

class QAction;
class QMenu;
class QWidget;

class TMenuHijo : public QObject {
    Q_OBJECT
public:
    explicit TMenuHijo(QWidget* ventana);
    ~TMenuHijo() override;

    const QList<QMenu*>& Menus() const { return menus_; }

    QAction* mmiFileNew;
    QAction* mmiFileOpen;   // the open window, as Ctrl+O
    QAction* mmiFileSave = nullptr;  // "&Guardar problema...", calculation windows only
    QAction* mmiFileClose;  // closes this window
    QAction* mmiFileExit;   // closes the main window
    QAction* mmiHelpAbout;
    QAction* mnuHelpDesc;
    QAction* mnuHelpValidacion;

    // "About...": asks the main window for the intro window again, modal,
    // owned by the child window.
    void mmiHelpAboutClick() { emit acercaPedido(); }

    // Adds "&Guardar problema..." after "&Open"; it shows Ctrl+S, the main
    // window's key for it.
    QAction* AgregarGuardar();
    // Adds the main window's "Abrir reciente" after "&Open" (the menu stays
    // the main window's).
    void AgregarRecientes(QMenu* recientes);

signals:
    void nuevoPedido();       // "&New", forwarded to the main window
    void descripcionPedida();  // "&Descripción", forwarded to the main window
    void validacionPedida();   // "&Validación de las fórmulas", forwarded to the main window
    void acercaPedido();       // "About...", forwarded to the main window
    void abrirPedido();        // "&Open", forwarded to the main window
    void cerrarPedido();       // "&Close", forwarded to the main window
    void salirPedido();        // "&Exit", forwarded to the main window

private:
    QList<QMenu*> menus_;
};

// A child window that brings its own menu.
class IVentanaConMenu {
public:
    virtual ~IVentanaConMenu() = default;
    virtual TMenuHijo& MenuHijo() = 0;
};
