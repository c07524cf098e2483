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
// the command line, on its "Procedencia").  Returns the exit status: 0, 2
// for a file that cannot be read, 4 when `filas` cannot be written.
int EjecutarValidacion(const std::string& ruta, bool json, const std::optional<std::string>& filas, unsigned hilos,
                       const std::string& orden);
