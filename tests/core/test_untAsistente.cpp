// Wizard answers and the road of each classification to its final code.
#include <gtest/gtest.h>

#include "problema.h"

TEST(Asistente, CodificacionDeRespuestas) {
    EXPECT_EQ(CodificarObstaculo(1, 0), 3);
    EXPECT_EQ(CodificarObstaculo(1, 1), 4);
    EXPECT_EQ(CodificarObstaculo(2, 0), 5);
    EXPECT_EQ(CodificarObstaculo(2, 1), 6);
    EXPECT_EQ(CodificarObstaculo(3, 0), 7);
    EXPECT_FALSE(CodificarObstaculo(3, 1));  // "en fondo y orilla": inactive branch
    EXPECT_FALSE(CodificarObstaculo(0, 0));
    EXPECT_FALSE(CodificarObstaculo(1, -1));
    EXPECT_EQ(CodificarChorro(0), 8);
    EXPECT_EQ(CodificarChorro(1), 9);
    TDatosProblema d;
    for (ProblemCode c : {0, 4, 11}) EXPECT_FALSE(ElegirFenomeno(d, c)) << c;
    EXPECT_EQ(d.ElecFeno, 0);
    EXPECT_EQ(d.CodiProb, 0);
    EXPECT_TRUE(ElegirFenomeno(d, 3));
    EXPECT_EQ(d.ElecFeno, 2);
    EXPECT_EQ(d.CodiProb, 3);
    EXPECT_FALSE(ElegirEstructura(d, 32));
    EXPECT_FALSE(ElegirEstructura(d, 13));
    EXPECT_TRUE(ElegirEstructura(d, 21));
    EXPECT_EQ(d.ElecFeno, 1);
    EXPECT_EQ(d.ElecObst, 5);
    EXPECT_EQ(d.CodiProb, 21);
}

TEST(Asistente, CadaCaminoLlegaASuCodigo) {
    for (ProblemCode c : {22, 31, 111, 121, 122, 211, 212, 1121, 1122}) {
        SCOPED_TRACE(c);
        Problema p(c);
        EXPECT_EQ(p.d.CodiProb, c);
        EXPECT_EQ(CalcularCodigo(4, p.d), c);
    }
}

// The questions' items line up with the codes they lead to: item i of the
// phenomenon question is first-level code i + 1, item i of its obstacle
// question the second-level code 10 c + i + 1 (the inactive branch aside),
// and the jet's items the bytes 8 and 9.
TEST(Asistente, PreguntasYSusCodigos) {
    ASSERT_EQ(PreguntaFenomeno().items.size(), 3u);
    for (ProblemCode c = 1; c <= 3; ++c) {
        const TPregunta* q = PreguntaObstaculo(c);
        ASSERT_TRUE(q);
        EXPECT_EQ(q->titulo, "Obstáculo");
        for (int i = 0; i < int(q->items.size()); ++i) {
            SCOPED_TRACE(std::string(q->items[i]));
            TDatosProblema d;
            const bool activa = ElegirEstructura(d, ProblemCode(10 * c + i + 1));
            EXPECT_EQ(activa, q->items[i] != "en fondo y orilla");
            if (activa) {
                EXPECT_EQ(CalcularCodigo(1, d), c);
            }
        }
    }
    EXPECT_FALSE(PreguntaObstaculo(0));
    EXPECT_FALSE(PreguntaObstaculo(4));
    EXPECT_EQ(PreguntaChorro().items.size(), 2u);
    EXPECT_EQ(PreguntaChorro().items[1], "desliza sobre escalón");
}
