// The formulas against measured scour: a validation file is a batch file
// (one case a line) with the column "ys_medida", the measured scour in m.
// Every case is run, and for each formula the ratio measured / predicted of
// the rows where both are known is summed up: how often the formula
// under-predicted, by how much it over-predicts on average, how wide the
// scatter is.
#pragma once

#include <atomic>
#include <cstddef>
#include <istream>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct TFilaValidacion {
    std::size_t linea = 0;           // line of the file, from 1
    std::vector<std::string> celdas;  // the input cells
    std::optional<double> medida;     // ys_medida, m; nothing when empty or not a number
    std::string sitio, fecha;         // the measurement's name, when the file gives it
    std::optional<std::string> error;  // the row was rejected: why
    // Equilibrium depth of each formula of TValidacion::formulas, m; nothing
    // where the formula is not active in this row.
    std::vector<std::optional<double>> predichas;
    std::optional<double> factorGradacion;  // Ksigma of a pier
    std::optional<double> d84d50;           // d84/d50 of a pier

    // measured / predicted of formula i, when the row counts for it: its
    // predicted depth is above zero and the measured one is known.
    std::optional<double> Cociente(std::size_t i) const;
};

struct TValidacion {
    std::optional<std::string> errorArchivo;  // the header cannot be used ("línea 1: ...")
    std::vector<std::string> columnas;        // the input columns
    std::vector<std::string> formulas;        // captions, in the order first met
    std::vector<TFilaValidacion> filas;       // every case line, in file order
    // Messages of the rejected rows, each with its count, in the order first met.
    std::vector<std::pair<std::string, std::size_t>> rechazados;
    bool cancelada = false;
};

struct TEstadistica {
    std::string formula;
    std::size_t n = 0;           // rows that count
    double sesgo = 0;            // mean of measured / predicted
    double mediana = 0;          // median ratio
    std::optional<double> cv;    // sample standard deviation (n - 1) over the mean; nothing below 2 rows
    double subestimados = 0;     // share of ratios above 1, 0 to 1
    double r95 = 0;              // 95th percentile, linear between order statistics
};

// Runs every case of the file on `hilos` threads (0: the machine's cores).
// `cancelar`, set from another thread, stops it early (cancelada).
TValidacion Validar(std::istream& entrada, unsigned hilos = 0, const std::atomic<bool>* cancelar = nullptr);

// The statistics of a list of ratios; nothing for an empty one.
std::optional<TEstadistica> Estadistica(std::string formula, std::vector<double> cocientes);

// The statistics of every formula with at least one row that counts, in
// the order of v.formulas.  `incluir` (when given) picks the rows.
std::vector<TEstadistica> Estadisticas(const TValidacion& v, bool (*incluir)(const TFilaValidacion&) = nullptr);

// The per-row CSV: the input cells, "ys_medida_m", then per formula its
// prediction and its ratio (full precision, empty where there is none), then
// "error".
void EscribirFilas(std::ostream& salida, const TValidacion& v);

// The summary as CSV, the table the window shows at full precision: a
// header "formula,n,sesgo,mediana,cv,subestimados,r95" and a row per
// formula of Estadisticas (subestimados a fraction, cv empty below two
// rows), then "Casos,<rows>" and a line "Rechazados,<count>,<message>" per
// message.
std::string CsvResumenValidacion(const TValidacion& v);

// The validation files shipped with the program (data/validacion, converted
// from the USGS pier-scour database by tools/mediciones.py), built in.
struct TConjuntoValidacion {
    std::string_view nombre;   // "USGS, campo"
    std::string_view archivo;  // "usgs_campo.csv"
    std::string_view (*datos)();
};
std::span<const TConjuntoValidacion> ConjuntosValidacion();

// Below this gradation factor Ksigma a pier's depths are less than half of
// those of a uniform sand.
inline constexpr double kGradacionBaja = 0.5;

// The figures of the shipped field measurements, computed once, on first
// use: every row, and the rows whose Ksigma is below kGradacionBaja.
struct TCifrasCampo {
    std::vector<TEstadistica> todas;
    std::vector<TEstadistica> gradacionBaja;
};
const TCifrasCampo& CifrasCampo();

// The line a formula's depth adds to its tooltip on the results page:
// "Contra mediciones (USGS, campo): sesgo 0.42, subestimó 5 %" for a pier
// formula (code 22) with rows in the shipped field file; empty otherwise.
std::string LineaContraMediciones(int codigo, std::string_view formula);
