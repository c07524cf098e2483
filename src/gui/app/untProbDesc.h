// The methodology description window: a child window of the main window
// with the menu of the child windows and six pages of text.
#pragma once

#include <QWidget>

#include "app/untMenuHijo.h"

class QTabWidget;

class TfrmProbDesc : public QWidget, public IVentanaConMenu {
    Q_OBJECT
public:
    explicit TfrmProbDesc(QWidget* padre = nullptr);

    TMenuHijo& MenuHijo() override { return *menu_; }
    QTabWidget* pgDescripcion;

private:
    TMenuHijo* menu_;
};
