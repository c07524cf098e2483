#include "app/untAbrir.h"

#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVarLengthArray>

#include "comun/untArchivoProblema.h"

TfrmAbrir::TfrmAbrir(QWidget* owner, const QString& carpeta) : QDialog(owner) {
    setObjectName("frmAbrir");
    setWindowTitle("Abrir problema");
    setFixedSize(700, 300);

    modelo_ = new QStandardItemModel(0, 3, this);
    modelo_->setHorizontalHeaderLabels({"Nombre", "Problema", "Guardado"});
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName("DBGrid1");
    DBGrid1->setGeometry(8, 8, 584, 284);
    DBGrid1->setModel(modelo_);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->setColumnWidth(0, 190);
    DBGrid1->setColumnWidth(1, 250);
    DBGrid1->setWordWrap(false);

    const int x = 604;
    const auto& cajas = TiposProblema();
    cbBloques.resize(cajas.size());
    for (std::size_t i = 0; i < cbBloques.size(); ++i) {
        const TTipoProblema& tipo = cajas[i];
        const QString nombre = QString::fromUtf8(tipo.nombre.data(), qsizetype(tipo.nombre.size()));
        cbBloques[i] = new QCheckBox(nombre, this);
        cbBloques[i]->setObjectName("cb" + nombre);
        cbBloques[i]->setToolTip(nombre + ": " +
                                 QString::fromUtf8(tipo.descripcion.data(), qsizetype(tipo.descripcion.size())));
        cbBloques[i]->setGeometry(x, 8 + 22 * int(i), 88, 20);
        connect(cbBloques[i], &QCheckBox::toggled, this, &TfrmAbrir::Filtrar);
    }
    cbTodos = new QCheckBox("Todos", this);
    cbTodos->setObjectName("cbTodos");
    const int masCajas = 22 * (int(cbBloques.size()) - 7);  // the buttons move down if more boxes come
    cbTodos->setGeometry(x, 8 + 22 * int(cbBloques.size()) + 4, 88, 20);
    connect(cbTodos, &QCheckBox::clicked, this, &TfrmAbrir::cbTodosClick);
    connect(cbTodos, &QCheckBox::toggled, this, &TfrmAbrir::Filtrar);

    btnAbrir = new QPushButton("Abrir", this);
    btnAbrir->setObjectName("btnAbrir");
    btnAbrir->setGeometry(x, 204 + masCajas, 88, 26);
    btnCancelar = new QPushButton("Cancelar", this);
    btnCancelar->setObjectName("btnCancelar");
    btnCancelar->setGeometry(x, 234 + masCajas, 88, 26);
    btnExaminar = new QPushButton("Examinar...", this);
    btnExaminar->setObjectName("btnExaminar");
    btnExaminar->setGeometry(x, 266 + masCajas, 88, 26);
    for (QPushButton* b : {btnAbrir, btnCancelar, btnExaminar}) b->setAutoDefault(false);
    connect(btnAbrir, &QPushButton::clicked, this, &TfrmAbrir::btnAbrirClick);
    connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnExaminar, &QPushButton::clicked, this, &TfrmAbrir::btnExaminarClick);
    connect(DBGrid1, &QTableView::doubleClicked, this, [this](const QModelIndex&) { btnAbrirClick(); });

    entradas_ = ListarProblemas(QFile::encodeName(carpeta.isEmpty() ? CarpetaProblemas() : carpeta).toStdString());
    Filtrar();
}

void TfrmAbrir::cbTodosClick() {
    for (QCheckBox* c : cbBloques) c->setEnabled(!c->isEnabled());
}

void TfrmAbrir::Filtrar() {
    QVarLengthArray<bool, 8> tipos;
    for (QCheckBox* c : cbBloques) tipos.append(c->isChecked());
    modelo_->removeRows(0, modelo_->rowCount());
    for (std::size_t i = 0; i < entradas_.size(); ++i) {
        const TEntradaBiblioteca& e = entradas_[i];
        if (!EntradaVisible(e, cbTodos->isChecked(), {tipos.data(), std::size_t(tipos.size())})) continue;
        QList<QStandardItem*> fila{new QStandardItem(QString::fromStdString(e.nombre)),
                                   new QStandardItem(QString::fromStdString(e.titulo)),
                                   new QStandardItem(QString::fromStdString(e.guardado))};
        fila[0]->setData(qulonglong(i));
        for (QStandardItem* celda : fila) celda->setToolTip(QString::fromStdString(e.titulo));
        modelo_->appendRow(fila);
    }
    if (modelo_->rowCount() > 0) DBGrid1->selectRow(0);
}

QStringList TfrmAbrir::Nombres() const {
    QStringList nombres;
    for (int r = 0; r < modelo_->rowCount(); ++r) nombres << modelo_->item(r, 0)->text();
    return nombres;
}

void TfrmAbrir::btnAbrirClick() {
    const QModelIndexList filas = DBGrid1->selectionModel()->selectedRows();
    if (filas.isEmpty()) return;
    const auto i = modelo_->item(filas.constFirst().row(), 0)->data().toULongLong();
    Abrir(QFile::decodeName(entradas_[i].ruta.c_str()));
}

void TfrmAbrir::btnExaminarClick() {
    const QString ruta = ElegirArchivoAbrir(this);
    if (!ruta.isEmpty()) Abrir(ruta);
}

bool TfrmAbrir::Abrir(const QString& ruta) {
    elegido_ = LeerArchivoProblema(this, ruta);
    if (!elegido_) return false;
    rutaElegida_ = ruta;
    accept();
    return true;
}
