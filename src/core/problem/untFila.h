// One row of the results page as the page, the report and the problem file
// keep it: the stem of its controls, caption, value text and unit.
#pragma once

#include <optional>
#include <string>

struct TFila {
    std::string tallo;     // stem of the row's controls (lbl<tallo>, edt<tallo>, lbl<tallo>Unid)
    std::string etiqueta;  // caption
    std::string valor;     // value text
    std::string unidad;    // unit text, may be empty
    // The number the value text shows rounded, when it shows one (nothing for
    // "inactivo", "nulo", "Lecho vivo" ...): for output at full precision.
    std::optional<double> numero = {};
};
