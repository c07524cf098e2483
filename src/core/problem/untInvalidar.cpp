#include "problem/untInvalidar.h"

TInvalidacion Invalidacion(TReaccion reaccion, double guardado, double valor) {
    if (guardado == 0) return {};
    const bool cambio = valor != guardado;
    switch (reaccion) {
        case TReaccion::Resultados:
            return {cambio ? TInvalidacion::Resultados : TInvalidacion::Ninguno, true};
        case TReaccion::Posteriores:
            if (!cambio) return {};
            return {TInvalidacion::Posteriores, true};
    }
    return {};
}
