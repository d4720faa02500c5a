// Goodness of fit of a fitted distribution on the raw sample, and its bootstrap p-values.
#include "goodness/goodness_of_fit.h"

#include <atomic>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "goodness/bootstrap.h"
#include "goodness/goodness_order.h"
#include "montecarlo/normal_distribution.h"

namespace tessavin {
namespace {

// Reference values: Python 3 standard library only (math, statistics.NormalDist), exact
// distribution functions, the textbook formulas
//   D = max(i/n − F_i, F_i − (i−1)/n), A² = −n − Σ(2i−1)[ln F_i + ln(1 − F_{n+1−i})]/n,
//   W² = 1/(12n) + Σ(F_i − (2i−1)/(2n))²,
// printed with "%.15g":
//   from statistics import NormalDist; import math
//   N = NormalDist(10.0, 1.5)                     # normal
//   s2 = math.log(1 + (1.5/10)**2); L = NormalDist(math.log(10) - s2/2, math.sqrt(s2))
//   cdf(x) = L.cdf(math.log(x)), pdf(x) = L.pdf(math.log(x))/x   # log-normal, mean 10, sd 1.5
//   cdf(x) = 1 - math.exp(-(x/3)**2)              # Weibull k = 2, lambda = 3
// scipy 1.10.1 agrees to within 1e-14 on every value: sum(dist.logpdf(x)),
// stats.kstest(x, dist.cdf), stats.cramervonmises(x, dist.cdf) and
// stats.goodness_of_fit(dist, x, known_params=…, statistic='ad').statistic, with dist
// stats.norm(10, 1.5), stats.lognorm(sqrt(s2), scale=exp(log(10) - s2/2)) and
// stats.weibull_min(2, scale=3).
struct Reference {
    const char* name;
    DistributionType type;
    DistributionParameters p;
    std::vector<double> sample;
    double loglik, aic, bic, ks, ad, cvm;
};

const std::vector<double> kTen = {9.1, 10.4, 11.8, 8.7, 10.0, 12.9, 9.6, 10.9, 7.8, 11.2};
const std::vector<double> kEight = {0.9, 2.4, 3.1, 1.7, 4.6, 2.8, 3.9, 1.2};

const Reference kReferences[] = {
    {"normal",
     dist::Normal,
     {0, 10.0, 1.5, 0, 0},
     kTen,
     -18.0351475242395,
     40.070295048479,
     40.6754652344671,
     0.125746882249926,
     0.194663570842289,
     0.0277399498961996},
    {"lognormal",
     dist::LogNormal2P,
     {0, 10.0, 1.5, 0, 0},
     kTen,
     -18.0432675284105,
     40.086535056821,
     40.691705242809,
     0.142899998772894,
     0.242247716748446,
     0.042151126772371},
    {"weibull",
     dist::Weibull,
     {0, 2.0, 3.0, 0, 0},
     kEight,
     -12.6926178704662,
     29.3852357409324,
     29.5441188242921,
     0.102143788966211,
     0.142429217801514,
     0.0176371735248944},
};

TEST(GoodnessOfFit, AgreesWithExactDistributionFunctions) {
    for (const Reference& r : kReferences) {
        SCOPED_TRACE(r.name);
        const RawSample s = SampleOfValues(r.sample);
        std::string reason;
        const auto d = FittedDistribution::Make(r.type, r.p, s.mean, s.deviation, reason);
        ASSERT_TRUE(d) << reason;
        const GoodnessOfFit g = MeasureFit(*d, s.values);
        ASSERT_TRUE(g.reason.empty() && g.likelihoodReason.empty() && g.adReason.empty());
        // The distribution function is integrated numerically from the density: 1e-8 relative.
        const double tol = 1e-8;
        EXPECT_NEAR(g.logLikelihood, r.loglik, tol * std::abs(r.loglik));
        EXPECT_NEAR(g.aic, r.aic, tol * r.aic);
        EXPECT_NEAR(g.bic, r.bic, tol * r.bic);
        EXPECT_NEAR(g.edf.ks, r.ks, tol);
        EXPECT_NEAR(g.edf.ad, r.ad, tol);
        EXPECT_NEAR(g.edf.cvm, r.cvm, tol);
    }
}

// Anderson–Darling with the normal's parameters estimated from the sample (mean, n − 1
// deviation), the case stats.anderson covers: scipy 1.10.1, stats.anderson(kTen, 'norm')
// .statistic = 0.0863807157913801, mean 10.24, deviation 1.52694320639491.
TEST(GoodnessOfFit, AndersonDarlingWithEstimatedNormalAgreesWithScipy) {
    const RawSample s = SampleOfValues(kTen);
    ASSERT_NEAR(s.mean, 10.24, 1e-13);
    ASSERT_NEAR(s.deviation, 1.52694320639491, 1e-13);
    std::string reason;
    const auto d = FittedDistribution::Make(dist::Normal, {0, s.mean, s.deviation, 0, 0}, s.mean,
                                            s.deviation, reason);
    ASSERT_TRUE(d) << reason;
    EXPECT_NEAR(MeasureFit(*d, s.values).edf.ad, 0.0863807157913801, 1e-8);
}

// Every fitted type's distribution function integrates its density to 1 and inverts: the
// quantile of F(x) is x again, for light, heavy and bounded laws alike.
TEST(GoodnessOfFit, DistributionFunctionAndQuantileAgree) {
    const struct {
        DistributionType type;
        DistributionParameters p;
        double x;
    } cases[] = {
        {dist::Normal, {0, 5, 2, 0, 0}, 6.3},       {dist::Cauchy, {0, 5, 2, 0, 0}, 1.0},
        {dist::Weibull, {0, 3, 10, 0, 0}, 8.0},     {dist::Gamma, {0, 5, 2, 0, 0}, 6.0},
        {dist::RaisedCosine, {0, 5, 2, 0, 0}, 5.5}, {dist::LogNormal2P, {0, 5, 2, 0, 0}, 4.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        std::string reason;
        const auto d = FittedDistribution::Make(c.type, c.p, 5, 2, reason);
        if (!d) continue; // a type whose parameters mean something else here
        const std::vector<double> at = {c.x};
        const FittedDistribution::Tails t = d->tailsAt(at);
        EXPECT_NEAR(static_cast<double>(t.lower[0] + t.upper[0]), 1.0, 1e-12);
        EXPECT_NEAR(d->quantile(static_cast<double>(t.lower[0])), c.x, 1e-4);
    }
}

TEST(GoodnessOfFit, ValueOutsideSupportGivesReasonsNotNumbers) {
    // A Weibull has no mass below 0: the likelihood and A² are missing, D and W² remain.
    const RawSample s = SampleOfValues({-1.0, 0.5, 1.0, 1.5, 2.0, 2.5});
    std::string reason;
    const auto d =
        FittedDistribution::Make(dist::Weibull, {0, 2, 2, 0, 0}, s.mean, s.deviation, reason);
    ASSERT_TRUE(d);
    const GoodnessOfFit g = MeasureFit(*d, s.values);
    EXPECT_FALSE(g.likelihoodReason.empty());
    EXPECT_FALSE(g.adReason.empty());
    EXPECT_TRUE(std::isfinite(g.edf.ks) && std::isfinite(g.edf.cvm));

    EXPECT_FALSE(FittedDistribution::Make(dist::Normal, {0, 1, -1, 0, 0}, 0, 1, reason));
    EXPECT_FALSE(FittedDistribution::Make(dist::Normal, {0, 1, 1, 0, 0}, 0, 0, reason));
}

FitSettings SettingsFor(const RawSample& s) {
    FitSettings f;
    f.intervals = 16;
    f.min = s.minimum;
    f.max = s.maximum;
    return f;
}

TEST(GoodnessOfFit, EveryTypeTheSameOnOneAndTwoThreads) {
    std::vector<double> v;
    for (int i = 1; i <= 60; ++i)
        v.push_back(10 * std::pow(-std::log(1 - (i - 0.5) / 60), 1 / 1.6));
    const RawSample s = SampleOfValues(v);
    auto ctx = std::get<FitContext>(FitContext::Make(s, SettingsFor(s)));
    ctx.setWeibullShape(1.6);
    std::vector<DistributionType> types;
    for (DistributionType t = 0; t < DistributionCount; ++t)
        types.push_back(t);
    const std::vector<GoodnessOfFit> one = MeasureTypes(ctx, s, types, 1);
    const std::vector<GoodnessOfFit> two = MeasureTypes(ctx, s, types, 2);
    ASSERT_EQ(one.size(), types.size());
    int measured = 0;
    for (std::size_t i = 0; i < types.size(); ++i) {
        SCOPED_TRACE(types[i]);
        EXPECT_EQ(one[i].type, types[i]);
        EXPECT_EQ(one[i].reason, two[i].reason);
        EXPECT_EQ(one[i].logLikelihood, two[i].logLikelihood);
        EXPECT_EQ(one[i].edf.ks, two[i].edf.ks);
        EXPECT_EQ(one[i].edf.ad, two[i].edf.ad);
        EXPECT_EQ(one[i].edf.cvm, two[i].edf.cvm);
        measured += one[i].reason.empty();
    }
    EXPECT_GT(measured, 10);
}

// Orders by hand: smaller criteria first, larger likelihood and p-values first, a missing value
// last, equal values in the list's order.
TEST(GoodnessOrder, BestFirstMissingLastTiesKept) {
    std::vector<GoodnessOfFit> list(4);
    const double aic[] = {12.0, 10.0, 12.0, 0.0};
    const std::optional<double> ksP[] = {0.2, std::nullopt, 0.7, 0.2};
    for (int i = 0; i < 4; ++i) {
        list[i].type = i;
        list[i].aic = aic[i];
        list[i].logLikelihood = -aic[i];
        list[i].ksP = ksP[i];
    }
    list[3].likelihoodReason = "a value outside the support";
    const struct {
        GoodnessKey key;
        std::vector<std::size_t> order;
    } cases[] = {
        {GoodnessKey::Aic, {1, 0, 2, 3}},
        {GoodnessKey::LogLikelihood, {1, 0, 2, 3}},
        {GoodnessKey::KsP, {2, 0, 3, 1}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GoodnessOrder(c.key, list), c.order) << GoodnessKeyName(c.key);
    EXPECT_EQ(GoodnessKeyNamed("ad_p"), GoodnessKey::AdP);
    EXPECT_FALSE(GoodnessKeyNamed("tightness"));
}

GoodnessOfFit NormalBootstrap(const RawSample& s, int draws, int threads) {
    const FitSettings fit = SettingsFor(s);
    auto ctx = FitContext::Make(s, fit);
    std::string reason;
    const auto d = FittedCandidate(std::get<FitContext>(ctx), s, dist::Normal, reason);
    EXPECT_TRUE(d) << reason;
    GoodnessOfFit g = MeasureFit(*d, s.values);
    BootstrapSettings b;
    b.draws = draws;
    b.threads = threads;
    BootstrapPValues(g, *d, s, fit, b);
    return g;
}

TEST(Bootstrap, SameForAnyThreadCountAndPlausible) {
    // Normal quantiles at (i − 1/2)/40 fit a normal well: p-values far from 0.
    std::vector<double> v;
    for (int i = 1; i <= 40; ++i)
        v.push_back(20 + 3 * montecarlo::NormalQuantile((i - 0.5) / 40));
    const RawSample s = SampleOfValues(v);
    const GoodnessOfFit one = NormalBootstrap(s, 100, 1);
    const GoodnessOfFit two = NormalBootstrap(s, 100, 2);
    ASSERT_TRUE(one.ksP && one.adP) << one.pReason;
    EXPECT_EQ(*one.ksP, *two.ksP);
    EXPECT_EQ(*one.adP, *two.adP);
    EXPECT_GT(*one.ksP, 0.5);
    EXPECT_GT(*one.adP, 0.5);
}

TEST(Bootstrap, RefusesWhatItCannotDo) {
    const RawSample four = SampleOfValues({1.0, 2.0, 2.5, 4.0});
    const GoodnessOfFit g = NormalBootstrap(four, 50, 2);
    EXPECT_FALSE(g.ksP || g.adP);
    EXPECT_NE(g.pReason.find("fewer than 5"), std::string::npos);

    const RawSample six = SampleOfValues({1.0, 2.0, 2.5, 4.0, 4.5, 7.0});
    const GoodnessOfFit none = NormalBootstrap(six, 0, 2);
    EXPECT_FALSE(none.ksP);
    EXPECT_FALSE(none.pReason.empty());

    std::atomic<bool> stop{true};
    const FitSettings fit = SettingsFor(six);
    std::string reason;
    const auto d = FittedCandidate(std::get<FitContext>(FitContext::Make(six, fit)), six,
                                   dist::Normal, reason);
    ASSERT_TRUE(d);
    GoodnessOfFit h = MeasureFit(*d, six.values);
    BootstrapPValues(h, *d, six, fit, {}, {}, &stop);
    EXPECT_EQ(h.pReason, "interrupted");
}

} // namespace
} // namespace tessavin
