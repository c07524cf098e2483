// Abutment or spur dike (code 212): equilibrium scour at the tip of the
// structure by "Ahmad", "Liu", "Dietz" and "Breusers", and the reference time
// of the scour evolution.  The steps that "Calcular" runs for the code.
#pragma once

#include <string>
#include <vector>

#include "problem/untDatosPEs.h"
#include "problem/untFormulas.h"
#include "problem/untTextos.h"
#include "problem/untTipos.h"

// Its final code, as the wizard's classification reaches it (problem/untCodigo.cpp).
inline constexpr ProblemCode kCodigoEstribo = 212;

struct TDatosProblema;
struct TFila;

// Steps of "Calcular" for code 212.
void LeerEstribo(TDatosProblema& d, const TTextosCampos& textos, const TPanelFormulas& panel);
void PrepEstribo(TDatosProblema& d, const TPanelFormulas& panel);
void CalcEstribo(TDatosProblema& d, const TPanelFormulas& panel, TGrafico& grafico);
std::vector<TFila> FilasEstribo(const TDatosProblema& d, const TPanelFormulas& panel);

// "Breusers" (slot 4) is evaluated only when its slot is active and the flow
// is faster than the critical erosion velocity (U > Uc).
bool EstriboEvaluaBreusers(const TDatosProblema& d, const TPanelFormulas& panel);

// The descriptor of the abutment or spur dike.
const TTipoEstructura& TipoEstribo();

// The sections of "Detalle del cálculo" of the formulas the calculation
// evaluated, in slot order.
void SeccionesEstribo(const TDatosProblema& d, const TPanelFormulas& panel, std::vector<TSeccionDetalle>& secciones);
