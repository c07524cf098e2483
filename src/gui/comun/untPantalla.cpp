#include "comun/untPantalla.h"

#include <algorithm>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {
// The frame a window manager adds before the window is shown and it can be
// measured: borders and a title bar.
constexpr int kMarcoAncho = 16, kMarcoAlto = 40;
}  // namespace

void DentroDeLaPantalla(QWidget* w, QSize deseado) {
    QScreen* pantalla = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!pantalla) {
        w->resize(deseado);
        return;
    }
    const QRect libre = pantalla->availableGeometry();
    const bool visible = w->isVisible();
    const int marcoAncho = visible ? w->frameGeometry().width() - w->width() : kMarcoAncho;
    const int marcoAlto = visible ? w->frameGeometry().height() - w->height() : kMarcoAlto;
    w->resize(deseado.boundedTo(QSize(libre.width() - marcoAncho, libre.height() - marcoAlto)));
    if (!visible) return;
    QRect marco = w->frameGeometry();
    marco.moveLeft(std::clamp(marco.left(), libre.left(), std::max(libre.left(), libre.right() - marco.width() + 1)));
    marco.moveTop(std::clamp(marco.top(), libre.top(), std::max(libre.top(), libre.bottom() - marco.height() + 1)));
    w->move(marco.topLeft());
}

int AnchoParaTitulo(const QWidget* w) {
    constexpr int kBotonesEIcono = 120;  // icon, close button and the gaps of a title bar
    QFont f = w->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.1);
    return QFontMetrics(f).horizontalAdvance(w->windowTitle()) + kBotonesEIcono;
}
