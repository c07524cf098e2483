#include "plataforma.h"

#include <cerrno>
#include <cstring>
#include <iterator>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>
#include <cstdio>
#include <cstdlib>
#else
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

#ifdef _WIN32

void PrepararConsola() {
    for (std::FILE* f : {stdin, stdout, stderr}) _setmode(_fileno(f), _O_BINARY);
    // The C runtime writes to a console without a buffer one byte at a time,
    // and the console cannot put a character together from separate bytes.
    // Standard error still goes out message by message: std::cerr flushes
    // after each one.
    for (std::FILE* f : {stdout, stderr})
        if (_isatty(_fileno(f))) std::setvbuf(f, nullptr, _IOFBF, 1 << 16);
    // The console keeps its code page after the program ends: give the old
    // one back, once what is still in the buffers has gone out in UTF-8.
    static const UINT anterior = GetConsoleOutputCP();
    SetConsoleOutputCP(CP_UTF8);
    std::atexit([] {
        std::fflush(nullptr);
        SetConsoleOutputCP(anterior);
    });
}

std::vector<std::string> ArgumentosUtf8(int, char**) {
    int n = 0;
    wchar_t** w = CommandLineToArgvW(GetCommandLineW(), &n);
    std::vector<std::string> r;
    for (int i = 1; i < n; ++i) {
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, w[i], -1, nullptr, 0, nullptr, nullptr);
        std::string a(static_cast<std::size_t>(bytes), '\0');
        WideCharToMultiByte(CP_UTF8, 0, w[i], -1, a.data(), bytes, nullptr, nullptr);
        a.pop_back();  // the terminating zero
        r.push_back(std::move(a));
    }
    LocalFree(w);
    return r;
}

bool ErrorEnTerminal() { return _isatty(_fileno(stderr)) != 0; }

int AbrirLectura(std::string_view rutaUtf8) { return _wopen(RutaUtf8(rutaUtf8).c_str(), _O_RDONLY | _O_BINARY); }

void CerrarDescriptor(int descriptor) { _close(descriptor); }

namespace {

long long LeerDescriptor(int descriptor, char* datos, std::size_t largo) {
    return _read(descriptor, datos, static_cast<unsigned>(largo));
}

long long EscribirDescriptor(int descriptor, const char* datos, std::size_t largo) {
    return _write(descriptor, datos, static_cast<unsigned>(largo));
}

// A file has its bytes ready; a pipe when it holds some or its writer has
// gone (the read then ends it); a console never, as far as can be told.  A
// pipe that cannot be asked counts as empty: the block read so far then runs
// at once instead of waiting in a read.
bool DatosListos(int descriptor) {
    const HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
    switch (GetFileType(h)) {
        case FILE_TYPE_DISK:
            return true;
        case FILE_TYPE_PIPE: {
            DWORD disponibles = 0;
            if (PeekNamedPipe(h, nullptr, 0, nullptr, &disponibles, nullptr)) return disponibles > 0;
            return GetLastError() == ERROR_BROKEN_PIPE;
        }
        default:
            return false;
    }
}

}  // namespace

#else

void PrepararConsola() {}

std::vector<std::string> ArgumentosUtf8(int argc, char** argv) { return {argv + 1, argv + argc}; }

bool ErrorEnTerminal() { return isatty(STDERR_FILENO) != 0; }

int AbrirLectura(std::string_view rutaUtf8) {
    return open(std::string(rutaUtf8).c_str(), O_RDONLY | O_CLOEXEC);
}

void CerrarDescriptor(int descriptor) { close(descriptor); }

namespace {

long long LeerDescriptor(int descriptor, char* datos, std::size_t largo) {
    ssize_t n;
    while ((n = read(descriptor, datos, largo)) < 0 && errno == EINTR) {
    }
    return n;
}

long long EscribirDescriptor(int descriptor, const char* datos, std::size_t largo) {
    ssize_t n;
    while ((n = write(descriptor, datos, largo)) < 0 && errno == EINTR) {
    }
    return n;
}

bool DatosListos(int descriptor) {
    pollfd p{descriptor, POLLIN, 0};
    return poll(&p, 1, 0) > 0;
}

}  // namespace

#endif

std::filesystem::path RutaUtf8(std::string_view texto) {
    return std::filesystem::path(std::u8string(texto.begin(), texto.end()));
}

std::string TextoErrorSistema(int numero) {
    struct TMotivo { int numero; const char* texto; };
    static const TMotivo kMotivos[] = {
        {ENOSPC, "no queda espacio en el dispositivo"},
        {EPIPE, "el programa que leía la salida la cerró"},
        {EIO, "error de entrada/salida del dispositivo"},
        {EISDIR, "es una carpeta"},
        {EACCES, "permiso denegado"},
        {EBADF, "no está abierto"},
        {EFBIG, "el archivo es demasiado grande"},
        {ENOENT, "no existe"},
        {ENOTDIR, "una parte de la ruta no es una carpeta"},
        {EROFS, "el sistema de archivos es de solo lectura"},
        {EINVAL, "no se puede leer ni escribir de esa forma"},
        {ENAMETOOLONG, "nombre demasiado largo"},
        {ELOOP, "demasiados enlaces simbólicos seguidos (un ciclo)"},
        {EPERM, "operación no permitida"},
    };
    for (const TMotivo& m : kMotivos)
        if (m.numero == numero) return m.texto;
    return "error del sistema número " + std::to_string(numero);
}

TEntradaDescriptor::int_type TEntradaDescriptor::underflow() {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    const long long n = LeerDescriptor(descriptor_, bufer_, sizeof bufer_);
    if (n < 0) throw ErrorLectura(TextoErrorSistema(errno));
    if (n == 0) return traits_type::eof();
    setg(bufer_, bufer_, bufer_ + n);
    return traits_type::to_int_type(*gptr());
}

std::streamsize TEntradaDescriptor::showmanyc() { return DatosListos(descriptor_) ? 1 : 0; }

bool TSalidaDescriptor::Vaciar() {
    const char* datos = pbase();
    std::size_t quedan = static_cast<std::size_t>(pptr() - pbase());
    while (quedan > 0 && error_ == 0) {
        const long long n = EscribirDescriptor(descriptor_, datos, quedan);
        if (n <= 0) {
            error_ = n < 0 ? errno : EIO;
            break;
        }
        datos += n;
        quedan -= static_cast<std::size_t>(n);
    }
    setp(bufer_, bufer_ + sizeof bufer_);
    return error_ == 0;
}

TSalidaDescriptor::int_type TSalidaDescriptor::overflow(int_type c) {
    if (!Vaciar()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int TSalidaDescriptor::sync() { return Vaciar() ? 0 : -1; }
