// Narrow culvert (code 31): one or more circular openings whose jets scour
// the bed downstream.  The steps that "Calcular" runs for the code; the
// block with its formulas is TDatosPAG.
#pragma once

#include <string>
#include <vector>

#include "problem/untDatosPAG.h"
#include "problem/untFormulas.h"
#include "problem/untTextos.h"
#include "problem/untTipos.h"

// Its final code, as the wizard's classification reaches it (problem/untCodigo.cpp).
inline constexpr ProblemCode kCodigoAlcaAngosta = 31;

struct TDatosProblema;
struct TFila;

// Input step: d90 (mm), whatever the slots.
void LeerAlcaAngo(TDatosProblema& d, const TTextosCampos& textos, const TPanelFormulas& panel);
// Preparation step: the relative turbulence intensity.
void PrepAlcaAngo(TDatosProblema& d, const TPanelFormulas& panel);
// The calculator: alpha, the active formulas, then the evolution curves when alpha U > Uc.
void CalcAlcaAngo(TDatosProblema& d, const TPanelFormulas& panel, TGrafico& grafico);
// Rows 6 to 10 of the results page: turbulence intensity and the four depths.
std::vector<TFila> FilasAlcaAngo(const TDatosProblema& d, const TPanelFormulas& panel);

// The descriptor of the narrow culvert.
const TTipoEstructura& TipoAlcaAngosta();

// The sections of "Detalle del cálculo" of the formulas the calculation
// evaluated, in slot order.
void SeccionesAlcaAngo(const TDatosProblema& d, const TPanelFormulas& panel, std::vector<TSeccionDetalle>& secciones);
