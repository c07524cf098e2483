#include "tipos/estribo_protegido/untEstrProt.h"

#include <array>

#include "compute/untDetalleBase.h"
#include "compute/untFilas.h"
#include "general/untGeneral.h"
#include "problem/untDatos.h"

using namespace detalle;

void SeccionesEstriboProt(const TDatosProblema& d, const TPanelFormulas& panel,
                          std::vector<TSeccionDetalle>& secciones) {
    const TDatosPEP& e = d.PEP;
    // The only formula, computed whatever the panel says.
    TSeccionDetalle s = Formula(panel, 1, {kDietz, "β = 1 + (1.75 + 12 · m²) · e^(−0.1 · Lp / h)"});
    s.terminos = TerminosContraccion(d);
    Agregar(s.terminos, {Dato("Longitud de la protección", "Lp", DETALLE_CAMPO(Estribo.EstrLongPlat), "m"),
                         Calculado("Coeficiente de Dietz", "β", "1 + (1.75 + 12 · m²) · e^(−0.1 · Lp / h)",
                                   DETALLE_CAMPO(PEP.ErosCoefDiet), ""),
                         TermH(d), TermU(d), TermUc(d)});
    s.resultados.push_back(Erosion("PEP.OutpErosMaxi1", e.OutpErosMaxi1));
    const bool profunda = d.Estribo.ErosCoefTiem > 0 && d.FlujTiraRest < e.OutpErosMaxi1;
    if (profunda) Agregar(s.terminos, TerminosTiempoEstribo(d));
    Tiempo(s, profunda,
           Calculado("Escala de tiempo de la evolución", "T", kTiempoEstribo, DETALLE_CAMPO(PEP.ErosTiemRefe), "h"),
           e.OutpErosMaxi1, d.FlujTiraRest, "ys no supera el tirante h: sin escala de tiempo ni curva de evolución.");
    if (profunda && e.ErosTiemRefe == 0) s.notas.push_back("w < 0: T = 0, sin curva de evolución.");
    secciones.push_back(std::move(s));
}
