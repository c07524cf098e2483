// Tables of the coefficient pickers: what choosing each row returns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "problem/untCoeficientes.h"

namespace {

// Returned value of every row in order, then the value with nothing chosen
// and past the last row.
void EsperarValores(const char* nombre, const std::vector<std::string>& valores) {
    SCOPED_TRACE(nombre);
    const TTablaCoef* t = TablaCoef(nombre);
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->filas.size(), valores.size());
    for (int i = 0; i < int(valores.size()); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(ValorElegido(*t, i), valores[i]);
        EXPECT_EQ(t->filas[i].celdas.size(), t->columnas.size());
    }
    EXPECT_EQ(ValorElegido(*t, -1), "");
    EXPECT_EQ(ValorElegido(*t, int(valores.size())), "");
}

}  // namespace

TEST(TablasCoef, ValorDeCadaFila) {
    // Ranges are returned as one value: "30/34" gives 32, "0/20" gives 10.
    EsperarValores("AnguRepo", {"45", "38", "32", "40", "34", "30", "32", "29", "27", "15", "10"});
    EsperarValores("CIFOks", {"0.75", "0.7", "1.0", "1.1", "0.9", "1.0", "0.86", "0.7", "0.76", "1.2"});
    EsperarValores("AhmaCICC", {"1.00", "1.10", "0.85", "1.40", "1.10"});
    EsperarValores("AhmaCIAA", {"0.8", "0.9", "0.95", "1", "1.05", "1.1"});
    EsperarValores("AhmaCIPO", {"1", "0.9", "0.6"});
    EsperarValores("CIFOkb",
                   {"1.5", "1.5", "1.5", "2.25", "3", "3", "0.75", "1.25", "1.5", "2", "0.75", "1", "1.5", "1"});
    EsperarValores("CIFOkl", {"1.10", "2.15"});
    // The abutment's Ks: vertical wall, with wing walls, spill-through 0.5, 1 and 1.5 H:1V.
    EsperarValores("CIFOksEstribo", {"1.00", "0.75", "0.60", "0.50", "0.45"});
    EXPECT_EQ(TablaCoef("HiGrup"), nullptr);
    EXPECT_EQ(TablasCoef().size(), 8u);
}

TEST(TablasCoef, TextosMostrados) {
    const TTablaCoef& ks = *TablaCoef("CIFOks");
    EXPECT_EQ(ks.titulo, "Corrección por forma");
    EXPECT_EQ(ks.filas[1].celdas[1], "Elíptica");
    EXPECT_EQ(ks.filas[1].celdas[2], "0.6 / 0.8");  // shown around the returned 0.7
    EXPECT_EQ(ks.filas[1].celdas[0], "");           // under "Horizontal"
    const TTablaCoef& repo = *TablaCoef("AnguRepo");
    EXPECT_EQ(repo.filas[6].celdas[2], "30/34");
    EXPECT_EQ(repo.columnas, (std::vector<std::string_view>{"Material", "Compactación", "Angulo"}));
    EXPECT_EQ(TablaCoef("AhmaCIAA")->filas[3].celdas[1], "1.00");
}

TEST(TablasCoef, DialogoDeCadaCampo) {
    struct Caso { const char* campo; ProblemCode codigo; const char* dialogo; };
    const Caso casos[] = {
        {"SediAnguRepo", 22, "AnguRepo"},     {"EstrFactFormKs", 22, "CIFOks"},
        {"EstrFactFormKs", 212, "CIFOksEstribo"},  // the abutment's shapes, not the pier's
        {"EstrFactGrup", 22, "HiGrup"},       {"EstrFactCurv", 212, "AhmaCICC"},
        {"EstrFactAngu", 212, "AhmaCIAA"},    {"EstrFactPoro", 212, "AhmaCIPO"},
        {"EstrFactFormKb", 212, "CIFOkb"},    {"EstrFactFormKl", 212, "CIFOkl"},
        {"EstrAnguAtaq", 22, ""},             {"SediDiam84N3", 22, ""},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.campo);
        EXPECT_EQ(SelectorDeCampo(c.campo, c.codigo), c.dialogo);
    }
}

// Group factor: rb1 ... rb9 the front pier of the nine rows, rb10 ... rb18
// the rear pier.
TEST(HiGrup, ValorDeCadaBoton) {
    const std::vector<std::string> valores{
        "1.00", "1.15", "1.00", "1.90", "1.15", "1.00", "1.90", "1.20", "1.00",   // front
        "0.90", "0.90", "0.80", "1.90", "1.20", "1.00", "1.90", "1.20", "1.00"};  // rear
    for (int b = 1; b <= 18; ++b) {
        SCOPED_TRACE(b);
        EXPECT_EQ(ValorGrupo(b), valores[b - 1]);
    }
    EXPECT_EQ(ValorGrupo(0), "");
    EXPECT_EQ(ValorGrupo(19), "");
    EXPECT_EQ(ValorGrupo(-1), "");
    EXPECT_EQ(FilasHiGrup()[2].espaciamiento, "> 15b");
    EXPECT_EQ(FilasHiGrup()[3].distribucion, TDistribucion::Diagonal);
    EXPECT_EQ(ColumnasHiGrup().size(), 4u);
}
