// The Monte Carlo cross-check of the input page's defaults (years 0/1/150), edge and surface
// crack, on one and two threads: samples per second of the whole simulation, by the wall clock
// and per core, and the one-off set-up (input histograms, resistance table) on its own.
#include <ctime>
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

double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// Arguments: origin (0 edge, 1 surface), threads. 2^18 samples per iteration. samples/s is by
// the wall clock; samples/s/core by the CPU time of all threads, which a loaded machine leaves
// meaningful.
void BM_MonteCarloSamples(benchmark::State& bs) {
    const SimulationModel model(DefaultSetup(static_cast<int>(bs.range(0))));
    SimulationSettings settings;
    settings.samples = 1 << 18;
    settings.threads = static_cast<int>(bs.range(1));
    double cpu = 0;
    for (auto _ : bs) {
        const double start = ProcessCpuSeconds();
        const SimulationResult r = Simulate(model, settings);
        benchmark::DoNotOptimize(r.pF.data());
        cpu += ProcessCpuSeconds() - start;
    }
    const double samples = static_cast<double>(settings.samples);
    bs.counters["samples/s"] =
        benchmark::Counter(samples, benchmark::Counter::kIsIterationInvariantRate);
    bs.counters["samples/s/core"] = samples * static_cast<double>(bs.iterations()) / cpu;
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
