// An uncertainty study: some input fields of a problem drawn from
// probability distributions, each formula's own error as a lognormal factor
// on its depth, and the equilibrium scour depths of the samples summed up as
// statistics: mean, standard deviation, percentiles and the probability of
// exceeding a foundation depth, per formula and for the envelope (the
// largest depth of the formulas in each sample).
//
// The samples are a Latin hypercube: for N samples the probability range of
// each uncertain quantity is cut into N strata of equal probability and
// every stratum holds exactly one sample, the strata of different
// quantities paired at random.  The uniform numbers come from the raw output
// of std::mt19937_64, which the C++ standard fixes bit for bit, turned into
// values by Boost.Math's quantile functions: the same seed gives the same
// samples with every standard library, and each sample's result does not
// depend on the thread that ran it, so a study repeats bit for bit on any
// number of threads.  Each sample is a case of the case runner, without
// evolution curves.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "problem/untProblema.h"

inline constexpr std::size_t kMuestrasMinimo = 100;
inline constexpr std::size_t kMuestrasMaximo = 1000000;
inline constexpr std::size_t kMuestrasPorDefecto = 10000;
// Fixed, so that a study given no seed repeats exactly.
inline constexpr std::uint64_t kSemillaPorDefecto = 1;
// Largest seed: every whole number up to it is exact as a double.
inline constexpr std::uint64_t kSemillaMaxima = 9007199254740992ULL;  // 2^53

enum class TTipoDistribucion { Normal, Lognormal, Uniforme, Triangular };

// A distribution and its parameters: Normal and Lognormal take the mean and
// the coefficient of variation (standard deviation / mean) in a[0], a[1];
// Uniforme the minimum and maximum in a[0], a[1]; Triangular the minimum,
// the mode and the maximum in a[0], a[1], a[2].  A coefficient of variation
// of 0, like a lognormal's, gives the mean itself.
struct TDistribucionIncierta {
    TTipoDistribucion tipo = TTipoDistribucion::Normal;
    std::array<double, 3> a{};

    // The value whose probability of not being exceeded is u, 0 < u < 1.
    // Beyond the double range it is infinite (a field then rejects it).
    double Cuantil(double u) const;
};

// Name as the user writes it: "normal", "lognormal", "uniforme", "triangular".
const char* NombreDistribucion(TTipoDistribucion tipo);

// A distribution and its parameters checked (a coefficient of variation not
// below 0, a lognormal's mean above 0, a normal's mean not 0 when it
// varies, min < max, the mode between them); the message for the user, or
// nothing when they make a distribution.
std::optional<std::string> ErrorDistribucion(const TDistribucionIncierta& d);

class TTrabajadores;

struct TEntradaIncierta {
    std::string campo;  // field name without its "edt" prefix
    TDistribucionIncierta distribucion;
};

// The error of a formula itself: its depth multiplied by a lognormal factor
// of mean `sesgo` (mean of measured / predicted depth) and coefficient of
// variation `cv`.
struct TErrorModelo {
    double sesgo = 1;
    double cv = 0;
};

struct TLecturaIncierta {
    std::optional<TEntradaIncierta> entrada;
    std::string error;
};

// "CAMPO=DIST" as the command line takes it, DIST one of normal:MEDIA:CV,
// lognormal:MEDIA:CV, uniforme:MIN:MAX, triangular:MIN:MODA:MAX; MEDIA may
// be "*" for the value of the field's text in `base`.  The field must be
// one `base` reads.
TLecturaIncierta LeerIncierta(std::string_view texto, const TProblema& base);
// The same text read as far as it can be without a problem (the field
// known, the distribution and its numbers, a mean "*" standing for any
// value), as a batch checks it before its first line; the message, or
// nothing when it reads.
std::optional<std::string> ErrorIncierta(std::string_view texto);

struct TLecturaModelo {
    std::string formula;  // caption of the formula ("CSU")
    TErrorModelo error;
    std::string mensaje;  // empty when it reads
};
// A formula whose depths are off by more than these is no estimate: the
// largest bias and coefficient of variation a model error takes (the
// shipped field rows give biases near 1 and CVs up to about 7).
inline constexpr int kSesgoModeloMaximo = 100;
inline constexpr int kCvModeloMaximo = 100;
// "FORMULA=SESGO:CV": a bias above 0 and a coefficient of variation not
// below 0, neither above its largest.
TLecturaModelo LeerModelo(std::string_view texto);

// A number of samples (kMuestrasMinimo to kMuestrasMaximo) or a seed (0 to
// kSemillaMaxima), both whole numbers; nothing when the text is not one.
std::optional<std::size_t> LeerMuestras(std::string_view texto);
std::optional<std::uint64_t> LeerSemilla(std::string_view texto);

// A field given twice among the uncertain inputs, or a formula twice among
// the model errors (the later one would silently replace the earlier): the
// message; nothing when each name comes once.
std::optional<std::string> ErrorRepetidos(const std::vector<std::string>& campos,
                                          const std::vector<std::string>& formulas);

struct TOpcionesIncertidumbre {
    std::vector<TEntradaIncierta> entradas;
    // Model errors by the caption of the formula; off for the others.
    std::vector<std::pair<std::string, TErrorModelo>> modelo;
    std::size_t muestras = kMuestrasPorDefecto;
    std::uint64_t semilla = kSemillaPorDefecto;
    std::optional<double> fundacion;  // foundation depth below the bed, m
    // With d50 drawn: keep d84/d50 and d90/d50 of the base (true) or hold
    // d84 and d90 at their texts (false); nothing: GradacionFija's default.
    // A grain size drawn itself keeps its own draw.
    std::optional<bool> gradacion{};
    unsigned hilos = 0;               // 0: the machine's cores
    // Threads kept by the caller (a batch's, for study after study); `hilos`
    // is then not read.
    TTrabajadores* trabajadores = nullptr;
    // Hears the samples done after each block; `cancelar` stops the study
    // between blocks.
    std::function<void(std::size_t hechas, std::size_t total)> avance;
    const std::atomic<bool>* cancelar = nullptr;
};

// Statistics of one formula's depths (m) over the samples computed.
struct TEstadisticaFormula {
    int ranura;           // slot 1 to 4; 0 for the envelope
    std::string titulo;   // "CSU"; "envolvente" for the envelope
    std::size_t validas;  // samples with a depth
    // NaN where no sample has a depth.
    double media, desvio, p05, p50, p90, p95, p99;
    std::optional<double> probFundacion;  // share of samples deeper than the foundation
    // Share of the samples whose data lie outside the formula's calibration
    // range (0 for a formula without one); for the envelope, outside the
    // range of the formula that gave the sample's largest depth.
    double fueraCalibracion;
    // No sample had a calibration range to compare with (the pier's
    // formulas): the share above means nothing and is shown as "sin rangos".
    bool sinRangos = false;
};

// The share outside calibration as the tables show it: 4 decimals, or
// "sin rangos".
std::string TextoFueraCalibracion(const TEstadisticaFormula& f);

struct TEstudioIncertidumbre {
    std::optional<std::string> error;  // the study could not start: nothing else holds
    std::size_t muestras = 0;
    std::size_t rechazadas = 0;  // a drawn value its field rejects (the first message below)
    // The computation faulted, or the drawn values made the problem another
    // type, whose formulas are not the base's (the first message below).
    std::size_t fallidas = 0;
    std::string primerRechazo, primerFallo;
    bool cancelado = false;
    std::vector<TEntradaIncierta> entradas;
    // With d50 drawn: what was done with the other grain sizes
    // (TextoGradacion); empty otherwise.
    std::string gradacion;
    // The formulas in slot order, then the envelope.
    std::vector<TEstadisticaFormula> formulas;
    // Sample i's value of input j at valores[i * entradas.size() + j], and
    // its depth by formula f at profundidades[f][i] (NaN when not computed),
    // the model error included; the envelope last.
    std::vector<double> valores;
    std::vector<std::vector<double>> profundidades;
};

// Runs the study around `base`, whose other fields keep their texts.  The
// base is computed first: when it cannot be (a rejected text, a fault),
// when a model error names no formula of the problem, or when a field or a
// formula is given twice, the study does not start and says why.  A sample
// whose depth with its model error overflows the double range fails
// ("Floating point overflow").
TEstudioIncertidumbre EstudiarIncertidumbre(const TProblema& base, const TOpcionesIncertidumbre& opciones);

// The percentile p (0 to 1) of sorted values, interpolated linearly between
// the two nearest ranks: position (n - 1) p.
double Percentil(const std::vector<double>& ordenados, double p);

// The study as a table: a header, then a row per formula and the envelope
// (depths with 2 decimals, shares with 4).
struct TTablaIncertidumbre {
    std::vector<std::string> encabezado;
    std::vector<std::vector<std::string>> filas;
};
TTablaIncertidumbre TablaIncertidumbre(const TEstudioIncertidumbre& e, const std::optional<double>& fundacion);

// When no sample of a study could be computed, what the front ends say
// instead of its empty statistics: "Ninguna muestra se pudo calcular: ..."
// with the counts and the first message of each kind; nothing otherwise.
std::optional<std::string> MensajeSinMuestras(const TEstudioIncertidumbre& e);
