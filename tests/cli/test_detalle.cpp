// turmado-calc --detalle and the "detalle" of --json: the calculation
// detail after the results, the same content as data, and the runs that
// refuse it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "proceso.h"

namespace {

TProceso Correr(const std::string& argumentos) {
    std::vector<std::string> orden = Palabras(argumentos);
    orden.insert(orden.begin(), TURMADO_CALC);
    return EjecutarProceso(orden);
}

// The pier in gravel of the detail's example: d50 5 mm, d84 27 mm.
const std::string kPila =
    "--codigo 22 SediDiamMedi=5 SediDiam84N3=27 EstrAnchPila=1.8 EstrLongPila=8.8 EstrFactFormKs=1 EstrFactGrup=1";

}  // namespace

// The results as ever, then a blank line and the detail: σ = 5.4, Kσ and
// the three pier formulas with their equations and terms.
TEST(TurmadoCalcDetalle, PilaDeGrava) {
    const TProceso sin = Correr(kPila);
    const TProceso con = Correr(kPila + " --detalle");
    ASSERT_EQ(con.estado, 0) << con.error;
    EXPECT_EQ(con.error, sin.error);
    ASSERT_EQ(con.salida.substr(0, sin.salida.size()), sin.salida);
    const std::string detalle = con.salida.substr(sin.salida.size());
    EXPECT_EQ(detalle.rfind("\nDetalle del cálculo: Problema de la Pila\n\nCálculo común\n", 0), 0u) << detalle;
    for (const char* texto : {
             "  Velocidad crítica de erosión: Uc = u*c / (√g/C) = ",
             "  Condición de transporte: Lecho vivo (θ > θc).\n",
             "\nBreusers\n  Ecuación:\n    ys = 1.5 · K · b · tanh(h / b)  [U / Uc > 1]\n",
             "\nCSU\n  Ecuación:\n    ys = 2 · K · h · Fr^0.43 · (b / h)^0.65\n",
             "\nJohnson\n  Ecuación:\n    ys = 2.02 · K · h · Fr^0.21 · σ^(−0.24) · (b / h)^0.65\n",
             "    Desviación geométrica de la granulometría: σ = d84 / d50 = 5.4\n",
             "    Factor de granulometría: Kσ = 1.0417 · σ^(−1.1841)  [σ ≥ 0.25] = 0.141421\n",
             "    Factor combinado: K = Kg · Kθ · Kσ · Ks = 0.141421\n",
             "    Ancho de la pila: b = 1.8 m\n",
             "    Erosión máxima de equilibrio: ys = ",
         })
        EXPECT_NE(detalle.find(texto), std::string::npos) << texto << "\n---\n" << detalle;
}

// "detalle" of --json: per section its equation and terms (name, symbol,
// value, unit); a term's value is the number "registro" holds under the
// field it names, and each formula's depth is its slot's result.
TEST(TurmadoCalcDetalle, Json) {
    const TProceso p = Correr(kPila + " --json");
    ASSERT_EQ(p.estado, 0) << p.error;
    const auto j = nlohmann::json::parse(p.salida);
    const auto& detalle = j.at("detalle");
    EXPECT_EQ(detalle.at("titulo"), "Problema de la Pila");
    const auto& secciones = detalle.at("secciones");
    ASSERT_EQ(secciones.size(), 4u);
    std::vector<std::string> titulos;
    for (const auto& s : secciones) titulos.push_back(s.at("titulo"));
    EXPECT_EQ(titulos, (std::vector<std::string>{"Cálculo común", "Breusers", "CSU", "Johnson"}));
    for (const auto& s : secciones) {
        SCOPED_TRACE(s.at("titulo").get<std::string>());
        EXPECT_EQ(s.at("ecuacion").empty(), s.at("ranura") == 0);
        for (const char* lista : {"terminos", "resultados"})
            for (const auto& t : s.at(lista)) {
                for (const char* clave : {"nombre", "simbolo", "unidad", "expresion", "campo"})
                    EXPECT_TRUE(t.at(clave).is_string()) << clave;
                ASSERT_TRUE(t.at("valor").is_number());
                const std::string campo = t.at("campo");
                if (campo.empty()) continue;
                EXPECT_EQ(t.at("valor").get<double>(), j.at("registro").at(campo).get<double>()) << campo;
            }
    }
    const auto& johnson = secciones[3];
    bool sigma = false;
    for (const auto& t : johnson.at("terminos"))
        if (t.at("simbolo") == "σ") {
            sigma = true;
            EXPECT_NEAR(t.at("valor").get<double>(), 5.4, 1e-12);
            EXPECT_EQ(t.at("expresion"), "d84 / d50");
            EXPECT_EQ(t.at("campo"), "PPi.SediDesvGeom");
        }
    EXPECT_TRUE(sigma);
    EXPECT_EQ(johnson.at("resultados").at(0).at("campo"), "PPi.OutpErosMaxi3");
}

// The batch and the sweep write CSV: no detail there.
TEST(TurmadoCalcDetalle, Rechazos) {
    const struct {
        const char* argumentos;
        const char* mensaje;
    } casos[] = {
        {"--lote x.csv --detalle", "--lote no admite otras opciones ni pares"},
        {"--codigo 22 --barrido FlujCaud=100:200:3 --detalle", "--barrido escribe CSV: no admite --detalle"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.argumentos);
        const TProceso p = Correr(c.argumentos);
        EXPECT_EQ(p.estado, 2);
        EXPECT_TRUE(p.salida.empty());
        EXPECT_NE(p.error.find(c.mensaje), std::string::npos) << p.error;
    }
}
