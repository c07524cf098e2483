// "Detalle del cálculo": a read-only window with the detail of a computed
// problem as the core writes it (the same text the report and the command
// line print).  "Copiar" puts the whole text on the clipboard.  The window
// shows the detail of the calculation window's last "Calcular" (each one
// replaces it); it is a window of its own beside the calculation window,
// which owns it, keeps it in front of itself and closes it.
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
    // Shows this detail in place of the one shown, at the same place.
    void Fijar(const TDetalleCalculo& detalle);
    void bbtnCopiarClick();
};
