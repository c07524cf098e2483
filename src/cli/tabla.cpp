#include "tabla.h"

#include <filesystem>
#include <iostream>

#include "plataforma.h"

namespace {

// "turmado-calc: <file>: <what failed>: <why>".
void Avisar(const std::string& ruta, const ErrorEscritura& e) {
    std::cerr << "turmado-calc: " << Mostrable(ruta, std::string::npos) << ": " << e.what();
    if (e.Sistema() != 0) std::cerr << ": " << TextoErrorSistema(e.Sistema());
    std::cerr << '\n';
}

}  // namespace

std::string TextoOrden(const std::vector<std::string>& argumentos) {
    std::string orden = "turmado-calc";
    for (const std::string& a : argumentos) {
        const bool simple = !a.empty() && a.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                                              "0123456789_-+=.,:/@%") == std::string::npos;
        orden += ' ';
        if (simple) {
            orden += a;
            continue;
        }
        orden += '\'';
        for (char c : a) orden += c == '\'' ? std::string("'\\''") : std::string(1, c);
        orden += '\'';
    }
    return orden;
}

std::unique_ptr<TSalidaTabla> AbrirTabla(const std::string& ruta) {
    try {
        return std::make_unique<TSalidaTabla>(RutaUtf8(ruta));
    } catch (const ErrorEscritura& e) {
        Avisar(ruta, e);
        return nullptr;
    }
}

bool TerminarTabla(TSalidaTabla& tabla, const std::string& ruta, const std::string& orden) {
    std::error_code ec;
    const std::u8string carpeta = std::filesystem::current_path(ec).u8string();
    try {
        tabla.Terminar(Procedencia("turmado-calc", {{"Orden", orden},
                                                    {"Carpeta de trabajo", std::string(carpeta.begin(), carpeta.end())}}));
        return true;
    } catch (const ErrorEscritura& e) {
        Avisar(ruta, e);
        return false;
    }
}
