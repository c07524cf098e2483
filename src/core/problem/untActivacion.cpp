#include "problem/untActivacion.h"

#include <algorithm>
#include <vector>

namespace {

using Lista = std::vector<std::string_view>;

// A slot of a code: its caption (nullptr: hidden) and its activation rule.
// `siempre` marks a formula without needed fields; `intocada` a slot the
// activation does not touch.
struct TRanuraCodigo {
    const char* titulo;
    Lista campos;
    bool siempre = false;
    bool intocada = false;
};

struct TCodigoFormulas {
    std::vector<ProblemCode> codigos;
    std::array<TRanuraCodigo, 4> ranuras;
    bool sinActivacion = false;  // code 211: "Dietz" stays plain
    std::vector<TFilaComplementaria> filas;
};

const Lista kPila123{"EstrFactFormKs", "EstrFactGrup", "EstrAnguAtaq"};
const Lista kChorro{"SediDiam90N3", "SediAnguRepo", "FlujDifeCargRest", "FlujAnguChorSupeLibr"};
const TRanuraCodigo kOculta{nullptr, {}, false, true};

TRanuraCodigo Formula(const char* titulo, Lista campos = {}) { return {titulo, std::move(campos)}; }
TRanuraCodigo Siempre(const char* titulo) { return {titulo, {}, true}; }

const std::vector<TFilaComplementaria> kFilasChorro{
    {"SediDiam90N3", 1, 1, "SEDIMENTO", false},
    {"SediAnguRepo", 2, 1, "", true},
    {"FlujDifeCargRest", 3, 2, "FLUJO", false},
    {"FlujAnguChorSupeLibr", 4, 2, "", false},
};

const std::vector<TCodigoFormulas>& Tabla() {
    static const std::vector<TCodigoFormulas> tabla{
        {{22},
         {Formula("Breusers", kPila123), Formula("CSU", kPila123),
          Formula("Johnson", {"SediDiam84N3", "EstrFactFormKs", "EstrFactGrup", "EstrAnguAtaq"}),
          Formula("Longitud de falla crítica", {"SediAnguRepo"})},
         false,
         {{"SediDiam84N3", 1, 1, "SEDIMENTO", false},
          {"SediAnguRepo", 2, 1, "", true},
          {"EstrFactFormKs", 3, 2, "ESTRUCTURA", true},
          {"EstrFactGrup", 4, 2, "", true},
          {"EstrAnguAtaq", 5, 2, "", false}}},
        {{31},
         {Siempre("Rajaratnam y Berry"), Siempre("Ruff"), Siempre("Breusers"),
          Formula("Hoffmans", {"SediDiam90N3"})},
         false,
         {{"SediDiam90N3", 1, 1, "SEDIMENTO", false}}},
        {{111, 121},
         {Formula("Dietz", {"CaucPoro", "EstrCoefMannPlat"}), kOculta, kOculta, kOculta},
         false,
         {{"CaucPoro", 1, 1, "CAUCE", false}, {"EstrCoefMannPlat", 2, 2, "ESTRUCTURA", false}}},
        {{122},
         {Formula("Qayoum", {"FlujDifeCargRest", "SediDiam90N3"}), Formula("Altinbilek y Basmaci", {"SediAnguRepo"}),
          Siempre("Breusers"), Formula("Hoffmans", {"SediDiam90N3"})},
         false,
         {{"SediDiam90N3", 1, 1, "SEDIMENTO", false},
          {"SediAnguRepo", 2, 1, "", true},
          {"FlujDifeCargRest", 3, 2, "FLUJO", false}}},
        {{211}, {Formula("Dietz"), kOculta, kOculta, kOculta}, true, {}},
        {{212},
         {Formula("Ahmad", {"EstrFactCurv", "EstrFactFormKs", "EstrFactAngu", "EstrFactPoro"}),
          Formula("Liu", {"EstrFactFormKl"}), Siempre("Dietz"), Formula("Breusers", {"EstrFactFormKb"})},
         false,
         {{"EstrFactCurv", 1, 1, "ESTRUCTURA", true},
          {"EstrFactFormKs", 2, 1, "", true},
          {"EstrFactAngu", 3, 1, "", true},
          {"EstrFactPoro", 4, 1, "", true},
          {"EstrFactFormKb", 5, 1, "", true},
          {"EstrFactFormKl", 6, 1, "", true}}},
        {{1121}, {Formula("Bornmann y Julien", kChorro), kOculta, kOculta, kOculta}, false, kFilasChorro},
        {{1122},
         {Formula("Bornmann y Julien", kChorro),
          Formula("Fahlbusch", {"SediDiam90N3", "FlujDifeCargRest", "FlujAnguChorSupeLibr"}), kOculta, kOculta},
         false,
         kFilasChorro},
    };
    return tabla;
}

const TCodigoFormulas* Buscar(ProblemCode codigo) {
    const auto& t = Tabla();
    const auto it = std::find_if(t.begin(), t.end(), [&](const TCodigoFormulas& c) {
        return std::find(c.codigos.begin(), c.codigos.end(), codigo) != c.codigos.end();
    });
    return it == t.end() ? nullptr : &*it;
}

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
        {"EstrAnguAtaq", 22, {}},
        {"SediDiam84N3", 22, {}},
        {"EstrFactGrup", 22, {}},
        {"SediAnguRepo", 0, {22, 122, 1121, 1122}},
        {"EstrFactFormKs", 0, {22, 212}},
        {"EstrFactFormKb", 0, {22, 212}},  // the three shape factors share one change event
        {"EstrFactFormKl", 0, {22, 212}},
        {"SediDiam90N3", 0, {31, 122, 1121, 1122}},
        {"FlujDifeCargRest", 0, {122, 1121, 1122}},
        {"FlujAnguChorSupeLibr", 0, {1121, 1122}},
        {"EstrFactCurv", 212, {}},
        {"EstrFactAngu", 212, {}},
        {"EstrFactPoro", 212, {}},
        {"CaucPoro", 111, {}},  // the rule of 111 and 121 is one
        {"EstrCoefMannPlat", 111, {}},
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
    const TCodigoFormulas* c = Buscar(codigo);
    if (!c || c->sinActivacion) return estado;
    for (int k = 0; k < 4; ++k) {
        const TRanuraCodigo& r = c->ranuras[k];
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
    const TCodigoFormulas* c = Buscar(codigo);
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
    const TCodigoFormulas* c = Buscar(codigo);
    if (!c) return {};
    return c->ranuras[k - 1].campos;
}

std::vector<std::string_view> CamposResaltados(ProblemCode codigo, int k) {
    const auto campos = CamposDeFormula(codigo, k);
    std::vector<std::string_view> r(campos.begin(), campos.end());
    if (codigo == 122 && k == 4) r.push_back("SediAnguRepo");
    return r;
}

std::span<const TFilaComplementaria> FilasComplementarias(ProblemCode codigo) {
    const TCodigoFormulas* c = Buscar(codigo);
    if (!c) return {};
    return c->filas;
}
