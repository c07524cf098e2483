#include "compute/untCalcular.h"

#include <algorithm>
#include <array>

#include "general/untGeneral.h"

namespace {


// Step 1: common inputs, in this order; grain size typed in mm.
void LeerEntradasComunes(TDatosProblema& d, const TTextosCampos& t) {
    d.AguaDens = LeerCampo(t, "AguaDens");
    d.AguaTemp = LeerCampo(t, "AguaTemp");
    d.SediDiamMedi = Guardar(static_cast<Ext>(LeerCampo(t, "SediDiamMedi")) / 1000);
    d.SediDensMate = LeerCampo(t, "SediDensMate");
    d.ForzAcelGrav = LeerCampo(t, "ForzAcelGrav");
    d.FlujCaud = LeerCampo(t, "FlujCaud");
    d.CaucAnchCauc = LeerCampo(t, "CaucAnchCauc");
    d.FlujTiraRest = LeerCampo(t, "FlujTiraRest");
}

// Step 3: sediment quantities.
void CalcularSedimento(TDatosProblema& d) {
    d.AguaViscCine = CalcViscCine(d.AguaTemp);
    d.CaudEspe = Guardar(Divi(d.FlujCaud, d.CaucAnchCauc));
    d.SediDensRela = CalcDensRela(d.SediDensMate, d.AguaDens);
    d.SediDiamAdim = CalcDiamAdim(d.SediDensRela, d.ForzAcelGrav, d.AguaViscCine, d.SediDiamMedi);
    d.OutpParaMoviCrit = CalcParaMoviCrit(d.SediDiamAdim);
    d.VeloCortCrit = CalcVeloCortCrit(d.OutpParaMoviCrit, d.SediDiamMedi, d.ForzAcelGrav, d.SediDensRela);
}

// Step 4: the Manning coefficient as typed, or from the roughness height (mm).
void CalcularRugosidad(TDatosProblema& d, const TTextosCampos& t, bool opcionManning) {
    if (opcionManning) {
        d.CaucCoefMannCauc = LeerCampo(t, "CaucCoefMannCauc");
    } else {
        d.AltuRugoCauc = Guardar(static_cast<Ext>(LeerCampo(t, "AltuRugoCauc")) / 1000);
        d.CaucCoefMannCauc = TDatosProblema::CalcCoefMann(d.FlujTiraRest, d.ForzAcelGrav, d.AltuRugoCauc);
    }
}

// Step 5: flow quantities.
void CalcularFlujo(TDatosProblema& d) {
    d.CoefChez = CalcCoefChez(d.FlujTiraRest, d.CaucCoefMannCauc);
    d.RelaVeloCort = CalcRelaVeloCort(d.ForzAcelGrav, d.CoefChez);
    d.FlujVeloMedi = Guardar(Divi(d.CaudEspe, d.FlujTiraRest));
    d.FlujVeloCort = Producto(d.RelaVeloCort, d.FlujVeloMedi);
    d.OutpParaMovi = CalcParaMovi(d.FlujVeloCort, d.SediDensRela, d.ForzAcelGrav, d.SediDiamMedi);
    d.FlujNumeFrou = CalcNumeFrou(d.FlujVeloMedi, d.ForzAcelGrav, d.FlujTiraRest);
    d.FlujNumeReyn = CalcNumeReyn(d.FlujVeloMedi, d.FlujTiraRest, d.AguaViscCine);
    d.OutpVeloCritEros = CalcVeloCritEros(d.VeloCortCrit, d.RelaVeloCort);
}

}  // namespace

double TDatosProblema::CalcCoefMann(double h, double g, double ks) {
    constexpr double kUnSexto = 1.0 / 6.0;
    const Ext numerador = 0.4L * PoteReal(h, kUnSexto);
    return Guardar(Divi(numerador, Raiz(g) * LogN(Divi(12 * static_cast<Ext>(h), ks))));
}

bool RugosidadExcesiva(double h, double ks) {
    return static_cast<Ext>(ks) >= 12 * static_cast<Ext>(h) * (1 - 1e-12L);
}

void DerivarEstribo(TDatosProblema& d) {
    d.Estribo.EstrRazoCont = TEstrEstribo::RazoCont(d.Estribo.EstrAnchEstr, d.CaucAnchCauc);
    d.Estribo.ErosCoefTiem = TEstrEstribo::CoefTiem();
}

const TCalculadora* CalculadoraDe(ProblemCode codigo) {
    const TTipoEstructura* tipo = TipoEstructura(codigo);
    return tipo ? &tipo->calculadora : nullptr;
}

void CalcularPrevio(TDatosProblema& d, const TTextosCampos& textos, bool opcionManning,
                    const TPanelFormulas& panel) {
    if (!opcionManning &&
        RugosidadExcesiva(LeerCampo(textos, "FlujTiraRest"),
                          Guardar(static_cast<Ext>(LeerCampo(textos, "AltuRugoCauc")) / 1000)))
        throw ErrorRechazo(kMensajeRugosidad);
    const TCalculadora* calc = CalculadoraDe(d.CodiProb);
    LeerEntradasComunes(d, textos);
    if (calc && calc->entrada) calc->entrada(d, textos, panel);
    CalcularSedimento(d);
    CalcularRugosidad(d, textos, opcionManning);
    CalcularFlujo(d);
    if (calc && calc->estructura) calc->estructura(d);
    if (calc && calc->preparacion) calc->preparacion(d, panel);
}

std::optional<std::string> Calcular(TDatosProblema& d, const TTextosCampos& textos, bool opcionManning,
                                    const TPanelFormulas& panel, TGrafico& grafico,
                                    const std::function<void(const char* titulo)>& alCalcular) {
    CalcularPrevio(d, textos, opcionManning, panel);
    const TCalculadora* calc = CalculadoraDe(d.CodiProb);
    if (!calc) return std::nullopt;
    const char* titulo = TipoEstructura(d.CodiProb)->titulo;
    if (alCalcular) alCalcular(titulo);
    if (calc->calcular) calc->calcular(d, panel, grafico);
    return titulo;
}

std::vector<TFila> FilasResultados(ProblemCode codigo, const TDatosProblema& d, const TPanelFormulas& panel) {
    std::vector<TFila> filas = FilasComunes(d, codigo);
    if (const TCalculadora* calc = CalculadoraDe(codigo); calc && calc->filas) {
        std::vector<TFila> propias = calc->filas(d, panel);
        filas.insert(filas.end(), propias.begin(), propias.end());
    }
    return filas;
}
