#include "results/untLote.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>

#include "general/untGeneral.h"
#include "general/untNumero.h"
#include "problem/untProblema.h"
#include "results/untAvisosLote.h"
#include "results/untResolver.h"

namespace {

// Longest line kept; a case line is a few hundred bytes.
constexpr std::size_t kLargoMaximo = 1 << 16;

enum class TColumna { Campo, Codigo, Chorro, Rugosidad };

struct TEncabezado {
    char separador = ',';
    std::vector<std::string> nombres;
    std::vector<TColumna> tipos;
};

struct TLinea {
    std::string texto;
    bool larga = false;
};

// Every line of the input without its end ("\n" or "\r\n").
std::vector<TLinea> LeerLineas(std::istream& entrada) {
    std::vector<TLinea> lineas;
    TLinea actual;
    bool abierta = false;
    for (std::istreambuf_iterator<char> it(entrada), fin; it != fin; ++it) {
        const char c = *it;
        if (c == '\n') {
            if (!actual.texto.empty() && actual.texto.back() == '\r') actual.texto.pop_back();
            lineas.push_back(std::move(actual));
            actual = {};
            abierta = false;
            continue;
        }
        abierta = true;
        if (actual.texto.size() < kLargoMaximo)
            actual.texto += c;
        else
            actual.larga = true;
    }
    if (abierta) {
        if (!actual.texto.empty() && actual.texto.back() == '\r') actual.texto.pop_back();
        lineas.push_back(std::move(actual));
    }
    return lineas;
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

std::string Citar(const std::string& celda, char separador) {
    if (celda.find_first_of(std::string{separador, '"', '\n', '\r'}) == std::string::npos) return celda;
    std::string r = "\"";
    for (char c : celda) {
        if (c == '"') r += '"';
        r += c;
    }
    return r + '"';
}

void EscribirLinea(std::ostream& salida, const std::vector<std::string>& celdas, char separador) {
    for (std::size_t i = 0; i < celdas.size(); ++i) {
        if (i) salida << separador;
        salida << Citar(celdas[i], separador);
    }
    salida << '\n';
}

std::string SinBlancos(std::string_view s) {
    const std::size_t a = s.find_first_not_of(" \t");
    if (a == std::string_view::npos) return "";
    return std::string(s.substr(a, s.find_last_not_of(" \t") - a + 1));
}

// The header's columns, or the reason it cannot be used.
std::optional<TEncabezado> LeerEncabezado(std::string linea, std::string& error) {
    if (linea.starts_with("\xEF\xBB\xBF")) linea.erase(0, 3);  // byte-order mark of some spreadsheets
    TEncabezado e;
    const bool comas = linea.find(',') != std::string::npos;
    if (!comas && linea.find(';') != std::string::npos) e.separador = ';';
    const auto celdas = Dividir(linea, e.separador, error);
    if (!celdas) return std::nullopt;
    for (const std::string& celda : *celdas) {
        const std::string nombre = SinBlancos(celda);
        TColumna tipo = TColumna::Campo;
        if (nombre == "codigo") {
            tipo = TColumna::Codigo;
        } else if (nombre == "chorro") {
            tipo = TColumna::Chorro;
        } else if (nombre == "rugosidad") {
            tipo = TColumna::Rugosidad;
        } else if (!BuscarCampo(nombre)) {
            error = nombre.empty() ? "columna sin nombre en el encabezado" : "columna desconocida: " + nombre;
            return std::nullopt;
        }
        if (std::find(e.nombres.begin(), e.nombres.end(), nombre) != e.nombres.end()) {
            error = "columna repetida: " + nombre;
            return std::nullopt;
        }
        e.nombres.push_back(nombre);
        e.tipos.push_back(tipo);
    }
    return e;
}

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
        }
    }
    if (const auto rechazo = TextoRechazado(p.textos)) {
        error = *rechazo;
        return std::nullopt;
    }
    return p;
}

// A case that ran: its input cells, title and the value of each caption.
struct TSalidaCaso {
    std::vector<std::string> celdas;
    std::string titulo;
    std::vector<std::pair<std::size_t, std::string>> valores;  // (column of the caption, value)
    std::vector<std::string> avisos;                           // cells of ColumnasAvisosLote
};

}  // namespace

TResumenLote EjecutarLote(std::istream& entrada, std::ostream& salida, const TAvanceLote& avance) {
    TResumenLote resumen;
    std::vector<TLinea> lineas = LeerLineas(entrada);
    std::string error;
    if (lineas.empty() || SinBlancos(lineas[0].texto).empty()) {
        resumen.fallos.push_back({1, "falta el encabezado"});
        return resumen;
    }
    const auto encabezado = lineas[0].larga ? std::nullopt : LeerEncabezado(lineas[0].texto, error);
    if (!encabezado) {
        resumen.fallos.push_back({1, lineas[0].larga ? "línea demasiado larga" : error});
        return resumen;
    }
    const char sep = encabezado->separador;

    const std::size_t total = static_cast<std::size_t>(
        std::count_if(lineas.begin() + 1, lineas.end(), [](const TLinea& l) { return !SinBlancos(l.texto).empty(); }));
    std::vector<std::string> titulos;  // captions of the result columns, in the order first met
    std::map<std::string, std::size_t, std::less<>> columna;
    std::vector<TSalidaCaso> casos;

    for (std::size_t n = 1; n < lineas.size(); ++n) {
        const TLinea& linea = lineas[n];
        if (SinBlancos(linea.texto).empty()) continue;
        ++resumen.casos;
        auto fallar = [&](const std::string& mensaje) { resumen.fallos.push_back({n + 1, mensaje}); };
        const auto celdas = linea.larga ? std::nullopt : Dividir(linea.texto, sep, error);
        if (!celdas) {
            fallar(linea.larga ? "línea demasiado larga" : error);
        } else if (celdas->size() != encabezado->nombres.size()) {
            fallar("la línea tiene " + std::to_string(celdas->size()) + " valores y el encabezado " +
                   std::to_string(encabezado->nombres.size()));
        } else if (const auto p = Caso(*encabezado, *celdas, error); !p) {
            fallar(error);
        } else {
            try {
                TResultado r;
                ResolverProblema(*p, r);
                TSalidaCaso s{*celdas, r.titulo.value_or(""), {}, CeldasAvisosLote(*p, r)};
                std::map<std::string, int, std::less<>> vistas;  // a caption repeated in one case gets " (2)" ...
                for (const TFila& f : r.filas) {
                    const int vez = ++vistas[f.etiqueta];
                    const std::string titulo = vez == 1 ? f.etiqueta : f.etiqueta + " (" + std::to_string(vez) + ")";
                    const auto [it, nueva] = columna.try_emplace(titulo, titulos.size());
                    if (nueva) titulos.push_back(titulo);
                    s.valores.emplace_back(it->second, f.valor);
                }
                casos.push_back(std::move(s));
            } catch (const std::runtime_error& e) {  // ErrorChorro, ErrorFlotante, ErrorTexto, ErrorRechazo
                fallar(e.what());
            }
        }
        if (avance) avance(resumen.casos, total);
    }

    std::vector<std::string> cabecera = encabezado->nombres;
    cabecera.push_back("titulo");
    cabecera.insert(cabecera.end(), titulos.begin(), titulos.end());
    const std::vector<std::string> columnasAvisos = ColumnasAvisosLote();
    cabecera.insert(cabecera.end(), columnasAvisos.begin(), columnasAvisos.end());
    EscribirLinea(salida, cabecera, sep);
    for (const TSalidaCaso& s : casos) {
        std::vector<std::string> celdas = s.celdas;
        celdas.push_back(s.titulo);
        celdas.resize(celdas.size() + titulos.size());
        for (const auto& [col, valor] : s.valores) celdas[s.celdas.size() + 1 + col] = valor;
        celdas.insert(celdas.end(), s.avisos.begin(), s.avisos.end());
        EscribirLinea(salida, celdas, sep);
    }
    return resumen;
}
