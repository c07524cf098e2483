// The uncertainty study of every line of a batch (--lote with --incierto):
// each computed line studied around its own values, and per formula and for
// the envelope its P50, P95 and, with a foundation depth, the probability of
// exceeding it, in columns after the batch's own, known before any line
// runs: one group per formula of every structure type, each line filling
// those of its own formulas.  Then the samples left out of the line's
// statistics and the message of a study that could not be made.
//
// Keys (TEstudioLote with textos false), for the formula of the scour key
// ys_<structure>_<formula>_m (ys_pila_csu_m):
//   p50_<structure>_<formula>_m, p95_<structure>_<formula>_m   (m)
//   pfund_<structure>_<formula>   (0 to 1, with a foundation depth)
//   p50_envolvente_m, p95_envolvente_m, pfund_envolvente
//   muestras_rechazadas, mensaje_incertidumbre
// Captions (textos true), one column per caption as for the results rows:
//   "P50 (CSU) [m]", "P95 (CSU) [m]", "P(ys > 3 m) (CSU)" ... "P50
//   (envolvente) [m]" ..., "Muestras rechazadas", "Mensaje de incertidumbre".
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "problem/untProblema.h"
#include "results/untIncertidumbre.h"
#include "results/untResolver.h"

class TTrabajadores;

// What a batch studies on every line.
struct TIncertidumbreLote {
    std::vector<std::string> inciertos;  // "CAMPO=DIST" each; MEDIA "*" is the line's value
    // Samples, seed, model errors and foundation depth; `entradas`, `hilos`,
    // `trabajadores`, `avance` and `cancelar` are not read.  A model error
    // applies to the lines that have a formula of that caption.
    TOpcionesIncertidumbre opciones;
};

// Why no line could be studied: a text of `inciertos` that does not read
// without a problem (an unknown field or distribution, a parameter that is
// not a number, bounds in the wrong order ...), a model error of a formula
// that no structure type has.  Nothing when the study can run.
std::optional<std::string> ErrorIncertidumbreLote(const TIncertidumbreLote& estudio);

class TEstudioLote {
public:
    TEstudioLote(TIncertidumbreLote estudio, bool textos);

    const std::vector<std::string>& Columnas() const { return columnas_; }
    std::size_t Muestras() const { return estudio_.opciones.muestras; }

    // The cells of a computed line (its problem and its result), one per
    // column: the line's study run on `trabajadores`, the same numbers on any
    // number of threads.  Numbers with 2 decimals (4 for a probability) or,
    // with `completos`, the shortest digits that read back exactly.  A
    // study that cannot be made (the line's problem does not read a field,
    // has no numeric mean for "*", every sample rejected ...) leaves its
    // numbers empty and says why in the last cell.
    std::vector<std::string> Celdas(const TProblema& p, const TResultado& r, bool completos,
                                    TTrabajadores& trabajadores) const;

private:
    TIncertidumbreLote estudio_;
    std::vector<std::string> columnas_;
    // First column (P50) of each formula by its scour key, and of the envelope.
    std::map<std::string, std::size_t, std::less<>> formula_;
    std::size_t envolvente_ = 0;
};
