// Per-problem block of the step.  It also holds the jet data that
// the step and the plunging jet share: the plunging jet reads the
// jet data from this block.
#pragma once

#include <vector>

#include "problem/untEstructuras.h"

struct TDatosPEn {
    double SediDiam90N3 = 0;          // d90, m (typed in mm)
    double SediAnguRepo = 0;          // angle of repose phi, degrees
    double FlujDifeCargRest = 0;      // head difference dH, energy level upstream to tailwater, m
    double FlujAnguChorSupeLibr = 0;  // angle theta of the jet with the free surface, degrees
    double ChorVelo = 0;              // jet velocity Vj = sqrt(2 dH g), m/s
    double OutpInteRelaTurb = 0;      // relative turbulence intensity r0 below the jet
    double FlujFactTurb = 0;          // velocity factor alpha = 3 r0 + 1
    double ErosTiemRefe = 0;          // characteristic time T, h
    double OutpErosMaxi1 = 0;         // equilibrium scour depth, "Bornmann y Julien", m

    // Scour depth below the jet (m), less the step height D:
    // ys = 1.8^2 (sin phi / sin(phi + theta))^0.8 q^0.6 Vj sin theta / ((2 Delta g)^0.8 d90^0.4) - D,
    // angles in radians.  Not clipped: negative when D exceeds the jet term.
    static double BornmannJulien(double phi, double q, double vj, double theta, double delta, double g,
                                 double d90, double d);

    template <class S, class F> static void Recorrer(S& s, F&& f) {
        TURMADO_CAMPO(f, s, SediDiam90N3);
        TURMADO_CAMPO(f, s, SediAnguRepo);
        TURMADO_CAMPO(f, s, FlujDifeCargRest);
        TURMADO_CAMPO(f, s, FlujAnguChorSupeLibr);
        TURMADO_CAMPO(f, s, ChorVelo);
        TURMADO_CAMPO(f, s, OutpInteRelaTurb);
        TURMADO_CAMPO(f, s, FlujFactTurb);
        TURMADO_CAMPO(f, s, ErosTiemRefe);
        TURMADO_CAMPO(f, s, OutpErosMaxi1);
    }
};
