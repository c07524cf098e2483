#include "results/untIncertidumbreAnalisis.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "general/untCsv.h"
#include "general/untGeneral.h"
#include "problem/untCampos.h"
#include "results/untBarrido.h"
#include "results/untValidacion.h"

namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

// Ranks from 1 of the values, tied values sharing the mean of their ranks.
std::vector<double> Rangos(const std::vector<double>& v) {
    std::vector<std::size_t> orden(v.size());
    std::iota(orden.begin(), orden.end(), std::size_t{0});
    std::sort(orden.begin(), orden.end(), [&](std::size_t a, std::size_t b) { return v[a] < v[b]; });
    std::vector<double> rango(v.size());
    for (std::size_t i = 0; i < orden.size();) {
        std::size_t j = i + 1;
        while (j < orden.size() && v[orden[j]] == v[orden[i]]) ++j;
        const double medio = (static_cast<double>(i + 1) + static_cast<double>(j)) / 2;  // of ranks i+1 .. j
        for (std::size_t k = i; k < j; ++k) rango[orden[k]] = medio;
        i = j;
    }
    return rango;
}

std::string Completo(double x) { return std::isnan(x) ? std::string() : TextoValor(x); }

}  // namespace

namespace {

// Pearson's correlation of two sets of ranks 1..n (ties averaged), whose
// means are both (n + 1) / 2.
double CorrelacionRangos(const std::vector<double>& ra, const std::vector<double>& rb) {
    if (ra.size() < 3) return kNan;
    const long double media = (static_cast<long double>(ra.size()) + 1) / 2;
    long double sab = 0, saa = 0, sbb = 0;
    for (std::size_t i = 0; i < ra.size(); ++i) {
        const long double da = ra[i] - media, db = rb[i] - media;
        sab += da * db;
        saa += da * da;
        sbb += db * db;
    }
    if (saa == 0 || sbb == 0) return kNan;
    return static_cast<double>(sab / std::sqrt(saa * sbb));
}

bool SinNan(const std::vector<double>& v) {
    return std::none_of(v.begin(), v.end(), [](double x) { return std::isnan(x); });
}

}  // namespace

double CorrelacionSpearman(std::span<const double> x, std::span<const double> y) {
    std::vector<double> a, b;
    for (std::size_t i = 0; i < std::min(x.size(), y.size()); ++i)
        if (!std::isnan(x[i]) && !std::isnan(y[i])) {
            a.push_back(x[i]);
            b.push_back(y[i]);
        }
    return CorrelacionRangos(Rangos(a), Rangos(b));
}

std::vector<std::vector<TInfluencia>> InfluenciasSpearman(const TEstudioIncertidumbre& e) {
    const std::size_t m = e.entradas.size();
    const std::size_t n = m ? e.valores.size() / m : 0;
    // Each input's values, and their ranks when every sample has one (then
    // a column is ranked once, not once per formula).
    std::vector<std::vector<double>> x(m, std::vector<double>(n)), rangoX(m);
    for (std::size_t j = 0; j < m; ++j) {
        for (std::size_t i = 0; i < n; ++i) x[j][i] = e.valores[i * m + j];
        if (SinNan(x[j])) rangoX[j] = Rangos(x[j]);
    }
    std::vector<std::vector<TInfluencia>> r;
    for (const std::vector<double>& y : e.profundidades) {
        std::vector<TInfluencia>& lista = r.emplace_back();
        const bool completa = y.size() == n && SinNan(y);
        const std::vector<double> rangoY = completa ? Rangos(y) : std::vector<double>{};
        for (std::size_t j = 0; j < m; ++j)
            lista.push_back({j, completa && !rangoX[j].empty()
                                    ? CorrelacionRangos(rangoX[j], rangoY)
                                    : CorrelacionSpearman(x[j], std::span<const double>(y.data(), std::min(n, y.size())))});
        std::stable_sort(lista.begin(), lista.end(), [](const TInfluencia& a, const TInfluencia& b) {
            if (std::isnan(a.rho) || std::isnan(b.rho)) return !std::isnan(a.rho) && std::isnan(b.rho);
            return std::fabs(a.rho) > std::fabs(b.rho);
        });
    }
    return r;
}

std::vector<TCurvaExcedencia> CurvasExcedencia(const TEstudioIncertidumbre& e, std::size_t puntos) {
    std::vector<TCurvaExcedencia> curvas;
    for (std::size_t f = 0; f < e.formulas.size() && f < e.profundidades.size(); ++f) {
        std::vector<double> v;
        for (double y : e.profundidades[f])
            if (!std::isnan(y)) v.push_back(y);
        if (v.empty()) continue;
        std::sort(v.begin(), v.end());
        const std::size_t n = v.size();
        // The sorted depths to draw: half the points evenly in probability,
        // half evenly in its logarithm (the rare deep samples), both ends.
        std::vector<std::size_t> indices{0, n - 1};
        const std::size_t mitad = std::max<std::size_t>(puntos / 2, 1);
        const double menor = 0.5 / static_cast<double>(n);  // the smallest probability of exceedance
        for (std::size_t k = 0; k <= mitad; ++k) {
            const double t = static_cast<double>(k) / static_cast<double>(mitad);
            indices.push_back(static_cast<std::size_t>(std::llround(t * static_cast<double>(n - 1))));
            const double q = std::pow(menor, 1 - t);  // from 0.5 / n up to 1
            const double i = static_cast<double>(n) - 0.5 - q * static_cast<double>(n);
            indices.push_back(static_cast<std::size_t>(std::clamp(std::llround(i), 0LL, static_cast<long long>(n - 1))));
        }
        std::sort(indices.begin(), indices.end());
        indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
        TCurvaExcedencia c{e.formulas[f].ranura, e.formulas[f].titulo, {}, {}};
        for (std::size_t i : indices) {
            c.profundidad.push_back(v[i]);
            c.probabilidad.push_back((static_cast<double>(n - i) - 0.5) / static_cast<double>(n));
        }
        curvas.push_back(std::move(c));
    }
    return curvas;
}

std::string CsvResumenIncertidumbre(const TEstudioIncertidumbre& e, const TOpcionesIncertidumbre& o) {
    const std::optional<double>& fundacion = o.fundacion;
    const TTablaIncertidumbre t = TablaIncertidumbre(e, fundacion);
    std::string csv;
    for (std::size_t j = 0; j < t.encabezado.size(); ++j) csv += (j ? "," : "") + CeldaCsv(t.encabezado[j]);
    csv += '\n';
    for (const TEstadisticaFormula& f : e.formulas) {
        csv += CeldaCsv(f.titulo);
        for (double y : {f.media, f.desvio, f.p05, f.p50, f.p90, f.p95, f.p99}) csv += "," + Completo(y);
        if (fundacion) csv += "," + Completo(f.probFundacion.value_or(kNan));
        csv += "," + (f.sinRangos ? std::string("sin rangos") : Completo(f.fueraCalibracion)) + "\n";
    }
    csv += "Muestras," + std::to_string(e.muestras) + "\n";
    csv += "Rechazadas," + std::to_string(e.rechazadas) + "\n";
    csv += "Fallidas," + std::to_string(e.fallidas) + "\n";
    // What the study was: the seed, each input's distribution with its
    // parameters, each formula's own error (or that none was added).
    csv += "Semilla," + std::to_string(o.semilla) + "\n";
    if (fundacion) csv += "Profundidad de fundación [m]," + Completo(*fundacion) + "\n";
    for (const TEntradaIncierta& x : e.entradas) {
        const TDistribucionIncierta& d = x.distribucion;
        csv += "Entrada," + CeldaCsv(x.campo) + "," + NombreDistribucion(d.tipo);
        const auto par = [&](const char* nombre, double v) { csv += std::string(",") + nombre + "," + Completo(v); };
        switch (d.tipo) {
            case TTipoDistribucion::Normal:
            case TTipoDistribucion::Lognormal: par("media", d.a[0]), par("CV", d.a[1]); break;
            case TTipoDistribucion::Uniforme: par("mínimo", d.a[0]), par("máximo", d.a[1]); break;
            case TTipoDistribucion::Triangular: par("mínimo", d.a[0]), par("moda", d.a[1]), par("máximo", d.a[2]); break;
        }
        csv += "\n";
    }
    for (const auto& [formula, error] : o.modelo)
        csv += "Error de la fórmula," + CeldaCsv(formula) + ",sesgo," + Completo(error.sesgo) + ",CV," +
               Completo(error.cv) + "\n";
    if (o.modelo.empty()) csv += "Error de la fórmula,ninguno\n";
    return csv;
}

std::string CsvMuestrasIncertidumbre(const TEstudioIncertidumbre& e) {
    const std::size_t m = e.entradas.size();
    std::string csv = "Muestra";
    for (const TEntradaIncierta& x : e.entradas) {
        const TCampo* c = BuscarCampo(x.campo);
        csv += "," + CeldaCsv(x.campo + (c && !c->unidad.empty() ? " " + std::string(c->unidad) : std::string()));
    }
    for (const TEstadisticaFormula& f : e.formulas) csv += "," + CeldaCsv(f.titulo + " [m]");
    csv += '\n';
    const std::size_t n = m ? e.valores.size() / m : (e.profundidades.empty() ? 0 : e.profundidades[0].size());
    for (std::size_t i = 0; i < n; ++i) {
        csv += std::to_string(i + 1);
        for (std::size_t j = 0; j < m; ++j) csv += "," + Completo(e.valores[i * m + j]);
        for (const std::vector<double>& y : e.profundidades) csv += "," + Completo(i < y.size() ? y[i] : kNan);
        csv += '\n';
    }
    return csv;
}

std::optional<TErrorModeloPorDefecto> ErrorModeloPorDefecto(int codigo, std::string_view formula,
                                                            std::optional<double> factorGradacion,
                                                            const TCifrasCampo& cifras, std::size_t minimo) {
    if (codigo != 22) return std::nullopt;
    auto buscar = [&](const std::vector<TEstadistica>& lista) -> const TEstadistica* {
        for (const TEstadistica& e : lista)
            if (e.formula == formula && e.cv) return &e;
        return nullptr;
    };
    const TEstadistica* todas = buscar(cifras.todas);
    if (!todas) return std::nullopt;
    auto con = [](const TEstadistica& e, std::string subconjunto) {
        return TErrorModeloPorDefecto{{e.sesgo, *e.cv}, e.n, std::move(subconjunto)};
    };
    if (!factorGradacion) return con(*todas, "todas las filas de campo");
    const bool baja = *factorGradacion < kGradacionBaja;
    const std::string clase = std::string("filas de campo con Kσ ") + (baja ? "< " : "≥ ") +
                              NumeText(kGradacionBaja, 0, 1) + " (Kσ del caso " + NumeText(*factorGradacion, 0, 3) + ")";
    const TEstadistica* propia = buscar(baja ? cifras.gradacionBaja : cifras.gradacionAlta);
    if (propia && propia->n >= minimo) return con(*propia, clase);
    return con(*todas, "todas las filas de campo, porque las " + clase + " son " +
                           std::to_string(propia ? propia->n : 0) + ", menos de " + std::to_string(minimo));
}

std::optional<TErrorModeloPorDefecto> ErrorModeloPorDefecto(int codigo, std::string_view formula,
                                                            std::optional<double> factorGradacion) {
    if (codigo != 22) return std::nullopt;
    return ErrorModeloPorDefecto(codigo, formula, factorGradacion, CifrasCampo(), kMedicionesSubconjunto);
}

// ---- The report's page.

std::string LineaEntradaIncierta(const TEntradaIncierta& x, ProblemCode codigo) {
    std::string linea = x.campo;
    if (const TCampo* c = BuscarCampo(x.campo))
        linea = std::string(EtiquetaCampo(*c, codigo)) + (c->unidad.empty() ? "" : " " + std::string(c->unidad));
    const TDistribucionIncierta& d = x.distribucion;
    linea += ": " + std::string(NombreDistribucion(d.tipo));
    switch (d.tipo) {
        case TTipoDistribucion::Normal:
        case TTipoDistribucion::Lognormal:
            return linea + ", media " + TextoValor(d.a[0]) + ", CV " + TextoValor(d.a[1]);
        case TTipoDistribucion::Uniforme:
            return linea + ", mínimo " + TextoValor(d.a[0]) + ", máximo " + TextoValor(d.a[1]);
        case TTipoDistribucion::Triangular:
            return linea + ", mínimo " + TextoValor(d.a[0]) + ", moda " + TextoValor(d.a[1]) + ", máximo " +
                   TextoValor(d.a[2]);
    }
    return linea;
}

TReporteIncertidumbre ReporteIncertidumbre(const TProblema& base, const TOpcionesIncertidumbre& o,
                                           const TEstudioIncertidumbre& e, bool logaritmica, std::string fecha) {
    TReporteIncertidumbre r;
    for (const TEntradaIncierta& x : e.entradas) r.entradas.push_back(LineaEntradaIncierta(x, base.codigo));
    for (const auto& [formula, error] : o.modelo)
        r.modelo.push_back(formula + ": sesgo " + TextoValor(error.sesgo) + ", CV " + TextoValor(error.cv));
    r.muestreo = std::to_string(e.muestras) + " muestras (hipercubo latino), semilla " + std::to_string(o.semilla) +
                 "; muestras rechazadas: " + std::to_string(e.rechazadas) +
                 (e.fallidas ? "; sin resultado: " + std::to_string(e.fallidas) : std::string());
    if (o.fundacion)
        r.muestreo += "; profundidad de fundación " + TextoValor(*o.fundacion) + " m";
    r.tabla = TablaIncertidumbre(e, o.fundacion);
    r.curvas = CurvasExcedencia(e, 200);
    r.fundacion = o.fundacion;
    r.logaritmica = logaritmica;
    r.fecha = std::move(fecha);
    return r;
}

namespace {

// The steps of the page "Avisos y gráfico", so that the two read alike.
constexpr int kLinea = 16, kEntreParrafos = 4, kAntesDeTitulo = 14, kSangria = 20;
constexpr int kPrimeraY = 110;
constexpr int kPieY = kReporteAltoUtil - 26;
constexpr int kGraficoAltoMinimo = 200, kGraficoAltoMaximo = 520;
constexpr int kColumnaFormula = 90;  // width of the table's first column
constexpr int kColumnaUltima = 84;
constexpr int kAltoEncabezado = 3 * kLinea;

TItemReporte Item(std::string texto, TFuenteReporte fuente, TAlineacion alineacion, int x, int y) {
    return {std::move(texto), fuente, alineacion, x, y};
}

}  // namespace

TDisposicionAvisos DisponerPaginaIncertidumbre(const TReporteIncertidumbre& r, std::string_view tituloProblema) {
    TDisposicionAvisos d;
    const int izquierda = kReporteColumnaTitulos;
    d.items.push_back(Item(kTituloPaginaIncertidumbre, TFuenteReporte::Titulo, TAlineacion::Izquierda,
                           kReporteTituloX, kReporteTituloY));
    int y = kPrimeraY;
    auto titulo = [&](const char* texto) {
        if (y > kPrimeraY) y += kAntesDeTitulo;
        d.items.push_back(Item(texto, TFuenteReporte::Encabezado, TAlineacion::Izquierda, izquierda, y));
        y += kLinea + kEntreParrafos;
    };
    auto parrafo = [&](const std::string& texto) {
        const int x = izquierda + kSangria, ancho = kReporteAnchoUtil - x;
        TItemReporte caja = Item(texto, TFuenteReporte::Caja, TAlineacion::Izquierda, x, y);
        caja.ancho = ancho;
        caja.alto = AltoCaja(texto, ancho);
        y += caja.alto + kEntreParrafos;
        d.items.push_back(std::move(caja));
    };
    titulo("Entradas inciertas");
    for (const std::string& l : r.entradas) parrafo(l);
    if (!r.modelo.empty()) {
        titulo("Error de las fórmulas");
        for (const std::string& l : r.modelo) parrafo(l);
    }
    titulo("Muestreo");
    parrafo(r.muestreo);

    // The table: the formula's caption at the left, each statistic right-
    // aligned in a column of its own under its wrapped heading.
    titulo("Profundidad de erosión de equilibrio");
    // The last column, "Fuera de calibración", wider: its long word whole.
    const int columnas = static_cast<int>(r.tabla.encabezado.size());
    const int resto = kReporteAnchoUtil - izquierda - kColumnaFormula;
    const int ancho = columnas > 2 ? (resto - kColumnaUltima) / (columnas - 2) : resto;
    auto borde = [&](int j) {  // right edge of column j >= 1; 0 is the formula's
        return izquierda + kColumnaFormula + (j == columnas - 1 ? resto : j * ancho);
    };
    for (int j = 0; j < columnas; ++j) {
        const int x = j == 0 ? izquierda : j == 1 ? izquierda + kColumnaFormula + 6 : borde(j - 1) + 6;
        TItemReporte caja = Item(r.tabla.encabezado[std::size_t(j)], TFuenteReporte::Caja, TAlineacion::Izquierda, x, y);
        caja.ancho = (j == 0 ? kColumnaFormula + 6 : borde(j) + 6 - x) - 6;
        caja.alto = kAltoEncabezado;
        d.items.push_back(std::move(caja));
    }
    y += kAltoEncabezado + kEntreParrafos;
    for (const std::vector<std::string>& fila : r.tabla.filas) {
        for (std::size_t j = 0; j < fila.size(); ++j)
            d.items.push_back(j == 0 ? Item(fila[j], TFuenteReporte::Normal, TAlineacion::Izquierda, izquierda, y)
                                     : Item(fila[j], TFuenteReporte::Normal, TAlineacion::Derecha,
                                            borde(static_cast<int>(j)), y));
        y += kLinea + kEntreParrafos;
    }
    if (!r.curvas.empty()) {
        y += kAntesDeTitulo;
        const int alto = std::max(kGraficoAltoMinimo, std::min(kGraficoAltoMaximo, kPieY - kAntesDeTitulo - y));
        d.grafico = TRectReporte{izquierda, y, kReporteAnchoUtil - izquierda, alto};
    }
    d.items.push_back(Item("Fecha: " + r.fecha, TFuenteReporte::Normal, TAlineacion::Izquierda, izquierda, kPieY));
    d.items.push_back(
        Item(std::string(tituloProblema), TFuenteReporte::Normal, TAlineacion::Derecha, kReporteAnchoUtil, kPieY));
    return d;
}
