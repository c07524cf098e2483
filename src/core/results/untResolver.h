// A whole problem from its answers and texts to its results, as the window
// would get them: the wizard walked, then "Calcular".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "compute/untFilas.h"
#include "problem/untDatos.h"
#include "problem/untFormulas.h"
#include "problem/untProblema.h"

struct TResultado {
    TDatosProblema d;
    TPanelFormulas panel;
    TGrafico grafico;
    std::optional<std::string> titulo;  // results title; nothing for a code without calculator
    std::vector<std::string> mensajes;  // information messages the window would show on the way
    std::vector<TFila> filas;           // rows of the results page
};

// Walks the wizard (RecorrerAsistente) and runs "Calcular" into `r`, which
// starts empty.  The texts are taken as they are: check them first with
// TextoRechazado.  Throws ErrorChorro, ErrorFlotante (a floating-point
// fault), ErrorTexto (a text read by "Calcular" that is not a number) and
// ErrorRechazo (data "Calcular" refuses before reading them); what was
// written before stays in `r`, the messages included.
void ResolverProblema(const TProblema& p, TResultado& r);
