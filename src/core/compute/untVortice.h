// Per-problem block of the confined vortex (codes 111 and 121).
#pragma once

struct TDatosPVC {
    template <class S, class F> static void Recorrer(S&, F&&) {}
};
