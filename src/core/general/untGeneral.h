// Hydraulic toolkit: stateless numeric functions shared by every computation.
// Intermediate arithmetic runs in extended precision (long double, 80-bit on
// x86-64 with GCC); results are stored as double.  Floating-point faults are
// never masked: the checked operations below throw ErrorFlotante with the
// exact text that the user sees.
#pragma once

// The checked operations find faults by testing for NaN and infinity; a
// compiler told that neither exists (-ffast-math, -ffinite-math-only,
// -Ofast) drops those tests and every fault passes unseen.
#if defined(__FAST_MATH__) || (defined(__FINITE_MATH_ONLY__) && __FINITE_MATH_ONLY__)
#error "turmado refuses -ffast-math, -ffinite-math-only and -Ofast: they remove the floating-point fault checks"
#endif

#include <cmath>
#include <stdexcept>
#include <string>

#include "general/untError.h"

using Ext = long double;

// pi in extended precision.
inline constexpr Ext kPi = 3.141592653589793238462643383279502884L;

// The one exception type of arithmetic faults.
class ErrorFlotante : public ErrorTurmado {
public:
    explicit ErrorFlotante(const std::string& texto) : ErrorTurmado(TClaseError::Flotante, texto) {}
};

inline constexpr const char* kTextoDivisionCero = "Floating point division by zero";
inline constexpr const char* kTextoOperacionInvalida = "Invalid floating point operation";
inline constexpr const char* kTextoDesborde = "Floating point overflow";

// Throws ErrorFlotante with `texto`; kept out of line so that the checks
// below stay small enough to inline.
[[noreturn]] void FallaFlotante(const char* texto);

// Checked operations.  Every quotient, root, logarithm, exponential and
// arcsine of the computations goes through one of these.  The ones of the
// evolution curves, thousands of calls per calculation, are inline.
inline Ext Divi(Ext a, Ext b) {  // a / b; b = 0 faults (0/0 is an invalid operation)
    if (b == 0) FallaFlotante(a == 0 || std::isnan(a) ? kTextoOperacionInvalida : kTextoDivisionCero);
    const Ext r = a / b;
    if (std::isinf(r) && !std::isinf(a)) FallaFlotante(kTextoDesborde);
    return r;
}
Ext Raiz(Ext x);                 // square root; x < 0 faults
inline Ext LogN(Ext x) {         // natural logarithm; x = 0 divides by zero, x < 0 is invalid
    if (x < 0 || std::isnan(x)) FallaFlotante(kTextoOperacionInvalida);
    if (x == 0) FallaFlotante(kTextoDivisionCero);
    return std::log(x);
}
inline Ext Expo(Ext x) {         // exponential; beyond the extended range overflows
    if (std::isnan(x)) FallaFlotante(kTextoOperacionInvalida);
    const Ext r = std::exp(x);
    if (std::isinf(r)) FallaFlotante(kTextoDesborde);
    return r;
}
Ext ArcoSeno(Ext x);             // arcsine; |x| > 1 is invalid
inline double Guardar(Ext x) {   // rounds to double; NaN is invalid, beyond the double range overflows
    if (std::isnan(x)) FallaFlotante(kTextoOperacionInvalida);
    const double d = static_cast<double>(x);
    if (std::isinf(d)) FallaFlotante(kTextoDesborde);
    return d;
}

// Elementary functions.
double TangHipe(double x);                    // (e^x - e^-x) / (e^x + e^-x)
double GradRadi(double grados);               // grados * 2 * pi / 360
double LogaDeci(double x);                    // ln(x) / ln(10)
// exp(exponente * ln(base)) if base > 0, else exactly 0.
inline double PoteReal(double base, double exponente) {
    if (!(base > 0)) return 0.0;
    return Guardar(Expo(exponente * LogN(base)));
}
// Fixed-point text with `decimales` decimals, period as separator, no blanks.
// The width is accepted for symmetry with the callers and has no effect: the
// digits of the number are always at least as many as the minimum width.
std::string NumeText(double x, int ancho, int decimales);

// Sediment-transport quantities.
double CalcCoefChez(double h, double n);                            // h^(1/6) / n
double CalcRelaVeloCort(double g, double c);                        // sqrt(g) / C
double CalcDensRela(double densSedi, double densAgua);              // (rho_s - rho) / rho
double CalcDiamAdim(double delta, double g, double nu, double d);   // d (Delta g / nu^2)^(1/3)
double CalcParaMoviCrit(double dAdim);                              // Shields curve theta_c(D*)
double CalcVeloCortCrit(double thetaC, double d, double g, double delta);  // sqrt(theta_c d g Delta)
double CalcVeloCritEros(double a, double b);                        // a / b
double TresMasUno(double x);                                        // 3 x + 1
double CalcNumeFrou(double u, double g, double h);                  // U / sqrt(g h)
double CalcNumeReyn(double u, double l, double nu);                 // U L / nu
double Producto(double a, double b);                                // a b
double CalcParaMovi(double uCort, double delta, double g, double d);  // u*^2 / (Delta g d)
double CalcViscCine(double temp);                                   // 4.0e-5 / (T + 20), m2/s
double Cociente(double a, double b);                                // a / b
