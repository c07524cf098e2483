// The problem file: what is written, what comes back, and a clear error for
// each kind of bad file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "problem/untArchivo.h"
#include "results/untResolver.h"

namespace {

// A problem of each kind the wizard can reach, some texts as a user might
// type them (blanks before, a lone point, an exponent, an empty factor, any
// text in the d90 field), and the results rows when it computes.
std::vector<TArchivoProblema> Archivos() {
    struct Caso { ProblemCode codigo; std::optional<int> chorro; bool rugosidad; const char* longPlat; };
    const Caso casos[] = {
        {0, {}, false, "8.75"},  {1, {}, false, "8.75"},   {2, {}, true, "8.75"},  {3, {}, false, "8.75"},
        {11, {}, false, "8.75"}, {11, {}, false, "4"},     {11, 0, false, "4"},    {11, 1, true, "0"},
        {12, {}, false, "8.75"}, {12, {}, true, "4"},      {21, {}, false, "8.75"}, {21, {}, false, "0.6"},
        {22, {}, false, "8.75"}, {31, {}, true, "8.75"},
    };
    std::vector<TArchivoProblema> r;
    for (const Caso& c : casos) {
        TArchivoProblema a;
        a.problema.codigo = c.codigo;
        a.problema.chorro = c.chorro;
        a.problema.rugosidad = c.rugosidad;
        a.problema.textos["EstrLongPlat"] = c.longPlat;
        a.problema.textos["FlujCaud"] = "  2500";
        a.problema.textos["AguaTemp"] = ".";
        a.problema.textos["CaucAnchCauc"] = "4.5e2";
        a.problema.textos["EstrFactFormKs"] = "";
        a.problema.textos["SediDiam90N3"] = "250 \"mm\" ñ";
        a.guardado = "2024-02-29 23:59";
        TResultado res;
        try {
            ResolverProblema(a.problema, res);
            a.resultados = TResultadosArchivo{res.d.CodiProb, res.titulo.value_or(""), {}};
            for (const TFila& f : res.filas) a.resultados->filas.push_back({"", f.etiqueta, f.valor, f.unidad});
        } catch (const std::runtime_error&) {
            // 112 waits on the jet question; "250 mm" cannot be read: no results
        }
        r.push_back(std::move(a));
    }
    // The pier with a study's set-up (a cell left empty, one not a number
    // yet, a formula's error off) and observations over two lines.
    TArchivoProblema& pila = r[12];
    pila.incertidumbre = TIncertidumbreArchivo{
        {{"FlujCaud", "lognormal", "2500", "0.1", "2000", "2500", "3000"},
         {"EstrAnchPila", "triangular", "1.5", "0.1", "1.2", "1.5", "1,8"}},
        {{"CSU", true, "0.96", "1.28"}, {"Froehlich", false, "", ""}},
        "5000",
        "42",
        ""};
    pila.observaciones = "Pila del puente \"Río Ñuble\"\nsegunda línea";
    return r;
}

void EsperarError(std::string_view texto, TFalloArchivo tipo, const std::string& mensaje) {
    try {
        LeerArchivoProblema(texto);
        ADD_FAILURE() << "se leyó";
    } catch (const ErrorArchivo& e) {
        EXPECT_EQ(static_cast<int>(e.tipo), static_cast<int>(tipo)) << e.what();
        EXPECT_NE(std::string(e.what()).find(mensaje), std::string::npos) << e.what();
    }
}

const std::string kCabecera = R"({"formato": "turmado-problema", "version": 1)";

}  // namespace

TEST(Archivo, IdaYVueltaDeCadaProblema) {
    for (const TArchivoProblema& a : Archivos()) {
        SCOPED_TRACE(a.problema.codigo);
        const std::string texto = EscribirArchivoProblema(a);
        const TArchivoProblema b = LeerArchivoProblema(texto);
        EXPECT_EQ(b, a);
        EXPECT_EQ(EscribirArchivoProblema(b), texto);
        EXPECT_EQ(CodigoFinal(b.problema), CodigoFinal(a.problema));
    }
}

TEST(Archivo, TextoEscrito) {
    TArchivoProblema a;
    a.problema.codigo = 11;
    a.problema.chorro = 1;
    a.guardado = "2024-01-02 03:04";
    const std::string t = EscribirArchivoProblema(a);
    EXPECT_TRUE(t.starts_with("{\n  \"formato\": \"turmado-problema\",\n  \"version\": 1,\n"
                              "  \"guardado\": \"2024-01-02 03:04\",\n  \"codigo\": 11,\n"))
        << t;
    EXPECT_NE(t.find("\"chorro\": 1,\n  \"rugosidad\": false,\n  \"textos\": {\n    \"AguaDens\": \"1000\",\n"),
              std::string::npos);
    EXPECT_EQ(t.find("resultados"), std::string::npos);  // none when nothing was computed
    // Every field of the catalogue, in its order.
    std::size_t desde = 0;
    for (const TCampo& c : Campos()) {
        const std::size_t en = t.find("\"" + std::string(c.nombre) + "\":", desde);
        ASSERT_NE(en, std::string::npos) << c.nombre;
        desde = en;
    }
}

// A file written by hand may leave parts out: they take their defaults.
// Keys this version does not know are left alone.
TEST(Archivo, PartesOmitidas) {
    const TArchivoProblema a =
        LeerArchivoProblema(kCabecera + R"(, "textos": {"FlujCaud": "120"}, "nota": "caudal de diseño"})");
    TProblema esperado;
    esperado.textos["FlujCaud"] = "120";
    EXPECT_EQ(a.problema, esperado);
    EXPECT_EQ(a.guardado, "");
    EXPECT_FALSE(a.resultados);
    EXPECT_FALSE(a.incertidumbre);
    EXPECT_FALSE(a.observaciones);
}

TEST(Archivo, CadaArchivoMaloDiceQueEstaMal) {
    using enum TFalloArchivo;
    struct Caso { std::string texto; TFalloArchivo tipo; const char* mensaje; };
    const Caso casos[] = {
        {"\x89PNG\r\n\x1a\n", NoEsProblema, "no es un archivo de problema de turmado"},
        {"[1, 2]", NoEsProblema, "no es un archivo de problema de turmado"},
        {R"({"nombre": "pila"})", NoEsProblema, "no es un archivo de problema de turmado"},
        {R"({"formato": "otro", "version": 1})", NoEsProblema, "no es un archivo de problema de turmado"},
        {kCabecera + ", \"textos\": {\"FlujCaud\": \"" + std::string(kTamanoMaximoProblema, '1') + "\"}}",
         NoEsProblema, "demasiado grande"},
        {"", Incompleto, "el archivo está vacío"},
        {" \n\t", Incompleto, "el archivo está vacío"},
        {R"({"formato": "turmado-problema", "version": 2})", VersionNueva,
         "el archivo usa la versión 2 del formato, más nueva que la que lee este programa (1)"},
        {R"({"formato": "turmado-problema"})", Danado, "falta «version»"},
        {R"({"formato": "turmado-problema", "version": "1"})", Danado, "«version» debe ser un número entero"},
        {R"({"formato": "turmado-problema", "version": 1.5})", Danado, "«version» debe ser un número entero"},
        {R"({"formato": "turmado-problema", "version": 18446744073709551615})", Danado, "«version»"},
        {R"({"formato": "turmado-problema", "version": 0})", Danado, "«version» debe ser 1 o mayor"},
        {R"({"formato": "turmado-problema", "version": 1e400})", Danado, "un número fuera de rango"},
        {"{\"formato\": \"turmado-problema\",\n \"version\": 1,, }", Danado,
         "error de sintaxis en la línea 2, columna 15"},
        {kCabecera + R"(, "codigo": 32})", Danado, "«codigo» debe ser 0, 1, 2, 3, 11, 12, 21, 22 o 31"},
        {kCabecera + R"(, "codigo": "22"})", Danado, "«codigo» debe ser un número entero"},
        {kCabecera + R"(, "chorro": 2})", Danado, "«chorro» debe ser 0, 1 o null"},
        {kCabecera + R"(, "rugosidad": "si"})", Danado, "«rugosidad» debe ser true o false"},
        {kCabecera + R"(, "textos": ["1000"]})", Danado, "«textos» debe ser un objeto"},
        {kCabecera + R"(, "textos": {"AguaDens": 1000}})", Danado, "«textos.AguaDens» debe ser un texto"},
        {kCabecera + R"(, "textos": {"Caudal": "10"}})", Danado, "campo desconocido en «textos»: Caudal"},
        {kCabecera + R"(, "guardado": 20240101})", Danado, "«guardado» debe ser un texto"},
        {kCabecera + R"(, "resultados": {"filas": [["Caudal", "10"]]}})", Danado, "[título, valor, unidad]"},
        {kCabecera + R"(, "incertidumbre": [1]})", Danado, "«incertidumbre» debe ser un objeto"},
        {kCabecera + R"(, "incertidumbre": {"entradas": [{"campo": "Caudal", "distribucion": "normal"}]}})", Danado,
         "campo desconocido en «incertidumbre.entradas»: Caudal"},
        {kCabecera + R"(, "incertidumbre": {"entradas": [{"campo": "FlujCaud", "distribucion": "gamma"}]}})",
         Danado, "distribución desconocida en «incertidumbre.entradas»: gamma"},
        {kCabecera + R"(, "incertidumbre": {"entradas": [{"campo": "FlujCaud", "media": 3000}]}})", Danado,
         "«incertidumbre.entradas.media» debe ser un texto"},
        {kCabecera + R"(, "incertidumbre": {"modelo": [{"formula": "CSU", "activo": "si"}]}})", Danado,
         "«incertidumbre.modelo.activo» debe ser true o false"},
        {kCabecera + R"(, "incertidumbre": {"semilla": 1}})", Danado, "«incertidumbre.semilla» debe ser un texto"},
        {kCabecera + R"(, "observaciones": ["a"]})", Danado, "«observaciones» debe ser un texto"},
        {kCabecera + R"(, "textos": {"AguaDens": "0"}})", TextoRechazado,
         "texto no válido en el campo AguaDens: El valor ingresado no es válido."},
        {kCabecera + R"(, "textos": {"AguaDens": "1.000,5"}})", TextoRechazado, "AguaDens: El valor ingresado"},
        {kCabecera + R"(, "textos": {"SediDiamMedi": "0.01"}})", TextoRechazado,
         "SediDiamMedi: Solo se considera sedimento no cohesivo (d50 > 62 micr)"},
        {kCabecera + R"(, "textos": {"AguaDens": "1e999"}})", TextoRechazado, "AguaDens"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto.substr(0, 80));
        EsperarError(c.texto, c.tipo, c.mensaje);
    }
}

// A file cut anywhere before its closing brace is incomplete, never broken
// or mistaken for another kind of file.
TEST(Archivo, CortadoEnCualquierPunto) {
    const std::string texto = EscribirArchivoProblema(Archivos()[12]);  // the pier, with results
    ASSERT_NE(texto.find("Erosión"), std::string::npos);               // cuts inside multibyte letters too
    const std::size_t cierre = texto.rfind('}');
    for (std::size_t n = 1; n < cierre; ++n) {
        SCOPED_TRACE(n);
        EsperarError(std::string_view(texto).substr(0, n), TFalloArchivo::Incompleto,
                     "el archivo está incompleto: termina antes de tiempo");
    }
}

TEST(Archivo, CargarDelDisco) {
    const auto dir = std::filesystem::temp_directory_path() / ("turmado-archivo-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const TArchivoProblema a = Archivos()[13];
    {
        std::ofstream(dir / "alcantarilla.turmado", std::ios::binary) << EscribirArchivoProblema(a);
    }
    EXPECT_EQ(CargarArchivoProblema(dir / "alcantarilla.turmado"), a);

    struct Caso { std::filesystem::path ruta; const char* mensaje; };
    const Caso casos[] = {{dir / "no-existe.turmado", "el archivo no existe"}, {dir, "no es un archivo"}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.ruta);
        try {
            CargarArchivoProblema(c.ruta);
            ADD_FAILURE();
        } catch (const ErrorArchivo& e) {
            EXPECT_EQ(e.tipo, TFalloArchivo::Lectura);
            EXPECT_STREQ(e.what(), c.mensaje);
        }
    }
    std::filesystem::remove_all(dir);
}

TEST(Archivo, FechaActual) {
    const std::string f = FechaActual();
    ASSERT_EQ(f.size(), 16u) << f;
    EXPECT_EQ(f[4], '-');
    EXPECT_EQ(f[10], ' ');
    EXPECT_EQ(f[13], ':');
}
