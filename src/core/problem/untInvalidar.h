// What a value accepted on leaving a field invalidates, given the value the
// field held when it was entered.
#pragma once

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

// A saved value of 0 changes nothing.  Otherwise a field that invalidates
// the results always returns to its page and clears the chart, and hides the
// results only when the value changed; a field on which the classification
// depends does all of it only when the value changed.
TInvalidacion Invalidacion(TReaccion reaccion, double guardado, double valor);
