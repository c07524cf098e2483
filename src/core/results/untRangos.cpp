#include "results/untRangos.h"

#include <algorithm>

std::span<const TTablaRango> TablasRango() {
    static const std::vector<TTablaRango> tablas = [] {
        std::vector<TTablaRango> r;
        for (const TTipoEstructura& t : TiposEstructura())
            for (const TRanuraTipo& ranura : t.ranuras)
                if (ranura.rangos && std::ranges::find(r, ranura.rangos->nombre, &TTablaRango::nombre) == r.end())
                    r.push_back(*ranura.rangos);
        return r;
    }();
    return tablas;
}

const TTablaRango* TablaRango(ProblemCode codigo, int k) {
    const TTipoEstructura* t = TipoEstructura(codigo);
    if (!t || k < 1 || k > static_cast<int>(t->ranuras.size())) return nullptr;
    return t->ranuras[k - 1].rangos;
}
