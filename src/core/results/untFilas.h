// Rows of the results page: caption, value text and unit of each row, as the
// page and the report show them.
#pragma once

#include <string>
#include <vector>

#include "problem/untDatos.h"

struct TFila {
    std::string tallo;     // stem of the row's controls (lbl<tallo>, edt<tallo>, lbl<tallo>Unid)
    std::string etiqueta;  // caption
    std::string valor;     // value text
    std::string unidad;    // unit text, may be empty
};

// Rows 2 to 5, the same for every code: critical and flow Shields mobility,
// transport condition, critical erosion velocity.
std::vector<TFila> FilasComunes(const TDatosProblema& d, ProblemCode codigo);
