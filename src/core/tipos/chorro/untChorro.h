// Plunging jet: its calculator and results rows.  The jet data
// (d90, angles, head difference, jet velocity, turbulence intensity) live in
// the step's block TDatosPEn, filled by its input and preparation steps.
#pragma once

#include <vector>

#include "problem/untDatosPCZ.h"
#include "problem/untFormulas.h"
#include "problem/untTextos.h"
#include "problem/untTipos.h"

// Its final code, as the wizard's classification reaches it (problem/untCodigo.cpp).
inline constexpr ProblemCode kCodigoChorro = 1122;

struct TDatosProblema;
struct TFila;

// Calculator of the plunging jet: "Bornmann y Julien" (no step height) in
// slot 1, "Fahlbusch" in slot 2, and their curves.  Its input and
// preparation steps are those of the step (EntradaEscalon, PreparacionEscalon).
void CalcularChorro(TDatosProblema& d, const TPanelFormulas& panel, TGrafico& grafico);

// Results rows of the plunging jet from row 6 on: turbulence intensity,
// scour of slots 1 and 2.
std::vector<TFila> FilasChorro(const TDatosProblema& d, const TPanelFormulas& panel);

// The descriptor of the plunging jet.
const TTipoEstructura& TipoChorro();

// The sections of "Detalle del cálculo" of the formulas the calculation
// evaluated, in slot order.
void SeccionesChorro(const TDatosProblema& d, const TPanelFormulas& panel, std::vector<TSeccionDetalle>& secciones);
