// The front door: one call from a problem to everything a front end shows,
// and each way it can fail as a kind with the user's message.
#include <gtest/gtest.h>

#include "turmado.h"
#include "problema.h"

// Each failure reaches the caller as its kind and message, with what was
// reached before (the protection message of the way) and no warnings.
TEST(Fachada, CadaFalloConSuClase) {
    struct Caso {
        const char* que;
        TProblema p;
        TClaseError clase;
        std::string mensaje;
        std::size_t mensajes;  // messages of the way kept
    };
    const Caso casos[] = {
        {"texto rechazado", Con(22, {}, {{"EstrAnchPila", "1,5"}}), TClaseError::TextoRechazado,
         "EstrAnchPila: El valor ingresado no es válido.", 0},
        {"sin respuesta del chorro", Con(11, {}, {{"EstrLongPlat", "4"}}), TClaseError::Chorro, ErrorChorro().what(),
         1},
        // 15 m of roughness against 1.2 m of depth: ln(12 h / ks) <= 0.
        {"rugosidad de 12 tirantes", Con(22, {}, {{"AltuRugoCauc", "15000"}}, true), TClaseError::Rechazo,
         kMensajeRugosidad, 0},
        // -20 degC passes the field and divides by zero in the viscosity.
        {"fallo de coma flotante", Con(12, {}, {{"EstrLongPlat", "4"}, {"AguaTemp", "-20"}}), TClaseError::Flotante,
         kTextoDivisionCero, 1},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        const TSolucion s = Resolver(c.p);
        ASSERT_TRUE(s.fallo);
        EXPECT_EQ(s.fallo->Clase(), c.clase);
        EXPECT_EQ(s.fallo->what(), c.mensaje);
        EXPECT_EQ(s.mensajes.size(), c.mensajes);
        EXPECT_TRUE(s.datos.empty());
    }
}

// A solved problem carries the same rows, warnings and data warnings as the
// separate calls, and the curves only when asked, with the same rows.
TEST(Fachada, SolucionCompleta) {
    // A pier in a widely graded bed: d84 = 200 mm over d50 = 1 mm warns.
    const TProblema p = Con(22, {}, {{"SediDiamMedi", "1"}, {"SediDiam84N3", "200"}});
    const TSolucion s = Resolver(p);
    ASSERT_FALSE(s.fallo) << s.fallo->what();
    TResultado r;
    ResolverProblema(p, r);
    ASSERT_EQ(s.filas.size(), r.filas.size());
    for (std::size_t i = 0; i < r.filas.size(); ++i) EXPECT_EQ(s.filas[i].valor, r.filas[i].valor) << i;
    const TAvisos avisos = AvisosRangos(r.d.CodiProb, r.d);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(s.validez[k].estado, avisos[k].estado) << k;
        EXPECT_EQ(s.validez[k].fuera.size(), avisos[k].fuera.size()) << k;
    }
    const std::vector<TAvisoDato> datos = AvisosDatos(r.d.CodiProb, p.textos);
    ASSERT_FALSE(datos.empty());
    ASSERT_EQ(s.datos.size(), datos.size());
    for (std::size_t i = 0; i < datos.size(); ++i) EXPECT_EQ(s.datos[i].texto, datos[i].texto);

    auto puntos = [](const TSolucion& x) {
        std::size_t n = 0;
        for (const TSerie& serie : x.grafico.series) n += serie.puntos.size();
        return n;
    };
    // The narrow culvert draws its evolution curves.
    const TSolucion conCurvas = Resolver(Con(31, {}));
    EXPECT_GT(puntos(conCurvas), 0u);
    const TSolucion sinCurvas = Resolver(Con(31, {}), {.curvas = false});
    EXPECT_EQ(puntos(sinCurvas), 0u);
    ASSERT_EQ(sinCurvas.filas.size(), conCurvas.filas.size());
    for (std::size_t i = 0; i < conCurvas.filas.size(); ++i)
        EXPECT_EQ(sinCurvas.filas[i].valor, conCurvas.filas[i].valor) << i;
}
