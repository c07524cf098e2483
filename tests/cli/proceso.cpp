#include "proceso.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#ifdef _WIN32

namespace {

[[noreturn]] void Fallar(const char* que) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), que);
}

std::wstring Ancho(std::string_view texto) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, texto.data(), static_cast<int>(texto.size()), nullptr, 0);
    std::wstring r(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, texto.data(), static_cast<int>(texto.size()), r.data(), n);
    return r;
}

// Appends one argument quoted so that the program's C runtime reads it back
// as it was: backslashes count only before a quote.
void Citar(std::wstring& linea, const std::wstring& a) {
    if (!linea.empty()) linea += L' ';
    if (!a.empty() && a.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        linea += a;
        return;
    }
    linea += L'"';
    for (auto c = a.begin();; ++c) {
        std::size_t barras = 0;
        for (; c != a.end() && *c == L'\\'; ++c) ++barras;
        if (c == a.end()) {
            linea.append(2 * barras, L'\\');
            break;
        }
        linea.append(*c == L'"' ? 2 * barras + 1 : barras, L'\\');
        linea += *c;
    }
    linea += L'"';
}

std::string LeerTodo(HANDLE h) {
    std::string r;
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n > 0) r.append(buf, n);
    CloseHandle(h);
    return r;
}

}  // namespace

TProceso EjecutarProceso(const std::vector<std::string>& orden, const std::filesystem::path& archivoEntrada,
                         std::uint64_t memoria) {
    SECURITY_ATTRIBUTES heredable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const HANDLE entrada = CreateFileW(archivoEntrada.empty() ? L"NUL" : archivoEntrada.c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, &heredable, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (entrada == INVALID_HANDLE_VALUE) Fallar("CreateFileW");
    HANDLE salida[2], error[2];  // read end, write end
    if (!CreatePipe(&salida[0], &salida[1], &heredable, 0) || !CreatePipe(&error[0], &error[1], &heredable, 0))
        Fallar("CreatePipe");
    SetHandleInformation(salida[0], HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(error[0], HANDLE_FLAG_INHERIT, 0);

    // The memory cap: a job whose processes may not commit more.
    HANDLE trabajo = nullptr;
    if (memoria) {
        trabajo = CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION cota{};
        cota.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_PROCESS_MEMORY | JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        cota.ProcessMemoryLimit = static_cast<SIZE_T>(memoria);
        if (!trabajo || !SetInformationJobObject(trabajo, JobObjectExtendedLimitInformation, &cota, sizeof cota))
            Fallar("SetInformationJobObject");
    }

    std::wstring linea;
    for (const std::string& a : orden) Citar(linea, Ancho(a));
    STARTUPINFOW inicio{};
    inicio.cb = sizeof inicio;
    inicio.dwFlags = STARTF_USESTDHANDLES;
    inicio.hStdInput = entrada;
    inicio.hStdOutput = salida[1];
    inicio.hStdError = error[1];
    PROCESS_INFORMATION proceso{};
    const BOOL creado = CreateProcessW(nullptr, linea.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED | CREATE_NO_WINDOW,
                                       nullptr, nullptr, &inicio, &proceso);
    CloseHandle(entrada);
    CloseHandle(salida[1]);
    CloseHandle(error[1]);
    if (!creado) Fallar("CreateProcessW");
    if (trabajo && !AssignProcessToJobObject(trabajo, proceso.hProcess)) Fallar("AssignProcessToJobObject");
    ResumeThread(proceso.hThread);
    CloseHandle(proceso.hThread);

    // Both pipes read at once, so that a program filling one while the
    // other is read never blocks.
    TProceso p{};
    std::thread hilo([&] { p.error = LeerTodo(error[0]); });
    p.salida = LeerTodo(salida[0]);
    hilo.join();
    WaitForSingleObject(proceso.hProcess, INFINITE);
    DWORD codigo = 0;
    GetExitCodeProcess(proceso.hProcess, &codigo);
    CloseHandle(proceso.hProcess);
    if (trabajo) CloseHandle(trabajo);
    p.estado = static_cast<int>(codigo);
    return p;
}

#else

namespace {

[[noreturn]] void Fallar(const char* que) { throw std::system_error(errno, std::generic_category(), que); }

std::string LeerTodo(int fd) {
    std::string r;
    char buf[4096];
    for (;;) {
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n > 0)
            r.append(buf, static_cast<std::size_t>(n));
        else if (n == 0 || errno != EINTR)
            break;
    }
    close(fd);
    return r;
}

}  // namespace

TProceso EjecutarProceso(const std::vector<std::string>& orden, const std::filesystem::path& archivoEntrada,
                         std::uint64_t memoria) {
    std::vector<char*> argv;
    for (const std::string& a : orden) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const int entrada = open(archivoEntrada.empty() ? "/dev/null" : archivoEntrada.c_str(), O_RDONLY | O_CLOEXEC);
    if (entrada < 0) Fallar("open");
    int salida[2], error[2];  // read end, write end
    if (pipe2(salida, O_CLOEXEC) != 0 || pipe2(error, O_CLOEXEC) != 0) Fallar("pipe2");

    const pid_t hijo = fork();
    if (hijo == 0) {  // only calls that are safe between fork and exec
        if (memoria) {
            const rlimit cota{memoria, memoria};
            setrlimit(RLIMIT_AS, &cota);
        }
        dup2(entrada, STDIN_FILENO);
        dup2(salida[1], STDOUT_FILENO);
        dup2(error[1], STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);  // as the shell, for a program that cannot be started
    }
    close(entrada);
    close(salida[1]);
    close(error[1]);
    if (hijo < 0) Fallar("fork");

    // Both pipes read at once, so that a program filling one while the
    // other is read never blocks.
    TProceso p{};
    std::thread hilo([&] { p.error = LeerTodo(error[0]); });
    p.salida = LeerTodo(salida[0]);
    hilo.join();
    int estado = 0;
    while (waitpid(hijo, &estado, 0) < 0)
        if (errno != EINTR) Fallar("waitpid");
    p.estado = WIFEXITED(estado) ? WEXITSTATUS(estado) : 128 + WTERMSIG(estado);
    return p;
}

#endif

std::vector<std::string> Palabras(std::string_view texto) {
    std::vector<std::string> r;
    for (std::size_t i = 0; i < texto.size();) {
        const std::size_t fin = std::min(texto.find(' ', i), texto.size());
        if (fin > i) r.emplace_back(texto.substr(i, fin - i));
        i = fin + 1;
    }
    return r;
}

// Both platforms: the program's handles and what its readers gathered.
struct TProcesoAbierto::TImpl {
#ifdef _WIN32
    using TExtremo = HANDLE;
    static constexpr HANDLE kCerrado = nullptr;
    HANDLE proceso = nullptr;
#else
    using TExtremo = int;
    static constexpr int kCerrado = -1;
    pid_t hijo = -1;
#endif
    TExtremo entrada = kCerrado;  // write end of its standard input
    std::mutex m;
    std::condition_variable cv;
    std::string salida, error;
    bool finSalida = false;
    std::thread lectorSalida, lectorError;
    std::optional<int> estado;

    // Reads `extremo` to its end into `destino`, then marks `fin`.
    void Leer(TExtremo extremo, std::string& destino, bool* fin) {
        char buf[4096];
        for (;;) {
#ifdef _WIN32
            DWORD n = 0;
            if (!ReadFile(extremo, buf, sizeof buf, &n, nullptr) || n == 0) break;
#else
            const ssize_t n = read(extremo, buf, sizeof buf);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
#endif
            std::lock_guard l(m);
            destino.append(buf, static_cast<std::size_t>(n));
            cv.notify_all();
        }
#ifdef _WIN32
        CloseHandle(extremo);
#else
        close(extremo);
#endif
        std::lock_guard l(m);
        if (fin) *fin = true;
        cv.notify_all();
    }

    void CerrarEntrada() {
        if (entrada == kCerrado) return;
#ifdef _WIN32
        CloseHandle(entrada);
#else
        close(entrada);
#endif
        entrada = kCerrado;
    }

    int Esperar() {
        if (estado) return *estado;
        CerrarEntrada();
        if (lectorSalida.joinable()) lectorSalida.join();
        if (lectorError.joinable()) lectorError.join();
#ifdef _WIN32
        WaitForSingleObject(proceso, INFINITE);
        DWORD codigo = 0;
        GetExitCodeProcess(proceso, &codigo);
        CloseHandle(proceso);
        estado = static_cast<int>(codigo);
#else
        int e = 0;
        while (waitpid(hijo, &e, 0) < 0)
            if (errno != EINTR) Fallar("waitpid");
        estado = WIFEXITED(e) ? WEXITSTATUS(e) : 128 + WTERMSIG(e);
#endif
        return *estado;
    }
};

TProcesoAbierto::TProcesoAbierto(const std::vector<std::string>& orden) : impl_(std::make_unique<TImpl>()) {
    TImpl::TExtremo salida, error;
#ifdef _WIN32
    SECURITY_ATTRIBUTES heredable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE entrada[2], sal[2], err[2];  // read end, write end
    if (!CreatePipe(&entrada[0], &entrada[1], &heredable, 0) || !CreatePipe(&sal[0], &sal[1], &heredable, 0) ||
        !CreatePipe(&err[0], &err[1], &heredable, 0))
        Fallar("CreatePipe");
    SetHandleInformation(entrada[1], HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(sal[0], HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(err[0], HANDLE_FLAG_INHERIT, 0);
    std::wstring linea;
    for (const std::string& a : orden) Citar(linea, Ancho(a));
    STARTUPINFOW inicio{};
    inicio.cb = sizeof inicio;
    inicio.dwFlags = STARTF_USESTDHANDLES;
    inicio.hStdInput = entrada[0];
    inicio.hStdOutput = sal[1];
    inicio.hStdError = err[1];
    PROCESS_INFORMATION proceso{};
    const BOOL creado = CreateProcessW(nullptr, linea.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                       nullptr, &inicio, &proceso);
    CloseHandle(entrada[0]);
    CloseHandle(sal[1]);
    CloseHandle(err[1]);
    if (!creado) Fallar("CreateProcessW");
    CloseHandle(proceso.hThread);
    impl_->proceso = proceso.hProcess;
    impl_->entrada = entrada[1];
    salida = sal[0];
    error = err[0];
#else
    std::vector<char*> argv;
    for (const std::string& a : orden) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int entrada[2], sal[2], err[2];  // read end, write end
    if (pipe2(entrada, O_CLOEXEC) != 0 || pipe2(sal, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
        Fallar("pipe2");
    const pid_t hijo = fork();
    if (hijo == 0) {
        dup2(entrada[0], STDIN_FILENO);
        dup2(sal[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(entrada[0]);
    close(sal[1]);
    close(err[1]);
    if (hijo < 0) Fallar("fork");
    impl_->hijo = hijo;
    impl_->entrada = entrada[1];
    salida = sal[0];
    error = err[0];
#endif
    TImpl* impl = impl_.get();
    impl_->lectorSalida = std::thread([impl, salida] { impl->Leer(salida, impl->salida, &impl->finSalida); });
    impl_->lectorError = std::thread([impl, error] { impl->Leer(error, impl->error, nullptr); });
}

TProcesoAbierto::~TProcesoAbierto() { impl_->Esperar(); }

void TProcesoAbierto::Escribir(std::string_view texto) {
    while (!texto.empty()) {
#ifdef _WIN32
        DWORD n = 0;
        if (!WriteFile(impl_->entrada, texto.data(), static_cast<DWORD>(texto.size()), &n, nullptr)) Fallar("WriteFile");
#else
        const ssize_t n = write(impl_->entrada, texto.data(), texto.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fallar("write");
#endif
        texto.remove_prefix(static_cast<std::size_t>(n));
    }
}

std::optional<std::string> TProcesoAbierto::Linea(std::chrono::milliseconds espera) {
    std::unique_lock l(impl_->m);
    impl_->cv.wait_for(l, espera, [&] { return impl_->finSalida || impl_->salida.find('\n') != std::string::npos; });
    const std::size_t fin = impl_->salida.find('\n');
    if (fin == std::string::npos) return std::nullopt;
    std::string linea = impl_->salida.substr(0, fin);
    impl_->salida.erase(0, fin + 1);
    return linea;
}

TProceso TProcesoAbierto::Terminar() {
    const int estado = impl_->Esperar();
    std::lock_guard l(impl_->m);
    return {estado, impl_->salida, impl_->error};
}
