// turmado-calc end to end: output, exit statuses, messages.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

#include <nlohmann/json.hpp>

namespace {

struct Salida {
    int estado;
    std::string texto;  // standard output and standard error together
};

Salida Correr(const std::string& argumentos, bool conError = true) {
    const std::string orden = std::string(TURMADO_CALC) + " " + argumentos + (conError ? " 2>&1" : " 2>/dev/null");
    FILE* p = popen(orden.c_str(), "r");
    std::string texto;
    std::array<char, 4096> buf;
    while (std::size_t n = fread(buf.data(), 1, buf.size(), p)) texto.append(buf.data(), n);
    const int estado = pclose(p);
    return {WEXITSTATUS(estado), texto};
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

TEST(TurmadoCalc, FalloFlotante) {
    // -20 degC passes the field rule (lower bound -273) and divides by zero in
    // the viscosity 4e-5 / (T + 20).
    const Salida s = Correr("AguaTemp=-20");
    EXPECT_EQ(s.estado, 3);
    EXPECT_EQ(s.texto, "Floating point division by zero\n");
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

TEST(TurmadoCalc, OpcionesMalFormadas) {
    for (const char* a : {"--codigo", "--codigo 32", "--codigo 1", "--codigo x", "--chorro 2", "--chorro"}) {
        SCOPED_TRACE(a);
        EXPECT_EQ(Correr(a).estado, 2);
    }
}
