// A captioned radio group whose items are indexed from 0, with no item
// selected at first (item index -1) and the selection kept afterwards.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

class TGrupoRadio : public QGroupBox {
    Q_OBJECT
public:
    TGrupoRadio(const QString& nombre, const QString& titulo, const QStringList& items, QWidget* padre);

    int ItemIndex() const;  // -1 when nothing is selected
    void SetItemIndex(int item);
    QRadioButton* Item(int item) const;
    int Items() const;

    // Keyboard focus to the selected item, or to the first one.
    void DarFoco();

private:
    QButtonGroup* grupo_;
};
