// "Datos Complementarios": the column headers and "Calcular".  Its show
// event computes the final code and sets the formula panel up for it.
#pragma once

#include <QWidget>

class QPushButton;
class TfrmProbTipo;

class TPaginaComplementaria : public QWidget {
    Q_OBJECT
public:
    explicit TPaginaComplementaria(TfrmProbTipo& ventana);

    QPushButton* btnN3;  // "Calcular"

    // Show event: code at level 3, the page's controls, the formula panel
    // of the code with its activation from the field texts.
    void tbshNivel3Show();
    void btnN3Click();

private:
    TfrmProbTipo& ventana_;
};
