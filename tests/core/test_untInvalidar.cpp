// What an accepted value invalidates, from the value saved on entering.
#include <gtest/gtest.h>

#include "problem/untInvalidar.h"

TEST(Invalidacion, SegunReaccionValorGuardadoYCambio) {
    struct Caso { TReaccion reaccion; double guardado, valor; TInvalidacion::TAlcance ocultar; bool reiniciar; };
    using enum TReaccion;
    const Caso casos[] = {
        {Resultados, 1000, 1001, TInvalidacion::Resultados, true},
        {Resultados, 1000, 1000, TInvalidacion::Ninguno, true},  // unchanged: tabs stay, chart cleared
        {Resultados, 0, 5, TInvalidacion::Ninguno, false},       // saved 0: nothing at all
        {Resultados, -1, 500, TInvalidacion::Resultados, true},  // option click: width against -1
        {Posteriores, 1.2, 1.3, TInvalidacion::Posteriores, true},
        {Posteriores, 1.2, 1.2, TInvalidacion::Ninguno, false},  // unchanged depth: nothing
        {Posteriores, 0, 4.5, TInvalidacion::Ninguno, false},    // protection length entered at 0
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.reaccion) << " " << c.guardado << " -> " << c.valor);
        const TInvalidacion r = Invalidacion(c.reaccion, c.guardado, c.valor);
        EXPECT_EQ(r.ocultar, c.ocultar);
        EXPECT_EQ(r.reiniciar, c.reiniciar);
    }
}
