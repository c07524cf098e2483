// Step: the steps that "Calcular" runs for the step.  The
// step and the plunging jet share the input and preparation
// steps declared here; the block with the jet data is TDatosPEn.
#pragma once

#include <vector>

#include "problem/untDatosPEn.h"
#include "problem/untFormulas.h"
#include "problem/untTextos.h"

struct TDatosProblema;
struct TFila;

// Input step of the step and the plunging jet: d90 (mm to m), angle of repose, head
// difference and jet angle, whatever the state of the slots.
void EntradaEscalon(TDatosProblema& d, const TTextosCampos& textos, const TPanelFormulas& panel);

// Preparation step of the step and the plunging jet: jet velocity and the relative
// turbulence intensity 1.5.
void PreparacionEscalon(TDatosProblema& d, const TPanelFormulas& panel);

// Calculator of the step: "Bornmann y Julien" in slot 1 and its curve.
void CalcularEscalon(TDatosProblema& d, const TPanelFormulas& panel, TGrafico& grafico);

// Results rows of the step from row 6 on: turbulence intensity, scour of slot 1.
std::vector<TFila> FilasEscalon(const TDatosProblema& d, const TPanelFormulas& panel);
