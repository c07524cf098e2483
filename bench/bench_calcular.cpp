// Timing of "Calcular" on the default data.
#include <benchmark/benchmark.h>

#include "compute/untCalcular.h"

namespace {

void BM_CalcularComun(benchmark::State& state) {
    const TTextosCampos textos = TextosPorDefecto();
    TPanelFormulas panel;
    for (auto _ : state) {
        TDatosProblema d;
        TGrafico grafico;
        benchmark::DoNotOptimize(Calcular(d, textos, true, panel, grafico));
        benchmark::DoNotOptimize(d);
    }
}
BENCHMARK(BM_CalcularComun);

}  // namespace

BENCHMARK_MAIN();
