#include "compute/untEvolucion.h"

#include <cmath>

#include "general/untGeneral.h"

double TiemCara(double h, double delta, double alfa, double u, double uc) {
    const Ext numerador = 330 * static_cast<Ext>(h) * h * PoteReal(delta, 1.7);
    return Guardar(Divi(numerador, PoteReal(Guardar(static_cast<Ext>(alfa) * u - uc), 4.3)));
}

double ErosEvol(double h, double ye, double t, double tCara, double gamma) {
    const Ext s = PoteReal(Guardar(Divi(t, tCara)), gamma);
    return Guardar(ye * (1 - Expo(s * LogN(1 - Divi(h, ye)))));
}

void TrazarEvol(TSerie& serie, double h, double ye, double tCara, double gamma, double paso1, double paso2,
                double fin1) {
    double t = 0;
    int n = 0;
    double y;
    // Both stretches end at kPuntosMaxi points in all, and a step too small
    // to change t (t + paso == t, e.g. 0.02 T rounded to 0) ends the curve:
    // it would append the same point for ever.
    bool avanza;
    do {
        y = ErosEvol(h, ye, t, tCara, gamma);
        serie.puntos.push_back({t, y});
        ++n;
        const double siguiente = t + paso1;
        avanza = siguiente != t;
        t = siguiente;
    } while (avanza && n < kPuntosMaxi && t <= fin1);
    if (!avanza) return;
    while (n < kPuntosMaxi) {
        const double yPrevio = y;
        y = ErosEvol(h, ye, t, tCara, gamma);
        serie.puntos.push_back({t, y});
        ++n;
        if (n == kPuntosMaxi || std::fabs(Divi(static_cast<Ext>(y) - yPrevio, yPrevio)) < 1e-6) break;
        const double siguiente = t + paso2;
        if (siguiente == t) break;
        t = siguiente;
    }
}

void TrazarEvolEstandar(TGrafico& grafico, int k, double h, double ye, double tCara) {
    TrazarEvol(grafico.Serie(k), h, ye, tCara, kGammaEvol, Guardar(0.02L * tCara), tCara, Guardar(5.0L * tCara));
    grafico.Serie(k).equilibrios.push_back(ye);
    grafico.pestanaVisible = true;
}
