// Validity warnings: the data of a calculation against the calibration and
// validation ranges of each formula.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "problema.h"
#include "results/untAvisos.h"

// Failures print the state's name.
static void PrintTo(TEstadoRango e, std::ostream* os) { *os << NombreEstado(e); }

namespace {

constexpr TEstadoRango C = TEstadoRango::Calibracion;
constexpr TEstadoRango V = TEstadoRango::Validacion;
constexpr TEstadoRango F = TEstadoRango::Fuera;
constexpr TEstadoRango S = TEstadoRango::SinRangos;

std::string Estados(const TAvisos& a) {
    std::string r;
    for (const TAvisoRanura& x : a) r += std::string(NombreEstado(x.estado)) + " ";
    return r;
}

std::string Estados(std::initializer_list<TEstadoRango> e) {
    std::string r;
    for (TEstadoRango x : e) r += std::string(NombreEstado(x)) + " ";
    return r;
}

// Computes a problem of a final code with some texts changed.
Problema Calculado(ProblemCode codigo, const TTextosCampos& cambios) {
    Problema p(codigo, cambios);
    EXPECT_EQ(p.d.CodiProb, codigo);
    p.Calcular();
    return p;
}

}  // namespace

// Laboratory-scale data against each formula's tables, and the default field
// data (d50 85 mm, h 1.2 m), outside every range.  The opening velocity of
// code 31 is V = Q / (N pi D^2 / 4): Q = 0.1132 m3/s through one 0.31 m
// opening gives 1.4997 m/s, Q = 25.13 through one 4 m opening 1.9998 m/s.
// The jet of code 122 is V1 = q / (0.6 a): q = 0.06 m2/s under a = 0.1 m
// gives 1 m/s.  Over a step Vj = sqrt(2 g dH): dH = 0.2 m gives 1.98 m/s.
TEST(AvisosRangos, CasosPorCodigo) {
    struct Caso {
        const char* nombre;
        ProblemCode codigo;
        TTextosCampos cambios;
        std::initializer_list<TEstadoRango> esperado;
    };
    const TTextosCampos alcantarilla{{"CaucAnchCauc", "1"}, {"EstrCantAper", "1"}};
    auto con = [](TTextosCampos base, const TTextosCampos& mas) {
        for (const auto& [n, t] : mas) base[n] = t;
        return base;
    };
    const TTextosCampos ancha{{"CaucAnchCauc", "1"}, {"FlujCaud", "0.06"}, {"EstrAltuAper", "0.1"},
                              {"EstrLongPlat", "0"}};
    const Caso casos[] = {
        // Rajaratnam y Berry, Ruff, Breusers, Hoffmans.
        {"31 calibración de Rajaratnam y Berry", 31,
         con(alcantarilla, {{"SediDiamMedi", "2"}, {"FlujTiraRest", "0.61"}, {"EstrDiamAper", "0.31"},
                            {"FlujCaud", "0.1132"}}),
         {C, V, C, C}},
        {"31 calibración de Ruff", 31,
         con(alcantarilla, {{"SediDiamMedi", "2"}, {"FlujTiraRest", "0.1"}, {"EstrDiamAper", "4"},
                            {"FlujCaud", "25.13"}}),
         {F, C, F, V}},
        {"31 por defecto", 31, {}, {F, F, F, F}},
        // Qayoum, Altinbilek y Basmaci, Breusers (validation only), Hoffmans (calibration only).
        {"122 calibración de Qayoum", 122,
         con(ancha, {{"SediDiamMedi", "3"}, {"FlujTiraRest", "0.1"}, {"FlujDifeCargRest", "0.05"}}), {C, V, V, C}},
        {"122 calibración de Altinbilek y Basmaci", 122,
         con(ancha, {{"SediDiamMedi", "3"}, {"FlujTiraRest", "0.2"}, {"FlujDifeCargRest", "0.12"}}), {V, C, V, C}},
        {"122 por defecto", 122, {}, {F, F, F, F}},
        // Bornmann y Julien over the step: calibration only.
        {"1121 calibración", 1121, {{"SediDiamMedi", "2"}, {"FlujTiraRest", "0.5"}, {"FlujDifeCargRest", "0.2"}},
         {C, S, S, S}},
        {"1121 d50 fuera", 1121, {{"SediDiamMedi", "5"}, {"FlujTiraRest", "0.5"}, {"FlujDifeCargRest", "0.2"}},
         {F, S, S, S}},
        {"1121 por defecto", 1121, {}, {F, S, S, S}},
        // Bornmann y Julien, Fahlbusch (calibration only).
        {"1122 calibración", 1122, {{"SediDiamMedi", "1"}, {"FlujTiraRest", "0.5"}, {"FlujDifeCargRest", "0.2"}},
         {C, C, S, S}},
        {"1122 validación de Bornmann y Julien", 1122,
         {{"SediDiamMedi", "5"}, {"FlujTiraRest", "0.5"}, {"FlujDifeCargRest", "0.2"}}, {V, C, S, S}},
        {"1122 por defecto", 1122, {}, {F, F, S, S}},
        // Codes whose formulas publish no ranges.
        {"22", 22, {}, {S, S, S, S}},
        {"121", 121, {}, {S, S, S, S}},
        {"212", 212, {}, {S, S, S, S}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Problema p = Calculado(c.codigo, c.cambios);
        EXPECT_EQ(Estados(AvisosRangos(c.codigo, p.d)), Estados(c.esperado));
    }
}

// Typed boundary values lie inside (both bounds inclusive, a single value is
// a range of one point); the next value out does not.  d50 is typed in mm
// and compared in m, converted the way "Calcular" reads it.
TEST(AvisosRangos, LimitesIncluidos) {
    struct Caso { const char* d50; const char* h; TEstadoRango rajaratnam; };
    const Caso casos[] = {
        {"1.40", "0.61", C}, {"2.80", "0.61", C},   // calibration 1.40/2.80, 0.61
        {"1.39", "0.61", V}, {"0.82", "0.61", V},   // validation 0.82/2.80
        {"0.81", "0.61", F}, {"2.81", "0.61", F},
        {"2", "0.16", V},    {"2", "0.6100001", F},  // validation 0.16/0.61
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.d50) + " mm, " + c.h + " m");
        Problema p = Calculado(31, {{"CaucAnchCauc", "1"}, {"EstrCantAper", "1"}, {"EstrDiamAper", "0.31"},
                                    {"FlujCaud", "0.1132"}, {"SediDiamMedi", c.d50}, {"FlujTiraRest", c.h}});
        EXPECT_EQ(AvisosRangos(31, p.d)[0].estado, c.rajaratnam);
    }

    // A computed velocity at the bounds of calibration "1.28/1.81" and just
    // beyond them (validation "1.28/12.0").
    TDatosProblema d;
    d.SediDiamMedi = 0.002;
    d.FlujTiraRest = 0.61;
    d.Alcantarilla.EstrDiamAper = 0.31;
    struct Velocidad { double v; TEstadoRango esperado; };
    for (const Velocidad& c : {Velocidad{1.28, C}, Velocidad{1.81, C}, Velocidad{std::nextafter(1.28, 0.0), F},
                               Velocidad{std::nextafter(1.81, 2.0), V}}) {
        SCOPED_TRACE(c.v);
        d.Alcantarilla.FlujVeloAper = c.v;
        EXPECT_EQ(AvisosRangos(31, d)[0].estado, c.esperado);
    }
}

// "-" cells, empty columns, words and the rows the data do not determine are
// never compared.
TEST(AvisosRangos, CeldasYFilasOmitidas) {
    EXPECT_FALSE(LeerRango("-"));
    EXPECT_FALSE(LeerRango(""));
    EXPECT_FALSE(LeerRango("Sumergido"));
    EXPECT_FALSE(LeerRango("1.28/"));
    ASSERT_TRUE(LeerRango("0.61"));
    EXPECT_EQ(LeerRango("0.61")->inferior, 0.61);
    EXPECT_EQ(LeerRango("0.61")->superior, 0.61);
    EXPECT_EQ(LeerRango("0.002/220")->superior, 220);

    // Every row of every table is either compared with a record quantity or
    // left out with a reason.
    for (ProblemCode codigo : {31, 122, 1121, 1122}) {
        for (int k = 1; k <= 4; ++k) {
            const TTablaRango* t = TablaRango(codigo, k);
            if (!t) continue;
            for (const TFilaRango& f : t->filas) {
                SCOPED_TRACE(std::string(t->nombre) + " " + std::string(f.parametro));
                const TMagnitudRango* m = MagnitudRango(f.parametro, codigo);
                ASSERT_NE(m, nullptr);
                EXPECT_NE(m->valor == nullptr, m->omitida.empty());
            }
        }
    }
    for (const char* p : {"Caudal", "Caudal específico", "Angulo chorro/sup. libre", "Tipo de chorro"})
        EXPECT_EQ(MagnitudRango(p, 31)->valor, nullptr) << p;

    // Qayoum's velocity is "-": a jet of 100 m/s leaves it inside calibration.
    Problema q = Calculado(122, {{"CaucAnchCauc", "1"}, {"FlujCaud", "6"}, {"EstrAltuAper", "0.1"},
                                 {"EstrLongPlat", "0"}, {"SediDiamMedi", "3"}, {"FlujTiraRest", "0.1"},
                                 {"FlujDifeCargRest", "0.05"}});
    EXPECT_NEAR(q.d.PAC.ChorVeloSali, 100, 1e-9);
    const TAvisos a = AvisosRangos(122, q.d);
    EXPECT_EQ(a[0].estado, C);
    // Breusers has no calibration column: validation at best, and its tooltip says why.
    EXPECT_FALSE(a[2].conCalibracion);
    EXPECT_EQ(a[2].estado, F);
    EXPECT_EQ(TextoAviso(a[2]),
              "Datos fuera del rango de validación (la fórmula no tiene rango de calibración):\n"
              "Velocidad del chorro = 100 m/s, validación 0.31/2.76");
    // Hoffmans has no validation column.
    EXPECT_EQ(TextoAviso(a[3]),
              "Datos fuera del rango de calibración (la fórmula no tiene rango de validación):\n"
              "Velocidad del chorro = 100 m/s, calibración 0.31/2.76");
}

// The range window says why cells are not compared: every row left out
// of the comparison has a sentence, and Ruff's calibration diameter, the
// one cell left out alone, its own.
TEST(AvisosRangos, NotasDeLaVentanaDeRangos) {
    for (const TTablaRango& t : TablasRango()) {
        const std::vector<std::string> notas = NotasRango(t);
        std::size_t omitidas = 0;
        for (const TFilaRango& f : t.filas) {
            const TMagnitudRango* m = MagnitudRango(f.parametro, 0);
            omitidas += m && !m->valor;
        }
        EXPECT_EQ(notas.size(), omitidas + (t.nombre == "RangPAGRuff")) << t.nombre;
    }
    const std::vector<std::string> ruff = NotasRango(*TablaRango(31, 2));
    ASSERT_FALSE(ruff.empty());
    EXPECT_TRUE(ruff[0].starts_with("El rango de calibración del diámetro de la apertura (3.11/830 m)")) << ruff[0];
}

// The tooltip lists each parameter outside with its value in the table's
// unit and the ranges; the summary counts the active formulas outside both.
TEST(AvisosRangos, TextosDeLosAvisos) {
    Problema p = Calculado(31, {});
    TAvisos a = AvisosRangos(31, p.d);
    // V = 3000 / (250 pi / 4) = 15.2789 m/s.
    EXPECT_EQ(TextoAviso(a[0]),
              "Datos fuera de los rangos de calibración y validación:\n"
              "d50 = 85 mm, calibración 1.40/2.80, validación 0.82/2.80\n"
              "Tirante = 1.2 m, calibración 0.61, validación 0.16/0.61\n"
              "Velocidad del chorro = 15.2789 m/s, calibración 1.28/1.81, validación 1.28/12.0\n"
              "Diámetro de la apertura = 1 m, calibración 0.31, validación 0.31/1.13");
    ASSERT_EQ(a[0].fuera.size(), 4u);
    EXPECT_EQ(a[0].fuera[0].valor, 85);
    EXPECT_EQ(a[0].fuera[0].unidad, "mm");
    EXPECT_EQ(a[0].fuera[3].calibracion, "0.31");
    EXPECT_EQ(MarcaAviso(a[0].estado), "⚠");
    // Breusers has no validation range: outside its calibration range, never
    // outside both.
    EXPECT_EQ(ResumenAvisos(a, p.panel),
              "⚠ Datos fuera de los rangos de calibración y validación de 3 fórmulas: sus resultados son "
              "extrapolaciones.\n"
              "⚠ Datos fuera del rango de calibración de una fórmula que no tiene rango de validación: su "
              "resultado es una extrapolación.");

    // Ruff inside validation: only the parameters outside calibration; the
    // diameter's calibration cell (3.11/830 m) is no culvert size and is not
    // compared.
    Problema r = Calculado(31, {{"CaucAnchCauc", "1"}, {"EstrCantAper", "1"}, {"SediDiamMedi", "2"},
                                {"FlujTiraRest", "0.61"}, {"EstrDiamAper", "0.31"}, {"FlujCaud", "0.1132"}});
    a = AvisosRangos(31, r.d);
    EXPECT_EQ(MarcaAviso(a[1].estado), "◐");
    EXPECT_EQ(TextoAviso(a[1]),
              "Datos fuera del rango de calibración, dentro del de validación:\n"
              "Tirante = 0.61 m, calibración 0.05/0.20, validación 0.01/0.61");
    EXPECT_EQ(MarcaAviso(a[0].estado), "");
    EXPECT_EQ(TextoAviso(a[0]), "");
    EXPECT_EQ(ResumenAvisos(a, r.panel), "");  // nothing outside both

    // The step's only formula has calibration ranges alone: its tooltip and
    // the summary both say outside calibration with no validation range.
    Problema e = Calculado(1121, {{"SediAnguRepo", "30"}});
    ASSERT_TRUE(e.panel.Activa(1));
    const TAvisos ae = AvisosRangos(1121, e.d);
    EXPECT_EQ(EstadoAviso(ae[0]), "Datos fuera del rango de calibración (la fórmula no tiene rango de validación):");
    EXPECT_EQ(ResumenAvisos(ae, e.panel),
              "⚠ Datos fuera del rango de calibración de una fórmula que no tiene rango de validación: su "
              "resultado es una extrapolación.");
    EXPECT_EQ(ResumenAvisos(ae, e.panel).find("calibración y validación"), std::string::npos);
    // An inactive slot is left out of the summary.
    Problema sin90(31, {{"SediDiam90N3", ""}});
    sin90.Calcular();
    ASSERT_FALSE(sin90.panel.Activa(4));
    EXPECT_EQ(ResumenAvisos(AvisosRangos(31, sin90.d), sin90.panel),
              "⚠ Datos fuera de los rangos de calibración y validación de 2 fórmulas: sus resultados son "
              "extrapolaciones.\n"
              "⚠ Datos fuera del rango de calibración de una fórmula que no tiene rango de validación: su "
              "resultado es una extrapolación.");
    // The wide culvert's defaults: Qayoum outside both, Breusers outside its
    // validation range only, Hoffmans outside its calibration range only
    // (Altinbilek y Basmaci inactive without an angle of repose).
    Problema w = Calculado(122, {});
    ASSERT_FALSE(w.panel.Activa(2));
    EXPECT_EQ(ResumenAvisos(AvisosRangos(122, w.d), w.panel),
              "⚠ Datos fuera de los rangos de calibración y validación de una fórmula: su resultado es una "
              "extrapolación.\n"
              "⚠ Datos fuera del rango de calibración de una fórmula que no tiene rango de validación: su "
              "resultado es una extrapolación.\n"
              "⚠ Datos fuera del rango de validación de una fórmula que no tiene rango de calibración: su "
              "resultado es una extrapolación.");
    // Each state in one line, the report's.
    EXPECT_EQ(EstadoAviso(AvisosRangos(22, w.d)[0]), "Rangos de calibración/validación no disponibles.");
    Problema cal = Calculado(1121, {{"SediDiamMedi", "2"}, {"FlujTiraRest", "0.5"}, {"FlujDifeCargRest", "0.2"}});
    EXPECT_EQ(EstadoAviso(AvisosRangos(1121, cal.d)[0]), "Datos dentro del rango de calibración.");
}

// Only the scour row of an active slot carries a marker.
TEST(AvisosRangos, MarcaDeCadaFila) {
    Problema p(31, {{"SediDiam90N3", ""}});
    p.Calcular();
    const TAvisos a = AvisosRangos(31, p.d);
    int conMarca = 0;
    for (const TFila& f : p.Filas()) {
        SCOPED_TRACE(f.tallo);
        const TAvisoFila m = AvisoDeFila(f, a, p.panel);
        const bool activa = f.tallo == "OutpErosMaxi1" || f.tallo == "OutpErosMaxi2" || f.tallo == "OutpErosMaxi3";
        EXPECT_EQ(m.marca, activa ? "⚠" : "");
        EXPECT_EQ(m.texto.empty(), !activa);
        conMarca += activa;
    }
    EXPECT_EQ(conMarca, 3);  // slot 4 shows "inactivo", the other rows are not formula results
}
