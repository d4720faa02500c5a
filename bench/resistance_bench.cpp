// One resistance R(aac) evaluation, the unit of work of the resistance histograms: both crack
// origins, the five integration methods at the settings window's defaults (N 1000, n 10,
// tol0 1E-4), bf 400, tf 25, m 3.
#include <benchmark/benchmark.h>

#include <atomic>
#include <vector>

#include "calculation/resistance_batch.h"

namespace {

// Arguments: origin (0 edge, 1 surface), method (0 .. 4), nominal stress σ. σ 100 leaves the
// surface acceptable depth at 0.8 tf at once; σ 340 on Fy 355 makes it a bisection.
void BM_OdolnostF(benchmark::State& state) {
    tessavin::ResistanceParameters p;
    p.origin = static_cast<int>(state.range(0));
    p.integration.method = static_cast<int>(state.range(1));
    const double sigma = static_cast<double>(state.range(2));
    tessavin::ResistanceCalculator calc(p);
    double a0 = 0.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc.OdolnostF(a0, 355, sigma));
        a0 = a0 < 2 ? a0 + 0.01 : 0.5;
    }
    if (calc.failed()) state.SkipWithError(calc.failure().text.c_str());
}
BENCHMARK(BM_OdolnostF)
    ->ArgNames({"origin", "method", "sigma"})
    ->ArgsProduct({{0, 1}, {0, 1, 2, 3, 4}, {100}})
    ->Args({1, 4, 340});

// The histogram loop's split use: the acceptable size once per (Fy, σ) pair, then the integral.
void BM_ResistanceToAcceptable(benchmark::State& state) {
    tessavin::ResistanceParameters p;
    p.origin = static_cast<int>(state.range(0));
    tessavin::ResistanceCalculator calc(p);
    const double aac = calc.AcceptableSizeRaw(355, 100);
    double a0 = 0.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc.ResistanceToAcceptable(a0, aac));
        a0 = a0 < 2 ? a0 + 0.01 : 0.5;
    }
}
BENCHMARK(BM_ResistanceToAcceptable)->ArgName("origin")->Arg(0)->Arg(1);

void BM_OdolnostU(benchmark::State& state) {
    tessavin::ResistanceParameters p;
    p.origin = static_cast<int>(state.range(0));
    tessavin::ResistanceCalculator calc(p);
    calc.SetSurfaceCap(355, 100);
    double a0 = 0.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc.OdolnostU(a0, 8));
        a0 = a0 < 2 ? a0 + 0.01 : 0.5;
    }
}
BENCHMARK(BM_OdolnostU)->ArgName("origin")->Arg(0)->Arg(1);

// The histogram loop's unit of work: many R(aac) targets from one a0 at once, Gauss, on the
// scalar path (level 0) and on the vector lanes (1 AVX2, 2 AVX-512; skipped where the
// processor lacks them). Items are integrals.
void BM_ResistanceBatch(benchmark::State& state) {
    const auto level = static_cast<tessavin::SimdLevel>(state.range(1));
    if (static_cast<int>(level) > static_cast<int>(tessavin::BestSimdLevel())) {
        state.SkipWithError("instruction set not available");
        return;
    }
    tessavin::ResistanceParameters p;
    p.origin = static_cast<int>(state.range(0));
    std::vector<double> targets;
    const double top = p.origin == 0 ? 160.0 : 20.0;
    for (int j = 0; j < 1024; ++j)
        targets.push_back(1.0 + (top - 1.0) * j / 1023);
    std::vector<double> r(targets.size());
    std::vector<int> cls(targets.size());
    std::atomic<bool> interrupt{false};
    tessavin::ResistanceBatch batch(p, tessavin::ResistanceKind::Acceptable, {0.0, 1e-3}, level);
    for (auto _ : state) {
        batch.Classify(0.2, targets.data(), static_cast<int>(targets.size()), r.data(), cls.data(),
                       interrupt);
        benchmark::DoNotOptimize(cls.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(targets.size()));
}
BENCHMARK(BM_ResistanceBatch)->ArgNames({"origin", "simd"})->ArgsProduct({{0, 1}, {0, 1, 2}});

} // namespace
