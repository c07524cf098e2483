// Rows of the results page: caption, value text and unit of each row, as the
// page and the report show them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "problem/untDatos.h"
#include "problem/untFila.h"
#include "problem/untFormulas.h"

// Transport condition: live bed when the flow's Shields mobility exceeds the
// critical one (strictly); clear water otherwise.
bool LechoVivo(const TDatosProblema& d);

// Rows 2 to 5, the same for every code: critical and flow Shields mobility,
// transport condition, critical erosion velocity.
std::vector<TFila> FilasComunes(const TDatosProblema& d, ProblemCode codigo);

// A value text of a row and the number it shows, when it shows one.
struct TValor {
    std::string texto;
    std::optional<double> numero;
    TValor(const char* palabra) : texto(palabra) {}  // a word: "inactivo", "nulo" ...
    TValor(std::string t, std::optional<double> n) : texto(std::move(t)), numero(n) {}
};

// A number as NumeText(valor, ancho, decimales) shows it.
TValor Numero(double valor, int ancho, int decimales);

// A row from its stem, caption, value and unit.
TFila Fila(std::string tallo, std::string etiqueta, TValor valor, std::string unidad);

// Value of a formula result: 2 decimals when slot k is active, "inactivo"
// otherwise.
TValor MostrarResultado(const TPanelFormulas& panel, int k, double valor);

// Row of the equilibrium scour of slot k (stem OutpErosMaxi<k>), caption
// "Erosión máxima de equilibrio (<caption of slot k>)", unit "[m]".  A
// negative number is no depth: its text reads "sin erosión (la fórmula da
// -1.31 m)" and the row keeps the number.
TFila FilaErosion(const TPanelFormulas& panel, int k, TValor valor);

// The value text of a row as a table of numbers writes it (a batch's
// cell): the text shown, but a scour row's negative number as the number.
std::string TextoDeTabla(const TFila& fila);

// Row of the critical failure length of slot k (stem OutpLongFall<k>),
// caption "Longitud de falla crítica (<caption of slot k>)", unit "[m]".
TFila FilaFalla(const TPanelFormulas& panel, int k, TValor valor);

// Relative turbulence intensity, 3 decimals.
TFila FilaTurbulencia(double valor);

// Every row that the results page can show, in page order, with the caption
// and unit its controls carry before any calculation (value texts empty).
const std::vector<TFila>& FilasDeLaPagina();

// True for the codes whose results page offers the table of critical slopes
// (the confined vortex, 111 and 121).
bool ConTablaPendientes(ProblemCode codigo);

// Slot 2 of the panel becomes the plain entry "Tabla", the critical-slope
// table of the confined vortex; its visibility stays as it is.
void MostrarTabla(TPanelFormulas& panel);
