// The folder of saved problems: what the open window lists and filters.
#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

#include "problem/untArchivo.h"
#include "results/untBiblioteca.h"

TEST(Biblioteca, TipoDeCadaCodigo) {
    struct Caso { ProblemCode codigo; std::optional<int> tipo; };
    const Caso casos[] = {
        {111, 0}, {121, 0}, {211, 1}, {212, 1}, {22, 2}, {1121, 3}, {1122, 4}, {122, 5}, {31, 6},
        {0, std::nullopt}, {2, std::nullopt}, {11, std::nullopt}, {112, std::nullopt}, {32, std::nullopt},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.codigo);
        EXPECT_EQ(TipoDeCodigo(c.codigo), c.tipo);
    }
    EXPECT_EQ(TiposProblema()[6].nombre, "PAG");
}

// A folder with a pier, a wide culvert, an unclassified problem, one whose
// protection check faults, a damaged file, and files the listing leaves out
// (other extension, a folder).
TEST(Biblioteca, ListarYFiltrar) {
    const auto dir = std::filesystem::temp_directory_path() / ("turmado-biblioteca-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir / "sub.turmado");
    auto escribir = [&](const char* nombre, ProblemCode codigo, const char* longPlat, const char* tirante = "1.2") {
        TArchivoProblema a;
        a.problema.codigo = codigo;
        a.problema.textos["EstrLongPlat"] = longPlat;
        a.problema.textos["FlujTiraRest"] = tirante;
        a.guardado = "2025-01-0" + std::to_string(codigo % 7) + " 08:00";
        std::ofstream(dir / nombre) << EscribirArchivoProblema(a);
    };
    escribir("b-pila.turmado", 22, "8.75");
    escribir("a-compuerta.turmado", 12, "4");
    escribir("c-sin-estructura.turmado", 2, "8.75");
    escribir("e-tirante-enorme.turmado", 12, "8.75", "1e308");
    std::ofstream(dir / "d-cortado.turmado") << "{\"formato\": \"turmado-problema\", ";
    std::ofstream(dir / "notas.txt") << "no es un problema";

    const auto lista = ListarProblemas(dir);
    ASSERT_EQ(lista.size(), 5u);
    struct Esperado { const char* nombre; const char* titulo; ProblemCode codigo; bool error; };
    const Esperado esperados[] = {
        {"a-compuerta", "Problema Alcantarilla Ancha", 122, false},
        {"b-pila", "Problema de la Pila", 22, false},
        {"c-sin-estructura", "Sin clasificar", 0, false},
        {"d-cortado", "No se puede abrir: el archivo está incompleto: termina antes de tiempo", 0, true},
        {"e-tirante-enorme", "Sin clasificar", 0, false},
    };
    for (std::size_t i = 0; i < lista.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(lista[i].nombre, esperados[i].nombre);
        EXPECT_EQ(lista[i].titulo, esperados[i].titulo);
        EXPECT_EQ(lista[i].codigo, esperados[i].codigo);
        EXPECT_EQ(lista[i].error.has_value(), esperados[i].error);
    }
    EXPECT_EQ(lista[1].guardado, "2025-01-01 08:00");

    auto visibles = [&](bool todos, std::array<bool, 7> tipos) {
        std::string r;
        for (const auto& e : lista)
            if (EntradaVisible(e, todos, tipos)) r += e.nombre.substr(0, 1);
        return r;
    };
    EXPECT_EQ(visibles(true, {}), "abcde");
    EXPECT_EQ(visibles(false, {}), "abcde");  // no box checked: no filter
    EXPECT_EQ(visibles(false, {false, false, true}), "b");                          // PPi
    EXPECT_EQ(visibles(false, {false, false, true, false, false, true}), "ab");     // PPi and PAC
    EXPECT_EQ(visibles(false, {true, true, false, true, true, false, true}), "");  // the others
    EXPECT_EQ(visibles(true, {false, false, true}), "abcde");                        // "Todos" wins

    EXPECT_TRUE(ListarProblemas(dir / "no-existe").empty());
    std::filesystem::remove_all(dir);
}
