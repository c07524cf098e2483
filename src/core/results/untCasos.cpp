#include "results/untCasos.h"

#include <algorithm>
#include <stdexcept>
#include <thread>

unsigned HilosPorDefecto() { return std::max(1u, std::thread::hardware_concurrency()); }

namespace {

void Resolver(const TProblema& p, bool curvas, TCasoResuelto& caso) {
    if (auto rechazo = TextoRechazado(p.textos)) {
        caso.error = std::move(rechazo);
        return;
    }
    caso.r.grafico.curvas = curvas;
    try {
        ResolverProblema(p, caso.r);
    } catch (const std::runtime_error& e) {  // ErrorChorro, ErrorFlotante, ErrorTexto, ErrorRechazo
        caso.error = e.what();
    }
}

}  // namespace

std::vector<TCasoResuelto> ResolverCasos(std::span<const TProblema> problemas, const TOpcionesCasos& opciones) {
    std::vector<TCasoResuelto> casos(problemas.size());
    const std::size_t hilos =
        std::min<std::size_t>(opciones.hilos ? opciones.hilos : HilosPorDefecto(), problemas.size());
    std::atomic<std::size_t> siguiente{0};
    auto trabajar = [&] {
        for (std::size_t i; (i = siguiente.fetch_add(1, std::memory_order_relaxed)) < problemas.size();) {
            if (opciones.cancelar && opciones.cancelar->load(std::memory_order_relaxed)) {
                casos[i].cancelado = true;
                continue;
            }
            Resolver(problemas[i], opciones.curvas, casos[i]);
        }
    };
    if (hilos <= 1) {
        trabajar();
        return casos;
    }
    {
        std::vector<std::jthread> otros;
        for (std::size_t h = 1; h < hilos; ++h) otros.emplace_back(trabajar);
        trabajar();
    }  // every thread joined before the cases are handed back
    return casos;
}
