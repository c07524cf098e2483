// Windows of their own (studies, validation, detail) on small screens: at
// 1024 × 768 a window sized for a large screen would run past the bottom.
#pragma once

#include <QSize>

class QWidget;

// Resizes `w` to `deseado`, at most the free area of its screen less the
// window manager's frame, and, once it is on show, moves its frame inside
// that area.
void DentroDeLaPantalla(QWidget* w, QSize deseado);

// The width a window needs for its whole title in the window manager's
// title bar: the title in a bold face (title bars are often bold and a
// little larger) with room for the icon and the buttons beside it.
int AnchoParaTitulo(const QWidget* w);
