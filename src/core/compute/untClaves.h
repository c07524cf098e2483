// Stable names of the results rows for output that programs read (the
// columns of a batch): plain ASCII, the quantity first ("ys" equilibrium
// scour depth, "lf" critical failure length), then the structure and the
// formula, then the unit.  A caption may change; a key never does.  The
// structure is part of a formula's key because one author's name covers
// different formulas for different structures (Breusers, Hoffmans, Dietz,
// Bornmann y Julien), and a column holds one formula.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "problem/untDatos.h"
#include "problem/untFila.h"

// The key of the relative turbulence intensity, a row of several types.
inline constexpr TClaveFila kClaveTurbulencia{"OutpInteRelaTurb", "turbulencia", "Intensidad relativa de turbulencia", ""};

// The keyed rows of a problem code in page order: rows 2 to 5 of every code,
// then those of its calculator (none for a code without one).
std::vector<TClaveFila> ClavesDeFilas(ProblemCode codigo);

// Every key of every code, each once, in a fixed order: the common rows,
// then each structure's rows in the order of the batch's columns
// (TiposPorColumnas, problem/untTipos.h).
const std::vector<TClaveFila>& TodasLasClaves();

// Key of the validity of the formula whose scour row has key `clave`
// ("ys_pila_csu_m" gives "validez_pila_csu"); empty for another key.
std::string ClaveValidez(std::string_view clave);

// The key of the scour row of slot k (1 to 4) of a code: its stem is
// OutpErosMaxi<k>; empty when the code has no such row.
std::string_view ClaveErosion(ProblemCode codigo, int k);
