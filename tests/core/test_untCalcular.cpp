// The common computation of "Calcular" on the default data, its roughness
// option, the transport condition and the fault paths.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>

#include "compute/untCalcular.h"
#include "compute/untFilas.h"
#include "general/untGeneral.h"
#include "problema.h"
#include "results/untLote.h"

namespace {

struct Calculo : testing::Test {
    TDatosProblema d;
    TPanelFormulas panel;
    TGrafico grafico;
    TTextosCampos textos = TextosPorDefecto();

    std::optional<std::string> Correr(bool manning = true) { return Calcular(d, textos, manning, panel, grafico); }

    // Runs a calculation that must fault with `texto`.
    void CorrerConFallo(const char* texto, bool manning = true) {
        EsperarFallo(texto, [&] { Correr(manning); });
    }
};

}  // namespace

// Expected values: hand calculation with the default texts (rho 1000, T 20,
// d50 85 mm, rho_s 2650, g 9.81, Q 3000, B 500, h 1.2, n 0.032):
// nu = 4e-5/40, q = 3000/500, Delta = 1650/1000, D* = 0.085 (1.65 9.81 / 1e-12)^(1/3),
// u*c = sqrt(0.055 0.085 9.81 1.65), C = 1.2^(1/6) / 0.032, U = q / h,
// u* = U sqrt(g)/C, theta = u*^2/(Delta g d50), Fr = U/sqrt(g h), Re = U h / nu, Uc = u*c C / sqrt(g).
TEST_F(Calculo, DatosPorDefecto) {
    EXPECT_FALSE(Correr().has_value());  // code 0: no calculator, no title
    EXPECT_DOUBLE_EQ(d.AguaDens, 1000);
    EXPECT_DOUBLE_EQ(d.SediDiamMedi, 0.085);
    EXPECT_DOUBLE_EQ(d.FlujTiraRest, 1.2);
    EXPECT_DOUBLE_EQ(d.CaucCoefMannCauc, 0.032);
    EXPECT_NEAR(d.AguaViscCine, 1.0e-6, 1e-20);
    EXPECT_NEAR(d.CaudEspe, 6, 1e-15);
    EXPECT_NEAR(d.SediDensRela, 1.65, 1e-15);
    EXPECT_NEAR(d.SediDiamAdim, 2150.16, 0.005);
    EXPECT_EQ(d.OutpParaMoviCrit, 0.055);
    EXPECT_NEAR(d.VeloCortCrit, 0.27509, 5e-6);
    EXPECT_NEAR(d.CoefChez, 32.2142, 5e-5);
    EXPECT_NEAR(d.RelaVeloCort, 0.097227, 5e-7);
    EXPECT_NEAR(d.FlujVeloMedi, 5, 1e-14);
    EXPECT_NEAR(d.FlujVeloCort, 0.48614, 5e-6);
    EXPECT_NEAR(d.OutpParaMovi, 0.17177, 5e-6);
    EXPECT_NEAR(d.FlujNumeFrou, 1.45729, 5e-6);
    EXPECT_NEAR(d.FlujNumeReyn, 6.0e6, 1e-6);
    EXPECT_NEAR(d.OutpVeloCritEros, 2.8293, 5e-5);
    EXPECT_TRUE(LechoVivo(d));
    EXPECT_EQ(d.AltuRugoCauc, 0.0);  // Manning option: roughness height untouched
}

// n = 0.4 h^(1/6) / (sqrt(g) ln(12 h / ks)) with ks = 0.235 m: about 0.031990.
TEST_F(Calculo, OpcionRugosidad) {
    Correr(false);
    EXPECT_DOUBLE_EQ(d.AltuRugoCauc, 0.235);
    EXPECT_NEAR(d.CaucCoefMannCauc, 0.031990, 5e-7);
    EXPECT_NEAR(d.CaucCoefMannCauc,
                0.4 * std::pow(1.2, 1.0 / 6) / (std::sqrt(9.81) * std::log(12 * 1.2 / 0.235)), 1e-15);
    EXPECT_NEAR(d.CoefChez, 32.2245, 5e-5);
    EXPECT_NEAR(d.OutpVeloCritEros, 2.8302, 5e-5);

    // Back to the Manning option: the old roughness height stays in the record.
    Correr(true);
    EXPECT_DOUBLE_EQ(d.AltuRugoCauc, 0.235);
    EXPECT_DOUBLE_EQ(d.CaucCoefMannCauc, 0.032);
}

// ks beyond 12 h makes the coefficient negative, and from it the Chezy
// coefficient: the logarithmic law no longer holds ("Calcular" refuses it).
TEST(CoefManning, RugosidadMayorQueDoceTirantesDaManningNegativo) {
    const double n = TDatosProblema::CalcCoefMann(1.2, 9.81, 20);  // 20 m > 12 x 1.2 m
    EXPECT_LT(n, 0);
    EXPECT_LT(CalcCoefChez(1.2, n), 0);
}

TEST_F(Calculo, DosVecesSinCambiosDaLosMismosCampos) {
    Correr();
    const TDatosProblema primero = d;
    Correr();
    TDatosProblema::Recorrer(primero, [&](const char* nombre, const double& v) {
        TDatosProblema::Recorrer(d, [&](const char* otro, const double& w) {
            if (std::string_view(nombre) == otro) {
                EXPECT_EQ(v, w) << nombre;
            }
        });
    });
}

TEST_F(Calculo, CondicionDeTransporteEstricta) {
    d.OutpParaMoviCrit = 0.055;
    d.OutpParaMovi = 0.055;
    EXPECT_FALSE(LechoVivo(d));
    EXPECT_EQ(FilasComunes(d, 22)[2].valor, "Aguas claras");
    EXPECT_EQ(FilasComunes(d, 111)[2].valor, "Aguas Claras");
    EXPECT_EQ(FilasComunes(d, 121)[2].valor, "Aguas Claras");
    d.OutpParaMovi = std::nextafter(0.055, 1.0);
    EXPECT_TRUE(LechoVivo(d));
    EXPECT_EQ(FilasComunes(d, 111)[2].valor, "Lecho vivo");
}

TEST_F(Calculo, FilasComunesPorDefecto) {
    Correr();
    const auto filas = FilasComunes(d, d.CodiProb);
    ASSERT_EQ(filas.size(), 4u);
    EXPECT_EQ(filas[0].etiqueta, "Movilidad (Shields) Crítica");
    EXPECT_EQ(filas[0].valor, "0.0550");
    EXPECT_EQ(filas[1].etiqueta, "Movilidad (Shields)");
    EXPECT_EQ(filas[1].valor, "0.1718");
    EXPECT_EQ(filas[2].etiqueta, "Condición de transporte");
    EXPECT_EQ(filas[2].valor, "Lecho vivo");
    EXPECT_EQ(filas[3].etiqueta, "Velocidad crítica de erosión");
    EXPECT_EQ(filas[3].valor, "2.83");
    EXPECT_EQ(filas[3].unidad, "[m/s]");
}

// Structure-derived quantities of the current code; other codes' fields keep
// their values.
TEST_F(Calculo, CantidadesDeLaEstructura) {
    d.Alcantarilla = {1, 250, 0};
    d.Apertura.EstrAltuAper = 0.45;
    d.Estribo.EstrAnchEstr = 250;

    d.CodiProb = 31;
    Correr();
    // V = Q / (pi D^2 / 4 N) = 3000 / (pi / 4 * 250)
    EXPECT_NEAR(d.Alcantarilla.FlujVeloAper, 3000 / (std::numbers::pi / 4 * 250), 1e-12);
    EXPECT_EQ(d.Apertura.EstrAltuObst, 0.0);
    EXPECT_EQ(d.Estribo.EstrRazoCont, 0.0);

    d.CodiProb = 121;
    Correr();
    EXPECT_NEAR(d.Apertura.EstrAltuObst, 0.75, 1e-15);  // h - a = 1.2 - 0.45
    EXPECT_EQ(d.Estribo.ErosCoefTiem, 0.0);

    for (ProblemCode c : {211, 212}) {
        d.Estribo.EstrRazoCont = d.Estribo.ErosCoefTiem = 0;
        d.CodiProb = c;
        Correr();
        EXPECT_DOUBLE_EQ(d.Estribo.EstrRazoCont, 0.5);  // 250 / 500
        EXPECT_DOUBLE_EQ(d.Estribo.ErosCoefTiem, 4.2);
    }
}

// A fault ends the calculation: fields written before it keep their new
// values, later ones their old values.  The record starts from a default
// calculation and one earlier input changes, so "new" and "old" differ.
TEST_F(Calculo, AnchoCeroFallaDespuesDeLaViscosidad) {
    Correr();
    textos["AguaTemp"] = "30";
    textos["CaucAnchCauc"] = "0";
    CorrerConFallo("Floating point division by zero");
    EXPECT_EQ(d.CaucAnchCauc, 0.0);
    EXPECT_DOUBLE_EQ(d.AguaViscCine, 4e-5 / 50);  // new
    EXPECT_NEAR(d.CaudEspe, 6, 1e-15);           // old
}

TEST_F(Calculo, TemperaturaMenosVeinteFallaEnLaViscosidad) {
    Correr();
    textos["AguaTemp"] = "-20";
    textos["FlujTiraRest"] = "2";
    CorrerConFallo("Floating point division by zero");
    EXPECT_EQ(d.AguaTemp, -20.0);
    EXPECT_EQ(d.FlujTiraRest, 2.0);              // step 1 ran to its end
    EXPECT_NEAR(d.AguaViscCine, 1e-6, 1e-20);    // old
    EXPECT_NEAR(d.FlujVeloMedi, 5, 1e-14);       // old
}

TEST_F(Calculo, DiametroCeroFallaEnLaCurvaDeShields) {
    Correr();
    textos["SediDiamMedi"] = "0";
    textos["SediDensMate"] = "2000";
    CorrerConFallo("Floating point division by zero");
    EXPECT_DOUBLE_EQ(d.SediDensRela, 1.0);       // new
    EXPECT_EQ(d.SediDiamAdim, 0.0);              // new: D* = 0
    EXPECT_EQ(d.OutpParaMoviCrit, 0.055);        // old
    EXPECT_NEAR(d.VeloCortCrit, 0.27509, 5e-6);  // old
}

TEST_F(Calculo, ManningCeroFallaEnChezy) {
    Correr();
    textos["CaucCoefMannCauc"] = "0";
    textos["SediDiamMedi"] = "50";
    CorrerConFallo("Floating point division by zero");
    EXPECT_EQ(d.CaucCoefMannCauc, 0.0);
    EXPECT_NEAR(d.VeloCortCrit, std::sqrt(0.055 * 0.05 * 9.81 * 1.65), 1e-12);  // new
    EXPECT_NEAR(d.CoefChez, 32.2142, 5e-5);                                     // old
    EXPECT_NEAR(d.OutpVeloCritEros, 2.8293, 5e-5);                              // old
}

// ks = 12 h makes ln(12 h / ks) = 0.  With h = 1 m and ks = 12 m the ratio
// is exactly 1.
TEST(CoefManning, RugosidadDoceTirantesFalla) {
    EsperarFallo("Floating point division by zero", [] { TDatosProblema::CalcCoefMann(1, 9.81, 12); });
}

// With the roughness option, a roughness height of 12 depths or more is
// refused before anything is read: every field keeps its value.  Exactly 12 h
// is refused however the two decimal texts round in binary; just below it
// is computed.  The Manning option ignores the roughness height.
TEST_F(Calculo, RugosidadDeDoceTirantesOMasRechazada) {
    struct Caso { const char* h; const char* ks; bool rechazo; };  // h in m, ks in mm
    const Caso casos[] = {
        {"1", "12000", true},       {"0.1", "1200", true},      {"1.2", "14400", true},
        {"0.3", "3600", true},      {"0.7", "8400", true},      {"2.35", "28200", true},
        {"0.05", "600", true},      {"3.3", "39600", true},     {"0.07", "840", true},
        {"1.2", "20000", true},     {"0.001", "12", true},      {"123.456", "1481472", true},
        {"1.2", "14399.99", false}, {"0.1", "1199.99", false},  {"1", "11999.9", false},
        {"0.07", "839.99", false},  {"2.35", "28199.999", false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.h) + " m, " + c.ks + " mm");
        d = TDatosProblema{};
        Correr();
        const TDatosProblema antes = d;
        textos["FlujTiraRest"] = c.h;
        textos["AltuRugoCauc"] = c.ks;
        if (c.rechazo) {
            try {
                Correr(false);
                ADD_FAILURE() << "computed";
            } catch (const ErrorRechazo& e) {
                EXPECT_STREQ(e.what(), "La altura de rugosidad debe ser menor que 12 veces el tirante.");
            }
            TDatosProblema::Recorrer(antes, [&](const char* nombre, const double& v) {
                TDatosProblema::Recorrer(d, [&](const char* otro, const double& w) {
                    if (std::string_view(nombre) == otro) {
                        EXPECT_EQ(v, w) << nombre;
                    }
                });
            });
        } else {
            Correr(false);
            EXPECT_GT(d.CaucCoefMannCauc, 0);
            EXPECT_TRUE(std::isfinite(d.OutpVeloCritEros));
        }
        Correr(true);  // the Manning option computes whatever the roughness height
        EXPECT_DOUBLE_EQ(d.CaucCoefMannCauc, 0.032);
    }
}

// In a batch the refused line fails with the message; the others run.
TEST(LoteRugosidad, LineaRechazada) {
    std::istringstream entrada("codigo,rugosidad,FlujTiraRest,AltuRugoCauc\n"
                               "22,1,0.1,1200\n"
                               "22,1,0.1,1199\n");
    std::ostringstream salida;
    const TResumenLote r = EjecutarLote(entrada, salida);
    EXPECT_EQ(r.casos, 2u);
    ASSERT_EQ(r.fallos.size(), 1u);
    EXPECT_EQ(r.fallos[0].linea, 2u);
    EXPECT_EQ(r.fallos[0].mensaje, "La altura de rugosidad debe ser menor que 12 veces el tirante.");
    EXPECT_NE(salida.str().find("\n22,1,0.1,1199,"), std::string::npos) << salida.str();
}

TEST_F(Calculo, CodigosSinCalculadoraNoDanTitulo) {
    for (ProblemCode c : {0, 1, 2, 3, 11, 12, 21, 112}) {
        d.CodiProb = c;
        EXPECT_FALSE(Correr().has_value()) << c;
        EXPECT_NEAR(d.OutpVeloCritEros, 2.8293, 5e-5) << c;  // still derives everything
    }
    EXPECT_EQ(TipoEstructura(22)->titulo, std::string("Problema de la Pila"));
    EXPECT_EQ(TipoEstructura(1122)->titulo, std::string("Problema Chorro Zambullido"));
}
