// The main window: a multiple-document area holding the calculation,
// description and picture windows, with its menu, toolbar and status bar.
#pragma once

#include <QList>
#include <QMainWindow>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class TfrmProbTipo;
class TfrmProbDesc;

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
    QAction* WindowCascade1;
    QAction* WindowTileHorizontal1;
    QAction* WindowTileVertical1;

    const QList<QMenu*>& MenusPropios() const { return menus_; }

    // "&New": a new calculation window in the area.
    TfrmProbTipo* mmiFileNewClick();
    // Ctrl+O: the open window, modal; the problem chosen there opens in a
    // new calculation window.
    void FileOpen1Execute();
    // Ctrl+S: saves the problem of the active calculation window.
    void FileSave1Execute();
    void FileExit1Execute();
    // "&Descripción": the description window, unless one is open.
    void mmiHelpDescClick();

    void TileHorizontal();
    void TileVertical();

protected:
    // Destroys every child window, last first, without asking (once no
    // message box is showing).
    void closeEvent(QCloseEvent* e) override;

private:
    QMdiSubWindow* AgregarHija(QWidget* hija, Qt::WindowFlags marcos);
    void HijaActivada(QMdiSubWindow* hija);
    void PonerMenus(const QList<QMenu*>& menus);
    void Mosaico(bool horizontal);

    QList<QMenu*> menus_;
};
