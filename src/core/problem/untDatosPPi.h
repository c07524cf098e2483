// Bridge pier (code 22): the per-problem block of the record with its
// formulas ("Breusers", "CSU", "Johnson") and the critical failure lengths.
#pragma once

#include <string>
#include <vector>

#include "problem/untEstructuras.h"

struct TDatosPPi {
    double SediDiam84N3 = 0;    // d84, m (typed in mm)
    double SediAnguRepo = 0;    // angle of repose phi, degrees
    double EstrFactFormKs = 0;  // pier shape factor Ks
    double EstrFactGrup = 0;    // pier group factor Kg
    double EstrAnguAtaq = 0;    // angle of attack theta, degrees
    double SediDesvGeom = 0;    // gradation ratio sigma = d84 / d50
    double EstrFactAlin = 0;    // alignment factor K_theta
    double SediFactGrad = 0;    // gradation factor K_sigma
    double EstrFactComb = 0;    // combined factor K = Kg K_theta K_sigma Ks
    double ErosTiemRefe = 0;    // reference time T of the scour evolution, h
    double OutpErosMaxi1 = 0;   // equilibrium scour, "Breusers", m
    double OutpErosMaxi2 = 0;   // equilibrium scour, "CSU", m
    double OutpErosMaxi3 = 0;   // equilibrium scour, "Johnson", m
    double OutpLongFall1 = 0;   // critical failure length of slot 1, m
    double OutpLongFall2 = 0;   // critical failure length of slot 2, m
    double OutpLongFall3 = 0;   // critical failure length of slot 3, m

    // Scour depths (m) with U, Uc (m/s), K, pier width b and flow depth h (m), Fr, sigma.
    static double Breusers(double u, double uc, double k, double b, double h);
    static double CSU(double k, double h, double fr, double b);
    static double Johnson(double k, double h, double fr, double b, double sigma);
    // Reference time of the scour evolution, in seconds.
    static double TiemRefe(double b, double u, double delta, double g, double d50, double uc);
    // Horizontal run (m) of a slope at the angle of repose phi (radians) falling by ys.
    static double LongFall(double ys, double phi);
    static double DesvGeom(double d84, double d50);
    static double FactAlin(double theta, double l, double b);  // theta in radians
    static double FactGrad(double sigma);
    static double FactComb(double kg, double kTheta, double kSigma, double ks);

    template <class S, class F> static void Recorrer(S& s, F&& f) {
        TURMADO_CAMPO(f, s, SediDiam84N3);
        TURMADO_CAMPO(f, s, SediAnguRepo);
        TURMADO_CAMPO(f, s, EstrFactFormKs);
        TURMADO_CAMPO(f, s, EstrFactGrup);
        TURMADO_CAMPO(f, s, EstrAnguAtaq);
        TURMADO_CAMPO(f, s, SediDesvGeom);
        TURMADO_CAMPO(f, s, EstrFactAlin);
        TURMADO_CAMPO(f, s, SediFactGrad);
        TURMADO_CAMPO(f, s, EstrFactComb);
        TURMADO_CAMPO(f, s, ErosTiemRefe);
        TURMADO_CAMPO(f, s, OutpErosMaxi1);
        TURMADO_CAMPO(f, s, OutpErosMaxi2);
        TURMADO_CAMPO(f, s, OutpErosMaxi3);
        TURMADO_CAMPO(f, s, OutpLongFall1);
        TURMADO_CAMPO(f, s, OutpLongFall2);
        TURMADO_CAMPO(f, s, OutpLongFall3);
    }
};
