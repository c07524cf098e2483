#include "results/untLibro.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <map>

#include "compute/untClaves.h"
#include "general/untCifras.h"
#include "general/untMostrable.h"
#include "general/untNumero.h"
#include "problem/untCampos.h"
#include "results/untAvisos.h"
#include "results/untLecturaCasos.h"

#ifdef TURMADO_XLSX
#include <charconv>
#include <deque>
#include <xlsxwriter.h>
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif
#endif

#ifndef TURMADO_VERSION
#define TURMADO_VERSION "?"
#endif

namespace {

// A unit as the rows and fields write it, without its brackets: "[m]" -> "m".
std::string SinCorchetes(std::string_view unidad) {
    if (unidad.size() >= 2 && unidad.front() == '[' && unidad.back() == ']') unidad = unidad.substr(1, unidad.size() - 2);
    return std::string(unidad);
}

// The local date and time, "AAAA-MM-DD HH:MM".
std::string FechaLocal() {
    const std::time_t ahora = std::time(nullptr);
    std::tm t{};
#ifdef _WIN32
    localtime_s(&t, &ahora);
#else
    localtime_r(&ahora, &t);
#endif
    char texto[32];
    std::strftime(texto, sizeof texto, "%Y-%m-%d %H:%M", &t);
    return texto;
}

}  // namespace

bool EsNombreLibro(std::string_view ruta) {
    constexpr std::string_view kExtension = ".xlsx";
    if (ruta.size() < kExtension.size()) return false;
    const std::string_view fin = ruta.substr(ruta.size() - kExtension.size());
    return std::equal(fin.begin(), fin.end(), kExtension.begin(),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

std::string UnidadColumna(std::string_view nombre) {
    for (const TClaveFila& f : TodasLasClaves())
        if (f.clave == nombre || f.etiqueta == nombre) return SinCorchetes(f.unidad);
    if (const TCampo* c = BuscarCampo(nombre)) return SinCorchetes(c->unidad);
    // Other keys end in their unit as the batch's do ("ys_medida_m", "p95_pila_csu_m").
    struct TSufijo {
        std::string_view sufijo, unidad;
    };
    static constexpr TSufijo kSufijos[] = {{"_m_s", "m/s"}, {"_m2_s", "m^2/s"}, {"_m", "m"}, {"_grados", "º"}};
    const bool clave = std::all_of(nombre.begin(), nombre.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    });
    for (const TSufijo& s : kSufijos)
        if (clave && nombre.size() > s.sufijo.size() && nombre.ends_with(s.sufijo)) return std::string(s.unidad);
    // "<series>: <quantity> (<unit>)"
    const std::size_t dos = nombre.rfind(": ");
    const std::size_t abre = nombre.rfind(" (");
    if (dos != std::string_view::npos && abre != std::string_view::npos && abre > dos && nombre.ends_with(')'))
        return std::string(nombre.substr(abre + 2, nombre.size() - abre - 3));
    return "";
}

TProcedencia Procedencia(std::string_view programa, TProcedencia otras) {
    TProcedencia p{{"Programa", std::string(programa)}, {"Versión", TURMADO_VERSION}, {"Fecha", FechaLocal()}};
    p.insert(p.end(), std::make_move_iterator(otras.begin()), std::make_move_iterator(otras.end()));
    return p;
}

#ifdef TURMADO_XLSX

bool LibroDisponible() { return true; }

namespace {

constexpr const char* kHojaResultados = "Resultados";
constexpr const char* kHojaProcedencia = "Procedencia";
// Excel's longest text in a cell, in characters (bytes here: never more).
constexpr std::size_t kTextoMaximo = 32767;
// Room the temporary folder needs past a copy of the sheet when the workbook
// closes: the sheet's own first and last lines and the other parts, a few
// kB each.
constexpr std::uintmax_t kHolguraTemporal = 1 << 20;
// A number written with at most this many significant digits is a rounded
// value ("0.0550", "2.83") and keeps its decimals on show; a longer one (the
// full digits of --numeros completos or of a sweep) is shown as the
// spreadsheet's general format shows it.
constexpr int kCifrasRedondeado = 6;

// The colour of each validity state (a light fill under black text) and
// what it means, for the legend on "Procedencia".
struct TColorEstado {
    TEstadoRango estado;
    lxw_color_t color;
    const char* significado;
};
constexpr TColorEstado kColores[] = {
    {TEstadoRango::Calibracion, 0xC6EFCE, "los datos están dentro del rango de calibración de la fórmula"},
    {TEstadoRango::Validacion, 0xFFEB9C, "fuera del rango de calibración, dentro del de validación"},
    {TEstadoRango::Fuera, 0xFFC7CE, "fuera de los rangos de calibración y de validación"},
    {TEstadoRango::SinRangos, 0xE7E6E6, "la fórmula no tiene rangos con que comparar los datos"},
};
constexpr int kSinColor = -1;

// The state a validity cell names, as an index into kColores.
int IndiceEstado(std::string_view texto) {
    for (int i = 0; i < int(std::size(kColores)); ++i)
        if (texto == NombreEstado(kColores[i].estado)) return i;
    return kSinColor;
}

// The decimals a rounded number's text shows: the digits after its period,
// when it has no exponent and at most kCifrasRedondeado significant digits;
// -1 (the spreadsheet's general format) otherwise.
int Decimales(std::string_view texto) {
    const std::size_t punto = texto.find('.');
    if (punto == std::string_view::npos || texto.find_first_of("eE") != std::string_view::npos) return -1;
    int cifras = 0;
    bool significativa = false;
    for (char c : texto) {
        if (!std::isdigit(static_cast<unsigned char>(c))) continue;
        significativa = significativa || c != '0';
        cifras += significativa;
    }
    if (cifras > kCifrasRedondeado) return -1;
    return int(std::count_if(texto.begin() + std::ptrdiff_t(punto) + 1, texto.end(),
                             [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }));
}

// The number a cell holds, unless it is a code: a whole number written with
// leading zeros keeps them as text.
std::optional<double> NumeroDeCelda(std::string_view texto) {
    const std::optional<double> v = LeerNumero(texto);
    if (!v || texto.empty()) return std::nullopt;
    std::string_view cifras = texto.substr(std::min(texto.find_first_not_of(" \t"), texto.size()));
    if (!cifras.empty() && (cifras.front() == '-' || cifras.front() == '+')) cifras.remove_prefix(1);
    if (cifras.size() > 1 && cifras[0] == '0' && std::isdigit(static_cast<unsigned char>(cifras[1])) &&
        cifras.find_first_of(".eE") == std::string_view::npos)
        return std::nullopt;
    return v;
}

// The Unicode character of each byte 0x80 to 0x9F in Windows-1252 (0xFFFD
// where it has none); the bytes 0xA0 to 0xFF are Latin-1's.
constexpr char16_t kWindows1252[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void AgregarUtf8(std::string& s, char32_t c) {
    if (c < 0x80) {
        s += char(c);
    } else if (c < 0x800) {
        s += char(0xC0 | (c >> 6));
        s += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += char(0xE0 | (c >> 12));
        s += char(0x80 | ((c >> 6) & 0x3F));
        s += char(0x80 | (c & 0x3F));
    } else {
        s += char(0xF0 | (c >> 18));
        s += char(0x80 | ((c >> 12) & 0x3F));
        s += char(0x80 | ((c >> 6) & 0x3F));
        s += char(0x80 | (c & 0x3F));
    }
}

// The length of the well-formed UTF-8 character at the start of `t` (no
// overlong form, no surrogate, nothing above U+10FFFF), and the character;
// 0 when the bytes make none.
std::size_t CaracterUtf8(std::string_view t, char32_t& c) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(t[i]); };
    const unsigned char p = b(0);
    std::size_t n = p < 0x80 ? 1 : p >= 0xC2 && p <= 0xDF ? 2 : p >= 0xE0 && p <= 0xEF ? 3 : p >= 0xF0 && p <= 0xF4 ? 4 : 0;
    if (n == 0 || n > t.size()) return 0;
    c = n == 1 ? p : p & (0x7F >> n);
    for (std::size_t i = 1; i < n; ++i) {
        if ((b(i) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (b(i) & 0x3F);
    }
    const char32_t menor[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < menor[n] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return 0;
    return n;
}

// A text as a cell can hold it and a spreadsheet shows it:
// - well-formed UTF-8: a byte that is not part of a UTF-8 character is read
//   as Windows-1252 (a file saved as Latin-1: "R\xEDo" is "Río"), so that the
//   sheet's XML stays well-formed;
// - U+FFFE and U+FFFF, which XML does not allow, become U+FFFD;
// - a literal "_xHHHH_" (which a spreadsheet reads as the character HHHH)
//   keeps its underscore escaped as "_x005F_";
// - cut to what a cell holds, at a character's start.
// (The library writes the control characters as "_xHHHH_" itself.)
std::string TextoCelda(std::string_view texto) {
    std::string r;
    r.reserve(texto.size());
    for (std::size_t i = 0; i < texto.size();) {
        char32_t c = 0;
        std::size_t n = CaracterUtf8(texto.substr(i), c);
        if (n == 0) {
            const auto byte = static_cast<unsigned char>(texto[i]);
            c = byte < 0xA0 ? kWindows1252[byte - 0x80] : byte;
            n = 1;
        }
        if (c == 0xFFFE || c == 0xFFFF) c = 0xFFFD;
        if (c == '_' && i + 7 <= texto.size() && texto[i + 1] == 'x' && texto[i + 6] == '_' &&
            std::all_of(texto.begin() + std::ptrdiff_t(i) + 2, texto.begin() + std::ptrdiff_t(i) + 6,
                        [](char h) { return std::isxdigit(static_cast<unsigned char>(h)) != 0; }))
            r += "_x005F";
        AgregarUtf8(r, c);
        i += n;
    }
    if (r.size() > kTextoMaximo) {
        std::size_t n = kTextoMaximo;
        while (n > 0 && (static_cast<unsigned char>(r[n]) & 0xC0) == 0x80) --n;
        r.resize(n);
    }
    return r;
}

// Characters of a UTF-8 text.
std::size_t Caracteres(std::string_view texto) {
    return std::size_t(std::count_if(texto.begin(), texto.end(),
                                     [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// libxlsxwriter writes a number cell as "<v>%.16G</v>": 16 significant
// digits, one short of what a double may need (0.1 + 0.2 comes out as 0.3),
// in the decimal point of the C library's locale.  So each sheet's rows go
// to the library's temporary file through this filter, which puts in each
// "<v>" the shortest text that reads back to the same double (CifrasCortas,
// locale-free), queued here in the order the cells are written.  Every <v>
// of these sheets is a number's: texts are inline (<is><t>), blanks have
// none.  Where the C library has no custom streams the numbers keep the
// library's 16 digits.
struct TFiltroNumeros {
    std::FILE* real = nullptr;     // the library's temporary file, unbuffered
    std::deque<std::string> textos;  // of the number cells not yet through
    std::string pendiente;         // from a "<v>" (or "<", "<v") whose end has not come
    bool cerrado = false;

    void Numero(double v) { textos.push_back(CifrasCortas(v)); }

    bool Escribir(std::string_view t) { return t.empty() || std::fwrite(t.data(), 1, t.size(), real) == t.size(); }

    // What has come, with each whole <v>...</v> rewritten.
    bool Pasar(std::string_view nuevo) {
        pendiente.append(nuevo);
        std::string salida;
        std::size_t i = 0;
        for (;;) {
            const std::size_t v = pendiente.find("<v>", i);
            if (v == std::string::npos) {
                std::size_t corte = pendiente.size();
                if (pendiente.ends_with("<v")) corte -= 2;
                else if (pendiente.ends_with('<')) corte -= 1;
                salida.append(pendiente, i, std::max(corte, i) - i);
                i = std::max(corte, i);
                break;
            }
            const std::size_t fin = pendiente.find("</v>", v + 3);
            if (fin == std::string::npos) {
                salida.append(pendiente, i, v - i);
                i = v;
                break;
            }
            salida.append(pendiente, i, v + 3 - i);
            if (textos.empty()) {
                salida.append(pendiente, v + 3, fin - v - 3);
            } else {
                salida += textos.front();
                textos.pop_front();
            }
            salida += "</v>";
            i = fin + 4;
        }
        pendiente.erase(0, i);
        return Escribir(salida);
    }

#ifdef __GLIBC__
    static ssize_t Leer(void* f, char* datos, std::size_t n) {
        auto* x = static_cast<TFiltroNumeros*>(f);
        const std::size_t leidos = std::fread(datos, 1, n, x->real);
        return leidos == 0 && std::ferror(x->real) ? -1 : ssize_t(leidos);
    }
    static ssize_t Escribir(void* f, const char* datos, std::size_t n) {
        return static_cast<TFiltroNumeros*>(f)->Pasar({datos, n}) ? ssize_t(n) : 0;
    }
    static int Buscar(void* f, off64_t* posicion, int desde) {
        auto* x = static_cast<TFiltroNumeros*>(f);
        // A move (the library rewinds to copy the rows into the sheet)
        // first lets out what waits; asking where it is does not.
        if ((desde != SEEK_CUR || *posicion != 0) && !x->Escribir(std::exchange(x->pendiente, {}))) return -1;
        if (fseeko(x->real, *posicion, desde) != 0) return -1;
        *posicion = ftello(x->real) + off64_t(x->pendiente.size());
        return 0;
    }
    static int Cerrar(void* f) {
        auto* x = static_cast<TFiltroNumeros*>(f);
        x->cerrado = true;
        const bool escrito = x->Escribir(std::exchange(x->pendiente, {}));
        return std::fclose(x->real) == 0 && escrito ? 0 : EOF;
    }

    // Puts the filter between the sheet and its temporary file; false when it
    // cannot (the sheet then writes as the library does).
    bool Instalar(lxw_worksheet* hoja) {
        if (!hoja->optimize_tmpfile || hoja->file != hoja->optimize_tmpfile) return false;
        real = hoja->optimize_tmpfile;
        std::setvbuf(real, nullptr, _IONBF, 0);  // errors show at once, as the flushes check them
        std::FILE* filtro = fopencookie(this, "w+", cookie_io_functions_t{Leer, Escribir, Buscar, Cerrar});
        if (!filtro) return false;
        hoja->file = hoja->optimize_tmpfile = filtro;
        filtro_ = filtro;
        return true;
    }
    // Closes the filter if the library did not (a workbook freed unclosed).
    ~TFiltroNumeros() {
        if (filtro_ && !cerrado) std::fclose(filtro_);
    }
    std::FILE* filtro_ = nullptr;
#else
    bool Instalar(lxw_worksheet*) { return false; }
#endif
};

// libxlsxwriter prints its failures in English on standard error
// ("[ERROR] workbook_close(): ..."); the program says them in Spanish
// (TextoErrorLibro).  While one of these lives, standard error goes to
// nothing.
class TSilencio {
public:
#ifdef _WIN32
    TSilencio() = default;
#else
    TSilencio() {
        std::fflush(stderr);
        guardado_ = dup(2);
        const int nulo = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (guardado_ >= 0 && nulo >= 0) dup2(nulo, 2);
        if (nulo >= 0) close(nulo);
    }
    ~TSilencio() {
        const int sistema = errno;  // why the library's call failed, kept
        std::fflush(stderr);
        if (guardado_ >= 0) {
            dup2(guardado_, 2);
            close(guardado_);
        }
        errno = sistema;
    }
    TSilencio(const TSilencio&) = delete;
    TSilencio& operator=(const TSilencio&) = delete;

private:
    int guardado_ = -1;
#endif
};

// What libxlsxwriter's errors mean for the user.
std::string TextoErrorLibro(lxw_error e) {
    switch (e) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED: return "no hay memoria suficiente para el libro";
    case LXW_ERROR_CREATING_XLSX_FILE: return "no se puede crear el archivo";
    case LXW_ERROR_ZIP_FILE_OPERATION:  // the system refused a write (errno says why)
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE: return "no se puede escribir el archivo";
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE: return "no se pueden escribir los archivos temporales del libro";
    case LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE: return "la tabla no cabe en una hoja de Excel";
    default: return std::string("no se puede escribir el libro (") + lxw_strerror(e) + ")";
    }
}

}  // namespace

struct TLibroCsv::TImpl {
    explicit TImpl(const std::filesystem::path& ruta) : archivo(ruta) {
        lxw_workbook_options opciones{};
        opciones.constant_memory = LXW_TRUE;  // each row goes to a temporary file when the next one starts
        opciones.use_zip64 = LXW_TRUE;        // a large batch's sheet may pass 4 GB
        // The temporary files in the system's folder for them (TMPDIR), named
        // here so that its room can be asked for.
        std::error_code ec;
        carpetaTemporal = std::filesystem::temp_directory_path(ec).string();
        if (!ec) opciones.tmpdir = carpetaTemporal.data();
        {
            const TSilencio silencio;
            libro = workbook_new_opt(archivo.Temporal().string().c_str(), &opciones);
        }
        if (libro) NuevaHoja(kHojaResultados);
        if (!hoja) {
            const int sistema = errno;
            if (libro) lxw_workbook_free(libro);
            libro = nullptr;
            throw ErrorEscritura(TextoErrorLibro(LXW_ERROR_CREATING_TMPFILE), sistema);
        }
        principal = hoja;
        negrita = workbook_add_format(libro);
        format_set_bold(negrita);
        cursiva = workbook_add_format(libro);
        format_set_italic(cursiva);
    }
    ~TImpl() {
        if (libro) lxw_workbook_free(libro);
    }

    // Adds a sheet and makes it the one the rows go to (hoja, null when it
    // cannot be added), with the filter of its numbers.
    void NuevaHoja(const char* nombre) {
        {
            const TSilencio silencio;
            hoja = workbook_add_worksheet(libro, nombre);
        }
        filtro = nullptr;
        if (!hoja) return;
        auto f = std::make_unique<TFiltroNumeros>();
        if (f->Instalar(hoja)) filtro = filtros.emplace_back(std::move(f)).get();
        conEncabezado = false;
        separador = ',';
        comillas = false;
        colorDe.clear();
        fila = 0;
    }

    // The format of a cell: its decimals (-1 general) and validity colour.
    lxw_format* Formato(int decimales, int color) {
        if (decimales < 0 && color == kSinColor) return nullptr;
        lxw_format*& f = formatos[{decimales, color}];
        if (!f) {
            f = workbook_add_format(libro);
            if (decimales >= 0) format_set_num_format(f, (decimales ? "0." + std::string(std::size_t(decimales), '0') : "0").c_str());
            if (color != kSinColor) {
                format_set_bg_color(f, kColores[color].color);
                format_set_pattern(f, LXW_PATTERN_SOLID);
            }
        }
        return f;
    }

    bool Fallar(std::string que, int sistema = 0) {
        if (!fallo) fallo.emplace(std::move(que), sistema);
        return false;
    }

    bool Revisar(lxw_error e) { return e == LXW_NO_ERROR || Fallar(TextoErrorLibro(e), errno); }

    std::string ErrorTemporales() const {
        return TextoErrorLibro(LXW_ERROR_CREATING_TMPFILE) +
               (carpetaTemporal.empty() ? "" : " en " + Mostrable(carpetaTemporal, std::string::npos));
    }

    // libxlsxwriter writes each finished row to the sheet's temporary file
    // without checking the write: a full temporary folder would lose rows
    // without a word.  So the file is flushed and checked here, after each
    // lot of rows.
    bool TemporalEscrito() {
        std::FILE* f = hoja->optimize_tmpfile;
        if (!f) return true;
        errno = 0;
        const bool vaciado = std::fflush(f) == 0;
        return (vaciado && !std::ferror(f)) || Fallar(ErrorTemporales(), vaciado ? 0 : errno);
    }

    // As it closes, the workbook copies the sheet's temporary file into
    // another one in the same folder, again without checking the writes: the
    // folder must have room for a second copy.
    bool CabeLaCopia() {
        if (!TemporalEscrito() || carpetaTemporal.empty() || !principal->optimize_tmpfile) return !fallo;
        const long filas = std::ftell(principal->optimize_tmpfile);
        std::error_code ec;
        const std::filesystem::space_info espacio = std::filesystem::space(carpetaTemporal, ec);
        if (ec || filas < 0 || espacio.available >= std::uintmax_t(filas) + kHolguraTemporal) return true;
        return Fallar(ErrorTemporales(), ENOSPC);
    }

    // The column names and their units, the colour each column takes from a
    // validity column, and the frozen rows.
    bool Encabezado(const std::vector<std::string>& nombres) {
        if (nombres.size() > LXW_COL_MAX) return Fallar(TextoErrorLibro(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE));
        colorDe.assign(nombres.size(), std::nullopt);
        std::vector<std::string> unidades;
        for (std::size_t c = 0; c < nombres.size(); ++c) {
            const std::string& nombre = nombres[c];
            unidades.push_back(UnidadColumna(nombre));
            if (nombre.starts_with("validez")) colorDe[c] = c;
            // A depth's key names its validity column; a results row's
            // caption names it through one of the keys it captions.
            std::vector<std::string> validez{ClaveValidez(nombre)};
            for (const TClaveFila& f : TodasLasClaves())
                if (f.etiqueta == nombre) validez.push_back(ClaveValidez(f.clave));
            for (const std::string& v : validez)
                if (const auto i = std::find(nombres.begin(), nombres.end(), v); !v.empty() && i != nombres.end())
                    colorDe[c] = std::size_t(i - nombres.begin());
            const std::size_t ancho = std::max(Caracteres(nombre), Caracteres(unidades.back())) + 2;
            const auto col = lxw_col_t(c);
            if (!Revisar(worksheet_set_column(hoja, col, col, double(std::clamp<std::size_t>(ancho, 8, 40)), nullptr)) ||
                !Revisar(worksheet_write_string(hoja, 0, col, TextoCelda(nombre).c_str(), negrita)))
                return false;
        }
        // Row by row: a row is done once the next one is written.
        for (std::size_t c = 0; c < nombres.size(); ++c)
            if (!unidades[c].empty() && !Revisar(worksheet_write_string(hoja, 1, lxw_col_t(c), unidades[c].c_str(), cursiva)))
                return false;
        worksheet_freeze_panes(hoja, 2, 0);
        fila = 2;
        return true;
    }

    bool Fila(const std::vector<std::string>& celdas) {
        if (fila - 2 >= kFilasLibroMaximo)
            return Fallar("la tabla tiene más de " + std::to_string(kFilasLibroMaximo) +
                          " filas, más de las que caben en una hoja de Excel");
        const std::size_t n = std::min(celdas.size(), std::size_t(LXW_COL_MAX));
        for (std::size_t c = 0; c < n; ++c) {
            const std::string& texto = celdas[c];
            int color = kSinColor;
            if (c < colorDe.size() && colorDe[c] && *colorDe[c] < celdas.size()) {
                color = IndiceEstado(celdas[*colorDe[c]]);
                if (color != kSinColor) hayColores = true;
            }
            const auto r = lxw_row_t(fila);
            const auto col = lxw_col_t(c);
            lxw_error e = LXW_NO_ERROR;
            if (texto.empty()) {
                if (color != kSinColor) e = worksheet_write_blank(hoja, r, col, Formato(-1, color));
            } else if (const auto v = NumeroDeCelda(texto)) {
                e = worksheet_write_number(hoja, r, col, *v, Formato(Decimales(texto), color));
                if (filtro && e == LXW_NO_ERROR) filtro->Numero(*v);
            } else {
                e = worksheet_write_string(hoja, r, col, TextoCelda(texto).c_str(), Formato(-1, color));
            }
            if (!Revisar(e)) return false;
        }
        ++fila;
        return true;
    }

    // One CSV line: the header first, then the rows.
    bool Registro(std::string_view linea) {
        if (!linea.empty() && linea.back() == '\r') linea.remove_suffix(1);
        if (!conEncabezado && linea.find(';') != std::string_view::npos && linea.find(',') == std::string_view::npos)
            separador = ';';
        std::string error;
        const auto celdas = Dividir(linea, separador, error);
        if (!celdas) return Fallar("la tabla no se puede leer como CSV: " + error);
        if (conEncabezado) return Fila(*celdas);
        conEncabezado = true;
        return Encabezado(*celdas);
    }

    // The whole lines of what has come (every line at the end); what is
    // left waits for more.
    bool Procesar(bool fin) {
        std::size_t inicio = 0;
        for (; explorado < pendiente.size(); ++explorado) {
            const char c = pendiente[explorado];
            if (c == '"') comillas = !comillas;
            if (c == '\n' && !comillas) {
                if (!fallo && !Registro(std::string_view(pendiente).substr(inicio, explorado - inicio))) break;
                inicio = explorado + 1;
            }
        }
        if (fin && inicio < pendiente.size() && !fallo) Registro(std::string_view(pendiente).substr(inicio));
        pendiente.erase(0, fin ? pendiente.size() : inicio);
        explorado = pendiente.size();
        if (!fallo) TemporalEscrito();
        if (fallo) pendiente.clear(), explorado = 0;
        return !fallo;
    }

    void HojaProcedencia(const TProcedencia& lineas) {
        lxw_worksheet* p = workbook_add_worksheet(libro, kHojaProcedencia);
        if (!p) throw ErrorEscritura(TextoErrorLibro(LXW_ERROR_MEMORY_MALLOC_FAILED));
        std::size_t ancho = 0;
        lxw_row_t r = 0;
        auto escribir = [&](const std::string& nombre, const std::string& valor, lxw_format* formato) {
            if (!Revisar(worksheet_write_string(p, r, 0, TextoCelda(nombre).c_str(), negrita)) ||
                !Revisar(worksheet_write_string(p, r, 1, TextoCelda(valor).c_str(), formato)))
                throw *fallo;
            ancho = std::max(ancho, Caracteres(nombre));
            ++r;
        };
        for (const auto& [nombre, valor] : lineas) escribir(nombre, valor, nullptr);
        if (hayColores) {
            ++r;
            for (int i = 0; i < int(std::size(kColores)); ++i)
                escribir(i == 0 ? "Colores de validez" : "", NombreEstado(kColores[i].estado) + std::string(": ") +
                                                              kColores[i].significado, Formato(-1, i));
        }
        worksheet_set_column(p, 0, 0, double(std::clamp<std::size_t>(ancho + 2, 10, 30)), nullptr);
        worksheet_set_column(p, 1, 1, 80, nullptr);
    }

    TArchivoSalida archivo;
    std::string carpetaTemporal;  // where libxlsxwriter keeps its temporary files; "" when unknown
    lxw_workbook* libro = nullptr;
    lxw_worksheet* hoja = nullptr;       // the sheet the rows go to
    lxw_worksheet* principal = nullptr;  // "Resultados"
    std::vector<std::unique_ptr<TFiltroNumeros>> filtros;  // one per sheet that has it; outlive the workbook
    TFiltroNumeros* filtro = nullptr;    // hoja's
    lxw_format* negrita = nullptr;
    lxw_format* cursiva = nullptr;
    std::map<std::pair<int, int>, lxw_format*> formatos;
    std::string pendiente;     // CSV text not yet written as rows
    std::size_t explorado = 0;  // how much of it was scanned for line ends
    bool comillas = false;      // the scan is inside a quoted cell
    bool conEncabezado = false;
    char separador = ',';
    std::vector<std::optional<std::size_t>> colorDe;  // per column, the validity column that colours it
    bool hayColores = false;
    std::size_t fila = 0;  // the next row of the sheet
    std::optional<ErrorEscritura> fallo;
};

TLibroCsv::TLibroCsv(const std::filesystem::path& ruta) : impl_(std::make_unique<TImpl>(ruta)) {}

TLibroCsv::~TLibroCsv() = default;

const std::optional<ErrorEscritura>& TLibroCsv::Fallo() const { return impl_->fallo; }

TLibroCsv::int_type TLibroCsv::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char x = traits_type::to_char_type(c);
    return xsputn(&x, 1) == 1 ? c : traits_type::eof();
}

std::streamsize TLibroCsv::xsputn(const char* s, std::streamsize n) {
    if (impl_->fallo) return 0;
    impl_->pendiente.append(s, std::size_t(n));
    // Written as it comes when a writer sends much without flushing.
    if (impl_->pendiente.size() >= (1u << 20) && !impl_->Procesar(false)) return 0;
    return n;
}

int TLibroCsv::sync() { return impl_->Procesar(false) ? 0 : -1; }

void TLibroCsv::Terminar(const TProcedencia& procedencia, const std::vector<THojaLibro>& otras) {
    TImpl& x = *impl_;
    if (!x.Procesar(true)) throw *x.fallo;
    if (!x.conEncabezado) x.Encabezado({});
    for (const THojaLibro& h : otras) {
        x.NuevaHoja(h.nombre.c_str());
        if (!x.hoja) throw ErrorEscritura(TextoErrorLibro(LXW_ERROR_CREATING_TMPFILE), errno);
        x.pendiente = h.csv;
        x.explorado = 0;
        if (!x.Procesar(true)) throw *x.fallo;
        if (!x.conEncabezado) x.Encabezado({});
    }
    x.HojaProcedencia(procedencia);
    if (!x.CabeLaCopia()) throw *x.fallo;
    errno = 0;
    lxw_error e;
    {
        const TSilencio silencio;
        e = workbook_close(x.libro);
    }
    x.libro = nullptr;  // closed, and freed, whatever happened
    if (e != LXW_NO_ERROR) throw ErrorEscritura(TextoErrorLibro(e), errno);
    x.archivo.Poner();
}

#else  // built without libxlsxwriter

bool LibroDisponible() { return false; }

struct TLibroCsv::TImpl {
    std::optional<ErrorEscritura> fallo;
};

TLibroCsv::TLibroCsv(const std::filesystem::path&) {
    throw ErrorEscritura("esta versión no escribe libros de Excel (.xlsx)");
}
TLibroCsv::~TLibroCsv() = default;
const std::optional<ErrorEscritura>& TLibroCsv::Fallo() const { return impl_->fallo; }
TLibroCsv::int_type TLibroCsv::overflow(int_type) { return traits_type::eof(); }
std::streamsize TLibroCsv::xsputn(const char*, std::streamsize) { return 0; }
int TLibroCsv::sync() { return -1; }
void TLibroCsv::Terminar(const TProcedencia&, const std::vector<THojaLibro>&) {}

#endif

void EscribirLibro(const std::filesystem::path& ruta, std::string_view csv, const TProcedencia& procedencia,
                   const std::vector<THojaLibro>& otras) {
    TLibroCsv libro(ruta);
    libro.sputn(csv.data(), std::streamsize(csv.size()));
    libro.Terminar(procedencia, otras);
}

namespace {

// A file's buffer that keeps why its first write failed (errno), which the
// stream forgets: a batch may go on for a while after it.
class TBuferArchivo : public std::filebuf {
public:
    int Error() const { return error_; }

protected:
    int_type overflow(int_type c) override {
        errno = 0;
        const int_type r = std::filebuf::overflow(c);
        if (traits_type::eq_int_type(r, traits_type::eof()) && !error_) error_ = errno;
        return r;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        errno = 0;
        const std::streamsize r = std::filebuf::xsputn(s, n);
        if (r < n && !error_) error_ = errno;
        return r;
    }
    int sync() override {
        errno = 0;
        const int r = std::filebuf::sync();
        if (r != 0 && !error_) error_ = errno;
        return r;
    }

private:
    int error_ = 0;
};

}  // namespace

struct TSalidaTabla::TCsv {
    explicit TCsv(const std::filesystem::path& ruta) : archivo(ruta) {
        if (!bufer.open(archivo.Temporal(), std::ios::out | std::ios::binary))
            throw ErrorEscritura("no se puede crear el archivo", errno);
    }
    TArchivoSalida archivo;
    TBuferArchivo bufer;
};

TSalidaTabla::TSalidaTabla(const std::filesystem::path& ruta) : flujo_(nullptr) {
    // The whole name, not its extension: ".xlsx" alone is a workbook's name
    // too (a hidden file's), never CSV text under a workbook's name.
    const std::u8string nombre = ruta.filename().u8string();
    if (EsNombreLibro(std::string(nombre.begin(), nombre.end()))) {
        libro_ = std::make_unique<TLibroCsv>(ruta);
        flujo_.rdbuf(libro_.get());
    } else {
        csv_ = std::make_unique<TCsv>(ruta);
        flujo_.rdbuf(&csv_->bufer);
    }
}

TSalidaTabla::~TSalidaTabla() = default;

void TSalidaTabla::Terminar(const TProcedencia& procedencia) {
    errno = 0;
    flujo_.flush();
    if (libro_) {
        if (libro_->Fallo()) throw *libro_->Fallo();
        libro_->Terminar(procedencia);
        return;
    }
    errno = 0;
    const bool cerrado = flujo_ && csv_->bufer.close();
    if (!cerrado)
        throw ErrorEscritura("no se puede escribir el archivo", csv_->bufer.Error() ? csv_->bufer.Error() : errno);
    csv_->archivo.Poner();
}
