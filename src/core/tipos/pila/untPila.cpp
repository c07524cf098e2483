#include "tipos/pila/untPila.h"

#include <array>
#include <cmath>

#include "compute/untClaves.h"
#include "compute/untEvolucion.h"
#include "compute/untFilas.h"
#include "general/untGeneral.h"
#include "problem/untCampos.h"
#include "problem/untDatos.h"

namespace {

// Result fields of the three scour formulas (slots 1 to 3) and their failure lengths.
constexpr int kFormulas = 3;
constexpr std::array<double TDatosPPi::*, kFormulas> kCampoErosion{
    &TDatosPPi::OutpErosMaxi1, &TDatosPPi::OutpErosMaxi2, &TDatosPPi::OutpErosMaxi3};
constexpr std::array<double TDatosPPi::*, kFormulas> kCampoFalla{
    &TDatosPPi::OutpLongFall1, &TDatosPPi::OutpLongFall2, &TDatosPPi::OutpLongFall3};
// Slot 4 "Longitud de falla crítica" switches the failure lengths on.
constexpr int kRanuraFalla = 4;

// Equilibrium scour of formula slot k (1 to 3) from the record.
double Erosion(const TDatosProblema& d, int k) {
    const TDatosPPi& p = d.PPi;
    const double b = d.Pila.EstrAnchPila;
    const double h = d.FlujTiraRest;
    switch (k) {
        case 1: return TDatosPPi::Breusers(d.FlujVeloMedi, d.OutpVeloCritEros, p.EstrFactComb, b, h);
        case 2: return TDatosPPi::CSU(p.EstrFactComb, h, d.FlujNumeFrou, b);
        default: return TDatosPPi::Johnson(p.EstrFactComb, h, d.FlujNumeFrou, b, p.SediDesvGeom);
    }
}

}  // namespace

// r = U / Uc: 1.5 K b tanh(h/b) above 1, 2 K b (2r - 1) tanh(h/b) for 0.5 < r <= 1, else 0.
double TDatosPPi::Breusers(double u, double uc, double k, double b, double h) {
    const Ext r = Divi(u, uc);
    if (!(r > 0.5)) return 0;
    const Ext tangente = TangHipe(Guardar(Divi(h, b)));
    if (r > 1) return Guardar(Ext{1.5} * k * b * tangente);
    return Guardar(2 * static_cast<Ext>(k) * b * (2 * r - 1) * tangente);
}

// ys = 2 K h Fr^0.43 (b/h)^0.65
double TDatosPPi::CSU(double k, double h, double fr, double b) {
    return Guardar(2 * static_cast<Ext>(k) * h * PoteReal(fr, 0.43) * PoteReal(Guardar(Divi(b, h)), 0.65));
}

// ys = 2.02 K h Fr^0.21 sigma^-0.24 (b/h)^0.65
double TDatosPPi::Johnson(double k, double h, double fr, double b, double sigma) {
    return Guardar(2.02 * static_cast<Ext>(k) * h * PoteReal(fr, 0.21) * PoteReal(sigma, -0.24) *
                   PoteReal(Guardar(Divi(b, h)), 0.65));
}

// T = 29.2 b / (sqrt2 U) [sqrt(Delta g d50) / (sqrt2 U - Uc)]^3 (b/d50)^1.9, seconds.
double TDatosPPi::TiemRefe(double b, double u, double delta, double g, double d50, double uc) {
    const Ext raiz2U = Raiz(2) * u;
    const double base = Guardar(Divi(Raiz(static_cast<Ext>(delta) * g * d50), raiz2U - uc));
    return Guardar(Divi(29.2 * static_cast<Ext>(b), raiz2U) * PoteReal(base, 3) *
                   PoteReal(Guardar(Divi(b, d50)), 1.9));
}

// L = ys cos(phi) / sin(phi); phi = 0 divides by zero.
double TDatosPPi::LongFall(double ys, double phi) {
    const Ext angulo = phi;
    return Guardar(Divi(ys * std::cos(angulo), std::sin(angulo)));
}

double TDatosPPi::DesvGeom(double d84, double d50) { return Guardar(Divi(d84, d50)); }

// K_theta = (cos theta + (l/b) sin theta)^0.62
double TDatosPPi::FactAlin(double theta, double l, double b) {
    const Ext angulo = theta;
    return PoteReal(Guardar(std::cos(angulo) + Divi(l, b) * std::sin(angulo)), 0.62);
}

// K_sigma = -0.23 sigma^2 + 0.387 sigma + 0.8415 below 0.25, 1.0417 sigma^-1.1841 from 0.25 on.
double TDatosPPi::FactGrad(double sigma) {
    const Ext s = sigma;
    if (sigma < 0.25) return Guardar(-0.23 * static_cast<Ext>(PoteReal(sigma, 2)) + 0.387 * s + 0.8415);
    return Guardar(1.0417 * static_cast<Ext>(PoteReal(sigma, -1.1841)));
}

double TDatosPPi::FactComb(double kg, double kTheta, double kSigma, double ks) {
    return Guardar(static_cast<Ext>(kg) * kTheta * kSigma * ks);
}

void LeerPila(TDatosProblema& d, const TTextosCampos& textos, const TPanelFormulas&) {
    TDatosPPi& p = d.PPi;
    p.SediDiam84N3 = Guardar(static_cast<Ext>(LeerCampo(textos, "SediDiam84N3")) / 1000);
    p.SediAnguRepo = LeerCampo(textos, "SediAnguRepo");
    p.EstrFactFormKs = LeerCampo(textos, "EstrFactFormKs");
    p.EstrFactGrup = LeerCampo(textos, "EstrFactGrup");
    p.EstrAnguAtaq = LeerCampo(textos, "EstrAnguAtaq");
}

void PrepPila(TDatosProblema& d, const TPanelFormulas&) {
    TDatosPPi& p = d.PPi;
    p.SediDesvGeom = TDatosPPi::DesvGeom(p.SediDiam84N3, d.SediDiamMedi);
    p.EstrFactAlin = TDatosPPi::FactAlin(GradRadi(p.EstrAnguAtaq), d.Pila.EstrLongPila, d.Pila.EstrAnchPila);
    p.SediFactGrad = TDatosPPi::FactGrad(p.SediDesvGeom);
    p.EstrFactComb = TDatosPPi::FactComb(p.EstrFactGrup, p.EstrFactAlin, p.SediFactGrad, p.EstrFactFormKs);
}

void CalcPila(TDatosProblema& d, const TPanelFormulas& panel, TGrafico& grafico) {
    TDatosPPi& p = d.PPi;
    auto activa = [&](int k) { return panel.Activa(k); };
    EvaluarRanuras(panel, grafico, kFormulas, activa, [&](int k) { p.*kCampoErosion[k - 1] = Erosion(d, k); });
    grafico.Serie(4).titulo = kTextoInactivo;  // no fourth curve

    const double h = d.FlujTiraRest;
    if (Raiz(2) * d.FlujVeloMedi > d.OutpVeloCritEros) {
        const double segundos = TDatosPPi::TiemRefe(d.Pila.EstrAnchPila, d.FlujVeloMedi, d.SediDensRela,
                                                    d.ForzAcelGrav, d.SediDiamMedi, d.OutpVeloCritEros);
        p.ErosTiemRefe = Guardar(static_cast<Ext>(segundos) / 3600);
        TrazarRanuras(grafico, kFormulas, h, p.ErosTiemRefe, [&](int k) { return p.*kCampoErosion[k - 1]; }, activa);
    }

    for (int k = 1; k <= kFormulas; ++k)
        if (panel.Activa(kRanuraFalla) && panel.Activa(k))
            p.*kCampoFalla[k - 1] = TDatosPPi::LongFall(p.*kCampoErosion[k - 1], GradRadi(p.SediAnguRepo));
}

std::vector<TFila> FilasPila(const TDatosProblema& d, const TPanelFormulas& panel) {
    const TDatosPPi& p = d.PPi;
    std::vector<TFila> filas;
    for (int k = 1; k <= kFormulas; ++k) {
        filas.push_back(FilaErosion(panel, k, MostrarResultado(panel, k, p.*kCampoErosion[k - 1])));
        // The failure length of slot k is computed only while slot 4 is active
        // too; otherwise the field still holds an earlier calculation's value.
        filas.push_back(FilaFalla(panel, k,
                                  panel.Activa(kRanuraFalla) ? MostrarResultado(panel, k, p.*kCampoFalla[k - 1])
                                                             : TValor(kTextoInactivo)));
    }
    return filas;
}

const TTipoEstructura& TipoPila() {
    static const std::vector<std::string_view> kPila123{"EstrFactFormKs", "EstrFactGrup", "EstrAnguAtaq"};
    static const TTipoEstructura tipo{
        .codigo = kCodigoPila,
        .titulo = "Problema de la Pila",
        .caja = "PPi",
        .descripcion = "pila",
        .ranuras = {RanuraFormula("Breusers", kPila123), RanuraFormula("CSU", kPila123),
                    RanuraFormula("Johnson", {"SediDiam84N3", "EstrFactFormKs", "EstrFactGrup", "EstrAnguAtaq"}),
                    // The failure lengths of the three formulas, on or off.
                    Interruptor(RanuraFormula("Longitud de falla crítica", {"SediAnguRepo"}))},
        .filas = {{"SediDiam84N3", 1, 1, "SEDIMENTO", false},
                  {"SediAnguRepo", 2, 1, "", true},
                  {"EstrFactFormKs", 3, 2, "ESTRUCTURA", true},
                  {"EstrFactGrup", 4, 2, "", true},
                  {"EstrAnguAtaq", 5, 2, "", false}},
        .calculadora = {LeerPila, nullptr, PrepPila, CalcPila, FilasPila},
        .detalle = SeccionesPila,
        .claves = {{"OutpErosMaxi1", "ys_pila_breusers_m", "Erosión máxima de equilibrio (Breusers)", "[m]"},
                   {"OutpLongFall1", "lf_pila_breusers_m", "Longitud de falla crítica (Breusers)", "[m]"},
                   {"OutpErosMaxi2", "ys_pila_csu_m", "Erosión máxima de equilibrio (CSU)", "[m]"},
                   {"OutpLongFall2", "lf_pila_csu_m", "Longitud de falla crítica (CSU)", "[m]"},
                   {"OutpErosMaxi3", "ys_pila_johnson_m", "Erosión máxima de equilibrio (Johnson)", "[m]"},
                   {"OutpLongFall3", "lf_pila_johnson_m", "Longitud de falla crítica (Johnson)", "[m]"}},
        .medido = true,
        .gradacion = [](const TDatosProblema& d) { return TGradacion{d.PPi.SediFactGrad, d.PPi.SediDesvGeom}; },
        .imagenes = {{"PictPPi"}},
    };
    return tipo;
}
