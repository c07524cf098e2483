// Reading a file of cases in the batch's format: "#" lines, then a header
// of column names, then one case a line, read into problems.  The batch
// (untLote) and the validation (untValidacion) read their files through it.
#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "problem/untCampos.h"
#include "problem/untProblema.h"

struct TFalloLote {
    std::size_t linea;  // line of the input, from 1 (the header)
    std::string mensaje;
};

enum class TColumna { Campo, Codigo, Chorro, Rugosidad, SinLeer };

struct TEncabezado {
    char separador = ',';
    std::vector<std::string> nombres;
    std::vector<TColumna> tipos;
    std::vector<const TCampo*> campos;  // the field of each column (nullptr for the others)
};

struct TLinea {
    std::string texto;
    bool larga = false;
};

// The next line of the input without its end ("\n" or "\r\n"); false at
// the end of the input.  A line longer than 64 KiB keeps its start.
bool LeerLinea(std::istream& entrada, TLinea& linea);

// The cells of a line; a quoted cell holds "" for a quote.  Nothing, with
// the reason in `error`, when a quote is not closed where it should be.
std::optional<std::vector<std::string>> Dividir(std::string_view linea, char separador, std::string& error);

// The text without blanks and tabs at either end.
std::string SinBlancos(std::string_view s);

// Columns carried through without being read: "ys_medida" (a measured
// scour, m, for a validation), "sitio" and "fecha" (the name of a
// measurement) and "origen_d84" (where a measurement's d84 came from).
std::span<const std::string_view> ColumnasSinLeer();

// The columns of a header from its cells (names trimmed), or false with the
// reason in `error` (unknown or repeated column, one without a name).
bool NombrarColumnas(const std::vector<std::string>& celdas, TEncabezado& e, std::string& error);

// The header's columns from its line, or the reason it cannot be used
// (empty, unknown or repeated column).
std::optional<TEncabezado> LeerEncabezado(std::string linea, std::string& error);

// Reads the header after the "#" lines and blank lines that may stand before it; `numero`
// ends as the header's line number.  Nothing, with the failure, when there is
// no usable header (empty, unknown or repeated column).
std::optional<TEncabezado> LeerPrincipio(std::istream& entrada, std::size_t& numero, std::optional<TFalloLote>& fallo);

// The cells of a case line, or why it is not one (too long, a quote not
// closed, not as many cells as the header).
std::optional<std::vector<std::string>> CeldasCaso(const TLinea& linea, const TEncabezado& e, std::string& error);

// The problem of a case line, or the reason it is not one.  Its texts are
// not checked: the case runner does that.
std::optional<TProblema> Caso(const TEncabezado& e, const std::vector<std::string>& celdas, std::string& error);

// A whole file read into its cases, for callers that run them their own way.
struct TCasoLeido {
    std::size_t linea;                  // line of the input, from 1
    std::vector<std::string> celdas;    // the cells, one per column (empty when the line could not be split)
    std::optional<TProblema> problema;  // nothing: `error` says why
    std::string error;
};

struct TArchivoCasos {
    std::optional<TFalloLote> fallo;    // the header cannot be used: no case
    std::vector<std::string> columnas;  // the header's names
    std::vector<TCasoLeido> casos;
};

TArchivoCasos LeerCasos(std::istream& entrada);
