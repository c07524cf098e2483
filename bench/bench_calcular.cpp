// Timing of "Calcular" for the heaviest case, the narrow culvert (code 31)
// with the default data: four evolution curves of up to 5000 points.  The same
// run times a bare loop that evaluates the time law at the same points and
// prints the ratio of the two.
#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <string>

#include "compute/untCalcular.h"
#include "compute/untEvolucion.h"
#include "problem/untActivacion.h"
#include "problem/untAsistente.h"
#include "problem/untCodigo.h"
#include "problem/untContinuar.h"

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

// The time law alone, at the points of the four curves of one calculation.
void BM_LeyTemporal(benchmark::State& state) {
    TCaso caso;
    TGrafico grafico;
    Calcular(caso.d, caso.textos, true, caso.panel, grafico);
    const double h = caso.d.FlujTiraRest;
    const double tCara = CampoDe(caso.d, "PAG.ErosTiemRefe");
    std::size_t puntos = 0;
    for (auto _ : state) {
        puntos = 0;
        for (int k = 1; k <= 4; ++k) {
            const double ye = CampoDe(caso.d, "PAG.OutpErosMaxi" + std::to_string(k));
            for (const TPunto& p : grafico.Serie(k).puntos) {
                benchmark::DoNotOptimize(ErosEvol(h, ye, p.x, tCara, kGammaEvol));
                ++puntos;
            }
        }
    }
    state.counters["puntos"] = static_cast<double>(puntos);
}
BENCHMARK(BM_LeyTemporal)->Unit(benchmark::kMicrosecond);

// Console output plus the ratio of the full calculation to the bare loop.
class TReporte : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) tiempos_[r.run_name.function_name] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const double calcular = tiempos_["BM_Calcular"];
        const double ley = tiempos_["BM_LeyTemporal"];
        if (calcular > 0 && ley > 0)
            std::cout << "Calcular / ley temporal sola = " << calcular / ley << " (objetivo <= 1.5)\n";
    }

private:
    std::map<std::string, double> tiempos_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    TReporte reporte;
    benchmark::RunSpecifiedBenchmarks(&reporte);
    benchmark::Shutdown();
}
