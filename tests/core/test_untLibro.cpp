// Tables as workbooks and files written in one step.  The workbook's cells
// are read back from its zip by tests/libro/test_libro.py; here the parts
// that need no reader: names, units, the temporary file and its rename, the
// sheet's row limit.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "results/untLibro.h"

namespace {

std::string Leer(const std::filesystem::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

// A scratch folder, removed with it.
struct Carpeta {
    std::filesystem::path dir;
    Carpeta() {
        static std::mt19937_64 azar{std::random_device{}()};
        do dir = std::filesystem::temp_directory_path() / ("turmado-libro-" + std::to_string(azar()));
        while (!std::filesystem::create_directories(dir));
    }
    ~Carpeta() { std::filesystem::remove_all(dir); }
    std::size_t Archivos() const {
        return std::size_t(std::distance(std::filesystem::directory_iterator(dir), {}));
    }
};

}  // namespace

TEST(Libro, NombreDeLibro) {
    for (const char* si : {"r.xlsx", "R.XLSX", "/a/b.c/Resultado.XlSx", ".xlsx"}) EXPECT_TRUE(EsNombreLibro(si)) << si;
    for (const char* no : {"r.csv", "r.xls", "r.xlsx.csv", "xlsx", "r.xlsxx", ""}) EXPECT_FALSE(EsNombreLibro(no)) << no;
}

// The unit of the second header row: from the batch's keys, the data
// fields, the results rows' captions and the chart's "(unit)" names.
TEST(Libro, UnidadDeCadaColumna) {
    struct Caso {
        const char* nombre;
        const char* unidad;
    };
    const Caso casos[] = {
        {"ys_pila_csu_m", "m"},
        {"lf_vortice_dietz_m", "m"},
        {"vc_m_s", "m/s"},
        {"qs_m2_s", "m^2/s"},
        {"talud_grados", "º"},
        {"shields", ""},
        {"transporte", ""},
        {"FlujCaud", "m^3/s"},
        {"SediDiamMedi", "mm"},
        {"AguaTemp", "°C"},
        {"Erosión máxima de equilibrio (CSU)", "m"},
        {"Velocidad crítica de erosión", "m/s"},
        {"CSU: tiempo (hs)", "hs"},
        {"Rajaratnam y Berry: erosión (m)", "m"},
        {"Erosión máxima (CSU) rara", ""},
        {"titulo", ""},
        {"validez_pila_csu", ""},
        {"validez1", ""},
        {"avisos_datos", ""},
        {"Avisos de datos", ""},
        {"sitio", ""},
        {"ys_medida_m", "m"},      // a key of no results row, named the same way
        {"p95_pila_csu_m", "m"},
        {"u_m_s", "m/s"},
        {"_m", ""},
        {"Ys_medida_m", ""},       // not a key
        {"ys_medida", ""},
    };
    for (const Caso& c : casos) EXPECT_EQ(UnidadColumna(c.nombre), c.unidad) << c.nombre;
}

TEST(Libro, Procedencia) {
    const TProcedencia p = Procedencia("turmado-calc", {{"Orden", "turmado-calc --lote x.csv"}});
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(p[0], (std::pair<std::string, std::string>{"Programa", "turmado-calc"}));
    EXPECT_EQ(p[1].first, "Versión");
    EXPECT_FALSE(p[1].second.empty());
    EXPECT_NE(p[1].second, "?");
    EXPECT_EQ(p[2].first, "Fecha");
    EXPECT_EQ(p[2].second.size(), std::string("AAAA-MM-DD HH:MM").size());
    EXPECT_EQ(p[3].second, "turmado-calc --lote x.csv");
}

// The file appears under its name only when put in place, replacing the one
// that was there; otherwise nothing is left, not even the temporary file.
TEST(ArchivoSalida, EnUnPaso) {
    const Carpeta c;
    const std::filesystem::path ruta = c.dir / "r.csv";
    std::ofstream(ruta) << "viejo";
    {
        TArchivoSalida a(ruta);
        EXPECT_EQ(a.Temporal().parent_path(), c.dir);
        EXPECT_TRUE(std::filesystem::exists(a.Temporal()));
        std::ofstream(a.Temporal(), std::ios::binary) << "nuevo";
        EXPECT_EQ(Leer(ruta), "viejo");
    }
    EXPECT_EQ(Leer(ruta), "viejo");  // not put in place: the temporary file is gone
    EXPECT_EQ(c.Archivos(), 1u);
    {
        TArchivoSalida a(ruta);
        std::ofstream(a.Temporal(), std::ios::binary) << "nuevo";
        a.Poner();
    }
    EXPECT_EQ(Leer(ruta), "nuevo");
    EXPECT_EQ(c.Archivos(), 1u);
}

TEST(ArchivoSalida, Fallas) {
    const Carpeta c;
    try {
        TArchivoSalida a(c.dir / "no" / "r.csv");
        ADD_FAILURE() << "creado en una carpeta que no existe";
    } catch (const ErrorEscritura& e) {
        EXPECT_STREQ(e.what(), "no se puede crear el archivo: su carpeta no existe");
    }
    std::filesystem::create_directory(c.dir / "carpeta.csv");
    {
        TArchivoSalida a(c.dir / "carpeta.csv");
        EXPECT_THROW(a.Poner(), ErrorEscritura);
    }
    EXPECT_EQ(c.Archivos(), 1u);  // the folder alone
    EXPECT_TRUE(std::filesystem::is_directory(c.dir / "carpeta.csv"));
}

// A CSV file through TSalidaTabla: what was written, in one step.
TEST(SalidaTabla, Csv) {
    const Carpeta c;
    {
        TSalidaTabla t(c.dir / "t.csv");
        t.Flujo() << "a,b\n1,2\n";
        EXPECT_FALSE(std::filesystem::exists(c.dir / "t.csv"));
        t.Terminar({});
    }
    EXPECT_EQ(Leer(c.dir / "t.csv"), "a,b\n1,2\n");
    {
        TSalidaTabla t(c.dir / "u.csv");
        t.Flujo() << "a\n";
    }  // not finished: no file
    EXPECT_EQ(c.Archivos(), 1u);
}

#if TURMADO_XLSX

// A sheet holds 1,048,576 rows: a table with more results than fit fails
// with a message, and leaves no file.  Just under the limit goes through.
TEST(Libro, FilasDeMas) {
    const Carpeta c;
    std::string filas;
    for (std::size_t i = 0; i < kFilasLibroMaximo; ++i) filas += "1\n";
    EscribirLibro(c.dir / "lleno.xlsx", "n\n" + filas, {});
    EXPECT_TRUE(std::filesystem::exists(c.dir / "lleno.xlsx"));
    try {
        TLibroCsv libro(c.dir / "demasiado.xlsx");
        std::ostream flujo(&libro);
        flujo << "n\n" << filas << std::flush;
        EXPECT_TRUE(flujo);
        flujo << "1\n" << std::flush;
        EXPECT_FALSE(flujo);
        ASSERT_TRUE(libro.Fallo());
        EXPECT_STREQ(libro.Fallo()->what(),
                     "la tabla tiene más de 1048574 filas, más de las que caben en una hoja de Excel");
        libro.Terminar({});
        ADD_FAILURE() << "terminado";
    } catch (const ErrorEscritura& e) {
        EXPECT_STREQ(e.what(), "la tabla tiene más de 1048574 filas, más de las que caben en una hoja de Excel");
    }
    EXPECT_EQ(c.Archivos(), 1u);
}

#else

TEST(Libro, SinLibxlsxwriter) {
    const Carpeta c;
    EXPECT_FALSE(LibroDisponible());
    EXPECT_THROW(TSalidaTabla(c.dir / "r.xlsx"), ErrorEscritura);
    EXPECT_EQ(c.Archivos(), 0u);
}

#endif
