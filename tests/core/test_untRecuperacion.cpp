// The recovery folder: names, locks, and which files were left behind by a
// program that no longer runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>

#include "problem/untRecuperacion.h"

namespace fs = std::filesystem;

namespace {

class Recuperacion : public ::testing::Test {
protected:
    void SetUp() override {
        carpeta = fs::temp_directory_path() /
                  ("turmado-recuperacion-" + std::to_string(ProcesoPropio().pid) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(carpeta);
        fs::create_directories(carpeta);
    }
    void TearDown() override { fs::remove_all(carpeta); }

    void Escribir(const std::string& nombre, const std::string& texto = "{}") const {
        std::ofstream(carpeta / nombre, std::ios::binary) << texto;
    }

    fs::path carpeta;
};

// Processes as a test says they run: id to start.
TEnCurso Corriendo(std::map<long, std::string> procesos) {
    return [procesos](long pid) -> std::optional<TProceso> {
        const auto it = procesos.find(pid);
        if (it == procesos.end()) return std::nullopt;
        return TProceso{pid, it->second};
    };
}

}  // namespace

TEST_F(Recuperacion, NombresDeArchivoYBloqueo) {
    EXPECT_EQ(RutaRecuperacion(carpeta, 4321, 7), carpeta / "4321-7.turmado");
    EXPECT_EQ(RutaBloqueo(carpeta, 4321), carpeta / "4321.bloqueo");
}

TEST_F(Recuperacion, BloqueoIdaYVuelta) {
    const fs::path dentro = carpeta / "nueva" / "carpeta";
    ASSERT_TRUE(TomarBloqueo(dentro, {77, "arranque:123"}));  // creates the folder
    EXPECT_EQ(LeerBloqueo(dentro, 77), (TProceso{77, "arranque:123"}));
    EXPECT_EQ(LeerBloqueo(dentro, 78), std::nullopt);
    SoltarBloqueo(dentro, 77);
    EXPECT_FALSE(fs::exists(RutaBloqueo(dentro, 77)));
    EXPECT_EQ(LeerBloqueo(dentro, 77), std::nullopt);
}

// One folder with the files of several programs, each in another state.
TEST_F(Recuperacion, ListarLosAbandonados) {
    struct Programa {
        long pid;
        const char* bloqueo;  // contents of its lock; nullptr: no lock
        bool abandonado;
        const char* porque;
    };
    const Programa programas[] = {
        {100, "100\nt1\n", false, "its lock names a process that runs with the same start"},
        {200, "200\nt1\n", true, "no process with its id runs"},
        {300, "300\nt1\n", true, "another process took its id: another start"},
        {400, nullptr, true, "no lock"},
        {500, "basura", true, "a lock cut short"},
        {600, "601\nt1\n", true, "a lock naming another id"},
        {700, "700\r\nt1\r\n", false, "a lock with the line ends of Windows, and its process runs"},
    };
    const TEnCurso enCurso = Corriendo({{100, "t1"}, {300, "t2"}, {600, "t1"}, {601, "t1"}, {700, "t1"}});
    for (const Programa& p : programas) {
        Escribir(std::to_string(p.pid) + "-1.turmado");
        if (p.bloqueo) Escribir(std::to_string(p.pid) + ".bloqueo", p.bloqueo);
    }
    // Windows sort by number, not as text.
    Escribir("200-10.turmado");
    Escribir("200-2.turmado");
    // Names that are not recovery files.
    for (const char* otro : {"notas.txt", "abc-1.turmado", "12-x.turmado", "-3-1.turmado", "0-1.turmado",
                             "8-1.turmado.tmp", "81.turmado", "8-1-2.turmado"})
        Escribir(otro);
    fs::create_directories(carpeta / "9-1.turmado");

    const std::vector<TAbandonado> lista = ListarAbandonados(carpeta, enCurso);
    std::vector<std::string> nombres;
    for (const TAbandonado& a : lista) {
        nombres.push_back(a.ruta.filename().string());
        EXPECT_EQ(a.ruta.filename(), RutaRecuperacion(carpeta, a.pid, a.ventana).filename());
    }
    const std::vector<std::string> esperados = {"200-1.turmado", "200-2.turmado",  "200-10.turmado",
                                                "300-1.turmado", "400-1.turmado", "500-1.turmado",
                                                "600-1.turmado"};
    EXPECT_EQ(nombres, esperados);
    for (const Programa& p : programas) {
        SCOPED_TRACE(p.porque);
        EXPECT_EQ(ProgramaEnCurso(carpeta, p.pid, enCurso), !p.abandonado);
    }
}

TEST_F(Recuperacion, CarpetaQueNoExisteNoListaNada) {
    EXPECT_TRUE(ListarAbandonados(carpeta / "no-existe", Corriendo({})).empty());
}

// Each copy left behind comes with what it holds, the file its window had
// open included, or with why it cannot be read.
TEST_F(Recuperacion, CadaCopiaSeLee) {
    TArchivoProblema conArchivo;
    conArchivo.problema.codigo = 22;
    conArchivo.problema.textos["FlujCaud"] = "1234";
    conArchivo.guardado = "2025-05-05 12:00";
    conArchivo.archivo = "/home/ana/Problemas turmado/pila ñ.turmado";
    TArchivoProblema sinArchivo = conArchivo;
    sinArchivo.archivo.clear();
    Escribir("70-1.turmado", EscribirArchivoProblema(conArchivo));
    Escribir("70-2.turmado", EscribirArchivoProblema(sinArchivo));
    Escribir("70-3.turmado", R"({"formato": "turmado-problema", "version": 1, "archivo": 5})");
    Escribir("70-4.turmado", "");

    const std::vector<TAbandonado> lista = ListarAbandonados(carpeta, Corriendo({}));
    ASSERT_EQ(lista.size(), 4u);
    EXPECT_EQ(lista[0].copia, conArchivo);
    EXPECT_EQ(lista[1].copia, sinArchivo);
    EXPECT_EQ(lista[2].copia, std::nullopt);
    EXPECT_EQ(lista[2].error, "el archivo de problema está dañado: «archivo» debe ser un texto");
    EXPECT_EQ(lista[3].copia, std::nullopt);
    EXPECT_EQ(lista[3].error, "el archivo está vacío");
    // A saved problem does not name its own file.
    EXPECT_EQ(EscribirArchivoProblema(sinArchivo).find("\"archivo\""), std::string::npos);
}

// What the program does not write is not its own, whatever its name: never
// offered, never removed, listed so that the user can be told where it is.
TEST_F(Recuperacion, EntradasAjenas) {
    struct Caso {
        const char* nombre;
        std::size_t bytes;  // a file of this size; 0: a folder
        const char* porque;
    };
    const Caso casos[] = {
        {"notas.txt", 3, "another name"},
        {"abc-1.turmado", 3, "no process id"},
        {"0-1.turmado", 3, "no process has the id 0"},
        {"8-1.turmado.tmp", 3, "another extension"},
        {"81-1-2.turmado", 3, "a window that is no number"},
        {"notas.bloqueo", 3, "a lock without a process id"},
        {"0.bloqueo", 3, "a lock of the id 0"},
        {"82-1.turmado", kTamanoMaximoProblema + 1, "larger than any problem file"},
        {"83.bloqueo", kTamanoMaximoBloqueo + 1, "larger than any lock"},
        {"84-1.turmado", 0, "a folder named like a copy"},
        {"85.bloqueo", 0, "a folder named like a lock"},
    };
    std::vector<fs::path> esperadas;
    for (const Caso& c : casos) {
        if (c.bytes == 0)
            fs::create_directories(carpeta / c.nombre);
        else
            Escribir(c.nombre, std::string(c.bytes, 'x'));
        esperadas.push_back(carpeta / c.nombre);
    }
    // Beside them, a copy and a lock of the program's own.
    Escribir("90-1.turmado");
    Escribir("91.bloqueo", "91\nt\n");
    std::ranges::sort(esperadas);

    EXPECT_EQ(ListarAjenas(carpeta), esperadas);
    const std::vector<TAbandonado> lista = ListarAbandonados(carpeta, Corriendo({}));
    ASSERT_EQ(lista.size(), 1u);
    EXPECT_EQ(lista[0].ruta, carpeta / "90-1.turmado");
    LimpiarBloqueos(carpeta, Corriendo({}));
    EXPECT_FALSE(fs::exists(carpeta / "91.bloqueo"));
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.porque);
        EXPECT_TRUE(fs::exists(carpeta / c.nombre));
    }
    // A lock too large to be one names no process.
    EXPECT_EQ(LeerBloqueo(carpeta, 83), std::nullopt);
    EXPECT_TRUE(ListarAjenas(carpeta / "no-existe").empty());
}

// Stale locks without files go; a lock of a running program and a stale
// lock whose files still wait for an answer stay.
TEST_F(Recuperacion, LimpiarBloqueos) {
    Escribir("10.bloqueo", "10\nt\n");  // runs
    Escribir("20.bloqueo", "20\nt\n");  // ended, nothing left
    Escribir("30.bloqueo", "30\nt\n");  // ended, a file left
    Escribir("30-1.turmado");
    Escribir("40.bloqueo", "basura");   // garbled, nothing left
    Escribir("notas.bloqueo", "x");     // not a lock of this program
    LimpiarBloqueos(carpeta, Corriendo({{10, "t"}}));
    EXPECT_TRUE(fs::exists(carpeta / "10.bloqueo"));
    EXPECT_FALSE(fs::exists(carpeta / "20.bloqueo"));
    EXPECT_TRUE(fs::exists(carpeta / "30.bloqueo"));
    EXPECT_FALSE(fs::exists(carpeta / "40.bloqueo"));
    EXPECT_TRUE(fs::exists(carpeta / "notas.bloqueo"));
}

// This process runs; no process has the id 0 or a negative one.  (A child
// killed with SIGKILL is tested where processes fork.)
TEST_F(Recuperacion, ProcesoPropio) {
    const TProceso propio = ProcesoPropio();
    EXPECT_GT(propio.pid, 0);
    EXPECT_EQ(ProcesoEnCurso(propio.pid), propio);
    EXPECT_EQ(ProcesoEnCurso(0), std::nullopt);
    EXPECT_EQ(ProcesoEnCurso(-1), std::nullopt);
}
