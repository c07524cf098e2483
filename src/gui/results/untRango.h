// Window of the calibration and validation ranges of one formula: the
// parameters with their units and both ranges, and OK.
#pragma once

#include <QDialog>

struct TTablaRango;

class TfrmRango : public QDialog {
    Q_OBJECT
public:
    TfrmRango(const TTablaRango& tabla, QWidget* dueno);
};
