// turmado-calc end to end: output, exit statuses, messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "proceso.h"

namespace {

struct Salida {
    int estado;
    std::string texto;  // standard output, then standard error when asked for
};

// `memoria` caps the memory the program may take, in bytes (0: no cap).
Salida Correr(const std::string& argumentos, bool conError = true, std::uint64_t memoria = 0) {
    std::vector<std::string> orden = Palabras(argumentos);
    orden.insert(orden.begin(), TURMADO_CALC);
    const TProceso p = EjecutarProceso(orden, {}, memoria);
    return {p.estado, conError ? p.salida + p.error : p.salida};
}

}  // namespace

TEST(TurmadoCalc, FilasComunesPorDefecto) {
    const Salida s = Correr("");
    EXPECT_EQ(s.estado, 0);
    EXPECT_EQ(s.texto,
              "Movilidad (Shields) Crítica\t0.0550\t\n"
              "Movilidad (Shields)\t0.1718\t\n"
              "Condición de transporte\tLecho vivo\t\n"
              "Velocidad crítica de erosión\t2.83\t[m/s]\n");
}

TEST(TurmadoCalc, CamposDadosYOpcionRugosidad) {
    // d50 of 0.062 mm: D* about 1.57, theta_c = 0.24 / D*; a deep slow flow is clear water.
    const Salida s = Correr("SediDiamMedi=0.062 FlujCaud=10");
    EXPECT_EQ(s.estado, 0);
    EXPECT_NE(s.texto.find("Condición de transporte\tAguas claras\t\n"), std::string::npos) << s.texto;

    const Salida r = Correr("--rugosidad");
    EXPECT_EQ(r.estado, 0);
    EXPECT_NE(r.texto.find("Velocidad crítica de erosión\t2.83\t[m/s]"), std::string::npos);
}

TEST(TurmadoCalc, Json) {
    const Salida s = Correr("--json --rugosidad", false);
    ASSERT_EQ(s.estado, 0);
    const auto j = nlohmann::json::parse(s.texto);
    ASSERT_EQ(j["filas"].size(), 4u);
    EXPECT_EQ(j["filas"][0], nlohmann::json({"Movilidad (Shields) Crítica", "0.0550", ""}));
    EXPECT_NEAR(j["registro"]["CaucCoefMannCauc"].get<double>(), 0.031990, 5e-7);
    EXPECT_DOUBLE_EQ(j["registro"]["AltuRugoCauc"].get<double>(), 0.235);
    EXPECT_NEAR(j["registro"]["OutpVeloCritEros"].get<double>(), 2.8302, 5e-5);
    EXPECT_TRUE(j["registro"].contains("Salto.EstrLongPlat"));
    EXPECT_TRUE(j["registro"].contains("Alcantarilla.FlujVeloAper"));
}

TEST(TurmadoCalc, ErroresDeUsoYTextosRechazados) {
    struct Caso { const char* argumentos; const char* mensaje; };
    const Caso casos[] = {
        {"AguaDens=0", "AguaDens: El valor ingresado no es válido."},
        {"AguaDens=12,5", "AguaDens: El valor ingresado no es válido."},
        {"AguaTemp=-274", "AguaTemp: El valor ingresado no es válido."},
        {"SediDiamMedi=0.05", "SediDiamMedi: Solo se considera sedimento no cohesivo (d50 > 62 micr)"},
        {"SediDiamMedi=", "SediDiamMedi: Solo se considera sedimento no cohesivo (d50 > 62 micr)"},
        {"Desconocido=1", "campo desconocido: Desconocido"},
        {"--otra", "argumento desconocido: --otra"},
        {"suelto", "argumento desconocido: suelto"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.argumentos);
        const Salida s = Correr(c.argumentos);
        EXPECT_EQ(s.estado, 2);
        EXPECT_NE(s.texto.find(c.mensaje), std::string::npos) << s.texto;
        EXPECT_EQ(s.texto.find("Movilidad"), std::string::npos);  // nothing computed
    }
}

// A fault in any step of the run, whatever the options, ends it with status
// 3 and the fault's text alone.
TEST(TurmadoCalc, FalloFlotante) {
    struct Caso { const char* argumentos; const char* texto; };
    const Caso casos[] = {
        // -20 degC passes the field rule (lower bound -273) and divides by
        // zero in the viscosity 4e-5 / (T + 20).
        {"AguaTemp=-20", "Floating point division by zero\n"},
        {"--json --codigo 22 AguaTemp=-20", "Floating point division by zero\n"},
        // Structure "Continuar": the required protection length 4.2 h
        // overflows for h = 1e308.
        {"--codigo 12 FlujTiraRest=1e308", "Floating point overflow\n"},
        {"--json --codigo 12 FlujTiraRest=1e308", "Floating point overflow\n"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.argumentos);
        const Salida s = Correr(c.argumentos);
        EXPECT_EQ(s.estado, 3);
        EXPECT_EQ(s.texto, c.texto);
    }
}

// Characteristic times so small that the first step of the curves rounds to
// 0: the run ends (under a memory cap, so that an endless curve fails the
// test instead of filling the machine) with at most 5000 points per curve.
TEST(TurmadoCalc, CurvasConPasoNuloTerminan) {
    const std::uint64_t cota = 1'000'000 * 1024;  // 1,000,000 KiB
    const Salida alcantarilla =
        Correr("--json --codigo 31 FlujCaud=1e-162 CaucAnchCauc=1 FlujTiraRest=1e-162", false, cota);
    ASSERT_EQ(alcantarilla.estado, 0);
    const auto j = nlohmann::json::parse(alcantarilla.texto);
    for (const auto& serie : j["series"]) EXPECT_LE(serie["puntos"].size(), 5000u);
    EXPECT_EQ(j["series"][1]["puntos"], nlohmann::json::parse("[[0.0, 0.0]]"));  // Ruff: only (0, 0)

    // The live-bed curve of the confined vortex ends; the slope of the
    // scour hole then faults for a velocity this high.
    const Salida vortice = Correr("--codigo 11 FlujCaud=5e80 CaucAnchCauc=1 FlujTiraRest=1", true, cota);
    EXPECT_EQ(vortice.estado, 3);
    EXPECT_EQ(vortice.texto, "Invalid floating point operation\n");
}

TEST(TurmadoCalc, CaminoDelAsistente) {
    // Bed step with an insufficient protection needs the jet answer.
    const Salida sin = Correr("--codigo 11 EstrLongPlat=4.5");
    EXPECT_EQ(sin.estado, 2);
    EXPECT_NE(sin.texto.find("La longitud de la protección es insuficiente para que actúe."), std::string::npos);
    EXPECT_NE(sin.texto.find("--chorro"), std::string::npos);

    struct Caso { const char* argumentos; int codigo; const char* titulo; bool mensaje; };
    const Caso casos[] = {
        {"--codigo 11", 111, "Problema Vórtice Confinado", false},
        {"--codigo 11 --chorro 0 EstrLongPlat=4.5", 1122, "Problema Chorro Zambullido", true},
        {"--codigo 11 --chorro 1 EstrLongPlat=0", 1121, "Problema del escalón", true},
        {"--codigo 12", 121, "Problema Vórtice Confinado", false},
        {"--codigo 12 EstrLongPlat=4.5", 122, "Problema Alcantarilla Ancha", true},
        {"--codigo 21", 211, "Problema Estribo/Espigón Protegido", false},
        {"--codigo 21 EstrLongPlat=0.6", 212, "Problema Estribo/Espigón", true},
        {"--codigo 22", 22, "Problema de la Pila", false},
        {"--codigo 31", 31, "Problema Alcantarilla Angosta", false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.argumentos);
        const Salida s = Correr(std::string("--json ") + c.argumentos, false);
        ASSERT_EQ(s.estado, 0);
        const auto j = nlohmann::json::parse(s.texto);
        EXPECT_EQ(j["codigo"], c.codigo);
        EXPECT_EQ(j["titulo"], c.titulo);
        EXPECT_EQ(j["mensajes"].size(), c.mensaje ? 1u : 0u);
        EXPECT_EQ(j["ranuras"].size(), 4u);
        EXPECT_EQ(j["series"].size(), 4u);

        const Salida texto = Correr(c.argumentos, false);
        EXPECT_EQ(texto.texto.substr(0, texto.texto.find('\n')), c.titulo);
    }

    // Code 211: "Dietz" is shown but never active.
    const auto j = nlohmann::json::parse(Correr("--json --codigo 21", false).texto);
    EXPECT_EQ(j["ranuras"][0]["titulo"], "Dietz");
    EXPECT_EQ(j["ranuras"][0]["activa"], false);
    EXPECT_TRUE(j["registro"].contains("Estribo.EstrRazoCont"));
    EXPECT_DOUBLE_EQ(j["registro"]["Estribo.EstrRazoCont"].get<double>(), 0.5);
}

// Arguments reach the program whole: spaces, quotes, backslashes, an empty
// name and characters beyond ASCII (on Windows they cross a quoted wide
// command line).  The messages give them back.
TEST(TurmadoCalc, ArgumentosIntactos) {
    struct Caso { std::vector<std::string> argumentos; std::string mensaje; };
    const Caso casos[] = {
        {{"dos palabras=1"}, "campo desconocido: dos palabras"},
        {{"comillas \"dentro\"=1"}, "campo desconocido: comillas \"dentro\""},
        {{"barras \\ y \\\"=1"}, "campo desconocido: barras \\ y \\\""},
        {{"año_º_⚠=1"}, "campo desconocido: año_º_⚠"},
        {{"=1"}, "campo desconocido: "},
        {{"--problema", "no existe \\"}, "no existe \\: el archivo no existe"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.mensaje);
        std::vector<std::string> orden = c.argumentos;
        orden.insert(orden.begin(), TURMADO_CALC);
        const TProceso p = EjecutarProceso(orden);
        EXPECT_EQ(p.estado, 2);
        EXPECT_EQ(p.error.substr(0, p.error.find('\n')), "turmado-calc: " + c.mensaje);
    }
}

TEST(TurmadoCalc, OpcionesMalFormadas) {
    for (const char* a : {"--codigo", "--codigo 32", "--codigo 1", "--codigo x", "--chorro 2", "--chorro"}) {
        SCOPED_TRACE(a);
        EXPECT_EQ(Correr(a).estado, 2);
    }
}

namespace {

// Value texts of the rows from row 6 on (the rows after the title and the
// four common rows), one per line.
std::string FilasPropias(const std::string& salida) {
    std::string r;
    std::size_t inicio = 0;
    for (int linea = 0; inicio < salida.size(); ++linea) {
        const std::size_t fin = salida.find('\n', inicio);
        const std::string fila = salida.substr(inicio, fin - inicio);
        if (linea >= 5) {
            const std::size_t t1 = fila.find('\t');
            r += fila.substr(t1 + 1, fila.find('\t', t1 + 1) - t1 - 1) + "\n";
        }
        inicio = fin + 1;
    }
    return r;
}

}  // namespace

// Every code end to end with the worked examples of the default data (angle
// of repose 30 degrees typed where a formula needs it; pier factors Ks = Kg = 1).
TEST(TurmadoCalc, CadaCodigoConLosEjemplosResueltos) {
    struct Caso { const char* argumentos; const char* valores; };
    const Caso casos[] = {
        // pier: Breusers 0.667978, CSU 2.69846, Johnson 2.04301; failure lengths 1.15697, 4.67387, 3.53860
        {"--codigo 22 EstrFactFormKs=1 EstrFactGrup=1 SediAnguRepo=30", "0.67\n1.16\n2.70\n4.67\n2.04\n3.54\n"},
        {"--codigo 22", "inactivo\ninactivo\ninactivo\ninactivo\ninactivo\ninactivo\n"},
        // narrow culvert: r0 0.3; Rajaratnam y Berry, Ruff, Breusers, Hoffmans
        {"--codigo 31", "0.300\n4.41\n3.79\n4.44\n2.39\n"},
        // confined vortex, live bed: r0 0.33869, qt 0.0055158, live-bed depth 1.679, failure 3.359, slope 21.67
        {"--codigo 11", "0.339\n0.005516\n1.68\n3.36\n21.67\n"},
        {"--codigo 12", "0.339\n0.005516\n1.68\n3.36\n21.67\n"},
        // wide culvert: r0 0.6; Qayoum 5.383, Altinbilek y Basmaci 12.672, Breusers 14.096, Hoffmans 1.5386
        {"--codigo 12 EstrLongPlat=4 SediAnguRepo=30", "0.600\n5.38\n12.67\n14.10\n1.54\n"},
        // protected abutment: Dietz 5.77905, shown although "Dietz" is never active
        {"--codigo 21", "5.78\n"},
        // abutment with empty factors: only Dietz (10.9938)
        {"--codigo 21 EstrLongPlat=0.6", "inactivo\ninactivo\n10.99\ninactivo\n"},
        // step: r0 1.5, Bornmann y Julien less the step 2.4007
        {"--codigo 11 --chorro 1 EstrLongPlat=4 SediAnguRepo=30", "1.500\n2.40\n"},
        // plunging jet: Bornmann y Julien 3.1507, Fahlbusch 5.2517
        {"--codigo 11 --chorro 0 EstrLongPlat=4 SediAnguRepo=30", "1.500\n3.15\n5.25\n"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.argumentos);
        const Salida s = Correr(c.argumentos, false);
        ASSERT_EQ(s.estado, 0);
        EXPECT_EQ(FilasPropias(s.texto), c.valores);
    }
}

TEST(TurmadoCalc, SalidaCompletaDeLaPila) {
    const Salida s = Correr("--codigo 22 EstrFactFormKs=1 EstrFactGrup=1 SediAnguRepo=30");
    EXPECT_EQ(s.estado, 0);
    // The rows, then the example's gradation warning (d84/d50 = 200/85).
    const std::size_t aviso = s.texto.find("Aviso: ");
    ASSERT_NE(aviso, std::string::npos) << s.texto;
    EXPECT_TRUE(s.texto.substr(aviso).starts_with(
        "Aviso: \"Diámetro 84%\" = 200 mm y \"Diámetro Medio (d50)\" = 85 mm dan d84/d50 = 2.35 y un factor de "
        "gradación Kσ = 0.378, que reduce las erosiones de la pila a menos de la mitad."))
        << s.texto;
    EXPECT_EQ(s.texto.substr(0, aviso),
              "Problema de la Pila\n"
              "Movilidad (Shields) Crítica\t0.0550\t\n"
              "Movilidad (Shields)\t0.1718\t\n"
              "Condición de transporte\tLecho vivo\t\n"
              "Velocidad crítica de erosión\t2.83\t[m/s]\n"
              "Erosión máxima de equilibrio (Breusers)\t0.67\t[m]\n"
              "Longitud de falla crítica (Breusers)\t1.16\t[m]\n"
              "Erosión máxima de equilibrio (CSU)\t2.70\t[m]\n"
              "Longitud de falla crítica (CSU)\t4.67\t[m]\n"
              "Erosión máxima de equilibrio (Johnson)\t2.04\t[m]\n"
              "Longitud de falla crítica (Johnson)\t3.54\t[m]\n");
}

TEST(TurmadoCalc, JsonConSeriesYRegistro) {
    // Confined vortex: the live-bed curve of about 900 points ending near 1.679 m.
    const auto v = nlohmann::json::parse(Correr("--json --codigo 11", false).texto);
    EXPECT_EQ(v["series"][0]["titulo"], "Dietz");
    const auto& puntos = v["series"][0]["puntos"];
    EXPECT_NEAR(static_cast<double>(puntos.size()), 900, 10);
    EXPECT_NEAR(puntos.back()[1].get<double>(), 1.679, 5e-4);
    EXPECT_NEAR(v["registro"]["PVC.ErosLechVivo"].get<double>(), 1.679, 5e-4);
    EXPECT_EQ(v["ranuras"][1]["visible"], false);

    // Narrow culvert: four curves and the slot captions.
    const auto a = nlohmann::json::parse(Correr("--json --codigo 31", false).texto);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(a["series"][k]["titulo"], a["ranuras"][k]["titulo"]);
        EXPECT_TRUE(a["ranuras"][k]["activa"].get<bool>());
        EXPECT_GT(a["series"][k]["puntos"].size(), 250u);
        EXPECT_EQ(a["series"][k]["puntos"][0], nlohmann::json({0.0, 0.0}));
    }
    EXPECT_NEAR(a["registro"]["PAG.ErosCoefHoff"].get<double>(), 6.8, 0);
}

TEST(TurmadoCalc, TextoNoNumericoEnElDiametro90) {
    // The d90 field accepts any text; "Calcular" cannot read this one.
    const Salida s = Correr("--codigo 31 SediDiam90N3=abc");
    EXPECT_EQ(s.estado, 2);
    EXPECT_NE(s.texto.find("'abc' no es un valor numérico válido."), std::string::npos) << s.texto;
}

// Validity warnings: "avisos" in JSON, one entry per slot, and the same
// warnings on standard error, which leave the status at 0.
TEST(TurmadoCalc, AvisosDeRangos) {
    // Field data: every formula of the narrow culvert outside both ranges.
    const auto j = nlohmann::json::parse(Correr("--json --codigo 31", false).texto);
    ASSERT_EQ(j["avisos"].size(), 4u);
    for (const auto& a : j["avisos"]) EXPECT_EQ(a["estado"], "fuera");
    EXPECT_EQ(j["avisos"][0]["fuera"][0], nlohmann::json::parse(R"({"parametro": "d50", "valor": 85.0, "unidad": "mm",
        "calibracion": "1.40/2.80", "validacion": "0.82/2.80"})"));
    EXPECT_EQ(j["avisos"][2]["fuera"][0]["validacion"], "");  // Breusers: calibration only

    // Laboratory data: Rajaratnam y Berry, Breusers and Hoffmans inside
    // calibration, Ruff inside validation only (depth outside calibration;
    // its calibration cell of the opening, 3.11/830 m, is not compared).
    const std::string lab = "--codigo 31 CaucAnchCauc=1 EstrCantAper=1 SediDiamMedi=2 FlujTiraRest=0.61 "
                            "EstrDiamAper=0.31 FlujCaud=0.1132";
    const auto l = nlohmann::json::parse(Correr("--json " + lab, false).texto);
    std::vector<std::string> estados;
    for (const auto& a : l["avisos"]) estados.push_back(a["estado"]);
    EXPECT_EQ(estados, (std::vector<std::string>{"calibracion", "validacion", "calibracion", "calibracion"}));
    EXPECT_EQ(l["avisos"][0]["fuera"].size(), 0u);
    ASSERT_EQ(l["avisos"][1]["fuera"].size(), 1u);
    EXPECT_EQ(l["avisos"][1]["fuera"][0]["parametro"], "Tirante");

    // Formulas without range tables, and no calculator at all.
    for (const char* a : {"--json --codigo 22", "--json"}) {
        SCOPED_TRACE(a);
        const auto s = nlohmann::json::parse(Correr(a, false).texto);
        for (const auto& x : s["avisos"]) EXPECT_EQ(x["estado"], "sin_rangos");
    }

    // Standard error: each formula's warning, then the summary line.
    const Salida e = Correr(lab);
    EXPECT_EQ(e.estado, 0);
    EXPECT_NE(e.texto.find("Ruff: Datos fuera del rango de calibración, dentro del de validación:\n"
                           "  Tirante = 0.61 m, calibración 0.05/0.20, validación 0.01/0.61\n"),
              std::string::npos)
        << e.texto;
    EXPECT_EQ(e.texto.find("Diámetro de la apertura"), std::string::npos) << e.texto;  // 3.11/830 not compared
    EXPECT_EQ(e.texto.find("Rajaratnam y Berry:"), std::string::npos);
    EXPECT_EQ(e.texto.find("extrapolaci"), std::string::npos);  // nothing outside both
    const Salida f = Correr("--codigo 31");
    EXPECT_NE(f.texto.find("Datos fuera de los rangos de calibración y validación de 3 fórmulas: sus resultados "
                           "son extrapolaciones.\n"
                           "⚠ Datos fuera del rango de calibración de una fórmula que no tiene rango de validación: "
                           "su resultado es una extrapolación.\n"),
              std::string::npos)
        << f.texto;

    // The step's formula has calibration ranges only: never outside both.
    const Salida g = Correr("--codigo 11 --chorro 1 EstrLongPlat=0 SediAnguRepo=30");
    EXPECT_EQ(g.estado, 0);
    EXPECT_NE(g.texto.find("Bornmann y Julien: Datos fuera del rango de calibración (la fórmula no tiene rango de "
                           "validación):\n"),
              std::string::npos)
        << g.texto;
    EXPECT_NE(g.texto.find("⚠ Datos fuera del rango de calibración de una fórmula que no tiene rango de validación: "
                           "su resultado es una extrapolación.\n"),
              std::string::npos)
        << g.texto;
    EXPECT_EQ(g.texto.find("calibración y validación"), std::string::npos) << g.texto;
}

// Implausible data: the pier of d50 2 mm whose d84 keeps the example's
// 200 mm.  The warning goes to standard error (never to the results) and
// under "datos" of --json, with its field; the run still succeeds.
TEST(TurmadoCalc, AvisosDeDatos) {
    const std::string pila = "--codigo 22 SediDiamMedi=2 EstrFactFormKs=1 EstrFactGrup=1 SediAnguRepo=30";
    const std::string aviso =
        "\"Diámetro 84%\" = 200 mm es el valor del ejemplo, pero \"Diámetro Medio (d50)\" = 2 mm ya no lo es: d84 "
        "y d50 deben ser de la misma granulometría.";
    const Salida todo = Correr(pila);
    EXPECT_EQ(todo.estado, 0);
    EXPECT_NE(todo.texto.find("Aviso: " + aviso + "\n"), std::string::npos) << todo.texto;
    const Salida salida = Correr(pila, false);
    EXPECT_EQ(salida.texto.find("Aviso:"), std::string::npos);
    EXPECT_NE(salida.texto.find("Erosión máxima de equilibrio (CSU)"), std::string::npos);

    const auto j = nlohmann::json::parse(Correr("--json " + pila, false).texto);
    ASSERT_EQ(j["datos"].size(), 2u);  // and the gradation factor of d84/d50 = 100
    EXPECT_EQ(j["datos"][0], nlohmann::json::parse(R"({"campo": "SediDiam84N3", "mensaje": )" +
                                                   nlohmann::json(aviso).dump() + "}"));
    EXPECT_EQ(j["datos"][1]["campo"], "SediDiam84N3");
    EXPECT_TRUE(j["datos"][1]["mensaje"].get<std::string>().starts_with(
        "\"Diámetro 84%\" = 200 mm y \"Diámetro Medio (d50)\" = 2 mm dan d84/d50 = 100.00 y un factor de gradación "
        "Kσ = 0.004"));
    // Next to "avisos", in the order of the object.
    std::vector<std::string> claves;
    const auto ordenado = nlohmann::ordered_json::parse(Correr("--json " + pila, false).texto);
    for (const auto& [clave, valor] : ordenado.items()) claves.push_back(clave);
    const auto avisos = std::find(claves.begin(), claves.end(), "avisos");
    ASSERT_NE(avisos, claves.end());
    EXPECT_EQ(*(avisos + 1), "datos");

    // Nothing to say (a narrowly graded bed): an empty list, and nothing on standard error.
    EXPECT_EQ(nlohmann::json::parse(Correr("--json --codigo 22 SediDiam84N3=100", false).texto)["datos"],
              nlohmann::json::array());
    EXPECT_EQ(Correr("--codigo 22 SediDiam84N3=100").texto.find("Aviso:"), std::string::npos);
}

// With the roughness option, a roughness height of 12 depths or more is
// refused: status 2, the message, no results.
TEST(TurmadoCalc, RugosidadDeDoceTirantesRechazada) {
    struct Caso { const char* argumentos; int estado; };
    const Caso casos[] = {
        {"--rugosidad FlujTiraRest=0.1 AltuRugoCauc=1200", 2},     // exactly 12 h
        {"--rugosidad AltuRugoCauc=20000", 2},                     // 20 m > 12 x 1.2 m
        {"--json --rugosidad --codigo 31 AltuRugoCauc=14400", 2},  // exactly 12 h
        {"--rugosidad FlujTiraRest=0.1 AltuRugoCauc=1199", 0},
        {"AltuRugoCauc=20000", 0},  // the Manning option does not use it
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.argumentos);
        const Salida s = Correr(c.argumentos);
        EXPECT_EQ(s.estado, c.estado);
        if (c.estado == 2)
            EXPECT_EQ(s.texto, "turmado-calc: La altura de rugosidad debe ser menor que 12 veces el tirante.\n");
        else
            EXPECT_NE(s.texto.find("Velocidad crítica de erosión"), std::string::npos);
    }
}
