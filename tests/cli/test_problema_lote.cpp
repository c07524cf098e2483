// turmado-calc with a saved problem (--problema) and with a batch (--lote).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "proceso.h"

namespace {

const std::string kDatos = TURMADO_DATOS;

std::string Leer(const std::filesystem::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

// A scratch directory of its own, removed with it.
struct Temporal {
    std::filesystem::path dir;
    Temporal() {
        static std::mt19937_64 azar{std::random_device{}()};
        do dir = std::filesystem::temp_directory_path() / ("turmado-cli-" + std::to_string(azar()));
        while (!std::filesystem::create_directories(dir));
    }
    ~Temporal() { std::filesystem::remove_all(dir); }

    std::string Archivo(const std::string& nombre, const std::string& texto) const {
        std::ofstream(dir / nombre, std::ios::binary) << texto;
        return (dir / nombre).string();
    }
};

// A path as the UTF-8 text given on the command line.
std::string Utf8(const std::filesystem::path& ruta) {
    const std::u8string u = ruta.u8string();
    return {u.begin(), u.end()};
}

using Ejecucion = TProceso;

Ejecucion Ejecutar(const std::string& argumentos, const std::string& entrada = "") {
    const Temporal t;
    std::vector<std::string> orden = Palabras(argumentos);
    orden.insert(orden.begin(), TURMADO_CALC);
    return EjecutarProceso(orden, t.Archivo("in", entrada));
}

}  // namespace

// The example file gives what the same problem typed on the command line
// gives, and the rows it keeps for the reader are those rows.
TEST(TurmadoCalcProblema, ArchivoDeEjemplo) {
    const Ejecucion archivo = Ejecutar("--problema " + kDatos + "/pila.turmado");
    const Ejecucion pares = Ejecutar("--codigo 22 EstrFactFormKs=1 EstrFactGrup=1 SediAnguRepo=30");
    ASSERT_EQ(archivo.estado, 0) << archivo.error;
    EXPECT_EQ(archivo.salida, pares.salida);
    EXPECT_EQ(archivo.error, "");

    const std::string guardado = Leer(kDatos + "/pila.turmado");
    std::size_t filas = 0;
    for (std::size_t i = archivo.salida.find('\n') + 1; i < archivo.salida.size(); ++filas) {
        const std::size_t fin = archivo.salida.find('\n', i);
        std::string fila = archivo.salida.substr(i, fin - i);
        const std::size_t t1 = fila.find('\t'), t2 = fila.find('\t', t1 + 1);
        const std::string json = "[\"" + fila.substr(0, t1) + "\", \"" + fila.substr(t1 + 1, t2 - t1 - 1) + "\", \"" +
                                 fila.substr(t2 + 1) + "\"]";
        EXPECT_NE(guardado.find(json), std::string::npos) << json;
        i = fin + 1;
    }
    EXPECT_EQ(filas, 10u);
}

// Options and pairs given with the file override what it holds.
TEST(TurmadoCalcProblema, LosParesMandanSobreElArchivo) {
    const std::string pila = "--problema " + kDatos + "/pila.turmado";
    struct Caso { std::string conArchivo, sinArchivo; };
    const Caso casos[] = {
        {pila + " FlujCaud=1500", "--codigo 22 EstrFactFormKs=1 EstrFactGrup=1 SediAnguRepo=30 FlujCaud=1500"},
        {pila + " --rugosidad", "--codigo 22 EstrFactFormKs=1 EstrFactGrup=1 SediAnguRepo=30 --rugosidad"},
        {pila + " --codigo 31", "--codigo 31 EstrFactFormKs=1 EstrFactGrup=1 SediAnguRepo=30"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.conArchivo);
        const Ejecucion a = Ejecutar(c.conArchivo), b = Ejecutar(c.sinArchivo);
        EXPECT_EQ(a.estado, 0);
        EXPECT_EQ(a.salida, b.salida);
    }
    EXPECT_NE(Ejecutar(pila + " FlujCaud=1500").salida, Ejecutar(pila).salida);
}

TEST(TurmadoCalcProblema, ArchivosMalos) {
    const Temporal t;
    const std::string cabecera = R"({"formato": "turmado-problema", "version": )";
    struct Caso { std::string ruta; std::string mensaje; };
    const Caso casos[] = {
        {t.Archivo("nueva.turmado", cabecera + "2}"),
         "nueva.turmado: el archivo usa la versión 2 del formato, más nueva que la que lee este programa (1)"},
        {t.Archivo("cortado.turmado", Leer(kDatos + "/pila.turmado").substr(0, 300)),
         "cortado.turmado: el archivo está incompleto: termina antes de tiempo"},
        {t.Archivo("d50.turmado", cabecera + R"(1, "textos": {"SediDiamMedi": "0.05"}})"),
         "d50.turmado: texto no válido en el campo SediDiamMedi: Solo se considera sedimento no cohesivo"},
        {kDatos + "/pilas.csv", "pilas.csv: no es un archivo de problema de turmado"},
        {(t.dir / "no-existe.turmado").string(), "no-existe.turmado: el archivo no existe"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.ruta);
        const Ejecucion e = Ejecutar("--problema " + c.ruta);
        EXPECT_EQ(e.estado, 2);
        EXPECT_EQ(e.salida, "");
        EXPECT_NE(e.error.find(c.mensaje), std::string::npos) << e.error;
    }
    // A jet answer the file lacks: the same message as on the command line.
    const std::string salto = cabecera + R"(1, "codigo": 11, "textos": {"EstrLongPlat": "4"}})";
    const Ejecucion chorro = Ejecutar("--problema " + t.Archivo("salto.turmado", salto));
    EXPECT_EQ(chorro.estado, 2);
    EXPECT_NE(chorro.error.find("La longitud de la protección es insuficiente para que actúe.\n"), std::string::npos);
    EXPECT_NE(chorro.error.find("--chorro 0"), std::string::npos);
}

TEST(TurmadoCalcLote, ArchivoDeEjemplo) {
    const Ejecucion e = Ejecutar("--lote " + kDatos + "/pilas.csv");
    ASSERT_EQ(e.estado, 0) << e.error;
    EXPECT_EQ(e.error, "");
    const std::string lineas[] = {
        "codigo,FlujCaud,FlujTiraRest,EstrFactFormKs,EstrFactGrup,SediAnguRepo,titulo,Movilidad (Shields) Crítica,"
        "Movilidad (Shields),Condición de transporte,Velocidad crítica de erosión,"
        "Erosión máxima de equilibrio (Breusers),Longitud de falla crítica (Breusers),"
        "Erosión máxima de equilibrio (CSU),Longitud de falla crítica (CSU),"
        "Erosión máxima de equilibrio (Johnson),Longitud de falla crítica (Johnson),"
        "validez1,validez2,validez3,validez4,avisos_datos\n",
        "22,3000,1.8,1,1,30,Problema de la Pila,0.0550,0.0667,Lecho vivo,3.03,0.98,1.70,2.39,4.15,2.07,3.59,"
        "sin_rangos,sin_rangos,sin_rangos,sin_rangos,\n",
    };
    for (const std::string& l : lineas) EXPECT_NE(e.salida.find(l), std::string::npos) << l;

    // Each case prints what the single run prints.
    const Ejecucion uno = Ejecutar("--codigo 22 FlujCaud=3000 FlujTiraRest=1.8 EstrFactFormKs=1 EstrFactGrup=1 "
                                   "SediAnguRepo=30");
    EXPECT_NE(uno.salida.find("Erosión máxima de equilibrio (CSU)\t2.39\t[m]"), std::string::npos);
}

TEST(TurmadoCalcLote, LineasMalasDesdeLaEntradaEstandar) {
    const Ejecucion e = Ejecutar("--lote -",
                                 "codigo,FlujCaud,AguaTemp\n"
                                 "22,3000,20\n"
                                 "22,0,20\n"
                                 "22,3000,-20\n"
                                 "22,1500,20\n");
    EXPECT_EQ(e.estado, 2);
    EXPECT_EQ(e.error,
              "(entrada estándar):3: FlujCaud: El valor ingresado no es válido.\n"
              "(entrada estándar):4: Floating point division by zero\n");
    EXPECT_EQ(std::count(e.salida.begin(), e.salida.end(), '\n'), 3);  // header and two cases
    EXPECT_NE(e.salida.find("\n22,1500,20,Problema de la Pila,"), std::string::npos);
}

TEST(TurmadoCalcLote, UsoIndebido) {
    const Temporal t;
    struct Caso { std::string argumentos; const char* mensaje; };
    const Caso casos[] = {
        {"--lote " + kDatos + "/pilas.csv --json", "--lote no admite otras opciones ni pares"},
        {"FlujCaud=10 --lote " + kDatos + "/pilas.csv", "--lote no admite otras opciones ni pares"},
        {"--lote", "--lote espera un archivo"},
        {"--lote " + (t.dir / "no.csv").string(), "no.csv: no se puede leer el archivo"},
        {"--lote " + t.Archivo("mal.csv", "codigo,Caudal\n22,1\n"), "mal.csv:1: columna desconocida: Caudal"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.argumentos);
        const Ejecucion e = Ejecutar(c.argumentos);
        EXPECT_EQ(e.estado, 2);
        EXPECT_EQ(e.salida, "");
        EXPECT_NE(e.error.find(c.mensaje), std::string::npos) << e.error;
    }
}

// Problem and batch files whose names are not ASCII open, and a missing one
// is named whole in the message.
TEST(TurmadoCalcArchivos, NombresNoAscii) {
    const Temporal t;
    const std::filesystem::path carpeta = t.dir / u8"cálculos_º_⚠";
    std::filesystem::create_directory(carpeta);
    const std::filesystem::path problema = carpeta / u8"pila_ñandú.turmado", lote = carpeta / u8"lote_año.csv";
    std::filesystem::copy_file(kDatos + "/pila.turmado", problema);
    std::filesystem::copy_file(kDatos + "/pilas.csv", lote);
    const std::string falta = Utf8(carpeta / u8"no_está.turmado");

    struct Caso { std::string argumentos; int estado; std::string salida; std::string error; };
    const Caso casos[] = {
        {"--problema " + Utf8(problema), 0, Ejecutar("--problema " + kDatos + "/pila.turmado").salida, ""},
        {"--lote " + Utf8(lote), 0, Ejecutar("--lote " + kDatos + "/pilas.csv").salida, ""},
        {"--problema " + falta, 2, "", "turmado-calc: " + falta + ": el archivo no existe\n"},
        {"--lote " + falta, 2, "", "turmado-calc: " + falta + ": no se puede leer el archivo\n"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.argumentos);
        const Ejecucion e = Ejecutar(c.argumentos);
        EXPECT_EQ(e.estado, c.estado);
        EXPECT_EQ(e.salida, c.salida);
        EXPECT_EQ(e.error, c.error);
    }
    EXPECT_NE(casos[0].salida.find("Problema de la Pila\n"), std::string::npos);
}
