// The whole calculation of the input page's defaults (128 classes, years 0/1/150, Gauss), for
// the edge and the surface crack, with one and with two threads; and its parts: the resistance
// histograms alone and the year loop alone (a second run, the resistances kept), each with one
// and with two threads. Besides: a run of one year (the resistances and little else), and the
// resistance histograms by the trapezoid rule with N = 1000, the slowest method at its default.
#include <memory>

#include <benchmark/benchmark.h>

#include "calculation/driver.h"

namespace {

using namespace tessavin;

struct Calculation {
    explicit Calculation(int origin) { in.crackOrigin = origin; }
    CalculationInputs in;
    std::unique_ptr<CalculationState> state = std::make_unique<CalculationState>();
    CalculationDriver driver{in, *state};
};

DriverOptions Threads(int n) {
    DriverOptions o;
    o.threads = n;
    return o;
}

// Arguments: origin (0 edge, 1 surface), threads.
void BM_WholeCalculation(benchmark::State& bs) {
    for (auto _ : bs) {
        Calculation c(static_cast<int>(bs.range(0)));
        const RunPlan plan = c.driver.Prepare();
        const RunResult r = c.driver.Run(plan, Threads(static_cast<int>(bs.range(1))));
        if (r.end != RunEnd::Completed) bs.SkipWithError("calculation failed");
        benchmark::DoNotOptimize(c.state->EventProbabilities);
    }
}

// The period 1/1/1: the year-independent steps and one year.
void BM_OneYearRun(benchmark::State& bs) {
    for (auto _ : bs) {
        Calculation c(static_cast<int>(bs.range(0)));
        c.in.yearStart = c.in.yearEnd = c.in.startText = c.in.endText = "1";
        const RunPlan plan = c.driver.Prepare();
        const RunResult r = c.driver.Run(plan, Threads(static_cast<int>(bs.range(1))));
        if (r.end != RunEnd::Completed) bs.SkipWithError("calculation failed");
        benchmark::DoNotOptimize(c.state->EventProbabilities);
    }
}

// Method: 4 Gauss (the default), 0 trapezoid with the default N = 1000.
void ResistanceHistograms(benchmark::State& bs, int method) {
    Calculation c(static_cast<int>(bs.range(0)));
    c.in.integration.method = method;
    c.driver.Prepare(); // builds the six input histograms
    const ResistanceOptions o{static_cast<int>(bs.range(1)), {}};
    for (auto _ : bs) {
        if (!ResVypJevuU(c.in, *c.state, o).ok || !ResVypJevuF(c.in, *c.state, o).ok)
            bs.SkipWithError("resistance failed");
    }
}

void BM_ResistanceHistograms(benchmark::State& bs) {
    ResistanceHistograms(bs, 4);
}

void BM_TrapezoidResistances(benchmark::State& bs) {
    ResistanceHistograms(bs, 0);
}

// The Nn passes are kept from the first run, as a second run with unchanged inputs keeps them.
void BM_YearLoop(benchmark::State& bs) {
    Calculation c(static_cast<int>(bs.range(0)));
    c.driver.Run(c.driver.Prepare());
    for (auto _ : bs) {
        const int threads = static_cast<int>(bs.range(1));
        const RunResult r = c.driver.Run(c.driver.Prepare(), Threads(threads));
        if (r.resistancesBuilt) bs.SkipWithError("resistances were rebuilt");
    }
}

#define TESSAVIN_CALCULATION_BENCH(name)                                                           \
    BENCHMARK(name)                                                                                \
        ->ArgNames({"origin", "threads"})                                                          \
        ->ArgsProduct({{0, 1}, {1, 2}})                                                            \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->UseRealTime()                                                                            \
        ->Iterations(3)

TESSAVIN_CALCULATION_BENCH(BM_WholeCalculation);
TESSAVIN_CALCULATION_BENCH(BM_ResistanceHistograms);
TESSAVIN_CALCULATION_BENCH(BM_YearLoop);
TESSAVIN_CALCULATION_BENCH(BM_OneYearRun);
TESSAVIN_CALCULATION_BENCH(BM_TrapezoidResistances);

} // namespace
