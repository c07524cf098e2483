// Many cases at once: each problem of a list walked through the wizard and
// computed (ResolverProblema), on several threads, the results handed back
// in the order of the list.  Batches and sensitivity studies run on this.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "problem/untProblema.h"
#include "results/untResolver.h"

// Threads used when none are asked for: the machine's cores (1 if unknown).
unsigned HilosPorDefecto();

// Threads kept for a whole run (a batch, a study), so that its blocks do
// not each start and join threads: on a busy machine a new thread may wait
// for the processor for milliseconds.
class TTrabajadores {
public:
    // `hilos` threads in all, the caller's included; 0: HilosPorDefecto().
    explicit TTrabajadores(unsigned hilos = 0);
    ~TTrabajadores();
    TTrabajadores(const TTrabajadores&) = delete;
    TTrabajadores& operator=(const TTrabajadores&) = delete;

    // Runs tarea(i) for every i from 0 to n - 1 on the calling thread and
    // the kept ones, each taking the next index not yet taken; returns when
    // every task has ended.  A kept thread still asleep takes nothing: the
    // others do its share.
    void EnParalelo(std::size_t n, const std::function<void(std::size_t)>& tarea);

private:
    struct TTrabajo;
    void Esperar();

    std::mutex mutex_;
    std::condition_variable hay_, terminado_;
    std::shared_ptr<TTrabajo> trabajo_;
    std::uint64_t generacion_ = 0;
    bool salir_ = false;
    std::vector<std::thread> hilos_;
};

struct TOpcionesCasos {
    bool curvas = false;  // store the points of the evolution curves
    unsigned hilos = 0;   // 0: HilosPorDefecto()
    // Set from another thread to stop early: the cases not yet started are
    // left out (cancelado), the ones running finish.
    const std::atomic<bool>* cancelar = nullptr;
    // False when the caller has checked the texts itself (a sweep checks
    // the base once and each point's one text).
    bool comprobarTextos = true;
};

// One case run: its result, or the message of what stopped it (a rejected
// text, a missing jet answer, a floating-point fault ...), in which case `r`
// holds what was written before.
struct TCasoResuelto {
    TResultado r;
    std::optional<std::string> error;
    bool cancelado = false;  // never started because of `cancelar`
};

// Runs every problem through TextoRechazado and ResolverProblema and
// returns the cases in the order of `problemas`.  Each thread takes the next
// case not yet taken, so the order of work differs from run to run but not
// the results.
std::vector<TCasoResuelto> ResolverCasos(std::span<const TProblema> problemas, const TOpcionesCasos& opciones);
// The same on threads kept by the caller (opciones.hilos is not read).
std::vector<TCasoResuelto> ResolverCasos(std::span<const TProblema> problemas, const TOpcionesCasos& opciones,
                                         TTrabajadores& trabajadores);

// The general form, for callers that read their problems and use their
// results as they go (a batch): case i's problem is problema(i, error)
// (nullptr: not a problem, the reason left in `error`, which the case then
// carries), and the case goes to entregar(i, caso); both on the thread that
// runs the case, so that what a case allocates is used and freed there.
using TProblemaDeCaso = std::function<const TProblema*(std::size_t i, std::string& error)>;
using TEntregaDeCaso = std::function<void(std::size_t i, TCasoResuelto& caso)>;
void ResolverCasos(std::size_t n, const TOpcionesCasos& opciones, TTrabajadores& trabajadores,
                   const TProblemaDeCaso& problema, const TEntregaDeCaso& entregar);
