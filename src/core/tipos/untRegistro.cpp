#include "problem/untTipos.h"

#include <algorithm>

#include "tipos/alcantarilla_ancha/untAlcaAnch.h"
#include "tipos/alcantarilla_angosta/untAlcaAngo.h"
#include "tipos/chorro/untChorro.h"
#include "tipos/escalon/untEscalon.h"
#include "tipos/estribo/untEstribo.h"
#include "tipos/estribo_protegido/untEstrProt.h"
#include "tipos/pila/untPila.h"
#include "tipos/vortice/untVortice.h"

// The registry: every structure type, one line each, in the order of the open
// window's boxes.  The only place outside its folder where a type is named.
namespace {

const std::vector<TTipoEstructura>& Tabla() {
    static const std::vector<TTipoEstructura> tabla{
        TipoVorticeEscalon(), TipoVorticeAlcantarilla(), TipoEstriboProt(), TipoEstribo(),
        TipoPila(),           TipoEscalon(),             TipoChorro(),      TipoAlcaAncha(),
        TipoAlcaAngosta(),
    };
    return tabla;
}

}  // namespace

std::span<const TTipoEstructura* const> TiposPorColumnas() {
    static const std::vector<const TTipoEstructura*> orden = [] {
        std::vector<const TTipoEstructura*> r;
        for (ProblemCode codigo : {kCodigoVorticeEscalon, kCodigoVorticeAlcantarilla, kCodigoEscalon, kCodigoChorro,
                                   kCodigoAlcaAncha, kCodigoEstriboProt, kCodigoEstribo, kCodigoPila,
                                   kCodigoAlcaAngosta})
            r.push_back(TipoEstructura(codigo));
        return r;
    }();
    return orden;
}


std::span<const TTipoEstructura> TiposEstructura() { return Tabla(); }

const TTipoEstructura* TipoEstructura(ProblemCode codigo) {
    const auto& t = Tabla();
    const auto it = std::ranges::find(t, codigo, &TTipoEstructura::codigo);
    return it == t.end() ? nullptr : &*it;
}

bool TipoLeeCampo(ProblemCode codigo, std::string_view campo) {
    const TTipoEstructura* t = TipoEstructura(codigo);
    return t && std::ranges::find(t->filas, campo, &TFilaComplementaria::campo) != t->filas.end();
}
