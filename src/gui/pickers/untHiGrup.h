// "Corrección por grupo de dos pilas verticales": the group factor of two
// piers by their arrangement and spacing.  Each row shows a sketch of the
// two piers and its spacing; its two value buttons give the factor of the
// front pier (rb1 ... rb9) and of the rear pier (rb10 ... rb18).
#pragma once

#include <array>

#include "pickers/untSelector.h"

class QRadioButton;

class TfrmHiGrup : public TDialogoCoef {
    Q_OBJECT
public:
    explicit TfrmHiGrup(QWidget* dueno);

    // The caption of the first chosen button in the order rb1 ... rb18;
    // empty when none is chosen.
    QString ValorElegido() const override;
    QRadioButton* Boton(int n) const { return rb_[n - 1]; }  // rb<n>, n from 1

private:
    std::array<QRadioButton*, 18> rb_{};
};
