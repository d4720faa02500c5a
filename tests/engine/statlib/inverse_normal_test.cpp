// Φ⁻¹ against references of 22 digits, by region: the deep lower tail, the lower tail, the centre
// and the upper tail up to the last doubles below 1.
#include "statlib/inverse_normal.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

#include <gtest/gtest.h>

namespace tessavin {
namespace {

struct Reference {
    double p;
    double x; // Φ⁻¹(p) of the double p, rounded to the nearest double
};

// Computed with mpmath 1.3 at 80 digits: the root of log ncdf(x) = log min(p, 1 − p) by
// findroot (1 − p formed exactly from the double p; the logarithm keeps the deep tail's
// residuals above the root finder's tolerance), checked by ncdf(x)/q − 1 < 1e-40, negated
// above 1/2.
constexpr Reference DeepTail[] = {
    {5e-324, -38.467405617144344}, {1e-300, -37.0470962993612},  {1e-200, -30.20559417957964},
    {1e-100, -21.273453560965326}, {1e-50, -14.933337534788489}, {1e-20, -9.262340089798407},
};
constexpr Reference LowerTail[] = {
    {1e-10, -6.361340902404057},   {1e-5, -4.264890793922825},  {0.001, -3.0902323061678136},
    {0.02275, -2.000002443899604}, {0.0751, -1.43882539275254}, {0.075, -1.439531470938456},
};
constexpr Reference Centre[] = {
    {0.1, -1.2815515655446004},        {0.25, -0.6744897501960817},
    {0.4999, -0.00025066283008800747}, {0.5000001, 2.506628273311648e-07},
    {0.75, 0.6744897501960817},        {0.9, 1.2815515655446006},
    {0.924, 1.4325027208258119},
};
constexpr Reference UpperTail[] = {
    {0.926, 1.4466320671589787},       {0.975, 1.9599639845400538},
    {0.999, 3.090232306167813},        {0.999999, 4.753424308817087},
    {0.9999999999, 6.361340889697422}, {0.99999999999999989, 8.209536151601387},
};

// Worst error in units of the last place of the reference.
double WorstUlps(std::span<const Reference> table) {
    double worst = 0.0;
    for (const Reference& r : table) {
        const double ulp = std::nextafter(std::fabs(r.x), INFINITY) - std::fabs(r.x);
        worst = std::max(worst, std::fabs(InverseNormal(r.p) - r.x) / ulp);
    }
    return worst;
}

TEST(InverseNormal, AgreesWithHighPrecisionReferencesToAFewUlps) {
    // Tolerance: two units in the last place (relative 4.5e-16 or less) in every region.
    EXPECT_LE(WorstUlps(DeepTail), 2.0);
    EXPECT_LE(WorstUlps(LowerTail), 2.0);
    EXPECT_LE(WorstUlps(Centre), 2.0);
    EXPECT_LE(WorstUlps(UpperTail), 2.0);
    // The closed values as printed to 16 digits in the usual tables.
    EXPECT_NEAR(InverseNormal(0.975) / 1.959963984540054, 1.0, 1e-15);
    EXPECT_NEAR(InverseNormal(1e-10) / -6.361340902404056, 1.0, 1e-15);
}

TEST(InverseNormal, EndsAreInfiniteAndOutsideIsNotANumber) {
    EXPECT_EQ(InverseNormal(0.0), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(InverseNormal(1.0), std::numeric_limits<double>::infinity());
    EXPECT_EQ(InverseNormal(0.5), 0.0);
    for (double p : {-1e-300, 1.0000000000000002, std::numeric_limits<double>::quiet_NaN(),
                     -std::numeric_limits<double>::infinity()})
        EXPECT_TRUE(std::isnan(InverseNormal(p))) << p;
}

// Monotone through both tails, and symmetric exactly wherever 1 − p is exact (p ≥ 1/2).
TEST(InverseNormal, IsMonotoneAndSymmetric) {
    double previous = -INFINITY;
    // Up by a factor through the lower half, then towards 1 until the step no longer moves p.
    for (double p = 1e-300;;) {
        const double x = InverseNormal(p);
        EXPECT_GE(x, previous) << p;
        previous = x;
        if (p >= 0.5) {
            EXPECT_EQ(InverseNormal(1.0 - p), -x) << p;
        }
        const double next = p < 0.5 ? p * 1.7 : 1.0 - (1.0 - p) / 1.7;
        if (next == p) break;
        p = next;
    }
}

} // namespace
} // namespace tessavin
