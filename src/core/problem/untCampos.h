// Catalogue of the numeric fields of the calculation window: default text,
// acceptance bounds, what an accepted change invalidates, and where the value
// is stored on acceptance.
#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>

#include "problem/untDatos.h"
#include "problem/untTextos.h"

// Reaction to an accepted value (with the value saved on entering), one rule
// for every field: the fields that "Calcular" reads (global and complementary
// pages) are Resultados, which hides "Resultados" and "Grafico" and returns
// to the field's page; the fields that "Continuar" on the structure page
// reads into the record (the depth and every structure field) are
// Posteriores, which hides every page after the field's own, so that no
// result is computed from a record that "Continuar" filled with older values.
enum class TReaccion { Resultados, Posteriores };

inline constexpr double kMaxi = 1.7e308;
inline constexpr const char* kMensajeInvalido = "El valor ingresado no es válido.";
inline constexpr const char* kMensajeSedimento = "Solo se considera sedimento no cohesivo (d50 > 62 micr)";

struct TCampo {
    std::string_view nombre;   // edit field without its "edt" prefix
    int pagina;                // 0 global, 1 local, 2 structure, 3 complementary
    std::string_view etiqueta;
    std::string_view unidad;
    std::string_view defecto;
    // Accepted when lo <= v <= hi, v != ex1 and v != ex2.
    double lo, hi, ex1, ex2;
    TReaccion reaccion;
    std::string_view mensaje = kMensajeInvalido;  // shown on rejection
    bool vacioAceptado = false;                   // an empty text goes on as if accepted
    bool sinControl = false;                      // any text is accepted (read by "Calcular" as it stands)
    // Tooltip of the row, where the caption alone does not tell the field
    // (the three "Factor de forma"); empty otherwise.
    std::string_view ayuda = "";
};

std::span<const TCampo> Campos();
const TCampo* BuscarCampo(std::string_view nombre);

// The caption of a field as the calculation window shows it for a problem
// code at any level (its leading digit is the phenomenon: 2, 21, 212 are all
// horizontal): the depth field reads "Tirante aguas arriba" for the
// horizontal phenomenon, the catalogue's caption otherwise.
std::string_view EtiquetaCampo(const TCampo& campo, ProblemCode codigo);

// True when the text is a number within the field's bounds.
bool ValorValido(std::string_view texto, double lo, double hi, double ex1, double ex2);

// The acceptance rule of a field as leaving it applies it: a valid value, or
// an empty text where the field accepts one.
bool TextoAceptado(const TCampo& campo, std::string_view texto);

// What a rejection of `texto` says: the field's message, and, for a text
// with a comma, that the decimal separator is the point (the comma of many
// locales is no separator here).
std::string MensajeRechazo(const TCampo& campo, std::string_view texto);
inline constexpr const char* kPistaSeparador = " Use el punto (.) como separador decimal, no la coma.";

// Every catalogued field with its default text.
TTextosCampos TextosPorDefecto();

// Lenient reading of a field's text (blank reads 0).  A name missing from
// the texts is a programming error (std::out_of_range).
double LeerCampo(const TTextosCampos& textos, std::string_view nombre);

// Store step of an accepted value: the depth, the step height, the opening
// height and the protection length of the current code go into the record
// at once.  Other fields are read by "Continuar" or "Calcular".
void GuardarAceptado(TDatosProblema& d, const TCampo& campo, double valor);
