// The recovery folder holding what no program of ours writes there: a FIFO
// (opening it for reading waits for a writer) or a link to /dev/zero (it
// never ends) under the name of a lock or of a copy; and a table written
// to a FIFO or through a link.  Each case runs first
// in a child process with a time and memory limit, so that a fault shows as
// a failure instead of a test that hangs or eats the machine.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

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

// What a table's file that was there keeps: its permissions (a 600 file
// stays 600), the other names of a file with hard links (each sees the
// table), a link to nothing (the table goes where it points and the link
// stays); what is refused, leaving everything as it was: a read-only file
// (as root too), a chain of links that loops, a name longer than 255 bytes.
// A name of 234 to 255 bytes is written (its temporary name is shorter).
TEST(SalidaPosix, ArchivoQueEstaba) {
    const fs::path carpeta = fs::temp_directory_path() / ("turmado-estaba-" + std::to_string(getpid()));
    fs::remove_all(carpeta);
    fs::create_directories(carpeta);
    const std::string tabla = "a,b\n1,2\n";
    const auto leer = [](const fs::path& r) {
        std::ifstream f(r, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    };
    const auto escribir = [&](const fs::path& ruta) -> std::string {
        try {
            TSalidaTabla t(ruta);
            t.Flujo() << tabla;
            t.Terminar({});
            return "";
        } catch (const ErrorEscritura& e) {
            return e.what();
        }
    };
    const auto modo = [](const fs::path& r) { return fs::status(r).permissions() & fs::perms::mask; };
    const fs::path viejo = carpeta / "viejo.csv";

    std::ofstream(viejo) << "viejo";
    fs::permissions(viejo, fs::perms(0600));
    EXPECT_EQ(escribir(viejo), "");
    EXPECT_EQ(leer(viejo), tabla);
    EXPECT_EQ(modo(viejo), fs::perms(0600));
    fs::permissions(viejo, fs::perms(0640));
    EXPECT_EQ(escribir(viejo), "");
    EXPECT_EQ(modo(viejo), fs::perms(0640));

    const fs::path otro = carpeta / "otro_nombre.csv";
    fs::create_hard_link(viejo, otro);
    std::ofstream(viejo) << "viejo";
    EXPECT_EQ(escribir(otro), "");
    EXPECT_EQ(leer(viejo), tabla);
    EXPECT_EQ(leer(otro), tabla);
    EXPECT_EQ(fs::hard_link_count(viejo), 2u);
    EXPECT_EQ(modo(otro), fs::perms(0640));

    const fs::path colgante = carpeta / "colgante.csv", apuntado = carpeta / "sub" / "apuntado.csv";
    fs::create_directories(apuntado.parent_path());
    fs::create_symlink("sub/apuntado.csv", colgante);
    EXPECT_EQ(escribir(colgante), "");
    EXPECT_TRUE(fs::is_symlink(colgante));
    EXPECT_EQ(leer(apuntado), tabla);
    fs::create_symlink("nada/x.csv", carpeta / "a_carpeta_que_falta.csv");
    EXPECT_EQ(escribir(carpeta / "a_carpeta_que_falta.csv"), "no se puede crear el archivo: su carpeta no existe");

    const fs::path largo = carpeta / std::string(250, 'n');
    EXPECT_EQ(escribir(largo), "");
    EXPECT_EQ(leer(largo), tabla);

    const auto antes = [&] {
        std::vector<std::string> n;
        for (const auto& e : fs::directory_iterator(carpeta)) n.push_back(e.path().filename().string());
        std::sort(n.begin(), n.end());
        return n;
    };
    const fs::path soloLectura = carpeta / "solo_lectura.csv", ciclo1 = carpeta / "ciclo1.csv",
                   ciclo2 = carpeta / "ciclo2.csv";
    std::ofstream(soloLectura) << "viejo";
    fs::permissions(soloLectura, fs::perms(0444));
    fs::create_symlink(ciclo2.filename(), ciclo1);
    fs::create_symlink(ciclo1.filename(), ciclo2);
    const std::vector<std::string> nombres = antes();
    struct Caso {
        fs::path ruta;
        const char* error;
    };
    const Caso rechazos[] = {
        {soloLectura, "el archivo es de solo lectura: no se reemplaza"},
        {ciclo1, "no se puede crear el archivo: el enlace simbólico forma un ciclo"},
        {carpeta / std::string(256, 'n'), "no se puede crear el archivo: su nombre es demasiado largo"},
    };
    for (const Caso& c : rechazos) {
        SCOPED_TRACE(c.ruta.filename().string().substr(0, 20));
        EXPECT_EQ(escribir(c.ruta), c.error);
        EXPECT_EQ(antes(), nombres);
    }
    EXPECT_EQ(leer(soloLectura), "viejo");
    EXPECT_EQ(modo(soloLectura), fs::perms(0444));
    EXPECT_TRUE(fs::is_symlink(ciclo1) && fs::is_symlink(ciclo2));
    fs::remove_all(carpeta);
}
