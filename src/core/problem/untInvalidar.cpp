#include "problem/untInvalidar.h"

#include "general/untNumero.h"

bool ValorCambiado(std::optional<double> guardado, std::string_view texto) {
    return !guardado || LeerNumeroComparable(texto) != *guardado;
}

TInvalidacion Invalidacion(TReaccion reaccion, bool cambio) {
    switch (reaccion) {
        case TReaccion::Resultados:
            return {cambio ? TInvalidacion::Resultados : TInvalidacion::Ninguno, true};
        case TReaccion::Posteriores:
            if (!cambio) return {};
            return {TInvalidacion::Posteriores, true};
    }
    return {};
}
