#include "results/untBiblioteca.h"

#include <algorithm>

#include "compute/untCalcular.h"
#include "problem/untArchivo.h"

// One box per distinct box name of the type descriptors, in their order.
const std::vector<TTipoProblema>& TiposProblema() {
    static const std::vector<TTipoProblema> kTipos = [] {
        std::vector<TTipoProblema> cajas;
        for (const TTipoEstructura& t : TiposEstructura()) {
            auto it = std::ranges::find(cajas, t.caja, &TTipoProblema::nombre);
            if (it == cajas.end()) it = cajas.insert(cajas.end(), TTipoProblema{t.caja, t.descripcion, {}});
            it->codigos.push_back(t.codigo);
        }
        return cajas;
    }();
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
    const TTipoEstructura* tipo = TipoEstructura(codigo);
    return tipo ? tipo->titulo : kTituloSinClasificar;
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

bool EntradaVisible(const TEntradaBiblioteca& e, bool todos, std::span<const bool> tipos) {
    if (todos || std::ranges::none_of(tipos, [](bool t) { return t; })) return true;
    const auto tipo = TipoDeCodigo(e.codigo);
    return tipo && static_cast<std::size_t>(*tipo) < tipos.size() && tipos[static_cast<std::size_t>(*tipo)];
}
