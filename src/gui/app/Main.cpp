#include "app/Main.h"

#include <algorithm>

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "app/untAbrir.h"
#include "app/untIntro.h"
#include "app/untProbDesc.h"
#include "comun/untIconos.h"
#include "comun/untMensajes.h"
#include "comun/untMenuHijo.h"
#include "problem/untProbTipo.h"

namespace {

// An action with a hint "short|long": the short part is the tooltip, the
// long part the status-bar text.  A hint without a bar is both.
QAction* Accion(QObject* padre, const QString& texto, const QString& pista, const char* nombre) {
    auto* a = new QAction(texto, padre);
    a->setObjectName(nombre);
    const qsizetype barra = pista.indexOf('|');
    a->setToolTip(barra < 0 ? pista : pista.left(barra));
    a->setStatusTip(barra < 0 ? pista : pista.mid(barra + 1));
    return a;
}

}  // namespace

TMainForm::TMainForm(QWidget* padre) : QMainWindow(padre) {
    setObjectName("MainForm");
    setWindowTitle("NORVA - TURMADO - QUENFOR S.A.");

    mdiArea = new QMdiArea(this);
    mdiArea->setObjectName("mdiArea");
    mdiArea->setBackground(palette().brush(QPalette::Dark));
    // A child window larger than the area, or pushed past its edge by
    // tiling, can always be scrolled into view.
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea);

    FileNew1 = Accion(this, "&New", "New|Create a new file", "FileNew1");
    FileNew1->setShortcut(QKeySequence("Ctrl+N"));
    FileNew1->setIcon(Icono(TIcono::Nuevo));
    FileOpen1 = Accion(this, "&Open", "Open|Open a file", "FileOpen1");
    FileOpen1->setShortcut(QKeySequence("Ctrl+O"));
    FileSave1 = Accion(this, "&Save", "Save|Save current file", "FileSave1");
    FileSave1->setShortcut(QKeySequence("Ctrl+S"));
    FileExit1 = Accion(this, "E&xit", "Exit|Exit application", "FileExit1");
    HelpAbout1 = Accion(this, "&About...", "Acerca de|Acerca del programa", "HelpAbout1");
    mmiHelpDesc = Accion(this, "&Descripción", "Descripción|Descripción de la metodología de cálculo",
                         "mmiHelpDesc");
    WindowCascade1 = Accion(this, "&Cascade", "Cascade", "WindowCascade1");
    WindowCascade1->setIcon(Icono(TIcono::Cascada));
    WindowTileHorizontal1 = Accion(this, "Tile &Horizontally", "Tile Horizontally", "WindowTileHorizontal1");
    WindowTileHorizontal1->setIcon(Icono(TIcono::MosaicoHorizontal));
    WindowTileVertical1 = Accion(this, "Tile &Vertically", "Tile Vertically", "WindowTileVertical1");
    WindowTileVertical1->setIcon(Icono(TIcono::MosaicoVertical));
    // Keyboard actions without a menu item.
    addAction(FileOpen1);
    addAction(FileSave1);

    auto* archivo = new QMenu("&File", this);
    archivo->menuAction()->setStatusTip("File related commands");
    archivo->addAction(FileNew1);
    archivo->addSeparator();
    archivo->addAction(FileExit1);
    auto* ayuda = new QMenu("&Help", this);
    ayuda->menuAction()->setStatusTip("Help topics");
    ayuda->addAction(HelpAbout1);
    ayuda->addAction(mmiHelpDesc);
    menus_ = {archivo, ayuda};
    PonerMenus(menus_);

    auto* barra = addToolBar("ToolBar1");
    barra->setObjectName("ToolBar1");
    barra->setMovable(false);
    barra->setIconSize(QSize(24, 24));
    barra->addAction(FileNew1);
    barra->addSeparator();
    barra->addAction(WindowCascade1);
    barra->addAction(WindowTileHorizontal1);
    barra->addAction(WindowTileVertical1);

    statusBar()->setObjectName("StatusBar");

    connect(FileNew1, &QAction::triggered, this, [this] { mmiFileNewClick(); });
    connect(FileOpen1, &QAction::triggered, this, &TMainForm::FileOpen1Execute);
    connect(FileSave1, &QAction::triggered, this, &TMainForm::FileSave1Execute);
    connect(FileExit1, &QAction::triggered, this, &TMainForm::FileExit1Execute);
    connect(mmiHelpDesc, &QAction::triggered, this, &TMainForm::mmiHelpDescClick);
    connect(WindowCascade1, &QAction::triggered, mdiArea, &QMdiArea::cascadeSubWindows);
    connect(WindowTileHorizontal1, &QAction::triggered, this, &TMainForm::TileHorizontal);
    connect(WindowTileVertical1, &QAction::triggered, this, &TMainForm::TileVertical);
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &TMainForm::HijaActivada);
}

// The children go while this window still exists: no activation signal
// may reach a half-destroyed window.
TMainForm::~TMainForm() {
    disconnect(mdiArea, nullptr, this, nullptr);
    delete mdiArea;
}

QMdiSubWindow* TMainForm::AgregarHija(QWidget* hija, Qt::WindowFlags marcos) {
    QMdiSubWindow* sub = mdiArea->addSubWindow(hija, marcos);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    if (auto* conMenu = dynamic_cast<IVentanaConMenu*>(hija)) {
        connect(&conMenu->MenuHijo(), &TMenuHijo::nuevoPedido, this, [this] { mmiFileNewClick(); });
        connect(&conMenu->MenuHijo(), &TMenuHijo::descripcionPedida, this, &TMainForm::mmiHelpDescClick);
        connect(&conMenu->MenuHijo(), &TMenuHijo::acercaPedido, hija, [hija] { TfrmIntro::Mostrar(hija); });
    }
    sub->show();
    return sub;
}

TfrmProbTipo* TMainForm::mmiFileNewClick() {
    auto* ventana = new TfrmProbTipo;
    // System menu and minimise button, no maximise button.
    AgregarHija(ventana, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                             Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    return ventana;
}

void TMainForm::FileOpen1Execute() {
    TfrmAbrir abrir(this);
    if (abrir.exec() != QDialog::Accepted || !abrir.Elegido()) return;
    TfrmProbTipo* ventana = mmiFileNewClick();
    ventana->FijarRutaArchivo(abrir.RutaElegida());
    ventana->CargarProblema(abrir.Elegido()->problema);
}

void TMainForm::FileSave1Execute() {
    QMdiSubWindow* activa = mdiArea->activeSubWindow();
    if (auto* ventana = activa ? qobject_cast<TfrmProbTipo*>(activa->widget()) : nullptr) ventana->GuardarProblema();
}

void TMainForm::FileExit1Execute() { close(); }

void TMainForm::mmiHelpDescClick() {
    const auto hijas = mdiArea->subWindowList();
    const bool abierta = std::any_of(hijas.begin(), hijas.end(), [](QMdiSubWindow* s) {
        return qobject_cast<TfrmProbDesc*>(s->widget()) != nullptr;
    });
    if (!abierta) AgregarHija(new TfrmProbDesc, {})->resize(TfrmProbDesc::kAncho, TfrmProbDesc::kAlto);
}

void TMainForm::closeEvent(QCloseEvent* e) {
    // A child window may be showing a message box from inside its handlers:
    // the children go once the box is gone.
    if (MensajesAbiertos() > 0) {
        e->ignore();
        DespuesDeLosMensajes(this, [this] { close(); });
        return;
    }
    const auto hijas = mdiArea->subWindowList();
    for (auto it = hijas.rbegin(); it != hijas.rend(); ++it) delete *it;
    e->accept();
}

void TMainForm::HijaActivada(QMdiSubWindow* hija) {
    auto* conMenu = hija ? dynamic_cast<IVentanaConMenu*>(hija->widget()) : nullptr;
    PonerMenus(conMenu ? conMenu->MenuHijo().Menus() : menus_);
}

void TMainForm::PonerMenus(const QList<QMenu*>& menus) {
    QMenuBar* barra = menuBar();
    barra->clear();
    for (QMenu* m : menus) barra->addMenu(m);
}

void TMainForm::TileHorizontal() { Mosaico(true); }
void TMainForm::TileVertical() { Mosaico(false); }

void TMainForm::Mosaico(bool horizontal) {
    // Horizontally: bands one above the other; vertically: columns side by side.
    QList<QMdiSubWindow*> hijas;
    for (QMdiSubWindow* s : mdiArea->subWindowList())
        if (s->isVisible() && !s->isMinimized()) hijas.append(s);
    if (hijas.isEmpty()) return;
    const QRect area = mdiArea->viewport()->rect();
    const int n = int(hijas.size());
    for (int i = 0; i < n; ++i) {
        QRect r = horizontal ? QRect(0, area.height() * i / n, area.width(), area.height() / n)
                             : QRect(area.width() * i / n, 0, area.width() / n, area.height());
        // Never below what the window needs: one that does not fit its tile
        // reaches past it, within the area's scroll bars.
        r.setSize(r.size().expandedTo(hijas[i]->minimumSizeHint()));
        hijas[i]->showNormal();
        hijas[i]->setGeometry(r);
    }
}
