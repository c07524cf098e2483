// The recovery locks against real processes on a system that forks: a child
// runs until it is killed, and a killed child that its parent has not
// collected yet (as after kill -9) does not run any more.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include "problem/untRecuperacion.h"

namespace fs = std::filesystem;

TEST(RecuperacionPosix, ProcesosReales) {
    const fs::path carpeta = fs::temp_directory_path() / ("turmado-recuperacion-posix-" + std::to_string(getpid()));
    fs::remove_all(carpeta);
    fs::create_directories(carpeta);
    const TProceso propio = ProcesoPropio();
    EXPECT_EQ(propio.pid, long(getpid()));

    const pid_t hijo = fork();
    ASSERT_GE(hijo, 0);
    if (hijo == 0) {
        pause();
        _exit(0);
    }
    const std::optional<TProceso> vivo = ProcesoEnCurso(hijo);
    ASSERT_TRUE(vivo);
#ifdef __linux__
    EXPECT_FALSE(vivo->inicio.empty());
    EXPECT_NE(vivo->inicio, propio.inicio);
#endif
    ASSERT_TRUE(TomarBloqueo(carpeta, *vivo));
    std::ofstream(carpeta / (std::to_string(hijo) + "-1.turmado")) << "{}";
    EXPECT_TRUE(ListarAbandonados(carpeta).empty());

    kill(hijo, SIGKILL);
    bool terminado = false;
    for (int i = 0; i < 200 && !terminado; ++i) {
        terminado = !ProcesoEnCurso(hijo);
        if (!terminado) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(terminado) << "a killed process not yet collected still counts as running";
    EXPECT_EQ(ListarAbandonados(carpeta).size(), 1u);
    waitpid(hijo, nullptr, 0);
    EXPECT_EQ(ProcesoEnCurso(hijo), std::nullopt);
    fs::remove_all(carpeta);
}
