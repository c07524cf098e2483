// What the module's functions share: the texts of Python values as a field
// would hold them, the problem of keyword arguments, and the exceptions.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <pybind11/pybind11.h>

#include "turmado.h"

namespace py = pybind11;

// Largest number of threads a call takes, as turmado-calc's --hilos.
inline constexpr int kHilosMaximo = 256;

// A str as UTF-8; ValueError naming it when it cannot be written so (a
// lone surrogate), instead of pybind11's RuntimeError.
std::string Utf8(py::handle texto);

// The text of a value as typed in a field or a batch cell: a str as it
// is, an int in decimal, a float with the shortest digits that read back to
// it, True and False as 1 and 0; None and NaN as the empty text.  Nothing for
// any other type.
std::optional<std::string> TextoDeValor(py::handle valor);

// The problem of a call: the code, the roughness option, the jet answer
// and the fields given by name, each checked as leaving the field checks
// it (TextoRechazado naming the field, TypeError for a name that is not a
// field).
TProblema ProblemaDeArgumentos(int codigo, bool rugosidad, const py::object& chorro, const py::kwargs& campos);

// Threads from the argument `hilos` (None: every core).
unsigned Hilos(const py::object& hilos);

// Raises turmado.TextoRechazado with its attribute `campo`.
[[noreturn]] void LanzarTextoRechazado(const std::string& campo, const std::string& mensaje);

// The texts "CAMPO=DIST" of the argument `inciertos` (a dict {campo: DIST
// or a tuple of its parts} or a list of texts), at least one.
std::vector<std::string> TextosInciertos(const py::object& inciertos);

// The options of an uncertainty study from the arguments muestras, semilla,
// modelo ({fórmula: "SESGO:CV" or (sesgo, cv)}) and fundacion, checked with
// the messages of turmado-calc's options (ValueError, TypeError).
TOpcionesIncertidumbre OpcionesDeEstudio(const py::object& muestras, const py::object& semilla, const py::object& modelo,
                                         const py::object& fundacion);

// The batch: a DataFrame or a list of dicts in, a DataFrame out; with
// `incierto`, each row's uncertainty study in columns before "error".
py::object Lote(const py::object& tabla, const py::object& hilos, bool textos, const py::object& incierto,
                const py::object& muestras, const py::object& semilla, const py::object& modelo,
                const py::object& fundacion);
