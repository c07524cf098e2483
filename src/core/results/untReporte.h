// The one-page report: a title, sections of caption / value / unit rows and
// an optional observations box, laid out as positioned text items.
//
// Layout units are pixels of the page at 100 % zoom, 1/96 inch, measured from
// the top-left corner of the printable area (inside the page margins).
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "problem/untDatos.h"
#include "problem/untFormulas.h"
#include "problem/untTextos.h"
#include "results/untDetalle.h"

struct TFilaReporte {
    std::string etiqueta;  // caption
    std::string valor;     // value text as the window shows it, may be empty
    std::string unidad;    // unit text, may be empty
    // A result's validity sign (◐, ⚠) as the results page shows it beside
    // the value; empty inside calibration and for the inputs.
    std::string marca{};
};

struct TSeccionReporte {
    std::string titulo;  // heading
    std::vector<TFilaReporte> filas;
};

// The validity of one active formula's data: its state in one line and
// each parameter outside a range, with its value and the ranges.
struct TValidezReporte {
    std::string formula;  // caption of the slot ("Breusers")
    std::string estado;
    std::vector<std::string> fuera;
};

// The second page, "Avisos y gráfico": what the one-page layout has no room
// for.
struct TPaginaAvisos {
    std::vector<TValidezReporte> validez;   // every active formula, in slot order
    std::vector<std::string> datos;         // the warnings on implausible data
    std::optional<std::string> proteccion;  // the message of a protection too short
    TGrafico grafico;                       // drawn when a series has points
    std::string fecha;                      // printed at the foot, "AAAA-MM-DD"
    // The chart as the chart page shows it: logarithmic time, and the
    // curves hidden with a click on the legend (slot k at k - 1).
    bool tiempoLog = false;
    std::array<bool, 4> ocultas{};
};

// The pages "Detalle del cálculo": the detail of the computed problem,
// dated at the foot like the second page.
struct TDetalleReporte {
    TDetalleCalculo detalle;
    std::string fecha;  // "AAAA-MM-DD"
};

struct TReporteIncertidumbre;  // results/untIncertidumbreAnalisis.h

// Everything the report prints, as texts.
struct TTextosReporte {
    std::string titulo;  // problem title
    std::vector<TSeccionReporte> secciones;
    // No value: no "Observaciones" section.  An empty text still prints the
    // heading and an empty box.
    std::optional<std::string> observaciones;
    // No value: the report is the one page.
    std::optional<TPaginaAvisos> avisos;
    // No value: no pages of the calculation detail (the user did not ask).
    std::optional<TDetalleReporte> detalle{};
    // None: no page "Estudio de incertidumbre" (the user did not ask).
    std::shared_ptr<const TReporteIncertidumbre> incertidumbre{};
    // "AAAA-MM-DD", printed at the foot of the first page with the title as
    // on the others; empty: no foot.
    std::string fecha{};
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
inline constexpr const char* kTituloObservacionesContinuacion = "Observaciones (continuación)";

// Geometry of the layout.
inline constexpr int kReporteTituloX = 60, kReporteTituloY = 50;
inline constexpr int kReporteColumnaTitulos = 60;   // headings and the box
inline constexpr int kReporteColumnaEtiqueta = 150;
inline constexpr int kReporteColumnaValor = 550;    // right edge of the values
inline constexpr int kReporteColumnaUnidad = 600;
inline constexpr int kReporteColumnaMarca = 640;    // a result's validity sign, after its unit
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

// A page that goes on with the observations the box of the first page could
// not hold (the painter measures what fits): the heading "Observaciones
// (continuación)" where the first page has the problem's title, the rest in
// a box as wide as the first page's, down to the foot, which holds the
// problem title (right).  Such pages follow the first page, before "Avisos y
// gráfico", as many as the text needs.
std::vector<TItemReporte> DisponerContinuacionObservaciones(std::string resto, std::string_view tituloProblema);

// File name suggested for the report's PDF: "<title> <date>.pdf" with the
// characters that file systems refuse ("/" of "Estribo/Espigón" among them)
// replaced by "-".  The date comes as text, e.g. "2024-05-31".
std::string NombreArchivoReporte(std::string_view titulo, std::string_view fecha);

// Headings of the report's sections: the captions of the calculation
// window's tabs.
inline constexpr const char* kTitulosSecciones[] = {"Datos Globales", "Datos Locales", "Datos de Estructura",
                                                     "Datos Complementarios", "Resultados"};
// The results page's title before any calculation.
inline constexpr const char* kTituloSinCalculo = "Problema";

struct TSeccionCampos {
    const char* titulo;  // heading: the tab's caption
    std::vector<std::string_view> campos;  // catalogued fields, in the page's order
};

// The four input sections of the report, as the pages show them:
// "Datos Globales" with its seven fields and the chosen roughness option,
// "Datos Locales" with the depth, the structure rows of the second-level
// code and the complementary rows of the final code in the page's order
// (none for 211).
std::vector<TSeccionCampos> CamposEntradas(ProblemCode codigoEstructura, ProblemCode codigo, bool manning);

// What the calculation window holds when the report is asked for.
struct TVentanaReporte {
    const TDatosProblema& datos;  // the record; its code is the problem's
    const TPanelFormulas& panel;
    // Every field's text as the window shows it: as typed, an empty one and
    // a value typed and not yet left included.
    const TTextosCampos& textos;
    bool manning;     // "Coeficiente de Manning" chosen over "Altura de rugosidad"
    bool resultados;  // the results are on show (computed, nothing changed since)
    const TGrafico& grafico;
    // The chart page's view: logarithmic time, curves hidden (slot k at k - 1).
    bool tiempoLog = false;
    std::array<bool, 4> ocultas{};
    std::optional<std::string> observaciones{};
    bool detalle = false;  // "Incluir el detalle del cálculo"
    std::string fecha{};   // today, "AAAA-MM-DD"
};

// The report of the window's problem: the title of the results page
// ("Problema" before a calculation), each input section with its rows'
// captions, texts as typed and units, the "Resultados" rows as the results
// page shows them (none while the results are not on show), the
// observations, the second page when PaginaAvisos gives one (with the chart
// page's view) and the detail when asked.  The uncertainty study is the
// caller's: it lives in another window.
TTextosReporte ReporteDelProblema(const TVentanaReporte& v);

// ---- Second page "Avisos y gráfico".

inline constexpr const char* kTituloPaginaAvisos = "Avisos y gráfico";
inline constexpr const char* kTituloValidez = "Validez de las fórmulas";
inline constexpr const char* kTituloAvisosDatos = "Avisos sobre los datos";
inline constexpr const char* kTituloProteccion = "Protección";

// True when a series of the chart has a point.
bool ConCurvas(const TGrafico& grafico);

// The second page of a computed problem, or nothing when there is nothing to
// warn about (every active formula inside calibration or without ranges, no
// data warning, no protection message) and no curve to draw.  `panel` tells
// the active formulas and their captions; the protected abutment's single
// formula counts as active, since its result is always shown, and the
// pier's fourth slot, the switch of the failure lengths, is no formula.
std::optional<TPaginaAvisos> PaginaAvisos(const TDatosProblema& d, const TPanelFormulas& panel,
                                          const TTextosCampos& textos, const TGrafico& grafico, std::string fecha);

// Printable area of the A4 page inside its 10 mm margins, in layout units.
inline constexpr int kReporteAnchoUtil = 718, kReporteAltoUtil = 1046;

struct TRectReporte {
    int x, y, ancho, alto;
};

struct TDisposicionAvisos {
    std::vector<TItemReporte> items;
    std::optional<TRectReporte> grafico;  // where the chart goes, when there is one
};

// The items of the second page: the title "Avisos y gráfico" where the first
// page has the problem's; then the sections "Validez de las fórmulas" (per
// formula its caption and state, and below it the parameters outside),
// "Avisos sobre los datos" and "Protección", each left out when empty; then
// the chart over the width of the page down to the foot, which holds the
// date (left) and the problem title (right).  Every text is a word-wrapped
// box as tall as its text can need at 10 pt.
TDisposicionAvisos DisponerPaginaAvisos(const TPaginaAvisos& pagina, std::string_view tituloProblema);

// Height (layout units) of a word-wrapped 10 pt box `ancho` wide holding
// `texto`: its lines counted with a character wider than Arial's average,
// so that no line is ever cut.
int AltoCaja(std::string_view texto, int ancho);

// ---- Pages "Detalle del cálculo", after "Avisos y gráfico".

inline constexpr const char* kTituloDetalleContinuacion = "Detalle del cálculo (continuación)";

// The items of each page of the detail: the title "Detalle del cálculo"
// ("Detalle del cálculo (continuación)" on the pages after the first), the
// lines of LineasDetalle below it (headings bold, the others as word-wrapped
// boxes indented by their level), and the foot of the second page (date and
// problem title).  A line that does not fit above the foot starts a new
// page, where the heading of its section comes again; a heading never ends
// a page.
std::vector<std::vector<TItemReporte>> DisponerPaginasDetalle(const TDetalleReporte& detalle,
                                                              std::string_view tituloProblema);
