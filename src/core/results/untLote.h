// A batch of cases: CSV in, CSV out.  The header names the columns: data
// fields without their "edt" prefix, and "codigo" (the code of the wizard
// answers: 0, 1, 2, 3, 11, 12, 21, 22 or 31), "chorro" (0 "impacta sobre
// superficie libre", 1 "desliza sobre escalón", empty when not asked) and
// "rugosidad" (1 for "Altura de rugosidad", 0 or empty for "Coeficiente de
// Manning"); missing columns take their defaults.  Each following line is one
// case, each cell exactly what would be typed in the field.  The separator is
// the comma, or the semicolon when the header has semicolons and no comma;
// cells may be quoted ("...", with "" for a quote).
//
// The output has the same separator: the input columns, "titulo", then one
// column per caption of the results rows (in the order first met; a case
// without a row leaves its cell empty), then the warnings' columns of
// ColumnasAvisosLote, one line per case that ran.  A bad
// line (wrong number of cells, a rejected text, a missing jet answer, a
// floating-point fault ...) is reported with its line number and the other
// lines still run.
#pragma once

#include <cstddef>
#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "results/untResolver.h"

struct TFalloLote {
    std::size_t linea;  // line of the input, from 1 (the header)
    std::string mensaje;
};

struct TResumenLote {
    std::size_t casos = 0;    // lines that held a case, good or bad
    std::size_t fallidos = 0;  // bad lines
    std::vector<TFalloLote> fallos;  // the bad lines, when TOpcionesLote::fallo is not given
};

struct TOpcionesLote {
    bool curvas = false;            // compute the evolution curves too (the output never shows them)
    unsigned hilos = 0;             // threads; 0: the machine's cores
    bool numerosCompletos = false;  // numbers with the shortest digits that read back exactly
    // More result columns of a case, from its problem once it has run, on
    // the thread that ran it: (caption, value) pairs added after the
    // results rows', or the message that makes the line a bad one.
    std::function<std::optional<std::string>(const TProblema&, std::vector<std::pair<std::string, std::string>>&)>
        columnasExtra;
    // Called after each block of cases with the case lines read so far.
    std::function<void(std::size_t hechos)> avance;
    // Called for each bad line in input order, as soon as it is known; when
    // absent the bad lines are kept in the summary.
    std::function<void(const TFalloLote&)> fallo;
};

// The result columns of a computed case, in order: (caption, value).  A
// caption repeated within one case gets " (2)", " (3)" ...
std::vector<std::pair<std::string, std::string>> ColumnasCaso(const TResultado& r, bool numerosCompletos);

// Runs the batch.  Lines are read, run and written in blocks of a bounded
// size, on several threads, and the output keeps the order of the input.
// The output's header names every caption met, so the lines wait in a
// bounded buffer (spilled to a temporary file when the batch is long) until
// the last case has run.  A header that cannot be used (empty, unknown or
// repeated column) is one failure at line 1; then no case runs and nothing
// is written.
TResumenLote EjecutarLote(std::istream& entrada, std::ostream& salida, const TOpcionesLote& opciones = {});
