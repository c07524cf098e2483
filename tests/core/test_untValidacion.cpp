// The formulas against measured scour: the statistics of the ratio
// measured / predicted, and which rows count for which formula.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "results/untLote.h"
#include "results/untBarrido.h"
#include "results/untValidacion.h"

namespace {

// Ratios whose statistics are worked out by hand.  For {2, 0.5, 4, 1}:
// mean 7.5/4 = 1.875; sorted 0.5 1 2 4, median (1 + 2)/2 = 1.5; squared
// deviations 1.890625 + 0.765625 + 0.015625 + 4.515625 = 7.1875, s =
// sqrt(7.1875/3) = 1.5478479, cv = s/1.875 = 0.8255189; above 1: 2 and 4
// (1 is not), 0.5; r95: h = 3 * 0.95 = 2.85, 2 + 0.85 (4 - 2) = 3.7.
TEST(Validacion, EstadisticaCalculadaAMano) {
    struct Caso {
        std::vector<double> cocientes;
        std::size_t n;
        double sesgo, mediana;
        std::optional<double> cv;
        double subestimados, r95;
    };
    const Caso casos[] = {
        {{2, 0.5, 4, 1}, 4, 1.875, 1.5, 0.8255189, 0.5, 3.7},
        // One row: no spread; every quantile is the row.
        {{1.25}, 1, 1.25, 1.25, std::nullopt, 1, 1.25},
        // Odd count: the median is the middle value; h = 4 * 0.95 = 3.8.
        {{3, 1, 2, 5, 4}, 5, 3, 3, std::sqrt(2.5) / 3, 0.8, 4.8},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(::testing::PrintToString(c.cocientes));
        const auto e = Estadistica("F", c.cocientes);
        ASSERT_TRUE(e);
        EXPECT_EQ(e->formula, "F");
        EXPECT_EQ(e->n, c.n);
        EXPECT_NEAR(e->sesgo, c.sesgo, 1e-12);
        EXPECT_NEAR(e->mediana, c.mediana, 1e-12);
        ASSERT_EQ(e->cv.has_value(), c.cv.has_value());
        if (c.cv) {
            EXPECT_NEAR(*e->cv, *c.cv, 1e-7);
        }
        EXPECT_NEAR(e->subestimados, c.subestimados, 1e-12);
        EXPECT_NEAR(e->r95, c.r95, 1e-12);
    }
    EXPECT_FALSE(Estadistica("F", {}));
}

// A small file: a full row, a row without its measurement, a rejected text,
// a flow too slow for Breusers (its depth is zero), a line with too few
// cells.  The "#" line before the header is skipped.
TEST(Validacion, FilasQueCuentanPorFormula) {
    std::istringstream archivo(
        "# mediciones de prueba\n"
        "codigo,FlujCaud,FlujTiraRest,EstrFactFormKs,EstrFactGrup,ys_medida,sitio,fecha\n"
        "22,1000,1.2,1,1,1.5,Puente A,2001-05-02\n"
        "22,1000,1.2,1,1,,Puente B,\n"
        "22,mil,1.2,1,1,2,Puente C,\n"
        "22,1,1.2,1,1,0.1,Puente D,\n"
        "22,1000,1.2\n");
    const TValidacion v = Validar(archivo, 2);
    ASSERT_FALSE(v.errorArchivo);
    ASSERT_EQ(v.filas.size(), 5u);
    EXPECT_EQ(v.formulas, (std::vector<std::string>{"Breusers", "CSU", "Johnson"}));
    EXPECT_EQ(v.filas[0].linea, 3u);
    EXPECT_EQ(v.filas[0].sitio, "Puente A");
    EXPECT_EQ(v.filas[0].fecha, "2001-05-02");
    EXPECT_FALSE(v.filas[1].medida);
    ASSERT_EQ(v.rechazados.size(), 3u);
    EXPECT_EQ(v.rechazados[0], (std::pair<std::string, std::size_t>{"ys_medida vacía: falta la erosión medida", 1}));
    EXPECT_EQ(v.rechazados[2], (std::pair<std::string, std::size_t>{"la línea tiene 3 valores y el encabezado 8", 1}));
    EXPECT_EQ(v.rechazados[1].second, 1u);
    EXPECT_EQ(v.lineasRechazadas, (std::vector<std::vector<std::size_t>>{{4}, {5}, {7}}));
    EXPECT_EQ(v.claves, (std::vector<std::string>{"ys_pila_breusers_m", "ys_pila_csu_m", "ys_pila_johnson_m"}));
    EXPECT_TRUE(v.filas[2].error);
    EXPECT_EQ(v.filas[3].predichas[0], 0.0);  // U/Uc <= 0.5: no scour by Breusers
    ASSERT_TRUE(v.filas[3].predichas[1]);
    EXPECT_GT(*v.filas[3].predichas[1], 0);
    ASSERT_TRUE(v.filas[0].factorGradacion);
    EXPECT_GT(*v.filas[0].factorGradacion, 0);

    const std::vector<TEstadistica> e = Estadisticas(v);
    ASSERT_EQ(e.size(), 3u);
    // Breusers: row A only (D's depth is zero, B has no measurement).
    EXPECT_EQ(e[0].n, 1u);
    EXPECT_DOUBLE_EQ(e[0].sesgo, 1.5 / *v.filas[0].predichas[0]);
    // CSU and Johnson: rows A and D.
    for (std::size_t i : {1u, 2u}) {
        SCOPED_TRACE(v.formulas[i]);
        EXPECT_EQ(e[i].n, 2u);
        const double a = 1.5 / *v.filas[0].predichas[i], d = 0.1 / *v.filas[3].predichas[i];
        EXPECT_DOUBLE_EQ(e[i].sesgo, (a + d) / 2);
        EXPECT_DOUBLE_EQ(e[i].subestimados, (a > 1) / 2.0 + (d > 1) / 2.0);
    }
}

TEST(Validacion, EncabezadoInutilizable) {
    std::istringstream archivo("codigo,medida\n22,1\n");
    const TValidacion v = Validar(archivo);
    ASSERT_TRUE(v.errorArchivo);
    EXPECT_EQ(*v.errorArchivo, "línea 1: columna desconocida: medida");
}

// The per-row CSV: the inputs, the measurement, each formula's depth and
// ratio, the rejection.
TEST(Validacion, CsvDeFilas) {
    std::istringstream archivo(
        "codigo,FlujCaud,EstrFactFormKs,EstrFactGrup,ys_medida,sitio\n"
        "22,1000,1,1,1.5,\"Puente, A\"\n"
        "22,-5,1,1,1,B\n");
    const TValidacion v = Validar(archivo, 1);
    std::ostringstream salida;
    EscribirFilas(salida, v);
    std::istringstream lineas(salida.str());
    std::string encabezado, a, b;
    std::getline(lineas, encabezado);
    std::getline(lineas, a);
    std::getline(lineas, b);
    EXPECT_EQ(encabezado,
              "codigo,FlujCaud,EstrFactFormKs,EstrFactGrup,ys_medida,sitio,ys_medida_m,Breusers [m],Breusers "
              "medida/calculada,CSU [m],CSU medida/calculada,Johnson [m],Johnson medida/calculada,error");
    EXPECT_TRUE(a.starts_with("22,1000,1,1,1.5,\"Puente, A\",1.5,")) << a;
    EXPECT_TRUE(a.ends_with(",")) << a;  // no error
    const std::string rechazada = "22,-5,1,1,1,B,1,,,,,,,";
    EXPECT_TRUE(b.starts_with(rechazada)) << b;
    EXPECT_GT(b.size(), rechazada.size()) << b;  // its message

    // The summary, as the window's workbook holds it beside the rows: the
    // statistics at full precision, the cases, the rejected rows.
    const std::vector<TEstadistica> e = Estadisticas(v);
    ASSERT_EQ(e.size(), 3u);
    std::string esperado = "formula,n,sesgo,mediana,cv,subestimados,r95\n";
    for (const TEstadistica& x : e) {
        const double cociente = 1.5 / *v.filas[0].predichas[std::size_t(&x - e.data())];
        esperado += x.formula + ",1," + TextoValor(cociente) + "," + TextoValor(cociente) + ",," +
                    (cociente > 1 ? "1" : "0") + "," + TextoValor(cociente) + "\n";
    }
    esperado += "Casos,2\nRechazados,1," + v.rechazados[0].first + "\n";
    EXPECT_EQ(CsvResumenValidacion(v), esperado);
}

}  // namespace
