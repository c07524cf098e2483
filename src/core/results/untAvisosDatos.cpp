#include "results/untAvisosDatos.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "general/untGeneral.h"
#include "general/untNumero.h"
#include "problem/untCampos.h"
#include "problem/untFilasEstructura.h"
#include "problem/untDatosPPi.h"
#include "results/untAvisos.h"
#include "results/untValidacion.h"
#include "problem/untTipos.h"

namespace {

bool Menor(const TLecturaDatos& l, std::string_view a, std::string_view b) {
    double x, y;
    return l.Valor(a, x) && l.Valor(b, y) && x < y;
}

bool NoMenor(const TLecturaDatos& l, std::string_view a, std::string_view b) {
    double x, y;
    return l.Valor(a, x) && l.Valor(b, y) && x >= y;
}

// A grain size of the complementary page still at the example's value while
// d50 is not: d84 and d90 belong to the same grading as d50 (d84 of the
// example is 2.4 times its d50), so they cannot keep their values when d50
// changes, e.g. 200 mm over a d50 of 2 mm.
bool GranoDelEjemplo(const TLecturaDatos& l, std::string_view campo) {
    return l.Ejemplo(campo) && !l.Ejemplo("SediDiamMedi");
}

// The water temperature in which ν = 4.0e-5 / (T + 20) m²/s stands for
// water.  Against the tabulated viscosity it gives 2.00e-6 at 0 °C
// (water 1.79e-6, 12 % high), 1.00e-6 at 20 °C (1.00e-6) and 0.667e-6 at
// 40 °C (0.658e-6, 1.3 % high); below 0 °C a river is ice (at -20 °C the
// relation divides by zero), and no river runs warmer than 40 °C: such a
// value is a slip (a temperature in °F, a digit too many).
constexpr double kTempMinima = 0, kTempMaxima = 40;

// d84/d50 of the texts, when both are positive numbers.
std::optional<double> Gradacion(const TLecturaDatos& l) {
    double d84, d50;
    if (!l.Valor("SediDiam84N3", d84) || !l.Valor("SediDiamMedi", d50) || !(d84 > 0) || !(d50 > 0)) return {};
    return d84 / d50;
}

// The pier formulas' gradation factor Ksigma = 1.0417 (d84/d50)^-1.1841
// (TDatosPPi::FactGrad) of the texts.
std::optional<double> FactorGradacion(const TLecturaDatos& l) {
    const auto sigma = Gradacion(l);
    return sigma ? std::optional(TDatosPPi::FactGrad(*sigma)) : std::nullopt;
}

// How the formulas did on the shipped field measurements whose Ksigma is
// below kGradacionBaja: "Breusers en el 68 % de 412 filas, CSU en el 59 % ...".
// Made once: the figures are computed on first use.
const std::string& SubestimadasConGradacionBaja() {
    static const std::string texto = [] {
        std::string r;
        for (const TEstadistica& e : CifrasCampo().gradacionBaja) {
            r += r.empty() ? "" : ", ";
            r += e.formula + " en el " + NumeText(100 * e.subestimados, 0, 0) + " % de " + std::to_string(e.n) +
                 " filas";
        }
        return r.empty() ? std::string("ninguna fila") : r;
    }();
    return texto;
}

// Values a warning's text shows besides the fields' texts: {Nombre} in a
// template when Nombre is no field.
struct TMarcador {
    std::string_view nombre;
    std::string (*texto)(const TLecturaDatos&);
};

const TMarcador kMarcadores[]{
    {"Ksigma", [](const TLecturaDatos& l) { return NumeText(FactorGradacion(l).value_or(0), 0, 3); }},
    {"d84/d50", [](const TLecturaDatos& l) { return NumeText(Gradacion(l).value_or(0), 0, 2); }},
    {"subestimadas", [](const TLecturaDatos&) { return SubestimadasConGradacionBaja(); }},
};

const TReglaDato kReglas[]{
    {"SediDiam84N3", [](const TLecturaDatos& l) { return GranoDelEjemplo(l, "SediDiam84N3"); },
     "\"Diámetro 84%\" = {SediDiam84N3} es el valor del ejemplo, pero \"Diámetro Medio (d50)\" = {SediDiamMedi} "
     "ya no lo es: d84 y d50 deben ser de la misma granulometría."},
    {"SediDiam90N3", [](const TLecturaDatos& l) { return GranoDelEjemplo(l, "SediDiam90N3"); },
     "\"Diámetro 90%\" = {SediDiam90N3} es el valor del ejemplo, pero \"Diámetro Medio (d50)\" = {SediDiamMedi} "
     "ya no lo es: d90 y d50 deben ser de la misma granulometría."},
    // The head difference over a step or a gate follows from the discharge
    // and the depths: the example's 2.77 m says nothing of another flow.
    {"FlujDifeCargRest", [](const TLecturaDatos& l) {
         return l.Ejemplo("FlujDifeCargRest") && (!l.Ejemplo("FlujCaud") || !l.Ejemplo("FlujTiraRest"));
     },
     "\"Dif. altura carga/restitución\" = {FlujDifeCargRest} es el valor del ejemplo, pero el caudal "
     "({FlujCaud}) o el tirante ({FlujTiraRest}) ya no son los del ejemplo: revise la diferencia de altura."},
    // A grain size exceeded by 84 % (90 %) of the sample's mass cannot be
    // smaller than the one exceeded by 50 %.
    {"SediDiam84N3", [](const TLecturaDatos& l) { return Menor(l, "SediDiam84N3", "SediDiamMedi"); },
     "\"Diámetro 84%\" = {SediDiam84N3} es menor que \"Diámetro Medio (d50)\" = {SediDiamMedi}: ninguna "
     "granulometría tiene un d84 menor que su d50."},
    {"SediDiam90N3", [](const TLecturaDatos& l) { return Menor(l, "SediDiam90N3", "SediDiamMedi"); },
     "\"Diámetro 90%\" = {SediDiam90N3} es menor que \"Diámetro Medio (d50)\" = {SediDiamMedi}: ninguna "
     "granulometría tiene un d90 menor que su d50."},
    {"AguaTemp", [](const TLecturaDatos& l) {
         double t;
         return l.Valor("AguaTemp", t) && (t < kTempMinima || t > kTempMaxima);
     },
     "\"Temperatura ambiente\" = {AguaTemp} está fuera de 0 a 40 °C, donde la viscosidad del cálculo, "
     "ν = 4.0e-5/(T + 20), se acerca a la del agua."},
    // A widely graded bed: below Ksigma = 0.5 the factor divides the pier's
    // depths by more than two, and on such beds the shipped field
    // measurements are deeper than the formulas say more often than not.
    {"SediDiam84N3",
     [](const TLecturaDatos& l) {
         const auto k = FactorGradacion(l);
         return k && *k < kGradacionBaja;
     },
     "\"Diámetro 84%\" = {SediDiam84N3} y \"Diámetro Medio (d50)\" = {SediDiamMedi} dan d84/d50 = {d84/d50} y un "
     "factor de gradación Kσ = {Ksigma}, que reduce las erosiones de la pila a menos de la mitad. En las "
     "mediciones de campo del USGS que trae el programa con Kσ < 0.5, las fórmulas subestimaron la erosión "
     "medida: {subestimadas}."},
    // A pier or an abutment as wide as the channel closes it: the flow the
    // formulas assume around the structure does not exist.
    {"EstrAnchPila", [](const TLecturaDatos& l) { return NoMenor(l, "EstrAnchPila", "CaucAnchCauc"); },
     "\"Ancho de la Pila\" = {EstrAnchPila} no es menor que el ancho del cauce (\"Ancho\" = {CaucAnchCauc}): la "
     "pila cerraría el cauce."},
    {"EstrAnchEstr", [](const TLecturaDatos& l) { return NoMenor(l, "EstrAnchEstr", "CaucAnchCauc"); },
     "\"Extensión transversal\" = {EstrAnchEstr} no es menor que el ancho del cauce (\"Ancho\" = {CaucAnchCauc}): "
     "la estructura cerraría el cauce."},
};

// The structure of a final code: its first two digits (1121 -> 11).
ProblemCode CodigoEstructura(ProblemCode codigo) {
    while (codigo >= 100) codigo /= 10;
    return codigo;
}

// A rule applies to the codes whose calculator reads its field: every code
// reads the data pages; a structure type, its structure's fields and the
// rows of its complementary page (the wide culvert's "Diámetro 90%" only
// while a formula that needs it is active, which its text being filled
// already makes).
bool SeAplica(const TReglaDato& regla, ProblemCode codigo) {
    const TCampo* campo = BuscarCampo(regla.campo);
    if (campo && campo->pagina <= 1) return true;
    if (!TipoEstructura(codigo)) return false;
    const auto estructura = CamposEstructura(CodigoEstructura(codigo));
    return TipoLeeCampo(codigo, regla.campo) ||
           std::find(estructura.begin(), estructura.end(), regla.campo) != estructura.end();
}

// The field's text and unit: "2 mm", "60 °C"; a dimensionless "[-]" adds nothing.
std::string TextoConUnidad(const TTextosCampos& textos, std::string_view campo) {
    const auto it = textos.find(campo);
    std::string texto = it == textos.end() ? std::string() : it->second;
    const TCampo* c = BuscarCampo(campo);
    std::string_view unidad = c ? c->unidad : std::string_view();
    if (unidad.size() >= 2 && unidad.front() == '[' && unidad.back() == ']')
        unidad = unidad.substr(1, unidad.size() - 2);
    if (!unidad.empty() && unidad != "-") texto.append(" ").append(unidad);
    return texto;
}

// The template written out; `lectura` reads `textos` (the rule's condition
// has read its fields already: they are not parsed again).  With `hasta`,
// each computed value goes from `lectura`'s to `hasta`'s ("400.00 a 4.00"),
// one value when both agree.
std::string Redactar(std::string_view plantilla, const TTextosCampos& textos, const TLecturaDatos& lectura,
                     const TLecturaDatos* hasta = nullptr) {
    auto valor = [&](std::string_view nombre) {
        for (const TMarcador& m : kMarcadores)
            if (m.nombre == nombre) {
                std::string desde = m.texto(lectura);
                if (hasta)
                    if (std::string fin = m.texto(*hasta); fin != desde) desde += " a " + fin;
                return desde;
            }
        return TextoConUnidad(textos, nombre);
    };
    std::string r;
    r.reserve(plantilla.size() + 64);  // the values are short: one allocation
    for (std::size_t i = 0; i < plantilla.size();) {
        const std::size_t abre = plantilla.find('{', i);
        const std::size_t cierra = abre == std::string_view::npos ? abre : plantilla.find('}', abre);
        if (cierra == std::string_view::npos) {
            r.append(plantilla.substr(i));
            break;
        }
        r.append(plantilla.substr(i, abre - i));
        r.append(valor(plantilla.substr(abre + 1, cierra - abre - 1)));
        i = cierra + 1;
    }
    return r;
}

}  // namespace

bool TLecturaDatos::Valor(std::string_view campo, double& valor) const {
    for (std::size_t i = 0; i < cantidad_; ++i)
        if (leidos_[i].campo == campo) {
            valor = leidos_[i].valor;
            return leidos_[i].valido;
        }
    const auto it = textos_.find(campo);
    const auto v = it == textos_.end() ? std::nullopt : LeerNumero(it->second);
    if (cantidad_ < leidos_.size()) leidos_[cantidad_++] = {campo, v.has_value(), v.value_or(0)};
    if (!v) return false;
    valor = *v;
    return true;
}

bool TLecturaDatos::Ejemplo(std::string_view campo) const {
    // The example's values, each default text read once.
    static const std::vector<std::optional<double>> ejemplos = [] {
        std::vector<std::optional<double>> v;
        for (const TCampo& c : Campos()) v.push_back(LeerNumero(c.defecto));
        return v;
    }();
    const TCampo* c = BuscarCampo(campo);
    double valor;
    if (!c || !Valor(campo, valor)) return false;
    const auto& ejemplo = ejemplos[static_cast<std::size_t>(c - Campos().data())];
    return ejemplo && *ejemplo == valor;
}

std::span<const TReglaDato> ReglasDatos() { return kReglas; }

std::string RedactarAviso(const TReglaDato& regla, const TTextosCampos& textos) {
    return Redactar(regla.mensaje, textos, TLecturaDatos(textos));
}

std::string RedactarAvisoTramo(const TReglaDato& regla, const TTextosCampos& textos, const TTextosCampos& primero,
                               const TTextosCampos& ultimo) {
    const TLecturaDatos hasta(ultimo);
    return Redactar(regla.mensaje, textos, TLecturaDatos(primero), &hasta);
}

bool MarcadorCalculado(std::string_view nombre) {
    return std::any_of(std::begin(kMarcadores), std::end(kMarcadores),
                       [&](const TMarcador& m) { return m.nombre == nombre; });
}

std::vector<TAvisoDato> AvisosDatos(ProblemCode codigo, const TTextosCampos& textos) {
    const TLecturaDatos lectura(textos);
    std::vector<TAvisoDato> avisos;
    for (const TReglaDato& regla : kReglas)
        if (SeAplica(regla, codigo) && regla.condicion(lectura))
            avisos.push_back({std::string(regla.campo), Redactar(regla.mensaje, textos, lectura), &regla});
    return avisos;
}

std::vector<TAvisoDato> AvisosDatos(ProblemCode codigo, const TTextosCampos& textos, const TDatosProblema& d,
                                    const TPanelFormulas& panel) {
    std::vector<TAvisoDato> avisos = AvisosDatos(codigo, textos);
    const TTipoEstructura* tipo = TipoEstructura(codigo);
    for (int k = 1; k <= 4; ++k) {
        // A type without activation evaluates its one formula always.
        if (!panel.Activa(k) && !(tipo && tipo->sinActivacion && k == 1)) continue;
        const std::string motivo = FueraDeRegimen(codigo, k, d);
        if (motivo.empty()) continue;
        avisos.push_back({"FlujCaud", "\"" + panel.Titulo(k) + "\": " + motivo, nullptr});
    }
    return avisos;
}

std::string UnirAvisosDatos(const std::vector<TAvisoDato>& avisos) {
    std::string r;
    for (const TAvisoDato& a : avisos) {
        if (!r.empty()) r += " | ";
        r += a.texto;
    }
    return r;
}
