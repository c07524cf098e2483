#include "tipos/chorro/untChorro.h"

#include <array>
#include <cmath>

#include "compute/untChorroComun.h"
#include "compute/untClaves.h"
#include "compute/untEvolucion.h"
#include "compute/untFilas.h"
#include "general/untGeneral.h"
#include "problem/untDatos.h"

namespace {
// Depth field of each drawn slot, in slot order.
constexpr std::array<double TDatosPCZ::*, 2> kProfundidades{&TDatosPCZ::OutpErosMaxi1, &TDatosPCZ::OutpErosMaxi2};
}  // namespace

double TDatosPCZ::CoefHoffmans(double d90) { return TDatosPAG::CoefHoffmans(d90); }

double TDatosPCZ::Fahlbusch(double c2, double q, double vj, double theta, double g) {
    const Ext factor = Divi(20, c2);
    return Guardar(factor * Raiz(Divi(static_cast<Ext>(q) * vj * std::sin(static_cast<Ext>(theta)), g)));
}

void CalcularChorro(TDatosProblema& d, const TPanelFormulas& panel, TGrafico& grafico) {
    const TDatosPEn& e = d.PEn;
    TDatosPCZ& c = d.PCZ;
    c.ErosCoefHoff = TDatosPCZ::CoefHoffmans(e.SediDiam90N3);
    c.FlujFactTurb = TresMasUno(e.OutpInteRelaTurb);

    auto activa = [&](int k) { return panel.Activa(k); };
    EvaluarRanuras(panel, grafico, 2, activa, [&](int k) {
        if (k == 1)  // no step height below a plunging jet
            c.OutpErosMaxi1 = TDatosPEn::BornmannJulien(GradRadi(e.SediAnguRepo), d.CaudEspe, e.ChorVelo,
                                                        GradRadi(e.FlujAnguChorSupeLibr), d.SediDensRela,
                                                        d.ForzAcelGrav, e.SediDiam90N3, 0);
        else
            c.OutpErosMaxi2 = TDatosPCZ::Fahlbusch(c.ErosCoefHoff, d.CaudEspe, e.ChorVelo,
                                                   GradRadi(e.FlujAnguChorSupeLibr), d.ForzAcelGrav);
    });
    for (int k = 3; k <= 4; ++k) grafico.Serie(k).titulo = panel.Titulo(k);

    // One characteristic time for both curves.
    const double h = d.FlujTiraRest;
    const double u = d.FlujVeloMedi;
    const double uc = d.OutpVeloCritEros;
    if (static_cast<Ext>(c.FlujFactTurb) * u > uc) {
        c.ErosTiemRefe = TiemCara(h, d.SediDensRela, c.FlujFactTurb, u, uc);
        TrazarRanuras(grafico, 2, h, c.ErosTiemRefe, [&](int k) { return c.*kProfundidades[k - 1]; }, activa);
    }
}

std::vector<TFila> FilasChorro(const TDatosProblema& d, const TPanelFormulas& panel) {
    return {FilaTurbulencia(d.PEn.OutpInteRelaTurb),
            FilaErosion(panel, 1, MostrarResultado(panel, 1, d.PCZ.OutpErosMaxi1)),
            FilaErosion(panel, 2, MostrarResultado(panel, 2, d.PCZ.OutpErosMaxi2))};
}

namespace {

constexpr TFilaRango kPCZBoJu[]{
    {"Diámetro Medio (d50)", "[mm]", "0.3/1.7", "0.1/25"},
    {"Tirante en la restitución", "[m]", "0.24/1.65", "0.01/42"},
    {"Dif. altura carga/restitución", "[m]", "-", "0.01/225"},
    {"Velocidad del chorro", "[m/s]", "0.9/4.7", "0.7/5.2"},
    {"Caudal específico", "[l/s]", "0.29/2.47", "0.002/220"},
    {"Angulo chorro/sup. libre", "[º]", "0.1/1.0", "0.1/1.6"},
    {"Tipo de chorro", "[-]", "Desliza sobre escalón", "Impacta sobre superficie"},
};

constexpr TFilaRango kPCZFahl[]{
    {"Diámetro Medio (d50)", "[mm]", "0.1/25", ""},
    {"Tirante en la restitución", "[m]", "0.01/42", ""},
    {"Dif. altura carga/restitución", "[m]", "0.01/225", ""},
    {"Velocidad del chorro", "[m/s]", "0.7/5.2", ""},
    {"Caudal específico", "[l/s]", "0.002/220", ""},
    {"Angulo chorro/sup. libre", "[º]", "0.1/1.6", ""},
    {"Tipo de chorro", "[-]", "Impacta sobre superficie", ""},
};

constexpr TTablaRango kPCZBoJuTabla{"RangPCZBoJu", "Fórmula de Bornmann & Julien", kPCZBoJu};
constexpr TTablaRango kPCZFahlTabla{"RangPCZFahl", "Fórmula de Fahlbusch", kPCZFahl};

}  // namespace

const TTipoEstructura& TipoChorro() {
    static const TTipoEstructura tipo{
        .codigo = kCodigoChorro,
        .titulo = "Problema Chorro Zambullido",
        .caja = "PCZ",
        .descripcion = "chorro zambullido",
        .ranuras = {RanuraFormula("Bornmann y Julien", kCamposChorro, &kPCZBoJuTabla),
                    RanuraFormula("Fahlbusch", {"SediDiam90N3", "FlujDifeCargRest", "FlujAnguChorSupeLibr"},
                                   &kPCZFahlTabla),
                     kRanuraOculta,
                    kRanuraOculta},
        .filas = kFilasChorro,
        .avisoProteccion = true,
        .calculadora = {EntradaEscalon, nullptr, PreparacionEscalon, CalcularChorro, FilasChorro},
        .detalle = SeccionesChorro,
        .claves = {kClaveTurbulencia,
                   {"OutpErosMaxi1", "ys_chorro_bornmann_julien_m", "Erosión máxima de equilibrio (Bornmann y Julien)",
                     "[m]"},
                   {"OutpErosMaxi2", "ys_chorro_fahlbusch_m", "Erosión máxima de equilibrio (Fahlbusch)", "[m]"}},
        .magnitudes = kMagnitudesChorro,
        .imagenes = {{"PictPCZ"}},
    };
    return tipo;
}
