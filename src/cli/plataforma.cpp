#include "plataforma.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>
#include <cstdio>
#include <cstdlib>
#else
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

#else

void PrepararConsola() {}

std::vector<std::string> ArgumentosUtf8(int argc, char** argv) { return {argv + 1, argv + argc}; }

bool ErrorEnTerminal() { return isatty(STDERR_FILENO) != 0; }

#endif

std::filesystem::path RutaUtf8(std::string_view texto) {
    return std::filesystem::path(std::u8string(texto.begin(), texto.end()));
}
