#include "results/untPaginaResultados.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "compute/untCalcular.h"
#include "problem/untCodigo.h"
#include "problem/untProbTipo.h"

namespace {

QString Texto(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

TPaginaResultados::TPaginaResultados(TfrmProbTipo& ventana) : ventana_(ventana) {
    setObjectName("tbshProblema");
    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(8, 8, 8, 8);
    lblProbTipo = new QLabel("Problema", this);
    lblProbTipo->setObjectName("lblProbTipo");
    lblProbTipo->setFrameShape(QFrame::Panel);
    lblProbTipo->setFrameShadow(QFrame::Sunken);
    lblProbTipo->setAlignment(Qt::AlignCenter);
    lblProbTipo->setMargin(4);
    QFont negrita = lblProbTipo->font();
    negrita.setBold(true);
    lblProbTipo->setFont(negrita);
    capa->addWidget(lblProbTipo);

    tblResultados = new QTableWidget(0, 3, this);
    tblResultados->setObjectName("tblResultados");
    tblResultados->setHorizontalHeaderLabels({"Parámetro", "Valor", "Unidades"});
    tblResultados->horizontalHeader()->setFont(negrita);
    tblResultados->verticalHeader()->hide();
    tblResultados->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblResultados->setSelectionMode(QAbstractItemView::NoSelection);
    tblResultados->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    tblResultados->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    tblResultados->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    capa->addWidget(tblResultados);
}

void TPaginaResultados::tbshProblemaShow() {
    TDatosProblema& d = ventana_.Datos();
    d.CodiProb = CalcularCodigo(TfrmProbTipo::kResultados, d);
    const std::vector<TFila> filas = FilasResultados(d.CodiProb, d, ventana_.Panel());
    tblResultados->setRowCount(int(filas.size()));
    for (int i = 0; i < int(filas.size()); ++i) {
        const TFila& f = filas[i];
        tblResultados->setItem(i, 0, new QTableWidgetItem(Texto(f.etiqueta)));
        auto* valor = new QTableWidgetItem(Texto(f.valor));
        valor->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        tblResultados->setItem(i, 1, valor);
        tblResultados->setItem(i, 2, new QTableWidgetItem(Texto(f.unidad)));
    }
}
