#include "results/untValidacion.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <sstream>

#include "general/untCsv.h"
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

constexpr TConjuntoValidacion kConjuntos[]{
    {"USGS, campo", "usgs_campo.csv", ValidacionUsgsCampo},
    {"USGS, laboratorio", "usgs_laboratorio.csv", ValidacionUsgsLaboratorio},
};

// The cell of a column, empty when the file has no such column.
std::string Celda(const TArchivoCasos& a, const TCasoLeido& c, std::string_view columna) {
    const auto it = std::find(a.columnas.begin(), a.columnas.end(), columna);
    const auto i = static_cast<std::size_t>(it - a.columnas.begin());
    return it == a.columnas.end() || i >= c.celdas.size() ? std::string() : c.celdas[i];
}

// The equilibrium depth that slot k's row shows, at full precision.
std::optional<double> Erosion(const TResultado& r, int k) {
    const std::string tallo = TalloErosion(k);
    for (const TFila& f : r.filas)
        if (f.tallo == tallo) return f.numero;
    return std::nullopt;
}

std::string Completo(double x) {
    char texto[32];
    return std::string(texto, std::to_chars(texto, texto + sizeof texto, x).ptr);
}

// What a computed case gives a row: each active slot's caption and depth,
// and the gradation of a pier.
struct TPrediccion {
    std::vector<std::pair<std::string, std::optional<double>>> formulas;
    std::optional<double> factorGradacion, d84d50;
};

}  // namespace

std::optional<double> TFilaValidacion::Cociente(std::size_t i) const {
    if (!medida || i >= predichas.size() || !predichas[i] || !(*predichas[i] > 0)) return std::nullopt;
    return *medida / *predichas[i];
}

TValidacion Validar(std::istream& entrada, unsigned hilos, const std::atomic<bool>* cancelar) {
    TValidacion v;
    const TArchivoCasos archivo = LeerCasos(entrada);
    if (archivo.fallo) {
        v.errorArchivo = "línea " + std::to_string(archivo.fallo->linea) + ": " + archivo.fallo->mensaje;
        return v;
    }
    v.columnas = archivo.columnas;
    const std::size_t n = archivo.casos.size();
    std::vector<TPrediccion> predicciones(n);
    std::vector<std::optional<std::string>> errores(n);
    TOpcionesCasos opciones;
    opciones.hilos = hilos;
    opciones.cancelar = cancelar;
    TTrabajadores trabajadores(hilos);
    ResolverCasos(
        n, opciones, trabajadores,
        [&](std::size_t i, std::string& error) -> const TProblema* {
            const TCasoLeido& c = archivo.casos[i];
            if (!c.problema) error = c.error;
            return c.problema ? &*c.problema : nullptr;
        },
        [&](std::size_t i, TCasoResuelto& caso) {
            if (caso.cancelado) return;
            if (caso.error) {
                errores[i] = std::move(caso.error);
                return;
            }
            TPrediccion& p = predicciones[i];
            for (int k = 1; k <= kRanuras; ++k)
                if (caso.r.panel.Activa(k)) p.formulas.emplace_back(caso.r.panel.Titulo(k), Erosion(caso.r, k));
            if (const TTipoEstructura* t = TipoEstructura(caso.r.d.CodiProb); t && t->gradacion) {
                const TGradacion g = t->gradacion(caso.r.d);
                p.factorGradacion = g.factor;
                p.d84d50 = g.d84d50;
            }
        });
    v.cancelada = cancelar && cancelar->load();

    std::map<std::string, std::size_t, std::less<>> indice;  // caption -> index in v.formulas
    std::map<std::string, std::size_t, std::less<>> mensaje;  // message -> index in v.rechazados
    for (std::size_t i = 0; i < n; ++i) {
        const TCasoLeido& c = archivo.casos[i];
        TFilaValidacion f;
        f.linea = c.linea;
        f.celdas = c.celdas;
        f.medida = LeerNumero(Celda(archivo, c, "ys_medida"));
        f.sitio = Celda(archivo, c, "sitio");
        f.fecha = Celda(archivo, c, "fecha");
        f.error = std::move(errores[i]);
        if (f.error) {
            const auto [it, nuevo] = mensaje.try_emplace(*f.error, v.rechazados.size());
            if (nuevo) v.rechazados.emplace_back(*f.error, 0);
            ++v.rechazados[it->second].second;
        }
        for (auto& [titulo, erosion] : predicciones[i].formulas) {
            const auto [it, nuevo] = indice.try_emplace(titulo, v.formulas.size());
            if (nuevo) v.formulas.push_back(titulo);
            if (f.predichas.size() <= it->second) f.predichas.resize(it->second + 1);
            f.predichas[it->second] = erosion;
        }
        f.factorGradacion = predicciones[i].factorGradacion;
        f.d84d50 = predicciones[i].d84d50;
        v.filas.push_back(std::move(f));
    }
    for (TFilaValidacion& f : v.filas) f.predichas.resize(v.formulas.size());
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

std::vector<TEstadistica> Estadisticas(const TValidacion& v, bool (*incluir)(const TFilaValidacion&)) {
    std::vector<TEstadistica> r;
    for (std::size_t i = 0; i < v.formulas.size(); ++i) {
        std::vector<double> cocientes;
        for (const TFilaValidacion& f : v.filas)
            if (const auto c = f.Cociente(i); c && (!incluir || incluir(f))) cocientes.push_back(*c);
        if (auto e = Estadistica(v.formulas[i], std::move(cocientes))) r.push_back(std::move(*e));
    }
    return r;
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

std::span<const TConjuntoValidacion> ConjuntosValidacion() { return kConjuntos; }

const TCifrasCampo& CifrasCampo() {
    static const TCifrasCampo cifras = [] {
        const std::string_view datos = kConjuntos[0].datos();
        std::istringstream entrada{std::string(datos)};
        const TValidacion v = Validar(entrada);
        return TCifrasCampo{Estadisticas(v), Estadisticas(v, [](const TFilaValidacion& f) {
                                return f.factorGradacion && *f.factorGradacion < kGradacionBaja;
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
