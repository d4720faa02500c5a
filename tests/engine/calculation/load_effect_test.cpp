#include "calculation/load_effect.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../test_histograms.h"

#include "localisation/language.h"
#include "parametric/discretisation.h"

namespace tessavin {
namespace {

using test::Hand;

StateHistogram HandState(double xFirst, double step, const std::vector<double>& p) {
    StateHistogram s;
    static_cast<DiscreteHistogram&>(s) = Hand(xFirst, step, p);
    s.Span = s.XLast - s.XFirst;
    return s;
}

DiscreteHistogram Uniform(double xFirst, double step, int bins) {
    return Hand(xFirst, step, std::vector<double>(bins, 1.0 / bins));
}

DiscreteHistogram Normal(const char* mi, const char* sigma, const char* classes) {
    return test::ParametricInput(0, mi, sigma, classes);
}

double Sum(const DiscreteHistogram& h) {
    return static_cast<double>(ProbabilitySum(h));
}

double Mean(const DiscreteHistogram& h) {
    long double s = 0;
    for (int i = 1; i <= h.Bins; ++i)
        s += h.P[i] * ClassValue(h, i);
    return static_cast<double>(s / Sum(h));
}

double StandardDeviation(const DiscreteHistogram& h) {
    const double m = Mean(h);
    long double v = 0;
    for (int i = 1; i <= h.Bins; ++i)
        v += h.P[i] * (ClassValue(h, i) - m) * (ClassValue(h, i) - m);
    return std::sqrt(static_cast<double>(v / Sum(h)));
}

bool BitIdentical(const StateHistogram& a, const StateHistogram& b) {
    return a.Bins == b.Bins && std::memcmp(&a.XFirst, &b.XFirst, sizeof(double)) == 0 &&
           std::memcmp(&a.XLast, &b.XLast, sizeof(double)) == 0 &&
           std::memcmp(&a.Step, &b.Step, sizeof(double)) == 0 &&
           std::memcmp(&a.Span, &b.Span, sizeof(double)) == 0 &&
           std::memcmp(&a.Total, &b.Total, sizeof(double)) == 0 &&
           std::memcmp(a.P.data(), b.P.data(), sizeof(ClassArray)) == 0;
}

class LoadEffect : public ::testing::Test {
  protected:
    void SetUp() override { SetLanguage(Language::English); }

    void SetStressRange(const DiscreteHistogram& h) {
        state.inputs.histogram[1] = h;
        state.inputs.ready[1] = true;
    }
    void SetYearCount(const DiscreteHistogram& h) {
        state.inputs.histogram[2] = h;
        state.inputs.ready[2] = true;
    }
    bool DeltaSm(const char* m) {
        in.m = m;
        return DeltaSmStep(in, state);
    }
    bool Nn(int year) { return NnStep(year, in, state, cache); }

    CalculationInputs in;
    CalculationState state;
    NnCache cache;
};

// ------------------------------------------------------------------------------ DeltaS^m

TEST_F(LoadEffect, DeltaSmOfExponentOneIsTheInputBetweenItsRangeEdges) {
    SetStressRange(Hand(20, 2, {0.125, 0.25, 0.375, 0.25}));
    state.SnCurrent = true;
    ASSERT_TRUE(DeltaSm("1"));
    const StateHistogram& d = state.DeltaSm;
    EXPECT_EQ(d.Bins, 4);
    EXPECT_EQ(d.XFirst, 19.0); // range edges 20 - 2/2 and 26 + 2/2, not class values
    EXPECT_EQ(d.XLast, 27.0);
    EXPECT_EQ(d.Step, 2.0);
    EXPECT_EQ(d.Span, 8.0);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(d.P[i], state.inputs.histogram[1].P[i]) << i;
    EXPECT_NEAR(d.Total, 8 + 4 + 8.0 / 3 + 4, 1e-12); // sum of 1/P by hand
    EXPECT_TRUE(state.DeltaSmReady);
    EXPECT_FALSE(state.SnCurrent);
    EXPECT_EQ(state.HistogramTitle, "DeltaS^m ( m=1 )");
    EXPECT_EQ(state.StepName, "Procedure Vypocet DeltaS^m");
    EXPECT_TRUE(state.Reports.empty());
}

// Class count and range of the powers. Reference values by hand from the range edges a_lo, a_hi:
// lo/hi = a^m (lo = 0 when the range straddles 0 and m is even), W = hi - lo, and
// cnt = N1 when 8 <= W <= 1024, 1024 when W > 2^31 - 1, else N1*m rounded half-even (<= 1024).
TEST_F(LoadEffect, DeltaSmClassCountAndRangeOfThePowers) {
    struct Case {
        const char* name;
        double xFirst, width;
        int bins;
        const char* m;
        double lo;   // lower edge of the powers
        double step; // W / cnt
    } cases[] = {
        {"10..100, m=3, N1*m = 27", 15, 10, 9, "3", 1e3, 999000.0 / 27},
        {"10..100, m=3, N1*m = 1200 capped", 10.1125, 0.225, 400, "3", 1e3, 999000.0 / 1024},
        {"10..100, m=5, W above 2^31-1", 15, 10, 9, "5", 1e5, (1e10 - 1e5) / 1024},
        {"2..10, m=3, W = 992 keeps N1", 2.5, 1, 8, "3", 8, 992.0 / 8},
        {"1..2, m=2, W = 3 below 8", 1.125, 0.25, 4, "2", 1, 3.0 / 8},
        {"1..2, m=2.5, N1*m = 12.5 rounds to 12", 1.1, 0.2, 5, "2.5", 1,
         (std::pow(2.0, 2.5) - 1) / 12},
        {"-2..50, m=2 starts at 0", -1, 2, 26, "2", 0, 2500.0 / 52},
        {"-2..50, m=3 starts at -8", -1, 2, 26, "3", -8, 125008.0 / 78},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        state.Reports.clear();
        const DiscreteHistogram input = Uniform(c.xFirst, c.width, c.bins);
        SetStressRange(input);
        ASSERT_TRUE(DeltaSm(c.m));
        const StateHistogram& d = state.DeltaSm;
        EXPECT_NEAR(d.Step, c.step, 1e-12 * c.step);
        EXPECT_LE(d.Bins, 1024);
        // The lowest ΔS class maps into class 1, so the first class begins at lo.
        EXPECT_NEAR(d.XFirst - d.Step / 2, c.lo,
                    1e-9 * std::max(1.0, std::fabs(c.lo)) + 1e-9 * d.Step);
        EXPECT_NEAR(Sum(d), 1.0, 1e-12);
        // Every lower edge x goes to the class value nearest to x^m: the means differ by at most
        // half a class.
        const double m = std::stod(c.m);
        double expected = 0;
        for (int i = 1; i <= input.Bins; ++i)
            expected += input.P[i] * std::pow(ClassLower(input, i), m);
        EXPECT_NEAR(Mean(d), expected, d.Step / 2 * (1 + 1e-9));
    }
}

// A Normal 30/3 input: its lowest class edge maps onto the lower edge of the powers, an index
// argument of -0.5 on paper that rounding may push just outside.
TEST_F(LoadEffect, DeltaSmOfRealisticNormalInputsSucceeds) {
    for (const char* classes : {"16", "20", "32", "64"}) {
        SCOPED_TRACE(classes);
        SetStressRange(Normal("30", "3", classes));
        ASSERT_TRUE(DeltaSm("3"));
        EXPECT_TRUE(state.Reports.empty());
        EXPECT_NEAR(Sum(state.DeltaSm), 1.0, 1e-12);
        const double lo = std::pow(RangeMin(state.inputs.histogram[1]), 3.0);
        EXPECT_NEAR(RangeMin(state.DeltaSm), lo, 1e-9 * lo);
        EXPECT_EQ(state.DeltaSm.Step, (std::pow(RangeMax(state.inputs.histogram[1]), 3.0) - lo) /
                                          (3 * state.inputs.histogram[1].Bins));
    }
}

// Normalisation: sum 1, Total = sum of 1/P; while Total > 2^63-1 it is divided by 10 and classes
// whose Total*P rounds to 0 are emptied (without a new normalisation).
TEST_F(LoadEffect, DeltaSmNormalisationAndFrequencyTotal) {
    struct Case {
        const char* name;
        std::vector<double> p;
        std::vector<double> expected;
        double total;
    } cases[] = {
        {"two halves stay", {0.5, 0.5}, {0.5, 0.5}, 4},
        {"divided by the sum", {1, 2, 1}, {0.25, 0.5, 0.25}, 4 + 2 + 4},
        // 1/P sums to 2 + 1e19 + 2 > 2^63-1, so Total = 1e18 and 1e18 * 1e-19 = 0.1 rounds to 0.
        {"rare interior class emptied", {0.5, 1e-19, 0.5}, {0.5, 0, 0.5}, 1e18},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetStressRange(Hand(10, 1, c.p));
        ASSERT_TRUE(DeltaSm("1"));
        ASSERT_EQ(state.DeltaSm.Bins, static_cast<int>(c.expected.size()));
        for (int i = 1; i <= state.DeltaSm.Bins; ++i)
            EXPECT_DOUBLE_EQ(state.DeltaSm.P[i], c.expected[i - 1]) << i;
        EXPECT_NEAR(state.DeltaSm.Total, c.total, 1e-12 * c.total);
    }
}

TEST_F(LoadEffect, DeltaSmFailuresKeepThePreviousHistogram) {
    struct Case {
        const char* name;
        DiscreteHistogram input;
        const char* m;
        int message;
        std::string text;
        const char* focus;
        AbortKind kind;
    } cases[] = {
        {"m does not parse", Uniform(15, 10, 9), "3,5", 41, "Number entry is not correct (m=3,5)",
         "EdMocM", AbortKind::Calculation},
        {"empty m", Uniform(15, 10, 9), "", 41, "Number entry is not correct (m=)", "EdMocM",
         AbortKind::Calculation},
        {"real power of a negative edge", Uniform(-1, 2, 26), "2.5", 104,
         "N o n  d e f i n e d  operation in floating decimal point !\r\n\r\n"
         "Procedure Vypocet DeltaS^m",
         "", AbortKind::Calculation},
        // Zero width at 50: range 0 .. 50, one class of width 50; 50^3 lands at 2500.5 classes.
        {"single power outside its range", Hand(50, 0, {1}), "3", 218,
         "Field index is not in range 1 .. 1 n=2501 ! \r\n\r\n\t"
         "Calculation using VypocetDs procedure is not possible to proceed!",
         "", AbortKind::InputPage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = std::make_unique<CalculationState>();
        s->inputs.histogram[1] = c.input;
        s->inputs.ready[1] = true;
        s->DeltaSmReady = true;
        s->DeltaSm.Bins = 7;
        in.m = c.m;
        EXPECT_FALSE(DeltaSmStep(in, *s));
        ASSERT_EQ(s->Reports.size(), 1u);
        EXPECT_EQ(s->Reports[0].message, c.message);
        EXPECT_EQ(s->Reports[0].kind, BoxKind::Error);
        EXPECT_EQ(s->Reports[0].text, c.text);
        EXPECT_EQ(s->Reports[0].focus, c.focus);
        EXPECT_TRUE(s->Abort);
        EXPECT_EQ(s->abortKind, c.kind);
        EXPECT_TRUE(s->DeltaSmReady);
        EXPECT_EQ(s->DeltaSm.Bins, 7);
    }
}

// ------------------------------------------------------------------------------ Nn

TEST_F(LoadEffect, NnOfYearZeroIsTheOneYearInputBetweenItsRangeEdges) {
    SetYearCount(Hand(1000, 100, {0.25, 0.5, 0.25}));
    ASSERT_TRUE(Nn(0));
    const StateHistogram& n = state.Nn;
    EXPECT_EQ(n.Bins, 3);
    EXPECT_EQ(n.XFirst, 950.0);
    EXPECT_EQ(n.XLast, 1250.0);
    EXPECT_EQ(n.Step, 100.0);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(n.P[i], state.inputs.histogram[2].P[i]) << i;
    EXPECT_DOUBLE_EQ(n.Total, 10.0); // 4 + 2 + 4
    EXPECT_TRUE(state.NnReady);
    EXPECT_TRUE(state.NnCurrent);
    EXPECT_EQ(state.HistogramTitle, "Number of oscillation Nn for n=0");
    EXPECT_EQ(state.StepName, "Total number of oscillation of stress peaks Nn per n years");
}

// Year 1 is the sum X1 + X2 of two independent one-year counts (each standing at its class's
// lower edge). Each sum moves to the nearest class value, at most h/2 away, so the mean and the
// standard deviation differ from those of the exact sum (2 E[X], sqrt(2) sd X) by at most h/2.
TEST_F(LoadEffect, NnOfYearOneIsTheSumOfTwoOneYearCounts) {
    const DiscreteHistogram b = Normal("1000000", "100000", "128");
    SetYearCount(b);
    ASSERT_TRUE(Nn(1));
    const StateHistogram& n = state.Nn;
    EXPECT_LE(n.Bins, 256);
    EXPECT_NEAR(Sum(n), 1.0, 1e-12);
    const double meanLower = Mean(b) - b.Step / 2;
    EXPECT_NEAR(Mean(n), 2 * meanLower, n.Step / 2);
    EXPECT_NEAR(StandardDeviation(n), std::sqrt(2.0) * StandardDeviation(b), n.Step / 2);
    EXPECT_LT(n.Step / 2, 0.05 * StandardDeviation(n)); // the bound is tight enough to matter
    EXPECT_EQ(state.HistogramTitle, "Number of oscillation Nn for n=1");
}

// Class count of a pass: (range / width of A) rounded + 1, replaced by 256 outside 4 .. 256; the
// range spans cnt - 4 classes. Below 16 classes the second chain takes over. Worked by hand for
// one-year inputs of width 1 starting at 0 (a single class starts at 100).
TEST_F(LoadEffect, NnPassClassCount) {
    struct Case {
        const char* name;
        DiscreteHistogram b;
        int year;
        double step;
        int bins;     // after trimming; 0: not checked
        double first; // 0: not checked
    } cases[] = {
        // range -1 .. 65 = 66, count 67, width 66/63
        {"32 classes, count in range", Uniform(0.5, 1, 32), 1, 66.0 / 63, 0, 0},
        // range -1 .. 401 = 402, count 403 > 256
        {"200 classes, count above 256", Uniform(0.5, 1, 200), 1, 402.0 / 252, 0, 0},
        // Pass 1 counts 4/1 + 1 = 5 < 16 classes: from there the second chain serves, whose
        // count is raised towards 16 but at most doubled. Pass 1: range 199 .. 203, count 10,
        // width 4/6, and 100 + 100 lands at 199 + 1/3 + 2/3 = 200. Pass 2: range 299 + 1/6 ..
        // 303 + 5/6, 7 + 1 = 8 doubled to 16, width (14/3)/12 = 7/18; 200 + 100 lies 1.64
        // classes above the first class value 299 + 1/6 + 7/36: class 3 at 299 + 41/36.
        {"one class, second chain from pass 1", Hand(100.5, 1, {1}), 2, 7.0 / 18, 1,
         299 + 41.0 / 36},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NnCache fresh;
        state.inputs.histogram[2] = c.b;
        state.inputs.ready[2] = true;
        ASSERT_TRUE(NnStep(c.year, in, state, fresh));
        EXPECT_NEAR(state.Nn.Step, c.step, 1e-12 * c.step);
        EXPECT_LE(state.Nn.Bins, 256);
        if (c.bins) {
            EXPECT_EQ(state.Nn.Bins, c.bins);
        }
        if (c.first) {
            EXPECT_NEAR(state.Nn.XFirst, c.first, 1e-9);
        }
        EXPECT_NEAR(Sum(state.Nn), 1.0, 1e-12);
    }
}

// Continuing the passes of year n for year n + 1 gives exactly what a computation from year 0
// gives, also going back to an earlier year and after the one-year input changed.
TEST_F(LoadEffect, NnCacheContinuationIsBitIdentical) {
    const DiscreteHistogram b = Normal("1000000", "100000", "32");
    const DiscreteHistogram other = Normal("500000", "80000", "20");
    auto fromScratch = [&](const DiscreteHistogram& input, int year) {
        auto s = std::make_unique<CalculationState>();
        s->inputs.histogram[2] = input;
        s->inputs.ready[2] = true;
        NnCache fresh;
        EXPECT_TRUE(NnStep(year, in, *s, fresh));
        return s;
    };
    SetYearCount(b);
    for (int year = 0; year <= 40; ++year) {
        ASSERT_TRUE(Nn(year));
        EXPECT_TRUE(BitIdentical(state.Nn, fromScratch(b, year)->Nn)) << "year " << year;
    }
    EXPECT_EQ(cache.KeptPasses(), 41);
    ASSERT_TRUE(Nn(7));
    EXPECT_TRUE(BitIdentical(state.Nn, fromScratch(b, 7)->Nn));
    SetYearCount(other);
    ASSERT_TRUE(Nn(12));
    EXPECT_TRUE(BitIdentical(state.Nn, fromScratch(other, 12)->Nn));
    EXPECT_EQ(cache.KeptPasses(), 13);
}

TEST_F(LoadEffect, NnFailures) {
    struct Case {
        const char* name;
        DiscreteHistogram b;
        int year;
        int message;
        std::string text;
        const char* focus;
        AbortKind kind;
    } cases[] = {
        {"negative year", Uniform(0.5, 1, 32), -1, 41, "Number entry is not correct (m=-1)",
         "EdRokT", AbortKind::Calculation},
        // Values by Step run to 1023.5 while the edges say -0.5 .. 2.5: pass 1 has 9 classes of
        // width 1.6 from -1.2, and the sum 1637 (i = 616, j = 1024) gives 1023.875 -> 1025.
        {"index above the array",
         [] {
             DiscreteHistogram h = Uniform(0, 1, 1024);
             h.XLast = 2;
             return h;
         }(),
         1, 32,
         "Field index (1025) is not in range 1 .. 1024 n=1 ! \r\n\r\n\t"
         "Calculation using VypocetNt procedure is not possible to proceed!",
         "", AbortKind::InputPage},
        // Edges run downwards while the values run upwards: the width turns negative and the
        // first sum -1 lies at -0.63 classes.
        {"index below 1",
         [] {
             DiscreteHistogram h = Uniform(0, 1, 200);
             h.XLast = -1000;
             return h;
         }(),
         1, 32,
         "Field index (0) is not in range 1 .. 1024 n=1 ! \r\n\r\n\t"
         "Calculation using VypocetNt procedure is not possible to proceed!",
         "", AbortKind::InputPage},
        {"no width", Hand(100, 0, {1}), 1, 104,
         "N o n  d e f i n e d  operation in floating decimal point !\r\n\r\n"
         "Total number of oscillation of stress peaks Nn per n years",
         "", AbortKind::Calculation},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = std::make_unique<CalculationState>();
        s->inputs.histogram[2] = c.b;
        s->inputs.ready[2] = true;
        s->Nn.Bins = 7;
        NnCache fresh;
        EXPECT_FALSE(NnStep(c.year, in, *s, fresh));
        ASSERT_EQ(s->Reports.size(), 1u);
        EXPECT_EQ(s->Reports[0].message, c.message);
        EXPECT_EQ(s->Reports[0].text, c.text);
        EXPECT_EQ(s->Reports[0].focus, c.focus);
        EXPECT_EQ(s->abortKind, c.kind);
        EXPECT_TRUE(s->Abort);
        EXPECT_FALSE(s->NnReady);
        EXPECT_EQ(s->Nn.Bins, 7);
    }
}

// ------------------------------------------------------------------------------ Sn

// DeltaS^m classes 1 and 2 (0.25, 0.75) times one Nn class at 10. Edges 0.5 .. 2.5 and 5 .. 15:
// products 2.5 .. 37.5, count 35/10 = 3.5 -> 4, + 1 = 5, width 35/4 = 8.75, first value 6.875.
// 10 and 20 lie at 0.36 and 1.5 classes: classes 1 and 3; class 2 stays empty, 4 and 5 trimmed.
TEST_F(LoadEffect, SnScaledByC) {
    struct Case {
        const char* C;
        std::vector<double> p;
        double first, last, step;
    } cases[] = {
        {"1", {0.25, 0, 0.75}, 6.875, 24.375, 8.75},
        {"-2", {0.75, 0, 0.25}, -48.75, -13.75, 17.5},          // reversed, XFirst < XLast
        {"0", {0.25, 0, 0.75}, 0, 0, 0},                        // every value 0
        {"2.5E-1x", {0.25, 0, 0.75}, 1.71875, 6.09375, 2.1875}, // read up to the bad character
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.C);
        state.DeltaSm = HandState(1, 1, {0.25, 0.75});
        state.Nn = HandState(10, 10, {1});
        state.DeltaSmReady = state.NnReady = true;
        state.currentYear = 7;
        in.C = c.C;
        ASSERT_TRUE(SnStep(in, state));
        const StateHistogram& sn = state.Sn;
        ASSERT_EQ(sn.Bins, 3);
        for (int i = 1; i <= 3; ++i)
            EXPECT_EQ(sn.P[i], c.p[i - 1]) << i;
        EXPECT_DOUBLE_EQ(sn.XFirst, c.first);
        EXPECT_DOUBLE_EQ(sn.XLast, c.last);
        EXPECT_DOUBLE_EQ(sn.Step, c.step);
        EXPECT_DOUBLE_EQ(sn.Span, c.last - c.first);
        EXPECT_EQ(sn.Total, 4.0); // 1 / 0.25
        EXPECT_TRUE(state.SnReady);
        EXPECT_TRUE(state.SnCurrent);
        EXPECT_EQ(state.HistogramTitle, std::string("C*DeltaS^m*Nn  ( C=") + c.C + ", m=3, n=7 )");
    }
}

// E[C * X * Y] = C * E[X] * E[Y] for independent X, Y; each product moves to the nearest class
// value, so the mean of Sn is within half a class of it. E[X] = 140 and E[Y] = 1110 by hand.
TEST_F(LoadEffect, SnMeanIsCTimesTheMeans) {
    for (const char* C : {"2.5", "-2.5"}) {
        SCOPED_TRACE(C);
        state.DeltaSm = HandState(100, 20, {0.1, 0.2, 0.3, 0.4});
        state.Nn = HandState(1000, 100, {0.2, 0.5, 0.3});
        state.DeltaSmReady = state.NnReady = true;
        in.C = C;
        ASSERT_TRUE(SnStep(in, state));
        EXPECT_LT(state.Sn.XFirst, state.Sn.XLast);
        EXPECT_NEAR(Sum(state.Sn), 1.0, 1e-12);
        EXPECT_NEAR(Mean(state.Sn), std::stod(C) * 140 * 1110, state.Sn.Step / 2);
        EXPECT_LT(state.Sn.Step / 2, 0.01 * 2.5 * 140 * 1110);
    }
}

TEST_F(LoadEffect, SnFailures) {
    struct Case {
        const char* name;
        bool deltaReady, nnReady;
        StateHistogram delta, nn;
        int message;
        std::string text;
        AbortKind kind;
    } cases[] = {
        {"Nn missing", true, false, HandState(1, 1, {1}), HandState(1, 1, {1}), 48,
         "Histogram Nn was not calculated!", AbortKind::Calculation},
        {"both missing", false, false, HandState(1, 1, {1}), HandState(1, 1, {1}), 48,
         "Histogram Nn was not calculated!", AbortKind::Calculation},
        {"DeltaS^m missing", false, true, HandState(1, 1, {1}), HandState(1, 1, {1}), 39,
         "Histogram DeltaS was not calculated!", AbortKind::Calculation},
        // Edges -0.5 .. 0.5 both: products -0.25 .. 0.25, count 0.5 -> 0 (half to even), + 1 = 1.
        {"class count 1", true, true, HandState(0, 1, {1}), HandState(0, 1, {1}), 101,
         "D i v i s i o n  by zero !\r\n\r\nCumulated effect of Loads Sn = C * ( DeltaS^m ) * Nn",
         AbortKind::Calculation},
        // DeltaS^m says its classes end at 1 but holds five: 3 classes of width 1 from 0.75, and
        // the value 4 lands in class 4.
        {"product outside the range", true, true,
         [] {
             StateHistogram h = HandState(1, 1, {0.2, 0.2, 0.2, 0.2, 0.2});
             h.XLast = 1;
             return h;
         }(),
         HandState(1, 1, {1}), 32,
         "Field index (4) is not in range 1 .. 3! Calculation using VypocetDsNt procedure is not "
         "possible to proceed!",
         AbortKind::InputPage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = std::make_unique<CalculationState>();
        s->DeltaSm = c.delta;
        s->Nn = c.nn;
        s->DeltaSmReady = c.deltaReady;
        s->NnReady = c.nnReady;
        s->Sn.Bins = 7;
        EXPECT_FALSE(SnStep(in, *s));
        ASSERT_EQ(s->Reports.size(), 1u);
        EXPECT_EQ(s->Reports[0].message, c.message);
        EXPECT_EQ(s->Reports[0].text, c.text);
        EXPECT_EQ(s->abortKind, c.kind);
        EXPECT_TRUE(s->Abort);
        EXPECT_FALSE(s->SnReady);
        EXPECT_EQ(s->Sn.Bins, 7);
    }
}

} // namespace
} // namespace tessavin
