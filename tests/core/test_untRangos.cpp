// Calibration and validation ranges: which table each formula slot opens.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "results/untRangos.h"

TEST(TablaRango, VentanaDeCadaCodigoYRanura) {
    struct Caso { ProblemCode codigo; const char* ventanas[4]; };  // "" where there is none
    const Caso casos[] = {
        {31, {"RangPAGRaBe", "RangPAGRuff", "RangPAGBreu", "RangPAGHoff"}},
        {122, {"RangPACQayo", "RangPACAlBa", "RangPACBreu", "RangPACHoff"}},
        {1121, {"RangPEnBoJu", "", "", ""}},
        {1122, {"RangPCZBoJu", "RangPCZFahl", "", ""}},
        {22, {"", "", "", ""}},
        {111, {"", "", "", ""}},
        {121, {"", "", "", ""}},
        {211, {"", "", "", ""}},
        {212, {"", "", "", ""}},
        {0, {"", "", "", ""}},
        {112, {"", "", "", ""}},
    };
    for (const Caso& c : casos) {
        for (int k = 1; k <= 4; ++k) {
            SCOPED_TRACE(std::to_string(c.codigo) + " ranura " + std::to_string(k));
            const TTablaRango* t = TablaRango(c.codigo, k);
            EXPECT_EQ(t ? std::string(t->nombre) : std::string(), c.ventanas[k - 1]);
        }
    }
    EXPECT_EQ(TablaRango(31, 0), nullptr);
    EXPECT_EQ(TablaRango(31, 5), nullptr);
}

TEST(TablaRango, TitulosYFilas) {
    const auto tablas = TablasRango();
    ASSERT_EQ(tablas.size(), 11u);
    std::set<std::string_view> nombres;
    for (const TTablaRango& t : tablas) {
        SCOPED_TRACE(std::string(t.nombre));
        nombres.insert(t.nombre);
        EXPECT_TRUE(t.titulo.starts_with("Fórmula de "));
        // Six rows, and the angle of the jet for the step and the plunging jet.
        EXPECT_EQ(t.filas.size(), t.nombre.starts_with("RangPEn") || t.nombre.starts_with("RangPCZ") ? 7u : 6u);
        EXPECT_EQ(t.filas.front().parametro, "Diámetro Medio (d50)");
        EXPECT_EQ(t.filas.front().unidad, "[mm]");
        EXPECT_EQ(t.filas.back().parametro, "Tipo de chorro");
    }
    EXPECT_EQ(nombres.size(), 11u);

    const TTablaRango& fahl = *TablaRango(1122, 2);
    EXPECT_EQ(fahl.titulo, "Fórmula de Fahlbusch");
    EXPECT_EQ(fahl.filas[5].parametro, "Angulo chorro/sup. libre");
    EXPECT_EQ(fahl.filas[5].unidad, "[º]");
    EXPECT_EQ(fahl.filas[5].calibracion, "0.1/1.6");
    EXPECT_EQ(fahl.filas[5].validacion, "");  // calibration only
    const TTablaRango& breu = *TablaRango(122, 3);
    EXPECT_EQ(breu.filas[0].calibracion, "");  // validation only
    EXPECT_EQ(breu.filas[0].validacion, "0.43/9.7");
    EXPECT_EQ(TablaRango(122, 1)->filas[3].calibracion, "-");
    EXPECT_EQ(TablaRango(31, 2)->filas[5].validacion, "Sumergido y no sumergido");
    EXPECT_EQ(TablaRango(122, 2)->titulo, "Fórmula de Altinbilek & Basmaci");
}
