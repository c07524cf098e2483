#include "proceso.h"

#include <algorithm>
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
