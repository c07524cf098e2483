// The natural logarithm and the exponential of a long double, with the
// precision of the long double.  The core computes in extended precision
// (80 bits on the desktop); in WebAssembly a long double is IEEE quadruple
// precision (113-bit significand) and the toolchain's C library computes
// logl, expl and log1pl in double precision only, which would put an error
// of a unit in the last place of a double into every power (PoteReal is
// exp(y ln x)).  These definitions replace the library's: argument reduction
// and series in quadruple precision, good to about 2^-100, so that a result
// rounded to double is the one the desktop's extended arithmetic gives but
// for values within 2^-64 of a rounding boundary.
#include <cmath>
#include <limits>

namespace {

constexpr long double kLn2 = 0.693147180559945309417232121458176568075500134360255254120680009493393621L;

// ln 2 split so that k * kLn2Alto is exact for |k| < 2^16.
const long double kLn2Alto = std::floor(kLn2 * 0x1p96L) * 0x1p-96L;
const long double kLn2Bajo = kLn2 - kLn2Alto;

// log(1 + f) for |f| small, by 2 atanh(f / (2 + f)).
long double LogCercaDeUno(long double f) {
    const long double s = f / (2 + f);
    const long double s2 = s * s;
    long double termino = s, suma = 0;
    for (int n = 1; n < 200; n += 2) {
        const long double sumando = termino / n;
        suma += sumando;
        if (std::fabs(sumando) <= std::fabs(suma) * 0x1p-116L) break;
        termino *= s2;
    }
    return 2 * suma;
}

}  // namespace

extern "C" {

long double logl(long double x) {
    if (std::isnan(x)) return x;
    if (x < 0) return std::numeric_limits<long double>::quiet_NaN();
    if (x == 0) return -std::numeric_limits<long double>::infinity();
    if (std::isinf(x)) return x;
    int k = 0;
    long double m = std::frexp(x, &k);  // x = m 2^k, 0.5 <= m < 1
    if (m < 0.70710678118654752440084436210484903928L) {
        m *= 2;
        --k;
    }
    return k * kLn2Alto + (k * kLn2Bajo + LogCercaDeUno(m - 1));
}

long double log1pl(long double x) {
    if (std::isnan(x)) return x;
    if (std::fabs(x) < 0.25L) return LogCercaDeUno(x);
    return logl(1 + x);
}

long double expl(long double x) {
    if (std::isnan(x)) return x;
    if (x > 11357.3L) return std::numeric_limits<long double>::infinity();
    if (x < -11433.5L) return 0;
    // x = k ln 2 + r, |r| <= ln 2 / 2; exp(r) from exp(r / 256) - 1 by its
    // series, squared back eight times as e -> e (2 + e).
    const long double k = std::nearbyint(x / kLn2);
    const long double r = (x - k * kLn2Alto) - k * kLn2Bajo;
    const long double t = r * 0x1p-8L;
    long double termino = t, e = 0;
    for (int n = 2; n < 60; ++n) {
        e += termino;
        termino *= t / n;
        if (std::fabs(termino) <= std::fabs(e) * 0x1p-116L) break;
    }
    for (int i = 0; i < 8; ++i) e *= 2 + e;
    return std::scalbn(1 + e, static_cast<int>(k));
}

}  // extern "C"
