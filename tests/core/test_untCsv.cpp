// The one writer of CSV cells: what is quoted and how.
#include <gtest/gtest.h>

#include "general/untCsv.h"

TEST(Csv, CeldaCitadaSoloCuandoHaceFalta) {
    struct Caso { const char* celda; char separador; const char* escrita; };
    const Caso casos[] = {
        {"", ',', ""},
        {"Erosión máxima (CSU)", ',', "Erosión máxima (CSU)"},
        {"1,5", ',', "\"1,5\""},
        {"1,5", ';', "1,5"},  // the comma is no separator here
        {"a;b", ';', "\"a;b\""},
        {"dice \"no\"", ',', "\"dice \"\"no\"\"\""},
        {"\"", ',', "\"\"\"\""},
        {"dos\nlíneas", ',', "\"dos\nlíneas\""},
        {"retorno\r", ',', "\"retorno\r\""},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.celda);
        EXPECT_EQ(CeldaCsv(c.celda, c.separador), c.escrita);
        std::string linea = "x,";
        AgregarCelda(linea, c.celda, c.separador);
        EXPECT_EQ(linea, std::string("x,") + c.escrita);
    }
}
