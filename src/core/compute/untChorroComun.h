// What the step and the plunging jet share: the jet's fields, its rows of
// the complementary page and its input and preparation steps, over the
// block with the jet data (TDatosPEn).
#pragma once

#include <vector>

#include "problem/untDatos.h"
#include "problem/untDatosPEn.h"
#include "problem/untFormulas.h"
#include "problem/untTextos.h"
#include "problem/untTipos.h"

// The fields "Bornmann y Julien" needs, and the rows of the complementary page
// of both types.
inline const std::vector<std::string_view> kCamposChorro{"SediDiam90N3", "SediAnguRepo", "FlujDifeCargRest",
                                                         "FlujAnguChorSupeLibr"};
inline const std::vector<TFilaComplementaria> kFilasChorro{
    {"SediDiam90N3", 1, 1, "SEDIMENTO", false},
    {"SediAnguRepo", 2, 1, "", true},
    {"FlujDifeCargRest", 3, 2, "FLUJO", false},
    {"FlujAnguChorSupeLibr", 4, 2, "", false},
};

// Input step of the step and the plunging jet: d90 (mm to m), angle of repose, head
// difference and jet angle, whatever the state of the slots.
void EntradaEscalon(TDatosProblema& d, const TTextosCampos& textos, const TPanelFormulas& panel);

// Preparation step of the step and the plunging jet: jet velocity and the relative
// turbulence intensity 1.5.
void PreparacionEscalon(TDatosProblema& d, const TPanelFormulas& panel);

// The rows of the range tables whose quantity is the jet's: its velocity
// over the step, Vj = sqrt(2 g dH), and the head difference.
inline const std::vector<TMagnitudRango> kMagnitudesChorro{
    {"Velocidad del chorro", "Velocidad del chorro", 1, [](const TDatosProblema& d) { return d.PEn.ChorVelo; }, ""},
    {"Dif. altura carga/restitución", "Dif. altura carga/restitución", 1,
     [](const TDatosProblema& d) { return d.PEn.FlujDifeCargRest; }, ""},
};
