// Formula slots of each code: captions, activation from the filled fields.
#include <gtest/gtest.h>

#include "problem/untActivacion.h"
#include "problem/untCoeficientes.h"

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

// Which code's rule a change of each field's text applies.
TEST(CodigoDeCambio, ReglaPorCampoYCodigoActual) {
    struct Caso { const char* campo; ProblemCode actual; ProblemCode regla; };
    const Caso casos[] = {
        // Fields of one code apply its rule whatever the current code.
        {"EstrAnguAtaq", 22, 22}, {"EstrAnguAtaq", 212, 22}, {"SediDiam84N3", 0, 22}, {"EstrFactGrup", 31, 22},
        {"EstrFactCurv", 22, 212}, {"EstrFactAngu", 212, 212}, {"EstrFactPoro", 1122, 212},
        {"CaucPoro", 121, 111}, {"EstrCoefMannPlat", 22, 111},
        // Shared fields apply the current code's rule when it uses them.
        {"SediAnguRepo", 22, 22}, {"SediAnguRepo", 122, 122}, {"SediAnguRepo", 1121, 1121},
        {"SediAnguRepo", 1122, 1122}, {"SediAnguRepo", 31, 0}, {"SediAnguRepo", 212, 0},
        {"EstrFactFormKs", 22, 22}, {"EstrFactFormKs", 212, 212}, {"EstrFactFormKs", 122, 0},
        {"EstrFactFormKb", 22, 22}, {"EstrFactFormKl", 212, 212}, {"EstrFactFormKl", 0, 0},
        {"SediDiam90N3", 31, 31}, {"SediDiam90N3", 122, 122}, {"SediDiam90N3", 1122, 1122},
        {"SediDiam90N3", 22, 0},
        {"FlujDifeCargRest", 122, 122}, {"FlujDifeCargRest", 1121, 1121}, {"FlujDifeCargRest", 31, 0},
        {"FlujAnguChorSupeLibr", 1122, 1122}, {"FlujAnguChorSupeLibr", 122, 0},
        // Fields of the other pages have no change rule.
        {"AguaDens", 22, 0}, {"EstrAnchPila", 22, 0},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.campo) + " " + std::to_string(c.actual));
        EXPECT_EQ(CodigoDeCambio(c.campo, c.actual), c.regla);
    }
}

// Activation of the jet codes: one missing field of a formula's set makes
// it inactive, an entry whatever its text counts as filled.
TEST(EstadoFormulas, CodigosDeChorro) {
    struct Caso { ProblemCode codigo; const char* vacio; TEstadoFormulas estado; };
    const Caso casos[] = {
        {1121, "", {1, 0, 0, 0}},
        {1121, "SediDiam90N3", {2, 0, 0, 0}},
        {1121, "FlujAnguChorSupeLibr", {2, 0, 0, 0}},
        {1122, "", {1, 1, 0, 0}},
        {1122, "SediAnguRepo", {2, 1, 0, 0}},  // Fahlbusch does not need it
        {1122, "FlujDifeCargRest", {2, 2, 0, 0}},
        {122, "FlujDifeCargRest", {2, 1, 1, 1}},
        {122, "SediDiam90N3", {2, 1, 1, 2}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::to_string(c.codigo) + " " + c.vacio);
        TTextosCampos t = TextosPorDefecto();
        t["SediAnguRepo"] = "no es un número";
        if (*c.vacio) t[c.vacio] = "";
        EXPECT_EQ(EstadoFormulas(c.codigo, t), c.estado);
    }
}

// The rows with a picker button are exactly the fields that have a dialog.
TEST(FilasComplementarias, SelectoresDeLasFilas) {
    for (ProblemCode codigo : {22, 31, 111, 121, 122, 211, 212, 1121, 1122}) {
        for (const TFilaComplementaria& f : FilasComplementarias(codigo)) {
            SCOPED_TRACE(std::to_string(codigo) + " " + std::string(f.campo));
            EXPECT_EQ(f.selector, !SelectorDeCampo(f.campo).empty());
            ASSERT_NE(BuscarCampo(f.campo), nullptr);
            EXPECT_EQ(BuscarCampo(f.campo)->pagina, 3);
        }
    }
}
