#include "calculation/resistance_histograms.h"

#include <cmath>
#include <cstring>

#include <gtest/gtest.h>

#include "../test_histograms.h"

namespace tessavin {
namespace {

// The default inputs of the input page, with fewer classes to keep the test quick.
void SetDefaultInputs(CalculationState& s) {
    s.inputs.histogram[3] = test::ParametricInput(1, "280", "28", "12");
    s.inputs.histogram[4] = test::ParametricInput(0, "200", "20", "12");
    s.inputs.histogram[5] = test::ParametricInput(1, "0.2", "0.05", "12");
    s.inputs.histogram[6] = test::ParametricInput(0, "10", "0.6", "12");
    for (int k = 3; k <= 6; ++k)
        s.inputs.ready[k] = true;
}

TEST(ResistanceHistograms, BitIdenticalForAnyThreadCount) {
    for (int origin : {0, 1}) {
        CalculationInputs in;
        in.crackOrigin = origin;
        CalculationState one, two;
        SetDefaultInputs(one);
        SetDefaultInputs(two);
        ASSERT_TRUE(ResVypJevuF(in, one, {1, {}}).ok);
        ASSERT_TRUE(ResVypJevuF(in, two, {2, {}}).ok);
        ASSERT_TRUE(ResVypJevuU(in, one, {1, {}}).ok);
        ASSERT_TRUE(ResVypJevuU(in, two, {2, {}}).ok);
        for (auto [a, b] : {std::pair{&one.Raac, &two.Raac}, std::pair{&one.Rad, &two.Rad}}) {
            EXPECT_EQ(a->Bins, b->Bins);
            EXPECT_EQ(std::memcmp(a->P.data(), b->P.data(), sizeof(ClassArray)), 0);
            EXPECT_EQ(a->XFirst, b->XFirst);
            long double sum = 0;
            for (int i = 1; i <= a->Bins; ++i)
                sum += a->P[i];
            EXPECT_NEAR(static_cast<double>(sum), 1.0, 1e-12);
            EXPECT_LE(a->Bins, ResistanceBins);
        }
        EXPECT_TRUE(one.RadReady && one.RaacReady);
    }
}

TEST(ResistanceHistograms, PreChecksNameTheMissingInput) {
    CalculationInputs in;
    CalculationState s;
    SetDefaultInputs(s);
    s.inputs.ready[6] = false;
    EXPECT_FALSE(ResVypJevuU(in, s).ok);
    ASSERT_EQ(s.Reports.size(), 1u);
    EXPECT_EQ(s.Reports[0].message, 225);
    EXPECT_EQ(s.Reports[0].focus, "CBNejRozZad");
    EXPECT_TRUE(s.Abort);

    CalculationState t;
    SetDefaultInputs(t);
    in.m = "0";
    EXPECT_FALSE(ResVypJevuF(in, t).ok);
    ASSERT_EQ(t.Reports.size(), 1u);
    EXPECT_EQ(t.Reports[0].text, "Number entry is not correct (m=0)");
}

// The interrupt is seen inside the first a0 class already, on the scalar path and on the lanes.
TEST(ResistanceHistograms, InterruptEndsTheStepWithoutMessage) {
    for (int method : {0, 4}) {
        CalculationInputs in;
        in.integration.method = method;
        CalculationState s;
        SetDefaultInputs(s);
        s.Interrupt = true;
        EXPECT_FALSE(ResVypJevuF(in, s, {1, {}}).ok);
        EXPECT_TRUE(s.Abort);
        EXPECT_FALSE(s.Interrupt);
        EXPECT_FALSE(s.RaacReady);
        EXPECT_TRUE(s.Reports.empty());
    }
}

TEST(ResistanceHistograms, ThirdRangeValueAndTimeText) {
    DiscreteHistogram h;
    h.XFirst = -2;
    h.Step = 1;
    h.Bins = 6;
    h.XLast = 3;
    double v = 99;
    ASSERT_TRUE(ThirdRangeValue(h, v));
    EXPECT_EQ(v, 0.0);
    h.XFirst = 0.5;
    EXPECT_FALSE(ThirdRangeValue(h, v));
    EXPECT_EQ(TimeText(3723000), "1:02:03");
    EXPECT_EQ(TimeText(90000000), "25:00:00");
}

} // namespace
} // namespace tessavin
