// turmado-calc: the calculation from the command line, for batch work and for
// checking the numbers without a window.
//
//   turmado-calc [--rugosidad] [--json] [NAME=TEXT ...]
//
// NAME is a data field without its "edt" prefix, TEXT what the user would
// type in it.  Exit status: 0 success, 2 usage or rejected input, 3 a
// floating-point fault.
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "compute/untCalcular.h"
#include "general/untGeneral.h"
#include "problem/untCampos.h"
#include "problem/untCodigo.h"
#include "results/untFilas.h"

namespace {

constexpr int kExitoUso = 2;
constexpr int kExitoFallo = 3;

struct TOpciones {
    bool rugosidad = false;
    bool json = false;
    TTextosCampos textos = TextosPorDefecto();
};

void Uso(std::ostream& os) {
    os << "Uso: turmado-calc [--rugosidad] [--json] [NOMBRE=TEXTO ...]\n"
          "  NOMBRE   campo de datos sin el prefijo edt (AguaDens, SediDiamMedi, FlujTiraRest ...)\n"
          "  TEXTO    el texto que se escribiría en el campo (diámetros y rugosidad en mm)\n"
          "  --rugosidad  usa \"Altura de rugosidad\" en lugar de \"Coeficiente de Manning\"\n"
          "  --json       salida en JSON\n"
          "Campos:";
    for (const TCampo& c : Campos()) os << ' ' << c.nombre;
    os << '\n';
}

// Parses the arguments; on a usage error or a rejected text prints the
// message and returns the exit status to end with.
std::optional<int> LeerArgumentos(int argc, char** argv, TOpciones& op) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--rugosidad") {
            op.rugosidad = true;
        } else if (a == "--json") {
            op.json = true;
        } else if (a == "--help" || a == "-h") {
            Uso(std::cout);
            return 0;
        } else if (const auto igual = a.find('='); igual != std::string_view::npos && a.substr(0, 2) != "--") {
            const std::string_view nombre = a.substr(0, igual);
            const std::string_view texto = a.substr(igual + 1);
            const TCampo* campo = BuscarCampo(nombre);
            if (!campo) {
                std::cerr << "turmado-calc: campo desconocido: " << nombre << '\n';
                Uso(std::cerr);
                return kExitoUso;
            }
            if (!TextoAceptado(*campo, texto)) {
                std::cerr << nombre << ": " << campo->mensaje << '\n';
                return kExitoUso;
            }
            op.textos[std::string(nombre)] = std::string(texto);
        } else {
            std::cerr << "turmado-calc: argumento desconocido: " << a << '\n';
            Uso(std::cerr);
            return kExitoUso;
        }
    }
    return std::nullopt;
}

nlohmann::json Registro(const TDatosProblema& d) {
    nlohmann::ordered_json r;
    TDatosProblema::Recorrer(d, [&](const char* nombre, const double& v) { r[nombre] = v; });
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    TOpciones op;
    if (const auto salida = LeerArgumentos(argc, argv, op)) return *salida;

    TDatosProblema d;
    TPanelFormulas panel;
    TGrafico grafico;
    std::optional<std::string> titulo;
    try {
        titulo = Calcular(d, op.textos, !op.rugosidad, panel, grafico);
    } catch (const ErrorFlotante& e) {
        std::cerr << e.what() << '\n';
        return kExitoFallo;
    }

    const std::vector<TFila> filas = FilasComunes(d, d.CodiProb);
    if (op.json) {
        nlohmann::ordered_json j;
        if (titulo) j["titulo"] = *titulo;
        j["filas"] = nlohmann::json::array();
        for (const TFila& f : filas) j["filas"].push_back({f.etiqueta, f.valor, f.unidad});
        j["registro"] = Registro(d);
        std::cout << j.dump(2) << '\n';
    } else {
        if (titulo) std::cout << *titulo << '\n';
        for (const TFila& f : filas) std::cout << f.etiqueta << '\t' << f.valor << '\t' << f.unidad << '\n';
    }
    return 0;
}
