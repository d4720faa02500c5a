// The fit ranking of a measured sample: every parametric type fitted and judged, Weibull over its
// 655-shape scan. 10,000 values at the quantiles of Weibull k = 3, lambda = 10; N = 32.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <variant>

#include "rawdata/fit_ranking.h"

namespace {

tessavin::FitContext WeibullContext(int values, int intervals) {
    std::string text;
    char buf[40];
    for (int i = 1; i <= values; ++i) {
        const double u = (i - 0.5) / values;
        std::snprintf(buf, sizeof buf, "%.17g\n", 10 * std::pow(-std::log(1 - u), 1 / 3.0));
        text += buf;
    }
    const auto sample = std::get<tessavin::RawSample>(tessavin::ParseRawData(text));
    tessavin::FitSettings settings;
    settings.intervals = intervals;
    settings.min = tessavin::ThroughDisplayText(sample.minimum);
    settings.max = tessavin::ThroughDisplayText(sample.maximum);
    return std::get<tessavin::FitContext>(tessavin::FitContext::Make(sample, settings));
}

void BM_RankParametricFits(benchmark::State& state) {
    const tessavin::FitContext context =
        WeibullContext(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        auto ranking = tessavin::RankParametricFits(context);
        benchmark::DoNotOptimize(ranking);
    }
}
BENCHMARK(BM_RankParametricFits)->Args({10000, 32})->Unit(benchmark::kMillisecond);

} // namespace
