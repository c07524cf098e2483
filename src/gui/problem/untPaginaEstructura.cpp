#include "problem/untPaginaEstructura.h"

#include <vector>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "comun/untControlCampos.h"
#include "comun/untMensajes.h"
#include "comun/untVentanaProblema.h"
#include "pickers/untPaginaComplementaria.h"
#include "turmado.h"

using namespace columnas;

TPaginaEstructura::TPaginaEstructura(IVentanaProblema& ventana) : ventana_(ventana) {
    setObjectName("tbshNivel2");
    CrearCabeceras(this, "lblNiv2");
    lblNiv2Estr = CrearEtiqueta(this, "lblNiv2Estr", "ESTRUCTURA", kCategoriaX, kCategoriaAncho, false);
    for (const TCampo& campo : Campos()) {
        if (campo.pagina != IVentanaProblema::kEstructura) continue;
        const TFilaCampo f = CrearFila(this, campo);
        ventana.Campos().Registrar(f.edit, campo);
        filas_.emplace(campo.nombre, f);
    }
    btnN2 = new QPushButton("Continuar", this);
    btnN2->setObjectName("btnN2");
    btnN2->setGeometry(kParametroX, TopeFila(5, 1, false) + 12, 176, 28);
    connect(btnN2, &QPushButton::clicked, this, &TPaginaEstructura::btnN2Click);
}

void TPaginaEstructura::tbshNivel2Show() {
    const TDatosProblema& d = ventana_.Datos();
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) w->hide();
    for (const char* cabecera : {"lblNiv2Cate", "lblNiv2Para", "lblNiv2Valo", "lblNiv2Unid"})
        findChild<QLabel*>(cabecera)->show();
    btnN2->show();
    const auto campos = CamposEstructura(d.CodiProb);
    std::vector<QWidget*> tabulacion;
    for (int fila = 1; fila <= int(campos.size()); ++fila) {
        const TFilaCampo& f = filas_.at(campos[fila - 1]);
        UbicarFila(f.etiqueta, f.edit, f.unidad, fila, 1);
        tabulacion.push_back(f.edit);
    }
    tabulacion.push_back(btnN2);
    OrdenTabulacion(tabulacion);
    if (!campos.empty()) UbicarControl(lblNiv2Estr, 1, 1);
}

void TPaginaEstructura::btnN2Click() {
    Proteger(&ventana_.Ventana(), [&] {
        const TContinuacion c = ContinuarEstructura(ventana_.Datos(), ventana_.Textos());
        if (c.proteccionInsuficiente) MostrarMensaje(&ventana_.Ventana(), kMensajeProteccion);
        switch (c.siguiente) {
            case TSiguiente::Complementarios: ventana_.MostrarComplementarios(); break;
            case TSiguiente::PreguntarChorro: ventana_.PreguntarChorro(); break;
            case TSiguiente::CalcularDirecto:
                // Protected abutment (code 211).
                ventana_.CalcularSinComplementarios();
                break;
            case TSiguiente::Nada: break;
        }
    });
}
