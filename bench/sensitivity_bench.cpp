// What drives the plan for the input page's defaults (edge crack, 128 classes, years 0 .. 150,
// the rule's plan): the base run and the 28 moved runs, on one and two threads, with and
// without the reuse of the base run's ΔS^m and resistances.
#include <benchmark/benchmark.h>

#include "sensitivity/sensitivity.h"

namespace {

using namespace tessavin;

// Arguments: threads, reuse (1 on, 0 off).
void BM_Sensitivity(benchmark::State& bs) {
    const CalculationInputs in;
    sensitivity::SensitivitySettings settings;
    settings.threads = static_cast<int>(bs.range(0));
    settings.reuse = bs.range(1) != 0;
    int reusing = 0;
    for (auto _ : bs) {
        CalculationState loaded;
        const sensitivity::SensitivityResult r =
            sensitivity::AnalyseSensitivity(in, loaded, settings);
        reusing = r.reusingRuns;
        benchmark::DoNotOptimize(r.rows.data());
    }
    bs.counters["reusing_runs"] = reusing;
}

BENCHMARK(BM_Sensitivity)
    ->ArgNames({"threads", "reuse"})
    ->Args({1, 1})
    ->Args({2, 1})
    ->Args({2, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);

} // namespace
