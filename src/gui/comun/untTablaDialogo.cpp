#include "comun/untTablaDialogo.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "comun/untPantalla.h"

namespace {

// Each cell draws its right and bottom rule; the table draws the top and
// left ones, so that neighbouring cells share a single line.
constexpr const char* kEstiloTabla =
    "#tblTabla { border-top: 1px solid palette(dark); border-left: 1px solid palette(dark); }";
constexpr const char* kEstiloCelda =
    "border: none; border-right: 1px solid palette(dark); border-bottom: 1px solid palette(dark);"
    " padding: 2px 6px;";

}  // namespace

TTablaEtiquetas::TTablaEtiquetas(QWidget* padre) : QFrame(padre), rejilla(new QGridLayout(this)) {
    setObjectName("tblTabla");
    setStyleSheet(kEstiloTabla);
    rejilla->setSpacing(0);
    rejilla->setContentsMargins(0, 0, 0, 0);
}

QLabel* TTablaEtiquetas::Celda(const QString& texto, int fila, int columna, int filas, int columnas) {
    auto* l = new QLabel(texto, this);
    l->setStyleSheet(kEstiloCelda);
    l->setAlignment(Qt::AlignCenter);
    rejilla->addWidget(l, fila, columna, filas, columnas);
    return l;
}

QLabel* TTablaEtiquetas::Cabecera(const QString& texto, int fila, int columna, int filas, int columnas) {
    QLabel* l = Celda(texto, fila, columna, filas, columnas);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

void TTablaEtiquetas::Control(QWidget* control, int fila, int columna) {
    auto* celda = new QFrame(this);
    celda->setObjectName("celda");
    celda->setStyleSheet(QString("#celda { %1 }").arg(kEstiloCelda));
    auto* capa = new QHBoxLayout(celda);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(control, 0, Qt::AlignCenter);
    rejilla->addWidget(celda, fila, columna);
}

QDialogButtonBox* DisponerDialogo(QDialog* dialogo, TTablaEtiquetas* tabla, bool cancelar) {
    auto* capa = new QVBoxLayout(dialogo);
    capa->setSizeConstraint(QLayout::SetFixedSize);
    capa->setContentsMargins(12, 12, 12, 12);
    capa->setSpacing(12);
    capa->addWidget(tabla);
    auto* botones = new QDialogButtonBox(cancelar ? QDialogButtonBox::Ok | QDialogButtonBox::Cancel
                                                  : QDialogButtonBox::Ok,
                                         dialogo);
    botones->setCenterButtons(true);
    botones->button(QDialogButtonBox::Ok)->setObjectName("bbtnOk");
    if (cancelar) botones->button(QDialogButtonBox::Cancel)->setObjectName("bbtnCanc");
    QObject::connect(botones, &QDialogButtonBox::accepted, dialogo, &QDialog::accept);
    QObject::connect(botones, &QDialogButtonBox::rejected, dialogo, &QDialog::reject);
    capa->addWidget(botones);
    // Never narrower than its title, which the title bar would cut.
    botones->setMinimumWidth(AnchoParaTitulo(dialogo) - 24);
    return botones;
}

void CentrarEnPantalla(QWidget* ventana) {
    ventana->adjustSize();
    const QScreen* pantalla = ventana->parentWidget() ? ventana->parentWidget()->screen() : ventana->screen();
    if (!pantalla) return;
    QRect r = ventana->frameGeometry();
    r.moveCenter(pantalla->availableGeometry().center());
    ventana->move(r.topLeft());
}
