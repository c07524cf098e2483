// The uncertainty study: reading the distributions, the Latin hypercube,
// cases whose statistics are known in closed form, repeatability on any
// number of threads, and the samples a field rejects.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <set>

#include <boost/math/distributions/lognormal.hpp>

#include "results/untBarrido.h"
#include "results/untIncertidumbre.h"
#include "results/untResolver.h"
#include "problema.h"

namespace {

// The pier of the walk-through: Breusers 0.667978, CSU 2.69846, Johnson
// 2.04301 m, each proportional to the group factor Kg (the combined factor
// K = Kg Kθ Kσ Ks multiplies every formula).
// Each formula's depth (m) in the single run, by caption.
std::map<std::string, double> Profundidades(const TProblema& p) {
    TResultado r;
    r.grafico.curvas = false;
    ResolverProblema(p, r);
    std::map<std::string, double> y;
    for (int k = 1; k <= 4; ++k)
        for (const TFila& f : r.filas)
            if (f.tallo == "OutpErosMaxi" + std::to_string(k) && f.numero) y[r.panel.Titulo(k)] = *f.numero;
    return y;
}

TEntradaIncierta Entrada(const std::string& texto, const TProblema& base = PilaCompleta()) {
    const TLecturaIncierta l = LeerIncierta(texto, base);
    EXPECT_EQ(l.error, "") << texto;
    return l.entrada.value_or(TEntradaIncierta{});
}

double CuantilLognormal(double media, double cv, double p) {
    const double s2 = std::log1p(cv * cv);
    return boost::math::quantile(boost::math::lognormal(std::log(media) - s2 / 2, std::sqrt(s2)), p);
}

}  // namespace

TEST(Incertidumbre, LecturaDeLasDistribuciones) {
    struct Caso { const char* texto; const char* error; TTipoDistribucion tipo; std::array<double, 3> a; };
    const std::string forma =
        "La distribución se escribe CAMPO=normal:MEDIA:CV, CAMPO=lognormal:MEDIA:CV, CAMPO=uniforme:MIN:MAX o "
        "CAMPO=triangular:MIN:MODA:MAX (MEDIA puede ser * para el valor del campo), por ejemplo "
        "FlujCaud=lognormal:*:0.3.";
    const std::string desconocida = "Distribución desconocida: gauss (normal, lognormal, uniforme o triangular). " + forma;
    using enum TTipoDistribucion;
    const Caso casos[] = {
        {"FlujCaud=lognormal:*:0.3", "", Lognormal, {3000, 0.3, 0}},
        {"FlujCaud=normal:2500:0", "", Normal, {2500, 0, 0}},
        {"SediDiamMedi=normal:*:0.1", "", Normal, {85, 0.1, 0}},
        {"EstrFactGrup=uniforme:0.5:1.5", "", Uniforme, {0.5, 1.5, 0}},
        {"EstrFactGrup=triangular:0.5:0.5:2", "", Triangular, {0.5, 0.5, 2}},
        {"EstrFactGrup=triangular:0.5:2:2", "", Triangular, {0.5, 2, 2}},
        {"AguaTemp=normal:-5:0.2", "", Normal, {-5, 0.2, 0}},
        {"FlujCaud", forma.c_str(), Normal, {}},
        {"FlujCaud=lognormal:*", forma.c_str(), Normal, {}},
        {"FlujCaud=lognormal:*:0.3:1", forma.c_str(), Normal, {}},
        {"FlujCaud=triangular:1:2", forma.c_str(), Normal, {}},
        {"FlujCaud=gauss:1:2", desconocida.c_str(), Normal, {}},
        {"Caudal=normal:1:0.1", "Campo desconocido: Caudal", Normal, {}},
        {"=normal:1:0.1", "Campo desconocido: ", Normal, {}},
        {"EstrDiamAper=normal:1:0.1", "El problema no lee el campo EstrDiamAper.", Normal, {}},
        {"FlujCaud=normal:1,5:0.1", "La media de FlujCaud debe ser un número.", Normal, {}},
        {"FlujCaud=normal:1:", "El coeficiente de variación de FlujCaud debe ser un número.", Normal, {}},
        {"FlujCaud=normal:1:1e999", "El coeficiente de variación de FlujCaud debe ser un número.", Normal, {}},
        {"FlujCaud=uniforme:*:2", "El mínimo de FlujCaud debe ser un número.", Normal, {}},
        {"FlujCaud=triangular:1:x:2", "La moda de FlujCaud debe ser un número.", Normal, {}},
        {"FlujCaud=normal:1:-0.1", "FlujCaud: El coeficiente de variación no puede ser negativo.", Normal, {}},
        {"FlujCaud=lognormal:0:0.1", "FlujCaud: La media de una distribución lognormal debe ser mayor que 0.", Normal, {}},
        {"FlujCaud=lognormal:-3:0", "FlujCaud: La media de una distribución lognormal debe ser mayor que 0.", Normal, {}},
        {"AguaTemp=normal:0:0.1",
         "AguaTemp: Con media 0, una distribución normal no tiene coeficiente de variación: use uniforme o triangular.",
         Normal, {}},
        {"FlujCaud=normal:1e300:1e300", "FlujCaud: El coeficiente de variación es demasiado grande.", Normal, {}},
        {"FlujCaud=uniforme:2:2", "FlujCaud: El mínimo debe ser menor que el máximo.", Normal, {}},
        {"FlujCaud=uniforme:3:2", "FlujCaud: El mínimo debe ser menor que el máximo.", Normal, {}},
        {"FlujCaud=triangular:1:3:2", "FlujCaud: La moda debe estar entre el mínimo y el máximo.", Normal, {}},
        {"FlujCaud=triangular:1:0.5:2", "FlujCaud: La moda debe estar entre el mínimo y el máximo.", Normal, {}},
        {"FlujCaud=triangular:2:2:2", "FlujCaud: El mínimo debe ser menor que el máximo.", Normal, {}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto);
        // Read without a problem, as a batch checks its texts before the
        // first line: the same message, but where only a problem can tell.
        const bool delProblema = std::string(c.texto).starts_with("EstrDiamAper");
        EXPECT_EQ(ErrorIncierta(c.texto).value_or(""), delProblema ? "" : c.error);
        const TLecturaIncierta l = LeerIncierta(c.texto, PilaCompleta());
        EXPECT_EQ(l.error, c.error);
        ASSERT_EQ(l.entrada.has_value(), std::string(c.error).empty());
        if (!l.entrada) continue;
        EXPECT_EQ(l.entrada->distribucion.tipo, c.tipo);
        EXPECT_EQ(l.entrada->distribucion.a, c.a);
    }

    TProblema sinNumero = PilaCompleta();
    sinNumero.textos["SediDiamMedi"] = "";
    EXPECT_EQ(LeerIncierta("SediDiamMedi=lognormal:*:0.1", sinNumero).error,
              "El campo SediDiamMedi no tiene un valor numérico que sirva de media.");
}

TEST(Incertidumbre, LecturaDelErrorDeLasFormulasYDeLosNumeros) {
    struct Caso { const char* texto; const char* mensaje; };
    const char* forma = "El error de una fórmula se escribe FORMULA=SESGO:CV, por ejemplo CSU=1:0.3.";
    const Caso casos[] = {
        {"CSU=1.2:0.3", ""},
        {"Johnson=0.8:0", ""},
        {"CSU", forma},
        {"=1:0.3", forma},
        {"CSU=1", forma},
        {"CSU=1:0.3:2", forma},
        {"CSU=0:0.3", "El sesgo de CSU debe ser un número mayor que 0."},
        {"CSU=-1:0.3", "El sesgo de CSU debe ser un número mayor que 0."},
        {"CSU=a:0.3", "El sesgo de CSU debe ser un número mayor que 0."},
        {"CSU=1:-0.3", "El coeficiente de variación de CSU debe ser un número no negativo."},
        {"CSU=1:", "El coeficiente de variación de CSU debe ser un número no negativo."},
        {"CSU=100:100", ""},
        {"CSU=100.5:0.3", "El sesgo de CSU debe ser a lo sumo 100 (medida / calculada)."},
        {"CSU=1:1e308", "El coeficiente de variación de CSU debe ser a lo sumo 100."},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(LeerModelo(c.texto).mensaje, c.mensaje);
    }
    const TLecturaModelo l = LeerModelo("CSU=1.2:0.3");
    EXPECT_EQ(l.formula, "CSU");
    EXPECT_EQ(l.error.sesgo, 1.2);
    EXPECT_EQ(l.error.cv, 0.3);

    struct Numero { const char* texto; std::optional<std::size_t> muestras; std::optional<std::uint64_t> semilla; };
    const Numero numeros[] = {
        {"100", 100, 100},
        {"1000000", 1000000, 1000000},
        {"1e4", 10000, 10000},
        {"0", {}, 0},
        {"99", {}, 99},
        {"1000001", {}, 1000001},
        {"9007199254740992", {}, 9007199254740992ULL},
        {"9007199254740994", {}, {}},
        // Read exactly, never through a double that would round them.
        {"9007199254740993", {}, {}},
        {"9.007199254740993e15", {}, {}},
        {"900719925474099.2e1", {}, 9007199254740992ULL},
        {"100.00000000000000001", {}, {}},
        {"1.5e1", {}, 15},
        {"12000e-2", 120, 120},
        {"250.5", {}, {}},
        {"-1", {}, {}},
        {"", {}, {}},
        {"diez", {}, {}},
    };
    for (const Numero& n : numeros) {
        SCOPED_TRACE(n.texto);
        EXPECT_EQ(LeerMuestras(n.texto), n.muestras);
        EXPECT_EQ(LeerSemilla(n.texto), n.semilla);
    }
}

// Statistics known in closed form.  Each case names the formula it checks,
// the percentile function q(p) of its depth, its mean and standard
// deviation, and the tolerance: a Latin hypercube of N samples puts the
// k-th smallest within the k-th stratum, so a percentile is off by at most
// about one stratum's width of probability.
TEST(Incertidumbre, CasosConSolucionCerrada) {
    const auto y = Profundidades(PilaCompleta());
    const double csu = y.at("CSU");
    const std::size_t n = 10000;
    struct Caso {
        const char* nombre;
        std::vector<std::string> entradas;
        std::vector<std::pair<std::string, TErrorModelo>> modelo;
        std::function<double(double)> q;  // percentile p of CSU's depth
        double media, desvio;
        double tolerancia;  // relative
        bool csuMayor;      // CSU is the deepest in every sample: the envelope is CSU
    };
    const double ln = 0.3, sesgo = 1.2;
    const double s2 = std::log1p(ln * ln);
    const Caso casos[] = {
        // A coefficient of variation of 0 is the single run itself, bit for bit.
        {"cv0", {"FlujCaud=normal:*:0", "SediDiamMedi=lognormal:*:0"}, {}, [&](double) { return csu; }, csu, 0, 0, true},
        // Kg uniform from 0.5 to 1.5 multiplies the depth: q(p) = ys (0.5 + p).
        {"uniforme", {"EstrFactGrup=uniforme:0.5:1.5"}, {}, [&](double p) { return csu * (0.5 + p); }, csu,
         csu / std::sqrt(12.0), 2.0 / n, true},
        // The formula's own error alone: ys times a lognormal factor.
        {"modelo", {}, {{"CSU", {sesgo, ln}}}, [&](double p) { return csu * CuantilLognormal(sesgo, ln, p); },
         csu * sesgo, csu * sesgo * std::sqrt(std::expm1(s2)), 5e-3, false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        TOpcionesIncertidumbre o;
        for (const std::string& t : c.entradas) o.entradas.push_back(Entrada(t));
        o.modelo = c.modelo;
        o.muestras = n;
        o.fundacion = c.q(0.75);  // exceeded by a quarter of the samples
        const TEstudioIncertidumbre e = EstudiarIncertidumbre(PilaCompleta(), o);
        ASSERT_FALSE(e.error) << *e.error;
        EXPECT_EQ(e.muestras, n);
        EXPECT_EQ(e.rechazadas, 0u);
        EXPECT_EQ(e.fallidas, 0u);
        ASSERT_EQ(e.formulas.size(), 4u);  // Breusers, CSU, Johnson, the envelope
        const TEstadisticaFormula& f = e.formulas[1];
        EXPECT_EQ(f.titulo, "CSU");
        EXPECT_EQ(f.validas, n);
        const double t = c.tolerancia * csu;
        auto cerca = [&](double calculado, double esperado) {
            if (c.tolerancia == 0) {
                EXPECT_EQ(calculado, esperado);
            } else {
                EXPECT_NEAR(calculado, esperado, t);
            }
        };
        cerca(f.media, c.media);
        cerca(f.desvio, c.desvio);
        cerca(f.p05, c.q(0.05));
        cerca(f.p50, c.q(0.50));
        cerca(f.p90, c.q(0.90));
        cerca(f.p95, c.q(0.95));
        cerca(f.p99, c.q(0.99));
        if (c.desvio > 0) {
            EXPECT_NEAR(*f.probFundacion, 0.25, 2.0 / n);
        }
        EXPECT_EQ(f.fueraCalibracion, 0);  // the pier's formulas have no range table
        EXPECT_TRUE(f.sinRangos);
        const TEstadisticaFormula& env = e.formulas.back();
        EXPECT_EQ(env.titulo, "envolvente");
        EXPECT_EQ(env.ranura, 0);
        if (c.csuMayor) {
            for (auto [a, b] : {std::pair{env.media, f.media}, {env.p05, f.p05}, {env.p50, f.p50}, {env.p99, f.p99}})
                EXPECT_EQ(a, b);
        } else {
            EXPECT_GT(env.media, f.media);
            EXPECT_GE(env.p05, f.p05);
        }
    }
}

// The study's percentiles against an independent plain Monte Carlo of the
// same problem (another generator, each sample computed on its own): the
// share of independent depths at or below the study's percentile p is p
// within four standard errors, sqrt(p (1 - p) / n).
TEST(Incertidumbre, AcuerdoConUnMuestreoIndependiente) {
    TOpcionesIncertidumbre o;
    o.entradas = {Entrada("FlujCaud=lognormal:*:0.3"), Entrada("SediDiamMedi=lognormal:*:0.4")};
    o.muestras = 20000;
    o.gradacion = false;  // d84 at its text, as the samples below hold it
    const TEstudioIncertidumbre e = EstudiarIncertidumbre(PilaCompleta(), o);
    ASSERT_FALSE(e.error);
    ASSERT_EQ(e.formulas.size(), 4u);

    const int n = 4000;
    std::mt19937_64 g(987654321);
    auto uniforme = [&] { return (static_cast<double>(g() >> 11) + 0.5) * 0x1p-53; };
    std::vector<std::array<double, 4>> y;  // Breusers, CSU, Johnson, the largest
    for (int i = 0; i < n; ++i) {
        TProblema p = PilaCompleta();
        for (const TEntradaIncierta& x : o.entradas) p.textos[x.campo] = TextoValor(x.distribucion.Cuantil(uniforme()));
        const auto d = Profundidades(p);
        y.push_back({d.at("Breusers"), d.at("CSU"), d.at("Johnson"),
                     std::max({d.at("Breusers"), d.at("CSU"), d.at("Johnson")})});
    }
    for (std::size_t f = 0; f < 4; ++f) {
        const TEstadisticaFormula& s = e.formulas[f];
        SCOPED_TRACE(s.titulo);
        for (auto [p, q] : {std::pair{0.05, s.p05}, {0.5, s.p50}, {0.9, s.p90}, {0.95, s.p95}, {0.99, s.p99}}) {
            SCOPED_TRACE(p);
            int debajo = 0;
            for (const auto& x : y) debajo += x[f] <= q;
            EXPECT_NEAR(static_cast<double>(debajo) / n, p, 4 * std::sqrt(p * (1 - p) / n));
        }
    }
}

TEST(Incertidumbre, CvCeroEsElCalculoSimpleEnCadaFormula) {
    TOpcionesIncertidumbre o;
    o.entradas = {Entrada("FlujCaud=lognormal:*:0"), Entrada("FlujTiraRest=normal:*:0")};
    o.muestras = 100;
    const TEstudioIncertidumbre e = EstudiarIncertidumbre(PilaCompleta(), o);
    ASSERT_FALSE(e.error);
    const auto y = Profundidades(PilaCompleta());
    for (const TEstadisticaFormula& f : e.formulas) {
        SCOPED_TRACE(f.titulo);
        const double esperada = f.ranura ? y.at(f.titulo) : y.at("CSU");
        for (double v : {f.media, f.p05, f.p50, f.p90, f.p95, f.p99}) EXPECT_EQ(v, esperada);
        EXPECT_EQ(f.desvio, 0);
    }
}

// One sample in each stratum of every quantity, the strata of different
// quantities paired in different orders.
TEST(Incertidumbre, HipercuboLatinoUnaMuestraPorEstrato) {
    for (std::size_t n : {100u, 1000u}) {
        SCOPED_TRACE(n);
        TOpcionesIncertidumbre o;
        o.entradas = {Entrada("EstrFactGrup=uniforme:0.5:1.5"), Entrada("EstrFactFormKs=uniforme:1:3"),
                      Entrada("FlujCaud=normal:*:0.2")};
        o.muestras = n;
        const TEstudioIncertidumbre e = EstudiarIncertidumbre(PilaCompleta(), o);
        ASSERT_FALSE(e.error);
        const std::array<std::function<double(double)>, 3> probabilidad{
            [](double v) { return v - 0.5; }, [](double v) { return (v - 1) / 2; },
            [](double v) { return 0.5 * std::erfc(-(v - 3000) / (600 * std::sqrt(2.0))); }};
        std::vector<std::vector<std::size_t>> estratos(3);
        for (std::size_t j = 0; j < 3; ++j) {
            std::set<std::size_t> vistos;
            for (std::size_t i = 0; i < n; ++i) {
                const std::size_t k = static_cast<std::size_t>(probabilidad[j](e.valores[i * 3 + j]) * n);
                estratos[j].push_back(k);
                vistos.insert(k);
            }
            EXPECT_EQ(vistos.size(), n);
            EXPECT_EQ(*vistos.rbegin(), n - 1);
        }
        EXPECT_NE(estratos[0], estratos[1]);
        EXPECT_NE(estratos[1], estratos[2]);
    }
}

// The same seed gives the same bits on one thread and on many; another
// seed other samples; a quantity added after the others leaves their
// samples as they were.
TEST(Incertidumbre, MismaSemillaMismosBitsConCualquierCantidadDeHilos) {
    TOpcionesIncertidumbre o;
    o.entradas = {Entrada("FlujCaud=lognormal:*:0.3"), Entrada("SediDiamMedi=lognormal:*:0.4")};
    o.modelo = {{"Johnson", {1.1, 0.35}}};
    o.muestras = 3000;
    o.semilla = 12345;
    o.fundacion = 2.5;
    auto estudio = [&](unsigned hilos) {
        TOpcionesIncertidumbre x = o;
        x.hilos = hilos;
        return EstudiarIncertidumbre(PilaCompleta(), x);
    };
    const TEstudioIncertidumbre uno = estudio(1);
    ASSERT_FALSE(uno.error);
    auto mismosBits = [](const std::vector<double>& a, const std::vector<double>& b) {
        return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
    };
    for (unsigned hilos : {2u, 3u, 8u}) {
        SCOPED_TRACE(hilos);
        const TEstudioIncertidumbre varios = estudio(hilos);
        EXPECT_TRUE(mismosBits(uno.valores, varios.valores));
        ASSERT_EQ(uno.profundidades.size(), varios.profundidades.size());
        for (std::size_t f = 0; f < uno.profundidades.size(); ++f)
            EXPECT_TRUE(mismosBits(uno.profundidades[f], varios.profundidades[f]));
        ASSERT_EQ(uno.formulas.size(), varios.formulas.size());
        for (std::size_t f = 0; f < uno.formulas.size(); ++f) {
            const TEstadisticaFormula &a = uno.formulas[f], &b = varios.formulas[f];
            const std::vector<double> x{a.media, a.desvio, a.p05, a.p50, a.p90, a.p95, a.p99, *a.probFundacion};
            const std::vector<double> z{b.media, b.desvio, b.p05, b.p50, b.p90, b.p95, b.p99, *b.probFundacion};
            EXPECT_TRUE(mismosBits(x, z));
        }
    }
    TOpcionesIncertidumbre otra = o;
    otra.semilla = 12346;
    EXPECT_FALSE(mismosBits(uno.valores, EstudiarIncertidumbre(PilaCompleta(), otra).valores));
    // Without the model error, the inputs' samples are the same.
    TOpcionesIncertidumbre sinModelo = o;
    sinModelo.modelo.clear();
    EXPECT_TRUE(mismosBits(uno.valores, EstudiarIncertidumbre(PilaCompleta(), sinModelo).valores));
}

// A drawn value that its field rejects is counted, never dropped silently:
// a normal discharge of mean 3000 and CV 1 is not above 0 with probability
// Φ(-1) = 0.158655, so in 1000 strata 158 or 159 samples.
TEST(Incertidumbre, MuestrasRechazadasContadas) {
    TOpcionesIncertidumbre o;
    o.entradas = {Entrada("FlujCaud=normal:*:1")};
    o.muestras = 1000;
    const TEstudioIncertidumbre e = EstudiarIncertidumbre(PilaCompleta(), o);
    ASSERT_FALSE(e.error);
    EXPECT_GE(e.rechazadas, 158u);
    EXPECT_LE(e.rechazadas, 159u);
    EXPECT_EQ(e.fallidas, 0u);
    EXPECT_TRUE(e.primerRechazo.starts_with("FlujCaud = -")) << e.primerRechazo;
    EXPECT_TRUE(e.primerRechazo.ends_with(": El valor ingresado no es válido.")) << e.primerRechazo;
    for (const TEstadisticaFormula& f : e.formulas) EXPECT_EQ(f.validas, e.muestras - e.rechazadas) << f.titulo;
    std::size_t sinProfundidad = 0;
    for (double y : e.profundidades.back()) sinProfundidad += std::isnan(y);
    EXPECT_EQ(sinProfundidad, e.rechazadas);
}

// A drawn value that makes the problem another type (a gate opening high
// enough makes the protection effective and the problem a confined vortex)
// gives no depth of the base's formulas: the sample is counted as failed
// with the type's name, never mixed into another formula's statistics.
TEST(Incertidumbre, MuestraDeOtroTipoNoCuenta) {
    TProblema p;
    p.codigo = 12;
    p.textos["EstrLongPlat"] = "4.5";
    p.textos["EstrAltuAper"] = "0.45";
    TOpcionesIncertidumbre o;
    o.entradas = {Entrada("EstrAltuAper=uniforme:0.1:0.9", p)};
    o.muestras = 200;
    const TEstudioIncertidumbre e = EstudiarIncertidumbre(p, o);
    ASSERT_FALSE(e.error) << *e.error;
    EXPECT_EQ(e.rechazadas, 0u);
    EXPECT_GT(e.fallidas, 0u);
    EXPECT_LT(e.fallidas, 200u);
    EXPECT_EQ(e.primerFallo, "el problema cambia de tipo: Problema Vórtice Confinado");
    ASSERT_GE(e.formulas.size(), 2u);  // the wide culvert's active formulas and the envelope
    for (const TEstadisticaFormula& f : e.formulas) EXPECT_EQ(f.validas, 200u - e.fallidas) << f.titulo;
    for (std::size_t i = 0; i < e.muestras; ++i) {
        TProblema m = p;
        m.textos["EstrAltuAper"] = TextoValor(e.valores[i]);
        TResultado r;
        ResolverProblema(m, r);
        EXPECT_EQ(std::isnan(e.profundidades[0][i]), r.d.CodiProb != 122) << e.valores[i];
    }
}

TEST(Incertidumbre, EstudiosQueNoEmpiezan) {
    struct Caso { const char* nombre; std::function<void(TProblema&, TOpcionesIncertidumbre&)> preparar; const char* error; };
    const Caso casos[] = {
        {"fórmula desconocida", [](TProblema&, TOpcionesIncertidumbre& o) { o.modelo = {{"Laursen", {1, 0.2}}}; },
         "El problema no tiene activa la fórmula Laursen (activas: Breusers, CSU, Johnson)."},
        {"texto rechazado", [](TProblema& p, TOpcionesIncertidumbre&) { p.textos["FlujCaud"] = "-1"; },
         "FlujCaud: El valor ingresado no es válido."},
        {"fallo del problema base", [](TProblema& p, TOpcionesIncertidumbre&) { p.textos["SediAnguRepo"] = "0"; },
         "Floating point division by zero"},
        {"sin fórmulas", [](TProblema& p, TOpcionesIncertidumbre&) { p.codigo = 0; },
         "El problema no tiene fórmulas activas de erosión."},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        TProblema p = PilaCompleta();
        TOpcionesIncertidumbre o;
        o.muestras = 100;
        c.preparar(p, o);
        const TEstudioIncertidumbre e = EstudiarIncertidumbre(p, o);
        EXPECT_EQ(e.error.value_or(""), c.error);
        EXPECT_TRUE(e.formulas.empty());
    }
}

TEST(Incertidumbre, Cancelar) {
    TOpcionesIncertidumbre o;
    o.entradas = {Entrada("FlujCaud=lognormal:*:0.3")};
    o.muestras = 10000;
    std::atomic<bool> cancelar{false};
    o.cancelar = &cancelar;
    std::vector<std::size_t> avances;
    o.avance = [&](std::size_t hechas, std::size_t total) {
        EXPECT_EQ(total, 10000u);
        avances.push_back(hechas);
        cancelar = true;
    };
    const TEstudioIncertidumbre e = EstudiarIncertidumbre(PilaCompleta(), o);
    EXPECT_TRUE(e.cancelado);
    EXPECT_TRUE(e.formulas.empty());
    ASSERT_EQ(avances.size(), 1u);
    EXPECT_LT(avances[0], 10000u);
}

TEST(Incertidumbre, PercentilInterpolado) {
    const std::vector<double> v{1, 2, 4, 8, 16};
    struct Caso { double p, esperado; };
    for (const Caso& c : {Caso{0, 1}, {0.25, 2}, {0.5, 4}, {0.625, 6}, {0.99, 15.68}, {1, 16}}) {
        SCOPED_TRACE(c.p);
        EXPECT_DOUBLE_EQ(Percentil(v, c.p), c.esperado);
    }
    EXPECT_TRUE(std::isnan(Percentil({}, 0.5)));
}

// The share outside calibration counts the samples whose data lie outside
// the formula's calibration range: the narrow culvert of the default data
// (d50 of 85 mm against flume ranges of a few millimetres) is outside for
// every formula in every sample, the envelope too.
TEST(Incertidumbre, FueraDeCalibracion) {
    TProblema p;
    p.codigo = 31;
    TOpcionesIncertidumbre o;
    o.entradas = {Entrada("FlujCaud=lognormal:*:0.2", p)};
    o.muestras = 200;
    const TEstudioIncertidumbre e = EstudiarIncertidumbre(p, o);
    ASSERT_FALSE(e.error) << *e.error;
    ASSERT_EQ(e.formulas.size(), 5u);
    for (const TEstadisticaFormula& f : e.formulas) {
        SCOPED_TRACE(f.titulo);
        EXPECT_EQ(f.validas, 200u);
        EXPECT_EQ(f.fueraCalibracion, 1.0);
        EXPECT_FALSE(f.sinRangos);
    }
    EXPECT_EQ(TablaIncertidumbre(e, {}).filas[0].back(), "1.0000");
}

// Without a calibration range the share means nothing: the table says
// "sin rangos" where it printed 0.0000.
TEST(Incertidumbre, SinRangosEnLaTabla) {
    TOpcionesIncertidumbre o;
    o.entradas = {Entrada("FlujCaud=lognormal:*:0.2")};
    o.muestras = 100;
    const TEstudioIncertidumbre e = EstudiarIncertidumbre(PilaCompleta(), o);
    ASSERT_FALSE(e.error) << *e.error;
    const TTablaIncertidumbre t = TablaIncertidumbre(e, {});
    EXPECT_EQ(t.encabezado.back(), "Fuera de calibración");
    for (const auto& fila : t.filas) EXPECT_EQ(fila.back(), "sin rangos") << fila[0];
}

// Drawing d50, d84 keeps its ratio to d50 (the default, as the problem has a
// d84) or its text: each sample is the problem computed alone so, and the
// study says which was done.
TEST(Incertidumbre, D50ConGranulometriaFijaOLibre) {
    const TProblema base = PilaCompleta();  // d50 85 mm, d84 200 mm
    for (const std::optional<bool> pedido : {std::optional<bool>(), std::optional<bool>(false)}) {
        const bool fija = pedido.value_or(true);
        SCOPED_TRACE(fija);
        TOpcionesIncertidumbre o;
        o.entradas = {Entrada("SediDiamMedi=lognormal:*:0.3")};
        o.muestras = 100;
        o.gradacion = pedido;
        const TEstudioIncertidumbre e = EstudiarIncertidumbre(base, o);
        ASSERT_FALSE(e.error) << *e.error;
        EXPECT_TRUE(e.gradacion.starts_with(fija ? "Granulometría fija" : "Diámetros fijos")) << e.gradacion;
        for (std::size_t i = 0; i < 3; ++i) {
            TProblema solo = base;
            solo.textos["SediDiamMedi"] = TextoValor(e.valores[i]);
            if (fija) solo.textos["SediDiam84N3"] = TextoValor(200.0 / 85 * e.valores[i]);
            EXPECT_EQ(e.profundidades[1][i], Profundidades(solo).at("CSU")) << i;
        }
    }
    // Another field drawn says nothing of the grading.
    TOpcionesIncertidumbre o;
    o.entradas = {Entrada("FlujCaud=lognormal:*:0.2")};
    o.muestras = 100;
    EXPECT_EQ(EstudiarIncertidumbre(base, o).gradacion, "");
}
