#include "results/untRango.h"

#include <QBoxLayout>
#include <QLabel>
#include <QStringList>

#include "comun/untTablaDialogo.h"
#include "comun/untTexto.h"
#include "turmado.h"

namespace {

// Width of a range column: a range or a short word fits on one line, the
// longer kinds of jet wrap over two.
constexpr int kAnchoRango = 104;

}  // namespace

TfrmRango::TfrmRango(const TTablaRango& tabla, QWidget* dueno) : QDialog(dueno) {
    setObjectName("frm" + QTexto(tabla.nombre));
    setWindowTitle(QTexto(tabla.titulo));
    auto* t = new TTablaEtiquetas(this);
    t->Cabecera(kRangoParametro, 0, 0, 2, 1);
    t->Cabecera(kRangoUnidades, 0, 1, 2, 1);
    t->Cabecera(kRangoRango, 0, 2, 1, 2);
    t->Cabecera(kRangoCalibracion, 1, 2);
    t->Cabecera(kRangoValidacion, 1, 3);
    for (int f = 0; f < int(tabla.filas.size()); ++f) {
        const TFilaRango& fila = tabla.filas[f];
        t->Celda(QTexto(fila.parametro), f + 2, 0)->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        t->Celda(QTexto(fila.unidad), f + 2, 1);
        for (const auto& [texto, columna] : {std::pair{fila.calibracion, 2}, std::pair{fila.validacion, 3}}) {
            QLabel* l = t->Celda(QTexto(texto), f + 2, columna);
            l->setWordWrap(true);
            l->setFixedWidth(kAnchoRango);
        }
    }
    DisponerDialogo(this, t, false);
    // Below the table, why some cells are not compared with the data.
    QStringList notas;
    for (const std::string& n : NotasRango(tabla)) notas << QTexto(n);
    if (!notas.isEmpty()) {
        auto* l = new QLabel(notas.join("\n"), this);
        l->setObjectName("lblNotasRango");
        l->setWordWrap(true);
        l->setFixedWidth(t->sizeHint().width());
        if (auto* capa = qobject_cast<QBoxLayout*>(layout())) capa->insertWidget(1, l);
    }
    CentrarEnPantalla(this);
}
