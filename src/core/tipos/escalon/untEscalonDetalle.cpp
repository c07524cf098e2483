#include "tipos/escalon/untEscalon.h"

#include <array>

#include "compute/untDetalleBase.h"
#include "compute/untFilas.h"
#include "general/untGeneral.h"
#include "problem/untDatos.h"

using namespace detalle;

void SeccionesEscalon(const TDatosProblema& d, const TPanelFormulas& panel,
                      std::vector<TSeccionDetalle>& secciones) {
    if (!panel.Activa(1)) return;
    const TDatosPEn& e = d.PEn;
    TSeccionDetalle s = Formula(panel, 1, {std::string(kBornmannJulien) + " − D"});
    s.terminos = TerminosChorro(d);
    Agregar(s.terminos, {TermDelta(d), Dato("Diámetro 90%", "d90", DETALLE_CAMPO(PEn.SediDiam90N3), "m"),
                         Dato("Altura del escalón", "D", DETALLE_CAMPO(Salto.EstrAltuSaltFond), "m")});
    s.resultados.push_back(Erosion("PEn.OutpErosMaxi1", e.OutpErosMaxi1));
    const bool rapido = static_cast<Ext>(e.FlujFactTurb) * d.FlujVeloMedi > d.OutpVeloCritEros;
    if (rapido) Agregar(s.terminos, TerminosTiempoChorro(d, DETALLE_CAMPO(PEn.FlujFactTurb)));
    // The time is computed only for a depth beyond the flow depth.
    if (rapido && !(d.FlujTiraRest < e.OutpErosMaxi1))
        s.notas.push_back("ys no supera el tirante h: sin escala de tiempo ni curva de evolución.");
    else
        Tiempo(s, rapido,
               Calculado("Escala de tiempo de la evolución", "T", kTiempoCara, DETALLE_CAMPO(PEn.ErosTiemRefe), "h"),
               e.OutpErosMaxi1, d.FlujTiraRest, kSinTiempoAlfa);
    secciones.push_back(std::move(s));
}
