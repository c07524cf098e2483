// --salida: the table of a batch or a sweep written to a file instead of
// standard output, as CSV or, for a name ending in .xlsx, as an Excel
// workbook whose sheet "Procedencia" holds the command line; in one step
// either way (nothing is left under the name when it fails).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "turmado.h"

// The command line as the sheet "Procedencia" shows it: "turmado-calc" and
// the arguments, quoted where a shell would need it.
std::string TextoOrden(const std::vector<std::string>& argumentos);

// Opens the file named by `ruta` (UTF-8); nothing, with the message on
// standard error, when it cannot be created.
std::unique_ptr<TSalidaTabla> AbrirTabla(const std::string& ruta);

// Puts the file in place; false, with the message on standard error, when
// it cannot be written.
bool TerminarTabla(TSalidaTabla& tabla, const std::string& ruta, const std::string& orden);
