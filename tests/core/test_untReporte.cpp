// Layout of the one-page report.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "problema.h"
#include "problem/untCampos.h"
#include "results/untReporte.h"

namespace {

// Sections with n rows each; row i of section s reads "s.i", "v s.i", "u s.i".
TTextosReporte Secciones(const std::vector<int>& filas, std::optional<std::string> observaciones) {
    TTextosReporte t{"Problema", {}, std::move(observaciones), std::nullopt};
    for (int s = 0; s < int(filas.size()); ++s) {
        TSeccionReporte seccion{"Sección " + std::to_string(s), {}};
        for (int i = 1; i <= filas[s]; ++i) {
            const std::string n = std::to_string(s) + "." + std::to_string(i);
            seccion.filas.push_back({n, "v " + n, "u " + n});
        }
        t.secciones.push_back(seccion);
    }
    return t;
}

std::vector<int> Tops(const std::vector<TItemReporte>& items, TFuenteReporte fuente) {
    std::vector<int> y;
    for (const TItemReporte& i : items)
        if (i.fuente == fuente && (fuente != TFuenteReporte::Normal || i.x == kReporteColumnaEtiqueta))
            y.push_back(i.y);
    return y;
}

std::vector<int> Serie(int desde, int hasta) {
    std::vector<int> v;
    for (int y = desde; y <= hasta; y += 20) v.push_back(y);
    return v;
}

std::vector<int> Unir(std::initializer_list<std::vector<int>> partes) {
    std::vector<int> v;
    for (const auto& p : partes) v.insert(v.end(), p.begin(), p.end());
    return v;
}

}  // namespace

// Tops of the headings, the rows and the observations box for the row counts
// of several problem codes.  Pier with observations: 26 rows, the box ends
// at 870 + 85 = 955.
TEST(DisponerReporte, FilasPorCodigo) {
    struct Caso {
        const char* problema;
        std::vector<int> filas;  // rows per section
        bool observaciones;
        std::vector<int> encabezados;
        std::vector<int> renglones;
        int caja;  // top of the box, 0 for none
    };
    const Caso casos[] = {
        {"22 pila", {8, 1, 2, 5, 10}, true, {130, 330, 390, 470, 610, 850},
         Unir({Serie(150, 290), {350}, {410, 430}, Serie(490, 570), Serie(630, 810)}), 870},
        // The complementary heading stands alone; the results heading follows 40 lower.
        {"211 estribo protegido", {8, 1, 3, 0, 5}, false, {130, 330, 390, 490, 530},
         Unir({Serie(150, 290), {350}, Serie(410, 450), Serie(550, 630)}), 0},
        {"212 estribo", {8, 1, 3, 6, 8}, true, {130, 330, 390, 490, 650, 850},
         Unir({Serie(150, 290), {350}, Serie(410, 450), Serie(510, 610), Serie(670, 810)}), 870},
        {"31 alcantarilla angosta", {8, 1, 2, 1, 9}, false, {130, 330, 390, 470, 530},
         Unir({Serie(150, 290), {350}, {410, 430}, {490}, Serie(550, 710)}), 0},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.problema);
        const auto items =
            DisponerReporte(Secciones(c.filas, c.observaciones ? std::optional<std::string>("Nota") : std::nullopt));
        EXPECT_EQ(Tops(items, TFuenteReporte::Encabezado), c.encabezados);
        EXPECT_EQ(Tops(items, TFuenteReporte::Normal), c.renglones);
        const std::vector<int> caja = Tops(items, TFuenteReporte::Caja);
        EXPECT_EQ(caja, c.caja ? std::vector<int>{c.caja} : std::vector<int>{});
    }
}

// Every row is a caption at 150, a value right-aligned to end at 550 and a
// unit at 600 on one top, in the order of the texts, empty texts included;
// headings and the box in column 60; the title at (60, 50).
TEST(DisponerReporte, ColumnasYFuentes) {
    TTextosReporte t{"Problema de la Pila",
                     {{"Datos Globales", {{"Densidad", "1000", "[kg/m^3]"}, {"Temperatura ambiente", "20", "[°C]"}}},
                      {"Datos Complementarios", {{"Angulo de reposo", "", "[º]"}}},
                      {"Resultados", {{"Movilidad (Shields)", "0.1234", ""}}}},
                     "Línea 1\nLínea 2",
                     std::nullopt};
    const auto items = DisponerReporte(t);
    using F = TFuenteReporte;
    using A = TAlineacion;
    struct Esperado { std::string texto; F fuente; A alineacion; int x, y; };
    const std::vector<Esperado> esperados = {
        {"Problema de la Pila", F::Titulo, A::Izquierda, 60, 50},
        {"Datos Globales", F::Encabezado, A::Izquierda, 60, 130},
        {"Densidad", F::Normal, A::Izquierda, 150, 150},
        {"1000", F::Normal, A::Derecha, 550, 150},
        {"[kg/m^3]", F::Normal, A::Izquierda, 600, 150},
        {"Temperatura ambiente", F::Normal, A::Izquierda, 150, 170},
        {"20", F::Normal, A::Derecha, 550, 170},
        {"[°C]", F::Normal, A::Izquierda, 600, 170},
        {"Datos Complementarios", F::Encabezado, A::Izquierda, 60, 210},
        {"Angulo de reposo", F::Normal, A::Izquierda, 150, 230},
        {"", F::Normal, A::Derecha, 550, 230},
        {"[º]", F::Normal, A::Izquierda, 600, 230},
        {"Resultados", F::Encabezado, A::Izquierda, 60, 270},
        {"Movilidad (Shields)", F::Normal, A::Izquierda, 150, 290},
        {"0.1234", F::Normal, A::Derecha, 550, 290},
        {"", F::Normal, A::Izquierda, 600, 290},
        {"Observaciones", F::Encabezado, A::Izquierda, 60, 330},
        {"Línea 1\nLínea 2", F::Caja, A::Izquierda, 60, 350},
    };
    ASSERT_EQ(items.size(), esperados.size());
    for (size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(items[i].texto, esperados[i].texto);
        EXPECT_EQ(items[i].fuente, esperados[i].fuente);
        EXPECT_EQ(items[i].alineacion, esperados[i].alineacion);
        EXPECT_EQ(items[i].x, esperados[i].x);
        EXPECT_EQ(items[i].y, esperados[i].y);
    }
    EXPECT_EQ(items.back().ancho, 490);
    EXPECT_EQ(items.back().alto, 85);
}

// No observations: no heading and no box.  Observations typed and then
// deleted: the heading and an empty box.
TEST(DisponerReporte, Observaciones) {
    struct Caso { std::optional<std::string> observaciones; bool seccion; };
    const Caso casos[] = {{std::nullopt, false}, {"", true}, {"Suelo arenoso", true}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.observaciones.value_or("(ninguna)"));
        const auto items = DisponerReporte(Secciones({1}, c.observaciones));
        const auto caja = std::find_if(items.begin(), items.end(),
                                       [](const TItemReporte& i) { return i.fuente == TFuenteReporte::Caja; });
        const auto titulo = std::find_if(items.begin(), items.end(),
                                         [](const TItemReporte& i) { return i.texto == "Observaciones"; });
        EXPECT_EQ(caja != items.end(), c.seccion);
        EXPECT_EQ(titulo != items.end(), c.seccion);
        if (c.seccion && caja != items.end()) {
            EXPECT_EQ(caja->texto, *c.observaciones);
        }
    }
}

// The page that goes on with the observations: its heading on top, the
// rest in a box that wraps as the first page's does (same left edge and
// width) and runs down the page, clear of the foot with the problem title.
TEST(DisponerReporte, ContinuacionDeObservaciones) {
    const auto items = DisponerContinuacionObservaciones("resto\nde las notas", "Problema de la Pila");
    ASSERT_EQ(items.size(), 3u);
    const TItemReporte& titulo = items[0];
    const TItemReporte& caja = items[1];
    const TItemReporte& pie = items[2];
    EXPECT_EQ(titulo.texto, "Observaciones (continuación)");
    EXPECT_EQ(titulo.fuente, TFuenteReporte::Encabezado);
    EXPECT_EQ(caja.texto, "resto\nde las notas");
    EXPECT_EQ(caja.fuente, TFuenteReporte::Caja);
    const TItemReporte primera = DisponerReporte(Secciones({1}, "notas")).back();
    EXPECT_EQ(caja.x, primera.x);
    EXPECT_EQ(caja.ancho, primera.ancho);
    EXPECT_GT(caja.y, titulo.y + 15);             // below the heading's 10 pt line
    EXPECT_GT(caja.alto, 10 * primera.alto);      // most of the page
    EXPECT_LE(caja.y + caja.alto + 16, pie.y);    // a line clear of the foot
    EXPECT_EQ(pie.texto, "Problema de la Pila");
    EXPECT_EQ(pie.alineacion, TAlineacion::Derecha);
    EXPECT_EQ(pie.x, kReporteAnchoUtil);
    EXPECT_LE(pie.y + 16, kReporteAltoUtil);
}

TEST(NombreArchivoReporte, TituloYFecha) {
    struct Caso { const char* titulo; const char* fecha; const char* nombre; };
    const Caso casos[] = {
        {"Problema de la Pila", "2024-05-31", "Problema de la Pila 2024-05-31.pdf"},
        {"Problema Estribo/Espigón", "2024-05-31", "Problema Estribo-Espigón 2024-05-31.pdf"},
        {"a\\b:c*d?e\"f<g>h|i\tj", "2024-05-31", "a-b-c-d-e-f-g-h-i-j 2024-05-31.pdf"},
        {"", "2024-05-31", "Reporte 2024-05-31.pdf"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.titulo);
        EXPECT_EQ(NombreArchivoReporte(c.titulo, c.fecha), c.nombre);
    }
}

// The fields the report prints for each code: the global rows with the
// chosen roughness option as row 8, the depth, the structure rows of the
// second-level code and the complementary rows in the page's order.
TEST(CamposEntradas, FilasPorCodigo) {
    struct Caso {
        ProblemCode estructura, codigo;
        bool manning;
        std::vector<std::string> tallosEstructura, tallosComplementarios;
    };
    const Caso casos[] = {
        {22, 22, true, {"EstrAnchPila", "EstrLongPila"},
         {"SediDiam84N3", "SediAnguRepo", "EstrFactFormKs", "EstrFactGrup", "EstrAnguAtaq"}},
        {22, 22, false, {"EstrAnchPila", "EstrLongPila"},
         {"SediDiam84N3", "SediAnguRepo", "EstrFactFormKs", "EstrFactGrup", "EstrAnguAtaq"}},
        {31, 31, true, {"EstrDiamAper", "EstrCantAper"}, {"SediDiam90N3"}},
        {11, 111, true, {"EstrAltuSaltFond", "EstrLongPlat"}, {"CaucPoro", "EstrCoefMannPlat"}},
        {12, 121, true, {"EstrAltuAper", "EstrLongPlat"}, {"CaucPoro", "EstrCoefMannPlat"}},
        {12, 122, true, {"EstrAltuAper", "EstrLongPlat"}, {"SediDiam90N3", "SediAnguRepo", "FlujDifeCargRest"}},
        {21, 211, false, {"EstrLongEstr", "EstrAnchEstr", "EstrLongPlat"}, {}},
        {21, 212, true, {"EstrLongEstr", "EstrAnchEstr", "EstrLongPlat"},
         {"EstrFactCurv", "EstrFactFormKs", "EstrFactAngu", "EstrFactPoro", "EstrFactFormKb", "EstrFactFormKl"}},
        {11, 1121, true, {"EstrAltuSaltFond", "EstrLongPlat"},
         {"SediDiam90N3", "SediAnguRepo", "FlujDifeCargRest", "FlujAnguChorSupeLibr"}},
        {11, 1122, false, {"EstrAltuSaltFond", "EstrLongPlat"},
         {"SediDiam90N3", "SediAnguRepo", "FlujDifeCargRest", "FlujAnguChorSupeLibr"}},
    };
    const auto Nombres = [](const std::vector<std::string_view>& campos) {
        return std::vector<std::string>(campos.begin(), campos.end());
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::to_string(c.codigo) + (c.manning ? " Manning" : " rugosidad"));
        const auto secciones = CamposEntradas(c.estructura, c.codigo, c.manning);
        ASSERT_EQ(secciones.size(), 4u);
        const std::vector<std::string> global{"AguaDens",     "AguaTemp", "SediDensMate",
                                              "SediDiamMedi", "ForzAcelGrav", "FlujCaud",
                                              "CaucAnchCauc", c.manning ? "CaucCoefMannCauc" : "AltuRugoCauc"};
        EXPECT_EQ(std::string(secciones[0].titulo), "Datos Globales");
        EXPECT_EQ(Nombres(secciones[0].campos), global);
        EXPECT_EQ(std::string(secciones[1].titulo), "Datos Locales");
        EXPECT_EQ(Nombres(secciones[1].campos), std::vector<std::string>{"FlujTiraRest"});
        EXPECT_EQ(std::string(secciones[2].titulo), "Datos de Estructura");
        EXPECT_EQ(Nombres(secciones[2].campos), c.tallosEstructura);
        EXPECT_EQ(std::string(secciones[3].titulo), "Datos Complementarios");
        EXPECT_EQ(Nombres(secciones[3].campos), c.tallosComplementarios);
    }
}

// Which computed problems get the second page "Avisos y gráfico", and what
// it holds: the active formulas' states, the data warnings, the protection
// message, the chart.
TEST(PaginaAvisos, QueProblemasLaTienen) {
    struct Caso {
        const char* nombre;
        ProblemCode codigo;
        TTextosCampos cambios;
        bool pagina;
        std::size_t formulas, datos;
        bool proteccion, curvas;
    };
    const Caso casos[] = {
        // No formula active, so no curve; the example's d84/d50 = 2.35 warns
        // of the gradation factor.
        {"pila sin factores", 22, {}, true, 0, 1, false, false},
        // A narrowly graded bed: nothing to warn about, one page.
        {"pila de grava uniforme", 22, {{"SediDiam84N3", "100"}}, false, 0, 0, false, false},
        // d50 of 2 mm under the example's d84: two warnings; no curve comes
        // out of that sand, and the pier's formulas have no ranges.
        // The failure lengths' switch of slot 4, active with an angle of
        // repose, is no formula.
        {"pila de arena", 22,
         {{"SediDiamMedi", "2"}, {"EstrFactFormKs", "1"}, {"EstrFactGrup", "1"}, {"SediAnguRepo", "30"}}, true, 3, 2,
         false, false},
        {"pila con curvas", 22, {{"EstrFactFormKs", "1"}, {"EstrFactGrup", "1"}}, true, 3, 1, false, true},
        // Outside the ranges, curves of all four formulas.
        {"alcantarilla", 31, {}, true, 4, 0, false, true},
        // A protection too short to act.
        {"escalón", 1121, {{"SediAnguRepo", "30"}}, true, 1, 0, true, true},
        // Dietz, a clear-water law, in the example's live bed: its warning.
        {"estribo", 212, {}, true, 1, 1, true, true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Problema p(c.codigo, c.cambios);
        p.Calcular();
        const auto pagina = PaginaAvisos(p.d, p.panel, p.textos, p.grafico, "2026-12-10");
        ASSERT_EQ(pagina.has_value(), c.pagina);
        if (!pagina) continue;
        EXPECT_EQ(pagina->validez.size(), c.formulas);
        EXPECT_EQ(pagina->datos.size(), c.datos);
        EXPECT_EQ(pagina->proteccion.has_value(), c.proteccion);
        EXPECT_EQ(ConCurvas(pagina->grafico), c.curvas);
        EXPECT_EQ(pagina->fecha, "2026-12-10");
    }

    // The step's formula: its caption, its state in one line, the
    // parameters outside; the protection's message.
    Problema e(1121, {{"SediAnguRepo", "30"}});
    e.Calcular();
    const auto pagina = PaginaAvisos(e.d, e.panel, e.textos, e.grafico, "");
    ASSERT_TRUE(pagina);
    EXPECT_EQ(pagina->validez[0].formula, "Bornmann y Julien");
    EXPECT_EQ(pagina->validez[0].estado,
              "Datos fuera del rango de calibración (la fórmula no tiene rango de validación):");
    ASSERT_EQ(pagina->validez[0].fuera.size(), 3u);
    EXPECT_EQ(pagina->validez[0].fuera[0], "d50 = 85 mm, calibración 0.82/2.8");
    EXPECT_EQ(pagina->proteccion, "La longitud de la protección es insuficiente para que actúe.");
}

// The second page's layout: the title where the first page has the
// problem's, the sections in order with each text in a box wide enough to
// the right margin and tall enough for its text, one under the other; the
// chart below them over the page's width, above the foot with the date and
// the problem's title.
TEST(PaginaAvisos, Disposicion) {
    TPaginaAvisos p;
    p.validez = {{"Ruff", "Datos fuera de los rangos de calibración y validación:",
                  {"d50 = 85 mm, calibración 0.15/35, validación 0.15/35"}},
                 {"Breusers", "Datos dentro del rango de calibración.", {}}};
    p.datos = {std::string(300, 'x')};  // three lines at least
    p.proteccion = "La longitud de la protección es insuficiente para que actúe.";
    p.grafico.series[0].puntos = {{0, 0}, {1, 1}};
    p.fecha = "2026-12-10";
    const TDisposicionAvisos d = DisponerPaginaAvisos(p, "Problema Alcantarilla Angosta");

    std::vector<std::string> textos;
    for (const TItemReporte& i : d.items) textos.push_back(i.texto);
    EXPECT_EQ(textos, (std::vector<std::string>{
                          "Avisos y gráfico", "Validez de las fórmulas",
                          "Ruff: Datos fuera de los rangos de calibración y validación:",
                          "d50 = 85 mm, calibración 0.15/35, validación 0.15/35",
                          "Breusers: Datos dentro del rango de calibración.", "Avisos sobre los datos",
                          std::string(300, 'x'), "Protección",
                          "La longitud de la protección es insuficiente para que actúe.", "Fecha: 2026-12-10",
                          "Problema Alcantarilla Angosta"}));
    EXPECT_EQ(d.items[0].fuente, TFuenteReporte::Titulo);
    EXPECT_EQ(d.items[0].x, kReporteTituloX);
    EXPECT_EQ(d.items[0].y, kReporteTituloY);
    int abajo = d.items[0].y + 30;
    for (std::size_t i = 1; i + 2 < d.items.size(); ++i) {
        const TItemReporte& item = d.items[i];
        SCOPED_TRACE(item.texto.substr(0, 20));
        EXPECT_GE(item.y, abajo);  // below the item before it
        if (item.fuente == TFuenteReporte::Caja) {
            EXPECT_EQ(item.x + item.ancho, kReporteAnchoUtil);
            // Arial at 10 pt averages about 6.7 units a character: a line
            // 640 units wide holds at most 95 of them, and each line needs 15.
            const auto caracteres = std::count_if(item.texto.begin(), item.texto.end(),
                                                  [](char ch) { return (static_cast<unsigned char>(ch) & 0xC0) != 0x80; });
            const double porLinea = 95.0 * item.ancho / 640;
            const int lineas = std::max(1, static_cast<int>(std::ceil(double(caracteres) / porLinea)));
            EXPECT_GE(item.alto, lineas * 15);
            abajo = item.y + item.alto;
        } else {
            EXPECT_EQ(item.fuente, TFuenteReporte::Encabezado);
            EXPECT_EQ(item.x, kReporteColumnaTitulos);
            abajo = item.y + 15;
        }
    }
    EXPECT_GE(d.items[6].alto, 3 * 15);  // the 300-character warning
    // The parameter stands in from its formula.
    EXPECT_GT(d.items[3].x, d.items[2].x);
    ASSERT_TRUE(d.grafico);
    EXPECT_GT(d.grafico->y, abajo);
    EXPECT_EQ(d.grafico->x, kReporteColumnaTitulos);
    EXPECT_EQ(d.grafico->x + d.grafico->ancho, kReporteAnchoUtil);
    EXPECT_GE(d.grafico->alto, 300);
    const TItemReporte& fecha = d.items[d.items.size() - 2];
    const TItemReporte& titulo = d.items.back();
    EXPECT_GT(fecha.y, d.grafico->y + d.grafico->alto);
    EXPECT_LE(fecha.y + 20, kReporteAltoUtil);
    EXPECT_EQ(titulo.y, fecha.y);
    EXPECT_EQ(titulo.alineacion, TAlineacion::Derecha);
    EXPECT_EQ(titulo.x, kReporteAnchoUtil);

    // Without curves, no chart; without warnings of a kind, no heading.
    p.grafico = TGrafico{};
    p.datos.clear();
    p.proteccion.reset();
    const TDisposicionAvisos sin = DisponerPaginaAvisos(p, "");
    EXPECT_FALSE(sin.grafico);
    for (const TItemReporte& i : sin.items) {
        EXPECT_NE(i.texto, "Avisos sobre los datos");
        EXPECT_NE(i.texto, "Protección");
    }
}

// The report of the window's problem: the texts as typed (an empty one and
// a number written its own way kept as they are), the depth's caption of
// the phenomenon, the results rows of the page only while the results are
// on show (before that the title is "Problema" and "Resultados" has no
// row), and the chart page's view on the second page.
TEST(ReporteDelProblema, DelProblemaDeLaVentana) {
    struct Caso {
        ProblemCode codigo;
        const char* titulo;
        const char* tirante;
    };
    const Caso casos[] = {
        {22, "Problema de la Pila", "Tirante aguas arriba"},
        {111, "Problema Vórtice Confinado", nullptr},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.codigo);
        Problema p(c.codigo, {{"SediAnguRepo", ""}, {"EstrFactFormKs", "1"}, {"EstrFactGrup", "1"},
                              {"CaucCoefMannCauc", "0.0320"}});
        ASSERT_TRUE(p.Calcular());
        const std::array<bool, 4> ocultas{false, true, false, false};
        for (bool resultados : {false, true}) {
            SCOPED_TRACE(resultados ? "con resultados" : "sin resultados");
            const TTextosReporte t = ReporteDelProblema({.datos = p.d,
                                                         .panel = p.panel,
                                                         .textos = p.textos,
                                                         .manning = true,
                                                         .resultados = resultados,
                                                         .grafico = p.grafico,
                                                         .tiempoLog = true,
                                                         .ocultas = ocultas,
                                                         .observaciones = "Nota",
                                                         .fecha = "2000-01-01"});
            EXPECT_EQ(t.titulo, resultados ? c.titulo : "Problema");
            ASSERT_EQ(t.secciones.size(), 5u);
            EXPECT_EQ(t.secciones[4].titulo, "Resultados");
            const TFilaReporte& mann = t.secciones[0].filas.at(7);
            EXPECT_EQ(mann.etiqueta + "|" + mann.valor + "|" + mann.unidad,
                      "Coeficiente de Manning|0.0320|[s/m^(1/3)]");
            const TFilaReporte& tirante = t.secciones[1].filas.at(0);
            EXPECT_EQ(tirante.etiqueta, c.tirante ? c.tirante : std::string(BuscarCampo("FlujTiraRest")->etiqueta));
            EXPECT_EQ(tirante.valor, p.textos.at("FlujTiraRest"));
            const std::vector<TFila> filas = resultados ? p.Filas() : std::vector<TFila>{};
            ASSERT_EQ(t.secciones[4].filas.size(), filas.size());
            for (std::size_t i = 0; i < filas.size(); ++i) {
                EXPECT_EQ(t.secciones[4].filas[i].etiqueta, filas[i].etiqueta);
                EXPECT_EQ(t.secciones[4].filas[i].valor, filas[i].valor);
                EXPECT_EQ(t.secciones[4].filas[i].unidad, filas[i].unidad);
            }
            EXPECT_EQ(t.observaciones, std::optional<std::string>("Nota"));
            EXPECT_FALSE(t.detalle);
            if (t.avisos) {
                EXPECT_TRUE(t.avisos->tiempoLog);
                EXPECT_EQ(t.avisos->ocultas, ocultas);
                EXPECT_EQ(t.avisos->fecha, "2000-01-01");
            }
        }
        // The pier's empty "Angulo de reposo" prints empty.
        if (c.codigo == 22) {
            Problema q(22, {{"SediAnguRepo", ""}});
            const TTextosReporte t = ReporteDelProblema(
                {.datos = q.d, .panel = q.panel, .textos = q.textos, .manning = true, .resultados = false,
                 .grafico = q.grafico});
            const auto& filas = t.secciones[3].filas;
            ASSERT_EQ(filas.size(), 5u);
            EXPECT_EQ(filas[1].etiqueta + "|" + filas[1].valor + "|" + filas[1].unidad, "Angulo de reposo||[º]");
        }
    }
}
