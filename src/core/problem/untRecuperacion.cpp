#include "problem/untRecuperacion.h"

#include <algorithm>
#include <charconv>
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
    std::ofstream f(RutaBloqueo(carpeta, proceso.pid), std::ios::trunc);
    f << proceso.pid << '\n' << proceso.inicio << '\n';
    f.close();
    return !f.fail();
}

void SoltarBloqueo(const fs::path& carpeta, long pid) {
    std::error_code ec;
    fs::remove(RutaBloqueo(carpeta, pid), ec);
}

std::optional<TProceso> LeerBloqueo(const fs::path& carpeta, long pid) {
    std::ifstream f(RutaBloqueo(carpeta, pid));
    std::string linea, inicio;
    if (!std::getline(f, linea) || !std::getline(f, inicio)) return std::nullopt;
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
    std::error_code ec;
    for (auto it = fs::directory_iterator(carpeta, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const auto nombre = NombreRecuperacion(it->path());
        if (!nombre || !it->is_regular_file(ec)) continue;
        lista.push_back({it->path(), nombre->first, nombre->second});
    }
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
    return lista;
}

void LimpiarBloqueos(const fs::path& carpeta, const TEnCurso& enCurso) {
    std::set<long> conArchivos;
    std::vector<long> bloqueos;
    std::error_code ec;
    for (auto it = fs::directory_iterator(carpeta, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const fs::path& ruta = it->path();
        if (const auto nombre = NombreRecuperacion(ruta))
            conArchivos.insert(nombre->first);
        else if (ruta.extension() == kExtensionBloqueo)
            if (const auto pid = Numero<long>(ruta.stem().string())) bloqueos.push_back(*pid);
    }
    for (long pid : bloqueos)
        if (!conArchivos.count(pid) && !ProgramaEnCurso(carpeta, pid, enCurso)) SoltarBloqueo(carpeta, pid);
}
