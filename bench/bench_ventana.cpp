// Timing of "Calcular" in the real calculation window, narrow culvert
// (code 31) with the default data, on the offscreen platform:
//   BM_Nucleo    the core's Calcular alone, on the window's record;
//   BM_Pulsar1   a press of "Calcular" on an empty chart until the chart page
//                has been repainted (four curves, 20,000 points);
//   BM_Pulsar10  the tenth press in a row (each press appends a copy of the
//                curves: 200,000 points), until the chart page is repainted.
// Prints the three medians and the ratios press / core (5 repetitions in
// random order unless --benchmark_repetitions says otherwise).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "compute/untCalcular.h"
#include "comun/untGrupoRadio.h"
#include "comun/untMensajes.h"
#include "pickers/untPaginaComplementaria.h"
#include "problem/untPaginaEstructura.h"
#include "problem/untPaginasDatos.h"
#include "problem/untProbTipo.h"
#include "reporte_medianas.h"
#include "results/untPaginaGrafico.h"

namespace {

TfrmProbTipo* gVentana = nullptr;

// Wizard of a new window up to "Datos Complementarios" of code 31:
// phenomenon "vertical y horizontal", obstacle "en superficie y orilla".
void Recorrer(TfrmProbTipo& v) {
    v.tbshNivel0->btnN0->click();
    v.rg0->Item(2)->click();
    v.btnContAfue01->click();
    v.tbshNivel1->btnN1->click();
    v.rg02->Item(0)->click();
    v.btnContAfue12->click();
    v.tbshNivel2->btnN2->click();
}

// A press of "Calcular", then the chart page brought to front and repainted.
void PulsarYPintar(TfrmProbTipo& v) {
    v.tbshNivel3->btnN3->click();
    v.pgReplanteo->setCurrentIndex(TfrmProbTipo::kGrafico);
    QCoreApplication::processEvents();
    v.tbshGrafico->repaint();
}

std::size_t PuntosDelModelo(const TGrafico& g) {
    std::size_t n = 0;
    for (const TSerie& s : g.series) n += s.puntos.size();
    return n;
}

void BM_Nucleo(benchmark::State& state) {
    TfrmProbTipo& v = *gVentana;
    const TTextosCampos textos = v.Textos();
    const bool manning = v.OpcionManning();
    std::size_t puntos = 0;
    for (auto _ : state) {
        TDatosProblema d = v.Datos();
        TGrafico grafico;
        benchmark::DoNotOptimize(Calcular(d, textos, manning, v.Panel(), grafico));
        puntos = PuntosDelModelo(grafico);
    }
    state.counters["puntos"] = double(puntos);
}

// `previas` presses before the timed one, untimed, on an emptied chart.
void Pulsar(benchmark::State& state, int previas) {
    TfrmProbTipo& v = *gVentana;
    std::size_t puntos = 0;
    for (auto _ : state) {
        state.PauseTiming();
        v.LimpiarGrafico();
        for (int i = 0; i < previas; ++i) v.tbshNivel3->btnN3->click();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        PulsarYPintar(v);
        puntos = PuntosDelModelo(v.Grafico());
    }
    state.counters["puntos"] = double(puntos);
}
void BM_Pulsar1(benchmark::State& state) { Pulsar(state, 0); }
void BM_Pulsar10(benchmark::State& state) { Pulsar(state, 9); }

BENCHMARK(BM_Nucleo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pulsar1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pulsar10)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<char*> args = ConRepeticiones(argc, argv, 5);
    int nArgs = int(args.size());
    benchmark::Initialize(&nArgs, args.data());

    // A message or fault would mean the walk went wrong: say so and stop.
    InstalarGanchoMensajes([](QWidget*, const QString& texto, TTipoMensaje) {
        std::fprintf(stderr, "mensaje inesperado: %s\n", qPrintable(texto));
        std::exit(1);
    });
    auto ventana = std::make_unique<TfrmProbTipo>();
    ventana->setAttribute(Qt::WA_DeleteOnClose, false);
    ventana->show();
    QCoreApplication::processEvents();
    Recorrer(*ventana);
    if (ventana->Datos().CodiProb != 31) {
        std::fprintf(stderr, "el recorrido no llegó al código 31 (código %d)\n", int(ventana->Datos().CodiProb));
        return 1;
    }
    gVentana = ventana.get();

    TReporteMedianas reporte;
    benchmark::RunSpecifiedBenchmarks(&reporte);
    const double nucleo = reporte.Mediana("BM_Nucleo");
    const double pulsar1 = reporte.Mediana("BM_Pulsar1");
    const double pulsar10 = reporte.Mediana("BM_Pulsar10");
    std::printf("Medianas (CPU): núcleo %.2f ms; primera pulsación %.2f ms (objetivo <= 30 ms); "
                "décima pulsación %.2f ms (objetivo <= 50 ms)\n",
                nucleo, pulsar1, pulsar10);
    if (nucleo > 0 && pulsar1 > 0 && pulsar10 > 0)
        std::printf("Pulsación / núcleo: primera %.2f (objetivo <= 5), décima %.2f (objetivo <= 8)\n",
                    pulsar1 / nucleo, pulsar10 / nucleo);
    benchmark::Shutdown();
    return 0;
}
