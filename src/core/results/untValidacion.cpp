#include "results/untValidacion.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

#include "compute/untClaves.h"
#include "general/untCifras.h"
#include "general/untCsv.h"
#include "general/untMostrable.h"
#include "general/untGeneral.h"
#include "general/untNumero.h"
#include "results/untCasos.h"
#include "results/untLecturaCasos.h"
#include "results/untResolver.h"
#include "problem/untTipos.h"

// Built from data/validacion by cmake/incrustar.cmake.
std::string_view ValidacionUsgsCampo();
std::string_view ValidacionUsgsLaboratorio();

namespace {

constexpr int kRanuras = 4;
// Case lines read and run together: memory holds one block.
constexpr std::size_t kFilasPorBloque = 4096;
constexpr std::string_view kColumnaMedida = "ys_medida";

constexpr TConjuntoValidacion kConjuntos[]{
    {"USGS, campo", "usgs_campo.csv", ValidacionUsgsCampo},
    {"USGS, laboratorio", "usgs_laboratorio.csv", ValidacionUsgsLaboratorio},
};

std::string Completo(double x) {
    return CifrasCortas(x);
}

// The column's index, or npos when the header has no such column.
std::size_t Columna(const TEncabezado& e, std::string_view nombre) {
    const auto it = std::find(e.nombres.begin(), e.nombres.end(), nombre);
    return it == e.nombres.end() ? std::string::npos : static_cast<std::size_t>(it - e.nombres.begin());
}

std::string CeldaDe(const std::vector<std::string>& celdas, std::size_t i) {
    return i < celdas.size() ? celdas[i] : std::string();
}

// The measured depth of a cell, or why it is none.
std::optional<double> Medida(const std::string& celda, std::string& error) {
    if (celda.empty()) {
        error = "ys_medida vacía: falta la erosión medida";
        return std::nullopt;
    }
    const auto x = LeerNumero(celda);
    if (!x) {
        error = "ys_medida = \"" + Mostrable(celda) + "\" no es un número";
        return std::nullopt;
    }
    if (!std::isfinite(*x)) {
        error = "ys_medida = " + Mostrable(celda) + " no es un número finito";
        return std::nullopt;
    }
    if (*x < 0) {
        error = "ys_medida = " + Mostrable(celda) + ": una erosión medida no puede ser negativa";
        return std::nullopt;
    }
    return x;
}

// What a computed case gives a row: the depth each keyed scour row shows
// (its caption and batch key), and the gradation of a pier.
struct TPrediccion {
    struct TFormula {
        std::string titulo;
        std::string_view clave;
        std::optional<double> erosion;
    };
    std::vector<TFormula> formulas;
    std::optional<double> factorGradacion, d84d50;
};

TPrediccion Prediccion(const TResultado& r) {
    TPrediccion p;
    for (int k = 1; k <= kRanuras; ++k) {
        const std::string_view clave = ClaveErosion(r.d.CodiProb, k);
        if (clave.empty()) continue;
        const std::string tallo = TalloErosion(k);
        for (const TFila& f : r.filas)
            if (f.tallo == tallo && f.numero) p.formulas.push_back({r.panel.Titulo(k), clave, f.numero});
    }
    if (const TTipoEstructura* t = TipoEstructura(r.d.CodiProb); t && t->gradacion) {
        const TGradacion g = t->gradacion(r.d);
        p.factorGradacion = g.factor;
        p.d84d50 = g.d84d50;
    }
    return p;
}

// A case line of a block: read on the thread that runs it.
struct TLineaValidacion {
    TLinea linea;
    std::optional<TProblema> problema;
    TFilaValidacion fila;
    TPrediccion prediccion;
};

}  // namespace

std::optional<double> TFilaValidacion::Cociente(std::size_t i) const {
    if (!medida || i >= predichas.size() || !predichas[i] || !(*predichas[i] > 0)) return std::nullopt;
    return *medida / *predichas[i];
}

TValidacion ValidarPorFilas(std::istream& entrada, const std::function<void(TFilaValidacion&)>& entregar,
                            unsigned hilos, const std::atomic<bool>* cancelar) {
    TValidacion v;
    TLinea linea;
    // The next line; false at the end of the input or when reading fails.
    auto leer = [&] {
        try {
            if (!LeerLinea(entrada, linea)) return false;
        } catch (const std::exception& e) {
            v.fallaLectura = e.what();
            return false;
        }
        ++v.lineasLeidas;
        return true;
    };
    std::optional<TEncabezado> encabezado;
    try {
        std::optional<TFalloLote> fallo;
        encabezado = LeerPrincipio(entrada, v.lineasLeidas, fallo);
        if (!encabezado) {
            v.errorArchivo = "línea " + std::to_string(fallo->linea) + ": " + fallo->mensaje;
            return v;
        }
    } catch (const std::exception& e) {
        v.fallaLectura = e.what();
        return v;
    }
    v.columnas = encabezado->nombres;
    const std::size_t medida = Columna(*encabezado, kColumnaMedida), sitio = Columna(*encabezado, "sitio"),
                      fecha = Columna(*encabezado, "fecha");
    if (medida == std::string::npos) {
        v.errorArchivo = "línea " + std::to_string(v.lineasLeidas) +
                         ": falta la columna ys_medida (la erosión medida, m) que la validación compara";
        return v;
    }

    std::vector<std::string> titulos;                          // caption of each formula
    std::map<std::string_view, std::size_t, std::less<>> indice;  // key -> index in v.claves
    std::map<std::string, std::size_t, std::less<>> mensaje;   // message -> index in v.rechazados
    TOpcionesCasos opciones;
    opciones.hilos = hilos;
    opciones.cancelar = cancelar;
    TTrabajadores trabajadores(hilos);
    std::vector<TLineaValidacion> bloque;
    bool quedan = true;
    while (quedan && !v.cancelada) {
        bloque.clear();
        while (bloque.size() < kFilasPorBloque && (quedan = leer())) {
            if (SinBlancos(linea.texto).empty() && !linea.larga) continue;
            TLineaValidacion& l = bloque.emplace_back();
            l.fila.linea = v.lineasLeidas;
            l.linea = std::move(linea);
        }
        ResolverCasos(
            bloque.size(), opciones, trabajadores,
            [&](std::size_t i, std::string& error) -> const TProblema* {
                TLineaValidacion& l = bloque[i];
                auto celdas = CeldasCaso(l.linea, *encabezado, error);
                l.linea = {};
                if (!celdas) return nullptr;
                l.fila.celdas = std::move(*celdas);
                l.fila.sitio = CeldaDe(l.fila.celdas, sitio);
                l.fila.fecha = CeldaDe(l.fila.celdas, fecha);
                l.fila.medida = Medida(CeldaDe(l.fila.celdas, medida), error);
                if (!l.fila.medida) return nullptr;
                l.problema = Caso(*encabezado, l.fila.celdas, error);
                return l.problema ? &*l.problema : nullptr;
            },
            [&](std::size_t i, TCasoResuelto& caso) {
                TLineaValidacion& l = bloque[i];
                l.problema.reset();
                if (caso.cancelado) return;
                if (caso.error)
                    l.fila.error = std::move(caso.error);
                else
                    l.prediccion = Prediccion(caso.r);
            });
        if (cancelar && cancelar->load()) {
            v.cancelada = true;
            break;
        }
        for (TLineaValidacion& l : bloque) {
            TFilaValidacion& f = l.fila;
            ++v.casos;
            if (f.error) {
                const auto [it, nuevo] = mensaje.try_emplace(*f.error, v.rechazados.size());
                if (nuevo) {
                    v.rechazados.emplace_back(*f.error, 0);
                    v.lineasRechazadas.emplace_back();
                }
                ++v.rechazados[it->second].second;
                v.lineasRechazadas[it->second].push_back(f.linea);
            }
            for (TPrediccion::TFormula& p : l.prediccion.formulas) {
                const auto [it, nuevo] = indice.try_emplace(p.clave, v.claves.size());
                if (nuevo) {
                    v.claves.emplace_back(p.clave);
                    titulos.push_back(std::move(p.titulo));
                }
                if (f.predichas.size() <= it->second) f.predichas.resize(it->second + 1);
                f.predichas[it->second] = p.erosion;
            }
            f.factorGradacion = l.prediccion.factorGradacion;
            f.d84d50 = l.prediccion.d84d50;
            entregar(f);
        }
    }
    // A caption alone where it names one formula of the file; with its key
    // where several formulas share it.
    for (std::size_t i = 0; i < titulos.size(); ++i)
        v.formulas.push_back(std::count(titulos.begin(), titulos.end(), titulos[i]) > 1
                                 ? titulos[i] + " (" + v.claves[i] + ")"
                                 : titulos[i]);
    return v;
}

TValidacion Validar(std::istream& entrada, unsigned hilos, const std::atomic<bool>* cancelar) {
    std::vector<TFilaValidacion> filas;
    TValidacion v = ValidarPorFilas(entrada, [&](TFilaValidacion& f) { filas.push_back(std::move(f)); }, hilos, cancelar);
    for (TFilaValidacion& f : filas) f.predichas.resize(v.formulas.size());
    v.filas = std::move(filas);
    return v;
}

std::optional<TEstadistica> Estadistica(std::string formula, std::vector<double> cocientes) {
    if (cocientes.empty()) return std::nullopt;
    std::sort(cocientes.begin(), cocientes.end());
    TEstadistica e;
    e.formula = std::move(formula);
    e.n = cocientes.size();
    const double n = static_cast<double>(e.n);
    long double suma = 0;
    std::size_t arriba = 0;
    for (double c : cocientes) {
        suma += c;
        arriba += c > 1;
    }
    e.sesgo = static_cast<double>(suma / n);
    e.subestimados = static_cast<double>(arriba) / n;
    // The p-quantile between order statistics: h = (n - 1) p, the value
    // x[floor h] + (h - floor h) (x[floor h + 1] - x[floor h]).
    auto cuantil = [&](double p) {
        const double h = (n - 1) * p;
        const auto i = static_cast<std::size_t>(std::floor(h));
        if (i + 1 >= cocientes.size()) return cocientes.back();
        return cocientes[i] + (h - static_cast<double>(i)) * (cocientes[i + 1] - cocientes[i]);
    };
    e.mediana = cuantil(0.5);
    e.r95 = cuantil(0.95);
    if (e.n >= 2 && e.sesgo != 0) {
        long double cuadrados = 0;
        for (double c : cocientes) cuadrados += (c - static_cast<long double>(e.sesgo)) * (c - e.sesgo);
        e.cv = static_cast<double>(std::sqrt(cuadrados / (n - 1)) / e.sesgo);
    }
    return e;
}

void TCocientes::Agregar(const TFilaValidacion& f) {
    if (incluir_ && !incluir_(f)) return;
    for (std::size_t i = 0; i < f.predichas.size(); ++i)
        if (const auto c = f.Cociente(i)) {
            if (cocientes_.size() <= i) cocientes_.resize(i + 1);
            cocientes_[i].push_back(*c);
        }
}

std::vector<TEstadistica> TCocientes::Estadisticas(const TValidacion& v) const {
    std::vector<TEstadistica> r;
    for (std::size_t i = 0; i < v.formulas.size() && i < cocientes_.size(); ++i)
        if (auto e = Estadistica(v.formulas[i], cocientes_[i])) {
            e->clave = v.claves[i];
            r.push_back(std::move(*e));
        }
    return r;
}

std::vector<TEstadistica> Estadisticas(const TValidacion& v, bool (*incluir)(const TFilaValidacion&)) {
    TCocientes c(incluir);
    for (const TFilaValidacion& f : v.filas) c.Agregar(f);
    return c.Estadisticas(v);
}

void EscribirFilas(std::ostream& salida, const TValidacion& v) {
    std::string linea;
    for (const std::string& c : v.columnas) linea += CeldaCsv(c) + ',';
    linea += "ys_medida_m";
    for (const std::string& f : v.formulas)
        linea += ',' + CeldaCsv(f + " [m]") + ',' + CeldaCsv(f + " medida/calculada");
    salida << linea << ",error\n";
    auto numero = [](const std::optional<double>& x) { return x ? Completo(*x) : std::string(); };
    for (const TFilaValidacion& f : v.filas) {
        linea.clear();
        for (std::size_t i = 0; i < v.columnas.size(); ++i)
            linea += CeldaCsv(i < f.celdas.size() ? f.celdas[i] : std::string()) + ',';
        linea += numero(f.medida);
        for (std::size_t i = 0; i < v.formulas.size(); ++i) linea += ',' + numero(f.predichas[i]) + ',' + numero(f.Cociente(i));
        salida << linea << ',' << CeldaCsv(f.error.value_or("")) << '\n';
    }
}

std::string CsvResumenValidacion(const TValidacion& v) {
    std::string csv = "formula,n,sesgo,mediana,cv,subestimados,r95\n";
    for (const TEstadistica& e : Estadisticas(v))
        csv += CeldaCsv(e.formula) + ',' + std::to_string(e.n) + ',' + Completo(e.sesgo) + ',' + Completo(e.mediana) +
               ',' + (e.cv ? Completo(*e.cv) : std::string()) + ',' + Completo(e.subestimados) + ',' +
               Completo(e.r95) + '\n';
    csv += "Casos," + std::to_string(v.filas.size()) + '\n';
    for (const auto& [mensaje, n] : v.rechazados) csv += "Rechazados," + std::to_string(n) + ',' + CeldaCsv(mensaje) + '\n';
    return csv;
}

std::span<const TConjuntoValidacion> ConjuntosValidacion() { return kConjuntos; }

const TCifrasCampo& CifrasCampo() {
    static const TCifrasCampo cifras = [] {
        const std::string_view datos = kConjuntos[0].datos();
        std::istringstream entrada{std::string(datos)};
        const TValidacion v = Validar(entrada);
        return TCifrasCampo{Estadisticas(v),
                            Estadisticas(v, [](const TFilaValidacion& f) {
                                return f.factorGradacion && *f.factorGradacion < kGradacionBaja;
                            }),
                            Estadisticas(v, [](const TFilaValidacion& f) {
                                return f.factorGradacion && !(*f.factorGradacion < kGradacionBaja);
                            })};
    }();
    return cifras;
}

std::string LineaContraMediciones(int codigo, std::string_view formula) {
    if (const TTipoEstructura* t = TipoEstructura(codigo); !t || !t->medido) return {};
    for (const TEstadistica& e : CifrasCampo().todas)
        if (e.formula == formula)
            return "Contra mediciones (USGS, campo): sesgo " + NumeText(e.sesgo, 0, 2) + ", subestimó " +
                   NumeText(100 * e.subestimados, 0, 0) + " %";
    return {};
}
