#include "problem/untCodigo.h"

namespace {

// Second-level code from the stored obstacle choice.
ProblemCode CodigoObstaculo(std::uint8_t elecObst) {
    switch (elecObst) {
        case 3: return 11;
        case 4: return 12;
        case 5: return 21;
        case 6: return 22;
        case 7: return 31;
        default: return 0;
    }
}

}  // namespace

ProblemCode CalcularCodigo(unsigned nivel, std::uint8_t protEfec, std::uint8_t elecFeno,
                           std::uint8_t elecObst, std::uint8_t elecChor) {
    if (nivel > 5 || nivel == 0) return 0;
    if (nivel == 1) return elecFeno <= 2 ? elecFeno + 1 : 0;
    const ProblemCode s = CodigoObstaculo(elecObst);
    if (nivel == 2) return s;
    // Below the structure, one digit more for those with a protection (1
    // acting, 2 none) and, below an unprotected bed step, one for the jet (1
    // sliding over the step, 2 plunging; levels 4 and 5 stay at the step
    // without a jet choice).
    const bool protegido = protEfec == 1;
    switch (s) {
        case 11: {
            if (protegido) return 10 * s + 1;
            const ProblemCode salto = 10 * s + 2;
            if (elecChor == 9) return 10 * salto + 1;
            if (nivel == 3 || elecChor == 8) return 10 * salto + 2;
            return salto;
        }
        case 12:
        case 21: return 10 * s + (protegido ? 1 : 2);
        default: return s;  // the pier, the narrow culvert and 0 pass through
    }
}

ProblemCode CalcularCodigo(unsigned nivel, const TDatosProblema& d) {
    return CalcularCodigo(nivel, d.ProtEfec, d.ElecFeno, d.ElecObst, d.ElecChor);
}

void EntrarEnPagina(TDatosProblema& d, unsigned pagina) {
    if (pagina <= 4) d.CodiProb = CalcularCodigo(pagina, d);
}
