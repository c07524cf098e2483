#include "tipos/alcantarilla_angosta/untAlcaAngo.h"

#include <array>

#include "compute/untDetalleBase.h"
#include "compute/untFilas.h"
#include "general/untGeneral.h"
#include "problem/untDatos.h"

using namespace detalle;

namespace {
constexpr const char* kNotaCaudalAbertura =
    "La ecuación es la de una sola salida: usa el caudal de cada abertura, Qa = Q / N, como la velocidad V.";
}  // namespace

void SeccionesAlcaAngo(const TDatosProblema& d, const TPanelFormulas& panel,
                       std::vector<TSeccionDetalle>& secciones) {
    const TDatosPAG& a = d.PAG;
    const T diametro = Dato("Diámetro de cada abertura", "D", DETALLE_CAMPO(Alcantarilla.EstrDiamAper), "m");
    const T velocidad = Calculado("Velocidad en las aberturas", "V", "Q / (π · D² / 4 · N)",
                                  DETALLE_CAMPO(Alcantarilla.FlujVeloAper), "m/s");
    const T cantidad = Dato("Cantidad de aberturas", "N", DETALLE_CAMPO(Alcantarilla.EstrCantAper), "");
    // The discharge of one opening, which "Ruff" and "Hoffmans" take.
    auto caudalAbertura = [&] {
        const Ext qa = Seguro([&] { return static_cast<Ext>(TDatosPAG::CaudAper(d.FlujCaud, d.Alcantarilla.EstrCantAper)); });
        return T{"Caudal por abertura", "Qa", static_cast<double>(qa), "m³/s", "Q / N", ""};
    };
    const bool conTiempo = static_cast<Ext>(a.FlujFactTurb) * d.FlujVeloMedi > d.OutpVeloCritEros;
    const std::vector<T> tiempo{
        Dato("Intensidad relativa de turbulencia", "r", DETALLE_CAMPO(PAG.OutpInteRelaTurb), ""),
        Calculado("Factor de velocidad", "α", "1 + 3 · r", DETALLE_CAMPO(PAG.FlujFactTurb), ""),
    };
    const T escala = Calculado("Escala de tiempo de la evolución", "T", kTiempoCara, DETALLE_CAMPO(PAG.ErosTiemRefe), "h");
    for (int k = 1; k <= 4; ++k) {
        if (!panel.Activa(k)) continue;
        TSeccionDetalle s;
        double ys = 0;
        switch (k) {
            case 1: {
                s = Formula(panel, k,
                            {"Fo = V / √(Δ · g · d50)", "ys = 0.4 · D · (Fo − 2)  [Fo > 2]", "ys = 0  [Fo ≤ 2]"});
                const Ext fo = Seguro([&] {
                    return Divi(d.Alcantarilla.FlujVeloAper,
                                Raiz(static_cast<Ext>(d.SediDensRela) * d.ForzAcelGrav * d.SediDiamMedi));
                });
                s.terminos = {diametro, TermQ(d), cantidad, velocidad, TermDelta(d), TermG(d), TermD50(d),
                              Razon("Número de Froude densimétrico del chorro", "Fo", "V / √(Δ · g · d50)", fo)};
                ys = a.OutpErosMaxi1;
                s.resultados.push_back(Erosion("PAG.OutpErosMaxi1", ys));
                if (!(fo > 2)) s.notas.push_back("Fo ≤ 2: el chorro no erosiona.");
                break;
            }
            case 2:
                s = Formula(panel, k, {"Qa = Q / N", "ys = 2.07 · D · (Qa / √(g · D⁵))^0.45"});
                s.terminos = {diametro, TermQ(d), cantidad, caudalAbertura(), TermG(d)};
                s.notas.push_back(kNotaCaudalAbertura);
                ys = a.OutpErosMaxi2;
                s.resultados.push_back(Erosion("PAG.OutpErosMaxi2", ys));
                break;
            case 3:
                s = Formula(panel, k, {"ys = 0.08 · D · V / u*c"});
                s.terminos = {diametro, TermQ(d), cantidad, velocidad, TermUcCorte(d)};
                ys = a.OutpErosMaxi3;
                s.resultados.push_back(Erosion("PAG.OutpErosMaxi3", ys));
                break;
            default:
                s = Formula(panel, k, {"Qa = Q / N", "ys = (7 / c2) · ((V − U) · Qa / g)^(1/3)"});
                s.terminos = {Dato("Diámetro 90%", "d90", DETALLE_CAMPO(PAG.SediDiam90N3), "m"),
                              Calculado("Coeficiente de Hoffmans", "c2", ExpresionCoefHoffmans(a.SediDiam90N3),
                                        DETALLE_CAMPO(PAG.ErosCoefHoff), ""),
                              diametro, TermQ(d), cantidad, caudalAbertura(), velocidad, TermU(d), TermG(d)};
                s.notas.push_back(kNotaCaudalAbertura);
                ys = a.OutpErosMaxi4;
                s.resultados.push_back(Erosion("PAG.OutpErosMaxi4", ys));
                break;
        }
        if (conTiempo) Agregar(s.terminos, tiempo);
        Tiempo(s, conTiempo, escala, ys, d.FlujTiraRest, kSinTiempoAlfa);
        secciones.push_back(std::move(s));
    }
}
