#include "results/untCasos.h"

#include <algorithm>
#include <stdexcept>
#include <atomic>
#include <thread>

unsigned HilosPorDefecto() { return std::max(1u, std::thread::hardware_concurrency()); }

namespace {

void Resolver(const TProblema& p, const TOpcionesCasos& o, TCasoResuelto& caso) {
    if (auto rechazo = o.comprobarTextos ? TextoRechazado(p.textos) : std::nullopt) {
        caso.error = std::move(rechazo);
        return;
    }
    caso.r.grafico.curvas = o.curvas;
    try {
        ResolverProblema(p, caso.r);
    } catch (const std::runtime_error& e) {  // ErrorChorro, ErrorFlotante, ErrorTexto, ErrorRechazo
        caso.error = e.what();
    }
}

}  // namespace

// One call of EnParalelo: shared with the kept threads, so that one woken
// late finds it finished (no index left) and lets it go.
struct TTrabajadores::TTrabajo {
    const std::function<void(std::size_t)>* tarea;
    std::size_t n;
    std::atomic<std::size_t> siguiente{0};
    std::atomic<std::size_t> hechas{0};
};

TTrabajadores::TTrabajadores(unsigned hilos) {
    const unsigned total = hilos ? hilos : HilosPorDefecto();
    for (unsigned h = 1; h < total; ++h) hilos_.emplace_back([this] { Esperar(); });
}

TTrabajadores::~TTrabajadores() {
    {
        std::lock_guard l(mutex_);
        salir_ = true;
    }
    hay_.notify_all();
    for (std::thread& h : hilos_) h.join();
}

namespace {

// Takes tasks until none is left; true when this thread ended the last one.
bool Trabajar(std::atomic<std::size_t>& siguiente, std::atomic<std::size_t>& hechas, std::size_t n,
              const std::function<void(std::size_t)>& tarea) {
    bool ultima = false;
    for (std::size_t i; (i = siguiente.fetch_add(1)) < n;) {
        tarea(i);  // called only while the caller waits: index i is not done
        ultima = hechas.fetch_add(1) + 1 == n;
    }
    return ultima;
}

}  // namespace

void TTrabajadores::Esperar() {
    std::uint64_t vista = 0;
    while (true) {
        std::shared_ptr<TTrabajo> t;
        {
            std::unique_lock l(mutex_);
            hay_.wait(l, [&] { return salir_ || generacion_ != vista; });
            if (salir_) return;
            vista = generacion_;
            t = trabajo_;
        }
        if (t && Trabajar(t->siguiente, t->hechas, t->n, *t->tarea)) {
            std::lock_guard l(mutex_);
            terminado_.notify_all();
        }
    }
}

void TTrabajadores::EnParalelo(std::size_t n, const std::function<void(std::size_t)>& tarea) {
    if (hilos_.empty() || n <= 1) {
        for (std::size_t i = 0; i < n; ++i) tarea(i);
        return;
    }
    auto t = std::make_shared<TTrabajo>();
    t->tarea = &tarea;
    t->n = n;
    {
        std::lock_guard l(mutex_);
        trabajo_ = t;
        ++generacion_;
    }
    hay_.notify_all();
    Trabajar(t->siguiente, t->hechas, n, tarea);
    std::unique_lock l(mutex_);
    terminado_.wait(l, [&] { return t->hechas.load() == n; });
    trabajo_.reset();
}

void ResolverCasos(std::size_t n, const TOpcionesCasos& opciones, TTrabajadores& trabajadores,
                   const TProblemaDeCaso& problema, const TEntregaDeCaso& entregar) {
    trabajadores.EnParalelo(n, [&](std::size_t i) {
        TCasoResuelto caso;
        std::string error;
        if (opciones.cancelar && opciones.cancelar->load(std::memory_order_relaxed))
            caso.cancelado = true;
        else if (const TProblema* p = problema(i, error))
            Resolver(*p, opciones, caso);
        else
            caso.error = std::move(error);
        entregar(i, caso);
    });
}

std::vector<TCasoResuelto> ResolverCasos(std::span<const TProblema> problemas, const TOpcionesCasos& opciones,
                                         TTrabajadores& trabajadores) {
    std::vector<TCasoResuelto> casos(problemas.size());
    ResolverCasos(
        problemas.size(), opciones, trabajadores, [&](std::size_t i, std::string&) { return &problemas[i]; },
        [&](std::size_t i, TCasoResuelto& caso) { casos[i] = std::move(caso); });
    return casos;
}

std::vector<TCasoResuelto> ResolverCasos(std::span<const TProblema> problemas, const TOpcionesCasos& opciones) {
    TTrabajadores trabajadores(
        static_cast<unsigned>(std::min<std::size_t>(opciones.hilos ? opciones.hilos : HilosPorDefecto(),
                                                    std::max<std::size_t>(problemas.size(), 1))));
    return ResolverCasos(problemas, opciones, trabajadores);
}
