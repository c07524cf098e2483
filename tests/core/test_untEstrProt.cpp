// Protected abutment or spur dike (code 211): "Dietz" with protection, the
// reference time and the curve, the fault path and the row of the results
// page.
#include <gtest/gtest.h>

#include <cmath>

#include "tipos/estribo_protegido/untEstrProt.h"
#include "tipos/estribo/untEstribo.h"
#include "general/untGeneral.h"
#include "problema.h"

namespace {

// Code 211 with every default text (protection 8.75 m, sufficient), computed
// once; tests then change the record by hand and run the calculator alone.
struct EstriboProt : testing::Test {
    Problema p{211};
    std::optional<std::string> titulo;
    void SetUp() override {
        ASSERT_EQ(p.d.CodiProb, 211);
        titulo = p.Calcular();
    }
    TDatosPEP& e() { return p.d.PEP; }
    // Runs the calculator again on the changed record, on an empty chart,
    // with a marked reference time to see whether it is rewritten.
    void Recalcular() {
        p.grafico = TGrafico{};
        e().ErosTiemRefe = -1;
        CalcEstriboProt(p.d, p.panel, p.grafico);
    }
};

}  // namespace

// Worked example (h = 1.2, U = 5, Uc = 2.82930, m = 0.5, Lp = 8.75):
// beta = 1 + 4.75 e^(-0.729167) = 3.29098, ys = 1.2 (3.29098 * 5 - 2.82930) / 2.82930
// = 5.77905 m; T as for the unprotected abutment, 0.00129000 h.  "Dietz" is
// plain on the panel, yet the depth is computed, its curve drawn and its row
// shown with 2 decimals.
TEST_F(EstriboProt, DatosPorDefecto) {
    EXPECT_EQ(titulo, "Problema Estribo/Espigón Protegido");
    ASSERT_FALSE(p.panel.Activa(1));
    EXPECT_EQ(p.panel.Titulo(1), "Dietz");
    EXPECT_EQ(p.d.Estribo.ErosCoefTiem, 4.2);
    EXPECT_NEAR(e().ErosCoefDiet, 3.29098, 5e-6);
    EXPECT_NEAR(e().OutpErosMaxi1, 5.77905, 5e-6);
    EXPECT_NEAR(e().ErosTiemRefe, 0.00129000, 5e-9);

    EXPECT_EQ(p.grafico.Serie(1).titulo, "Dietz");
    for (int k = 2; k <= 4; ++k) {
        EXPECT_EQ(p.grafico.Serie(k).titulo, "inactivo");
        EXPECT_TRUE(p.grafico.Serie(k).puntos.empty());
    }
    const auto& puntos = p.grafico.Serie(1).puntos;
    ASSERT_FALSE(puntos.empty());
    EXPECT_EQ(puntos.front().x, 0.0);
    EXPECT_EQ(puntos.front().y, 0.0);
    EXPECT_TRUE(p.grafico.pestanaVisible);

    const auto filas = p.Filas();
    ASSERT_EQ(filas.size(), 5u);
    EXPECT_EQ(filas[4].tallo, "OutpErosMaxi1");
    EXPECT_EQ(filas[4].etiqueta, "Erosión máxima de equilibrio (Dietz)");
    EXPECT_EQ(filas[4].valor, "5.78");
    EXPECT_EQ(filas[4].unidad, "[m]");
}

// Without protection the coefficient is that of the unprotected abutment and
// the depth equals its "Dietz" (slot 3 of code 212: 10.9938 m).
TEST_F(EstriboProt, SinProteccionIgualAlEstriboSinProteger) {
    p.d.Estribo.EstrLongPlat = 0;
    Recalcular();
    EXPECT_EQ(e().ErosCoefDiet, TDatosPEs::CoefDietz(0.5));
    EXPECT_NEAR(e().OutpErosMaxi1, 10.9938, 5e-5);
    EXPECT_FALSE(p.grafico.Serie(1).puntos.empty());
}

// Depths not above h: no reference time (the field keeps its value) and no
// curve, but every series title is set and the row shows the depth.
// A protection of 1000 m: beta -> 1, ys = 1.2 (5 - 2.82930) / 2.82930 = 0.920663;
// U = 0.5: beta U < Uc, ys = 0.
TEST_F(EstriboProt, ErosionNoMayorQueElTirante) {
    struct Caso { const char* nombre; double longPlat; double u; double ys; const char* fila; };
    const Caso casos[]{
        {"proteccion larga", 1000, 5, 0.920663, "0.92"},
        {"beta U < Uc", 8.75, 0.5, 0, "0.00"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        p.d.Estribo.EstrLongPlat = c.longPlat;
        p.d.FlujVeloMedi = c.u;
        Recalcular();
        EXPECT_NEAR(e().OutpErosMaxi1, c.ys, 5e-6);
        EXPECT_EQ(e().ErosTiemRefe, -1);
        EXPECT_TRUE(p.grafico.Serie(1).puntos.empty());
        EXPECT_FALSE(p.grafico.pestanaVisible);
        EXPECT_EQ(p.grafico.Serie(1).titulo, "Dietz");
        EXPECT_EQ(p.grafico.Serie(2).titulo, "inactivo");
        EXPECT_EQ(p.Filas().back().valor, c.fila);
    }
    EXPECT_NEAR(TDatosPEP::CoefDietz(0.5, 1000, 1.2), 1, 1e-15);
}

// A depth exactly equal to h draws no curve and leaves the time: h = 1,
// U = 2, Uc = 5.75, Lp = 0, m = 0.5 (beta = 5.75): ys = 5.75 * 1 / 5.75 = 1.
TEST_F(EstriboProt, ErosionIgualAlTirante) {
    p.d.FlujTiraRest = 1;
    p.d.FlujVeloMedi = 2;
    p.d.OutpVeloCritEros = 5.75;
    p.d.Estribo.EstrLongPlat = 0;
    Recalcular();
    ASSERT_EQ(e().OutpErosMaxi1, 1.0);
    EXPECT_EQ(e().ErosTiemRefe, -1);
    EXPECT_TRUE(p.grafico.Serie(1).puntos.empty());
}

// Uc / U above 4.2 gives T = 0: the depth (above h) is shown, no curve.
// U = 1, Uc = 5, m = 0.9, Lp = 0: beta = 12.47, ys = 1.2 * 7.47 / 5 = 1.7928 m.
// Uc / U exactly 4.2 divides by zero after the depth is written.
TEST_F(EstriboProt, TiempoDeReferencia) {
    p.d.FlujVeloMedi = 1;
    p.d.OutpVeloCritEros = 5;
    p.d.Estribo.EstrRazoCont = 0.9;
    p.d.Estribo.EstrLongPlat = 0;
    Recalcular();
    EXPECT_NEAR(e().OutpErosMaxi1, 1.7928, 5e-5);
    EXPECT_EQ(e().ErosTiemRefe, 0.0);
    EXPECT_TRUE(p.grafico.Serie(1).puntos.empty());
    EXPECT_EQ(p.Filas().back().valor, "1.79");

    p.d.OutpVeloCritEros = 4.2;
    e().OutpErosMaxi1 = -2;
    try {
        Recalcular();
        ADD_FAILURE() << "no fault";
    } catch (const ErrorFlotante& f) {
        EXPECT_STREQ(f.what(), "Floating point division by zero");
    }
    EXPECT_NEAR(e().OutpErosMaxi1, 1.2 * (12.47 - 4.2) / 4.2, 1e-12);
    EXPECT_EQ(e().ErosTiemRefe, -1);
}

// A second Calcular without changes appends a second copy of the curve.
TEST_F(EstriboProt, SegundoCalcularDuplicaLaCurva) {
    const auto primera = p.grafico.Serie(1).puntos;
    p.Calcular();
    const auto& puntos = p.grafico.Serie(1).puntos;
    ASSERT_NO_FATAL_FAILURE(CompararSegundaCopia(primera, puntos));
    EXPECT_EQ(puntos[primera.size()].x, 0.0);
}
