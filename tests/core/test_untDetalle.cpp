// The calculation detail: what it shows of a computed problem of each code
// against the record, what it leaves out when the record holds values of an
// earlier calculation, the numbers and the text it prints, and its pages in
// the report.
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../registro.h"
#include "problema.h"
#include "results/untDetalle.h"
#include "results/untReporte.h"

namespace {

std::uint64_t Bits(double v) {
    std::uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

const TSeccionDetalle* Seccion(const TDetalleCalculo& detalle, const std::string& titulo) {
    for (const TSeccionDetalle& s : detalle.secciones)
        if (s.titulo == titulo) return &s;
    return nullptr;
}

const TTerminoDetalle* Buscar(const std::vector<TTerminoDetalle>& lista, const std::string& simbolo) {
    for (const TTerminoDetalle& t : lista)
        if (t.simbolo == simbolo) return &t;
    return nullptr;
}

bool Contiene(const std::vector<std::string>& notas, const std::string& parte) {
    for (const std::string& n : notas)
        if (n.find(parte) != std::string::npos) return true;
    return false;
}

struct TFormulaEsperada {
    std::string titulo;
    std::string campoErosion;        // the record field of its equilibrium depth
    std::vector<std::string> claves;  // symbols its terms must name
};

struct TCasoCodigo {
    ProblemCode codigo;
    TTextosCampos cambios;  // texts that make every formula of the code active
    std::string titulo;
    std::vector<TFormulaEsperada> formulas;
};

const std::vector<TCasoCodigo>& Casos() {
    static const std::vector<TCasoCodigo> casos{
        {22,
         {{"EstrFactFormKs", "1"}, {"EstrFactGrup", "1"}, {"SediAnguRepo", "30"}},
         "Problema de la Pila",
         {{"Breusers", "PPi.OutpErosMaxi1", {"U / Uc", "K", "Kg", "Kθ", "Kσ", "σ", "Ks", "b", "h", "φ"}},
          {"CSU", "PPi.OutpErosMaxi2", {"Fr", "K", "Kσ", "σ", "b", "h"}},
          {"Johnson", "PPi.OutpErosMaxi3", {"Fr", "K", "σ", "b", "h"}}}},
        {31,
         {},
         "Problema Alcantarilla Angosta",
         {{"Rajaratnam y Berry", "PAG.OutpErosMaxi1", {"D", "V", "Fo", "Δ"}},
          {"Ruff", "PAG.OutpErosMaxi2", {"D", "Q", "g"}},
          {"Breusers", "PAG.OutpErosMaxi3", {"D", "V", "u*c"}},
          {"Hoffmans", "PAG.OutpErosMaxi4", {"d90", "c2", "V", "U", "Q", "g"}}}},
        {111, {}, "Problema Vórtice Confinado", {{"Dietz", "PVC.ErosLechVivo", {"D", "Lp", "Cp", "r0", "α", "ye", "qt", "n"}}}},
        {121, {}, "Problema Vórtice Confinado", {{"Dietz", "PVC.ErosLechVivo", {"a", "D", "Lp", "r0", "α", "αt", "qb"}}}},
        {122,
         {{"SediAnguRepo", "30"}},
         "Problema Alcantarilla Ancha",
         {{"Qayoum", "PAC.OutpErosMaxi1", {"q", "ΔH", "h", "g", "d90"}},
          {"Altinbilek y Basmaci", "PAC.OutpErosMaxi2", {"y1", "φ", "d50", "F1", "Δ"}},
          {"Breusers", "PAC.OutpErosMaxi3", {"y1", "V1", "u*c"}},
          {"Hoffmans", "PAC.OutpErosMaxi4", {"c2", "y1", "U", "V1"}}}},
        {211, {}, "Problema Estribo/Espigón Protegido", {{"Dietz", "PEP.OutpErosMaxi1", {"β", "Lp", "m", "U", "Uc", "h"}}}},
        {212,
         {{"EstrFactCurv", "1"},
          {"EstrFactFormKs", "1"},
          {"EstrFactAngu", "1"},
          {"EstrFactPoro", "1"},
          {"EstrFactFormKl", "2.15"},
          {"EstrFactFormKb", "3"}},
         "Problema Estribo/Espigón",
         {{"Ahmad", "PEs.OutpErosMaxi1", {"K", "Kc", "Ks", "Ka", "Kn", "g", "q", "m", "h"}},
          {"Liu", "PEs.OutpErosMaxi2", {"Kl", "h", "L", "Fr"}},
          {"Dietz", "PEs.OutpErosMaxi3", {"β", "m", "U", "Uc", "h"}},
          {"Breusers", "PEs.OutpErosMaxi4", {"Kb", "L", "h", "m"}}}},
        {1121,
         {{"SediAnguRepo", "30"}},
         "Problema del escalón",
         {{"Bornmann y Julien", "PEn.OutpErosMaxi1", {"φ", "θ", "q", "Vj", "Δ", "g", "d90", "D"}}}},
        {1122,
         {{"SediAnguRepo", "30"}},
         "Problema Chorro Zambullido",
         {{"Bornmann y Julien", "PCZ.OutpErosMaxi1", {"φ", "θ", "q", "Vj", "d90"}},
          {"Fahlbusch", "PCZ.OutpErosMaxi2", {"c2", "q", "Vj", "θ", "g"}}}},
    };
    return casos;
}

}  // namespace

// One problem of each code with every formula active: the common section,
// then one section per formula in slot order, each with its equation, the
// terms its equation names (one quantity per symbol) and its equilibrium
// depth; every value read from
// the record equals the field it names, and the time scale, where there is
// one, is the block's own.
TEST(Detalle, CadaCodigoContraSuRegistro) {
    for (const TCasoCodigo& caso : Casos()) {
        SCOPED_TRACE(caso.codigo);
        Problema p(caso.codigo, caso.cambios);
        ASSERT_TRUE(p.Calcular());
        ASSERT_EQ(p.d.CodiProb, caso.codigo);
        const TDetalleCalculo detalle = DetalleCalculo(p.d, p.panel, p.manning);
        EXPECT_EQ(detalle.titulo, caso.titulo);

        const auto registro = Registro(p.d);
        for (const TSeccionDetalle& s : detalle.secciones) {
            std::map<std::string, std::string> nombres;  // one quantity per symbol within a section
            for (const auto* lista : {&s.terminos, &s.resultados})
                for (const TTerminoDetalle& t : *lista) {
                    SCOPED_TRACE(s.titulo + ": " + t.simbolo);
                    EXPECT_FALSE(t.nombre.empty());
                    EXPECT_EQ(nombres.emplace(t.simbolo, t.nombre).first->second, t.nombre);
                    if (t.campo.empty()) continue;  // a ratio of the detail alone
                    const auto it = registro.find(t.campo);
                    ASSERT_NE(it, registro.end()) << t.campo;
                    EXPECT_EQ(Bits(t.valor), it->second) << t.campo;  // the record's value to the last bit
                }
        }

        ASSERT_EQ(detalle.secciones.size(), 1 + caso.formulas.size());
        const TSeccionDetalle& comun = detalle.secciones[0];
        EXPECT_EQ(comun.titulo, kTituloCalculoComun);
        EXPECT_EQ(comun.ranura, 0);
        for (const char* simbolo : {"ν", "q", "Δ", "D*", "θc", "u*c", "U", "u*", "θ", "Fr", "Re", "Uc"})
            EXPECT_NE(Buscar(comun.terminos, simbolo), nullptr) << simbolo;
        EXPECT_TRUE(Contiene(comun.notas, "Condición de transporte: Lecho vivo"));

        int ranuraAnterior = 0;
        for (std::size_t i = 0; i < caso.formulas.size(); ++i) {
            const TFormulaEsperada& f = caso.formulas[i];
            const TSeccionDetalle& s = detalle.secciones[i + 1];
            SCOPED_TRACE(f.titulo);
            EXPECT_EQ(s.titulo, f.titulo);
            EXPECT_GT(s.ranura, ranuraAnterior);
            ranuraAnterior = s.ranura;
            EXPECT_FALSE(s.ecuacion.empty());
            const TTerminoDetalle* ys = Buscar(s.resultados, "ys");
            ASSERT_NE(ys, nullptr);
            EXPECT_EQ(ys->campo, f.campoErosion);
            for (const std::string& simbolo : f.claves) EXPECT_NE(Buscar(s.terminos, simbolo), nullptr) << simbolo;
            if (const TTerminoDetalle* t = Buscar(s.resultados, "T")) {
                EXPECT_EQ(t->campo.substr(t->campo.find('.')), ".ErosTiemRefe");
            }
        }
    }
}

// The pier of the command line's example: d50 5 mm and d84 27 mm give
// σ = 27 / 5 = 5.4 and Kσ = 1.0417 · 5.4^(−1.1841) = 0.141421; a square
// attack (θ = 0) gives Kθ = 1 and so K = Kσ.  Without an angle of repose
// the failure lengths are off.
TEST(Detalle, PilaDeGrava) {
    Problema p(22, {{"SediDiamMedi", "5"},
                    {"SediDiam84N3", "27"},
                    {"EstrAnchPila", "1.8"},
                    {"EstrLongPila", "8.8"},
                    {"EstrFactFormKs", "1"},
                    {"EstrFactGrup", "1"}});
    ASSERT_TRUE(p.Calcular());
    const TDetalleCalculo detalle = DetalleCalculo(p.d, p.panel, true);
    ASSERT_EQ(detalle.secciones.size(), 4u);
    for (const char* formula : {"Breusers", "CSU", "Johnson"}) {
        SCOPED_TRACE(formula);
        const TSeccionDetalle* s = Seccion(detalle, formula);
        ASSERT_NE(s, nullptr);
        EXPECT_NEAR(Buscar(s->terminos, "σ")->valor, 5.4, 1e-12);
        EXPECT_NEAR(Buscar(s->terminos, "Kσ")->valor, 0.141421, 1e-6);
        EXPECT_EQ(Buscar(s->terminos, "Kθ")->valor, 1.0);
        EXPECT_NEAR(Buscar(s->terminos, "K")->valor, 0.141421, 1e-6);
        EXPECT_EQ(Buscar(s->resultados, "L"), nullptr);
    }
    const std::string texto = TextoDetalle(detalle);
    for (const char* linea : {"    Desviación geométrica de la granulometría: σ = d84 / d50 = 5.4\n",
                              "    Factor de granulometría: Kσ = 1.0417 · σ^(−1.1841)  [σ ≥ 0.25] = 0.141421\n",
                              "    ys = 2 · K · h · Fr^0.43 · (b / h)^0.65\n",
                              "    ys = 2.02 · K · h · Fr^0.21 · σ^(−0.24) · (b / h)^0.65\n"})
        EXPECT_NE(texto.find(linea), std::string::npos) << linea << "\n---\n" << texto;
}

// A value the record keeps from an earlier calculation never shows: a
// first calculation writes it, a second one under other data does not
// rewrite it, and the detail of the second leaves it out (with a note where
// the formula is there but the value is not).
TEST(Detalle, ValoresDeUnCalculoAnterior) {
    struct TCaso {
        const char* nombre;
        ProblemCode codigo;
        TTextosCampos primero, segundo;
        std::string formula;   // section to look at; empty: that no section has this title
        std::string ausente;   // result symbol that must not show
        std::string nota;      // part of a note the section must carry ("" none)
        std::string sinSeccion;  // a formula that must have no section
    };
    const TTextosCampos pila{{"EstrFactFormKs", "1"}, {"EstrFactGrup", "1"}, {"SediAnguRepo", "30"}};
    TTextosCampos pilaSinReposo = pila;
    pilaSinReposo["SediAnguRepo"] = "";
    TTextosCampos pilaLenta = pila;
    pilaLenta["FlujCaud"] = "100";
    TTextosCampos pilaSinD84 = pila;
    pilaSinD84["SediDiam84N3"] = "";
    const TTextosCampos estribo{{"EstrFactFormKb", "3"}};
    TTextosCampos estriboLento = estribo;
    estriboLento["FlujCaud"] = "500";
    const TCaso casos[] = {
        {"falla sin la ranura 4", 22, pila, pilaSinReposo, "CSU", "L", "", ""},
        {"pila con √2·U ≤ Uc", 22, pila, pilaLenta, "Breusers", "T", "√2 · U ≤ Uc", ""},
        {"Johnson sin d84", 22, pila, pilaSinD84, "CSU", "", "", "Johnson"},
        {"Breusers del estribo en aguas claras", 212, estribo, estriboLento, "Breusers", "ys", "U ≤ Uc", ""},
    };
    for (const TCaso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Problema p(c.codigo, c.primero);
        ASSERT_TRUE(p.Calcular());
        for (const auto& [nombre, texto] : c.segundo) p.textos[nombre] = texto;
        p.Activar();
        ASSERT_TRUE(p.Calcular());
        const TDetalleCalculo detalle = DetalleCalculo(p.d, p.panel, true);
        const TSeccionDetalle* s = Seccion(detalle, c.formula);
        ASSERT_NE(s, nullptr);
        if (!c.ausente.empty()) {
            EXPECT_EQ(Buscar(s->resultados, c.ausente), nullptr);
        }
        if (!c.nota.empty()) {
            EXPECT_TRUE(Contiene(s->notas, c.nota));
        }
        if (!c.sinSeccion.empty()) {
            EXPECT_EQ(Seccion(detalle, c.sinSeccion), nullptr);
        }
    }
}

// With "Altura de rugosidad" the Manning coefficient is derived from ks.
TEST(Detalle, CoeficienteDeManningDeLaRugosidad) {
    Problema p(22, {{"EstrFactFormKs", "1"}, {"EstrFactGrup", "1"}, {"AltuRugoCauc", "150"}});
    p.manning = false;
    ASSERT_TRUE(p.Calcular());
    const TSeccionDetalle& comun = DetalleCalculo(p.d, p.panel, false).secciones[0];
    ASSERT_NE(Buscar(comun.terminos, "ks"), nullptr);
    EXPECT_EQ(Buscar(comun.terminos, "ks")->valor, 0.15);
    EXPECT_FALSE(Buscar(comun.terminos, "n")->expresion.empty());
    const TSeccionDetalle& tecleado = DetalleCalculo(p.d, p.panel, true).secciones[0];
    EXPECT_EQ(Buscar(tecleado.terminos, "ks"), nullptr);
    EXPECT_TRUE(Buscar(tecleado.terminos, "n")->expresion.empty());
}

TEST(Detalle, Numeros) {
    const struct {
        double valor;
        const char* texto;
    } casos[] = {
        {5.4, "5.4"},
        {27e-3 / 5e-3, "5.4"},  // 5.3999999999999995
        {0.14142142635401145, "0.141421"},
        {2.698460001, "2.69846"},
        {9.9999996, "10"},     // rounds up to a new digit
        {6e6, "6000000"},
        {123456789.4, "123456789"},  // integer digits in full
        {1e9, "1e9"},
        {0.0001, "0.0001"},
        {0.00001234567, "1.23457e-5"},
        {1e-6, "1e-6"},
        {-2.5, "-2.5"},
        {0, "0"},
        {-0.0, "0"},
    };
    for (const auto& c : casos) EXPECT_EQ(NumeroDetalle(c.valor), c.texto) << c.valor;
}

// The text of a small detail: title, common terms without a sub-heading,
// a formula's equation, terms, results and note, indented by level.
TEST(Detalle, Texto) {
    TDetalleCalculo d{"Problema X",
                      {{kTituloCalculoComun, 0, {}, {{"Caudal", "Q", 3000, "m³/s", "", "FlujCaud"}}, {}, {"Nota común."}},
                       {"Fórmula", 2, {"ys = 2 · h"}, {{"Tirante", "h", 1.2, "m", "", "FlujTiraRest"}},
                        {{"Erosión máxima de equilibrio", "ys", 2.4, "m", "2 · h", ""}}, {"Nota."}}}};
    EXPECT_EQ(TextoDetalle(d),
              "Detalle del cálculo: Problema X\n"
              "\n"
              "Cálculo común\n"
              "  Caudal: Q = 3000 m³/s\n"
              "  Nota común.\n"
              "\n"
              "Fórmula\n"
              "  Ecuación:\n"
              "    ys = 2 · h\n"
              "  Términos:\n"
              "    Tirante: h = 1.2 m\n"
              "  Resultados:\n"
              "    Erosión máxima de equilibrio: ys = 2 · h = 2.4 m\n"
              "  Nota.\n");
}

// The report's pages of the detail: a detail too long for one page goes on
// over continuation pages, the section's heading repeated; every line of
// the detail is printed once, in order, above the foot.
TEST(Detalle, PaginasDelReporte) {
    TSeccionDetalle larga{"Larga", 1, {"ys = 1"}, {}, {}, {}};
    for (int i = 0; i < 150; ++i) larga.terminos.push_back({"Término " + std::to_string(i), "x", 1.0 * i, "m", "", ""});
    const TDetalleReporte corto{{"Problema X", {{kTituloCalculoComun, 0, {}, {}, {}, {"Nota."}}}}, "2024-05-31"};
    const TDetalleReporte largo{{"Problema X", {{kTituloCalculoComun, 0, {}, {}, {}, {"Nota."}}, larga}}, "2024-05-31"};

    EXPECT_EQ(DisponerPaginasDetalle(corto, "Problema X").size(), 1u);
    const auto paginas = DisponerPaginasDetalle(largo, "Problema X");
    ASSERT_GE(paginas.size(), 3u);
    std::vector<std::string> impresas;
    for (std::size_t n = 0; n < paginas.size(); ++n) {
        SCOPED_TRACE(n);
        const std::vector<TItemReporte>& pagina = paginas[n];
        ASSERT_GE(pagina.size(), 4u);
        EXPECT_EQ(pagina[0].texto, n == 0 ? kTituloDetalle : kTituloDetalleContinuacion);
        EXPECT_EQ(pagina[0].fuente, TFuenteReporte::Titulo);
        EXPECT_EQ(pagina[1].texto, "Fecha: 2024-05-31");
        EXPECT_EQ(pagina[2].texto, "Problema X");
        if (n > 0) {
            EXPECT_EQ(pagina[3].texto, "Larga (continuación)");
            EXPECT_EQ(pagina[3].fuente, TFuenteReporte::Encabezado);
        }
        int y = 0;
        for (std::size_t i = 3; i < pagina.size(); ++i) {
            const TItemReporte& item = pagina[i];
            EXPECT_GE(item.y, y);
            y = item.y;
            if (item.fuente == TFuenteReporte::Caja) {
                EXPECT_LT(item.y + item.alto, pagina[1].y);
                impresas.push_back(item.texto);
            } else if (item.texto.find("(continuación)") == std::string::npos) {
                impresas.push_back(item.texto);
            }
        }
    }
    std::vector<std::string> esperadas;
    for (const TLineaDetalle& l : LineasDetalle(largo.detalle))
        if (l.tipo != TLineaDetalle::TTipo::Titulo) esperadas.push_back(l.texto);
    EXPECT_EQ(impresas, esperadas);
}
