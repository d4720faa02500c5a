#include "statlib/statistics.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tessavin {
namespace {

constexpr double kTol = 1e-14; // relative: long double sums of a few exact terms

double ReadBack(const std::string& text) {
    double value = std::numeric_limits<double>::quiet_NaN();
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// P = (1/4, 1/2, 1/4) at x = 1, 2, 3: symmetric about 2. Hand computation:
// m2 = 1/4 + 1/4 = 1/2, mean |x - 2| = 1/2, m3 = 0, m4 = 1/2, g2 = 0.5/0.25 - 3 = -1.
TEST(StatisticsTest, SymmetricThreeClassHistogram) {
    const std::vector<double> p{0.25, 0.5, 0.25};
    const double mean = PrumerX(p, 3, 1, 3);
    EXPECT_DOUBLE_EQ(mean, 2.0);
    EXPECT_DOUBLE_EQ(RozptylX(p, 3, 1, 3, mean), 0.5);
    EXPECT_DOUBLE_EQ(StrHodX(p, 3, 1, 3, mean), 0.5);
    EXPECT_DOUBLE_EQ(KoefVariX(mean, std::sqrt(0.5)), 100 * std::sqrt(0.5) / 2);
    EXPECT_EQ(Skewness(p, 3, 1, 3, mean, 4), 0.0);
    // G2 = ((n + 1) g2 + 6)(n - 1)/((n - 2)(n - 3)) with n = 4: (5 * -1 + 6) * 3 / 2 = 1.5.
    EXPECT_NEAR(Kurtosis(p, 3, 1, 3, mean, 4), 1.5, 1.5 * kTol);
    EXPECT_EQ(VypMedian(true, p, 1, 3, 3), "2");
    EXPECT_EQ(VypMedian(false, p, 1, 3, 3), "2");
    EXPECT_EQ(VypMode(p, 3, 1, 3), "2");
}

// P = (1/2, 1/4, 1/4) at x = 0, 1, 2, standing for n = 10 values. Exact fractions by hand:
// mean 3/4, m2 = 11/16, m3 = 9/32, m4 = 197/256, mean |x - 3/4| = 3/4;
// g1 = 18/(11 sqrt 11), G1 = g1 sqrt(90)/8 = 27 sqrt(10/11)/44;
// g2 = 197/256 / (121/256) - 3 = -166/121, G2 = (11 g2 + 6) * 9 / 56 = -225/154.
TEST(StatisticsTest, SkewedHistogramAgainstExactMoments) {
    const std::vector<double> p{0.5, 0.25, 0.25};
    const double mean = PrumerX(p, 3, 0, 2);
    EXPECT_DOUBLE_EQ(mean, 0.75);
    EXPECT_NEAR(RozptylX(p, 3, 0, 2, mean), 11.0 / 16, 11.0 / 16 * kTol);
    EXPECT_NEAR(StrHodX(p, 3, 0, 2, mean), 0.75, 0.75 * kTol);
    const double g1 = 27 * std::sqrt(10.0 / 11) / 44;
    EXPECT_NEAR(Skewness(p, 3, 0, 2, mean, 10), g1, g1 * kTol);
    EXPECT_NEAR(Kurtosis(p, 3, 0, 2, mean, 10), -225.0 / 154, 225.0 / 154 * kTol);
    // Mode: the first class holds the most. Median: cumulative 1/2 is reached exactly at the
    // upper edge of class 1 (x = 0.5); without interpolation that is class 1 itself.
    EXPECT_EQ(VypMode(p, 3, 0, 2), "0");
    EXPECT_EQ(VypMedian(true, p, 0, 2, 3), "0.5");
    EXPECT_EQ(VypMedian(false, p, 0, 2, 3), "0");
}

TEST(StatisticsTest, ProbabilitiesNeedNotSumToOne) {
    // Frequencies 2, 4, 2 are the first histogram scaled by 8: every statistic is unchanged.
    const std::vector<double> f{2, 4, 2};
    const double mean = PrumerX(f, 3, 1, 3);
    EXPECT_DOUBLE_EQ(mean, 2.0);
    EXPECT_DOUBLE_EQ(RozptylX(f, 3, 1, 3, mean), 0.5);
    EXPECT_DOUBLE_EQ(StrHodX(f, 3, 1, 3, mean), 0.5);
    EXPECT_EQ(VypMedian(true, f, 1, 3, 3), "2");
}

TEST(StatisticsTest, MedianInterpolatesInsideTheClass) {
    // P = (0.1, 0.2, 0.3, 0.4) at 1..4: cumulative 0.3 below class 3 (edges 2.5, 3.5), which adds
    // 0.3, so the half is reached 2/3 into it: 2.5 + 2/3 = 19/6.
    const std::vector<double> p{0.1, 0.2, 0.3, 0.4};
    EXPECT_NEAR(ReadBack(VypMedian(true, p, 1, 4, 4)), 19.0 / 6, 19.0 / 6 * 1e-14);
    EXPECT_EQ(VypMedian(false, p, 1, 4, 4), "3");
    EXPECT_EQ(VypMode(p, 4, 1, 4), "4");
}

TEST(StatisticsTest, SymmetricHistogramsHaveTheirCentreAsMedianAndNoSkew) {
    struct Case {
        const char* what;
        std::vector<double> p;
        double x1, xn;
        const char* centre;
    };
    const Case cases[] = {
        {"even count", {0.1, 0.4, 0.4, 0.1}, 1, 4, "2.5"},
        // Cumulative 1/2 holds over the whole empty middle class: the median is its middle.
        {"empty middle class", {0.5, 0.0, 0.5}, 1, 3, "2"},
        {"gap of two classes", {0.3, 0.2, 0, 0, 0.2, 0.3}, -2.5, 2.5, "0"},
        {"non-dyadic values", {0.1, 0.7, 0.1}, 0.1, 0.3, "0.2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int n = static_cast<int>(c.p.size());
        EXPECT_EQ(VypMedian(true, c.p, c.x1, c.xn, n), c.centre);
        const double mean = PrumerX(c.p, n, c.x1, c.xn);
        EXPECT_NEAR(Skewness(c.p, n, c.x1, c.xn, mean, 100), 0.0, 1e-12);
    }
}

TEST(StatisticsTest, ModeIsTheFirstOfEqualMaxima) {
    const std::vector<double> p{0.1, 0.4, 0.1, 0.4};
    EXPECT_EQ(VypMode(p, 4, 10, 40), "20");
}

TEST(StatisticsTest, UndefinedStatisticsAreNaN) {
    const std::vector<double> zeros{0, 0, 0};
    const std::vector<double> spike{0, 1, 0};
    const std::vector<double> p{0.25, 0.5, 0.25};
    EXPECT_TRUE(std::isnan(PrumerX(zeros, 3, 1, 3))) << "no mass";
    EXPECT_TRUE(std::isnan(RozptylX(zeros, 3, 1, 3, 2))) << "no mass";
    EXPECT_TRUE(std::isnan(StrHodX(zeros, 3, 1, 3, 2))) << "no mass";
    EXPECT_EQ(VypMedian(true, zeros, 1, 3, 3), " undefined");
    EXPECT_EQ(VypMode(zeros, 0, 1, 3), " undefined") << "no classes";
    EXPECT_TRUE(std::isnan(KoefVariX(0.0, 1.0)));
    // One populated class: no spread, so no shape.
    EXPECT_EQ(RozptylX(spike, 3, 1, 3, 2), 0.0);
    EXPECT_TRUE(std::isnan(Skewness(spike, 3, 1, 3, 2, 100)));
    EXPECT_TRUE(std::isnan(Kurtosis(spike, 3, 1, 3, 2, 100)));
    // The sample corrections divide by n - 2 and (n - 2)(n - 3).
    EXPECT_TRUE(std::isnan(Skewness(p, 3, 1, 3, 2, 2)));
    EXPECT_FALSE(std::isnan(Skewness(p, 3, 1, 3, 2, 3)));
    EXPECT_TRUE(std::isnan(Kurtosis(p, 3, 1, 3, 2, 3)));
    EXPECT_FALSE(std::isnan(Kurtosis(p, 3, 1, 3, 2, 4)));
    EXPECT_TRUE(std::isnan(Kurtosis(p, 3, 1, 3, 2, std::numeric_limits<double>::quiet_NaN())));
    EXPECT_TRUE(std::isnan(PrumerY({}, 0)));
}

TEST(StatisticsTest, SingleClassSitsAtItsValue) {
    // N = 1 has no class step ((XN - X1)/(N - 1) would be 0/0).
    const std::vector<double> p{1.0};
    EXPECT_EQ(PrumerX(p, 1, 7.5, 7.5), 7.5);
    EXPECT_EQ(RozptylX(p, 1, 7.5, 7.5, 7.5), 0.0);
    EXPECT_EQ(VypMedian(true, p, 7.5, 7.5, 1), "7.5");
    EXPECT_EQ(VypMedian(false, p, 7.5, 7.5, 1), "7.5");
    EXPECT_EQ(VypMode(p, 1, 7.5, 7.5), "7.5");
}

TEST(StatisticsTest, ClassCountBeyondTheArrayReadsOnlyTheArray) {
    // Positions follow n = 5 (step 1 from 1 to 5); only the three given classes are read.
    const std::vector<double> p{0.25, 0.5, 0.25};
    EXPECT_DOUBLE_EQ(PrumerX(p, 5, 1, 5), 2.0);
}

TEST(StatisticsTest, MeanAndPopulationVarianceOfFrequencies) {
    // 2, 4, 4, 4, 5, 5, 7, 9: mean 5, squared deviations sum to 32, population variance 4.
    const std::vector<double> f{2, 4, 4, 4, 5, 5, 7, 9};
    const double mean = PrumerY(f, 8);
    EXPECT_DOUBLE_EQ(mean, 5.0);
    EXPECT_DOUBLE_EQ(RozptylY(f, 8, mean), 4.0);
    EXPECT_DOUBLE_EQ(PrumerY(f, 3), 10.0 / 3) << "only the first n values";
}

TEST(StatisticsTest, Tightness) {
    const std::vector<double> raw{0.2, 0.3, 0.5};
    const double mean = PrumerY(raw, 3);
    const double variance = RozptylY(raw, 3, mean); // 7/450 by hand
    ASSERT_NEAR(variance, 7.0 / 450, 7.0 / 450 * 1e-14);
    EXPECT_EQ(VypocetCharTesnosti(3, raw, 0, variance, mean, raw), 1.0);
    // Mirrored candidate: squared differences 0.09 + 0 + 0.09 = 0.18;
    // 1 - 0.18 / (3 * 7/450) = 1 - 27/7 = -20/7.
    const std::vector<double> mirrored{0.5, 0.3, 0.2};
    EXPECT_NEAR(VypocetCharTesnosti(3, mirrored, 0, variance, mean, raw), -20.0 / 7,
                20.0 / 7 * 1e-13);
    // A uniform raw histogram has no variance: nothing to measure against.
    const std::vector<double> flat{0.25, 0.25, 0.25, 0.25};
    EXPECT_EQ(VypocetCharTesnosti(4, raw, 0, RozptylY(flat, 4, 0.25), 0.25, flat), 0.0);
    // A broken candidate still yields a number, the worst one.
    const std::vector<double> broken{std::numeric_limits<double>::quiet_NaN(), 0.3, 0.5};
    EXPECT_EQ(VypocetCharTesnosti(3, broken, 0, variance, mean, raw),
              std::numeric_limits<double>::lowest());
}

} // namespace
} // namespace tessavin
