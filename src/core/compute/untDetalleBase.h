// What every type's "Detalle del cálculo" is built from: a term (a datum, a
// factor or an intermediate value with its symbol, value, unit and the
// record field it comes from), a section (one formula's equation, terms,
// results and notes), and the builders of the terms that many formulas name.
// Each type lays out its own sections (src/core/tipos/<tipo>/); the whole
// detail, its common section and its printed lines are results/untDetalle.h.
#pragma once

#include <limits>
#include <string>
#include <vector>

#include "general/untError.h"
#include "general/untGeneral.h"
#include "problem/untDatos.h"
#include "problem/untFormulas.h"

struct TTerminoDetalle {
    std::string nombre;     // Spanish name of the quantity ("Factor de granulometría")
    std::string simbolo;    // its symbol in the equations ("Kσ")
    double valor = 0;
    std::string unidad;     // "m", "m/s" ...; empty for a dimensionless number
    std::string expresion;  // how it is obtained ("1.0417 · σ^(−1.1841)"); empty for a datum
    // Record field it comes from, named as TDatosProblema::Recorrer names it
    // ("PPi.SediFactGrad"); empty for a ratio worked out for the detail
    // alone (U / Uc of "Breusers", which selects the branch).
    std::string campo;
};

struct TSeccionDetalle {
    std::string titulo;                       // "Cálculo común", or the caption of the formula's slot
    int ranura = 0;                           // the formula's slot 1 to 4; 0 for the common computation
    std::vector<std::string> ecuacion;        // lines of the equation, symbols as in the terms
    std::vector<TTerminoDetalle> terminos;    // data, factors and intermediate values
    std::vector<TTerminoDetalle> resultados;  // equilibrium depth, failure length, time scale ...
    std::vector<std::string> notas;           // the branch taken; what was not computed, and why
};

// The record field by its path: its name as TDatosProblema::Recorrer names
// it, and its value (a record named `d` must be in scope).
#define DETALLE_CAMPO(ruta) #ruta, d.ruta

namespace detalle {

using T = TTerminoDetalle;

T Dato(const char* nombre, const char* simbolo, const char* campo, double valor, const char* unidad);
T Calculado(const char* nombre, const char* simbolo, std::string expresion, const char* campo, double valor,
            const char* unidad);

// A ratio worked out for the detail alone, from values of the record.
T Razon(const char* nombre, const char* simbolo, const char* expresion, Ext valor);

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

// The equilibrium depth stored in the record field `campo`.
T Erosion(const char* campo, double valor);

void Agregar(std::vector<T>& destino, const std::vector<T>& origen);

// The section of the formula of slot k, with its equation's lines.
TSeccionDetalle Formula(const TPanelFormulas& panel, int k, std::vector<std::string> ecuacion);

// The time scale of a formula whose equilibrium depth is `ys`: the result
// when the calculation computed it this time, otherwise the note `sinTiempo`
// saying why not.
void Tiempo(TSeccionDetalle& s, bool calculado, const T& tiempo, double ys, double h, const char* sinTiempo);

// Terms that many formulas name.
T TermH(const TDatosProblema& d);
T TermU(const TDatosProblema& d);
T TermUc(const TDatosProblema& d);
T TermFr(const TDatosProblema& d);
T TermG(const TDatosProblema& d);
T TermQ(const TDatosProblema& d);
T Termq(const TDatosProblema& d);
T TermDelta(const TDatosProblema& d);
T TermD50(const TDatosProblema& d);
T TermUcCorte(const TDatosProblema& d);

// The characteristic time of the standard evolution law, in hours.
inline constexpr const char* kTiempoCara = "330 · h² · Δ^1.7 / (α · U − Uc)^4.3";
inline constexpr const char* kSinTiempoAlfa = "α · U ≤ Uc: sin escala de tiempo ni curva de evolución.";

// c2 of "Hoffmans" from d90 (the narrow and wide culverts and the plunging jet).
std::string ExpresionCoefHoffmans(double d90);

// The step and the plunging jet: the jet data of TDatosPEn.
inline constexpr const char* kBornmannJulien =
    "ys = 1.8² · (sin φ / sin(φ + θ))^0.8 · q^0.6 · Vj · sin θ / ((2 · Δ · g)^0.8 · d90^0.4)";
std::vector<T> TerminosChorro(const TDatosProblema& d);
std::vector<T> TerminosTiempoChorro(const TDatosProblema& d, const char* campoAlfa, double alfa);

// The abutment or spur dike, with and without a protection.
inline constexpr const char* kTiempoEstribo =
    "10⁷ · h · Δ^1.5 / (U · Re^0.5 · Fr^2.5 · w⁴) / 3600,  w = C − Uc / U";
inline constexpr const char* kDietz = "ys = h · (β · U − Uc) / Uc  [0 si β · U ≤ Uc]";
std::vector<T> TerminosContraccion(const TDatosProblema& d);
// The reference time's own terms: C, and w, which decides whether there is one.
std::vector<T> TerminosTiempoEstribo(const TDatosProblema& d);

}  // namespace detalle
