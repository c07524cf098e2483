// Texts made from the evolution chart: the curves as CSV for a spreadsheet,
// the readout of one point under the mouse, the name suggested for an
// exported chart; and which series the legend lists.
#pragma once

#include <string>
#include <string_view>

#include "problem/untFormulas.h"

// The points of every series that has any, as comma-separated values: one
// header line, then one line per point index with two columns per series,
// "<title>: tiempo (hs)" and "<title>: erosión (m)", in series order.  A
// series shorter than the longest leaves its two cells empty.  Numbers carry
// a period and the shortest digits that read back to the same double; a title
// holding a comma, quote or line break is quoted, its quotes doubled.  An
// empty chart gives an empty text.
std::string CsvGrafico(const TGrafico& grafico);

// "<title>: t = <t> hs, erosión = <y> m", the time with four significant
// digits (no exponent) and the depth in millimetres (3 decimals).
std::string TextoLectura(const std::string& titulo, double t, double y);

// The legend lists a series that has something drawn: points, or an
// equilibrium line above 0.  A slot that is not active, or a formula with
// neither curve nor line, is left out.
bool EnLeyenda(const TSerie& serie);

// Why a computed problem has no evolution curve, said where the chart would
// be; empty when some series has points.  The time law starts from the
// flow depth h and is drawn only for an equilibrium depth above it: the
// formulas whose depth is not above h are listed with it ("CSU: ys = 0.95
// m"); without any, no formula had a time scale of the evolution.
std::string TextoSinCurvas(const TGrafico& grafico, double h);

// File name suggested for an exported chart, without extension: "<title>
// <date>" as the report's PDF is named, "Gráfico" when there is no title.
std::string NombreArchivoGrafico(std::string_view titulo, std::string_view fecha);
