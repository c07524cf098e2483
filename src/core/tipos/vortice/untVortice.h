// Confined vortex (codes 111 and 121): scour downstream of a bed protection
// behind a bed step (111) or under an obstacle at the water surface (121).
// The live-bed curve and the steps that "Calcular" runs for the codes; the
// block with its formulas is TDatosPVC.
#pragma once

#include <string>
#include <vector>

#include "problem/untDatosPVC.h"
#include "problem/untFormulas.h"
#include "problem/untTextos.h"
#include "problem/untTipos.h"

// Its final code, as the wizard's classification reaches it (problem/untCodigo.cpp).
inline constexpr ProblemCode kCodigoVorticeEscalon = 111;      // bed step with an acting protection
inline constexpr ProblemCode kCodigoVorticeAlcantarilla = 121;  // gate or wide culvert with an acting protection

struct TDatosProblema;
struct TFila;

// Live-bed curve: the clear-water time law with exponent `gamma` towards ye,
// corrected step by step by the sediment balance with transport qt and
// porosity n.  First stretch at t = i * paso1 while t < fin1, then steps of
// paso2 until the depth decreases, 5000 points in all or a relative change
// below 1e-5; a step that leaves t unchanged ends the curve without its
// point.  Appends every point to the series (none at t = 0) and returns the
// last depth (m), 0 when no point was drawn.
double TrazarLechVivo(TSerie& serie, double h, double tCara, double gamma, double ye, double paso1, double paso2,
                      double fin1, double qt, double poro);

// Steps of "Calcular" for codes 111 and 121.
void LeerVortice(TDatosProblema& d, const TTextosCampos& textos, const TPanelFormulas& panel);
void PrepVortice(TDatosProblema& d, const TPanelFormulas& panel);
void CalcVortice(TDatosProblema& d, const TPanelFormulas& panel, TGrafico& grafico);
std::vector<TFila> FilasVortice(const TDatosProblema& d, const TPanelFormulas& panel);

// Whether the latest calculation drew the curve of slot 1: slot 1 active,
// alpha_t > 0, T > 0 and h below the clear-water depth.
bool VorticeConCurva(const TDatosProblema& d, const TPanelFormulas& panel);

// The descriptors of the confined vortex: below a bed step and below a gate
// or wide culvert, both with an acting protection.
const TTipoEstructura& TipoVorticeEscalon();
const TTipoEstructura& TipoVorticeAlcantarilla();

// The sections of "Detalle del cálculo" of the formulas the calculation
// evaluated, in slot order.
void SeccionesVortice(const TDatosProblema& d, const TPanelFormulas& panel, std::vector<TSeccionDetalle>& secciones);
