// "Continuar" on the structure page: stored fields, protection flag, next step.
#include <gtest/gtest.h>

#include "problem/untContinuar.h"

TEST(ContinuarEstructura, ProteccionYSiguientePaso) {
    struct Caso { ProblemCode codigo; const char* campo; const char* texto; TSiguiente siguiente; bool mensaje; int prot; };
    using enum TSiguiente;
    const Caso casos[] = {
        {11, "EstrLongPlat", "4.5", PreguntarChorro, true, 0},   // 6 x 0.75 = 4.5: equality is insufficient
        {11, "EstrLongPlat", "4.51", Complementarios, false, 1},
        {11, "EstrLongPlat", "0", PreguntarChorro, true, 0},
        {12, "EstrLongPlat", "8.75", Complementarios, false, 1},  // required 6 (1.2 - 0.45) = 4.5
        {12, "EstrLongPlat", "4.5", Complementarios, true, 0},
        {21, "EstrLongPlat", "0.6", Complementarios, true, 0},    // 0.5 x 1.2
        {21, "EstrLongPlat", "0.61", CalcularDirecto, false, 1},
        {22, "EstrLongPlat", "0", Complementarios, false, 7},      // flag kept
        {31, "EstrLongPlat", "0", Complementarios, false, 7},
        {0, "EstrLongPlat", "0", Nada, false, 7},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message() << c.codigo << " " << c.texto);
        TDatosProblema d;
        d.CodiProb = c.codigo;
        d.ProtEfec = 7;
        TTextosCampos t = TextosPorDefecto();
        t[c.campo] = c.texto;
        const TContinuacion r = ContinuarEstructura(d, t);
        EXPECT_EQ(r.siguiente, c.siguiente);
        EXPECT_EQ(r.proteccionInsuficiente, c.mensaje);
        EXPECT_EQ(d.ProtEfec, c.prot);
        EXPECT_EQ(d.FlujTiraRest, 1.2);
    }
}

TEST(ContinuarEstructura, GuardaLosCamposDelCodigo) {
    TDatosProblema d;
    TTextosCampos t = TextosPorDefecto();
    t["FlujTiraRest"] = "0.8";
    t["EstrAltuAper"] = "1";
    d.CodiProb = 12;
    const TContinuacion r = ContinuarEstructura(d, t);
    EXPECT_FALSE(r.proteccionInsuficiente);  // opening above the depth: negative required length
    EXPECT_EQ(d.Apertura.EstrAltuAper, 1.0);
    EXPECT_EQ(d.Apertura.EstrLongPlat, 8.75);
    EXPECT_EQ(d.Salto.EstrLongPlat, 0.0);
    d.CodiProb = 31;
    ContinuarEstructura(d, t);
    EXPECT_EQ(d.Alcantarilla.EstrDiamAper, 1.0);
    EXPECT_EQ(d.Alcantarilla.EstrCantAper, 250.0);
    d.CodiProb = 21;
    ContinuarEstructura(d, t);
    EXPECT_EQ(d.Estribo.EstrAnchEstr, 250.0);
    EXPECT_EQ(d.Estribo.EstrLongEstr, 8.75);
}
