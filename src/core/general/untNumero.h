// Number syntax of every numeric field: optional leading blanks, optional
// sign, digits with at most one period (digits may be missing on either side
// of it, a lone period reads 0), optional exponent "E"/"e" with optional sign
// and at least one digit, and nothing after it.  The period is the decimal
// separator whatever the locale.  Magnitudes beyond the double range are not
// numbers; magnitudes below it read as 0.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "general/untError.h"

// Strict reading, used to accept a field's text.
std::optional<double> LeerNumero(std::string_view texto);

// Lenient reading of a field's text where it is read without checking:
// an empty text or one of blanks reads 0.  Any other text that is not a
// number throws ErrorTexto (validation on leaving a field never lets one
// through; this keeps a slip from turning silently into a 0).
double LeerNumeroLaxo(std::string_view texto);

// Reading of a field's text for the value saved on entering it and the
// comparison on leaving it, where a field accepts any text (d90): like the
// lenient reading, but a text that is not a number reads NaN, which equals
// no value, so that leaving the field counts as a change and never faults.
double LeerNumeroComparable(std::string_view texto);

class ErrorTexto : public ErrorTurmado {
public:
    explicit ErrorTexto(const std::string& texto) : ErrorTurmado(TClaseError::TextoNoNumerico, texto) {}
};
