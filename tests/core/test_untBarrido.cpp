// The sensitivity study: reading the range, the points, the gaps, and each
// point's depths and data warnings against the same problem computed alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "compute/untClaves.h"
#include "general/untGeneral.h"
#include "results/untAvisosDatos.h"
#include "results/untBarrido.h"
#include "results/untLecturaCasos.h"
#include "problem/untProblema.h"
#include "results/untResolver.h"
#include "problema.h"

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
    const TEstudio e = Estudiar(PilaCompleta(), b, 2);
    ASSERT_EQ(e.puntos.size(), 50u);
    ASSERT_EQ(e.formulas.size(), 3u);
    EXPECT_EQ(e.formulas[0].titulo, "Breusers");
    EXPECT_EQ(e.formulas[1].etiqueta, "Erosión máxima de equilibrio (CSU)");
    EXPECT_FALSE(e.cancelado);
    for (const TPuntoBarrido& punto : e.puntos) {
        SCOPED_TRACE(punto.valor);
        TProblema p = PilaCompleta();
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
    const TEstudio e = Estudiar(PilaCompleta(), b);
    ASSERT_EQ(e.puntos.size(), 5u);
    for (int i : {0, 1, 2}) EXPECT_EQ(e.puntos[i].error, "FlujCaud: El valor ingresado no es válido.") << i;
    for (int i : {3, 4}) {
        EXPECT_FALSE(e.puntos[i].error) << i;
        EXPECT_TRUE(e.puntos[i].profundidades[0]) << i;
    }
    const TEstudio f = Estudiar(PilaCompleta(), TBarrido{"ForzAcelGrav", 9.81, 1e300, 2, false});
    ASSERT_EQ(f.puntos.size(), 2u);
    EXPECT_FALSE(f.puntos[0].error);
    ASSERT_TRUE(f.puntos[1].error);
    EXPECT_EQ(*f.puntos[1].error, kTextoDesborde);

    // With another text rejected, each point reports the first rejected
    // text by name, as a single run does.
    TProblema mala = PilaCompleta();
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
                                "(CSU),Erosión máxima de equilibrio (Johnson),Condición de transporte,Avisos de datos\n"
                                "-1000,,,,FlujCaud: El valor ingresado no es válido.,\n"))
        << csv;
}

TEST(Barrido, Cancelado) {
    std::atomic<bool> cancelar{true};
    const TEstudio e = Estudiar(PilaCompleta(), TBarrido{"FlujCaud", 500, 4000, 100, false}, 1, {}, &cancelar);
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

    // The window's export says the same after each depth; the plain CSV of
    // the command line keeps its columns.
    EXPECT_EQ(CsvEstudio(b, e, false), CsvEstudio(b, e));
    std::istringstream csv(CsvEstudio(b, e, true));
    std::string linea;
    std::getline(csv, linea);
    std::vector<std::string> esperado{"SediDiamMedi"};
    for (const TEstudio::TFormula& f : e.formulas) {
        esperado.push_back(f.etiqueta);
        esperado.push_back(ClaveValidez(ClaveErosion(e.codigo, f.ranura)));
    }
    esperado.insert(esperado.end(), {"Condición de transporte", "Avisos de datos"});
    std::string error;
    EXPECT_EQ(*Dividir(linea, ',', error), esperado);
    EXPECT_TRUE(esperado[2].starts_with("validez_")) << esperado[2];
    for (std::size_t j = 0; std::getline(csv, linea); ++j) {
        const auto celdas = Dividir(linea, ',', error);
        ASSERT_TRUE(celdas) << error;
        for (std::size_t f = 0; f < e.formulas.size(); ++f) {
            const int k = e.formulas[f].ranura;
            EXPECT_EQ((*celdas)[2 * f + 1], TextoValor(*e.puntos[j].profundidades[k - 1]));
            EXPECT_EQ((*celdas)[2 * f + 2], NombreEstado(e.puntos[j].estados[k - 1]));
        }
    }
}

// A sweep that crosses into another problem type: the wizard's road depends
// on the data (a gate opening high enough makes the protection effective and
// the problem a confined vortex).  The columns hold the formulas of the
// base's type only; a point of another type is a gap that names its type,
// and every other point gives what the problem gives computed alone.
TEST(Barrido, PuntoDeOtroTipoEsUnHueco) {
    struct Caso { const char* apertura; TBarrido barrido; ProblemCode codigo; const char* otro; };
    const Caso casos[] = {
        {"0.45", {"EstrAltuAper", 0.1, 0.9, 3, false}, 122, "Problema Vórtice Confinado"},
        {"0.9", {"EstrAltuAper", 0.9, 0.1, 3, false}, 121, "Problema Alcantarilla Ancha"},
        {"0.45", {"EstrAltuAper", 0.1, 0.9, 40, false}, 122, "Problema Vórtice Confinado"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.apertura) + " " + std::to_string(c.barrido.puntos));
        TProblema base;
        base.codigo = 12;
        base.textos["EstrLongPlat"] = "4.5";
        base.textos["EstrAltuAper"] = c.apertura;
        const TEstudio e = Estudiar(base, c.barrido, 2);
        EXPECT_EQ(e.codigo, c.codigo);
        ASSERT_EQ(e.puntos.size(), std::size_t(c.barrido.puntos));
        TResultado solo;
        ResolverProblema(base, solo);
        int huecos = 0, propios = 0;
        for (const TPuntoBarrido& punto : e.puntos) {
            SCOPED_TRACE(punto.valor);
            TProblema p = base;
            p.textos["EstrAltuAper"] = TextoValor(punto.valor);
            TResultado r;
            ResolverProblema(p, r);
            if (r.d.CodiProb != c.codigo) {
                ++huecos;
                EXPECT_EQ(punto.error, "el problema cambia de tipo: " + std::string(c.otro));
                EXPECT_EQ(r.titulo, c.otro);
                for (const auto& y : punto.profundidades) EXPECT_FALSE(y);
                continue;
            }
            ++propios;
            EXPECT_FALSE(punto.error);
            for (const TFila& f : r.filas)
                for (int k = 1; k <= 4; ++k) {
                    if (f.tallo == "OutpErosMaxi" + std::to_string(k)) {
                        EXPECT_EQ(punto.profundidades[k - 1], f.numero);
                    }
                }
        }
        EXPECT_GT(huecos, 0);
        EXPECT_GT(propios, 0);
        // Each column is a formula of the base's own results rows.
        ASSERT_FALSE(e.formulas.empty());
        for (const TEstudio::TFormula& f : e.formulas)
            EXPECT_TRUE(std::any_of(solo.filas.begin(), solo.filas.end(), [&](const TFila& fila) {
                return fila.tallo == "OutpErosMaxi" + std::to_string(f.ranura) && fila.etiqueta == f.etiqueta;
            })) << f.etiqueta;
        // The gap's message in the table's row and in the CSV.
        const TTablaEstudio t = TablaEstudio(c.barrido, e);
        const std::string mensaje = std::string("el problema cambia de tipo: ") + c.otro;
        const std::size_t ultimo = e.puntos.size() - 1;
        const bool ultimoHueco = e.puntos[ultimo].error.has_value();
        const std::size_t j = ultimoHueco ? ultimo : 0;
        EXPECT_EQ(t.filas[j][e.formulas.size() + 1], mensaje);
        EXPECT_NE(CsvEstudio(c.barrido, e).find("\n" + TextoValor(e.puntos[j].valor) +
                                                std::string(e.formulas.size(), ',') + "," + mensaje + ",\n"),
                  std::string::npos);
    }
}

// The data warnings of each point are those of the single run: a pier whose
// d50 is swept through sand holding the example's d84 of 200 mm (asked
// for: by default d84 would follow d50), and every point says so, in the
// table, the CSV and one line for the study.
TEST(Barrido, AvisosDeDatosDeCadaPunto) {
    const TProblema base = PilaCompleta();
    const TBarrido b{"SediDiamMedi", 0.5, 50, 5, true, false};
    const TEstudio e = Estudiar(base, b, 2);
    const TTablaEstudio t = TablaEstudio(b, e);
    ASSERT_EQ(e.puntos.size(), 5u);
    EXPECT_EQ(t.encabezado.back(), "Avisos de datos");
    const std::string csv = CsvEstudio(b, e);
    EXPECT_NE(csv.find(",Condición de transporte,Avisos de datos\n"), std::string::npos) << csv;
    for (std::size_t j = 0; j < e.puntos.size(); ++j) {
        const TPuntoBarrido& punto = e.puntos[j];
        SCOPED_TRACE(punto.valor);
        TProblema p = base;
        p.textos["SediDiamMedi"] = TextoValor(punto.valor);
        TResultado r;
        ResolverProblema(p, r);
        // The example's d84 over a d50 it no longer goes with, and the
        // gradation factor that d84/d50 gives.
        const std::vector<TAvisoDato> solo = AvisosDatos(r.d.CodiProb, p.textos);
        ASSERT_EQ(solo.size(), 2u);
        EXPECT_EQ(solo[0].campo, "SediDiam84N3");
        EXPECT_NE(solo[1].texto.find("factor de gradación Kσ"), std::string::npos);
        ASSERT_EQ(punto.avisos.size(), 2u);
        for (std::size_t k = 0; k < 2; ++k) EXPECT_EQ(punto.avisos[k].texto, solo[k].texto);
        const std::string unidos = UnirAvisosDatos(solo);
        EXPECT_EQ(t.filas[j].back(), unidos);
        std::string celda = unidos;  // quoted: the text holds quotes and commas
        for (std::size_t i = 0; (i = celda.find('"', i)) != std::string::npos; i += 2) celda.insert(i, "\"");
        EXPECT_NE(csv.find(",\"" + celda + "\"\n"), std::string::npos) << celda;
    }
    const std::vector<std::string> lineas = AvisosDelEstudio(base, b, e);
    ASSERT_EQ(lineas.size(), 2u);
    EXPECT_EQ(lineas[0], "\"Diámetro 84%\" = 200 mm es el valor del ejemplo, pero \"Diámetro Medio "
                         "(d50)\" = 0.5 a 50 mm ya no lo es: d84 y d50 deben ser de la misma "
                         "granulometría — puntos 1 a 5");
    EXPECT_TRUE(lineas[1].ends_with(" — puntos 1 a 5")) << lineas[1];
    // The values the warning computes from the grain sizes go over the same
    // points as d50: those of the first point's d50 (0.5 mm) to those of the
    // last one's (50 mm), as each point's own warning gives them, never
    // values read from the text "0.5 a 50".
    const std::string& primero = e.puntos.front().avisos.back().texto;
    const std::string& ultimo = e.puntos.back().avisos.back().texto;
    ASSERT_NE(primero.find("dan d84/d50 = 400.00 y un factor de gradación Kσ = 0.001,"), std::string::npos) << primero;
    ASSERT_NE(ultimo.find("dan d84/d50 = 4.00 y un factor de gradación Kσ = 0.202,"), std::string::npos) << ultimo;
    EXPECT_TRUE(lineas[1].starts_with("\"Diámetro 84%\" = 200 mm y \"Diámetro Medio (d50)\" = 0.5 a 50 mm dan "
                                      "d84/d50 = 400.00 a 4.00 y un factor de gradación Kσ = 0.001 a 0.202, que "
                                      "reduce las erosiones"))
        << lineas[1];
    EXPECT_EQ(lineas[1].substr(lineas[1].find(", que reduce")),
              ultimo.substr(0, ultimo.size() - 1).substr(ultimo.find(", que reduce")) + " — puntos 1 a 5");
    // The discharge leaves the grain sizes alone: with a d84 of their own
    // (d84/d50 = 100/85), no warning.
    TProblema graduada = base;
    graduada.textos["SediDiam84N3"] = "100";
    const TBarrido caudal{"FlujCaud", 500, 4000, 3, false};
    const TEstudio sinAvisos = Estudiar(graduada, caudal, 2);
    for (const TPuntoBarrido& punto : sinAvisos.puntos) EXPECT_TRUE(punto.avisos.empty()) << punto.valor;
    EXPECT_TRUE(AvisosDelEstudio(graduada, caudal, sinAvisos).empty());
    EXPECT_TRUE(CsvEstudio(caudal, sinAvisos).ends_with(",\n"));
}

// The line of a warning names the points it applies to, in runs, and the
// swept field as the span of its values at those points.
TEST(Barrido, AvisosDelEstudioPorTramos) {
    struct Caso { double desde, hasta; int puntos; const char* linea; };  // linea "": none
    const std::string temperatura = "\"Temperatura ambiente\" = ";
    const std::string resto = " está fuera de 0 a 40 °C, donde la viscosidad del cálculo, ν = 4.0e-5/(T + 20), se "
                              "acerca a la del agua — ";
    const Caso casos[] = {
        {-15, 65, 9, "-15 a 65 °C|puntos 1 a 2 y 7 a 9"},  // -15 -5 5 15 25 35 45 55 65
        {-5, 35, 5, "-5 °C|punto 1"},                      // -5 5 15 25 35
        {60, -20, 9, "60 a -10 °C|puntos 1 a 2 y 8"},      // 60 50 40 ... 0 -10, and -20 faults
        {45, -15, 13, "45 a -15 °C|puntos 1 y 11 a 13"},   // 45 40 35 ... 0 -5 -10 -15
        {10, 30, 3, ""},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.desde);
        const TBarrido b{"AguaTemp", c.desde, c.hasta, c.puntos, false};
        TProblema pila = PilaCompleta();
        pila.textos["SediDiam84N3"] = "100";  // d84/d50 = 100/85: no warning of the grain sizes
        const TEstudio e = Estudiar(pila, b, 2);
        const std::vector<std::string> lineas = AvisosDelEstudio(pila, b, e);
        const std::string linea = c.linea;
        if (linea.empty()) {
            EXPECT_TRUE(lineas.empty());
            continue;
        }
        const std::size_t barra = linea.find('|');
        EXPECT_EQ(lineas, std::vector<std::string>{temperatura + linea.substr(0, barra) + resto + linea.substr(barra + 1)});
    }
}

// The swept field is named as the calculation window names it for the
// problem: the depth of a pier or an abutment is the depth upstream.
TEST(Barrido, NombreDelCampoSegunElProblema) {
    struct Caso { ProblemCode codigo; const char* campo; const char* encabezado; };
    const Caso casos[] = {
        {22, "FlujTiraRest", "Tirante aguas arriba [m]"},
        {21, "FlujTiraRest", "Tirante aguas arriba [m]"},
        {31, "FlujTiraRest", "Tirante en la restitución [m]"},
        {12, "FlujTiraRest", "Tirante en la restitución [m]"},
        {22, "FlujCaud", "Caudal [m^3/s]"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::to_string(c.codigo) + " " + c.campo);
        TProblema p;
        p.codigo = c.codigo;
        const TBarrido b{c.campo, 1, 2, 2, false};
        EXPECT_EQ(TablaEstudio(b, Estudiar(p, b, 1)).encabezado.front(), c.encabezado);
    }
}

// Sweeping d50, the grain sizes of the same grading move with it (the
// default when the problem has them) or stay: each point is the problem
// computed alone with d84 (and d90) as the option says, and the study says
// which was done.  A pier's depth with d84/d50 kept does not grow when the
// sand gets coarser; with d84 held at 200 mm it does (Kσ rises as d84/d50
// falls).
TEST(Barrido, D50ConGranulometriaFijaOLibre) {
    const TProblema base = PilaCompleta();  // d50 85 mm, d84 200 mm
    for (const std::optional<bool> pedido : {std::optional<bool>(), std::optional<bool>(true), std::optional<bool>(false)}) {
        const bool fija = pedido.value_or(true);
        SCOPED_TRACE(fija);
        TBarrido b{"SediDiamMedi", 20, 80, 3, false};
        b.gradacion = pedido;
        const TEstudio e = Estudiar(base, b);
        EXPECT_TRUE(e.gradacion.starts_with(fija ? "Granulometría fija al variar d50: d84/d50 = 2.35"
                                                 : "Diámetros fijos al variar d50: d84 = 200 mm"))
            << e.gradacion;
        ASSERT_EQ(e.puntos.size(), 3u);
        for (const TPuntoBarrido& p : e.puntos) {
            TProblema solo = base;
            solo.textos["SediDiamMedi"] = TextoValor(p.valor);
            if (fija) solo.textos["SediDiam84N3"] = TextoValor(200.0 / 85 * p.valor);
            TResultado r;
            ResolverProblema(solo, r);
            for (const TFila& f : r.filas)
                if (f.tallo == "OutpErosMaxi2") {
                    EXPECT_EQ(p.profundidades[1], f.numero) << p.valor;  // CSU
                }
        }
        const double primero = *e.puntos.front().profundidades[1], ultimo = *e.puntos.back().profundidades[1];
        if (fija)
            EXPECT_LE(ultimo, primero);
        else
            EXPECT_GT(ultimo, primero);
    }
    // Another field swept says nothing of the grading.
    EXPECT_EQ(Estudiar(base, TBarrido{"FlujCaud", 500, 600, 2, false}).gradacion, "");
}
