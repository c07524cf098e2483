// A batch of cases: CSV in, CSV out.  The header names the columns: data
// fields without their "edt" prefix, and "codigo" (the code of the wizard
// answers: 0, 1, 2, 3, 11, 12, 21, 22 or 31), "chorro" (0 "impacta sobre
// superficie libre", 1 "desliza sobre escalón", empty when not asked) and
// "rugosidad" (1 for "Altura de rugosidad", 0 or empty for "Coeficiente de
// Manning"); missing columns take their defaults.  Each following line is one
// case, each cell exactly what would be typed in the field.  The separator is
// the comma, or the semicolon when the header has semicolons and no comma;
// cells may be quoted ("...", with "" for a quote).
//
// The output has the same separator: the input columns, "titulo", then one
// column per caption of the results rows (in the order first met; a case
// without a row leaves its cell empty), then the warnings' columns of
// ColumnasAvisosLote, one line per case that ran.  A bad
// line (wrong number of cells, a rejected text, a missing jet answer, a
// floating-point fault ...) is reported with its line number and the other
// lines still run.
#pragma once

#include <cstddef>
#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

struct TFalloLote {
    std::size_t linea;  // line of the input, from 1 (the header)
    std::string mensaje;
};

struct TResumenLote {
    std::size_t casos = 0;  // lines that held a case, good or bad
    std::vector<TFalloLote> fallos;
};

// Called after each case with the cases done and the total.
using TAvanceLote = std::function<void(std::size_t hechos, std::size_t total)>;

// A header that cannot be used (empty, unknown or repeated column) is one
// failure at line 1; then no case runs and nothing is written.
TResumenLote EjecutarLote(std::istream& entrada, std::ostream& salida, const TAvanceLote& avance = {});
