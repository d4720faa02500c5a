#include "calculation/reliability.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../test_histograms.h"

#include "localisation/language.h"

namespace tessavin {
namespace {

const auto Hand = &test::Hand<StateHistogram>;

double Sum(const DiscreteHistogram& h) {
    return static_cast<double>(ProbabilitySum(h));
}

double Mean(const DiscreteHistogram& h) {
    long double s = 0;
    for (int i = 1; i <= h.Bins; ++i)
        s += h.P[i] * ClassValue(h, i);
    return static_cast<double>(s);
}

class ReliabilityTest : public ::testing::Test {
  protected:
    void SetUp() override { SetLanguage(Language::English); }
    std::unique_ptr<CalculationState> state = std::make_unique<CalculationState>();
    CalculationInputs in;
};

TEST(ProbabilityBelowZero, SpreadsEachClassUniformly) {
    struct Case {
        const char* what;
        double xFirst, step;
        std::vector<double> p;
        double expected; // hand: sum of P[i] * clamp(-lower edge / Step, 0, 1)
    };
    const Case cases[] = {
        // edges -1.75, -0.75, 0.25: 0.2 + 0.3 * 0.75 (the last class lies above zero)
        {"last class above zero", -1.25, 1, {0.2, 0.3, 0.5}, 0.425},
        // edges -1.75, -0.75, 0.25, 1.25: 0.1 + 0.2 * 0.75
        {"zero inside class 2", -1.25, 1, {0.1, 0.2, 0.3, 0.4}, 0.25},
        // edges -2.75, -1.75, -0.75, 0.25: 0.1 + 0.2 + 0.3 * 0.75
        {"zero inside class 3 of 4", -2.25, 1, {0.1, 0.2, 0.3, 0.4}, 0.525},
        // edges -1, 1: half of the first class
        {"zero at a class centre", 0, 2, {0.5, 0.5}, 0.25},
        // first lower edge exactly 0
        {"wholly at or above zero", 0.5, 1, {0.3, 0.3, 0.4}, 0.0},
        // last upper edge -0.5
        {"wholly below zero", -3, 1, {0.3, 0.3, 0.4}, 1.0},
        // last upper edge exactly 0
        {"upper edge at zero", -2.5, 1, {0.5, 0.5}, 1.0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(ProbabilityBelowZero(Hand(c.xFirst, c.step, c.p)), c.expected, 1e-15) << c.what;
    }
}

TEST_F(ReliabilityTest, DifferenceOfTwoHandHistograms) {
    // R: 10, 12 with 0.5 each; Sn: 1, 2, 3 with 0.2, 0.5, 0.3.
    // Differences (hand): 7: 0.15, 8: 0.25, 9: 0.1 + 0.15, 10: 0.25, 11: 0.1; mean 11 - 2.1 = 8.9.
    const StateHistogram R = Hand(10, 2, {0.5, 0.5});
    const StateHistogram S = Hand(1, 1, {0.2, 0.5, 0.3});
    StateHistogram D;
    ASSERT_TRUE(DifferenceHistogram(R, S, 0, *state, D));

    // Range 5.5 .. 12.5 in 256 classes: h = 7/255. 7 falls into class 55 (argument 1.5/h - 0.5
    // = 54.14), 11 into class 201 (5.5/h - 0.5 = 199.86), so 147 classes stay.
    const double h = 7.0 / 255;
    EXPECT_NEAR(D.Step, h, 1e-15);
    EXPECT_EQ(D.Bins, 147);
    EXPECT_NEAR(D.XFirst, 5.5 + 54.5 * h, 1e-12);
    EXPECT_NEAR(D.XLast, 5.5 + 200.5 * h, 1e-12);
    EXPECT_NEAR(Sum(D), 1.0, 1e-15);
    // Each difference sits at most half a class from its class value.
    EXPECT_NEAR(Mean(D), 8.9, h / 2);
    // Total = 1/0.15 + 3 * 1/0.25 + 1/0.1
    EXPECT_NEAR(D.Total, 1 / 0.15 + 12 + 10, 1e-9);
    EXPECT_EQ(state->StepName, "Reliability function U ( RF = Rad - Sn ) (the edge)");
    EXPECT_TRUE(state->Reports.empty());
}

TEST_F(ReliabilityTest, CentreSharesEachDifferenceBetweenItsTwoClasses) {
    // The hand histograms above: the shares keep the mean 8.9 to rounding, and 7 (argument
    // 54.14 from class 1) gives 0.86 of its 0.15 to class 55 and 0.14 to class 56.
    const StateHistogram R = Hand(10, 2, {0.5, 0.5});
    const StateHistogram S = Hand(1, 1, {0.2, 0.5, 0.3});
    StateHistogram D;
    ASSERT_TRUE(DifferenceHistogram(R, S, 0, *state, D, Convention::Centre));
    const double h = 7.0 / 255;
    EXPECT_NEAR(Sum(D), 1.0, 1e-15);
    EXPECT_NEAR(Mean(D), 8.9, 1e-12);
    const double q = (7 - (5.5 + h / 2)) / h;
    EXPECT_NEAR(D.XFirst, 5.5 + 54.5 * h, 1e-12); // class 55 is the first kept
    EXPECT_NEAR(D.P[1], 0.15 * (55 - q), 1e-12);
    EXPECT_NEAR(D.P[2], 0.15 * (q - 54), 1e-12);
    EXPECT_TRUE(state->Reports.empty());
}

TEST_F(ReliabilityTest, ClassBelowTheRangeFailsAndKeepsTheResult) {
    // An Sn record whose XLast (0) lags its classes 0, 1, 2: the range starts at
    // 10 - 0 - 1 = 9 with h = 2/255, and 10 - 2 = 8 lands at argument
    // (8 - 9 - h/2)/h = -128, class -127.
    state->Rad = Hand(10, 1, {1.0});
    state->Sn = Hand(0, 1, {0.2, 0.3, 0.5});
    state->Sn.XLast = 0;
    state->SnCurrent = true;
    state->RadReady = true;
    state->Interrupt = true;
    const StateHistogram before = state->RfU;

    EXPECT_FALSE(UStep(7, in, *state));

    ASSERT_EQ(state->Reports.size(), 1u);
    const Failure& f = state->Reports[0];
    EXPECT_EQ(f.message, 218);
    EXPECT_EQ(f.text, "Reliability function U ( RF = Rad - Sn ) (the edge)\r\n\r\n"
                      "Field index is not in range 1 .. 256 n=-127 ! \r\n\r\n\t"
                      "Calculation  is impossible!");
    EXPECT_TRUE(state->Abort);
    EXPECT_EQ(state->abortKind, AbortKind::Calculation);
    EXPECT_FALSE(state->Interrupt);
    EXPECT_FALSE(state->RfUReady);
    EXPECT_EQ(state->RfU.Bins, before.Bins);
    EXPECT_EQ(state->Event(1, 1, 7), 0.0);
}

TEST_F(ReliabilityTest, DegenerateRangeIsANumericalFailure) {
    // Two one-class histograms of zero width: the range has no width, 0/0 in the class index.
    state->Rad = Hand(5, 0, {1.0});
    state->Sn = Hand(2, 0, {1.0});
    state->SnCurrent = true;
    state->RadReady = true;
    in.crackOrigin = 1;
    EXPECT_FALSE(UStep(0, in, *state));
    ASSERT_EQ(state->Reports.size(), 1u);
    EXPECT_EQ(state->Reports[0].message, 104);
    EXPECT_EQ(state->Reports[0].text,
              "N o n  d e f i n e d  operation in floating decimal point !\r\n\r\n"
              "Reliability function U ( RF = Rad - Sn ) (the surface)");
    EXPECT_EQ(state->abortKind, AbortKind::Calculation);
    EXPECT_FALSE(state->RfUReady);
}

TEST_F(ReliabilityTest, MissingOperandsAreReported) {
    struct Case {
        bool f; // F step, else U step
        bool sn, rad, raac;
        int message;
        const char* text;
    };
    const Case cases[] = {
        {false, false, true, true, 229,
         "Histogram \"Cumulated effect of Loads Sn\" was not specified!"},
        {false, true, false, true, 230, "Histogram \"Resistance Rad\" was not specified!"},
        {true, false, true, true, 229,
         "Histogram \"Cumulated effect of Loads Sn\" was not specified!"},
        {true, true, true, false, 231, "Histogram \"Resistance Raac\" was not specified!"},
    };
    for (const Case& c : cases) {
        auto s = std::make_unique<CalculationState>();
        s->SnCurrent = c.sn;
        s->RadReady = c.rad;
        s->RaacReady = c.raac;
        s->Sn = Hand(1, 1, {1.0});
        s->Rad = s->Raac = Hand(5, 1, {1.0});
        const bool ok = c.f ? FStep(3, in, *s) : UStep(3, in, *s);
        EXPECT_FALSE(ok) << c.message;
        ASSERT_EQ(s->Reports.size(), 1u) << c.message;
        EXPECT_EQ(s->Reports[0].message, c.message);
        EXPECT_EQ(s->Reports[0].text, c.text);
        EXPECT_TRUE(s->Abort);
        EXPECT_EQ(s->abortKind, AbortKind::Calculation);
        EXPECT_FALSE(s->RfUReady || s->RfFReady);
        for (int row = 1; row <= 3; ++row)
            EXPECT_EQ(s->Event(1, row, 3), 0.0);
    }
}

TEST_F(ReliabilityTest, UAndFStepsStoreTheThreeProbabilities) {
    // Sn: 1, 2, 3 with 0.2, 0.5, 0.3. Every difference below lies at least 0.5 from zero,
    // farther than half a class, so P(D < 0) is the probability of a negative difference.
    state->Sn = Hand(1, 1, {0.2, 0.5, 0.3});
    // Rad 1.5, 3.5 (0.5 each): 1.5 - 2 and 1.5 - 3 are negative: 0.5 * 0.8 = 0.4, pU = 0.6.
    state->Rad = Hand(1.5, 2, {0.5, 0.5});
    // Raac 2.5, 5.5 (0.5 each): only 2.5 - 3 is negative: 0.5 * 0.3 = 0.15 = pF.
    state->Raac = Hand(2.5, 3, {0.5, 0.5});
    state->SnCurrent = state->RadReady = state->RaacReady = true;

    ASSERT_TRUE(UStep(12, in, *state));
    ASSERT_TRUE(FStep(12, in, *state));
    EXPECT_TRUE(state->RfUReady);
    EXPECT_TRUE(state->RfFReady);
    EXPECT_NEAR(state->Event(1, 1, 12), 0.6, 1e-12);
    EXPECT_NEAR(state->Event(1, 3, 12), 0.15, 1e-12);
    EXPECT_NEAR(state->Event(1, 2, 12), 0.25, 1e-12); // 1 - 0.6 - 0.15
    EXPECT_EQ(state->StepName, "Reliability function U ( RF = Rad - Sn ) (the edge)");
    // Other years untouched.
    EXPECT_EQ(state->Event(1, 1, 11), 0.0);
}

TEST_F(ReliabilityTest, FStepLeavesPdWhenAbortIsSet) {
    state->Sn = Hand(1, 1, {0.2, 0.5, 0.3});
    state->Raac = Hand(2.5, 3, {0.5, 0.5});
    state->SnCurrent = state->RaacReady = true;
    state->Abort = true; // left from a failed calculation
    ASSERT_TRUE(FStep(4, in, *state));
    EXPECT_NEAR(state->Event(1, 3, 4), 0.15, 1e-12);
    EXPECT_EQ(state->Event(1, 2, 4), 0.0);
}

TEST(Saturation, SingleYearRule) {
    struct Case {
        double pU, pD, pF;
        bool saturates;
    };
    const Case cases[] = {
        {0.9995, -0.5995, 0.6, true},    // pU > 0.999 and pF > 0.5
        {0.5 + 1e-9, -1e-9, 0.5, false}, // negative pD alone does not saturate
        {0.01, -1e-9, 0.995, true},      // negative pD with pF > 0.99
        {0.0, 0.01, 0.99, false},        // pF = 0.99 is not above 0.99, pD not negative
        {0.999, 0.0, 0.6, false},        // pU = 0.999 is not above 0.999
        {0.9995, 0.0005, 0.5, false},    // pF = 0.5 is not above 0.5
    };
    for (const Case& c : cases) {
        auto state = std::make_unique<CalculationState>();
        state->Event(1, 1, 20) = c.pU;
        state->Event(1, 2, 20) = c.pD;
        state->Event(1, 3, 20) = c.pF;
        bool saturated = false;
        ApplySaturation(20, saturated, *state);
        EXPECT_EQ(saturated, c.saturates) << c.pU << " " << c.pD << " " << c.pF;
        const double expected[3] = {c.saturates ? 0.0 : c.pU, c.saturates ? 0.0 : c.pD,
                                    c.saturates ? 1.0 : c.pF};
        for (int row = 1; row <= 3; ++row)
            EXPECT_EQ(state->Event(1, row, 20), expected[row - 1]);
    }
}

TEST(Saturation, StaysSetForEveryLaterYear) {
    auto state = std::make_unique<CalculationState>();
    // year: pU, pD, pF; year 2 saturates, year 3 would not on its own.
    const double rows[4][3] = {
        {1, 0, 0}, {0.99, 0.005, 0.005}, {0.9995, -0.5995, 0.6}, {0.3, 0.3, 0.4}};
    bool saturated = false;
    for (int y = 0; y < 4; ++y) {
        for (int row = 1; row <= 3; ++row)
            state->Event(1, row, y) = rows[y][row - 1];
        ApplySaturation(y, saturated, *state);
    }
    EXPECT_TRUE(saturated);
    EXPECT_EQ(state->Event(1, 1, 1), 0.99);
    EXPECT_EQ(state->Event(1, 3, 1), 0.005);
    for (int y = 2; y < 4; ++y) {
        EXPECT_EQ(state->Event(1, 1, y), 0.0) << y;
        EXPECT_EQ(state->Event(1, 2, y), 0.0) << y;
        EXPECT_EQ(state->Event(1, 3, y), 1.0) << y;
    }
}

} // namespace
} // namespace tessavin
