#include "problem/untCoeficientes.h"

#include <algorithm>
#include <array>

#include "problem/untTipos.h"

namespace {

const std::vector<TTablaCoef>& Tablas() {
    static const std::vector<TTablaCoef> tablas{
        {"AnguRepo", "SediAnguRepo", "Angulo de reposo", {"Material", "Compactación", "Angulo"}, 1,
         {
             {{"Arena gruesa o arena y grava", "Compacta", "45"}, "45"},
             {{"", "Firme", "38"}, "38"},
             {{"", "Suelta", "32"}, "32"},
             {{"Arena media", "Compacta", "40"}, "40"},
             {{"", "Firme", "34"}, "34"},
             {{"", "Suelta", "30"}, "30"},
             {{"Arena fina, arena limosa o limo arneoso", "Compacta", "30/34"}, "32"},
             {{"", "Firme", "28/30"}, "29"},
             {{"", "Suelta", "26/28"}, "27"},
             {{"Arcilla saturada", "Medio", "10/20"}, "15"},
             {{"", "Blanda", "0/20"}, "10"},
         }},
        // Shape factor Ks of the structure (pier or abutment); the three shape
        // pickers share one title, their fields' tooltips name the factor.
        // The elliptic row shows "0.6 / 0.8" around
        // the value it returns.
        {"CIFOks", "EstrFactFormKs", "Corrección por forma", {"Sentido", "Forma de la sección transversal", "Ks"}, 1,
         {
             {{"Horizontal", "Lenticular", "0.7 / 0.8"}, "0.75"},
             {{"", "Elíptica", "0.6 / 0.8"}, "0.7"},
             {{"", "Circular", "1.0"}, "1.0"},
             {{"", "Rectangular", "1.0 / 1.2"}, "1.1"},
             {{"", "Rectangular con nariz semi-circular", "0.9"}, "0.9"},
             {{"", "Rectangular con esquinas chanfleadas", "1.00"}, "1.0"},
             {{"", "Nariz rectangular con cola en cuña", "0.86"}, "0.86"},
             {{"", "Rectangular con nariz aguda 1:2 a 1:4", "0.65 / 0.76"}, "0.7"},
             {{"Vertical", "Piramidal (angostándose hacia arriba)", "0.76"}, "0.76"},
             {{"", "Pirámide invertida (ensanchándose hacia arriba)", "1.2"}, "1.2"},
         }},
        // Shape factor Ks of an abutment or spur dike: its own shapes, not the
        // pier's sections (Melville, B.W. (1997), "Pier and abutment scour:
        // integrated approach", J. Hydraul. Eng. 123(2), table of abutment
        // shape factors; the slopes of spill-through ones as horizontal to
        // vertical).
        {"CIFOksEstribo", "EstrFactFormKs", "Corrección por forma del estribo", {"Forma del estribo", "Talud", "Ks"}, 1,
         {
             {{"Pared vertical", "", "1.00"}, "1.00"},
             {{"Pared vertical con aletas", "", "0.75"}, "0.75"},
             {{"Con taludes (derrame)", "0.5H:1V", "0.60"}, "0.60"},
             {{"", "1H:1V", "0.50"}, "0.50"},
             {{"", "1.5H:1V", "0.45"}, "0.45"},
         }},
        // Curvature factor of abutments: the position in the bend takes two
        // columns under one header.
        {"AhmaCICC", "EstrFactCurv", "Corrección por influencia de curvatura",
         {"Posición de la estructura en la curva", "", "Kp"}, 1,
         {
             {{"Canal recto", "", "1.00"}, "1.00"},
             {{"Lado cóncavo de curva", "", "1.10"}, "1.10"},
             {{"Lado convexo de curva", "", "0.85"}, "0.85"},
             {{"Aguas abajo de lado cóncavo", "Curvatura brusca", "1.40"}, "1.40"},
             {{"", "Curvatura moderada", "1.10"}, "1.10"},
         }},
        {"AhmaCIAA", "EstrFactAngu", "Corrección influencia ángulo ataque", {"Angulo de ataque", "Ka"}, 0,
         {
             {{"30", "0.80"}, "0.8"},
             {{"45", "0.90"}, "0.9"},
             {{"60", "0.95"}, "0.95"},
             {{"90", "1.00"}, "1"},
             {{"120", "1.05"}, "1.05"},
             {{"150", "1.10"}, "1.1"},
         }},
        {"AhmaCIPO", "EstrFactPoro", "Corrección por influencia de porosidad", {"Porosidad", "Knu"}, 0,
         {
             {{"20%", "1.0"}, "1"},
             {{"50% (IV:2H)", "0.9"}, "0.9"},
             {{"50% (IV:3.5H)", "0.6"}, "0.6"},
         }},
        // Abutment shape factor Kb of Breusers.
        {"CIFOkb", "EstrFactFormKb", "Corrección por forma", {"Tipo de estructura", "Código", "b/l", "Angulo", "Kb"}, 1,
         {
             {{"Pila circular", "CP", "", "", "1.50"}, "1.5"},
             {{"Pila semicircular", "SCP", "", "", "1.50"}, "1.5"},
             {{"Estribo de cabeza semicircular\nEstribo de pared vertical", "SCE1", "< 3", "", "1.50"}, "1.5"},
             {{"", "SCE2", "3-5", "", "2.25"}, "2.25"},
             {{"", "SCE3", "> 5", "", "3.00"}, "3"},
             {{"Estribo de pared vertical", "VWA", "", "", "3.00"}, "3"},
             {{"Estribo alar aerodinámico", "VWS1", "0.2", "45º", "0.75"}, "0.75"},
             {{"", "VWS2", "0.3", "35-45º", "1.25"}, "1.25"},
             {{"Estribo alar romo", "VWB1", "0.5-1.5", "30º", "1.50"}, "1.5"},
             {{"", "VWB2", "1.5-2.5", "30º", "2.00"}, "2"},
             {{"Estribo de pared inclinada", "ST1", "0.2", "1.5H:1V", "0.75"}, "0.75"},
             {{"", "ST2", "0.2", "1H:1V", "1.00"}, "1"},
             {{"", "ST3", "0.5-1.5", "", "1.50"}, "1.5"},
             {{"Forma triangular", "TS", "", "45º", "1.00"}, "1"},
         }},
        // Shape coefficient Kl of Liu.
        {"CIFOkl", "EstrFactFormKl", "Corrección por forma", {"Forma de estructura", "Kl"}, 0,
         {
             {{"Aerodinámica", "1.10"}, "1.10"},
             {{"Roma", "2.15"}, "2.15"},
         }},
    };
    return tablas;
}

constexpr std::array<std::string_view, 4> kColumnasHiGrup{"Distribución", "Espaciamiento entre pilas",
                                                          "Kgr de pila frontal", "Kgr de pila trasera"};

using D = TDistribucion;
constexpr std::array<TFilaGrupo, 9> kFilasHiGrup{{
    {D::Alineadas, "1b", "1.00", "0.90"},
    {D::Alineadas, "2 a 3b", "1.15", "0.90"},
    {D::Alineadas, "> 15b", "1.00", "0.80"},
    {D::Diagonal, "1b", "1.90", "1.90"},
    {D::Diagonal, "5b", "1.15", "1.20"},
    {D::Diagonal, "> 8b", "1.00", "1.00"},
    {D::Superpuestas, "1b", "1.90", "1.90"},
    {D::Superpuestas, "2 a 3b", "1.20", "1.20"},
    {D::Superpuestas, "> 8b", "1.00", "1.00"},
}};

}  // namespace

std::span<const TTablaCoef> TablasCoef() { return Tablas(); }

const TTablaCoef* TablaCoef(std::string_view nombre) {
    const auto& t = Tablas();
    const auto it = std::find_if(t.begin(), t.end(), [&](const TTablaCoef& c) { return c.nombre == nombre; });
    return it == t.end() ? nullptr : &*it;
}

std::string_view ValorElegido(const TTablaCoef& tabla, int indice) {
    if (indice < 0 || indice >= int(tabla.filas.size())) return {};
    return tabla.filas[indice].valor;
}

std::span<const std::string_view> ColumnasHiGrup() { return kColumnasHiGrup; }
std::span<const TFilaGrupo> FilasHiGrup() { return kFilasHiGrup; }

std::string_view ValorGrupo(int boton) {
    const int n = int(kFilasHiGrup.size());
    if (boton >= 1 && boton <= n) return kFilasHiGrup[boton - 1].frontal;
    if (boton > n && boton <= 2 * n) return kFilasHiGrup[boton - n - 1].trasera;
    return {};
}

std::string_view SelectorDeCampo(std::string_view campo, ProblemCode codigo) {
    if (campo == "EstrFactGrup") return "HiGrup";
    // A type's own table for the field (the abutment's shapes for Ks).
    if (const TTipoEstructura* t = TipoEstructura(codigo))
        for (const TFilaComplementaria& f : t->filas)
            if (f.campo == campo && !f.tabla.empty()) return f.tabla;
    for (const TTablaCoef& t : Tablas())
        if (t.campo == campo) return t.nombre;
    return {};
}
