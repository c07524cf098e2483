// The batch runner: CSV in, CSV out, a bad line reported with its number
// while the others still run.
#include <gtest/gtest.h>

#include <sstream>

#include "problem/untCampos.h"
#include "results/untAvisosDatos.h"
#include "results/untLote.h"
#include "results/untResolver.h"

namespace {

struct Lote {
    std::string salida;
    TResumenLote resumen;
    std::vector<std::size_t> avances;

    explicit Lote(const std::string& entrada, TOpcionesLote opciones = {}) {
        std::istringstream in(entrada);
        std::ostringstream out;
        opciones.avance = [this](std::size_t h) { avances.push_back(h); };
        resumen = EjecutarLote(in, out, opciones);
        salida = out.str();
    }

    std::vector<std::string> Lineas() const {
        std::vector<std::string> r;
        std::istringstream in(salida);
        for (std::string l; std::getline(in, l);) r.push_back(l);
        return r;
    }
};

// The output cells of a case as the runner should write them: the inputs,
// the title, the value of each row, then the warnings' cells.
std::string Esperada(const std::string& entradas, TProblema p, const std::string& avisos) {
    TResultado r;
    ResolverProblema(p, r);
    std::string linea = entradas + "," + r.titulo.value_or("");
    for (const TFila& f : r.filas) linea += "," + f.valor;
    return linea + "," + avisos;
}

// A data warning as a batch cell: quoted, its quotes doubled.
std::string Celda(const std::string& texto) {
    std::string r = "\"";
    for (char c : texto) r += c == '"' ? std::string("\"\"") : std::string(1, c);
    return r + "\"";
}

// The example's texts with a d50 of 2 mm.
TTextosCampos ConArena() {
    TTextosCampos t = TextosPorDefecto();
    t["SediDiamMedi"] = "2";
    return t;
}

// The pier's formulas publish no ranges; the example's d84/d50 = 200/85
// warns of its gradation factor.
std::string PilaAvisos() {
    return "sin_rangos,sin_rangos,sin_rangos,sin_rangos," + Celda(AvisosDatos(22, TextosPorDefecto()).at(0).texto);
}

TProblema Pila(const char* caudal) {
    TProblema p;
    p.codigo = 22;
    p.textos["FlujCaud"] = caudal;
    p.textos["EstrFactFormKs"] = "1";
    p.textos["EstrFactGrup"] = "1";
    return p;
}

}  // namespace

TEST(Lote, PilaConUnaLineaMala) {
    const Lote l("codigo,FlujCaud,EstrFactFormKs,EstrFactGrup\n"
                 "22,3000,1,1\n"
                 "22,0,1,1\n"  // a discharge the field rejects
                 "22,1500,1,1\n");
    EXPECT_EQ(l.resumen.casos, 3u);
    ASSERT_EQ(l.resumen.fallos.size(), 1u);
    EXPECT_EQ(l.resumen.fallos[0].linea, 3u);
    EXPECT_EQ(l.resumen.fallos[0].mensaje, "FlujCaud: El valor ingresado no es válido.");
    const auto lineas = l.Lineas();
    ASSERT_EQ(lineas.size(), 3u);
    EXPECT_EQ(lineas[0],
              "codigo,FlujCaud,EstrFactFormKs,EstrFactGrup,titulo,Movilidad (Shields) Crítica,Movilidad (Shields),"
              "Condición de transporte,Velocidad crítica de erosión,Erosión máxima de equilibrio (Breusers),"
              "Longitud de falla crítica (Breusers),Erosión máxima de equilibrio (CSU),"
              "Longitud de falla crítica (CSU),Erosión máxima de equilibrio (Johnson),"
              "Longitud de falla crítica (Johnson),validez1,validez2,validez3,validez4,avisos_datos");
    EXPECT_EQ(lineas[1], Esperada("22,3000,1,1", Pila("3000"), PilaAvisos()));
    EXPECT_EQ(lineas[2], Esperada("22,1500,1,1", Pila("1500"), PilaAvisos()));
    EXPECT_NE(lineas[1], lineas[2]);
    EXPECT_EQ(l.avances, std::vector<std::size_t>{3});  // one block
}

// The warnings' columns close every line: each slot's validity state, then
// the data warnings joined, quoted as any cell with a separator or a quote.
TEST(Lote, ColumnasDeAvisos) {
    const Lote l("codigo,CaucAnchCauc,EstrCantAper,SediDiamMedi,FlujTiraRest,EstrDiamAper,FlujCaud\n"
                 // Laboratory culvert: Ruff inside validation only, the rest inside calibration;
                 // d90 keeps the example's 250 mm over a d50 of 2 mm.
                 "31,1,1,2,0.61,0.31,0.1132\n"
                 // Field data: every formula outside its ranges, nothing implausible.
                 "31,500,250,85,1.2,1,3000\n"
                 // The pier of d50 2 mm under the example's d84, whose d84/d50 of 100
                 // also warns of the gradation factor.
                 "22,500,250,2,1.2,1,3000\n");
    ASSERT_TRUE(l.resumen.fallos.empty());
    const auto lineas = l.Lineas();
    ASSERT_EQ(lineas.size(), 4u);
    const std::string cabecera = ",validez1,validez2,validez3,validez4,avisos_datos";
    EXPECT_TRUE(lineas[0].ends_with(cabecera)) << lineas[0];
    const std::string esperadas[] = {
        ",calibracion,validacion,calibracion,calibracion,\"\"\"Diámetro 90%\"\" = 250 mm es el valor del ejemplo, "
        "pero \"\"Diámetro Medio (d50)\"\" = 2 mm ya no lo es: d90 y d50 deben ser de la misma granulometría.\"",
        ",fuera,fuera,fuera,fuera,",
        ",sin_rangos,sin_rangos,sin_rangos,sin_rangos,\"\"\"Diámetro 84%\"\" = 200 mm es el valor del ejemplo, "
        "pero \"\"Diámetro Medio (d50)\"\" = 2 mm ya no lo es: d84 y d50 deben ser de la misma granulometría. | " +
            Celda(AvisosDatos(22, ConArena()).at(1).texto).substr(1),
    };
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(lineas[i + 1].ends_with(esperadas[i])) << lineas[i + 1];

    // Two warnings in one cell, and the semicolon separator.
    const Lote dos("codigo;AguaTemp;EstrAnchPila;CaucAnchCauc;SediDiam84N3\n22;45;50;50;100\n");
    ASSERT_EQ(dos.Lineas().size(), 2u);
    EXPECT_NE(dos.Lineas()[1].find(";\"\"\"Temperatura ambiente\"\" = 45 °C está fuera de 0 a 40 °C, donde la "
                                   "viscosidad del cálculo, ν = 4.0e-5/(T + 20), se acerca a la del agua. | "
                                   "\"\"Ancho de la Pila\"\" = 50 m no es menor que el ancho del cauce"),
              std::string::npos)
        << dos.Lineas()[1];
}

TEST(Lote, LineasMalas) {
    struct Caso { const char* linea; const char* mensaje; };
    const Caso casos[] = {
        {"11,,0,20", "la línea tiene 4 valores y el encabezado 5"},
        {"11,,0,20,1,x", "la línea tiene 6 valores y el encabezado 5"},
        {"32,,0,20,", "codigo: debe ser 0, 1, 2, 3, 11, 12, 21, 22 o 31"},
        {"11.5,,0,20,", "codigo: debe ser 0, 1, 2, 3, 11, 12, 21, 22 o 31"},
        {"11,2,4,20,", "chorro: debe ser 0, 1 o nada"},
        {"11,,4,20,2", "rugosidad: debe ser 0, 1 o nada"},
        {"11,,4,20,", "la protección es insuficiente: falta el comportamiento del chorro"},
        {"11,,-1,20,", "EstrLongPlat: El valor ingresado no es válido."},
        {"11,,8.75,-20,", "Floating point division by zero"},
        {"11,,\"4,20,", "comillas sin cerrar"},
        {"11,,\"4\"5,20,", "texto después de las comillas de cierre"},
        {"11,,\"4,5\",20,", "EstrLongPlat: El valor ingresado no es válido."},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.linea);
        const Lote l(std::string("codigo,chorro,EstrLongPlat,AguaTemp,rugosidad\n11,,8.75,20,\n") + c.linea + "\n");
        ASSERT_EQ(l.resumen.fallos.size(), 1u);
        EXPECT_EQ(l.resumen.fallos[0].linea, 3u);
        EXPECT_EQ(l.resumen.fallos[0].mensaje.substr(0, std::string(c.mensaje).size()), c.mensaje);
        EXPECT_EQ(l.Lineas().size(), 2u);  // the header and the good case
    }
    // The d90 field takes any text; "Calcular" cannot read this one.
    const Lote d90("codigo,SediDiam90N3\n31,abc\n");
    ASSERT_EQ(d90.resumen.fallos.size(), 1u);
    EXPECT_EQ(d90.resumen.fallos[0].mensaje, "'abc' no es un valor numérico válido.");
}

TEST(Lote, EncabezadosInservibles) {
    struct Caso { const char* entrada; const char* mensaje; };
    const Caso casos[] = {
        {"", "falta el encabezado"},
        {"\n22\n", "falta el encabezado"},
        {"codigo,Caudal\n22,10\n", "columna desconocida: Caudal"},
        {"codigo,FlujCaud,codigo\n22,10,22\n", "columna repetida: codigo"},
        {"codigo,,FlujCaud\n22,,10\n", "columna sin nombre en el encabezado"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.entrada);
        const Lote l(c.entrada);
        ASSERT_EQ(l.resumen.fallos.size(), 1u);
        EXPECT_EQ(l.resumen.fallos[0].linea, 1u);
        EXPECT_EQ(l.resumen.fallos[0].mensaje, c.mensaje);
        EXPECT_EQ(l.salida, "");
    }
}

// A spreadsheet's export: byte-order mark, semicolons, CRLF, blanks around
// header names, a blank line; line numbers still count the file's lines.
TEST(Lote, FormaDeUnaHojaDeCalculo) {
    const Lote l("\xEF\xBB\xBF codigo ; FlujCaud;rugosidad\r\n"
                 "\r\n"
                 "0;\"3000\";1\r\n"
                 "0;0;\r\n");
    EXPECT_EQ(l.resumen.casos, 2u);
    ASSERT_EQ(l.resumen.fallos.size(), 1u);
    EXPECT_EQ(l.resumen.fallos[0].linea, 4u);
    const auto lineas = l.Lineas();
    ASSERT_EQ(lineas.size(), 2u);
    EXPECT_TRUE(lineas[0].starts_with("codigo;FlujCaud;rugosidad;titulo;Movilidad (Shields) Crítica;")) << lineas[0];
    TProblema p;
    p.rugosidad = true;
    std::string esperada = Esperada("0,3000,1", p, "sin_rangos,sin_rangos,sin_rangos,sin_rangos,");
    std::replace(esperada.begin(), esperada.end(), ',', ';');
    EXPECT_EQ(lineas[1], esperada);
}

// Cases of different problems: one column per caption met, empty where a
// case has no such row; a cell with the separator or a quote is quoted.
TEST(Lote, ProblemasMezcladosYCitas) {
    const Lote l("codigo,EstrLongPlat,SediDiam90N3\n"
                 "21,8.75,\"2,5 \"\"cm\"\"\"\n"
                 "31,8.75,250\n");
    ASSERT_TRUE(l.resumen.fallos.empty());
    const auto lineas = l.Lineas();
    ASSERT_EQ(lineas.size(), 3u);
    EXPECT_TRUE(lineas[0].starts_with("codigo,EstrLongPlat,SediDiam90N3,titulo,"));
    EXPECT_TRUE(lineas[0].ends_with(",Erosión máxima de equilibrio (Dietz),Intensidad relativa de turbulencia,"
                                    "Erosión máxima de equilibrio (Rajaratnam y Berry),"
                                    "Erosión máxima de equilibrio (Ruff),Erosión máxima de equilibrio (Breusers),"
                                    "Erosión máxima de equilibrio (Hoffmans),validez1,validez2,validez3,validez4,"
                                    "avisos_datos"))
        << lineas[0];
    EXPECT_TRUE(lineas[1].starts_with("21,8.75,\"2,5 \"\"cm\"\"\",Problema Estribo/Espigón Protegido,"));
    EXPECT_TRUE(lineas[1].ends_with(",5.78,,,,,,sin_rangos,sin_rangos,sin_rangos,sin_rangos,")) << lineas[1];
    EXPECT_TRUE(lineas[2].starts_with("31,8.75,250,Problema Alcantarilla Angosta,"));
    EXPECT_TRUE(lineas[2].ends_with(",,0.300,4.41,45.45,4.44,15.08,fuera,fuera,fuera,fuera,")) << lineas[2];
}

TEST(Lote, LineaDemasiadoLarga) {
    const Lote l("codigo,FlujCaud\n22," + std::string(100000, '1') + "\n22,3000\n");
    ASSERT_EQ(l.resumen.fallos.size(), 1u);
    EXPECT_EQ(l.resumen.fallos[0].linea, 2u);
    EXPECT_EQ(l.resumen.fallos[0].mensaje, "línea demasiado larga");
    EXPECT_EQ(l.Lineas().size(), 2u);
}
