#include "compute/untClaves.h"
#include "problem/untTipos.h"

#include <algorithm>
#include <array>

namespace {

constexpr TClaveFila kComunes[] = {
    {"OutpParaMoviCrit", "shields_critico", "Movilidad (Shields) Crítica", ""},
    {"OutpParaMovi", "shields", "Movilidad (Shields)", ""},
    {"CondTran", "transporte", "Condición de transporte", ""},
    {"OutpVeloCritEros", "vc_m_s", "Velocidad crítica de erosión", "[m/s]"},
};

}  // namespace

std::vector<TClaveFila> ClavesDeFilas(ProblemCode codigo) {
    std::vector<TClaveFila> filas(std::begin(kComunes), std::end(kComunes));
    if (const TTipoEstructura* t = TipoEstructura(codigo)) filas.insert(filas.end(), t->claves.begin(), t->claves.end());
    return filas;
}

const std::vector<TClaveFila>& TodasLasClaves() {
    static const std::vector<TClaveFila> claves = [] {
        std::vector<TClaveFila> r(std::begin(kComunes), std::end(kComunes));
        for (const TTipoEstructura* t : TiposPorColumnas())
            for (const TClaveFila& f : t->claves)
                if (std::none_of(r.begin(), r.end(), [&](const TClaveFila& c) { return c.clave == f.clave; }))
                    r.push_back(f);
        return r;
    }();
    return claves;
}

std::string ClaveValidez(std::string_view clave) {
    if (!clave.starts_with("ys_") || !clave.ends_with("_m")) return "";
    return "validez_" + std::string(clave.substr(3, clave.size() - 5));
}

std::string_view ClaveErosion(ProblemCode codigo, int k) {
    const TTipoEstructura* t = TipoEstructura(codigo);
    if (!t || k < 1 || k > static_cast<int>(t->ranuras.size())) return {};
    for (const TClaveFila& f : t->claves)
        if (f.tallo == TalloErosion(k)) return f.clave;
    return {};
}
