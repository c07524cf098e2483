// Per-problem block of the bridge pier (code 22).
#pragma once

struct TDatosPPi {
    template <class S, class F> static void Recorrer(S&, F&&) {}
};
