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
    do {
        y = ErosEvol(h, ye, t, tCara, gamma);
        serie.puntos.push_back({t, y});
        ++n;
        t = t + paso1;
    } while (t <= fin1);
    double yPrevio;
    do {
        yPrevio = y;
        y = ErosEvol(h, ye, t, tCara, gamma);
        serie.puntos.push_back({t, y});
        ++n;
        t = t + paso2;
    } while (n < kPuntosMaxi && !(std::fabs(Divi(static_cast<Ext>(y) - yPrevio, yPrevio)) < 1e-6));
}

void TrazarEvolEstandar(TGrafico& grafico, int k, double h, double ye, double tCara) {
    TrazarEvol(grafico.Serie(k), h, ye, tCara, kGammaEvol, Guardar(0.02L * tCara), tCara, Guardar(5.0L * tCara));
    grafico.pestanaVisible = true;
}
