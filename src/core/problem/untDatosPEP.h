// Protected abutment or spur dike (code 211): "Dietz" with the coefficient
// reduced by the bed protection at the foot of the structure, and the growth
// of the scour hole in time.
#pragma once

#include <vector>

#include "problem/untFormulas.h"
#include "problem/untEstructuras.h"

struct TDatosProblema;
struct TFila;

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

// Calculator and results rows of code 211 (it has no input or preparation
// step: the user fills no complementary data for it).
void CalcEstriboProt(TDatosProblema& d, const TPanelFormulas& panel, TGrafico& grafico);
std::vector<TFila> FilasEstriboProt(const TDatosProblema& d, const TPanelFormulas& panel);
