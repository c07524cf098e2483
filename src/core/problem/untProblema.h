// A problem as it is saved to a file or run outside the window: the wizard
// answers, the roughness option and the text of every field.  The window's
// road is walked again from it: the answers, "Continuar" on the structure
// page with its protection check, the jet answer, the complementary page.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "general/untError.h"
#include "problem/untCampos.h"
#include "problem/untContinuar.h"
#include "problem/untDatos.h"
#include "problem/untFormulas.h"

struct TProblema {
    // Code of the wizard answers: 0 none; 1, 2, 3 the phenomenon alone;
    // 11, 12, 21, 22, 31 the phenomenon and the obstacle.
    ProblemCode codigo = 0;
    // Item of the jet question: 0 "impacta sobre superficie libre",
    // 1 "desliza sobre escalón"; asked only for a bed step whose protection
    // is too short.
    std::optional<int> chorro;
    bool rugosidad = false;  // "Altura de rugosidad" selected instead of "Coeficiente de Manning"
    TTextosCampos textos = TextosPorDefecto();

    bool operator==(const TProblema&) const = default;
};

// True for the codes that the wizard answers can lead to (see codigo above).
bool CodigoDeRespuestas(ProblemCode codigo);

// The first text that its field would reject, as "<name>: <field's
// message>", or a name that is not a field; nothing when every text passes.
std::optional<std::string> TextoRechazado(const TTextosCampos& textos);

// A bed step whose protection is too short needs the jet answer.
class ErrorChorro : public ErrorTurmado {
public:
    ErrorChorro();
};

// Walks the window's road for the answers into the record: the phenomenon
// and obstacle answers, "Continuar" on the structure page (structure fields
// and protection check), the jet answer, then the complementary page (its
// code and the formula panel from the texts).  Codes below 10 only reach
// the data pages: the record keeps code 0 and the panel is untouched.  When
// the jet question comes and the answer is missing, the walk stops there
// (the results level then reads 112).  Returns what "Continuar" reported.
TContinuacion RecorrerAsistente(TDatosProblema& d, const TProblema& p, TPanelFormulas& panel);

// True when the walk stopped at the jet question for want of an answer.
bool FaltaChorro(const TContinuacion& c, const TProblema& p);

// The problem code the results level reads after the walk (112 for a bed
// step waiting for its jet answer); no calculation.
ProblemCode CodigoFinal(const TProblema& p);
