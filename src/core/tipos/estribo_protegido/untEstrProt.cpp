#include "tipos/estribo_protegido/untEstrProt.h"

#include "compute/untCalcular.h"
#include "compute/untClaves.h"
#include "compute/untEvolucion.h"
#include "compute/untFilas.h"
#include "general/untGeneral.h"
#include "problem/untDatos.h"

double TDatosPEP::CoefDietz(double m, double longPlat, double h) {
    const Ext atenuacion = Expo(Divi(-0.1 * static_cast<Ext>(longPlat), h));
    return Guardar(1 + (1.75 + 12 * static_cast<Ext>(PoteReal(m, 2))) * atenuacion);
}

double TDatosPEP::Dietz(double h, double beta, double u, double uc) { return TDatosPEs::Dietz(h, beta, u, uc); }

double TDatosPEP::TiemRefe(double h, double delta, double fr, double re, double uc, double u, double c) {
    return TDatosPEs::TiemRefe(h, delta, fr, re, uc, u, c);
}

void CalcEstriboProt(TDatosProblema& d, const TPanelFormulas& panel, TGrafico& grafico) {
    TDatosPEP& e = d.PEP;
    const double h = d.FlujTiraRest;
    d.Estribo.ErosCoefTiem = TEstrEstribo::CoefTiem();
    e.ErosCoefDiet = TDatosPEP::CoefDietz(d.Estribo.EstrRazoCont, d.Estribo.EstrLongPlat, h);
    // The only formula: computed on every call, whatever the panel says.
    e.OutpErosMaxi1 = TDatosPEP::Dietz(h, e.ErosCoefDiet, d.FlujVeloMedi, d.OutpVeloCritEros);
    for (int k = 1; k <= 4; ++k) grafico.Serie(k).titulo = panel.Titulo(k);
    const double c = d.Estribo.ErosCoefTiem;
    if (c > 0 && h < e.OutpErosMaxi1) {
        e.ErosTiemRefe = Guardar(Divi(TDatosPEP::TiemRefe(h, d.SediDensRela, d.FlujNumeFrou, d.FlujNumeReyn,
                                                          d.OutpVeloCritEros, d.FlujVeloMedi, c),
                                      3600));
        if (e.ErosTiemRefe > 0) TrazarEvolEstandar(grafico, 1, h, e.OutpErosMaxi1, e.ErosTiemRefe);
    }
}

std::vector<TFila> FilasEstriboProt(const TDatosProblema& d, const TPanelFormulas& panel) {
    // Shown with 2 decimals without looking at the slot: "Dietz" is never
    // bold for this code, yet its depth is always computed.
    return {FilaErosion(panel, 1, Numero(d.PEP.OutpErosMaxi1, 5, 2))};
}

const TTipoEstructura& TipoEstriboProt() {
    static const TTipoEstructura tipo{
        .codigo = kCodigoEstriboProt,
        .titulo = "Problema Estribo/Espigón Protegido",
        .caja = "PEs",
        .descripcion = "estribo o espigón",
        .ranuras = {DeAguasClaras(RanuraFormula("Dietz")), kRanuraOculta, kRanuraOculta, kRanuraOculta},
        .sinActivacion = true,
        .calculadora = {nullptr, DerivarEstribo, nullptr, CalcEstriboProt, FilasEstriboProt},
        .detalle = SeccionesEstriboProt,
        .claves = {{"OutpErosMaxi1", "ys_estribo_prot_dietz_m", "Erosión máxima de equilibrio (Dietz)", "[m]"}},
        .imagenes = {{"PictPEP"}},
    };
    return tipo;
}
