// Rows of the structure page for each second-level problem code.
#pragma once

#include <span>
#include <string_view>

#include "problem/untDatos.h"

// Fields of the rows of "Datos de Estructura", top to bottom (row 1 first,
// all in group 1), for codes 11, 12, 21, 22 and 31; no rows for any other
// code.  Caption, default and unit of each come from the field catalogue.
std::span<const std::string_view> CamposEstructura(ProblemCode codigo);
