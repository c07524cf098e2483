#include "results/untDetalle.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "compute/untCalcular.h"
#include "compute/untEstribo.h"
#include "compute/untFilas.h"
#include "compute/untVortice.h"
#include "general/untCifras.h"
#include "general/untGeneral.h"
#include "problem/untTipos.h"
#include "results/untAvisos.h"

namespace {

using T = TTerminoDetalle;

// The record field by its path: its name as TDatosProblema::Recorrer names
// it, and its value.
#define DETALLE_CAMPO(ruta) #ruta, d.ruta

T Dato(const char* nombre, const char* simbolo, const char* campo, double valor, const char* unidad) {
    return {nombre, simbolo, valor, unidad, "", campo};
}

T Calculado(const char* nombre, const char* simbolo, std::string expresion, const char* campo, double valor,
            const char* unidad) {
    return {nombre, simbolo, valor, unidad, std::move(expresion), campo};
}

// A ratio worked out for the detail alone, from values of the record.
T Razon(const char* nombre, const char* simbolo, const char* expresion, Ext valor) {
    return {nombre, simbolo, static_cast<double>(valor), "", expresion, ""};
}

// The value of a ratio of the detail alone.  The calculation divided by the
// same numbers, so a fault comes only from a record that a faulted
// calculation left half-written: the ratio then reads "no definido".
template <class F> Ext Seguro(F&& calculo) {
    try {
        return calculo();
    } catch (const ErrorFlotante&) {
        return std::numeric_limits<Ext>::quiet_NaN();
    }
}

T Erosion(const char* campo, double valor) { return {"Erosión máxima de equilibrio", "ys", valor, "m", "", campo}; }

void Agregar(std::vector<T>& destino, const std::vector<T>& origen) {
    destino.insert(destino.end(), origen.begin(), origen.end());
}

TSeccionDetalle Formula(const TPanelFormulas& panel, int k, std::vector<std::string> ecuacion) {
    TSeccionDetalle s;
    s.titulo = panel.Titulo(k);
    s.ranura = k;
    s.ecuacion = std::move(ecuacion);
    return s;
}

constexpr const char* kNotaSinCurva = "ys no supera el tirante h: no se traza la curva de evolución.";

// The time scale of a formula whose equilibrium depth is `ys`: the result
// when the calculation computed it this time, otherwise the note `sinTiempo`
// saying why not.
void Tiempo(TSeccionDetalle& s, bool calculado, const T& tiempo, double ys, double h, const char* sinTiempo) {
    if (!calculado) {
        s.notas.push_back(sinTiempo);
        return;
    }
    s.resultados.push_back(tiempo);
    if (!(h < ys)) s.notas.push_back(kNotaSinCurva);
}

// θc of the Shields curve, by the branch of D* that applies.
std::string ExpresionShields(double dAdim) {
    if (!(dAdim > 4)) return "0.24 / D*  [D* ≤ 4]";
    if (!(dAdim > 10)) return "0.14 · D*^(−0.64)  [4 < D* ≤ 10]";
    if (!(dAdim > 20)) return "0.04 · D*^(−0.1)  [10 < D* ≤ 20]";
    if (!(dAdim > 150)) return "0.013 · D*^0.29  [20 < D* ≤ 150]";
    return "0.055  [D* > 150]";
}

TSeccionDetalle SeccionComun(const TDatosProblema& d, bool manning) {
    TSeccionDetalle s;
    s.titulo = kTituloCalculoComun;
    s.terminos = {
        Dato("Densidad del agua", "ρ", DETALLE_CAMPO(AguaDens), "kg/m³"),
        Dato("Temperatura del agua", "T", DETALLE_CAMPO(AguaTemp), "°C"),
        Dato("Densidad del sedimento", "ρs", DETALLE_CAMPO(SediDensMate), "kg/m³"),
        Dato("Diámetro medio", "d50", DETALLE_CAMPO(SediDiamMedi), "m"),
        Dato("Aceleración de la gravedad", "g", DETALLE_CAMPO(ForzAcelGrav), "m/s²"),
        Dato("Caudal", "Q", DETALLE_CAMPO(FlujCaud), "m³/s"),
        Dato("Ancho del cauce", "B", DETALLE_CAMPO(CaucAnchCauc), "m"),
        Dato("Tirante", "h", DETALLE_CAMPO(FlujTiraRest), "m"),
    };
    if (manning) {
        s.terminos.push_back(Dato("Coeficiente de Manning", "n", DETALLE_CAMPO(CaucCoefMannCauc), "s/m^(1/3)"));
    } else {
        s.terminos.push_back(Dato("Altura de rugosidad", "ks", DETALLE_CAMPO(AltuRugoCauc), "m"));
        s.terminos.push_back(Calculado("Coeficiente de Manning", "n", "0.4 · h^(1/6) / (√g · ln(12 · h / ks))",
                                       DETALLE_CAMPO(CaucCoefMannCauc), "s/m^(1/3)"));
    }
    Agregar(s.terminos,
            {
                Calculado("Viscosidad cinemática", "ν", "4.0e-5 / (T + 20)", DETALLE_CAMPO(AguaViscCine), "m²/s"),
                Calculado("Caudal específico", "q", "Q / B", DETALLE_CAMPO(CaudEspe), "m²/s"),
                Calculado("Densidad relativa sumergida", "Δ", "(ρs − ρ) / ρ", DETALLE_CAMPO(SediDensRela), ""),
                Calculado("Diámetro adimensional", "D*", "d50 · (Δ · g / ν²)^(1/3)", DETALLE_CAMPO(SediDiamAdim), ""),
                Calculado("Movilidad (Shields) crítica", "θc", ExpresionShields(d.SediDiamAdim),
                          DETALLE_CAMPO(OutpParaMoviCrit), ""),
                Calculado("Velocidad de corte crítica", "u*c", "√(θc · d50 · g · Δ)", DETALLE_CAMPO(VeloCortCrit),
                          "m/s"),
                Calculado("Coeficiente de Chézy", "C", "h^(1/6) / n", DETALLE_CAMPO(CoefChez), "m^(1/2)/s"),
                Calculado("Relación de velocidades", "√g/C", "√g / C", DETALLE_CAMPO(RelaVeloCort), ""),
                Calculado("Velocidad media", "U", "q / h", DETALLE_CAMPO(FlujVeloMedi), "m/s"),
                Calculado("Velocidad de corte", "u*", "(√g/C) · U", DETALLE_CAMPO(FlujVeloCort), "m/s"),
                Calculado("Movilidad (Shields)", "θ", "u*² / (Δ · g · d50)", DETALLE_CAMPO(OutpParaMovi), ""),
                Calculado("Número de Froude", "Fr", "U / √(g · h)", DETALLE_CAMPO(FlujNumeFrou), ""),
                Calculado("Número de Reynolds", "Re", "U · h / ν", DETALLE_CAMPO(FlujNumeReyn), ""),
                Calculado("Velocidad crítica de erosión", "Uc", "u*c / (√g/C)", DETALLE_CAMPO(OutpVeloCritEros),
                          "m/s"),
            });
    s.notas.push_back(LechoVivo(d) ? "Condición de transporte: Lecho vivo (θ > θc)."
                                   : "Condición de transporte: Aguas claras (θ ≤ θc).");
    return s;
}

// Terms that many formulas name.
T TermH(const TDatosProblema& d) { return Dato("Tirante", "h", DETALLE_CAMPO(FlujTiraRest), "m"); }
T TermU(const TDatosProblema& d) { return Dato("Velocidad media", "U", DETALLE_CAMPO(FlujVeloMedi), "m/s"); }
T TermUc(const TDatosProblema& d) {
    return Dato("Velocidad crítica de erosión", "Uc", DETALLE_CAMPO(OutpVeloCritEros), "m/s");
}
T TermFr(const TDatosProblema& d) { return Dato("Número de Froude", "Fr", DETALLE_CAMPO(FlujNumeFrou), ""); }
T TermG(const TDatosProblema& d) { return Dato("Aceleración de la gravedad", "g", DETALLE_CAMPO(ForzAcelGrav), "m/s²"); }
T TermQ(const TDatosProblema& d) { return Dato("Caudal", "Q", DETALLE_CAMPO(FlujCaud), "m³/s"); }
T Termq(const TDatosProblema& d) { return Dato("Caudal específico", "q", DETALLE_CAMPO(CaudEspe), "m²/s"); }
T TermDelta(const TDatosProblema& d) {
    return Dato("Densidad relativa sumergida", "Δ", DETALLE_CAMPO(SediDensRela), "");
}
T TermD50(const TDatosProblema& d) { return Dato("Diámetro medio", "d50", DETALLE_CAMPO(SediDiamMedi), "m"); }
T TermUcCorte(const TDatosProblema& d) {
    return Dato("Velocidad de corte crítica", "u*c", DETALLE_CAMPO(VeloCortCrit), "m/s");
}

// The characteristic time of the standard evolution law, in hours.
constexpr const char* kTiempoCara = "330 · h² · Δ^1.7 / (α · U − Uc)^4.3";
constexpr const char* kSinTiempoAlfa = "α · U ≤ Uc: sin escala de tiempo ni curva de evolución.";

// c2 of "Hoffmans" from d90 (the narrow and wide culverts and the plunging jet).
std::string ExpresionCoefHoffmans(double d90) {
    return Guardar(static_cast<Ext>(d90) * 1000) < 13.6
               ? "(log10 x + 1) · (0.775 · log10 x + 1.7) + 1.3, x = d90 en mm  [x < 13.6]"
               : "6.8  [d90 ≥ 13.6 mm]";
}

// ---- Pier (22).

void SeccionesPila(const TDatosProblema& d, const TPanelFormulas& panel, std::vector<TSeccionDetalle>& secciones) {
    const TDatosPPi& p = d.PPi;
    // The correction factors, which all three formulas use through K.
    const std::vector<T> factores{
        Dato("Ancho de la pila", "b", DETALLE_CAMPO(Pila.EstrAnchPila), "m"),
        Dato("Longitud de la pila", "l", DETALLE_CAMPO(Pila.EstrLongPila), "m"),
        Dato("Factor de forma", "Ks", DETALLE_CAMPO(PPi.EstrFactFormKs), ""),
        Dato("Factor de grupo", "Kg", DETALLE_CAMPO(PPi.EstrFactGrup), ""),
        Dato("Ángulo de ataque", "θ", DETALLE_CAMPO(PPi.EstrAnguAtaq), "°"),
        Calculado("Factor de alineación", "Kθ", "(cos θ + (l / b) · sin θ)^0.62", DETALLE_CAMPO(PPi.EstrFactAlin),
                  ""),
        Dato("Diámetro 84%", "d84", DETALLE_CAMPO(PPi.SediDiam84N3), "m"),
        Calculado("Desviación geométrica de la granulometría", "σ", "d84 / d50", DETALLE_CAMPO(PPi.SediDesvGeom), ""),
        Calculado("Factor de granulometría", "Kσ",
                  p.SediDesvGeom < 0.25 ? "−0.23 · σ² + 0.387 · σ + 0.8415  [σ < 0.25]"
                                        : "1.0417 · σ^(−1.1841)  [σ ≥ 0.25]",
                  DETALLE_CAMPO(PPi.SediFactGrad), ""),
        Calculado("Factor combinado", "K", "Kg · Kθ · Kσ · Ks", DETALLE_CAMPO(PPi.EstrFactComb), ""),
    };
    struct TFormulaPila {
        std::vector<std::string> ecuacion;
        const char* erosion;
        double TDatosPPi::*campoErosion;
        const char* falla;
        double TDatosPPi::*campoFalla;
    };
    const std::array<TFormulaPila, 3> formulas{{
        {{"ys = 1.5 · K · b · tanh(h / b)  [U / Uc > 1]",
          "ys = 2 · K · b · (2 · U / Uc − 1) · tanh(h / b)  [0.5 < U / Uc ≤ 1]", "ys = 0  [U / Uc ≤ 0.5]"},
         "PPi.OutpErosMaxi1", &TDatosPPi::OutpErosMaxi1, "PPi.OutpLongFall1", &TDatosPPi::OutpLongFall1},
        {{"ys = 2 · K · h · Fr^0.43 · (b / h)^0.65"},
         "PPi.OutpErosMaxi2", &TDatosPPi::OutpErosMaxi2, "PPi.OutpLongFall2", &TDatosPPi::OutpLongFall2},
        {{"ys = 2.02 · K · h · Fr^0.21 · σ^(−0.24) · (b / h)^0.65"},
         "PPi.OutpErosMaxi3", &TDatosPPi::OutpErosMaxi3, "PPi.OutpLongFall3", &TDatosPPi::OutpLongFall3},
    }};
    const bool conTiempo = Raiz(2) * d.FlujVeloMedi > d.OutpVeloCritEros;
    const T tiempo = Calculado("Escala de tiempo de la evolución", "T",
                               "29.2 · b / (√2 · U) · [√(Δ · g · d50) / (√2 · U − Uc)]³ · (b / d50)^1.9 / 3600",
                               DETALLE_CAMPO(PPi.ErosTiemRefe), "h");
    // Slot 4, "Longitud de falla crítica", switches the failure lengths on.
    const bool conFalla = panel.Activa(4);
    for (int k = 1; k <= 3; ++k) {
        if (!panel.Activa(k)) continue;
        const TFormulaPila& f = formulas[k - 1];
        TSeccionDetalle s = Formula(panel, k, f.ecuacion);
        s.terminos.push_back(TermH(d));
        if (k == 1) {
            const Ext r = Seguro([&] { return Divi(d.FlujVeloMedi, d.OutpVeloCritEros); });
            Agregar(s.terminos, {TermU(d), TermUc(d), Razon("Relación de velocidades", "U / Uc", "", r)});
            s.notas.push_back(r > 1     ? "U / Uc > 1: rama 1.5 · K · b · tanh(h / b)."
                              : r > 0.5 ? "0.5 < U / Uc ≤ 1: rama 2 · K · b · (2 · U / Uc − 1) · tanh(h / b)."
                                        : "U / Uc ≤ 0.5: no hay erosión local.");
        } else {
            s.terminos.push_back(TermFr(d));
        }
        Agregar(s.terminos, factores);
        const double ys = p.*f.campoErosion;
        s.resultados.push_back(Erosion(f.erosion, ys));
        if (conFalla) {
            s.terminos.push_back(Dato("Ángulo de reposo", "φ", DETALLE_CAMPO(PPi.SediAnguRepo), "°"));
            s.resultados.push_back(
                Calculado("Longitud de falla crítica", "L", "ys · cos φ / sin φ", f.falla, p.*f.campoFalla, "m"));
        }
        Tiempo(s, conTiempo, tiempo, ys, d.FlujTiraRest, "√2 · U ≤ Uc: sin escala de tiempo ni curva de evolución.");
        secciones.push_back(std::move(s));
    }
}

// ---- Narrow culvert (31).

constexpr const char* kNotaCaudalAbertura =
    "La ecuación es la de una sola salida: usa el caudal de cada abertura, Qa = Q / N, como la velocidad V.";

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

// ---- Wide culvert (122).

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

// ---- Step and plunging jet: the jet data of TDatosPEn.

constexpr const char* kBornmannJulien =
    "ys = 1.8² · (sin φ / sin(φ + θ))^0.8 · q^0.6 · Vj · sin θ / ((2 · Δ · g)^0.8 · d90^0.4)";

std::vector<T> TerminosChorro(const TDatosProblema& d) {
    return {
        Dato("Ángulo de reposo", "φ", DETALLE_CAMPO(PEn.SediAnguRepo), "°"),
        Dato("Ángulo del chorro con la superficie libre", "θ", DETALLE_CAMPO(PEn.FlujAnguChorSupeLibr), "°"),
        Termq(d),
        Dato("Diferencia de carga", "ΔH", DETALLE_CAMPO(PEn.FlujDifeCargRest), "m"),
        TermG(d),
        Calculado("Velocidad del chorro", "Vj", "√(2 · ΔH · g)", DETALLE_CAMPO(PEn.ChorVelo), "m/s"),
    };
}

std::vector<T> TerminosTiempoChorro(const TDatosProblema& d, const char* campoAlfa, double alfa) {
    return {
        Dato("Intensidad relativa de turbulencia", "r0", DETALLE_CAMPO(PEn.OutpInteRelaTurb), ""),
        Calculado("Factor de velocidad", "α", "1 + 3 · r0", campoAlfa, alfa, ""),
    };
}

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

// ---- Abutment or spur dike (212) and with a protection (211).

constexpr const char* kTiempoEstribo = "10⁷ · h · Δ^1.5 / (U · Re^0.5 · Fr^2.5 · w⁴) / 3600,  w = C − Uc / U";
constexpr const char* kDietz = "ys = h · (β · U − Uc) / Uc  [0 si β · U ≤ Uc]";

std::vector<T> TerminosContraccion(const TDatosProblema& d) {
    return {
        Dato("Extensión transversal", "L", DETALLE_CAMPO(Estribo.EstrAnchEstr), "m"),
        Dato("Ancho del cauce", "B", DETALLE_CAMPO(CaucAnchCauc), "m"),
        Calculado("Razón de contracción", "m", "L / B", DETALLE_CAMPO(Estribo.EstrRazoCont), ""),
    };
}

// The reference time's own terms: C, and w, which decides whether there is one.
std::vector<T> TerminosTiempoEstribo(const TDatosProblema& d) {
    const double c = d.Estribo.ErosCoefTiem;
    return {
        Dato("Coeficiente de la escala de tiempo", "C", DETALLE_CAMPO(Estribo.ErosCoefTiem), ""),
        Razon("Exceso de la escala de tiempo", "w", "C − Uc / U",
              Seguro([&] { return c - Divi(d.OutpVeloCritEros, d.FlujVeloMedi); })),
        TermDelta(d),
        TermFr(d),
        Dato("Número de Reynolds", "Re", DETALLE_CAMPO(FlujNumeReyn), ""),
    };
}

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

// ---- Confined vortex (111 behind a bed step, 121 below an obstacle at the surface).

void SeccionesVortice(const TDatosProblema& d, const TPanelFormulas& panel,
                      std::vector<TSeccionDetalle>& secciones) {
    if (!panel.Activa(1)) return;
    const TDatosPVC& p = d.PVC;
    const bool vivo = LechoVivo(d);
    const bool curva = VorticeConCurva(d, panel);
    TSeccionDetalle s = Formula(panel, 1, {"ye = (α · U − Uc) · h / Uc  [0 si α · U ≤ Uc]"});
    if (vivo) {
        s.ecuacion.push_back("Lecho vivo: ys, final del balance de sedimentos del foso a lo largo de la evolución:");
        s.ecuacion.push_back("y = √(y'² + (6 · (yc² − yc'²) − qt · Δt / (1 − n)) / 20),  Δt = 0.02 · T");
        s.ecuacion.push_back("yc = ye · [1 − (1 − h / ye)^((t / T)^0.38)]");
    }
    if (d.CodiProb == kCodigoVorticeEscalon) {
        s.terminos = {Dato("Altura del escalón", "D", DETALLE_CAMPO(Salto.EstrAltuSaltFond), "m"),
                      Dato("Longitud de la protección", "Lp", DETALLE_CAMPO(Salto.EstrLongPlat), "m")};
    } else {
        s.terminos = {Dato("Altura de la abertura", "a", DETALLE_CAMPO(Apertura.EstrAltuAper), "m"),
                      Calculado("Altura del obstáculo", "D", "h − a", DETALLE_CAMPO(Apertura.EstrAltuObst), "m"),
                      Dato("Longitud de la protección", "Lp", DETALLE_CAMPO(Apertura.EstrLongPlat), "m")};
    }
    Agregar(s.terminos,
            {
                TermH(d),
                Dato("Coeficiente de Manning de la protección", "np", DETALLE_CAMPO(PVC.EstrCoefMannPlat),
                     "s/m^(1/3)"),
                Calculado("Coeficiente de Chézy de la protección", "Cp", "h^(1/6) / np", DETALLE_CAMPO(PVC.CoefChezPlat),
                          "m^(1/2)/s"),
                Calculado("Relación de velocidades de la protección", "√g/Cp", "√g / Cp",
                          DETALLE_CAMPO(PVC.RelaVeloCortPlat), ""),
                Calculado("Intensidad relativa de turbulencia", "r0",
                          "√(0.0225 · (1 − D / h)^(−2) · (1 + (Lp − 6 · D) / (6.67 · h))^(−1.08) + 1.45 · (√g/Cp)²)",
                          DETALLE_CAMPO(PVC.OutpInteRelaTurb), ""),
                Calculado("Factor de velocidad", "α", "1 + 3 · r0", DETALLE_CAMPO(PVC.FlujFactTurb), ""),
                TermU(d),
                TermUc(d),
                Calculado("Erosión de equilibrio en aguas claras", "ye", "(α · U − Uc) · h / Uc",
                          DETALLE_CAMPO(PVC.ErosAguaClar), "m"),
                Calculado("Factor de Chézy", "fC", p.CoefChezPlat > 40 ? "Cp / 40  [Cp > 40]" : "1  [Cp ≤ 40]",
                          DETALLE_CAMPO(PVC.FactChez), ""),
                Calculado("Coeficiente de la escala de tiempo", "αt", "1.5 + 4.4 · r0 · fC",
                          DETALLE_CAMPO(PVC.CoefAlfaTurb), ""),
            });
    if (vivo) {
        const Ext me = Seguro([&] {
            return Divi(static_cast<Ext>(d.FlujVeloMedi) - d.OutpVeloCritEros,
                        Raiz(static_cast<Ext>(d.SediDensRela) * d.ForzAcelGrav * d.SediDiamMedi));
        });
        Agregar(s.terminos,
                {TermDelta(d), TermD50(d),
                 Razon("Exceso de movilidad", "Me", "(U − Uc) / √(Δ · g · d50)", me),
                 Dato("Diámetro adimensional", "D*", DETALLE_CAMPO(SediDiamAdim), ""),
                 Calculado("Caudal sólido de fondo", "qb", "0.005 · U · h · Me^2.4 · (d50 / h)^1.2",
                           DETALLE_CAMPO(PVC.OutpCaudSoliFond), "m²/s"),
                 Calculado("Caudal sólido en suspensión", "qs", "0.012 · U · h · Me^2.4 · (d50 / h) · D*^(−0.6)",
                           DETALLE_CAMPO(PVC.OutpCaudSoliSusp), "m²/s"),
                 Calculado("Caudal sólido total efectivo", "qt", "qb + 0.15 · qs", DETALLE_CAMPO(PVC.OutpCaudSoliTota),
                           "m²/s"),
                 Dato("Porosidad del sedimento", "n", DETALLE_CAMPO(PVC.CaucPoro), "")});
    }

    // The depth: the clear-water one, or in live bed the end of the balance,
    // which exists only when the curve is traced.
    double ys = p.ErosAguaClar;
    if (!vivo) {
        s.resultados.push_back(Erosion("PVC.ErosAguaClar", ys));
    } else if (curva) {
        ys = p.ErosLechVivo;
        s.resultados.push_back(Erosion("PVC.ErosLechVivo", ys));
    } else {
        s.notas.push_back("Lecho vivo sin curva de evolución (T = 0 o ye no supera h): sin erosión de equilibrio.");
    }
    if (curva)
        s.resultados.push_back(
            Calculado("Longitud de falla crítica", "L", "2 · ys", DETALLE_CAMPO(PVC.OutpLongFall1), "m"));
    if (p.CoefAlfaTurb > 0) {
        s.resultados.push_back(Calculado("Escala de tiempo de la evolución", "T",
                                         "10⁷ · h · Δ^1.5 / (Fr^2.5 · a⁴ · Re^0.5 · U) / 3600,  a = αt − Uc / U  "
                                         "[T = 0 si a < 0]",
                                         DETALLE_CAMPO(PVC.ErosTiemRefe), "h"));
        if (!curva && !vivo) s.notas.push_back("T = 0 o ye no supera h: no se traza la curva de evolución.");
    } else {
        s.notas.push_back("αt ≤ 0: sin escala de tiempo ni curva de evolución.");
    }
    s.resultados.push_back(Calculado("Pendiente del talud aguas arriba del foso", "ψ",
                                     "arcsin(2.9e-4 · U² / (Δ · g · d50) + (0.75 · r0 + 0.11) · fC)",
                                     DETALLE_CAMPO(PVC.OutpPendTalu), "°"));
    secciones.push_back(std::move(s));
}

#undef DETALLE_CAMPO

struct TSeccionesCodigo {
    ProblemCode codigo;
    void (*secciones)(const TDatosProblema&, const TPanelFormulas&, std::vector<TSeccionDetalle>&);
};

constexpr std::array<TSeccionesCodigo, 9> kSecciones{{
    {kCodigoPila, SeccionesPila},
    {kCodigoAlcaAngosta, SeccionesAlcaAngo},
    {kCodigoVorticeEscalon, SeccionesVortice},
    {kCodigoVorticeAlcantarilla, SeccionesVortice},
    {kCodigoAlcaAncha, SeccionesAlcaAnch},
    {kCodigoEstriboProt, SeccionesEstriboProt},
    {kCodigoEstribo, SeccionesEstribo},
    {kCodigoEscalon, SeccionesEscalon},
    {kCodigoChorro, SeccionesChorro},
}};

std::string LineaTermino(const T& t) {
    std::string s = t.nombre + ": " + t.simbolo + " = ";
    if (!t.expresion.empty()) s += t.expresion + " = ";
    s += NumeroDetalle(t.valor);
    if (t.unidad == "°") s += t.unidad;  // 30°, as angles are written
    else if (!t.unidad.empty()) s += " " + t.unidad;
    return s;
}

}  // namespace

TDetalleCalculo DetalleCalculo(const TDatosProblema& d, const TPanelFormulas& panel, bool manning) {
    TDetalleCalculo detalle;
    if (const TTipoEstructura* t = TipoEstructura(d.CodiProb)) detalle.titulo = t->titulo;
    detalle.secciones.push_back(SeccionComun(d, manning));
    for (const TSeccionesCodigo& c : kSecciones)
        if (c.codigo == d.CodiProb) c.secciones(d, panel, detalle.secciones);
    // What the results say of themselves: a formula on a flow it is not for,
    // a negative result that is no depth.
    for (TSeccionDetalle& s : detalle.secciones) {
        if (s.ranura == 0) continue;
        if (const std::string motivo = FueraDeRegimen(d.CodiProb, s.ranura, d); !motivo.empty())
            s.notas.push_back("⚠ " + motivo);
        for (const T& r : s.resultados)
            if (r.simbolo == "ys" && r.valor < 0)
                s.notas.push_back("Sin erosión: la fórmula da ys = " + NumeText(r.valor, 0, 2) +
                                  " m; un valor negativo no es una profundidad.");
    }
    return detalle;
}

std::string NumeroDetalle(double valor) {
    if (valor == 0) return "0";  // -0 as well
    if (std::isnan(valor)) return "no definido";
    if (std::isinf(valor)) return valor > 0 ? "∞" : "−∞";
    constexpr int kCifras = 6;
    // The decimal exponent after rounding to six significant digits.
    const std::string cientifico = CifrasCientificas(valor, kCifras - 1);
    const std::size_t e = cientifico.find('e');
    const int exponente = std::atoi(cientifico.c_str() + e + 1);
    auto SinCeros = [](std::string s) {
        if (s.find('.') == std::string::npos) return s;
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.') s.pop_back();
        return s;
    };
    if (exponente >= -4 && exponente < 9) {
        return SinCeros(CifrasFijas(valor, std::max(0, kCifras - 1 - exponente)));
    }
    return SinCeros(cientifico.substr(0, e)) + "e" + std::to_string(exponente);
}

std::vector<TLineaDetalle> LineasDetalle(const TDetalleCalculo& detalle) {
    using Tipo = TLineaDetalle::TTipo;
    std::vector<TLineaDetalle> lineas;
    lineas.push_back({Tipo::Titulo, 0,
                      detalle.titulo.empty() ? std::string(kTituloDetalle)
                                             : std::string(kTituloDetalle) + ": " + detalle.titulo});
    for (const TSeccionDetalle& s : detalle.secciones) {
        lineas.push_back({Tipo::Encabezado, 0, s.titulo});
        if (!s.ecuacion.empty()) {
            lineas.push_back({Tipo::Texto, 1, "Ecuación:"});
            for (const std::string& e : s.ecuacion) lineas.push_back({Tipo::Texto, 2, e});
        }
        // The common section is all terms: no sub-heading.
        const bool comun = s.ranura == 0;
        if (!s.terminos.empty() && !comun) lineas.push_back({Tipo::Texto, 1, "Términos:"});
        for (const T& t : s.terminos) lineas.push_back({Tipo::Texto, comun ? 1 : 2, LineaTermino(t)});
        if (!s.resultados.empty()) lineas.push_back({Tipo::Texto, 1, "Resultados:"});
        for (const T& t : s.resultados) lineas.push_back({Tipo::Texto, 2, LineaTermino(t)});
        for (const std::string& n : s.notas) lineas.push_back({Tipo::Texto, 1, n});
    }
    return lineas;
}

std::string TextoDetalle(const TDetalleCalculo& detalle) {
    std::string texto;
    for (const TLineaDetalle& l : LineasDetalle(detalle)) {
        if (l.tipo == TLineaDetalle::TTipo::Encabezado) texto += '\n';
        texto.append(2 * static_cast<std::size_t>(l.nivel), ' ');
        texto += l.texto;
        texto += '\n';
    }
    return texto;
}
