// Test fixture: one problem classified and computed as a user would, from
// the default texts of every field.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "compute/untCalcular.h"
#include "general/untGeneral.h"
#include "problem/untActivacion.h"
#include "problem/untAsistente.h"
#include "problem/untCodigo.h"
#include "problem/untContinuar.h"
#include "problem/untProblema.h"

// Runs `accion`, which must end with the floating-point fault `texto`.
template <class F> void EsperarFallo(const char* texto, F&& accion) {
    try {
        accion();
        ADD_FAILURE() << "no fault";
    } catch (const ErrorFlotante& e) {
        EXPECT_STREQ(e.what(), texto);
    }
}

// A problem outside the window: its answers, the jet answer, the roughness
// option and the texts that differ from the defaults.
inline TProblema Con(ProblemCode codigo, std::optional<int> chorro,
                     std::initializer_list<std::pair<const char*, const char*>> textos = {},
                     bool rugosidad = false) {
    TProblema p;
    p.codigo = codigo;
    p.chorro = chorro;
    p.rugosidad = rugosidad;
    for (const auto& [n, t] : textos) p.textos[n] = t;
    return p;
}

// A pier with the complementary texts that the defaults leave empty: shape
// and group factors 1, angle of repose 30 degrees.
inline TProblema PilaCompleta() {
    return Con(22, {}, {{"EstrFactFormKs", "1"}, {"EstrFactGrup", "1"}, {"SediAnguRepo", "30"}});
}

// The rows from row 6 on (after the four common rows) against the expected ones.
inline void CompararFilasPropias(const std::vector<TFila>& filas, const std::vector<TFila>& esperadas) {
    ASSERT_EQ(filas.size(), 4 + esperadas.size());
    for (std::size_t i = 0; i < esperadas.size(); ++i) {
        SCOPED_TRACE(esperadas[i].tallo);
        EXPECT_EQ(filas[4 + i].tallo, esperadas[i].tallo);
        EXPECT_EQ(filas[4 + i].etiqueta, esperadas[i].etiqueta);
        EXPECT_EQ(filas[4 + i].valor, esperadas[i].valor);
        EXPECT_EQ(filas[4 + i].unidad, esperadas[i].unidad);
    }
}

// A series after a second "Calcular" without changes: the points of the
// first one, then the same points again.
inline void CompararSegundaCopia(const std::vector<TPunto>& primera, const std::vector<TPunto>& ahora) {
    ASSERT_EQ(ahora.size(), 2 * primera.size());
    for (std::size_t i = 0; i < primera.size(); ++i) {
        ASSERT_EQ(ahora[primera.size() + i].x, primera[i].x) << i;
        ASSERT_EQ(ahora[primera.size() + i].y, primera[i].y) << i;
    }
}

struct Problema {
    TDatosProblema d;
    TPanelFormulas panel;
    TGrafico grafico;
    TTextosCampos textos = TextosPorDefecto();
    bool manning = true;

    // Walks the wizard to a final code: phenomenon and obstacle, "Continuar"
    // on the structure page (with a protection of 4 m where the code needs
    // an insufficient one, the defaults being sufficient), the jet answer
    // for 1121/1122, then the complementary page (slot states from the texts).
    // `cambios` replaces default texts before the wizard runs.
    explicit Problema(ProblemCode final, const TTextosCampos& cambios = {}) {
        const ProblemCode segundo = final >= 1000 ? final / 100 : final >= 100 ? final / 10 : final;
        if (final == 1121 || final == 1122 || final == 122) textos["EstrLongPlat"] = "4";
        if (final == 212) textos["EstrLongPlat"] = "0.5";
        for (const auto& [nombre, texto] : cambios) textos[nombre] = texto;
        ElegirEstructura(d, segundo);
        ContinuarEstructura(d, textos);
        if (final == 1121) d.ElecChor = CodificarChorro(1);
        if (final == 1122) d.ElecChor = CodificarChorro(0);
        Activar();
    }

    // Shows the complementary page again: code at level 3, panel from the texts.
    void Activar() {
        d.CodiProb = CalcularCodigo(3, d);
        MostrarComplementarios(d.CodiProb, textos, panel);
    }

    // "Calcular": returns the title for a code with a calculator.
    std::optional<std::string> Calcular() { return ::Calcular(d, textos, manning, panel, grafico); }

    // A "Calcular" that must fault with `texto`.
    void CalcularConFallo(const char* texto) {
        EsperarFallo(texto, [this] { Calcular(); });
    }

    // The rows of the results page as it would show them now.
    std::vector<TFila> Filas() { return FilasResultados(CalcularCodigo(4, d), d, panel); }

    // The value text of the row with this stem ("" when the row is absent).
    std::string Valor(const std::string& tallo) {
        for (const TFila& f : Filas())
            if (f.tallo == tallo) return f.valor;
        return "";
    }
};
