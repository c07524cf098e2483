#include "general/untCsv.h"

// The quotes are looked for once and the text between them copied whole: a
// long data warning is copied, not built character by character.
void AgregarCelda(std::string& linea, std::string_view celda, char separador) {
    const char especiales[] = {separador, '"', '\n', '\r'};
    if (celda.find_first_of(std::string_view(especiales, sizeof especiales)) == std::string_view::npos) {
        linea += celda;
        return;
    }
    linea += '"';
    for (std::size_t i = 0;;) {
        const std::size_t comilla = celda.find('"', i);
        linea += celda.substr(i, comilla == std::string_view::npos ? comilla : comilla + 1 - i);
        if (comilla == std::string_view::npos) break;
        linea += '"';
        i = comilla + 1;
    }
    linea += '"';
}

std::string CeldaCsv(std::string_view celda, char separador) {
    std::string r;
    AgregarCelda(r, celda, separador);
    return r;
}
