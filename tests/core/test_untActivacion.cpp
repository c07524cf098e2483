// Formula slots of each code: captions, activation from the filled fields.
#include <gtest/gtest.h>

#include "problem/untActivacion.h"

namespace {

std::string Estado(const TPanelFormulas& p) {
    std::string s;
    for (int k = 1; k <= 4; ++k) s += !p.Ranura(k).visible ? '-' : p.Activa(k) ? 'A' : 'i';
    return s;
}

TPanelFormulas Mostrar(ProblemCode codigo, const TTextosCampos& textos) {
    TPanelFormulas p;
    MostrarComplementarios(codigo, textos, p);
    return p;
}

}  // namespace

// With the default texts of the complementary fields.
TEST(EstadoFormulas, TextosPorDefecto) {
    const TTextosCampos t = TextosPorDefecto();
    struct Caso { ProblemCode codigo; const char* estado; };
    const Caso casos[] = {
        {22, "iiii"},   // Ks, group factor and angle of repose are empty
        {31, "AAAA"},   // d90 "250"
        {111, "A---"}, {121, "A---"},
        {122, "AiAA"},  // angle of repose empty
        {211, "i---"},  // never activated: "Dietz" stays plain
        {212, "iiAi"},  // factors empty: only "Dietz"
        {1121, "i---"}, // angle of repose empty
        {1122, "iA--"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.codigo);
        EXPECT_EQ(Estado(Mostrar(c.codigo, t)), c.estado);
    }
}

TEST(EstadoFormulas, CamposLlenadosYVaciados) {
    TTextosCampos t = TextosPorDefecto();
    t["EstrFactFormKs"] = "x";  // any text counts as filled
    t["EstrFactGrup"] = "1";
    EXPECT_EQ(Estado(Mostrar(22, t)), "AAAi");
    t["SediDiam84N3"] = "";
    EXPECT_EQ(Estado(Mostrar(22, t)), "AAii");
    t["SediAnguRepo"] = "30";
    EXPECT_EQ(Estado(Mostrar(22, t)), "AAiA");

    t["SediDiam90N3"] = "";
    EXPECT_EQ(Estado(Mostrar(31, t)), "AAAi");
    EXPECT_EQ(Estado(Mostrar(122, t)), "iAAi");

    t["CaucPoro"] = "";
    EXPECT_EQ(Estado(Mostrar(111, t)), "i---");

    for (const char* campo : {"EstrFactCurv", "EstrFactAngu", "EstrFactPoro", "EstrFactFormKl"}) t[campo] = "1";
    EXPECT_EQ(Estado(Mostrar(212, t)), "AAAi");
    t["EstrFactFormKb"] = "1";
    EXPECT_EQ(Estado(Mostrar(212, t)), "AAAA");

    EXPECT_EQ(EstadoFormulas(0, t), (TEstadoFormulas{0, 0, 0, 0}));
    EXPECT_EQ(EstadoFormulas(112, t), (TEstadoFormulas{0, 0, 0, 0}));
    EXPECT_EQ(EstadoFormulas(111, t), (TEstadoFormulas{2, 0, 0, 0}));
}

TEST(PrepararPanel, TitulosYRanurasOcultas) {
    TPanelFormulas p;
    EXPECT_EQ(PrepararPanel(22, p), 4);
    EXPECT_TRUE(p.visible);
    EXPECT_EQ(p.Titulo(1), "Breusers");
    EXPECT_EQ(p.Titulo(4), "Longitud de falla crítica");
    p.Ranura(2).activa = true;
    EXPECT_EQ(PrepararPanel(1122, p), 2);
    EXPECT_EQ(p.Titulo(1), "Bornmann y Julien");
    EXPECT_EQ(p.Titulo(2), "Fahlbusch");
    EXPECT_FALSE(p.Activa(2));  // shown slots start plain
    EXPECT_EQ(p.Titulo(3), "inactivo");
    EXPECT_FALSE(p.Ranura(3).visible);
    p.Ranura(4).activa = true;
    EXPECT_EQ(PrepararPanel(211, p), 1);
    EXPECT_EQ(p.Titulo(1), "Dietz");
    EXPECT_TRUE(p.Activa(4));  // hidden slots keep their style
    EXPECT_EQ(PrepararPanel(112, p), 0);
    EXPECT_FALSE(p.visible);

    EXPECT_EQ(CamposResaltados(122, 4).size(), 2u);
    EXPECT_EQ(FilasComplementarias(22).size(), 5u);
    EXPECT_TRUE(FilasComplementarias(211).empty());
}
