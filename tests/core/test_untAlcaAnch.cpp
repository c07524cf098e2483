// Wide culvert (code 122): the contracted jet, the four scour formulas,
// when d90 is read, the curves and the rows of the results page.
#include <gtest/gtest.h>

#include <cmath>

#include "tipos/alcantarilla_ancha/untAlcaAnch.h"
#include "general/untGeneral.h"
#include "problema.h"

namespace {

// Code 122 from the default texts (opening 0.45 m, d90 "250", head difference
// "2.77") with phi = 30 typed: all four slots active.
struct AlcaAnch : testing::Test {
    Problema p{122};
    const TDatosPAC& a = p.d.PAC;

    AlcaAnch() {
        p.textos["SediAnguRepo"] = "30";
        p.Activar();
    }

    std::size_t Puntos(int k) const { return p.grafico.Serie(k).puntos.size(); }

};

}  // namespace

// Worked example with the default data, a = 0.45 m, d90 250 mm, head
// difference 2.77 m and phi = 30: the worked reference values of this example.
TEST_F(AlcaAnch, EjemploConDatosPorDefecto) {
    EXPECT_EQ(p.Calcular(), "Problema Alcantarilla Ancha");
    EXPECT_DOUBLE_EQ(a.SediDiam90N3, 0.25);
    EXPECT_EQ(a.SediAnguRepo, 30.0);
    EXPECT_EQ(a.FlujDifeCargRest, 2.77);
    EXPECT_NEAR(a.ChorEspe, 0.27, 1e-15);  // 0.6 x 0.45
    EXPECT_NEAR(a.ChorVeloSali, 22.222, 5e-4);  // 6 / 0.27
    EXPECT_NEAR(a.ChorNumeFrou, 13.654, 5e-4);
    EXPECT_EQ(a.OutpInteRelaTurb, 0.6);
    EXPECT_DOUBLE_EQ(a.FlujFactTurb, 2.8);
    EXPECT_NEAR(a.OutpErosMaxi1, 5.383, 5e-4);
    EXPECT_NEAR(a.OutpErosMaxi2, 12.672, 5e-4);
    EXPECT_NEAR(a.OutpErosMaxi3, 14.096, 5e-4);
    EXPECT_EQ(a.ErosCoefHoff, 6.8);
    EXPECT_NEAR(a.OutpErosMaxi4, 1.5386, 5e-5);
    EXPECT_NEAR(a.ErosTiemRefe, 0.034662, 5e-7);

    // h = 1.2 m lies below every depth: four curves.
    const char* titulos[] = {"Qayoum", "Altinbilek y Basmaci", "Breusers", "Hoffmans"};
    for (int k = 1; k <= 4; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(p.grafico.Serie(k).titulo, titulos[k - 1]);
        EXPECT_GT(Puntos(k), 250u);
    }
    EXPECT_TRUE(p.grafico.pestanaVisible);

    // Rows 6 to 10.
    const auto filas = p.Filas();
    const std::vector<TFila> esperadas{
        {"OutpInteRelaTurb", "Intensidad relativa de turbulencia", "0.600", ""},
        {"OutpErosMaxi1", "Erosión máxima de equilibrio (Qayoum)", "5.38", "[m]"},
        {"OutpErosMaxi2", "Erosión máxima de equilibrio (Altinbilek y Basmaci)", "12.67", "[m]"},
        {"OutpErosMaxi3", "Erosión máxima de equilibrio (Breusers)", "14.10", "[m]"},
        {"OutpErosMaxi4", "Erosión máxima de equilibrio (Hoffmans)", "1.54", "[m]"},
    };
    CompararFilasPropias(filas, esperadas);
}

// d90 is read only while slot 1 or slot 4 is active; otherwise the value
// read earlier stays.  With the default angle of repose empty, slot 2 is
// plain: its depth stays and its row shows "inactivo".
TEST(AlcaAnchLectura, D90SoloConRanuraUnoOCuatro) {
    struct Caso { bool ranura1, ranura4; double d90; };
    const Caso casos[] = {
        {true, true, 0.1},
        {true, false, 0.1},
        {false, true, 0.1},
        {false, false, 0.25},  // not read: the 250 mm of the first calculation stays
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message() << c.ranura1 << c.ranura4);
        Problema q(122);
        q.Calcular();
        ASSERT_FALSE(q.panel.Activa(2));
        EXPECT_EQ(q.d.PAC.OutpErosMaxi2, 0.0);
        EXPECT_EQ(q.Valor("OutpErosMaxi2"), "inactivo");
        EXPECT_EQ(q.grafico.Serie(2).titulo, "inactivo");
        q.textos["SediDiam90N3"] = "100";
        q.panel.Ranura(1).activa = c.ranura1;
        q.panel.Ranura(4).activa = c.ranura4;
        q.Calcular();
        EXPECT_DOUBLE_EQ(q.d.PAC.SediDiam90N3, c.d90);
    }
}

// d90 emptied: slots 1 and 4 go plain; their depths and c2 keep their
// values, their rows show "inactivo", their series get no new curve.
TEST_F(AlcaAnch, SinD90LasRanurasUnoYCuatroConservanSusValores) {
    p.Calcular();
    const TDatosPAC antes = a;
    const std::size_t puntos[] = {Puntos(1), Puntos(4)};
    p.textos["SediDiam90N3"] = "";
    p.Activar();
    ASSERT_FALSE(p.panel.Activa(1));
    ASSERT_FALSE(p.panel.Activa(4));
    p.Calcular();
    EXPECT_EQ(a.SediDiam90N3, antes.SediDiam90N3);
    EXPECT_EQ(a.OutpErosMaxi1, antes.OutpErosMaxi1);
    EXPECT_EQ(a.ErosCoefHoff, antes.ErosCoefHoff);
    EXPECT_EQ(a.OutpErosMaxi4, antes.OutpErosMaxi4);
    EXPECT_EQ(Puntos(1), puntos[0]);
    EXPECT_EQ(Puntos(4), puntos[1]);
    for (int k : {1, 4}) {
        SCOPED_TRACE(k);
        EXPECT_EQ(p.grafico.Serie(k).titulo, "inactivo");
        EXPECT_EQ(p.Valor("OutpErosMaxi" + std::to_string(k)), "inactivo");
    }
}

// "Qayoum" below h: the depth is kept as it is (here negative), shown as no
// scour with the formula's number, and its slot draws no curve.  Head
// difference 0.001 m: about 1.151 - 1.2.
TEST_F(AlcaAnch, QayoumMenorQueElTiranteSinCurva) {
    p.textos["FlujDifeCargRest"] = "0.001";
    p.Calcular();
    EXPECT_NEAR(a.OutpErosMaxi1, -0.049, 5e-4);
    EXPECT_EQ(p.Valor("OutpErosMaxi1"), "sin erosión (la fórmula da -0.05 m)");
    EXPECT_EQ(Puntos(1), 0u);
    EXPECT_GT(Puntos(3), 0u);
}

// Edges of the formulas.
TEST(AlcaAnchFormulas, Bordes) {
    // phi = 0 gives 0; phi = 90 (cos not exactly 0) a very large depth.
    EXPECT_EQ(TDatosPAC::AltinbilekBasmaci(0.27, 0.085, 0, 13.654, 1.65), 0.0);
    EXPECT_GT(TDatosPAC::AltinbilekBasmaci(0.27, 0.085, GradRadi(90), 13.654, 1.65), 1e8);
    // A jet no faster than the tailwater: 0, or a negative depth kept as it is.
    EXPECT_EQ(TDatosPAC::HoffmansAlca(0.27, 5, 5, 6.8), 0.0);
    EXPECT_NEAR(TDatosPAC::HoffmansAlca(0.27, 5, 4, 6.8), 50 / 6.8 * 0.27 * (1 - 5.0 / 4), 1e-14);
    // Same coefficient as the narrow culvert's: 10 mm gives 2 x 2.475 + 1.3.
    EXPECT_NEAR(TDatosPAC::CoefHoffmans(0.01), 6.25, 1e-14);
}

// A second calculation with unchanged data appends a second copy of each curve.
TEST_F(AlcaAnch, SegundoCalculoAgregaOtraCopia) {
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
// divide by zero); a depth equal to h draws no curve for its slot ("Altinbilek
// y Basmaci", which does not depend on h).
TEST_F(AlcaAnch, UmbralesEstrictosDeLasCurvas) {
    p.Calcular();
    TDatosProblema d = p.d;
    TGrafico g;
    d.FlujVeloMedi = 1;
    d.OutpVeloCritEros = TresMasUno(0.6);  // alpha x 1
    d.PAC.ErosTiemRefe = 7;
    CalcAlcaAnch(d, p.panel, g);
    EXPECT_EQ(d.PAC.ErosTiemRefe, 7.0);
    EXPECT_FALSE(g.pestanaVisible);
    for (int k = 1; k <= 4; ++k) EXPECT_TRUE(g.Serie(k).puntos.empty()) << k;

    d = p.d;
    d.FlujTiraRest = d.PAC.OutpErosMaxi2;
    CalcAlcaAnch(d, p.panel, g);
    EXPECT_EQ(d.PAC.OutpErosMaxi2, d.FlujTiraRest);
    EXPECT_TRUE(g.Serie(2).puntos.empty());
    EXPECT_FALSE(g.Serie(3).puntos.empty());  // "Breusers" ~14.10 lies above
}

// An opening height of 0 divides by zero in the preparation step, before
// the calculator: the jet thickness is new (0), the jet velocity and the
// results keep their values, no curve is added.
TEST_F(AlcaAnch, AperturaCeroFallaEnLaPreparacion) {
    p.Calcular();
    const TDatosPAC antes = a;
    const std::size_t puntos = Puntos(3);
    p.d.Apertura.EstrAltuAper = 0;
    p.CalcularConFallo("Floating point division by zero");
    EXPECT_EQ(a.ChorEspe, 0.0);
    EXPECT_EQ(a.ChorVeloSali, antes.ChorVeloSali);
    EXPECT_EQ(a.OutpErosMaxi3, antes.OutpErosMaxi3);
    EXPECT_EQ(Puntos(3), puntos);
}

// A d90 of 0 faults in "Qayoum" (slot 1, before slots 2 to 4 are written) or,
// with slot 1 plain, in the logarithm of c2 (slot 4, after slots 2 and 3).
// The discharge changes as well so that a rewritten depth differs.
TEST(AlcaAnchFallo, D90Cero) {
    struct Caso { bool ranura1; bool breusersNuevo; };
    for (const Caso c : {Caso{true, false}, Caso{false, true}}) {
        SCOPED_TRACE(c.ranura1);
        Problema q(122);
        q.textos["SediAnguRepo"] = "30";
        q.Activar();
        q.Calcular();
        const TDatosPAC antes = q.d.PAC;
        q.textos["SediDiam90N3"] = "0";
        q.textos["FlujCaud"] = "2000";
        q.panel.Ranura(1).activa = c.ranura1;
        try {
            q.Calcular();
            ADD_FAILURE() << "no fault";
        } catch (const ErrorFlotante& e) {
            EXPECT_STREQ(e.what(), "Floating point division by zero");
        }
        const TDatosPAC& a = q.d.PAC;
        EXPECT_EQ(a.SediDiam90N3, 0.0);
        EXPECT_EQ(a.OutpErosMaxi1, antes.OutpErosMaxi1);
        EXPECT_EQ(a.OutpErosMaxi3 != antes.OutpErosMaxi3, c.breusersNuevo);
        EXPECT_EQ(a.ErosCoefHoff, antes.ErosCoefHoff);
        EXPECT_EQ(a.OutpErosMaxi4, antes.OutpErosMaxi4);
    }
}
