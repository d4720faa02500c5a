#include "parametric/distribution_catalogue.h"

#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "localisation/language.h"
#include "localisation/messages.h"

namespace tessavin {
namespace {

DistributionParameters Params(long double p1, long double p2 = 0, long double p3 = 0,
                              long double p4 = 0) {
    return {0, p1, p2, p3, p4};
}

constexpr double kPi = std::numbers::pi;

// Densities against closed forms of the standard distributions (each value computed by hand from
// the textbook density). Triangular and Gumbel are checked elsewhere by shape.
TEST(Density, MatchesClosedForms) {
    const struct {
        DistributionType type;
        DistributionParameters p;
        double x;
        double expected;
        const char* source;
    } cases[] = {
        {0, Params(30, 3), 30, 1 / (3 * std::sqrt(2 * kPi)), "1/(sigma sqrt(2 pi))"},
        {0, Params(30, 3), 33, std::exp(-0.5) / (3 * std::sqrt(2 * kPi)), "one sigma off"},
        {4, Params(0, 1), 0, 1.0, "(1 + cos 0)/2"},
        {5, Params(0, 1), 0, 1 / kPi, "1/(pi gamma)"},
        {6, Params(0, 1), 0, std::exp(-1.0), "e^-1 e^-e^-... at mu"},
        {7, Params(0, 1), 0, 0.5, "1/(2b)"},
        {8, Params(0, 1), 0, 0.25, "1/(4s)"},
        {9, Params(2, 1), 1, 2 * std::exp(-1.0), "k/l (x/l)^(k-1) e^-(x/l)^k"},
        {10, Params(1), 1, std::exp(-0.5), "x/s^2 e^(-x^2/2s^2)"},
        {11, Params(1), 1, std::sqrt(1 / (2 * kPi)) * std::exp(-0.5), "Levy c=1 at 1"},
        {12, Params(1), 0, 1 / kPi, "Student nu=1 is Cauchy"},
        {13, Params(2, 2), 0.5, 1.5, "6 x (1-x)"},
        {14, Params(2, 2, 0, 2), 1, 0.75, "Beta(2,2) on [0,2]: 6/8"},
        {15, Params(2, 1), 1, std::exp(-1.0), "x e^-x"},
        {16, Params(2, 2), 1, 0.25, "F(2,2): (1+x)^-2"},
        {17, Params(1, 2), 2, 0.25, "k xm^k / x^(k+1)"},
        {18, Params(0, 4), 1, 0.25, "1/(b-a)"},
        {20, Params(2), 1, 0.5 * std::exp(-0.5), "e^(-x/d)/d"},
        {21, Params(2), 2, 0.5 * std::exp(-1.0), "chi2 n=2: e^(-x/2)/2"},
        {22, Params(0.5), 0, 0.5, "2 e^0/(1+e^0)^2"},
    };
    for (const auto& c : cases) {
        const Density f(c.type, c.p);
        EXPECT_NEAR(static_cast<double>(f(c.x)), c.expected, 1e-15 * c.expected)
            << "type " << c.type << ": " << c.source;
    }
}

TEST(Density, GumbelTypesAreMirrorImagesAboutU) {
    // u = mu - 0.577 sqrt(6) sigma / pi for both types.
    const double mu = 30, sigma = 3;
    const double u = mu - 0.577 * std::sqrt(6.0) * sigma / kPi;
    const Density g1(2, Params(mu, sigma)), g2(3, Params(mu, sigma));
    for (double d : {0.0, 0.5, 2.0, 7.5}) {
        const double a = static_cast<double>(g1(u + d)), b = static_cast<double>(g2(u - d));
        EXPECT_NEAR(a, b, 1e-15 * a) << d;
    }
}

TEST(Density, TriangleRisesAndFallsLinearly) {
    const Density f(19, Params(0, 2, 1));
    EXPECT_NEAR(static_cast<double>(f(0.5) / f(1.0)), 0.5, 1e-15);
    EXPECT_NEAR(static_cast<double>(f(1.5) / f(1.0)), 0.5, 1e-15);
}

TEST(Density, LogNormalPreparesW) {
    // Mi 280, Sigma 28: w = 1 + (28/280)^2 = 1.01; the mode of the log-normal is
    // mu / w^(3/2), where the density has its maximum.
    const Density f(1, Params(280, 28));
    const double mode = 280 / std::pow(1.01, 1.5);
    EXPECT_GT(f(mode), f(mode + 0.01));
    EXPECT_GT(f(mode), f(mode - 0.01));
    EXPECT_EQ(f(0), 0);
    EXPECT_EQ(f(-1), 0);
}

TEST(ParametersValid, DeclaredPositiveParameters) {
    EXPECT_TRUE(ParametersValid(0, Params(-5, 1)));
    EXPECT_FALSE(ParametersValid(0, Params(5, 0)));
    EXPECT_FALSE(ParametersValid(1, Params(0, 1)));
    EXPECT_FALSE(ParametersValid(9, Params(1, -1)));
    EXPECT_FALSE(ParametersValid(10, Params(0)));
    EXPECT_TRUE(ParametersValid(22, Params(-3)));
    EXPECT_TRUE(ParametersValid(18, Params(4, 0)));
}

TEST(Catalogue, NamesLabelsAndGroupTitles) {
    EXPECT_EQ(DistributionName(0), "Normal");
    SetLanguage(Language::Czech);
    EXPECT_EQ(DistributionName(0), "Normální");
    EXPECT_EQ(ParameterGroupTitle(1), "Frekvenční funkce :  F (x | Mi,Sigma)");
    SetLanguage(Language::English);
    EXPECT_EQ(ParameterGroupTitle(1), "Parametric distribution :  F (x | Mi,Sigma)");
    EXPECT_EQ(DistributionName(11), "Lévy");
    EXPECT_STREQ(Distribution(23).labels[2], "        Skewness");
    EXPECT_EQ(Distribution(14).parameterCount, 4);
    for (int t = 0; t < DistributionCount; ++t)
        EXPECT_EQ(Distribution(t).type, t);
}

TEST(EstimateFromSample, ParametersAndTexts) {
    SampleStatistics s;
    s.meanText = "30";
    s.sigmaText = "3";
    s.skewnessText = "0.4";
    s.skewness = 0.4;
    s.xmin = 20;
    s.xmax = 40;
    s.median = 30;
    s.weibullShape = 2;
    EXPECT_EQ(EstimateFromSample(0, s, 30, 3).parameterText, "Mi=30,Sigma=3)");
    // 0.1306909660486578 = 1/3 - 2/pi^2, the variance of the unit raised cosine.
    const FitEstimate rc = EstimateFromSample(4, s, 30, 3);
    EXPECT_NEAR(static_cast<double>(rc.p[2]), std::sqrt(9 / 0.1306909660486578), 1e-12);
    EXPECT_EQ(rc.parameterText, "Mi=30,s=" + FiveDecimals(rc.p[2]) + ")");
    EXPECT_EQ(EstimateFromSample(8, s, 30, 3).parameterText.substr(0, 8), "Mi=30, s");
    EXPECT_EQ(EstimateFromSample(10, s, 30, 3).parameterText, "Sigma=3)");
    EXPECT_EQ(EstimateFromSample(23, s, 30, 3).parameterText, "Mi=30,Sigma=3,Skewness=0.4)");
    // Weibull: lambda = m / Gamma(1 + 1/k); Gamma(1.5) = sqrt(pi)/2.
    EXPECT_NEAR(static_cast<double>(EstimateFromSample(9, s, 30, 3).p[2]),
                30 / (std::sqrt(kPi) / 2), 1e-12);
    // Gamma: k = m^2/s^2 = 100, theta = s^2/m = 0.3.
    const FitEstimate g = EstimateFromSample(15, s, 30, 3);
    EXPECT_NEAR(static_cast<double>(g.p[1]), 100, 1e-12);
    EXPECT_NEAR(static_cast<double>(g.p[2]), 0.3, 1e-15);
    EXPECT_EQ(g.parameterText, "k=100.00000,theta=0.30000)");
}

TEST(EstimateFromSample, Refusals) {
    SampleStatistics s;
    s.xmin = 0;
    s.xmax = 10;
    s.median = 5; // midrange exactly on the median: both Gumbel types fit
    for (int t : {5, 11, 14, 17, 18, 19})
        EXPECT_TRUE(EstimateFromSample(t, s, 5, 2).refused) << t;
    EXPECT_FALSE(EstimateFromSample(2, s, 5, 2).refused);
    EXPECT_FALSE(EstimateFromSample(3, s, 5, 2).refused);
    s.median = 6;
    EXPECT_TRUE(EstimateFromSample(2, s, 5, 2).refused);
    EXPECT_FALSE(EstimateFromSample(3, s, 5, 2).refused);
    EXPECT_TRUE(EstimateFromSample(12, s, 5, 0.5).refused) << "s < 1 gives a negative n";
    EXPECT_TRUE(EstimateFromSample(15, s, 1, 2).refused) << "k = 0.25 < 1";
    EXPECT_TRUE(EstimateFromSample(23, s, 5, 2).refused) << "zero skewness";
    EXPECT_FALSE(EstimateFromSample(22, s, -5, 2).refused);
}

} // namespace
} // namespace tessavin
