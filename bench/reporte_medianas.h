// Console output of Google Benchmark that also keeps the CPU time of every
// run, so that a benchmark program can print the median of each benchmark and
// ratios between them, whatever --benchmark_repetitions says.  CPU time, not
// wall time: the programs are single-threaded and the machine is shared, so
// wall time mostly measures the other processes.  Wall time too, for the
// runs whose work is on several threads.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The command line with `repeticiones` repetitions, interleaved in random
// order, unless it sets the repetitions itself: on a shared machine the load
// changes from second to second, and interleaving spreads it over all the
// benchmarks alike, so that the ratios of their medians hold.
inline std::vector<char*> ConRepeticiones(int argc, char** argv, int repeticiones) {
    static std::string repetir, intercalar = "--benchmark_enable_random_interleaving=true";
    std::vector<char*> args(argv, argv + argc);
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]).starts_with("--benchmark_repetitions")) return args;
    repetir = "--benchmark_repetitions=" + std::to_string(repeticiones);
    args.push_back(repetir.data());
    args.push_back(intercalar.data());
    return args;
}

class TReporteMedianas : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration && !r.error_occurred) {
                tiempos_[r.run_name.function_name].push_back(r.GetAdjustedCPUTime());
                reales_[r.benchmark_name()].push_back(r.GetAdjustedRealTime());
            }
        ConsoleReporter::ReportRuns(runs);
    }

    // Median CPU time of the runs of `nombre`, in the benchmark's own unit;
    // 0 when it did not run.
    double Mediana(const std::string& nombre) const { return MedianaDe(tiempos_, nombre); }

    // Median wall time of the runs of the benchmark with this full name
    // ("BM_Lote/22/1"): for the benchmarks whose work runs on other threads.
    double MedianaReal(const std::string& nombre) const { return MedianaDe(reales_, nombre); }

private:
    using TTiempos = std::map<std::string, std::vector<double>>;
    static double MedianaDe(const TTiempos& tiempos, const std::string& nombre) {
        const auto it = tiempos.find(nombre);
        if (it == tiempos.end() || it->second.empty()) return 0;
        std::vector<double> t = it->second;
        std::sort(t.begin(), t.end());
        const std::size_t n = t.size();
        return n % 2 ? t[n / 2] : (t[n / 2 - 1] + t[n / 2]) / 2;
    }
    TTiempos tiempos_;
    TTiempos reales_;
};
