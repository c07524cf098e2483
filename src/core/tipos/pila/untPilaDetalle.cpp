#include "tipos/pila/untPila.h"

#include <array>

#include "compute/untDetalleBase.h"
#include "compute/untFilas.h"
#include "general/untGeneral.h"
#include "problem/untDatos.h"

using namespace detalle;

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
