// turmado-calc: the calculation from the command line, for batch work and for
// checking the numbers without a window.
//
//   turmado-calc [--rugosidad] [--codigo C] [--chorro J] [--json] [NAME=TEXT ...]
//
// NAME is a data field without its "edt" prefix, TEXT what the user would
// type in it.  --codigo answers the wizard up to the structure page (11, 12,
// 21, 22 or 31); the run then does what "Continuar" and "Calcular" do.
// Exit status: 0 success, 2 usage or rejected input, 3 a floating-point fault.
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "compute/untCalcular.h"
#include "general/untGeneral.h"
#include "general/untNumero.h"
#include "problem/untActivacion.h"
#include "problem/untAsistente.h"
#include "problem/untCampos.h"
#include "problem/untCodigo.h"
#include "problem/untContinuar.h"

namespace {

constexpr int kSalidaUso = 2;
constexpr int kSalidaFallo = 3;

struct TOpciones {
    bool rugosidad = false;
    bool json = false;
    std::optional<ProblemCode> codigo;  // second-level code chosen in the wizard
    std::optional<int> chorro;          // item of the jet question: 0 or 1
    TTextosCampos textos = TextosPorDefecto();
};

// Ends the run with an exit status and a message on standard error.
struct TSalida {
    int estado;
    std::string mensaje;
    bool uso = false;  // also print the usage text
};

void Uso(std::ostream& os) {
    os << "Uso: turmado-calc [--rugosidad] [--codigo C] [--chorro J] [--json] [NOMBRE=TEXTO ...]\n"
          "  NOMBRE        campo de datos sin el prefijo edt (AguaDens, SediDiamMedi, FlujTiraRest ...)\n"
          "  TEXTO         el texto que se escribiría en el campo (diámetros y rugosidad en mm)\n"
          "  --rugosidad   usa \"Altura de rugosidad\" en lugar de \"Coeficiente de Manning\"\n"
          "  --codigo C    problema elegido en el asistente: 11 salto de fondo, 12 apertura bajo estructura,\n"
          "                21 estribo o espigón, 22 pila, 31 alcantarilla angosta\n"
          "  --chorro J    comportamiento del chorro (código 11 con protección insuficiente):\n"
          "                0 \"impacta sobre superficie libre\", 1 \"desliza sobre escalón\"\n"
          "  --json        salida en JSON\n"
          "Campos:";
    for (const TCampo& c : Campos()) os << ' ' << c.nombre;
    os << '\n';
}

// Whole-number option value within the listed ones.
std::optional<int> Entero(std::string_view texto, std::initializer_list<int> validos) {
    const auto v = LeerNumero(texto);
    if (!v) return std::nullopt;
    for (int x : validos)
        if (*v == x) return x;
    return std::nullopt;
}

std::optional<TSalida> LeerArgumentos(int argc, char** argv, TOpciones& op) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        auto valor = [&]() -> std::optional<std::string_view> {
            if (i + 1 >= argc) return std::nullopt;
            return std::string_view(argv[++i]);
        };
        if (a == "--rugosidad") {
            op.rugosidad = true;
        } else if (a == "--json") {
            op.json = true;
        } else if (a == "--help" || a == "-h") {
            Uso(std::cout);
            return TSalida{0, ""};
        } else if (a == "--codigo") {
            const auto v = valor();
            op.codigo = v ? Entero(*v, {11, 12, 21, 22, 31}) : std::nullopt;
            if (!op.codigo) return TSalida{kSalidaUso, "--codigo espera 11, 12, 21, 22 o 31", true};
        } else if (a == "--chorro") {
            const auto v = valor();
            op.chorro = v ? Entero(*v, {0, 1}) : std::nullopt;
            if (!op.chorro) return TSalida{kSalidaUso, "--chorro espera 0 o 1", true};
        } else if (const auto igual = a.find('='); igual != std::string_view::npos && !a.starts_with("--")) {
            const std::string_view nombre = a.substr(0, igual);
            const std::string_view texto = a.substr(igual + 1);
            const TCampo* campo = BuscarCampo(nombre);
            if (!campo) return TSalida{kSalidaUso, "campo desconocido: " + std::string(nombre), true};
            if (!TextoAceptado(*campo, texto))
                return TSalida{kSalidaUso, std::string(nombre) + ": " + std::string(campo->mensaje)};
            op.textos[std::string(nombre)] = std::string(texto);
        } else {
            return TSalida{kSalidaUso, "argumento desconocido: " + std::string(a), true};
        }
    }
    return std::nullopt;
}

// What one run produces.
struct TResultado {
    TDatosProblema d;
    TPanelFormulas panel;
    TGrafico grafico;
    std::optional<std::string> titulo;
    std::vector<std::string> mensajes;
};

// The road of the window: structure page "Continuar" (protection check, jet
// question), the complementary page (slot states from the field texts), then
// "Calcular".
std::optional<TSalida> ResolverPasos(const TOpciones& op, TResultado& r) {
    if (op.codigo) {
        ElegirEstructura(r.d, *op.codigo);
        const TContinuacion c = ContinuarEstructura(r.d, op.textos);
        if (c.proteccionInsuficiente) {
            r.mensajes.push_back(kMensajeProteccion);
            std::cerr << kMensajeProteccion << '\n';
        }
        if (c.siguiente == TSiguiente::PreguntarChorro) {
            if (!op.chorro)
                return TSalida{kSalidaUso,
                               "la protección es insuficiente: indique el comportamiento del chorro con --chorro 0 "
                               "(impacta sobre superficie libre) o --chorro 1 (desliza sobre escalón)"};
            r.d.ElecChor = CodificarChorro(*op.chorro);
        }
        r.d.CodiProb = CalcularCodigo(3, r.d);
        MostrarComplementarios(r.d.CodiProb, op.textos, r.panel);
    }
    r.titulo = Calcular(r.d, op.textos, !op.rugosidad, r.panel, r.grafico);
    if (op.codigo) r.d.CodiProb = CalcularCodigo(4, r.d);  // the results page's own code
    return std::nullopt;
}

// The road above.  Returns an exit when the run cannot go on; a fault in
// any of its steps ends the run with the fault's text.
std::optional<TSalida> Resolver(const TOpciones& op, TResultado& r) {
    try {
        return ResolverPasos(op, r);
    } catch (const ErrorFlotante& e) {
        return TSalida{kSalidaFallo, e.what()};
    } catch (const ErrorTexto& e) {
        return TSalida{kSalidaUso, e.what()};
    }
}

nlohmann::ordered_json Json(const TResultado& r, const std::vector<TFila>& filas) {
    nlohmann::ordered_json j;
    j["codigo"] = r.d.CodiProb;
    j["titulo"] = r.titulo ? nlohmann::ordered_json(*r.titulo) : nlohmann::ordered_json(nullptr);
    j["filas"] = nlohmann::ordered_json::array();
    for (const TFila& f : filas) j["filas"].push_back({f.etiqueta, f.valor, f.unidad});
    j["ranuras"] = nlohmann::ordered_json::array();
    for (const TRanura& s : r.panel.ranuras)
        j["ranuras"].push_back({{"titulo", s.titulo}, {"visible", s.visible}, {"activa", s.activa}});
    j["series"] = nlohmann::ordered_json::array();
    for (const TSerie& s : r.grafico.series) {
        nlohmann::ordered_json puntos = nlohmann::ordered_json::array();
        for (const TPunto& p : s.puntos) puntos.push_back({p.x, p.y});
        j["series"].push_back({{"titulo", s.titulo}, {"puntos", std::move(puntos)}});
    }
    j["mensajes"] = r.mensajes;
    nlohmann::ordered_json registro;
    TDatosProblema::Recorrer(r.d, [&](const char* nombre, const double& v) { registro[nombre] = v; });
    j["registro"] = std::move(registro);
    return j;
}

}  // namespace

int main(int argc, char** argv) {
    TOpciones op;
    auto terminar = [](const TSalida& s) {
        if (!s.mensaje.empty()) std::cerr << "turmado-calc: " << s.mensaje << '\n';
        if (s.uso) Uso(std::cerr);
        return s.estado;
    };
    if (const auto s = LeerArgumentos(argc, argv, op)) return terminar(*s);

    TResultado r;
    if (const auto s = Resolver(op, r)) {
        if (s->estado == kSalidaFallo) {  // the fault's own text, alone
            std::cerr << s->mensaje << '\n';
            return s->estado;
        }
        return terminar(*s);
    }

    const std::vector<TFila> filas = FilasResultados(r.d.CodiProb, r.d, r.panel);
    if (op.json) {
        std::cout << Json(r, filas).dump(2) << '\n';
    } else {
        if (r.titulo) std::cout << *r.titulo << '\n';
        for (const TFila& f : filas) std::cout << f.etiqueta << '\t' << f.valor << '\t' << f.unidad << '\n';
    }
    return 0;
}
