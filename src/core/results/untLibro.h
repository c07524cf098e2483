// Tables for spreadsheets: the CSV text that a batch, a sweep or an
// "Exportar..." writes, written instead as an Excel workbook (.xlsx) with
// libxlsxwriter.  One table in, one workbook out:
//
//   sheet "Resultados": row 1 the column names (bold), row 2 their units
//   (italic), both frozen; then one row per CSV line.  A cell that the core's
//   number scanner reads as a number is a numeric cell (16 significant
//   digits, more than the 15 a spreadsheet computes with); a rounded one
//   keeps the decimals the CSV shows ("0.0550" is 0.055 shown as 0.0550).
//   Every other cell stays text, and so does a whole number with leading
//   zeros ("01371500", a site's code).  The validity of a formula's data ("calibracion",
//   "validacion", "fuera", "sin_rangos" in a column "validez...") colours
//   that cell and, in a batch with keys, the cell of the formula's depth
//   ("ys_pila_csu_m" beside "validez_pila_csu", a results row's caption
//   beside the validity of its key).  Numbers keep every digit of their
//   double (the shortest text that reads back to it); texts are made
//   well-formed UTF-8 (see TextoCelda in the source) and a literal "_xHHHH_"
//   stays as written.
//   then any other sheets asked for (a study's summary beside its rows),
//   each from its own CSV text in the same way;
//   sheet "Procedencia": the program, its version, the date, the command or
//   window that wrote it, and the meaning of the colours where there are any.
//
// The workbook is written row by row as the CSV comes (a batch of a million
// cases does not fill the memory), under a temporary name, and put in place
// at the end (untArchivoSalida).  A build without libxlsxwriter writes no
// workbook: LibroDisponible() says so.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "results/untArchivoSalida.h"

// Whether this build writes workbooks.
bool LibroDisponible();

// Whether a file name asks for a workbook: its extension is .xlsx, in any case.
bool EsNombreLibro(std::string_view ruta);

// The unit of a column by its name, without brackets ("m", "m^3/s"): a
// batch key ("ys_pila_csu_m"), a data field ("FlujCaud") or a results row's
// caption ("Erosión máxima de equilibrio (CSU)"); another key that ends in
// a unit as the batch's do ("ys_medida_m": "_m", "_m_s", "_m2_s",
// "_grados"); or a name that ends in its unit in parentheses after a colon,
// as the chart's CSV names its columns ("CSU: erosión (m)").  Empty for the
// others (titulo, validez ...).
std::string UnidadColumna(std::string_view nombre);

// The lines of the sheet "Procedencia", name and value: "Programa",
// "Versión" and "Fecha" (local, "AAAA-MM-DD HH:MM"), then `otras` (the
// command line, the window ...).
using TProcedencia = std::vector<std::pair<std::string, std::string>>;

// A sheet after "Resultados": its name (at most 31 characters, none of
// []:*?/\) and its table as CSV.
struct THojaLibro {
    std::string nombre;
    std::string csv;
};
TProcedencia Procedencia(std::string_view programa, TProcedencia otras = {});

// The most rows of results a sheet holds (Excel's 1,048,576 less the two
// header rows).
inline constexpr std::size_t kFilasLibroMaximo = 1048576 - 2;

// CSV in, as a stream: each line becomes a row as soon as it is whole and
// the stream is flushed.  The separator is the comma, or the semicolon when
// the first line has semicolons and no comma (as a batch's output).  When a
// row cannot be written (too many rows, a full disk for the temporary
// files) the stream fails and Fallo() says why.
class TLibroCsv : public std::streambuf {
public:
    // Creates the temporary file beside `ruta`; throws ErrorEscritura when it
    // cannot, or when the build writes no workbook.
    explicit TLibroCsv(const std::filesystem::path& ruta);
    ~TLibroCsv() override;  // a workbook not finished leaves no file

    // Writes what is left, the sheets `otras`, the sheet "Procedencia",
    // closes the workbook and puts it in place.  Throws ErrorEscritura.
    void Terminar(const TProcedencia& procedencia, const std::vector<THojaLibro>& otras = {});

    const std::optional<ErrorEscritura>& Fallo() const;

    struct TImpl;

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

private:
    std::unique_ptr<TImpl> impl_;
};

// A whole CSV text written as a workbook, with the sheets `otras` after it.
// Throws ErrorEscritura.
void EscribirLibro(const std::filesystem::path& ruta, std::string_view csv, const TProcedencia& procedencia,
                   const std::vector<THojaLibro>& otras = {});

// A table's file by its name: a workbook for .xlsx, the CSV as it comes
// otherwise, written in one step either way.
class TSalidaTabla {
public:
    // Throws ErrorEscritura (the file cannot be created, or a workbook is
    // asked of a build that writes none).
    explicit TSalidaTabla(const std::filesystem::path& ruta);
    ~TSalidaTabla();

    std::ostream& Flujo() { return flujo_; }
    // Puts the file in place (the workbook with its "Procedencia").  Throws
    // ErrorEscritura, also when a write to Flujo() failed.
    void Terminar(const TProcedencia& procedencia);

private:
    struct TCsv;
    std::unique_ptr<TCsv> csv_;
    std::unique_ptr<TLibroCsv> libro_;
    std::ostream flujo_;
};
