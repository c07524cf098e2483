// "Valores límites de pendientes para estabilidad mecánica": the reference
// table of stable side slopes offered with the confined-vortex results.
#pragma once

#include <QDialog>

class TfrmPdteCritPVC : public QDialog {
public:
    explicit TfrmPdteCritPVC(QWidget* owner);
};
