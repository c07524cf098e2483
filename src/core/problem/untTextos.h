// Texts of the window's fields by field name (without the "edt" prefix), as
// "Calcular" and "Continuar" read them.
#pragma once

#include <functional>
#include <map>
#include <string>

using TTextosCampos = std::map<std::string, std::string, std::less<>>;
