// turmado-calc with a saved problem (--problema) and with a batch (--lote).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "proceso.h"
#include "../celdas.h"

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

// The cell of column `nombre` of a CSV line whose cells hold no quote.
std::string Celda(const std::string& cabecera, const std::string& linea, const std::string& nombre) {
    const auto nombres = CeldasCsv(cabecera), celdas = CeldasCsv(linea);
    const auto it = std::find(nombres.begin(), nombres.end(), nombre);
    if (it == nombres.end() || celdas.size() != nombres.size()) return "<" + nombre + " no está>";
    return celdas[std::size_t(it - nombres.begin())];
}

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
    // The example's d84/d50 = 200/85: the gradation factor's warning, only.
    EXPECT_EQ(archivo.error, pares.error);
    EXPECT_TRUE(archivo.error.starts_with("Aviso: \"Diámetro 84%\" = 200 mm y ")) << archivo.error;
    EXPECT_EQ(std::count(archivo.error.begin(), archivo.error.end(), '\n'), 1);

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
    const std::string cabecera = e.salida.substr(0, e.salida.find('\n'));
    EXPECT_TRUE(cabecera.starts_with("codigo,FlujCaud,FlujTiraRest,EstrFactFormKs,EstrFactGrup,SediAnguRepo,titulo,"
                                     "shields_critico,shields,transporte,vc_m_s,turbulencia,"))
        << cabecera;
    EXPECT_TRUE(cabecera.ends_with(",validez_alc_angosta_hoffmans,avisos_datos")) << cabecera;
    const std::size_t inicio = e.salida.find("\n22,3000,");
    ASSERT_NE(inicio, std::string::npos);
    const std::string linea = e.salida.substr(inicio + 1, e.salida.find('\n', inicio + 1) - inicio - 1);
    struct Caso { const char* columna; const char* valor; };
    const Caso casos[] = {
        {"titulo", "Problema de la Pila"}, {"shields_critico", "0.0550"}, {"shields", "0.0667"},
        {"transporte", "Lecho vivo"},      {"vc_m_s", "3.03"},            {"ys_pila_breusers_m", "0.98"},
        {"lf_pila_breusers_m", "1.70"},    {"ys_pila_csu_m", "2.39"},     {"lf_pila_csu_m", "4.15"},
        {"ys_pila_johnson_m", "2.07"},     {"lf_pila_johnson_m", "3.59"}, {"validez_pila_csu", "sin_rangos"},
        {"turbulencia", ""},
    };
    for (const Caso& c : casos) EXPECT_EQ(Celda(cabecera, linea, c.columna), c.valor) << c.columna;
    // The example's d84/d50 = 200/85 warns of the pier's gradation factor.
    EXPECT_NE(Celda(cabecera, linea, "avisos_datos").find("factor de gradación Kσ = 0.378"), std::string::npos);

    // Each case prints what the single run prints.
    const Ejecucion uno = Ejecutar("--codigo 22 FlujCaud=3000 FlujTiraRest=1.8 EstrFactFormKs=1 EstrFactGrup=1 "
                                   "SediAnguRepo=30");
    EXPECT_NE(uno.salida.find("Erosión máxima de equilibrio (CSU)\t2.39\t[m]"), std::string::npos);

    // With captions: the results page's, in the same cells.
    const Ejecucion textos = Ejecutar("--lote " + kDatos + "/pilas.csv --columnas textos");
    ASSERT_EQ(textos.estado, 0) << textos.error;
    const std::string rotulos = textos.salida.substr(0, textos.salida.find('\n'));
    EXPECT_TRUE(rotulos.starts_with("codigo,FlujCaud,FlujTiraRest,EstrFactFormKs,EstrFactGrup,SediAnguRepo,titulo,"
                                    "Movilidad (Shields) Crítica,Movilidad (Shields),Condición de transporte,"
                                    "Velocidad crítica de erosión,"))
        << rotulos;
    EXPECT_TRUE(rotulos.ends_with(",validez1,validez2,validez3,validez4,avisos_datos")) << rotulos;
    const std::size_t i = textos.salida.find("\n22,3000,");
    ASSERT_NE(i, std::string::npos);
    const std::string otra = textos.salida.substr(i + 1, textos.salida.find('\n', i + 1) - i - 1);
    EXPECT_EQ(Celda(rotulos, otra, "Erosión máxima de equilibrio (CSU)"), "2.39");
    EXPECT_EQ(Celda(rotulos, otra, "validez1"), "sin_rangos");
    EXPECT_EQ(Ejecutar("--lote " + kDatos + "/pilas.csv --columnas claves").salida, e.salida);
}

// The header and each case go out while the input is still open: a program
// feeding a batch through a pipe reads each answer before it sends more.
TEST(TurmadoCalcLote, RespondeMientrasLaEntradaSigueAbierta) {
    using namespace std::chrono_literals;
    TProcesoAbierto p({TURMADO_CALC, "--lote", "-", "--hilos", "2"});
    p.Escribir("codigo,FlujCaud,EstrFactFormKs,EstrFactGrup\n");
    const auto cabecera = p.Linea(60s);
    ASSERT_TRUE(cabecera);
    EXPECT_TRUE(cabecera->starts_with("codigo,FlujCaud,EstrFactFormKs,EstrFactGrup,titulo,shields_critico,"));
    p.Escribir("22,3000,1,1\n22,1500,1,1\n");
    for (const char* caudal : {"3000", "1500"}) {
        const auto linea = p.Linea(60s);
        ASSERT_TRUE(linea) << caudal;
        EXPECT_TRUE(linea->starts_with("22," + std::string(caudal) + ",1,1,Problema de la Pila,")) << *linea;
    }
    p.Escribir("22,0,1,1\n22,2000,1,1\n");
    const auto otra = p.Linea(60s);
    ASSERT_TRUE(otra);
    EXPECT_TRUE(otra->starts_with("22,2000,1,1,Problema de la Pila,")) << *otra;
    const TProceso fin = p.Terminar();
    EXPECT_EQ(fin.estado, 2);
    EXPECT_EQ(fin.salida, "");
    EXPECT_EQ(fin.error, "(entrada estándar):4: FlujCaud: El valor ingresado no es válido.\n");
}

// Text from outside (a batch header, a field name in a problem file, a
// NOMBRE= argument, an unknown option, the field, distribution and formula
// of an uncertainty study) reaches the terminal with its control
// characters escaped and cut when long.
TEST(TurmadoCalc, TextosDeFueraEscapados) {
    const Temporal t;
    const std::string largo(80, 'n');
    struct Caso { std::vector<std::string> argumentos; std::string mensaje; };
    const Caso casos[] = {
        {{"\x1b[2JFlujCaud=1"}, "campo desconocido: \\x1b[2JFlujCaud"},
        {{"--\x1b]0;titulo\x07"}, "argumento desconocido: --\\x1b]0;titulo\\x07"},
        {{largo + "=1"}, "campo desconocido: " + largo.substr(0, 60) + "…"},
        {{"--lote", t.Archivo("esc.csv", "codigo,\x1b[31mRojo\n22,1\n")},
         "esc.csv:1: columna desconocida: \\x1b[31mRojo"},
        {{"--problema", t.Archivo("esc.turmado", R"({"formato": "turmado-problema", "version": 1, )"
                                                 R"("textos": {"\u001b[5m": "1"}})")},
         "esc.turmado: el archivo de problema está dañado: campo desconocido en «textos»: \\x1b[5m"},
        {{"--codigo", "31", "SediDiam90N3=\x1b[1mabc"}, "'\\x1b[1mabc' no es un valor numérico válido."},
        {{"--barrido", "\x1b[1m=1:2:3"}, "--barrido: Campo desconocido: \\x1b[1m"},
        {{"--codigo", "22", "--incierto", "\x1b[1mFlujCaud=normal:*:0.1"},
         "--incierto: Campo desconocido: \\x1b[1mFlujCaud"},
        {{"--codigo", "22", "--incierto", largo + "=normal:*:0.1"},
         "--incierto: Campo desconocido: " + largo.substr(0, 60) + "…"},
        {{"--codigo", "22", "--incierto", "FlujCaud=\x1b[1mnormal:*:0.1"},
         "--incierto: Distribución desconocida: \\x1b[1mnormal "},
        {{"--lote", t.Archivo("pilas.csv", "codigo,FlujCaud\n22,1000\n"), "--incierto", "\x1b[1m=normal:*:0.1"},
         "--incierto: Campo desconocido: \\x1b[1m"},
        {{"--lote", t.Archivo("pilas.csv", "codigo,FlujCaud\n22,1000\n"), "--incierto", "FlujCaud=normal:*:0.1",
          "--modelo", "\x1b[1mCSU=1:0.3"},
         "--modelo: Ninguna estructura tiene la fórmula \\x1b[1mCSU."},
        {{"--codigo", "22", "--incierto", "FlujCaud=normal:*:0.1", "--modelo", "\x1b[1mCSU=x:0.3"},
         "--modelo: El sesgo de \\x1b[1mCSU debe ser"},
        {{"--codigo", "22", "EstrFactFormKs=1", "EstrFactGrup=1", "SediAnguRepo=30", "--incierto",
          "FlujCaud=normal:*:0.1", "--modelo", "\x1b[1mCSU=1:0.3"},
         "--incierto: El problema no tiene activa la fórmula \\x1b[1mCSU "},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.mensaje);
        std::vector<std::string> orden = c.argumentos;
        orden.insert(orden.begin(), TURMADO_CALC);
        const TProceso p = EjecutarProceso(orden);
        EXPECT_EQ(p.estado, 2);
        EXPECT_NE(p.error.find(c.mensaje), std::string::npos) << p.error;
        EXPECT_EQ(p.error.find('\x1b'), std::string::npos);
    }
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
        {"--lote " + t.Archivo("blanco.csv", "\n\n"), "blanco.csv:2: falta el encabezado"},
        {"--columnas textos", "--columnas solo vale con --lote"},
        {"--lote " + kDatos + "/pilas.csv --columnas rotulos", "--columnas espera claves o textos"},
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
        {"--problema " + Utf8(problema), 0, Ejecutar("--problema " + kDatos + "/pila.turmado").salida,
         Ejecutar("--problema " + kDatos + "/pila.turmado").error},
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

// Threads, curves and digits: the same output with any number of threads
// and with the curves; every digit on request; options a batch refuses.
TEST(TurmadoCalcLote, HilosCurvasYNumerosCompletos) {
    const std::string lote = "--lote " + kDatos + "/pilas.csv";
    const Ejecucion base = Ejecutar(lote);
    ASSERT_EQ(base.estado, 0) << base.error;
    for (const char* opciones : {"--hilos 1", "--hilos 3", "--curvas", "--curvas --hilos 2"}) {
        SCOPED_TRACE(opciones);
        const Ejecucion e = Ejecutar(lote + " " + opciones);
        EXPECT_EQ(e.estado, 0);
        EXPECT_EQ(e.salida, base.salida);
    }
    const Ejecucion completos = Ejecutar(lote + " --numeros completos");
    ASSERT_EQ(completos.estado, 0) << completos.error;
    const std::string linea = completos.salida.substr(completos.salida.find('\n') + 1);
    // The first case: the critical Shields mobility 0.055 (0.0550 on
    // display), the mobility 0.0191 on display.
    EXPECT_TRUE(linea.starts_with("22,1000,1.2,1,1,30,Problema de la Pila,0.055,0.019085381136347262,Aguas claras,"))
        << linea;
    EXPECT_EQ(std::count(completos.salida.begin(), completos.salida.end(), '\n'),
              std::count(base.salida.begin(), base.salida.end(), '\n'));

    struct Caso { std::string argumentos; const char* mensaje; };
    const Caso casos[] = {
        {lote + " --hilos 0", "--hilos espera un número entero de 1 a 256"},
        {lote + " --hilos 1e9", "--hilos espera un número entero de 1 a 256"},
        {lote + " --hilos 2.5", "--hilos espera un número entero de 1 a 256"},
        {lote + " --hilos dos", "--hilos espera un número entero de 1 a 256"},
        {lote + " --hilos", "--hilos espera un número entero de 1 a 256"},
        {lote + " --numeros todos", "--numeros espera completos"},
        {"--curvas", "--curvas y --numeros solo valen con --lote"},
        {"--numeros completos --codigo 22", "--curvas y --numeros solo valen con --lote"},
        {"--hilos 2", "--hilos solo vale con --lote, --barrido, --validar o --incierto"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.argumentos);
        const Ejecucion e = Ejecutar(c.argumentos);
        EXPECT_EQ(e.estado, 2);
        EXPECT_EQ(e.salida, "");
        EXPECT_NE(e.error.find(c.mensaje), std::string::npos) << e.error;
    }
}

// A pier over the discharge: one line per point, each formula's depth at
// full precision, the same depths as the single run at that discharge.
TEST(TurmadoCalcBarrido, PilaSobreElCaudal) {
    const std::string pila = "--codigo 22 EstrFactFormKs=1 EstrFactGrup=1 SediAnguRepo=30";
    const Ejecucion e = Ejecutar(pila + " --barrido FlujCaud=500:4000:50");
    ASSERT_EQ(e.estado, 0) << e.error;
    EXPECT_EQ(std::count(e.salida.begin(), e.salida.end(), '\n'), 51);
    EXPECT_TRUE(e.salida.starts_with("FlujCaud,Erosión máxima de equilibrio (Breusers),Erosión máxima de equilibrio "
                                     "(CSU),Erosión máxima de equilibrio (Johnson),Condición de transporte,Avisos de datos\n500,"))
        << e.salida;
    EXPECT_NE(e.salida.find("\n4000,"), std::string::npos);
    // The last point, 4000 exactly: its CSU depth rounds to what the single
    // run shows.
    const Ejecucion uno = Ejecutar(pila + " FlujCaud=4000");
    const std::string rotulo = "Erosión máxima de equilibrio (CSU)\t";
    const std::size_t fila = uno.salida.find(rotulo);
    ASSERT_NE(fila, std::string::npos);
    const std::size_t inicio = fila + rotulo.size();
    const std::string csu = uno.salida.substr(inicio, uno.salida.find('\t', inicio) - inicio);
    const std::size_t ultima = e.salida.find("\n4000,");
    std::string celdas = e.salida.substr(ultima + 6);
    celdas = celdas.substr(celdas.find(',') + 1);  // past Breusers
    char redondeado[32];
    std::snprintf(redondeado, sizeof redondeado, "%.2f", std::stod(celdas.substr(0, celdas.find(','))));
    EXPECT_EQ(redondeado, csu);

    const Ejecucion log = Ejecutar(pila + " --barrido FlujCaud=10:1000:3 --log --hilos 2");
    ASSERT_EQ(log.estado, 0) << log.error;
    EXPECT_NE(log.salida.find("\n10,"), std::string::npos);
    EXPECT_NE(log.salida.find("\n100,"), std::string::npos);
    EXPECT_NE(log.salida.find("\n1000,"), std::string::npos);

    // A falling range runs; a point the field rejects is a gap with its message.
    const Ejecucion huecos = Ejecutar(pila + " --barrido FlujCaud=1000:-1000:3");
    ASSERT_EQ(huecos.estado, 0) << huecos.error;
    EXPECT_NE(huecos.salida.find("\n0,,,,FlujCaud: El valor ingresado no es válido.,\n"), std::string::npos)
        << huecos.salida;
}

// A gate whose opening is swept into the confined vortex: those points are
// gaps that name the other type, never the vortex's depths under the gate's
// formula names.
TEST(TurmadoCalcBarrido, PuntosDeOtroTipo) {
    const Ejecucion e = Ejecutar("--codigo 12 EstrLongPlat=4.5 --barrido EstrAltuAper=0.1:0.9:3");
    ASSERT_EQ(e.estado, 0) << e.error;
    const std::string cabecera = "EstrAltuAper,Erosión máxima de equilibrio (Qayoum),Erosión máxima de equilibrio "
                                 "(Breusers),Erosión máxima de equilibrio (Hoffmans),Condición de transporte,"
                                 "Avisos de datos\n0.1,";
    EXPECT_TRUE(e.salida.starts_with(cabecera)) << e.salida;
    EXPECT_TRUE(e.salida.ends_with(",Lecho vivo,\n"
                                   "0.5,,,,el problema cambia de tipo: Problema Vórtice Confinado,\n"
                                   "0.9,,,,el problema cambia de tipo: Problema Vórtice Confinado,\n"))
        << e.salida;
}

// A pier's d50 swept under the example's d84 (held, as asked): each line
// carries the warning the single run gives on standard error for its d50.
TEST(TurmadoCalcBarrido, AvisosDeDatos) {
    const std::string pila = "--codigo 22 EstrFactFormKs=1 EstrFactGrup=1 SediAnguRepo=30";
    const Ejecucion e = Ejecutar(pila + " --barrido SediDiamMedi=0.5:50:3 --log --granulometria libre");
    ASSERT_EQ(e.estado, 0) << e.error;
    for (const char* d50 : {"0.5", "5", "50"}) {
        SCOPED_TRACE(d50);
        const Ejecucion uno = Ejecutar(pila + " SediDiamMedi=" + d50);
        // Every "Aviso: " line of the single run, joined as the cell joins them.
        std::string aviso;
        for (std::size_t inicio = 0; (inicio = uno.error.find("Aviso: ", inicio)) != std::string::npos;) {
            const std::size_t fin = uno.error.find('\n', inicio);
            aviso += (aviso.empty() ? "" : " | ") + uno.error.substr(inicio + 7, fin - inicio - 7);
            inicio = fin;
        }
        EXPECT_TRUE(aviso.starts_with("\"Diámetro 84%\" = 200 mm")) << aviso;
        for (std::size_t i = 0; (i = aviso.find('"', i)) != std::string::npos; i += 2) aviso.insert(i, "\"");
        const std::size_t linea = e.salida.find("\n" + std::string(d50) + ",");
        ASSERT_NE(linea, std::string::npos) << e.salida;
        EXPECT_TRUE(e.salida.substr(linea, e.salida.find('\n', linea + 1) - linea).ends_with(",\"" + aviso + "\""))
            << e.salida;
    }
}

TEST(TurmadoCalcBarrido, RangosRechazados) {
    struct Caso { const char* argumentos; const char* mensaje; };
    const Caso casos[] = {
        {"--barrido FlujCaud=500:4000:0", "La cantidad de puntos debe ser un número entero de 2 a 1000."},
        {"--barrido FlujCaud=500:4000:1e9", "La cantidad de puntos debe ser un número entero de 2 a 1000."},
        {"--barrido FlujCaud=a:4000:5", "\"Desde\" debe ser un número."},
        {"--barrido FlujCaud=0:4000:5 --log", "Con escala logarítmica, \"Desde\" y \"Hasta\" deben ser mayores que 0."},
        {"--barrido FlujCaud=500:4000", "El barrido se escribe CAMPO=DESDE:HASTA:N"},
        {"--barrido Caudal=1:2:3", "Campo desconocido: Caudal"},
        {"--barrido EstrAnchPila=1:2:3", "el problema no lee el campo EstrAnchPila"},  // no structure yet
        {"--barrido", "--barrido espera CAMPO=DESDE:HASTA:N"},
        {"--log", "--log solo vale con --barrido"},
        {"--json --barrido FlujCaud=1:2:3", "--barrido escribe CSV: no admite --json"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.argumentos);
        const Ejecucion e = Ejecutar(c.argumentos);
        EXPECT_EQ(e.estado, 2);
        EXPECT_EQ(e.salida, "");
        EXPECT_NE(e.error.find(c.mensaje), std::string::npos) << e.error;
    }
}
