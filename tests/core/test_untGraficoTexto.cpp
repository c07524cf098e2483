// Texts made from the evolution chart: the CSV of the curves, the readout of
// a point, and the equilibrium depth that each drawn curve records.
#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <vector>

#include "compute/untEvolucion.h"
#include "problema.h"
#include "results/untGraficoTexto.h"

namespace {

// A small CSV reader: lines of cells, quoted cells with doubled quotes.
std::vector<std::vector<std::string>> LeerCsv(const std::string& texto) {
    std::vector<std::vector<std::string>> filas;
    std::vector<std::string> fila;
    std::string celda;
    bool comillas = false;
    for (std::size_t i = 0; i < texto.size(); ++i) {
        const char c = texto[i];
        if (comillas) {
            if (c == '"' && i + 1 < texto.size() && texto[i + 1] == '"') {
                celda += '"';
                ++i;
            } else if (c == '"') {
                comillas = false;
            } else {
                celda += c;
            }
        } else if (c == '"') {
            comillas = true;
        } else if (c == ',') {
            fila.push_back(celda);
            celda.clear();
        } else if (c == '\n') {
            fila.push_back(celda);
            filas.push_back(fila);
            fila.clear();
            celda.clear();
        } else {
            celda += c;
        }
    }
    EXPECT_TRUE(fila.empty() && celda.empty()) << "the text must end with a line break";
    return filas;
}

double Leer(const std::string& s) {
    double x = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), x);
    EXPECT_TRUE(r.ec == std::errc() && r.ptr == s.data() + s.size()) << s;
    return x;
}

}  // namespace

// Series 1 a real curve of the time law, series 2 empty, series 3 short with
// digits that only the full precision keeps and a title that needs quoting:
// every point reads back to the same double, in its own two columns.
TEST(CsvGrafico, DevuelveLosPuntosDelModelo) {
    TGrafico g;
    g.Serie(1).titulo = "Rajaratnam y Berry";
    TrazarEvolEstandar(g, 1, 1.2, 4.41033, 0.318173);
    g.Serie(3).titulo = "Breusers, \"c2\"";
    g.Serie(3).puntos = {{0, 0}, {0.1 + 0.2, 1.0 / 3}, {4754.000000000001, 5e-324}};
    g.Serie(4).titulo = "(d)";
    g.Serie(4).puntos = {{1e300, -2.5}};

    const auto filas = LeerCsv(CsvGrafico(g));
    ASSERT_EQ(filas.size(), 1 + g.Serie(1).puntos.size());
    const std::vector<std::string> cabecera{"Rajaratnam y Berry: tiempo (hs)", "Rajaratnam y Berry: erosión (m)",
                                            "Breusers, \"c2\": tiempo (hs)",    "Breusers, \"c2\": erosión (m)",
                                            "(d): tiempo (hs)",                 "(d): erosión (m)"};
    EXPECT_EQ(filas[0], cabecera);
    const int columnas[] = {1, 3, 4};  // series of the column pairs
    for (std::size_t i = 1; i < filas.size(); ++i) {
        ASSERT_EQ(filas[i].size(), 6u) << i;
        for (int par = 0; par < 3; ++par) {
            const std::vector<TPunto>& p = g.Serie(columnas[par]).puntos;
            const std::string& x = filas[i][2 * par];
            const std::string& y = filas[i][2 * par + 1];
            if (i - 1 < p.size()) {
                ASSERT_EQ(Leer(x), p[i - 1].x) << i << ' ' << par;
                ASSERT_EQ(Leer(y), p[i - 1].y) << i << ' ' << par;
                ASSERT_EQ(x.find_first_not_of("0123456789.e+-"), std::string::npos) << x;
            } else {
                ASSERT_TRUE(x.empty() && y.empty()) << i << ' ' << par;
            }
        }
    }
}

TEST(CsvGrafico, GraficoVacioDaTextoVacio) {
    TGrafico g;
    EXPECT_EQ(CsvGrafico(g), "");
    g.Serie(2).puntos = {{0, 0}};
    g.Limpiar();
    EXPECT_EQ(CsvGrafico(g), "");
}

TEST(TextoLectura, TiempoConCuatroCifrasYErosionEnMilimetros) {
    struct Caso {
        double t, y;
        const char* texto;
    };
    const Caso casos[] = {
        {0, 0, "(a): t = 0 hs, erosión = 0.000 m"},
        {2, 0.6, "(a): t = 2.000 hs, erosión = 0.600 m"},
        {12.3456, 4.41033, "(a): t = 12.35 hs, erosión = 4.410 m"},
        {1512.6, 7.7689, "(a): t = 1513 hs, erosión = 7.769 m"},
        {0.000130262, 0.01, "(a): t = 0.0001303 hs, erosión = 0.010 m"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.t);
        EXPECT_EQ(TextoLectura("(a)", c.t, c.y), c.texto);
    }
}

// The dashed line of each curve stands at the depth that the results page
// shows for its formula, however short of it the curve stops; clearing the
// chart removes it with the points.
TEST(EquilibriosGrafico, CadaCurvaGuardaSuProfundidadDeEquilibrio) {
    Problema p{31};
    ASSERT_TRUE(p.Calcular());
    const double ye[] = {p.d.PAG.OutpErosMaxi1, p.d.PAG.OutpErosMaxi2, p.d.PAG.OutpErosMaxi3, p.d.PAG.OutpErosMaxi4};
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(p.grafico.Serie(k).equilibrios, std::vector<double>{ye[k - 1]}) << k;
    EXPECT_LT(p.grafico.Serie(2).puntos.back().y, ye[1] - 0.2);  // Ruff's curve stops short of its 3.79 m
    p.Calcular();
    EXPECT_EQ(p.grafico.Serie(1).equilibrios, (std::vector<double>{ye[0], ye[0]}));
    p.grafico.Limpiar();
    for (int k = 1; k <= 4; ++k) EXPECT_TRUE(p.grafico.Serie(k).equilibrios.empty()) << k;
}

// The legend lists what the chart draws: a series with points or with an
// equilibrium line above 0, whatever its title; a slot that is not active,
// or a formula with neither curve nor line, is left out.
TEST(EnLeyenda, SoloLoQueSeDibuja) {
    struct Caso {
        const char* titulo;
        std::vector<TPunto> puntos;
        std::vector<double> equilibrios;
        bool enLeyenda;
    };
    const Caso casos[] = {
        {"inactivo", {}, {}, false},
        {"inactivo", {{0, 0}, {1, 0.5}}, {}, true},
        {"Melville", {}, {}, false},
        {"Melville", {}, {0}, false},
        {"Melville", {}, {0.57}, true},
        {"Melville", {{0, 0}}, {}, true},
        {"(a)", {{0, 0}}, {1}, true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.titulo) + " " + std::to_string(c.puntos.size()) + " " +
                     std::to_string(c.equilibrios.size()));
        EXPECT_EQ(EnLeyenda(TSerie{c.titulo, c.puntos, c.equilibrios}), c.enLeyenda);
    }
}

// The pier with shape and group factors 1: Breusers' 0.57 m lies below the
// 1.2 m depth, so the time law draws no curve for it (ln(1 - h/ye)), but its
// dashed line stands at its depth and keeps its legend entry; CSU and
// Johnson get their curves; the fourth slot, no formula, leaves the legend.
TEST(EnLeyenda, PilaConBreusersBajoElTirante) {
    Problema p{22, {{"EstrFactFormKs", "1"}, {"EstrFactGrup", "1"}}};
    ASSERT_TRUE(p.Calcular());
    ASSERT_LT(p.d.PPi.OutpErosMaxi1, p.d.FlujTiraRest);
    EXPECT_TRUE(p.grafico.Serie(1).puntos.empty());
    EXPECT_EQ(p.grafico.Serie(1).equilibrios, std::vector<double>{p.d.PPi.OutpErosMaxi1});
    for (int k = 2; k <= 3; ++k) EXPECT_FALSE(p.grafico.Serie(k).puntos.empty()) << k;
    for (int k = 1; k <= 3; ++k) EXPECT_TRUE(EnLeyenda(p.grafico.Serie(k))) << k;
    EXPECT_EQ(p.grafico.Serie(4).titulo, "inactivo");
    EXPECT_FALSE(EnLeyenda(p.grafico.Serie(4)));
}

TEST(NombreArchivoGrafico, TituloYFechaSinExtension) {
    struct Caso {
        const char* titulo;
        const char* nombre;
    };
    const Caso casos[] = {
        {"Problema de la Pila", "Problema de la Pila 2024-05-31"},
        {"Problema Estribo/Espigón", "Problema Estribo-Espigón 2024-05-31"},
        {"", "Gráfico 2024-05-31"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.titulo);
        EXPECT_EQ(NombreArchivoGrafico(c.titulo, "2024-05-31"), c.nombre);
    }
}

// Without a curve, the chart's place says why: the formulas whose
// equilibrium depth does not pass the flow depth, or that none had a time
// scale.  With a curve, nothing.
TEST(TextoSinCurvas, DiceElPorque) {
    TGrafico g;
    g.Serie(1).titulo = "Breusers";
    g.Serie(1).equilibrios = {0.67};
    g.Serie(2).titulo = "CSU";
    g.Serie(2).equilibrios = {1.2};
    EXPECT_EQ(TextoSinCurvas(g, 3),
              "Sin curvas de evolución: la ley de evolución parte del tirante h = 3.00 m y solo se traza cuando la "
              "erosión de equilibrio ys lo supera; aquí ninguna lo hace:\nBreusers: ys = 0.67 m\nCSU: ys = 1.20 m");
    EXPECT_TRUE(TextoSinCurvas(TGrafico{}, 3).starts_with("Sin curvas de evolución: con estos datos ninguna"));
    g.Serie(3).puntos = {{0, 3}, {1, 3.5}};
    EXPECT_EQ(TextoSinCurvas(g, 3), "");
}
