// Growth of the scour hole in time: characteristic time, the time law and
// the filling of one chart series.
#pragma once

#include "compute/untFormulas.h"

// Exponent of the time law and the steps that every curve of the program uses.
inline constexpr double kGammaEvol = 0.23;
inline constexpr int kPuntosMaxi = 5000;

// Characteristic time T (h), at which the scour depth reaches the flow depth:
// T = 330 h^2 Delta^1.7 / (alpha U - Uc)^4.3.  Callers check alpha U > Uc.
double TiemCara(double h, double delta, double alfa, double u, double uc);

// Scour depth (m) at time t (h): y = ye [1 - (1 - h/ye)^((t/T)^gamma)].
// Callers check h < ye.
double ErosEvol(double h, double ye, double t, double tCara, double gamma);

// Appends the curve of ErosEvol to the series: a first stretch from t = 0 in
// steps of `paso1` while t <= `fin1`, then steps of `paso2` until the relative
// change falls below 1e-6 or the series holds 5000 points of this curve.
// The time advances by repeated addition.
void TrazarEvol(TSerie& serie, double h, double ye, double tCara, double gamma, double paso1, double paso2,
                double fin1);

// The calling pattern of the calculators: draws the curve of slot k with
// gamma = 0.23, first step 0.02 T, first stretch up to 5 T and second step T,
// and makes the chart tab visible.
void TrazarEvolEstandar(TGrafico& grafico, int k, double h, double ye, double tCara);
