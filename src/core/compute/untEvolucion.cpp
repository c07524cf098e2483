#include "compute/untEvolucion.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "general/untGeneral.h"

double TiemCara(double h, double delta, double alfa, double u, double uc) {
    const Ext numerador = 330 * static_cast<Ext>(h) * h * PoteReal(delta, 1.7);
    return Guardar(Divi(numerador, PoteReal(Guardar(static_cast<Ext>(alfa) * u - uc), 4.3)));
}

namespace {

// The two parts of the time law: the exponent s = (t/T)^gamma, and the depth
// ye [1 - exp(s ln(1 - h/ye))] from s and the curve's factor ln(1 - h/ye).
Ext Exponente(double t, double tCara, double gamma) { return PoteReal(Guardar(Divi(t, tCara)), gamma); }
double Profundidad(double ye, Ext s, Ext resto) { return Guardar(ye * (1 - Expo(s * resto))); }

}  // namespace

double ErosEvol(double h, double ye, double t, double tCara, double gamma) {
    const Ext s = Exponente(t, tCara, gamma);
    return Profundidad(ye, s, LogN(1 - Divi(h, ye)));
}

void TrazarEvol(TSerie& serie, double h, double ye, double tCara, double gamma, double paso1, double paso2,
                double fin1) {
    double t = 0;
    int n = 0;
    double y;
    // Room for the whole curve at once.
    std::vector<TPunto>& puntos = serie.puntos;
    if (puntos.capacity() - puntos.size() < std::size_t(kPuntosMaxi))
        puntos.reserve(std::max(puntos.size() + kPuntosMaxi, 2 * puntos.capacity()));
    // The first point goes through ErosEvol, with its checks of the curve's
    // arguments in their order (T = 0, h >= ye); once it is through, the
    // curve's factor ln(1 - h/ye) is valid and is taken once for all points.
    Ext resto = 0;
    auto eros = [&](double tiempo) {
        if (n > 0) return Profundidad(ye, Exponente(tiempo, tCara, gamma), resto);
        const double y0 = ErosEvol(h, ye, tiempo, tCara, gamma);
        resto = LogN(1 - Divi(h, ye));
        return y0;
    };
    // Both stretches end at kPuntosMaxi points in all, and a step too small
    // to change t (t + paso == t, e.g. 0.02 T rounded to 0) ends the curve:
    // it would append the same point for ever.
    bool avanza;
    do {
        y = eros(t);
        puntos.push_back({t, y});
        ++n;
        const double siguiente = t + paso1;
        avanza = siguiente != t;
        t = siguiente;
    } while (avanza && n < kPuntosMaxi && t <= fin1);
    if (!avanza) return;
    while (n < kPuntosMaxi) {
        const double yPrevio = y;
        y = eros(t);
        puntos.push_back({t, y});
        ++n;
        if (n == kPuntosMaxi || std::fabs(Divi(static_cast<Ext>(y) - yPrevio, yPrevio)) < 1e-6) break;
        const double siguiente = t + paso2;
        if (siguiente == t) break;
        t = siguiente;
    }
}

void ComprobarEvol(double h, double ye, double tCara, double gamma, double paso1, double paso2, double fin1) {
    ErosEvol(h, ye, 0, tCara, gamma);
    // Past the first point the time law faults only where a depth is 0 (the
    // relative change divides by it) or a time leaves the double range: y
    // grows with t, so a depth above 0 at the first step keeps every later
    // one above 0, and no time exceeds the end of the first stretch plus
    // kPuntosMaxi second steps.
    const Ext tMaximo = fin1 + static_cast<Ext>(paso1) + static_cast<Ext>(kPuntosMaxi) * paso2;
    const bool regular = tCara > 0 && gamma > 0 && paso1 > 0 && paso1 <= fin1 && paso2 > 0 &&
                         tMaximo <= std::numeric_limits<double>::max() &&
                         tMaximo / tCara <= std::numeric_limits<double>::max() &&
                         ErosEvol(h, ye, paso1, tCara, gamma) > 0;
    if (regular) return;
    TSerie descarte;
    TrazarEvol(descarte, h, ye, tCara, gamma, paso1, paso2, fin1);
}

void TrazarEvolEstandar(TGrafico& grafico, int k, double h, double ye, double tCara) {
    const double paso1 = Guardar(0.02L * tCara);
    const double fin1 = Guardar(5.0L * tCara);
    if (grafico.curvas)
        TrazarEvol(grafico.Serie(k), h, ye, tCara, kGammaEvol, paso1, tCara, fin1);
    else
        ComprobarEvol(h, ye, tCara, kGammaEvol, paso1, tCara, fin1);
    grafico.Serie(k).equilibrios.push_back(ye);
    grafico.pestanaVisible = true;
}
