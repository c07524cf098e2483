#include "general/untCifras.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#ifndef FMT_HEADER_ONLY
#define FMT_HEADER_ONLY
#endif
#include <fmt/format.h>

namespace {

// "inf", "-inf", "nan", "-nan": the texts of std::to_chars.
std::string NoFinito(double x) { return std::string(std::signbit(x) ? "-" : "") + (std::isnan(x) ? "nan" : "inf"); }

}  // namespace

std::string CifrasCortas(double x) {
    if (!std::isfinite(x)) return NoFinito(x);
    std::string signo = std::signbit(x) ? "-" : "";
    if (x == 0) return signo + "0";
    // The shortest digits that round-trip, as an integer and a power of ten.
    const auto dec = fmt::detail::dragonbox::to_decimal(std::fabs(x));
    const std::string cifras = std::to_string(dec.significand);
    const int n = static_cast<int>(cifras.size());
    const int e = dec.exponent;       // value = cifras x 10^e
    const int exp10 = n - 1 + e;      // exponent of the scientific form
    // Lengths of both forms without the sign.
    const int absExp = std::abs(exp10);
    const int largoCientifico = n + (n > 1 ? 1 : 0) + 2 + (absExp >= 100 ? 3 : 2);
    const int largoFijo = e >= 0 ? n + e : exp10 >= 0 ? n + 1 : 2 + (-exp10 - 1) + n;
    if (largoFijo <= largoCientifico) {
        // An integer is written with all its exact digits, not the shortest
        // ones padded with zeros (1234567890123456768, not ...800).
        if (e > 0) return fmt::format("{:.0f}", x);
        if (e == 0) return signo + cifras;
        if (exp10 >= 0) return signo + cifras.substr(0, n + e) + "." + cifras.substr(n + e);
        return signo + "0." + std::string(-exp10 - 1, '0') + cifras;
    }
    std::string texto = signo + cifras.substr(0, 1);
    if (n > 1) texto += "." + cifras.substr(1);
    texto += exp10 < 0 ? "e-" : "e+";
    if (absExp < 10) texto += '0';
    return texto + std::to_string(absExp);
}

std::string CifrasFijas(double x, int decimales) {
    if (!std::isfinite(x)) return NoFinito(x);
    return fmt::format("{:.{}f}", x, decimales);
}

std::string CifrasCientificas(double x, int decimales) {
    if (!std::isfinite(x)) return NoFinito(x);
    return fmt::format("{:.{}e}", x, decimales);
}

std::string CifrasGenerales(double x, int cifras) {
    if (!std::isfinite(x)) return NoFinito(x);
    return fmt::format("{:.{}g}", x, cifras);
}
