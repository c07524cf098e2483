#include "results/untAvisosLote.h"

#include "results/untAvisos.h"

std::vector<std::string> ColumnasAvisosLote() {
    return {"validez1", "validez2", "validez3", "validez4", "avisos_datos"};
}

std::vector<std::string> CeldasAvisosLote(const TProblema& p, const TResultado& r,
                                          const std::vector<TAvisoDato>& otros) {
    std::vector<std::string> celdas;
    for (const TAvisoRanura& a : AvisosRangos(r.d.CodiProb, r.d)) celdas.emplace_back(NombreEstado(a.estado));
    std::vector<TAvisoDato> avisos = AvisosDatos(r.d.CodiProb, p.textos);
    avisos.insert(avisos.end(), otros.begin(), otros.end());
    celdas.push_back(UnirAvisosDatos(avisos));
    return celdas;
}
