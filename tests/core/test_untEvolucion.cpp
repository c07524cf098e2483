// The time law of the scour depth and the filling of a chart series.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "compute/untEvolucion.h"
#include "general/untGeneral.h"

// h = 0.5, ye = 1, T = 1, gamma = 0.23: y = 1 - 0.5^(t^0.23).
TEST(ErosEvol, LeyTemporal) {
    EXPECT_EQ(ErosEvol(0.5, 1, 0, 1, 0.23), 0.0);
    EXPECT_NEAR(ErosEvol(0.5, 1, 1, 1, 0.23), 0.5, 1e-15);
    EXPECT_NEAR(ErosEvol(0.5, 1, 5, 1, 0.23), 1 - std::pow(0.5, std::pow(5.0, 0.23)), 1e-15);  // ~0.633
    EXPECT_NEAR(ErosEvol(0.5, 1, 5, 1, 0.23), 0.633, 5e-4);
    double previo = 0;
    for (double t = 0.5; t < 1000; t *= 2) {
        const double y = ErosEvol(0.5, 1, t, 1, 0.23);
        EXPECT_GT(y, previo);
        EXPECT_LT(y, 1.0);
        previo = y;
    }
}

TEST(ErosEvol, FallaConTiranteIgualOMayorQueLaErosion) {
    EXPECT_THROW(ErosEvol(1, 1, 2, 1, 0.23), ErrorFlotante);    // ln(0)
    EXPECT_THROW(ErosEvol(1.5, 1, 2, 1, 0.23), ErrorFlotante);  // ln of a negative number
}

// T = 330 h^2 Delta^1.7 / (alpha U - Uc)^4.3
TEST(TiemCara, Formula) {
    EXPECT_NEAR(TiemCara(1.2, 1.65, 1.5, 5, 2.8293),
                330 * 1.2 * 1.2 * std::pow(1.65, 1.7) / std::pow(1.5 * 5 - 2.8293, 4.3), 1e-12);
    try {
        TiemCara(1.2, 1.65, 1, 2, 2);
        FAIL() << "no fault";
    } catch (const ErrorFlotante& e) {
        EXPECT_STREQ(e.what(), "Floating point division by zero");
    }
}

// The first stretch holds 250 or 251 points: the accumulated rounding of
// 0.02 T decides whether a point at about 5 T is included.
TEST(TrazarEvol, PrimerTramo) {
    struct Caso { double tCara; int puntos; };
    for (const Caso c : {Caso{1, 251}, Caso{2.5, 250}}) {
        SCOPED_TRACE(c.tCara);
        TGrafico g;
        TrazarEvolEstandar(g, 2, 0.5, 1, c.tCara);
        const auto& p = g.Serie(2).puntos;
        EXPECT_TRUE(g.pestanaVisible);
        EXPECT_EQ(p.front().x, 0.0);
        EXPECT_EQ(p.front().y, 0.0);
        const double fin = 5 * c.tCara;
        const auto primerTramo = std::count_if(p.begin(), p.end(), [&](const TPunto& q) { return q.x <= fin; });
        EXPECT_EQ(primerTramo, c.puntos);
        EXPECT_NEAR(p[primerTramo].x - p[primerTramo - 1].x, 0.02 * c.tCara, 1e-12);  // last step of 0.02 T
        EXPECT_NEAR(p[primerTramo + 1].x - p[primerTramo].x, c.tCara, 1e-12);         // then steps of T
        for (std::size_t i = 1; i < p.size(); ++i) ASSERT_GT(p[i].x, p[i - 1].x);
        EXPECT_TRUE(g.Serie(1).puntos.empty());
    }
}

// A slow approach to ye stops at 5000 points, the last at about 4754 T.
TEST(TrazarEvol, LimiteDeCincoMilPuntosYSegundaCopia) {
    TSerie s;
    TrazarEvol(s, 0.5, 1, 1, 0.23, 0.02, 1, 5);
    ASSERT_EQ(s.puntos.size(), 5000u);
    EXPECT_NEAR(s.puntos.back().x, 4754, 1);
    // Drawing again appends a second copy.
    TrazarEvol(s, 0.5, 1, 1, 0.23, 0.02, 1, 5);
    ASSERT_EQ(s.puntos.size(), 10000u);
    EXPECT_EQ(s.puntos[5000].x, 0.0);
    EXPECT_EQ(s.puntos[9999].x, s.puntos[4999].x);
}

// A fast approach stops on the relative change below 1e-6.
TEST(TrazarEvol, ParadaPorCambioRelativo) {
    TSerie s;
    TrazarEvol(s, 0.999, 1, 1, 0.23, 0.02, 1, 5);
    ASSERT_LT(s.puntos.size(), 5000u);
    const auto n = s.puntos.size();
    EXPECT_GT(n, 251u);  // at least one point of the second stretch
    EXPECT_LT(std::fabs(s.puntos[n - 1].y - s.puntos[n - 2].y) / s.puntos[n - 2].y, 1e-6);
}

// The curve ends at 5000 points counting both stretches, and a step that
// leaves the time unchanged ends it instead of appending the same point for
// ever (h = 0.5, ye = 1, T = 1).
TEST(TrazarEvol, PasosQueNoAvanzanYLimiteEnAmbosTramos) {
    struct Caso { const char* nombre; double paso1, paso2, fin1; std::size_t puntos; double ultimoX; };
    const Caso casos[] = {
        {"primer paso nulo", 0, 1, 5, 1, 0},  // only (0, 0)
        {"primer tramo de 100001 puntos", 1e-3, 1, 100, 5000, 4.999},
        {"segundo paso nulo", 0.02, 0, 5, 252, 5.02},  // one point of the second stretch
        {"segundo paso bajo el ulp de t", 0.02, 1e-30, 5, 252, 5.02},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        TSerie s;
        TrazarEvol(s, 0.5, 1, 1, 0.23, c.paso1, c.paso2, c.fin1);
        ASSERT_EQ(s.puntos.size(), c.puntos);
        EXPECT_EQ(s.puntos.front().x, 0.0);
        EXPECT_NEAR(s.puntos.back().x, c.ultimoX, 1e-9 * c.ultimoX);
        for (std::size_t i = 1; i < s.puntos.size(); ++i) ASSERT_GT(s.puntos[i].x, s.puntos[i - 1].x) << i;
    }
}

// Every point of a drawn curve is the time law at its time, to the last bit,
// for curves that stop on the point limit, on the relative change, and for a
// second copy appended to a series that already holds one.
TEST(TrazarEvol, CadaPuntoEsLaLeyTemporal) {
    struct Caso { double h, ye, tCara; };
    const Caso casos[] = {
        {1.2, 45.4516, 0.318173},  // a deep equilibrium (the culvert's Ruff for one opening): 5000 points
        {1.2, 4.41033, 0.318173},  // narrow culvert, Rajaratnam y Berry
        {0.999, 1, 1},             // stops on the relative change
        {0.5, 1, 1e-3},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.ye);
        TSerie s;
        for (int copia = 0; copia < 2; ++copia)
            TrazarEvol(s, c.h, c.ye, c.tCara, kGammaEvol, Guardar(0.02L * c.tCara), c.tCara, Guardar(5.0L * c.tCara));
        ASSERT_EQ(s.puntos.size() % 2, 0u);
        for (std::size_t i = 0; i < s.puntos.size(); ++i) {
            const TPunto& p = s.puntos[i];
            ASSERT_EQ(p.y, ErosEvol(c.h, c.ye, p.x, c.tCara, kGammaEvol)) << i;
            ASSERT_EQ(p.x, s.puntos[i % (s.puntos.size() / 2)].x) << i;
        }
    }
}

// Arguments that the time law rejects end the curve at its first point with
// the fault of the first check that fails, in the order of the law: t / T
// first, then ln(1 - h/ye); the series is left as it was.
TEST(TrazarEvol, ArgumentosInvalidosFallanEnElPrimerPunto) {
    struct Caso { const char* nombre; double h, ye, tCara; const char* texto; };
    const Caso casos[] = {
        {"h = ye", 1, 1, 1, "Floating point division by zero"},
        {"h > ye", 1.5, 1, 1, "Invalid floating point operation"},
        {"ye = 0", 0.5, 0, 1, "Floating point division by zero"},
        {"T = 0", 0.5, 1, 0, "Invalid floating point operation"},
        {"T = 0 y h = ye", 1, 1, 0, "Invalid floating point operation"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        TSerie s;
        s.puntos = {{7, 8}};
        try {
            TrazarEvol(s, c.h, c.ye, c.tCara, kGammaEvol, 0.02, 1, 5);
            ADD_FAILURE() << "no fault";
        } catch (const ErrorFlotante& e) {
            EXPECT_STREQ(e.what(), c.texto);
        }
        ASSERT_EQ(s.puntos.size(), 1u);
        EXPECT_EQ(s.puntos[0].x, 7.0);
    }
}
