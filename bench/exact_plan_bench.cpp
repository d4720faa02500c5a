// The exact inspection plan of the input page's defaults (edge: ten inspections over years
// 0 .. 150; surface: five), on one and two threads: the whole computation from the model set-up
// (grid, tables, kernels, every conditional curve to the end of the period).
#include <variant>

#include <benchmark/benchmark.h>

#include "exactplan/exact_plan.h"

namespace {

using namespace tessavin;

montecarlo::ModelSetup DefaultSetup(int origin) {
    CalculationInputs in;
    in.crackOrigin = origin;
    InputHistograms h;
    for (int k = 1; k <= RandomInputCount; ++k)
        RebuildInput(k, in.random[k], in.eps, in.par3, in.par4, h);
    return std::get<montecarlo::ModelSetup>(montecarlo::SetupFromInputs(in, h));
}

// Arguments: origin (0 edge, 1 surface), threads.
void BM_ExactPlan(benchmark::State& bs) {
    const montecarlo::ModelSetup setup = DefaultSetup(static_cast<int>(bs.range(0)));
    exactplan::ExactPlanRequest request;
    request.Pd = 2.277E-2;
    request.lowerBound = false;
    request.threads = static_cast<int>(bs.range(1));
    std::size_t inspections = 0;
    for (auto _ : bs) {
        const exactplan::ExactPlanResult r = exactplan::ComputeExactPlan(setup, request);
        inspections = r.inspections.size();
        benchmark::DoNotOptimize(r.pF.data());
    }
    bs.counters["inspections"] = static_cast<double>(inspections);
}

BENCHMARK(BM_ExactPlan)
    ->ArgNames({"origin", "threads"})
    ->ArgsProduct({{0, 1}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

} // namespace
