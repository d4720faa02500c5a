// Building an input histogram from a parametric distribution: range search + sampling.
#include <benchmark/benchmark.h>

#include "parametric/discretisation.h"

namespace {

void BM_BuildParametricHistogram(benchmark::State& state) {
    tessavin::ParametricRequest r;
    r.Type = static_cast<int>(state.range(0));
    r.Par1 = r.Type == 1 ? "280" : "30";
    r.Par2 = r.Type == 1 ? "28" : "3";
    r.IntervalCount = std::to_string(state.range(1));
    r.Eps = "1E-7";
    tessavin::WorkingHistogram w;
    for (auto _ : state) {
        auto out = tessavin::BuildParametricHistogram(r, w);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_BuildParametricHistogram)
    ->Args({0, 32})
    ->Args({0, 1024})
    ->Args({1, 32})
    ->Args({2, 1024});

} // namespace
