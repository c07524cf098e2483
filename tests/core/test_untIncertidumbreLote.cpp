// The uncertainty study of every line of a batch: its columns, each line
// studied around its own values as the single study would, the lines whose
// study cannot be made, and the same output on any number of threads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "compute/untClaves.h"
#include "general/untGeneral.h"
#include "general/untNumero.h"
#include "results/untBarrido.h"
#include "results/untIncertidumbre.h"
#include "results/untIncertidumbreLote.h"
#include "results/untLote.h"
#include "results/untResolver.h"
#include "../celdas.h"

namespace {

// A batch's output as a table of cells, with its summary.
struct TTabla {
    std::vector<std::string> columnas;
    std::vector<std::vector<std::string>> filas;
    TResumenLote resumen;
    std::vector<std::size_t> avances;
    std::string texto;

    const std::string& Celda(std::size_t fila, const std::string& columna) const {
        const auto it = std::find(columnas.begin(), columnas.end(), columna);
        if (it == columnas.end()) throw std::logic_error("sin columna: " + columna);
        return filas.at(fila).at(std::size_t(it - columnas.begin()));
    }
    bool Tiene(const std::string& columna) const {
        return std::find(columnas.begin(), columnas.end(), columna) != columnas.end();
    }
};

TTabla Correr(const std::string& csv, TOpcionesLote opciones) {
    TTabla t;
    std::istringstream entrada(csv);
    std::ostringstream salida;
    opciones.avance = [&](std::size_t hechos) { t.avances.push_back(hechos); };
    t.resumen = EjecutarLote(entrada, salida, opciones);
    t.texto = salida.str();
    std::istringstream lineas(t.texto);
    std::string linea;
    if (std::getline(lineas, linea)) t.columnas = CeldasCsv(linea);
    while (std::getline(lineas, linea)) {
        t.filas.push_back(CeldasCsv(linea));
        EXPECT_EQ(t.filas.back().size(), t.columnas.size()) << linea;
    }
    return t;
}

struct TEstudioPedido {
    std::vector<std::string> inciertos;
    std::size_t muestras = 100;
    std::optional<double> fundacion;
    std::vector<std::pair<std::string, TErrorModelo>> modelo;
};

TEstudioPedido Pedido(std::vector<std::string> inciertos, std::size_t muestras = 100) {
    TEstudioPedido p;
    p.inciertos = std::move(inciertos);
    p.muestras = muestras;
    return p;
}

TOpcionesLote ConEstudio(const TEstudioPedido& pedido, TColumnasLote columnas = TColumnasLote::Claves,
                         bool completos = false, unsigned hilos = 0) {
    TOpcionesLote o;
    o.columnas = columnas;
    o.numerosCompletos = completos;
    o.hilos = hilos;
    TIncertidumbreLote estudio;
    estudio.inciertos = pedido.inciertos;
    estudio.opciones.muestras = pedido.muestras;
    estudio.opciones.fundacion = pedido.fundacion;
    estudio.opciones.modelo = pedido.modelo;
    o.incertidumbre = estudio;
    return o;
}

// Piers of the example with other discharges and depths, narrow culverts, a
// wide culvert (a gate with its protection), an abutment and a line without
// a structure: every line of its own type.
constexpr const char* kInventario =
    "codigo,FlujCaud,FlujTiraRest,EstrFactFormKs,EstrFactGrup,SediAnguRepo,EstrLongPlat,EstrDiamAper,EstrCantAper\n"
    "22,1000,1.2,1,1,30,,,\n"
    "31,3000,1.2,,,30,,0.5,3\n"
    "22,3000,1.8,1,1,30,,,\n"
    "12,3000,1.2,,,30,4,,\n"
    "21,2000,1.2,,,30,0.6,,\n"
    "0,3000,1.2,,,,,,\n";

constexpr const char* kPilas =
    "codigo,FlujCaud,FlujTiraRest,EstrFactFormKs,EstrFactGrup,SediAnguRepo\n"
    "22,1000,1.2,1,1,30\n"
    "22,2000,1.5,1,1,30\n"
    "22,4000,2.1,1,1,30\n";

}  // namespace

// The study's columns come after the batch's own, known before any line:
// P50 and P95 of every formula of every structure (and the probability of
// the foundation depth when one is given), the envelope, the rejected
// samples and the message.
TEST(LoteIncertidumbre, Columnas) {
    const TEstudioLote claves({{"FlujCaud=lognormal:*:0.3"}, {}}, false);
    const std::vector<std::string>& c = claves.Columnas();
    ASSERT_GE(c.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(c.end() - 4, c.end()),
              (std::vector<std::string>{"p50_envolvente_m", "p95_envolvente_m", "muestras_rechazadas",
                                        "mensaje_incertidumbre"}));
    std::size_t formulas = 0;
    for (const TClaveFila& f : TodasLasClaves()) {
        if (ClaveValidez(f.clave).empty()) continue;
        ++formulas;
        const std::string medio(f.clave.substr(3, f.clave.size() - 5));
        const auto p50 = std::find(c.begin(), c.end(), "p50_" + medio + "_m");
        ASSERT_NE(p50, c.end()) << f.clave;
        ASSERT_NE(p50 + 1, c.end());
        EXPECT_EQ(p50[1], "p95_" + medio + "_m");
    }
    EXPECT_EQ(c.size(), 2 * formulas + 4);

    TOpcionesIncertidumbre conFundacion;
    conFundacion.fundacion = 2.5;
    const TEstudioLote textos({{"FlujCaud=lognormal:*:0.3"}, conFundacion}, true);
    const std::vector<std::string>& t = textos.Columnas();
    for (const char* nombre : {"P50 (CSU) [m]", "P95 (CSU) [m]", "P(ys > 2.5 m) (CSU)", "P50 (Breusers) [m]",
                               "P(ys > 2.5 m) (envolvente)", "Muestras rechazadas", "Mensaje de incertidumbre"})
        EXPECT_EQ(std::count(t.begin(), t.end(), nombre), 1) << nombre;
    EXPECT_EQ(t.back(), "Mensaje de incertidumbre");
}

// With a coefficient of variation of 0 every sample is the line itself:
// each formula's P50 and P95 are the line's own depth, the envelope's the
// largest of them, the probability of a foundation depth 1 or 0, and a
// formula the line does not have leaves its cells empty.  A line without
// formulas says so.
TEST(LoteIncertidumbre, CvCeroDaLaProfundidadDeCadaLinea) {
    struct Caso {
        const char* nombre;
        const char* csv;
        std::optional<double> fundacion;
        TColumnasLote columnas;
        bool completos;
    };
    const Caso casos[] = {
        {"pilas", kPilas, {}, TColumnasLote::Claves, false},
        {"fundación", kPilas, 2.0, TColumnasLote::Claves, false},
        {"textos", kPilas, 2.0, TColumnasLote::Textos, false},
        {"números completos", kPilas, 2.0, TColumnasLote::Claves, true},
        {"inventario mixto", kInventario, 1.0, TColumnasLote::Claves, false},
        {"inventario mixto con textos", kInventario, {}, TColumnasLote::Textos, true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        const TEstudioPedido pedido{{"FlujCaud=lognormal:*:0", "FlujTiraRest=normal:*:0"}, 100, c.fundacion, {}};
        const TTabla t = Correr(c.csv, ConEstudio(pedido, c.columnas, c.completos));
        ASSERT_EQ(t.resumen.fallidos, 0u);
        const bool textos = c.columnas == TColumnasLote::Textos;
        const std::string caption = "Erosión máxima de equilibrio (";
        const std::string fundacion = c.fundacion ? TextoValor(*c.fundacion) : "";
        // The columns of the study of a depth column.
        auto nombres = [&](const std::string& ys) -> std::vector<std::string> {
            if (textos) {
                const std::string f = ys.substr(caption.size(), ys.size() - caption.size() - 1);
                return {"P50 (" + f + ") [m]", "P95 (" + f + ") [m]", "P(ys > " + fundacion + " m) (" + f + ")"};
            }
            const std::string medio = ys.substr(3, ys.size() - 5);
            return {"p50_" + medio + "_m", "p95_" + medio + "_m", "pfund_" + medio};
        };
        const std::vector<std::string> envolvente = textos ? nombres(caption + "envolvente)")
                                                           : nombres("ys_envolvente_m");
        int conFormulas = 0, vacias = 0;
        for (std::size_t i = 0; i < t.filas.size(); ++i) {
            SCOPED_TRACE(i);
            std::string mayor;
            for (const std::string& ys : t.columnas) {
                const bool profundidad = textos ? ys.starts_with(caption) : !ClaveValidez(ys).empty();
                if (!profundidad) continue;
                // An inactive formula's cell holds a text, no depth.
                const std::string y = LeerNumero(t.Celda(i, ys)) ? t.Celda(i, ys) : "";
                const std::vector<std::string> n = nombres(ys);
                EXPECT_EQ(t.Celda(i, n[0]), y) << ys;
                EXPECT_EQ(t.Celda(i, n[1]), y) << ys;
                EXPECT_EQ(t.Tiene(n[2]), c.fundacion.has_value());
                if (c.fundacion && y.empty()) {
                    EXPECT_EQ(t.Celda(i, n[2]), "");
                }
                if (c.fundacion && !y.empty()) {
                    const bool honda = *LeerNumero(y) > *c.fundacion;
                    EXPECT_EQ(t.Celda(i, n[2]), c.completos ? (honda ? "1" : "0") : (honda ? "1.0000" : "0.0000"));
                }
                if (!y.empty() && (mayor.empty() || *LeerNumero(y) > *LeerNumero(mayor))) mayor = y;
            }
            EXPECT_EQ(t.Celda(i, envolvente[0]), mayor);
            EXPECT_EQ(t.Celda(i, envolvente[1]), mayor);
            const std::string rechazadas = textos ? "Muestras rechazadas" : "muestras_rechazadas";
            const std::string mensaje = textos ? "Mensaje de incertidumbre" : "mensaje_incertidumbre";
            if (mayor.empty()) {
                ++vacias;
                EXPECT_EQ(t.Celda(i, rechazadas), "");
                EXPECT_EQ(t.Celda(i, mensaje), "El problema no tiene fórmulas activas de erosión.");
            } else {
                ++conFormulas;
                EXPECT_EQ(t.Celda(i, rechazadas), "0");
                EXPECT_EQ(t.Celda(i, mensaje), "");
            }
        }
        const bool mixto = std::string(c.csv) == kInventario;
        EXPECT_EQ(conFormulas, mixto ? 5 : 3);
        EXPECT_EQ(vacias, mixto ? 1 : 0);
    }
}

// Each line's cells are those of the study of its problem alone with the
// same seed, and the output is the same on one thread and on many (as many
// lines as threads or more: a study per thread; fewer: each study on every
// thread).  A model error applies to the lines that have its formula.
TEST(LoteIncertidumbre, ComoElEstudioDeCadaLineaConCualquierCantidadDeHilos) {
    const char* csv =
        "codigo,FlujCaud,FlujTiraRest,EstrFactFormKs,EstrFactGrup,SediAnguRepo,EstrDiamAper,EstrCantAper\n"
        "22,1000,1.2,1,1,30,,\n"
        "31,3000,1.2,,,30,0.5,3\n"
        "22,4000,2.1,1,1,30,,\n";
    TEstudioPedido pedido{{"FlujCaud=lognormal:*:0.3", "SediDiamMedi=triangular:40:85:120"}, 300, 2.5,
                          {{"CSU", {1.1, 0.3}}}};
    const TTabla uno = Correr(csv, ConEstudio(pedido, TColumnasLote::Claves, true, 1));
    ASSERT_EQ(uno.resumen.fallidos, 0u);
    ASSERT_EQ(uno.filas.size(), 3u);
    for (unsigned hilos : {2u, 3u, 8u}) {
        SCOPED_TRACE(hilos);
        EXPECT_EQ(Correr(csv, ConEstudio(pedido, TColumnasLote::Claves, true, hilos)).texto, uno.texto);
    }

    for (std::size_t i = 0; i < uno.filas.size(); ++i) {
        SCOPED_TRACE(i);
        TProblema p;
        std::istringstream lineas(csv);
        std::string linea;
        std::getline(lineas, linea);
        const std::vector<std::string> nombres = CeldasCsv(linea);
        for (std::size_t k = 0; k <= i; ++k) std::getline(lineas, linea);
        const std::vector<std::string> valores = CeldasCsv(linea);
        p.codigo = static_cast<ProblemCode>(std::stoi(valores[0]));
        for (std::size_t k = 1; k < nombres.size(); ++k)
            if (!valores[k].empty()) p.textos[nombres[k]] = valores[k];
        TOpcionesIncertidumbre o;
        for (const std::string& texto : pedido.inciertos) o.entradas.push_back(*LeerIncierta(texto, p).entrada);
        o.muestras = pedido.muestras;
        o.fundacion = pedido.fundacion;
        if (p.codigo == 22) o.modelo = pedido.modelo;  // the culvert has no CSU
        TResultado r;
        ResolverProblema(p, r);
        const TEstudioIncertidumbre e = EstudiarIncertidumbre(p, o);
        ASSERT_FALSE(e.error) << *e.error;
        for (const TEstadisticaFormula& f : e.formulas) {
            SCOPED_TRACE(f.titulo);
            const std::string clave = f.ranura ? std::string(ClaveErosion(r.d.CodiProb, f.ranura)) : "ys_envolvente_m";
            const std::string medio = clave.substr(3, clave.size() - 5);
            EXPECT_EQ(uno.Celda(i, "p50_" + medio + "_m"), TextoValor(f.p50));
            EXPECT_EQ(uno.Celda(i, "p95_" + medio + "_m"), TextoValor(f.p95));
            EXPECT_EQ(uno.Celda(i, "pfund_" + medio), TextoValor(*f.probFundacion));
            EXPECT_LT(f.p50, f.p95);
        }
        EXPECT_EQ(uno.Celda(i, "muestras_rechazadas"), "0");
    }
    // Without the model error the pier's CSU changes and the culvert not.
    pedido.modelo.clear();
    const TTabla sin = Correr(csv, ConEstudio(pedido, TColumnasLote::Claves, true));
    EXPECT_NE(sin.Celda(0, "p95_pila_csu_m"), uno.Celda(0, "p95_pila_csu_m"));
    EXPECT_EQ(sin.Celda(0, "p95_pila_johnson_m"), uno.Celda(0, "p95_pila_johnson_m"));
    EXPECT_EQ(sin.filas[1], uno.filas[1]);
}

// A line whose study cannot be made keeps its results and gets the reason
// in its message cell; a bad line is reported as in any batch; the other
// lines are studied all the same.
TEST(LoteIncertidumbre, LineasCuyoEstudioNoSeHace) {
    const char* csv =
        "codigo,FlujCaud,EstrFactFormKs,EstrFactGrup,SediAnguRepo,EstrDiamAper,EstrCantAper,EstrAnguAtaq\n"
        "22,3000,1,1,30,,,5\n"
        "22,0,1,1,30,,,5\n"    // a discharge the field rejects: a bad line
        "31,3000,,,30,0.5,3,\n"  // a culvert has no pier width
        "22,2000,1,1,30,,,0\n"   // a lognormal angle of mean 0
        "22,1000,1,1,30,,,10\n";
    const TTabla t = Correr(csv, ConEstudio(Pedido({"EstrAnchPila=lognormal:*:0.1", "EstrAnguAtaq=lognormal:*:0.2"})));
    ASSERT_EQ(t.resumen.fallos.size(), 1u);
    EXPECT_EQ(t.resumen.fallos[0].linea, 3u);
    EXPECT_EQ(t.resumen.fallos[0].mensaje, "FlujCaud: El valor ingresado no es válido.");
    ASSERT_EQ(t.filas.size(), 4u);
    const std::string mensajes[] = {"", "El problema no lee el campo EstrAnchPila.",
                                    "EstrAnguAtaq: La media de una distribución lognormal debe ser mayor que 0.", ""};
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(t.Celda(i, "mensaje_incertidumbre"), mensajes[i]);
        EXPECT_EQ(t.Celda(i, "p50_envolvente_m").empty(), !mensajes[i].empty());
        EXPECT_EQ(t.Celda(i, "muestras_rechazadas"), mensajes[i].empty() ? "0" : "");
        EXPECT_NE(t.Celda(i, "shields"), "");  // the line's own results stay
    }
    EXPECT_NE(t.Celda(0, "p50_pila_csu_m"), "");
    EXPECT_NE(t.Celda(3, "p50_pila_csu_m"), "");

    // Samples a field rejects are counted on their line; when none is left
    // the line says so.
    struct Caso { const char* incierto; std::size_t minimo, maximo; const char* mensaje; };
    const Caso casos[] = {
        {"FlujCaud=normal:*:1", 158, 159, ""},  // Φ(-1) = 0.1587 of 1000 strata below 0
        {"FlujCaud=uniforme:-2:-1", 1000, 1000,
         "Ninguna muestra se pudo calcular: 1000 con un valor que su campo no admite (la primera: FlujCaud = -"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.incierto);
        const TTabla r = Correr("codigo,FlujCaud,EstrFactFormKs,EstrFactGrup,SediAnguRepo\n22,3000,1,1,30\n",
                                ConEstudio(Pedido({c.incierto}, 1000)));
        ASSERT_EQ(r.filas.size(), 1u);
        const std::size_t rechazadas = std::stoul(r.Celda(0, "muestras_rechazadas"));
        EXPECT_GE(rechazadas, c.minimo);
        EXPECT_LE(rechazadas, c.maximo);
        const std::string& mensaje = r.Celda(0, "mensaje_incertidumbre");
        EXPECT_TRUE(mensaje.starts_with(c.mensaje)) << mensaje;
        EXPECT_EQ(r.Celda(0, "p50_pila_csu_m").empty(), rechazadas == 1000);
        if (rechazadas == 1000) {
            EXPECT_TRUE(mensaje.ends_with(": El valor ingresado no es válido.).")) << mensaje;
        }
    }
}

// What no line could study is refused before the batch runs.
TEST(LoteIncertidumbre, EstudiosRechazadosDeAntemano) {
    struct Caso { std::vector<std::string> inciertos; std::vector<std::pair<std::string, TErrorModelo>> modelo; const char* error; };
    const Caso casos[] = {
        {{"FlujCaud=lognormal:*:0.3"}, {{"CSU", {1, 0.2}}, {"Ruff", {1.2, 0.4}}}, ""},
        {{"FlujCaud=uniforme:2000:1500"}, {}, "--incierto: FlujCaud: El mínimo debe ser menor que el máximo."},
        {{"FlujCaud=lognormal:*:0.3", "Caudal=normal:1:0.1"}, {}, "--incierto: Campo desconocido: Caudal"},
        {{"FlujCaud=normal:*:-1"}, {}, "--incierto: FlujCaud: El coeficiente de variación no puede ser negativo."},
        {{"FlujCaud=lognormal:*:0.3"}, {{"Laursen", {1, 0.2}}}, "--modelo: Ninguna estructura tiene la fórmula Laursen."},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.error);
        TIncertidumbreLote l;
        l.inciertos = c.inciertos;
        l.opciones.modelo = c.modelo;
        EXPECT_EQ(ErrorIncertidumbreLote(l).value_or(""), c.error);
    }
}

// A batch studies a few lines a block, so that the first lines come out
// while the rest still run: about 65536 samples a block.
TEST(LoteIncertidumbre, BloquesAcotadosPorLasMuestras) {
    std::string csv = "codigo,FlujCaud,EstrFactFormKs,EstrFactGrup,SediAnguRepo\n";
    for (int i = 0; i < 7; ++i) csv += "22," + std::to_string(1000 + 100 * i) + ",1,1,30\n";
    const TTabla t = Correr(csv, ConEstudio(Pedido({"FlujCaud=lognormal:*:0"}, 10000)));
    EXPECT_EQ(t.filas.size(), 7u);
    EXPECT_EQ(t.avances, (std::vector<std::size_t>{6, 7}));
}
