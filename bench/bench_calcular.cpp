// Timing of "Calcular" for the heaviest case, the narrow culvert (code 31)
// with the default data: four evolution curves of up to 5000 points.  Two
// baselines at the same points: the program's time law alone (ErosEvol, with
// its checks), and the floor, the same law in long double with no checks and
// nothing stored.  And a sensitivity study of the same problem, 200 values
// of the discharge on one thread without curves, against that one
// "Calcular" with its curves.  Prints the ratios of the medians (9
// repetitions in random order unless --benchmark_repetitions says otherwise).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "compute/untCalcular.h"
#include "compute/untEvolucion.h"
#include "problem/untActivacion.h"
#include "problem/untAsistente.h"
#include "problem/untCodigo.h"
#include "problem/untContinuar.h"
#include "reporte_medianas.h"
#include "results/untBarrido.h"

namespace {

constexpr ProblemCode kCodigo = 31;

// The record, panel and texts of a narrow culvert ready to compute.
struct TCaso {
    TDatosProblema d;
    TPanelFormulas panel;
    TTextosCampos textos = TextosPorDefecto();

    TCaso() {
        ElegirEstructura(d, kCodigo);
        ContinuarEstructura(d, textos);
        d.CodiProb = CalcularCodigo(3, d);
        MostrarComplementarios(d.CodiProb, textos, panel);
    }
};

double CampoDe(const TDatosProblema& d, const std::string& nombre) {
    double v = 0;
    TDatosProblema::Recorrer(d, [&](const char* n, const double& x) {
        if (nombre == n) v = x;
    });
    return v;
}

void BM_Calcular(benchmark::State& state) {
    const TCaso caso;
    std::size_t puntos = 0;
    for (auto _ : state) {
        TDatosProblema d = caso.d;
        TGrafico grafico;
        benchmark::DoNotOptimize(Calcular(d, caso.textos, true, caso.panel, grafico));
        puntos = 0;
        for (const TSerie& s : grafico.series) puntos += s.puntos.size();
    }
    state.counters["puntos"] = static_cast<double>(puntos);
}
BENCHMARK(BM_Calcular)->Unit(benchmark::kMicrosecond);

// The curves of one calculation: flow depth, characteristic time, and the
// equilibrium depth and times of each curve.
struct TCurvas {
    double h = 0, tCara = 0;
    std::vector<double> ye;
    std::vector<std::vector<double>> tiempos;
    std::size_t puntos = 0;

    TCurvas() {
        TCaso caso;
        TGrafico grafico;
        Calcular(caso.d, caso.textos, true, caso.panel, grafico);
        h = caso.d.FlujTiraRest;
        tCara = CampoDe(caso.d, "PAG.ErosTiemRefe");
        for (int k = 1; k <= 4; ++k) {
            ye.push_back(CampoDe(caso.d, "PAG.OutpErosMaxi" + std::to_string(k)));
            tiempos.emplace_back();
            for (const TPunto& p : grafico.Serie(k).puntos) tiempos.back().push_back(p.x);
            puntos += grafico.Serie(k).puntos.size();
        }
    }
};

// The time law alone, at the points of the four curves of one calculation.
void BM_LeyTemporal(benchmark::State& state) {
    const TCurvas c;
    for (auto _ : state)
        for (std::size_t k = 0; k < c.ye.size(); ++k)
            for (double t : c.tiempos[k]) benchmark::DoNotOptimize(ErosEvol(c.h, c.ye[k], t, c.tCara, kGammaEvol));
    state.counters["puntos"] = static_cast<double>(c.puntos);
}
BENCHMARK(BM_LeyTemporal)->Unit(benchmark::kMicrosecond);

// The floor: y = ye [1 - exp(s ln(1 - h/ye))] with s = (t/T)^gamma, in long
// double, the logarithm of each curve taken once, no check, nothing stored.
void BM_Suelo(benchmark::State& state) {
    const TCurvas c;
    for (auto _ : state) {
        for (std::size_t k = 0; k < c.ye.size(); ++k) {
            const long double ye = c.ye[k];
            const long double resto = std::log(1 - c.h / ye);
            for (double t : c.tiempos[k]) {
                const long double base = t / static_cast<long double>(c.tCara);
                const long double s = base > 0 ? std::exp(kGammaEvol * std::log(base)) : 0;
                benchmark::DoNotOptimize(ye * (1 - std::exp(s * resto)));
            }
        }
    }
    state.counters["puntos"] = static_cast<double>(c.puntos);
}
BENCHMARK(BM_Suelo)->Unit(benchmark::kMicrosecond);

// 200 points of the discharge from 2000 to 4000 m3/s, each point a whole
// case (wizard walked, "Calcular" without curves, rows), on one thread.
void BM_Barrido200(benchmark::State& state) {
    TProblema p;
    p.codigo = kCodigo;
    const TBarrido b{"FlujCaud", 2000, 4000, 200, false};
    std::size_t formulas = 0;
    for (auto _ : state) {
        const TEstudio e = Estudiar(p, b, 1);
        formulas = e.formulas.size();
        benchmark::DoNotOptimize(e.puntos.data());
    }
    if (formulas != 4) state.SkipWithError("no son cuatro fórmulas");
}
BENCHMARK(BM_Barrido200)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> args = ConRepeticiones(argc, argv, 9);
    int nArgs = int(args.size());
    benchmark::Initialize(&nArgs, args.data());
    TReporteMedianas reporte;
    benchmark::RunSpecifiedBenchmarks(&reporte);
    const double calcular = reporte.Mediana("BM_Calcular");
    const double ley = reporte.Mediana("BM_LeyTemporal");
    const double suelo = reporte.Mediana("BM_Suelo");
    std::printf("Medianas (CPU): Calcular %.0f us, ley temporal %.0f us, suelo %.0f us\n", calcular, ley, suelo);
    if (calcular > 0 && ley > 0) std::printf("Calcular / ley temporal sola = %.2f\n", calcular / ley);
    if (calcular > 0 && suelo > 0) std::printf("Calcular / suelo = %.2f (objetivo <= 1.5)\n", calcular / suelo);
    if (const double barrido = reporte.Mediana("BM_Barrido200"); barrido > 0 && calcular > 0)
        std::printf("Barrido de 200 puntos sin curvas %.0f us / un Calcular con curvas %.0f us = %.2f (objetivo < 1)\n",
                    barrido, calcular, barrido / calcular);
    benchmark::Shutdown();
}
