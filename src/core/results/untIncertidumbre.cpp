#include "results/untIncertidumbre.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>

#include <boost/math/distributions/lognormal.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/triangular.hpp>
#include <boost/math/distributions/uniform.hpp>

#include "general/untCifras.h"
#include "general/untGeneral.h"
#include "general/untMostrable.h"
#include "general/untNumero.h"
#include "problem/untCampos.h"
#include "results/untAvisos.h"
#include "results/untBarrido.h"
#include "results/untCasos.h"

namespace {

namespace bm = boost::math;
// No exception out of a quantile: a value beyond the double range comes back
// infinite and anything undefined as NaN, which the fields reject.
using TPolitica = bm::policies::policy<bm::policies::domain_error<bm::policies::ignore_error>,
                                       bm::policies::overflow_error<bm::policies::ignore_error>,
                                       bm::policies::evaluation_error<bm::policies::ignore_error>>;

// Location and scale of the distribution behind a mean and a coefficient of
// variation: for the normal the mean and |mean| cv; for the lognormal, the
// mean and standard deviation of ln x, s^2 = ln(1 + cv^2) and
// m = ln(mean) - s^2 / 2, so that the mean of x is `mean`.  Nothing when
// they do not fit a double.
std::optional<std::pair<double, double>> Escala(const TDistribucionIncierta& d) {
    const long double media = d.a[0], cv = d.a[1];
    long double m = media, s = std::fabs(media) * cv;
    if (d.tipo == TTipoDistribucion::Lognormal) {
        const long double s2 = std::log1p(cv * cv);
        m = std::log(media) - s2 / 2;
        s = std::sqrt(s2);
    }
    const double md = static_cast<double>(m), sd = static_cast<double>(s);
    if (!std::isfinite(md) || !std::isfinite(sd)) return std::nullopt;
    return std::pair{md, sd};
}

}  // namespace

double TDistribucionIncierta::Cuantil(double u) const {
    switch (tipo) {
        case TTipoDistribucion::Normal:
        case TTipoDistribucion::Lognormal: {
            if (a[1] == 0) return a[0];
            const auto e = Escala(*this);
            if (!e) return std::numeric_limits<double>::quiet_NaN();
            if (tipo == TTipoDistribucion::Normal)
                return bm::quantile(bm::normal_distribution<double, TPolitica>(e->first, e->second), u);
            return bm::quantile(bm::lognormal_distribution<double, TPolitica>(e->first, e->second), u);
        }
        case TTipoDistribucion::Uniforme:
            return bm::quantile(bm::uniform_distribution<double, TPolitica>(a[0], a[1]), u);
        case TTipoDistribucion::Triangular:
            return bm::quantile(bm::triangular_distribution<double, TPolitica>(a[0], a[1], a[2]), u);
    }
    return std::numeric_limits<double>::quiet_NaN();
}

const char* NombreDistribucion(TTipoDistribucion tipo) {
    switch (tipo) {
        case TTipoDistribucion::Normal: return "normal";
        case TTipoDistribucion::Lognormal: return "lognormal";
        case TTipoDistribucion::Uniforme: return "uniforme";
        case TTipoDistribucion::Triangular: return "triangular";
    }
    return "";
}

std::optional<std::string> ErrorDistribucion(const TDistribucionIncierta& d) {
    const auto& a = d.a;
    switch (d.tipo) {
        case TTipoDistribucion::Normal:
        case TTipoDistribucion::Lognormal:
            if (a[1] < 0) return "El coeficiente de variación no puede ser negativo.";
            if (d.tipo == TTipoDistribucion::Lognormal && a[0] <= 0)
                return "La media de una distribución lognormal debe ser mayor que 0.";
            if (a[1] > 0 && a[0] == 0)
                return "Con media 0, una distribución normal no tiene coeficiente de variación: use uniforme o "
                       "triangular.";
            if (a[1] > 0 && !Escala(d)) return "El coeficiente de variación es demasiado grande.";
            return std::nullopt;
        case TTipoDistribucion::Uniforme:
            if (a[0] >= a[1]) return "El mínimo debe ser menor que el máximo.";
            return std::nullopt;
        case TTipoDistribucion::Triangular:
            if (a[0] >= a[2]) return "El mínimo debe ser menor que el máximo.";
            if (a[1] < a[0] || a[1] > a[2]) return "La moda debe estar entre el mínimo y el máximo.";
            return std::nullopt;
    }
    return std::nullopt;
}

namespace {

std::optional<double> Finito(std::string_view texto) {
    const auto v = LeerNumero(texto);
    if (!v || !std::isfinite(*v)) return std::nullopt;
    return v;
}

std::vector<std::string_view> Partes(std::string_view texto, char separador) {
    std::vector<std::string_view> partes;
    for (std::size_t i = 0;;) {
        const std::size_t j = texto.find(separador, i);
        partes.push_back(texto.substr(i, j == std::string_view::npos ? j : j - i));
        if (j == std::string_view::npos) return partes;
        i = j + 1;
    }
}

constexpr const char* kFormaIncierta =
    "La distribución se escribe CAMPO=normal:MEDIA:CV, CAMPO=lognormal:MEDIA:CV, CAMPO=uniforme:MIN:MAX o "
    "CAMPO=triangular:MIN:MODA:MAX (MEDIA puede ser * para el valor del campo), por ejemplo "
    "FlujCaud=lognormal:*:0.3.";

struct TForma {
    TTipoDistribucion tipo;
    const char* nombre;
    std::array<const char*, 3> parametros;  // captions of the parameters, in order
    std::size_t cantidad;
};

constexpr TForma kFormas[] = {
    {TTipoDistribucion::Normal, "normal", {"La media", "El coeficiente de variación", ""}, 2},
    {TTipoDistribucion::Lognormal, "lognormal", {"La media", "El coeficiente de variación", ""}, 2},
    {TTipoDistribucion::Uniforme, "uniforme", {"El mínimo", "El máximo", ""}, 2},
    {TTipoDistribucion::Triangular, "triangular", {"El mínimo", "La moda", "El máximo"}, 3},
};

}  // namespace

namespace {

// The reading of "CAMPO=DIST" around `base`, or, without one, as far as it
// goes without a problem: the field known, a mean "*" taken as 1.
TLecturaIncierta Leer(std::string_view texto, const TProblema* base) {
    TLecturaIncierta l;
    const std::size_t igual = texto.find('=');
    if (igual == std::string_view::npos) {
        l.error = kFormaIncierta;
        return l;
    }
    const std::string campo(texto.substr(0, igual));
    if (!BuscarCampo(campo)) {
        l.error = "Campo desconocido: " + Mostrable(campo);
        return l;
    }
    if (base) {
        const std::vector<std::string_view> campos = CamposDelProblema(*base);
        if (std::find(campos.begin(), campos.end(), campo) == campos.end()) {
            l.error = "El problema no lee el campo " + campo + ".";
            return l;
        }
    }
    const std::vector<std::string_view> partes = Partes(texto.substr(igual + 1), ':');
    const TForma* forma = nullptr;
    for (const TForma& f : kFormas)
        if (partes[0] == f.nombre) forma = &f;
    if (!forma) {
        l.error = "Distribución desconocida: " + Mostrable(partes[0]) +
                  " (normal, lognormal, uniforme o triangular). " + kFormaIncierta;
        return l;
    }
    if (partes.size() != forma->cantidad + 1) {
        l.error = kFormaIncierta;
        return l;
    }
    TDistribucionIncierta d{forma->tipo, {}};
    const bool conMedia = forma->tipo == TTipoDistribucion::Normal || forma->tipo == TTipoDistribucion::Lognormal;
    for (std::size_t k = 0; k < forma->cantidad; ++k) {
        const std::string_view p = partes[k + 1];
        std::optional<double> v;
        if (conMedia && k == 0 && p == "*" && !base) {
            v = 1;
        } else if (conMedia && k == 0 && p == "*") {
            const auto t = base->textos.find(campo);
            v = t == base->textos.end() ? std::nullopt : Finito(t->second);
            if (!v) {
                l.error = "El campo " + campo + " no tiene un valor numérico que sirva de media.";
                return l;
            }
        } else {
            v = Finito(p);
        }
        if (!v) {
            l.error = std::string(forma->parametros[k]) + " de " + campo + " debe ser un número.";
            return l;
        }
        d.a[k] = *v;
    }
    if (const auto e = ErrorDistribucion(d)) {
        l.error = campo + ": " + *e;
        return l;
    }
    l.entrada = TEntradaIncierta{campo, d};
    return l;
}

}  // namespace

TLecturaIncierta LeerIncierta(std::string_view texto, const TProblema& base) { return Leer(texto, &base); }

std::optional<std::string> ErrorIncierta(std::string_view texto) {
    TLecturaIncierta l = Leer(texto, nullptr);
    return l.entrada ? std::nullopt : std::optional(std::move(l.error));
}

std::optional<std::string> ErrorRepetidos(const std::vector<std::string>& campos,
                                          const std::vector<std::string>& formulas) {
    auto repetido = [](const std::vector<std::string>& nombres) -> const std::string* {
        for (std::size_t i = 0; i < nombres.size(); ++i)
            if (std::find(nombres.begin(), nombres.begin() + static_cast<std::ptrdiff_t>(i), nombres[i]) !=
                nombres.begin() + static_cast<std::ptrdiff_t>(i))
                return &nombres[i];
        return nullptr;
    };
    if (const std::string* c = repetido(campos))
        return "El campo " + Mostrable(*c) + " figura dos veces entre los inciertos: dé una sola distribución.";
    if (const std::string* f = repetido(formulas))
        return "La fórmula " + Mostrable(*f) + " figura dos veces entre los errores de las fórmulas: dé uno solo.";
    return std::nullopt;
}

std::optional<std::string> MensajeSinMuestras(const TEstudioIncertidumbre& e) {
    if (e.error || e.cancelado || e.muestras == 0 || e.rechazadas + e.fallidas < e.muestras) return std::nullopt;
    std::string mensaje = "Ninguna muestra se pudo calcular:";
    if (e.rechazadas)
        mensaje += " " + std::to_string(e.rechazadas) + " con un valor que su campo no admite (la primera: " +
                   e.primerRechazo + ")";
    if (e.fallidas)
        mensaje += std::string(e.rechazadas ? "," : "") + " " + std::to_string(e.fallidas) +
                   " cuyo cálculo falló (la primera: " + e.primerFallo + ")";
    return mensaje + ".";
}

TLecturaModelo LeerModelo(std::string_view texto) {
    TLecturaModelo l;
    const std::size_t igual = texto.find('=');
    const std::vector<std::string_view> partes =
        igual == std::string_view::npos ? std::vector<std::string_view>{} : Partes(texto.substr(igual + 1), ':');
    if (igual == 0 || partes.size() != 2) {
        l.mensaje = "El error de una fórmula se escribe FORMULA=SESGO:CV, por ejemplo CSU=1:0.3.";
        return l;
    }
    l.formula = std::string(texto.substr(0, igual));
    const auto sesgo = Finito(partes[0]), cv = Finito(partes[1]);
    if (!sesgo || *sesgo <= 0)
        l.mensaje = "El sesgo de " + Mostrable(l.formula) + " debe ser un número mayor que 0.";
    else if (*sesgo > kSesgoModeloMaximo)
        l.mensaje = "El sesgo de " + Mostrable(l.formula) + " debe ser a lo sumo " + std::to_string(kSesgoModeloMaximo) +
                    " (medida / calculada).";
    else if (!cv || *cv < 0)
        l.mensaje = "El coeficiente de variación de " + Mostrable(l.formula) + " debe ser un número no negativo.";
    else if (*cv > kCvModeloMaximo)
        l.mensaje = "El coeficiente de variación de " + Mostrable(l.formula) + " debe ser a lo sumo " +
                    std::to_string(kCvModeloMaximo) + ".";
    else
        l.error = {*sesgo, *cv};
    return l;
}

namespace {

// A whole number read exactly from its decimal text (digits, an optional
// fraction and exponent, as the number syntax reads them), without going
// through a double, which would round a seed above 2^53 to a neighbour: the
// digits are shifted by the exponent, and a fraction left over that is not
// all zeros makes it no whole number.
template <typename T>
std::optional<T> Entero(std::string_view texto, std::uint64_t minimo, std::uint64_t maximo) {
    if (!Finito(texto)) return std::nullopt;
    std::string digitos;
    long exponente = 0;
    std::size_t i = 0;
    if (i < texto.size() && texto[i] == '+') ++i;
    if (i < texto.size() && texto[i] == '-') return std::nullopt;
    for (bool fraccion = false; i < texto.size() && texto[i] != 'e' && texto[i] != 'E'; ++i) {
        if (texto[i] == '.') {
            fraccion = true;
            continue;
        }
        digitos += texto[i];
        exponente -= fraccion;
    }
    if (i < texto.size()) {
        long e = 0;
        std::string_view resto = texto.substr(i + 1);
        if (!resto.empty() && resto[0] == '+') resto.remove_prefix(1);
        const auto [fin, error] = std::from_chars(resto.data(), resto.data() + resto.size(), e);
        if (error != std::errc() || fin != resto.data() + resto.size()) return std::nullopt;
        exponente += e;
    }
    digitos.erase(0, std::min(digitos.find_first_not_of('0'), digitos.size()));
    for (; exponente < 0; ++exponente) {
        if (digitos.empty()) break;
        if (digitos.back() != '0') return std::nullopt;  // a fraction
        digitos.pop_back();
    }
    if (!digitos.empty() && exponente > 20) return std::nullopt;  // beyond any bound
    if (!digitos.empty()) digitos.append(static_cast<std::size_t>(exponente), '0');
    if (digitos.empty()) digitos = "0";
    std::uint64_t v = 0;
    const auto [fin, error] = std::from_chars(digitos.data(), digitos.data() + digitos.size(), v);
    if (error != std::errc() || fin != digitos.data() + digitos.size() || v < minimo || v > maximo) return std::nullopt;
    return static_cast<T>(v);
}

}  // namespace

std::optional<std::size_t> LeerMuestras(std::string_view texto) {
    return Entero<std::size_t>(texto, kMuestrasMinimo, kMuestrasMaximo);
}

std::optional<std::uint64_t> LeerSemilla(std::string_view texto) {
    return Entero<std::uint64_t>(texto, 0, kSemillaMaxima);
}

double Percentil(const std::vector<double>& ordenados, double p) {
    if (ordenados.empty()) return std::numeric_limits<double>::quiet_NaN();
    const long double h = static_cast<long double>(ordenados.size() - 1) * p;
    const std::size_t i = static_cast<std::size_t>(h);
    if (i + 1 >= ordenados.size()) return ordenados.back();
    const long double f = h - i;
    return static_cast<double>(ordenados[i] + f * (static_cast<long double>(ordenados[i + 1]) - ordenados[i]));
}

namespace {

// A whole number from 0 to n - 1, each equally likely: raw outputs below
// 2^64 mod n are drawn again, so that the rest falls evenly on the residues.
std::uint64_t Indice(std::mt19937_64& g, std::uint64_t n) {
    const std::uint64_t sobrante = (0 - n) % n;
    for (;;)
        if (const std::uint64_t x = g(); x >= sobrante) return x % n;
}

// The Latin hypercube's probabilities: for each of `dimensiones` quantities
// in turn, a random order of the N strata (Fisher-Yates), then a point drawn
// uniformly within each stratum.  u[i * dimensiones + j] is sample i's
// probability for quantity j, strictly between 0 and 1.  A quantity's
// numbers do not depend on the ones after it.
std::vector<double> Hipercubo(std::size_t n, std::size_t dimensiones, std::uint64_t semilla) {
    std::vector<double> u(n * dimensiones);
    std::mt19937_64 g(semilla);
    std::vector<std::uint32_t> estrato(n);
    constexpr double kMenor = 0x1p-60, kMayor = 1 - 0x1p-53;
    for (std::size_t j = 0; j < dimensiones; ++j) {
        for (std::size_t i = 0; i < n; ++i) estrato[i] = static_cast<std::uint32_t>(i);
        for (std::size_t i = n; i > 1; --i) std::swap(estrato[i - 1], estrato[Indice(g, i)]);
        for (std::size_t i = 0; i < n; ++i) {
            const double dentro = (static_cast<double>(g() >> 11) + 0.5) * 0x1p-53;  // (0, 1)
            const double x = (estrato[i] + dentro) / static_cast<double>(n);
            u[i * dimensiones + j] = std::clamp(x, kMenor, kMayor);
        }
    }
    return u;
}

struct TFormulaBase {
    int ranura;
    std::string titulo;
    std::string tallo;  // "OutpErosMaxi<k>"
    std::optional<TErrorModelo> modelo;
    std::size_t dimension = 0;  // of its model error among the hypercube's
};

enum class TEstadoMuestra : unsigned char { Pendiente, Calculada, Rechazada, Fallida };

// Samples run together between two progress reports.
constexpr std::size_t kMuestrasPorBloque = 2048;

// A sample's mark against the calibration range: 0 inside, 1 outside,
// kSinRango where the formula has no calibration range for the data.
constexpr unsigned char kSinRango = 2;

TEstadisticaFormula Estadistica(int ranura, std::string titulo, const std::vector<double>& y,
                                const std::vector<unsigned char>& fuera, const std::optional<double>& fundacion) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    TEstadisticaFormula e{ranura, std::move(titulo), 0, nan, nan, nan, nan, nan, nan, nan, {}, nan};
    if (fundacion) e.probFundacion = nan;
    std::vector<double> v;
    v.reserve(y.size());
    std::size_t nFuera = 0, nHondas = 0, nConRango = 0;
    for (std::size_t i = 0; i < y.size(); ++i) {
        if (std::isnan(y[i])) continue;
        v.push_back(y[i]);
        nFuera += fuera[i] == 1;
        nConRango += fuera[i] != kSinRango;
        if (fundacion && y[i] > *fundacion) ++nHondas;
    }
    e.validas = v.size();
    if (v.empty()) return e;
    e.sinRangos = nConRango == 0;
    // Sums of the differences from the first value: equal values give their
    // own value as mean and 0 as deviation exactly.
    const long double n = static_cast<long double>(v.size());
    long double suma = 0;
    for (double x : v) suma += static_cast<long double>(x) - v[0];
    const long double media = v[0] + suma / n;
    long double cuadrados = 0;
    for (double x : v) cuadrados += (x - media) * (x - media);
    e.media = static_cast<double>(media);
    e.desvio = v.size() > 1 ? static_cast<double>(std::sqrt(cuadrados / (n - 1))) : 0.0;
    std::sort(v.begin(), v.end());
    e.p05 = Percentil(v, 0.05);
    e.p50 = Percentil(v, 0.50);
    e.p90 = Percentil(v, 0.90);
    e.p95 = Percentil(v, 0.95);
    e.p99 = Percentil(v, 0.99);
    if (fundacion) e.probFundacion = static_cast<double>(nHondas / n);
    e.fueraCalibracion = static_cast<double>(nFuera / n);
    return e;
}

}  // namespace

TEstudioIncertidumbre EstudiarIncertidumbre(const TProblema& base, const TOpcionesIncertidumbre& o) {
    TEstudioIncertidumbre e;
    e.entradas = o.entradas;
    // The base computed alone: its texts, its formulas.
    if (auto rechazo = TextoRechazado(base.textos)) {
        e.error = std::move(*rechazo);
        return e;
    }
    TResultado r;
    r.grafico.curvas = false;
    try {
        ResolverProblema(base, r);
    } catch (const std::runtime_error& x) {
        e.error = x.what();
        return e;
    }
    std::vector<TFormulaBase> formulas;
    for (const TFila& f : r.filas)
        for (int k = 1; k <= 4; ++k)
            if (f.numero && f.tallo == TalloErosion(k))
                formulas.push_back({k, r.panel.Titulo(k), f.tallo, {}, 0});
    if (formulas.empty()) {
        e.error = "El problema no tiene fórmulas activas de erosión.";
        return e;
    }
    {
        std::vector<std::string> campos, titulos;
        for (const TEntradaIncierta& x : o.entradas) campos.push_back(x.campo);
        for (const auto& [titulo, error] : o.modelo) titulos.push_back(titulo);
        if (auto error = ErrorRepetidos(campos, titulos)) {
            e.error = std::move(error);
            return e;
        }
    }
    const std::size_t m = o.entradas.size();
    std::size_t dimensiones = m;
    for (const auto& [titulo, error] : o.modelo) {
        auto f = std::find_if(formulas.begin(), formulas.end(),
                              [&nombre = titulo](const TFormulaBase& x) { return x.titulo == nombre; });
        if (f == formulas.end()) {
            std::string activas;
            for (const TFormulaBase& x : formulas) activas += (activas.empty() ? "" : ", ") + x.titulo;
            e.error = "El problema no tiene activa la fórmula " + Mostrable(titulo) + " (activas: " + activas + ").";
            return e;
        }
        f->modelo = error;
    }
    for (TFormulaBase& f : formulas)
        if (f.modelo) f.dimension = dimensiones++;
    std::vector<const TCampo*> campos;
    for (const TEntradaIncierta& x : o.entradas) {
        campos.push_back(BuscarCampo(x.campo));
        if (!campos.back()) {
            e.error = "Campo desconocido: " + Mostrable(x.campo);
            return e;
        }
        if (const auto error = ErrorDistribucion(x.distribucion)) {
            e.error = x.campo + ": " + *error;
            return e;
        }
    }
    // Drawing d50, the grain sizes of the same grading follow it (but one
    // drawn itself) or stay.
    std::size_t indiceD50 = m;
    for (std::size_t k = 0; k < m; ++k)
        if (o.entradas[k].campo == kCampoD50) indiceD50 = k;
    std::vector<TRazonGrano> razones;
    if (indiceD50 < m) {
        const bool fija = GradacionFija(base, o.gradacion);
        e.gradacion = TextoGradacion(base, fija);
        if (fija) razones = RazonesGranos(base);
        std::erase_if(razones, [&](const TRazonGrano& r) {
            return std::any_of(o.entradas.begin(), o.entradas.end(),
                               [&](const TEntradaIncierta& x) { return x.campo == r.campo; });
        });
    }
    const std::size_t n = o.muestras;
    e.muestras = n;
    const std::vector<double> u = Hipercubo(n, dimensiones, o.semilla);
    e.valores.assign(n * m, std::numeric_limits<double>::quiet_NaN());
    const std::size_t nf = formulas.size();
    std::vector<std::vector<double>> y(nf, std::vector<double>(n, std::numeric_limits<double>::quiet_NaN()));
    std::vector<std::vector<unsigned char>> fuera(nf + 1, std::vector<unsigned char>(n, 0));
    std::vector<TEstadoMuestra> estados(n, TEstadoMuestra::Pendiente);

    // One copy of the base per sample of a block, kept from block to block:
    // a sample writes only the texts of its uncertain fields.
    const std::size_t bloque = std::min(n, kMuestrasPorBloque);
    std::vector<TProblema> copias(bloque, base);
    std::vector<std::vector<std::string*>> textos(bloque);
    for (std::size_t j = 0; j < bloque; ++j)
        for (const TEntradaIncierta& x : o.entradas) textos[j].push_back(&copias[j].textos[x.campo]);
    std::vector<std::string> mensajes(bloque);

    TOpcionesCasos oc;
    oc.cancelar = o.cancelar;
    oc.comprobarTextos = false;  // the base checked above, each drawn text below
    std::optional<TTrabajadores> propios;
    if (!o.trabajadores) propios.emplace(o.hilos);
    TTrabajadores& trabajadores = o.trabajadores ? *o.trabajadores : *propios;
    for (std::size_t inicio = 0; inicio < n; inicio += bloque) {
        const std::size_t cuantas = std::min(bloque, n - inicio);
        ResolverCasos(
            cuantas, oc, trabajadores,
            [&](std::size_t j, std::string& error) -> const TProblema* {
                const std::size_t i = inicio + j;
                for (std::size_t k = 0; k < m; ++k) {
                    const double v = o.entradas[k].distribucion.Cuantil(u[i * dimensiones + k]);
                    e.valores[i * m + k] = v;
                    const std::string valor = CifrasCortas(v);
                    if (!TextoAceptado(*campos[k], valor)) {
                        estados[i] = TEstadoMuestra::Rechazada;
                        error = o.entradas[k].campo + " = " + std::string(valor) + ": " + std::string(campos[k]->mensaje);
                        return nullptr;
                    }
                    textos[j][k]->assign(valor);
                }
                for (const TRazonGrano& r : razones) {
                    std::string& texto = copias[j].textos[std::string(r.campo)];
                    texto = TextoValor(r.razon * e.valores[i * m + indiceD50]);
                    const TCampo* c = BuscarCampo(r.campo);
                    if (c && !TextoAceptado(*c, texto)) {
                        estados[i] = TEstadoMuestra::Rechazada;
                        error = std::string(r.campo) + " = " + texto + ": " + std::string(c->mensaje);
                        return nullptr;
                    }
                }
                return &copias[j];
            },
            [&](std::size_t j, TCasoResuelto& c) {
                const std::size_t i = inicio + j;
                if (c.cancelado) return;
                // A drawn value may make the problem another type (a gate's
                // opening a confined vortex): its slots hold other formulas.
                if (!c.error && c.r.d.CodiProb != r.d.CodiProb)
                    c.error = MensajeCambioDeTipo(c.r.titulo.value_or("código " + std::to_string(c.r.d.CodiProb)));
                if (c.error) {
                    if (estados[i] != TEstadoMuestra::Rechazada) estados[i] = TEstadoMuestra::Fallida;
                    mensajes[j] = std::move(*c.error);
                    return;
                }
                estados[i] = TEstadoMuestra::Calculada;
                const TAvisos avisos = AvisosRangos(c.r.d.CodiProb, c.r.d);
                for (std::size_t f = 0; f < nf; ++f) {
                    const TFormulaBase& fb = formulas[f];
                    for (const TFila& fila : c.r.filas) {
                        if (!fila.numero || fila.tallo != fb.tallo) continue;
                        double factor = 1;
                        if (fb.modelo)
                            factor = TDistribucionIncierta{TTipoDistribucion::Lognormal, {fb.modelo->sesgo, fb.modelo->cv, 0}}
                                         .Cuantil(u[i * dimensiones + fb.dimension]);
                        y[f][i] = static_cast<double>(static_cast<long double>(*fila.numero) * factor);
                        // A depth beyond the double range is a fault of the
                        // sample, not a depth: the sample fails whole.
                        if (!std::isfinite(y[f][i])) {
                            for (std::vector<double>& yf : y) yf[i] = std::numeric_limits<double>::quiet_NaN();
                            estados[i] = TEstadoMuestra::Fallida;
                            mensajes[j] = fb.titulo + " con su error: " + kTextoDesborde;
                            return;
                        }
                    }
                    const TAvisoRanura& a = avisos[fb.ranura - 1];
                    fuera[f][i] = !a.conCalibracion ? kSinRango : a.estado != TEstadoRango::Calibracion;
                }
            });
        for (std::size_t j = 0; j < cuantas; ++j) {
            const std::size_t i = inicio + j;
            if (estados[i] == TEstadoMuestra::Pendiente) e.cancelado = true;
            std::string& primero = estados[i] == TEstadoMuestra::Rechazada ? e.primerRechazo : e.primerFallo;
            if (estados[i] == TEstadoMuestra::Rechazada) ++e.rechazadas;
            if (estados[i] == TEstadoMuestra::Fallida) ++e.fallidas;
            if ((estados[i] == TEstadoMuestra::Rechazada || estados[i] == TEstadoMuestra::Fallida) && primero.empty())
                primero = mensajes[j];
            mensajes[j].clear();
        }
        if (e.cancelado) return e;
        if (o.avance) o.avance(inicio + cuantas, n);
    }

    // The envelope: the largest depth of the sample's formulas, outside
    // calibration as the formula that gave it.  A negative result is no
    // depth: when every formula gives one, the envelope is 0, no scour.
    std::vector<double> envolvente(n, std::numeric_limits<double>::quiet_NaN());
    for (std::size_t i = 0; i < n; ++i) {
        std::size_t mayor = nf;
        bool calculada = true;
        for (std::size_t f = 0; f < nf; ++f) {
            if (std::isnan(y[f][i])) {
                calculada = false;
                break;
            }
            if (!(y[f][i] < 0) && (mayor == nf || y[f][i] > y[mayor][i])) mayor = f;
        }
        if (!calculada) continue;
        envolvente[i] = mayor == nf ? 0.0 : y[mayor][i];
        fuera[nf][i] = mayor == nf ? 0 : fuera[mayor][i];
    }
    for (std::size_t f = 0; f < nf; ++f)
        e.formulas.push_back(Estadistica(formulas[f].ranura, formulas[f].titulo, y[f], fuera[f], o.fundacion));
    e.formulas.push_back(Estadistica(0, "envolvente", envolvente, fuera[nf], o.fundacion));
    y.push_back(std::move(envolvente));
    e.profundidades = std::move(y);
    return e;
}

std::string TextoFueraCalibracion(const TEstadisticaFormula& f) {
    if (f.sinRangos) return "sin rangos";
    if (std::isnan(f.fueraCalibracion)) return "-";
    std::string t = NumeText(f.fueraCalibracion, 6, 4);
    t.erase(0, t.find_first_not_of(' '));
    return t;
}

TTablaIncertidumbre TablaIncertidumbre(const TEstudioIncertidumbre& e, const std::optional<double>& fundacion) {
    TTablaIncertidumbre t;
    t.encabezado = {"Fórmula", "Media [m]", "Desvío [m]", "P5 [m]", "P50 [m]", "P90 [m]", "P95 [m]", "P99 [m]"};
    if (fundacion) t.encabezado.push_back("P(ys > " + TextoValor(*fundacion) + " m)");
    t.encabezado.push_back("Fuera de calibración");
    auto profundidad = [](double y) { return std::isnan(y) ? std::string("-") : NumeText(y, 5, 2); };
    auto parte = [](double p) { return std::isnan(p) ? std::string("-") : NumeText(p, 6, 4); };
    for (const TEstadisticaFormula& f : e.formulas) {
        std::vector<std::string>& fila = t.filas.emplace_back();
        fila.push_back(f.titulo);
        for (double y : {f.media, f.desvio, f.p05, f.p50, f.p90, f.p95, f.p99}) fila.push_back(profundidad(y));
        if (fundacion) fila.push_back(parte(f.probFundacion.value_or(std::numeric_limits<double>::quiet_NaN())));
        fila.push_back(TextoFueraCalibracion(f));
        for (std::string& c : fila) c.erase(0, c.find_first_not_of(' '));
    }
    return t;
}
