// "Detalle del cálculo": the computation of a solved problem laid out for a
// reviewer.  First the common flow and sediment computation, then each
// formula the calculation evaluated, with its equation as the methodology
// writes it, every datum, factor and intermediate value with its symbol,
// value and unit, and its results (equilibrium depth, failure length, time
// scale of the evolution).  Every value is read from the record the
// calculation wrote; values the calculation did not write this time (an
// inactive slot, a time scale whose condition failed) are left out and a
// note says why.  The window, the report and the command line all print
// what this unit returns.
#pragma once

#include <string>
#include <vector>

#include "problem/untDatos.h"
#include "problem/untFormulas.h"
#include "compute/untDetalleBase.h"

struct TDetalleCalculo {
    std::string titulo;  // results title of the code; empty for a code without calculator
    std::vector<TSeccionDetalle> secciones;
};

inline constexpr const char* kTituloDetalle = "Detalle del cálculo";
inline constexpr const char* kTituloCalculoComun = "Cálculo común";

// The detail of the problem that "Calcular" left in `d` with the slots of
// `panel` (the same panel the calculation read).  `manning` tells the
// roughness option: with "Altura de rugosidad" the Manning coefficient is
// a derived value.  The common section always comes; then one section per
// formula evaluated, in slot order (the protected abutment's "Dietz"
// always, the pier's fourth slot only as the failure lengths).
TDetalleCalculo DetalleCalculo(const TDatosProblema& d, const TPanelFormulas& panel, bool manning);

// A value as the detail prints it: six significant digits without trailing
// zeros, plain from 1e-4 up to below 1e9 ("5.4", "0.378197", "6000000"),
// otherwise with a decimal exponent ("1e-6").  Independent of the locale.
std::string NumeroDetalle(double valor);

// One line of the printed detail.
struct TLineaDetalle {
    enum class TTipo { Titulo, Encabezado, Texto };
    TTipo tipo;
    int nivel;  // indentation: 0 for the title and headings, 1 and 2 below them
    std::string texto;
};

// The detail as lines: the title, then per section its heading, "Ecuación:"
// and the equation's lines, "Términos:" and one line per term, "Resultados:"
// and one line per result, and each note.  A term reads
// "Nombre: símbolo = expresión = valor unidad" (no expression for a datum);
// the common section lists its terms without a sub-heading.
std::vector<TLineaDetalle> LineasDetalle(const TDetalleCalculo& detalle);

// The lines as plain text: two blanks of indentation per level, a blank
// line before each heading, each line ended by "\n".
std::string TextoDetalle(const TDetalleCalculo& detalle);
