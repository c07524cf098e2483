// A file written in one step: under a temporary name in its own folder, put
// in place by one rename at the end, so that a failure (a full disk, a
// crash, a batch cut short) never leaves half a file under its name; a file
// that was there stays as it was until the rename, and the new one takes its
// permissions (and, for root, its owner).  A symbolic link is followed to
// the file it names, which is replaced (or created, for a link to nothing)
// while the link stays; a chain of links that loops is refused.  A file
// with other names (hard links) has its contents replaced at the end, so
// that every name sees them.  A read-only file is refused, never replaced.
// A device or a pipe is written straight into.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

#include "general/untError.h"

// A file could not be written: what failed (in Spanish), and the system's
// error number (errno) when the system said why, 0 otherwise.
class ErrorEscritura : public ErrorTurmado {
public:
    explicit ErrorEscritura(const std::string& que, int sistema = 0)
        : ErrorTurmado(TClaseError::Escritura, que), sistema_(sistema) {}
    int Sistema() const { return sistema_; }

private:
    int sistema_;
};

class TArchivoSalida {
public:
    // Creates the temporary file (empty) beside `ruta`: ".<name>.<random>.tmp"
    // (".turmado.<random>.tmp" for a name too long for that); for a device
    // or a pipe, the temporary file is `ruta` itself.  Throws ErrorEscritura
    // when it cannot be created (no such folder, no permission, a read-only
    // file, a name longer than 255 bytes, a loop of links ...).
    explicit TArchivoSalida(std::filesystem::path ruta);
    // Removes the temporary file unless it was put in place.
    ~TArchivoSalida();
    TArchivoSalida(const TArchivoSalida&) = delete;
    TArchivoSalida& operator=(const TArchivoSalida&) = delete;

    const std::filesystem::path& Ruta() const { return ruta_; }
    const std::filesystem::path& Temporal() const { return temporal_; }

    // Renames the temporary file to the name, replacing what was there (or
    // copies it into a file with other names).
    // Throws ErrorEscritura when it cannot (the name is a folder ...); the
    // temporary file is then removed by the destructor.
    void Poner();

private:
    std::filesystem::path ruta_;
    std::filesystem::path temporal_;
    bool puesto_ = false;
    bool directo_ = false;  // written straight into Ruta(): nothing to rename or remove
    bool copiar_ = false;   // Ruta() has hard links: copied into at the end, not renamed over
};
