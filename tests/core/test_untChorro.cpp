// Plunging jet (code 1122): c2 from d90, "Bornmann y Julien" without step
// height and "Fahlbusch", their curves with one characteristic time, and the
// results rows.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tipos/chorro/untChorro.h"
#include "general/untGeneral.h"
#include "problema.h"

namespace {

// The default data (h 1.2 m, q 6 m2/s, Delta 1.65, U 5 m/s, Uc 2.8293 m/s,
// d90 250 mm, dH 2.77 m, theta 45 deg, step 0.75 m); the angle of repose has
// no default, so slot 1 is inactive until it is typed, slot 2 is active.
struct Chorro : testing::Test {
    Problema p{1122};

    void Teclear(const char* campo, const std::string& texto) {
        p.textos[campo] = texto;
        p.Activar();
    }


    const std::vector<TPunto>& Puntos(int k) const { return p.grafico.Serie(k).puntos; }
};

// 20 sqrt(q Vj sin theta / g) with the defaults: Fahlbusch's depth times c2,
// 5.2517 m x 6.8.
constexpr double kFahlbuschPorC2 = 5.251694 * 6.8;

}  // namespace

// Worked example with phi = 30 deg typed: c2 = 6.8 (d90 250 mm);
// "Bornmann y Julien" = 1.8^2 (sin 30 / sin 75)^0.8 6^0.6 7.3721 sin 45 / ((2 1.65 9.81)^0.8 0.25^0.4)
// = 3.1507 m, the step's 2.4007 m plus its 0.75 m step, which the jet ignores;
// "Fahlbusch" = 20 / 6.8 sqrt(6 7.3721 sin 45 / 9.81) = 5.2517 m;
// alpha = 5.5, T = 330 1.2^2 1.65^1.7 / (5.5 5 - 2.8293)^4.3 = 0.0011487 h.
TEST_F(Chorro, EjemploConDatosPorDefecto) {
    Teclear("SediAnguRepo", "30");
    EXPECT_EQ(p.Calcular(), "Problema Chorro Zambullido");

    const TDatosPCZ& c = p.d.PCZ;
    EXPECT_EQ(c.ErosCoefHoff, 6.8);
    EXPECT_EQ(c.FlujFactTurb, 5.5);
    EXPECT_NEAR(c.OutpErosMaxi1, 3.1507, 5e-5);
    EXPECT_NEAR(c.OutpErosMaxi2, 5.2517, 5e-5);
    EXPECT_NEAR(c.ErosTiemRefe, 0.0011487, 5e-8);
    // The shared jet data come from the step's block; its results stay untouched.
    EXPECT_NEAR(p.d.PEn.ChorVelo, 7.3721, 5e-5);
    EXPECT_EQ(p.d.PEn.OutpInteRelaTurb, 1.5);
    EXPECT_EQ(p.d.PEn.OutpErosMaxi1, 0.0);
    EXPECT_EQ(p.d.PEn.FlujFactTurb, 0.0);

    // h = 1.2 below both depths: two curves with the same T, from (0, 0).
    for (int k = 1; k <= 2; ++k) {
        SCOPED_TRACE(k);
        ASSERT_FALSE(Puntos(k).empty());
        EXPECT_EQ(Puntos(k)[0].x, 0.0);
        EXPECT_EQ(Puntos(k)[0].y, 0.0);
        EXPECT_NEAR(Puntos(k)[1].x, 0.02 * c.ErosTiemRefe, 1e-15);
    }
    EXPECT_TRUE(p.grafico.pestanaVisible);
    EXPECT_EQ(p.grafico.Serie(1).titulo, "Bornmann y Julien");
    EXPECT_EQ(p.grafico.Serie(2).titulo, "Fahlbusch");
    for (int k = 3; k <= 4; ++k) {
        EXPECT_EQ(p.grafico.Serie(k).titulo, "inactivo") << k;
        EXPECT_TRUE(Puntos(k).empty()) << k;
    }

    const std::vector<TFila> filas = p.Filas();
    ASSERT_EQ(filas.size(), 7u);  // rows 2 to 8
    EXPECT_EQ(filas[4].tallo, "OutpInteRelaTurb");
    EXPECT_EQ(filas[4].etiqueta, "Intensidad relativa de turbulencia");
    EXPECT_EQ(filas[4].valor, "1.500");
    EXPECT_EQ(filas[5].tallo, "OutpErosMaxi1");
    EXPECT_EQ(filas[5].etiqueta, "Erosión máxima de equilibrio (Bornmann y Julien)");
    EXPECT_EQ(filas[5].valor, "3.15");
    EXPECT_EQ(filas[5].unidad, "[m]");
    EXPECT_EQ(filas[6].tallo, "OutpErosMaxi2");
    EXPECT_EQ(filas[6].etiqueta, "Erosión máxima de equilibrio (Fahlbusch)");
    EXPECT_EQ(filas[6].valor, "5.25");
    EXPECT_EQ(filas[6].unidad, "[m]");
}

// An inactive slot keeps its depth (even one above h, which would draw),
// draws nothing and its series is titled "inactivo"; the other slot goes on.
// Slot 1 is inactive with the default texts; slot 2 is forced.
TEST_F(Chorro, RanuraInactiva) {
    for (int k = 1; k <= 2; ++k) {
        SCOPED_TRACE(k);
        Problema q{1122};
        q.textos["SediAnguRepo"] = k == 1 ? "" : "30";
        q.Activar();
        q.panel.Ranura(k).activa = false;
        double TDatosPCZ::*campo = k == 1 ? &TDatosPCZ::OutpErosMaxi1 : &TDatosPCZ::OutpErosMaxi2;
        q.d.PCZ.*campo = 9;
        q.grafico.Serie(k).titulo = "anterior";
        q.Calcular();
        const int otra = 3 - k;
        EXPECT_EQ(q.d.PCZ.*campo, 9.0);
        EXPECT_EQ(q.grafico.Serie(k).titulo, "inactivo");
        EXPECT_TRUE(q.grafico.Serie(k).puntos.empty());
        EXPECT_EQ(q.d.PCZ.ErosCoefHoff, 6.8);  // always computed
        EXPECT_FALSE(q.grafico.Serie(otra).puntos.empty());
        EXPECT_EQ(q.Valor("OutpErosMaxi" + std::to_string(k)), "inactivo");
        EXPECT_EQ(q.Valor("OutpErosMaxi" + std::to_string(otra)), otra == 1 ? "3.15" : "5.25");
    }
}

// c2 from the typed d90 (mm): (log10 x + 1)(0.775 log10 x + 1.7) + 1.3 below
// 13.6 mm, 6.8 from 13.6 mm on; "Fahlbusch" divides by it.
TEST_F(Chorro, CoeficienteHoffmans) {
    struct Caso {
        const char* d90;
        double c2;
    };
    const Caso casos[] = {
        {"250", 6.8},
        {"13.6", 6.8},       // the threshold takes the constant branch
        {"13.5", 6.787758},  // (1.130334 + 1)(0.775 1.130334 + 1.7) + 1.3
        {"10", 6.25},        // 2 x 2.475 + 1.3
        {"1", 3.0},          // 1 x 1.7 + 1.3
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.d90);
        Teclear("SediDiam90N3", c.d90);
        p.Calcular();
        EXPECT_NEAR(p.d.PCZ.ErosCoefHoff, c.c2, 5e-7);
        EXPECT_NEAR(p.d.PCZ.OutpErosMaxi2 * p.d.PCZ.ErosCoefHoff, kFahlbuschPorC2, 5e-5);
    }
    EXPECT_EQ(TDatosPCZ::CoefHoffmans(0.0136), 6.8);
    EXPECT_EQ(TDatosPCZ::CoefHoffmans(0.25), 6.8);
}

// theta = 0: sin theta = 0 makes both depths 0, shown as 0.00; no curve,
// but the time is computed since alpha U > Uc.
TEST_F(Chorro, ChorroParaleloALaSuperficie) {
    Teclear("SediAnguRepo", "30");
    Teclear("FlujAnguChorSupeLibr", "0");
    p.Calcular();
    EXPECT_EQ(p.d.PCZ.OutpErosMaxi1, 0.0);
    EXPECT_EQ(p.d.PCZ.OutpErosMaxi2, 0.0);
    EXPECT_NEAR(p.d.PCZ.ErosTiemRefe, 0.0011487, 5e-8);
    for (int k = 1; k <= 4; ++k) EXPECT_TRUE(Puntos(k).empty()) << k;
    EXPECT_FALSE(p.grafico.pestanaVisible);
    EXPECT_EQ(p.grafico.Serie(2).titulo, "Fahlbusch");
    EXPECT_EQ(p.Valor("OutpErosMaxi1"), "0.00");
    EXPECT_EQ(p.Valor("OutpErosMaxi2"), "0.00");
}

// The logarithm of c2 faults for a d90 of 0 (empty field, both slots then
// inactive) or below, before any field of this block is written; the input
// and preparation fields keep their new values.
TEST_F(Chorro, D90NoPositivoFalla) {
    struct Caso {
        const char* d90;
        const char* error;
    };
    const Caso casos[] = {
        {"", "Floating point division by zero"},   // log of 0
        {"-5", "Invalid floating point operation"}, // log of a negative number
    };
    Teclear("SediAnguRepo", "30");
    p.Calcular();
    const TDatosPCZ antes = p.d.PCZ;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.d90);
        Teclear("SediDiam90N3", c.d90);
        p.d.PCZ.ErosCoefHoff = p.d.PCZ.FlujFactTurb = -1;
        p.grafico.Serie(1).titulo = p.grafico.Serie(2).titulo = "anterior";
        p.CalcularConFallo(c.error);
        EXPECT_DOUBLE_EQ(p.d.PEn.SediDiam90N3, c.d90[0] ? std::stod(c.d90) / 1000 : 0.0);
        EXPECT_NEAR(p.d.PEn.ChorVelo, 7.3721, 5e-5);
        EXPECT_EQ(p.d.PCZ.ErosCoefHoff, -1.0);
        EXPECT_EQ(p.d.PCZ.FlujFactTurb, -1.0);
        EXPECT_EQ(p.d.PCZ.OutpErosMaxi1, antes.OutpErosMaxi1);
        EXPECT_EQ(p.d.PCZ.OutpErosMaxi2, antes.OutpErosMaxi2);
        EXPECT_EQ(p.d.PCZ.ErosTiemRefe, antes.ErosTiemRefe);
        EXPECT_EQ(p.grafico.Serie(1).titulo, "anterior");
        EXPECT_EQ(p.grafico.Serie(2).titulo, "anterior");
    }
}

// alpha U > Uc is strict: with U = 5 and alpha = 5.5, Uc = 27.5 gives no time
// and no curve, the next double below 27.5 gives both curves.
TEST_F(Chorro, CondicionDeVelocidadEstricta) {
    Teclear("SediAnguRepo", "30");
    p.Calcular();
    p.grafico.Limpiar();
    p.grafico.pestanaVisible = false;
    p.d.FlujVeloMedi = 5;

    p.d.OutpVeloCritEros = 27.5;
    p.d.PCZ.ErosTiemRefe = -1;
    CalcularChorro(p.d, p.panel, p.grafico);
    EXPECT_EQ(p.d.PCZ.ErosTiemRefe, -1.0);
    EXPECT_TRUE(Puntos(1).empty());
    EXPECT_TRUE(Puntos(2).empty());
    EXPECT_FALSE(p.grafico.pestanaVisible);

    p.d.OutpVeloCritEros = std::nextafter(27.5, 0.0);
    CalcularChorro(p.d, p.panel, p.grafico);
    EXPECT_GT(p.d.PCZ.ErosTiemRefe, 0.0);
    EXPECT_FALSE(Puntos(1).empty());
    EXPECT_FALSE(Puntos(2).empty());
    EXPECT_TRUE(p.grafico.pestanaVisible);
}

// Each slot draws only when h is strictly below its depth: with h equal to
// the "Fahlbusch" depth (which does not depend on h) nothing is drawn, just
// below it only slot 2 draws ("Bornmann y Julien", 3.15 m, is below h).
TEST_F(Chorro, TiranteIgualALaProfundidadNoDibuja) {
    Teclear("SediAnguRepo", "30");
    p.Calcular();
    p.grafico.Limpiar();
    p.grafico.pestanaVisible = false;
    const double ys2 = p.d.PCZ.OutpErosMaxi2;

    p.d.FlujTiraRest = ys2;
    CalcularChorro(p.d, p.panel, p.grafico);
    ASSERT_EQ(p.d.PCZ.OutpErosMaxi2, ys2);
    EXPECT_TRUE(Puntos(1).empty());
    EXPECT_TRUE(Puntos(2).empty());
    EXPECT_FALSE(p.grafico.pestanaVisible);

    p.d.FlujTiraRest = std::nextafter(ys2, 0.0);
    CalcularChorro(p.d, p.panel, p.grafico);
    EXPECT_TRUE(Puntos(1).empty());
    EXPECT_FALSE(Puntos(2).empty());
    EXPECT_TRUE(p.grafico.pestanaVisible);
}

// Calculators never clear a series: a second "Calcular" appends a second copy
// of each curve.
TEST_F(Chorro, SegundoCalculoAgregaOtraCopia) {
    Teclear("SediAnguRepo", "30");
    p.Calcular();
    const std::vector<TPunto> primera[2] = {Puntos(1), Puntos(2)};
    p.Calcular();
    for (int k = 1; k <= 2; ++k) {
        SCOPED_TRACE(k);
        CompararSegundaCopia(primera[k - 1], Puntos(k));
    }
}
