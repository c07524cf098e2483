// The one-page report: a title, sections of caption / value / unit rows and
// an optional observations box, laid out as positioned text items.
//
// Layout units are pixels of the page at 100 % zoom, 1/96 inch, measured from
// the top-left corner of the printable area (inside the page margins).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "problem/untDatos.h"

struct TFilaReporte {
    std::string etiqueta;  // caption
    std::string valor;     // value text as the window shows it, may be empty
    std::string unidad;    // unit text, may be empty
};

struct TSeccionReporte {
    std::string titulo;  // heading
    std::vector<TFilaReporte> filas;
};

// Everything the report prints, as texts.
struct TTextosReporte {
    std::string titulo;  // problem title
    std::vector<TSeccionReporte> secciones;
    // No value: no "Observaciones" section.  An empty text still prints the
    // heading and an empty box.
    std::optional<std::string> observaciones;
};

enum class TFuenteReporte {
    Titulo,      // heavy 16 pt face
    Encabezado,  // 10 pt bold
    Normal,      // 10 pt
    Caja,        // 10 pt, word-wrapped inside ancho x alto, cut at alto
};

enum class TAlineacion { Izquierda, Derecha };

struct TItemReporte {
    std::string texto;
    TFuenteReporte fuente;
    TAlineacion alineacion;
    int x;  // left edge; for Derecha the right edge (the painter measures the width)
    int y;  // top edge
    int ancho = 0;  // box only
    int alto = 0;   // box only
};

inline constexpr const char* kTituloObservaciones = "Observaciones";

// Geometry of the layout.
inline constexpr int kReporteTituloX = 60, kReporteTituloY = 50;
inline constexpr int kReporteColumnaTitulos = 60;   // headings and the box
inline constexpr int kReporteColumnaEtiqueta = 150;
inline constexpr int kReporteColumnaValor = 550;    // right edge of the values
inline constexpr int kReporteColumnaUnidad = 600;
inline constexpr int kReporteCajaAncho = 490, kReporteCajaAlto = 85;

// Top of row r of section s: 130 + 40 s + 20 r.  Rows are numbered on
// through the whole report starting at 1; each section adds 40 more.
constexpr int ReporteFilaY(int seccion, int fila) { return 130 + 40 * seccion + 20 * fila; }

// The items of the page: the title at (60, 50); then for each section its
// heading 20 above the section's first row (sharing that row's number, one
// past the last row used before) and its rows (caption at 150, value ending
// at 550, unit at 600); then, when there are observations, the heading
// "Observaciones" and the 490 x 85 box on the next two rows of section
// number secciones.size().  A section without rows still prints its heading
// and uses no row of its own.
std::vector<TItemReporte> DisponerReporte(const TTextosReporte& textos);

// File name suggested for the report's PDF: "<title> <date>.pdf" with the
// characters that file systems refuse ("/" of "Estribo/Espigón" among them)
// replaced by "-".  The date comes as text, e.g. "2024-05-31".
std::string NombreArchivoReporte(std::string_view titulo, std::string_view fecha);

// Names of the window's controls whose texts make one row: caption, value,
// unit.
struct TControlesFila {
    std::string etiqueta;
    std::string valor;
    std::string unidad;
    bool operator==(const TControlesFila&) const = default;
};

// lbl<stem>, edt<stem>, lbl<stem>Unid.
TControlesFila ControlesDeTallo(std::string_view tallo);

struct TSeccionControles {
    std::string pagina;  // tab page whose caption heads the section
    std::vector<TControlesFila> filas;
};

// The four input sections of the report, as the pages show them:
// "Datos Globales" with its seven fields and the chosen roughness option
// (its option button as caption), "Datos Locales" with the depth, the
// structure rows of the second-level code and the complementary rows of the
// final code in the page's order (none for 211).
std::vector<TSeccionControles> ControlesEntradas(ProblemCode codigoEstructura, ProblemCode codigo, bool manning);
