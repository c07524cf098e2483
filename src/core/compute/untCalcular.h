// "Calcular": reads the field texts into the problem record, derives the
// common flow and sediment quantities and runs the calculator of the current
// problem code.
#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

#include "general/untError.h"
#include "problem/untCampos.h"
#include "problem/untDatos.h"
#include "problem/untFormulas.h"
#include "problem/untTipos.h"

#include "compute/untFilas.h"

// The calculator of a code (its type's, problem/untTipos.h), or nullptr for
// the codes without one.
const TCalculadora* CalculadoraDe(ProblemCode codigo);

// Step 6 of both abutment types: the contraction ratio L / B and the
// coefficient of the reference-time formula.
void DerivarEstribo(TDatosProblema& d);

inline constexpr const char* kMensajeRugosidad = "La altura de rugosidad debe ser menor que 12 veces el tirante.";

// "Calcular" refuses the data before reading anything into the record; the
// text is the message for the user.
class ErrorRechazo : public ErrorTurmado {
public:
    explicit ErrorRechazo(const std::string& texto) : ErrorTurmado(TClaseError::Rechazo, texto) {}
};

// True when, with the roughness option, the roughness height reaches 12 flow
// depths: ln(12 h / ks) is then 0 or negative and the Manning coefficient
// meaningless.  h in m, ks in m.  The comparison allows a relative 1e-12 so
// that a height typed as exactly twelve depths is refused whatever the
// binary rounding of the two decimal texts.
bool RugosidadExcesiva(double h, double ks);

// Steps 1 to 7 of "Calcular" for the record's current code: common inputs,
// the code's input step, sediment quantities, channel roughness (the Manning
// coefficient as typed, or derived from the roughness height), flow
// quantities, structure-derived quantities, the code's preparation step.
// It first refuses, with ErrorRechazo and kMensajeRugosidad, a roughness
// height of 12 depths or more under the roughness option; nothing is then
// read or changed.  A floating-point fault ends it with ErrorFlotante; the
// fields written before the fault keep their new values.
void CalcularPrevio(TDatosProblema& d, const TTextosCampos& textos, bool opcionManning,
                    const TPanelFormulas& panel);

// The whole of "Calcular": the steps above, then the code's calculator.
// Returns the results title for a code with a calculator, nothing otherwise.
// `alCalcular`, when given, is told the title once the steps above have
// run and just before the calculator does, so that a window can show the
// results tab and the chart's title even when the calculator then faults.
std::optional<std::string> Calcular(TDatosProblema& d, const TTextosCampos& textos, bool opcionManning,
                                    const TPanelFormulas& panel, TGrafico& grafico,
                                    const std::function<void(const char* titulo)>& alCalcular = {});

// Every row of the results page for a code: rows 2 to 5, then the
// calculator's rows (none for codes without a calculator).
std::vector<TFila> FilasResultados(ProblemCode codigo, const TDatosProblema& d, const TPanelFormulas& panel);
