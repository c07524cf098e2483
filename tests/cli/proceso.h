// Starts a program and collects what it writes, the same way on POSIX
// systems and on Windows, so that one test source runs on both.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TProceso {
    int estado;          // exit status; 128 + the signal number when a signal ended it
    std::string salida;  // standard output, bytes as written
    std::string error;   // standard error
};

// Runs orden[0] (a path) with the arguments orden[1..], all in UTF-8, and
// waits for it to end.  Standard input is read from `archivoEntrada` (nothing when
// empty); `memoria` caps the memory the program may take, in bytes (0: no cap).
TProceso EjecutarProceso(const std::vector<std::string>& orden, const std::filesystem::path& archivoEntrada = {},
                         std::uint64_t memoria = 0);

// The words of a text separated by spaces, for arguments written on one line.
std::vector<std::string> Palabras(std::string_view texto);

// A program started with pipes on its standard input, output and error, for
// a test that talks to it while it runs.  Destroying it closes the input
// and waits for the program to end.
class TProcesoAbierto {
public:
    explicit TProcesoAbierto(const std::vector<std::string>& orden);
    ~TProcesoAbierto();
    TProcesoAbierto(const TProcesoAbierto&) = delete;
    TProcesoAbierto& operator=(const TProcesoAbierto&) = delete;

    // Writes to its standard input (which stays open).
    void Escribir(std::string_view texto);
    // The next line of its standard output without its "\n", or nothing
    // when no whole line came within `espera` (or the output ended).
    std::optional<std::string> Linea(std::chrono::milliseconds espera);
    // Closes its standard input and waits for it to end: its status, the
    // output not yet taken by Linea, and its standard error.
    TProceso Terminar();

    struct TImpl;

private:
    std::unique_ptr<TImpl> impl_;
};
