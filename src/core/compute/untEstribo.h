// Per-problem block of the abutment or spur dike (code 212).
#pragma once

struct TDatosPEs {
    template <class S, class F> static void Recorrer(S&, F&&) {}
};
