// Per-problem block of the narrow culvert (code 31).
#pragma once

struct TDatosPAG {
    template <class S, class F> static void Recorrer(S&, F&&) {}
};
