// The Monte Carlo cross-check of the input page's defaults (years 0/1/150), edge and surface
// crack, on one and two threads: samples per second of the whole simulation, and the one-off
// set-up (input histograms, resistance table) on its own.
#include <variant>

#include <benchmark/benchmark.h>

#include "montecarlo/simulation.h"

namespace {

using namespace tessavin;
using namespace tessavin::montecarlo;

ModelSetup DefaultSetup(int origin) {
    CalculationInputs in;
    in.crackOrigin = origin;
    InputHistograms h;
    for (int k = 1; k <= RandomInputCount; ++k)
        RebuildInput(k, in.random[k], in.eps, in.par3, in.par4, h);
    return std::get<ModelSetup>(SetupFromInputs(in, h));
}

// Arguments: origin (0 edge, 1 surface), threads. 2^18 samples per iteration.
void BM_MonteCarloSamples(benchmark::State& bs) {
    const SimulationModel model(DefaultSetup(static_cast<int>(bs.range(0))));
    SimulationSettings settings;
    settings.samples = 1 << 18;
    settings.threads = static_cast<int>(bs.range(1));
    for (auto _ : bs) {
        const SimulationResult r = Simulate(model, settings);
        benchmark::DoNotOptimize(r.pF.data());
    }
    bs.counters["samples/s"] = benchmark::Counter(static_cast<double>(settings.samples),
                                                  benchmark::Counter::kIsIterationInvariantRate);
}

void BM_MonteCarloSetup(benchmark::State& bs) {
    for (auto _ : bs) {
        const SimulationModel model(DefaultSetup(static_cast<int>(bs.range(0))));
        benchmark::DoNotOptimize(&model);
    }
}

BENCHMARK(BM_MonteCarloSamples)
    ->ArgNames({"origin", "threads"})
    ->ArgsProduct({{0, 1}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_MonteCarloSetup)->ArgName("origin")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
