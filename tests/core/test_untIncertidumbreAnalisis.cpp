// What the window and the report make of an uncertainty study: Spearman's
// rank correlation against values worked by hand, the inputs of a pier
// ranked by influence, exceedance curves that agree with the percentiles,
// the default model errors of the pier formulas from the shipped field
// measurements, the CSV files and the report page's layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "results/untIncertidumbre.h"
#include "results/untBarrido.h"
#include "results/untIncertidumbreAnalisis.h"
#include "results/untValidacion.h"
#include "problema.h"

namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

TEntradaIncierta Entrada(const std::string& texto, const TProblema& base) {
    const TLecturaIncierta l = LeerIncierta(texto, base);
    EXPECT_EQ(l.error, "") << texto;
    return l.entrada.value_or(TEntradaIncierta{});
}

std::size_t Lineas(const std::string& s) { return static_cast<std::size_t>(std::count(s.begin(), s.end(), '\n')); }

}  // namespace

TEST(IncertidumbreAnalisis, CorrelacionDeSpearman) {
    struct Caso { const char* nombre; std::vector<double> x, y; double rho; };
    const Caso casos[] = {
        // rho = 1 - 6 sum d^2 / (n (n^2 - 1)): d = 1, -1, 1, -1, 0, 1 - 24/120.
        {"a mano", {1, 2, 3, 4, 5}, {2, 1, 4, 3, 5}, 0.8},
        {"monótona no lineal", {1, 2, 3, 4, 5}, {1, 8, 27, 64, 1000}, 1},
        {"decreciente", {0.1, 0.5, 2, 7}, {9, 3, 1, -4}, -1},
        // Ties share the mean rank: x ranks 1, 2.5, 2.5, 4, y ranks 1..4;
        // Pearson of those: 4.5 / sqrt(4.5 * 5).
        {"empates", {1, 2, 2, 3}, {1, 2, 3, 4}, 4.5 / std::sqrt(4.5 * 5)},
        // A NaN on either side leaves its pair out: what remains is "a mano".
        {"NaN fuera", {1, kNan, 2, 3, 4, 5, 6}, {2, 7, 1, 4, 3, 5, kNan}, 0.8},
        {"constante", {1, 2, 3, 4}, {5, 5, 5, 5}, kNan},
        {"dos pares", {1, 2}, {1, 2}, kNan},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        const double rho = CorrelacionSpearman(c.x, c.y);
        if (std::isnan(c.rho))
            EXPECT_TRUE(std::isnan(rho)) << rho;
        else
            EXPECT_NEAR(rho, c.rho, 1e-12);
    }
}

// The pier's discharge varied widely and the repose angle barely: the
// discharge comes first for CSU, Johnson and the envelope, with a strong
// positive rank correlation (Breusers' depth hardly follows the discharge); curves fall from 1 to 0 and pass through the percentiles.
TEST(IncertidumbreAnalisis, InfluenciasYCurvasDeUnaPila) {
    const TProblema base = PilaCompleta();
    TOpcionesIncertidumbre o;
    o.entradas = {Entrada("SediAnguRepo=uniforme:29.9:30.1", base), Entrada("FlujCaud=lognormal:*:0.3", base)};
    o.muestras = 2000;
    o.hilos = 2;
    const TEstudioIncertidumbre e = EstudiarIncertidumbre(base, o);
    ASSERT_FALSE(e.error) << *e.error;
    ASSERT_EQ(e.formulas.size(), 4u);  // Breusers, CSU, Johnson, envelope

    const auto influencias = InfluenciasSpearman(e);
    ASSERT_EQ(influencias.size(), e.formulas.size());
    for (std::size_t f = 0; f < influencias.size(); ++f) {
        SCOPED_TRACE(e.formulas[f].titulo);
        ASSERT_EQ(influencias[f].size(), 2u);
        if (e.formulas[f].titulo == "Breusers") continue;
        EXPECT_EQ(influencias[f][0].entrada, 1u);  // FlujCaud
        EXPECT_GT(influencias[f][0].rho, 0.9);
        EXPECT_TRUE(std::isnan(influencias[f][1].rho) || std::fabs(influencias[f][1].rho) < std::fabs(influencias[f][0].rho));
    }

    // The columns ranked once give what each pair ranked alone gives.
    for (std::size_t f = 0; f < influencias.size(); ++f)
        for (const TInfluencia& x : influencias[f]) {
            std::vector<double> valores;
            for (std::size_t i = 0; i < e.muestras; ++i) valores.push_back(e.valores[i * 2 + x.entrada]);
            const double solo = CorrelacionSpearman(valores, e.profundidades[f]);
            if (std::isnan(solo))
                EXPECT_TRUE(std::isnan(x.rho));
            else
                EXPECT_NEAR(x.rho, solo, 1e-12);
        }

    const std::vector<TCurvaExcedencia> curvas = CurvasExcedencia(e, 100);
    ASSERT_EQ(curvas.size(), e.formulas.size());
    for (std::size_t f = 0; f < curvas.size(); ++f) {
        const TCurvaExcedencia& c = curvas[f];
        SCOPED_TRACE(c.titulo);
        EXPECT_EQ(c.ranura, e.formulas[f].ranura);
        ASSERT_GE(c.profundidad.size(), 50u);
        EXPECT_LE(c.profundidad.size(), 104u);
        // Both ends: the smallest and the deepest sample, (n - 1/2) / n and 1 / (2n).
        EXPECT_DOUBLE_EQ(c.probabilidad.front(), 1 - 0.5 / 2000);
        EXPECT_DOUBLE_EQ(c.probabilidad.back(), 0.5 / 2000);
        for (std::size_t i = 1; i < c.profundidad.size(); ++i) {
            EXPECT_GE(c.profundidad[i], c.profundidad[i - 1]);
            EXPECT_LT(c.probabilidad[i], c.probabilidad[i - 1]);
        }
        // Where the curve crosses 5 % it is at the P95 of the table, within
        // a stratum of the neighbouring points.
        std::size_t i = 0;
        while (c.probabilidad[i] > 0.05) ++i;
        EXPECT_LE(c.profundidad[i - 1], e.formulas[f].p95 + 1e-12);
        EXPECT_GE(c.profundidad[i], e.formulas[f].p95 - 1e-3);
    }

    // The samples as CSV: the header and a line per sample.
    const std::string muestras = CsvMuestrasIncertidumbre(e);
    EXPECT_EQ(Lineas(muestras), 2001u);
    EXPECT_EQ(muestras.substr(0, muestras.find('\n')),
              "Muestra,SediAnguRepo [º],FlujCaud [m^3/s],Breusers [m],CSU [m],Johnson [m],envolvente [m]");
    // The summary says what the study was: seed, foundation, each input's
    // distribution and each formula's error, numbers at full precision.
    TOpcionesIncertidumbre conFundacion = o;
    conFundacion.fundacion = 3.0;
    const std::string resumen = CsvResumenIncertidumbre(e, conFundacion);
    EXPECT_EQ(Lineas(resumen), 1 + 4 + 3 + 2 + 2 + 1u);
    const std::string media = TextoValor(e.entradas[1].distribucion.a[0]);
    EXPECT_NE(resumen.find("\nMuestras,2000\nRechazadas,0\nFallidas,0\nSemilla,1\nProfundidad de fundación [m],3\n"
                           "Entrada,SediAnguRepo,uniforme,mínimo,29.9,máximo,30.1\n"
                           "Entrada,FlujCaud,lognormal,media," + media + ",CV,0.3\n"
                           "Error de la fórmula,ninguno\n"),
              std::string::npos) << resumen;
    EXPECT_NE(resumen.find("P(ys > 3 m)"), std::string::npos);
    conFundacion.modelo = {{"CSU", {0.1 + 0.2, 1.28}}, {"Johnson", {1, 0}}};
    conFundacion.semilla = 9007199254740992ULL;
    conFundacion.entradas = {};
    const std::string conModelo = CsvResumenIncertidumbre(e, conFundacion);
    EXPECT_NE(conModelo.find("\nSemilla,9007199254740992\n"), std::string::npos) << conModelo;
    EXPECT_NE(conModelo.find("\nError de la fórmula,CSU,sesgo,0.30000000000000004,CV,1.28\n"
                             "Error de la fórmula,Johnson,sesgo,1,CV,0\n"),
              std::string::npos) << conModelo;
}

// A normal discharge wide enough that the field rejects some draws: those
// samples have no depth and stay out of the correlations, which still
// follow the discharge.
TEST(IncertidumbreAnalisis, InfluenciasConMuestrasRechazadas) {
    const TProblema base = PilaCompleta();
    TOpcionesIncertidumbre o;
    o.entradas = {Entrada("FlujCaud=normal:*:0.8", base), Entrada("SediAnguRepo=uniforme:29:31", base)};
    o.muestras = 1000;
    const TEstudioIncertidumbre e = EstudiarIncertidumbre(base, o);
    ASSERT_FALSE(e.error) << *e.error;
    ASSERT_GT(e.rechazadas, 0u);
    const auto influencias = InfluenciasSpearman(e);
    for (std::size_t f = 0; f < influencias.size(); ++f) {
        SCOPED_TRACE(e.formulas[f].titulo);
        for (const TInfluencia& x : influencias[f]) {
            std::vector<double> valores, profundidades;
            for (std::size_t i = 0; i < e.muestras; ++i)
                if (!std::isnan(e.profundidades[f][i])) {
                    valores.push_back(e.valores[i * 2 + x.entrada]);
                    profundidades.push_back(e.profundidades[f][i]);
                }
            EXPECT_EQ(valores.size(), e.muestras - e.rechazadas);
            const double solo = CorrelacionSpearman(valores, profundidades);
            EXPECT_TRUE(std::isnan(solo) ? std::isnan(x.rho) : std::fabs(x.rho - solo) < 1e-12) << x.rho << " " << solo;
        }
        if (e.formulas[f].titulo == "CSU") {
            EXPECT_EQ(influencias[f][0].entrada, 0u);
            EXPECT_GT(influencias[f][0].rho, 0.8);
        }
    }
}

// The defaults are the program's own figures over the shipped field
// measurements: what "--validar" reports for each pier formula; nothing for
// another code or a formula without rows.
TEST(IncertidumbreAnalisis, ErroresDeModeloPorDefecto) {
    const std::vector<TEstadistica>& campo = CifrasCampo().todas;
    ASSERT_FALSE(campo.empty());
    for (const TEstadistica& s : campo) {
        SCOPED_TRACE(s.formula);
        const auto d = ErrorModeloPorDefecto(22, s.formula);
        ASSERT_TRUE(d);
        EXPECT_EQ(d->error.sesgo, s.sesgo);
        EXPECT_EQ(d->error.cv, *s.cv);
        EXPECT_EQ(d->mediciones, s.n);
        EXPECT_GT(d->error.sesgo, 0);
    }
    EXPECT_TRUE(ErrorModeloPorDefecto(22, "CSU"));
    EXPECT_FALSE(ErrorModeloPorDefecto(21, "CSU"));
    EXPECT_FALSE(ErrorModeloPorDefecto(22, "Sin fórmula"));
}

// With the case's gradation factor the figures are those of the field rows
// of its class, named with their size; the pooled ones when the class has
// too few rows for the formula, saying so; without a factor, the pooled ones.
TEST(IncertidumbreAnalisis, ErrorDeModeloDelSubconjuntoDelCaso) {
    auto estadistica = [](double sesgo, std::size_t n) {
        TEstadistica e;
        e.formula = "CSU";
        e.sesgo = sesgo;
        e.cv = sesgo / 2;
        e.n = n;
        return e;
    };
    const TCifrasCampo cifras{{estadistica(0.96, 1302)}, {estadistica(1.56, 40)}, {estadistica(0.5, 10)}};
    struct Caso {
        std::optional<double> ksigma;
        double sesgo;
        std::size_t n;
        const char* subconjunto;
    };
    const Caso casos[] = {
        {0.378, 1.56, 40, "filas de campo con Kσ < 0.5 (Kσ del caso 0.378)"},
        {1.0, 0.96, 1302,
         "todas las filas de campo, porque las filas de campo con Kσ ≥ 0.5 (Kσ del caso 1.000) son 10, menos de 30"},
        {std::nullopt, 0.96, 1302, "todas las filas de campo"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.subconjunto);
        const auto d = ErrorModeloPorDefecto(22, "CSU", c.ksigma, cifras, 30);
        ASSERT_TRUE(d);
        EXPECT_EQ(d->error.sesgo, c.sesgo);
        EXPECT_EQ(d->error.cv, c.sesgo / 2);
        EXPECT_EQ(d->mediciones, c.n);
        EXPECT_EQ(d->subconjunto, c.subconjunto);
    }
    EXPECT_FALSE(ErrorModeloPorDefecto(21, "CSU", 0.378, cifras, 30));
    // The shipped figures: a graded bed's CSU error is that of the rows with
    // Ksigma < 0.5, the figures of the data warning the page shows.
    const auto graduada = ErrorModeloPorDefecto(22, "CSU", 0.378);
    ASSERT_TRUE(graduada);
    const auto& baja = CifrasCampo().gradacionBaja;
    const auto csu = std::find_if(baja.begin(), baja.end(), [](const TEstadistica& e) { return e.formula == "CSU"; });
    ASSERT_NE(csu, baja.end());
    EXPECT_EQ(graduada->error.sesgo, csu->sesgo);
    EXPECT_EQ(graduada->mediciones, csu->n);
    EXPECT_GT(graduada->error.sesgo, ErrorModeloPorDefecto(22, "CSU")->error.sesgo);
}

// The report page: the inputs and the table in its lines, the chart between
// the table and the foot, nothing off the page.
TEST(IncertidumbreAnalisis, PaginaDelReporte) {
    const TProblema base = PilaCompleta();
    TOpcionesIncertidumbre o;
    o.entradas = {Entrada("FlujCaud=lognormal:*:0.3", base), Entrada("SediDiamMedi=triangular:40:85:120", base)};
    o.modelo = {{"CSU", {0.8, 0.5}}};
    o.muestras = 500;
    o.fundacion = 3;
    const TEstudioIncertidumbre e = EstudiarIncertidumbre(base, o);
    ASSERT_FALSE(e.error) << *e.error;
    const TReporteIncertidumbre r = ReporteIncertidumbre(base, o, e, true, "2026-01-02");
    ASSERT_EQ(r.entradas.size(), 2u);
    EXPECT_EQ(r.entradas[0], "Caudal [m^3/s]: lognormal, media 3000, CV 0.3");
    EXPECT_EQ(r.entradas[1].substr(r.entradas[1].find(':')), ": triangular, mínimo 40, moda 85, máximo 120");
    EXPECT_EQ(r.modelo, std::vector<std::string>{"CSU: sesgo 0.8, CV 0.5"});
    EXPECT_EQ(r.muestreo.substr(0, 30), "500 muestras (hipercubo latino");

    const TDisposicionAvisos d = DisponerPaginaIncertidumbre(r, "Problema de la Pila");
    ASSERT_TRUE(d.grafico);
    auto buscar = [&](const std::string& texto) {
        return std::find_if(d.items.begin(), d.items.end(), [&](const TItemReporte& i) { return i.texto == texto; });
    };
    ASSERT_NE(buscar(kTituloPaginaIncertidumbre), d.items.end());
    ASSERT_NE(buscar(r.entradas[0]), d.items.end());
    ASSERT_NE(buscar("Fecha: 2026-01-02"), d.items.end());
    const auto envolvente = buscar("envolvente");
    ASSERT_NE(envolvente, d.items.end());
    EXPECT_LT(envolvente->y, d.grafico->y);
    EXPECT_GE(d.grafico->alto, 200);
    EXPECT_LT(d.grafico->y + d.grafico->alto, buscar("Fecha: 2026-01-02")->y);
    for (const TItemReporte& i : d.items) {
        SCOPED_TRACE(i.texto);
        EXPECT_GE(i.x, 0);
        EXPECT_LE(i.x + i.ancho, kReporteAnchoUtil);
        EXPECT_LE(i.y + std::max(i.alto, 16), kReporteAltoUtil);
    }
    // Every cell of the table is on the page.
    for (const auto& fila : r.tabla.filas)
        for (const std::string& c : fila) EXPECT_NE(buscar(c), d.items.end()) << c;
}
