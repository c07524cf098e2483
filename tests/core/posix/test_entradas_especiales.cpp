// The recovery folder holding what no program of ours writes there: a FIFO
// (opening it for reading waits for a writer) or a link to /dev/zero (it
// never ends) under the name of a lock or of a copy; and a table written
// to a FIFO or through a link.  Each case runs first
// in a child process with a time and memory limit, so that a fault shows as
// a failure instead of a test that hangs or eats the machine.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "problem/untRecuperacion.h"
#include "results/untLibro.h"

namespace fs = std::filesystem;

namespace {

// Runs `accion` in a child limited to 512 MiB; whether it ended by itself
// within `segundos` with status 0.
::testing::AssertionResult TerminaATiempo(const std::function<void()>& accion, int segundos = 10) {
    const pid_t hijo = fork();
    if (hijo < 0) return ::testing::AssertionFailure() << "fork";
    if (hijo == 0) {
        const rlimit memoria{512L << 20, 512L << 20};
        setrlimit(RLIMIT_AS, &memoria);
        accion();
        _exit(0);
    }
    int estado = 0;
    const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(segundos);
    while (waitpid(hijo, &estado, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > limite) {
            kill(hijo, SIGKILL);
            waitpid(hijo, &estado, 0);
            return ::testing::AssertionFailure() << "se quedó esperando más de " << segundos << " s";
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (WIFEXITED(estado) && WEXITSTATUS(estado) == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "terminó mal (estado " << estado << ")";
}

std::optional<TProceso> NadieCorre(long) { return std::nullopt; }

}  // namespace

TEST(RecuperacionPosix, EntradasQueNoSonArchivos) {
    const fs::path carpeta = fs::temp_directory_path() / ("turmado-especiales-" + std::to_string(getpid()));
    const fs::path fuera = carpeta.string() + "-fuera";
    constexpr long kPid = 4242;
    const std::string copia = std::to_string(kPid) + "-1.turmado";
    const std::string bloqueo = std::to_string(kPid) + ".bloqueo";

    struct Caso {
        const char* que;
        std::string nombre;
        std::function<void(const fs::path&)> crear;
        bool conCopia;  // a readable copy of the same program beside it
    };
    const auto fifo = [](const fs::path& r) { ASSERT_EQ(mkfifo(r.c_str(), 0600), 0); };
    const auto cero = [](const fs::path& r) { fs::create_symlink("/dev/zero", r); };
    // A link to a good copy outside the folder: links are not followed.
    const auto enlace = [&](const fs::path& r) {
        std::ofstream(fuera / "copia.turmado") << EscribirArchivoProblema(TArchivoProblema{});
        fs::create_symlink(fuera / "copia.turmado", r);
    };
    const Caso casos[] = {
        {"bloqueo FIFO con copia", bloqueo, fifo, true},
        {"bloqueo FIFO solo", bloqueo, fifo, false},
        {"bloqueo enlazado a /dev/zero con copia", bloqueo, cero, true},
        {"bloqueo enlazado a /dev/zero solo", bloqueo, cero, false},
        {"copia FIFO", copia, fifo, false},
        {"copia enlazada a /dev/zero", copia, cero, false},
        {"copia enlazada a una copia buena", copia, enlace, false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        fs::remove_all(carpeta);
        fs::remove_all(fuera);
        fs::create_directories(carpeta);
        fs::create_directories(fuera);
        c.crear(carpeta / c.nombre);
        if (c.conCopia) std::ofstream(carpeta / copia) << EscribirArchivoProblema(TArchivoProblema{});

        const ::testing::AssertionResult termina = TerminaATiempo([&] {
            ListarAbandonados(carpeta, NadieCorre);
            ListarAjenas(carpeta);
            LimpiarBloqueos(carpeta, NadieCorre);
            LeerBloqueo(carpeta, kPid);
        });
        EXPECT_TRUE(termina);
        if (!termina) continue;
        // It does not hang: the same calls again, here, for their results.
        const std::vector<TAbandonado> abandonados = ListarAbandonados(carpeta, NadieCorre);
        ASSERT_EQ(abandonados.size(), c.conCopia ? 1u : 0u);
        if (c.conCopia) {
            EXPECT_TRUE(abandonados[0].copia);
        }
        EXPECT_EQ(ListarAjenas(carpeta), std::vector<fs::path>{carpeta / c.nombre});
        EXPECT_EQ(LeerBloqueo(carpeta, kPid), std::nullopt);
        LimpiarBloqueos(carpeta, NadieCorre);
        EXPECT_TRUE(fs::is_symlink(carpeta / c.nombre) || fs::is_fifo(carpeta / c.nombre)) << "se borró";
    }

    // The program's own lock name taken by a FIFO or a link: the lock is
    // not taken, at once, and what holds the name stays as it was.
    const TProceso propio = ProcesoPropio();
    for (const auto& crear : {std::function<void(const fs::path&)>(fifo), std::function<void(const fs::path&)>(cero)}) {
        fs::remove_all(carpeta);
        fs::create_directories(carpeta);
        crear(RutaBloqueo(carpeta, propio.pid));
        const ::testing::AssertionResult termina =
            TerminaATiempo([&] { _exit(TomarBloqueo(carpeta, propio) ? 1 : 0); });
        EXPECT_TRUE(termina);
        if (!termina) continue;
        EXPECT_FALSE(TomarBloqueo(carpeta, propio));
        EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(RutaBloqueo(carpeta, propio.pid))));
    }
    fs::remove_all(carpeta);
    fs::remove_all(fuera);
}

// A table's file (--salida, --filas) that is a FIFO gets the table through
// it and stays a FIFO, as a device such as /dev/full would stay a device; a
// link keeps pointing at its file, which gets the table.  Each write runs in
// a child with a time limit: a FIFO replaced by a plain file would leave its
// reader waiting.
TEST(SalidaPosix, TablaEnUnaTuberiaOPorUnEnlace) {
    const fs::path carpeta = fs::temp_directory_path() / ("turmado-salida-" + std::to_string(getpid()));
    fs::remove_all(carpeta);
    fs::create_directories(carpeta);
    const std::string tabla = "a,b\n1,2\n";
    const auto escribir = [&](const fs::path& ruta) {
        TSalidaTabla t(ruta);
        t.Flujo() << tabla;
        t.Terminar({});
    };

    const fs::path fifo = carpeta / "tuberia.csv";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_TRUE(TerminaATiempo(
        [&] {
            std::string leido;
            std::thread lector([&] {
                std::ifstream f(fifo, std::ios::binary);
                leido.assign(std::istreambuf_iterator<char>(f), {});
            });
            escribir(fifo);
            lector.join();
            _exit(leido == tabla && fs::is_fifo(fifo) ? 0 : 1);
        },
        5));
    EXPECT_TRUE(fs::is_fifo(fifo));

    const fs::path archivo = carpeta / "destino.csv", enlace = carpeta / "enlace.csv";
    std::ofstream(archivo) << "viejo";
    fs::create_symlink(archivo, enlace);
    escribir(enlace);
    EXPECT_TRUE(fs::is_symlink(enlace));
    std::ifstream f(archivo, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(f), {}), tabla);
    fs::remove_all(carpeta);
}
