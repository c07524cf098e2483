// Answers of the classification wizard, as they are stored in the record.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "problem/untDatos.h"

// The branch "en fondo y orilla" has no calculator: the message says why and
// which answers lead to one.
inline constexpr const char* kMensajeRamaInactiva =
    "Rama Inactiva. El programa no tiene fórmulas para un obstáculo en el fondo y en la orilla a la vez. "
    "Clasifique el problema por el efecto que domine: «contracción/expansión vertical» con el obstáculo "
    "«en el fondo» (escalón o umbral), o «contracción/expansión horizontal» con el obstáculo «en orilla» "
    "(estribo o espigón).";

// Byte stored for an item of the obstacle question of a first-level code
// (1: 3 "en el fondo", 4 "en superficie"; 2: 5 "en orilla", 6 "interior";
// 3: 7 "en superficie y orilla").  Nothing for "en fondo y orilla" (the
// inactive branch) or for a code without the question.
std::optional<std::uint8_t> CodificarObstaculo(ProblemCode codigoNivel1, int item);

// Byte stored for an item of the jet question: 8 "impacta sobre superficie
// libre", 9 "desliza sobre escalón".
std::uint8_t CodificarChorro(int item);

// Stores the phenomenon answer of a first-level code (1, 2 or 3: item
// code - 1) and sets CodiProb to it.  False for any other code.
bool ElegirFenomeno(TDatosProblema& d, ProblemCode codigoNivel1);

// Stores the phenomenon and obstacle answers that lead to a second-level
// code (11, 12, 21, 22 or 31) and sets CodiProb to it.  False for any other code.
bool ElegirEstructura(TDatosProblema& d, ProblemCode codigoNivel2);

// A question of the wizard, as the window asks it below the pages: its
// name (the radio group's), its title and its items in order.
struct TPregunta {
    std::string_view nombre;
    std::string_view titulo;
    std::span<const std::string_view> items;
};

// The phenomenon question ("Fenómeno dominante"), answered by a first-level
// code 1, 2 or 3 (item + 1).
const TPregunta& PreguntaFenomeno();

// The obstacle question of a first-level code (1, 2 or 3); nullptr for any
// other code.  Its items are coded by CodificarObstaculo.
const TPregunta* PreguntaObstaculo(ProblemCode codigoNivel1);

// The jet question of a bed step whose protection is too short; its items
// are coded by CodificarChorro.
const TPregunta& PreguntaChorro();
