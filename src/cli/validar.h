// turmado-calc --validar: the formulas against the measured scour of a
// validation file.
#pragma once

#include <optional>
#include <string>

// Runs the file (its path in UTF-8) and prints, per formula, the rows used,
// the bias, the median ratio, the coefficient of variation, the share
// under-predicted and the 95th percentile of measured / predicted, then the
// rejected rows by message; as JSON with `json`.  `filas`: the per-row table
// goes to that file, as --salida writes one (a workbook for .xlsx; `orden`,
// the command line, on its "Procedencia"; never the file validated).  Each
// rejected row goes to standard error as "FILE:LINE: reason" as it is
// known.  Returns the exit status: 0; 2 for a file that cannot be opened or
// used (no header, no column ys_medida), for `filas` naming the file
// validated, or when no row could be compared; 4 when `filas` cannot be
// written; 5 when reading the file failed part-way (a folder, a read error).
int EjecutarValidacion(const std::string& ruta, bool json, const std::optional<std::string>& filas, unsigned hilos,
                       const std::string& orden);
