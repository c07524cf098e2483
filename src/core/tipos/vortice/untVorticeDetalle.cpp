#include "tipos/vortice/untVortice.h"

#include <array>

#include "compute/untDetalleBase.h"
#include "compute/untFilas.h"
#include "general/untGeneral.h"
#include "problem/untDatos.h"

using namespace detalle;

void SeccionesVortice(const TDatosProblema& d, const TPanelFormulas& panel,
                      std::vector<TSeccionDetalle>& secciones) {
    if (!panel.Activa(1)) return;
    const TDatosPVC& p = d.PVC;
    const bool vivo = LechoVivo(d);
    const bool curva = VorticeConCurva(d, panel);
    TSeccionDetalle s = Formula(panel, 1, {"ye = (α · U − Uc) · h / Uc  [0 si α · U ≤ Uc]"});
    if (vivo) {
        s.ecuacion.push_back("Lecho vivo: ys, final del balance de sedimentos del foso a lo largo de la evolución:");
        s.ecuacion.push_back("y = √(y'² + (6 · (yc² − yc'²) − qt · Δt / (1 − n)) / 20),  Δt = 0.02 · T");
        s.ecuacion.push_back("yc = ye · [1 − (1 − h / ye)^((t / T)^0.38)]");
    }
    if (d.CodiProb == kCodigoVorticeEscalon) {
        s.terminos = {Dato("Altura del escalón", "D", DETALLE_CAMPO(Salto.EstrAltuSaltFond), "m"),
                      Dato("Longitud de la protección", "Lp", DETALLE_CAMPO(Salto.EstrLongPlat), "m")};
    } else {
        s.terminos = {Dato("Altura de la abertura", "a", DETALLE_CAMPO(Apertura.EstrAltuAper), "m"),
                      Calculado("Altura del obstáculo", "D", "h − a", DETALLE_CAMPO(Apertura.EstrAltuObst), "m"),
                      Dato("Longitud de la protección", "Lp", DETALLE_CAMPO(Apertura.EstrLongPlat), "m")};
    }
    Agregar(s.terminos,
            {
                TermH(d),
                Dato("Coeficiente de Manning de la protección", "np", DETALLE_CAMPO(PVC.EstrCoefMannPlat),
                     "s/m^(1/3)"),
                Calculado("Coeficiente de Chézy de la protección", "Cp", "h^(1/6) / np", DETALLE_CAMPO(PVC.CoefChezPlat),
                          "m^(1/2)/s"),
                Calculado("Relación de velocidades de la protección", "√g/Cp", "√g / Cp",
                          DETALLE_CAMPO(PVC.RelaVeloCortPlat), ""),
                Calculado("Intensidad relativa de turbulencia", "r0",
                          "√(0.0225 · (1 − D / h)^(−2) · (1 + (Lp − 6 · D) / (6.67 · h))^(−1.08) + 1.45 · (√g/Cp)²)",
                          DETALLE_CAMPO(PVC.OutpInteRelaTurb), ""),
                Calculado("Factor de velocidad", "α", "1 + 3 · r0", DETALLE_CAMPO(PVC.FlujFactTurb), ""),
                TermU(d),
                TermUc(d),
                Calculado("Erosión de equilibrio en aguas claras", "ye", "(α · U − Uc) · h / Uc",
                          DETALLE_CAMPO(PVC.ErosAguaClar), "m"),
                Calculado("Factor de Chézy", "fC", p.CoefChezPlat > 40 ? "Cp / 40  [Cp > 40]" : "1  [Cp ≤ 40]",
                          DETALLE_CAMPO(PVC.FactChez), ""),
                Calculado("Coeficiente de la escala de tiempo", "αt", "1.5 + 4.4 · r0 · fC",
                          DETALLE_CAMPO(PVC.CoefAlfaTurb), ""),
            });
    if (vivo) {
        const Ext me = Seguro([&] {
            return Divi(static_cast<Ext>(d.FlujVeloMedi) - d.OutpVeloCritEros,
                        Raiz(static_cast<Ext>(d.SediDensRela) * d.ForzAcelGrav * d.SediDiamMedi));
        });
        Agregar(s.terminos,
                {TermDelta(d), TermD50(d),
                 Razon("Exceso de movilidad", "Me", "(U − Uc) / √(Δ · g · d50)", me),
                 Dato("Diámetro adimensional", "D*", DETALLE_CAMPO(SediDiamAdim), ""),
                 Calculado("Caudal sólido de fondo", "qb", "0.005 · U · h · Me^2.4 · (d50 / h)^1.2",
                           DETALLE_CAMPO(PVC.OutpCaudSoliFond), "m²/s"),
                 Calculado("Caudal sólido en suspensión", "qs", "0.012 · U · h · Me^2.4 · (d50 / h) · D*^(−0.6)",
                           DETALLE_CAMPO(PVC.OutpCaudSoliSusp), "m²/s"),
                 Calculado("Caudal sólido total efectivo", "qt", "qb + 0.15 · qs", DETALLE_CAMPO(PVC.OutpCaudSoliTota),
                           "m²/s"),
                 Dato("Porosidad del sedimento", "n", DETALLE_CAMPO(PVC.CaucPoro), "")});
    }

    // The depth: the clear-water one, or in live bed the end of the balance,
    // which exists only when the curve is traced.
    double ys = p.ErosAguaClar;
    if (!vivo) {
        s.resultados.push_back(Erosion("PVC.ErosAguaClar", ys));
    } else if (curva) {
        ys = p.ErosLechVivo;
        s.resultados.push_back(Erosion("PVC.ErosLechVivo", ys));
    } else {
        s.notas.push_back("Lecho vivo sin curva de evolución (T = 0 o ye no supera h): sin erosión de equilibrio.");
    }
    if (curva)
        s.resultados.push_back(
            Calculado("Longitud de falla crítica", "L", "2 · ys", DETALLE_CAMPO(PVC.OutpLongFall1), "m"));
    if (p.CoefAlfaTurb > 0) {
        s.resultados.push_back(Calculado("Escala de tiempo de la evolución", "T",
                                         "10⁷ · h · Δ^1.5 / (Fr^2.5 · a⁴ · Re^0.5 · U) / 3600,  a = αt − Uc / U  "
                                         "[T = 0 si a < 0]",
                                         DETALLE_CAMPO(PVC.ErosTiemRefe), "h"));
        if (!curva && !vivo) s.notas.push_back("T = 0 o ye no supera h: no se traza la curva de evolución.");
    } else {
        s.notas.push_back("αt ≤ 0: sin escala de tiempo ni curva de evolución.");
    }
    s.resultados.push_back(Calculado("Pendiente del talud aguas arriba del foso", "ψ",
                                     "arcsin(2.9e-4 · U² / (Δ · g · d50) + (0.75 · r0 + 0.11) · fC)",
                                     DETALLE_CAMPO(PVC.OutpPendTalu), "°"));
    secciones.push_back(std::move(s));
}
