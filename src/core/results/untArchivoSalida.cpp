#include "results/untArchivoSalida.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <random>

#ifdef _WIN32
#include <windows.h>
#endif

TArchivoSalida::TArchivoSalida(std::filesystem::path ruta) : ruta_(std::move(ruta)) {
    namespace fs = std::filesystem;
    std::error_code ec;
    // A link is followed: the file it names is replaced and the link stays.
    if (fs::is_symlink(fs::symlink_status(ruta_, ec))) {
        fs::path destino = fs::canonical(ruta_, ec);  // fails for a link to nothing, which is then replaced
        if (!ec) ruta_ = std::move(destino);
    }
    // A device (/dev/null, /dev/full) or a pipe is written straight into: a
    // rename would put a plain file in its place.
    const fs::file_status estado = fs::status(ruta_, ec);
    if (!ec && fs::exists(estado) && !fs::is_regular_file(estado) && !fs::is_directory(estado)) {
        temporal_ = ruta_;
        directo_ = true;
        return;
    }
    std::random_device azar;
    const unsigned long long n = (static_cast<unsigned long long>(azar()) << 32) ^ azar();
    char sufijo[20];
    std::snprintf(sufijo, sizeof sufijo, ".%016llx", n);
    std::filesystem::path nombre = ".";
    nombre += ruta_.filename();
    nombre += std::string(sufijo) + ".tmp";
    temporal_ = ruta_.parent_path() / nombre;
    errno = 0;
    std::ofstream archivo(temporal_, std::ios::binary);
    if (!archivo) {
        if (errno == ENOENT) throw ErrorEscritura("no se puede crear el archivo: su carpeta no existe");
        throw ErrorEscritura("no se puede crear el archivo", errno);
    }
}

TArchivoSalida::~TArchivoSalida() {
    if (puesto_ || directo_) return;
    std::error_code ec;
    std::filesystem::remove(temporal_, ec);
}

void TArchivoSalida::Poner() {
    if (directo_) return;
#ifdef _WIN32
    // MoveFileExW replaces the file that is there; a rename would refuse.
    if (!MoveFileExW(temporal_.c_str(), ruta_.c_str(), MOVEFILE_REPLACE_EXISTING))
        throw ErrorEscritura("no se puede poner el archivo en su lugar", GetLastError() == ERROR_ACCESS_DENIED ? EACCES : 0);
#else
    std::error_code ec;
    std::filesystem::rename(temporal_, ruta_, ec);
    if (ec) throw ErrorEscritura("no se puede poner el archivo en su lugar", ec.value());
#endif
    puesto_ = true;
}
