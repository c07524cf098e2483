#include "pickers/untPaginaComplementaria.h"

#include <QPushButton>

#include "problem/untActivacion.h"
#include "problem/untCodigo.h"
#include "problem/untProbTipo.h"
#include "problem/untUbicar.h"

using namespace columnas;

TPaginaComplementaria::TPaginaComplementaria(TfrmProbTipo& ventana) : ventana_(ventana) {
    setObjectName("tbshNivel3");
    CrearCabeceras(this, "lblNiv3");
    btnN3 = new QPushButton("Calcular", this);
    btnN3->setObjectName("btnN3");
    btnN3->setGeometry(kParametroX, TopeFila(8, 3, false) + 12, 176, 28);
    connect(btnN3, &QPushButton::clicked, this, &TPaginaComplementaria::btnN3Click);
}

void TPaginaComplementaria::tbshNivel3Show() {
    TDatosProblema& d = ventana_.Datos();
    d.CodiProb = CalcularCodigo(TfrmProbTipo::kComplementaria, d);
    MostrarComplementarios(d.CodiProb, ventana_.Textos(), ventana_.Panel());
}

void TPaginaComplementaria::btnN3Click() { ventana_.Calcular(); }
