#include "results/untResolver.h"

#include "compute/untCalcular.h"
#include "problem/untCodigo.h"

void ResolverProblema(const TProblema& p, TResultado& r) {
    const TContinuacion c = RecorrerAsistente(r.d, p, r.panel);
    if (c.proteccionInsuficiente) r.mensajes.push_back(kMensajeProteccion);
    if (FaltaChorro(c, p)) throw ErrorChorro();
    r.titulo = Calcular(r.d, p.textos, !p.rugosidad, r.panel, r.grafico);
    if (p.codigo >= 10) EntrarEnPagina(r.d, 4);  // the results page's own code
    r.filas = FilasResultados(r.d.CodiProb, r.d, r.panel);
}
