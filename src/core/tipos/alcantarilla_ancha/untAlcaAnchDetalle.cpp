#include "tipos/alcantarilla_ancha/untAlcaAnch.h"

#include <array>

#include "compute/untDetalleBase.h"
#include "compute/untFilas.h"
#include "general/untGeneral.h"
#include "problem/untDatos.h"

using namespace detalle;

void SeccionesAlcaAnch(const TDatosProblema& d, const TPanelFormulas& panel,
                       std::vector<TSeccionDetalle>& secciones) {
    const TDatosPAC& a = d.PAC;
    const T abertura = Dato("Altura de la abertura", "a", DETALLE_CAMPO(Apertura.EstrAltuAper), "m");
    const T espesor = Calculado("Espesor del chorro contraído", "y1", "0.6 · a", DETALLE_CAMPO(PAC.ChorEspe), "m");
    const T velocidad = Calculado("Velocidad del chorro", "V1", "q / y1", DETALLE_CAMPO(PAC.ChorVeloSali), "m/s");
    const T froude = Calculado("Número de Froude del chorro", "F1", "V1 / √(g · y1)", DETALLE_CAMPO(PAC.ChorNumeFrou), "");
    const T d90 = Dato("Diámetro 90%", "d90", DETALLE_CAMPO(PAC.SediDiam90N3), "m");
    const bool conTiempo = static_cast<Ext>(a.FlujFactTurb) * d.FlujVeloMedi > d.OutpVeloCritEros;
    const std::vector<T> tiempo{
        Dato("Intensidad relativa de turbulencia", "r0", DETALLE_CAMPO(PAC.OutpInteRelaTurb), ""),
        Calculado("Factor de velocidad", "α", "1 + 3 · r0", DETALLE_CAMPO(PAC.FlujFactTurb), ""),
    };
    const T escala = Calculado("Escala de tiempo de la evolución", "T", kTiempoCara, DETALLE_CAMPO(PAC.ErosTiemRefe), "h");
    for (int k = 1; k <= 4; ++k) {
        if (!panel.Activa(k)) continue;
        TSeccionDetalle s;
        double ys = 0;
        switch (k) {
            case 1:
                s = Formula(panel, k, {"ys = 2.78 · q^0.4 · ΔH^0.22 · h^0.4 / (g^0.2 · d90^0.22) − h"});
                s.terminos = {Termq(d),
                              Dato("Diferencia de carga", "ΔH", DETALLE_CAMPO(PAC.FlujDifeCargRest), "m"),
                              TermH(d), TermG(d), d90};
                ys = a.OutpErosMaxi1;
                s.resultados.push_back(Erosion("PAC.OutpErosMaxi1", ys));
                break;
            case 2:
                s = Formula(panel, k, {"ys = y1 · √(tan φ · y1 / d50) · (F1 / √Δ)^1.5"});
                s.terminos = {abertura,
                              espesor,
                              Termq(d),
                              velocidad,
                              TermG(d),
                              froude,
                              Dato("Ángulo de reposo", "φ", DETALLE_CAMPO(PAC.SediAnguRepo), "°"),
                              TermD50(d),
                              TermDelta(d)};
                ys = a.OutpErosMaxi2;
                s.resultados.push_back(Erosion("PAC.OutpErosMaxi2", ys));
                break;
            case 3:
                s = Formula(panel, k, {"ys = 0.008 · y1 · (V1 / u*c)²"});
                s.terminos = {abertura, espesor, Termq(d), velocidad, TermUcCorte(d)};
                ys = a.OutpErosMaxi3;
                s.resultados.push_back(Erosion("PAC.OutpErosMaxi3", ys));
                break;
            default:
                s = Formula(panel, k, {"ys = (50 / c2) · y1 · (1 − U / V1)"});
                s.terminos = {d90,
                              Calculado("Coeficiente de Hoffmans", "c2", ExpresionCoefHoffmans(a.SediDiam90N3),
                                        DETALLE_CAMPO(PAC.ErosCoefHoff), ""),
                              abertura, espesor, Termq(d), velocidad, TermU(d)};
                ys = a.OutpErosMaxi4;
                s.resultados.push_back(Erosion("PAC.OutpErosMaxi4", ys));
                break;
        }
        if (conTiempo) Agregar(s.terminos, tiempo);
        Tiempo(s, conTiempo, escala, ys, d.FlujTiraRest, kSinTiempoAlfa);
        secciones.push_back(std::move(s));
    }
}
