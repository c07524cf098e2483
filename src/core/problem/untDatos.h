// The problem record: classification state, the value saved on entering a
// field, the common inputs and derived quantities, the structure records and
// the per-problem blocks, in this order.  Doubles in SI units, zero at start.
// Each calculation window owns one record, created with the window.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>

#include "problem/untDatosPAC.h"
#include "problem/untDatosPAG.h"
#include "problem/untDatosPCZ.h"
#include "problem/untDatosPEP.h"
#include "problem/untDatosPEn.h"
#include "problem/untDatosPEs.h"
#include "problem/untDatosPPi.h"
#include "problem/untDatosPVC.h"
#include "problem/untEstructuras.h"

using ProblemCode = std::int32_t;

struct TDatosProblema {
    // Classification state.
    ProblemCode CodiProb = 0;
    std::uint8_t ElecFeno = 0;  // item index of "Fenómeno dominante": 0, 1, 2
    std::uint8_t ElecObst = 0;  // 3 fondo, 4 superficie, 5 orilla, 6 interior, 7 superficie y orilla
    std::uint8_t ElecChor = 0;  // 8 impacta sobre superficie libre, 9 desliza sobre escalón; 0 never chosen
    std::uint8_t ProtEfec = 0;  // 1 when the last protection check found the length sufficient
    double ValoEntr = 0;        // value of the field entered last

    // Common inputs and derived quantities.
    double AguaDens = 0;          // water density, kg/m3
    double AguaTemp = 0;          // water temperature, degC
    double SediDensMate = 0;      // sediment density, kg/m3
    double SediDiamMedi = 0;      // d50, m
    double ForzAcelGrav = 0;      // g, m/s2
    double FlujCaud = 0;          // discharge Q, m3/s
    double CaucAnchCauc = 0;      // channel width B, m
    double CaucCoefMannCauc = 0;  // Manning n, s/m^(1/3)
    double AltuRugoCauc = 0;      // roughness height ks, m
    double AguaViscCine = 0;      // nu, m2/s
    double CaudEspe = 0;          // q = Q / B, m2/s
    double SediDensRela = 0;      // Delta
    double SediDiamAdim = 0;      // D*
    double OutpParaMoviCrit = 0;  // theta_c
    double VeloCortCrit = 0;      // u*c, m/s
    double FlujTiraRest = 0;      // flow depth h, m
    double CoefChez = 0;          // Chezy C, m^(1/2)/s
    double RelaVeloCort = 0;      // sqrt(g) / C
    double FlujVeloMedi = 0;      // U, m/s
    double FlujVeloCort = 0;      // u*, m/s
    double OutpParaMovi = 0;      // theta
    double FlujNumeFrou = 0;      // Fr
    double FlujNumeReyn = 0;      // Re
    double OutpVeloCritEros = 0;  // Uc, m/s

    // Manning coefficient from the roughness height (logarithmic law):
    // n = 0.4 h^(1/6) / (sqrt(g) ln(12 h / ks)).
    static double CalcCoefMann(double h, double g, double ks);

    // Structure records.
    TEstrSalto Salto;
    TEstrApertura Apertura;
    TEstrEstribo Estribo;
    TEstrPila Pila;
    TEstrAlcantarilla Alcantarilla;

    // Per-problem blocks.
    TDatosPVC PVC;
    TDatosPEn PEn;
    TDatosPCZ PCZ;
    TDatosPAC PAC;
    TDatosPEs PEs;
    TDatosPEP PEP;
    TDatosPPi PPi;
    TDatosPAG PAG;

    // Visits every double of the record as (name, reference); the fields of
    // the structure records and blocks are named "<member>.<field>".
    template <class S, class F> static void Recorrer(S& s, F&& f);
};

template <class S, class F> void TDatosProblema::Recorrer(S& s, F&& f) {
    f("ValoEntr", s.ValoEntr);
    TURMADO_CAMPO(f, s, AguaDens);
    TURMADO_CAMPO(f, s, AguaTemp);
    TURMADO_CAMPO(f, s, SediDensMate);
    TURMADO_CAMPO(f, s, SediDiamMedi);
    TURMADO_CAMPO(f, s, ForzAcelGrav);
    TURMADO_CAMPO(f, s, FlujCaud);
    TURMADO_CAMPO(f, s, CaucAnchCauc);
    TURMADO_CAMPO(f, s, CaucCoefMannCauc);
    TURMADO_CAMPO(f, s, AltuRugoCauc);
    TURMADO_CAMPO(f, s, AguaViscCine);
    TURMADO_CAMPO(f, s, CaudEspe);
    TURMADO_CAMPO(f, s, SediDensRela);
    TURMADO_CAMPO(f, s, SediDiamAdim);
    TURMADO_CAMPO(f, s, OutpParaMoviCrit);
    TURMADO_CAMPO(f, s, VeloCortCrit);
    TURMADO_CAMPO(f, s, FlujTiraRest);
    TURMADO_CAMPO(f, s, CoefChez);
    TURMADO_CAMPO(f, s, RelaVeloCort);
    TURMADO_CAMPO(f, s, FlujVeloMedi);
    TURMADO_CAMPO(f, s, FlujVeloCort);
    TURMADO_CAMPO(f, s, OutpParaMovi);
    TURMADO_CAMPO(f, s, FlujNumeFrou);
    TURMADO_CAMPO(f, s, FlujNumeReyn);
    TURMADO_CAMPO(f, s, OutpVeloCritEros);
    auto miembro = [&f](const char* prefijo, auto& registro) {
        using R = std::remove_cvref_t<decltype(registro)>;
        R::Recorrer(registro, [&](const char* nombre, auto& valor) {
            f((std::string(prefijo) + "." + nombre).c_str(), valor);
        });
    };
    miembro("Salto", s.Salto);
    miembro("Apertura", s.Apertura);
    miembro("Estribo", s.Estribo);
    miembro("Pila", s.Pila);
    miembro("Alcantarilla", s.Alcantarilla);
    miembro("PVC", s.PVC);
    miembro("PEn", s.PEn);
    miembro("PCZ", s.PCZ);
    miembro("PAC", s.PAC);
    miembro("PEs", s.PEs);
    miembro("PEP", s.PEP);
    miembro("PPi", s.PPi);
    miembro("PAG", s.PAG);
}
