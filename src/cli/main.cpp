// turmado-calc: the calculation from the command line, for batch work and for
// checking the numbers without a window.
//
//   turmado-calc [--problema FILE] [--rugosidad] [--codigo C] [--chorro J] [--json] [--detalle] [NAME=TEXT ...]
//   turmado-calc --lote CASES.csv [--curvas] [--hilos N] [--numeros completos] [--columnas textos] [--salida FILE]
//                [--incierto NAME=DIST ... and the study's options]
//   turmado-calc [options and pairs as above] --barrido NAME=FROM:TO:N [--log] [--salida FILE]
//   turmado-calc --validar CASES.csv [--json] [--filas ROWS.csv] [--hilos N]
//   turmado-calc [options and pairs as above] --incierto NAME=DIST ... [--muestras N] [--semilla S]
//                [--modelo FORMULA=BIAS:CV ...] [--fundacion Y] [--json]
//
// NAME is a data field without its "edt" prefix, TEXT what the user would
// type in it.  --codigo answers the wizard up to the structure page (11, 12,
// 21, 22 or 31); the run then does what "Continuar" and "Calcular" do.
// --problema starts from a saved problem; the options and pairs given with
// it override what the file holds.  --lote runs one case per CSV line, on
// all cores (--hilos N), without the evolution curves unless --curvas asks.
// --barrido sweeps one field of the problem and prints each formula's
// equilibrium scour depth at each point as CSV.  --salida writes a batch's
// or a sweep's table to a file, an Excel workbook when it ends in .xlsx.
// --detalle prints the detail of the calculation (each formula with its
// terms) after the results; --json always carries it under "detalle".
// --validar runs a batch file with the measured scour and compares each
// formula with it.
// --incierto draws the
// named fields from distributions and prints statistics of each formula's
// depth over the samples; with --lote, each line is studied around its own
// values and gets P50, P95 (and the foundation's probability) per formula.
// Exit status: 0 success, 2 usage, rejected input, a bad file or a failed
// batch line, 3 a floating-point fault, 4 standard output (or the file of
// --salida) could not be written, 5 a batch's input could not be read to
// its end.  Data outside a formula's calibration and validation ranges are
// reported on standard error
// (and under "avisos" with --json), and so are implausible data (under
// "datos"); they do not change the status.

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "turmado.h"
#include "plataforma.h"
#include "tabla.h"
#include "validar.h"

namespace {

constexpr int kSalidaUso = 2;
constexpr int kSalidaFallo = 3;
constexpr int kSalidaEscritura = 4;
constexpr int kSalidaLectura = 5;
// Batches at least this long show their progress on a terminal.
constexpr std::size_t kLoteLargo = 200;
// Studies of at least this many samples show their progress on a terminal.
constexpr std::size_t kMuestrasLargo = 100000;
// Most threads a run takes.
constexpr int kHilosMaximo = 256;

struct TOpciones {
    bool json = false;
    bool detalle = false;                 // the calculation detail after the results
    std::optional<std::string> problema;  // saved problem to start from
    std::optional<std::string> lote;      // CSV of cases
    bool curvas = false;                  // batch: compute the evolution curves too
    unsigned hilos = 0;                   // threads of a batch; 0: the machine's cores
    bool completos = false;               // batch: numbers with every digit
    TColumnasLote columnas = TColumnasLote::Claves;  // batch: keys or captions as column names
    bool columnasDadas = false;           // --columnas was given
    std::optional<std::string> barrido;   // CAMPO=DESDE:HASTA:N
    bool logaritmico = false;             // sweep with logarithmic spacing
    std::optional<std::string> validar;   // validation file
    std::optional<std::string> filas;     // validation: the per-row CSV
    bool noValidar = false;               // an option or pair a validation does not take
    std::vector<std::string> inciertos;   // CAMPO=DIST of an uncertainty study
    std::vector<TLecturaModelo> modelos;  // FORMULA=SESGO:CV
    std::optional<std::size_t> muestras;
    std::optional<std::uint64_t> semilla;
    std::optional<double> fundacion;  // foundation depth, m
    std::optional<bool> gradacion;    // --granulometria: d84/d50 kept (fija) or d84 kept (libre)
    bool rugosidad = false;
    std::optional<ProblemCode> codigo;  // second-level code chosen in the wizard
    std::optional<int> chorro;          // item of the jet question: 0 or 1
    TTextosCampos textos;               // NAME=TEXT pairs
    bool otras = false;                 // any option or pair besides those of a batch
    bool deLote = false;                // an option only a batch takes (--curvas, --numeros)
    std::optional<std::string> salida;  // the file of a batch's or a sweep's table
    std::string orden;                  // the command line, for a workbook's provenance
};

// Ends the run with an exit status and a message on standard error.
struct TSalida {
    int estado;
    std::string mensaje;
    bool uso = false;  // also print the usage text
};

void Uso(std::ostream& os) {
    os << "Uso: turmado-calc [--problema ARCHIVO] [--rugosidad] [--codigo C] [--chorro J] [--json] [--detalle]\n"
          "                  [NOMBRE=TEXTO ...]\n"
          "     turmado-calc --lote CASOS.csv [--curvas] [--hilos N] [--numeros completos] [--columnas textos]\n"
          "                  [--salida ARCHIVO] [--incierto CAMPO=DIST ... y sus opciones]\n"
          "     turmado-calc [opciones y pares como arriba] --barrido CAMPO=DESDE:HASTA:N [--log] [--salida ARCHIVO]\n"
          "     turmado-calc --validar CASOS.csv [--json] [--filas FILAS.csv] [--hilos N]\n"
          "  NOMBRE        campo de datos sin el prefijo edt (AguaDens, SediDiamMedi, FlujTiraRest ...)\n"
          "  TEXTO         el texto que se escribiría en el campo (diámetros y rugosidad en mm)\n"
          "  --problema A  parte de un problema guardado; las demás opciones y pares lo modifican\n"
          "  --rugosidad   usa \"Altura de rugosidad\" en lugar de \"Coeficiente de Manning\"\n"
          "  --codigo C    problema elegido en el asistente: 11 salto de fondo, 12 apertura bajo estructura,\n"
          "                21 estribo o espigón, 22 pila, 31 alcantarilla angosta\n"
          "  --chorro J    comportamiento del chorro (código 11 con protección insuficiente):\n"
          "                0 \"impacta sobre superficie libre\", 1 \"desliza sobre escalón\"\n"
          "  --json        salida en JSON (con el detalle del cálculo en \"detalle\")\n"
          "  --detalle     tras los resultados, el detalle del cálculo: cada fórmula con sus términos\n"
          "  --lote L      un caso por línea de L (CSV, - para la entrada estándar); resultados en CSV\n"
          "  --curvas      en un lote, calcula también las curvas de evolución (la salida no las muestra)\n"
          "  --hilos N     hilos de cálculo, de 1 a " << kHilosMaximo << " (por omisión, los núcleos de la máquina)\n"
          "  --numeros completos  en un lote, los resultados numéricos con todas sus cifras\n"
          "  --columnas textos    en un lote, columnas con los rótulos de la página de resultados\n"
          "                (por omisión, claves fijas: shields, ys_pila_csu_m ...)\n"
          "  --barrido CAMPO=DESDE:HASTA:N  estudio de sensibilidad: la erosión de cada fórmula en N puntos\n"
          "                (de " << kPuntosBarridoMinimo << " a " << kPuntosBarridoMaximo << ") de DESDE a HASTA, en CSV\n"
          "  --log         con --barrido, puntos equiespaciados en escala logarítmica\n"
          "  --salida A    con --lote o --barrido, escribe la tabla en A en lugar de la salida estándar:\n"
          "                un libro de Excel si A termina en .xlsx, CSV si no\n"
          "  --validar V   compara las fórmulas con la erosión medida (columna ys_medida) de los casos de V\n"
          "  --filas F     con --validar, escribe en F cada fila con lo calculado y medida/calculada\n"
          "  --incierto CAMPO=DIST  estudio de incertidumbre: el campo sigue la distribución DIST, que es\n"
          "                normal:MEDIA:CV, lognormal:MEDIA:CV, uniforme:MIN:MAX o triangular:MIN:MODA:MAX\n"
          "                (MEDIA * es el valor del campo); se repite para cada campo incierto\n"
          "  --muestras N  con --incierto, cantidad de muestras, de " << kMuestrasMinimo << " a " << kMuestrasMaximo
       << " (por omisión " << kMuestrasPorDefecto << ")\n"
          "  --semilla S   con --incierto, semilla del muestreo (por omisión " << kSemillaPorDefecto << ")\n"
          "  --modelo FORMULA=SESGO:CV  con --incierto, error propio de la fórmula: factor lognormal de\n"
          "                media SESGO y coeficiente de variación CV sobre su profundidad\n"
          "  --fundacion Y con --incierto, profundidad de fundación en m: probabilidad de superarla\n"
          "                (con --lote, cada caso añade P50, P95 y esa probabilidad de cada fórmula)\n"
          "  --granulometria fija|libre  con --barrido o --incierto de SediDiamMedi: fija mantiene d84/d50 y\n"
          "                d90/d50 (d84 y d90 varían con d50), libre mantiene d84 y d90; por omisión, fija si el\n"
          "                problema tiene d84 o d90\n"
          "Campos:";
    for (const TCampo& c : Campos()) os << ' ' << c.nombre;
    os << '\n';
}

// A file name from the command line as messages show it: control
// characters escaped, never cut.
std::string Ruta(std::string_view ruta) { return Mostrable(ruta, std::string::npos); }

// Whole-number option value within the listed ones.
std::optional<int> Entero(std::string_view texto, std::initializer_list<int> validos) {
    const auto v = LeerNumero(texto);
    if (!v) return std::nullopt;
    for (int x : validos)
        if (*v == x) return x;
    return std::nullopt;
}

std::optional<TSalida> LeerArgumentos(const std::vector<std::string>& argumentos, TOpciones& op) {
    for (std::size_t i = 0; i < argumentos.size(); ++i) {
        const std::string_view a = argumentos[i];
        auto valor = [&]() -> std::optional<std::string_view> {
            if (i + 1 >= argumentos.size()) return std::nullopt;
            return std::string_view(argumentos[++i]);
        };
        const bool deLote = a == "--curvas" || a == "--numeros";
        if (deLote) op.deLote = true;
        const bool deEstudio = a == "--incierto" || a == "--muestras" || a == "--semilla" || a == "--modelo" ||
                               a == "--fundacion" || a == "--granulometria";
        if (a != "--lote" && a != "--hilos" && a != "--columnas" && a != "--validar" && a != "--filas" && !deLote &&
            !deEstudio && a != "--salida")
            op.otras = true;
        if (a != "--validar" && a != "--filas" && a != "--hilos" && a != "--json") op.noValidar = true;
        if (a == "--rugosidad") {
            op.rugosidad = true;
        } else if (a == "--json") {
            op.json = true;
        } else if (a == "--detalle") {
            op.detalle = true;
        } else if (a == "--help" || a == "-h") {
            Uso(std::cout);
            return TSalida{0, ""};
        } else if (a == "--codigo") {
            const auto v = valor();
            op.codigo = v ? Entero(*v, {11, 12, 21, 22, 31}) : std::nullopt;
            if (!op.codigo) return TSalida{kSalidaUso, "--codigo espera 11, 12, 21, 22 o 31", true};
        } else if (a == "--chorro") {
            const auto v = valor();
            op.chorro = v ? Entero(*v, {0, 1}) : std::nullopt;
            if (!op.chorro) return TSalida{kSalidaUso, "--chorro espera 0 o 1", true};
        } else if (a == "--barrido") {
            const auto v = valor();
            if (!v) return TSalida{kSalidaUso, "--barrido espera CAMPO=DESDE:HASTA:N", true};
            op.barrido = std::string(*v);
        } else if (a == "--incierto") {
            const auto v = valor();
            if (!v) return TSalida{kSalidaUso, "--incierto espera CAMPO=DIST", true};
            op.inciertos.emplace_back(*v);
        } else if (a == "--modelo") {
            const auto v = valor();
            op.modelos.push_back(LeerModelo(v.value_or("")));
            if (!op.modelos.back().mensaje.empty())
                return TSalida{kSalidaUso, "--modelo: " + op.modelos.back().mensaje};
        } else if (a == "--muestras") {
            const auto v = valor();
            op.muestras = v ? LeerMuestras(*v) : std::nullopt;
            if (!op.muestras)
                return TSalida{kSalidaUso, "--muestras espera un número entero de " + std::to_string(kMuestrasMinimo) +
                                               " a " + std::to_string(kMuestrasMaximo)};
        } else if (a == "--semilla") {
            const auto v = valor();
            op.semilla = v ? LeerSemilla(*v) : std::nullopt;
            if (!op.semilla)
                return TSalida{kSalidaUso, "--semilla espera un número entero de 0 a " + std::to_string(kSemillaMaxima)};
        } else if (a == "--fundacion") {
            const auto v = valor();
            const auto y = v ? LeerNumero(*v) : std::nullopt;
            if (!y || !std::isfinite(*y) || *y <= 0)
                return TSalida{kSalidaUso, "--fundacion espera una profundidad en metros mayor que 0"};
            op.fundacion = *y;
        } else if (a == "--granulometria") {
            const auto v = valor();
            if (!v || (*v != "fija" && *v != "libre"))
                return TSalida{kSalidaUso, "--granulometria espera fija o libre", true};
            op.gradacion = *v == "fija";
        } else if (a == "--log") {
            op.logaritmico = true;
        } else if (a == "--curvas") {
            op.curvas = true;
        } else if (a == "--numeros") {
            const auto v = valor();
            if (!v || *v != "completos") return TSalida{kSalidaUso, "--numeros espera completos", true};
            op.completos = true;
        } else if (a == "--columnas") {
            const auto v = valor();
            if (!v || (*v != "textos" && *v != "claves"))
                return TSalida{kSalidaUso, "--columnas espera claves o textos", true};
            op.columnas = *v == "textos" ? TColumnasLote::Textos : TColumnasLote::Claves;
            op.columnasDadas = true;
        } else if (a == "--hilos") {
            const auto v = valor();
            const auto n = v ? LeerNumero(*v) : std::nullopt;
            if (!n || *n != std::floor(*n) || *n < 1 || *n > kHilosMaximo)
                return TSalida{kSalidaUso, "--hilos espera un número entero de 1 a " + std::to_string(kHilosMaximo),
                               true};
            op.hilos = static_cast<unsigned>(*n);
        } else if (a == "--salida") {
            const auto v = valor();
            if (!v) return TSalida{kSalidaUso, "--salida espera un archivo", true};
            op.salida = std::string(*v);
        } else if (a == "--validar" || a == "--filas") {
            const auto v = valor();
            if (!v) return TSalida{kSalidaUso, std::string(a) + " espera un archivo", true};
            (a == "--validar" ? op.validar : op.filas) = std::string(*v);
        } else if (a == "--problema" || a == "--lote") {
            const auto v = valor();
            if (!v) return TSalida{kSalidaUso, std::string(a) + " espera un archivo", true};
            (a == "--lote" ? op.lote : op.problema) = std::string(*v);
        } else if (const auto igual = a.find('='); igual != std::string_view::npos && !a.starts_with("--")) {
            const std::string_view nombre = a.substr(0, igual);
            const std::string_view texto = a.substr(igual + 1);
            const TCampo* campo = BuscarCampo(nombre);
            if (!campo) return TSalida{kSalidaUso, "campo desconocido: " + Mostrable(nombre), true};
            if (!TextoAceptado(*campo, texto))
                return TSalida{kSalidaUso, std::string(nombre) + ": " + std::string(campo->mensaje)};
            op.textos[std::string(nombre)] = std::string(texto);
        } else {
            return TSalida{kSalidaUso, "argumento desconocido: " + Mostrable(a), true};
        }
    }
    if (op.validar && op.noValidar)
        return TSalida{kSalidaUso, "--validar solo admite --json, --filas y --hilos", true};
    if (op.filas && !op.validar) return TSalida{kSalidaUso, "--filas solo vale con --validar", true};
    if (op.lote && op.otras) return TSalida{kSalidaUso, "--lote no admite otras opciones ni pares", true};
    if (!op.lote && op.deLote) return TSalida{kSalidaUso, "--curvas y --numeros solo valen con --lote", true};
    if (!op.lote && op.columnasDadas) return TSalida{kSalidaUso, "--columnas solo vale con --lote", true};
    const bool incierto = !op.inciertos.empty();
    if (op.hilos && !op.lote && !op.barrido && !op.validar && !incierto)
        return TSalida{kSalidaUso, "--hilos solo vale con --lote, --barrido, --validar o --incierto", true};
    if (!incierto && (op.muestras || op.semilla || op.fundacion || !op.modelos.empty()))
        return TSalida{kSalidaUso, "--muestras, --semilla, --modelo y --fundacion solo valen con --incierto", true};
    if (op.gradacion && !incierto && !op.barrido)
        return TSalida{kSalidaUso, "--granulometria solo vale con --barrido o --incierto", true};
    if (incierto && op.barrido) return TSalida{kSalidaUso, "--incierto y --barrido no van juntos", true};
    if (op.logaritmico && !op.barrido) return TSalida{kSalidaUso, "--log solo vale con --barrido", true};
    if (op.barrido && op.json) return TSalida{kSalidaUso, "--barrido escribe CSV: no admite --json", true};
    if (op.barrido && op.detalle) return TSalida{kSalidaUso, "--barrido escribe CSV: no admite --detalle", true};
    if (op.salida && !op.lote && !op.barrido) return TSalida{kSalidaUso, "--salida solo vale con --lote o --barrido", true};
    if (op.salida && EsNombreLibro(*op.salida) && !LibroDisponible())
        return TSalida{kSalidaUso, "esta versión de turmado-calc no escribe libros de Excel (.xlsx); use .csv"};
    return std::nullopt;
}

// The problem of the run: the saved one or the defaults, then the options.
std::optional<TSalida> Problema(const TOpciones& op, TProblema& p) {
    if (op.problema) {
        try {
            p = CargarArchivoProblema(RutaUtf8(*op.problema)).problema;
        } catch (const ErrorArchivo& e) {
            return TSalida{kSalidaUso, Ruta(*op.problema) + ": " + e.what()};
        }
    }
    if (op.rugosidad) p.rugosidad = true;
    if (op.codigo) p.codigo = *op.codigo;
    if (op.chorro) p.chorro = *op.chorro;
    for (const auto& [nombre, texto] : op.textos) p.textos[nombre] = texto;
    return std::nullopt;
}

// The road of the window: the wizard walked, then "Calcular".  Messages of
// the way go to standard error as they come.
std::optional<TSalida> Resolver(const TProblema& p, TSolucion& s) {
    s = ::Resolver(p);
    for (const std::string& m : s.mensajes) std::cerr << m << '\n';
    if (!s.fallo) return std::nullopt;
    switch (s.fallo->Clase()) {
        case TClaseError::Chorro:
            return TSalida{kSalidaUso,
                           "la protección es insuficiente: indique el comportamiento del chorro con --chorro 0 "
                           "(impacta sobre superficie libre) o --chorro 1 (desliza sobre escalón)"};
        case TClaseError::Flotante: return TSalida{kSalidaFallo, s.fallo->what()};
        default: return TSalida{kSalidaUso, s.fallo->what()};
    }
}

// The case lines of a batch file (lines with more than blanks, less the
// header), counted for the progress; nothing for standard input.
std::optional<std::size_t> ContarCasos(const std::string& ruta) {
    if (ruta == "-") return std::nullopt;
    std::ifstream archivo(RutaUtf8(ruta), std::ios::binary);
    std::size_t lineas = 0;
    bool llena = false;
    char bloque[1 << 16];
    while (archivo.read(bloque, sizeof bloque) || archivo.gcount() > 0) {
        for (std::streamsize i = 0; i < archivo.gcount(); ++i) {
            const char c = bloque[i];
            if (c == '\n') {
                lineas += llena;
                llena = false;
            } else if (c != ' ' && c != '\t' && c != '\r') {
                llena = true;
            }
        }
    }
    lineas += llena;
    return lineas > 0 ? lineas - 1 : 0;
}

// The study's options from the command line, but its uncertain fields,
// which are read against the problem.
TOpcionesIncertidumbre OpcionesIncertidumbre(const TOpciones& op) {
    TOpcionesIncertidumbre o;
    for (const TLecturaModelo& m : op.modelos) o.modelo.emplace_back(m.formula, m.error);
    o.muestras = op.muestras.value_or(kMuestrasPorDefecto);
    o.semilla = op.semilla.value_or(kSemillaPorDefecto);
    o.fundacion = op.fundacion;
    o.gradacion = op.gradacion;
    o.hilos = op.hilos;
    return o;
}

// A batch: results on standard output, each bad line on standard error as
// soon as it is known.
int Lote(const TOpciones& op) {
    const std::string& ruta = *op.lote;
    const int descriptor = ruta == "-" ? 0 : AbrirLectura(ruta);
    if (descriptor < 0) {
        std::cerr << "turmado-calc: " << Ruta(ruta) << ": no se puede leer el archivo\n";
        return kSalidaUso;
    }
    struct TCerrar {
        int d;
        ~TCerrar() {
            if (d > 0) CerrarDescriptor(d);
        }
    } cerrar{descriptor};
    TEntradaDescriptor bufer(descriptor);
    std::istream entrada(&bufer);
    const std::string nombre = ruta == "-" ? "(entrada estándar)" : Ruta(ruta);
    const bool terminal = ErrorEnTerminal();
    const std::optional<std::size_t> total = terminal ? ContarCasos(ruta) : std::nullopt;
    bool mostrado = false;
    TOpcionesLote opciones;
    opciones.curvas = op.curvas;
    opciones.hilos = op.hilos;
    opciones.numerosCompletos = op.completos;
    opciones.columnas = op.columnas;
    if (!op.inciertos.empty()) {
        opciones.incertidumbre = TIncertidumbreLote{op.inciertos, OpcionesIncertidumbre(op)};
        if (const auto error = ErrorIncertidumbreLote(*opciones.incertidumbre)) {
            std::cerr << "turmado-calc: " << *error << '\n';
            return kSalidaUso;
        }
    }
    opciones.avance = [&](std::size_t hechos) {
        if (!terminal || hechos < kLoteLargo || (total && *total < kLoteLargo)) return;
        std::cerr << "\rcaso " << hechos;
        if (total) std::cerr << " de " << *total;
        std::cerr << std::flush;
        mostrado = true;
    };
    opciones.fallo = [&](const TFalloLote& f) {
        if (mostrado) std::cerr << '\n';
        mostrado = false;
        std::cerr << nombre << ':' << f.linea << ": " << f.mensaje << '\n';
    };
    const std::unique_ptr<TSalidaTabla> archivo = op.salida ? AbrirTabla(*op.salida) : nullptr;
    if (op.salida && !archivo) return kSalidaEscritura;
    const TResumenLote resumen = EjecutarLote(entrada, archivo ? archivo->Flujo() : std::cout, opciones);
    if (mostrado) std::cerr << '\n';
    if (resumen.corte == TCorteLote::Entrada) {
        std::cerr << "turmado-calc: " << nombre << ": la lectura falló tras la línea " << resumen.lineas << " ("
                  << resumen.motivo << "): el lote quedó incompleto";
        if (archivo) std::cerr << "; no se escribió " << Ruta(*op.salida);
        std::cerr << '\n';
        return kSalidaLectura;
    }
    // A file is put in place unless the header could not be used (then no
    // case ran and nothing was written).
    const bool sinEncabezado = resumen.casos == 0 && resumen.fallidos > 0;
    if (archivo && !sinEncabezado && !TerminarTabla(*archivo, *op.salida, op.orden)) return kSalidaEscritura;
    // A failed write is told by the caller, which checks standard output last.
    return resumen.fallidos == 0 ? 0 : kSalidaUso;
}

// A sensitivity study of the problem: the table on standard output.
int Barrido(const TOpciones& op, const TProblema& p) {
    const TLecturaBarrido l = LeerBarrido(*op.barrido, op.logaritmico);
    if (!l.barrido) {
        std::cerr << "turmado-calc: --barrido: " << l.error << '\n';
        return kSalidaUso;
    }
    const std::vector<std::string_view> campos = CamposDelProblema(p);
    if (std::find(campos.begin(), campos.end(), l.barrido->campo) == campos.end()) {
        std::cerr << "turmado-calc: --barrido: el problema no lee el campo " << l.barrido->campo << '\n';
        return kSalidaUso;
    }
    TBarrido b = *l.barrido;
    b.gradacion = op.gradacion;
    // What was done with d84 and d90 when d50 varies, said before the table.
    auto estudiar = [&] {
        TEstudio e = Estudiar(p, b, op.hilos);
        if (!e.gradacion.empty()) std::cerr << e.gradacion << '\n';
        return CsvEstudio(b, e);
    };
    if (!op.salida) {
        std::cout << estudiar();
        return 0;
    }
    const std::unique_ptr<TSalidaTabla> archivo = AbrirTabla(*op.salida);
    if (!archivo) return kSalidaEscritura;
    archivo->Flujo() << estudiar();
    return TerminarTabla(*archivo, *op.salida, op.orden) ? 0 : kSalidaEscritura;
}

// An uncertainty study of the problem: a table (or JSON) of each formula's
// statistics.  The problem itself is computed first, as a single run.
int Incertidumbre(const TOpciones& op, const TProblema& p, const std::optional<TSalida>& base) {
    if (base) {  // a fault's own text alone, as for the single run
        std::cerr << (base->estado == kSalidaFallo ? "" : "turmado-calc: ") << base->mensaje << '\n';
        return base->estado;
    }
    TOpcionesIncertidumbre o = OpcionesIncertidumbre(op);
    for (const std::string& texto : op.inciertos) {
        const TLecturaIncierta l = LeerIncierta(texto, p);
        if (!l.entrada) {
            std::cerr << "turmado-calc: --incierto: " << l.error << '\n';
            return kSalidaUso;
        }
        o.entradas.push_back(*l.entrada);
    }
    // A long study shows its progress on a terminal, as a long batch does.
    const bool terminal = ErrorEnTerminal() && o.muestras >= kMuestrasLargo;
    if (terminal)
        o.avance = [](std::size_t hechas, std::size_t total) {
            std::cerr << "\rmuestra " << hechas << " de " << total << std::flush;
        };
    const TEstudioIncertidumbre e = EstudiarIncertidumbre(p, o);
    if (terminal) std::cerr << '\n';
    if (e.error) {
        std::cerr << "turmado-calc: --incierto: " << *e.error << '\n';
        return kSalidaUso;
    }
    // No sample computed: no statistics to show, whatever the options.
    if (const auto sin = MensajeSinMuestras(e)) {
        std::cerr << "turmado-calc: --incierto: " << *sin << '\n';
        return kSalidaUso;
    }
    if (op.json) {
        nlohmann::ordered_json j;
        j["muestras"] = e.muestras;
        j["rechazadas"] = e.rechazadas;
        j["fallidas"] = e.fallidas;
        j["semilla"] = o.semilla;
        if (!e.gradacion.empty()) j["granulometria"] = e.gradacion;
        j["formulas"] = nlohmann::ordered_json::array();
        auto numero = [](double x) { return std::isnan(x) ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(x); };
        for (const TEstadisticaFormula& f : e.formulas) {
            nlohmann::ordered_json x;
            x["formula"] = f.titulo;
            x["media"] = numero(f.media);
            x["desvio"] = numero(f.desvio);
            x["p05"] = numero(f.p05);
            x["p50"] = numero(f.p50);
            x["p90"] = numero(f.p90);
            x["p95"] = numero(f.p95);
            x["p99"] = numero(f.p99);
            if (f.probFundacion) x["prob_fundacion"] = numero(*f.probFundacion);
            // No share where the formula has no calibration range.
            x["fuera_calibracion"] = f.sinRangos ? nlohmann::ordered_json(nullptr) : numero(f.fueraCalibracion);
            x["sin_rangos"] = f.sinRangos;
            j["formulas"].push_back(std::move(x));
        }
        std::cout << nlohmann::ordered_json{{"incertidumbre", std::move(j)}}.dump(2) << '\n';
    } else {
        std::cout << "Estudio de incertidumbre: " << e.muestras << " muestras (semilla " << o.semilla << ")";
        if (e.rechazadas) std::cout << ", " << e.rechazadas << " rechazadas";
        if (e.fallidas) std::cout << ", " << e.fallidas << " con fallo";
        std::cout << '\n';
        if (!e.gradacion.empty()) std::cout << e.gradacion << '\n';
        const TTablaIncertidumbre t = TablaIncertidumbre(e, o.fundacion);
        auto linea = [](const std::vector<std::string>& celdas) {
            for (std::size_t k = 0; k < celdas.size(); ++k) std::cout << (k ? "\t" : "") << celdas[k];
            std::cout << '\n';
        };
        linea(t.encabezado);
        for (const auto& fila : t.filas) linea(fila);
    }
    std::cout.flush();
    if (e.rechazadas)
        std::cerr << "Aviso: " << e.rechazadas << " muestras con un valor que su campo no admite, fuera de la "
                  << "estadística (la primera: " << e.primerRechazo << ")\n";
    if (e.fallidas)
        std::cerr << "Aviso: " << e.fallidas << " muestras cuyo cálculo falló, fuera de la estadística (la primera: "
                  << e.primerFallo << ")\n";
    return 0;
}

// The warnings of the active formulas whose data lie outside calibration,
// one block per formula, then the summary line.
void AvisarRangos(const TSolucion& r) {
    const TAvisos& avisos = r.validez;
    for (int k = 1; k <= 4; ++k) {
        std::string texto = TextoAviso(avisos[k - 1]);
        const TEstadoRango e = avisos[k - 1].estado;
        const bool propio = e == TEstadoRango::NoAplicable || e == TEstadoRango::SinErosion;  // shown for any slot
        if ((!r.panel.Activa(k) && !propio) || texto.empty()) continue;
        for (std::size_t i = 0; (i = texto.find('\n', i)) != std::string::npos; i += 3) texto.replace(i, 1, "\n  ");
        std::cerr << r.panel.Titulo(k) << ": " << texto << '\n';
    }
    if (const std::string resumen = ResumenAvisos(avisos, r.panel); !resumen.empty()) std::cerr << resumen << '\n';
}

// The warnings on implausible data, one line each.
void AvisarDatos(const TSolucion& r) {
    for (const TAvisoDato& a : r.datos) std::cerr << "Aviso: " << a.texto << '\n';
}

// The run as asked by the arguments; its exit status.
int Correr(const std::vector<std::string>& argumentos) {
    TOpciones op;
    op.orden = TextoOrden(argumentos);
    auto terminar = [](const TSalida& s) {
        if (!s.mensaje.empty()) std::cerr << "turmado-calc: " << s.mensaje << '\n';
        if (s.uso) Uso(std::cerr);
        return s.estado;
    };
    if (const auto s = LeerArgumentos(argumentos, op)) return terminar(*s);
    // A field or a formula given twice: the later would replace the earlier.
    {
        std::vector<std::string> campos, formulas;
        for (const std::string& t : op.inciertos) campos.push_back(t.substr(0, t.find('=')));
        for (const TLecturaModelo& m : op.modelos) formulas.push_back(m.formula);
        if (const auto e = ErrorRepetidos(campos, {})) return terminar(TSalida{kSalidaUso, "--incierto: " + *e});
        if (const auto e = ErrorRepetidos({}, formulas)) return terminar(TSalida{kSalidaUso, "--modelo: " + *e});
    }
    if (op.lote) return Lote(op);
    if (op.validar) return EjecutarValidacion(*op.validar, op.json, op.filas, op.hilos, op.orden);

    TProblema p;
    if (const auto s = Problema(op, p)) return terminar(*s);
    if (op.barrido) return Barrido(op, p);
    TSolucion r;
    if (!op.inciertos.empty()) return Incertidumbre(op, p, Resolver(p, r));
    if (const auto s = Resolver(p, r)) {
        if (s->estado == kSalidaFallo) {  // the fault's own text, alone
            std::cerr << s->mensaje << '\n';
            return s->estado;
        }
        return terminar(*s);
    }

    if (op.json) {
        std::cout << JsonSolucion(p, r) << '\n';
    } else {
        if (r.titulo) std::cout << *r.titulo << '\n';
        for (const TFila& f : r.filas) std::cout << f.etiqueta << '\t' << f.valor << '\t' << f.unidad << '\n';
        if (op.detalle) std::cout << '\n' << TextoDetalle(DetalleCalculo(r.d, r.panel, !p.rugosidad));
    }
    if (!std::cout.flush()) return kSalidaEscritura;  // main says why; the warnings would follow nothing
    AvisarRangos(r);
    AvisarDatos(r);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    PrepararConsola();
    // Standard output through a buffer whose write errors are kept: a run
    // whose output did not all go out has failed, whatever it computed.
    TSalidaDescriptor salida(1);
    std::streambuf* anterior = std::cout.rdbuf(&salida);
    int estado = Correr(ArgumentosUtf8(argc, argv));
    std::cout.flush();
    std::cout.rdbuf(anterior);
    if (salida.Error() != 0) {
        std::cerr << "turmado-calc: no se pudo escribir la salida: " << TextoErrorSistema(salida.Error()) << '\n';
        estado = kSalidaEscritura;
    }
    return estado;
}
