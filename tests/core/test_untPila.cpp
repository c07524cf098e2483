// Bridge pier (code 22): factors, the three scour formulas, the reference
// time, failure lengths, curves and the rows of the results page.
#include <gtest/gtest.h>

#include <cmath>

#include "tipos/pila/untPila.h"
#include "general/untGeneral.h"
#include "problema.h"

namespace {

// Code 22 from the default texts with Ks = 1, Kg = 1 and phi = 30 typed: all
// four slots active.
struct Pila : testing::Test {
    Problema p{22};
    const TDatosPPi& r = p.d.PPi;

    Pila() {
        p.textos["EstrFactFormKs"] = "1";
        p.textos["EstrFactGrup"] = "1";
        p.textos["SediAnguRepo"] = "30";
        p.Activar();
    }

    std::size_t Puntos(int k) const { return p.grafico.Serie(k).puntos.size(); }

};

}  // namespace

// Worked example with the default data (h 1.2, d50 0.085, U 5, Uc ~2.82930,
// Fr ~1.45729, Delta 1.65, pier 5 x 5 m, d84 200 mm, theta 0, Ks = Kg = 1,
// phi = 30): the worked reference values of this example.
TEST_F(Pila, EjemploConDatosPorDefecto) {
    EXPECT_EQ(p.Calcular(), "Problema de la Pila");
    EXPECT_DOUBLE_EQ(r.SediDiam84N3, 0.2);
    EXPECT_NEAR(r.SediDesvGeom, 2.35294, 5e-6);   // 200 / 85
    EXPECT_EQ(r.EstrFactAlin, 1.0);               // theta = 0
    EXPECT_NEAR(r.SediFactGrad, 0.378197, 5e-7);  // 1.0417 sigma^-1.1841
    EXPECT_EQ(r.EstrFactComb, r.SediFactGrad);    // K = 1 x 1 x K_sigma x 1
    EXPECT_NEAR(r.OutpErosMaxi1, 0.667978, 5e-7);  // U/Uc ~1.76722: 1.5 K b tanh(h/b)
    EXPECT_NEAR(r.OutpErosMaxi2, 2.69846, 5e-6);
    EXPECT_NEAR(r.OutpErosMaxi3, 2.04301, 5e-6);
    EXPECT_NEAR(r.ErosTiemRefe, 0.279210, 5e-7);
    EXPECT_NEAR(r.OutpLongFall1, 1.15697, 5e-6);
    EXPECT_NEAR(r.OutpLongFall2, 4.67387, 5e-6);
    EXPECT_NEAR(r.OutpLongFall3, 3.53860, 5e-6);

    // Curves for slots 2 and 3 only: "Breusers" lies below h = 1.2 m.
    EXPECT_EQ(Puntos(1), 0u);
    EXPECT_GT(Puntos(2), 250u);
    EXPECT_GT(Puntos(3), 250u);
    EXPECT_EQ(Puntos(4), 0u);
    EXPECT_TRUE(p.grafico.pestanaVisible);
    for (int k : {2, 3}) {
        SCOPED_TRACE(k);
        const auto& puntos = p.grafico.Serie(k).puntos;
        EXPECT_EQ(puntos.front().x, 0.0);
        EXPECT_EQ(puntos.front().y, 0.0);
        EXPECT_NEAR(puntos[50].x, r.ErosTiemRefe, 1e-12);  // 50 steps of 0.02 T: y reaches h at T
        EXPECT_NEAR(puntos[50].y, 1.2, 1e-9);
    }
    EXPECT_EQ(p.grafico.Serie(1).titulo, "Breusers");
    EXPECT_EQ(p.grafico.Serie(2).titulo, "CSU");
    EXPECT_EQ(p.grafico.Serie(3).titulo, "Johnson");
    EXPECT_EQ(p.grafico.Serie(4).titulo, "inactivo");
}

// Rows 6 to 11: scour and failure length of each formula, 2 decimals,
// captions composed with the panel's captions.
TEST_F(Pila, FilasDelResultado) {
    p.Calcular();
    const auto filas = p.Filas();
    const std::vector<TFila> esperadas{
        {"OutpErosMaxi1", "Erosión máxima de equilibrio (Breusers)", "0.67", "[m]"},
        {"OutpLongFall1", "Longitud de falla crítica (Breusers)", "1.16", "[m]"},
        {"OutpErosMaxi2", "Erosión máxima de equilibrio (CSU)", "2.70", "[m]"},
        {"OutpLongFall2", "Longitud de falla crítica (CSU)", "4.67", "[m]"},
        {"OutpErosMaxi3", "Erosión máxima de equilibrio (Johnson)", "2.04", "[m]"},
        {"OutpLongFall3", "Longitud de falla crítica (Johnson)", "3.54", "[m]"},
    };
    CompararFilasPropias(filas, esperadas);
}

// With the default texts only (Ks, Kg and phi empty) every slot is plain:
// nothing is evaluated, every title is "inactivo", no curve, and yet the
// reference time is computed (sqrt(2) U > Uc).
TEST(PilaPorDefecto, TodasLasRanurasInactivas) {
    Problema q(22);
    EXPECT_EQ(q.Calcular(), "Problema de la Pila");
    for (int k = 1; k <= 4; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(q.grafico.Serie(k).titulo, "inactivo");
        EXPECT_TRUE(q.grafico.Serie(k).puntos.empty());
    }
    EXPECT_FALSE(q.grafico.pestanaVisible);
    EXPECT_EQ(q.d.PPi.OutpErosMaxi2, 0.0);
    EXPECT_EQ(q.d.PPi.OutpLongFall2, 0.0);
    EXPECT_EQ(q.d.PPi.EstrFactComb, 0.0);  // Ks = Kg = 0 read from empty texts
    EXPECT_NEAR(q.d.PPi.ErosTiemRefe, 0.279210, 5e-7);
    for (const char* tallo : {"OutpErosMaxi1", "OutpLongFall1", "OutpErosMaxi2", "OutpLongFall2", "OutpErosMaxi3",
                              "OutpLongFall3"})
        EXPECT_EQ(q.Valor(tallo), "inactivo") << tallo;
}

// r = U / Uc: 0 up to 0.5 included, 2 K b (2r - 1) tanh(h/b) up to 1 included,
// 1.5 K b tanh(h/b) above.  K = 1, b = 2, h = 1.
TEST(PilaBreusers, TramosDeLaRazonDeVelocidades) {
    const double t = std::tanh(0.5);
    struct Caso { double u, uc, ys; };
    const Caso casos[] = {
        {0.5, 1, 0},                                   // r = 0.5 exactly
        {0.75, 1, 2 * 2 * 0.5 * t},                    // r = 0.75: 2 K b (2r - 1) tanh
        {2, 2, 2 * 2 * t},                             // r = 1 exactly: middle branch, 2 K b tanh
        {std::nextafter(2.0, 3.0), 2, 1.5 * 2 * t},   // just above 1: a quarter less
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.u);
        EXPECT_NEAR(TDatosPPi::Breusers(c.u, c.uc, 1, 2, 1), c.ys, 1e-15);
    }
}

// Alignment and gradation factors at their edges.
TEST(PilaFactores, AlineacionYGradacion) {
    EXPECT_EQ(TDatosPPi::FactAlin(0, 10, 5), 1.0);                                    // theta = 0
    EXPECT_NEAR(TDatosPPi::FactAlin(GradRadi(90), 10, 5), std::pow(2.0, 0.62), 1e-15);  // (l/b)^0.62
    EXPECT_NEAR(TDatosPPi::FactGrad(1), 1.0417, 1e-15);                               // sigma = 1
    EXPECT_NEAR(TDatosPPi::FactGrad(0), 0.8415, 1e-15);                               // empty d84
    const double bajo = std::nextafter(0.25, 0.0);
    EXPECT_NEAR(TDatosPPi::FactGrad(bajo), -0.23 * 0.0625 + 0.387 * 0.25 + 0.8415, 1e-12);  // polynomial
    EXPECT_NEAR(TDatosPPi::FactGrad(0.25), 1.0417 * std::pow(0.25, -1.1841), 1e-12);     // 0.25: power law
    EXPECT_NEAR(TDatosPPi::FactComb(2, 0.5, 3, 0.25), 0.75, 1e-15);
}

// Slot 4 inactive: the failure lengths keep the earlier values and their rows
// show "inactivo" while the scour rows show this calculation's depths.
TEST_F(Pila, FallaInactivaConservaLongitudes) {
    p.Calcular();
    const double falla[] = {r.OutpLongFall1, r.OutpLongFall2, r.OutpLongFall3};
    const double csu = r.OutpErosMaxi2;
    p.textos["SediAnguRepo"] = "";
    p.textos["EstrFactFormKs"] = "2";
    p.Activar();
    ASSERT_FALSE(p.panel.Activa(4));
    p.grafico.Limpiar();
    p.Calcular();
    EXPECT_NEAR(r.OutpErosMaxi2, 2 * csu, 1e-12);
    EXPECT_EQ(r.OutpLongFall1, falla[0]);
    EXPECT_EQ(r.OutpLongFall2, falla[1]);
    EXPECT_EQ(r.OutpLongFall3, falla[2]);
    EXPECT_EQ(p.Valor("OutpErosMaxi2"), NumeText(2 * csu, 5, 2));
    for (const char* tallo : {"OutpLongFall1", "OutpLongFall2", "OutpLongFall3"})
        EXPECT_EQ(p.Valor(tallo), "inactivo") << tallo;
}

// An inactive formula slot keeps its depth and failure length, draws nothing
// and titles its series "inactivo"; its rows show "inactivo".
TEST_F(Pila, RanuraInactivaConservaSuResultado) {
    p.Calcular();
    const double johnson = r.OutpErosMaxi3;
    const double fallaJohnson = r.OutpLongFall3;
    const double csu = r.OutpErosMaxi2;
    const std::size_t puntos[] = {Puntos(2), Puntos(3)};

    p.textos["EstrAnguAtaq"] = "30";  // K_theta > 1 changes every depth
    p.panel.Ranura(3).activa = false;
    p.Calcular();
    EXPECT_GT(r.EstrFactAlin, 1.0);
    EXPECT_GT(r.OutpErosMaxi2, csu);
    EXPECT_GT(Puntos(2), puntos[0]);
    EXPECT_EQ(r.OutpErosMaxi3, johnson);
    EXPECT_EQ(r.OutpLongFall3, fallaJohnson);
    EXPECT_EQ(Puntos(3), puntos[1]);
    EXPECT_EQ(p.grafico.Serie(3).titulo, "inactivo");
    EXPECT_EQ(p.Valor("OutpErosMaxi3"), "inactivo");
    EXPECT_EQ(p.Valor("OutpLongFall3"), "inactivo");
}

// A second calculation with unchanged data appends an identical copy of each curve.
TEST_F(Pila, SegundoCalculoAgregaOtraCopia) {
    p.Calcular();
    const auto csu = p.grafico.Serie(2).puntos;
    const auto johnson = p.grafico.Serie(3).puntos;
    p.Calcular();
    CompararSegundaCopia(csu, p.grafico.Serie(2).puntos);
    CompararSegundaCopia(johnson, p.grafico.Serie(3).puntos);
    EXPECT_TRUE(p.grafico.Serie(1).puntos.empty());
}

// sqrt(2) U below Uc (Q = 1000: U ~1.667, sqrt(2) U ~2.357 < Uc ~2.829): no
// curve, the reference time keeps its value, the chart tab stays as it was;
// the depths are still computed ("Breusers" in its middle branch, r ~0.589).
TEST_F(Pila, VelocidadInsuficienteNoTrazaCurvas) {
    p.Calcular();
    const double tiempo = r.ErosTiemRefe;
    p.textos["FlujCaud"] = "1000";
    p.grafico = TGrafico{};
    p.Calcular();
    EXPECT_EQ(r.ErosTiemRefe, tiempo);
    EXPECT_FALSE(p.grafico.pestanaVisible);
    for (int k = 1; k <= 4; ++k) EXPECT_TRUE(p.grafico.Serie(k).puntos.empty()) << k;
    const double ratio = p.d.FlujVeloMedi / p.d.OutpVeloCritEros;
    EXPECT_NEAR(r.OutpErosMaxi1, 2 * r.EstrFactComb * 5 * (2 * ratio - 1) * std::tanh(1.2 / 5), 1e-12);
}

// The two strict thresholds of the curves, met with equality on the record
// left by a calculation: sqrt(2) U == Uc draws nothing and keeps T (the time
// formula would divide by zero), and a depth equal to h draws no curve for
// its slot (the time law would take the logarithm of 0).
TEST_F(Pila, UmbralesEstrictosDeLasCurvas) {
    p.Calcular();
    TDatosProblema d = p.d;
    TGrafico g;
    // A velocity whose product with sqrt(2) is exactly a double.
    double u = 1;
    while (static_cast<double>(Raiz(2) * u) != Raiz(2) * u) u = std::nextafter(u, 2.0);
    d.FlujVeloMedi = u;
    d.OutpVeloCritEros = static_cast<double>(Raiz(2) * u);
    d.PPi.ErosTiemRefe = 7;
    CalcPila(d, p.panel, g);
    EXPECT_EQ(d.PPi.ErosTiemRefe, 7.0);
    EXPECT_FALSE(g.pestanaVisible);
    for (int k = 1; k <= 4; ++k) EXPECT_TRUE(g.Serie(k).puntos.empty()) << k;

    // K for which "CSU" gives exactly h.
    d = p.d;
    const double h = d.FlujTiraRest;
    const double fr = d.FlujNumeFrou;
    double k = h / TDatosPPi::CSU(1, h, fr, 5);
    for (int i = 0; i < 100 && TDatosPPi::CSU(k, h, fr, 5) != h; ++i)
        k = std::nextafter(k, TDatosPPi::CSU(k, h, fr, 5) < h ? 1.0 : 0.0);
    ASSERT_EQ(TDatosPPi::CSU(k, h, fr, 5), h);
    d.PPi.EstrFactComb = k;
    CalcPila(d, p.panel, g);
    EXPECT_EQ(d.PPi.OutpErosMaxi2, h);
    EXPECT_TRUE(g.Serie(2).puntos.empty());
}

// An angle of repose of 0 divides by sin 0 in the failure length: the
// calculation faults after the depths and curves of this calculation are
// written; the failure lengths keep their earlier values.
TEST_F(Pila, AnguloDeReposoCeroFallaEnLaLongitudDeFalla) {
    p.Calcular();
    const double falla[] = {r.OutpLongFall1, r.OutpLongFall2, r.OutpLongFall3};
    const double csu = r.OutpErosMaxi2;
    const std::size_t puntos = Puntos(3);
    p.textos["SediAnguRepo"] = "0";
    p.textos["EstrFactFormKs"] = "2";
    p.Activar();
    ASSERT_TRUE(p.panel.Activa(4));
    p.CalcularConFallo("Floating point division by zero");
    EXPECT_NEAR(r.OutpErosMaxi2, 2 * csu, 1e-12);  // new
    EXPECT_GT(Puntos(3), puntos);                  // new curve drawn
    EXPECT_EQ(r.OutpLongFall1, falla[0]);          // old
    EXPECT_EQ(r.OutpLongFall2, falla[1]);
    EXPECT_EQ(r.OutpLongFall3, falla[2]);
}
