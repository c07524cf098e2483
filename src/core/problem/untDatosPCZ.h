// Per-problem block of the plunging jet.  The jet data (d90,
// angles, head difference, jet velocity, turbulence intensity) live in the
// step's block TDatosPEn, filled by its input and preparation steps.
#pragma once

#include <vector>

#include "problem/untEstructuras.h"

struct TDatosPCZ {
    double ErosCoefHoff = 0;   // coefficient c2 of the sediment, from d90
    double FlujFactTurb = 0;   // velocity factor alpha = 3 r0 + 1
    double ErosTiemRefe = 0;   // characteristic time T, h
    double OutpErosMaxi1 = 0;  // equilibrium scour depth, "Bornmann y Julien", m
    double OutpErosMaxi2 = 0;  // equilibrium scour depth, "Fahlbusch", m

    // Coefficient c2 from d90 (m): with x = d90 in mm,
    // c2 = (log10 x + 1) (0.775 log10 x + 1.7) + 1.3 below 13.6 mm, 6.8 from there on.
    static double CoefHoffmans(double d90);

    // Scour depth (m): ys = (20 / c2) sqrt(q Vj sin theta / g), theta in radians.
    static double Fahlbusch(double c2, double q, double vj, double theta, double g);

    template <class S, class F> static void Recorrer(S& s, F&& f) {
        TURMADO_CAMPO(f, s, ErosCoefHoff);
        TURMADO_CAMPO(f, s, FlujFactTurb);
        TURMADO_CAMPO(f, s, ErosTiemRefe);
        TURMADO_CAMPO(f, s, OutpErosMaxi1);
        TURMADO_CAMPO(f, s, OutpErosMaxi2);
    }
};
