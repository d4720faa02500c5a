// Goodness of fit on the raw sample: the statistics of every type with an estimate for a
// 10,000-value sample on one and on two threads, and the parametric bootstrap of one candidate. The
// sample holds the quantiles of Weibull k = 3, lambda = 10.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <variant>
#include <vector>

#include "goodness/bootstrap.h"

namespace {

using namespace tessavin;

RawSample WeibullSample(int values) {
    std::vector<double> v;
    for (int i = 1; i <= values; ++i)
        v.push_back(10 * std::pow(-std::log(1 - (i - 0.5) / values), 1 / 3.0));
    return SampleOfValues(v);
}

FitSettings Settings(const RawSample& s) {
    FitSettings f;
    f.min = ThroughDisplayText(s.minimum);
    f.max = ThroughDisplayText(s.maximum);
    return f;
}

// Args: values, threads.
void BM_GoodnessAllTypes(benchmark::State& state) {
    const RawSample s = WeibullSample(static_cast<int>(state.range(0)));
    FitContext ctx = std::get<FitContext>(FitContext::Make(s, Settings(s)));
    ctx.setWeibullShape(3.0);
    std::vector<DistributionType> types;
    for (DistributionType t = 0; t < DistributionCount; ++t)
        types.push_back(t);
    int measured = 0;
    for (auto _ : state) {
        const std::vector<GoodnessOfFit> g =
            MeasureTypes(ctx, s, types, static_cast<int>(state.range(1)));
        benchmark::DoNotOptimize(g.data());
        measured = static_cast<int>(std::count_if(
            g.begin(), g.end(), [](const GoodnessOfFit& x) { return x.reason.empty(); }));
    }
    state.counters["types"] = measured;
}
BENCHMARK(BM_GoodnessAllTypes)
    ->Args({10000, 1})
    ->Args({10000, 2})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Args: type, values, draws, threads.
void BM_Bootstrap(benchmark::State& state) {
    const RawSample s = WeibullSample(static_cast<int>(state.range(1)));
    const FitSettings fit = Settings(s);
    FitContext ctx = std::get<FitContext>(FitContext::Make(s, fit));
    ctx.setWeibullShape(3.0);
    std::string reason;
    const auto d = FittedCandidate(ctx, s, static_cast<DistributionType>(state.range(0)), reason);
    BootstrapSettings b;
    b.draws = static_cast<int>(state.range(2));
    b.threads = static_cast<int>(state.range(3));
    for (auto _ : state) {
        GoodnessOfFit g = MeasureFit(*d, s.values);
        BootstrapPValues(g, *d, s, fit, b);
        benchmark::DoNotOptimize(g);
    }
}
BENCHMARK(BM_Bootstrap)
    ->Args({dist::Normal, 1000, 1000, 1})
    ->Args({dist::Normal, 1000, 1000, 2})
    ->Args({dist::Weibull, 1000, 100, 2})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
