#include "results/untRangos.h"
#include "problem/untTipos.h"

#include <array>

namespace {

// ---- Narrow culvert (code 31).

constexpr TFilaRango kPAGRaBe[]{
    {"Diámetro Medio (d50)", "[mm]", "1.40/2.80", "0.82/2.80"},
    {"Tirante en la restitución", "[m]", "0.61", "0.16/0.61"},
    {"Velocidad del chorro", "[m/s]", "1.28/1.81", "1.28/12.0"},
    {"Caudal", "[l/s]", "1.28/1.81", "1.28/12"},
    {"Diámetro de la apertura", "[m]", "0.31", "0.31/1.13"},
    {"Tipo de chorro", "[-]", "Sumergido", "Sumergido"},
};

constexpr TFilaRango kPAGRuff[]{
    {"Diámetro Medio (d50)", "[mm]", "0.15/35", "0.15/35"},
    {"Tirante en la restitución", "[m]", "0.05/0.20", "0.01/0.61"},
    {"Velocidad del chorro", "[m/s]", "0.95/5.86", "0.32/5.86"},
    {"Caudal", "[l/s]", "0.95/5.86", "0.32/5.86"},
    {"Diámetro de la apertura", "[m]", "3.11/830", "0.31/6.10"},
    {"Tipo de chorro", "[-]", "No sumergido", "Sumergido y no sumergido"},
};

constexpr TFilaRango kPAGBreu[]{
    {"Diámetro Medio (d50)", "[mm]", "0.82/2.8", ""},
    {"Tirante en la restitución", "[m]", "0.16/0.61", ""},
    {"Velocidad del chorro", "[m/s]", "1.28/12", ""},
    {"Caudal", "[l/s]", "1.28/12.0", ""},
    {"Diámetro de la apertura", "[m]", "0.31/1.13", ""},
    {"Tipo de chorro", "[-]", "No sumergido", ""},
};

constexpr TFilaRango kPAGHoff[]{
    {"Diámetro Medio (d50)", "[mm]", "0.82/2.80", "0.15/35"},
    {"Tirante en la restitución", "[m]", "0.16/0.61", "0.01/0.20"},
    {"Velocidad del chorro", "[m/s]", "1.28/12.0", "0.32/12.0"},
    {"Caudal", "[l/s]", "0.01/0.92", "0.16/830"},
    {"Diámetro de la apertura", "[m]", "0.31/1.13", "1.22/6.10"},
    {"Tipo de chorro", "[-]", "Sumergido", "No sumergido"},
};

// ---- Wide culvert (code 122).

constexpr TFilaRango kPACQayo[]{
    {"Diámetro Medio (d50)", "[mm]", "2.5/9.7", "0.43/9.7"},
    {"Tirante en la restitución", "[m]", "0.06/0.13", "0.01/0.33"},
    {"Dif. altura carga/restitución", "[m]", "0.02/0.11", "0.02/0.14"},
    {"Velocidad del chorro", "[m/s]", "-", "-"},
    {"Caudal específico", "[l/s]", "0.008/0.024", "0.31/2.76"},
    {"Tipo de chorro", "[-]", "Sumergido", "Sumergido y no sumergido"},
};

constexpr TFilaRango kPACAlBa[]{
    {"Diámetro Medio (d50)", "[mm]", "1.3/6.5", "0.43/9.7"},
    {"Tirante en la restitución", "[m]", "0.16/0.25", "0.01/0.33"},
    {"Dif. altura carga/restitución", "[m]", "-", "0.02/0.14"},
    {"Velocidad del chorro", "[m/s]", "0.55/2.76", "0.31/2.76"},
    {"Caudal específico", "[l/s]", "0.003/0.021", "0.002/0.065"},
    {"Tipo de chorro", "[-]", "Sumergido", "Sumergido y no sumergido"},
};

constexpr TFilaRango kPACBreu[]{
    {"Diámetro Medio (d50)", "[mm]", "", "0.43/9.7"},
    {"Tirante en la restitución", "[m]", "", "0.01/0.33"},
    {"Dif. altura carga/restitución", "[m]", "", "0.02/0.14"},
    {"Velocidad del chorro", "[m/s]", "", "0.31/2.76"},
    {"Caudal específico", "[l/s]", "", "0.002/0.065"},
    {"Tipo de chorro", "[-]", "", "Sumergido"},
};

constexpr TFilaRango kPACHoff[]{
    {"Diámetro Medio (d50)", "[mm]", "0.43/9.7", ""},
    {"Tirante en la restitución", "[m]", "0.01/0.33", ""},
    {"Dif. altura carga/restitución", "[m]", "0.02/0.14", ""},
    {"Velocidad del chorro", "[m/s]", "0.31/2.76", ""},
    {"Caudal específico", "[l/s]", "0.002/0.065", ""},
    {"Tipo de chorro", "[-]", "Sumergido y no sumergido", ""},
};

// ---- Step and plunging jet.

constexpr TFilaRango kPEnBoJu[]{
    {"Diámetro Medio (d50)", "[mm]", "0.82/2.8", ""},
    {"Tirante en la restitución", "[m]", "0.16/0.61", ""},
    {"Dif. altura carga/restitución", "[m]", "-", ""},
    {"Velocidad del chorro", "[m/s]", "0.9/4.7", ""},
    {"Caudal específico", "[l/s]", "1.28/12.0", ""},
    {"Angulo chorro/sup. libre", "[º]", "0.1/1.0", ""},
    {"Tipo de chorro", "[-]", "Desliza sobre escalón", ""},
};

constexpr TFilaRango kPCZBoJu[]{
    {"Diámetro Medio (d50)", "[mm]", "0.3/1.7", "0.1/25"},
    {"Tirante en la restitución", "[m]", "0.24/1.65", "0.01/42"},
    {"Dif. altura carga/restitución", "[m]", "-", "0.01/225"},
    {"Velocidad del chorro", "[m/s]", "0.9/4.7", "0.7/5.2"},
    {"Caudal específico", "[l/s]", "0.29/2.47", "0.002/220"},
    {"Angulo chorro/sup. libre", "[º]", "0.1/1.0", "0.1/1.6"},
    {"Tipo de chorro", "[-]", "Desliza sobre escalón", "Impacta sobre superficie"},
};

constexpr TFilaRango kPCZFahl[]{
    {"Diámetro Medio (d50)", "[mm]", "0.1/25", ""},
    {"Tirante en la restitución", "[m]", "0.01/42", ""},
    {"Dif. altura carga/restitución", "[m]", "0.01/225", ""},
    {"Velocidad del chorro", "[m/s]", "0.7/5.2", ""},
    {"Caudal específico", "[l/s]", "0.002/220", ""},
    {"Angulo chorro/sup. libre", "[º]", "0.1/1.6", ""},
    {"Tipo de chorro", "[-]", "Impacta sobre superficie", ""},
};

constexpr std::array<TTablaRango, 11> kTablas{{
    {"RangPAGRaBe", "Fórmula de Rajaratnam & Berry", kPAGRaBe},
    {"RangPAGRuff", "Fórmula de Ruff", kPAGRuff},
    {"RangPAGBreu", "Fórmula de Breusers", kPAGBreu},
    {"RangPAGHoff", "Fórmula de Hoffmans", kPAGHoff},
    {"RangPACQayo", "Fórmula de Qayoum", kPACQayo},
    {"RangPACAlBa", "Fórmula de Altinbilek & Basmaci", kPACAlBa},
    {"RangPACBreu", "Fórmula de Breusers", kPACBreu},
    {"RangPACHoff", "Fórmula de Hoffmans", kPACHoff},
    {"RangPEnBoJu", "Fórmula de Bornmann & Julien", kPEnBoJu},
    {"RangPCZBoJu", "Fórmula de Bornmann & Julien", kPCZBoJu},
    {"RangPCZFahl", "Fórmula de Fahlbusch", kPCZFahl},
}};

// The table index of each slot of the codes that have tables; -1: none.
struct TRangosCodigo {
    ProblemCode codigo;
    std::array<int, 4> tabla;
};
constexpr std::array<TRangosCodigo, 4> kPorCodigo{{
    {kCodigoAlcaAngosta, {0, 1, 2, 3}},
    {kCodigoAlcaAncha, {4, 5, 6, 7}},
    {kCodigoEscalon, {8, -1, -1, -1}},
    {kCodigoChorro, {9, 10, -1, -1}},
}};

}  // namespace

std::span<const TTablaRango> TablasRango() { return kTablas; }

const TTablaRango* TablaRango(ProblemCode codigo, int k) {
    if (k < 1 || k > 4) return nullptr;
    for (const TRangosCodigo& c : kPorCodigo) {
        if (c.codigo != codigo) continue;
        const int i = c.tabla[k - 1];
        return i < 0 ? nullptr : &kTablas[i];
    }
    return nullptr;
}
