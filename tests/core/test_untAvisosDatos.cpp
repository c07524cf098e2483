// Warnings on implausible data: each rule of the table firing and not
// firing, on its boundary, and the messages they write.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "problem/untCampos.h"
#include "general/untGeneral.h"
#include "results/untAvisosDatos.h"
#include "results/untValidacion.h"

namespace {

TTextosCampos Con(const TTextosCampos& cambios) {
    TTextosCampos t = TextosPorDefecto();
    for (const auto& [n, v] : cambios) t[n] = v;
    return t;
}

std::string Campos(const std::vector<TAvisoDato>& avisos) {
    std::string r;
    for (const TAvisoDato& a : avisos) r += a.campo + " ";
    return r;
}

}  // namespace

TEST(AvisosDatos, CadaReglaDisparaYNoDispara) {
    struct Caso {
        const char* nombre;
        ProblemCode codigo;
        TTextosCampos cambios;
        const char* campos;  // fields warned, in the table's order
    };
    const Caso casos[] = {
        // The example's d84/d50 = 200/85 gives Ksigma = 0.38: the gradation warning.
        {"pila con los datos del ejemplo", 22, {}, "SediDiam84N3 "},
        // d84 left at the example's 200 mm while d50 changed.
        {"pila, d50 cambiado, d84 del ejemplo", 22, {{"SediDiamMedi", "2"}}, "SediDiam84N3 SediDiam84N3 "},
        {"pila, d50 y d84 cambiados", 22, {{"SediDiamMedi", "2"}, {"SediDiam84N3", "3"}}, ""},
        {"pila, d50 escrito de otro modo", 22, {{"SediDiamMedi", "85.0"}}, "SediDiam84N3 "},
        {"pila, d84 del ejemplo escrito de otro modo", 22, {{"SediDiamMedi", "2"}, {"SediDiam84N3", "2e2"}},
         "SediDiam84N3 SediDiam84N3 "},
        // Ksigma = 1.0417 (d84/d50)^-1.1841 is 0.5 at d84/d50 = 1.8587.
        {"pila, Kσ 0.503", 22, {{"SediDiamMedi", "10"}, {"SediDiam84N3", "18.5"}}, ""},
        {"pila, Kσ 0.496", 22, {{"SediDiamMedi", "10"}, {"SediDiam84N3", "18.7"}}, "SediDiam84N3 "},
        {"alcantarilla, d84/d50 grande", 31, {{"SediDiamMedi", "10"}, {"SediDiam84N3", "100"}, {"SediDiam90N3", "150"}},
         ""},
        // The pier reads no d90 nor head difference: their example values say nothing.
        {"pila, caudal cambiado", 22, {{"FlujCaud", "500"}}, "SediDiam84N3 "},
        // d90 left at the example's 250 mm, by the codes that read it.
        {"alcantarilla, d50 cambiado", 31, {{"SediDiamMedi", "2"}}, "SediDiam90N3 "},
        {"alcantarilla, d50 y d90 cambiados", 31, {{"SediDiamMedi", "2"}, {"SediDiam90N3", "250.5"}}, ""},
        {"alcantarilla, d90 vacío", 31, {{"SediDiamMedi", "2"}, {"SediDiam90N3", ""}}, ""},
        {"alcantarilla, d90 que no es un número", 31, {{"SediDiamMedi", "2"}, {"SediDiam90N3", "abc"}}, ""},
        {"alcantarilla ancha, d50 cambiado", 122, {{"SediDiamMedi", "2"}}, "SediDiam90N3 "},
        {"vórtice, d50 cambiado", 121, {{"SediDiamMedi", "2"}}, ""},
        // The head difference left at 2.77 m while the discharge or the depth changed.
        {"escalón con los datos del ejemplo", 1121, {}, ""},
        {"escalón, caudal cambiado", 1121, {{"FlujCaud", "500"}}, "FlujDifeCargRest "},
        {"escalón, tirante cambiado", 1121, {{"FlujTiraRest", "0.5"}}, "FlujDifeCargRest "},
        {"escalón, caudal y diferencia cambiados", 1121, {{"FlujCaud", "500"}, {"FlujDifeCargRest", "1"}}, ""},
        {"chorro, caudal cambiado", 1122, {{"FlujCaud", "500"}}, "FlujDifeCargRest "},
        {"alcantarilla ancha, tirante cambiado", 122, {{"FlujTiraRest", "0.5"}}, "FlujDifeCargRest "},
        {"estribo, caudal cambiado", 212, {{"FlujCaud", "500"}}, ""},
        // d84 or d90 below d50; equal is a uniform sand and passes.
        {"pila, d84 menor que d50", 22, {{"SediDiamMedi", "10"}, {"SediDiam84N3", "9.99"}}, "SediDiam84N3 "},
        {"pila, d84 igual a d50", 22, {{"SediDiamMedi", "10"}, {"SediDiam84N3", "10"}}, ""},
        {"alcantarilla, d90 menor que d50", 31, {{"SediDiamMedi", "10"}, {"SediDiam90N3", "9"}}, "SediDiam90N3 "},
        {"alcantarilla, d90 igual a d50", 31, {{"SediDiamMedi", "10"}, {"SediDiam90N3", "10"}}, ""},
        {"chorro, d50 mayor que el d90 del ejemplo", 1122, {{"SediDiamMedi", "300"}},
         "SediDiam90N3 SediDiam90N3 "},
        {"pila, d90 menor que d50", 22, {{"SediDiamMedi", "10"}, {"SediDiam84N3", "15"}, {"SediDiam90N3", "9"}},
         ""},
        // Water temperature within 0 to 40 °C, both included, for every code.
        {"temperatura 0", 22, {{"AguaTemp", "0"}}, "SediDiam84N3 "},
        {"temperatura bajo 0", 22, {{"AguaTemp", "-0.5"}}, "AguaTemp SediDiam84N3 "},
        {"temperatura 40", 31, {{"AguaTemp", "40"}}, ""},
        {"temperatura sobre 40", 31, {{"AguaTemp", "40.5"}}, "AguaTemp "},
        {"temperatura sin problema completo", 0, {{"AguaTemp", "60"}}, "AguaTemp "},
        // A pier or an abutment not narrower than the channel.
        {"pila más angosta que el cauce", 22, {{"EstrAnchPila", "499.99"}}, "SediDiam84N3 "},
        {"pila tan ancha como el cauce", 22, {{"EstrAnchPila", "500"}}, "SediDiam84N3 EstrAnchPila "},
        {"pila más ancha que el cauce", 22, {{"CaucAnchCauc", "4"}}, "SediDiam84N3 EstrAnchPila "},
        {"alcantarilla con la pila ancha", 31, {{"EstrAnchPila", "600"}}, ""},
        {"estribo más corto que el cauce", 212, {{"EstrAnchEstr", "499.99"}}, ""},
        {"estribo tan largo como el ancho", 212, {{"EstrAnchEstr", "500"}}, "EstrAnchEstr "},
        {"estribo protegido a través del cauce", 211, {{"EstrAnchEstr", "800"}}, "EstrAnchEstr "},
        {"pila con el estribo largo", 22, {{"EstrAnchEstr", "800"}}, "SediDiam84N3 "},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        EXPECT_EQ(Campos(AvisosDatos(c.codigo, Con(c.cambios))), c.campos);
    }
}

// The warning names its field, its value with the unit and why.
TEST(AvisosDatos, Mensajes) {
    const auto pila = AvisosDatos(22, Con({{"SediDiamMedi", "2"}}));
    ASSERT_EQ(pila.size(), 2u);
    EXPECT_EQ(pila[0].texto,
              "\"Diámetro 84%\" = 200 mm es el valor del ejemplo, pero \"Diámetro Medio (d50)\" = 2 mm ya no lo "
              "es: d84 y d50 deben ser de la misma granulometría.");
    // The gradation warning: the factor, d84/d50 and the shipped field
    // rows' record, computed from the shipped file.
    const auto ejemplo = AvisosDatos(22, Con({}));
    ASSERT_EQ(ejemplo.size(), 1u);
    std::string registro;
    for (const TEstadistica& e : CifrasCampo().gradacionBaja)
        registro += (registro.empty() ? "" : ", ") + e.formula + " en el " + NumeText(100 * e.subestimados, 0, 0) +
                    " % de " + std::to_string(e.n) + " filas";
    EXPECT_EQ(CifrasCampo().gradacionBaja.size(), 3u);
    EXPECT_EQ(ejemplo[0].texto,
              "\"Diámetro 84%\" = 200 mm y \"Diámetro Medio (d50)\" = 85 mm dan d84/d50 = 2.35 y un factor de "
              "gradación Kσ = 0.378, que reduce las erosiones de la pila a menos de la mitad. En las mediciones de campo "
              "del USGS que trae el programa con Kσ < 0.5, las fórmulas subestimaron la erosión medida: " +
                  registro + ".");

    const auto escalon = AvisosDatos(1121, Con({{"FlujCaud", "500"}, {"AguaTemp", "45"}}));
    ASSERT_EQ(escalon.size(), 2u);
    EXPECT_EQ(escalon[0].texto,
              "\"Dif. altura carga/restitución\" = 2.77 m es el valor del ejemplo, pero el caudal (500 m^3/s) o el "
              "tirante (1.2 m) ya no son los del ejemplo: revise la diferencia de altura.");
    EXPECT_EQ(escalon[1].texto,
              "\"Temperatura ambiente\" = 45 °C está fuera de 0 a 40 °C, donde la viscosidad del cálculo, "
              "ν = 4.0e-5/(T + 20), se acerca a la del agua.");
    EXPECT_EQ(UnirAvisosDatos(escalon), escalon[0].texto + " | " + escalon[1].texto);
    EXPECT_EQ(UnirAvisosDatos({}), "");

    // Every rule names a catalogued field by its caption, and every {Name}
    // of its message is a field or a computed value.
    for (const TReglaDato& r : ReglasDatos()) {
        SCOPED_TRACE(std::string(r.campo));
        const TCampo* c = BuscarCampo(r.campo);
        ASSERT_NE(c, nullptr);
        EXPECT_NE(r.mensaje.find("\"" + std::string(c->etiqueta) + "\""), std::string_view::npos);
        for (std::size_t i = r.mensaje.find('{'); i != std::string_view::npos; i = r.mensaje.find('{', i + 1)) {
            const std::size_t fin = r.mensaje.find('}', i);
            ASSERT_NE(fin, std::string_view::npos);
            const std::string_view nombre = r.mensaje.substr(i + 1, fin - i - 1);
            EXPECT_TRUE(BuscarCampo(nombre) || MarcadorCalculado(nombre)) << r.mensaje.substr(i);
        }
    }
}
