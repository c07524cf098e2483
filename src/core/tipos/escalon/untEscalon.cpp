#include "tipos/escalon/untEscalon.h"

#include <cmath>

#include "compute/untChorroComun.h"
#include "compute/untClaves.h"
#include "compute/untEvolucion.h"
#include "compute/untFilas.h"
#include "general/untGeneral.h"
#include "problem/untCampos.h"
#include "problem/untDatos.h"

double TDatosPEn::BornmannJulien(double phi, double q, double vj, double theta, double delta, double g,
                                 double d90, double d) {
    const Ext senos = Divi(std::sin(static_cast<Ext>(phi)), std::sin(static_cast<Ext>(phi) + theta));
    const Ext a = PoteReal(Guardar(senos), 0.8) * (static_cast<Ext>(1.8) * 1.8);
    const Ext n = PoteReal(q, 0.6) * a * vj * std::sin(static_cast<Ext>(theta));
    const Ext m = static_cast<Ext>(PoteReal(Guardar(2 * static_cast<Ext>(delta) * g), 0.8)) * PoteReal(d90, 0.4);
    return Guardar(Divi(n, m) - d);
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

namespace {

constexpr TFilaRango kPEnBoJu[]{
    {"Diámetro Medio (d50)", "[mm]", "0.82/2.8", ""},
    {"Tirante en la restitución", "[m]", "0.16/0.61", ""},
    {"Dif. altura carga/restitución", "[m]", "-", ""},
    {"Velocidad del chorro", "[m/s]", "0.9/4.7", ""},
    {"Caudal específico", "[l/s]", "1.28/12.0", ""},
    {"Angulo chorro/sup. libre", "[º]", "0.1/1.0", ""},
    {"Tipo de chorro", "[-]", "Desliza sobre escalón", ""},
};

constexpr TTablaRango kPEnBoJuTabla{"RangPEnBoJu", "Fórmula de Bornmann & Julien", kPEnBoJu};

}  // namespace

const TTipoEstructura& TipoEscalon() {
    static const TTipoEstructura tipo{
        .codigo = kCodigoEscalon,
        .titulo = "Problema del escalón",
        .caja = "PEn",
        .descripcion = "escalón",
        .ranuras = {RanuraFormula("Bornmann y Julien", kCamposChorro, &kPEnBoJuTabla), kRanuraOculta, kRanuraOculta,
                     kRanuraOculta},
        .filas = kFilasChorro,
        .avisoProteccion = true,
        .calculadora = {EntradaEscalon, nullptr, PreparacionEscalon, CalcularEscalon, FilasEscalon},
        .detalle = SeccionesEscalon,
        .claves = {kClaveTurbulencia,
                   {"OutpErosMaxi1", "ys_escalon_bornmann_julien_m", "Erosión máxima de equilibrio (Bornmann y Julien)",
                     "[m]"}},
        .magnitudes = kMagnitudesChorro,
        .imagenes = {{"PictPEn"}},
    };
    return tipo;
}
