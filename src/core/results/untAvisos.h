// Validity warnings: the data of a calculation compared with the calibration
// and validation ranges of each formula.  Several formulas were fitted in
// laboratory flumes (d50 of a few millimetres, depths of decimetres); for a
// river most results are extrapolations, and these warnings say so beside
// each result, in the one-line summary below the rows and in turmado-calc.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compute/untFilas.h"
#include "problem/untDatos.h"
#include "problem/untFormulas.h"
#include "results/untRangos.h"

// Where the data lie for one formula.
enum class TEstadoRango {
    Calibracion,  // inside every compared calibration range
    Validacion,   // not inside calibration, inside every compared validation range
    Fuera,        // inside neither
    SinRangos,    // the formula has no range table (or no row the data determine)
    // States of the result itself, which outrank the ranges (AvisosResultado):
    NoAplicable,  // the flow is not of the kind the formula is for (a clear-water law in live bed)
    SinErosion,   // the formula gives a negative depth: no local scour
};

// Name of a state as turmado-calc writes it: "calibracion", "validacion",
// "fuera", "sin_rangos", "no_aplicable", "sin_erosion".
const char* NombreEstado(TEstadoRango estado);

// The row's quantity for a code, or nullptr when the mapping has no entry
// (every row of every table has one).
const TMagnitudRango* MagnitudRango(std::string_view parametro, ProblemCode codigo);

// Why cells of the table are not compared with the data, one sentence per
// row or cell left out, for the range window; empty when every cell is.
std::vector<std::string> NotasRango(const TTablaRango& tabla);

// A range cell read as numbers: "lower/upper" or one value (lower = upper).
// "-", an empty cell and words are not ranges.
struct TIntervalo {
    double inferior;
    double superior;
};
std::optional<TIntervalo> LeerRango(std::string_view texto);

// A parameter outside at least one of its compared ranges.
struct TParametroFuera {
    std::string nombre;          // "d50"
    double valor;                // in the table's unit
    std::string unidad;          // the table's unit without brackets ("mm")
    std::string calibracion;     // range texts; empty where the cell is not compared
    std::string validacion;
    bool dentroCalibracion;      // meaningful only where the cell is compared
    bool dentroValidacion;
    std::string texto;           // "d50 = 85 mm, calibración 1.40/2.80, validación 0.82/2.80"
};

struct TAvisoRanura {
    TEstadoRango estado = TEstadoRango::SinRangos;
    std::string motivo;  // NoAplicable and SinErosion: why, in one sentence
    bool conCalibracion = false;  // the table has a calibration range for the data
    bool conValidacion = false;   // ... and a validation range
    std::vector<TParametroFuera> fuera;
};

using TAvisos = std::array<TAvisoRanura, 4>;  // slot k at index k - 1

// Compares the record with the range table of each slot of the code.
// Bounds are inclusive.  A cell that is "-", empty or a word is not compared;
// nor are the rows the mapping leaves out.  The calibration (validation)
// column holds the data when it has at least one compared cell and every
// compared cell holds its value.
TAvisos AvisosRangos(ProblemCode codigo, const TDatosProblema& d);

// The ranges (AvisosRangos), then what the results say of themselves: a
// formula applied to a flow it is not for (the abutment's "Dietz", a
// clear-water law, with U > Uc) is NoAplicable; a scour row of `filas`
// with a negative number is SinErosion.  Every view of a solution's results
// (window, turmado-calc, batch, report) reads these.
TAvisos AvisosResultado(ProblemCode codigo, const TDatosProblema& d, const std::vector<TFila>& filas);

// The sentence of a NoAplicable state of slot k of the code on the record,
// or empty when the formula applies (also for a slot without such a rule).
std::string FueraDeRegimen(ProblemCode codigo, int k, const TDatosProblema& d);

// Marker beside a result: none inside calibration, a half-filled circle for
// validation only, a warning sign outside both.
std::string MarcaAviso(TEstadoRango estado);

// Tooltip of the marker: what the state means, then one line per parameter
// outside.  Empty inside calibration and without ranges.
std::string TextoAviso(const TAvisoRanura& aviso);

// The state in one line, for every state: the first line of the tooltip,
// "Datos dentro del rango de calibración." or the message that the formula
// has no ranges.
std::string EstadoAviso(const TAvisoRanura& aviso);

// The lines below the rows: how many active formulas have their data
// outside every range they have, in plain words (the markers say which), one
// line for those outside both ranges and one for each kind of formula with a
// single kind of range (never said to be outside both).  Empty when there is
// none.
std::string ResumenAvisos(const TAvisos& avisos, const TPanelFormulas& panel);

// Marker and tooltip of a results row: the equilibrium-scour row of an
// active slot (stem OutpErosMaxi<k>) carries its slot's; any other row none.
struct TAvisoFila {
    std::string marca;
    std::string texto;
};
TAvisoFila AvisoDeFila(const TFila& fila, const TAvisos& avisos, const TPanelFormulas& panel);
