#include "tipos/vortice/untVortice.h"

#include <cmath>

#include "compute/untClaves.h"
#include "compute/untEvolucion.h"
#include "compute/untFilas.h"
#include "general/untGeneral.h"
#include "problem/untCampos.h"
#include "problem/untTipos.h"

namespace {

// Exponent of the time law of the live-bed curve.
constexpr double kGammaLechVivo = 0.38;

// Mobility excess Me = (U - Uc) / sqrt(Delta g d50) of both transport laws.
double ExcesoMovilidad(double u, double uc, double delta, double g, double d50) {
    return Guardar(Divi(static_cast<Ext>(u) - uc, Raiz(static_cast<Ext>(delta) * g * d50)));
}

}  // namespace

double TDatosPVC::InteTurbPlat(double altuObst, double h, double longPlat, double relaVeloCortPlat) {
    // An obstacle as high as the flow (D >= h) gives a base <= 0, and
    // PoteReal makes the first term 0 instead of infinite.
    const double baseObst = Guardar(1 - Divi(altuObst, h));
    const double basePlat = Guardar(1 + Divi(static_cast<Ext>(longPlat) - 6 * static_cast<Ext>(altuObst), 6.67L * h));
    const Ext chorro = 0.0225L * PoteReal(baseObst, -2.0) * PoteReal(basePlat, -1.08);
    const Ext fondo = 1.45L * PoteReal(relaVeloCortPlat, 2.0);
    return Guardar(Raiz(chorro + fondo));
}

double TDatosPVC::ErosAguaClarPVC(double h, double alfa, double u, double uc) {
    const Ext ye = Divi((static_cast<Ext>(alfa) * u - uc) * h, uc);
    return ye > 0 ? Guardar(ye) : 0.0;
}

double TDatosPVC::TiemCaraPVC(double h, double delta, double fr, double re, double uc, double u, double alfaT) {
    const double a = Guardar(alfaT - Divi(uc, u));
    if (a < 0) return 0.0;
    const Ext numerador = static_cast<Ext>(h) * 1e7 * PoteReal(delta, 1.5);
    // a = 0 makes the denominator 0: division by zero.
    const Ext denominador = static_cast<Ext>(PoteReal(fr, 2.5)) * PoteReal(a, 4) * PoteReal(re, 0.5) * u;
    return Guardar(Divi(numerador, denominador));
}

double TDatosPVC::CaudSoliFond(double u, double h, double uc, double delta, double g, double d50) {
    const double me = ExcesoMovilidad(u, uc, delta, g, d50);
    return Guardar(0.005L * u * h * PoteReal(me, 2.4) * PoteReal(Guardar(Divi(d50, h)), 1.2));
}

double TDatosPVC::CaudSoliSusp(double u, double h, double uc, double delta, double g, double d50, double dAdim) {
    const double me = ExcesoMovilidad(u, uc, delta, g, d50);
    return Guardar(Divi(0.012L * u * h * PoteReal(me, 2.4) * d50, h) * PoteReal(dAdim, -0.6));
}

double TDatosPVC::ErosBalaSedi(double yPrevio, double yc, double ycPrevio, double qt, double dt, double poro) {
    const Ext excavado = 6 * (static_cast<Ext>(PoteReal(yc, 2)) - PoteReal(ycPrevio, 2));
    const Ext aportado = Divi(static_cast<Ext>(qt) * dt, 1 - static_cast<Ext>(poro));
    return Guardar(Raiz(PoteReal(yPrevio, 2) + Divi(excavado - aportado, 20)));
}

double TDatosPVC::PendTaluAguaArri(double u, double delta, double g, double d50, double r0, double fC) {
    const Ext x = Divi(Divi(Divi(2.9e-4L * PoteReal(u, 2), delta), g), d50) + (0.75L * r0 + 0.11L) * fC;
    return Guardar(Divi(ArcoSeno(x) * 180, kPi));
}

double TrazarLechVivo(TSerie& serie, double h, double tCara, double gamma, double ye, double paso1, double paso2,
                      double fin1, double qt, double poro) {
    int i = 0;
    double t = 0;
    double y = 0;
    double yc = 0;
    double yPrevio = 0;
    // One step of the balance at the current t; the time step of the
    // balance is always the first step.
    auto avanzar = [&] {
        yPrevio = y;
        const double ycPrevio = yc;
        yc = ErosEvol(h, ye, t, tCara, gamma);
        y = TDatosPVC::ErosBalaSedi(yPrevio, yc, ycPrevio, qt, paso1, poro);
        serie.puntos.push_back({t, y});
    };
    // Both stretches end at kPuntosMaxi points in all, and a step too small
    // to change t (e.g. 0.02 T rounded to 0) ends the curve before its point:
    // it would append the same point for ever.
    double siguiente;
    do {
        siguiente = Guardar(static_cast<Ext>(i + 1) * paso1);  // a product, not an accumulated sum
        if (siguiente == t) return y;
        ++i;
        t = siguiente;
        avanzar();
    } while (i < kPuntosMaxi && t < fin1);
    while (i < kPuntosMaxi) {
        siguiente = t + paso2;
        if (siguiente == t) break;
        t = siguiente;
        ++i;
        avanzar();
        // Tested in this order: a falling depth, the point limit, the relative change.
        if (y < yPrevio || i == kPuntosMaxi || std::fabs(Divi(static_cast<Ext>(y) - yPrevio, y)) < 1e-5L) break;
    }
    return y;
}

void LeerVortice(TDatosProblema& d, const TTextosCampos& textos, const TPanelFormulas&) {
    d.PVC.EstrCoefMannPlat = LeerCampo(textos, "EstrCoefMannPlat");
    d.PVC.CaucPoro = LeerCampo(textos, "CaucPoro");
}

void PrepVortice(TDatosProblema& d, const TPanelFormulas&) {
    TDatosPVC& p = d.PVC;
    const bool salto = d.CodiProb == kCodigoVorticeEscalon;
    const double altuObst = salto ? d.Salto.EstrAltuSaltFond : d.Apertura.EstrAltuObst;
    const double longPlat = salto ? d.Salto.EstrLongPlat : d.Apertura.EstrLongPlat;
    p.CoefChezPlat = CalcCoefChez(d.FlujTiraRest, p.EstrCoefMannPlat);
    p.RelaVeloCortPlat = CalcRelaVeloCort(d.ForzAcelGrav, p.CoefChezPlat);
    p.OutpInteRelaTurb = TDatosPVC::InteTurbPlat(altuObst, d.FlujTiraRest, longPlat, p.RelaVeloCortPlat);
    const Ext factChez = p.CoefChezPlat > 40 ? Divi(p.CoefChezPlat, 40) : 1;
    p.CoefAlfaTurb = Guardar(4.4L * p.OutpInteRelaTurb * factChez + 1.5);
    p.FactChez = Guardar(factChez);
}

bool VorticeConCurva(const TDatosProblema& d, const TPanelFormulas& panel) {
    const TDatosPVC& p = d.PVC;
    return panel.Activa(1) && p.CoefAlfaTurb > 0 && p.ErosTiemRefe > 0 && d.FlujTiraRest < p.ErosAguaClar;
}

void CalcVortice(TDatosProblema& d, const TPanelFormulas& panel, TGrafico& grafico) {
    TDatosPVC& p = d.PVC;
    const double h = d.FlujTiraRest;
    const double u = d.FlujVeloMedi;
    const double uc = d.OutpVeloCritEros;
    p.FlujFactTurb = TresMasUno(p.OutpInteRelaTurb);
    p.ErosAguaClar = TDatosPVC::ErosAguaClarPVC(h, p.FlujFactTurb, u, uc);
    if (p.CoefAlfaTurb > 0) {
        p.ErosTiemRefe = Guardar(Divi(TDatosPVC::TiemCaraPVC(h, d.SediDensRela, d.FlujNumeFrou, d.FlujNumeReyn, uc,
                                                             u, p.CoefAlfaTurb),
                                      3600));
        const double tCara = p.ErosTiemRefe;
        const bool curva = VorticeConCurva(d, panel);
        if (LechoVivo(d)) {
            p.OutpCaudSoliFond =
                TDatosPVC::CaudSoliFond(u, h, uc, d.SediDensRela, d.ForzAcelGrav, d.SediDiamMedi);
            p.OutpCaudSoliSusp = TDatosPVC::CaudSoliSusp(u, h, uc, d.SediDensRela, d.ForzAcelGrav, d.SediDiamMedi,
                                                         d.SediDiamAdim);
            p.OutpCaudSoliTota = Guardar(0.15L * p.OutpCaudSoliSusp + p.OutpCaudSoliFond);
            if (curva) {
                // The live-bed depth is the end of this curve: it is traced
                // with the curves off too, into a series thrown away.
                TSerie descarte;
                TSerie& serie = grafico.curvas ? grafico.Serie(1) : descarte;
                p.ErosLechVivo = TrazarLechVivo(serie, h, tCara, kGammaLechVivo, p.ErosAguaClar,
                                                Guardar(0.02L * tCara), tCara, Guardar(5.0L * tCara),
                                                p.OutpCaudSoliTota, p.CaucPoro);
                grafico.Serie(1).titulo = panel.Titulo(1);
                grafico.pestanaVisible = true;
                p.OutpLongFall1 = Guardar(2 * static_cast<Ext>(p.ErosLechVivo));
            } else {
                grafico.Serie(1).titulo = kTextoInactivo;
            }
            for (int k = 2; k <= 4; ++k) grafico.Serie(k).titulo = panel.Titulo(k);
        } else if (curva) {
            TrazarEvolEstandar(grafico, 1, h, p.ErosAguaClar, tCara);
            for (int k = 1; k <= 4; ++k) grafico.Serie(k).titulo = panel.Titulo(k);
            p.OutpLongFall1 = Guardar(2 * static_cast<Ext>(p.ErosAguaClar));
        }
    }
    p.OutpPendTalu = TDatosPVC::PendTaluAguaArri(u, d.SediDensRela, d.ForzAcelGrav, d.SediDiamMedi,
                                                 p.OutpInteRelaTurb, p.FactChez);
}

std::vector<TFila> FilasVortice(const TDatosProblema& d, const TPanelFormulas& panel) {
    const TDatosPVC& p = d.PVC;
    const bool vivo = LechoVivo(d);
    // The failure length, and in live bed the scour depth, exist only when
    // the latest calculation drew the curve; otherwise the fields may hold
    // the values of an earlier calculation.
    const bool curva = VorticeConCurva(d, panel);
    auto deCurva = [&](double valor) {
        return curva ? MostrarResultado(panel, 1, valor) : TValor(kTextoInactivo);
    };
    return {
        FilaTurbulencia(p.OutpInteRelaTurb),
        Fila("OutpCaudSoliTota", "Caudal sólido total efectivo", vivo ? Numero(p.OutpCaudSoliTota, 6, 6) : "nulo",
             "[m^2/s]"),
        FilaErosion(panel, 1, vivo ? deCurva(p.ErosLechVivo) : MostrarResultado(panel, 1, p.ErosAguaClar)),
        Fila("OutpLongFall1", "Longitud de falla crítica", deCurva(p.OutpLongFall1), "[m]"),
        Fila("OutpPendTalu", "Pendiente talud aguas arriba del foso", MostrarResultado(panel, 1, p.OutpPendTalu),
             "[º]"),
    };
}

namespace {

// The height of the obstruction over the opening, h - a, below a gate or culvert.
void DerivarVorticeAlcantarilla(TDatosProblema& d) {
    d.Apertura.EstrAltuObst = Guardar(static_cast<Ext>(d.FlujTiraRest) - d.Apertura.EstrAltuAper);
}

TTipoEstructura Vortice(ProblemCode codigo, void (*estructura)(TDatosProblema&), std::string_view imagen) {
    return {
        .codigo = codigo,
        .titulo = "Problema Vórtice Confinado",
        .caja = "PVC",
        .descripcion = "vórtice confinado",
        .ranuras = {RanuraFormula("Dietz", {"CaucPoro", "EstrCoefMannPlat"}), kRanuraOculta, kRanuraOculta,
                     kRanuraOculta},
        .filas = {{"CaucPoro", 1, 1, "CAUCE", false}, {"EstrCoefMannPlat", 2, 2, "ESTRUCTURA", false}},
        .calculadora = {LeerVortice, estructura, PrepVortice, CalcVortice, FilasVortice},
        .detalle = SeccionesVortice,
        .claves = {kClaveTurbulencia,
                   {"OutpCaudSoliTota", "qs_m2_s", "Caudal sólido total efectivo", "[m^2/s]"},
                   {"OutpErosMaxi1", "ys_vortice_dietz_m", "Erosión máxima de equilibrio (Dietz)", "[m]"},
                   {"OutpLongFall1", "lf_vortice_dietz_m", "Longitud de falla crítica", "[m]"},
                   {"OutpPendTalu", "talud_grados", "Pendiente talud aguas arriba del foso", "[º]"}},
        .aguasClaras = "Aguas Claras",
        .tablaPendientes = true,
        .imagenes = {{imagen}},
    };
}

}  // namespace

const TTipoEstructura& TipoVorticeEscalon() {
    static const TTipoEstructura tipo = Vortice(kCodigoVorticeEscalon, nullptr, "PictPVC1");
    return tipo;
}

const TTipoEstructura& TipoVorticeAlcantarilla() {
    static const TTipoEstructura tipo = Vortice(kCodigoVorticeAlcantarilla, DerivarVorticeAlcantarilla, "PictPVC2");
    return tipo;
}
