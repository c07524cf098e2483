// Rows of the structure page per code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "problem/untCampos.h"
#include "problem/untFilasEstructura.h"

TEST(CamposEstructura, FilasPorCodigo) {
    struct Caso { ProblemCode codigo; std::vector<std::string> campos; };
    const Caso casos[] = {
        {11, {"EstrAltuSaltFond", "EstrLongPlat"}},
        {12, {"EstrAltuAper", "EstrLongPlat"}},
        {21, {"EstrLongEstr", "EstrAnchEstr", "EstrLongPlat"}},
        {22, {"EstrAnchPila", "EstrLongPila"}},
        {31, {"EstrDiamAper", "EstrCantAper"}},
        {0, {}}, {1, {}}, {111, {}}, {32, {}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.codigo);
        std::vector<std::string> obtenidos;
        for (std::string_view n : CamposEstructura(c.codigo)) {
            obtenidos.emplace_back(n);
            const TCampo* campo = BuscarCampo(n);
            ASSERT_NE(campo, nullptr);
            EXPECT_EQ(campo->pagina, 2);
        }
        EXPECT_EQ(obtenidos, c.campos);
    }
}
