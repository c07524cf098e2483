// turmado-calc --validar: the formulas against measured scour.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <nlohmann/json.hpp>

#include "proceso.h"

namespace {

const std::string kCampo = std::string(TURMADO_VALIDACION) + "/usgs_campo.csv";

struct Carpeta {
    std::filesystem::path dir;
    Carpeta() {
        static std::mt19937_64 azar{std::random_device{}()};
        do dir = std::filesystem::temp_directory_path() / ("turmado-validar-" + std::to_string(azar()));
        while (!std::filesystem::create_directories(dir));
    }
    ~Carpeta() { std::filesystem::remove_all(dir); }
    std::string Archivo(const std::string& nombre, const std::string& texto) const {
        std::ofstream(dir / nombre, std::ios::binary) << texto;
        return (dir / nombre).string();
    }
};

TProceso Ejecutar(const std::string& argumentos) {
    std::vector<std::string> orden = Palabras(argumentos);
    orden.insert(orden.begin(), TURMADO_CALC);
    return EjecutarProceso(orden);
}

}  // namespace

// The shipped field measurements: every line a pier case, the three pier
// formulas each with its rows, the JSON and the text saying the same.
TEST(TurmadoCalcValidar, MedicionesDeCampo) {
    const TProceso j = Ejecutar("--validar " + kCampo + " --json");
    ASSERT_EQ(j.estado, 0) << j.error;
    const auto v = nlohmann::json::parse(j.salida).at("validacion");
    EXPECT_EQ(v.at("rechazados"), nlohmann::json::array());
    const std::size_t casos = v.at("casos");
    EXPECT_GT(casos, 500u);
    const auto& formulas = v.at("formulas");
    ASSERT_EQ(formulas.size(), 3u);
    const TProceso t = Ejecutar("--validar " + kCampo);
    ASSERT_EQ(t.estado, 0) << t.error;
    EXPECT_TRUE(t.salida.starts_with("Casos: " + std::to_string(casos) +
                                     "\nFórmula\tn\tsesgo\tmediana\tcv\tsubestimados\tr95\n"))
        << t.salida;
    const char* nombres[] = {"Breusers", "CSU", "Johnson"};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto& f = formulas[i];
        SCOPED_TRACE(f.dump());
        EXPECT_EQ(f.at("formula"), nombres[i]);
        const std::size_t n = f.at("n");
        EXPECT_GE(n, 1000u);  // what the shipped field file must hold for each pier formula
        EXPECT_LE(n, casos);
        const double mediana = f.at("mediana"), r95 = f.at("r95"), sub = f.at("subestimados");
        EXPECT_LE(mediana, r95);
        EXPECT_GE(sub, 0);
        EXPECT_LE(sub, 1);
        EXPECT_NE(t.salida.find("\n" + std::string(nombres[i]) + "\t" + std::to_string(n) + "\t"), std::string::npos);
    }
    EXPECT_TRUE(t.salida.ends_with("Rechazados: 0\n")) << t.salida;
}

// The per-row CSV: a header and one line per case; rejected rows by message.
TEST(TurmadoCalcValidar, FilasYRechazados) {
    const Carpeta c;
    const std::string casos = c.Archivo("casos.csv",
                                        "codigo,FlujCaud,EstrFactFormKs,EstrFactGrup,ys_medida\n"
                                        "22,1000,1,1,1.5\n"
                                        "22,-1,1,1,1\n"
                                        "22,-2,1,1,1\n");
    const std::string filas = (c.dir / "filas.csv").string();
    const TProceso e = Ejecutar("--validar " + casos + " --filas " + filas);
    ASSERT_EQ(e.estado, 0) << e.error;
    EXPECT_NE(e.salida.find("Rechazados: 2\n2\t"), std::string::npos) << e.salida;
    std::ifstream leido(filas);
    std::string linea;
    std::vector<std::string> lineas;
    while (std::getline(leido, linea)) lineas.push_back(linea);
    ASSERT_EQ(lineas.size(), 4u);
    EXPECT_TRUE(lineas[0].starts_with("codigo,FlujCaud,EstrFactFormKs,EstrFactGrup,ys_medida,ys_medida_m,")) << lineas[0];
}

TEST(TurmadoCalcValidar, UsoIndebido) {
    const Carpeta c;
    struct Caso {
        std::string argumentos;
        const char* mensaje;
        int estado = 2;  // 4: a file that cannot be written
    };
    const Caso casos[] = {
        {"--validar", "--validar espera un archivo"},
        {"--validar " + kCampo + " --codigo 22", "--validar solo admite --json, --filas y --hilos"},
        {"--validar " + kCampo + " --lote " + kCampo, "--validar solo admite --json, --filas y --hilos"},
        {"--filas x.csv --codigo 22", "--filas solo vale con --validar"},
        {"--validar " + (c.dir / "no.csv").string(), "no.csv: no se puede leer el archivo"},
        {"--validar " + c.Archivo("mal.csv", "codigo,medida\n22,1\n"), "mal.csv: línea 1: columna desconocida: medida"},
        {"--validar " + kCampo + " --filas " + (c.dir / "no" / "f.csv").string(), "f.csv: no se puede crear el archivo",
         4},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.argumentos);
        const TProceso e = Ejecutar(k.argumentos);
        EXPECT_EQ(e.estado, k.estado);
        EXPECT_EQ(e.salida, "");
        EXPECT_NE(e.error.find(k.mensaje), std::string::npos) << e.error;
    }
}
