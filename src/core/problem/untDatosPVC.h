// Confined vortex (codes 111 and 121): the per-problem block of the record
// with its formulas: turbulence, clear-water and live-bed depths, sediment
// transport, failure length and slope of the upstream side of the hole.
#pragma once

#include <string>
#include <vector>

#include "problem/untEstructuras.h"

struct TDatosPVC {
    double CaucPoro = 0;          // porosity n of the bed sediment
    double EstrCoefMannPlat = 0;  // Manning coefficient of the protection, s/m^(1/3)
    double CoefChezPlat = 0;      // Chezy coefficient over the protection Cp, m^(1/2)/s
    double RelaVeloCortPlat = 0;  // sqrt(g) / Cp
    double OutpInteRelaTurb = 0;  // relative turbulence intensity r0
    double CoefAlfaTurb = 0;      // alpha_t = 1.5 + 4.4 r0 fC, factor of the time scale
    double FactChez = 0;          // fC = Cp / 40 when Cp > 40, else 1
    double FlujFactTurb = 0;      // alpha = 1 + 3 r0, velocity factor of the equilibrium depth
    double ErosTiemRefe = 0;      // characteristic time T, h
    double OutpCaudSoliFond = 0;  // bed load qb, m2/s
    double OutpCaudSoliSusp = 0;  // suspended load qs, m2/s
    double OutpCaudSoliTota = 0;  // effective total transport qt = qb + 0.15 qs, m2/s
    double ErosAguaClar = 0;      // clear-water equilibrium depth, m
    double ErosLechVivo = 0;      // live-bed depth at the end of the sediment balance, m
    double OutpLongFall1 = 0;     // critical failure length, twice the scour depth, m
    double OutpPendTalu = 0;      // slope of the upstream side of the hole, degrees

    // r0 = sqrt(0.0225 (1 - D/h)^-2 (1 + (L - 6 D) / (6.67 h))^-1.08 + 1.45 (sqrt(g)/Cp)^2)
    // for an obstacle of height D and a protection of length L.
    static double InteTurbPlat(double altuObst, double h, double longPlat, double relaVeloCortPlat);
    // (alpha U - Uc) h / Uc when positive, else 0 (m).
    static double ErosAguaClarPVC(double h, double alfa, double u, double uc);
    // Characteristic time (s): with a = alpha_t - Uc/U, 0 when a < 0, else
    // 1e7 h Delta^1.5 / (Fr^2.5 a^4 Re^0.5 U).  Also the reference time of
    // the abutments, with their coefficient C in the place of alpha_t.
    static double TiemCaraPVC(double h, double delta, double fr, double re, double uc, double u, double alfaT);
    // Bed load (m2/s): 0.005 U h Me^2.4 (d50/h)^1.2, Me = (U - Uc) / sqrt(Delta g d50).
    static double CaudSoliFond(double u, double h, double uc, double delta, double g, double d50);
    // Suspended load (m2/s): 0.012 U h Me^2.4 d50/h D*^-0.6.
    static double CaudSoliSusp(double u, double h, double uc, double delta, double g, double d50, double dAdim);
    // Depth after one step of the sediment balance of the hole (m):
    // sqrt(y'^2 + (6 (yc^2 - yc'^2) - qt dt / (1 - n)) / 20).
    static double ErosBalaSedi(double yPrevio, double yc, double ycPrevio, double qt, double dt, double poro);
    // Slope angle (degrees): asin(2.9e-4 U^2 / Delta / g / d50 + (0.75 r0 + 0.11) fC).
    static double PendTaluAguaArri(double u, double delta, double g, double d50, double r0, double fC);

    template <class S, class F> static void Recorrer(S& s, F&& f) {
        TURMADO_CAMPO(f, s, CaucPoro);
        TURMADO_CAMPO(f, s, EstrCoefMannPlat);
        TURMADO_CAMPO(f, s, CoefChezPlat);
        TURMADO_CAMPO(f, s, RelaVeloCortPlat);
        TURMADO_CAMPO(f, s, OutpInteRelaTurb);
        TURMADO_CAMPO(f, s, CoefAlfaTurb);
        TURMADO_CAMPO(f, s, FactChez);
        TURMADO_CAMPO(f, s, FlujFactTurb);
        TURMADO_CAMPO(f, s, ErosTiemRefe);
        TURMADO_CAMPO(f, s, OutpCaudSoliFond);
        TURMADO_CAMPO(f, s, OutpCaudSoliSusp);
        TURMADO_CAMPO(f, s, OutpCaudSoliTota);
        TURMADO_CAMPO(f, s, ErosAguaClar);
        TURMADO_CAMPO(f, s, ErosLechVivo);
        TURMADO_CAMPO(f, s, OutpLongFall1);
        TURMADO_CAMPO(f, s, OutpPendTalu);
    }
};
