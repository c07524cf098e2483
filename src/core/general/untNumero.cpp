#include "untNumero.h"

#include "untMostrable.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <limits>
#include <string>

namespace {
bool EsDigito(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::optional<double> LeerNumero(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && t[i] == ' ') ++i;
    bool negativo = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negativo = t[i++] == '-';

    // Mantissa: digits, at most one period.  Keep the significant digits in
    // `mant` (without the period) and count the digits before the period.
    const std::size_t inicioMant = i;
    std::string mant;
    long long digitosEnteros = 0;
    bool punto = false;
    for (; i < t.size(); ++i) {
        if (EsDigito(t[i])) {
            mant.push_back(t[i]);
            if (!punto) ++digitosEnteros;
        } else if (t[i] == '.' && !punto) {
            punto = true;
        } else {
            break;
        }
    }
    if (i == inicioMant) return std::nullopt;  // no digit and no period

    long long exponente = 0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        bool expNegativo = false;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) expNegativo = t[i++] == '-';
        const std::size_t inicioExp = i;
        for (; i < t.size() && EsDigito(t[i]); ++i)
            if (exponente < 1000000) exponente = exponente * 10 + (t[i] - '0');
        if (i == inicioExp) return std::nullopt;
        if (expNegativo) exponente = -exponente;
    }
    if (i != t.size()) return std::nullopt;

    // Normalise to "0.<significant digits>e<exp>" and let from_chars round it.
    const std::size_t primero = mant.find_first_not_of('0');
    if (primero == std::string::npos) return 0.0;
    const long long exp10 = digitosEnteros - static_cast<long long>(primero) + exponente;
    std::string normal = "0." + mant.substr(primero) + "e" + std::to_string(exp10);
    double v = 0;
#ifdef __EMSCRIPTEN__
    // The WebAssembly C++ library has no floating-point from_chars; its strtod
    // rounds correctly too and always runs in the "C" locale there.  The text
    // is already checked and normalised, so strtod sees nothing else.
    errno = 0;
    v = std::strtod(normal.c_str(), nullptr);
    if (errno == ERANGE) {
        if (exp10 > 0) return std::nullopt;  // beyond the double range
        return 0.0;                          // below it: reads as 0
    }
#else
    const auto r = std::from_chars(normal.data(), normal.data() + normal.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        if (exp10 > 0) return std::nullopt;  // beyond the double range
        return 0.0;                          // below it: reads as 0
    } else if (r.ec != std::errc()) {
        return std::nullopt;
    }
#endif
    return negativo ? -v : v;
}

double LeerNumeroLaxo(std::string_view t) {
    if (t.find_first_not_of(' ') == std::string_view::npos) return 0.0;
    if (auto v = LeerNumero(t)) return *v;
    throw ErrorTexto("'" + Mostrable(t) + "' no es un valor numérico válido.");
}

double LeerNumeroComparable(std::string_view t) {
    if (t.find_first_not_of(' ') == std::string_view::npos) return 0.0;
    return LeerNumero(t).value_or(std::numeric_limits<double>::quiet_NaN());
}
