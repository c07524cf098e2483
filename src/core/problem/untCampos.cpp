#include "problem/untCampos.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "general/untNumero.h"

namespace {

constexpr TReaccion R = TReaccion::Resultados;
constexpr TReaccion P = TReaccion::Posteriores;

// Positive quantity without upper bound: 0 < v < max.
#define POSITIVO 0, kMaxi, 0, kMaxi
// 0 < v <= 1, 0 < v <= 5, 0 <= v <= 90.
#define FRACCION 0, 1, 0, kMaxi
#define FACTOR 0, 5, 0, kMaxi
#define ANGULO 0, 90, -kMaxi, kMaxi
constexpr bool VACIO = true;
constexpr bool SIN_CONTROL = true;

const std::array kCampos{
    // "Datos Globales"
    TCampo{"AguaDens", 0, "Densidad", "[kg/m^3]", "1000", POSITIVO, R},
    TCampo{"AguaTemp", 0, "Temperatura ambiente", "[°C]", "20", -273, kMaxi, -kMaxi, kMaxi, R},
    TCampo{"SediDensMate", 0, "Densidad", "[kg/m^3]", "2650", POSITIVO, R},
    TCampo{"SediDiamMedi", 0, "Diámetro Medio (d50)", "[mm]", "85", 0.062, kMaxi, 0, kMaxi, R, kMensajeSedimento},
    TCampo{"ForzAcelGrav", 0, "Aceleración Gravedad", "[m/s^2]", "9.81", POSITIVO, R},
    TCampo{"FlujCaud", 0, "Caudal", "[m^3/s]", "3000", POSITIVO, R},
    TCampo{"CaucAnchCauc", 0, "Ancho", "[m]", "500", POSITIVO, R},
    TCampo{"CaucCoefMannCauc", 0, "Coeficiente de Manning", "[s/m^(1/3)]", "0.032", POSITIVO, R},
    TCampo{"AltuRugoCauc", 0, "Altura de rugosidad", "[mm]", "235", POSITIVO, R},
    // "Datos Locales"
    TCampo{"FlujTiraRest", 1, "Tirante en la restitución", "[m]", "1.2", POSITIVO, P},
    // "Datos de Estructura"
    TCampo{"EstrAltuSaltFond", 2, "Altura salto del fondo", "[m]", "0.75", POSITIVO, P},
    TCampo{"EstrLongPlat", 2, "Longitud de la protección", "[m]", "8.75", 0, kMaxi, -kMaxi, kMaxi, P},
    TCampo{"EstrAltuAper", 2, "Altura de la apertura", "[m]", "0.45", 0, 1, 0, kMaxi, P},
    TCampo{"EstrLongEstr", 2, "Extensión longitudinal", "[m]", "8.75", POSITIVO, P},
    TCampo{"EstrAnchEstr", 2, "Extensión transversal", "[m]", "250", POSITIVO, P},
    TCampo{"EstrAnchPila", 2, "Ancho de la Pila", "[m]", "5", POSITIVO, P},
    TCampo{"EstrLongPila", 2, "Longitud de la pila", "[m]", "5", POSITIVO, P},
    TCampo{"EstrDiamAper", 2, "Diámetro de la apertura", "[m]", "1", POSITIVO, P},
    TCampo{"EstrCantAper", 2, "Cantidad de aperturas", "[-]", "250", POSITIVO, P},
    // "Datos Complementarios"
    TCampo{"CaucPoro", 3, "Porosidad del Sedimento", "[-]", "0.4", FRACCION, R, kMensajeInvalido, VACIO},
    TCampo{"EstrCoefMannPlat", 3, "Coef. Manning Protección", "[s/m^(1/3)]", "0.032", FRACCION, R},
    TCampo{"SediDiam90N3", 3, "Diámetro 90%", "[mm]", "250", -kMaxi, kMaxi, kMaxi, kMaxi, R, kMensajeInvalido,
           VACIO, SIN_CONTROL},
    TCampo{"SediAnguRepo", 3, "Angulo de reposo", "[º]", "", ANGULO, R, kMensajeInvalido, VACIO},
    TCampo{"FlujDifeCargRest", 3, "Dif. altura carga/restitución", "[m]", "2.77", POSITIVO, R},
    TCampo{"FlujAnguChorSupeLibr", 3, "Angulo chorro/sup. libre", "[º]", "45", ANGULO, R},
    TCampo{"SediDiam84N3", 3, "Diámetro 84%", "[mm]", "200", POSITIVO, R},
    TCampo{"EstrFactFormKs", 3, "Factor de forma", "[-]", "", FACTOR, R, kMensajeInvalido, VACIO, false,
           "Ks: factor de forma de la estructura"},
    TCampo{"EstrFactGrup", 3, "Factor de grupo", "[-]", "", FACTOR, R, kMensajeInvalido, VACIO},
    TCampo{"EstrAnguAtaq", 3, "Angulo de ataque", "[º]", "0", ANGULO, R},
    TCampo{"EstrFactCurv", 3, "Factor de curvatura", "[-]", "", FACTOR, R, kMensajeInvalido, VACIO},
    TCampo{"EstrFactAngu", 3, "Factor de ángulo", "[-]", "", FACTOR, R, kMensajeInvalido, VACIO},
    TCampo{"EstrFactPoro", 3, "Factor de porosidad", "[-]", "", FACTOR, R, kMensajeInvalido, VACIO},
    TCampo{"EstrFactFormKb", 3, "Factor de forma", "[-]", "", FACTOR, R, kMensajeInvalido, VACIO, false,
           "Kb: factor de forma de la fórmula de Breusers"},
    TCampo{"EstrFactFormKl", 3, "Factor de forma", "[-]", "", FACTOR, R, kMensajeInvalido, VACIO, false,
           "Kl: factor de forma de la fórmula de Liu"},
};

#undef POSITIVO
#undef FRACCION
#undef FACTOR
#undef ANGULO

}  // namespace

std::span<const TCampo> Campos() { return kCampos; }

const TCampo* BuscarCampo(std::string_view nombre) {
    const auto it = std::find_if(kCampos.begin(), kCampos.end(),
                                 [&](const TCampo& c) { return c.nombre == nombre; });
    return it == kCampos.end() ? nullptr : &*it;
}

// Captions that depend on the phenomenon (the code's leading digit): the
// depth upstream of a pier or abutment, and the three shape factors, which
// the abutment's page shows together, each with its symbol.
struct TEtiquetaFenomeno {
    std::string_view campo;
    ProblemCode fenomeno;
    std::string_view etiqueta;
};
constexpr TEtiquetaFenomeno kEtiquetasFenomeno[] = {
    {"FlujTiraRest", 2, "Tirante aguas arriba"},
    {"EstrFactFormKs", 2, "Factor de forma (Ks)"},
    {"EstrFactFormKb", 2, "Factor de forma (Kb)"},
    {"EstrFactFormKl", 2, "Factor de forma (Kl)"},
};

std::string_view EtiquetaCampo(const TCampo& campo, ProblemCode codigo) {
    while (codigo >= 10) codigo /= 10;
    for (const TEtiquetaFenomeno& e : kEtiquetasFenomeno)
        if (e.campo == campo.nombre && e.fenomeno == codigo) return e.etiqueta;
    return campo.etiqueta;
}

bool ValorValido(std::string_view texto, double lo, double hi, double ex1, double ex2) {
    const auto v = LeerNumero(texto);
    return v && lo <= *v && *v != ex1 && *v <= hi && *v != ex2;
}

std::string MensajeRechazo(const TCampo& campo, std::string_view texto) {
    std::string m(campo.mensaje);
    if (texto.find(',') != std::string_view::npos) m += kPistaSeparador;
    return m;
}

bool TextoAceptado(const TCampo& campo, std::string_view texto) {
    if (campo.sinControl) return true;
    if (campo.vacioAceptado && texto.empty()) return true;
    return ValorValido(texto, campo.lo, campo.hi, campo.ex1, campo.ex2);
}

void GuardarAceptado(TDatosProblema& d, const TCampo& campo, double valor) {
    const std::string_view n = campo.nombre;
    if (n == "FlujTiraRest") {
        d.FlujTiraRest = valor;
    } else if (n == "EstrAltuSaltFond") {
        d.Salto.EstrAltuSaltFond = valor;
    } else if (n == "EstrAltuAper") {
        d.Apertura.EstrAltuAper = valor;
    } else if (n == "EstrLongPlat") {
        switch (d.CodiProb) {
            case 11: d.Salto.EstrLongPlat = valor; break;
            case 12: d.Apertura.EstrLongPlat = valor; break;
            case 21: d.Estribo.EstrLongPlat = valor; break;
            default: break;  // stored nowhere
        }
    }
}

TTextosCampos TextosPorDefecto() {
    // Built once: every problem of a batch starts from a copy.
    static const TTextosCampos defecto = [] {
        TTextosCampos t;
        for (const TCampo& c : kCampos) t.emplace(c.nombre, c.defecto);
        return t;
    }();
    return defecto;
}

double LeerCampo(const TTextosCampos& textos, std::string_view nombre) {
    const auto it = textos.find(nombre);
    if (it == textos.end()) throw std::out_of_range("campo sin texto: " + std::string(nombre));
    return LeerNumeroLaxo(it->second);
}
