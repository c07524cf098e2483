// The case runner: many problems on several threads, with or without the
// evolution curves, handed back in order; and the batch built on it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <sstream>

#include "../registro.h"
#include "general/untGeneral.h"
#include "general/untNumero.h"
#include "results/untCasos.h"
#include "results/untLote.h"

namespace {

struct TRespuestas {
    ProblemCode codigo;
    std::optional<int> chorro;
    const char* longPlat;  // nullptr: the default protection length
};

// Answers that reach every final code: 0, 22, 31, 111, 1121, 1122, 121,
// 122, 211, 212, and 112 (the jet answer missing, which fails).
const TRespuestas kRespuestas[] = {
    {0, {}, nullptr},  {22, {}, nullptr}, {31, {}, nullptr}, {11, {}, nullptr}, {11, 1, "4"}, {11, 0, "4"},
    {11, {}, "4"},     {12, {}, nullptr}, {12, {}, "4"},     {21, {}, nullptr}, {21, {}, "0.6"},
};

// Data around the defaults: discharges, depths and grain sizes that reach
// clear water and live bed, shallow flow, and a discharge so large that the
// computation faults.
const std::vector<std::pair<const char*, const char*>> kVariantes[] = {
    {},
    {{"FlujCaud", "500"}},
    {{"FlujCaud", "4000"}, {"FlujTiraRest", "0.8"}},
    {{"SediDiamMedi", "0.2"}},
    {{"SediDiamMedi", "60"}, {"FlujCaud", "800"}},
    {{"FlujTiraRest", "0.3"}},
    {{"FlujCaud", "1e300"}},
};

// Every complementary field filled, so that every formula of every code runs.
const std::pair<const char*, const char*> kComplementarios[] = {
    {"SediAnguRepo", "30"}, {"EstrFactFormKs", "1"}, {"EstrFactGrup", "1"},   {"EstrFactCurv", "1"},
    {"EstrFactAngu", "1"},  {"EstrFactPoro", "1"},   {"EstrFactFormKb", "1"}, {"EstrFactFormKl", "1"},
};

std::vector<TProblema> TodosLosCasos() {
    std::vector<TProblema> casos;
    for (const TRespuestas& a : kRespuestas)
        for (const auto& variante : kVariantes)
            for (bool llenos : {false, true}) {
                TProblema p;
                p.codigo = a.codigo;
                p.chorro = a.chorro;
                if (a.longPlat) p.textos["EstrLongPlat"] = a.longPlat;
                if (llenos)
                    for (const auto& [n, t] : kComplementarios) p.textos[n] = t;
                for (const auto& [n, t] : variante) p.textos[n] = t;
                casos.push_back(p);
            }
    return casos;
}

// Two runs of one case agree on everything but the points of the curves.
void CompararSinPuntos(const TCasoResuelto& a, const TCasoResuelto& b) {
    EXPECT_EQ(a.error, b.error);
    EXPECT_EQ(a.r.titulo, b.r.titulo);
    EXPECT_EQ(a.r.mensajes, b.r.mensajes);
    EXPECT_EQ(Registro(a.r.d), Registro(b.r.d));
    ASSERT_EQ(a.r.filas.size(), b.r.filas.size());
    for (std::size_t i = 0; i < a.r.filas.size(); ++i) {
        const TFila &x = a.r.filas[i], &y = b.r.filas[i];
        EXPECT_EQ(x.tallo, y.tallo);
        EXPECT_EQ(x.etiqueta, y.etiqueta);
        EXPECT_EQ(x.valor, y.valor);
        EXPECT_EQ(x.unidad, y.unidad);
        EXPECT_EQ(x.numero, y.numero);
    }
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(a.r.panel.Titulo(k), b.r.panel.Titulo(k));
        EXPECT_EQ(a.r.panel.Activa(k), b.r.panel.Activa(k));
        EXPECT_EQ(a.r.grafico.Serie(k).titulo, b.r.grafico.Serie(k).titulo);
        EXPECT_EQ(a.r.grafico.Serie(k).equilibrios, b.r.grafico.Serie(k).equilibrios);
    }
    EXPECT_EQ(a.r.grafico.pestanaVisible, b.r.grafico.pestanaVisible);
}

std::size_t Puntos(const TResultado& r) {
    std::size_t n = 0;
    for (const TSerie& s : r.grafico.series) n += s.puntos.size();
    return n;
}

}  // namespace

// Without the curves every result stays the same for every final code, in
// clear water and live bed (the live-bed vortex depth is the end of its
// curve), through faults too; and no point is stored.
TEST(Casos, SinCurvasLosMismosResultados) {
    const std::vector<TProblema> problemas = TodosLosCasos();
    TOpcionesCasos con, sin;
    con.curvas = true;
    sin.curvas = false;
    const auto a = ResolverCasos(problemas, con);
    const auto b = ResolverCasos(problemas, sin);
    ASSERT_EQ(a.size(), problemas.size());
    ASSERT_EQ(b.size(), problemas.size());
    std::map<ProblemCode, int> codigos;
    std::size_t conPuntos = 0, fallos = 0;
    for (std::size_t i = 0; i < problemas.size(); ++i) {
        SCOPED_TRACE(i);
        CompararSinPuntos(a[i], b[i]);
        EXPECT_EQ(Puntos(b[i].r), 0u);
        conPuntos += Puntos(a[i].r) > 0;
        fallos += a[i].error.has_value();
        if (!a[i].error) ++codigos[a[i].r.d.CodiProb];
    }
    // The table reaches every calculator, draws curves and meets faults.
    for (ProblemCode c : {22, 31, 111, 121, 122, 211, 212, 1121, 1122}) EXPECT_GT(codigos[c], 0) << c;
    EXPECT_GT(conPuntos, problemas.size() / 3);
    EXPECT_GT(fallos, 0u);
}

// One thread or several: the same results in the same order.
TEST(Casos, HilosNoCambianNada) {
    const std::vector<TProblema> problemas = TodosLosCasos();
    TOpcionesCasos uno, varios;
    uno.hilos = 1;
    varios.hilos = 4;
    const auto a = ResolverCasos(problemas, uno);
    const auto b = ResolverCasos(problemas, varios);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE(i);
        CompararSinPuntos(a[i], b[i]);
    }
    EXPECT_TRUE(ResolverCasos({}, varios).empty());
}

// A cancelled run starts no case.
TEST(Casos, Cancelar) {
    const std::vector<TProblema> problemas(20);
    std::atomic<bool> cancelar{true};
    TOpcionesCasos o;
    o.cancelar = &cancelar;
    for (const TCasoResuelto& c : ResolverCasos(problemas, o)) {
        EXPECT_TRUE(c.cancelado);
        EXPECT_FALSE(c.r.titulo);
    }
}

// The number behind each row is the one its text shows: present exactly
// when the text is a number, and rounding to that text.
TEST(Casos, NumeroDeCadaFila) {
    for (const TCasoResuelto& c : ResolverCasos(TodosLosCasos(), {})) {
        for (const TFila& f : c.r.filas) {
            SCOPED_TRACE(f.tallo + " = " + f.valor);
            const auto leido = LeerNumero(f.valor);
            ASSERT_EQ(f.numero.has_value(), leido.has_value());
            if (!f.numero) continue;
            const std::size_t punto = f.valor.find('.');
            const int decimales = punto == std::string::npos ? 0 : int(f.valor.size() - punto - 1);
            EXPECT_EQ(NumeText(*f.numero, 0, decimales), f.valor);
        }
    }
}

namespace {

std::string Lote(const std::string& entrada, TOpcionesLote o, std::vector<TFalloLote>* fallos = nullptr) {
    std::istringstream in(entrada);
    std::ostringstream out;
    const TResumenLote r = EjecutarLote(in, out, o);
    if (fallos) *fallos = r.fallos;
    return out.str();
}

// The batch's output as each line alone gives it: the header, then every
// line run as a batch of its own on one thread.
std::string LoteDeReferencia(const std::string& entrada) {
    std::istringstream in(entrada);
    std::string cabecera;
    std::getline(in, cabecera);
    TOpcionesLote uno;
    uno.hilos = 1;
    std::string salida;
    for (std::string linea; std::getline(in, linea);) {
        const std::string sola = Lote(cabecera + "\n" + linea + "\n", uno);
        if (salida.empty()) salida = sola.substr(0, sola.find('\n') + 1);
        salida += sola.substr(sola.find('\n') + 1);
    }
    return salida;
}

// Thousands of piers (three blocks), a bad line in the middle, and a
// culvert near the end, which fills columns no pier fills.
std::string LoteLargo() {
    std::string csv = "codigo,FlujCaud,FlujTiraRest,EstrFactFormKs,EstrFactGrup\n";
    for (int i = 0; i < 12000; ++i) {
        if (i == 2500) {
            csv += "22,-5,1,1,1\n";  // rejected discharge: line 2502
        } else if (i == 11800) {
            csv += "31,3000,1.2,1,1\n";
        } else {
            csv += "22," + std::to_string(500 + i) + "," + std::to_string(0.5 + 0.0005 * (i % 2000)) + ",1,1\n";
        }
    }
    return csv;
}

}  // namespace

TEST(Lote, BloquesHilosYColumnasNuevas) {
    const std::string entrada = LoteLargo();
    const std::string referencia = LoteDeReferencia(entrada);
    for (unsigned hilos : {1u, 3u}) {
        SCOPED_TRACE(hilos);
        TOpcionesLote o;
        o.hilos = hilos;
        std::vector<std::size_t> avances;
        o.avance = [&](std::size_t h) { avances.push_back(h); };
        std::vector<TFalloLote> fallos;
        EXPECT_EQ(Lote(entrada, o, &fallos), referencia);
        ASSERT_EQ(fallos.size(), 1u);
        EXPECT_EQ(fallos[0].linea, 2502u);
        EXPECT_EQ(fallos[0].mensaje, "FlujCaud: El valor ingresado no es válido.");
        EXPECT_EQ(avances, (std::vector<std::size_t>{4096, 8192, 12000}));
    }
}

// The curves change nothing in the output, for every code; nor do the threads.
TEST(Lote, ConYSinCurvasParaCadaCodigo) {
    std::string csv = "codigo,chorro,EstrLongPlat,FlujCaud,SediDiamMedi";
    for (const auto& [n, t] : kComplementarios) csv += std::string(",") + n;
    csv += "\n";
    for (const TRespuestas& a : kRespuestas)
        for (const char* caudal : {"3000", "600", "3500"})
            for (const char* d50 : {"85", "0.2"}) {
                csv += std::to_string(a.codigo) + "," + (a.chorro ? std::to_string(*a.chorro) : "") + "," +
                       (a.longPlat ? a.longPlat : "8.75") + "," + caudal + "," + d50;
                for (const auto& [n, t] : kComplementarios) csv += std::string(",") + t;
                csv += "\n";
            }
    TOpcionesLote base;
    const std::string sin = Lote(csv, base);
    EXPECT_GT(std::count(sin.begin(), sin.end(), '\n'), 40);
    for (bool curvas : {false, true})
        for (unsigned hilos : {1u, 2u, 5u}) {
            SCOPED_TRACE(std::to_string(curvas) + " " + std::to_string(hilos));
            TOpcionesLote o;
            o.curvas = curvas;
            o.hilos = hilos;
            EXPECT_EQ(Lote(csv, o), sin);
        }
}

// "--numeros completos": each number with the digits that read back to the
// double behind it; words stay words.
TEST(Lote, NumerosCompletos) {
    TOpcionesLote o;
    o.numerosCompletos = true;
    const std::string salida = Lote("codigo,FlujCaud,EstrFactFormKs,EstrFactGrup\n22,3000,1,1\n", o);
    TProblema p;
    p.codigo = 22;
    p.textos["FlujCaud"] = "3000";
    p.textos["EstrFactFormKs"] = "1";
    p.textos["EstrFactGrup"] = "1";
    TResultado r;
    ResolverProblema(p, r);
    // The line with the display format: the pier's rows fill their columns
    // in row order, the first cells after the title that are not empty.
    const std::string normal = Lote("codigo,FlujCaud,EstrFactFormKs,EstrFactGrup\n22,3000,1,1\n", {});
    std::vector<std::string> celdas(1);  // no cell of it holds a comma or a quote
    for (char c : normal.substr(normal.find('\n') + 1, normal.size() - normal.find('\n') - 2)) {
        if (c == ',')
            celdas.emplace_back();
        else
            celdas.back() += c;
    }
    std::size_t fila = 0;
    for (std::size_t i = 5; i < celdas.size() && fila < r.filas.size(); ++i) {
        if (celdas[i].empty()) continue;
        const TFila& f = r.filas[fila++];
        ASSERT_EQ(celdas[i], f.valor);
        if (!f.numero) continue;
        // The shortest text that reads back exactly.
        for (int digitos = 1; digitos <= 17; ++digitos) {
            std::ostringstream t;
            t.precision(digitos);
            t << *f.numero;
            if (std::stod(t.str()) == *f.numero) {
                celdas[i] = t.str();
                break;
            }
        }
    }
    ASSERT_EQ(fila, r.filas.size());
    std::string esperada;
    for (std::size_t i = 0; i < celdas.size(); ++i) esperada += (i ? "," : "") + celdas[i];
    EXPECT_EQ(salida.substr(salida.find('\n') + 1), esperada + "\n");
    EXPECT_NE(salida, Lote("codigo,FlujCaud,EstrFactFormKs,EstrFactGrup\n22,3000,1,1\n", {}));
}
