// What a value accepted on leaving a field invalidates, given the value the
// field held when it was entered.
#pragma once

#include <optional>
#include <string_view>

#include "problem/untCampos.h"

struct TInvalidacion {
    enum TAlcance {
        Ninguno,      // every tab stays
        Resultados,   // hide "Resultados" and "Grafico"
        Posteriores,  // hide every page after the active one
    };
    TAlcance ocultar = Ninguno;
    // Return to the field's page and empty the four chart series.
    bool reiniciar = false;
};

// Whether the text left in a field changes its value: its reading (blank
// reads 0, a text that is not a number NaN, which equals nothing) against
// the value saved on entering the field.  An empty saved value (no entry of
// this field recorded) counts as a change.  Never faults.
bool ValorCambiado(std::optional<double> guardado, std::string_view texto);

// A field that invalidates the results always returns to its page and
// clears the chart, and hides the results only when its value changed; a
// field on which the classification depends does all of it only when its
// value changed.
TInvalidacion Invalidacion(TReaccion reaccion, bool cambio);
