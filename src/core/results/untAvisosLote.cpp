#include "results/untAvisosLote.h"

#include "results/untAvisos.h"

std::vector<std::string> ColumnasAvisosLote() {
    return {"validez1", "validez2", "validez3", "validez4", "avisos_datos"};
}

std::vector<std::string> CeldasAvisosLote(const TProblema& p, const TResultado& r,
                                          const std::vector<TAvisoDato>& otros) {
    std::vector<std::string> celdas;
    for (const TAvisoRanura& a : AvisosResultado(r.d.CodiProb, r.d, r.filas)) celdas.emplace_back(NombreEstado(a.estado));
    std::vector<TAvisoDato> avisos = AvisosDatos(r.d.CodiProb, p.textos, r.d, r.panel);
    avisos.insert(avisos.end(), otros.begin(), otros.end());
    celdas.push_back(UnirAvisosDatos(avisos));
    return celdas;
}
