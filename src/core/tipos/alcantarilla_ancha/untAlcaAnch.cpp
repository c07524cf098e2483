#include "tipos/alcantarilla_ancha/untAlcaAnch.h"

#include <array>
#include <cmath>

#include "compute/untClaves.h"
#include "compute/untEvolucion.h"
#include "compute/untFilas.h"
#include "general/untGeneral.h"
#include "problem/untCampos.h"
#include "problem/untDatos.h"

namespace {

constexpr std::array<double TDatosPAC::*, 4> kCampoErosion{
    &TDatosPAC::OutpErosMaxi1, &TDatosPAC::OutpErosMaxi2, &TDatosPAC::OutpErosMaxi3, &TDatosPAC::OutpErosMaxi4};

// Evaluates the formula of slot k (1 to 4) into the block; "Hoffmans" stores
// its coefficient c2 first.
void Evaluar(TDatosProblema& d, int k) {
    TDatosPAC& a = d.PAC;
    switch (k) {
        case 1:
            a.OutpErosMaxi1 = TDatosPAC::Qayoum(d.CaudEspe, a.FlujDifeCargRest, d.FlujTiraRest, d.ForzAcelGrav,
                                                a.SediDiam90N3);
            break;
        case 2:
            a.OutpErosMaxi2 = TDatosPAC::AltinbilekBasmaci(a.ChorEspe, d.SediDiamMedi, GradRadi(a.SediAnguRepo),
                                                           a.ChorNumeFrou, d.SediDensRela);
            break;
        case 3: a.OutpErosMaxi3 = TDatosPAC::BreusersAlca(a.ChorEspe, a.ChorVeloSali, d.VeloCortCrit); break;
        default:
            a.ErosCoefHoff = TDatosPAC::CoefHoffmans(a.SediDiam90N3);
            a.OutpErosMaxi4 = TDatosPAC::HoffmansAlca(a.ChorEspe, d.FlujVeloMedi, a.ChorVeloSali, a.ErosCoefHoff);
            break;
    }
}

}  // namespace

// ys = 2.78 q^0.4 dH^0.22 h^0.4 / (g^0.2 d90^0.22) - h, not clipped.
double TDatosPAC::Qayoum(double q, double difeCarg, double h, double g, double d90) {
    const Ext numerador = static_cast<Ext>(PoteReal(q, 0.4)) * 2.78L * PoteReal(difeCarg, 0.22) * PoteReal(h, 0.4);
    const Ext denominador = static_cast<Ext>(PoteReal(g, 0.2)) * PoteReal(d90, 0.22);
    return Guardar(Divi(numerador, denominador) - h);
}

// ys = y1 sqrt(tan(phi) y1 / d50) (F1 / sqrt(Delta))^1.5, tan(phi) as sin / cos.
double TDatosPAC::AltinbilekBasmaci(double y1, double d50, double phi, double f1, double delta) {
    const Ext f = PoteReal(Guardar(Divi(f1, Raiz(delta))), 1.5);
    const Ext angulo = phi;
    const Ext tangente = Divi(std::sin(angulo), std::cos(angulo));
    return Guardar(Raiz(tangente * Divi(y1, d50)) * y1 * f);
}

// ys = 0.008 y1 (V1 / u*c)^2
double TDatosPAC::BreusersAlca(double y1, double v1, double uCortCrit) {
    return Guardar(PoteReal(Guardar(Divi(v1, uCortCrit)), 2) * (0.008L * y1));
}

double TDatosPAC::CoefHoffmans(double d90) { return TDatosPAG::CoefHoffmans(d90); }

// ys = (50 / c2) y1 (1 - U / V1), 50 / c2 rounded to double first; a jet no
// faster than the tailwater flow gives 0 or less, kept as it is.
double TDatosPAC::HoffmansAlca(double y1, double u, double v1, double c2) {
    const double factor = Guardar(Divi(50, c2));
    return Guardar(static_cast<Ext>(factor) * y1 * (1 - Divi(u, v1)));
}

void LeerAlcaAnch(TDatosProblema& d, const TTextosCampos& textos, const TPanelFormulas& panel) {
    TDatosPAC& a = d.PAC;
    if (panel.Activa(1) || panel.Activa(4))
        a.SediDiam90N3 = Guardar(static_cast<Ext>(LeerCampo(textos, "SediDiam90N3")) / 1000);
    a.SediAnguRepo = LeerCampo(textos, "SediAnguRepo");
    a.FlujDifeCargRest = LeerCampo(textos, "FlujDifeCargRest");
}

// The jet contracts to 0.6 of the opening height: y1 = 0.6 a, V1 = q / y1,
// F1 = V1 / sqrt(g y1); r0 = 0.6.
void PrepAlcaAnch(TDatosProblema& d, const TPanelFormulas&) {
    TDatosPAC& a = d.PAC;
    a.ChorEspe = Guardar(0.6 * static_cast<Ext>(d.Apertura.EstrAltuAper));
    a.ChorVeloSali = Cociente(d.CaudEspe, a.ChorEspe);
    a.ChorNumeFrou = CalcNumeFrou(a.ChorVeloSali, d.ForzAcelGrav, a.ChorEspe);
    a.OutpInteRelaTurb = 0.6;
}

void CalcAlcaAnch(TDatosProblema& d, const TPanelFormulas& panel, TGrafico& grafico) {
    TDatosPAC& a = d.PAC;
    a.FlujFactTurb = TresMasUno(a.OutpInteRelaTurb);
    auto activa = [&](int k) { return panel.Activa(k); };
    EvaluarRanuras(panel, grafico, 4, activa, [&](int k) { Evaluar(d, k); });

    const double h = d.FlujTiraRest;
    if (static_cast<Ext>(a.FlujFactTurb) * d.FlujVeloMedi > d.OutpVeloCritEros) {
        a.ErosTiemRefe = TiemCara(h, d.SediDensRela, a.FlujFactTurb, d.FlujVeloMedi, d.OutpVeloCritEros);
        TrazarRanuras(grafico, 4, h, a.ErosTiemRefe, [&](int k) { return a.*kCampoErosion[k - 1]; }, activa);
    }
}

std::vector<TFila> FilasAlcaAnch(const TDatosProblema& d, const TPanelFormulas& panel) {
    std::vector<TFila> filas{FilaTurbulencia(d.PAC.OutpInteRelaTurb)};
    for (int k = 1; k <= 4; ++k)
        filas.push_back(FilaErosion(panel, k, MostrarResultado(panel, k, d.PAC.*kCampoErosion[k - 1])));
    return filas;
}

namespace {

constexpr TFilaRango kPACQayo[]{
    {"Diámetro Medio (d50)", "[mm]", "2.5/9.7", "0.43/9.7"},
    {"Tirante en la restitución", "[m]", "0.06/0.13", "0.01/0.33"},
    {"Dif. altura carga/restitución", "[m]", "0.02/0.11", "0.02/0.14"},
    {"Velocidad del chorro", "[m/s]", "-", "-"},
    {"Caudal específico", "[l/s]", "0.008/0.024", "0.31/2.76"},
    {"Tipo de chorro", "[-]", "Sumergido", "Sumergido y no sumergido"},
};

constexpr TFilaRango kPACAlBa[]{
    {"Diámetro Medio (d50)", "[mm]", "1.3/6.5", "0.43/9.7"},
    {"Tirante en la restitución", "[m]", "0.16/0.25", "0.01/0.33"},
    {"Dif. altura carga/restitución", "[m]", "-", "0.02/0.14"},
    {"Velocidad del chorro", "[m/s]", "0.55/2.76", "0.31/2.76"},
    {"Caudal específico", "[l/s]", "0.003/0.021", "0.002/0.065"},
    {"Tipo de chorro", "[-]", "Sumergido", "Sumergido y no sumergido"},
};

constexpr TFilaRango kPACBreu[]{
    {"Diámetro Medio (d50)", "[mm]", "", "0.43/9.7"},
    {"Tirante en la restitución", "[m]", "", "0.01/0.33"},
    {"Dif. altura carga/restitución", "[m]", "", "0.02/0.14"},
    {"Velocidad del chorro", "[m/s]", "", "0.31/2.76"},
    {"Caudal específico", "[l/s]", "", "0.002/0.065"},
    {"Tipo de chorro", "[-]", "", "Sumergido"},
};

constexpr TFilaRango kPACHoff[]{
    {"Diámetro Medio (d50)", "[mm]", "0.43/9.7", ""},
    {"Tirante en la restitución", "[m]", "0.01/0.33", ""},
    {"Dif. altura carga/restitución", "[m]", "0.02/0.14", ""},
    {"Velocidad del chorro", "[m/s]", "0.31/2.76", ""},
    {"Caudal específico", "[l/s]", "0.002/0.065", ""},
    {"Tipo de chorro", "[-]", "Sumergido y no sumergido", ""},
};

constexpr TTablaRango kPACQayoTabla{"RangPACQayo", "Fórmula de Qayoum", kPACQayo};
constexpr TTablaRango kPACAlBaTabla{"RangPACAlBa", "Fórmula de Altinbilek & Basmaci", kPACAlBa};
constexpr TTablaRango kPACBreuTabla{"RangPACBreu", "Fórmula de Breusers", kPACBreu};
constexpr TTablaRango kPACHoffTabla{"RangPACHoff", "Fórmula de Hoffmans", kPACHoff};

// The rows whose quantity is the wide culvert's own: the contracted jet,
// V1 = q / y1, and the head difference.
const std::vector<TMagnitudRango> kMagnitudesAlcaAnch{
    {"Velocidad del chorro", "Velocidad del chorro", 1, [](const TDatosProblema& d) { return d.PAC.ChorVeloSali; }, ""},
    {"Dif. altura carga/restitución", "Dif. altura carga/restitución", 1,
     [](const TDatosProblema& d) { return d.PAC.FlujDifeCargRest; }, ""},
};

}  // namespace

const TTipoEstructura& TipoAlcaAncha() {
    static const TTipoEstructura tipo{
        .codigo = kCodigoAlcaAncha,
        .titulo = "Problema Alcantarilla Ancha",
        .caja = "PAC",
        .descripcion = "alcantarilla ancha",
        .ranuras = {RanuraFormula("Qayoum", {"FlujDifeCargRest", "SediDiam90N3"}, &kPACQayoTabla),
                    RanuraFormula("Altinbilek y Basmaci", {"SediAnguRepo"}, &kPACAlBaTabla),
                    RanuraSiempre("Breusers", &kPACBreuTabla),
                    // Its panel label also points at the angle of repose.
                    ConResaltados(RanuraFormula("Hoffmans", {"SediDiam90N3"}, &kPACHoffTabla), {"SediAnguRepo"})},
        .filas = {{"SediDiam90N3", 1, 1, "SEDIMENTO", false},
                  {"SediAnguRepo", 2, 1, "", true},
                  {"FlujDifeCargRest", 3, 2, "FLUJO", false}},
        .avisoProteccion = true,
        .calculadora = {LeerAlcaAnch, nullptr, PrepAlcaAnch, CalcAlcaAnch, FilasAlcaAnch},
        .detalle = SeccionesAlcaAnch,
        .claves = {kClaveTurbulencia,
                   {"OutpErosMaxi1", "ys_alc_ancha_qayoum_m", "Erosión máxima de equilibrio (Qayoum)", "[m]"},
                   {"OutpErosMaxi2", "ys_alc_ancha_altinbilek_basmaci_m",
                     "Erosión máxima de equilibrio (Altinbilek y Basmaci)", "[m]"},
                   {"OutpErosMaxi3", "ys_alc_ancha_breusers_m", "Erosión máxima de equilibrio (Breusers)", "[m]"},
                   {"OutpErosMaxi4", "ys_alc_ancha_hoffmans_m", "Erosión máxima de equilibrio (Hoffmans)", "[m]"}},
        .magnitudes = kMagnitudesAlcaAnch,
        .imagenes = {{"PictPAC"}},
    };
    return tipo;
}
