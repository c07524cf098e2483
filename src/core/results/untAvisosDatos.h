// Warnings on implausible data: values that no river gives, or the example's
// value left in a field after the data it goes with have changed.  They never
// stop a computation; they are shown wherever the results are (the results
// page, turmado-calc's standard error and JSON, the batch output and the
// report).  The rules are one table, one row per rule.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "problem/untDatos.h"
#include "problem/untFormulas.h"
#include "problem/untTextos.h"

// The field texts of a problem as the rules read them.
class TLecturaDatos {
public:
    explicit TLecturaDatos(const TTextosCampos& textos) : textos_(textos) {}
    // Value of the field's text; false when the text is empty, not a number
    // or missing (no rule fires on it).
    bool Valor(std::string_view campo, double& valor) const;
    // True when the field's value is that of its default text, the example's.
    bool Ejemplo(std::string_view campo) const;

private:
    // The fields read so far and their values: the rules read d50 and d84
    // more than once, and a sweep reads the texts of every point.
    struct TLeido {
        std::string_view campo;
        bool valido;
        double valor;
    };
    const TTextosCampos& textos_;
    mutable std::array<TLeido, 8> leidos_{};
    mutable std::size_t cantidad_ = 0;
};

struct TReglaDato {
    std::string_view campo;  // the field the warning names (a click takes the user there); the
                             // rule applies to the codes whose calculator reads it
    bool (*condicion)(const TLecturaDatos&);
    // The warning, with {Name} standing for the text of field Name and its
    // unit ("2 mm"), or for a value computed from the texts (MarcadorCalculado).
    std::string_view mensaje;
};

std::span<const TReglaDato> ReglasDatos();

// True for the names of the computed values a warning may show: {Ksigma}
// and {d84/d50} of the pier's grain sizes, {subestimadas}: how often each
// pier formula under-predicted the shipped field measurements whose Ksigma
// is below 0.5.
bool MarcadorCalculado(std::string_view nombre);

struct TAvisoDato {
    std::string campo;  // field without "edt"
    std::string texto;
    const TReglaDato* regla = nullptr;  // the rule that fired, in ReglasDatos()
};

// The warning of a rule written out with the texts given.
std::string RedactarAviso(const TReglaDato& regla, const TTextosCampos& textos);

// The warning of a rule over a stretch of points of a sweep: the fields as
// `textos` hold them (the swept one as its span, "0.5 a 50"), each value
// computed from them (d84/d50, Kσ) as its span from the texts of the first
// point, `primero`, to those of the last, `ultimo`.
std::string RedactarAvisoTramo(const TReglaDato& regla, const TTextosCampos& textos, const TTextosCampos& primero,
                               const TTextosCampos& ultimo);

// The warnings of the rules that apply to the code and fire on the texts,
// in the order of the table.
std::vector<TAvisoDato> AvisosDatos(ProblemCode codigo, const TTextosCampos& textos);

// The same, then the warnings on what the calculation left in `d` with the
// slots of `panel`: a formula evaluated on a flow it is not for (the
// abutment's "Dietz", a clear-water law, in live bed), naming the formula,
// U/Uc and its result.  Every view of a computed problem shows these.
std::vector<TAvisoDato> AvisosDatos(ProblemCode codigo, const TTextosCampos& textos, const TDatosProblema& d,
                                    const TPanelFormulas& panel);

// The warnings' texts joined with " | ", for one cell of a batch line.
std::string UnirAvisosDatos(const std::vector<TAvisoDato>& avisos);
