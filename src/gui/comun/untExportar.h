// The save dialog of an "Exportar...": one filter per format, and the
// format of the file chosen; and the writing of the chart or its table in
// that format.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <QString>

#include "turmado.h"

class QCustomPlot;
class QWidget;

struct TFormatoExportar {
    const char* filtro;     // "Imagen PNG (*.png)"
    const char* extension;  // "png"
};

// The table as an Excel workbook (ExportarGrafico with "xlsx"); a window
// lists it after its CSV.  The dialog leaves it out where the build writes
// no workbook (LibroDisponible).
inline constexpr TFormatoExportar kFormatoLibro{"Libro de Excel (*.xlsx)", "xlsx"};

struct TArchivoExportar {
    QString ruta;
    QString extension;  // one of the formats' extensions
};

// Asks for the file (objectName "dlgExportar", the first format at first,
// `sugerido` as the name when given; a workbook only where the build writes
// one).  The format is the name's extension
// when it is one of the formats, the chosen filter's otherwise.  Nothing
// when the user cancels.
std::optional<TArchivoExportar> ElegirArchivoExportar(QWidget* padre, const QString& titulo,
                                                      std::span<const TFormatoExportar> formatos,
                                                      const QString& sugerido = {});

// Where a PNG gets its size: the chart as laid out on screen, drawn
// `ancho` pixels wide with every line and letter scaled up, at
// `puntosPorPulgada`; the screen's size when `ancho` is 0.
struct TPng {
    int ancho = 0;
    int puntosPorPulgada = 0;
};

// The PNG of a chart for print: 2400 pixels wide, 300 dpi.
inline constexpr TPng kPngImpresion{2400, 300};

// "<title> <today's date>", the file name without extension that
// "Exportar..." suggests for a chart of the problem titled `titulo`.
QString NombreSugeridoGrafico(const QString& titulo);

// Writes the chart by the extension: "png", "pdf" or "svg" (vectors, the
// screen's size, `titulo` as the document's title), or the text `csv()` as
// a CSV file or, with "xlsx", as an Excel workbook (the core's
// EscribirLibro: numbers as numbers, units, the sheet "Procedencia" with the
// program, `titulo` and the lines `procedencia`, e.g. {"Problema", title}),
// replaced in one step; a workbook has the sheets `hojas()` (when given)
// after the table, e.g. a study's summary beside its rows.  False when the
// file could not be written or the extension is none of these.
bool ExportarGrafico(QCustomPlot& grafico, const QString& ruta, const QString& extension, const QString& titulo,
                     const std::function<std::string()>& csv, TPng png = {}, const TProcedencia& procedencia = {},
                     const std::function<std::vector<THojaLibro>()>& hojas = {});
