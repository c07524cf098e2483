// The open window (Ctrl+O): the grid lists the problem files of the
// problems folder (name, problem title, date saved), the type boxes filter
// it, "Abrir" or a double click opens the chosen file, "Examinar..." one
// from elsewhere, "Cancelar" closes.  A file that cannot be opened is named
// in an error box and the window stays.  After it closes with a problem,
// Elegido() holds it and RutaElegida() its file.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include <QDialog>
#include <QString>

#include "turmado.h"

class QCheckBox;
class QPushButton;
class QStandardItemModel;
class QTableView;

class TfrmAbrir : public QDialog {
    Q_OBJECT
public:
    // Lists `carpeta` (the problems folder when empty).
    explicit TfrmAbrir(QWidget* owner = nullptr, const QString& carpeta = {});

    QTableView* DBGrid1;
    QPushButton* btnAbrir;
    QPushButton* btnCancelar;
    QPushButton* btnExaminar;
    std::vector<QCheckBox*> cbBloques;  // one per type box: PVC, PEs, PPi, PEn, PCZ, PAC, PAG
    QCheckBox* cbTodos;

    // Swaps the enabled state of each of the seven block check boxes.
    void cbTodosClick();
    // Opens the file of the selected row (nothing when no row is).
    void btnAbrirClick();
    void btnExaminarClick();
    // Rows shown now: the entries that pass the type boxes.
    void Filtrar();
    // Names of the files in the grid, top to bottom.
    QStringList Nombres() const;

    const std::optional<TArchivoProblema>& Elegido() const { return elegido_; }
    const QString& RutaElegida() const { return rutaElegida_; }

    // Reads the file; closes the window with it when it is a sound problem.
    bool Abrir(const QString& ruta);

private:
    std::vector<TEntradaBiblioteca> entradas_;
    QStandardItemModel* modelo_;
    std::optional<TArchivoProblema> elegido_;
    QString rutaElegida_;
};
