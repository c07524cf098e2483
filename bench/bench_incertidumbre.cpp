// The uncertainty study of a pier (code 22, three formulas) with the
// discharge and d50 lognormal (CV 0.3 and 0.4): 10,000 and 100,000 samples
// on all the machine's threads, and the same samples as plain cases through
// the case runner, so that the cost of the sampling and the statistics shows
// as the ratio of the two.  Wall time, since the work runs on several
// threads: on a shared machine run it when the others are quiet.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "reporte_medianas.h"
#include "results/untBarrido.h"
#include "results/untCasos.h"
#include "results/untIncertidumbre.h"

namespace {

TProblema Pila() {
    TProblema p;
    p.codigo = 22;
    p.textos["EstrFactFormKs"] = "1";
    p.textos["EstrFactGrup"] = "1";
    p.textos["SediAnguRepo"] = "30";
    return p;
}

TOpcionesIncertidumbre Opciones(std::size_t muestras) {
    TOpcionesIncertidumbre o;
    for (const char* t : {"FlujCaud=lognormal:*:0.3", "SediDiamMedi=lognormal:*:0.4"})
        o.entradas.push_back(*LeerIncierta(t, Pila()).entrada);
    o.muestras = muestras;
    return o;
}

void BM_Incertidumbre(benchmark::State& state) {
    const TOpcionesIncertidumbre o = Opciones(static_cast<std::size_t>(state.range(0)));
    std::size_t malas = 0;
    for (auto _ : state) {
        const TEstudioIncertidumbre e = EstudiarIncertidumbre(Pila(), o);
        malas = e.rechazadas + e.fallidas + (e.error ? 1 : 0);
        benchmark::DoNotOptimize(e.formulas.data());
    }
    if (malas) state.SkipWithError("una muestra no se calculó");
}
BENCHMARK(BM_Incertidumbre)->ArgName("muestras")->Arg(10000)->Arg(100000)->UseRealTime()->Unit(benchmark::kMillisecond);

// The study's own samples as problems, run through the case runner.
void BM_Casos(benchmark::State& state) {
    const TOpcionesIncertidumbre o = Opciones(static_cast<std::size_t>(state.range(0)));
    const TEstudioIncertidumbre e = EstudiarIncertidumbre(Pila(), o);
    std::vector<TProblema> problemas(o.muestras, Pila());
    for (std::size_t i = 0; i < o.muestras; ++i)
        for (std::size_t j = 0; j < o.entradas.size(); ++j)
            problemas[i].textos[o.entradas[j].campo] = TextoValor(e.valores[i * o.entradas.size() + j]);
    TTrabajadores trabajadores;
    for (auto _ : state) {
        const std::vector<TCasoResuelto> casos = ResolverCasos(problemas, TOpcionesCasos{}, trabajadores);
        benchmark::DoNotOptimize(casos.data());
    }
}
BENCHMARK(BM_Casos)->ArgName("muestras")->Arg(10000)->Arg(100000)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> args = ConRepeticiones(argc, argv, 5);
    int nArgs = int(args.size());
    benchmark::Initialize(&nArgs, args.data());
    TReporteMedianas reporte;
    benchmark::RunSpecifiedBenchmarks(&reporte);
    for (int n : {10000, 100000}) {
        const std::string arg = "/muestras:" + std::to_string(n) + "/real_time";
        const double estudio = reporte.MedianaReal("BM_Incertidumbre" + arg);
        const double casos = reporte.MedianaReal("BM_Casos" + arg);
        if (estudio <= 0 || casos <= 0) continue;
        std::printf("%d muestras con %u hilos: estudio %.0f ms, los mismos casos %.0f ms (sobrecosto %+.0f %%)\n", n,
                    HilosPorDefecto(), estudio, casos, 100 * (estudio / casos - 1));
    }
    benchmark::Shutdown();
}
