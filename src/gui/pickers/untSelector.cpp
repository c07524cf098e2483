#include "pickers/untSelector.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>

#include "comun/untTablaDialogo.h"
#include "comun/untTexto.h"
#include "turmado.h"

TfrmSelector::TfrmSelector(const TTablaCoef& tabla, QWidget* dueno)
    : TDialogoCoef(dueno), tabla_(tabla), grupo_(new QButtonGroup(this)) {
    const QString nombre = QTexto(tabla.nombre);
    setObjectName("frm" + nombre);
    setWindowTitle(QTexto(tabla.titulo));
    grupo_->setObjectName("rg" + nombre);
    grupo_->setExclusive(true);

    auto* t = new TTablaEtiquetas(this);
    const int columnas = int(tabla.columnas.size());
    // Header row: an empty header widens the one before it.
    for (int c = 0; c < columnas;) {
        int ancho = 1;
        while (c + ancho < columnas && tabla.columnas[c + ancho].empty()) ++ancho;
        t->Cabecera(QTexto(tabla.columnas[c]), 0, c, 1, ancho);
        c += ancho;
    }
    t->Cabecera("", 0, columnas);  // over the choices

    const int filas = int(tabla.filas.size());
    for (int f = 0; f < filas; ++f) {
        const auto& celdas = tabla.filas[f].celdas;
        for (int c = 0; c < columnas;) {
            const bool agrupada = c < tabla.agrupadas;
            // A text widens over the empty cells to its right that share its
            // header.
            int ancho = 1;
            while (c + ancho < columnas && tabla.columnas[c + ancho].empty() && celdas[c + ancho].empty()) ++ancho;
            if (agrupada && celdas[c].empty()) {  // covered by the cell above
                c += ancho;
                continue;
            }
            int alto = 1;
            while (agrupada && f + alto < filas && tabla.filas[f + alto].celdas[c].empty()) ++alto;
            QLabel* l = t->Celda(QTexto(celdas[c]), f + 1, c, alto, ancho);
            if (c + ancho < columnas) l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);  // descriptions
            c += ancho;
        }
        auto* item = new QRadioButton(this);
        item->setObjectName(grupo_->objectName() + "Item" + QString::number(f));
        grupo_->addButton(item, f);
        t->Control(item, f + 1, columnas);
    }
    DisponerDialogo(this, t, true);
    CentrarEnPantalla(this);
}

QString TfrmSelector::ValorElegido() const { return QTexto(::ValorElegido(tabla_, grupo_->checkedId())); }

int TfrmSelector::ItemIndex() const { return grupo_->checkedId(); }

QRadioButton* TfrmSelector::Item(int indice) const { return qobject_cast<QRadioButton*>(grupo_->button(indice)); }
