#include "results/untLecturaCasos.h"

#include <algorithm>

#include "general/untMostrable.h"
#include "general/untNumero.h"
#include "problem/untCampos.h"

namespace {

// Longest line kept; a case line is a few hundred bytes.
constexpr std::size_t kLargoMaximo = 1 << 16;

// An option cell: empty (-1), or a whole number among `validos`.  False
// for any other text.
bool Opcion(const std::string& texto, std::initializer_list<int> validos, int& valor) {
    valor = -1;
    if (texto.empty()) return true;
    const auto v = LeerNumero(texto);
    for (int x : validos)
        if (v && *v == x) valor = x;
    return valor != -1;
}

}  // namespace

// The header's columns, or the reason it cannot be used.
bool NombrarColumnas(const std::vector<std::string>& celdas, TEncabezado& e, std::string& error) {
    for (const std::string& celda : celdas) {
        const std::string nombre = SinBlancos(celda);
        TColumna tipo = TColumna::Campo;
        const TCampo* campo = nullptr;
        if (nombre == "codigo") {
            tipo = TColumna::Codigo;
        } else if (nombre == "chorro") {
            tipo = TColumna::Chorro;
        } else if (nombre == "rugosidad") {
            tipo = TColumna::Rugosidad;
        } else if (std::find(ColumnasSinLeer().begin(), ColumnasSinLeer().end(), nombre) != ColumnasSinLeer().end()) {
            tipo = TColumna::SinLeer;
        } else if (!(campo = BuscarCampo(nombre))) {
            error = nombre.empty() ? "columna sin nombre en el encabezado" : "columna desconocida: " + Mostrable(nombre);
            return false;
        }
        if (std::find(e.nombres.begin(), e.nombres.end(), nombre) != e.nombres.end()) {
            error = "columna repetida: " + Mostrable(nombre);
            return false;
        }
        e.nombres.push_back(nombre);
        e.tipos.push_back(tipo);
        e.campos.push_back(campo);
    }
    return true;
}

std::optional<TEncabezado> LeerEncabezado(std::string linea, std::string& error) {
    if (linea.starts_with("\xEF\xBB\xBF")) linea.erase(0, 3);  // byte-order mark of some spreadsheets
    TEncabezado e;
    const bool comas = linea.find(',') != std::string::npos;
    if (!comas && linea.find(';') != std::string::npos) e.separador = ';';
    const auto celdas = Dividir(linea, e.separador, error);
    if (!celdas || !NombrarColumnas(*celdas, e, error)) return std::nullopt;
    return e;
}

// The next line of the input without its end ("\n" or "\r\n"); false at
// the end of the input.  A line longer than kLargoMaximo keeps its start.
bool LeerLinea(std::istream& entrada, TLinea& linea) {
    linea = {};
    std::streambuf* b = entrada.rdbuf();
    bool alguna = false;
    for (int c; (c = b->sbumpc()) != std::char_traits<char>::eof();) {
        alguna = true;
        if (c == '\n') break;
        if (linea.texto.size() < kLargoMaximo)
            linea.texto += static_cast<char>(c);
        else
            linea.larga = true;
    }
    if (!linea.texto.empty() && linea.texto.back() == '\r') linea.texto.pop_back();
    return alguna;
}

// The cells of a line; a quoted cell holds "" for a quote.  Nothing, with
// the reason in `error`, when a quote is not closed where it should be.
std::optional<std::vector<std::string>> Dividir(std::string_view linea, char separador, std::string& error) {
    std::vector<std::string> celdas;
    std::size_t i = 0;
    while (true) {
        std::string celda;
        if (i < linea.size() && linea[i] == '"') {
            ++i;
            while (true) {
                if (i >= linea.size()) {
                    error = "comillas sin cerrar";
                    return std::nullopt;
                }
                if (linea[i] == '"') {
                    if (i + 1 < linea.size() && linea[i + 1] == '"') {
                        celda += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                celda += linea[i++];
            }
            if (i < linea.size() && linea[i] != separador) {
                error = "texto después de las comillas de cierre";
                return std::nullopt;
            }
        } else {
            const std::size_t fin = std::min(linea.find(separador, i), linea.size());
            celda.assign(linea.substr(i, fin - i));
            i = fin;
        }
        celdas.push_back(std::move(celda));
        if (i >= linea.size()) return celdas;
        ++i;  // the separator
    }
}

std::string SinBlancos(std::string_view s) {
    const std::size_t a = s.find_first_not_of(" \t");
    if (a == std::string_view::npos) return "";
    return std::string(s.substr(a, s.find_last_not_of(" \t") - a + 1));
}

// The problem of a case line, or the reason it is not one.
std::optional<TProblema> Caso(const TEncabezado& e, const std::vector<std::string>& celdas, std::string& error) {
    TProblema p;
    int v = -1;
    for (std::size_t i = 0; i < celdas.size(); ++i) {
        const std::string& texto = celdas[i];
        switch (e.tipos[i]) {
            case TColumna::Campo:
                p.textos[e.nombres[i]] = texto;
                break;
            case TColumna::Codigo:
                if (!Opcion(texto, {0, 1, 2, 3, 11, 12, 21, 22, 31}, v)) {
                    error = "codigo: debe ser 0, 1, 2, 3, 11, 12, 21, 22 o 31";
                    return std::nullopt;
                }
                p.codigo = std::max(v, 0);
                break;
            case TColumna::Chorro:
                if (!Opcion(texto, {0, 1}, v)) {
                    error = "chorro: debe ser 0, 1 o nada";
                    return std::nullopt;
                }
                if (v >= 0) p.chorro = v;
                break;
            case TColumna::Rugosidad:
                if (!Opcion(texto, {0, 1}, v)) {
                    error = "rugosidad: debe ser 0, 1 o nada";
                    return std::nullopt;
                }
                p.rugosidad = v == 1;
                break;
            case TColumna::SinLeer:
                break;
        }
    }
    return p;  // its texts are checked by the case runner
}

// Reads the header after the "#" lines and blank lines that may stand before it; `numero`
// ends as the header's line number.  Nothing, with the failure, when there is
// no usable header.
std::optional<TEncabezado> LeerPrincipio(std::istream& entrada, std::size_t& numero, std::optional<TFalloLote>& fallo) {
    TLinea linea;
    std::string error;
    numero = 0;
    bool hay;
    do {
        hay = LeerLinea(entrada, linea);
        numero += hay;
    } while (hay && !linea.larga && (linea.texto.starts_with('#') || SinBlancos(linea.texto).empty()));
    if (!hay) {
        fallo = TFalloLote{std::max<std::size_t>(numero, 1), "falta el encabezado"};
        return std::nullopt;
    }
    auto encabezado = linea.larga ? std::nullopt : LeerEncabezado(linea.texto, error);
    if (!encabezado) fallo = TFalloLote{numero, linea.larga ? "línea demasiado larga" : error};
    return encabezado;
}

// The cells of a case line, or why it is not one.
std::optional<std::vector<std::string>> CeldasCaso(const TLinea& linea, const TEncabezado& e, std::string& error) {
    auto celdas = linea.larga ? std::nullopt : Dividir(linea.texto, e.separador, error);
    if (!celdas) {
        if (linea.larga) error = "línea demasiado larga";
        return std::nullopt;
    }
    if (celdas->size() != e.nombres.size()) {
        error = "la línea tiene " + std::to_string(celdas->size()) + " valores y el encabezado " +
                std::to_string(e.nombres.size());
        return std::nullopt;
    }
    return celdas;
}

std::span<const std::string_view> ColumnasSinLeer() {
    static constexpr std::string_view kColumnas[]{"ys_medida", "sitio", "fecha", "origen_d84"};
    return kColumnas;
}

TArchivoCasos LeerCasos(std::istream& entrada) {
    TArchivoCasos archivo;
    std::size_t numero = 0;
    const auto encabezado = LeerPrincipio(entrada, numero, archivo.fallo);
    if (!encabezado) return archivo;
    archivo.columnas = encabezado->nombres;
    TLinea linea;
    while (LeerLinea(entrada, linea)) {
        ++numero;
        if (SinBlancos(linea.texto).empty()) continue;
        TCasoLeido caso{numero, {}, {}, {}};
        std::string error;
        if (auto celdas = CeldasCaso(linea, *encabezado, error)) {
            caso.problema = Caso(*encabezado, *celdas, error);
            caso.celdas = std::move(*celdas);
        }
        if (!caso.problema) caso.error = std::move(error);
        archivo.casos.push_back(std::move(caso));
    }
    return archivo;
}

