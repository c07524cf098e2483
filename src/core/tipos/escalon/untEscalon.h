// Step: the steps that "Calcular" runs for the step (its input and
// preparation steps are the jet's, compute/untChorroComun.h; the block with
// the jet data is TDatosPEn), and its descriptor.
#pragma once

#include <vector>

#include "problem/untDatosPEn.h"
#include "problem/untFormulas.h"
#include "problem/untTextos.h"
#include "problem/untTipos.h"

// Its final code, as the wizard's classification reaches it (problem/untCodigo.cpp).
inline constexpr ProblemCode kCodigoEscalon = 1121;

struct TDatosProblema;
struct TFila;

// Calculator of the step: "Bornmann y Julien" in slot 1 and its curve.
void CalcularEscalon(TDatosProblema& d, const TPanelFormulas& panel, TGrafico& grafico);

// Results rows of the step from row 6 on: turbulence intensity, scour of slot 1.
std::vector<TFila> FilasEscalon(const TDatosProblema& d, const TPanelFormulas& panel);

// The descriptor of the bed step.
const TTipoEstructura& TipoEscalon();

// The sections of "Detalle del cálculo" of the formulas the calculation
// evaluated, in slot order.
void SeccionesEscalon(const TDatosProblema& d, const TPanelFormulas& panel, std::vector<TSeccionDetalle>& secciones);
