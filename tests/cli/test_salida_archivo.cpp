// turmado-calc --salida: a batch's or a sweep's table written to a file, as
// CSV or, for a name ending in .xlsx, as a workbook (read back cell by cell
// by tests/libro/test_libro.py); a build without workbooks refuses .xlsx.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "proceso.h"

namespace {

const std::string kDatos = TURMADO_DATOS;

std::string Leer(const std::filesystem::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

std::string Utf8(const std::filesystem::path& ruta) {
    const std::u8string u = ruta.u8string();
    return {u.begin(), u.end()};
}

// A scratch folder whose name is not ASCII, removed with it.
struct Carpeta {
    std::filesystem::path dir;
    Carpeta() {
        static std::mt19937_64 azar{std::random_device{}()};
        do dir = std::filesystem::temp_directory_path() / (u8"turmado-salida-año-" + std::u8string(
                     reinterpret_cast<const char8_t*>(std::to_string(azar()).c_str())));
        while (!std::filesystem::create_directories(dir));
    }
    ~Carpeta() { std::filesystem::remove_all(dir); }
    std::vector<std::string> Nombres() const {
        std::vector<std::string> n;
        for (const auto& e : std::filesystem::directory_iterator(dir)) n.push_back(Utf8(e.path().filename()));
        std::sort(n.begin(), n.end());
        return n;
    }
};

TProceso Ejecutar(std::vector<std::string> argumentos) {
    argumentos.insert(argumentos.begin(), TURMADO_CALC);
    return EjecutarProceso(argumentos);
}

const std::vector<std::string> kLote = {"--lote", kDatos + "/pilas.csv"};
const std::vector<std::string> kBarrido = {"--codigo", "22", "EstrFactFormKs=1", "EstrFactGrup=1",
                                           "--barrido", "FlujCaud=500:4000:7"};

std::vector<std::string> Con(std::vector<std::string> a, const std::string& opcion, const std::string& valor) {
    a.push_back(opcion);
    a.push_back(valor);
    return a;
}

}  // namespace

// A CSV file holds what standard output would get; a file that was there
// is replaced, and nothing else is left in the folder.
TEST(TurmadoCalcSalidaArchivo, CsvComoLaSalidaEstandar) {
    const Carpeta c;
    const std::filesystem::path ruta = c.dir / u8"resultado_ñ.csv";
    std::ofstream(ruta, std::ios::binary) << "viejo\n";
    for (const auto& argumentos : {kLote, kBarrido}) {
        SCOPED_TRACE(argumentos.front());
        const TProceso esperado = Ejecutar(argumentos);
        ASSERT_EQ(esperado.estado, 0);
        const TProceso p = Ejecutar(Con(argumentos, "--salida", Utf8(ruta)));
        EXPECT_EQ(p.estado, 0);
        EXPECT_EQ(p.salida, "");
        EXPECT_EQ(p.error, esperado.error);
        EXPECT_EQ(Leer(ruta), esperado.salida);
        EXPECT_EQ(c.Nombres(), std::vector<std::string>{Utf8(ruta.filename())});
    }
}

// A name ending in .xlsx (in any case) asks for a workbook: a zip where the
// build writes them, a refusal with status 2 and no file where it does not.
TEST(TurmadoCalcSalidaArchivo, LibroDeExcel) {
    const Carpeta c;
    for (const char* nombre : {"r.xlsx", "R.XLSX", "r.Xlsx"}) {
        SCOPED_TRACE(nombre);
        const std::filesystem::path ruta = c.dir / nombre;
        const TProceso p = Ejecutar(Con(kLote, "--salida", Utf8(ruta)));
        EXPECT_EQ(p.salida, "");
        if (TURMADO_XLSX) {
            EXPECT_EQ(p.estado, 0) << p.error;
            EXPECT_EQ(Leer(ruta).substr(0, 4), std::string("PK\x03\x04", 4));
            std::filesystem::remove(ruta);
        } else {
            EXPECT_EQ(p.estado, 2);
            EXPECT_EQ(p.error,
                      "turmado-calc: esta versión de turmado-calc no escribe libros de Excel (.xlsx); use .csv\n");
        }
        EXPECT_TRUE(c.Nombres().empty());
    }
}

// A file that cannot be created: its name and why, status 4, no file; and
// --salida where no table is written.
TEST(TurmadoCalcSalidaArchivo, FallasYUsoIndebido) {
    const Carpeta c;
    const std::string falta = Utf8(c.dir / "no" / "r.csv");
    struct Caso {
        std::vector<std::string> argumentos;
        int estado;
        std::string error;
    };
    const Caso casos[] = {
        {Con(kLote, "--salida", falta), 4,
         "turmado-calc: " + falta + ": no se puede crear el archivo: su carpeta no existe\n"},
        {Con(kBarrido, "--salida", falta), 4,
         "turmado-calc: " + falta + ": no se puede crear el archivo: su carpeta no existe\n"},
        {{"--codigo", "22", "--salida", Utf8(c.dir / "r.csv")}, 2, "--salida solo vale con --lote o --barrido"},
        {{"--validar", kDatos + "/pilas.csv", "--salida", Utf8(c.dir / "r.csv")}, 2,
         "--validar solo admite --json, --filas y --hilos"},
        {{"--lote", kDatos + "/pilas.csv", "--salida"}, 2, "--salida espera un archivo"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.argumentos.back());
        const TProceso p = Ejecutar(caso.argumentos);
        EXPECT_EQ(p.estado, caso.estado);
        EXPECT_EQ(p.salida, "");
        if (caso.estado == 4)
            EXPECT_EQ(p.error, caso.error);
        else  // then the usage text
            EXPECT_NE(p.error.find(caso.error), std::string::npos) << p.error;
        EXPECT_TRUE(c.Nombres().empty());
    }
}

// A file that must not be replaced: a read-only one (as root too), a chain
// of links that loops, a name too long; its message, status 4, and every
// file as it was.  A name of 255 bytes, the longest there is, is written.
TEST(TurmadoCalcSalidaArchivo, ArchivoQueNoSeReemplaza) {
#ifdef _WIN32
    GTEST_SKIP() << "permissions and links of POSIX files";
#endif
    const Carpeta c;
    const std::filesystem::path soloLectura = c.dir / "solo_lectura.csv";
    std::ofstream(soloLectura) << "viejo\n";
    std::filesystem::permissions(soloLectura, std::filesystem::perms::owner_read);
    std::error_code ec;
    std::filesystem::create_symlink("ciclo2.csv", c.dir / "ciclo1.csv", ec);
    std::filesystem::create_symlink("ciclo1.csv", c.dir / "ciclo2.csv", ec);
    const bool enlaces = !ec;
    const std::vector<std::string> antes = c.Nombres();
    struct Caso {
        std::filesystem::path ruta;
        std::string error;
    };
    std::vector<Caso> casos = {
        {soloLectura, "el archivo es de solo lectura: no se reemplaza"},
        {c.dir / std::string(256, 'x'), "no se puede crear el archivo: su nombre es demasiado largo"},
    };
    if (enlaces) casos.push_back({c.dir / "ciclo1.csv", "no se puede crear el archivo: el enlace simbólico forma un ciclo"});
    for (const Caso& caso : casos) {
        SCOPED_TRACE(Utf8(caso.ruta.filename()).substr(0, 20));
        const TProceso p = Ejecutar(Con(kLote, "--salida", Utf8(caso.ruta)));
        EXPECT_EQ(p.estado, 4);
        EXPECT_EQ(p.error, "turmado-calc: " + Utf8(caso.ruta) + ": " + caso.error + "\n");
        EXPECT_EQ(c.Nombres(), antes);
    }
    EXPECT_EQ(Leer(soloLectura), "viejo\n");
    const std::filesystem::path largo = c.dir / (std::string(251, 'x') + ".csv");
    const TProceso p = Ejecutar(Con(kLote, "--salida", Utf8(largo)));
    EXPECT_EQ(p.estado, 0) << p.error;
    EXPECT_EQ(Leer(largo), Ejecutar(kLote).salida);
}
