#include "results/untArchivoSalida.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <random>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// The longest name of one file (a path's last part), in bytes, on the file
// systems a table is written to (ext4, xfs, btrfs, tmpfs, NTFS in UTF-16
// units aside).
constexpr std::size_t kNombreMaximo = 255;
// Links followed in a row before the chain counts as a loop, as the system
// counts them.
constexpr int kEnlacesMaximos = 40;

// The path a chain of symbolic links ends at, whether or not a file is
// there (a dangling link's file is created where it points).  Throws
// ErrorEscritura for a chain that loops.
fs::path Destino(fs::path ruta) {
    std::error_code ec;
    for (int i = 0; i < kEnlacesMaximos; ++i) {
        if (!fs::is_symlink(fs::symlink_status(ruta, ec))) return ruta;
        const fs::path destino = fs::read_symlink(ruta, ec);
        if (ec) throw ErrorEscritura("no se puede leer el enlace simbólico", ec.value());
        ruta = destino.is_absolute() ? destino : ruta.parent_path() / destino;
    }
    throw ErrorEscritura("no se puede crear el archivo: el enlace simbólico forma un ciclo");
}

// Whether the file may not be replaced: it has no write permission for
// anyone (as root too, who could write it), or not for this user.
bool SoloLectura(const fs::path& ruta, fs::perms permisos) {
    constexpr fs::perms kEscritura = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((permisos & kEscritura) == fs::perms::none) return true;
#ifdef _WIN32
    (void)ruta;
    return false;
#else
    return access(ruta.c_str(), W_OK) != 0 && errno == EACCES;
#endif
}

}  // namespace

TArchivoSalida::TArchivoSalida(fs::path ruta) : ruta_(std::move(ruta)) {
    std::error_code ec;
    // A link is followed: the file it names gets the table and the link stays.
    ruta_ = Destino(ruta_);
    if (ruta_.filename().native().size() > kNombreMaximo)
        throw ErrorEscritura("no se puede crear el archivo: su nombre es demasiado largo");
    // A device (/dev/null, /dev/full) or a pipe is written straight into: a
    // rename would put a plain file in its place.
    const fs::file_status estado = fs::status(ruta_, ec);
    if (!ec && fs::exists(estado) && !fs::is_regular_file(estado) && !fs::is_directory(estado)) {
        temporal_ = ruta_;
        directo_ = true;
        return;
    }
    std::optional<fs::perms> permisos;
    if (!ec && fs::is_regular_file(estado)) {
        if (SoloLectura(ruta_, estado.permissions()))
            throw ErrorEscritura("el archivo es de solo lectura: no se reemplaza");
        permisos = estado.permissions();
        // A file with other names (hard links) keeps them: its contents are
        // replaced at the end instead of the file.
        copiar_ = fs::hard_link_count(ruta_, ec) > 1 && !ec;
    }
    std::random_device azar;
    const unsigned long long n = (static_cast<unsigned long long>(azar()) << 32) ^ azar();
    char sufijo[20];
    std::snprintf(sufijo, sizeof sufijo, ".%016llx", n);
    // ".<name>.<random>.tmp", or ".turmado.<random>.tmp" when that would be
    // too long a name.
    fs::path nombre = ".";
    nombre += ruta_.filename();
    nombre += std::string(sufijo) + ".tmp";
    if (nombre.native().size() > kNombreMaximo) nombre = ".turmado" + std::string(sufijo) + ".tmp";
    temporal_ = ruta_.parent_path() / nombre;
    errno = 0;
    std::ofstream archivo(temporal_, std::ios::binary);
    if (!archivo) {
        if (errno == ENOENT) throw ErrorEscritura("no se puede crear el archivo: su carpeta no existe");
        throw ErrorEscritura("no se puede crear el archivo", errno);
    }
    archivo.close();
    // The new file takes the old one's permissions and, where this user may
    // give it (root), its owner.
    if (permisos) {
        fs::permissions(temporal_, *permisos, fs::perm_options::replace, ec);
#ifndef _WIN32
        struct stat viejo {};
        if (stat(ruta_.c_str(), &viejo) == 0 && (viejo.st_uid != geteuid() || viejo.st_gid != getegid()))
            (void)!chown(temporal_.c_str(), viejo.st_uid, viejo.st_gid);
#endif
    }
}

TArchivoSalida::~TArchivoSalida() {
    if (puesto_ || directo_) return;
    std::error_code ec;
    fs::remove(temporal_, ec);
}

void TArchivoSalida::Poner() {
    if (directo_) return;
    if (copiar_) {
        // Written over in place, so that every name of the file sees the
        // table; the temporary file goes.
        std::error_code ec;
        errno = 0;
        fs::copy_file(temporal_, ruta_, fs::copy_options::overwrite_existing, ec);
        if (ec) throw ErrorEscritura("no se puede escribir el archivo", ec.value());
        fs::remove(temporal_, ec);
        puesto_ = true;
        return;
    }
#ifdef _WIN32
    // MoveFileExW replaces the file that is there; a rename would refuse.
    if (!MoveFileExW(temporal_.c_str(), ruta_.c_str(), MOVEFILE_REPLACE_EXISTING))
        throw ErrorEscritura("no se puede poner el archivo en su lugar", GetLastError() == ERROR_ACCESS_DENIED ? EACCES : 0);
#else
    std::error_code ec;
    fs::rename(temporal_, ruta_, ec);
    if (ec) throw ErrorEscritura("no se puede poner el archivo en su lugar", ec.value());
#endif
    puesto_ = true;
}
