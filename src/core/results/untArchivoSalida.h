// A file written in one step: under a temporary name in its own folder, put
// in place by one rename at the end, so that a failure (a full disk, a
// crash, a batch cut short) never leaves half a file under its name; a file
// that was there stays as it was until the rename.  A link's file is
// replaced and the link kept; a device or a pipe is written straight into.
#pragma once

#include <filesystem>
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
    // Creates the temporary file (empty) beside `ruta`: ".<name>.<random>.tmp";
    // for a device or a pipe, the temporary file is `ruta` itself.
    // Throws ErrorEscritura when it cannot be created (no such folder, no
    // permission ...).
    explicit TArchivoSalida(std::filesystem::path ruta);
    // Removes the temporary file unless it was put in place.
    ~TArchivoSalida();
    TArchivoSalida(const TArchivoSalida&) = delete;
    TArchivoSalida& operator=(const TArchivoSalida&) = delete;

    const std::filesystem::path& Ruta() const { return ruta_; }
    const std::filesystem::path& Temporal() const { return temporal_; }

    // Renames the temporary file to the name, replacing what was there.
    // Throws ErrorEscritura when it cannot (the name is a folder ...); the
    // temporary file is then removed by the destructor.
    void Poner();

private:
    std::filesystem::path ruta_;
    std::filesystem::path temporal_;
    bool puesto_ = false;
    bool directo_ = false;  // written straight into Ruta(): nothing to rename or remove
};
