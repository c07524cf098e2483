// Tables of the coefficient pickers of "Datos Complementarios": caption,
// column headers, one row per typical situation, and the value text that
// choosing a row writes into its field.  The value of a row can differ from
// the text the table shows (a range is returned as one value).
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "problem/untDatos.h"

struct TFilaCoef {
    std::vector<std::string_view> celdas;  // one text per column, in column order
    std::string_view valor;                 // text returned when the row is chosen
};

struct TTablaCoef {
    std::string_view nombre;  // dialog name without the "Tfrm" prefix ("AnguRepo")
    std::string_view campo;   // field the value goes into (without "edt")
    std::string_view titulo;  // window caption
    // Column headers.  An empty header means the header before it spans
    // this column too.
    std::vector<std::string_view> columnas;
    // In the first `agrupadas` columns an empty cell continues the cell
    // above it: one text stands beside every row of its situation.
    int agrupadas;
    std::vector<TFilaCoef> filas;
};

// The eight tables whose choice is one radio group (every picker but the
// group factor).
std::span<const TTablaCoef> TablasCoef();
// The table of a dialog by name ("CIFOks"), or nullptr.
const TTablaCoef* TablaCoef(std::string_view nombre);

// Value text of the chosen row (index from 0); the empty text when nothing
// is chosen (index -1) or the index is past the last row.
std::string_view ValorElegido(const TTablaCoef& tabla, int indice);

// ---- Group factor of two piers: nine situations, each with a value button
// for the front and for the rear pier.

inline constexpr const char* kTituloHiGrup = "Corrección por grupo de dos pilas verticales";

enum class TDistribucion {
    Alineadas,   // side by side on one horizontal line
    Diagonal,    // offset on a diagonal
    Superpuestas // one above the other
};

struct TFilaGrupo {
    TDistribucion distribucion;
    std::string_view espaciamiento;
    std::string_view frontal;  // caption of button rb<row>
    std::string_view trasera;  // caption of button rb<row + 9>
};

std::span<const std::string_view> ColumnasHiGrup();
std::span<const TFilaGrupo> FilasHiGrup();

// Caption of button rb<boton> (1 to 18): rb1 ... rb9 the front pier of the
// rows in order, rb10 ... rb18 the rear pier.  The empty text for 0 (none
// chosen) and any other number.
std::string_view ValorGrupo(int boton);

// Dialog a picker button of the complementary page opens, by the field it
// fills and the problem code (the abutment's Ks has a table of its own):
// the name of a table, or "HiGrup" for the group factor.  Empty for a field
// without picker.
std::string_view SelectorDeCampo(std::string_view campo, ProblemCode codigo = 0);
