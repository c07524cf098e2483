// "Datos Globales" and "Datos Locales": the common data of every problem.
#pragma once

#include <QWidget>

#include "comun/untUbicar.h"

class QPushButton;
class QRadioButton;
class IVentanaProblema;

class TPaginaGlobal : public QWidget {
    Q_OBJECT
public:
    explicit TPaginaGlobal(IVentanaProblema& ventana);

    QRadioButton* rbCaucCoefMannCauc;
    QRadioButton* rbAltuRugoCauc;
    QLineEdit* edtCaucCoefMannCauc;
    QLineEdit* edtAltuRugoCauc;
    QLabel* lblCaucCoefMannCaucUnid;
    QLabel* lblAltuRugoCaucUnid;
    QLineEdit* edtCaucAnchCauc;
    QPushButton* btnN0;  // "Fenómeno dominante"

    // Click of either option (runs when it becomes selected): swaps the
    // enabled state of both options' edits and units, then invalidates the
    // results through the width field as a changed value.
    void rbCaucCoefMannCaucClick();
    void rbAltuRugoCaucClick();

private:
    void CambiarRugosidad();
    IVentanaProblema& ventana_;
};

class TPaginaLocal : public QWidget {
    Q_OBJECT
public:
    explicit TPaginaLocal(IVentanaProblema& ventana);

    QLabel* lblFlujTiraRest;
    QLineEdit* edtFlujTiraRest;
    QPushButton* btnN1;  // "Tipo de obstáculo"
};

// Enabled state of a control itself, whatever its parents' state.
bool Habilitado(const QWidget* w);
