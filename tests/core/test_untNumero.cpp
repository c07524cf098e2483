// Number syntax: strict reading for acceptance, lenient reading where texts
// are read without checking.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "general/untNumero.h"

TEST(LeerNumero, Sintaxis) {
    struct Caso { const char* texto; std::optional<double> valor; };
    const Caso casos[] = {
        {"12.5", 12.5},
        {"   12.5", 12.5},  // leading blanks accepted
        {"12.5 ", std::nullopt},  // trailing blank rejected
        {"12,5", std::nullopt},   // comma is never a separator
        {"1e3", 1000.0},
        {"1E3", 1000.0},
        {"1e+3", 1000.0},
        {"25e-1", 2.5},
        {".5", 0.5},
        {"5.", 5.0},
        {".", 0.0},               // a lone point reads 0
        {"-.", 0.0},
        {"+7", 7.0},
        {"-7.25", -7.25},
        {"-0.062", -0.062},
        {"0", 0.0},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"+", std::nullopt},
        {"-", std::nullopt},
        {"e5", std::nullopt},     // no mantissa
        {"1e", std::nullopt},     // exponent without digits
        {"1e+", std::nullopt},
        {"1.2.3", std::nullopt},
        {"--1", std::nullopt},
        {"+-1", std::nullopt},
        {"1e3.5", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"0x10", std::nullopt},
        {"1 000", std::nullopt},
        {"\t1", std::nullopt},
        {"1,5e3", std::nullopt},
        {"1e400", std::nullopt},  // beyond the double range
        {"-1e309", std::nullopt},
        {"1.7e308", 1.7e308},
        {"1e-400", 0.0},          // below the double range: 0
        {"0.000000000000000000000000000001e-300", 0.0},
        {"123456789012345678901234567890", 1.2345678901234568e29},
        {"000.0625", 0.0625},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string("\"") + c.texto + "\"");
        const auto v = LeerNumero(c.texto);
        ASSERT_EQ(v.has_value(), c.valor.has_value());
        if (v) {
            EXPECT_EQ(*v, *c.valor);
        }
    }
}

TEST(LeerNumero, RedondeoAlDoubleMasCercano) {
    EXPECT_EQ(*LeerNumero("0.1"), 0.1);
    EXPECT_EQ(*LeerNumero("9.81"), 9.81);
    EXPECT_EQ(*LeerNumero("0.062"), 0.062);
    EXPECT_EQ(*LeerNumero("1.2"), 1.2);
}

TEST(LeerNumeroLaxo, VacioYBlancosLeenCero) {
    EXPECT_EQ(LeerNumeroLaxo(""), 0.0);
    EXPECT_EQ(LeerNumeroLaxo("   "), 0.0);
    EXPECT_EQ(LeerNumeroLaxo(" 2.5"), 2.5);
    EXPECT_THROW(LeerNumeroLaxo("abc"), ErrorTexto);
    EXPECT_THROW(LeerNumeroLaxo("1,5"), ErrorTexto);
}

TEST(LeerNumeroComparable, TextoNoNumericoLeeNaN) {
    EXPECT_EQ(LeerNumeroComparable(""), 0.0);
    EXPECT_EQ(LeerNumeroComparable("  "), 0.0);
    EXPECT_EQ(LeerNumeroComparable("250"), 250.0);
    EXPECT_TRUE(std::isnan(LeerNumeroComparable("grava")));
    EXPECT_TRUE(std::isnan(LeerNumeroComparable("1,5")));
}
