#include "problem/untActivacion.h"

#include <algorithm>
#include <vector>

#include "problem/untTipos.h"

namespace {

bool Lleno(const TTextosCampos& textos, std::string_view campo) {
    const auto it = textos.find(campo);
    return it != textos.end() && !it->second.empty();
}

// Change rules: a field applies `fijo` whatever the current code, or the
// current code when it is one of `codigos`.
struct TReglaCambio {
    std::string_view campo;
    ProblemCode fijo;
    std::vector<ProblemCode> codigos;
};

const std::vector<TReglaCambio>& ReglasCambio() {
    static const std::vector<TReglaCambio> reglas{
        {"EstrAnguAtaq", kCodigoPila, {}},
        {"SediDiam84N3", kCodigoPila, {}},
        {"EstrFactGrup", kCodigoPila, {}},
        {"SediAnguRepo", 0, {kCodigoPila, kCodigoAlcaAncha, kCodigoEscalon, kCodigoChorro}},
        {"EstrFactFormKs", 0, {kCodigoPila, kCodigoEstribo}},
        // the three shape factors share one change event
        {"EstrFactFormKb", 0, {kCodigoPila, kCodigoEstribo}},
        {"EstrFactFormKl", 0, {kCodigoPila, kCodigoEstribo}},
        {"SediDiam90N3", 0, {kCodigoAlcaAngosta, kCodigoAlcaAncha, kCodigoEscalon, kCodigoChorro}},
        {"FlujDifeCargRest", 0, {kCodigoAlcaAncha, kCodigoEscalon, kCodigoChorro}},
        {"FlujAnguChorSupeLibr", 0, {kCodigoEscalon, kCodigoChorro}},
        {"EstrFactCurv", kCodigoEstribo, {}},
        {"EstrFactAngu", kCodigoEstribo, {}},
        {"EstrFactPoro", kCodigoEstribo, {}},
        {"CaucPoro", kCodigoVorticeEscalon, {}},  // the two protected vortex types share one rule
        {"EstrCoefMannPlat", kCodigoVorticeEscalon, {}},
    };
    return reglas;
}

}  // namespace

ProblemCode CodigoDeCambio(std::string_view campo, ProblemCode actual) {
    for (const TReglaCambio& r : ReglasCambio()) {
        if (r.campo != campo) continue;
        if (r.fijo != 0) return r.fijo;
        return std::find(r.codigos.begin(), r.codigos.end(), actual) != r.codigos.end() ? actual : 0;
    }
    return 0;
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
    if (codigo == kCodigoAlcaAncha && k == 4) r.push_back("SediAnguRepo");
    return r;
}

std::span<const TFilaComplementaria> FilasComplementarias(ProblemCode codigo) {
    const TTipoEstructura* c = TipoEstructura(codigo);
    if (!c) return {};
    return c->filas;
}
