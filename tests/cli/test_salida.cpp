// turmado-calc when its standard output cannot be written or a batch's input
// cannot be read: a status of its own and a message, never a silent success.
// POSIX only: it needs /dev/full, a pipe without a reader and a folder read
// as a file.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
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

#endif
