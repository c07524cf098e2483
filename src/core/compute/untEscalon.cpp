#include "compute/untEscalon.h"

#include <cmath>

#include "compute/untEvolucion.h"
#include "compute/untFilas.h"
#include "general/untGeneral.h"
#include "problem/untCampos.h"
#include "problem/untDatos.h"

namespace {
// Relative turbulence intensity below a jet.
constexpr double kInteRelaTurbChorro = 1.5;
}  // namespace

double TDatosPEn::BornmannJulien(double phi, double q, double vj, double theta, double delta, double g,
                                 double d90, double d) {
    const Ext senos = Divi(std::sin(static_cast<Ext>(phi)), std::sin(static_cast<Ext>(phi) + theta));
    const Ext a = PoteReal(Guardar(senos), 0.8) * (static_cast<Ext>(1.8) * 1.8);
    const Ext n = PoteReal(q, 0.6) * a * vj * std::sin(static_cast<Ext>(theta));
    const Ext m = static_cast<Ext>(PoteReal(Guardar(2 * static_cast<Ext>(delta) * g), 0.8)) * PoteReal(d90, 0.4);
    return Guardar(Divi(n, m) - d);
}

void EntradaEscalon(TDatosProblema& d, const TTextosCampos& t, const TPanelFormulas&) {
    d.PEn.SediDiam90N3 = Guardar(static_cast<Ext>(LeerCampo(t, "SediDiam90N3")) / 1000);
    d.PEn.SediAnguRepo = LeerCampo(t, "SediAnguRepo");
    d.PEn.FlujDifeCargRest = LeerCampo(t, "FlujDifeCargRest");
    d.PEn.FlujAnguChorSupeLibr = LeerCampo(t, "FlujAnguChorSupeLibr");
}

void PreparacionEscalon(TDatosProblema& d, const TPanelFormulas&) {
    d.PEn.ChorVelo = Guardar(Raiz(2 * static_cast<Ext>(d.PEn.FlujDifeCargRest) * d.ForzAcelGrav));
    d.PEn.OutpInteRelaTurb = kInteRelaTurbChorro;
}

void CalcularEscalon(TDatosProblema& d, const TPanelFormulas& panel, TGrafico& grafico) {
    TDatosPEn& e = d.PEn;
    e.FlujFactTurb = TresMasUno(e.OutpInteRelaTurb);
    if (panel.Activa(1)) {
        e.OutpErosMaxi1 = TDatosPEn::BornmannJulien(GradRadi(e.SediAnguRepo), d.CaudEspe, e.ChorVelo,
                                                    GradRadi(e.FlujAnguChorSupeLibr), d.SediDensRela,
                                                    d.ForzAcelGrav, e.SediDiam90N3, d.Salto.EstrAltuSaltFond);
        grafico.Serie(1).titulo = panel.Titulo(1);
    }
    for (int k = 2; k <= 4; ++k) grafico.Serie(k).titulo = panel.Titulo(k);

    // The time is computed whenever the depth in the field (possibly from an
    // earlier calculation, if slot 1 is inactive) exceeds the flow depth; the
    // curve only for an active slot.
    const double h = d.FlujTiraRest;
    const double u = d.FlujVeloMedi;
    const double uc = d.OutpVeloCritEros;
    if (static_cast<Ext>(e.FlujFactTurb) * u > uc && h < e.OutpErosMaxi1) {
        e.ErosTiemRefe = TiemCara(h, d.SediDensRela, e.FlujFactTurb, u, uc);
        if (panel.Activa(1)) TrazarEvolEstandar(grafico, 1, h, e.OutpErosMaxi1, e.ErosTiemRefe);
    }
}

std::vector<TFila> FilasEscalon(const TDatosProblema& d, const TPanelFormulas& panel) {
    return {FilaTurbulencia(d.PEn.OutpInteRelaTurb),
            FilaErosion(panel, 1, MostrarResultado(panel, 1, d.PEn.OutpErosMaxi1))};
}
