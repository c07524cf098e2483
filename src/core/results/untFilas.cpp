#include "results/untFilas.h"

#include "compute/untCalcular.h"
#include "general/untGeneral.h"

std::vector<TFila> FilasComunes(const TDatosProblema& d, ProblemCode codigo) {
    const bool vortice = codigo == 111 || codigo == 121;
    const char* claras = vortice ? "Aguas Claras" : "Aguas claras";
    return {
        {"OutpParaMoviCrit", "Movilidad (Shields) Crítica", NumeText(d.OutpParaMoviCrit, 6, 4), ""},
        {"OutpParaMovi", "Movilidad (Shields)", NumeText(d.OutpParaMovi, 6, 4), ""},
        {"CondTran", "Condición de transporte", LechoVivo(d) ? "Lecho vivo" : claras, ""},
        {"OutpVeloCritEros", "Velocidad crítica de erosión", NumeText(d.OutpVeloCritEros, 5, 2), "[m/s]"},
    };
}
