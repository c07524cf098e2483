#include "comun/untIconos.h"

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
        case TIcono::Reporte:
            // A printed sheet: lines of text.
            p.setPen(QColor(40, 40, 40));
            p.setBrush(Qt::white);
            p.drawRect(5, 2, 14, 19);
            p.setPen(QColor(0, 0, 160));
            for (int y = 6; y <= 17; y += 3) p.drawLine(8, y, y == 17 ? 12 : 16, y);
            break;
        case TIcono::Imagen:
            // A framed picture: sky, sun and a hill.
            p.setPen(QColor(40, 40, 40));
            p.setBrush(QColor(200, 225, 255));
            p.drawRect(2, 4, 19, 15);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(240, 200, 0));
            p.drawEllipse(QPoint(16, 8), 2, 2);
            p.setBrush(QColor(60, 140, 60));
            p.drawPolygon(QPolygon({{3, 19}, {9, 10}, {14, 16}, {17, 13}, {21, 19}}));
            break;
        case TIcono::Tabla:
            // A table: header row and a grid.
            p.setPen(QColor(40, 40, 40));
            p.setBrush(Qt::white);
            p.drawRect(3, 4, 17, 15);
            p.fillRect(QRect(4, 5, 16, 3), QColor(0, 0, 160));
            for (int y = 11; y <= 15; y += 4) p.drawLine(3, y, 20, y);
            p.drawLine(9, 8, 9, 19);
            p.drawLine(14, 8, 14, 19);
            break;
    }
    return QIcon(px);
}
