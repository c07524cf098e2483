// Acceptance rules of the fields and the store step of an accepted value.
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "../registro.h"
#include "problem/untCampos.h"
#include "problem/untContinuar.h"

TEST(Campos, AceptacionEnLosLimites) {
    struct Caso { const char* campo; const char* texto; bool aceptado; };
    const Caso casos[] = {
        {"AguaDens", "1000", true},     {"AguaDens", "0", false},     {"AguaDens", "-1", false},
        {"AguaDens", "1.7e308", false}, {"AguaDens", "1.6e308", true}, {"AguaDens", "1e400", false},
        {"AguaTemp", "-273", true},     {"AguaTemp", "-273.01", false}, {"AguaTemp", "0", true},
        {"SediDiamMedi", "0.062", true}, {"SediDiamMedi", "0.0619", false}, {"SediDiamMedi", "abc", false},
        {"AguaDens", "   12.5", true},  {"AguaDens", "12.5 ", false},   {"AguaDens", "12,5", false},
        {"AguaDens", "", false},
        {"EstrLongPlat", "0", true},    {"EstrLongPlat", "-0.1", false},
        {"EstrAltuAper", "1", true},    {"EstrAltuAper", "1.01", false}, {"EstrAltuAper", "0", false},
        {"EstrCantAper", "2.5", true},
        {"FlujTiraRest", "1.2", true},  {"FlujTiraRest", "0", false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.campo) + " \"" + c.texto + "\"");
        const TCampo* campo = BuscarCampo(c.campo);
        ASSERT_NE(campo, nullptr);
        EXPECT_EQ(TextoAceptado(*campo, c.texto), c.aceptado);
    }
}

TEST(Campos, MensajesYDefectos) {
    EXPECT_EQ(BuscarCampo("SediDiamMedi")->mensaje, "Solo se considera sedimento no cohesivo (d50 > 62 micr)");
    EXPECT_EQ(BuscarCampo("AguaDens")->mensaje, "El valor ingresado no es válido.");
    EXPECT_EQ(BuscarCampo("edtAguaDens"), nullptr);
    const TTextosCampos t = TextosPorDefecto();
    EXPECT_EQ(t.at("ForzAcelGrav"), "9.81");
    EXPECT_EQ(t.at("EstrLongPlat"), "8.75");
    EXPECT_THROW(LeerCampo(t, "NoExiste"), std::out_of_range);
}

// One rule for every field: a field whose text "Continuar" on the structure
// page reads into the record (or into the protection check) sends the wizard
// back to its page when its value changes, so that "Continuar" reads it
// again; any other field only hides the results, since "Calcular" reads it.
// Which fields "Continuar" reads is found by changing each text alone under
// every structure code and watching the record and the next step.
TEST(Campos, LosQueLeeContinuarDevuelvenASuPagina) {
    const ProblemCode codigos[] = {11, 12, 21, 22, 31};
    auto Continuar = [](ProblemCode codigo, const TTextosCampos& t) {
        TDatosProblema d{};
        d.CodiProb = codigo;
        const TContinuacion c = ContinuarEstructura(d, t);
        return std::tuple(Registro(d), d.ProtEfec, c.siguiente, c.proteccionInsuficiente);
    };
    for (const TCampo& campo : Campos()) {
        SCOPED_TRACE(std::string(campo.nombre));
        bool leido = false;
        for (ProblemCode codigo : codigos) {
            TTextosCampos t = TextosPorDefecto();
            t[std::string(campo.nombre)] = "0.123";
            leido = leido || Continuar(codigo, t) != Continuar(codigo, TextosPorDefecto());
        }
        EXPECT_EQ(campo.reaccion == TReaccion::Posteriores, leido);
        EXPECT_EQ(campo.reaccion == TReaccion::Posteriores, campo.pagina == 1 || campo.pagina == 2);
    }
}

// The protection length goes into the record of the current second-level
// code, and nowhere for the others.
TEST(Campos, LongitudDeProteccionSegunElCodigo) {
    const TCampo& campo = *BuscarCampo("EstrLongPlat");
    TDatosProblema d;
    d.CodiProb = 11;
    GuardarAceptado(d, campo, 1);
    d.CodiProb = 12;
    GuardarAceptado(d, campo, 2);
    d.CodiProb = 21;
    GuardarAceptado(d, campo, 3);
    d.CodiProb = 22;
    GuardarAceptado(d, campo, 4);
    EXPECT_EQ(d.Salto.EstrLongPlat, 1);
    EXPECT_EQ(d.Apertura.EstrLongPlat, 2);
    EXPECT_EQ(d.Estribo.EstrLongPlat, 3);

    GuardarAceptado(d, *BuscarCampo("FlujTiraRest"), 1.5);
    GuardarAceptado(d, *BuscarCampo("EstrAltuSaltFond"), 0.8);
    GuardarAceptado(d, *BuscarCampo("EstrAltuAper"), 0.4);
    GuardarAceptado(d, *BuscarCampo("AguaDens"), 999);  // read later by "Calcular"
    EXPECT_EQ(d.FlujTiraRest, 1.5);
    EXPECT_EQ(d.Salto.EstrAltuSaltFond, 0.8);
    EXPECT_EQ(d.Apertura.EstrAltuAper, 0.4);
    EXPECT_EQ(d.AguaDens, 0);
}

// Protection checks: equality counts as insufficient.
TEST(Estructuras, ProteccionSuficiente) {
    TEstrSalto salto{0.75, 4.5};
    EXPECT_FALSE(salto.ProtSuficiente());  // 6 x 0.75 = 4.5
    salto.EstrLongPlat = 4.51;
    EXPECT_TRUE(salto.ProtSuficiente());
    salto.EstrLongPlat = 0;
    EXPECT_FALSE(salto.ProtSuficiente());

    EXPECT_DOUBLE_EQ(TEstrApertura::LongProtRequerida(1.2, 0.45), 4.5);   // 0.36 < 0.45: 6 (1.2 - 0.45)
    EXPECT_DOUBLE_EQ(TEstrApertura::LongProtRequerida(1.2, 0.3), 5.04);   // 0.36 >= 0.3: 4.2 x 1.2
    EXPECT_LT(TEstrApertura::LongProtRequerida(0.8, 1), 0);               // opening above the surface
    EXPECT_TRUE((TEstrApertura{0.45, 8.75, 0}).ProtSuficiente(1.2));
    EXPECT_FALSE((TEstrApertura{0.45, 4.5, 0}).ProtSuficiente(1.2));
    EXPECT_TRUE((TEstrApertura{1, 0, 0}).ProtSuficiente(0.8));

    TEstrEstribo estribo{8.75, 250, 0.6, 0, 0};
    EXPECT_FALSE(estribo.ProtSuficiente(1.2));  // 0.5 x 1.2 = 0.6
    estribo.EstrLongPlat = 0.61;
    EXPECT_TRUE(estribo.ProtSuficiente(1.2));
}
