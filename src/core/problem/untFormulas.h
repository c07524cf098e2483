// The panel of active formulas and the evolution chart, as data.  Slot k
// (k = 1..4) is the k-th formula of the panel and the k-th series of the
// chart; the accessors take k, the arrays are indexed from 0.
#pragma once

#include <array>
#include <string>
#include <vector>

// Caption of an unused slot, and title of the series of a slot not evaluated.
inline constexpr const char* kTextoInactivo = "inactivo";

struct TRanura {
    std::string titulo;   // caption of the panel label: formula name, or "inactivo"
    bool visible = true;
    bool activa = false;  // drawn bold on screen
};

// Panel "Fórmulas activas".
struct TPanelFormulas {
    std::array<TRanura, 4> ranuras;
    bool visible = false;
    TRanura& Ranura(int k) { return ranuras[k - 1]; }
    const TRanura& Ranura(int k) const { return ranuras[k - 1]; }
    bool Activa(int k) const { return Ranura(k).activa; }
    const std::string& Titulo(int k) const { return Ranura(k).titulo; }
};

struct TPunto {
    double x;  // time, hours
    double y;  // scour depth, m
};

struct TSerie {
    std::string titulo;
    std::vector<TPunto> puntos;
    // Equilibrium depth (m) of each curve of the time law appended, in order:
    // the depth the curve tends to, which it may stop well short of.
    std::vector<double> equilibrios;
};

// Chart "Erosión instantánea en el tiempo": four series (red, green, dark
// purple, blue) with default titles "(a)" ... "(d)".
struct TGrafico {
    std::array<TSerie, 4> series{TSerie{"(a)", {}, {}}, TSerie{"(b)", {}, {}}, TSerie{"(c)", {}, {}},
                                 TSerie{"(d)", {}, {}}};
    bool pestanaVisible = false;  // set when a calculator draws a curve
    // False when only the results are wanted (a batch, a sensitivity study):
    // the calculators then store no points, and every result, title,
    // equilibrium depth and fault stays what it is with the points stored.
    bool curvas = true;

    TSerie& Serie(int k) { return series[k - 1]; }
    const TSerie& Serie(int k) const { return series[k - 1]; }

    // Empties the four series; titles stay as they are.
    void Limpiar() {
        for (auto& s : series) {
            s.puntos.clear();
            s.equilibrios.clear();
        }
    }
};
