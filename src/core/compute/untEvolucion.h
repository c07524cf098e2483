// Growth of the scour hole in time: characteristic time, the time law and
// the filling of one chart series.
#pragma once

#include "problem/untFormulas.h"

// Exponent of the time law and the steps that every curve of the program uses.
inline constexpr double kGammaEvol = 0.23;
inline constexpr int kPuntosMaxi = 5000;

// Characteristic time T (h), at which the scour depth reaches the flow depth:
// T = 330 h^2 Delta^1.7 / (alpha U - Uc)^4.3.  Callers check alpha U > Uc.
double TiemCara(double h, double delta, double alfa, double u, double uc);

// Scour depth (m) at time t (h): y = ye [1 - (1 - h/ye)^((t/T)^gamma)].
// Callers check h < ye.
double ErosEvol(double h, double ye, double t, double tCara, double gamma);

// Appends the curve of ErosEvol to the series: a first stretch from t = 0 in
// steps of `paso1` while t <= `fin1`, then steps of `paso2` until the relative
// change falls below 1e-6; at most 5000 points of this curve in all.  The
// time advances by repeated addition; a step that leaves t unchanged ends
// the curve (a first step of 0 draws the single point (0, 0)).
void TrazarEvol(TSerie& serie, double h, double ye, double tCara, double gamma, double paso1, double paso2,
                double fin1);

// The faults of TrazarEvol without its points: the first point, which
// checks the curve's arguments, and, unless the curve is regular (0 < first
// step <= end of the first stretch, 0 < second step, T > 0 and a depth above
// 0 at the first step, after which every depth is above 0 and every quotient
// of the curve finite), the whole curve into a scratch series.
void ComprobarEvol(double h, double ye, double tCara, double gamma, double paso1, double paso2, double fin1);

// The calling pattern of the calculators: draws the curve of slot k with
// gamma = 0.23, first step 0.02 T, first stretch up to 5 T and second step T,
// records ye as the curve's equilibrium depth and makes the chart tab visible.
// With the chart's curves off it stores no point but still faults where the
// curve would (see ComprobarEvol).
void TrazarEvolEstandar(TGrafico& grafico, int k, double h, double ye, double tCara);

// The slot loop of the calculators: for k = 1..n in order, a slot that
// `evalua(k)` admits has its formula stored by `calcula(k)` (before the next
// slot runs) and its series titled with the slot's caption; the series of any
// other slot is titled "inactivo" and its result keeps its earlier value.
template <class Evalua, class Calcula>
void EvaluarRanuras(const TPanelFormulas& panel, TGrafico& grafico, int n, Evalua&& evalua, Calcula&& calcula) {
    for (int k = 1; k <= n; ++k) {
        if (evalua(k)) {
            calcula(k);
            grafico.Serie(k).titulo = panel.Titulo(k);
        } else {
            grafico.Serie(k).titulo = kTextoInactivo;
        }
    }
}

// The curves of slots 1..n sharing one characteristic time: slot k, when
// `dibuja(k)` admits it, is drawn when the flow depth is below its
// equilibrium depth `profundidad(k)` (strictly: the time law takes
// ln(1 - h/ye)); otherwise it gets its equilibrium depth alone, when above
// 0, as the dashed line, so that its legend entry has a line to point at.
template <class Profundidad, class Dibuja>
void TrazarRanuras(TGrafico& grafico, int n, double h, double tCara, Profundidad&& profundidad, Dibuja&& dibuja) {
    for (int k = 1; k <= n; ++k) {
        if (!dibuja(k)) continue;
        const double ye = profundidad(k);
        if (h < ye)
            TrazarEvolEstandar(grafico, k, h, ye, tCara);
        else if (ye > 0)
            grafico.Serie(k).equilibrios.push_back(ye);
    }
}
