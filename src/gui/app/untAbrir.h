// The open window (Ctrl+O): a grid connected to no data, "Abrir" and
// "Cancelar" without handlers, and the check boxes of the problem blocks.
// It loads and stores nothing; it is closed with its title-bar button.
#pragma once

#include <array>

#include <QDialog>

class QCheckBox;
class QPushButton;
class QTableView;

class TfrmAbrir : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAbrir(QWidget* owner = nullptr);

    QTableView* DBGrid1;
    QPushButton* btnAbrir;
    QPushButton* btnCancelar;
    std::array<QCheckBox*, 7> cbBloques;  // PVC, PEs, PPi, PEn, PCZ, PAC, PAG
    QCheckBox* cbTodos;

    // Swaps the enabled state of each of the seven block check boxes.
    void cbTodosClick();
};
