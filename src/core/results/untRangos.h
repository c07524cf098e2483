// Calibration and validation ranges of the formulas, as published with
// each formula: one table per formula, one row per parameter.  The texts
// are kept exactly as they are shown (a range "lower/upper", a single
// value, "-", a word, or empty where the source gives nothing).
#pragma once

#include <span>
#include <string_view>

#include "problem/untDatos.h"
#include "problem/untTipos.h"

inline constexpr const char* kMensajeSinRangos = "Rangos de calibración/validación no disponibles.";

// Headers of every range table: "Parámetro" and "Unidades", and "Rango"
// over its two columns "Calibración" and "Validación".
inline constexpr const char* kRangoParametro = "Parámetro";
inline constexpr const char* kRangoUnidades = "Unidades";
inline constexpr const char* kRangoRango = "Rango";
inline constexpr const char* kRangoCalibracion = "Calibración";
inline constexpr const char* kRangoValidacion = "Validación";

// Every table of every type, each once, in the order of the types and slots.
std::span<const TTablaRango> TablasRango();

// The table of formula slot k (from 1) of a code, or nullptr where the
// formula has none, or the code no formulas.
const TTablaRango* TablaRango(ProblemCode codigo, int k);
