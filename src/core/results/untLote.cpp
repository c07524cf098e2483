#include "results/untLote.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string_view>

#include "general/untGeneral.h"
#include "general/untNumero.h"
#include "problem/untProblema.h"
#include "results/untAvisosLote.h"
#include "results/untCasos.h"
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
    return p;  // its texts are checked by the case runner
}

// A number with the shortest digits that read back to the same double.
std::string NumeroCompleto(double x) {
    char texto[32];
    const auto fin = std::to_chars(texto, texto + sizeof texto, x).ptr;
    return std::string(texto, fin);
}

// The output lines of the cases, held until the header can be written (it
// names every caption met).  Each line is kept with the number of result
// columns known when it was made, and its tail (the warnings' cells) apart:
// the result columns met later go before the tail, so on writing the line
// gets their empty cells, then its tail.  Past kEnMemoria bytes the lines go
// to a temporary file.
class TLineasPendientes {
public:
    void Agregar(std::size_t columnas, const std::string& linea, const std::string& cola) {
        Poner(static_cast<std::uint64_t>(columnas));
        Poner(static_cast<std::uint64_t>(linea.size()));
        Poner(static_cast<std::uint64_t>(cola.size()));
        memoria_ += linea;
        memoria_ += cola;
        if (memoria_.size() >= kEnMemoria) Volcar();
    }

    // Writes every line with its missing empty cells up to `columnas` result
    // columns, then its tail.
    void Escribir(std::ostream& salida, std::size_t columnas, char separador) {
        if (archivo_) {
            Volcar();
            std::fflush(archivo_.get());
            std::rewind(archivo_.get());
            std::string bloque;
            std::vector<char> leido(kEnMemoria);
            std::size_t n;
            while ((n = std::fread(leido.data(), 1, leido.size(), archivo_.get())) > 0) {
                bloque.append(leido.data(), n);
                std::size_t usados = EscribirCompletas(salida, bloque, columnas, separador);
                bloque.erase(0, usados);
            }
            if (std::ferror(archivo_.get()) || !bloque.empty()) fallo_ = true;
        }
        EscribirCompletas(salida, memoria_, columnas, separador);
        memoria_.clear();
    }

    bool Fallo() const { return fallo_; }

private:
    static constexpr std::size_t kEnMemoria = 1 << 20;

    void Poner(std::uint64_t v) { memoria_.append(reinterpret_cast<const char*>(&v), sizeof v); }

    // Without a temporary file the lines stay in memory.
    void Volcar() {
        if (!archivo_ && !sinArchivo_) {
            archivo_.reset(std::tmpfile());
            sinArchivo_ = !archivo_;
        }
        if (!archivo_) return;
        if (std::fwrite(memoria_.data(), 1, memoria_.size(), archivo_.get()) != memoria_.size()) fallo_ = true;
        memoria_.clear();
    }

    // Writes the whole records at the start of `datos`; returns the bytes used.
    static std::size_t EscribirCompletas(std::ostream& salida, const std::string& datos, std::size_t columnas,
                                         char separador) {
        constexpr std::size_t kCabeza = 3 * sizeof(std::uint64_t);
        std::size_t i = 0;
        while (datos.size() - i >= kCabeza) {
            std::uint64_t propias, largo, cola;
            std::memcpy(&propias, datos.data() + i, sizeof propias);
            std::memcpy(&largo, datos.data() + i + sizeof propias, sizeof largo);
            std::memcpy(&cola, datos.data() + i + 2 * sizeof propias, sizeof cola);
            if (datos.size() - i - kCabeza < largo + cola) break;
            const char* linea = datos.data() + i + kCabeza;
            salida.write(linea, static_cast<std::streamsize>(largo));
            for (std::size_t c = propias; c < columnas; ++c) salida << separador;
            salida.write(linea + largo, static_cast<std::streamsize>(cola));
            salida << '\n';
            i += kCabeza + largo + cola;
        }
        return i;
    }

    struct TCerrar {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::string memoria_;
    std::unique_ptr<std::FILE, TCerrar> archivo_;
    bool sinArchivo_ = false;  // the temporary file could not be made
    bool fallo_ = false;       // writing it or reading it back failed
};

// A line of the input that holds a case: its number and text, then either
// its problem or why it is not one, then what its output line is made of.
struct TLineaCaso {
    std::size_t numero;
    TLinea linea;
    std::optional<std::string> error;
    std::optional<TProblema> problema;
    std::string inicio;  // the quoted input cells and title, separated
    std::string cola;    // the quoted cells of ColumnasAvisosLote, each after a separator
    std::vector<std::pair<std::string, std::string>> columnas;  // (caption, quoted value)
};

// Case lines run together: bounded, so that memory does not grow with the
// batch.
constexpr std::size_t kCasosPorBloque = 4096;

}  // namespace

std::vector<std::pair<std::string, std::string>> ColumnasCaso(const TResultado& r, bool numerosCompletos) {
    std::vector<std::pair<std::string, std::string>> columnas;
    std::map<std::string, int, std::less<>> vistas;  // a caption repeated in one case gets " (2)" ...
    for (const TFila& f : r.filas) {
        const int vez = ++vistas[f.etiqueta];
        std::string titulo = vez == 1 ? f.etiqueta : f.etiqueta + " (" + std::to_string(vez) + ")";
        columnas.emplace_back(std::move(titulo), numerosCompletos && f.numero ? NumeroCompleto(*f.numero) : f.valor);
    }
    return columnas;
}

TResumenLote EjecutarLote(std::istream& entrada, std::ostream& salida, const TOpcionesLote& opciones) {
    TResumenLote resumen;
    auto fallar = [&](std::size_t linea, std::string mensaje) {
        ++resumen.fallidos;
        TFalloLote f{linea, std::move(mensaje)};
        if (opciones.fallo)
            opciones.fallo(f);
        else
            resumen.fallos.push_back(std::move(f));
    };
    TLinea linea;
    std::string error;
    if (!LeerLinea(entrada, linea) || SinBlancos(linea.texto).empty()) {
        fallar(1, "falta el encabezado");
        return resumen;
    }
    const auto encabezado = linea.larga ? std::nullopt : LeerEncabezado(linea.texto, error);
    if (!encabezado) {
        fallar(1, linea.larga ? "línea demasiado larga" : error);
        return resumen;
    }
    const char sep = encabezado->separador;
    const std::size_t entradas = encabezado->nombres.size();

    std::vector<std::string> titulos;  // captions of the result columns, in the order first met
    std::map<std::string, std::size_t, std::less<>> columna;
    TLineasPendientes pendientes;
    TOpcionesCasos opcionesCasos;
    opcionesCasos.curvas = opciones.curvas;
    opcionesCasos.hilos = opciones.hilos;

    TTrabajadores trabajadores(opciones.hilos);
    std::size_t numero = 1;
    bool quedan = true;
    std::vector<TLineaCaso> bloque;
    std::vector<const std::string*> celdas;
    while (quedan) {
        bloque.clear();
        // Read on this thread; split, read into problems, run and format on
        // every thread; the columns and the output in input order here.
        while (bloque.size() < kCasosPorBloque && (quedan = LeerLinea(entrada, linea))) {
            ++numero;
            if (SinBlancos(linea.texto).empty()) continue;
            ++resumen.casos;
            bloque.push_back(TLineaCaso{numero, std::move(linea), {}, {}, {}, {}, {}});
        }
        // Each case on one thread: split and read into a problem, run,
        // formatted, its memory freed.
        ResolverCasos(
            bloque.size(), opcionesCasos, trabajadores,
            [&](std::size_t i, std::string& error) -> const TProblema* {
                TLineaCaso& caso = bloque[i];
                auto celdas = caso.linea.larga ? std::nullopt : Dividir(caso.linea.texto, sep, error);
                if (!celdas) {
                    if (caso.linea.larga) error = "línea demasiado larga";
                    return nullptr;
                }
                if (celdas->size() != entradas) {
                    error = "la línea tiene " + std::to_string(celdas->size()) + " valores y el encabezado " +
                            std::to_string(entradas);
                    return nullptr;
                }
                caso.problema = Caso(*encabezado, *celdas, error);
                if (!caso.problema) return nullptr;
                for (const std::string& c : *celdas) caso.inicio += Citar(c, sep) + sep;
                return &*caso.problema;
            },
            [&](std::size_t i, TCasoResuelto& r) {
                TLineaCaso& caso = bloque[i];
                std::vector<std::pair<std::string, std::string>> extra;
                if (!r.error && opciones.columnasExtra) r.error = opciones.columnasExtra(*caso.problema, extra);
                if (!r.error)
                    for (const std::string& c : CeldasAvisosLote(*caso.problema, r.r)) (caso.cola += sep) += Citar(c, sep);
                caso.problema.reset();
                caso.linea = {};
                if (r.error) {
                    caso.error = std::move(r.error);
                    return;
                }
                caso.inicio += Citar(r.r.titulo.value_or(""), sep);
                for (auto& [titulo, valor] : ColumnasCaso(r.r, opciones.numerosCompletos))
                    caso.columnas.emplace_back(std::move(titulo), Citar(valor, sep));
                for (auto& [titulo, valor] : extra) caso.columnas.emplace_back(std::move(titulo), Citar(valor, sep));
            });
        std::string texto;
        for (TLineaCaso& caso : bloque) {
            if (caso.error) {
                fallar(caso.numero, std::move(*caso.error));
                continue;
            }
            celdas.assign(titulos.size(), nullptr);
            for (const auto& [titulo, valor] : caso.columnas) {
                const auto [it, nueva] = columna.try_emplace(titulo, titulos.size());
                if (nueva) {
                    titulos.push_back(titulo);
                    celdas.push_back(nullptr);
                }
                celdas[it->second] = &valor;
            }
            // The line ends at its last result cell; the cells after it are
            // empty, and the empty ones of columns met later are added on writing.
            while (!celdas.empty() && !celdas.back()) celdas.pop_back();
            texto = caso.inicio;
            for (const std::string* c : celdas) {
                texto += sep;
                if (c) texto += *c;
            }
            pendientes.Agregar(celdas.size(), texto, caso.cola);
        }
        if (opciones.avance && !bloque.empty()) opciones.avance(resumen.casos);
    }

    std::vector<std::string> cabecera = encabezado->nombres;
    cabecera.push_back("titulo");
    cabecera.insert(cabecera.end(), titulos.begin(), titulos.end());
    const std::vector<std::string> columnasAvisos = ColumnasAvisosLote();
    cabecera.insert(cabecera.end(), columnasAvisos.begin(), columnasAvisos.end());
    EscribirLinea(salida, cabecera, sep);
    pendientes.Escribir(salida, titulos.size(), sep);
    if (pendientes.Fallo()) fallar(0, "falló el archivo temporal de la salida: faltan casos");
    return resumen;
}
