#include "results/untPdteCritPVC.h"

#include "comun/untTablaDialogo.h"
#include "comun/untTexto.h"
#include "turmado.h"

TfrmPdteCritPVC::TfrmPdteCritPVC(QWidget* owner) : QDialog(owner) {
    setObjectName("frmPdteCritPVC");
    setWindowTitle(kTituloPdteCrit);
    auto* t = new TTablaEtiquetas(this);
    for (int c = 0; c < int(kColumnasPdteCrit.size()); ++c) t->Cabecera(QTexto(kColumnasPdteCrit[c]), 0, c);
    for (int f = 0; f < int(kFilasPdteCrit.size()); ++f)
        for (int c = 0; c < int(kFilasPdteCrit[f].size()); ++c) t->Celda(QTexto(kFilasPdteCrit[f][c]), f + 1, c);
    DisponerDialogo(this, t, false);
    CentrarEnPantalla(this);
}
