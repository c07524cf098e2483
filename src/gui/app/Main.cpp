#include "app/Main.h"

#include <algorithm>

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "app/untAbrir.h"
#include "app/untIntro.h"
#include "app/untProbDesc.h"
#include "comun/untArchivoProblema.h"
#include "comun/untIconos.h"
#include "comun/untMensajes.h"
#include "comun/untMenuHijo.h"
#include "comun/untPantalla.h"
#include "problem/untProbTipo.h"
#include "turmado.h"
#include "results/untVentanaValidacion.h"

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

// The program's settings: one file per program name, so that test programs
// keep theirs apart.
QSettings Ajustes() { return QSettings(QSettings::UserScope, "turmado", QCoreApplication::applicationName()); }

std::filesystem::path Ruta(const QString& ruta) { return QFile::encodeName(ruta).toStdString(); }
QString Ruta(const std::filesystem::path& ruta) { return QFile::decodeName(ruta.c_str()); }

// Every 30 s, or what TURMADO_RECUPERACION_MS says in milliseconds.
int IntervaloRecuperacion() {
    bool bien = false;
    const int ms = qEnvironmentVariableIntValue("TURMADO_RECUPERACION_MS", &bien);
    return bien && ms > 0 ? ms : 30000;
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

    FileNew1 = Accion(this, "&New", "Nuevo|Crear un problema nuevo", "FileNew1");
    FileNew1->setShortcut(QKeySequence("Ctrl+N"));
    FileNew1->setIcon(Icono(TIcono::Nuevo));
    FileOpen1 = Accion(this, "&Open", "Abrir|Abrir un problema guardado", "FileOpen1");
    FileOpen1->setShortcut(QKeySequence("Ctrl+O"));
    FileSave1 = Accion(this, "&Save", "Guardar|Guardar el problema de la ventana activa", "FileSave1");
    FileSave1->setShortcut(QKeySequence("Ctrl+S"));
    FileExit1 = Accion(this, "E&xit", "Salir|Salir del programa", "FileExit1");
    HelpAbout1 = Accion(this, "&About...", "Acerca de|Acerca del programa", "HelpAbout1");
    mmiHelpDesc = Accion(this, "&Descripción", "Descripción|Descripción de la metodología de cálculo",
                         "mmiHelpDesc");
    mmiHelpValidacion = Accion(this, "&Validación de las fórmulas",
                               "Validación de las fórmulas|Las fórmulas contra erosiones medidas", "mmiHelpValidacion");
    WindowCascade1 = Accion(this, "&Cascade", "Cascada|Ordenar las ventanas en cascada", "WindowCascade1");
    WindowCascade1->setIcon(Icono(TIcono::Cascada));
    WindowTileHorizontal1 = Accion(this, "Tile &Horizontally", "Mosaico horizontal|Ordenar las ventanas una sobre otra",
                                   "WindowTileHorizontal1");
    WindowTileHorizontal1->setIcon(Icono(TIcono::MosaicoHorizontal));
    WindowTileVertical1 = Accion(this, "Tile &Vertically", "Mosaico vertical|Ordenar las ventanas una al lado de otra",
                                 "WindowTileVertical1");
    WindowTileVertical1->setIcon(Icono(TIcono::MosaicoVertical));
    // Keyboard actions without a menu item.
    addAction(FileOpen1);
    addAction(FileSave1);
    // Ctrl+F4 closes the active child window, as the child's system menu
    // does on the desktops that bind it to closing (not every desktop does:
    // a second binding there would make the key ambiguous).
    if (!QKeySequence::keyBindings(QKeySequence::Close).contains(QKeySequence(Qt::CTRL | Qt::Key_F4))) {
        auto* cerrar = new QAction(this);
        cerrar->setObjectName("WindowClose1");
        cerrar->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
        addAction(cerrar);
        connect(cerrar, &QAction::triggered, mdiArea, &QMdiArea::closeActiveSubWindow);
    }

    mnuRecientes = new QMenu("Abrir &reciente", this);
    mnuRecientes->setObjectName("mnuRecientes");
    mnuRecientes->menuAction()->setStatusTip("Abrir uno de los últimos problemas abiertos o guardados");
    ActualizarRecientes();
    connect(mnuRecientes, &QMenu::aboutToShow, this, &TMainForm::ActualizarRecientes);

    auto* archivo = new QMenu("&File", this);
    archivo->menuAction()->setStatusTip("Comandos de archivo: problemas nuevos, abrir, guardar y salir");
    archivo->addAction(FileNew1);
    archivo->addMenu(mnuRecientes);
    archivo->addSeparator();
    archivo->addAction(FileExit1);
    auto* ayuda = new QMenu("&Help", this);
    ayuda->menuAction()->setStatusTip("Temas de ayuda");
    ayuda->addAction(HelpAbout1);
    ayuda->addAction(mmiHelpDesc);
    ayuda->addAction(mmiHelpValidacion);
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
    connect(mmiHelpValidacion, &QAction::triggered, this, &TMainForm::mmiHelpValidacionClick);
    connect(WindowCascade1, &QAction::triggered, mdiArea, &QMdiArea::cascadeSubWindows);
    connect(WindowTileHorizontal1, &QAction::triggered, this, &TMainForm::TileHorizontal);
    connect(WindowTileVertical1, &QAction::triggered, this, &TMainForm::TileVertical);
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &TMainForm::HijaActivada);

    timerRecuperacion_ = new QTimer(this);
    timerRecuperacion_->setObjectName("timerRecuperacion");
    connect(timerRecuperacion_, &QTimer::timeout, this, &TMainForm::GuardarRecuperaciones);
}

// The children go while this window still exists: no activation signal
// may reach a half-destroyed window.  Their recovery copies go with them,
// and then the lock.
TMainForm::~TMainForm() {
    disconnect(mdiArea, nullptr, this, nullptr);
    delete mdiArea;
    if (!carpetaBloqueo_.isEmpty()) SoltarBloqueo(Ruta(carpetaBloqueo_), ProcesoPropio().pid);
}

QMdiSubWindow* TMainForm::AgregarHija(QWidget* hija, Qt::WindowFlags marcos) {
    QMdiSubWindow* sub = mdiArea->addSubWindow(hija, marcos);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    if (auto* conMenu = dynamic_cast<IVentanaConMenu*>(hija)) {
        TMenuHijo& menu = conMenu->MenuHijo();
        connect(&menu, &TMenuHijo::nuevoPedido, this, [this] { mmiFileNewClick(); });
        connect(&menu, &TMenuHijo::descripcionPedida, this, &TMainForm::mmiHelpDescClick);
        connect(&menu, &TMenuHijo::validacionPedida, this, &TMainForm::mmiHelpValidacionClick);
        connect(&menu, &TMenuHijo::acercaPedido, hija, [hija] { TfrmIntro::Mostrar(hija); });
        connect(&menu, &TMenuHijo::abrirPedido, this, &TMainForm::FileOpen1Execute);
        // Closing destroys the menu whose item asked for it: once the item
        // is done.
        connect(&menu, &TMenuHijo::cerrarPedido, sub, &QMdiSubWindow::close, Qt::QueuedConnection);
        connect(&menu, &TMenuHijo::salirPedido, this, &TMainForm::FileExit1Execute, Qt::QueuedConnection);
        menu.AgregarRecientes(mnuRecientes);
    }
    sub->show();
    return sub;
}

TfrmProbTipo* TMainForm::mmiFileNewClick() {
    auto* ventana = new TfrmProbTipo;
    // System menu and minimise button, no maximise button.
    AgregarHija(ventana, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                             Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    connect(ventana, &TfrmProbTipo::guardado, this, [this](const QString& ruta) {
        statusBar()->showMessage(QString("Problema guardado en %1").arg(QDir::toNativeSeparators(ruta)), 8000);
        AgregarReciente(ruta);
    });
    return ventana;
}

void TMainForm::FileOpen1Execute() {
    TfrmAbrir abrir(this);
    if (abrir.exec() != QDialog::Accepted || !abrir.Elegido()) return;
    AbrirProblema(abrir.RutaElegida(), *abrir.Elegido());
}

TfrmProbTipo* TMainForm::AbrirArchivo(const QString& ruta) {
    const QString absoluta = QFileInfo(ruta).absoluteFilePath();
    const std::optional<TArchivoProblema> a = LeerArchivoProblema(this, absoluta);
    return a ? AbrirProblema(absoluta, *a) : nullptr;
}

TfrmProbTipo* TMainForm::VentanaDeArchivo(const QString& ruta) const {
    // The same file by any name: a link or another spelling of its path.
    auto clave = [](const QString& r) {
        const QFileInfo f(r);
        const QString canonica = f.canonicalFilePath();
        return canonica.isEmpty() ? f.absoluteFilePath() : canonica;
    };
    const QString buscada = clave(ruta);
    for (QMdiSubWindow* s : mdiArea->subWindowList())
        if (auto* v = qobject_cast<TfrmProbTipo*>(s->widget()); v && !v->RutaArchivo().isEmpty() &&
                                                                 clave(v->RutaArchivo()) == buscada)
            return v;
    return nullptr;
}

TfrmProbTipo* TMainForm::AbrirProblema(const QString& ruta, const TArchivoProblema& archivo) {
    // A file open already is brought forward as it is (with what was typed
    // in it since), never opened a second time.
    if (TfrmProbTipo* abierta = VentanaDeArchivo(ruta)) {
        auto* marco = qobject_cast<QMdiSubWindow*>(abierta->parentWidget());
        if (marco) {
            if (marco->isMinimized()) marco->showNormal();
            mdiArea->setActiveSubWindow(marco);
        }
        statusBar()->showMessage(
            QString("%1 ya está abierto: se muestra su ventana.").arg(QFileInfo(ruta).fileName()), 8000);
        AgregarReciente(ruta);
        return abierta;
    }
    TfrmProbTipo* ventana = mmiFileNewClick();
    ventana->FijarRutaArchivo(ruta);
    ventana->CargarProblema(archivo);
    AgregarReciente(ruta);
    return ventana;
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

TfrmValidacion* TMainForm::VentanaValidacion() const { return validacion_.data(); }

void TMainForm::mmiHelpValidacionClick() {
    if (!validacion_) validacion_ = new TfrmValidacion(this);
    validacion_->show();
    DentroDeLaPantalla(validacion_, validacion_->size());
    validacion_->raise();
    validacion_->activateWindow();
}

void TMainForm::closeEvent(QCloseEvent* e) {
    // A child window may be showing a message box from inside its handlers:
    // the children go once the box is gone.
    if (MensajesAbiertos() > 0) {
        e->ignore();
        DespuesDeLosMensajes(this, [this] { close(); });
        return;
    }
    QList<QPointer<TfrmProbTipo>> ventanas;
    for (QMdiSubWindow* s : mdiArea->subWindowList(QMdiArea::CreationOrder))
        if (auto* v = qobject_cast<TfrmProbTipo*>(s->widget())) ventanas << v;
    for (const QPointer<TfrmProbTipo>& v : ventanas) {
        if (v && !v->PreguntarAlCerrar()) {
            e->ignore();
            return;
        }
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

// ---- Recent problems.

QStringList TMainForm::Recientes() { return Ajustes().value("recientes").toStringList(); }

void TMainForm::AgregarReciente(const QString& ruta) {
    QStringList lista = Recientes();
    const QString absoluta = QFileInfo(ruta).absoluteFilePath();
    lista.removeAll(absoluta);
    lista.prepend(absoluta);
    Ajustes().setValue("recientes", lista.mid(0, kMaxRecientes));
}

void TMainForm::QuitarReciente(const QString& ruta) {
    QStringList lista = Recientes();
    lista.removeAll(ruta);
    Ajustes().setValue("recientes", lista);
}

void TMainForm::ActualizarRecientes() {
    mnuRecientes->clear();
    const QStringList lista = Recientes();
    for (qsizetype i = 0; i < lista.size(); ++i) {
        const QString ruta = lista[i];
        QAction* a = mnuRecientes->addAction(QString("&%1 %2").arg(i + 1).arg(QFileInfo(ruta).fileName()));
        a->setStatusTip(QDir::toNativeSeparators(ruta));
        a->setToolTip(QDir::toNativeSeparators(ruta));
        // Opening rebuilds nothing while the item runs: the list is read
        // again the next time the menu opens.
        connect(a, &QAction::triggered, this, [this, ruta] { AbrirReciente(ruta); });
    }
    if (lista.isEmpty()) mnuRecientes->addAction("Sin problemas recientes")->setEnabled(false);
}

void TMainForm::AbrirReciente(const QString& ruta) {
    if (!QFileInfo::exists(ruta)) {
        QuitarReciente(ruta);
        MostrarMensaje(this, QString("El problema «%1» ya no existe; se quitó de la lista de recientes.")
                                 .arg(QDir::toNativeSeparators(ruta)));
        return;
    }
    AbrirArchivo(ruta);
}

// ---- Recovery after a crash.

namespace {

// An entry of the recovery folder as the settings remember it: path, size
// and time of the last change, so that a file changed since counts as new.
QString Identidad(const std::filesystem::path& ruta) {
    const QFileInfo info(Ruta(ruta));
    return QString("%1|%2|%3")
        .arg(info.absoluteFilePath())
        .arg(info.size())
        .arg(info.lastModified().toMSecsSinceEpoch());
}

// «name», «name» ... of the entries, at most ten, each as Mostrable shows a
// text from outside (control characters, reordering characters and bytes
// that are not UTF-8 escaped, a long name cut).
QString Nombres(const std::vector<std::filesystem::path>& rutas) {
    constexpr std::size_t kMaximo = 10;
    QStringList nombres;
    for (std::size_t i = 0; i < rutas.size() && i < kMaximo; ++i) {
        const std::u8string nombre = rutas[i].filename().u8string();
        nombres << "«" + QString::fromStdString(Mostrable(std::string(nombre.begin(), nombre.end()))) + "»";
    }
    QString texto = nombres.join(", ");
    if (rutas.size() > kMaximo) texto += QString(" y %1 más").arg(rutas.size() - kMaximo);
    return texto;
}

constexpr const char* kAvisadas = "recuperacionAvisadas";

}  // namespace

void TMainForm::IniciarRecuperacion() {
    if (timerRecuperacion_->isActive()) return;
    timerRecuperacion_->start(IntervaloRecuperacion());
    const QString carpeta = CarpetaRecuperacion();
    const std::filesystem::path ruta = Ruta(carpeta);
    // What was left behind is listed before this program's lock goes in: a
    // file with this program's id can only come from an earlier program.
    std::vector<TAbandonado> abandonados = ListarAbandonados(ruta);
    std::vector<std::filesystem::path> ajenas = ListarAjenas(ruta);
    if (TomarBloqueo(ruta, ProcesoPropio()))
        carpetaBloqueo_ = carpeta;
    else
        statusBar()->showMessage(QString("No se puede escribir en la carpeta de recuperación %1")
                                     .arg(QDir::toNativeSeparators(carpeta)));

    // What was told about before and is still there is not told again.
    const QStringList avisadas = Ajustes().value(kAvisadas).toStringList();
    QStringList siguen;
    auto nueva = [&](const std::filesystem::path& r) {
        const QString id = Identidad(r);
        if (!avisadas.contains(id)) return true;
        siguen << id;
        return false;
    };
    std::erase_if(abandonados, [&](const TAbandonado& a) { return !nueva(a.ruta); });
    std::erase_if(ajenas, [&](const std::filesystem::path& r) { return !nueva(r); });
    if (!abandonados.empty())
        for (const std::filesystem::path& r : OfrecerRecuperacion(abandonados)) siguen << Identidad(r);
    if (!ajenas.empty()) {
        MostrarMensaje(this, QString("En la carpeta de recuperación «%1» hay archivos que no son copias ni bloqueos "
                                     "de turmado: %2. No se ofrecen ni se borran; bórrelos a mano si no los "
                                     "necesita.")
                                 .arg(QDir::toNativeSeparators(carpeta), Nombres(ajenas)));
        for (const std::filesystem::path& r : ajenas) siguen << Identidad(r);
    }
    Ajustes().setValue(kAvisadas, siguen);
    LimpiarBloqueos(ruta);
}

std::vector<std::filesystem::path> TMainForm::OfrecerRecuperacion(const std::vector<TAbandonado>& abandonados) {
    // Each copy by its file and its problem, numbered: two copies may
    // otherwise read alike.
    QStringList lineas;
    for (const TAbandonado& a : abandonados) {
        const QString numero = QString("%1. ").arg(lineas.size() + 1);
        if (!a.copia) {
            lineas << numero + QString("%1: no se puede abrir: %2")
                                   .arg(Nombres({a.ruta}), QString::fromStdString(a.error));
            continue;
        }
        const QString archivo = a.copia->archivo.empty()
                                    ? QString("sin guardar")
                                    : QFileInfo(QString::fromStdString(a.copia->archivo)).fileName();
        lineas << numero + QString("%1 (%2), copia del %3")
                               .arg(QString::fromStdString(TituloProblema(a.copia->problema)), archivo,
                                    QString::fromStdString(a.copia->guardado));
    }
    const int respuesta = Preguntar(this, "Se encontraron problemas sin guardar de una sesión anterior",
                                    lineas.join('\n'),
                                    {{"Recuperar", "btnRecuperar", true, false}, {"Descartar", "btnDescartar"}});
    if (respuesta < 0) return {};  // the box went away unanswered: offered again next time
    // The old copies go before the new ones are written: a new name may be
    // an old one.
    std::vector<std::filesystem::path> quedan;
    for (const TAbandonado& a : abandonados) {
        std::error_code ec;
        std::filesystem::remove(a.ruta, ec);  // one gone already is no failure
        if (ec) quedan.push_back(a.ruta);
    }
    if (respuesta == 0) {
        for (const TAbandonado& a : abandonados) {
            if (!a.copia) continue;  // listed as one that cannot be opened
            TfrmProbTipo* ventana = mmiFileNewClick();
            if (!a.copia->archivo.empty()) ventana->FijarRutaArchivo(QString::fromStdString(a.copia->archivo));
            ventana->CargarProblema(*a.copia);
            ventana->setWindowModified(true);
            ventana->GuardarRecuperacion();
        }
    }
    if (!quedan.empty())
        MostrarMensaje(this, QString("No se pudieron borrar las copias de recuperación %1 de la carpeta «%2». "
                                     "Siguen allí y no se volverán a ofrecer; bórrelas a mano cuando ya no las "
                                     "necesite.")
                                 .arg(Nombres(quedan), QDir::toNativeSeparators(CarpetaRecuperacion())));
    return quedan;
}

void TMainForm::GuardarRecuperaciones() {
    for (QMdiSubWindow* s : mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        auto* ventana = qobject_cast<TfrmProbTipo*>(s->widget());
        if (!ventana) continue;
        if (const QString error = ventana->GuardarRecuperacion(); !error.isEmpty())
            statusBar()->showMessage(QString("No se pudo escribir la copia de recuperación en %1: %2")
                                         .arg(QDir::toNativeSeparators(ventana->RutaRecuperacion()), error),
                                     8000);
    }
}
