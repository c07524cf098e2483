// Abutment or spur dike (code 212): the per-problem block of the record with
// its formulas ("Ahmad", "Liu", "Dietz", "Breusers") and the reference time.
#pragma once

#include <string>
#include <vector>

#include "problem/untEstructuras.h"

struct TDatosPEs {
    double EstrFactCurv = 0;    // curvature factor Kc
    double EstrFactFormKs = 0;  // shape factor Ks
    double EstrFactFormKb = 0;  // shape factor Kb of "Breusers"
    double EstrFactFormKl = 0;  // coefficient Kl of "Liu"
    double EstrFactAngu = 0;    // angle factor Ka
    double EstrFactPoro = 0;    // porosity factor Kn
    double EstrFactComb = 0;    // combined factor K = 2 Kc Ks Ka Kn
    double ErosTiemRefe = 0;    // reference time T, h
    double OutpErosMaxi1 = 0;   // equilibrium scour, "Ahmad", m
    double OutpErosMaxi2 = 0;   // equilibrium scour, "Liu", m
    double OutpErosMaxi3 = 0;   // equilibrium scour, "Dietz", m
    double OutpErosMaxi4 = 0;   // equilibrium scour, "Breusers", m
    double ErosCoefDiet = 0;    // coefficient beta of "Dietz"

    // K = 2 Kc Ks Ka Kn, multiplied in that order.
    static double FactComb(double kc, double ks, double ka, double kn);
    // beta = 2.75 + 12 m^2 for the contraction ratio m.
    static double CoefDietz(double m);
    // 2.14 K g^(-1/3) (q / (1 - m))^(2/3) - h; not clipped, may be negative.
    static double Ahmad(double k, double g, double q, double m, double h);
    // Kl h (L / h)^0.4 Fr^(1/3).
    static double Liu(double kl, double h, double l, double fr);
    // h (beta U - Uc) / Uc when positive, else 0.
    static double Dietz(double h, double beta, double u, double uc);
    // Kb L tanh(h / L) + h ((1 - m)^(-2/3) - 1).
    static double Breusers(double h, double m, double kb, double l);
    // Reference time (s): the characteristic time of the confined vortex
    // with the coefficient C in the place of alpha_t.
    static double TiemRefe(double h, double delta, double fr, double re, double uc, double u, double c);

    template <class S, class F> static void Recorrer(S& s, F&& f) {
        TURMADO_CAMPO(f, s, EstrFactCurv);
        TURMADO_CAMPO(f, s, EstrFactFormKs);
        TURMADO_CAMPO(f, s, EstrFactFormKb);
        TURMADO_CAMPO(f, s, EstrFactFormKl);
        TURMADO_CAMPO(f, s, EstrFactAngu);
        TURMADO_CAMPO(f, s, EstrFactPoro);
        TURMADO_CAMPO(f, s, EstrFactComb);
        TURMADO_CAMPO(f, s, ErosTiemRefe);
        TURMADO_CAMPO(f, s, OutpErosMaxi1);
        TURMADO_CAMPO(f, s, OutpErosMaxi2);
        TURMADO_CAMPO(f, s, OutpErosMaxi3);
        TURMADO_CAMPO(f, s, OutpErosMaxi4);
        TURMADO_CAMPO(f, s, ErosCoefDiet);
    }
};
