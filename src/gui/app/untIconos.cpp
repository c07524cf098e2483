#include "app/untIconos.h"

#include <QPainter>
#include <QPixmap>

namespace {

// A small window: frame, blue title bar, white client area.
void Ventana(QPainter& p, QRect r) {
    p.setPen(QColor(40, 40, 40));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.fillRect(QRect(r.left() + 1, r.top() + 1, r.width() - 1, 3), QColor(0, 0, 160));
}

}  // namespace

QIcon Icono(TIcono icono) {
    QPixmap px(24, 24);
    px.fill(Qt::transparent);
    QPainter p(&px);
    switch (icono) {
        case TIcono::Nuevo: {
            // A sheet with a folded corner.
            const QPolygon hoja({{5, 2}, {15, 2}, {20, 7}, {20, 21}, {5, 21}});
            p.setPen(QColor(40, 40, 40));
            p.setBrush(Qt::white);
            p.drawPolygon(hoja);
            p.drawPolyline(QPolygon({{15, 2}, {15, 7}, {20, 7}}));
            break;
        }
        case TIcono::Cascada:
            Ventana(p, {2, 2, 13, 11});
            Ventana(p, {6, 6, 13, 11});
            Ventana(p, {10, 10, 13, 11});
            break;
        case TIcono::MosaicoHorizontal:
            Ventana(p, {2, 2, 19, 9});
            Ventana(p, {2, 13, 19, 9});
            break;
        case TIcono::MosaicoVertical:
            Ventana(p, {2, 2, 9, 19});
            Ventana(p, {13, 2, 9, 19});
            break;
    }
    return QIcon(px);
}
