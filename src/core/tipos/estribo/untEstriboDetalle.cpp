#include "tipos/estribo/untEstribo.h"

#include <array>

#include "compute/untDetalleBase.h"
#include "compute/untFilas.h"
#include "general/untGeneral.h"
#include "problem/untDatos.h"

using namespace detalle;

void SeccionesEstribo(const TDatosProblema& d, const TPanelFormulas& panel,
                      std::vector<TSeccionDetalle>& secciones) {
    const TDatosPEs& e = d.PEs;
    const T escala = Calculado("Escala de tiempo de la evolución", "T", kTiempoEstribo,
                               DETALLE_CAMPO(PEs.ErosTiemRefe), "h");
    // The calculation computes the time with C > 0, always true; T = 0 (w < 0) draws no curve.
    const bool conTiempo = d.Estribo.ErosCoefTiem > 0;
    for (int k = 1; k <= 4; ++k) {
        if (!panel.Activa(k)) continue;
        TSeccionDetalle s;
        double ys = 0;
        switch (k) {
            case 1:
                s = Formula(panel, k, {"ys = 2.14 · K · g^(−1/3) · (q / (1 − m))^(2/3) − h"});
                s.terminos = {Dato("Factor de curvatura", "Kc", DETALLE_CAMPO(PEs.EstrFactCurv), ""),
                              Dato("Factor de forma", "Ks", DETALLE_CAMPO(PEs.EstrFactFormKs), ""),
                              Dato("Factor de ángulo", "Ka", DETALLE_CAMPO(PEs.EstrFactAngu), ""),
                              Dato("Factor de porosidad", "Kn", DETALLE_CAMPO(PEs.EstrFactPoro), ""),
                              Calculado("Factor combinado", "K", "2 · Kc · Ks · Ka · Kn", DETALLE_CAMPO(PEs.EstrFactComb),
                                        ""),
                              TermG(d), Termq(d)};
                Agregar(s.terminos, TerminosContraccion(d));
                s.terminos.push_back(TermH(d));
                ys = e.OutpErosMaxi1;
                s.resultados.push_back(Erosion("PEs.OutpErosMaxi1", ys));
                break;
            case 2:
                s = Formula(panel, k, {"ys = Kl · h · (L / h)^0.4 · Fr^(1/3)"});
                s.terminos = {Dato("Coeficiente de Liu", "Kl", DETALLE_CAMPO(PEs.EstrFactFormKl), ""), TermH(d),
                              Dato("Extensión transversal", "L", DETALLE_CAMPO(Estribo.EstrAnchEstr), "m"), TermFr(d)};
                ys = e.OutpErosMaxi2;
                s.resultados.push_back(Erosion("PEs.OutpErosMaxi2", ys));
                break;
            case 3:
                s = Formula(panel, k, {kDietz, "β = 2.75 + 12 · m²"});
                s.terminos = TerminosContraccion(d);
                Agregar(s.terminos, {Calculado("Coeficiente de Dietz", "β", "2.75 + 12 · m²",
                                               DETALLE_CAMPO(PEs.ErosCoefDiet), ""),
                                     TermH(d), TermU(d), TermUc(d)});
                ys = e.OutpErosMaxi3;
                s.resultados.push_back(Erosion("PEs.OutpErosMaxi3", ys));
                break;
            default:
                s = Formula(panel, k, {"ys = Kb · L · tanh(h / L) + h · ((1 − m)^(−2/3) − 1)"});
                s.terminos = {Dato("Factor de forma", "Kb", DETALLE_CAMPO(PEs.EstrFactFormKb), "")};
                Agregar(s.terminos, TerminosContraccion(d));
                Agregar(s.terminos, {TermH(d), TermU(d), TermUc(d)});
                if (!EstriboEvaluaBreusers(d, panel)) {
                    // Its value in the record is an earlier calculation's.
                    s.notas.push_back("U ≤ Uc: la fórmula vale en lecho vivo y no se evalúa.");
                    secciones.push_back(std::move(s));
                    continue;
                }
                ys = e.OutpErosMaxi4;
                s.resultados.push_back(Erosion("PEs.OutpErosMaxi4", ys));
                break;
        }
        if (conTiempo) Agregar(s.terminos, TerminosTiempoEstribo(d));
        Tiempo(s, conTiempo, escala, ys, d.FlujTiraRest, "C ≤ 0: sin escala de tiempo ni curva de evolución.");
        if (conTiempo && e.ErosTiemRefe == 0) s.notas.push_back("w < 0: T = 0, sin curva de evolución.");
        secciones.push_back(std::move(s));
    }
}
