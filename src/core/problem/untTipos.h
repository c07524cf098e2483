// The structure types that "Calcular" computes, one descriptor per final
// problem code: its title, the box of the open window it falls under, its
// formula slots (captions and the complementary fields each formula needs),
// the rows of its complementary page, and whether "Continuar" may reach it
// with a protection too short to act.  Everything else that differs by type
// (the calculator, the range tables, the validity warnings, the audit
// detail, the batch keys, the pictures) is keyed by the named codes below.
#pragma once

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "problem/untDatos.h"

// The final codes, as the wizard's classification (problem/untCodigo.cpp)
// reaches them: one decimal digit per level.
inline constexpr ProblemCode kCodigoPila = 22;
inline constexpr ProblemCode kCodigoAlcaAngosta = 31;
inline constexpr ProblemCode kCodigoVorticeEscalon = 111;      // bed step with an acting protection
inline constexpr ProblemCode kCodigoVorticeAlcantarilla = 121;  // gate or wide culvert with an acting protection
inline constexpr ProblemCode kCodigoAlcaAncha = 122;
inline constexpr ProblemCode kCodigoEstriboProt = 211;
inline constexpr ProblemCode kCodigoEstribo = 212;
inline constexpr ProblemCode kCodigoEscalon = 1121;
inline constexpr ProblemCode kCodigoChorro = 1122;

// A formula slot: its caption (nullptr: hidden) and the complementary fields
// whose texts, all filled, make it active.  `siempre` marks a formula
// without needed fields; `intocada` a slot the activation does not touch.
struct TRanuraTipo {
    const char* titulo;
    std::vector<std::string_view> campos;
    bool siempre = false;
    bool intocada = false;
};

// A row of the complementary page: the field, its row and group, the
// category label that opens the group on this row (empty if none), and
// whether it has a picker button.
struct TFilaComplementaria {
    std::string_view campo;
    int fila;
    int grupo;
    std::string_view categoria;
    bool selector;
};

struct TTipoEstructura {
    ProblemCode codigo;
    const char* titulo;             // title of the results page
    std::string_view caja;          // type box of the open window: "PVC", "PEs" ...
    std::string_view descripcion;   // its description: "vórtice confinado" ...
    std::array<TRanuraTipo, 4> ranuras;
    std::vector<TFilaComplementaria> filas;
    bool sinActivacion = false;  // the protected abutment: "Dietz" stays plain
    bool avisoProteccion = false;  // "Continuar" reaches it when the protection is too short to act
};

// Every type, in the order of the open window's boxes.
std::span<const TTipoEstructura> TiposEstructura();

// The descriptor of a final code, or nullptr for the codes without one.
const TTipoEstructura* TipoEstructura(ProblemCode codigo);

// Whether the complementary page of the code shows the field, i.e. whether
// its calculator may read it.
bool TipoLeeCampo(ProblemCode codigo, std::string_view campo);
