// Per-problem block of the plunging jet (code 1122).
#pragma once

struct TDatosPCZ {
    template <class S, class F> static void Recorrer(S&, F&&) {}
};
