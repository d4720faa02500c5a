#include "montecarlo/input_sampler.h"

#include <cmath>

#include <gtest/gtest.h>

#include "../test_histograms.h"
#include "montecarlo/normal_distribution.h"
#include "parametric/distribution_catalogue.h"

namespace tessavin::montecarlo {
namespace {

// Reference quantiles and truncated-normal moments: standard tables (Φ⁻¹(0.975), Φ⁻¹(1e-10)),
// the half-normal (mean √(2/π), sd √(1 − 2/π)) and the normal cut to [−1, 1] (variance
// 1 − 2φ(1)/(2Φ(1) − 1) = 0.2911251).
TEST(NormalDistribution, QuantileAndCutMomentsAgreeWithTables) {
    EXPECT_NEAR(NormalQuantile(0.975), 1.959963984540054, 1e-14);
    EXPECT_NEAR(NormalQuantile(1e-10), -6.361340902404056, 1e-12);
    for (double p : {1e-300, 1e-20, 1e-5, 0.3, 0.5, 0.9, 1 - 1e-12})
        EXPECT_NEAR(NormalCdf(NormalQuantile(p)) / p, 1.0, 1e-12) << p;
    const Moments half = TruncatedNormalMoments(0, 1, 0, INFINITY);
    EXPECT_NEAR(half.mean, 0.7978845608028654, 1e-14);
    EXPECT_NEAR(half.sd, 0.6028102749890869, 1e-14);
    const Moments cut = TruncatedNormalMoments(5, 2, 3, 7);
    EXPECT_NEAR(cut.mean, 5, 1e-14);
    EXPECT_NEAR(cut.sd, 2 * std::sqrt(0.29112509477279314), 1e-12);
}

// Every parametric type the input rows offer, cut to the range of its histogram: the draws stay
// in the range, the CDF inverts the quantile, and the CDF's slope has the shape of the
// catalogue's density (the parametrisation by mean and standard deviation is the same).
TEST(InputSampler, ParametricInputsFollowTheCatalogueDensityWithinTheirRange) {
    struct Case {
        int type;
        const char* mi;
        const char* sigma;
    } cases[] = {{0, "30", "3"}, {1, "0.2", "0.05"}, {2, "280", "28"}, {3, "200", "20"}};
    for (const Case& c : cases) {
        const DiscreteHistogram h = test::ParametricInput(c.type, c.mi, c.sigma, "64");
        const double mi = std::stod(c.mi), sigma = std::stod(c.sigma);
        const auto cut = InputSampler::Parametric(c.type, mi, sigma, RangeMin(h), RangeMax(h));
        ASSERT_TRUE(cut) << c.type;
        const InputSampler& s = *cut;
        for (double u : {1e-12, 0.01, 0.5, 0.99, 1 - 1e-12}) {
            const double x = s.Quantile(u);
            EXPECT_GE(x, RangeMin(h));
            EXPECT_LE(x, RangeMax(h));
            EXPECT_NEAR(s.Cdf(x), u, 1e-9) << c.type << " u " << u;
        }
        const Density density(c.type, {0, mi, sigma, 0, 0});
        double ratio0 = 0;
        for (double u : {0.05, 0.3, 0.5, 0.8, 0.95}) {
            const double x = s.Quantile(u), dx = 1e-5 * sigma;
            const double slope = (s.Cdf(x + dx) - s.Cdf(x - dx)) / (2 * dx);
            const double ratio = slope / static_cast<double>(density(x));
            if (ratio0 == 0) ratio0 = ratio;
            EXPECT_NEAR(ratio / ratio0, 1.0, 1e-6) << c.type << " x " << x;
        }
    }
}

TEST(InputSampler, HistogramInputIsUniformWithinClassesAndNeverDrawsAnEmptyClass) {
    const InputSampler s = InputSampler::Classes(test::Hand(1, 1, {0.2, 0.3, 0.5})).value();
    EXPECT_DOUBLE_EQ(s.Quantile(0.1), 1.0);  // half-way through class 1 [0.5, 1.5]
    EXPECT_DOUBLE_EQ(s.Quantile(0.35), 2.0); // half-way through class 2
    EXPECT_DOUBLE_EQ(s.Cdf(2.0), 0.35);
    EXPECT_EQ(s.Cdf(0.4), 0.0);
    EXPECT_EQ(s.Cdf(3.6), 1.0);

    const InputSampler gap = InputSampler::Classes(test::Hand(1, 1, {0.5, 0.0, 0.5})).value();
    EXPECT_LE(gap.Quantile(0.4999999), 1.5);
    EXPECT_GE(gap.Quantile(0.5), 2.5);
    EXPECT_DOUBLE_EQ(gap.Cdf(2.0), 0.5);
}

// What a damaged project could hold is refused, never sampled into NaN.
TEST(InputSampler, RefusesInputsWithNothingToDraw) {
    EXPECT_FALSE(InputSampler::Classes(DiscreteHistogram{})); // no classes
    DiscreteHistogram h = test::Hand(1, 1, {0.0, 0.0});
    EXPECT_FALSE(InputSampler::Classes(h)); // no probability
    h.P[1] = NAN;
    h.P[2] = 1;
    EXPECT_FALSE(InputSampler::Classes(h));
    h.P[1] = 0;
    h.Step = 0;
    EXPECT_FALSE(InputSampler::Classes(h));
    EXPECT_FALSE(InputSampler::Parametric(0, 0, 1, 100, 200)); // range beyond every probability
    EXPECT_TRUE(InputSampler::Parametric(0, 0, 1, -1, 1));
}

} // namespace
} // namespace tessavin::montecarlo
