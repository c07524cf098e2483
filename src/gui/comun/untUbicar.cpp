#include "comun/untUbicar.h"

#include <QLabel>
#include <QLineEdit>

#include "turmado.h"

using namespace columnas;

int TopeFila(int fila, int grupo, bool esEtiqueta) {
    return (esEtiqueta ? 40 : 36) + 24 * (fila - 1) + 8 * (grupo - 1);
}

void UbicarControl(QWidget* control, int fila, int grupo) {
    const bool esEtiqueta = qobject_cast<QLabel*>(control) != nullptr;
    control->move(control->x(), TopeFila(fila, grupo, esEtiqueta));
    control->setVisible(true);
}

void UbicarFila(QLabel* etiqueta, QLineEdit* edit, QLabel* unidad, int fila, int grupo) {
    UbicarControl(etiqueta, fila, grupo);
    UbicarControl(edit, fila, grupo);
    UbicarControl(unidad, fila, grupo);
}

void OrdenTabulacion(std::span<QWidget* const> controles) {
    for (std::size_t i = 1; i < controles.size(); ++i) QWidget::setTabOrder(controles[i - 1], controles[i]);
}

void OrdenTabulacion(std::initializer_list<QWidget*> controles) {
    OrdenTabulacion(std::span<QWidget* const>(controles.begin(), controles.size()));
}

QLabel* CrearEtiqueta(QWidget* pagina, const QString& nombre, const QString& texto, int x, int ancho,
                      bool negrita) {
    auto* l = new QLabel(texto, pagina);
    l->setObjectName(nombre);
    l->setGeometry(x, kCabeceraY, ancho, kAltoEtiqueta);
    if (negrita) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

void CrearCabeceras(QWidget* pagina, const QString& prefijo) {
    CrearEtiqueta(pagina, prefijo + "Cate", "Categoría", kCategoriaX, kCategoriaAncho, true);
    CrearEtiqueta(pagina, prefijo + "Para", "Parámetro", kParametroX, kParametroAncho, true);
    CrearEtiqueta(pagina, prefijo + "Valo", "Valor", kValorX, kValorAncho, true);
    CrearEtiqueta(pagina, prefijo + "Unid", "Unidades", kUnidadX, kUnidadAncho, true);
}

TFilaCampo CrearFila(QWidget* pagina, const TCampo& campo) {
    const QString nombre = QString::fromUtf8(campo.nombre.data(), qsizetype(campo.nombre.size()));
    TFilaCampo f;
    f.etiqueta = CrearEtiqueta(pagina, "lbl" + nombre,
                               QString::fromUtf8(campo.etiqueta.data(), qsizetype(campo.etiqueta.size())),
                               kParametroX, kParametroAncho, false);
    f.edit = new QLineEdit(QString::fromUtf8(campo.defecto.data(), qsizetype(campo.defecto.size())), pagina);
    f.edit->setObjectName("edt" + nombre);
    f.edit->setGeometry(kValorX, kCabeceraY, kValorAncho, kAltoEdit);
    f.unidad = CrearEtiqueta(pagina, "lbl" + nombre + "Unid",
                             QString::fromUtf8(campo.unidad.data(), qsizetype(campo.unidad.size())), kUnidadX,
                             kUnidadAncho, false);
    return f;
}
