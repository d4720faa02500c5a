// Cost of the checked special functions per call, by branch of the gamma function and by
// route of the power (integer exponent through repeated squaring, real exponent through exp/ln).
#include "parametric/special_functions.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

namespace {

std::vector<double> Spread(double lo, double hi, int n) {
    std::vector<double> v;
    v.reserve(n);
    for (int i = 0; i < n; ++i)
        v.push_back(lo + (hi - lo) * (i + 0.5) / n);
    return v;
}

void RunGamma(benchmark::State& state, double lo, double hi) {
    const std::vector<double> xs = Spread(lo, hi, 1024);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tessavin::GammaFn(xs[i]));
        i = (i + 1) & 1023;
    }
    state.SetItemsProcessed(state.iterations());
}

void RunPow(benchmark::State& state, double blo, double bhi, double elo, double ehi,
            bool integerExponent) {
    const std::vector<double> bases = Spread(blo, bhi, 1024);
    std::vector<double> exps = Spread(elo, ehi, 1024);
    if (integerExponent)
        for (double& e : exps)
            e = static_cast<double>(static_cast<long>(e));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tessavin::PowChecked(bases[i], exps[(i * 7) & 1023]));
        i = (i + 1) & 1023;
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK_CAPTURE(RunGamma, near_zero, -0.03, 0.03);
BENCHMARK_CAPTURE(RunGamma, rational_0_13, 0.05, 13.0);
BENCHMARK_CAPTURE(RunGamma, reduced_negative, -13.0, -0.05);
BENCHMARK_CAPTURE(RunGamma, stirling_13_171, 13.5, 171.0);
BENCHMARK_CAPTURE(RunGamma, reflection_negative, -170.0, -13.5);

BENCHMARK_CAPTURE(RunPow, integer_exponent, 0.1, 20.0, -60.0, 60.0, true);
BENCHMARK_CAPTURE(RunPow, real_exponent, 0.1, 20.0, -60.0, 60.0, false);
BENCHMARK_CAPTURE(RunPow, real_exponent_out_of_range, 1e10, 1e20, 40.5, 80.5, false);
