// turmado-calc --incierto: the table, the JSON object, the same numbers on
// any number of threads, and every bad distribution, bound or count.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "proceso.h"
#include "../celdas.h"

namespace {

const std::string kPila = "--codigo 22 EstrFactFormKs=1 EstrFactGrup=1 SediAnguRepo=30 ";
const std::string kEstudio =
    kPila +
    "--incierto FlujCaud=lognormal:*:0.3 --incierto SediDiamMedi=lognormal:*:0.4 --muestras 2000 --granulometria libre";

TProceso Correr(const std::string& argumentos) {
    std::vector<std::string> orden = Palabras(argumentos);
    orden.insert(orden.begin(), TURMADO_CALC);
    return EjecutarProceso(orden);
}

std::vector<std::string> Lineas(const std::string& texto, char separador = '\n') {
    std::vector<std::string> lineas;
    for (std::size_t i = 0; i < texto.size();) {
        const std::size_t j = texto.find(separador, i);
        lineas.push_back(texto.substr(i, j == std::string::npos ? j : j - i));
        if (j == std::string::npos) break;
        i = j + 1;
    }
    return lineas;
}

}  // namespace

TEST(TurmadoCalcIncertidumbre, JsonYTablaDeLaPila) {
    const TProceso j = Correr(kEstudio + " --fundacion 3 --json");
    ASSERT_EQ(j.estado, 0) << j.error;
    EXPECT_EQ(j.error, "");
    const auto json = nlohmann::json::parse(j.salida);
    const auto& inc = json.at("incertidumbre");
    EXPECT_EQ(inc.at("muestras"), 2000);
    EXPECT_EQ(inc.at("rechazadas"), 0);
    const std::vector<std::string> titulos{"Breusers", "CSU", "Johnson", "envolvente"};
    ASSERT_EQ(inc.at("formulas").size(), titulos.size());
    for (std::size_t f = 0; f < titulos.size(); ++f) {
        const auto& x = inc.at("formulas")[f];
        SCOPED_TRACE(titulos[f]);
        EXPECT_EQ(x.at("formula"), titulos[f]);
        double anterior = 0;
        for (const char* p : {"p05", "p50", "p90", "p95", "p99"}) {
            EXPECT_GT(x.at(p).get<double>(), anterior) << p;
            anterior = x.at(p);
        }
        EXPECT_GE(x.at("prob_fundacion").get<double>(), 0);
        EXPECT_LE(x.at("prob_fundacion").get<double>(), 1);
        // The pier's formulas have no range table: no share, and it says so.
        EXPECT_TRUE(x.at("fuera_calibracion").is_null());
        EXPECT_EQ(x.at("sin_rangos"), true);
    }
    // The envelope is at least as deep as each formula.
    const auto& env = inc.at("formulas")[3];
    for (std::size_t f = 0; f < 3; ++f) EXPECT_GE(env.at("p95").get<double>(), inc.at("formulas")[f].at("p95").get<double>());

    // The text table holds the same numbers, rounded.
    const TProceso t = Correr(kEstudio + " --fundacion 3");
    ASSERT_EQ(t.estado, 0) << t.error;
    const std::vector<std::string> lineas = Lineas(t.salida);
    ASSERT_EQ(lineas.size(), 7u);  // summary, what d84 did, header, four rows
    EXPECT_EQ(lineas[0], "Estudio de incertidumbre: 2000 muestras (semilla 1)");
    EXPECT_TRUE(lineas[1].starts_with("Diámetros fijos al variar d50: d84 = 200 mm")) << lineas[1];
    EXPECT_EQ(lineas[2],
              "Fórmula\tMedia [m]\tDesvío [m]\tP5 [m]\tP50 [m]\tP90 [m]\tP95 [m]\tP99 [m]\tP(ys > 3 m)\t"
              "Fuera de calibración");
    for (std::size_t f = 0; f < titulos.size(); ++f) {
        const auto& x = inc.at("formulas")[f];
        const std::vector<std::string> celdas = Lineas(lineas[3 + f], '\t');
        ASSERT_EQ(celdas.size(), 10u);
        EXPECT_EQ(celdas[0], titulos[f]);
        const char* claves[] = {"media", "desvio", "p05", "p50", "p90", "p95", "p99"};
        for (int k = 0; k < 7; ++k) {
            char texto[32];
            std::snprintf(texto, sizeof texto, "%.2f", x.at(claves[k]).get<double>());
            EXPECT_EQ(celdas[1 + k], texto) << claves[k];
        }
        char prob[32];
        std::snprintf(prob, sizeof prob, "%.4f", x.at("prob_fundacion").get<double>());
        EXPECT_EQ(celdas[8], prob);
        EXPECT_EQ(celdas[9], "sin rangos");
    }

    // Without a foundation depth there is no probability.
    const auto sin = nlohmann::json::parse(Correr(kEstudio + " --json").salida);
    EXPECT_FALSE(sin.at("incertidumbre").at("formulas")[0].contains("prob_fundacion"));
}

// The same seed gives the same bytes on one thread and on several; another
// seed another study.
TEST(TurmadoCalcIncertidumbre, MismaSemillaMismaSalidaConCualquierCantidadDeHilos) {
    const std::string estudio = kEstudio + " --modelo CSU=1:0.3 --fundacion 2.5 --json --semilla 77";
    const TProceso uno = Correr(estudio + " --hilos 1");
    ASSERT_EQ(uno.estado, 0) << uno.error;
    for (const char* hilos : {" --hilos 2", " --hilos 5", ""}) {
        SCOPED_TRACE(hilos);
        EXPECT_EQ(Correr(estudio + hilos).salida, uno.salida);
    }
    EXPECT_NE(Correr(kEstudio + " --modelo CSU=1:0.3 --fundacion 2.5 --json --semilla 78").salida, uno.salida);
}

// Samples whose value a field rejects are counted in the summary and told
// on standard error with the first one.
TEST(TurmadoCalcIncertidumbre, MuestrasRechazadas) {
    const TProceso p = Correr(kPila + "--incierto FlujCaud=normal:*:1 --muestras 1000 --json");
    ASSERT_EQ(p.estado, 0) << p.error;
    const auto inc = nlohmann::json::parse(p.salida).at("incertidumbre");
    const int rechazadas = inc.at("rechazadas");
    EXPECT_GE(rechazadas, 158);  // Φ(-1) = 0.1587 of 1000 strata
    EXPECT_LE(rechazadas, 159);
    EXPECT_TRUE(p.error.starts_with("Aviso: " + std::to_string(rechazadas) +
                                    " muestras con un valor que su campo no admite, fuera de la estadística (la "
                                    "primera: FlujCaud = -"))
        << p.error;
    const TProceso t = Correr(kPila + "--incierto FlujCaud=normal:*:1 --muestras 1000");
    EXPECT_TRUE(t.salida.starts_with("Estudio de incertidumbre: 1000 muestras (semilla 1), " +
                                     std::to_string(rechazadas) + " rechazadas\n"))
        << t.salida;
}

TEST(TurmadoCalcIncertidumbre, TextosRechazados) {
    struct Caso { std::string argumentos; const char* mensaje; };
    const std::string inc = kPila + "--incierto FlujCaud=lognormal:*:0.3 ";
    const Caso casos[] = {
        {kPila + "--incierto FlujCaud=gauss:1:2", "--incierto: Distribución desconocida: gauss"},
        {kPila + "--incierto FlujCaud=lognormal:*", "--incierto: La distribución se escribe CAMPO=normal:MEDIA:CV"},
        {kPila + "--incierto FlujCaud", "--incierto: La distribución se escribe"},
        {kPila + "--incierto Caudal=normal:1:0.1", "--incierto: Campo desconocido: Caudal"},
        {kPila + "--incierto EstrDiamAper=normal:1:0.1", "--incierto: El problema no lee el campo EstrDiamAper."},
        {kPila + "--incierto FlujCaud=lognormal:-1:0.3",
         "--incierto: FlujCaud: La media de una distribución lognormal debe ser mayor que 0."},
        {kPila + "--incierto FlujCaud=normal:*:-0.3",
         "--incierto: FlujCaud: El coeficiente de variación no puede ser negativo."},
        {kPila + "--incierto FlujCaud=uniforme:3000:1000", "--incierto: FlujCaud: El mínimo debe ser menor que el máximo."},
        {kPila + "--incierto FlujCaud=triangular:1000:5000:4000",
         "--incierto: FlujCaud: La moda debe estar entre el mínimo y el máximo."},
        {kPila + "--incierto FlujCaud=uniforme:1000:x", "--incierto: El máximo de FlujCaud debe ser un número."},
        {inc + "--muestras 99", "--muestras espera un número entero de 100 a 1000000"},
        {inc + "--muestras 1000001", "--muestras espera un número entero de 100 a 1000000"},
        {inc + "--muestras 150.5", "--muestras espera un número entero de 100 a 1000000"},
        {inc + "--muestras", "--muestras espera un número entero de 100 a 1000000"},
        {inc + "--semilla -1", "--semilla espera un número entero de 0 a 9007199254740992"},
        {inc + "--semilla 1.5", "--semilla espera un número entero de 0 a 9007199254740992"},
        {inc + "--fundacion 0", "--fundacion espera una profundidad en metros mayor que 0"},
        {inc + "--fundacion tres", "--fundacion espera una profundidad en metros mayor que 0"},
        {inc + "--modelo CSU=0:0.3", "--modelo: El sesgo de CSU debe ser un número mayor que 0."},
        {inc + "--modelo CSU=1", "--modelo: El error de una fórmula se escribe FORMULA=SESGO:CV"},
        {inc + "--modelo CSU=1:-1", "--modelo: El coeficiente de variación de CSU debe ser un número no negativo."},
        {inc + "--modelo Laursen=1:0.2",
         "--incierto: El problema no tiene activa la fórmula Laursen (activas: Breusers, CSU, Johnson)."},
        // A seed read exactly: above 2^53 it is refused, not rounded to it.
        {inc + "--semilla 9007199254740993", "--semilla espera un número entero de 0 a 9007199254740992"},
        {inc + "--semilla 1.00000000000000001", "--semilla espera un número entero de 0 a 9007199254740992"},
        // The same field or formula twice: the later would replace the earlier.
        {inc + "--incierto FlujCaud=normal:*:0.1",
         "--incierto: El campo FlujCaud figura dos veces entre los inciertos: dé una sola distribución."},
        {inc + "--modelo CSU=1:0.3 --modelo CSU=1.2:0.3",
         "--modelo: La fórmula CSU figura dos veces entre los errores de las fórmulas: dé uno solo."},
        {"--lote - --incierto FlujCaud=lognormal:*:0.3 --incierto FlujCaud=normal:*:0.1",
         "--incierto: El campo FlujCaud figura dos veces entre los inciertos"},
        // A factor that overflows the depths is refused; a study whose
        // every sample is rejected is no study.
        {inc + "--modelo CSU=1e308:0", "--modelo: El sesgo de CSU debe ser a lo sumo 100 (medida / calculada)."},
        {inc + "--modelo CSU=1:1e308", "--modelo: El coeficiente de variación de CSU debe ser a lo sumo 100."},
        {kPila + "--incierto SediDiamMedi=uniforme:-5:-1 --muestras 100",
         "--incierto: Ninguna muestra se pudo calcular: 100 con un valor que su campo no admite (la primera: "
         "SediDiamMedi = -"},
        {inc + "--hilos 0", "--hilos espera un número entero de 1 a 256"},
        {inc + "--barrido FlujCaud=1:2:3", "--incierto y --barrido no van juntos"},
        {kPila + "--muestras 1000", "--muestras, --semilla, --modelo y --fundacion solo valen con --incierto"},
        {kPila + "--fundacion 2", "--muestras, --semilla, --modelo y --fundacion solo valen con --incierto"},
        {kPila + "--incierto", "--incierto espera CAMPO=DIST"},
        {"--lote - --incierto FlujCaud=lognormal:*:0.3 --codigo 22", "--lote no admite otras opciones ni pares"},
        {"--lote - --incierto FlujCaud=lognormal:*:0.3 --json", "--lote no admite otras opciones ni pares"},
        // The problem itself: its own message and status.
        {"--codigo 22 EstrFactFormKs=1 EstrFactGrup=1 SediAnguRepo=0 --incierto FlujCaud=lognormal:*:0.3",
         "Floating point division by zero"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.argumentos);
        const TProceso p = Correr(c.argumentos);
        EXPECT_EQ(p.estado, std::string(c.mensaje).starts_with("Floating") ? 3 : 2);
        EXPECT_EQ(p.salida, "");
        EXPECT_NE(p.error.find(c.mensaje), std::string::npos) << p.error;
    }
}

namespace {

// Cell `titulo` of every line of a batch's CSV output; nothing when there is
// no such column.
std::vector<std::string> Columna(const std::string& csv, const std::string& titulo) {
    const std::vector<std::string> lineas = Lineas(csv);
    const std::vector<std::string> cabecera = CeldasCsv(lineas.at(0));
    const auto k = std::find(cabecera.begin(), cabecera.end(), titulo) - cabecera.begin();
    std::vector<std::string> celdas;
    if (k == static_cast<long>(cabecera.size())) return celdas;
    for (std::size_t i = 1; i < lineas.size(); ++i)
        if (!lineas[i].empty()) celdas.push_back(CeldasCsv(lineas[i]).at(k));
    return celdas;
}

}  // namespace

// A batch with a study per line around that line's values: with a
// coefficient of variation of 0 each line's P50 and P95 are its own depths;
// with a spread one, the same numbers on any number of threads; the
// captions with --columnas textos; what no line could study refused before
// the first line.
TEST(TurmadoCalcIncertidumbre, LoteConUnEstudioPorLinea) {
    const std::string lote = "--lote " + std::string(TURMADO_DATOS) + "/pilas.csv ";
    const TProceso fijo = Correr(lote + "--incierto FlujCaud=lognormal:*:0 --muestras 100");
    ASSERT_EQ(fijo.estado, 0) << fijo.error;
    EXPECT_EQ(fijo.error, "");
    EXPECT_TRUE(Lineas(fijo.salida).at(0).ends_with(
        ",avisos_datos,p50_vortice_dietz_m,p95_vortice_dietz_m,p50_escalon_bornmann_julien_m,"
        "p95_escalon_bornmann_julien_m,p50_chorro_bornmann_julien_m,p95_chorro_bornmann_julien_m,"
        "p50_chorro_fahlbusch_m,p95_chorro_fahlbusch_m,p50_alc_ancha_qayoum_m,p95_alc_ancha_qayoum_m,"
        "p50_alc_ancha_altinbilek_basmaci_m,p95_alc_ancha_altinbilek_basmaci_m,p50_alc_ancha_breusers_m,"
        "p95_alc_ancha_breusers_m,p50_alc_ancha_hoffmans_m,p95_alc_ancha_hoffmans_m,p50_estribo_prot_dietz_m,"
        "p95_estribo_prot_dietz_m,p50_estribo_ahmad_m,p95_estribo_ahmad_m,p50_estribo_liu_m,p95_estribo_liu_m,"
        "p50_estribo_dietz_m,p95_estribo_dietz_m,p50_estribo_breusers_m,p95_estribo_breusers_m,"
        "p50_pila_breusers_m,p95_pila_breusers_m,p50_pila_csu_m,p95_pila_csu_m,p50_pila_johnson_m,"
        "p95_pila_johnson_m,p50_alc_angosta_rajaratnam_berry_m,p95_alc_angosta_rajaratnam_berry_m,"
        "p50_alc_angosta_ruff_m,p95_alc_angosta_ruff_m,p50_alc_angosta_breusers_m,p95_alc_angosta_breusers_m,"
        "p50_alc_angosta_hoffmans_m,p95_alc_angosta_hoffmans_m,p50_envolvente_m,p95_envolvente_m,"
        "muestras_rechazadas,mensaje_incertidumbre"))
        << Lineas(fijo.salida).at(0);
    for (const std::string f : {"breusers", "csu", "johnson"}) {
        SCOPED_TRACE(f);
        const auto y = Columna(fijo.salida, "ys_pila_" + f + "_m");
        ASSERT_EQ(y.size(), 4u);
        EXPECT_EQ(Columna(fijo.salida, "p50_pila_" + f + "_m"), y);
        EXPECT_EQ(Columna(fijo.salida, "p95_pila_" + f + "_m"), y);
    }
    EXPECT_EQ(Columna(fijo.salida, "muestras_rechazadas"), std::vector<std::string>(4, "0"));
    EXPECT_EQ(Columna(fijo.salida, "mensaje_incertidumbre"), std::vector<std::string>(4, ""));
    EXPECT_EQ(Columna(fijo.salida, "p50_envolvente_m"), Columna(fijo.salida, "p50_pila_csu_m"));
    EXPECT_EQ(Columna(fijo.salida, "p50_alc_angosta_ruff_m"), std::vector<std::string>(4, ""));

    // A spread discharge: P95 above P50, the probability of the foundation
    // depth on every line, the same on one thread and on several.
    const std::string estudio = lote + "--incierto FlujCaud=lognormal:*:0.3 --muestras 500 --fundacion 3 --modelo CSU=1.1:0.2";
    const TProceso uno = Correr(estudio + " --hilos 1");
    ASSERT_EQ(uno.estado, 0) << uno.error;
    for (const char* hilos : {" --hilos 3", " --hilos 7", ""}) {
        SCOPED_TRACE(hilos);
        EXPECT_EQ(Correr(estudio + hilos).salida, uno.salida);
    }
    const auto p50 = Columna(uno.salida, "p50_pila_csu_m"), p95 = Columna(uno.salida, "p95_pila_csu_m");
    const auto prob = Columna(uno.salida, "pfund_pila_csu");
    ASSERT_EQ(p50.size(), 4u);
    ASSERT_EQ(prob.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_GT(std::stod(p95[i]), std::stod(p50[i]));
        EXPECT_GE(std::stod(prob[i]), 0);
        EXPECT_LE(std::stod(prob[i]), 1);
    }

    // The same study with the captions as column names.
    const TProceso textos = Correr(estudio + " --columnas textos");
    ASSERT_EQ(textos.estado, 0) << textos.error;
    EXPECT_EQ(Columna(textos.salida, "P50 (CSU) [m]"), p50);
    EXPECT_EQ(Columna(textos.salida, "P95 (CSU) [m]"), p95);
    EXPECT_EQ(Columna(textos.salida, "P(ys > 3 m) (CSU)"), prob);
    EXPECT_EQ(Columna(textos.salida, "P95 (envolvente) [m]"), Columna(uno.salida, "p95_envolvente_m"));
    EXPECT_EQ(Columna(textos.salida, "Muestras rechazadas"), std::vector<std::string>(4, "0"));
    EXPECT_EQ(Columna(textos.salida, "Mensaje de incertidumbre"), std::vector<std::string>(4, ""));

    // What no line could study is refused before the first line, with status
    // 2 and nothing on standard output.
    struct Caso { std::string argumentos; std::string error; };
    const Caso malos[] = {
        {"--incierto FlujCaud=uniforme:2000:1500", "--incierto: FlujCaud: El mínimo debe ser menor que el máximo."},
        {"--incierto FlujCaud=lognormal:*:0.3 --modelo Laursen=1:0.2",
         "--modelo: Ninguna estructura tiene la fórmula Laursen."},
        {"--incierto Caudal=lognormal:*:0.3", "--incierto: Campo desconocido: Caudal"},
    };
    for (const Caso& c : malos) {
        SCOPED_TRACE(c.argumentos);
        const TProceso malo = Correr(lote + c.argumentos);
        EXPECT_EQ(malo.estado, 2);
        EXPECT_EQ(malo.salida, "");
        EXPECT_EQ(malo.error, "turmado-calc: " + c.error + "\n");
    }
}
