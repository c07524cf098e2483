// Small modal windows drawn as a table of text labels: the coefficient
// pickers and the reference windows (validity ranges, critical slopes).
#pragma once

#include <QFrame>
#include <QString>

class QDialog;
class QDialogButtonBox;
class QGridLayout;
class QLabel;

// A grid of cells with thin rules between them; a cell may span rows and
// columns.  Header cells are bold.
class TTablaEtiquetas : public QFrame {
    Q_OBJECT
public:
    explicit TTablaEtiquetas(QWidget* padre);

    QLabel* Celda(const QString& texto, int fila, int columna, int filas = 1, int columnas = 1);
    QLabel* Cabecera(const QString& texto, int fila, int columna, int filas = 1, int columnas = 1);
    // A control (a radio choice) centred in its cell.
    void Control(QWidget* control, int fila, int columna);

    QGridLayout* rejilla;
};

// The table over the dialog's buttons: "OK" (bbtnOk) alone, or with
// "Cancel" (bbtnCanc).  OK accepts the dialog, Cancel rejects it.
QDialogButtonBox* DisponerDialogo(QDialog* dialogo, TTablaEtiquetas* tabla, bool cancelar);

// Sizes the window to its contents and centres it on its screen.
void CentrarEnPantalla(QWidget* ventana);
