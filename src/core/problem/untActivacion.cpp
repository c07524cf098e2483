#include "problem/untActivacion.h"

#include <algorithm>
#include <vector>

#include "problem/untTipos.h"

namespace {

bool Lleno(const TTextosCampos& textos, std::string_view campo) {
    const auto it = textos.find(campo);
    return it != textos.end() && !it->second.empty();
}

// Fields that share one change event: a change of any of them applies the
// rule of a code that shows any of them.
const std::vector<std::vector<std::string_view>> kEventosCompartidos{
    {"EstrFactFormKs", "EstrFactFormKb", "EstrFactFormKl"},  // the three shape factors
};

bool Muestra(const TTipoEstructura& t, std::string_view campo) {
    std::vector<std::string_view> grupo{campo};
    for (const auto& g : kEventosCompartidos)
        if (std::ranges::find(g, campo) != g.end()) grupo = g;
    return std::ranges::any_of(grupo, [&](std::string_view c) {
        return std::ranges::find(t.filas, c, &TFilaComplementaria::campo) != t.filas.end();
    });
}

}  // namespace

ProblemCode CodigoDeCambio(std::string_view campo, ProblemCode actual) {
    // The types whose complementary page shows the field: when they are all
    // of one box (the pier; the abutment; the two protected vortex types,
    // which share one rule), the first one's rule applies whatever the
    // current code; when several boxes share the field, the current code's
    // rule when it shows the field, and none otherwise.
    std::vector<const TTipoEstructura*> tipos;
    for (const TTipoEstructura& t : TiposEstructura())
        if (Muestra(t, campo)) tipos.push_back(&t);
    if (tipos.empty()) return 0;
    if (std::ranges::all_of(tipos, [&](const TTipoEstructura* t) { return t->caja == tipos.front()->caja; }))
        return tipos.front()->codigo;
    return std::ranges::find(tipos, actual, &TTipoEstructura::codigo) != tipos.end() ? actual : 0;
}

TEstadoFormulas EstadoFormulas(ProblemCode codigo, const TTextosCampos& textos) {
    TEstadoFormulas estado{};
    const TTipoEstructura* c = TipoEstructura(codigo);
    if (!c || c->sinActivacion) return estado;
    for (int k = 0; k < 4; ++k) {
        const TRanuraTipo& r = c->ranuras[k];
        if (r.intocada) continue;
        const bool llenos = std::all_of(r.campos.begin(), r.campos.end(),
                                        [&](std::string_view campo) { return Lleno(textos, campo); });
        estado[k] = r.siempre || llenos ? kRanuraActiva : kRanuraInactiva;
    }
    return estado;
}

void AplicarEstado(const TEstadoFormulas& estado, TPanelFormulas& panel) {
    for (int k = 1; k <= 4; ++k) {
        const std::uint8_t b = estado[k - 1];
        if (b == kRanuraIntocada) continue;
        panel.Ranura(k).visible = true;
        panel.Ranura(k).activa = b == kRanuraActiva;
    }
}

int PrepararPanel(ProblemCode codigo, TPanelFormulas& panel) {
    const TTipoEstructura* c = TipoEstructura(codigo);
    panel.visible = c != nullptr;
    if (!c) return 0;
    int mostradas = 0;
    for (int k = 1; k <= 4; ++k) {
        TRanura& r = panel.Ranura(k);
        const char* titulo = c->ranuras[k - 1].titulo;
        r.visible = titulo != nullptr;
        if (titulo) {
            r.titulo = titulo;
            r.activa = false;
            ++mostradas;
        } else {
            r.titulo = kTextoInactivo;  // hidden slots keep their style
        }
    }
    return mostradas;
}

void MostrarComplementarios(ProblemCode codigo, const TTextosCampos& textos, TPanelFormulas& panel) {
    PrepararPanel(codigo, panel);
    AplicarEstado(EstadoFormulas(codigo, textos), panel);
}

std::span<const std::string_view> CamposDeFormula(ProblemCode codigo, int k) {
    const TTipoEstructura* c = TipoEstructura(codigo);
    if (!c) return {};
    return c->ranuras[k - 1].campos;
}

std::vector<std::string_view> CamposResaltados(ProblemCode codigo, int k) {
    const auto campos = CamposDeFormula(codigo, k);
    std::vector<std::string_view> r(campos.begin(), campos.end());
    if (const TTipoEstructura* c = TipoEstructura(codigo))
        r.insert(r.end(), c->ranuras[k - 1].resaltados.begin(), c->ranuras[k - 1].resaltados.end());
    return r;
}

std::span<const TFilaComplementaria> FilasComplementarias(ProblemCode codigo) {
    const TTipoEstructura* c = TipoEstructura(codigo);
    if (!c) return {};
    return c->filas;
}
