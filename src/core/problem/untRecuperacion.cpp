#include "problem/untRecuperacion.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <set>
#include <sstream>
#include <string_view>

#include "problem/untArchivo.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// A whole text of decimal digits as a number; nothing for anything else.
template <class T> std::optional<T> Numero(std::string_view texto) {
    T valor{};
    if (texto.empty() || texto.front() == '+' || texto.front() == '-') return std::nullopt;
    const auto [fin, error] = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    if (error != std::errc() || fin != texto.data() + texto.size()) return std::nullopt;
    return valor;
}

// "<pid>-<window>.turmado" read back.
std::optional<std::pair<long, int>> NombreRecuperacion(const fs::path& ruta) {
    if (ruta.extension() != kExtensionProblema) return std::nullopt;
    const std::string raiz = ruta.stem().string();
    const std::size_t guion = raiz.find('-');
    if (guion == std::string::npos) return std::nullopt;
    const auto pid = Numero<long>(std::string_view(raiz).substr(0, guion));
    const auto ventana = Numero<int>(std::string_view(raiz).substr(guion + 1));
    if (!pid || !ventana || *pid <= 0) return std::nullopt;
    return std::pair{*pid, *ventana};
}

// "<pid>.bloqueo" read back.
std::optional<long> NombreBloqueo(const fs::path& ruta) {
    if (ruta.extension() != kExtensionBloqueo) return std::nullopt;
    const auto pid = Numero<long>(ruta.stem().string());
    if (!pid || *pid <= 0) return std::nullopt;
    return pid;
}

// An entry of the folder as the program sees it.
struct TEntrada {
    enum class Tipo { Copia, Bloqueo, Ajena } tipo = Tipo::Ajena;
    long pid = 0;
    int ventana = 0;
};

// A copy or a lock by its name, as long as it is a regular file itself (a
// link is not followed) no larger than the program writes it.
TEntrada Clasificar(const fs::directory_entry& entrada) {
    const fs::path& ruta = entrada.path();
    TEntrada e;
    std::size_t limite = 0;
    if (const auto copia = NombreRecuperacion(ruta)) {
        e = {TEntrada::Tipo::Copia, copia->first, copia->second};
        limite = kTamanoMaximoProblema;
    } else if (const auto bloqueo = NombreBloqueo(ruta)) {
        e = {TEntrada::Tipo::Bloqueo, *bloqueo, 0};
        limite = kTamanoMaximoBloqueo;
    } else {
        return e;
    }
    std::error_code ec;
    const bool regular = fs::is_regular_file(entrada.symlink_status(ec));
    const std::uintmax_t tamano = regular ? entrada.file_size(ec) : 0;
    if (!regular || ec || tamano > limite) return {};
    return e;
}

// Every entry of the folder with what it is; nothing for a missing folder.
std::vector<std::pair<fs::path, TEntrada>> Entradas(const fs::path& carpeta) {
    std::vector<std::pair<fs::path, TEntrada>> entradas;
    std::error_code ec;
    for (auto it = fs::directory_iterator(carpeta, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
        entradas.emplace_back(it->path(), Clasificar(*it));
    return entradas;
}

// The contents of a regular file of at most `limite` bytes; nothing for a
// link, a FIFO, a device, a larger file or one that cannot be read.  Never
// waits: a FIFO opens without a writer and is refused before any read.
std::optional<std::string> LeerRegular(const fs::path& ruta, std::size_t limite) {
    std::string texto(limite + 1, '\0');
    std::size_t leidos = 0;
#ifdef _WIN32
    std::error_code ec;
    if (!fs::is_regular_file(fs::symlink_status(ruta, ec))) return std::nullopt;
    std::ifstream f(ruta, std::ios::binary);
    f.read(texto.data(), static_cast<std::streamsize>(texto.size()));
    if (!f.is_open() || f.bad()) return std::nullopt;
    leidos = static_cast<std::size_t>(f.gcount());
#else
    const int fd = ::open(ruta.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    bool bien = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    while (bien && leidos < texto.size()) {
        const ssize_t n = ::read(fd, texto.data() + leidos, texto.size() - leidos);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            bien = n == 0;
            break;
        }
        leidos += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (!bien) return std::nullopt;
#endif
    if (leidos > limite) return std::nullopt;
    texto.resize(leidos);
    return texto;
}

// Replaces the contents of a regular file, created when missing; false
// when it cannot be written or something else holds the name (a link is
// not followed, a FIFO is not waited on).
bool EscribirRegular(const fs::path& ruta, const std::string& texto) {
#ifdef _WIN32
    std::error_code ec;
    const fs::file_status estado = fs::symlink_status(ruta, ec);
    if (fs::exists(estado) && !fs::is_regular_file(estado)) return false;
    std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
    f << texto;
    f.close();
    return !f.fail();
#else
    const int fd = ::open(ruta.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    struct stat st {};
    bool bien = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    for (std::size_t escritos = 0; bien && escritos < texto.size();) {
        const ssize_t n = ::write(fd, texto.data() + escritos, texto.size() - escritos);
        if (n < 0 && errno == EINTR) continue;
        bien = n > 0;
        if (bien) escritos += static_cast<std::size_t>(n);
    }
    return ::close(fd) == 0 && bien;
#endif
}

#if defined(__linux__)
std::string LeerLinea(const fs::path& ruta) {
    std::ifstream f(ruta);
    std::string linea;
    std::getline(f, linea);
    return linea;
}
#endif

}  // namespace

std::optional<TProceso> ProcesoEnCurso(long pid) {
    if (pid <= 0) return std::nullopt;
#if defined(__linux__)
    // /proc/<pid>/stat: "pid (name) state ppid ...", the start time in clock
    // ticks after boot is the 20th field after the name (which may hold
    // blanks and parentheses, so the fields count from its last ')').
    const std::string stat = LeerLinea("/proc/" + std::to_string(pid) + "/stat");
    const std::size_t cierre = stat.rfind(')');
    if (cierre == std::string::npos) return std::nullopt;
    std::istringstream campos(stat.substr(cierre + 1));
    std::string estado, campo;
    campos >> estado;
    if (estado.empty() || estado == "Z" || estado == "X") return std::nullopt;  // ended, not yet collected
    for (int i = 0; i < 19 && campos >> campo; ++i) {
    }
    if (!campos) return std::nullopt;
    // The ticks start again at every boot: the boot's id tells the boots apart.
    return TProceso{pid, LeerLinea("/proc/sys/kernel/random/boot_id") + ":" + campo};
#elif defined(_WIN32)
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!h) return std::nullopt;
    DWORD salida = 0;
    FILETIME creado{}, fin{}, nucleo{}, usuario{};
    const bool vivo = GetExitCodeProcess(h, &salida) && salida == STILL_ACTIVE;
    const bool tiempos = GetProcessTimes(h, &creado, &fin, &nucleo, &usuario);
    CloseHandle(h);
    if (!vivo) return std::nullopt;
    const unsigned long long inicio = (static_cast<unsigned long long>(creado.dwHighDateTime) << 32) | creado.dwLowDateTime;
    return TProceso{pid, tiempos ? std::to_string(inicio) : std::string()};
#else
    if (kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM) return std::nullopt;
    return TProceso{pid, ""};
#endif
}

TProceso ProcesoPropio() {
#ifdef _WIN32
    const long pid = static_cast<long>(GetCurrentProcessId());
#else
    const long pid = static_cast<long>(getpid());
#endif
    return ProcesoEnCurso(pid).value_or(TProceso{pid, ""});
}

fs::path RutaRecuperacion(const fs::path& carpeta, long pid, int ventana) {
    return carpeta / (std::to_string(pid) + "-" + std::to_string(ventana) + kExtensionProblema);
}

fs::path RutaBloqueo(const fs::path& carpeta, long pid) {
    return carpeta / (std::to_string(pid) + kExtensionBloqueo);
}

bool TomarBloqueo(const fs::path& carpeta, const TProceso& proceso) {
    std::error_code ec;
    fs::create_directories(carpeta, ec);
    return EscribirRegular(RutaBloqueo(carpeta, proceso.pid),
                           std::to_string(proceso.pid) + '\n' + proceso.inicio + '\n');
}

void SoltarBloqueo(const fs::path& carpeta, long pid) {
    std::error_code ec;
    fs::remove(RutaBloqueo(carpeta, pid), ec);
}

std::optional<TProceso> LeerBloqueo(const fs::path& carpeta, long pid) {
    const std::optional<std::string> texto = LeerRegular(RutaBloqueo(carpeta, pid), kTamanoMaximoBloqueo);
    if (!texto) return std::nullopt;
    std::istringstream f(*texto);
    std::string linea, inicio;
    if (!std::getline(f, linea) || !std::getline(f, inicio)) return std::nullopt;
    // A lock written in text mode on Windows ends its lines in "\r\n".
    for (std::string* l : {&linea, &inicio})
        if (l->ends_with('\r')) l->pop_back();
    const auto escrito = Numero<long>(linea);
    if (!escrito || *escrito != pid) return std::nullopt;
    return TProceso{pid, inicio};
}

bool ProgramaEnCurso(const fs::path& carpeta, long pid, const TEnCurso& enCurso) {
    const std::optional<TProceso> bloqueo = LeerBloqueo(carpeta, pid);
    if (!bloqueo) return false;
    const std::optional<TProceso> ahora = enCurso(pid);
    return ahora && *ahora == *bloqueo;
}

std::vector<TAbandonado> ListarAbandonados(const fs::path& carpeta, const TEnCurso& enCurso) {
    std::vector<TAbandonado> lista;
    for (const auto& [ruta, e] : Entradas(carpeta))
        if (e.tipo == TEntrada::Tipo::Copia) lista.push_back({ruta, e.pid, e.ventana, std::nullopt, ""});
    // Each program is asked after once.
    std::set<long> enCursoYa, terminados;
    std::erase_if(lista, [&](const TAbandonado& a) {
        if (enCursoYa.count(a.pid)) return true;
        if (terminados.count(a.pid)) return false;
        const bool corre = ProgramaEnCurso(carpeta, a.pid, enCurso);
        (corre ? enCursoYa : terminados).insert(a.pid);
        return corre;
    });
    std::ranges::sort(lista, [](const TAbandonado& a, const TAbandonado& b) {
        return std::pair(a.pid, a.ventana) < std::pair(b.pid, b.ventana);
    });
    for (TAbandonado& a : lista) {
        try {
            const std::optional<std::string> texto = LeerRegular(a.ruta, kTamanoMaximoProblema);
            if (!texto) throw ErrorArchivo(TFalloArchivo::Lectura, "no se puede leer el archivo");
            a.copia = LeerArchivoProblema(*texto);
        } catch (const ErrorArchivo& x) {
            a.error = x.what();
        }
    }
    return lista;
}

std::vector<fs::path> ListarAjenas(const fs::path& carpeta) {
    std::vector<fs::path> ajenas;
    for (const auto& [ruta, e] : Entradas(carpeta))
        if (e.tipo == TEntrada::Tipo::Ajena) ajenas.push_back(ruta);
    std::ranges::sort(ajenas);
    return ajenas;
}

void LimpiarBloqueos(const fs::path& carpeta, const TEnCurso& enCurso) {
    std::set<long> conArchivos;
    std::vector<long> bloqueos;
    for (const auto& [ruta, e] : Entradas(carpeta)) {
        if (e.tipo == TEntrada::Tipo::Copia) conArchivos.insert(e.pid);
        if (e.tipo == TEntrada::Tipo::Bloqueo) bloqueos.push_back(e.pid);
    }
    for (long pid : bloqueos)
        if (!conArchivos.count(pid) && !ProgramaEnCurso(carpeta, pid, enCurso)) SoltarBloqueo(carpeta, pid);
}
