// Wide culvert (code 122): the per-problem block of the record with its
// formulas ("Qayoum", "Altinbilek y Basmaci", "Breusers", "Hoffmans").
#pragma once

#include <string>
#include <vector>

#include "problem/untEstructuras.h"

struct TDatosPAC {
    double SediDiam90N3 = 0;      // d90, m (typed in mm)
    double SediAnguRepo = 0;      // angle of repose phi, degrees
    double FlujDifeCargRest = 0;  // head difference between upstream and tailwater, m
    double ChorEspe = 0;          // thickness y1 of the contracted jet, m
    double ChorNumeFrou = 0;      // Froude number of the jet F1
    double OutpInteRelaTurb = 0;  // relative turbulence intensity r0
    double ChorVeloSali = 0;      // jet velocity V1, m/s
    double ErosCoefHoff = 0;      // coefficient c2 of the sediment
    double FlujFactTurb = 0;      // velocity factor alpha = 1 + 3 r0
    double ErosTiemRefe = 0;      // characteristic time T, h
    double OutpErosMaxi1 = 0;     // equilibrium scour, "Qayoum", m
    double OutpErosMaxi2 = 0;     // equilibrium scour, "Altinbilek y Basmaci", m
    double OutpErosMaxi3 = 0;     // equilibrium scour, "Breusers", m
    double OutpErosMaxi4 = 0;     // equilibrium scour, "Hoffmans", m

    // Scour depths (m) with specific discharge q (m2/s), head difference,
    // flow depth h and jet thickness y1 (m), jet velocity V1, mean flow
    // velocity U and critical shear velocity u*c (m/s).
    static double Qayoum(double q, double difeCarg, double h, double g, double d90);
    static double AltinbilekBasmaci(double y1, double d50, double phi, double f1, double delta);  // phi in radians
    static double BreusersAlca(double y1, double v1, double uCortCrit);
    // Coefficient c2 of the sediment from d90 (m), the same as the narrow culvert's.
    static double CoefHoffmans(double d90);
    static double HoffmansAlca(double y1, double u, double v1, double c2);

    template <class S, class F> static void Recorrer(S& s, F&& f) {
        TURMADO_CAMPO(f, s, SediDiam90N3);
        TURMADO_CAMPO(f, s, SediAnguRepo);
        TURMADO_CAMPO(f, s, FlujDifeCargRest);
        TURMADO_CAMPO(f, s, ChorEspe);
        TURMADO_CAMPO(f, s, ChorNumeFrou);
        TURMADO_CAMPO(f, s, OutpInteRelaTurb);
        TURMADO_CAMPO(f, s, ChorVeloSali);
        TURMADO_CAMPO(f, s, ErosCoefHoff);
        TURMADO_CAMPO(f, s, FlujFactTurb);
        TURMADO_CAMPO(f, s, ErosTiemRefe);
        TURMADO_CAMPO(f, s, OutpErosMaxi1);
        TURMADO_CAMPO(f, s, OutpErosMaxi2);
        TURMADO_CAMPO(f, s, OutpErosMaxi3);
        TURMADO_CAMPO(f, s, OutpErosMaxi4);
    }
};
