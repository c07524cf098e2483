// Per-problem block of the protected abutment or spur dike (code 211).
#pragma once

struct TDatosPEP {
    template <class S, class F> static void Recorrer(S&, F&&) {}
};
