// The folder of saved problems as the open window lists it: one entry per
// problem file with its name, title and date, and the type check box its
// problem falls under.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "problem/untDatos.h"
#include "problem/untProblema.h"

// The type check boxes of the open window, in their order, with the final
// codes each one stands for.
struct TTipoProblema {
    std::string_view nombre;  // "PVC", "PEs" ...
    std::string_view descripcion;  // "vórtice confinado", "estribo o espigón" ...
    std::vector<ProblemCode> codigos;
};
const std::vector<TTipoProblema>& TiposProblema();

// Index of the type box a final code falls under; nothing for the codes
// that are not final (a problem not classified to the end).
std::optional<int> TipoDeCodigo(ProblemCode codigo);

struct TEntradaBiblioteca {
    std::filesystem::path ruta;
    std::string nombre;    // file name without the extension
    std::string titulo;    // results title of its final code, "Sin clasificar", or why it cannot be opened
    std::string guardado;  // date and time of saving as the file keeps it
    ProblemCode codigo = 0;            // final code (0 when unreadable)
    std::optional<std::string> error;  // why it cannot be opened
};

inline constexpr const char* kTituloSinClasificar = "Sin clasificar";

// The results title of the problem's final code, or kTituloSinClasificar.
std::string TituloProblema(const TProblema& p);

// The entry of one problem file.
TEntradaBiblioteca EntradaBiblioteca(const std::filesystem::path& ruta);

// Every problem file (extension kExtensionProblema) directly in `carpeta`,
// by name.  A file that cannot be opened is listed with its error.  A
// missing or unreadable folder lists nothing.
std::vector<TEntradaBiblioteca> ListarProblemas(const std::filesystem::path& carpeta);

// Whether the open window shows an entry: every entry when "Todos" is
// checked or no type box is (no filter), otherwise those whose type box is
// checked.
bool EntradaVisible(const TEntradaBiblioteca& e, bool todos, std::span<const bool> tipos);
