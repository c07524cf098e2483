#include "general/untMostrable.h"

namespace {

// Length of the UTF-8 sequence starting at texto[i] and its code point;
// 0 when the bytes there are not one well-formed sequence.
std::size_t Secuencia(std::string_view texto, std::size_t i, char32_t& punto) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(texto[i + k]); };
    const unsigned char c = b(0);
    std::size_t n;
    char32_t minimo;
    if (c < 0x80) {
        punto = c;
        return 1;
    } else if (c >= 0xC2 && c <= 0xDF) {
        n = 2, punto = c & 0x1F, minimo = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3, punto = c & 0x0F, minimo = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4, punto = c & 0x07, minimo = 0x10000;
    } else {
        return 0;
    }
    if (i + n > texto.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(k) & 0xC0) != 0x80) return 0;
        punto = (punto << 6) | (b(k) & 0x3F);
    }
    if (punto < minimo || punto > 0x10FFFF || (punto >= 0xD800 && punto <= 0xDFFF)) return 0;
    return n;
}

bool Oculto(char32_t p) {
    return (p >= 0x80 && p <= 0x9F) || p == 0x2028 || p == 0x2029 || (p >= 0x202A && p <= 0x202E) ||
           (p >= 0x2066 && p <= 0x2069);
}

void Hex(std::string& r, const char* prefijo, unsigned valor, int cifras) {
    static constexpr char kCifras[] = "0123456789abcdef";
    r += prefijo;
    for (int k = cifras - 1; k >= 0; --k) r += kCifras[(valor >> (4 * k)) & 0xF];
}

}  // namespace

std::string Mostrable(std::string_view texto, std::size_t largo) {
    std::string r;
    std::size_t caracteres = 0;
    for (std::size_t i = 0; i < texto.size();) {
        if (caracteres >= largo) return r + "…";
        char32_t punto = 0;
        const std::size_t n = Secuencia(texto, i, punto);
        if (n == 0 || (n == 1 && (punto < 0x20 || punto == 0x7F))) {
            Hex(r, "\\x", static_cast<unsigned char>(texto[i]), 2);
            i += 1;
        } else if (Oculto(punto)) {
            Hex(r, "\\u", static_cast<unsigned>(punto), 4);
            i += n;
        } else {
            r.append(texto.substr(i, n));
            i += n;
        }
        ++caracteres;
    }
    return r;
}
