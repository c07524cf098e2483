// Protected abutment or spur dike (code 211): the per-problem block of the
// record, "Dietz" with the coefficient reduced by the bed protection.
#pragma once

#include <vector>

#include "problem/untEstructuras.h"

struct TDatosPEP {
    double ErosCoefDiet = 0;   // coefficient beta of "Dietz" with protection
    double ErosTiemRefe = 0;   // reference time T, h
    double OutpErosMaxi1 = 0;  // equilibrium scour, "Dietz", m

    // beta = 1 + (1.75 + 12 m^2) e^(-0.1 Lp / h): 2.75 + 12 m^2 without
    // protection (Lp = 0), towards 1 as the protection grows.
    static double CoefDietz(double m, double longPlat, double h);
    // h (beta U - Uc) / Uc when positive, else 0 (as for the unprotected abutment).
    static double Dietz(double h, double beta, double u, double uc);
    // Reference time (s), as for the unprotected abutment.
    static double TiemRefe(double h, double delta, double fr, double re, double uc, double u, double c);

    template <class S, class F> static void Recorrer(S& s, F&& f) {
        TURMADO_CAMPO(f, s, ErosCoefDiet);
        TURMADO_CAMPO(f, s, ErosTiemRefe);
        TURMADO_CAMPO(f, s, OutpErosMaxi1);
    }
};
