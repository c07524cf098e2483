// Narrow culvert (code 31): the four scour formulas, the coefficient c2,
// the curves and the rows of the results page.
#include <gtest/gtest.h>

#include <cmath>

#include "tipos/alcantarilla_angosta/untAlcaAngo.h"
#include "general/untGeneral.h"
#include "problema.h"

namespace {

// Code 31 from the default texts: d90 "250", so all four slots are active.
struct AlcaAngo : testing::Test {
    Problema p{31};
    const TDatosPAG& a = p.d.PAG;

    std::size_t Puntos(int k) const { return p.grafico.Serie(k).puntos.size(); }
};

}  // namespace

// Worked example with the default data (Q 3000, h 1.2, d50 0.085, U 5,
// Uc ~2.82930, u*c ~0.275085, Delta 1.65; 250 openings of 1 m; d90 250 mm):
// the worked reference values of this example.
TEST_F(AlcaAngo, EjemploConDatosPorDefecto) {
    EXPECT_EQ(p.Calcular(), "Problema Alcantarilla Angosta");
    EXPECT_DOUBLE_EQ(a.SediDiam90N3, 0.25);
    EXPECT_EQ(a.OutpInteRelaTurb, 0.3);
    EXPECT_DOUBLE_EQ(a.FlujFactTurb, 1.9);  // 1 + 3 x 0.3
    const double v = p.d.Alcantarilla.FlujVeloAper;
    EXPECT_NEAR(v, 15.2789, 5e-5);
    EXPECT_NEAR(v / std::sqrt(1.65 * 9.81 * 0.085), 13.0258, 5e-5);  // Fo
    EXPECT_NEAR(a.OutpErosMaxi1, 4.41033, 5e-6);
    // Ruff and Hoffmans with one opening's discharge, 3000 / 250 = 12 m3/s:
    // 2.07 (12 / sqrt(9.81))^0.45 and (7 / 6.8) ((15.2789 - 5) 12 / 9.81)^(1/3).
    EXPECT_NEAR(a.OutpErosMaxi2, 3.78858, 5e-6);
    EXPECT_NEAR(a.OutpErosMaxi3, 4.44339, 5e-6);
    EXPECT_EQ(a.ErosCoefHoff, 6.8);
    EXPECT_NEAR(a.OutpErosMaxi4, 2.39373, 5e-6);
    EXPECT_NEAR(a.ErosTiemRefe, 0.318173, 5e-7);

    const char* titulos[] = {"Rajaratnam y Berry", "Ruff", "Breusers", "Hoffmans"};
    for (int k = 1; k <= 4; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(p.grafico.Serie(k).titulo, titulos[k - 1]);
        EXPECT_GT(Puntos(k), 250u);  // every depth is above h = 1.2 m
        EXPECT_EQ(p.grafico.Serie(k).puntos.front().y, 0.0);
    }
    EXPECT_TRUE(p.grafico.pestanaVisible);

    // Rows 6 to 10.
    const auto filas = p.Filas();
    const std::vector<TFila> esperadas{
        {"OutpInteRelaTurb", "Intensidad relativa de turbulencia", "0.300", ""},
        {"OutpErosMaxi1", "Erosión máxima de equilibrio (Rajaratnam y Berry)", "4.41", "[m]"},
        {"OutpErosMaxi2", "Erosión máxima de equilibrio (Ruff)", "3.79", "[m]"},
        {"OutpErosMaxi3", "Erosión máxima de equilibrio (Breusers)", "4.44", "[m]"},
        {"OutpErosMaxi4", "Erosión máxima de equilibrio (Hoffmans)", "2.39", "[m]"},
    };
    CompararFilasPropias(filas, esperadas);
}

// c2 from d90 as typed (mm), read the way "Calcular" reads it.
TEST_F(AlcaAngo, CoeficienteDeHoffmans) {
    struct Caso { const char* texto; double c2; };
    const Caso casos[] = {
        {"13.6", 6.8},   // the limit itself: constant branch
        {"1", 3.0},      // 1 x 1.7 + 1.3
        {"10", 6.25},    // 2 x 2.475 + 1.3
        {"13.5", (std::log10(13.5) + 1) * (0.775 * std::log10(13.5) + 1.7) + 1.3},  // ~6.79
        {"250", 6.8},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto);
        p.textos["SediDiam90N3"] = c.texto;
        p.Calcular();
        EXPECT_NEAR(a.ErosCoefHoff, c.c2, 1e-14);
    }
}

// Fo = V / sqrt(Delta g d50) exactly 2 gives 0, and V no faster than U gives
// 0 for "Hoffmans".
TEST(AlcaAngoFormulas, BordesDeRajaratnamBerryYHoffmans) {
    EXPECT_EQ(TDatosPAG::RajaratnamBerry(1, 2, 1, 1, 1), 0.0);  // Fo = 2 / sqrt(1) = 2
    EXPECT_NEAR(TDatosPAG::RajaratnamBerry(1, 3, 1, 1, 1), 0.4, 1e-15);  // 0.4 x 1 x (3 - 2)
    EXPECT_EQ(TDatosPAG::Hoffmans(3000, 9.81, 5, 5, 6.8), 0.0);  // V = U
    EXPECT_EQ(TDatosPAG::Hoffmans(3000, 9.81, 5, 4, 6.8), 0.0);  // V < U
    EXPECT_NEAR(TDatosPAG::Hoffmans(9.81, 9.81, 0, 8, 3.5), 4, 1e-15);  // (7 / 3.5) x 8^(1/3)
}

// d90 emptied: slot 4 goes plain; d90 is still read (0), but c2 and the
// "Hoffmans" depth keep the values of the previous calculation while the
// row shows "inactivo" and series 4 gets no curve and the title "inactivo".
TEST_F(AlcaAngo, SinD90LaRanuraCuatroConservaSusValores) {
    p.Calcular();
    const double hoffmans = a.OutpErosMaxi4;
    const std::size_t puntos = Puntos(4);
    p.textos["SediDiam90N3"] = "";
    p.textos["FlujCaud"] = "2000";
    p.Activar();
    ASSERT_TRUE(p.panel.Activa(3));
    ASSERT_FALSE(p.panel.Activa(4));
    p.Calcular();
    EXPECT_EQ(a.SediDiam90N3, 0.0);
    EXPECT_EQ(a.ErosCoefHoff, 6.8);
    EXPECT_EQ(a.OutpErosMaxi4, hoffmans);
    EXPECT_EQ(Puntos(4), puntos);
    EXPECT_EQ(p.grafico.Serie(4).titulo, "inactivo");
    EXPECT_EQ(p.Valor("OutpErosMaxi4"), "inactivo");
    EXPECT_NE(p.Valor("OutpErosMaxi2"), "3.79");  // slot 2 recomputed with Q = 2000
}

// A second calculation with unchanged data appends a second copy of each curve.
TEST_F(AlcaAngo, SegundoCalculoAgregaOtraCopia) {
    p.Calcular();
    const TGrafico primero = p.grafico;
    p.Calcular();
    for (int k = 1; k <= 4; ++k) {
        SCOPED_TRACE(k);
        const auto& uno = primero.Serie(k).puntos;
        const auto& dos = p.grafico.Serie(k).puntos;
        ASSERT_NO_FATAL_FAILURE(CompararSegundaCopia(uno, dos));
        EXPECT_EQ(dos[uno.size()].x, 0.0);
    }
}

// The strict thresholds of the curves, met with equality on the record left
// by a calculation: alpha U == Uc draws nothing and keeps T (the time would
// divide by zero); a depth equal to h draws no curve for its slot ("Breusers",
// which does not depend on h).
TEST_F(AlcaAngo, UmbralesEstrictosDeLasCurvas) {
    p.Calcular();
    TDatosProblema d = p.d;
    TGrafico g;
    d.FlujVeloMedi = 1;
    d.OutpVeloCritEros = TDatosPAG::FactTurb(0.3);  // alpha x 1
    d.PAG.ErosTiemRefe = 7;
    CalcAlcaAngo(d, p.panel, g);
    EXPECT_EQ(d.PAG.ErosTiemRefe, 7.0);
    EXPECT_FALSE(g.pestanaVisible);
    for (int k = 1; k <= 4; ++k) EXPECT_TRUE(g.Serie(k).puntos.empty()) << k;

    d = p.d;
    d.FlujTiraRest = d.PAG.OutpErosMaxi1;  // 4.41 m: Breusers' 4.44 m alone is deeper
    CalcAlcaAngo(d, p.panel, g);
    EXPECT_EQ(d.PAG.OutpErosMaxi1, d.FlujTiraRest);
    EXPECT_TRUE(g.Serie(1).puntos.empty());
    EXPECT_FALSE(g.Serie(3).puntos.empty());
    EXPECT_TRUE(g.pestanaVisible);
}

// d90 of 0 or less with slot 4 active: the logarithm faults after slots 1 to
// 3 are written; c2, the "Hoffmans" depth and the curves keep what they had.
TEST_F(AlcaAngo, D90NoPositivoFallaEnElLogaritmo) {
    struct Caso { const char* d90; const char* texto; };
    const Caso casos[] = {{"0", "Floating point division by zero"}, {"-5", "Invalid floating point operation"}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.d90);
        Problema q(31);
        q.Calcular();
        const TDatosPAG antes = q.d.PAG;
        const std::size_t puntos = q.grafico.Serie(1).puntos.size();
        q.textos["SediDiam90N3"] = c.d90;
        q.textos["FlujCaud"] = "2000";
        try {
            q.Calcular();
            ADD_FAILURE() << "no fault";
        } catch (const ErrorFlotante& e) {
            EXPECT_STREQ(e.what(), c.texto);
        }
        EXPECT_NE(q.d.PAG.OutpErosMaxi2, antes.OutpErosMaxi2);  // new (Q changed)
        EXPECT_NE(q.d.PAG.OutpErosMaxi3, antes.OutpErosMaxi3);
        EXPECT_EQ(q.d.PAG.ErosCoefHoff, antes.ErosCoefHoff);    // old
        EXPECT_EQ(q.d.PAG.OutpErosMaxi4, antes.OutpErosMaxi4);
        EXPECT_EQ(q.d.PAG.ErosTiemRefe, antes.ErosTiemRefe);
        EXPECT_EQ(q.grafico.Serie(1).puntos.size(), puntos);
    }
}
