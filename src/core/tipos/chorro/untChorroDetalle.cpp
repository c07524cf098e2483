#include "tipos/chorro/untChorro.h"

#include <array>

#include "compute/untDetalleBase.h"
#include "compute/untFilas.h"
#include "general/untGeneral.h"
#include "problem/untDatos.h"

using namespace detalle;

void SeccionesChorro(const TDatosProblema& d, const TPanelFormulas& panel,
                     std::vector<TSeccionDetalle>& secciones) {
    const TDatosPEn& e = d.PEn;
    const TDatosPCZ& c = d.PCZ;
    const bool conTiempo = static_cast<Ext>(c.FlujFactTurb) * d.FlujVeloMedi > d.OutpVeloCritEros;
    const T escala =
        Calculado("Escala de tiempo de la evolución", "T", kTiempoCara, DETALLE_CAMPO(PCZ.ErosTiemRefe), "h");
    const T d90 = Dato("Diámetro 90%", "d90", DETALLE_CAMPO(PEn.SediDiam90N3), "m");
    for (int k = 1; k <= 2; ++k) {
        if (!panel.Activa(k)) continue;
        TSeccionDetalle s;
        double ys = 0;
        if (k == 1) {
            s = Formula(panel, k, {kBornmannJulien});
            s.terminos = TerminosChorro(d);
            Agregar(s.terminos, {TermDelta(d), d90});
            ys = c.OutpErosMaxi1;
            s.resultados.push_back(Erosion("PCZ.OutpErosMaxi1", ys));
        } else {
            s = Formula(panel, k, {"ys = (20 / c2) · √(q · Vj · sin θ / g)"});
            s.terminos = {d90,
                          Calculado("Coeficiente de Hoffmans", "c2", ExpresionCoefHoffmans(e.SediDiam90N3),
                                    DETALLE_CAMPO(PCZ.ErosCoefHoff), "")};
            Agregar(s.terminos, TerminosChorro(d));
            ys = c.OutpErosMaxi2;
            s.resultados.push_back(Erosion("PCZ.OutpErosMaxi2", ys));
        }
        if (conTiempo) Agregar(s.terminos, TerminosTiempoChorro(d, DETALLE_CAMPO(PCZ.FlujFactTurb)));
        Tiempo(s, conTiempo, escala, ys, d.FlujTiraRest, kSinTiempoAlfa);
        secciones.push_back(std::move(s));
    }
}
