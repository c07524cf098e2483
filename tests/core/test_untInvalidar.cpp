// What an accepted value invalidates, from the value saved on entering.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "problem/untInvalidar.h"

// A changed value invalidates whatever the saved value was, 0 included; an
// unchanged one (0 left as 0, blank left as 0) only as an unchanged value does.
TEST(Invalidacion, SegunReaccionValorGuardadoYTexto) {
    struct Caso {
        TReaccion reaccion;
        std::optional<double> guardado;
        const char* texto;
        TInvalidacion::TAlcance ocultar;
        bool reiniciar;
    };
    using enum TReaccion;
    const Caso casos[] = {
        {Resultados, 1000, "1001", TInvalidacion::Resultados, true},
        {Resultados, 1000, "1000", TInvalidacion::Ninguno, true},  // unchanged: tabs stay, chart cleared
        {Resultados, 1000, " 1e3", TInvalidacion::Ninguno, true},  // the same value written otherwise
        {Resultados, 0, "30", TInvalidacion::Resultados, true},    // angle of attack from its default 0
        {Resultados, 0, "0", TInvalidacion::Ninguno, true},
        {Resultados, 0, "", TInvalidacion::Ninguno, true},         // blank reads 0
        {Resultados, std::nullopt, "500", TInvalidacion::Resultados, true},  // entry unknown: a change
        {Posteriores, 1.2, "1.3", TInvalidacion::Posteriores, true},
        {Posteriores, 1.2, "1.2", TInvalidacion::Ninguno, false},  // unchanged depth: nothing
        {Posteriores, 0, "10", TInvalidacion::Posteriores, true},  // protection length from 0
        {Posteriores, 0, "0", TInvalidacion::Ninguno, false},
        {Posteriores, std::nullopt, "4.5", TInvalidacion::Posteriores, true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.reaccion) << " "
                                        << (c.guardado ? std::to_string(*c.guardado) : "?") << " -> '" << c.texto
                                        << "'");
        const TInvalidacion r = Invalidacion(c.reaccion, ValorCambiado(c.guardado, c.texto));
        EXPECT_EQ(r.ocultar, c.ocultar);
        EXPECT_EQ(r.reiniciar, c.reiniciar);
    }
}

// A text that is not a number (one never checked on leaving, such as "500 "
// with a trailing blank, or any text of a field that accepts any) differs
// from every saved value, NaN included, and reading it does not fault.
TEST(Invalidacion, TextoQueNoEsNumeroEsUnCambio) {
    for (const std::optional<double> guardado : {std::optional(500.0), std::optional(std::nan("")),
                                                 std::optional<double>()}) {
        EXPECT_TRUE(ValorCambiado(guardado, "500 "));
        EXPECT_TRUE(ValorCambiado(guardado, "abc"));
    }
    EXPECT_TRUE(ValorCambiado(std::nan(""), "500"));
}
