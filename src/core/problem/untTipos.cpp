#include "problem/untTipos.h"

#include <algorithm>

namespace {

using Lista = std::vector<std::string_view>;

const Lista kPila123{"EstrFactFormKs", "EstrFactGrup", "EstrAnguAtaq"};
const Lista kChorro{"SediDiam90N3", "SediAnguRepo", "FlujDifeCargRest", "FlujAnguChorSupeLibr"};
const TRanuraTipo kOculta{nullptr, {}, false, true};

TRanuraTipo Formula(const char* titulo, Lista campos = {}) { return {titulo, std::move(campos)}; }
TRanuraTipo Siempre(const char* titulo) { return {titulo, {}, true}; }

const std::array<TRanuraTipo, 4> kRanurasVortice{Formula("Dietz", {"CaucPoro", "EstrCoefMannPlat"}), kOculta,
                                                 kOculta, kOculta};
const std::vector<TFilaComplementaria> kFilasVortice{{"CaucPoro", 1, 1, "CAUCE", false},
                                                     {"EstrCoefMannPlat", 2, 2, "ESTRUCTURA", false}};
const std::vector<TFilaComplementaria> kFilasChorro{
    {"SediDiam90N3", 1, 1, "SEDIMENTO", false},
    {"SediAnguRepo", 2, 1, "", true},
    {"FlujDifeCargRest", 3, 2, "FLUJO", false},
    {"FlujAnguChorSupeLibr", 4, 2, "", false},
};

const std::vector<TTipoEstructura>& Tabla() {
    static const std::vector<TTipoEstructura> tabla{
        {kCodigoVorticeEscalon, "Problema Vórtice Confinado", "PVC", "vórtice confinado", kRanurasVortice,
         kFilasVortice},
        {kCodigoVorticeAlcantarilla, "Problema Vórtice Confinado", "PVC", "vórtice confinado", kRanurasVortice,
         kFilasVortice},
        {kCodigoEstriboProt, "Problema Estribo/Espigón Protegido", "PEs", "estribo o espigón",
         {Formula("Dietz"), kOculta, kOculta, kOculta}, {}, true},
        {kCodigoEstribo, "Problema Estribo/Espigón", "PEs", "estribo o espigón",
         {Formula("Ahmad", {"EstrFactCurv", "EstrFactFormKs", "EstrFactAngu", "EstrFactPoro"}),
          Formula("Liu", {"EstrFactFormKl"}), Siempre("Dietz"), Formula("Breusers", {"EstrFactFormKb"})},
         {{"EstrFactCurv", 1, 1, "ESTRUCTURA", true},
          {"EstrFactFormKs", 2, 1, "", true},
          {"EstrFactAngu", 3, 1, "", true},
          {"EstrFactPoro", 4, 1, "", true},
          {"EstrFactFormKb", 5, 1, "", true},
          {"EstrFactFormKl", 6, 1, "", true}},
         false, true},
        {kCodigoPila, "Problema de la Pila", "PPi", "pila",
         {Formula("Breusers", kPila123), Formula("CSU", kPila123),
          Formula("Johnson", {"SediDiam84N3", "EstrFactFormKs", "EstrFactGrup", "EstrAnguAtaq"}),
          Formula("Longitud de falla crítica", {"SediAnguRepo"})},
         {{"SediDiam84N3", 1, 1, "SEDIMENTO", false},
          {"SediAnguRepo", 2, 1, "", true},
          {"EstrFactFormKs", 3, 2, "ESTRUCTURA", true},
          {"EstrFactGrup", 4, 2, "", true},
          {"EstrAnguAtaq", 5, 2, "", false}}},
        {kCodigoEscalon, "Problema del escalón", "PEn", "escalón",
         {Formula("Bornmann y Julien", kChorro), kOculta, kOculta, kOculta}, kFilasChorro, false, true},
        {kCodigoChorro, "Problema Chorro Zambullido", "PCZ", "chorro zambullido",
         {Formula("Bornmann y Julien", kChorro),
          Formula("Fahlbusch", {"SediDiam90N3", "FlujDifeCargRest", "FlujAnguChorSupeLibr"}), kOculta, kOculta},
         kFilasChorro, false, true},
        {kCodigoAlcaAncha, "Problema Alcantarilla Ancha", "PAC", "alcantarilla ancha",
         {Formula("Qayoum", {"FlujDifeCargRest", "SediDiam90N3"}), Formula("Altinbilek y Basmaci", {"SediAnguRepo"}),
          Siempre("Breusers"), Formula("Hoffmans", {"SediDiam90N3"})},
         {{"SediDiam90N3", 1, 1, "SEDIMENTO", false},
          {"SediAnguRepo", 2, 1, "", true},
          {"FlujDifeCargRest", 3, 2, "FLUJO", false}},
         false, true},
        {kCodigoAlcaAngosta, "Problema Alcantarilla Angosta", "PAG", "alcantarilla angosta",
         {Siempre("Rajaratnam y Berry"), Siempre("Ruff"), Siempre("Breusers"), Formula("Hoffmans", {"SediDiam90N3"})},
         {{"SediDiam90N3", 1, 1, "SEDIMENTO", false}}},
    };
    return tabla;
}

}  // namespace

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
