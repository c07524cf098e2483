// The coefficient pickers of "Datos Complementarios": modal dialogs that
// offer a table of typical situations and return the value of the chosen
// one as text.
#pragma once

#include <vector>

#include <QDialog>
#include <QString>

class QButtonGroup;
class QRadioButton;
struct TTablaCoef;

// What the page asks of every picker: after OK, the value text of the
// choice (empty when nothing was chosen).
class TDialogoCoef : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
    virtual QString ValorElegido() const = 0;
};

// A picker drawn from one table: bold header row, one row per situation,
// the radio choice at the right end of each row (group rg<name>, items
// rg<name>Item0 ...), OK and Cancel.  Nothing is chosen when it opens.
class TfrmSelector : public TDialogoCoef {
    Q_OBJECT
public:
    TfrmSelector(const TTablaCoef& tabla, QWidget* dueno);

    QString ValorElegido() const override;
    int ItemIndex() const;  // -1 when nothing is chosen
    QRadioButton* Item(int indice) const;

private:
    const TTablaCoef& tabla_;
    QButtonGroup* grupo_;
};
