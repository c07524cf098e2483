// Structure records of the problem record: the inputs of the structure page,
// the values derived from them and the checks that belong to each structure.
#pragma once

// Visits each double of a record as (name, reference), in record order.
// Used to write the record field by field (command line, tests).
#define TURMADO_CAMPO(f, s, nombre) f(#nombre, s.nombre)

// Bed step (code 11).
struct TEstrSalto {
    double EstrAltuSaltFond = 0;  // step height, m
    double EstrLongPlat = 0;      // protection length, m

    // The protection acts when it is longer than six step heights.
    bool ProtSuficiente() const;

    template <class S, class F> static void Recorrer(S& s, F&& f) {
        TURMADO_CAMPO(f, s, EstrAltuSaltFond);
        TURMADO_CAMPO(f, s, EstrLongPlat);
    }
};

// Opening below a surface structure: gate or wide culvert (code 12).
struct TEstrApertura {
    double EstrAltuAper = 0;  // opening height, m
    double EstrLongPlat = 0;  // protection length, m
    double EstrAltuObst = 0;  // height of the obstacle below the water surface, m (the vortex below a gate or culvert)

    // Required protection length (m) for tailwater depth y and opening a:
    // 4.2 y when 0.3 y >= a, else 6 (y - a) (negative when a > y).
    static double LongProtRequerida(double y, double a);
    bool ProtSuficiente(double flujTiraRest) const;

    template <class S, class F> static void Recorrer(S& s, F&& f) {
        TURMADO_CAMPO(f, s, EstrAltuAper);
        TURMADO_CAMPO(f, s, EstrLongPlat);
        TURMADO_CAMPO(f, s, EstrAltuObst);
    }
};

// Abutment or spur dike (code 21).
struct TEstrEstribo {
    double EstrLongEstr = 0;  // longitudinal extent, m (no computation reads it)
    double EstrAnchEstr = 0;  // transverse extent into the flow, m
    double EstrLongPlat = 0;  // protection length, m
    double EstrRazoCont = 0;  // contraction ratio EstrAnchEstr / B
    double ErosCoefTiem = 0;  // coefficient of the reference-time formula

    // The protection acts when it is longer than half the flow depth.
    bool ProtSuficiente(double flujTiraRest) const;
    // Contraction ratio m = L / B of transverse extent L and channel width B.
    static double RazoCont(double l, double b);
    // Coefficient C of the reference-time formula.
    static double CoefTiem() { return 4.2; }

    template <class S, class F> static void Recorrer(S& s, F&& f) {
        TURMADO_CAMPO(f, s, EstrLongEstr);
        TURMADO_CAMPO(f, s, EstrAnchEstr);
        TURMADO_CAMPO(f, s, EstrLongPlat);
        TURMADO_CAMPO(f, s, EstrRazoCont);
        TURMADO_CAMPO(f, s, ErosCoefTiem);
    }
};

// Bridge pier (code 22).
struct TEstrPila {
    double EstrAnchPila = 0;  // pier width, m
    double EstrLongPila = 0;  // pier length, m

    template <class S, class F> static void Recorrer(S& s, F&& f) {
        TURMADO_CAMPO(f, s, EstrAnchPila);
        TURMADO_CAMPO(f, s, EstrLongPila);
    }
};

// Narrow culvert (code 31).
struct TEstrAlcantarilla {
    double EstrDiamAper = 0;  // diameter of each opening, m
    double EstrCantAper = 0;  // number of openings (fractions accepted)
    double FlujVeloAper = 0;  // mean velocity in each opening, m/s

    // V = Q / (pi D D / 4 N), the product formed left to right.
    static double VeloAper(double caudal, double diam, double cantidad);

    template <class S, class F> static void Recorrer(S& s, F&& f) {
        TURMADO_CAMPO(f, s, EstrDiamAper);
        TURMADO_CAMPO(f, s, EstrCantAper);
        TURMADO_CAMPO(f, s, FlujVeloAper);
    }
};
