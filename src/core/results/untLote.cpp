#include "results/untLote.h"

#include <algorithm>
#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "compute/untClaves.h"
#include "general/untCifras.h"
#include "general/untMostrable.h"
#include "general/untNumero.h"
#include "problem/untFilasEstructura.h"
#include "problem/untProblema.h"
#include "results/untAvisos.h"
#include "results/untAvisosLote.h"
#include "results/untBarrido.h"
#include "general/untCsv.h"
#include "results/untCasos.h"
#include "results/untLecturaCasos.h"
#include "results/untResolver.h"

namespace {

void EscribirLinea(std::ostream& salida, const std::vector<std::string>& celdas, char separador) {
    std::string linea;
    for (std::size_t i = 0; i < celdas.size(); ++i) {
        if (i) linea += separador;
        AgregarCelda(linea, celdas[i], separador);
    }
    salida << linea << '\n';
}

// The fields of the header that the problem does not read go back to their
// default texts, as if their columns were missing; each one whose cell held
// a text gets a warning in `avisos`.  Which fields a problem reads depends on
// its final code, so the wizard is walked first.  When the walk fails, the
// line fails: with the first text the walk reads that its field rejects (the
// data pages and the structure page of its code), else with the walk's fault.
std::optional<std::string> IgnorarNoLeidos(const TEncabezado& e, TProblema& p, std::vector<TAvisoDato>& avisos) {
    std::vector<std::string_view> leidos;
    try {
        leidos = CamposDelProblema(p);
    } catch (const std::exception& fallo) {
        const auto estructura = CamposEstructura(p.codigo);
        for (std::size_t i = 0; i < e.campos.size(); ++i) {
            const TCampo* c = e.campos[i];
            const bool leido = c && (c->pagina <= 1 || std::find(estructura.begin(), estructura.end(), c->nombre) !=
                                                            estructura.end());
            if (leido && !TextoAceptado(*c, p.textos[e.nombres[i]])) return e.nombres[i] + ": " + std::string(c->mensaje);
        }
        return fallo.what();
    }
    for (std::size_t i = 0; i < e.campos.size(); ++i) {
        const TCampo* c = e.campos[i];
        if (!c || std::find(leidos.begin(), leidos.end(), c->nombre) != leidos.end()) continue;
        std::string& texto = p.textos[e.nombres[i]];
        if (!texto.empty())
            avisos.push_back({e.nombres[i], "Se ignoró " + e.nombres[i] + " (\"" + std::string(c->etiqueta) +
                                                "\") = \"" + Mostrable(texto) + "\": este problema no lee ese campo."});
        texto = c->defecto;
    }
    return std::nullopt;
}

// A number with the shortest digits that read back to the same double.
std::string NumeroCompleto(double x) {
    return CifrasCortas(x);
}

// The fixed output columns after "titulo" and where each keyed row and each
// slot's validity go.
class TDisposicion {
public:
    explicit TDisposicion(TColumnasLote modo) : modo_(modo) {
        for (const TClaveFila& f : TodasLasClaves())
            columna_[f.clave] = Agregar(modo == TColumnasLote::Claves ? f.clave : f.etiqueta);
        if (modo == TColumnasLote::Claves) {
            for (const TClaveFila& f : TodasLasClaves())
                if (std::string v = ClaveValidez(f.clave); !v.empty()) validez_[f.clave] = Agregar(v);
        } else {
            const std::vector<std::string> avisos = ColumnasAvisosLote();
            primeraValidez_ = nombres_.size();
            for (std::size_t k = 0; k + 1 < avisos.size(); ++k) Agregar(avisos[k]);
        }
    }

    // Every column but the last, "avisos_datos".
    const std::vector<std::string>& Nombres() const { return nombres_; }

    // The column of a keyed row.
    std::optional<std::size_t> Fila(std::string_view clave) const {
        const auto it = columna_.find(clave);
        return it == columna_.end() ? std::nullopt : std::optional(it->second);
    }

    // The column of the validity of slot k (1 to 4) of a code.
    std::optional<std::size_t> Validez(ProblemCode codigo, int k) const {
        if (modo_ == TColumnasLote::Textos) return primeraValidez_ + std::size_t(k - 1);
        const auto it = validez_.find(ClaveErosion(codigo, k));
        return it == validez_.end() ? std::nullopt : std::optional(it->second);
    }

private:
    std::size_t Agregar(std::string_view nombre) {
        const auto it = std::find(nombres_.begin(), nombres_.end(), nombre);
        if (it != nombres_.end()) return std::size_t(it - nombres_.begin());
        nombres_.emplace_back(nombre);
        return nombres_.size() - 1;
    }

    TColumnasLote modo_;
    std::vector<std::string> nombres_;
    std::map<std::string_view, std::size_t, std::less<>> columna_, validez_;
    std::size_t primeraValidez_ = 0;
};

// The cells of a computed case in the fixed columns that it fills, by
// column, and its data warnings.
struct TCeldasCaso {
    std::vector<std::pair<std::size_t, TCeldaLote>> celdas;
    std::string avisos;
};
TCeldasCaso CeldasDeCaso(const TDisposicion& disp, const TProblema& p, const TResultado& r,
                         const std::vector<TAvisoDato>& ignorados) {
    TCeldasCaso c;
    const std::vector<TClaveFila> claves = ClavesDeFilas(r.d.CodiProb);
    for (const TFila& f : r.filas) {
        const auto clave = std::find_if(claves.begin(), claves.end(), [&](const TClaveFila& c) { return c.tallo == f.tallo; });
        if (clave == claves.end()) continue;  // every row has a key: the tests check it
        if (const auto col = disp.Fila(clave->clave)) c.celdas.emplace_back(*col, TCeldaLote{TextoDeTabla(f), f.numero});
    }
    std::vector<std::string> avisos = CeldasAvisosLote(p, r, ignorados);
    for (int k = 1; k <= 4; ++k)
        if (const auto col = disp.Validez(r.d.CodiProb, k))
            c.celdas.emplace_back(*col, TCeldaLote{std::move(avisos[k - 1]), std::nullopt});
    std::sort(c.celdas.begin(), c.celdas.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    c.avisos = std::move(avisos.back());
    return c;
}

// The output line of a computed case: its quoted input cells and title, then
// its cells in the fixed columns, then its data warnings, then `despues`.
std::string LineaDeCaso(const TDisposicion& disp, const std::string& inicio, const TProblema& p,
                        const TResultado& r, const std::vector<TAvisoDato>& ignorados, char sep,
                        bool numerosCompletos, const std::vector<std::string>& despues = {}) {
    const TCeldasCaso celdas = CeldasDeCaso(disp, p, r, ignorados);
    std::string linea;
    // Room for the cells, so that the line is not copied as it grows.
    std::size_t largo = inicio.size() + disp.Nombres().size() + celdas.avisos.size() + 64;
    for (const auto& [columna, x] : celdas.celdas) largo += x.texto.size() + 8;
    for (const std::string& celda : despues) largo += celda.size() + 3;
    linea.reserve(largo);
    linea += inicio;
    linea += sep;
    AgregarCelda(linea, r.titulo.value_or(""), sep);
    auto celda = celdas.celdas.begin();
    for (std::size_t c = 0; c < disp.Nombres().size(); ++c) {
        linea += sep;
        if (celda != celdas.celdas.end() && celda->first == c) {
            const TCeldaLote& x = (celda++)->second;
            if (numerosCompletos && x.numero)
                AgregarCelda(linea, NumeroCompleto(*x.numero), sep);
            else
                AgregarCelda(linea, x.texto, sep);
        }
    }
    linea += sep;
    AgregarCelda(linea, celdas.avisos, sep);
    for (const std::string& celda : despues) {
        linea += sep;
        AgregarCelda(linea, celda, sep);
    }
    linea += '\n';
    return linea;
}

// The problem of a case from its cells, with the fields of the header it
// does not read back at their defaults (their warnings in `ignorados`), or
// nullptr with the reason in `error`.
const TProblema* ProblemaDeCeldas(const TEncabezado& e, const std::vector<std::string>& celdas,
                                  std::optional<TProblema>& problema, std::vector<TAvisoDato>& ignorados,
                                  std::string& error) {
    if (celdas.size() != e.nombres.size()) {
        error = "la línea tiene " + std::to_string(celdas.size()) + " valores y el encabezado " +
                std::to_string(e.nombres.size());
        return nullptr;
    }
    problema = Caso(e, celdas, error);
    if (!problema) return nullptr;
    if (auto fallo = IgnorarNoLeidos(e, *problema, ignorados)) {
        error = std::move(*fallo);
        return nullptr;
    }
    return &*problema;
}

// A line of the input that holds a case: its number and text, then either
// its problem or why it is not one, then its output line.
struct TLineaCaso {
    std::size_t numero;
    TLinea linea;
    std::optional<std::string> error;
    std::optional<TProblema> problema;
    std::vector<TAvisoDato> ignorados;  // fields of the header the problem does not read
    std::unique_ptr<TResultado> resultado;  // kept for the uncertainty study of the line
    std::string inicio;                 // the quoted input cells, separated
    std::string salida;                 // the output line
};

// Case lines run together: bounded, so that memory does not grow with the
// batch.
constexpr std::size_t kCasosPorBloque = 4096;
// With an uncertainty study, fewer lines: about this many samples a block,
// so that a block's lines come out within seconds.
constexpr std::size_t kMuestrasPorBloque = 65536;

}  // namespace

std::vector<std::string> ColumnasLote(TColumnasLote columnas) {
    std::vector<std::string> nombres = TDisposicion(columnas).Nombres();
    nombres.push_back(ColumnasAvisosLote().back());
    return nombres;
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
    // The next line; false at the end of the input or when reading fails.
    TLinea linea;
    auto leer = [&] {
        try {
            if (!LeerLinea(entrada, linea)) return false;
        } catch (const std::exception& e) {
            resumen.corte = TCorteLote::Entrada;
            resumen.motivo = e.what();
            return false;
        }
        ++resumen.lineas;
        return true;
    };
    bool hay;
    // Blank lines and "#" lines (a file's provenance, say) before the header.
    while ((hay = leer()) && !linea.larga && (SinBlancos(linea.texto).empty() || linea.texto.starts_with('#'))) {
    }
    if (!hay) {
        if (resumen.corte == TCorteLote::Ninguno) fallar(std::max<std::size_t>(resumen.lineas, 1), "falta el encabezado");
        return resumen;
    }
    std::string error;
    const auto encabezado = linea.larga ? std::nullopt : LeerEncabezado(linea.texto, error);
    if (!encabezado) {
        fallar(resumen.lineas, linea.larga ? "línea demasiado larga" : error);
        return resumen;
    }
    const char sep = encabezado->separador;
    const TDisposicion disposicion(opciones.columnas);

    std::vector<std::string> cabecera = encabezado->nombres;
    cabecera.push_back("titulo");
    cabecera.insert(cabecera.end(), disposicion.Nombres().begin(), disposicion.Nombres().end());
    cabecera.push_back(ColumnasAvisosLote().back());
    std::optional<TEstudioLote> estudio;
    if (opciones.incertidumbre) {
        estudio.emplace(*opciones.incertidumbre, opciones.columnas == TColumnasLote::Textos);
        cabecera.insert(cabecera.end(), estudio->Columnas().begin(), estudio->Columnas().end());
    }
    EscribirLinea(salida, cabecera, sep);
    if (!salida.flush()) {
        resumen.corte = TCorteLote::Salida;
        return resumen;
    }

    TOpcionesCasos opcionesCasos;
    opcionesCasos.curvas = opciones.curvas;
    opcionesCasos.hilos = opciones.hilos;
    TTrabajadores trabajadores(opciones.hilos);
    const std::size_t hilos = opciones.hilos ? opciones.hilos : HilosPorDefecto();
    const std::size_t porBloque =
        estudio ? std::clamp<std::size_t>(kMuestrasPorBloque / estudio->Muestras(), 1, kCasosPorBloque)
                : kCasosPorBloque;
    bool quedan = true;
    std::vector<TLineaCaso> bloque;
    while (quedan) {
        bloque.clear();
        // Read on this thread, up to a block or until the input has nothing
        // ready; split, read into problems, run and format on every thread;
        // written here in input order.
        while (bloque.size() < porBloque && (bloque.empty() || entrada.rdbuf()->in_avail() > 0) &&
               (quedan = leer())) {
            if (SinBlancos(linea.texto).empty() && !linea.larga) continue;
            ++resumen.casos;
            bloque.push_back(TLineaCaso{resumen.lineas, std::move(linea), {}, {}, {}, {}, {}, {}});
        }
        ResolverCasos(
            bloque.size(), opcionesCasos, trabajadores,
            [&](std::size_t i, std::string& error) -> const TProblema* {
                TLineaCaso& caso = bloque[i];
                auto celdas = CeldasCaso(caso.linea, *encabezado, error);
                if (!celdas) return nullptr;
                if (!ProblemaDeCeldas(*encabezado, *celdas, caso.problema, caso.ignorados, error)) return nullptr;
                for (std::size_t c = 0; c < celdas->size(); ++c) {
                    if (c) caso.inicio += sep;
                    AgregarCelda(caso.inicio, (*celdas)[c], sep);
                }
                return &*caso.problema;
            },
            [&](std::size_t i, TCasoResuelto& r) {
                TLineaCaso& caso = bloque[i];
                caso.linea = {};
                if (r.error) {
                    caso.error = std::move(r.error);
                } else if (estudio) {
                    caso.resultado = std::make_unique<TResultado>(std::move(r.r));
                    return;  // formatted after its study
                } else {
                    caso.salida = LineaDeCaso(disposicion, caso.inicio, *caso.problema, r.r, caso.ignorados, sep,
                                              opciones.numerosCompletos);
                }
                caso.problema.reset();
                caso.inicio = {};
            });
        if (estudio) {
            // Each computed line's study.  With as many lines as threads or
            // more, each line's study runs on one thread; with fewer, they
            // run one after another, each on every thread.  Either way a
            // study's numbers do not depend on the threads.
            auto estudiar = [&](TLineaCaso& caso, TTrabajadores& t) {
                if (!caso.resultado) return;
                caso.salida = LineaDeCaso(disposicion, caso.inicio, *caso.problema, *caso.resultado, caso.ignorados,
                                          sep, opciones.numerosCompletos,
                                          estudio->Celdas(*caso.problema, *caso.resultado, opciones.numerosCompletos, t));
                caso.problema.reset();
                caso.resultado.reset();
                caso.inicio = {};
            };
            if (bloque.size() >= hilos) {
                trabajadores.EnParalelo(bloque.size(), [&](std::size_t i) {
                    TTrabajadores solo(1);
                    estudiar(bloque[i], solo);
                });
            } else {
                for (TLineaCaso& caso : bloque) estudiar(caso, trabajadores);
            }
        }
        for (TLineaCaso& caso : bloque) {
            if (caso.error)
                fallar(caso.numero, std::move(*caso.error));
            else
                salida << caso.salida;
        }
        if (!salida.flush()) {
            resumen.corte = TCorteLote::Salida;
            return resumen;
        }
        if (opciones.avance && !bloque.empty()) opciones.avance(resumen.casos);
        if (resumen.corte != TCorteLote::Ninguno) break;
    }
    return resumen;
}

void EjecutarTabla(const std::vector<std::string>& columnas, std::size_t n, const TCeldasDeEntrada& celdas,
                   const TEntregaDeTabla& entregar, const TOpcionesLote& opciones) {
    TEncabezado encabezado;
    std::string error;
    if (!NombrarColumnas(columnas, encabezado, error)) throw std::invalid_argument(error);
    const TDisposicion disposicion(opciones.columnas);
    TOpcionesCasos opcionesCasos;
    opcionesCasos.curvas = opciones.curvas;
    TTrabajadores trabajadores(opciones.hilos);
    std::optional<TEstudioLote> estudio;
    if (opciones.incertidumbre) estudio.emplace(*opciones.incertidumbre, opciones.columnas == TColumnasLote::Textos);
    // The study's cells go after "avisos_datos", the last of ColumnasLote.
    const std::size_t primeraDelEstudio = disposicion.Nombres().size() + 1;
    const std::size_t hilos = opciones.hilos ? opciones.hilos : HilosPorDefecto();
    const std::size_t porBloque =
        estudio ? std::clamp<std::size_t>(kMuestrasPorBloque / estudio->Muestras(), 1, kCasosPorBloque)
                : kCasosPorBloque;
    struct TEstado {
        std::optional<TProblema> problema;
        std::vector<TAvisoDato> ignorados;
        std::optional<TCasoTabla> caso;            // computed, its study pending
        std::unique_ptr<TResultado> resultado;
    };
    std::vector<TEstado> bloque;
    for (std::size_t inicio = 0; inicio < n; inicio += porBloque) {
        bloque.clear();
        bloque.resize(std::min(porBloque, n - inicio));
        ResolverCasos(
            bloque.size(), opcionesCasos, trabajadores,
            [&](std::size_t i, std::string& error) -> const TProblema* {
                std::vector<std::string> entrada;
                celdas(inicio + i, entrada);
                return ProblemaDeCeldas(encabezado, entrada, bloque[i].problema, bloque[i].ignorados, error);
            },
            [&](std::size_t i, TCasoResuelto& r) {
                TCasoTabla caso;
                if (r.error) {
                    caso.error = std::move(r.error);
                } else {
                    TCeldasCaso c = CeldasDeCaso(disposicion, *bloque[i].problema, r.r, bloque[i].ignorados);
                    caso.titulo = r.r.titulo.value_or("");
                    caso.celdas = std::move(c.celdas);
                    caso.avisos = std::move(c.avisos);
                    if (estudio) {  // handed over after its study
                        bloque[i].caso = std::move(caso);
                        bloque[i].resultado = std::make_unique<TResultado>(std::move(r.r));
                        return;
                    }
                }
                bloque[i] = {};
                entregar(inicio + i, caso);
            });
        if (estudio) {
            // As a CSV batch runs them: a line's study on one thread when the
            // block has a line per thread or more, else on every thread.
            auto estudiar = [&](std::size_t i, TTrabajadores& t) {
                TEstado& e = bloque[i];
                if (!e.caso) return;
                const std::vector<std::string> textos =
                    estudio->Celdas(*e.problema, *e.resultado, opciones.numerosCompletos, t);
                for (std::size_t k = 0; k < textos.size(); ++k) {
                    TCeldaLote celda{textos[k], std::nullopt};
                    if (k + 1 < textos.size() && !textos[k].empty()) celda.numero = LeerNumero(textos[k]);
                    e.caso->celdas.emplace_back(primeraDelEstudio + k, std::move(celda));
                }
                entregar(inicio + i, *e.caso);
                e = {};
            };
            if (bloque.size() >= hilos) {
                trabajadores.EnParalelo(bloque.size(), [&](std::size_t i) {
                    TTrabajadores solo(1);
                    estudiar(i, solo);
                });
            } else {
                for (std::size_t i = 0; i < bloque.size(); ++i) estudiar(i, trabajadores);
            }
        }
        if (opciones.avance) opciones.avance(inicio + bloque.size());
    }
}
