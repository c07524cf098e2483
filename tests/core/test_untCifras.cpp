// The number formatter against the standard library's std::to_chars, which
// it replaces where that is missing: every text must be the same.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "general/untCifras.h"

namespace {

std::string Corto(double x) {
    char b[64];
    return std::string(b, std::to_chars(b, b + sizeof b, x).ptr);
}

std::string ConFormato(double x, std::chars_format f, int p) {
    char b[512];
    return std::string(b, std::to_chars(b, b + sizeof b, x, f, p).ptr);
}

// Values where the choice between fixed and scientific, the rounding or the
// exponent's width change.
const std::vector<double> kValores = {
    0.0, -0.0, 1.0, -1.0, 0.1, 0.5, 1e-4, 1e-5, 0.0001234, 0.00001234, 12345.0, 123456.0, 1e5, 1e6, 1e15, 1e16,
    1e20, 1e21, 1e22, 1e100, 1e-100, 1.5e300, 1234567890123456789.0, 9.81, 0.032, 2650.0, 0.378, 2.35,
    std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
    std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::epsilon(), 5e-324, 100.0, 1000.0,
    10000.0, 1.7e308, 0.30000000000000004, 2.5, 0.125, 1e-7, 123e-7, 999999.5, 0.9999995,
    std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
    std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN()};

// Random doubles over the whole range (every bit pattern is as likely), then
// random decimals of the magnitudes the calculator writes.
std::vector<double> Aleatorios() {
    std::mt19937_64 g(12345);
    std::vector<double> v;
    for (int i = 0; i < 100000; ++i) {
        const std::uint64_t bits = g();
        double x;
        std::memcpy(&x, &bits, sizeof x);
        v.push_back(x);
    }
    std::uniform_real_distribution<double> exponente(-12, 12), mantisa(1, 10);
    for (int i = 0; i < 100000; ++i) v.push_back(mantisa(g) * std::pow(10.0, std::floor(exponente(g))));
    for (int i = 0; i < 20000; ++i) v.push_back(std::round(mantisa(g) * 1e4) / std::pow(10.0, g() % 9));
    return v;
}

TEST(Cifras, TheShortestTextIsStdToChars) {
    for (double x : kValores) EXPECT_EQ(CifrasCortas(x), Corto(x)) << x;
    for (double x : Aleatorios()) ASSERT_EQ(CifrasCortas(x), Corto(x));
}

TEST(Cifras, FixedScientificAndGeneralTextsAreStdToChars) {
    std::vector<double> valores = kValores;
    const std::vector<double> mas = Aleatorios();
    for (std::size_t i = 0; i < mas.size(); i += 37) valores.push_back(mas[i]);
    for (double x : valores)
        for (int p : {0, 1, 2, 3, 4, 5, 6, 9, 12, 17}) {
            if (std::fabs(x) < 1e40 || !std::isfinite(x)) {
                ASSERT_EQ(CifrasFijas(x, p), ConFormato(x, std::chars_format::fixed, p)) << x << " " << p;
            }
            ASSERT_EQ(CifrasCientificas(x, p), ConFormato(x, std::chars_format::scientific, p)) << x << " " << p;
            if (p > 0) {
                ASSERT_EQ(CifrasGenerales(x, p), ConFormato(x, std::chars_format::general, p)) << x << " " << p;
            }
        }
}

}  // namespace
