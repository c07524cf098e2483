// Step (code 1121): the shared jet input and preparation, "Bornmann y Julien"
// less the step height, its curve and the results rows.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tipos/escalon/untEscalon.h"
#include "general/untGeneral.h"
#include "problema.h"

namespace {

// The default data (h 1.2 m, q 6 m2/s, Delta 1.65, U 5 m/s, Uc 2.8293 m/s,
// d90 250 mm, dH 2.77 m, theta 45 deg, step 0.75 m); the angle of repose has
// no default, so slot 1 is inactive until it is typed.
struct Escalon : testing::Test {
    Problema p{1121};

    void TeclearAnguloReposo(const std::string& texto) {
        p.textos["SediAnguRepo"] = texto;
        p.Activar();
    }


    const std::vector<TPunto>& Puntos(int k) const { return p.grafico.Serie(k).puntos; }
};

}  // namespace

// Worked example with phi = 30 deg typed:
// Vj = sqrt(2 2.77 9.81) = 7.3721 m/s;
// ys = 1.8^2 (sin 30 / sin 75)^0.8 6^0.6 Vj sin 45 / ((2 1.65 9.81)^0.8 0.25^0.4) - 0.75 = 2.4007 m;
// alpha = 3 1.5 + 1 = 5.5; T = 330 1.2^2 1.65^1.7 / (5.5 5 - 2.8293)^4.3 = 0.0011487 h.
TEST_F(Escalon, EjemploConDatosPorDefecto) {
    TeclearAnguloReposo("30");
    EXPECT_EQ(p.Calcular(), "Problema del escalón");

    const TDatosPEn& e = p.d.PEn;
    EXPECT_DOUBLE_EQ(e.SediDiam90N3, 0.25);  // 250 mm
    EXPECT_EQ(e.SediAnguRepo, 30.0);
    EXPECT_EQ(e.FlujDifeCargRest, 2.77);
    EXPECT_EQ(e.FlujAnguChorSupeLibr, 45.0);
    EXPECT_NEAR(e.ChorVelo, 7.3721, 5e-5);
    EXPECT_EQ(e.OutpInteRelaTurb, 1.5);
    EXPECT_EQ(e.FlujFactTurb, 5.5);
    EXPECT_NEAR(e.OutpErosMaxi1, 2.4007, 5e-5);
    EXPECT_NEAR(e.ErosTiemRefe, 0.0011487, 5e-8);

    // h = 1.2 < ys: the curve of slot 1, from (0, 0) in steps of 0.02 T; the
    // approach to ys is slow, so it stops at the limit of 5000 points, the
    // last one at about 4754 T.
    ASSERT_EQ(Puntos(1).size(), 5000u);
    EXPECT_EQ(Puntos(1)[0].x, 0.0);
    EXPECT_EQ(Puntos(1)[0].y, 0.0);
    EXPECT_NEAR(Puntos(1)[1].x, 0.02 * e.ErosTiemRefe, 1e-15);
    EXPECT_NEAR(Puntos(1).back().x / e.ErosTiemRefe, 4754, 1);
    EXPECT_LT(Puntos(1).back().y, e.OutpErosMaxi1);
    EXPECT_TRUE(p.grafico.pestanaVisible);
    EXPECT_EQ(p.grafico.Serie(1).titulo, "Bornmann y Julien");
    for (int k = 2; k <= 4; ++k) {
        EXPECT_EQ(p.grafico.Serie(k).titulo, "inactivo") << k;
        EXPECT_TRUE(Puntos(k).empty()) << k;
    }

    const std::vector<TFila> filas = p.Filas();
    ASSERT_EQ(filas.size(), 6u);  // rows 2 to 7
    EXPECT_EQ(filas[4].tallo, "OutpInteRelaTurb");
    EXPECT_EQ(filas[4].etiqueta, "Intensidad relativa de turbulencia");
    EXPECT_EQ(filas[4].valor, "1.500");
    EXPECT_EQ(filas[4].unidad, "");
    EXPECT_EQ(filas[5].tallo, "OutpErosMaxi1");
    EXPECT_EQ(filas[5].etiqueta, "Erosión máxima de equilibrio (Bornmann y Julien)");
    EXPECT_EQ(filas[5].valor, "2.40");
    EXPECT_EQ(filas[5].unidad, "[m]");
}

// Slot 1 inactive (no angle of repose): the depth and the title of series 1
// keep their earlier values, the input step still reads every field, and the
// time is computed when the depth left in the field exceeds h (strictly).
TEST_F(Escalon, RanuraInactivaUsaLaProfundidadAnterior) {
    struct Caso {
        double anterior;  // OutpErosMaxi1 left by an earlier calculation
        bool tiempo;      // ErosTiemRefe computed
    };
    const Caso casos[] = {
        {0, false},                          // before any calculation
        {1.2, false},                        // equal to h
        {std::nextafter(1.2, 2.0), true},    // just above h
        {5, true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.anterior);
        Problema q{1121};
        ASSERT_FALSE(q.panel.Activa(1));
        q.d.PEn.SediAnguRepo = 99;
        q.d.PEn.OutpErosMaxi1 = c.anterior;
        q.d.PEn.ErosTiemRefe = -1;
        q.grafico.Serie(1).titulo = "anterior";
        q.Calcular();
        EXPECT_EQ(q.d.PEn.SediAnguRepo, 0.0);  // the empty field reads as 0
        EXPECT_DOUBLE_EQ(q.d.PEn.SediDiam90N3, 0.25);
        EXPECT_EQ(q.d.PEn.OutpErosMaxi1, c.anterior);
        if (c.tiempo) {
            EXPECT_NEAR(q.d.PEn.ErosTiemRefe, 0.0011487, 5e-8);  // same T as the worked example
        } else {
            EXPECT_EQ(q.d.PEn.ErosTiemRefe, -1.0);
        }
        EXPECT_EQ(q.grafico.Serie(1).titulo, "anterior");
        EXPECT_EQ(q.grafico.Serie(2).titulo, "inactivo");
        for (int k = 1; k <= 4; ++k) EXPECT_TRUE(q.grafico.Serie(k).puntos.empty()) << k;
        EXPECT_FALSE(q.grafico.pestanaVisible);
        EXPECT_EQ(q.Valor("OutpErosMaxi1"), "inactivo");
        EXPECT_EQ(q.Valor("OutpInteRelaTurb"), "1.500");
    }
}

// alpha U > Uc is strict: with U = 5 and alpha = 5.5, Uc = 27.5 gives no time
// and no curve, the next double below 27.5 gives both.
TEST_F(Escalon, CondicionDeVelocidadEstricta) {
    TeclearAnguloReposo("30");
    p.Calcular();
    p.grafico.Limpiar();
    p.grafico.pestanaVisible = false;
    p.d.FlujVeloMedi = 5;

    p.d.OutpVeloCritEros = 27.5;
    p.d.PEn.ErosTiemRefe = -1;
    CalcularEscalon(p.d, p.panel, p.grafico);
    EXPECT_EQ(p.d.PEn.ErosTiemRefe, -1.0);
    EXPECT_TRUE(Puntos(1).empty());
    EXPECT_FALSE(p.grafico.pestanaVisible);

    p.d.OutpVeloCritEros = std::nextafter(27.5, 0.0);
    CalcularEscalon(p.d, p.panel, p.grafico);
    EXPECT_GT(p.d.PEn.ErosTiemRefe, 0.0);
    EXPECT_FALSE(Puntos(1).empty());
    EXPECT_TRUE(p.grafico.pestanaVisible);
}

// A depth not above h is stored and shown, even negative, but draws nothing
// and leaves the time as it was.
TEST_F(Escalon, ProfundidadNoMayorQueElTirante) {
    struct Caso {
        const char* angulo;
        double escalon;
        double ys;
        const char* texto;
    };
    const Caso casos[] = {
        // jet term 3.1507 m (worked example + 0.75) less a 5 m step
        {"30", 5, 3.1507 - 5, "sin erosión (la fórmula da -1.85 m)"},
        {"0", 0.75, -0.75, "sin erosión (la fórmula da -0.75 m)"},  // sin phi = 0: ys = -D
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.angulo);
        Problema q{1121};
        q.textos["SediAnguRepo"] = c.angulo;
        q.Activar();
        q.d.Salto.EstrAltuSaltFond = c.escalon;
        q.d.PEn.ErosTiemRefe = -1;
        q.Calcular();
        EXPECT_NEAR(q.d.PEn.OutpErosMaxi1, c.ys, 5e-5);
        EXPECT_EQ(q.d.PEn.ErosTiemRefe, -1.0);
        EXPECT_TRUE(q.grafico.Serie(1).puntos.empty());
        EXPECT_FALSE(q.grafico.pestanaVisible);
        EXPECT_EQ(q.grafico.Serie(1).titulo, "Bornmann y Julien");
        EXPECT_EQ(q.Valor("OutpErosMaxi1"), c.texto);
    }
}

// A d90 of 0 or less makes d90^0.4 = 0 and the formula divides by zero:
// the fields written before (input, preparation, alpha) keep their new
// values, the depth, the titles and the series their old ones.
TEST_F(Escalon, D90NoPositivoFalla) {
    TeclearAnguloReposo("30");
    p.Calcular();
    const double ys = p.d.PEn.OutpErosMaxi1;
    const auto puntos = Puntos(1).size();
    for (const char* d90 : {"0", "-250"}) {
        SCOPED_TRACE(d90);
        p.textos["SediDiam90N3"] = d90;
        p.Activar();
        ASSERT_TRUE(p.panel.Activa(1));  // the field holds text
        p.d.PEn.FlujFactTurb = -1;
        p.grafico.Serie(1).titulo = p.grafico.Serie(2).titulo = "anterior";
        p.CalcularConFallo("Floating point division by zero");
        EXPECT_DOUBLE_EQ(p.d.PEn.SediDiam90N3, std::stod(d90) / 1000);
        EXPECT_EQ(p.d.PEn.FlujFactTurb, 5.5);
        EXPECT_EQ(p.d.PEn.OutpErosMaxi1, ys);
        EXPECT_EQ(p.grafico.Serie(1).titulo, "anterior");
        EXPECT_EQ(p.grafico.Serie(2).titulo, "anterior");
        EXPECT_EQ(Puntos(1).size(), puntos);
    }
}

// Calculators never clear a series: a second "Calcular" appends a second copy.
TEST_F(Escalon, SegundoCalculoAgregaOtraCopia) {
    TeclearAnguloReposo("30");
    p.Calcular();
    const std::vector<TPunto> primera = Puntos(1);
    p.Calcular();
    CompararSegundaCopia(primera, Puntos(1));
}
