// Renders the program's SVG icon as a square PNG of one size, for the
// icon theme's fixed-size folders:  turmado-icono ICON.svg SIZE OUT.png
#include <cstdio>
#include <cstdlib>

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "uso: %s ICONO.svg TAMAÑO SALIDA.png\n", argv[0]);
        return 2;
    }
    QSvgRenderer dibujo(QString::fromLocal8Bit(argv[1]));
    const int lado = std::atoi(argv[2]);
    if (!dibujo.isValid() || lado <= 0) {
        std::fprintf(stderr, "%s: no se pudo leer el icono %s\n", argv[0], argv[1]);
        return 1;
    }
    QImage imagen(lado, lado, QImage::Format_ARGB32_Premultiplied);
    imagen.fill(Qt::transparent);
    QPainter pintor(&imagen);
    pintor.setRenderHint(QPainter::Antialiasing);
    dibujo.render(&pintor, QRectF(0, 0, lado, lado));
    pintor.end();
    if (!imagen.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "%s: no se pudo escribir %s\n", argv[0], argv[3]);
        return 1;
    }
    return 0;
}
