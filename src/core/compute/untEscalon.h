// Per-problem block of the step (code 1121); also holds the jet data of the plunging jet.
#pragma once

struct TDatosPEn {
    template <class S, class F> static void Recorrer(S&, F&&) {}
};
