// What the window and the report make of an uncertainty study: the
// influence of each input on each formula (Spearman's rank correlation of
// the samples), the exceedance curves, the CSV files, the default model
// errors of the formulas that have a measured record, and the report's page
// "Estudio de incertidumbre".  Qt-free.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "problem/untProblema.h"
#include "results/untIncertidumbre.h"
#include "results/untReporte.h"
#include "results/untValidacion.h"

// Spearman's rank correlation of the pairs (x[i], y[i]) whose two values are
// numbers (a NaN leaves its pair out): Pearson's correlation of the ranks,
// tied values sharing the mean of their ranks.  NaN with fewer than three
// pairs or when either side does not vary.
double CorrelacionSpearman(std::span<const double> x, std::span<const double> y);

// The influence of input `entrada` (index into the study's entradas) on a
// formula: its rank correlation with the formula's depth.
struct TInfluencia {
    std::size_t entrada;
    double rho;
};

// Per formula of the study (the envelope last, as in e.formulas), each
// input's correlation with its depth, the largest |rho| first (NaN last).
std::vector<std::vector<TInfluencia>> InfluenciasSpearman(const TEstudioIncertidumbre& e);

// An exceedance curve: depths ascending, each with the probability that a
// sample's depth exceeds it, (n - i - 1/2) / n for the i-th of n sorted
// depths (never 0 nor 1, so that a logarithmic axis shows it whole).
struct TCurvaExcedencia {
    int ranura;          // 1 to 4; 0 for the envelope
    std::string titulo;  // "CSU"; "envolvente"
    std::vector<double> profundidad, probabilidad;
};

// The curves of the study's formulas and envelope, each thinned to at most
// about `puntos` points spread evenly in probability, on a linear and on a
// logarithmic scale, both ends kept.  A formula without depths has none.
std::vector<TCurvaExcedencia> CurvasExcedencia(const TEstudioIncertidumbre& e, std::size_t puntos = 400);

// The study's table as CSV (full precision, a row per formula and the
// envelope), then the lines "Muestras", "Rechazadas" and "Fallidas", and
// what the study `o` was: "Semilla", "Profundidad de fundación [m]" (when
// given), a line per input ("Entrada,FlujCaud,lognormal,media,3000,CV,0.3")
// and per formula error ("Error de la fórmula,CSU,sesgo,1,CV,0.3"; "Error de
// la fórmula,ninguno" when none was added).
std::string CsvResumenIncertidumbre(const TEstudioIncertidumbre& e, const TOpcionesIncertidumbre& o);

// Every sample: its number (from 1), each input's value (header
// "FlujCaud [m³/s]"), each formula's depth with its model error and the
// envelope ("CSU [m]", "envolvente [m]"); cells of a sample not computed
// are empty.  Full precision.
std::string CsvMuestrasIncertidumbre(const TEstudioIncertidumbre& e);

// The default error of a formula: the bias (mean of measured / predicted
// depth) and the coefficient of variation of the ratio from the program's
// own run of the pier formulas over the field measurements shipped with
// it: Benedict, S.T. and Caldwell, A.W. (2014), "A pier-scour database:
// 2,427 field and laboratory measurements of pier scour", U.S. Geological
// Survey Data Series 845, its field measurements
// (data/validacion/usgs_campo.csv, the figures of "--validar").  Only the
// pier (code 22) has such a record; nothing for any other formula.
//
// The gradation factor decides how a pier formula does (the figures of the
// rows with Ksigma below kGradacionBaja and of the others differ by half),
// so with the case's Ksigma the figures are those of the rows of its class;
// the pooled rows only when that class has fewer than
// kMedicionesSubconjunto rows for the formula, and then `subconjunto` says so.
inline constexpr std::size_t kMedicionesSubconjunto = 30;

struct TErrorModeloPorDefecto {
    TErrorModelo error;
    std::size_t mediciones;   // rows of the field file that count
    std::string subconjunto;  // which rows: "filas de campo con Kσ < 0.5 (Kσ del caso 0.378)" ...
};
std::optional<TErrorModeloPorDefecto> ErrorModeloPorDefecto(int codigo, std::string_view formula,
                                                            std::optional<double> factorGradacion = std::nullopt);
// The same with the class's own rows and the threshold given (the shipped
// figures: CifrasCampo() and kMedicionesSubconjunto).
std::optional<TErrorModeloPorDefecto> ErrorModeloPorDefecto(int codigo, std::string_view formula,
                                                            std::optional<double> factorGradacion,
                                                            const TCifrasCampo& cifras, std::size_t minimo);

// The source of those figures, as the window's tooltip cites it.
inline constexpr const char* kFuenteErrorModelo =
    "Benedict y Caldwell (2014), USGS Data Series 845, mediciones de campo de erosión en pilas";

// ---- The report's page "Estudio de incertidumbre".

inline constexpr const char* kTituloPaginaIncertidumbre = "Estudio de incertidumbre";

struct TReporteIncertidumbre {
    std::vector<std::string> entradas;  // one line per uncertain input
    std::vector<std::string> modelo;    // one line per formula with its error on
    std::string muestreo;               // samples, seed, rejected
    TTablaIncertidumbre tabla;
    std::vector<TCurvaExcedencia> curvas;
    std::optional<double> fundacion;
    bool logaritmica = false;  // the probability axis as the window shows it
    std::string fecha;         // "AAAA-MM-DD"
};

// The line of an input as the report prints it, under the field's caption
// (the program's internal field name is for the command line, not here):
// "Caudal [m^3/s]: lognormal, media 3000, CV 0.3".
std::string LineaEntradaIncierta(const TEntradaIncierta& x, ProblemCode codigo);

// The page's texts from a study of `base` run with `o`.
TReporteIncertidumbre ReporteIncertidumbre(const TProblema& base, const TOpcionesIncertidumbre& o,
                                           const TEstudioIncertidumbre& e, bool logaritmica, std::string fecha);

// The items of the page: the title where the first page has the problem's,
// "Entradas inciertas", "Error de las fórmulas" (left out when none is on),
// "Muestreo", the table (a column per statistic, headings wrapped), then the
// exceedance chart down to the foot (date left, problem title right).
TDisposicionAvisos DisponerPaginaIncertidumbre(const TReporteIncertidumbre& r, std::string_view tituloProblema);
