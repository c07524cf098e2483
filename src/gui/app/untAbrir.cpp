#include "app/untAbrir.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTableView>

TfrmAbrir::TfrmAbrir(QWidget* owner) : QDialog(owner) {
    setObjectName("frmAbrir");
    setWindowTitle("frmAbrir");
    setFixedSize(456, 260);

    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName("DBGrid1");
    DBGrid1->setGeometry(8, 8, 340, 244);

    const char* bloques[] = {"PVC", "PEs", "PPi", "PEn", "PCZ", "PAC", "PAG"};
    for (int i = 0; i < 7; ++i) {
        cbBloques[i] = new QCheckBox(bloques[i], this);
        cbBloques[i]->setObjectName(QString("cb") + bloques[i]);
        cbBloques[i]->setGeometry(360, 8 + 22 * i, 88, 20);
    }
    cbTodos = new QCheckBox("Todos", this);
    cbTodos->setObjectName("cbTodos");
    cbTodos->setGeometry(360, 8 + 22 * 7 + 4, 88, 20);
    connect(cbTodos, &QCheckBox::clicked, this, &TfrmAbrir::cbTodosClick);

    btnAbrir = new QPushButton("Abrir", this);
    btnAbrir->setObjectName("btnAbrir");
    btnAbrir->setGeometry(360, 196, 88, 26);
    btnCancelar = new QPushButton("Cancelar", this);
    btnCancelar->setObjectName("btnCancelar");
    btnCancelar->setGeometry(360, 226, 88, 26);
    btnAbrir->setAutoDefault(false);
    btnCancelar->setAutoDefault(false);
}

void TfrmAbrir::cbTodosClick() {
    for (QCheckBox* c : cbBloques) c->setEnabled(!c->isEnabled());
}
