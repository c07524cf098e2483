// The sensitivity study: reading the range, the points, the gaps, and each
// point's depths against the same problem computed alone.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "general/untGeneral.h"
#include "results/untBarrido.h"
#include "problem/untProblema.h"
#include "results/untResolver.h"

namespace {

TProblema Pila() {
    TProblema p;
    p.codigo = 22;
    p.textos["EstrFactFormKs"] = "1";
    p.textos["EstrFactGrup"] = "1";
    p.textos["SediAnguRepo"] = "30";
    return p;
}

}  // namespace

TEST(Barrido, LecturaDelRango) {
    struct Caso { const char* texto; bool log; const char* error; };  // error "": it reads
    const std::string puntos = "La cantidad de puntos debe ser un número entero de 2 a 1000.";
    const Caso casos[] = {
        {"FlujCaud=500:4000:50", false, ""},
        {"FlujCaud=4000:500:50", false, ""},  // falling
        {"FlujCaud=1e-3:1E3:1000", true, ""},
        {"AguaTemp=-10:30:2", false, ""},
        {"FlujCaud=500:4000:0", false, puntos.c_str()},
        {"FlujCaud=500:4000:1", false, puntos.c_str()},
        {"FlujCaud=500:4000:1001", false, puntos.c_str()},
        {"FlujCaud=500:4000:1e9", false, puntos.c_str()},
        {"FlujCaud=500:4000:2.5", false, puntos.c_str()},
        {"FlujCaud=500:4000:-3", false, puntos.c_str()},
        {"FlujCaud=500:4000:", false, puntos.c_str()},
        {"FlujCaud=abc:4000:5", false, "\"Desde\" debe ser un número."},
        {"FlujCaud=500:4,5:5", false, "\"Hasta\" debe ser un número."},
        {"FlujCaud=500:1e999:5", false, "\"Hasta\" debe ser un número."},
        {"FlujCaud=:4000:5", false, "\"Desde\" debe ser un número."},
        {"FlujCaud=500:500:5", false, "\"Desde\" y \"Hasta\" deben ser distintos."},
        {"FlujCaud=0:4000:5", true, "Con escala logarítmica, \"Desde\" y \"Hasta\" deben ser mayores que 0."},
        {"AguaTemp=-10:30:5", true, "Con escala logarítmica, \"Desde\" y \"Hasta\" deben ser mayores que 0."},
        {"Caudal=1:2:3", false, "Campo desconocido: Caudal"},
        {"=1:2:3", false, "Campo desconocido: "},
        {"FlujCaud=1:2", false, "El barrido se escribe CAMPO=DESDE:HASTA:N, por ejemplo FlujCaud=500:4000:50."},
        {"FlujCaud=1:2:3:4", false, "El barrido se escribe CAMPO=DESDE:HASTA:N, por ejemplo FlujCaud=500:4000:50."},
        {"FlujCaud", false, "El barrido se escribe CAMPO=DESDE:HASTA:N, por ejemplo FlujCaud=500:4000:50."},
        {"", false, "El barrido se escribe CAMPO=DESDE:HASTA:N, por ejemplo FlujCaud=500:4000:50."},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto);
        const TLecturaBarrido l = LeerBarrido(c.texto, c.log);
        EXPECT_EQ(l.error, c.error);
        EXPECT_EQ(l.barrido.has_value(), std::string(c.error).empty());
    }
    const TLecturaBarrido l = LeerBarrido("FlujCaud=500:4000:50", false);
    ASSERT_TRUE(l.barrido);
    EXPECT_EQ(l.barrido->campo, "FlujCaud");
    EXPECT_EQ(l.barrido->desde, 500);
    EXPECT_EQ(l.barrido->hasta, 4000);
    EXPECT_EQ(l.barrido->puntos, 50);
}

TEST(Barrido, ValoresDeLosPuntos) {
    struct Caso { double desde, hasta; int puntos; bool log; std::vector<double> valores; };
    const Caso casos[] = {
        {500, 4000, 8, false, {500, 1000, 1500, 2000, 2500, 3000, 3500, 4000}},
        {4000, 500, 3, false, {4000, 2250, 500}},
        {1, 1000, 4, true, {1, 10, 100, 1000}},
        {0.5, 0.005, 3, true, {0.5, 0.05, 0.005}},
        {-10, 30, 5, false, {-10, 0, 10, 20, 30}},
        {0.1, 0.3, 2, false, {0.1, 0.3}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.desde);
        const std::vector<double> v = ValoresBarrido(TBarrido{"FlujCaud", c.desde, c.hasta, c.puntos, c.log});
        ASSERT_EQ(v.size(), c.valores.size());
        EXPECT_EQ(v.front(), c.desde);  // the ends exactly
        EXPECT_EQ(v.back(), c.hasta);
        for (std::size_t i = 0; i < v.size(); ++i) EXPECT_NEAR(v[i], c.valores[i], 1e-12 * std::fabs(c.valores[i]));
    }
    EXPECT_EQ(TextoValor(0.1), "0.1");
    EXPECT_EQ(TextoValor(2250), "2250");
    EXPECT_EQ(TextoValor(1.0 / 3), "0.3333333333333333");
}

TEST(Barrido, RangoPorDefecto) {
    EXPECT_EQ(RangoPorDefecto("3000"), (std::pair{1500.0, 4500.0}));
    EXPECT_EQ(RangoPorDefecto("-20"), (std::pair{-30.0, -10.0}));
    EXPECT_EQ(RangoPorDefecto("0"), std::nullopt);
    EXPECT_EQ(RangoPorDefecto(""), std::nullopt);
    EXPECT_EQ(RangoPorDefecto("abc"), std::nullopt);
}

TEST(Barrido, CamposQueLeeElProblema) {
    struct Caso { ProblemCode codigo; bool rugosidad; const char* lee; const char* noLee; };
    const Caso casos[] = {
        {22, false, "EstrAnchPila", "EstrAltuSaltFond"},
        {22, false, "CaucCoefMannCauc", "AltuRugoCauc"},
        {22, true, "AltuRugoCauc", "CaucCoefMannCauc"},
        {22, false, "EstrFactFormKs", "EstrFactCurv"},
        {22, false, "FlujTiraRest", "EstrDiamAper"},
        {31, false, "EstrDiamAper", "EstrAnchPila"},
        {31, false, "SediDiam90N3", "EstrFactGrup"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::to_string(c.codigo) + " " + c.lee);
        TProblema p;
        p.codigo = c.codigo;
        p.rugosidad = c.rugosidad;
        const auto campos = CamposDelProblema(p);
        EXPECT_NE(std::find(campos.begin(), campos.end(), c.lee), campos.end());
        EXPECT_EQ(std::find(campos.begin(), campos.end(), c.noLee), campos.end());
    }
}

// Each point gives what the problem gives computed alone with that text.
TEST(Barrido, CadaPuntoComoElProblemaSolo) {
    const TBarrido b{"FlujCaud", 500, 4000, 50, false};
    const TEstudio e = Estudiar(Pila(), b, 2);
    ASSERT_EQ(e.puntos.size(), 50u);
    ASSERT_EQ(e.formulas.size(), 3u);
    EXPECT_EQ(e.formulas[0].titulo, "Breusers");
    EXPECT_EQ(e.formulas[1].etiqueta, "Erosión máxima de equilibrio (CSU)");
    EXPECT_FALSE(e.cancelado);
    for (const TPuntoBarrido& punto : e.puntos) {
        SCOPED_TRACE(punto.valor);
        TProblema p = Pila();
        p.textos["FlujCaud"] = TextoValor(punto.valor);
        TResultado r;
        ResolverProblema(p, r);
        ASSERT_FALSE(punto.error);
        for (const TFila& f : r.filas) {
            if (f.tallo == "CondTran") {
                EXPECT_EQ(punto.condicion, f.valor);
            }
            for (int k = 1; k <= 3; ++k) {
                if (f.tallo == "OutpErosMaxi" + std::to_string(k)) {
                    EXPECT_EQ(punto.profundidades[k - 1], f.numero);
                }
            }
        }
        EXPECT_FALSE(punto.profundidades[3]);
    }
    EXPECT_LT(*e.puntos.front().profundidades[1], *e.puntos.back().profundidades[1]);
}

// A text the field rejects and a point whose computation faults are gaps
// with their message; the other points still run.
TEST(Barrido, Huecos) {
    const TBarrido b{"FlujCaud", -1000, 1000, 5, false};
    const TEstudio e = Estudiar(Pila(), b);
    ASSERT_EQ(e.puntos.size(), 5u);
    for (int i : {0, 1, 2}) EXPECT_EQ(e.puntos[i].error, "FlujCaud: El valor ingresado no es válido.") << i;
    for (int i : {3, 4}) {
        EXPECT_FALSE(e.puntos[i].error) << i;
        EXPECT_TRUE(e.puntos[i].profundidades[0]) << i;
    }
    const TEstudio f = Estudiar(Pila(), TBarrido{"ForzAcelGrav", 9.81, 1e300, 2, false});
    ASSERT_EQ(f.puntos.size(), 2u);
    EXPECT_FALSE(f.puntos[0].error);
    ASSERT_TRUE(f.puntos[1].error);
    EXPECT_EQ(*f.puntos[1].error, kTextoDesborde);

    // With another text rejected, each point reports the first rejected
    // text by name, as a single run does.
    TProblema mala = Pila();
    mala.textos["SediDiamMedi"] = "0.01";
    const TEstudio g = Estudiar(mala, TBarrido{"AguaTemp", -300, 20, 2, false});
    ASSERT_EQ(g.puntos.size(), 2u);
    for (const TPuntoBarrido& punto : g.puntos) {
        TProblema solo = mala;
        solo.textos["AguaTemp"] = TextoValor(punto.valor);
        EXPECT_EQ(punto.error, TextoRechazado(solo.textos)) << punto.valor;
    }
    EXPECT_NE(g.puntos[0].error, g.puntos[1].error);

    const std::string csv = CsvEstudio(b, e);
    EXPECT_TRUE(csv.starts_with("FlujCaud,Erosión máxima de equilibrio (Breusers),Erosión máxima de equilibrio "
                                "(CSU),Erosión máxima de equilibrio (Johnson),Condición de transporte\n-1000,,,,"
                                "FlujCaud: El valor ingresado no es válido.\n"))
        << csv;
}

TEST(Barrido, Cancelado) {
    std::atomic<bool> cancelar{true};
    const TEstudio e = Estudiar(Pila(), TBarrido{"FlujCaud", 500, 4000, 100, false}, 1, {}, &cancelar);
    EXPECT_TRUE(e.cancelado);
    EXPECT_TRUE(e.puntos.empty());
}

// Each depth carries the validity of its data: the table marks the points
// outside a formula's calibration range as the results page does.
TEST(Barrido, ValidezDeCadaPunto) {
    // A laboratory culvert whose d50 of 2 mm lies inside calibration of
    // Rajaratnam y Berry; the sweep leaves it on both sides.
    TProblema p;
    p.codigo = 31;
    for (const auto& [n, t] : {std::pair{"CaucAnchCauc", "1"}, {"EstrCantAper", "1"}, {"FlujTiraRest", "0.61"},
                               {"EstrDiamAper", "0.31"}, {"FlujCaud", "0.1132"}})
        p.textos[n] = t;
    const TBarrido b{"SediDiamMedi", 0.5, 10, 20, true};
    const TEstudio e = Estudiar(p, b);
    const TTablaEstudio t = TablaEstudio(b, e);
    ASSERT_EQ(e.formulas.size(), 4u);
    ASSERT_EQ(t.filas.size(), 20u);
    std::map<TEstadoRango, int> estados;
    for (std::size_t j = 0; j < e.puntos.size(); ++j) {
        ASSERT_FALSE(e.puntos[j].error);
        for (std::size_t f = 0; f < e.formulas.size(); ++f) {
            const int k = e.formulas[f].ranura;
            const TEstadoRango estado = e.puntos[j].estados[k - 1];
            ++estados[estado];
            TProblema solo = p;
            solo.textos["SediDiamMedi"] = TextoValor(e.puntos[j].valor);
            TResultado r;
            ResolverProblema(solo, r);
            EXPECT_EQ(estado, AvisosRangos(r.d.CodiProb, r.d)[k - 1].estado);
            const std::string& celda = t.filas[j][f + 1];
            EXPECT_TRUE(celda.starts_with(NumeText(*e.puntos[j].profundidades[k - 1], 5, 2))) << celda;
            EXPECT_TRUE(celda.ends_with(MarcaAviso(estado))) << celda;
        }
    }
    EXPECT_GT(estados[TEstadoRango::Calibracion], 0);
    EXPECT_GT(estados[TEstadoRango::Validacion] + estados[TEstadoRango::Fuera], 0);
}
