// Problem codes from the page level and the stored choices.
#include <gtest/gtest.h>

#include "problem/untCodigo.h"

TEST(CalcularCodigo, TablaDeCasos) {
    struct Caso { unsigned nivel; int prot, feno, obst, chor; ProblemCode codigo; };
    const Caso casos[] = {
        // level 0 gives 0 whatever is stored
        {0, 1, 2, 7, 9, 0},
        {0, 0, 0, 0, 0, 0},
        // level 1: the phenomenon; the zero record reads as vertical
        {1, 0, 0, 0, 0, 1}, {1, 0, 1, 0, 0, 2}, {1, 0, 2, 0, 0, 3}, {1, 0, 3, 0, 0, 0}, {1, 0, 255, 0, 0, 0},
        // level 2: the obstacle; never chosen or out of range gives 0
        {2, 0, 0, 0, 0, 0}, {2, 0, 0, 8, 0, 0}, {2, 0, 0, 2, 0, 0},
        {2, 0, 0, 3, 0, 11}, {2, 0, 0, 4, 0, 12}, {2, 0, 0, 5, 0, 21}, {2, 0, 0, 6, 0, 22}, {2, 0, 0, 7, 0, 31},
        {2, 1, 0, 3, 9, 11},
        // bed step, insufficient protection: level 3 has no 112
        {3, 0, 0, 3, 0, 1122}, {4, 0, 0, 3, 0, 112}, {5, 0, 0, 3, 0, 112},
        {3, 0, 0, 3, 8, 1122}, {4, 0, 0, 3, 8, 1122}, {5, 0, 0, 3, 8, 1122},
        {3, 0, 0, 3, 9, 1121}, {4, 0, 0, 3, 9, 1121}, {5, 0, 0, 3, 9, 1121},
        {3, 0, 0, 3, 7, 1122}, {4, 0, 0, 3, 7, 112},
        // sufficient protection wins over any jet choice
        {3, 1, 0, 3, 0, 111}, {4, 1, 0, 3, 9, 111}, {4, 1, 0, 3, 8, 111},
        // only 1 counts as sufficient
        {3, 2, 0, 3, 9, 1121}, {4, 2, 0, 3, 0, 112}, {3, 2, 0, 4, 0, 122}, {4, 255, 0, 5, 0, 212},
        {3, 1, 0, 4, 0, 121}, {3, 0, 0, 4, 0, 122}, {4, 1, 0, 4, 0, 121},
        {3, 1, 0, 5, 0, 211}, {3, 0, 0, 5, 0, 212}, {5, 1, 0, 5, 0, 211},
        // pier and narrow culvert pass through at levels 2 to 5
        {3, 0, 0, 6, 0, 22}, {4, 1, 0, 6, 8, 22}, {5, 0, 0, 6, 0, 22},
        {3, 1, 0, 7, 0, 31}, {4, 0, 0, 7, 9, 31}, {5, 1, 0, 7, 0, 31},
        {3, 1, 0, 0, 9, 0}, {4, 0, 0, 9, 0, 0},
        // the phenomenon is not consulted above level 1
        {3, 0, 2, 5, 0, 212},
        // levels beyond the chart page
        {6, 1, 0, 6, 0, 0}, {100, 0, 0, 7, 0, 0},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message() << "nivel " << c.nivel << " prot " << c.prot << " feno " << c.feno
                                        << " obst " << c.obst << " chor " << c.chor);
        EXPECT_EQ(CalcularCodigo(c.nivel, c.prot, c.feno, c.obst, c.chor), c.codigo);
    }
}

TEST(CalcularCodigo, LeeLosBytesDelRegistro) {
    TDatosProblema d;
    EXPECT_EQ(CalcularCodigo(1, d), 1);
    d.ElecObst = 3;
    d.ElecChor = 9;
    EXPECT_EQ(CalcularCodigo(4, d), 1121);
    d.ProtEfec = 1;
    EXPECT_EQ(CalcularCodigo(4, d), 111);
}
