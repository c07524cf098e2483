// Bridge pier (code 22): the steps that "Calcular" runs for the code.  Up
// to three scour formulas ("Breusers", "CSU", "Johnson"); the fourth formula
// slot switches the critical failure lengths on and off.
#pragma once

#include <string>
#include <vector>

#include "problem/untDatosPPi.h"
#include "problem/untFormulas.h"
#include "problem/untTextos.h"
#include "problem/untTipos.h"

// Its final code, as the wizard's classification reaches it (problem/untCodigo.cpp).
inline constexpr ProblemCode kCodigoPila = 22;

struct TDatosProblema;
struct TFila;

// Input step: d84 (mm), angle of repose, Ks, Kg and angle of attack, whatever the slots.
void LeerPila(TDatosProblema& d, const TTextosCampos& textos, const TPanelFormulas& panel);
// Preparation step: sigma, K_theta, K_sigma and K, in this order.
void PrepPila(TDatosProblema& d, const TPanelFormulas& panel);
// The calculator: the active formulas, the evolution curves when sqrt(2) U > Uc,
// then the failure lengths when slot 4 is active.
void CalcPila(TDatosProblema& d, const TPanelFormulas& panel, TGrafico& grafico);
// Rows 6 to 11 of the results page: scour and failure length of each formula.
std::vector<TFila> FilasPila(const TDatosProblema& d, const TPanelFormulas& panel);

// The descriptor of the pier.
const TTipoEstructura& TipoPila();

// The sections of "Detalle del cálculo" of the formulas the calculation
// evaluated, in slot order.
void SeccionesPila(const TDatosProblema& d, const TPanelFormulas& panel, std::vector<TSeccionDetalle>& secciones);
