#include "untGeneral.h"

#include <cfloat>
#include <cmath>

#include "general/untCifras.h"

namespace {
// Extended-precision constants of the Shields curve and the viscosity law.
constexpr Ext kShields1 = 0.24L;
constexpr Ext kShields2 = 0.14L;
constexpr Ext kShields3 = 0.04L;
constexpr Ext kShields4 = 0.013L;
constexpr Ext kViscNume = 4.0e-5L;
// Double constants: exponents and the plateau of the Shields curve.
constexpr double kExpShields2 = -0.64;
constexpr double kExpShields3 = -0.1;
constexpr double kExpShields4 = 0.29;
constexpr double kShieldsMaxi = 0.055;
constexpr double kUnSexto = 1.0 / 6.0;
constexpr double kUnTercio = 1.0 / 3.0;
}  // namespace

void FallaFlotante(const char* texto) { throw ErrorFlotante(texto); }

Ext Raiz(Ext x) {
    if (x < 0 || std::isnan(x)) throw ErrorFlotante(kTextoOperacionInvalida);
    return std::sqrt(x);
}

Ext ArcoSeno(Ext x) {
    if (!(x >= -1 && x <= 1)) throw ErrorFlotante(kTextoOperacionInvalida);
    return std::asin(x);
}

double TangHipe(double x) {
    const Ext ep = Expo(x);
    const Ext em = Expo(-static_cast<Ext>(x));
    return Guardar(Divi(ep - em, ep + em));
}

double GradRadi(double grados) { return Guardar(grados * 2 * kPi / 360); }

double LogaDeci(double x) { return Guardar(Divi(LogN(x), LogN(10))); }

std::string NumeText(double x, int /*ancho*/, int decimales) {
    return CifrasFijas(x, decimales);
}

double CalcCoefChez(double h, double n) { return Guardar(Divi(PoteReal(h, kUnSexto), n)); }

double CalcRelaVeloCort(double g, double c) { return Guardar(Divi(Raiz(g), c)); }

double CalcDensRela(double densSedi, double densAgua) {
    return Guardar(Divi(static_cast<Ext>(densSedi) - densAgua, densAgua));
}

double CalcDiamAdim(double delta, double g, double nu, double d) {
    const Ext nu2 = static_cast<Ext>(nu) * nu;
    return Guardar(d * static_cast<Ext>(PoteReal(Guardar(Divi(static_cast<Ext>(delta) * g, nu2)), kUnTercio)));
}

double CalcParaMoviCrit(double dAdim) {
    if (!(dAdim > 4)) return Guardar(Divi(kShields1, dAdim));
    if (!(dAdim > 10)) return Guardar(kShields2 * PoteReal(dAdim, kExpShields2));
    if (!(dAdim > 20)) return Guardar(kShields3 * PoteReal(dAdim, kExpShields3));
    if (!(dAdim > 150)) return Guardar(kShields4 * PoteReal(dAdim, kExpShields4));
    return kShieldsMaxi;
}

double CalcVeloCortCrit(double thetaC, double d, double g, double delta) {
    return Guardar(Raiz(static_cast<Ext>(thetaC) * d * g * delta));
}

double CalcVeloCritEros(double a, double b) { return Guardar(Divi(a, b)); }

double TresMasUno(double x) { return Guardar(3 * static_cast<Ext>(x) + 1); }

double CalcNumeFrou(double u, double g, double h) {
    return Guardar(Divi(u, Raiz(static_cast<Ext>(g) * h)));
}

double CalcNumeReyn(double u, double l, double nu) {
    return Guardar(Divi(static_cast<Ext>(u) * l, nu));
}

double Producto(double a, double b) { return Guardar(static_cast<Ext>(a) * b); }

double CalcParaMovi(double uCort, double delta, double g, double d) {
    const Ext u = uCort;
    return Guardar(Divi(u * u, static_cast<Ext>(delta) * g * d));
}

double CalcViscCine(double temp) { return Guardar(Divi(kViscNume, static_cast<Ext>(temp) + 20)); }

double Cociente(double a, double b) { return Guardar(Divi(a, b)); }
