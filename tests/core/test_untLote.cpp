// The batch runner: CSV in, CSV out, a bad line reported with its number
// while the others still run.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>

#include "compute/untCalcular.h"
#include "compute/untClaves.h"
#include "general/untNumero.h"
#include "results/untBarrido.h"
#include "problem/untCampos.h"
#include "results/untAvisosDatos.h"
#include "results/untLote.h"
#include "results/untResolver.h"
#include "../celdas.h"

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

// The cell of column `nombre` of an output line.
std::string Celda(const std::string& cabecera, const std::string& linea, const std::string& nombre) {
    const auto nombres = CeldasCsv(cabecera), celdas = CeldasCsv(linea);
    const auto it = std::find(nombres.begin(), nombres.end(), nombre);
    if (it == nombres.end() || celdas.size() != nombres.size()) return "<" + nombre + " no está>";
    return celdas[std::size_t(it - nombres.begin())];
}

// The output line of a case as the runner should write it: the inputs, the
// title, the value of each row in the column of its key (`claves`, in row
// order), the cells of `otras`, every other cell empty.
std::string Esperada(const std::string& entradas, TProblema p, const std::vector<std::string>& claves,
                     const std::map<std::string, std::string>& otras) {
    TResultado r;
    ResolverProblema(p, r);
    const std::vector<std::string> columnas = ColumnasLote(TColumnasLote::Claves);
    std::vector<std::string> celdas(columnas.size());
    auto poner = [&](const std::string& clave, const std::string& valor) {
        const auto it = std::find(columnas.begin(), columnas.end(), clave);
        if (it == columnas.end()) throw std::logic_error("sin columna: " + clave);
        celdas[std::size_t(it - columnas.begin())] = valor;
    };
    if (r.filas.size() != claves.size()) throw std::logic_error("filas y claves no se corresponden");
    for (std::size_t i = 0; i < claves.size(); ++i) poner(claves[i], r.filas[i].valor);
    for (const auto& [clave, valor] : otras) poner(clave, valor);
    std::string linea = entradas + "," + r.titulo.value_or("");
    for (const std::string& c : celdas) linea += "," + c;
    return linea;
}

const std::vector<std::string> kComunes{"shields_critico", "shields", "transporte", "vc_m_s"};

std::vector<std::string> ClavesPila() {
    std::vector<std::string> c = kComunes;
    for (const char* f : {"breusers", "csu", "johnson"}) {
        c.push_back(std::string("ys_pila_") + f + "_m");
        c.push_back(std::string("lf_pila_") + f + "_m");
    }
    return c;
}

// Every column after "titulo", whatever the input: the stable keys.
constexpr const char* kColumnasClaves =
    "shields_critico,shields,transporte,vc_m_s,turbulencia,qs_m2_s,ys_vortice_dietz_m,lf_vortice_dietz_m,"
    "talud_grados,ys_escalon_bornmann_julien_m,ys_chorro_bornmann_julien_m,ys_chorro_fahlbusch_m,"
    "ys_alc_ancha_qayoum_m,ys_alc_ancha_altinbilek_basmaci_m,ys_alc_ancha_breusers_m,ys_alc_ancha_hoffmans_m,"
    "ys_estribo_prot_dietz_m,ys_estribo_ahmad_m,ys_estribo_liu_m,ys_estribo_dietz_m,ys_estribo_breusers_m,"
    "ys_pila_breusers_m,lf_pila_breusers_m,ys_pila_csu_m,lf_pila_csu_m,ys_pila_johnson_m,lf_pila_johnson_m,"
    "ys_alc_angosta_rajaratnam_berry_m,ys_alc_angosta_ruff_m,ys_alc_angosta_breusers_m,"
    "ys_alc_angosta_hoffmans_m,validez_vortice_dietz,validez_escalon_bornmann_julien,"
    "validez_chorro_bornmann_julien,validez_chorro_fahlbusch,validez_alc_ancha_qayoum,"
    "validez_alc_ancha_altinbilek_basmaci,validez_alc_ancha_breusers,validez_alc_ancha_hoffmans,"
    "validez_estribo_prot_dietz,validez_estribo_ahmad,validez_estribo_liu,validez_estribo_dietz,"
    "validez_estribo_breusers,validez_pila_breusers,validez_pila_csu,validez_pila_johnson,"
    "validez_alc_angosta_rajaratnam_berry,validez_alc_angosta_ruff,validez_alc_angosta_breusers,"
    "validez_alc_angosta_hoffmans,avisos_datos";

// A data warning inside a batch cell: its quotes doubled.
std::string Doblar(const std::string& texto) {
    std::string r;
    for (char c : texto) r += c == '"' ? std::string("\"\"") : std::string(1, c);
    return r;
}

// The pier's formulas publish no ranges; the example's d84/d50 = 200/85
// warns of its gradation factor.
std::map<std::string, std::string> PilaConAvisos() {
    return {{"validez_pila_breusers", "sin_rangos"},
            {"validez_pila_csu", "sin_rangos"},
            {"validez_pila_johnson", "sin_rangos"},
            {"avisos_datos", "\"" + Doblar(AvisosDatos(22, TextosPorDefecto()).at(0).texto) + "\""}};
}

// The example's texts with a d50 of 2 mm.
TTextosCampos ConArena() {
    TTextosCampos t = TextosPorDefecto();
    t["SediDiamMedi"] = "2";
    return t;
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
    EXPECT_EQ(lineas[0], std::string("codigo,FlujCaud,EstrFactFormKs,EstrFactGrup,titulo,") + kColumnasClaves);
    EXPECT_EQ(lineas[1], Esperada("22,3000,1,1", Pila("3000"), ClavesPila(), PilaConAvisos()));
    EXPECT_EQ(lineas[2], Esperada("22,1500,1,1", Pila("1500"), ClavesPila(), PilaConAvisos()));
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
    EXPECT_TRUE(lineas[0].ends_with(kColumnasClaves)) << lineas[0];
    // The culvert's validity columns come last; the pier's three stand
    // before them, and its data warnings name the culvert's fields it ignored.
    const std::string esperadas[] = {
        ",calibracion,validacion,calibracion,calibracion,\"\"\"Diámetro 90%\"\" = 250 mm es el valor del ejemplo, "
        "pero \"\"Diámetro Medio (d50)\"\" = 2 mm ya no lo es: d90 y d50 deben ser de la misma granulometría.\"",
        ",fuera,fuera,fuera,fuera,",
        ",sin_rangos,sin_rangos,sin_rangos,,,,,\"\"\"Diámetro 84%\"\" = 200 mm es el valor del ejemplo, "
        "pero \"\"Diámetro Medio (d50)\"\" = 2 mm ya no lo es: d84 y d50 deben ser de la misma granulometría. | " +
            Doblar(AvisosDatos(22, ConArena()).at(1).texto) +
            " | Se ignoró EstrCantAper (\"\"Cantidad de aperturas\"\") = \"\"250\"\": este problema no lee ese campo. | "
        "Se ignoró EstrDiamAper (\"\"Diámetro de la apertura\"\") = \"\"1\"\": este problema no lee ese campo.\"",
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
    const std::string largo(100, 'x');
    struct Caso { std::string entrada; std::size_t linea; std::string mensaje; };
    const Caso casos[] = {
        {"", 1, "falta el encabezado"},
        {"\n \r\n", 2, "falta el encabezado"},
        {"\n22\n", 2, "columna desconocida: 22"},  // blank lines before the header are skipped
        {"codigo,Caudal\n22,10\n", 1, "columna desconocida: Caudal"},
        {"codigo,FlujCaud,codigo\n22,10,22\n", 1, "columna repetida: codigo"},
        {"codigo,,FlujCaud\n22,,10\n", 1, "columna sin nombre en el encabezado"},
        // Control characters shown escaped, a long name cut.
        {"codigo,\x1b[2J\x1b]0;x\x07Rojo\n22,1\n", 1, "columna desconocida: \\x1b[2J\\x1b]0;x\\x07Rojo"},
        {"codigo," + largo + "\n22,1\n", 1, "columna desconocida: " + largo.substr(0, 60) + "…"},
        {"FlujCaud,FlujCaud\x9b\n1,2\n", 1, "columna desconocida: FlujCaud\\x9b"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.entrada);
        const Lote l(c.entrada);
        ASSERT_EQ(l.resumen.fallos.size(), 1u);
        EXPECT_EQ(l.resumen.fallos[0].linea, c.linea);
        EXPECT_EQ(l.resumen.fallos[0].mensaje, c.mensaje);
        EXPECT_EQ(l.salida, "");
    }
}

// A spreadsheet's export: byte-order mark, semicolons, CRLF, blanks around
// header names, blank lines before the header and after it; line numbers
// still count the file's lines.
TEST(Lote, FormaDeUnaHojaDeCalculo) {
    const Lote l("\r\n  \r\n\xEF\xBB\xBF codigo ; FlujCaud;rugosidad\r\n"
                 "\r\n"
                 "0;\"3000\";1\r\n"
                 "0;0;\r\n");
    EXPECT_EQ(l.resumen.casos, 2u);
    ASSERT_EQ(l.resumen.fallos.size(), 1u);
    EXPECT_EQ(l.resumen.fallos[0].linea, 6u);
    const auto lineas = l.Lineas();
    ASSERT_EQ(lineas.size(), 2u);
    EXPECT_TRUE(lineas[0].starts_with("codigo;FlujCaud;rugosidad;titulo;shields_critico;")) << lineas[0];
    TProblema p;
    p.rugosidad = true;
    std::string esperada = Esperada("0,3000,1", p, kComunes, {});
    std::replace(esperada.begin(), esperada.end(), ',', ';');
    EXPECT_EQ(lineas[1], esperada);
}

// Cases of different problems: each fills the columns of its own rows and
// leaves the others empty; a cell with the separator or a quote is quoted.
TEST(Lote, ProblemasMezcladosYCitas) {
    const Lote b("codigo,EstrLongPlat,SediDiam90N3\n"
                 "21,8.75,\"2,5 \"\"cm\"\"\"\n"
                 "31,8.75,250\n");
    ASSERT_TRUE(b.resumen.fallos.empty());
    const auto lineas = b.Lineas();
    ASSERT_EQ(lineas.size(), 3u);
    EXPECT_TRUE(lineas[1].starts_with("21,8.75,\"2,5 \"\"cm\"\"\",Problema Estribo/Espigón Protegido,"));
    EXPECT_TRUE(lineas[2].starts_with("31,8.75,250,Problema Alcantarilla Angosta,"));
    struct Caso { int linea; const char* columna; const char* valor; };
    const Caso casos[] = {
        {1, "ys_estribo_prot_dietz_m", "5.78"},
        {1, "validez_estribo_prot_dietz", "no_aplicable"},  // the example's live bed, U/Uc = 1.77
        {1, "turbulencia", ""},
        {1, "ys_alc_angosta_breusers_m", ""},
        // Dietz, a clear-water law, in live bed; the protected abutment reads
        // no d90: the text was ignored.
        {1, "avisos_datos",
         "\"Dietz\": La fórmula es de aguas claras (U/Uc ≤ 1) y el flujo la excede: U/Uc = 1.77. Su resultado "
         "crece con U/Uc sin límite y no es una erosión de equilibrio en lecho vivo. | "
         "Se ignoró SediDiam90N3 (\"Diámetro 90%\") = \"2,5 \"cm\"\": este problema no lee ese campo."},
        {2, "turbulencia", "0.300"},
        {2, "ys_alc_angosta_rajaratnam_berry_m", "4.41"},
        {2, "ys_alc_angosta_ruff_m", "3.79"},
        {2, "ys_alc_angosta_breusers_m", "4.44"},
        {2, "ys_alc_angosta_hoffmans_m", "2.39"},
        {2, "validez_alc_angosta_hoffmans", "fuera"},
        {2, "ys_estribo_prot_dietz_m", ""},
        {2, "ys_pila_breusers_m", ""},
        {2, "avisos_datos",
         "Se ignoró EstrLongPlat (\"Longitud de la protección\") = \"8.75\": este problema no lee ese campo."},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::to_string(c.linea) + " " + c.columna);
        EXPECT_EQ(Celda(lineas[0], lineas[std::size_t(c.linea)], c.columna), c.valor);
    }
}

// A mixed inventory in one file: a field a line's problem does not read is
// ignored, silently when its cell is empty, with a data warning naming the
// field when it holds a text; a field the problem reads still rejects an
// empty cell.  The ignored cells change no result.
TEST(Lote, InventarioMixto) {
    const Lote l("codigo,EstrAnchPila,EstrDiamAper,EstrCantAper,EstrFactFormKs,EstrFactGrup\n"
                 "22,2,,,1,1\n"       // pier: the culvert's cells empty
                 "31,,0.5,3,,\n"      // culvert: the pier's cells empty
                 "31,2,0.5,3,1,\n"    // culvert with texts in two pier fields
                 "22,,,,1,1\n"        // pier without its width
                 "31,,\x1b[1m,3,,\n"  // culvert with a text its own field rejects
                 "22,2,x,,1,1\n");    // pier with a culvert text its field would reject
    ASSERT_EQ(l.resumen.fallos.size(), 2u);
    EXPECT_EQ(l.resumen.fallos[0].linea, 5u);
    EXPECT_EQ(l.resumen.fallos[0].mensaje, "EstrAnchPila: El valor ingresado no es válido.");
    EXPECT_EQ(l.resumen.fallos[1].linea, 6u);
    EXPECT_EQ(l.resumen.fallos[1].mensaje, "EstrDiamAper: El valor ingresado no es válido.");
    const auto lineas = l.Lineas();
    ASSERT_EQ(lineas.size(), 5u);

    // Each line computes what the same problem without the other type's
    // columns computes.
    const Lote pila("codigo,EstrAnchPila,EstrFactFormKs,EstrFactGrup\n22,2,1,1\n");
    const Lote alcantarilla("codigo,EstrDiamAper,EstrCantAper\n31,0.5,3\n");
    auto resultados = [](const Lote& lote, std::size_t i) {
        const auto c = CeldasCsv(lote.Lineas()[i]);
        const auto n = CeldasCsv(lote.Lineas()[0]);
        const auto titulo = std::find(n.begin(), n.end(), "titulo") - n.begin();
        return std::vector<std::string>(c.begin() + titulo, c.end() - 1);  // title to the last validity
    };
    EXPECT_EQ(resultados(l, 1), resultados(pila, 1));
    EXPECT_EQ(resultados(l, 2), resultados(alcantarilla, 1));
    EXPECT_EQ(resultados(l, 3), resultados(alcantarilla, 1));
    EXPECT_EQ(resultados(l, 4), resultados(pila, 1));
    // The pier's only warning of its own: the example's d84/d50 = 200/85 and
    // its gradation factor.
    const std::string gradacion = AvisosDatos(22, TextosPorDefecto()).at(0).texto;
    EXPECT_EQ(Celda(lineas[0], lineas[1], "avisos_datos"), gradacion);
    EXPECT_EQ(Celda(lineas[0], lineas[2], "avisos_datos"), "");
    EXPECT_EQ(Celda(lineas[0], lineas[3], "avisos_datos"),
              "Se ignoró EstrAnchPila (\"Ancho de la Pila\") = \"2\": este problema no lee ese campo. | "
              "Se ignoró EstrFactFormKs (\"Factor de forma\") = \"1\": este problema no lee ese campo.");
    EXPECT_EQ(Celda(lineas[0], lineas[4], "avisos_datos"),
              gradacion + " | Se ignoró EstrDiamAper (\"Diámetro de la apertura\") = \"x\": este problema no lee ese campo.");
}

// Whatever text a field the problem does not read holds, the results stay
// the same: the set of fields ignored by a batch is no larger than it should.
TEST(Lote, CamposNoLeidosNoCambianNada) {
    struct Respuestas { ProblemCode codigo; std::optional<int> chorro; const char* longPlat; };
    const Respuestas respuestas[] = {{0, {}, nullptr},  {22, {}, nullptr}, {31, {}, nullptr}, {11, {}, nullptr},
                                     {11, 1, "4"},      {11, 0, "4"},      {12, {}, nullptr}, {12, {}, "4"},
                                     {21, {}, nullptr}, {21, {}, "0.6"}};
    for (const Respuestas& a : respuestas) {
        TProblema base;
        base.codigo = a.codigo;
        base.chorro = a.chorro;
        if (a.longPlat) base.textos["EstrLongPlat"] = a.longPlat;
        for (const char* n : {"SediAnguRepo", "EstrFactFormKs", "EstrFactGrup", "EstrFactCurv", "EstrFactAngu",
                              "EstrFactPoro", "EstrFactFormKb", "EstrFactFormKl", "CaucPoro", "EstrCoefMannPlat"})
            if (base.textos[n].empty()) base.textos[n] = n == std::string("SediAnguRepo") ? "30" : "1";
        TResultado esperado;
        ResolverProblema(base, esperado);
        const auto leidos = CamposDelProblema(base);
        for (const TCampo& c : Campos()) {
            if (std::find(leidos.begin(), leidos.end(), c.nombre) != leidos.end()) continue;
            // Another accepted text: half or twice the default, or 1.
            TProblema p = base;
            const double d = LeerNumeroLaxo(c.defecto);
            for (double v : {d * 0.5, d * 2, 1.0, 0.5})
                if (std::string t = std::to_string(v); TextoAceptado(c, t) && t != c.defecto) {
                    p.textos[std::string(c.nombre)] = t;
                    break;
                }
            SCOPED_TRACE(std::to_string(a.codigo) + " " + std::string(c.nombre) + " = " + p.textos[std::string(c.nombre)]);
            TResultado r;
            ResolverProblema(p, r);
            EXPECT_EQ(r.titulo, esperado.titulo);
            ASSERT_EQ(r.filas.size(), esperado.filas.size());
            for (std::size_t i = 0; i < r.filas.size(); ++i) EXPECT_EQ(r.filas[i].valor, esperado.filas[i].valor);
        }
    }
}

TEST(Lote, LineaDemasiadoLarga) {
    const Lote l("codigo,FlujCaud\n22," + std::string(100000, '1') + "\n22,3000\n");
    ASSERT_EQ(l.resumen.fallos.size(), 1u);
    EXPECT_EQ(l.resumen.fallos[0].linea, 2u);
    EXPECT_EQ(l.resumen.fallos[0].mensaje, "línea demasiado larga");
    EXPECT_EQ(l.Lineas().size(), 2u);
}

// The columns are the same for any input, known before any case runs; with
// captions (--columnas textos) a caption shared by several problems is one
// column and the validity is per formula slot.
TEST(Lote, ColumnasFijas) {
    const std::string pilas = Lote("codigo,FlujCaud\n22,3000\n").Lineas()[0];
    const std::string ninguno = Lote("FlujCaud\n3000\n").Lineas()[0];
    EXPECT_EQ(pilas, std::string("codigo,FlujCaud,titulo,") + kColumnasClaves);
    EXPECT_EQ(ninguno, std::string("FlujCaud,titulo,") + kColumnasClaves);

    TOpcionesLote textos;
    textos.columnas = TColumnasLote::Textos;
    const Lote l("codigo,FlujCaud\n22,3000\n31,3000\n", textos);
    const auto lineas = l.Lineas();
    ASSERT_EQ(lineas.size(), 3u);
    const auto nombres = CeldasCsv(lineas[0]);
    EXPECT_EQ(std::vector<std::string>(nombres.begin(), nombres.begin() + 7),
              (std::vector<std::string>{"codigo", "FlujCaud", "titulo", "Movilidad (Shields) Crítica",
                                        "Movilidad (Shields)", "Condición de transporte",
                                        "Velocidad crítica de erosión"}));
    EXPECT_EQ(std::vector<std::string>(nombres.end() - 5, nombres.end()),
              (std::vector<std::string>{"validez1", "validez2", "validez3", "validez4", "avisos_datos"}));
    EXPECT_EQ(std::count(nombres.begin(), nombres.end(), "Erosión máxima de equilibrio (Breusers)"), 1);
    EXPECT_EQ(std::count(nombres.begin(), nombres.end(), "Erosión máxima de equilibrio (Dietz)"), 1);
    EXPECT_EQ(ColumnasLote(TColumnasLote::Textos).size() + 3, nombres.size());
    // The pier's Breusers and the culvert's share that column.
    EXPECT_EQ(Celda(lineas[0], lineas[1], "Erosión máxima de equilibrio (Breusers)"), "inactivo");
    EXPECT_EQ(Celda(lineas[0], lineas[2], "Erosión máxima de equilibrio (Breusers)"), "4.44");
    EXPECT_EQ(Celda(lineas[0], lineas[2], "validez4"), "fuera");
    EXPECT_EQ(Celda(lineas[0], lineas[1], "Longitud de falla crítica (CSU)"), "inactivo");
    EXPECT_EQ(Celda(lineas[0], lineas[2], "Longitud de falla crítica (CSU)"), "");
}

// Every row of every problem has a key, with the caption and unit that row
// shows; keys are plain ASCII and name one thing each.
TEST(Lote, ClavesDeCadaFila) {
    struct Respuestas { ProblemCode codigo; std::optional<int> chorro; const char* longPlat; };
    const Respuestas respuestas[] = {{0, {}, nullptr},  {22, {}, nullptr}, {31, {}, nullptr}, {11, {}, nullptr},
                                     {11, 1, "4"},      {11, 0, "4"},      {12, {}, nullptr}, {12, {}, "4"},
                                     {21, {}, nullptr}, {21, {}, "0.6"},   {11, {}, "4"}};
    std::map<std::string, std::pair<std::string, std::string>> vistas;  // key: caption and unit
    for (const Respuestas& a : respuestas) {
        TProblema p;
        p.codigo = a.codigo;
        p.chorro = a.chorro;
        if (a.longPlat) p.textos["EstrLongPlat"] = a.longPlat;
        TResultado r;
        try {
            ResolverProblema(p, r);
        } catch (const ErrorChorro&) {
            r.filas = FilasResultados(r.d.CodiProb, r.d, r.panel);
        }
        const std::vector<TClaveFila> claves = ClavesDeFilas(r.d.CodiProb);
        ASSERT_EQ(claves.size(), r.filas.size()) << r.d.CodiProb;
        for (std::size_t i = 0; i < claves.size(); ++i) {
            SCOPED_TRACE(std::to_string(r.d.CodiProb) + " " + r.filas[i].tallo);
            EXPECT_EQ(claves[i].tallo, r.filas[i].tallo);
            EXPECT_EQ(claves[i].etiqueta, r.filas[i].etiqueta);
            EXPECT_EQ(claves[i].unidad, r.filas[i].unidad);
            const std::string clave(claves[i].clave);
            EXPECT_TRUE(std::all_of(clave.begin(), clave.end(),
                                    [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'; }))
                << clave;
            const auto [it, nueva] = vistas.try_emplace(clave, r.filas[i].etiqueta, r.filas[i].unidad);
            EXPECT_EQ(it->second, std::make_pair(r.filas[i].etiqueta, r.filas[i].unidad)) << clave;
        }
    }
    EXPECT_EQ(vistas.size(), TodasLasClaves().size());
    const auto columnas = ColumnasLote(TColumnasLote::Claves);
    EXPECT_EQ(std::set<std::string>(columnas.begin(), columnas.end()).size(), columnas.size());
}

namespace {

// An input handed out in pieces, as a pipe gives what has been written so
// far: after each piece nothing more is ready (in_avail() is 0), and before
// the next one `antes(i)` is called.  After the last piece the input ends,
// or its read fails with `error`.
class TEntradaPorPartes : public std::streambuf {
public:
    TEntradaPorPartes(std::vector<std::string> partes, std::function<void(std::size_t)> antes,
                      std::optional<std::string> error = {})
        : partes_(std::move(partes)), antes_(std::move(antes)), error_(std::move(error)) {}

protected:
    int_type underflow() override {
        if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
        if (siguiente_ == partes_.size()) {
            if (error_) throw std::runtime_error(*error_);
            return traits_type::eof();
        }
        antes_(siguiente_);
        std::string& p = partes_[siguiente_++];
        setg(p.data(), p.data(), p.data() + p.size());
        return traits_type::to_int_type(*gptr());
    }
    std::streamsize showmanyc() override { return 0; }

private:
    std::vector<std::string> partes_;
    std::function<void(std::size_t)> antes_;
    std::optional<std::string> error_;
    std::size_t siguiente_ = 0;
};

// An output that takes `cabe` bytes and then fails.
class TSalidaLimitada : public std::streambuf {
public:
    explicit TSalidaLimitada(std::size_t cabe) : cabe_(cabe) {}
    std::string escrito;

protected:
    int_type overflow(int_type c) override {
        if (escrito.size() >= cabe_) return traits_type::eof();
        escrito += traits_type::to_char_type(c);
        return c;
    }

private:
    std::size_t cabe_;
};

std::string Pilas(int n) {
    std::string csv = "codigo,FlujCaud,EstrFactFormKs,EstrFactGrup\n";
    for (int i = 0; i < n; ++i) csv += "22," + std::to_string(1000 + i) + ",1,1\n";
    return csv;
}

}  // namespace

// Each block goes out as soon as it has run: the lines typed so far are
// answered while the input is still open.
TEST(Lote, SalidaMientrasLaEntradaSigueAbierta) {
    std::ostringstream out;
    std::vector<std::string> vistas;
    TEntradaPorPartes partes({"codigo,FlujCaud\n22,3000\n", "22,1500\n", "22,2000\n"},
                             [&](std::size_t) { vistas.push_back(out.str()); });
    std::istream in(&partes);
    const TResumenLote r = EjecutarLote(in, out);
    EXPECT_EQ(r.corte, TCorteLote::Ninguno);
    EXPECT_EQ(r.casos, 3u);
    ASSERT_EQ(vistas.size(), 3u);
    EXPECT_EQ(vistas[0], "");
    const auto lineas = [](const std::string& s) { return std::count(s.begin(), s.end(), '\n'); };
    EXPECT_EQ(lineas(vistas[1]), 2);  // the header and the first case, before the second is read
    EXPECT_NE(vistas[1].find("\n22,3000,Problema de la Pila,"), std::string::npos) << vistas[1];
    EXPECT_EQ(lineas(vistas[2]), 3);
    EXPECT_EQ(lineas(out.str()), 4);
}

// A read that fails ends the batch after the lines read before it, with
// the reason, never as a batch that ended; the line cut by it is not run.
TEST(Lote, LecturaQueFalla) {
    std::ostringstream out;
    TEntradaPorPartes partes({"\ncodigo,FlujCaud\n22,3000\n", "22,15"}, [](std::size_t) {}, "disco dañado");
    std::istream in(&partes);
    std::vector<std::size_t> avances;
    TOpcionesLote o;
    o.avance = [&](std::size_t h) { avances.push_back(h); };
    const TResumenLote r = EjecutarLote(in, out, o);
    EXPECT_EQ(r.corte, TCorteLote::Entrada);
    EXPECT_EQ(r.motivo, "disco dañado");
    EXPECT_EQ(r.lineas, 3u);
    EXPECT_EQ(r.casos, 1u);
    EXPECT_EQ(r.fallidos, 0u);
    const std::string escrito = out.str();
    EXPECT_EQ(std::count(escrito.begin(), escrito.end(), '\n'), 2);

    // Before the header.
    std::ostringstream nada;
    TEntradaPorPartes antes({"\n"}, [](std::size_t) {}, "disco dañado");
    std::istream in2(&antes);
    const TResumenLote r2 = EjecutarLote(in2, nada);
    EXPECT_EQ(r2.corte, TCorteLote::Entrada);
    EXPECT_EQ(r2.fallidos, 0u);
    EXPECT_EQ(nada.str(), "");
}

// An output that fails stops the batch at the end of the block being
// written: the rest of the input is neither read nor run.
TEST(Lote, EscrituraQueFalla) {
    for (std::size_t cabe : {std::size_t(0), std::size_t(1000), std::size_t(300000)}) {
        SCOPED_TRACE(cabe);
        std::istringstream in(Pilas(20000));
        TSalidaLimitada limitada(cabe);
        std::ostream out(&limitada);
        const TResumenLote r = EjecutarLote(in, out);
        EXPECT_EQ(r.corte, TCorteLote::Salida);
        EXPECT_LE(r.casos, cabe < 1000 ? 0u : 8192u);
        EXPECT_EQ(limitada.escrito.size(), cabe);
    }
}

// A table of cells runs as the same lines of a CSV batch: each good case's
// cells are those of its output line (numbers in full with
// numerosCompletos), a bad one carries the line's message; a header that
// cannot be used is refused before any case runs.
TEST(Lote, TablaComoElCsv) {
    const std::vector<std::string> columnas{"codigo", "FlujCaud", "EstrAnchPila", "EstrFactFormKs", "EstrFactGrup"};
    const std::vector<std::vector<std::string>> casos{
        {"22", "1000", "5", "1", "1"}, {"22", "1000", "abc", "1", "1"}, {"31", "500", "", "", ""},
        {"22", "1000", "1", "1"}, {"22", "-5", "5", "1", "1"}, {"22", "2000", "1.5", "1", "1"}};
    std::string csv = "codigo,FlujCaud,EstrAnchPila,EstrFactFormKs,EstrFactGrup\n";
    for (const auto& c : casos) {
        for (std::size_t i = 0; i < c.size(); ++i) csv += (i ? "," : "") + c[i];
        csv += '\n';
    }
    TOpcionesLote opciones;
    opciones.numerosCompletos = true;
    const Lote lote(csv, opciones);
    std::map<std::size_t, std::string> lineas, fallos;  // by case index
    const auto salida = lote.Lineas();
    for (const TFalloLote& f : lote.resumen.fallos) fallos[f.linea - 2] = f.mensaje;
    for (std::size_t i = 0, j = 1; i < casos.size(); ++i)
        if (!fallos.count(i)) lineas[i] = salida.at(j++);
    ASSERT_EQ(fallos.size(), 3u);

    std::map<std::size_t, TCasoTabla> tabla;
    std::mutex m;
    EjecutarTabla(
        columnas, casos.size(), [&](std::size_t i, std::vector<std::string>& c) { c = casos[i]; },
        [&](std::size_t i, TCasoTabla& caso) {
            const std::lock_guard<std::mutex> l(m);
            tabla[i] = std::move(caso);
        });
    ASSERT_EQ(tabla.size(), casos.size());
    const std::size_t fijas = ColumnasLote(TColumnasLote::Claves).size() - 1;
    for (const auto& [i, caso] : tabla) {
        SCOPED_TRACE(i);
        if (fallos.count(i)) {
            EXPECT_EQ(caso.error, fallos[i]);
            continue;
        }
        ASSERT_FALSE(caso.error);
        std::vector<std::string> celdas(fijas);
        for (const auto& [c, celda] : caso.celdas) celdas.at(c) = celda.numero ? TextoValor(*celda.numero) : celda.texto;
        std::string linea;
        for (const std::string& x : casos[i]) linea += x + ",";
        linea += caso.titulo;
        for (const std::string& x : celdas) linea += "," + x;
        // The warnings quoted as the CSV writes a cell with a separator or a
        // quote (the gradation factor's warning holds both).
        std::string avisos = caso.avisos;
        if (avisos.find_first_of(",\"") != std::string::npos) {
            for (std::size_t k = 0; (k = avisos.find('"', k)) != std::string::npos; k += 2) avisos.insert(k, "\"");
            avisos = "\"" + avisos + "\"";
        }
        EXPECT_EQ(linea + "," + avisos, lineas[i]);
    }

    bool llamada = false;
    EXPECT_THROW(EjecutarTabla({"codigo", "Caudal"}, 1, [&](std::size_t, std::vector<std::string>&) { llamada = true; },
                               [](std::size_t, TCasoTabla&) {}),
                 std::invalid_argument);
    EXPECT_FALSE(llamada);
}
