// turmado-calc built for Windows, run under wine, against the Linux build:
// the same runs end with the same status, print the same messages and the
// same results.  Numbers of the JSON output may differ in the last bits
// (the two C libraries' expl and logl are not the same code), so they are
// compared to within 1e-12 relative; every text must be equal.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "proceso.h"

namespace {

const std::string kDatos = TURMADO_DATOS;

TProceso Linux(const std::string& argumentos) {
    std::vector<std::string> orden = Palabras(argumentos);
    orden.insert(orden.begin(), TURMADO_CALC);
    return EjecutarProceso(orden);
}

TProceso Windows(const std::string& argumentos) {
    std::vector<std::string> orden = Palabras(argumentos);
    orden.insert(orden.begin(), {TURMADO_WINE, TURMADO_CALC_WINDOWS});
    return EjecutarProceso(orden);
}

// Where two JSON values first differ ("" when they agree): the path to the
// value and both values.
std::string Diferencia(const nlohmann::json& a, const nlohmann::json& b, const std::string& donde = "") {
    auto distintos = [&] { return donde + ": " + a.dump() + " / " + b.dump(); };
    if (a.is_number() && b.is_number()) {
        const double x = a.get<double>(), y = b.get<double>();
        return std::fabs(x - y) <= 1e-12 * std::max(std::fabs(x), std::fabs(y)) ? "" : distintos();
    }
    if (a.type() != b.type() || a.size() != b.size()) return distintos();
    if (a.is_array()) {
        for (std::size_t i = 0; i < a.size(); ++i)
            if (std::string d = Diferencia(a[i], b[i], donde + "[" + std::to_string(i) + "]"); !d.empty()) return d;
        return "";
    }
    if (a.is_object()) {
        for (auto x = a.begin(), y = b.begin(); x != a.end(); ++x, ++y) {
            if (x.key() != y.key()) return distintos();
            if (std::string d = Diferencia(*x, *y, donde + "." + x.key()); !d.empty()) return d;
        }
        return "";
    }
    return a == b ? "" : distintos();
}

}  // namespace

// The comparison itself: equal values pass, a last-bit difference passes, a
// larger one or a changed text is found with its place.
TEST(WindowsLinux, Diferencia) {
    const auto j = [](const char* texto) { return nlohmann::json::parse(texto); };
    struct Caso { const char* a; const char* b; const char* diferencia; };
    const Caso casos[] = {
        {R"({"x": [1.5, "a", null, true]})", R"({"x": [1.5, "a", null, true]})", ""},
        {R"({"x": 2.0})", R"({"x": 2.0000000000000004})", ""},
        {R"({"x": 0})", R"({"x": 0.0})", ""},
        {R"({"x": 2.0})", R"({"x": 2.00000000001})", ".x: 2.0 / 2.00000000001"},
        {R"({"x": 0})", R"({"x": 1e-300})", ".x: 0 / 1e-300"},
        {R"({"x": [1, 2]})", R"({"x": [1, 3]})", ".x[1]: 2 / 3"},
        {R"({"x": [1, 2]})", R"({"x": [1]})", ".x: [1,2] / [1]"},
        {R"({"x": "Pila"})", R"({"x": "pila"})", R"(.x: "Pila" / "pila")"},
        {R"({"x": 1})", R"({"y": 1})", R"(: {"x":1} / {"y":1})"},
        {R"({"x": 1})", R"({"x": "1"})", R"(.x: 1 / "1")"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.a + std::string(" / ") + c.b);
        EXPECT_EQ(Diferencia(j(c.a), j(c.b)), c.diferencia);
    }
}

// One run of each problem code, and runs that fail or are refused.
TEST(WindowsLinux, UnCasoDeCadaCodigo) {
    struct Caso { std::string argumentos; int codigo; };  // codigo: -1 when there is no JSON to read
    const Caso casos[] = {
        {"--json", 0},
        {"--json --codigo 11", 111},
        {"--json --codigo 11 --chorro 1 EstrLongPlat=0 SediAnguRepo=30", 1121},
        {"--json --codigo 11 --chorro 0 EstrLongPlat=4.5 SediAnguRepo=30", 1122},
        {"--json --codigo 12", 121},
        {"--json --codigo 12 EstrLongPlat=4 SediAnguRepo=30", 122},
        {"--json --codigo 21", 211},
        {"--json --codigo 21 EstrLongPlat=0.6", 212},
        {"--json --codigo 22 EstrFactFormKs=1 EstrFactGrup=1 SediAnguRepo=30", 22},
        {"--json --codigo 31", 31},
        {"--json --rugosidad --codigo 31 CaucAnchCauc=1 EstrCantAper=1 SediDiamMedi=2 FlujTiraRest=0.61 "
         "EstrDiamAper=0.31 FlujCaud=0.1132",
         31},
        {"--codigo 22 EstrFactFormKs=1 EstrFactGrup=1 SediAnguRepo=30", -1},  // rows as text
        {"--codigo 12 FlujTiraRest=1e308", -1},                               // a floating-point fault
        {"--codigo 11 EstrLongPlat=4.5", -1},                                 // the jet answer missing
        {"AguaDens=0", -1},                                                   // a rejected text
        {"--problema " + kDatos + "/pilas.csv", -1},                          // not a problem file
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.argumentos);
        const TProceso l = Linux(c.argumentos), w = Windows(c.argumentos);
        EXPECT_EQ(w.estado, l.estado);
        EXPECT_EQ(w.error, l.error);
        if (c.codigo < 0) {
            EXPECT_EQ(w.salida, l.salida);
            continue;
        }
        ASSERT_EQ(l.estado, 0) << l.error;
        const auto jl = nlohmann::json::parse(l.salida), jw = nlohmann::json::parse(w.salida);
        EXPECT_EQ(jl["codigo"], c.codigo);
        EXPECT_EQ(Diferencia(jl, jw), "");
    }
}

// Batches: the example, one case of each code with a line that fails (the
// culverts and abutments ignore the pier's factors, with a warning), the
// same with captions as column names, and a small study of every line (the
// same samples from the same seed: the same percentiles as displayed).
TEST(WindowsLinux, Lotes) {
    for (const char* lote : {"pilas.csv", "codigos.csv", "codigos.csv --columnas textos",
                             "codigos.csv --incierto FlujCaud=lognormal:*:0.3 --incierto SediDiamMedi=lognormal:*:0.4 "
                             "--muestras 200 --semilla 26 --fundacion 1 --modelo CSU=1.1:0.3"}) {
        SCOPED_TRACE(lote);
        const std::string argumentos = "--lote " + kDatos + "/" + lote;
        const TProceso l = Linux(argumentos), w = Windows(argumentos);
        EXPECT_EQ(w.estado, l.estado);
        EXPECT_EQ(w.salida, l.salida);
        EXPECT_EQ(w.error, l.error);
        EXPECT_GT(std::count(l.salida.begin(), l.salida.end(), '\n'), 4);
    }
}

// A batch through a pipe held open: the Windows program answers each line
// before its input ends, as the Linux one does.
TEST(WindowsLinux, LoteMientrasLaEntradaSigueAbierta) {
    using namespace std::chrono_literals;
    TProcesoAbierto w({TURMADO_WINE, TURMADO_CALC_WINDOWS, "--lote", "-"});
    w.Escribir("codigo,FlujCaud,EstrFactFormKs,EstrFactGrup\n22,3000,1,1\n");
    const auto cabecera = w.Linea(120s);
    ASSERT_TRUE(cabecera);
    const auto caso = w.Linea(120s);
    ASSERT_TRUE(caso);
    EXPECT_TRUE(cabecera->starts_with("codigo,FlujCaud,EstrFactFormKs,EstrFactGrup,titulo,shields_critico,"))
        << *cabecera;
    EXPECT_TRUE(caso->starts_with("22,3000,1,1,Problema de la Pila,")) << *caso;
    EXPECT_EQ(w.Terminar().estado, 0);
}

// The uncertainty study: the same samples from the same seed, so the same
// statistics to within the last bits of the quantile functions' exp and log;
// and a refused distribution.
TEST(WindowsLinux, Incertidumbre) {
    const std::string pila = "--codigo 22 EstrFactFormKs=1 EstrFactGrup=1 SediAnguRepo=30 ";
    const std::string estudio = pila + "--incierto FlujCaud=lognormal:*:0.3 --incierto SediDiamMedi=lognormal:*:0.4 "
                                       "--incierto EstrFactGrup=triangular:0.8:1:1.5 --modelo CSU=1.1:0.3 "
                                       "--muestras 3000 --semilla 26 --fundacion 3 --json";
    const TProceso l = Linux(estudio), w = Windows(estudio);
    ASSERT_EQ(l.estado, 0) << l.error;
    EXPECT_EQ(w.estado, l.estado);
    EXPECT_EQ(w.error, l.error);
    EXPECT_EQ(Diferencia(nlohmann::json::parse(l.salida), nlohmann::json::parse(w.salida)), "");

    const std::string mala = pila + "--incierto FlujCaud=uniforme:3:2";
    const TProceso lm = Linux(mala), wm = Windows(mala);
    EXPECT_EQ(lm.estado, 2);
    EXPECT_EQ(wm.estado, lm.estado);
    EXPECT_EQ(wm.error, lm.error);
}
