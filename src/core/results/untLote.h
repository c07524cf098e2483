// A batch of cases: CSV in, CSV out.  The header names the columns: data
// fields without their "edt" prefix, and "codigo" (the code of the wizard
// answers: 0, 1, 2, 3, 11, 12, 21, 22 or 31), "chorro" (0 "impacta sobre
// superficie libre", 1 "desliza sobre escalón", empty when not asked) and
// "rugosidad" (1 for "Altura de rugosidad", 0 or empty for "Coeficiente de
// Manning"); missing columns take their defaults; the columns of
// ColumnasSinLeer are carried through unread, and "#" lines before the
// header are skipped.  Each following line is one
// case, each cell exactly what would be typed in the field.  The separator is
// the comma, or the semicolon when the header has semicolons and no comma;
// cells may be quoted ("...", with "" for a quote).  Blank lines are skipped,
// before the header too.
//
// A cell of a field that the line's problem does not read is ignored: an
// empty one silently, one holding a text with a data warning that names the
// field.  A field the problem reads takes the cell as typed (an empty cell is
// then rejected where the field rejects an empty text).
//
// The output has the same separator: the input columns, "titulo", then a
// fixed set of columns, the same for any input (ColumnasLote): one per keyed
// results row of every problem type, the validity of each formula's data, and
// the data warnings.  A case fills the cells of the rows it has and leaves the
// others empty.  A bad line (wrong number of cells, a rejected text, a missing
// jet answer, a floating-point fault ...) is reported with its line number
// and the other lines still run.
#pragma once

#include <cstddef>
#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "results/untIncertidumbreLote.h"
#include "results/untLecturaCasos.h"

// Why a batch stopped before the end of its input.
enum class TCorteLote {
    Ninguno,  // every line was read and every output line written
    Salida,   // the output could not be written (the stream failed)
    Entrada,  // the input could not be read (its stream buffer threw)
};

struct TResumenLote {
    std::size_t casos = 0;    // lines that held a case, good or bad
    std::size_t fallidos = 0;  // bad lines
    std::vector<TFalloLote> fallos;  // the bad lines, when TOpcionesLote::fallo is not given
    TCorteLote corte = TCorteLote::Ninguno;
    std::string motivo;       // with TCorteLote::Entrada, the reason the read failed
    std::size_t lineas = 0;   // input lines read whole
};

// The names of the output's fixed columns: stable keys (shields, ys_pila_csu_m,
// validez_pila_csu ...) or the captions of the results page with "validez1"
// to "validez4" per formula slot (a caption shared by several types is one
// column).
enum class TColumnasLote { Claves, Textos };

struct TOpcionesLote {
    bool curvas = false;            // compute the evolution curves too (the output never shows them)
    unsigned hilos = 0;             // threads; 0: the machine's cores
    bool numerosCompletos = false;  // numbers with the shortest digits that read back exactly
    TColumnasLote columnas = TColumnasLote::Claves;
    // The uncertainty study of every computed line (untIncertidumbreLote):
    // its columns after "avisos_datos".
    std::optional<TIncertidumbreLote> incertidumbre;
    // Called after each block of cases with the case lines read so far.
    std::function<void(std::size_t hechos)> avance;
    // Called for each bad line in input order, as soon as it is known; when
    // absent the bad lines are kept in the summary.
    std::function<void(const TFalloLote&)> fallo;
};

// The output columns after "titulo", in order.
std::vector<std::string> ColumnasLote(TColumnasLote columnas);

// Runs the batch.  The header goes out as soon as the input's header is read;
// then lines are read, run on several threads and written in blocks of a
// bounded size, in input order, each block as soon as it is done.  A block
// is run as soon as the input has no more bytes ready (in_avail() of its
// stream buffer), so that a case typed into a pipe is answered at once.  The
// output is flushed after each block; when it fails the batch stops.  A
// read error of the input is an exception thrown by its stream buffer: the
// lines read before it still run, then the batch stops.  A header that cannot
// be used (missing, unknown or repeated column) is one failure at its line;
// then no case runs and nothing is written.
TResumenLote EjecutarLote(std::istream& entrada, std::ostream& salida, const TOpcionesLote& opciones = {});

// A batch held by a program instead of a file: the header's column names and
// each case's cells, already split.  The same columns, defaults, checks and
// results as a CSV batch, on the same threads.
struct TCeldaLote {
    std::string texto;             // the cell as the CSV output writes it
    std::optional<double> numero;  // the number it shows rounded, when it shows one
};
struct TCasoTabla {
    std::string titulo;  // the results title
    // The fixed columns the case fills (index into ColumnasLote, without the
    // last, "avisos_datos"), in column order; then, with a study, each of
    // its columns (TEstudioLote::Columnas) at index ColumnasLote().size() +
    // its own, the message last without a number.
    std::vector<std::pair<std::size_t, TCeldaLote>> celdas;
    std::string avisos;                 // "avisos_datos"
    std::optional<std::string> error;   // a bad case: why (the rest is then empty)
};
// celdas(i, c) puts case i's cells into c, one per column; entregar(i, caso)
// hears case i.  Both run on the thread that runs the case; the cases come
// in blocks, so that memory does not grow with n.
using TCeldasDeEntrada = std::function<void(std::size_t i, std::vector<std::string>& celdas)>;
using TEntregaDeTabla = std::function<void(std::size_t i, TCasoTabla& caso)>;
// Throws std::invalid_argument with the header's message ("columna
// desconocida: ...") when the columns cannot be used; then no case runs.
// opciones.fallo is not read; opciones.numerosCompletos only for the texts
// of the study's cells.
void EjecutarTabla(const std::vector<std::string>& columnas, std::size_t n, const TCeldasDeEntrada& celdas,
                   const TEntregaDeTabla& entregar, const TOpcionesLote& opciones = {});
