// Many cases at once: each problem of a list walked through the wizard and
// computed (ResolverProblema), on several threads, the results handed back
// in the order of the list.  Batches and sensitivity studies run on this.
#pragma once

#include <atomic>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "problem/untProblema.h"
#include "results/untResolver.h"

// Threads used when none are asked for: the machine's cores (1 if unknown).
unsigned HilosPorDefecto();

struct TOpcionesCasos {
    bool curvas = false;  // store the points of the evolution curves
    unsigned hilos = 0;   // 0: HilosPorDefecto()
    // Set from another thread to stop early: the cases not yet started are
    // left out (cancelado), the ones running finish.
    const std::atomic<bool>* cancelar = nullptr;
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
