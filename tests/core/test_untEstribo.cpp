// Abutment or spur dike (code 212): the four formulas, the reference time,
// the curves, the velocity condition of "Breusers", the fault paths and the
// rows of the results page.
#include <gtest/gtest.h>

#include <cmath>

#include "tipos/estribo/untEstribo.h"
#include "general/untGeneral.h"
#include "problema.h"

namespace {

// Code 212 with every default text and the factors of the worked example:
// Kc = Ks = Ka = Kn = 1, Kl = 2.15, Kb = 3 (all four slots active).
struct Estribo : testing::Test {
    Problema p{212};
    void SetUp() override {
        for (const char* campo : {"EstrFactCurv", "EstrFactFormKs", "EstrFactAngu", "EstrFactPoro"})
            p.textos[campo] = "1";
        p.textos["EstrFactFormKl"] = "2.15";
        p.textos["EstrFactFormKb"] = "3";
        p.Activar();
    }
    TDatosPEs& e() { return p.d.PEs; }
    // Results of an earlier calculation, to see which ones are rewritten.
    void Marcar() {
        e().ErosTiemRefe = -1;
        e().OutpErosMaxi1 = -2;
        e().OutpErosMaxi2 = -3;
        e().OutpErosMaxi3 = -4;
        e().OutpErosMaxi4 = -5;
    }
    std::vector<std::string> Valores() {
        std::vector<std::string> v;
        for (const TFila& f : p.Filas())
            if (f.tallo.starts_with("OutpErosMaxi")) v.push_back(f.valor);
        return v;
    }
};

}  // namespace

// Worked example (default texts: q = 6, h = 1.2, U = 5, Uc = 2.82930,
// Fr = 1.45729, Re = 6e6, Delta = 1.65, B = 500, L = 250 so m = 0.5):
// beta = 5.75, Ahmad 9.27952, Liu 24.7536, Dietz 10.9938, Breusers 4.30485,
// T = 0.00129000 h; every depth exceeds h, so all four curves are drawn.
TEST_F(Estribo, DatosPorDefecto) {
    for (int k = 1; k <= 4; ++k) ASSERT_TRUE(p.panel.Activa(k));
    EXPECT_EQ(p.Calcular(), "Problema Estribo/Espigón");
    EXPECT_EQ(p.d.Estribo.EstrRazoCont, 0.5);
    EXPECT_EQ(p.d.Estribo.ErosCoefTiem, 4.2);
    EXPECT_EQ(e().EstrFactComb, 2.0);  // all factors 1
    EXPECT_DOUBLE_EQ(e().EstrFactFormKl, 2.15);
    EXPECT_DOUBLE_EQ(e().EstrFactFormKb, 3);
    EXPECT_DOUBLE_EQ(e().ErosCoefDiet, 5.75);
    EXPECT_NEAR(e().OutpErosMaxi1, 9.27952, 5e-6);
    EXPECT_NEAR(e().OutpErosMaxi2, 24.7536, 5e-5);
    EXPECT_NEAR(e().OutpErosMaxi3, 10.9938, 5e-5);
    EXPECT_NEAR(e().OutpErosMaxi4, 4.30485, 5e-6);
    EXPECT_NEAR(e().ErosTiemRefe, 0.00129000, 5e-9);

    const char* titulos[]{"Ahmad", "Liu", "Dietz", "Breusers"};
    for (int k = 1; k <= 4; ++k) {
        SCOPED_TRACE(k);
        const TSerie& s = p.grafico.Serie(k);
        EXPECT_EQ(s.titulo, titulos[k - 1]);
        ASSERT_FALSE(s.puntos.empty());
        EXPECT_EQ(s.puntos.front().x, 0.0);
        EXPECT_EQ(s.puntos.front().y, 0.0);
        EXPECT_LE(s.puntos.size(), 5000u);
    }
    EXPECT_TRUE(p.grafico.pestanaVisible);

    const auto filas = p.Filas();
    ASSERT_EQ(filas.size(), 8u);
    const char* valores[]{"9.28", "24.75", "10.99", "4.30"};
    for (int k = 1; k <= 4; ++k) {
        SCOPED_TRACE(k);
        const TFila& f = filas[3 + k];
        EXPECT_EQ(f.tallo, "OutpErosMaxi" + std::to_string(k));
        EXPECT_EQ(f.etiqueta, std::string("Erosión máxima de equilibrio (") + titulos[k - 1] + ")");
        EXPECT_EQ(f.valor, valores[k - 1]);
        EXPECT_EQ(f.unidad, "[m]");
    }
}

// The factors are read whatever the slots; with the fields empty (the
// default texts) only "Dietz" is active: the other slots keep their
// results, their series are titled "inactivo" and get no curve, their rows
// show "inactivo".
TEST_F(Estribo, SoloDietzActivo) {
    for (const char* campo : {"EstrFactCurv", "EstrFactFormKl", "EstrFactFormKb"}) p.textos[campo] = "";
    p.Activar();
    ASSERT_FALSE(p.panel.Activa(1));
    ASSERT_FALSE(p.panel.Activa(2));
    ASSERT_TRUE(p.panel.Activa(3));
    ASSERT_FALSE(p.panel.Activa(4));
    Marcar();
    p.Calcular();
    EXPECT_EQ(e().EstrFactCurv, 0.0);
    EXPECT_EQ(e().EstrFactFormKs, 1.0);
    EXPECT_EQ(e().EstrFactComb, 0.0);
    EXPECT_EQ(e().OutpErosMaxi1, -2);
    EXPECT_EQ(e().OutpErosMaxi2, -3);
    EXPECT_NEAR(e().OutpErosMaxi3, 10.9938, 5e-5);
    EXPECT_EQ(e().OutpErosMaxi4, -5);
    for (int k : {1, 2, 4}) {
        EXPECT_EQ(p.grafico.Serie(k).titulo, "inactivo");
        EXPECT_TRUE(p.grafico.Serie(k).puntos.empty());
    }
    EXPECT_EQ(p.grafico.Serie(3).titulo, "Dietz");
    EXPECT_FALSE(p.grafico.Serie(3).puntos.empty());
    EXPECT_EQ(Valores(), (std::vector<std::string>{"inactivo", "inactivo", "10.99", "inactivo"}));
}

// "Breusers" needs U > Uc (strictly): with U equal to or below Uc it is not
// computed, its series is titled "inactivo" although its slot is active, and
// no curve is drawn for the value an earlier calculation left (7 m > h).
TEST_F(Estribo, BreusersSoloConUMayorQueUc) {
    p.Calcular();
    struct Caso { double u; bool evalua; };
    const double uc = p.d.OutpVeloCritEros;
    for (const Caso c : {Caso{uc + 0.01, true}, Caso{uc, false}, Caso{uc - 0.01, false}}) {
        SCOPED_TRACE(c.u);
        p.d.FlujVeloMedi = c.u;
        e().OutpErosMaxi4 = 7;
        p.grafico.Limpiar();
        CalcEstribo(p.d, p.panel, p.grafico);
        EXPECT_EQ(e().OutpErosMaxi4 != 7, c.evalua);
        EXPECT_EQ(p.grafico.Serie(4).titulo, c.evalua ? "Breusers" : "inactivo");
        EXPECT_EQ(p.grafico.Serie(4).puntos.empty(), !c.evalua);
        EXPECT_EQ(p.grafico.Serie(3).titulo, "Dietz");
    }
}

// Clear water after a live-bed calculation: the field keeps the old
// "Breusers" value, the row shows "inactivo" (U = 2.5 < Uc with Q = 1500).
TEST_F(Estribo, FilaBreusersSinValorDelUltimoCalculo) {
    p.Calcular();
    ASSERT_EQ(Valores()[3], "4.30");
    p.textos["FlujCaud"] = "1500";
    p.Calcular();
    EXPECT_NEAR(e().OutpErosMaxi4, 4.30485, 5e-6);
    EXPECT_EQ(Valores()[3], "inactivo");
    EXPECT_EQ(p.grafico.Serie(4).titulo, "inactivo");
}

// The row of "Breusers" also shows "inactivo" for exactly 0, and a bold
// label with U > Uc otherwise shows the number; the other slots show 0 as 0.00.
TEST_F(Estribo, FilaBreusersCero) {
    p.Calcular();
    e().OutpErosMaxi3 = 0;
    e().OutpErosMaxi4 = 0;
    EXPECT_EQ(Valores(), (std::vector<std::string>{"9.28", "24.75", "0.00", "inactivo"}));
    e().OutpErosMaxi4 = 1.5;
    EXPECT_EQ(Valores()[3], "1.50");
}

// A small Kc makes "Ahmad" negative: the value is stored and shown as no
// scour with the formula's number, no curve for it.  Kc = 0.1: K = 0.2, 2.14 * 0.2 * 9.81^(-1/3) * 12^(2/3) - 1.2 = -0.15205.
TEST_F(Estribo, AhmadNegativo) {
    p.textos["EstrFactCurv"] = "0.1";
    p.Calcular();
    EXPECT_NEAR(e().OutpErosMaxi1, 2.14 * 0.2 * std::pow(9.81, -1.0 / 3) * std::pow(12.0, 2.0 / 3) - 1.2, 1e-14);
    EXPECT_NEAR(e().OutpErosMaxi1, -0.15205, 5e-6);
    EXPECT_EQ(p.grafico.Serie(1).titulo, "Ahmad");
    EXPECT_TRUE(p.grafico.Serie(1).puntos.empty());
    EXPECT_FALSE(p.grafico.Serie(2).puntos.empty());
    EXPECT_EQ(Valores()[0], "sin erosión (la fórmula da -0.15 m)");
}

// The formulas on their own (hand values).
TEST(EstriboFormulas, Casos) {
    EXPECT_EQ(TDatosPEs::FactComb(1, 1, 1, 1), 2.0);
    EXPECT_DOUBLE_EQ(TDatosPEs::FactComb(0.5, 2, 3, 0.25), 1.5);
    EXPECT_EQ(TDatosPEs::CoefDietz(0), 2.75);  // very wide channel
    EXPECT_DOUBLE_EQ(TDatosPEs::CoefDietz(0.5), 5.75);
    // Dietz: beta U equal to Uc gives 0, below it 0, above it h (beta U - Uc) / Uc.
    EXPECT_EQ(TDatosPEs::Dietz(1.2, 2, 1.5, 3), 0.0);
    EXPECT_EQ(TDatosPEs::Dietz(1.2, 2, 1, 3), 0.0);
    EXPECT_NEAR(TDatosPEs::Dietz(1.2, 2, 2, 3), 0.4, 1e-15);
    // Breusers: m near 0 leaves Kb L tanh(h / L); m > 1 gives Kb L tanh(h / L) - h.
    EXPECT_NEAR(TDatosPEs::Breusers(1.2, 0, 3, 250), 750 * std::tanh(1.2 / 250), 1e-13);
    EXPECT_NEAR(TDatosPEs::Breusers(1.2, 1.5, 3, 250), 750 * std::tanh(1.2 / 250) - 1.2, 1e-13);
    // Ahmad: m > 1 gives -h.
    EXPECT_EQ(TDatosPEs::Ahmad(2, 9.81, 6, 1.5, 1.2), -1.2);
    // Liu: Kl h (L/h)^0.4 Fr^(1/3).
    EXPECT_NEAR(TDatosPEs::Liu(2, 1, 32, 8), 2 * 4 * 2, 1e-13);
    // Reference time: w = C - Uc / U; negative gives 0.
    EXPECT_EQ(TDatosPEs::TiemRefe(1.2, 1.65, 1.45729, 6e6, 5, 1, 4.2), 0.0);
    EXPECT_NEAR(TDatosPEs::TiemRefe(1.2, 1.65, 1.4572872, 6e6, 2.8293044, 5, 4.2), 0.00129000 * 3600, 5e-5);
}

// A depth equal to h draws no curve (h < ys is strict).  h = 1, U = 2,
// Uc = 5.75, beta = 5.75: Dietz = (11.5 - 5.75) * 1 / 5.75 = 1 exactly, while
// T > 0 (Uc / U = 2.875 < 4.2) and the other depths exceed h.
TEST_F(Estribo, ErosionIgualAlTiranteSinCurva) {
    p.Calcular();
    p.grafico = TGrafico{};
    p.d.FlujTiraRest = 1;
    p.d.FlujVeloMedi = 2;
    p.d.OutpVeloCritEros = 5.75;
    CalcEstribo(p.d, p.panel, p.grafico);
    ASSERT_EQ(e().OutpErosMaxi3, 1.0);
    EXPECT_GT(e().ErosTiemRefe, 0);
    EXPECT_TRUE(p.grafico.Serie(3).puntos.empty());
    EXPECT_FALSE(p.grafico.Serie(1).puntos.empty());
    EXPECT_FALSE(p.grafico.Serie(2).puntos.empty());
}

// Uc / U greater than 4.2 gives T = 0: depths above h but no curves.
// U = 1, Uc = 5, m = 0.9: beta = 12.47, Dietz = 1.2 * 7.47 / 5 = 1.79 m.
TEST_F(Estribo, TiempoNuloSinCurvas) {
    p.Calcular();
    p.grafico = TGrafico{};
    p.d.FlujVeloMedi = 1;
    p.d.OutpVeloCritEros = 5;
    p.d.Estribo.EstrRazoCont = 0.9;
    CalcEstribo(p.d, p.panel, p.grafico);
    EXPECT_EQ(e().ErosTiemRefe, 0.0);
    EXPECT_NEAR(e().OutpErosMaxi3, 1.7928, 5e-5);
    for (int k = 1; k <= 4; ++k) EXPECT_TRUE(p.grafico.Serie(k).puntos.empty());
    EXPECT_FALSE(p.grafico.pestanaVisible);
}

// Faults: m = 1 with "Ahmad" active divides by 1 - m = 0 after beta is
// written; Uc / U exactly 4.2 divides by zero in the reference time after
// every depth is written.
TEST_F(Estribo, Fallos) {
    {
        p.textos["CaucAnchCauc"] = "250";  // the transverse extent is 250 m
        Marcar();
        EsperarFallo("Floating point division by zero", [&] { p.Calcular(); });
        EXPECT_EQ(p.d.Estribo.EstrRazoCont, 1.0);
        EXPECT_DOUBLE_EQ(e().ErosCoefDiet, 14.75);
        EXPECT_EQ(e().OutpErosMaxi1, -2);
        EXPECT_EQ(e().OutpErosMaxi2, -3);
    }
    {
        p.textos["CaucAnchCauc"] = "500";
        p.Calcular();
        Marcar();
        p.d.FlujVeloMedi = 1;
        p.d.OutpVeloCritEros = 4.2;
        EsperarFallo("Floating point division by zero", [&] { CalcEstribo(p.d, p.panel, p.grafico); });
        EXPECT_NE(e().OutpErosMaxi1, -2);
        EXPECT_NE(e().OutpErosMaxi3, -4);
        EXPECT_EQ(e().ErosTiemRefe, -1);
    }
}

// A second Calcular without changes appends a second copy of every curve.
TEST_F(Estribo, SegundoCalcularDuplicaLasCurvas) {
    p.Calcular();
    std::size_t antes[4];
    for (int k = 1; k <= 4; ++k) antes[k - 1] = p.grafico.Serie(k).puntos.size();
    p.Calcular();
    for (int k = 1; k <= 4; ++k) {
        const auto& q = p.grafico.Serie(k).puntos;
        ASSERT_EQ(q.size(), 2 * antes[k - 1]);
        EXPECT_EQ(q[antes[k - 1]].x, 0.0);
        EXPECT_EQ(q.back().y, q[antes[k - 1] - 1].y);
    }
}
