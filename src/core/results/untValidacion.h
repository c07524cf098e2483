// The formulas against measured scour: a validation file is a batch file
// (one case a line) with the column "ys_medida", the measured scour in m.
// Every case is run, and for each formula the ratio measured / predicted of
// the rows where both are known is summed up: how often the formula
// under-predicted, by how much it over-predicts on average, how wide the
// scatter is.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
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
    std::optional<double> medida;     // ys_medida, m; nothing when it is not a measurement (the row is then rejected)
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

// One formula of one structure is one column of a batch: its key
// ("ys_pila_breusers_m") tells it from a formula of another structure that
// bears the same author's name ("Breusers" of a pier, of a culvert, of an
// abutment).
struct TValidacion {
    // The header cannot be used ("línea 1: ..."), or the file has no
    // column ys_medida.
    std::optional<std::string> errorArchivo;
    std::vector<std::string> columnas;        // the input columns
    // What the tables show of each formula, in the order first met: its
    // caption ("CSU"), with its key beside it ("Breusers (ys_pila_breusers_m)")
    // where two formulas of the file share a caption.
    std::vector<std::string> formulas;
    std::vector<std::string> claves;          // the batch key of each formula
    std::vector<TFilaValidacion> filas;       // every case line, in file order (Validar only)
    std::size_t casos = 0;                    // case lines read
    // Messages of the rejected rows, each with its count, in the order first
    // met; lineasRechazadas[i] holds the lines of message i.
    std::vector<std::pair<std::string, std::size_t>> rechazados;
    std::vector<std::vector<std::size_t>> lineasRechazadas;
    bool cancelada = false;
    // Reading the input failed (its stream buffer threw): why, after
    // `lineasLeidas` lines; the rows before it are counted.
    std::optional<std::string> fallaLectura;
    std::size_t lineasLeidas = 0;
};

struct TEstadistica {
    std::string formula;
    std::string clave;           // the formula's batch key
    std::size_t n = 0;           // rows that count
    double sesgo = 0;            // mean of measured / predicted
    double mediana = 0;          // median ratio
    std::optional<double> cv;    // sample standard deviation (n - 1) over the mean; nothing below 2 rows
    double subestimados = 0;     // share of ratios above 1, 0 to 1
    double r95 = 0;              // 95th percentile, linear between order statistics
};

// Runs every case of the file on `hilos` threads (0: the machine's cores).
// `cancelar`, set from another thread, stops it early (cancelada).  A row
// is rejected, with its reason, when its line cannot be read into a case,
// when its ys_medida is empty, not a number, not finite or negative (a
// measured zero is a pier without scour, and counts), or when its case
// fails.
TValidacion Validar(std::istream& entrada, unsigned hilos = 0, const std::atomic<bool>* cancelar = nullptr);

// The same run read and computed in blocks, each row handed to `fila` in
// file order as soon as its block is done, none kept: memory does not grow
// with the file.  A row's predichas are indexed as the formulas known so far
// (the returned v.formulas and v.claves hold them all); v.filas stays empty.
TValidacion ValidarPorFilas(std::istream& entrada, const std::function<void(TFilaValidacion&)>& fila,
                            unsigned hilos = 0, const std::atomic<bool>* cancelar = nullptr);

// The ratios of every formula gathered row by row, for the statistics
// without the rows.
class TCocientes {
public:
    // `incluir` (when given) picks the rows.
    explicit TCocientes(bool (*incluir)(const TFilaValidacion&) = nullptr) : incluir_(incluir) {}
    void Agregar(const TFilaValidacion& f);
    // The statistics of every formula of v with at least one row that counts.
    std::vector<TEstadistica> Estadisticas(const TValidacion& v) const;

private:
    bool (*incluir_)(const TFilaValidacion&);
    std::vector<std::vector<double>> cocientes_;
};

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
// use: every row, the rows whose Ksigma is below kGradacionBaja and those
// whose Ksigma is not.
struct TCifrasCampo {
    std::vector<TEstadistica> todas;
    std::vector<TEstadistica> gradacionBaja;
    std::vector<TEstadistica> gradacionAlta;
};
const TCifrasCampo& CifrasCampo();

// The line a formula's depth adds to its tooltip on the results page:
// "Contra mediciones (USGS, campo): sesgo 0.42, subestimó 5 %" for a pier
// formula (code 22) with rows in the shipped field file; empty otherwise.
std::string LineaContraMediciones(int codigo, std::string_view formula);
