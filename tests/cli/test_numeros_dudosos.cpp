// turmado-calc on results that are no defensible depth as they come out of
// a formula: a clear-water law in live bed, a negative result, a range cell
// that is no culvert size, the discharge of a culvert with many openings,
// formulas without ranges in the uncertainty table, d50 varied with d84
// held or moved.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "proceso.h"

namespace {

TProceso Correr(const std::string& argumentos) {
    std::vector<std::string> orden = Palabras(argumentos);
    orden.insert(orden.begin(), TURMADO_CALC);
    return EjecutarProceso(orden);
}

nlohmann::json Json(const std::string& argumentos) {
    const TProceso p = Correr("--json " + argumentos);
    EXPECT_EQ(p.estado, 0) << p.error;
    return nlohmann::json::parse(p.salida);
}

// The value text of the results row whose caption ends with "(<formula>)".
std::string Fila(const nlohmann::json& j, const std::string& formula) {
    for (const auto& f : j["filas"])
        if (f[0].get<std::string>().ends_with("(" + formula + ")")) return f[1].get<std::string>();
    return "sin fila";
}

bool HayDato(const nlohmann::json& j, const std::string& parte) {
    for (const auto& d : j["datos"])
        if (d["mensaje"].get<std::string>().find(parte) != std::string::npos) return true;
    return false;
}

constexpr const char* kEstriboSinProteccion =
    "--codigo 21 EstrLongPlat=0 EstrFactCurv=1 EstrFactFormKs=1 EstrFactAngu=1 EstrFactPoro=1 ";

}  // namespace

// Per case: the formula's row text, its slot's state, and whether a data
// warning names U/Uc and clear water.  Dietz is a clear-water law: in live
// bed its value stays, marked; in clear water nothing changes.  Ahmad's
// negative result is no depth.  The narrow culvert's Ruff and Hoffmans take
// one opening's discharge (3.79 and 2.39 m with the example's 250 openings;
// with one opening Ruff keeps the 45.45 m it always gave).
TEST(NumerosDudosos, EstadosYTextosDeCadaFormula) {
    struct Caso {
        const char* argumentos;
        const char* formula;
        int ranura;
        const char* texto;
        const char* estado;
        bool avisoAguaClara;
    };
    const Caso casos[] = {
        // Sand bed, U/Uc = 6.99: protected (211) and unprotected (212).
        {"--codigo 21 SediDiamMedi=1 FlujCaud=1000", "Dietz", 1, "26.42", "no_aplicable", true},
        {"--codigo 21 EstrLongPlat=0 SediDiamMedi=1 FlujCaud=1000", "Dietz", 3, "47.05", "no_aplicable", true},
        // The example's gravel is live bed too (U/Uc = 1.77).
        {"--codigo 21", "Dietz", 1, "5.78", "no_aplicable", true},
        // Clear water: Dietz is in its domain.
        {"--codigo 21 EstrLongPlat=0 SediDiamMedi=300", "Dietz", 3, "5.29", "sin_rangos", false},
        // Ahmad with K = 2 * 0.2 * 0.5: 2.14 K g^(-1/3) (q / (1 - m))^(2/3) - h < 0.
        {"--codigo 21 EstrLongPlat=0 SediDiamMedi=300 EstrFactCurv=0.2 EstrFactFormKs=0.5 EstrFactAngu=1 "
         "EstrFactPoro=1",
         "Ahmad", 1, "sin erosión (la fórmula da -0.15 m)", "sin_erosion", false},
        {"--codigo 31", "Ruff", 2, "3.79", "fuera", false},
        {"--codigo 31", "Hoffmans", 4, "2.39", "fuera", false},
        {"--codigo 31 EstrCantAper=1", "Ruff", 2, "45.45", "fuera", false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.argumentos);
        const nlohmann::json j = Json(c.argumentos);
        EXPECT_EQ(Fila(j, c.formula), c.texto);
        EXPECT_EQ(j["avisos"][c.ranura - 1]["estado"], c.estado);
        EXPECT_EQ(HayDato(j, "aguas claras (U/Uc ≤ 1)"), c.avisoAguaClara) << j["datos"].dump();
        // The detail's section of the formula says it too.
        std::string notas;
        for (const auto& s : j["detalle"]["secciones"])
            if (s["ranura"] == c.ranura)
                for (const auto& n : s["notas"]) notas += n.get<std::string>() + "\n";
        EXPECT_EQ(notas.find("⚠ La fórmula es de aguas claras") != std::string::npos, c.avisoAguaClara) << notas;
        EXPECT_EQ(notas.find("Sin erosión: la fórmula da ys = ") != std::string::npos,
                  std::string(c.estado) == "sin_erosion")
            << notas;
    }
}

// The plain output marks what JSON carries: Dietz's state on standard
// error with U/Uc, the data warning as "Aviso:" and the negative row as no
// depth; the record keeps the numbers.
TEST(NumerosDudosos, SalidaDeTextoYRegistro) {
    const TProceso p = Correr("--codigo 21 SediDiamMedi=1 FlujCaud=1000");
    ASSERT_EQ(p.estado, 0);
    EXPECT_NE(p.error.find("Dietz: La fórmula es de aguas claras (U/Uc ≤ 1) y el flujo la excede: U/Uc = 6.99."),
              std::string::npos)
        << p.error;
    EXPECT_NE(p.error.find("Aviso: \"Dietz\": La fórmula es de aguas claras"), std::string::npos) << p.error;

    const std::string ahmad = std::string(kEstriboSinProteccion) + "SediDiamMedi=300 EstrFactCurv=0.2 EstrFactFormKs=0.5";
    const TProceso q = Correr(ahmad);
    EXPECT_NE(q.salida.find("Erosión máxima de equilibrio (Ahmad)\tsin erosión (la fórmula da -0.15 m)\t[m]\n"),
              std::string::npos)
        << q.salida;
    EXPECT_NE(q.error.find("Ahmad: La fórmula da -0.15 m: un valor negativo no es una profundidad"), std::string::npos)
        << q.error;
    const nlohmann::json j = Json(ahmad);
    EXPECT_NEAR(j["registro"]["PEs.OutpErosMaxi1"].get<double>(), -0.152, 5e-4);
}

// A batch keeps the number in the depth column and says the state in the
// validity column.
TEST(NumerosDudosos, LoteConservaElNumeroYDiceElEstado) {
    const auto ruta = std::filesystem::temp_directory_path() / "turmado_numeros_dudosos.csv";
    {
        std::ofstream f(ruta);
        f << "codigo,EstrLongPlat,SediDiamMedi,FlujCaud,EstrFactCurv,EstrFactFormKs,EstrFactAngu,EstrFactPoro\n"
             "21,8.75,1,1000,,,,\n"
             "21,0,300,3000,0.2,0.5,1,1\n";
    }
    const TProceso p = Correr("--lote " + ruta.string());
    std::filesystem::remove(ruta);
    ASSERT_EQ(p.estado, 0) << p.error;
    std::vector<std::string> lineas;
    for (std::size_t i = 0, j; (j = p.salida.find('\n', i)) != std::string::npos; i = j + 1)
        lineas.push_back(p.salida.substr(i, j - i));
    ASSERT_EQ(lineas.size(), 3u);
    auto celdas = [](const std::string& linea) {
        std::vector<std::string> c;
        std::size_t i = 0;
        for (std::size_t j; (j = linea.find(',', i)) != std::string::npos; i = j + 1) c.push_back(linea.substr(i, j - i));
        c.push_back(linea.substr(i));
        return c;
    };
    const std::vector<std::string> cabecera = celdas(lineas[0]);
    auto columna = [&](const std::string& clave) {
        const auto it = std::find(cabecera.begin(), cabecera.end(), clave);
        EXPECT_NE(it, cabecera.end()) << clave;
        return static_cast<std::size_t>(it - cabecera.begin());
    };
    const std::vector<std::string> protegido = celdas(lineas[1]);
    EXPECT_EQ(protegido[columna("ys_estribo_prot_dietz_m")], "26.42");
    EXPECT_EQ(protegido[columna("validez_estribo_prot_dietz")], "no_aplicable");
    EXPECT_NE(lineas[1].find("U/Uc = 6.99"), std::string::npos);
    const std::vector<std::string> ahmad = celdas(lineas[2]);
    EXPECT_EQ(ahmad[columna("ys_estribo_ahmad_m")], "-0.15");
    EXPECT_EQ(ahmad[columna("validez_estribo_ahmad")], "sin_erosion");
}

// Ruff's calibration cell of the opening diameter, 3.11/830 m, is no
// culvert size: a 1 m opening in an otherwise calibrated case is inside
// calibration (it read "validación only"), and a 4 m one is not called
// calibrated by that cell either: the validation range 0.31/6.10 decides.
TEST(NumerosDudosos, DiametroDeRuffNoSeComparaConSuCalibracion) {
    const nlohmann::json uno =
        Json("--codigo 31 SediDiamMedi=2 SediDiam90N3=4 FlujTiraRest=0.15 FlujCaud=2 EstrDiamAper=1 EstrCantAper=1");
    EXPECT_EQ(uno["avisos"][1]["estado"], "calibracion") << uno["avisos"][1].dump();
    const nlohmann::json siete =
        Json("--codigo 31 SediDiamMedi=2 SediDiam90N3=4 FlujTiraRest=0.15 FlujCaud=60 EstrDiamAper=7 EstrCantAper=1");
    EXPECT_EQ(siete["avisos"][1]["estado"], "fuera") << siete["avisos"][1].dump();
    for (const auto& p : siete["avisos"][1]["fuera"])
        if (p["parametro"] == "Diámetro de la apertura") {
            EXPECT_EQ(p["calibracion"], "");
        }
}

// The pier's formulas have no calibration range: the uncertainty table says
// "sin rangos" instead of a share of 0, JSON has no share and says so.
TEST(NumerosDudosos, IncertidumbreSinRangos) {
    const TProceso p = Correr("--codigo 22 EstrFactFormKs=1 EstrFactGrup=1 --incierto FlujCaud=normal:*:0.1 --muestras 100");
    ASSERT_EQ(p.estado, 0) << p.error;
    EXPECT_NE(p.salida.find("\tsin rangos\n"), std::string::npos) << p.salida;
    EXPECT_EQ(p.salida.find("\t0.0000\n"), std::string::npos) << p.salida;
    const nlohmann::json j = Json("--codigo 22 EstrFactFormKs=1 EstrFactGrup=1 --incierto FlujCaud=normal:*:0.1 --muestras 100");
    for (const auto& f : j["incertidumbre"]["formulas"]) {
        EXPECT_TRUE(f["sin_rangos"].get<bool>()) << f.dump();
        EXPECT_TRUE(f["fuera_calibracion"].is_null()) << f.dump();
    }
    // A culvert's formulas have ranges: a share, not the words.
    const nlohmann::json c = Json("--codigo 31 --incierto FlujCaud=normal:*:0.1 --muestras 100");
    EXPECT_FALSE(c["incertidumbre"]["formulas"][0]["sin_rangos"].get<bool>());
    EXPECT_EQ(c["incertidumbre"]["formulas"][0]["fuera_calibracion"], 1.0);
}

// Sweeping d50 of a pier: by default d84/d50 stays as the problem has it,
// so the live-bed depths do not change with the sand (Kσ is kept); held at
// 200 mm, d84 makes coarser sand give deeper scour.  Standard error says
// which was done; the option is refused where it means nothing.
TEST(NumerosDudosos, GranulometriaAlVariarD50) {
    const std::string pila = "--codigo 22 EstrFactFormKs=1 EstrFactGrup=1 --barrido SediDiamMedi=0.5:50:3 --log";
    auto csu = [](const std::string& csv) {  // the CSU column, point by point
        std::vector<std::string> y;
        for (std::size_t i = csv.find('\n') + 1, j; (j = csv.find('\n', i)) != std::string::npos; i = j + 1) {
            const std::size_t a = csv.find(',', csv.find(',', i) + 1) + 1;
            y.push_back(csv.substr(a, csv.find(',', a) - a));
        }
        return y;
    };
    const TProceso fija = Correr(pila);
    ASSERT_EQ(fija.estado, 0) << fija.error;
    EXPECT_TRUE(fija.error.starts_with("Granulometría fija al variar d50: d84/d50 = 2.35")) << fija.error;
    const std::vector<std::string> y = csu(fija.salida);
    ASSERT_EQ(y.size(), 3u);
    EXPECT_EQ(y[0], y[2]);

    const TProceso libre = Correr(pila + " --granulometria libre");
    ASSERT_EQ(libre.estado, 0) << libre.error;
    EXPECT_TRUE(libre.error.starts_with("Diámetros fijos al variar d50: d84 = 200 mm")) << libre.error;
    const std::vector<std::string> z = csu(libre.salida);
    ASSERT_EQ(z.size(), 3u);
    EXPECT_LT(std::stod(z[0]), std::stod(z[2]));

    EXPECT_EQ(Correr(pila + " --granulometria otra").estado, 2);
    const TProceso sola = Correr("--codigo 22 --granulometria fija");
    EXPECT_EQ(sola.estado, 2);
    EXPECT_NE(sola.error.find("--granulometria solo vale con --barrido o --incierto"), std::string::npos) << sola.error;
}
