// "Detalle del cálculo": a read-only window with the detail of a computed
// problem as the core writes it (the same text the report and the command
// line print).  "Copiar" puts the whole text on the clipboard.  The window
// keeps the detail of the moment it was opened; it is a window of its own
// beside the calculation window, which owns it and closes it.
#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;
struct TDetalleCalculo;

class TfrmDetalle : public QWidget {
    Q_OBJECT
public:
    TfrmDetalle(const TDetalleCalculo& detalle, QWidget* padre = nullptr);

    QPlainTextEdit* mmDetalle;  // read-only
    QPushButton* bbtnCopiar;    // "Copiar"
    QPushButton* bbtnCerrar;    // "Cerrar"

    // The text shown.
    QString Texto() const;
    void bbtnCopiarClick();
};
