#include "problem/untCodigo.h"
#include "problem/untTipos.h"

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
    const bool protegido = protEfec == 1;
    switch (s) {
        case 11:
            if (protegido) return kCodigoVorticeEscalon;
            if (elecChor == 9) return kCodigoEscalon;
            if (nivel == 3 || elecChor == 8) return kCodigoChorro;
            return 112;  // levels 4 and 5 without a jet choice
        case 12: return protegido ? kCodigoVorticeAlcantarilla : kCodigoAlcaAncha;
        case 21: return protegido ? kCodigoEstriboProt : kCodigoEstribo;
        default: return s;  // 22, 31 and 0 pass through
    }
}

ProblemCode CalcularCodigo(unsigned nivel, const TDatosProblema& d) {
    return CalcularCodigo(nivel, d.ProtEfec, d.ElecFeno, d.ElecObst, d.ElecChor);
}

void EntrarEnPagina(TDatosProblema& d, unsigned pagina) {
    if (pagina <= 4) d.CodiProb = CalcularCodigo(pagina, d);
}
