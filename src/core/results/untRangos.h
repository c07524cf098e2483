// Calibration and validation ranges of the formulas, as published with
// each formula: one table per formula, one row per parameter.  The texts
// are kept exactly as they are shown (a range "lower/upper", a single
// value, "-", a word, or empty where the source gives nothing).
#pragma once

#include <span>
#include <string_view>

#include "problem/untDatos.h"

inline constexpr const char* kMensajeSinRangos = "Rangos de calibración/validación no disponibles.";

// Headers of every range table: "Parámetro" and "Unidades", and "Rango"
// over its two columns "Calibración" and "Validación".
inline constexpr const char* kRangoParametro = "Parámetro";
inline constexpr const char* kRangoUnidades = "Unidades";
inline constexpr const char* kRangoRango = "Rango";
inline constexpr const char* kRangoCalibracion = "Calibración";
inline constexpr const char* kRangoValidacion = "Validación";

struct TFilaRango {
    std::string_view parametro;
    std::string_view unidad;
    std::string_view calibracion;
    std::string_view validacion;
};

struct TTablaRango {
    std::string_view nombre;  // window name without the "Tfrm" prefix ("RangPAGRaBe")
    std::string_view titulo;  // window caption
    std::span<const TFilaRango> filas;
};

// The eleven tables.
std::span<const TTablaRango> TablasRango();

// The table of formula slot k (1 to 4) of a code, or nullptr where the
// formula has none (every slot of the pier, the vortex and the abutments;
// slots 2 to 4 of the step, 3 and 4 of the plunging jet; codes without
// formulas).
const TTablaRango* TablaRango(ProblemCode codigo, int k);
