// Formula slots of each problem code: captions, which complementary fields
// each formula needs, and the layout of the complementary page.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "problem/untCampos.h"
#include "problem/untDatos.h"
#include "problem/untFormulas.h"
#include "problem/untTipos.h"

// Activation byte of a slot: untouched, active (bold) or inactive (plain).
enum : std::uint8_t { kRanuraIntocada = 0, kRanuraActiva = 1, kRanuraInactiva = 2 };
using TEstadoFormulas = std::array<std::uint8_t, 4>;

// Slot activation of a code from the texts of the complementary fields: a
// field is filled when its text is not empty (the text is not parsed).
// Codes without formulas (the protected abutment included) leave every slot untouched.
TEstadoFormulas EstadoFormulas(ProblemCode codigo, const TTextosCampos& textos);

// The code whose activation rule a change of a complementary field's text
// applies, given the current code: the shared fields (angle of repose, d90,
// head difference, jet angle, the shape factors) apply the current code's
// rule when it uses them and nothing otherwise; the fields of one code only
// (d84, group factor, angle of attack; curvature, angle and porosity
// factors; porosity and Manning of the protection) always apply that
// code's rule.  0: no rule applies.
ProblemCode CodigoDeCambio(std::string_view campo, ProblemCode actual);

// Applies the bytes in slot order: 1 active, 2 inactive, 0 leaves the slot.
// A touched slot becomes visible.
void AplicarEstado(const TEstadoFormulas& estado, TPanelFormulas& panel);

// Sets the panel up for a code: the captions of its formulas, plain; unused
// slots hidden with the caption "inactivo"; the panel hidden for codes
// without formulas.  Returns the number of shown slots (0 to 4).
int PrepararPanel(ProblemCode codigo, TPanelFormulas& panel);

// What the complementary page shows when it is entered for a code: the panel
// set up and, except for the protected abutment, the activation from the fields.
void MostrarComplementarios(ProblemCode codigo, const TTextosCampos& textos, TPanelFormulas& panel);

// Fields whose text a slot's formula needs (for the highlight of the panel).
std::span<const std::string_view> CamposDeFormula(ProblemCode codigo, int k);

// Fields whose captions the panel highlights when slot k is clicked: the
// needed fields, and for the wide culvert's slot 4 the angle of repose as well.
std::vector<std::string_view> CamposResaltados(ProblemCode codigo, int k);

// The rows of the complementary page of a code.
std::span<const TFilaComplementaria> FilasComplementarias(ProblemCode codigo);
