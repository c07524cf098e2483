// The main window: a multiple-document area holding the calculation,
// description and picture windows, with its menu, toolbar and status bar.
#pragma once

#include <filesystem>
#include <vector>

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class TfrmProbTipo;
class TfrmProbDesc;
class TfrmValidacion;
struct TAbandonado;
struct TArchivoProblema;
struct TProblema;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* padre = nullptr);
    ~TMainForm() override;

    QMdiArea* mdiArea;

    QAction* FileNew1;
    QAction* FileOpen1;
    QAction* FileSave1;
    QAction* FileExit1;
    QAction* HelpAbout1;  // no handler
    QAction* mmiHelpDesc;
    QAction* mmiHelpValidacion;
    QAction* WindowCascade1;
    QAction* WindowTileHorizontal1;
    QAction* WindowTileVertical1;
    // "Abrir reciente" of every "&File" menu: the last problems opened or
    // saved, newest first.
    QMenu* mnuRecientes;

    const QList<QMenu*>& MenusPropios() const { return menus_; }

    // "&New": a new calculation window in the area.
    TfrmProbTipo* mmiFileNewClick();
    // Ctrl+O: the open window, modal; the problem chosen there opens in a
    // new calculation window.
    void FileOpen1Execute();
    // Ctrl+S: saves the problem of the active calculation window.
    void FileSave1Execute();
    // "E&xit", and "&Exit" of the child windows: closes the main window.
    void FileExit1Execute();
    // A problem file in a new calculation window, unchanged, with the file in
    // its title; a file that cannot be opened gets the open window's error
    // box and no window.
    TfrmProbTipo* AbrirArchivo(const QString& ruta);
    // "&Descripción": the description window, unless one is open.
    void mmiHelpDescClick();
    // "Validación de las fórmulas": the validation window (one at a time).
    void mmiHelpValidacionClick();
    TfrmValidacion* VentanaValidacion() const;

    void TileHorizontal();
    void TileVertical();

    // The recent problems (at most kMaxRecientes, kept with QSettings).
    static constexpr int kMaxRecientes = 8;
    static QStringList Recientes();
    static void AgregarReciente(const QString& ruta);
    static void QuitarReciente(const QString& ruta);
    // Fills "Abrir reciente" from the list (it is filled again each time
    // it opens).
    void ActualizarRecientes();
    // An entry of "Abrir reciente": a file that no longer exists leaves the
    // list with a message.
    void AbrirReciente(const QString& ruta);

    // At start, once: offers the problems that programs no longer running
    // left in the recovery folder, says where the entries are that are not
    // the program's, marks the folder as this program's, and from then on
    // copies every changed calculation window there every 30 s (the
    // environment variable TURMADO_RECUPERACION_MS sets another period).
    // A copy that could not be removed, and an entry that is not the
    // program's, is told about once: the settings remember it while it
    // stays there unchanged.
    void IniciarRecuperacion();
    // The copy of every changed calculation window, now.
    void GuardarRecuperaciones();

protected:
    // Every changed calculation window asks first, in order; "Cancelar" or
    // a save that did not happen keeps them all and the main window.  Then
    // every child window goes, last first, without more questions (once no
    // message box is showing).
    void closeEvent(QCloseEvent* e) override;

private:
    QMdiSubWindow* AgregarHija(QWidget* hija, Qt::WindowFlags marcos);
    // An opened problem in a new calculation window with its file, or the
    // window that has that file open already, brought forward; the file
    // joins the recent problems.
    TfrmProbTipo* AbrirProblema(const QString& ruta, const TArchivoProblema& archivo);
    // The calculation window whose file is `ruta` (by its canonical path), or null.
    TfrmProbTipo* VentanaDeArchivo(const QString& ruta) const;
    void HijaActivada(QMdiSubWindow* hija);
    void PonerMenus(const QList<QMenu*>& menus);
    void Mosaico(bool horizontal);
    // The question on the copies left behind; what could not be removed
    // after the answer (nothing when the box went away unanswered).
    std::vector<std::filesystem::path> OfrecerRecuperacion(const std::vector<TAbandonado>& abandonados);

    QList<QMenu*> menus_;
    QTimer* timerRecuperacion_;
    QString carpetaBloqueo_;  // where this program's lock is, once taken
    QPointer<TfrmValidacion> validacion_;  // the validation window, while open
};
