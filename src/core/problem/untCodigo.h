// Problem codes: one decimal digit per level of the classification.
#pragma once

#include <cstdint>

#include "problem/untDatos.h"

// Problem code at a page level (0 global ... 4 results, 5 chart) from the
// stored protection flag and wizard choices.  Pure.
ProblemCode CalcularCodigo(unsigned nivel, std::uint8_t protEfec, std::uint8_t elecFeno,
                           std::uint8_t elecObst, std::uint8_t elecChor);

// The same, reading the stored bytes of the record.
ProblemCode CalcularCodigo(unsigned nivel, const TDatosProblema& d);

// Entering a page of the calculation window (0 global ... 4 results) sets
// the problem's code to that page's level from the stored answers; the
// chart page (5) leaves it.  The window and the core's own walk of the
// wizard both enter pages through this, and nothing else writes the code.
void EntrarEnPagina(TDatosProblema& d, unsigned pagina);
