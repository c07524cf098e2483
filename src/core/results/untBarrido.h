// A sensitivity study: one input field of a problem swept over a range, the
// equilibrium scour depth of every active formula at each point.  The
// points run through the case runner without the evolution curves.
#pragma once

#include <array>
#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "problem/untProblema.h"
#include "results/untAvisos.h"

inline constexpr int kPuntosBarridoMinimo = 2;
inline constexpr int kPuntosBarridoMaximo = 1000;

struct TBarrido {
    std::string campo;  // field name without its "edt" prefix
    double desde = 0;
    double hasta = 0;   // may be below desde: the points then fall
    int puntos = 0;     // kPuntosBarridoMinimo to kPuntosBarridoMaximo
    bool logaritmico = false;
};

// The fields a problem reads, in page order: the global and local data (the
// Manning coefficient or the roughness height as the option says), the
// structure's fields and the complementary fields of its final code.
std::vector<std::string_view> CamposDelProblema(const TProblema& p);

// A study from the texts of its boxes; the message for the user when they
// do not make one (unknown field, a bound that is not a number, a number of
// points that is not a whole number from 2 to 1000, equal bounds, a bound
// not above 0 with logarithmic spacing).
struct TLecturaBarrido {
    std::optional<TBarrido> barrido;
    std::string error;
};
TLecturaBarrido LeerBarrido(std::string_view campo, std::string_view desde, std::string_view hasta,
                            std::string_view puntos, bool logaritmico);

// The same from the command line's "CAMPO=DESDE:HASTA:N".
TLecturaBarrido LeerBarrido(std::string_view texto, bool logaritmico);

// The default range around a field's current text: from half to one and a
// half times its value (the other way round for a negative value); nothing
// when the text is not a number other than 0.
std::optional<std::pair<double, double>> RangoPorDefecto(std::string_view texto);

// The values of the points: evenly spaced, or evenly in the logarithm; the
// ends are the bounds themselves.
std::vector<double> ValoresBarrido(const TBarrido& b);

// A value as it is typed in the field: the shortest digits that read back
// to the same double.
std::string TextoValor(double valor);

struct TPuntoBarrido {
    double valor;
    std::optional<std::string> error;  // a rejected text or a fault: a gap in every curve
    std::array<std::optional<double>, 4> profundidades;  // equilibrium scour (m) of slot k at index k - 1
    std::array<TEstadoRango, 4> estados{};               // where the data lie for each formula
    std::string condicion;                               // transport condition
};

struct TEstudio {
    // The slots with a depth at some point, in slot order, with the caption
    // of their formula and of their results row.
    struct TFormula {
        int ranura;
        std::string titulo;    // "CSU"
        std::string etiqueta;  // "Erosión máxima de equilibrio (CSU)"
    };
    std::vector<TFormula> formulas;
    std::vector<TPuntoBarrido> puntos;
    bool cancelado = false;
};

// Runs the study of `base`.  `avance` (if given) hears the points done after
// each block; `cancelar` (if given) stops it between points, and the study
// then keeps the points done.
TEstudio Estudiar(const TProblema& base, const TBarrido& b, unsigned hilos = 0,
                  const std::function<void(std::size_t hechos, std::size_t total)>& avance = {},
                  const std::atomic<bool>* cancelar = nullptr);

// The study as the window's table shows it: a header (the field's caption
// and unit, each formula's name with "[m]", "Condición de transporte") and
// one row per point: the value to 6 significant digits, each depth with 2
// decimals and the marker of its validity, the transport condition or, for
// a gap, its message.
struct TTablaEstudio {
    std::vector<std::string> encabezado;
    std::vector<std::vector<std::string>> filas;
};
TTablaEstudio TablaEstudio(const TBarrido& b, const TEstudio& e);

// The study as CSV (comma, period): the field's name, the results row
// caption of each formula and "Condición de transporte"; one line per point,
// numbers at full precision; a gap leaves the depths empty and puts its
// message in the last column.
std::string CsvEstudio(const TBarrido& b, const TEstudio& e);
