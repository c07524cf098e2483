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
#include "results/untAvisosDatos.h"

inline constexpr int kPuntosBarridoMinimo = 2;
inline constexpr int kPuntosBarridoMaximo = 1000;

struct TBarrido {
    std::string campo;  // field name without its "edt" prefix
    double desde = 0;
    double hasta = 0;   // may be below desde: the points then fall
    int puntos = 0;     // kPuntosBarridoMinimo to kPuntosBarridoMaximo
    bool logaritmico = false;
    // Sweeping d50: keep d84/d50 and d90/d50 of the base (true) or hold d84
    // and d90 at their texts (false); nothing: GradacionFija's default.
    std::optional<bool> gradacion{};
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
    // A rejected text, a fault or a problem of another type than the
    // base's: a gap in every curve.
    std::optional<std::string> error;
    std::array<std::optional<double>, 4> profundidades;  // equilibrium scour (m) of slot k at index k - 1
    std::array<TEstadoRango, 4> estados{};               // where the data lie for each formula
    std::string condicion;                               // transport condition
    std::vector<TAvisoDato> avisos;                      // warnings on implausible data, as a single run gives them
};

// The message of a point whose problem is of another type than the base's
// (the wizard's road depends on the data: a gate whose opening reaches the
// water surface becomes a confined vortex): "el problema cambia de tipo:
// <title of the point's type>".  The columns of a study belong to the
// formulas of the base's type only.
std::string MensajeCambioDeTipo(const std::string& titulo);

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
    ProblemCode codigo = 0;  // the base's final problem code (CodigoFinal)
    // Sweeping d50: what was done with the other grain sizes (TextoGradacion);
    // empty otherwise.
    std::string gradacion;
};

// Runs the study of `base`: each point as the problem computed alone with
// that value, a gap where it is of another type than the base.  `avance` (if given) hears the points done after
// each block; `cancelar` (if given) stops it between points, and the study
// then keeps the points done.
TEstudio Estudiar(const TProblema& base, const TBarrido& b, unsigned hilos = 0,
                  const std::function<void(std::size_t hechos, std::size_t total)>& avance = {},
                  const std::atomic<bool>* cancelar = nullptr);

// The study as the window's table shows it: a header (the field's caption
// for the problem and its unit, each formula's name with "[m]", "Condición
// de transporte", "Avisos de datos") and one row per point: the value to 6
// significant digits, each depth with 2 decimals and the marker of its
// validity, the transport condition or, for a gap, its message, and the
// point's data warnings joined with " | ".
struct TTablaEstudio {
    std::vector<std::string> encabezado;
    std::vector<std::vector<std::string>> filas;
};
TTablaEstudio TablaEstudio(const TBarrido& b, const TEstudio& e);

// The study as CSV (comma, period): the field's name, the results row
// caption of each formula, "Condición de transporte" and "Avisos de datos";
// one line per point, numbers at full precision; a gap leaves the depths
// empty and puts its message in the transport condition's column.  With
// `conValidez` (the window's export) each depth is followed by where the
// point's data lie for its formula, as the table's marks say: a column
// "validez_<formula's key>" ("validez_pila_csu") of "calibracion",
// "validacion", "fuera" or "sin_rangos", empty where there is no depth.
std::string CsvEstudio(const TBarrido& b, const TEstudio& e, bool conValidez = false);

// The data warnings of a study in one line each, one per rule that fires at
// some point, in the order of the rules: its text over the base's texts with
// the swept field written as the span of its values at those points ("0.5 a
// 50 mm"), then the points (numbered from 1, as the table's rows) it applies
// to: "... — puntos 1 a 37", "... — punto 4", "... — puntos 1 a 3, 5 y 8 a
// 10".  None when no point warns.
std::vector<std::string> AvisosDelEstudio(const TProblema& base, const TBarrido& b, const TEstudio& e);

// The grading of the bed while a study varies d50: d84 and d90 belong to
// the same grading as d50, so a study that draws or sweeps d50 either moves
// them with it (d84/d50 and d90/d50 kept as the problem has them) or holds
// them at their texts (the ratios change with every point, and the pier's
// gradation factor and the culverts' coefficient c2 with them).  Both the
// sweep and the uncertainty study use this, and say which was done.
// A grain size that keeps its ratio to d50.
struct TRazonGrano {
    std::string_view campo;  // "SediDiam84N3", "SediDiam90N3"
    double razon;            // its value over d50's, from the problem's texts
};

// The grain sizes besides d50 that the problem reads and holds as positive
// numbers, with their ratio to d50 (nothing when d50 is not a positive
// number).
std::vector<TRazonGrano> RazonesGranos(const TProblema& p);

// Whether a study keeps the ratios: as asked, or by default when the
// problem holds a d84 or d90 (a grading typed with d50).
bool GradacionFija(const TProblema& p, std::optional<bool> pedido);

// Writes each grain size's text as its ratio times `d50` (m... in the field's
// own unit, as d50's text is).
void AplicarRazones(const std::vector<TRazonGrano>& razones, double d50, TTextosCampos& textos);

// The sentence that says which was done when d50 varies: "d84/d50 = 2.40
// fija: d84 varía con d50." or "d84 fijo en 4.8 mm: d84/d50 cambia con d50
// (...)."; empty when the problem has no grain size besides d50.
std::string TextoGradacion(const TProblema& p, bool fija);

inline constexpr std::string_view kCampoD50 = "SediDiamMedi";
