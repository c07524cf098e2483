// Images of the toolbar buttons and of the glyph buttons, drawn at run time.
#pragma once

#include <QIcon>

enum class TIcono { Nuevo, Cascada, MosaicoHorizontal, MosaicoVertical, Reporte, Imagen, Tabla };
QIcon Icono(TIcono icono);
