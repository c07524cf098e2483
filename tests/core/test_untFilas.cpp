// Rows of the results page: the controls the page holds for them, and the
// critical-slope entry of the confined vortex.
#include <gtest/gtest.h>

#include <algorithm>

#include "compute/untFilas.h"
#include "problema.h"

namespace {

const ProblemCode kCodigosConCalculadora[] = {22, 31, 111, 121, 122, 211, 212, 1121, 1122};

}  // namespace

// Every row a calculator gives has its own controls on the page, with the
// unit the controls carry: a row without controls would be dropped from the
// page without a word, two rows on one stem would show as one.
TEST(FilasDeLaPagina, CubrenLasFilasDeCadaCodigo) {
    const std::vector<TFila>& pagina = FilasDeLaPagina();
    for (ProblemCode codigo : kCodigosConCalculadora) {
        SCOPED_TRACE(codigo);
        Problema p{codigo};
        p.Calcular();
        std::vector<std::string> vistos;
        for (const TFila& f : p.Filas()) {
            SCOPED_TRACE(f.tallo);
            const auto it = std::find_if(pagina.begin(), pagina.end(),
                                         [&](const TFila& c) { return c.tallo == f.tallo; });
            ASSERT_NE(it, pagina.end());
            EXPECT_EQ(f.unidad, it->unidad);
            EXPECT_EQ(std::count(vistos.begin(), vistos.end(), f.tallo), 0);
            vistos.push_back(f.tallo);
        }
    }
}

TEST(MostrarTabla, SoloElVorticeConfinado) {
    for (ProblemCode codigo : kCodigosConCalculadora)
        EXPECT_EQ(ConTablaPendientes(codigo), codigo == 111 || codigo == 121) << codigo;
    for (ProblemCode codigo : {0, 1, 11, 12, 21, 112, 2})
        EXPECT_FALSE(ConTablaPendientes(codigo)) << codigo;
}

// Slot 2 reads "Tabla" in plain style and stays hidden; slot 1 ("Dietz") and
// the rows that read it are untouched.
TEST(MostrarTabla, RanuraDosDelVortice) {
    for (ProblemCode codigo : {111, 121}) {
        SCOPED_TRACE(codigo);
        Problema p{codigo};
        p.textos["CaucPoro"] = "0.4";
        p.textos["EstrCoefMannPlat"] = "0.02";
        p.Activar();
        p.panel.Ranura(2).activa = true;  // a style left over must not survive
        p.Calcular();
        const std::vector<TFila> antes = p.Filas();
        MostrarTabla(p.panel);
        EXPECT_EQ(p.panel.Titulo(2), "Tabla");
        EXPECT_FALSE(p.panel.Activa(2));
        EXPECT_FALSE(p.panel.Ranura(2).visible);
        EXPECT_EQ(p.panel.Titulo(1), "Dietz");
        EXPECT_TRUE(p.panel.Activa(1));
        const std::vector<TFila> despues = p.Filas();
        ASSERT_EQ(despues.size(), antes.size());
        for (std::size_t i = 0; i < antes.size(); ++i) {
            EXPECT_EQ(despues[i].etiqueta, antes[i].etiqueta);
            EXPECT_EQ(despues[i].valor, antes[i].valor);
        }
        EXPECT_EQ(despues[6].etiqueta, "Erosión máxima de equilibrio (Dietz)");
        EXPECT_NE(despues[6].valor, "inactivo");
    }
}
