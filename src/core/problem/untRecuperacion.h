// The recovery folder: while a program runs, every changed calculation
// window is copied there now and then as a problem file, so that a crash of
// the program or of the machine loses little.  The files are named after the
// program that writes them, "<pid>-<window>.turmado", and the program holds a
// lock "<pid>.bloqueo" that says who it is: its process id and when that
// process started.  A recovery file whose program no longer runs has been
// left behind, and the next program offers it.
//
// The program reads and removes only what it writes: regular files (never a
// link, a FIFO or a device) with those names and at most the size it
// writes.  Anything else in the folder is someone else's and is left alone.
// Every read is bounded and never waits.
//
// Paths and process ids are plain data: the caller says which folder, and
// tests say which processes run.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "problem/untArchivo.h"

// A process as the lock names it.  Two processes with the same id are told
// apart by their start ("" where the system does not say).
struct TProceso {
    long pid = 0;
    std::string inicio;

    bool operator==(const TProceso&) const = default;
};

// This program.
TProceso ProcesoPropio();
// The process running now with this id, or nothing when none runs (a
// process that has ended but was not yet collected by its parent does not
// run).
std::optional<TProceso> ProcesoEnCurso(long pid);

using TEnCurso = std::function<std::optional<TProceso>(long pid)>;

inline constexpr const char* kExtensionBloqueo = ".bloqueo";
// A lock holds a process id and its start, a few dozen bytes: a larger file
// is not one.
inline constexpr std::size_t kTamanoMaximoBloqueo = 4096;

std::filesystem::path RutaRecuperacion(const std::filesystem::path& carpeta, long pid, int ventana);
std::filesystem::path RutaBloqueo(const std::filesystem::path& carpeta, long pid);

// Writes the lock of `proceso` (the folder is created when missing); false
// when it cannot be written, or when something other than a regular file
// holds its name.
bool TomarBloqueo(const std::filesystem::path& carpeta, const TProceso& proceso);
// Removes the lock of `pid`.
void SoltarBloqueo(const std::filesystem::path& carpeta, long pid);
// The process a lock names, or nothing when the lock is missing, garbled,
// larger than kTamanoMaximoBloqueo or not a regular file.
std::optional<TProceso> LeerBloqueo(const std::filesystem::path& carpeta, long pid);

// A recovery file whose program no longer runs, with what it holds.
struct TAbandonado {
    std::filesystem::path ruta;
    long pid = 0;
    int ventana = 0;
    std::optional<TArchivoProblema> copia;  // nothing when it cannot be read
    std::string error;                      // why it cannot, then
};

// Whether the program that holds the lock of `pid` runs: the lock names a
// process that `enCurso` finds with the same start.
bool ProgramaEnCurso(const std::filesystem::path& carpeta, long pid, const TEnCurso& enCurso);

// The recovery files in `carpeta` whose program no longer runs, by process
// id and window, each read.  Entries that are not the program's are left
// out.
std::vector<TAbandonado> ListarAbandonados(const std::filesystem::path& carpeta,
                                           const TEnCurso& enCurso = ProcesoEnCurso);

// The entries of `carpeta` that are not the program's, by name: other
// names, and copies or locks that are no regular file or are larger than
// the program writes them.  Never offered, read or removed.
std::vector<std::filesystem::path> ListarAjenas(const std::filesystem::path& carpeta);

// Removes the locks of programs that no longer run and left no recovery file
// behind.
void LimpiarBloqueos(const std::filesystem::path& carpeta, const TEnCurso& enCurso = ProcesoEnCurso);
