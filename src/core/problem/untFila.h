// One row of the results page as the page, the report and the problem file
// keep it: the stem of its controls, caption, value text and unit.
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct TFila {
    std::string tallo;     // stem of the row's controls (lbl<tallo>, edt<tallo>, lbl<tallo>Unid)
    std::string etiqueta;  // caption
    std::string valor;     // value text
    std::string unidad;    // unit text, may be empty
    // The number the value text shows rounded, when it shows one (nothing for
    // "inactivo", "nulo", "Lecho vivo" ...): for output at full precision.
    std::optional<double> numero = {};
};

// A row that output for programs names by a stable key (compute/untClaves.h).
struct TClaveFila {
    std::string_view tallo;     // stem of the row (TFila::tallo)
    std::string_view clave;     // its key
    std::string_view etiqueta;  // the caption the row shows
    std::string_view unidad;    // the unit the row shows
};

// The stem of the equilibrium-scour row of formula slot k (1 to 4).
inline std::string TalloErosion(int k) {
    static constexpr std::string_view kTallos[]{"OutpErosMaxi1", "OutpErosMaxi2", "OutpErosMaxi3", "OutpErosMaxi4"};
    return std::string(kTallos[k - 1]);
}
