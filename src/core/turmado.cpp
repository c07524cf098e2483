#include "turmado.h"

TSolucion Resolver(const TProblema& problema, const TOpcionesResolver& opciones) {
    TSolucion s;
    if (opciones.comprobarTextos)
        if (auto rechazo = TextoRechazado(problema.textos)) {
            s.fallo.emplace(TClaseError::TextoRechazado, *rechazo);
            return s;
        }
    s.grafico.curvas = opciones.curvas;
    try {
        ResolverProblema(problema, s);
    } catch (const ErrorTurmado& e) {
        s.fallo.emplace(e);
        return s;
    }
    s.validez = AvisosResultado(s.d.CodiProb, s.d, s.filas);
    s.datos = AvisosDatos(s.d.CodiProb, problema.textos, s.d, s.panel);
    return s;
}
