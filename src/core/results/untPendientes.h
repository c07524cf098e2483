// Limit slopes for the mechanical stability of the sides of a scour hole,
// by the density of the sediment: the reference table offered with the
// results of the confined vortex.  Angles in degrees with the slope as
// 1 vertical : n horizontal, written with a decimal comma as published.
#pragma once

#include <array>
#include <string_view>

inline constexpr const char* kTituloPdteCrit = "Valores límites de pendientes para estabilidad mecánica";

using TFilaPendiente = std::array<std::string_view, 4>;

inline constexpr TFilaPendiente kColumnasPdteCrit{"Densidad", "Angulo fricción interna",
                                                  "Angulo de pendiente crítica", "Fenómeno"};

inline constexpr std::array<TFilaPendiente, 4> kFilasPdteCrit{{
    {"Muy suelta", "30° (1V:1,7H)", "24° (1V:2,25H)", "Deslizamiento"},
    {"Suelta", "33° (1V:1,5H)", "27° (1V:2,00H)", "Deslizamiento"},
    {"Densa", "37° (1V:1,3H)", "30° (1V:1,75H)", "Falla de corte"},
    {"Muy densa", "40° (1V:1,2H)", "34° (1V:1,50H)", "Falla de corte"},
}};
