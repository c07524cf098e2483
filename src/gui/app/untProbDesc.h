// The methodology description window: a child window of the main window
// with the menu of the child windows, six pages of text, and on the last one
// the eight problem types with the buttons that open their pictures.
#pragma once

#include <QWidget>

#include "comun/untMenuHijo.h"

class QPushButton;
class QTabWidget;

class TfrmProbDesc : public QWidget, public IVentanaConMenu {
    Q_OBJECT
public:
    // Size of the window, frame included, when it is created.
    static constexpr int kAncho = 529, kAlto = 351;

    explicit TfrmProbDesc(QWidget* padre = nullptr);

    TMenuHijo& MenuHijo() override { return *menu_; }
    QTabWidget* pgDescripcion;
    // The picture buttons, bbtnPictPVC1 ... bbtnPictPAG, in list order.
    QList<QPushButton*> BotonesImagen() const { return botones_; }

private:
    TMenuHijo* menu_;
    QList<QPushButton*> botones_;
};
