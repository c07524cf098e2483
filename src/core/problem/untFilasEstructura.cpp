#include "problem/untFilasEstructura.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 2> kSalto{"EstrAltuSaltFond", "EstrLongPlat"};
constexpr std::array<std::string_view, 2> kApertura{"EstrAltuAper", "EstrLongPlat"};
constexpr std::array<std::string_view, 3> kEstribo{"EstrLongEstr", "EstrAnchEstr", "EstrLongPlat"};
constexpr std::array<std::string_view, 2> kPila{"EstrAnchPila", "EstrLongPila"};
constexpr std::array<std::string_view, 2> kAlcantarilla{"EstrDiamAper", "EstrCantAper"};

}  // namespace

std::span<const std::string_view> CamposEstructura(ProblemCode codigo) {
    switch (codigo) {
        case 11: return kSalto;
        case 12: return kApertura;
        case 21: return kEstribo;
        case 22: return kPila;
        case 31: return kAlcantarilla;
        default: return {};
    }
}
