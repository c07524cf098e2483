#include "tipos/alcantarilla_angosta/untAlcaAngo.h"

#include <array>

#include "compute/untClaves.h"
#include "compute/untEvolucion.h"
#include "compute/untFilas.h"
#include "general/untGeneral.h"
#include "problem/untCampos.h"
#include "problem/untDatos.h"

namespace {

constexpr std::array<double TDatosPAG::*, 4> kCampoErosion{
    &TDatosPAG::OutpErosMaxi1, &TDatosPAG::OutpErosMaxi2, &TDatosPAG::OutpErosMaxi3, &TDatosPAG::OutpErosMaxi4};

// Evaluates the formula of slot k (1 to 4) into the block; "Hoffmans" stores
// its coefficient c2 first.
void Evaluar(TDatosProblema& d, int k) {
    TDatosPAG& a = d.PAG;
    const double diam = d.Alcantarilla.EstrDiamAper;
    const double v = d.Alcantarilla.FlujVeloAper;
    // One outlet's discharge for the laws of one outlet; with one opening it
    // is Q itself.
    auto caudalAbertura = [&] { return TDatosPAG::CaudAper(d.FlujCaud, d.Alcantarilla.EstrCantAper); };
    switch (k) {
        case 1:
            a.OutpErosMaxi1 = TDatosPAG::RajaratnamBerry(diam, v, d.SediDensRela, d.ForzAcelGrav, d.SediDiamMedi);
            break;
        case 2: a.OutpErosMaxi2 = TDatosPAG::Ruff(diam, caudalAbertura(), d.ForzAcelGrav); break;
        case 3: a.OutpErosMaxi3 = TDatosPAG::Breusers(diam, v, d.VeloCortCrit); break;
        default:
            a.ErosCoefHoff = TDatosPAG::CoefHoffmans(a.SediDiam90N3);
            a.OutpErosMaxi4 = TDatosPAG::Hoffmans(caudalAbertura(), d.ForzAcelGrav, d.FlujVeloMedi, v, a.ErosCoefHoff);
            break;
    }
}

}  // namespace

double TDatosPAG::InteRelaTurb() { return 0.3; }

double TDatosPAG::FactTurb(double r) { return TresMasUno(r); }

// Densimetric Froude number of the jet Fo = V / sqrt(Delta g d50);
// ys = 0.4 D (Fo - 2) above Fo = 2, else 0.
double TDatosPAG::RajaratnamBerry(double diam, double v, double delta, double g, double d50) {
    const Ext fo = Divi(v, Raiz(static_cast<Ext>(delta) * g * d50));
    if (!(fo > 2)) return 0;
    return Guardar(0.4 * static_cast<Ext>(diam) * (fo - 2));
}

// Qa = Q / N, the openings sharing the discharge evenly as the velocity
// V = Q / (N pi D^2 / 4) has them do.
double TDatosPAG::CaudAper(double caudal, double cantidad) { return Guardar(Divi(caudal, cantidad)); }

// ys = 2.07 D (Qa / sqrt(g D^5))^0.45, Qa the discharge of one opening
double TDatosPAG::Ruff(double diam, double caudal, double g) {
    const double base = Guardar(Divi(caudal, Raiz(static_cast<Ext>(g) * PoteReal(diam, 5))));
    return Guardar(2.07 * static_cast<Ext>(diam) * PoteReal(base, 0.45));
}

// ys = 0.08 D V / u*c
double TDatosPAG::Breusers(double diam, double v, double uCortCrit) {
    return Guardar(Divi(0.08 * static_cast<Ext>(diam) * v, uCortCrit));
}

// With x = d90 in mm: c2 = (log10 x + 1) (0.775 log10 x + 1.7) + 1.3 below
// 13.6 mm, 6.8 from there on (the branches meet at about 6.80).  x is taken as
// a double, the value the logarithm receives, so that 13.6 mm typed falls on
// the constant branch.  x <= 0 makes the logarithm fault.
double TDatosPAG::CoefHoffmans(double d90) {
    const double x = Guardar(static_cast<Ext>(d90) * 1000);
    if (!(x < 13.6)) return 6.8;
    const Ext l = LogaDeci(x);
    return Guardar((l + 1) * (0.775 * l + 1.7) + 1.3);
}

// ys = (7 / c2) ((V - U) Qa / g)^(1/3), Qa the discharge of one opening;
// 0 when V <= U.
double TDatosPAG::Hoffmans(double caudal, double g, double u, double v, double c2) {
    constexpr double kUnTercio = 1.0 / 3.0;
    const double base = Guardar(Divi((static_cast<Ext>(v) - u) * caudal, g));
    return Guardar(Divi(7, c2) * PoteReal(base, kUnTercio));
}

double TDatosPAG::TiemRefe(double h, double delta, double alfa, double u, double uc) {
    return TiemCara(h, delta, alfa, u, uc);
}

void LeerAlcaAngo(TDatosProblema& d, const TTextosCampos& textos, const TPanelFormulas&) {
    d.PAG.SediDiam90N3 = Guardar(static_cast<Ext>(LeerCampo(textos, "SediDiam90N3")) / 1000);
}

void PrepAlcaAngo(TDatosProblema& d, const TPanelFormulas&) { d.PAG.OutpInteRelaTurb = TDatosPAG::InteRelaTurb(); }

void CalcAlcaAngo(TDatosProblema& d, const TPanelFormulas& panel, TGrafico& grafico) {
    TDatosPAG& a = d.PAG;
    a.FlujFactTurb = TDatosPAG::FactTurb(a.OutpInteRelaTurb);
    auto activa = [&](int k) { return panel.Activa(k); };
    EvaluarRanuras(panel, grafico, 4, activa, [&](int k) { Evaluar(d, k); });

    const double h = d.FlujTiraRest;
    if (static_cast<Ext>(a.FlujFactTurb) * d.FlujVeloMedi > d.OutpVeloCritEros) {
        a.ErosTiemRefe = TDatosPAG::TiemRefe(h, d.SediDensRela, a.FlujFactTurb, d.FlujVeloMedi, d.OutpVeloCritEros);
        TrazarRanuras(grafico, 4, h, a.ErosTiemRefe, [&](int k) { return a.*kCampoErosion[k - 1]; }, activa);
    }
}

std::vector<TFila> FilasAlcaAngo(const TDatosProblema& d, const TPanelFormulas& panel) {
    std::vector<TFila> filas{FilaTurbulencia(d.PAG.OutpInteRelaTurb)};
    for (int k = 1; k <= 4; ++k)
        filas.push_back(FilaErosion(panel, k, MostrarResultado(panel, k, d.PAG.*kCampoErosion[k - 1])));
    return filas;
}

namespace {
// The velocity in each opening, V = Q / (N pi D^2 / 4), once the discharge is read.
void DerivarAlcaAngo(TDatosProblema& d) {
    d.Alcantarilla.FlujVeloAper =
        TEstrAlcantarilla::VeloAper(d.FlujCaud, d.Alcantarilla.EstrDiamAper, d.Alcantarilla.EstrCantAper);
}
}  // namespace

namespace {

constexpr TFilaRango kPAGRaBe[]{
    {"Diámetro Medio (d50)", "[mm]", "1.40/2.80", "0.82/2.80"},
    {"Tirante en la restitución", "[m]", "0.61", "0.16/0.61"},
    {"Velocidad del chorro", "[m/s]", "1.28/1.81", "1.28/12.0"},
    {"Caudal", "[l/s]", "1.28/1.81", "1.28/12"},
    {"Diámetro de la apertura", "[m]", "0.31", "0.31/1.13"},
    {"Tipo de chorro", "[-]", "Sumergido", "Sumergido"},
};

constexpr TFilaRango kPAGRuff[]{
    {"Diámetro Medio (d50)", "[mm]", "0.15/35", "0.15/35"},
    {"Tirante en la restitución", "[m]", "0.05/0.20", "0.01/0.61"},
    {"Velocidad del chorro", "[m/s]", "0.95/5.86", "0.32/5.86"},
    {"Caudal", "[l/s]", "0.95/5.86", "0.32/5.86"},
    {"Diámetro de la apertura", "[m]", "3.11/830", "0.31/6.10"},
    {"Tipo de chorro", "[-]", "No sumergido", "Sumergido y no sumergido"},
};

constexpr TFilaRango kPAGBreu[]{
    {"Diámetro Medio (d50)", "[mm]", "0.82/2.8", ""},
    {"Tirante en la restitución", "[m]", "0.16/0.61", ""},
    {"Velocidad del chorro", "[m/s]", "1.28/12", ""},
    {"Caudal", "[l/s]", "1.28/12.0", ""},
    {"Diámetro de la apertura", "[m]", "0.31/1.13", ""},
    {"Tipo de chorro", "[-]", "No sumergido", ""},
};

constexpr TFilaRango kPAGHoff[]{
    {"Diámetro Medio (d50)", "[mm]", "0.82/2.80", "0.15/35"},
    {"Tirante en la restitución", "[m]", "0.16/0.61", "0.01/0.20"},
    {"Velocidad del chorro", "[m/s]", "1.28/12.0", "0.32/12.0"},
    {"Caudal", "[l/s]", "0.01/0.92", "0.16/830"},
    {"Diámetro de la apertura", "[m]", "0.31/1.13", "1.22/6.10"},
    {"Tipo de chorro", "[-]", "Sumergido", "No sumergido"},
};

constexpr TTablaRango kPAGRaBeTabla{"RangPAGRaBe", "Fórmula de Rajaratnam & Berry", kPAGRaBe};
constexpr TTablaRango kPAGRuffTabla{"RangPAGRuff", "Fórmula de Ruff", kPAGRuff};
constexpr TTablaRango kPAGBreuTabla{"RangPAGBreu", "Fórmula de Breusers", kPAGBreu};
constexpr TTablaRango kPAGHoffTabla{"RangPAGHoff", "Fórmula de Hoffmans", kPAGHoff};

// The rows whose quantity is the narrow culvert's own: the diameter of each
// opening and the mean velocity in it, V = Q / (N pi D^2 / 4).
const std::vector<TMagnitudRango> kMagnitudesAlcaAngo{
    {"Diámetro de la apertura", "Diámetro de la apertura", 1,
     [](const TDatosProblema& d) { return d.Alcantarilla.EstrDiamAper; }, ""},
    {"Velocidad del chorro", "Velocidad del chorro", 1,
     [](const TDatosProblema& d) { return d.Alcantarilla.FlujVeloAper; }, ""},
};

}  // namespace

const TTipoEstructura& TipoAlcaAngosta() {
    static const TTipoEstructura tipo{
        .codigo = kCodigoAlcaAngosta,
        .titulo = "Problema Alcantarilla Angosta",
        .caja = "PAG",
        .descripcion = "alcantarilla angosta",
        .ranuras = {RanuraSiempre("Rajaratnam y Berry", &kPAGRaBeTabla), RanuraSiempre("Ruff", &kPAGRuffTabla),
                    RanuraSiempre("Breusers", &kPAGBreuTabla),
                     RanuraFormula("Hoffmans", {"SediDiam90N3"}, &kPAGHoffTabla)},
        .filas = {{"SediDiam90N3", 1, 1, "SEDIMENTO", false}},
        .calculadora = {LeerAlcaAngo, DerivarAlcaAngo, PrepAlcaAngo, CalcAlcaAngo, FilasAlcaAngo},
        .detalle = SeccionesAlcaAngo,
        .claves = {kClaveTurbulencia,
                   {"OutpErosMaxi1", "ys_alc_angosta_rajaratnam_berry_m",
                     "Erosión máxima de equilibrio (Rajaratnam y Berry)", "[m]"},
                   {"OutpErosMaxi2", "ys_alc_angosta_ruff_m", "Erosión máxima de equilibrio (Ruff)", "[m]"},
                   {"OutpErosMaxi3", "ys_alc_angosta_breusers_m", "Erosión máxima de equilibrio (Breusers)", "[m]"},
                   {"OutpErosMaxi4", "ys_alc_angosta_hoffmans_m", "Erosión máxima de equilibrio (Hoffmans)", "[m]"}},
        .magnitudes = kMagnitudesAlcaAngo,
        .imagenes = {{"PictPAG"}},
    };
    return tipo;
}
