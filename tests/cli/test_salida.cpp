// turmado-calc when its standard output cannot be written or a batch's input
// cannot be read: a status of its own and a message, never a silent success.
// POSIX only: it needs /dev/full, a pipe without a reader, a folder read as
// a file and a small file system of its own.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <algorithm>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include "proceso.h"

namespace {

const std::string kDatos = TURMADO_DATOS;

// Runs turmado-calc with `argumentos` writing its standard output to the
// descriptor `salida`; SIGPIPE ignored when asked, as a shell may leave it.
TProceso ConSalida(const std::string& argumentos, int salida, bool sinSigpipe) {
    std::vector<std::string> orden = Palabras(argumentos);
    orden.insert(orden.begin(), TURMADO_CALC);
    std::vector<char*> argv;
    for (const std::string& a : orden) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int error[2];
    if (pipe2(error, O_CLOEXEC) != 0) throw std::runtime_error("pipe2");
    const pid_t hijo = fork();
    if (hijo == 0) {
        if (sinSigpipe) signal(SIGPIPE, SIG_IGN);
        const int nada = open("/dev/null", O_RDONLY);
        dup2(nada, STDIN_FILENO);
        dup2(salida, STDOUT_FILENO);
        dup2(error[1], STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(error[1]);
    TProceso p{};
    char buf[4096];
    for (ssize_t n; (n = read(error[0], buf, sizeof buf)) != 0;) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        p.error.append(buf, std::size_t(n));
    }
    close(error[0]);
    int estado = 0;
    waitpid(hijo, &estado, 0);
    p.estado = WIFEXITED(estado) ? WEXITSTATUS(estado) : 128 + WTERMSIG(estado);
    return p;
}

// Three thousand pier lines: a table of about 4 MB as a workbook's sheet.
void EscribirLoteDePilas(const std::filesystem::path& ruta) {
    std::ofstream lote(ruta);
    lote << "codigo,FlujCaud,FlujTiraRest,EstrFactFormKs,EstrFactGrup,SediAnguRepo\n";
    for (int i = 0; i < 3000; ++i) lote << "22," << 500 + i << ",1.2,1,1,30\n";
}

// Runs turmado-calc with `argumentos` and a file system of its own of
// `tamano` ("256k", "6m") mounted on `carpeta`/temporal where only it sees
// it, TMPDIR there unless `fuera`; nothing when such a file system cannot be
// made here (mounting needs privileges).
std::optional<TProceso> ConTemporalDe(const std::string& tamano, const std::vector<std::string>& argumentos,
                                      const std::filesystem::path& carpeta, bool fuera = false) {
    constexpr int kSinMontaje = 99;
    const std::filesystem::path temporal = carpeta / "temporal";
    const std::filesystem::path error = carpeta / "error.txt";
    std::filesystem::create_directories(temporal);
    std::vector<std::string> orden = argumentos;
    orden.insert(orden.begin(), TURMADO_CALC);
    std::vector<char*> argv;
    for (const std::string& a : orden) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t hijo = fork();
    if (hijo == 0) {
        const std::string opciones = "size=" + tamano;
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", temporal.c_str(), "tmpfs", 0, opciones.c_str()) != 0)
            _exit(kSinMontaje);
        if (!fuera) setenv("TMPDIR", temporal.c_str(), 1);
        const int nada = open("/dev/null", O_RDWR);
        const int salidaError = open(error.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(nada, STDIN_FILENO);
        dup2(nada, STDOUT_FILENO);
        dup2(salidaError, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int estado = 0;
    waitpid(hijo, &estado, 0);
    if (WIFEXITED(estado) && WEXITSTATUS(estado) == kSinMontaje) return std::nullopt;
    TProceso p{};
    p.estado = WIFEXITED(estado) ? WEXITSTATUS(estado) : 128 + WTERMSIG(estado);
    std::ifstream f(error, std::ios::binary);
    p.error.assign(std::istreambuf_iterator<char>(f), {});
    return p;
}

const char* const kRuns[] = {
    "--lote " TURMADO_DATOS "/pilas.csv",
    "--codigo 22",
    "--json --codigo 31",
    "--codigo 22 --barrido FlujCaud=500:4000:50",
};

}  // namespace

TEST(TurmadoCalcSalida, DispositivoLleno) {
    const int lleno = open("/dev/full", O_WRONLY | O_CLOEXEC);
    if (lleno < 0) GTEST_SKIP() << "sin /dev/full";
    for (const char* argumentos : kRuns) {
        SCOPED_TRACE(argumentos);
        const TProceso p = ConSalida(argumentos, lleno, false);
        EXPECT_EQ(p.estado, 4);
        EXPECT_EQ(p.error, "turmado-calc: no se pudo escribir la salida: no queda espacio en el dispositivo\n");
    }
    close(lleno);
}

TEST(TurmadoCalcSalida, TuberiaCerrada) {
    for (const char* argumentos : kRuns) {
        SCOPED_TRACE(argumentos);
        int tuberia[2];
        ASSERT_EQ(pipe2(tuberia, O_CLOEXEC), 0);
        close(tuberia[0]);  // nobody reads
        const TProceso ignorada = ConSalida(argumentos, tuberia[1], true);
        EXPECT_EQ(ignorada.estado, 4);
        EXPECT_EQ(ignorada.error, "turmado-calc: no se pudo escribir la salida: el programa que leía la salida la cerró\n");
        // With SIGPIPE as it comes, the signal ends the program, as any other.
        const TProceso senal = ConSalida(argumentos, tuberia[1], false);
        EXPECT_EQ(senal.estado, 128 + SIGPIPE);
        close(tuberia[1]);
    }
}

// A batch whose input fails to read: status 5 and why, not the status of
// bad lines.
TEST(TurmadoCalcSalida, LoteQueNoSePuedeLeer) {
    const std::string carpeta = std::filesystem::temp_directory_path().string();
    const TProceso archivo = EjecutarProceso({TURMADO_CALC, "--lote", carpeta});
    EXPECT_EQ(archivo.estado, 5);
    EXPECT_EQ(archivo.salida, "");
    EXPECT_EQ(archivo.error, "turmado-calc: " + carpeta +
                                 ": la lectura falló tras la línea 0 (es una carpeta): el lote quedó incompleto\n");
    const TProceso entrada = EjecutarProceso({TURMADO_CALC, "--lote", "-"}, carpeta);
    EXPECT_EQ(entrada.estado, 5);
    EXPECT_EQ(entrada.error, "turmado-calc: (entrada estándar): la lectura falló tras la línea 0 (es una carpeta): "
                             "el lote quedó incompleto\n");
}

// A workbook keeps its rows in temporary files (in TMPDIR) until it is
// closed, and copies the sheet once more into another one as it closes.  A
// temporary folder too small for the rows, or for the copy, is a failed
// write with its own status and message and leaves no workbook, never a
// workbook that silently lacks rows.  Three thousand pier lines make a sheet
// of about 4 MB: 256 kB hold none of it, 6 MB hold it once but not twice.
TEST(TurmadoCalcSalida, LibroConLaCarpetaTemporalLlena) {
    if (!TURMADO_XLSX) GTEST_SKIP() << "esta versión no escribe libros";
    const std::filesystem::path carpeta =
        std::filesystem::temp_directory_path() / ("turmado-temporal-" + std::to_string(getpid()));
    std::filesystem::remove_all(carpeta);
    std::filesystem::create_directories(carpeta);
    EscribirLoteDePilas(carpeta / "pilas.csv");
    const std::filesystem::path libro = carpeta / "r.xlsx";
    struct Caso { const char* tamano; int estado; };
    const Caso casos[] = {{"256k", 4}, {"6m", 4}, {"64m", 0}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.tamano);
        const auto p = ConTemporalDe(c.tamano, {"--lote", (carpeta / "pilas.csv").string(), "--salida", libro.string()},
                                     carpeta);
        if (!p) {
            std::filesystem::remove_all(carpeta);
            GTEST_SKIP() << "no se puede montar un sistema de archivos aquí";
        }
        EXPECT_EQ(p->estado, c.estado) << p->error;
        EXPECT_EQ(std::filesystem::exists(libro), c.estado == 0);
        if (c.estado != 0) {
            // One line, in Spanish: the workbook library's own lines (in
            // English) do not reach the user.
            EXPECT_TRUE(p->error.starts_with("turmado-calc: " + libro.string() +
                                             ": no se pueden escribir los archivos temporales del libro"))
                << p->error;
            EXPECT_EQ(std::count(p->error.begin(), p->error.end(), '\n'), 1) << p->error;
        }
        std::filesystem::remove(libro);
    }
    std::filesystem::remove_all(carpeta);
}

// A table that does not fit in the folder of its file: the file's name and
// the system's reason, status 4.
TEST(TurmadoCalcSalida, ArchivoEnUnaCarpetaLlena) {
    const std::filesystem::path carpeta =
        std::filesystem::temp_directory_path() / ("turmado-llena-" + std::to_string(getpid()));
    std::filesystem::remove_all(carpeta);
    std::filesystem::create_directories(carpeta);
    EscribirLoteDePilas(carpeta / "pilas.csv");
    std::vector<std::string> nombres{"r.csv"};
    if (TURMADO_XLSX) nombres.push_back("r.xlsx");
    for (const std::string& nombre : nombres) {
        SCOPED_TRACE(nombre);
        const std::string archivo = (carpeta / "temporal" / nombre).string();
        const auto p = ConTemporalDe("64k", {"--lote", (carpeta / "pilas.csv").string(), "--salida", archivo},
                                     carpeta, true);
        if (!p) {
            std::filesystem::remove_all(carpeta);
            GTEST_SKIP() << "no se puede montar un sistema de archivos aquí";
        }
        EXPECT_EQ(p->estado, 4) << p->error;
        const std::string mensaje =
            "turmado-calc: " + archivo + ": no se puede escribir el archivo: no queda espacio en el dispositivo\n";
        EXPECT_EQ(p->error, mensaje);
    }
    std::filesystem::remove_all(carpeta);
}

#endif
