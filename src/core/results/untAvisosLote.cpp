#include "results/untAvisosLote.h"

#include "results/untAvisos.h"
#include "results/untAvisosDatos.h"

std::vector<std::string> ColumnasAvisosLote() {
    return {"validez1", "validez2", "validez3", "validez4", "avisos_datos"};
}

std::vector<std::string> CeldasAvisosLote(const TProblema& p, const TResultado& r) {
    std::vector<std::string> celdas;
    for (const TAvisoRanura& a : AvisosRangos(r.d.CodiProb, r.d)) celdas.emplace_back(NombreEstado(a.estado));
    celdas.push_back(UnirAvisosDatos(AvisosDatos(r.d.CodiProb, p.textos)));
    return celdas;
}
