#include "calculation/class_index.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "test_simd_levels.h"

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
                double r = 0.0;
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

// The classes of a row, on two lanes or on each wider kernel with a scalar tail, are those
// Rounded gives one by one; a row with one argument the product does not decide, or one below class
// 1 or beyond the limit, is not decided at all, and deciding raises no flag.
TEST(IndexDivisor, RowOfClassesAgreesWithRoundedOneByOne) {
    const double inf = std::numeric_limits<double>::infinity();
    const double h = 7.0 / 255;
    const IndexDivisor divisor(h);
    constexpr int upper = 256;
    auto expected = [&](const std::vector<double>& num, std::vector<int>& t) {
        for (std::size_t i = 0; i < num.size(); ++i) {
            double r = 0;
            if (!divisor.Rounded(num[i], r) || r < 0) return false;
            t[i] = static_cast<int>(std::min(r + 1, 1.0 * upper));
        }
        return true;
    };
    struct Case {
        const char* what;
        std::vector<double> quotients; // num / h
        bool decided;
    };
    const Case cases[] = {
        {"even count, capped at the last class", {300.2, 255.4, 120.6, 3.1, 0.2, -0.3}, true},
        {"odd count: the last one on the scalar path", {10.2, 9.7, 9.4, 8.8, 1.1}, true},
        {"a tie in the lanes", {10.2, 9.5, 8.1, 7.3}, false},
        {"a tie in the tail", {10.2, 9.6, 8.5}, false},
        {"below class 1", {3.2, -0.7}, false},
        {"beyond the limit", {3000.0, 2.2}, false},
        {"infinite", {2.2, inf}, false},
        {"a single argument", {4.4}, true},
    };
    // Every path this processor runs: two lanes, and each wider kernel.
    using Path = std::function<bool(const double*, int, int*)>;
    std::vector<std::pair<const char*, Path>> paths{{"SSE2", [&](const double* b, int n, int* t) {
                                                         return divisor.RoundedClassesSse2(
                                                             0.0, b, 0.0, n, upper, t);
                                                     }}};
    const std::vector<SimdLevel> levels = SimdLevelsHere();
    const std::pair<SimdLevel, ClassRowKernel> kernels[] = {
        {SimdLevel::Avx2, ClassRowKernelAvx2()}, {SimdLevel::Avx512, ClassRowKernelAvx512()}};
    for (const auto& [level, kernel] : kernels)
        if (kernel != nullptr && std::count(levels.begin(), levels.end(), level) > 0)
            paths.push_back({level == SimdLevel::Avx2 ? "AVX2" : "AVX-512",
                             [&, kernel](const double* b, int n, int* t) {
                                 return kernel(divisor.RowJob(), 0.0, b, 0.0, n, upper, t);
                             }});
    for (const auto& [name, path] : paths)
        for (const Case& c : cases)
            // Decided arguments ahead of the case's move them through every lane and the tail.
            for (int lead : {0, 3, 8, 13}) {
                SCOPED_TRACE(std::string(name) + ", " + c.what + ", after " + std::to_string(lead));
                // num = (a - b[i]) - c with a = c = 0.
                std::vector<double> b, num;
                for (int i = 0; i < lead; ++i) {
                    num.push_back((40.2 + i) * h);
                    b.push_back(-num.back());
                }
                for (double q : c.quotients) {
                    num.push_back(q * h);
                    b.push_back(-q * h);
                }
                std::vector<int> t(num.size()), want(num.size());
                std::feclearexcept(FE_ALL_EXCEPT);
                const bool decided = path(b.data(), static_cast<int>(b.size()), t.data());
                EXPECT_FALSE(std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID));
                EXPECT_EQ(decided, c.decided);
                EXPECT_EQ(expected(num, want), c.decided);
                if (decided) {
                    EXPECT_EQ(t, want);
                }
            }
}

} // namespace
} // namespace tessavin
