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

std::string MostrarResultado(const TPanelFormulas& panel, int k, double valor) {
    return panel.Activa(k) ? NumeText(valor, 5, 2) : kTextoInactivo;
}

TFila FilaErosion(const TPanelFormulas& panel, int k, std::string valor) {
    return {"OutpErosMaxi" + std::to_string(k), "Erosión máxima de equilibrio (" + panel.Titulo(k) + ")",
            std::move(valor), "[m]"};
}

TFila FilaFalla(const TPanelFormulas& panel, int k, std::string valor) {
    return {"OutpLongFall" + std::to_string(k), "Longitud de falla crítica (" + panel.Titulo(k) + ")",
            std::move(valor), "[m]"};
}

TFila FilaTurbulencia(double valor) {
    return {"OutpInteRelaTurb", "Intensidad relativa de turbulencia", NumeText(valor, 5, 3), ""};
}
