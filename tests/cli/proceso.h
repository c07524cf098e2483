// Starts a program and collects what it writes, the same way on POSIX
// systems and on Windows, so that one test source runs on both.
#pragma once

#include <cstdint>
#include <filesystem>
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
