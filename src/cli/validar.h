// turmado-calc --validar: the formulas against the measured scour of a
// validation file.
#pragma once

#include <optional>
#include <string>

// Runs the file (its path in UTF-8) and prints, per formula, the rows used,
// the bias, the median ratio, the coefficient of variation, the share
// under-predicted and the 95th percentile of measured / predicted, then the
// rejected rows by message; as JSON with `json`.  `filas`: the per-row CSV
// goes to that file.  Returns the exit status: 0, or 2 for a file that cannot
// be read or written.
int EjecutarValidacion(const std::string& ruta, bool json, const std::optional<std::string>& filas, unsigned hilos);
