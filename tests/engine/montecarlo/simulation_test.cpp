#include "montecarlo/simulation.h"

#include <clocale>
#include <cmath>
#include <string>
#include <variant>

#include <gtest/gtest.h>

#include "calculation/resistance_functions.h"
#include "common/number_parse.h"
#include "montecarlo/inspection_plan.h"
#include "montecarlo/normal_distribution.h"
#include "montecarlo/resistance_integral.h"

namespace tessavin::montecarlo {
namespace {

// A value spread over a width of 1e-9 of itself: an input that is practically fixed.
InputSampler Fixed(double x) {
    DiscreteHistogram h;
    h.Bins = 1;
    h.XFirst = h.XLast = x;
    h.Step = 1e-9 * x;
    h.P[1] = 1;
    return InputSampler::Classes(h).value();
}

InputSampler Uniform(double lo, double hi) {
    DiscreteHistogram h;
    h.Bins = 1;
    h.XFirst = h.XLast = (lo + hi) / 2;
    h.Step = hi - lo;
    h.P[1] = 1;
    return InputSampler::Classes(h).value();
}

// The edge crack of the worked example: ΔS 30, Fy 355, σ 100, a0 1, ad 10, so that
// aac = (1 − 100/355)·400 is capped at 0.4·bf = 160.
ModelSetup FixedEdgeCrack() {
    ModelSetup s;
    s.inputs[1] = Fixed(30);
    s.inputs[3] = Fixed(355);
    s.inputs[4] = Fixed(100);
    s.inputs[5] = Fixed(1);
    s.inputs[6] = Fixed(10);
    return s;
}

// ∫ FxOkraje from a to b by the 20-point Gauss-Legendre rule on 200 geometric panels.
double EdgeResistance(double a, double b) {
    ResistanceCalculator calc(ResistanceParameters{});
    const GaussRule rule = GaussLegendre(20);
    const long double ratio = std::pow(static_cast<long double>(b) / a, 1.0L / 200);
    long double sum = 0, x0 = a;
    for (int k = 0; k < 200; ++k) {
        const long double x1 = x0 * ratio, half = (x1 - x0) / 2, mid = (x1 + x0) / 2;
        for (int i = 0; i < 20; ++i)
            sum += half * rule.weights[i] *
                   calc.FxOkraje(static_cast<double>(mid + half * rule.nodes[i]));
        x0 = x1;
    }
    return static_cast<double>(sum);
}

SimulationResult Simulated(const ModelSetup& setup, long long samples, int threads = 1,
                           std::uint64_t seed = 1) {
    const SimulationModel model(setup);
    EXPECT_FALSE(model.failure().has_value());
    SimulationSettings settings;
    settings.samples = samples;
    settings.threads = threads;
    settings.seed = seed;
    return Simulate(model, settings);
}

// With every input but the yearly count fixed, pU and pF are normal tail probabilities of
// Nn ~ N((n+1)·1e6, (n+1)·1e10) at R/(C·ΔS^m).
TEST(MonteCarlo, FixedInputsWithANormalYearlyCountGiveTheClosedForm) {
    ModelSetup s = FixedEdgeCrack();
    s.inputs[2] = InputSampler::Parametric(0, 1e6, 1e5, 0, 2e6).value();
    for (int y = 0; y <= 80; ++y)
        s.years.push_back(y);
    const SimulationResult r = Simulated(s, 3000);
    ASSERT_EQ(r.pF.size(), s.years.size());
    const double k = 2.2e-13 * 30 * 30 * 30;
    const double xU = EdgeResistance(1, 10) / k, xF = EdgeResistance(1, 160) / k;
    int between = 0;
    for (std::size_t j = 0; j < s.years.size(); ++j) {
        const double n = s.years[j] + 1.0, mean = n * 1e6, sd = std::sqrt(n) * 1e5;
        const double pU = NormalCdf((xU - mean) / sd), pF = NormalUpperTail((xF - mean) / sd);
        EXPECT_NEAR(r.pU[j], pU, 1e-6) << s.years[j];
        EXPECT_NEAR(r.pF[j], pF, 1e-6) << s.years[j];
        EXPECT_NEAR(r.pD[j], 1 - pU - pF, 1e-6) << s.years[j];
        EXPECT_LT(r.pFSe[j], 1e-6);
        between += pF > 0.01 && pF < 0.99;
    }
    EXPECT_GE(between, 2); // the period covers the rise of pF
}

// Irwin-Hall: the CDF of the sum of n uniform values on [0, 1].
double IrwinHall(int n, double t) {
    if (t <= 0) return 0;
    if (t >= n) return 1;
    double sum = 0, binom = 1, factorial = 1;
    for (int i = 1; i <= n; ++i)
        factorial *= i;
    for (int k = 0; k <= std::floor(t); ++k) {
        sum += (k % 2 ? -1 : 1) * binom * std::pow(t - k, n);
        binom = binom * (n - k) / (k + 1);
    }
    return sum / factorial;
}

// A uniform yearly count on [0.2x, 0.6x] (x = R(aac)/(C·ΔS^m)): Nn is an Irwin-Hall sum, pF is
// 0 in year 0, rises through years 1 .. 3 and is 1 from year 4.
TEST(MonteCarlo, FixedInputsWithAUniformYearlyCountGiveTheIrwinHallSum) {
    ModelSetup s = FixedEdgeCrack();
    const double k = 2.2e-13 * 30 * 30 * 30, x = EdgeResistance(1, 160) / k;
    const double lo = 0.2 * x, hi = 0.6 * x;
    s.inputs[2] = Uniform(lo, hi);
    s.years = {0, 1, 2, 3, 4, 5};
    const SimulationResult r = Simulated(s, 200000, 2);
    for (std::size_t j = 0; j < s.years.size(); ++j) {
        const int n = s.years[j] + 1;
        const double pF = 1 - IrwinHall(n, (x - n * lo) / (hi - lo));
        EXPECT_NEAR(r.pF[j], pF, 5 * r.pFSe[j] + 1e-6) << s.years[j];
    }
    EXPECT_EQ(r.pF[0], 0.0);
    EXPECT_GT(r.pFSe[2], 0.0);
    EXPECT_EQ(r.pF[5], 1.0);
}

// The default inputs of a surface crack (the per-thread geometry runs in every sample).
ModelSetup DefaultSurfaceSetup() {
    CalculationInputs in;
    in.crackOrigin = 1;
    in.endText = "60";
    in.stepText = "3";
    InputHistograms h;
    for (int k = 1; k <= RandomInputCount; ++k)
        EXPECT_EQ(RebuildInput(k, in.random[k], in.eps, in.par3, in.par4, h).status,
                  RebuildOutcome::Status::Built);
    auto setup = SetupFromInputs(in, h);
    EXPECT_TRUE(std::holds_alternative<ModelSetup>(setup));
    return std::get<ModelSetup>(setup);
}

TEST(MonteCarlo, SameSeedGivesTheSameBitsForAnyThreadCount) {
    const ModelSetup s = DefaultSurfaceSetup();
    const long long samples = 5 * SamplesPerBlock + 17; // a partial last block
    const SimulationResult one = Simulated(s, samples, 1);
    ASSERT_EQ(one.samples, samples);
    for (int threads : {2, 3}) {
        const SimulationResult r = Simulated(s, samples, threads);
        EXPECT_EQ(r.pU, one.pU);
        EXPECT_EQ(r.pF, one.pF);
        EXPECT_EQ(r.pDSe, one.pDSe);
    }
    EXPECT_NE(Simulated(s, samples, 1, 2).pF, one.pF);
}

TEST(MonteCarlo, AStopKeepsTheLeadingBlocks) {
    const SimulationModel model(DefaultSurfaceSetup());
    std::atomic<bool> stop{false};
    SimulationSettings settings;
    settings.samples = 50 * SamplesPerBlock;
    settings.threads = 2;
    settings.stop = &stop;
    settings.progress = [&](long long, long long) { stop = true; };
    const SimulationResult r = Simulate(model, settings);
    EXPECT_TRUE(r.interrupted);
    EXPECT_GT(r.samples, 0);
    EXPECT_LT(r.samples, settings.samples);
    EXPECT_EQ(r.samples % SamplesPerBlock, 0);
    EXPECT_EQ(r.pF.size(), model.years().size());
}

TEST(MonteCarlo, SetupRefusesWhatTheModelCannotSimulate) {
    struct Case {
        const char* what;
        void (*edit)(CalculationInputs&);
        int message; // catalogue message of the refusal, 0 for the simulation's own
    } cases[] = {
        {"m = 0", [](CalculationInputs& in) { in.m = "0"; }, 41},
        {"bf not a number", [](CalculationInputs& in) { in.bf = "x"; }, 220},
        {"step 0", [](CalculationInputs& in) { in.stepText = "0"; }, 57},
        {"year above 300", [](CalculationInputs& in) { in.endText = "301"; }, 251},
        {"a0 reaching 0",
         [](CalculationInputs& in) {
             in.random[5] = {InputSource::Parametric, 0, "0.2", "0.2", "32"};
         },
         0},
        {"negative DeltaS, m 2.5",
         [](CalculationInputs& in) {
             in.m = "2.5";
             in.random[1] = {InputSource::Parametric, 0, "1", "1", "32"};
         },
         0},
    };
    for (const Case& c : cases) {
        CalculationInputs in;
        c.edit(in);
        InputHistograms h;
        for (int k = 1; k <= RandomInputCount; ++k)
            RebuildInput(k, in.random[k], in.eps, in.par3, in.par4, h);
        const auto setup = SetupFromInputs(in, h);
        ASSERT_TRUE(std::holds_alternative<Failure>(setup)) << c.what;
        EXPECT_EQ(std::get<Failure>(setup).message, c.message) << c.what;
    }
}

// The refusal names where the a0 range starts in full, with a decimal point whatever the locale.
TEST(MonteCarlo, RefusalNamesTheRangeStartInFull) {
    CalculationInputs in;
    in.random[5] = {InputSource::Parametric, 0, "0.2", "0.2", "32"};
    InputHistograms h;
    for (int k = 1; k <= RandomInputCount; ++k)
        RebuildInput(k, in.random[k], in.eps, in.par3, in.par4, h);
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const bool comma = std::setlocale(LC_NUMERIC, "cs_CZ.UTF-8") != nullptr;
    const auto setup = SetupFromInputs(in, h);
    std::setlocale(LC_NUMERIC, previous.c_str());
    if (!comma) GTEST_SKIP() << "cs_CZ.UTF-8 is not installed";
    ASSERT_TRUE(std::holds_alternative<Failure>(setup));
    const std::string& text = std::get<Failure>(setup).text;
    const std::size_t at = text.find("starts at ");
    ASSERT_NE(at, std::string::npos) << text;
    const auto start = ParseReal(text.substr(at + 10));
    ASSERT_TRUE(start.has_value()) << text;
    const double lower = RangeMin(h.histogram[5]); // where the cut normal's range starts
    EXPECT_NEAR(*start, lower, std::fabs(lower) * 1e-14) << text;
}

// The plan comes from the searches of the calculation: the first inspection is the first year
// whose simulated pF reaches Pd.
TEST(MonteCarlo, PlanFindsTheFirstYearWhosePfReachesPd) {
    SimulationResult r;
    r.years = {0, 1, 2, 3, 4, 5};
    r.pU = {1, 0.99, 0.97, 0.9, 0.8, 0.7};
    r.pF = {0, 0.001, 0.01, 0.03, 0.1, 0.2};
    for (std::size_t j = 0; j < r.years.size(); ++j)
        r.pD.push_back(1 - r.pU[j] - r.pF[j]);
    CalculationInputs in;
    in.yearStart = in.startText = "0";
    in.yearEnd = in.endText = "5";
    const SimulatedPlan plan = PlanFromCurves(in, r); // Pd 2.277E-2
    ASSERT_TRUE(plan.first && plan.first->found);
    EXPECT_EQ(plan.first->from, 2);
    EXPECT_EQ(plan.first->to, 3);
    EXPECT_TRUE(plan.plan.rows[1].found);
    EXPECT_TRUE(plan.furtherSearched);
}

} // namespace
} // namespace tessavin::montecarlo
