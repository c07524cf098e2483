// "Resultados": the problem title in its frame and the rows of the last
// calculation (caption, value, unit), rebuilt on every show.
#pragma once

#include <QWidget>

class QLabel;
class QTableWidget;
class TfrmProbTipo;

class TPaginaResultados : public QWidget {
    Q_OBJECT
public:
    explicit TPaginaResultados(TfrmProbTipo& ventana);

    QLabel* lblProbTipo;  // "Problema", then the title of the code
    QTableWidget* tblResultados;

    // Show event: code at level 4 and the rows of the code.
    void tbshProblemaShow();

private:
    TfrmProbTipo& ventana_;
};
