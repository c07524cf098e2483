#include "results/untBiblioteca.h"

#include <algorithm>

#include "compute/untCalcular.h"
#include "problem/untArchivo.h"

const std::array<TTipoProblema, 7>& TiposProblema() {
    static const std::array<TTipoProblema, 7> kTipos{{
        {"PVC", "vórtice confinado", {111, 121}},
        {"PEs", "estribo o espigón", {211, 212}},
        {"PPi", "pila", {22}},
        {"PEn", "escalón", {1121}},
        {"PCZ", "chorro zambullido", {1122}},
        {"PAC", "alcantarilla ancha", {122}},
        {"PAG", "alcantarilla angosta", {31}},
    }};
    return kTipos;
}

std::optional<int> TipoDeCodigo(ProblemCode codigo) {
    const auto& tipos = TiposProblema();
    for (std::size_t i = 0; i < tipos.size(); ++i)
        if (std::ranges::find(tipos[i].codigos, codigo) != tipos[i].codigos.end()) return static_cast<int>(i);
    return std::nullopt;
}

namespace {

ProblemCode CodigoFinalOCero(const TProblema& p) {
    try {
        return CodigoFinal(p);
    } catch (const std::runtime_error&) {
        return 0;  // a fault in "Continuar" (the window shows it on opening): not classified
    }
}

std::string Titulo(ProblemCode codigo) {
    const TCalculadora* calc = CalculadoraDe(codigo);
    return calc ? calc->titulo : kTituloSinClasificar;
}

}  // namespace

std::string TituloProblema(const TProblema& p) { return Titulo(CodigoFinalOCero(p)); }

TEntradaBiblioteca EntradaBiblioteca(const std::filesystem::path& ruta) {
    TEntradaBiblioteca e{ruta, ruta.stem().string(), "", "", 0, std::nullopt};
    try {
        const TArchivoProblema a = CargarArchivoProblema(ruta);
        e.guardado = a.guardado;
        e.codigo = CodigoFinalOCero(a.problema);
        e.titulo = Titulo(e.codigo);
    } catch (const ErrorArchivo& x) {
        e.error = x.what();
        e.titulo = "No se puede abrir: " + *e.error;
    }
    return e;
}

std::vector<TEntradaBiblioteca> ListarProblemas(const std::filesystem::path& carpeta) {
    std::vector<TEntradaBiblioteca> lista;
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(carpeta, ec); !ec && it != std::filesystem::directory_iterator();
         it.increment(ec)) {
        const std::filesystem::path& ruta = it->path();
        if (ruta.extension() != kExtensionProblema || !it->is_regular_file(ec)) continue;
        lista.push_back(EntradaBiblioteca(ruta));
    }
    std::ranges::sort(lista, {}, &TEntradaBiblioteca::nombre);
    return lista;
}

bool EntradaVisible(const TEntradaBiblioteca& e, bool todos, const std::array<bool, 7>& tipos) {
    if (todos || std::ranges::none_of(tipos, [](bool t) { return t; })) return true;
    const auto tipo = TipoDeCodigo(e.codigo);
    return tipo && tipos[static_cast<std::size_t>(*tipo)];
}
