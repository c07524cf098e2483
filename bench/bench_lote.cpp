// Throughput of the batch runner in cases per second: narrow culverts
// (code 31, all four formulas active) whose discharge (2000 to 4000 m3/s)
// and depth (1 to 1.5 m) change from line to line, each drawing its four
// evolution curves of 5000 points; CSV in and out in memory.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "results/untLote.h"

namespace {

std::string Casos(int n) {
    std::string csv = "codigo,FlujCaud,FlujTiraRest\n";
    for (int i = 0; i < n; ++i) {
        const double f = static_cast<double>(i) / n;
        csv += "31," + std::to_string(2000 + 2000 * f) + "," + std::to_string(1 + 0.5 * f) + "\n";
    }
    return csv;
}

void BM_LoteAlcantarilla(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::string csv = Casos(n);
    std::size_t fallos = 0;
    for (auto _ : state) {
        std::istringstream entrada(csv);
        std::ostringstream salida;
        fallos = EjecutarLote(entrada, salida).fallos.size();
        benchmark::DoNotOptimize(salida.str().size());
    }
    if (fallos) state.SkipWithError("una línea falló");
    state.SetItemsProcessed(state.iterations() * n);
    state.counters["casos/s"] = benchmark::Counter(static_cast<double>(state.iterations() * n),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LoteAlcantarilla)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
