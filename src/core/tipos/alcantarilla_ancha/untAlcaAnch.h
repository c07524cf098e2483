// Wide culvert (code 122): an opening under a structure at the water
// surface, without sufficient protection downstream, so that the flow leaves
// it as a wide contracted jet along the bed.  The steps that "Calcular" runs
// for the code; the block with its formulas is TDatosPAC.
#pragma once

#include <string>
#include <vector>

#include "problem/untDatosPAC.h"
#include "problem/untFormulas.h"
#include "problem/untTextos.h"
#include "problem/untTipos.h"

// Its final code, as the wizard's classification reaches it (problem/untCodigo.cpp).
inline constexpr ProblemCode kCodigoAlcaAncha = 122;

struct TDatosProblema;
struct TFila;

// Input step: d90 (mm) only while slot 1 or slot 4 is active, then the angle
// of repose and the head difference.
void LeerAlcaAnch(TDatosProblema& d, const TTextosCampos& textos, const TPanelFormulas& panel);
// Preparation step: jet thickness, velocity and Froude number, turbulence intensity.
void PrepAlcaAnch(TDatosProblema& d, const TPanelFormulas& panel);
// The calculator: alpha, the active formulas, then the evolution curves when alpha U > Uc.
void CalcAlcaAnch(TDatosProblema& d, const TPanelFormulas& panel, TGrafico& grafico);
// Rows 6 to 10 of the results page: turbulence intensity and the four depths.
std::vector<TFila> FilasAlcaAnch(const TDatosProblema& d, const TPanelFormulas& panel);

// The descriptor of the wide culvert.
const TTipoEstructura& TipoAlcaAncha();

// The sections of "Detalle del cálculo" of the formulas the calculation
// evaluated, in slot order.
void SeccionesAlcaAnch(const TDatosProblema& d, const TPanelFormulas& panel, std::vector<TSeccionDetalle>& secciones);
