// Throughput of the batch runner in cases per second, CSV in and out in
// memory: piers (code 22, three formulas) and narrow culverts (code 31, all
// four formulas) whose discharge and depth change from line to line.
// Without the evolution curves, as --lote runs, on all the machine's threads
// (hilos 0) and on one; the culvert also with its curves (--curvas: four
// curves of up to 5000 points a case).  Wall time, since the work runs on
// several threads: on a shared machine run it when the others are quiet.
// Prints the median rates and the ratio of all threads to one.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "reporte_medianas.h"
#include "results/untCasos.h"
#include "results/untLote.h"

namespace {

std::string Casos(int codigo, int n) {
    std::string csv = "codigo,FlujCaud,FlujTiraRest,EstrFactFormKs,EstrFactGrup,SediAnguRepo\n";
    for (int i = 0; i < n; ++i) {
        const double f = static_cast<double>(i) / n;
        csv += std::to_string(codigo) + "," + std::to_string(2000 + 2000 * f) + "," + std::to_string(1 + 0.5 * f) +
               ",1,1,30\n";
    }
    return csv;
}

// Arguments: code, threads (0: all), curves (0 or 1).
void BM_Lote(benchmark::State& state) {
    const int codigo = static_cast<int>(state.range(0));
    TOpcionesLote opciones;
    opciones.hilos = static_cast<unsigned>(state.range(1));
    opciones.curvas = state.range(2) != 0;
    const int n = opciones.curvas ? 200 : 4000;
    const std::string csv = Casos(codigo, n);
    std::size_t fallos = 0;
    for (auto _ : state) {
        std::istringstream entrada(csv);
        std::ostringstream salida;
        fallos = EjecutarLote(entrada, salida, opciones).fallidos;
        benchmark::DoNotOptimize(salida.str().size());
    }
    if (fallos) state.SkipWithError("una línea falló");
    state.counters["casos/s"] =
        benchmark::Counter(static_cast<double>(state.iterations() * n), benchmark::Counter::kIsRate);
    state.counters["hilos"] = opciones.hilos ? opciones.hilos : HilosPorDefecto();
}
BENCHMARK(BM_Lote)
    ->ArgNames({"codigo", "hilos", "curvas"})
    ->Args({22, 0, 0})
    ->Args({22, 1, 0})
    ->Args({31, 0, 0})
    ->Args({31, 1, 0})
    ->Args({31, 0, 1})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> args = ConRepeticiones(argc, argv, 5);
    int nArgs = int(args.size());
    benchmark::Initialize(&nArgs, args.data());
    TReporteMedianas reporte;
    benchmark::RunSpecifiedBenchmarks(&reporte);
    auto tasa = [&](int codigo, int hilos, int curvas) {
        const double ms = reporte.MedianaReal("BM_Lote/codigo:" + std::to_string(codigo) + "/hilos:" +
                                              std::to_string(hilos) + "/curvas:" + std::to_string(curvas) +
                                              "/real_time");
        return ms > 0 ? (curvas ? 200 : 4000) / (ms / 1000) : 0.0;
    };
    for (int codigo : {22, 31}) {
        const double todos = tasa(codigo, 0, 0), uno = tasa(codigo, 1, 0);
        std::printf("Código %d sin curvas: %.0f casos/s con %u hilos, %.0f con 1", codigo, todos, HilosPorDefecto(),
                    uno);
        if (uno > 0) std::printf(" (razón %.2f)", todos / uno);
        std::printf("\n");
    }
    if (const double con = tasa(31, 0, 1); con > 0) std::printf("Código 31 con curvas: %.0f casos/s\n", con);
    benchmark::Shutdown();
}
