#include "comun/untGrupoRadio.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

TGrupoRadio::TGrupoRadio(const QString& nombre, const QString& titulo, const QStringList& items, QWidget* padre)
    : QGroupBox(titulo, padre), grupo_(new QButtonGroup(this)) {
    setObjectName(nombre);
    grupo_->setExclusive(true);
    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(10, 6, 10, 8);
    capa->setSpacing(4);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        b->setObjectName(nombre + "Item" + QString::number(i));
        grupo_->addButton(b, i);
        capa->addWidget(b);
    }
}

int TGrupoRadio::ItemIndex() const { return grupo_->checkedId(); }

void TGrupoRadio::SetItemIndex(int item) {
    if (QAbstractButton* b = grupo_->button(item)) b->setChecked(true);
}

QRadioButton* TGrupoRadio::Item(int item) const { return qobject_cast<QRadioButton*>(grupo_->button(item)); }

int TGrupoRadio::Items() const { return int(grupo_->buttons().size()); }

void TGrupoRadio::DarFoco() {
    QAbstractButton* b = grupo_->checkedButton();
    if (!b) b = grupo_->button(0);
    if (b) b->setFocus(Qt::OtherFocusReason);
}
