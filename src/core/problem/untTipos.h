// The structure types that "Calcular" computes, one descriptor per final
// problem code: its title, the box of the open window it falls under, its
// formula slots (captions and the complementary fields each formula needs),
// the rows of its complementary page, whether "Continuar" may reach it with
// a protection too short to act, and its calculator.  Each type defines its
// descriptor in its own folder (src/core/tipos/<tipo>/); the registry
// (tipos/untRegistro.cpp) lists them and defines the look-ups declared here,
// so that the code below the type folders asks for a type by its code
// without naming any.
#pragma once

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "problem/untDatos.h"
#include "problem/untFila.h"
#include "problem/untFormulas.h"
#include "problem/untTextos.h"

struct TSeccionDetalle;

// The grading of the bed as a type's formulas use it.
struct TGradacion {
    double factor;  // Ksigma
    double d84d50;  // sigma
};

// A picture the results page opens: its name ("PictPPi" ...), and the text
// and tooltip of its button where a type has several, each saying which
// drawing it opens.
inline constexpr std::string_view kBotonImagen = "Imagen";
struct TImagenTipo {
    std::string_view nombre;
    std::string_view boton = kBotonImagen;
    std::string_view ayuda = {};  // empty: the picture's title
};

// The transport condition below the threshold of motion, as most types write it.
inline constexpr const char* kAguasClaras = "Aguas claras";

// The steps "Calcular" runs for a type, any of them absent: its input step
// (fields of the complementary page), the quantities it derives from its
// structure once the common flow is known, its preparation step, the
// calculation proper, and its rows of the results page from row 6 on.
struct TCalculadora {
    void (*entrada)(TDatosProblema&, const TTextosCampos&, const TPanelFormulas&) = nullptr;
    void (*estructura)(TDatosProblema&) = nullptr;
    void (*preparacion)(TDatosProblema&, const TPanelFormulas&) = nullptr;
    void (*calcular)(TDatosProblema&, const TPanelFormulas&, TGrafico&) = nullptr;
    std::vector<TFila> (*filas)(const TDatosProblema&, const TPanelFormulas&) = nullptr;
};

// Calibration and validation ranges of a formula, as published with it: one
// row per parameter.  The texts are kept exactly as they are shown (a range
// "lower/upper", a single value, "-", a word, or empty where the source
// gives nothing).
struct TFilaRango {
    std::string_view parametro;
    std::string_view unidad;
    std::string_view calibracion;
    std::string_view validacion;
};

struct TTablaRango {
    std::string_view nombre;  // window name without the "Tfrm" prefix ("RangPAGRaBe")
    std::string_view titulo;  // window caption
    std::span<const TFilaRango> filas;
};

// What the data say about one row of the range tables: the record quantity
// the row is compared with, or why the row is not compared.  The rows that
// mean the same for every type are results/untAvisos.cpp's; a type lists
// those whose quantity is its own (the velocity of its jet ...).
struct TMagnitudRango {
    std::string_view parametro;  // caption of the row in the range tables
    std::string_view nombre;     // name shown in the warnings ("d50", "Tirante" ...)
    double divisor;              // table unit -> record unit: 1000 for mm, 1 otherwise
    double (*valor)(const TDatosProblema&);  // in the record's unit; nullptr: not compared
    std::string_view omitida;    // why a row is not compared (empty when it is)
};

// A formula slot: its caption (nullptr: hidden) and the complementary fields
// whose texts, all filled, make it active.  `siempre` marks a formula
// without needed fields; `intocada` a slot the activation does not touch.
struct TRanuraTipo {
    const char* titulo;
    std::vector<std::string_view> campos;
    bool siempre = false;
    bool intocada = false;
    const TTablaRango* rangos = nullptr;  // its range table, if published
    // A clear-water law (U/Uc <= 1): in live bed its result is marked as
    // not applicable, with a warning naming U/Uc.
    bool soloAguasClaras = false;
    // Fields the panel highlights with the needed ones when the slot is clicked.
    std::vector<std::string_view> resaltados = {};
    bool interruptor = false;  // the slot switches rows of the other formulas on: no formula of its own
};

// The slot of a formula that needs the fields, of one that needs none, and a
// hidden slot.
inline TRanuraTipo RanuraFormula(const char* titulo, std::vector<std::string_view> campos = {},
                                 const TTablaRango* rangos = nullptr) {
    return {titulo, std::move(campos), false, false, rangos};
}
inline TRanuraTipo RanuraSiempre(const char* titulo, const TTablaRango* rangos = nullptr) {
    return {titulo, {}, true, false, rangos};
}
inline const TRanuraTipo kRanuraOculta{nullptr, {}, false, true};
inline TRanuraTipo DeAguasClaras(TRanuraTipo ranura) {
    ranura.soloAguasClaras = true;
    return ranura;
}
inline TRanuraTipo Interruptor(TRanuraTipo ranura) {
    ranura.interruptor = true;
    return ranura;
}
inline TRanuraTipo ConResaltados(TRanuraTipo ranura, std::vector<std::string_view> campos) {
    ranura.resaltados = std::move(campos);
    return ranura;
}

// A row of the complementary page: the field, its row and group, the
// category label that opens the group on this row (empty if none), and
// whether it has a picker button.
struct TFilaComplementaria {
    std::string_view campo;
    int fila;
    int grupo;
    std::string_view categoria;
    bool selector;
    std::string_view tabla = {};  // the picker's table where it is the type's own (empty: the field's)
};

// A type's descriptor: what every part of the program outside its folder
// knows of it.  Its folder fills it in with designated initializers; a
// member left out keeps the default below.
struct TTipoEstructura {
    ProblemCode codigo = 0;
    const char* titulo = "";           // title of the results page
    std::string_view caja = {};        // type box of the open window: "PVC", "PEs" ...
    std::string_view descripcion = {};  // its description: "vórtice confinado" ...
    std::array<TRanuraTipo, 4> ranuras = {kRanuraOculta, kRanuraOculta, kRanuraOculta, kRanuraOculta};
    std::vector<TFilaComplementaria> filas = {};  // the rows of its complementary page
    bool sinActivacion = false;    // its formulas are computed whatever the panel says and stay plain
    bool avisoProteccion = false;  // "Continuar" reaches it when the protection is too short to act
    TCalculadora calculadora = {};
    // The sections of "Detalle del cálculo" after the common one.
    void (*detalle)(const TDatosProblema&, const TPanelFormulas&, std::vector<TSeccionDetalle>&) = nullptr;
    std::vector<TClaveFila> claves = {};  // its keyed results rows from row 6 on, in page order (compute/untClaves.h)
    std::vector<TMagnitudRango> magnitudes = {};  // the rows of its range tables that compare a quantity of its own
    const char* aguasClaras = kAguasClaras;  // the transport condition's text below the threshold
    bool tablaPendientes = false;            // its results page offers the table of critical slopes
    // The shipped field and laboratory measurements (data/validacion) are of
    // this type; `gradacion` gives the grading of a solved problem
    // (Ksigma, d84/d50) that the validation reports beside each row.
    bool medido = false;
    TGradacion (*gradacion)(const TDatosProblema&) = nullptr;
    std::vector<TImagenTipo> imagenes = {};  // the pictures its results page opens
};

// Every type, in the order of the open window's boxes (defined by the
// registry, tipos/untRegistro.cpp).
std::span<const TTipoEstructura> TiposEstructura();

// Every type in the order of the batch's columns, as first published: a new
// type's columns go last.
std::span<const TTipoEstructura* const> TiposPorColumnas();

// The descriptor of a final code, or nullptr for the codes without one.
const TTipoEstructura* TipoEstructura(ProblemCode codigo);

// Whether the complementary page of the code shows the field, i.e. whether
// its calculator may read it.
bool TipoLeeCampo(ProblemCode codigo, std::string_view campo);
