// Per-problem block of the wide culvert (code 122).
#pragma once

struct TDatosPAC {
    template <class S, class F> static void Recorrer(S&, F&&) {}
};
