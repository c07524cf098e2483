#include "tipos/estribo/untEstribo.h"

#include <array>

#include "compute/untCalcular.h"
#include "compute/untClaves.h"
#include "compute/untEvolucion.h"
#include "compute/untFilas.h"
#include "general/untGeneral.h"
#include "problem/untCampos.h"

namespace {

constexpr double kUnTercio = 1.0 / 3.0;
constexpr double kDosTercios = 2.0 / 3.0;

// A formula slot of the abutment: its result field and its formula on the
// record's data.
struct TRanuraEstribo {
    double TDatosPEs::*campo;
    double (*formula)(const TDatosProblema&);
};

const std::array<TRanuraEstribo, 4> kRanuras{{
    {&TDatosPEs::OutpErosMaxi1,
     [](const TDatosProblema& d) {
         return TDatosPEs::Ahmad(d.PEs.EstrFactComb, d.ForzAcelGrav, d.CaudEspe, d.Estribo.EstrRazoCont,
                                 d.FlujTiraRest);
     }},
    {&TDatosPEs::OutpErosMaxi2,
     [](const TDatosProblema& d) {
         return TDatosPEs::Liu(d.PEs.EstrFactFormKl, d.FlujTiraRest, d.Estribo.EstrAnchEstr, d.FlujNumeFrou);
     }},
    {&TDatosPEs::OutpErosMaxi3,
     [](const TDatosProblema& d) {
         return TDatosPEs::Dietz(d.FlujTiraRest, d.PEs.ErosCoefDiet, d.FlujVeloMedi, d.OutpVeloCritEros);
     }},
    {&TDatosPEs::OutpErosMaxi4,
     [](const TDatosProblema& d) {
         return TDatosPEs::Breusers(d.FlujTiraRest, d.Estribo.EstrRazoCont, d.PEs.EstrFactFormKb,
                                    d.Estribo.EstrAnchEstr);
     }},
}};

// Whether the calculation evaluates slot k: slots 1 to 3 when active,
// "Breusers" only in addition with U > Uc.
bool Evalua(const TDatosProblema& d, const TPanelFormulas& panel, int k) {
    return k == 4 ? EstriboEvaluaBreusers(d, panel) : panel.Activa(k);
}

}  // namespace

double TDatosPEs::FactComb(double kc, double ks, double ka, double kn) {
    return Guardar(2 * static_cast<Ext>(kc) * ks * ka * kn);
}

double TDatosPEs::CoefDietz(double m) { return Guardar(2.75 + 12 * static_cast<Ext>(PoteReal(m, 2))); }

double TDatosPEs::Ahmad(double k, double g, double q, double m, double h) {
    // m = 1 divides by zero; m > 1 gives a negative base, PoteReal 0 and -h.
    const double qContraido = Guardar(Divi(q, 1 - static_cast<Ext>(m)));
    return Guardar(2.14 * static_cast<Ext>(k) * PoteReal(g, -kUnTercio) * PoteReal(qContraido, kDosTercios) - h);
}

double TDatosPEs::Liu(double kl, double h, double l, double fr) {
    return Guardar(static_cast<Ext>(kl) * h * PoteReal(Guardar(Divi(l, h)), 0.4) * PoteReal(fr, kUnTercio));
}

double TDatosPEs::Dietz(double h, double beta, double u, double uc) {
    // The clear-water law of the confined vortex with beta for alpha.
    return TDatosPVC::ErosAguaClarPVC(h, beta, u, uc);
}

double TDatosPEs::Breusers(double h, double m, double kb, double l) {
    const Ext punta = static_cast<Ext>(kb) * l * TangHipe(Guardar(Divi(h, l)));
    const Ext contraccion = static_cast<Ext>(h) * (PoteReal(Guardar(1 - static_cast<Ext>(m)), -kDosTercios) - 1);
    return Guardar(punta + contraccion);
}

double TDatosPEs::TiemRefe(double h, double delta, double fr, double re, double uc, double u, double c) {
    return TDatosPVC::TiemCaraPVC(h, delta, fr, re, uc, u, c);
}

bool EstriboEvaluaBreusers(const TDatosProblema& d, const TPanelFormulas& panel) {
    return panel.Activa(4) && d.FlujVeloMedi > d.OutpVeloCritEros;
}

void LeerEstribo(TDatosProblema& d, const TTextosCampos& textos, const TPanelFormulas&) {
    TDatosPEs& e = d.PEs;
    e.EstrFactCurv = LeerCampo(textos, "EstrFactCurv");
    e.EstrFactFormKs = LeerCampo(textos, "EstrFactFormKs");
    e.EstrFactFormKb = LeerCampo(textos, "EstrFactFormKb");
    e.EstrFactFormKl = LeerCampo(textos, "EstrFactFormKl");
    e.EstrFactAngu = LeerCampo(textos, "EstrFactAngu");
    e.EstrFactPoro = LeerCampo(textos, "EstrFactPoro");
}

void PrepEstribo(TDatosProblema& d, const TPanelFormulas&) {
    TDatosPEs& e = d.PEs;
    e.EstrFactComb = TDatosPEs::FactComb(e.EstrFactCurv, e.EstrFactFormKs, e.EstrFactAngu, e.EstrFactPoro);
}

void CalcEstribo(TDatosProblema& d, const TPanelFormulas& panel, TGrafico& grafico) {
    TDatosPEs& e = d.PEs;
    const double h = d.FlujTiraRest;
    e.ErosCoefDiet = TDatosPEs::CoefDietz(d.Estribo.EstrRazoCont);
    auto evalua = [&](int k) { return Evalua(d, panel, k); };
    EvaluarRanuras(panel, grafico, 4, evalua, [&](int k) { e.*kRanuras[k - 1].campo = kRanuras[k - 1].formula(d); });
    const double c = d.Estribo.ErosCoefTiem;
    if (c > 0) {
        e.ErosTiemRefe = Guardar(Divi(TDatosPEs::TiemRefe(h, d.SediDensRela, d.FlujNumeFrou, d.FlujNumeReyn,
                                                          d.OutpVeloCritEros, d.FlujVeloMedi, c),
                                      3600));
        if (e.ErosTiemRefe > 0)
            TrazarRanuras(grafico, 4, h, e.ErosTiemRefe, [&](int k) { return e.*kRanuras[k - 1].campo; }, evalua);
    }
}

std::vector<TFila> FilasEstribo(const TDatosProblema& d, const TPanelFormulas& panel) {
    std::vector<TFila> filas;
    for (int k = 1; k <= 4; ++k) {
        const double valor = d.PEs.*kRanuras[k - 1].campo;
        filas.push_back(FilaErosion(panel, k, MostrarResultado(panel, k, valor)));
    }
    // "Breusers" shows only a value of the latest calculation, which
    // evaluates it only with U > Uc; exactly 0 also counts as not evaluated.
    if (!EstriboEvaluaBreusers(d, panel) || d.PEs.OutpErosMaxi4 == 0) filas[3] = FilaErosion(panel, 4, kTextoInactivo);
    return filas;
}

const TTipoEstructura& TipoEstribo() {
    static const TTipoEstructura tipo{
        .codigo = kCodigoEstribo,
        .titulo = "Problema Estribo/Espigón",
        .caja = "PEs",
        .descripcion = "estribo o espigón",
        .ranuras = {RanuraFormula("Ahmad", {"EstrFactCurv", "EstrFactFormKs", "EstrFactAngu", "EstrFactPoro"}),
                    RanuraFormula("Liu", {"EstrFactFormKl"}), DeAguasClaras(RanuraSiempre("Dietz")),
                     RanuraFormula("Breusers", {"EstrFactFormKb"})},
        .filas = {{"EstrFactCurv", 1, 1, "ESTRUCTURA", true},
                  {"EstrFactFormKs", 2, 1, "", true, "CIFOksEstribo"},
                  {"EstrFactAngu", 3, 1, "", true},
                  {"EstrFactPoro", 4, 1, "", true},
                  {"EstrFactFormKb", 5, 1, "", true},
                  {"EstrFactFormKl", 6, 1, "", true}},
        .avisoProteccion = true,
        .calculadora = {LeerEstribo, DerivarEstribo, PrepEstribo, CalcEstribo, FilasEstribo},
        .detalle = SeccionesEstribo,
        .claves = {{"OutpErosMaxi1", "ys_estribo_ahmad_m", "Erosión máxima de equilibrio (Ahmad)", "[m]"},
                   {"OutpErosMaxi2", "ys_estribo_liu_m", "Erosión máxima de equilibrio (Liu)", "[m]"},
                   {"OutpErosMaxi3", "ys_estribo_dietz_m", "Erosión máxima de equilibrio (Dietz)", "[m]"},
                   {"OutpErosMaxi4", "ys_estribo_breusers_m", "Erosión máxima de equilibrio (Breusers)", "[m]"}},
        .imagenes = {{"PictPEs1", "Extensión", "Imagen: planta con las extensiones longitudinal y transversal"},
                      {"PictPES2", "Ángulo", "Imagen: planta con el ángulo θ del espigón con la orilla"}},
    };
    return tipo;
}
