#include "calculation/class_index.h"

#include <cfenv>
#include <cmath>
#include <limits>
#include <random>

#include <gtest/gtest.h>

namespace tessavin {
namespace {

// Wherever the product decides, it gives the whole number the division gives (checked on widths
// from 1e-290 to 1e290 and arguments around every half-integer below 2048); within 1e-12 of a
// half-integer, ties included, it leaves the rounding to the division, and farther it decides.
TEST(IndexDivisor, RoundsAsTheDivisionOrLeavesItToTheDivision) {
    std::mt19937_64 random(12345);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    struct Offset {
        double value;
        int decides; // 1: the product must decide, 0: it must not, -1: either
    };
    for (double h : {1.0, 0.1, 1.0 / 3, 7.0 / 18, 2.5e-7, 3.7e5, 1e-290, 1e290}) {
        SCOPED_TRACE(h);
        const IndexDivisor divisor(h);
        for (int k = -3; k < 2047; ++k) {
            const Offset offsets[] = {{0.0, 1},          {0.5 - 1e-11, 1}, {0.5 + 1e-11, 1},
                                      {0.5, 0},          {0.5 - 1e-13, 0}, {0.5 + 1e-13, 0},
                                      {unit(random), -1}};
            for (const Offset& o : offsets) {
                const double num = (k + o.value) * h;
                double r;
                const bool decided = divisor.Rounded(num, r);
                if (o.decides >= 0 && std::fabs(k + o.value) < 2046) {
                    EXPECT_EQ(decided, o.decides == 1) << k << " + " << o.value;
                }
                if (decided) {
                    ASSERT_EQ(r, std::nearbyint(num / h)) << k << " + " << o.value;
                }
            }
        }
    }
}

TEST(IndexDivisor, ExtremesAreLeftToTheDivisionAndRaiseNoFlag) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double h : {0.0, -0.0, 1e-310, 1e305, inf, nan}) {
        SCOPED_TRACE(h);
        std::feclearexcept(FE_ALL_EXCEPT);
        const IndexDivisor divisor(h);
        double r;
        EXPECT_FALSE(divisor.Rounded(1.0, r));
        EXPECT_FALSE(std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW));
    }
    const IndexDivisor divisor(1.0);
    double r;
    for (double num : {4096.0, -4096.0, inf, 1e308}) {
        std::feclearexcept(FE_ALL_EXCEPT);
        EXPECT_FALSE(divisor.Rounded(num, r)) << num;
        EXPECT_FALSE(std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID)) << num;
    }
    EXPECT_TRUE(divisor.RoundsBelow(2.4, 3));
    EXPECT_FALSE(divisor.RoundsBelow(2.6, 3));
    EXPECT_FALSE(divisor.RoundsBelow(-0.6, 3));
    EXPECT_TRUE(divisor.RoundsBelow(-0.4, 3));
}

} // namespace
} // namespace tessavin
