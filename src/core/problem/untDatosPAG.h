// Narrow culvert (code 31): the per-problem block of the record with its
// formulas ("Rajaratnam y Berry", "Ruff", "Breusers", "Hoffmans").  The
// velocity in the openings is the structure's (TEstrAlcantarilla::FlujVeloAper).
#pragma once

#include <string>
#include <vector>

#include "problem/untEstructuras.h"

struct TDatosPAG {
    double SediDiam90N3 = 0;      // d90, m (typed in mm)
    double OutpInteRelaTurb = 0;  // relative turbulence intensity r
    double ErosCoefHoff = 0;      // coefficient c2 of "Hoffmans"
    double FlujFactTurb = 0;      // velocity factor alpha = 1 + 3 r
    double ErosTiemRefe = 0;      // reference time T of the scour evolution, h
    double OutpErosMaxi1 = 0;     // equilibrium scour, "Rajaratnam y Berry", m
    double OutpErosMaxi2 = 0;     // equilibrium scour, "Ruff", m
    double OutpErosMaxi3 = 0;     // equilibrium scour, "Breusers", m
    double OutpErosMaxi4 = 0;     // equilibrium scour, "Hoffmans", m

    static double InteRelaTurb();  // 0.3
    static double FactTurb(double r);
    // Scour depths (m) with opening diameter D (m), velocity V in the openings,
    // mean flow velocity U and critical shear velocity u*c (m/s), discharge Q (m3/s).
    // "Ruff" and "Hoffmans" are laws of one outlet: they take the discharge of
    // one opening, CaudAper.
    static double CaudAper(double caudal, double cantidad);
    static double RajaratnamBerry(double diam, double v, double delta, double g, double d50);
    static double Ruff(double diam, double caudal, double g);
    static double Breusers(double diam, double v, double uCortCrit);
    // Coefficient c2 of the sediment from d90 (m).
    static double CoefHoffmans(double d90);
    static double Hoffmans(double caudal, double g, double u, double v, double c2);
    // Reference time of the scour evolution, hours.
    static double TiemRefe(double h, double delta, double alfa, double u, double uc);

    template <class S, class F> static void Recorrer(S& s, F&& f) {
        TURMADO_CAMPO(f, s, SediDiam90N3);
        TURMADO_CAMPO(f, s, OutpInteRelaTurb);
        TURMADO_CAMPO(f, s, ErosCoefHoff);
        TURMADO_CAMPO(f, s, FlujFactTurb);
        TURMADO_CAMPO(f, s, ErosTiemRefe);
        TURMADO_CAMPO(f, s, OutpErosMaxi1);
        TURMADO_CAMPO(f, s, OutpErosMaxi2);
        TURMADO_CAMPO(f, s, OutpErosMaxi3);
        TURMADO_CAMPO(f, s, OutpErosMaxi4);
    }
};
