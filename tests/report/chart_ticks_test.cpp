// The axis ticks: round numbers that cover the data, and their texts.
#include <gtest/gtest.h>

#include <cmath>

#include "chart_writer.h"

namespace tessavin::report {
namespace {

TEST(ChartTicks, AreRoundStepsCoveringTheRange) {
    struct Case {
        double lo, hi;
        int maxTicks;
        double step; // by hand: the smallest 1, 2 or 5 × 10^k at least (hi − lo) / maxTicks
    };
    const Case cases[] = {
        {0.0, 1.0, 5, 0.2},   {0.0, 150.0, 6, 50.0},  {-0.0075, 1.0, 5, 0.5}, {20.0, 40.0, 4, 5.0},
        {5e5, 1.5e6, 4, 5e5}, {0.0, 0.0404, 5, 0.01}, {1e-9, 3e-9, 2, 1e-9},
    };
    for (const Case& c : cases) {
        const auto ticks = NiceTicks(c.lo, c.hi, c.maxTicks);
        ASSERT_GE(ticks.size(), 2u) << c.lo << " " << c.hi;
        EXPECT_LE(static_cast<int>(ticks.size()), c.maxTicks + 1) << c.lo << " " << c.hi;
        for (std::size_t i = 1; i < ticks.size(); ++i)
            EXPECT_NEAR(ticks[i] - ticks[i - 1], c.step, c.step * 1e-9) << c.lo << " " << c.hi;
        EXPECT_GE(ticks.front(), c.lo - c.step * 1e-9);
        EXPECT_LT(ticks.front() - c.step, c.lo);
        EXPECT_LE(ticks.back(), c.hi + c.step * 1e-9);
        EXPECT_GT(ticks.back() + c.step, c.hi);
    }
}

TEST(ChartTicks, TextsAreShortAndTheLogAxisNamesItsDecades) {
    EXPECT_EQ(TickText(0.0, false), "0");
    EXPECT_EQ(TickText(0.02, false), "0.02");
    EXPECT_EQ(TickText(150.0, false), "150");
    EXPECT_EQ(TickText(1e-5, false), "1E-5");
    EXPECT_EQ(TickText(1.5e6, false), "1.5E+6");
    EXPECT_EQ(TickText(0.0, true), "1");
    EXPECT_EQ(TickText(-1.0, true), "1E-1");
    EXPECT_EQ(TickText(LowestDecade, true), "1E-6");
}

} // namespace
} // namespace tessavin::report
