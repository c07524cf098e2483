// A problem outside the window: which field texts pass, the wizard walked
// from the answers, and the whole run from answers to results rows.
#include <gtest/gtest.h>

#include "problem/untProblema.h"
#include "problema.h"
#include "results/untResolver.h"

TEST(Problema, TextosQueUnCampoRechaza) {
    struct Caso { const char* nombre; const char* texto; std::optional<std::string> rechazo; };
    const Caso casos[] = {
        {"AguaDens", " 1000", std::nullopt},                                     // leading blanks pass
        {"AguaDens", "1000 ", "AguaDens: El valor ingresado no es válido."},     // trailing ones do not
        {"AguaDens", "12,5", "AguaDens: El valor ingresado no es válido."},
        {"SediDiamMedi", "0.05", "SediDiamMedi: Solo se considera sedimento no cohesivo (d50 > 62 micr)"},
        {"CaucPoro", "", std::nullopt},                                          // empty porosity goes on
        {"EstrCoefMannPlat", "", "EstrCoefMannPlat: El valor ingresado no es válido."},
        {"SediDiam90N3", "no es un número", std::nullopt},                       // taken as it stands
        {"edtAguaDens", "1000", "campo desconocido: edtAguaDens"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.nombre) + "=" + c.texto);
        TTextosCampos t = TextosPorDefecto();
        t[c.nombre] = c.texto;
        EXPECT_EQ(TextoRechazado(t), c.rechazo);
    }
    EXPECT_EQ(TextoRechazado(TextosPorDefecto()), std::nullopt);
}

// The answers walked to the code the results level reads: the protection
// check decides between the protected and unprotected types; a bed step
// whose protection is too short waits on the jet question (112) without it.
TEST(Problema, CodigoFinalDeLasRespuestas) {
    struct Caso { TProblema p; ProblemCode codigo; };
    const Caso casos[] = {
        {Con(0, {}), 0},
        {Con(2, {}), 0},  // phenomenon alone: the data pages only
        {Con(22, {}), 22},
        {Con(31, {}), 31},
        {Con(11, {}), 111},
        {Con(11, {}, {{"EstrLongPlat", "4"}}), 112},
        {Con(11, 0, {{"EstrLongPlat", "4"}}), 1122},
        {Con(11, 1, {{"EstrLongPlat", "4"}}), 1121},
        {Con(11, 1), 111},  // a jet answer not asked for changes nothing
        {Con(12, {}), 121},
        {Con(12, {}, {{"EstrLongPlat", "4"}}), 122},
        {Con(21, {}), 211},
        {Con(21, {}, {{"EstrLongPlat", "0.6"}}), 212},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.codigo);
        EXPECT_EQ(CodigoFinal(c.p), c.codigo);
    }
}

// The whole run gives what the window's road gives: the same record, panel,
// curves and rows as the fixture that walks the pages one by one.
TEST(Problema, ResolverComoLaVentana) {
    struct Caso { ProblemCode final; TProblema p; };
    const Caso casos[] = {
        {22, Con(22, {})},
        {31, Con(31, {})},
        {111, Con(11, {})},
        {122, Con(12, {}, {{"EstrLongPlat", "4"}})},
        {212, Con(21, {}, {{"EstrLongPlat", "0.5"}})},
        {1121, Con(11, 1, {{"EstrLongPlat", "4"}})},
        {1122, Con(11, 0, {{"EstrLongPlat", "4"}})},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.final);
        Problema ventana(c.final);
        const auto titulo = ventana.Calcular();
        TResultado r;
        ResolverProblema(c.p, r);
        EXPECT_EQ(r.d.CodiProb, c.final);
        EXPECT_EQ(r.titulo, titulo);
        EXPECT_EQ(r.mensajes.size(), c.p.textos.at("EstrLongPlat") == "8.75" ? 0u : 1u);
        ASSERT_EQ(r.filas.size(), ventana.Filas().size());
        for (std::size_t i = 0; i < r.filas.size(); ++i) EXPECT_EQ(r.filas[i].valor, ventana.Filas()[i].valor) << i;
        for (int k = 1; k <= 4; ++k) {
            EXPECT_EQ(r.panel.Activa(k), ventana.panel.Activa(k));
            EXPECT_EQ(r.grafico.Serie(k).puntos.size(), ventana.grafico.Serie(k).puntos.size());
        }
    }
}

TEST(Problema, ResolverSinRespuestaDelChorroOConFallo) {
    TResultado r;
    EXPECT_THROW(ResolverProblema(Con(11, {}, {{"EstrLongPlat", "4"}}), r), ErrorChorro);
    EXPECT_EQ(r.mensajes, std::vector<std::string>{kMensajeProteccion});  // shown before the question

    // -20 degC passes the field and divides by zero in the viscosity; the
    // protection message of the way stays.
    TResultado f;
    EsperarFallo(kTextoDivisionCero, [&] {
        ResolverProblema(Con(12, {}, {{"EstrLongPlat", "4"}, {"AguaTemp", "-20"}}), f);
    });
    EXPECT_EQ(f.mensajes.size(), 1u);
    EXPECT_DOUBLE_EQ(f.d.AguaTemp, -20);  // written before the fault

    // Without answers only the common rows.
    TResultado c;
    ResolverProblema(Con(3, {}), c);
    EXPECT_EQ(c.d.CodiProb, 0);
    EXPECT_FALSE(c.titulo);
    EXPECT_EQ(c.filas.size(), 4u);
}
