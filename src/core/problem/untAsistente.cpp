#include "problem/untAsistente.h"

#include "problem/untCodigo.h"

namespace {

constexpr std::string_view kFenomenos[] = {"contracción/expansión vertical", "contracción/expansión horizontal",
                                           "contracción/expansión vertical y horizontal"};
constexpr std::string_view kObstaculosVertical[] = {"en el fondo", "en superficie"};
constexpr std::string_view kObstaculosHorizontal[] = {"en orilla", "interior"};
constexpr std::string_view kObstaculosAmbos[] = {"en superficie y orilla", "en fondo y orilla"};
constexpr std::string_view kChorros[] = {"impacta sobre superficie libre", "desliza sobre escalón"};

constexpr TPregunta kPreguntaFenomeno{"rg0", "Fenómeno dominante", kFenomenos};
constexpr TPregunta kPreguntasObstaculo[] = {
    {"rg00", "Obstáculo", kObstaculosVertical},
    {"rg01", "Obstáculo", kObstaculosHorizontal},
    {"rg02", "Obstáculo", kObstaculosAmbos},
};
constexpr TPregunta kPreguntaChorro{"rg000", "Chorro", kChorros};

}  // namespace

const TPregunta& PreguntaFenomeno() { return kPreguntaFenomeno; }

const TPregunta* PreguntaObstaculo(ProblemCode codigoNivel1) {
    if (codigoNivel1 < 1 || codigoNivel1 > 3) return nullptr;
    return &kPreguntasObstaculo[codigoNivel1 - 1];
}

const TPregunta& PreguntaChorro() { return kPreguntaChorro; }

std::optional<std::uint8_t> CodificarObstaculo(ProblemCode codigoNivel1, int item) {
    if (item < 0 || item > 1) return std::nullopt;
    switch (codigoNivel1) {
        case 1: return static_cast<std::uint8_t>(3 + item);
        case 2: return static_cast<std::uint8_t>(5 + item);
        case 3: return item == 0 ? std::optional<std::uint8_t>(7) : std::nullopt;
        default: return std::nullopt;
    }
}

std::uint8_t CodificarChorro(int item) { return static_cast<std::uint8_t>(8 + item); }

bool ElegirFenomeno(TDatosProblema& d, ProblemCode codigoNivel1) {
    if (codigoNivel1 < 1 || codigoNivel1 > 3) return false;
    d.ElecFeno = static_cast<std::uint8_t>(codigoNivel1 - 1);
    EntrarEnPagina(d, 1);
    return true;
}

bool ElegirEstructura(TDatosProblema& d, ProblemCode codigoNivel2) {
    const ProblemCode feno = codigoNivel2 / 10;
    if (codigoNivel2 < 10 || codigoNivel2 > 99) return false;
    const auto obst = CodificarObstaculo(feno, codigoNivel2 % 10 - 1);
    if (!obst) return false;
    ElegirFenomeno(d, feno);
    d.ElecObst = *obst;
    EntrarEnPagina(d, 2);
    return true;
}
