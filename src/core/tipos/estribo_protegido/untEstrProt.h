// Protected abutment or spur dike (code 211): "Dietz" with the coefficient
// reduced by the bed protection at the foot of the structure, and the growth
// of the scour hole in time.  The steps that "Calcular" runs for the code.
#pragma once

#include <vector>

#include "problem/untDatosPEP.h"
#include "problem/untFormulas.h"
#include "problem/untTextos.h"
#include "problem/untTipos.h"

// Its final code, as the wizard's classification reaches it (problem/untCodigo.cpp).
inline constexpr ProblemCode kCodigoEstriboProt = 211;

struct TDatosProblema;
struct TFila;

// Calculator and results rows of code 211 (it has no input or preparation
// step: the user fills no complementary data for it).
void CalcEstriboProt(TDatosProblema& d, const TPanelFormulas& panel, TGrafico& grafico);
std::vector<TFila> FilasEstriboProt(const TDatosProblema& d, const TPanelFormulas& panel);

// The descriptor of the protected abutment or spur dike.
const TTipoEstructura& TipoEstriboProt();

// The sections of "Detalle del cálculo" of the formulas the calculation
// evaluated, in slot order.
void SeccionesEstriboProt(const TDatosProblema& d, const TPanelFormulas& panel, std::vector<TSeccionDetalle>& secciones);
