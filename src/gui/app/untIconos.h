// Images of the toolbar buttons, drawn at run time.
#pragma once

#include <QIcon>

enum class TIcono { Nuevo, Cascada, MosaicoHorizontal, MosaicoVertical };
QIcon Icono(TIcono icono);
