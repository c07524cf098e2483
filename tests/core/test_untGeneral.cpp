// Hydraulic toolkit: values from hand calculation, and every faulting input.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

#include "general/untGeneral.h"

TEST(PoteReal, BaseNoPositivaDaCeroExacto) {
    EXPECT_EQ(PoteReal(0, 2), 0.0);
    EXPECT_EQ(PoteReal(0, 0), 0.0);        // not 1
    EXPECT_EQ(PoteReal(0, -1), 0.0);       // no division by zero
    EXPECT_EQ(PoteReal(-8, 1.0 / 3), 0.0); // not -2
    EXPECT_NEAR(PoteReal(4, 0.5), 2.0, 1e-15);
    EXPECT_NEAR(PoteReal(2, 10), 1024.0, 1e-12);
}

TEST(PoteReal, DesbordaMasAllaDelRangoDouble) {
    try {
        PoteReal(10, 400);
        FAIL() << "no fault";
    } catch (const ErrorFlotante& e) {
        EXPECT_STREQ(e.what(), "Floating point overflow");
    }
}

TEST(CalcParaMoviCrit, CurvaDeShieldsConSusSaltos) {
    struct Caso { double dAdim, esperado, tol; };
    const Caso casos[] = {
        {2, 0.12, 1e-15},                                  // 0.24 / 2
        {4, 0.06, 1e-15},                                  // boundary belongs to the lower range
        {std::nextafter(4.0, 5.0), 0.14 * std::pow(4.0, -0.64), 1e-12},  // ~0.0577
        {10, 0.14 * std::pow(10.0, -0.64), 1e-14},
        {20, 0.04 * std::pow(20.0, -0.1), 1e-14},
        {150, 0.013 * std::pow(150.0, 0.29), 1e-14},       // ~0.05559
        {std::nextafter(150.0, 200.0), 0.055, 0},
        {2150.16, 0.055, 0},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.dAdim);
        EXPECT_NEAR(CalcParaMoviCrit(c.dAdim), c.esperado, c.tol);
    }
    EXPECT_NEAR(CalcParaMoviCrit(std::nextafter(4.0, 5.0)), 0.0577, 5e-5);
    EXPECT_NEAR(CalcParaMoviCrit(150), 0.0556, 5e-5);
}

TEST(Toolkit, ValoresDeReferencia) {
    EXPECT_DOUBLE_EQ(CalcViscCine(20), 1.0e-6);
    EXPECT_DOUBLE_EQ(CalcViscCine(0), 2.0e-6);
    EXPECT_DOUBLE_EQ(GradRadi(180), std::numbers::pi);
    EXPECT_EQ(TangHipe(0), 0.0);
    EXPECT_NEAR(TangHipe(1), std::tanh(1.0), 1e-15);
    EXPECT_NEAR(LogaDeci(1000), 3.0, 1e-15);
    EXPECT_NEAR(CalcNumeFrou(1, 9.81, 1), 0.319, 5e-4);  // 1 / sqrt(9.81)
    EXPECT_DOUBLE_EQ(CalcDensRela(2650, 1000), 1.65);
    EXPECT_DOUBLE_EQ(TresMasUno(2), 7.0);
    EXPECT_DOUBLE_EQ(Cociente(6, 4), 1.5);
    EXPECT_DOUBLE_EQ(Producto(6, 4), 24.0);
    EXPECT_DOUBLE_EQ(CalcNumeReyn(5, 1.2, 1e-6), 6.0e6);
    // u*^2 / (Delta g d): 0.5^2 / (1.65 * 9.81 * 0.085)
    EXPECT_NEAR(CalcParaMovi(0.5, 1.65, 9.81, 0.085), 0.25 / (1.65 * 9.81 * 0.085), 1e-15);
    // D* = d (Delta g / nu^2)^(1/3) with the default sediment: about 2150.16
    EXPECT_NEAR(CalcDiamAdim(1.65, 9.81, 1e-6, 0.085), 2150.16, 0.01);
    EXPECT_EQ(CalcDiamAdim(-1.65, 9.81, 1e-6, 0.085), 0.0);  // non-positive product: D* = 0
}

TEST(NumeText, PuntoDecimalSinBlancos) {
    struct Caso { double x; int decimales; const char* texto; };
    const Caso casos[] = {
        {0.5, 4, "0.5000"}, {1234.5678, 2, "1234.57"}, {-3.14159, 3, "-3.142"},
        {2, 0, "2"},        {0.055, 4, "0.0550"},      {1e6, 2, "1000000.00"},
        {0.0001234, 6, "0.000123"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(NumeText(c.x, 6, c.decimales), c.texto);
    }
}

// Every input that the toolkit lists as faulting ends with the fault's text.
TEST(Toolkit, EntradasQueFallan) {
    const char* const cero = "Floating point division by zero";
    const char* const invalida = "Invalid floating point operation";
    const char* const desborde = "Floating point overflow";
    struct Caso { const char* nombre; std::function<void()> llamada; const char* texto; };
    const Caso casos[] = {
        {"LogaDeci(0)", [] { LogaDeci(0); }, cero},
        {"LogaDeci(-1)", [] { LogaDeci(-1); }, invalida},
        {"CalcViscCine(-20)", [] { CalcViscCine(-20); }, cero},
        {"CalcParaMoviCrit(0)", [] { CalcParaMoviCrit(0); }, cero},
        {"CalcCoefChez n=0", [] { CalcCoefChez(1.2, 0); }, cero},
        {"CalcRelaVeloCort C=0", [] { CalcRelaVeloCort(9.81, 0); }, cero},
        {"CalcDensRela rho=0", [] { CalcDensRela(2650, 0); }, cero},
        {"CalcDiamAdim nu=0", [] { CalcDiamAdim(1.65, 9.81, 0, 0.085); }, cero},
        {"CalcParaMovi d=0", [] { CalcParaMovi(0.5, 1.65, 9.81, 0); }, cero},
        {"CalcParaMovi u*=0, d=0", [] { CalcParaMovi(0, 1.65, 9.81, 0); }, invalida},  // 0/0
        {"CalcNumeReyn nu=0", [] { CalcNumeReyn(5, 1.2, 0); }, cero},
        {"Cociente b=0", [] { Cociente(1, 0); }, cero},
        {"CalcVeloCritEros b=0", [] { CalcVeloCritEros(0.275, 0); }, cero},
        {"CalcVeloCortCrit negativo", [] { CalcVeloCortCrit(0.055, 0.085, 9.81, -1.65); }, invalida},
        {"CalcNumeFrou g h < 0", [] { CalcNumeFrou(5, 9.81, -1.2); }, invalida},
        {"TangHipe(12000)", [] { TangHipe(12000); }, desborde},
        {"TangHipe(-12000)", [] { TangHipe(-12000); }, desborde},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        try {
            c.llamada();
            ADD_FAILURE() << "no fault";
        } catch (const ErrorFlotante& e) {
            EXPECT_STREQ(e.what(), c.texto);
        }
    }
    EXPECT_NO_THROW(TangHipe(11000));  // still inside the extended range
}
