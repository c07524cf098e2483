// The problem file: format "turmado-problema", a JSON object that holds the
// wizard answers, the roughness option and the text of every field exactly
// as typed, the set-up of the uncertainty study and the report's
// observations when there are any, and, for a person reading it, the title
// and rows of the last results.  A file without the set-up or the
// observations (as the first programs wrote it) reads as having none.  Reading checks everything before anything is used and names
// what is wrong.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "general/untError.h"
#include "problem/untFila.h"
#include "problem/untProblema.h"

inline constexpr const char* kFormatoProblema = "turmado-problema";
inline constexpr int kVersionProblema = 1;
inline constexpr const char* kExtensionProblema = ".turmado";
// A problem file is a few kilobytes; anything larger is not one.
inline constexpr std::size_t kTamanoMaximoProblema = 1 << 20;

// The results page as it was when the problem was saved.  Written for the
// reader of the file; opening a problem never uses it.
struct TResultadosArchivo {
    ProblemCode codigo = 0;
    std::string titulo;
    std::vector<TFila> filas;  // caption, value and unit (the stem is not kept)

    bool operator==(const TResultadosArchivo& o) const;
};

// The uncertainty study's set-up as its window's cells hold it: texts, so
// that a set-up not yet complete (a cell still being filled) comes back as
// it was typed.  The window reads them as it reads its cells.
struct TEntradaInciertaArchivo {
    std::string campo;         // field name without "edt"
    std::string distribucion;  // "normal", "lognormal", "uniforme", "triangular"
    // The cells "Media", "CV", "Mínimo", "Moda", "Máximo", each as typed.
    std::string media, cv, minimo, moda, maximo;

    bool operator==(const TEntradaInciertaArchivo&) const = default;
};

struct TErrorFormulaArchivo {
    std::string formula;  // caption of the formula ("CSU")
    bool activo = false;  // its error turned on
    std::string sesgo, cv;

    bool operator==(const TErrorFormulaArchivo&) const = default;
};

struct TIncertidumbreArchivo {
    std::vector<TEntradaInciertaArchivo> entradas;
    std::vector<TErrorFormulaArchivo> modelo;
    std::string muestras, semilla, fundacion;  // "fundacion" empty for none

    bool operator==(const TIncertidumbreArchivo&) const = default;
};

// The distribution names a set-up may hold.
inline constexpr const char* kDistribucionesArchivo[] = {"normal", "lognormal", "uniforme", "triangular"};

struct TArchivoProblema {
    TProblema problema;
    std::string guardado;  // local date and time of saving, "AAAA-MM-DD HH:MM"
    // Only in a recovery copy: the file the window had open (UTF-8 path),
    // empty for a problem never saved.  A saved problem does not name itself.
    std::string archivo;
    std::optional<TResultadosArchivo> resultados;
    // The set-up of the problem's uncertainty study, once one was made.
    std::optional<TIncertidumbreArchivo> incertidumbre;
    // The report's observations, once typed.
    std::optional<std::string> observaciones;

    bool operator==(const TArchivoProblema&) const = default;
};

// What is wrong with a file that cannot be opened.
enum class TFalloArchivo {
    Lectura,         // missing, not a regular file, unreadable
    NoEsProblema,    // not JSON, another JSON document, or far too large
    VersionNueva,    // written by a newer format version
    Incompleto,      // empty or cut short
    Danado,          // a problem file with a wrong or missing part
    TextoRechazado,  // a field text that the field would reject
};

class ErrorArchivo : public ErrorTurmado {
public:
    ErrorArchivo(TFalloArchivo tipo, const std::string& mensaje)
        : ErrorTurmado(TClaseError::Archivo, mensaje), tipo(tipo) {}
    TFalloArchivo tipo;
};

// The file's text (UTF-8, two-space indented, fields in the order of the
// window).
std::string EscribirArchivoProblema(const TArchivoProblema& a);

// Reads and checks a file's text; throws ErrorArchivo.  Missing parts take
// their defaults: no answers, the Manning option, the default text of a
// field, no results.
TArchivoProblema LeerArchivoProblema(std::string_view texto);

// Reads the file at `ruta` (at most kTamanoMaximoProblema bytes) and checks
// it; throws ErrorArchivo.
TArchivoProblema CargarArchivoProblema(const std::filesystem::path& ruta);

// The current local date and time as the file keeps it.
std::string FechaActual();
