// One property at a time over every row of the distribution registry.
#include "parametric/distribution_registry.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

#include "montecarlo/input_sampler.h"
#include "parametric/discretisation.h"
#include "parametric/distribution_catalogue.h"
#include "rawdata/fit_ranking.h"
#include "rawdata/raw_sample.h"

namespace tessavin {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kEulerGamma = std::numbers::egamma;

struct Moments {
    double mean;
    double variance;
    const char* source;
    double skewness = 0; // given only where a fit reads it
};

// One parameter set per type. Types without a range of their own are discretised over a given
// range; their closed forms would be those of the untruncated distribution, so they have none
// (Cauchy and Levy have no moments at all), except Uniform and Triangular, whose support is the
// given range. Unless a source is named, the closed forms are the textbook ones of Johnson, Kotz
// and Balakrishnan, Continuous Univariate Distributions (2nd ed., 1994/95), chapter of the type.
// A fitted type whose estimate does not give its parameters back from its own mean and standard
// deviation says why.
struct Row {
    DistributionType type;
    DistributionParameters p;
    std::optional<SearchRange> given;
    std::optional<Moments> moments;
    const char* noRoundTrip = nullptr;
};

const double kGumbelA = kPi / (std::sqrt(6.0) * 3); // a = pi/(sqrt 6 sigma), sigma = 3
const double kGumbelU = 30 - 0.577 / kGumbelA;      // u = mu - 0.577/a for both Gumbel types

// Weibull k = 2, lambda = 3: mean lambda G(1 + 1/k), variance lambda^2 (G(1 + 2/k) - G(1 + 1/k)^2).
const double kWeibullMean = 3 * std::tgamma(1.5);
const double kWeibullVar = 9 * (std::tgamma(2.0) - std::tgamma(1.5) * std::tgamma(1.5));

const Row kRows[] = {
    {dist::Normal, {0, 30, 3}, {}, Moments{30, 9, "ch. 13"}},
    // Parametrised by its mean and standard deviation.
    {dist::LogNormal2P, {0, 280, 28}, {}, Moments{280, 784, "ch. 14, mean exp(m + v/2)"}},
    // Largest-value Gumbel with location u and scale 1/a: mean u + gamma/a, variance pi^2/(6a^2).
    {dist::GumbelI, {0, 30, 3}, {}, Moments{kGumbelU + kEulerGamma / kGumbelA, 9, "ch. 22"}},
    // Its mirror image about u: mean u - gamma/a (u is not mirrored, so the mean is not mu).
    {dist::GumbelII,
     {0, 30, 3},
     {},
     Moments{kGumbelU - kEulerGamma / kGumbelA, 9, "ch. 22"},
     "the estimate takes the mean for Mi"},
    {dist::RaisedCosine,
     {0, 10, 2},
     {},
     Moments{10, 4 * (1.0 / 3 - 2 / (kPi * kPi)), "variance s^2 (1/3 - 2/pi^2), by integration"}},
    {dist::Cauchy, {0, 0, 1}, SearchRange{-20, 20}, {}},
    // exp((mu - x)/beta): largest-value Gumbel with location mu, scale beta.
    {dist::FisherTippett,
     {0, 5, 2},
     {},
     Moments{5 + 2 * kEulerGamma, kPi* kPi * 4 / 6, "ch. 22"},
     "the estimate takes the mean for Mi"},
    {dist::Laplace, {0, -4, 1.5}, {}, Moments{-4, 2 * 1.5 * 1.5, "ch. 24"}},
    {dist::Logistic, {0, 7, 0.5}, {}, Moments{7, 0.25 * kPi* kPi / 3, "ch. 23"}},
    {dist::Weibull, {0, 2, 3}, {}, Moments{kWeibullMean, kWeibullVar, "ch. 21"}},
    {dist::Rayleigh,
     {0, 2},
     {},
     Moments{2 * std::sqrt(kPi / 2), (4 - kPi) / 2 * 4, "ch. 18, section 10"},
     "the estimate takes the standard deviation for Sigma"},
    {dist::Levy, {0, 1}, SearchRange{0, 40}, {}},
    {dist::Student, {0, 10}, {}, Moments{0, 10.0 / 8, "ch. 28, variance nu/(nu - 2)"}},
    {dist::BetaUnit,
     {0, 2, 3},
     {},
     Moments{0.4, 6.0 / (25 * 6), "ch. 25"},
     "the estimate is not the method of moments"},
    {dist::BetaGeneral, {0, 2, 3, 1, 5}, SearchRange{1, 5}, {}},
    {dist::Gamma, {0, 3, 2}, {}, Moments{6, 12, "ch. 17, mean k theta, variance k theta^2"}},
    // F(6, 20): mean n2/(n2 - 2); variance 2 n2^2 (n1 + n2 - 2) / (n1 (n2 - 2)^2 (n2 - 4)).
    {dist::Snedecor,
     {0, 6, 20},
     {},
     Moments{20.0 / 18, 2.0 * 400 * 24 / (6 * 324 * 16), "ch. 27"},
     "n1 is not estimated by the method of moments: it is negative for n2 > 4, and refused"},
    {dist::Pareto, {0, 1, 3}, SearchRange{1, 30}, {}},
    {dist::Uniform, {0, 2, 6}, SearchRange{2, 6}, Moments{4, 16.0 / 12, "ch. 26"}},
    // Triangle a = 0, b = 4, mode c = 1: mean (a + b + c)/3, variance
    // (a^2 + b^2 + c^2 - ab - ac - bc)/18.
    {dist::Triangular, {0, 0, 4, 1}, SearchRange{0, 4}, Moments{5.0 / 3, 13.0 / 18, "ch. 26"}},
    // The range starts at delta: by the lack of memory the histogram is delta plus an
    // exponential of mean delta.
    {dist::Exponential,
     {0, 1.5},
     {},
     Moments{3, 2.25, "ch. 19, lack of memory"},
     "the estimate takes the mean for delta, where the range starts"},
    {dist::ChiSquare, {0, 4}, {}, Moments{4, 8, "ch. 18"}},
    // delta = 0: the range starts at 0, the whole half-logistic.
    {dist::HalfLogistic,
     {0, 0},
     {},
     Moments{std::log(4.0), kPi* kPi / 3 - std::log(4.0) * std::log(4.0),
             "Balakrishnan, Handbook of the Logistic Distribution (1992), ch. 4"},
     "the estimate takes the mean for delta, where the range starts"},
    // Mean, standard deviation and skewness: w and eta make |z - eta| log-normal with mean |eta|
    // and variance (w - 1) eta^2 = 1, so the mean is mu and the variance sigma^2.
    {dist::LogNormal3P, {0, 50, 4, 0.5}, {}, Moments{50, 16, "ch. 14, section 8", 0.5}},
};

std::string Text(long double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17Lg", v);
    return buf;
}

constexpr int kClasses = 400;

WorkingHistogram Discretised(const Row& row, bool& accepted) {
    ParametricRequest rq;
    rq.Type = row.type;
    rq.Par1 = Text(row.p[1]);
    rq.Par2 = Text(row.p[2]);
    rq.Par3 = Text(row.p[3]);
    rq.Par4 = Text(row.p[4]);
    rq.IntervalCount = std::to_string(kClasses);
    rq.Eps = "1E-7";
    if (row.given) {
        rq.GivenRange = true;
        rq.GivenMin = row.given->min;
        rq.GivenMax = row.given->max;
    }
    WorkingHistogram w;
    const DiscretiseOutcome out = Discretise(rq, w);
    accepted = out.Accepted && out.Reports.empty() && out.EscapedFault == MathFault::None;
    return w;
}

struct MeanAndVariance {
    double mean;
    double variance;
};

// Of the class midpoints weighted by the class probabilities.
MeanAndVariance MomentsOf(const WorkingHistogram& w) {
    long double m = 0, m2 = 0;
    for (int i = 1; i <= w.Bins; ++i) {
        const long double x = w.Min + (i - 0.5) * w.Step;
        m += w.P[i] * x;
        m2 += w.P[i] * x * x;
    }
    return {static_cast<double>(m), static_cast<double>(m2 - m * m)};
}

TEST(Registry, EveryTypeHasOneRowAndOneTestCase) {
    int seen[DistributionCount] = {};
    for (const Row& r : kRows)
        ++seen[r.type];
    for (int t = 0; t < DistributionCount; ++t) {
        const DistributionInfo& row = Distribution(t);
        EXPECT_EQ(seen[t], 1) << t;
        EXPECT_EQ(row.type, t);
        EXPECT_TRUE(row.density && row.support) << t;
        // A type that can be fitted must be discretisable over its own range.
        if (row.estimate) {
            EXPECT_TRUE(row.range) << t;
        }
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(*row.labels[i] != 0, i < row.parameterCount) << t;
    }
}

// Points across the support: evenly over a finite one, spread out to far tails otherwise.
std::vector<double> SupportPoints(const SearchRange& s, double centre, double scale) {
    std::vector<double> xs;
    for (int i = 0; i < 201; ++i) {
        const double t = (i + 0.5) / 201;
        if (std::isfinite(s.min) && std::isfinite(s.max))
            xs.push_back(s.min + (s.max - s.min) * t);
        else if (std::isfinite(s.min))
            xs.push_back(s.min + scale * t / (1 - t));
        else if (std::isfinite(s.max))
            xs.push_back(s.max - scale * t / (1 - t));
        else
            xs.push_back(centre + scale * std::tan(kPi * (t - 0.5)));
    }
    return xs;
}

TEST(Registry, DensityIsFiniteAndNonNegativeOnItsSupport) {
    for (const Row& r : kRows) {
        ASSERT_TRUE(ParametersValid(r.type, r.p)) << r.type;
        const Density f(r.type, r.p);
        const SearchRange support = Distribution(r.type).support(f.constants(), r.p);
        const double centre = static_cast<double>(r.p[1]);
        const double scale = 1 + std::fabs(centre) + std::fabs(static_cast<double>(r.p[2]));
        for (double x : SupportPoints(support, centre, scale)) {
            const long double v = f(x);
            EXPECT_TRUE(std::isfinite(static_cast<double>(v)) && v >= 0)
                << "type " << r.type << " at " << x << ": " << static_cast<double>(v);
        }
    }
}

TEST(Registry, DiscretisedProbabilitiesSumToOne) {
    // After normalisation no class is zeroed at Eps 1E-7 (every R * P[i] >= 1), so the sum is 1
    // but for the rounding of kClasses divisions and additions.
    for (const Row& r : kRows) {
        bool accepted = false;
        const WorkingHistogram w = Discretised(r, accepted);
        ASSERT_TRUE(accepted) << r.type;
        long double sum = 0;
        for (int i = 1; i <= w.Bins; ++i) {
            EXPECT_GE(w.P[i], 0) << r.type;
            sum += w.P[i];
        }
        EXPECT_NEAR(static_cast<double>(sum), 1.0, 1e-13) << r.type;
    }
}

TEST(Registry, DiscretisedMeanAndVarianceMatchClosedForms) {
    // The class values sample the density at the class midpoints; with 400 classes the midpoint
    // rule and the tails cut at 1E-7 of the peak keep both moments within 0.1 % of the closed
    // form (the mean within 0.1 % of the standard deviation). The largest deviation is 2.6e-4,
    // the Laplace variance (the kink at mu); most are below 1e-5.
    constexpr double kTolerance = 1e-3;
    for (const Row& r : kRows) {
        if (!r.moments) continue;
        bool accepted = false;
        const WorkingHistogram w = Discretised(r, accepted);
        ASSERT_TRUE(accepted) << r.type;
        const auto [mean, variance] = MomentsOf(w);
        const double sd = std::sqrt(r.moments->variance);
        EXPECT_NEAR(mean, r.moments->mean, kTolerance * sd)
            << DistributionName(r.type) << ": " << r.moments->source;
        EXPECT_NEAR(variance, r.moments->variance, kTolerance * r.moments->variance)
            << DistributionName(r.type) << ": " << r.moments->source;
    }
}

// Every input type: the simulation's sampler, cut to the range of the type's histogram, has the
// histogram's mean and variance. Both stand for the same cut density, the sampler's moments by the
// midpoint rule over u of its quantile (200,000 points), the histogram's by its 400 classes; the
// tolerance, 1e-4 (of the standard deviation, of the variance), allows for both rules.
TEST(Registry, InputSamplerHasTheMomentsOfItsHistogram) {
    constexpr double kTolerance = 1e-4;
    constexpr int kPoints = 200000;
    int inputs = 0;
    for (const Row& r : kRows) {
        if (!IsInputType(r.type)) {
            EXPECT_EQ(Distribution(r.type).input, nullptr) << r.type;
            continue;
        }
        ++inputs;
        bool accepted = false;
        const WorkingHistogram w = Discretised(r, accepted);
        ASSERT_TRUE(accepted) << r.type;
        const double mi = static_cast<double>(r.p[1]), sigma = static_cast<double>(r.p[2]);
        const auto sampler = montecarlo::InputSampler::Parametric(r.type, mi, sigma, w.Min, w.Max);
        ASSERT_TRUE(sampler) << r.type;
        long double m = 0, m2 = 0;
        for (int j = 0; j < kPoints; ++j) {
            const long double x = sampler->Quantile((j + 0.5) / kPoints);
            m += x;
            m2 += x * x;
        }
        m /= kPoints;
        m2 /= kPoints;
        const auto [mean, variance] = MomentsOf(w);
        EXPECT_NEAR(static_cast<double>(m), mean, kTolerance * std::sqrt(variance))
            << DistributionName(r.type);
        EXPECT_NEAR(static_cast<double>(m2 - m * m), variance, kTolerance * variance)
            << DistributionName(r.type);
    }
    EXPECT_EQ(inputs, InputTypeCount());
}

// Every fitted type, given the closed-form mean, standard deviation (and skewness) of its row's
// parameters, and its row's shape where the fit scans one: the estimate's parameter text closes
// with ")" (the ranking cuts there), accepted parameters pass the type's checks and, unless the
// row says why not, they are the row's own (within 1e-4: Gumbel's 0.577 for Euler's constant);
// a row that says why not must indeed not get them back.
TEST(Registry, EstimateFromItsOwnMomentsGivesTheParametersBack) {
    for (const Row& r : kRows) {
        const DistributionInfo& row = Distribution(r.type);
        if (!row.estimate) {
            EXPECT_EQ(row.shapeScan, nullptr) << r.type; // a scan without an estimate to feed
            continue;
        }
        ASSERT_TRUE(r.moments) << r.type << ": a fitted type needs its closed-form moments";
        const double m = r.moments->mean, s = std::sqrt(r.moments->variance);
        SampleStatistics st;
        st.meanText = Text(m);
        st.sigmaText = Text(s);
        st.skewness = r.moments->skewness;
        st.skewnessText = Text(st.skewness);
        st.xmin = st.xmax = st.median = st.mode = m; // no lean either way
        if (row.shapeScan) st.weibullShape = static_cast<double>(r.p[row.shapeScan->parameter]);
        const FitEstimate fit = EstimateFromSample(r.type, st, m, s);
        const std::string name = DistributionName(r.type);
        ASSERT_FALSE(fit.parameterText.empty()) << name;
        EXPECT_EQ(fit.parameterText.back(), ')') << name;
        if (!fit.refused) {
            EXPECT_TRUE(ParametersValid(r.type, fit.p)) << name;
        }
        const auto tolerance = [&](int i) {
            return 1e-4 * std::max(1.0, std::fabs(static_cast<double>(r.p[i])));
        };
        if (r.noRoundTrip) {
            bool back = !fit.refused;
            for (int i = 1; i <= row.parameterCount; ++i)
                back = back && std::fabs(static_cast<double>(fit.p[i] - r.p[i])) <= tolerance(i);
            EXPECT_FALSE(back) << name << " gives its parameters back: drop its noRoundTrip";
            continue;
        }
        EXPECT_FALSE(fit.refused) << name;
        for (int i = 1; i <= row.parameterCount; ++i)
            EXPECT_NEAR(static_cast<double>(fit.p[i]), static_cast<double>(r.p[i]), tolerance(i))
                << name << " parameter " << i;
    }
}

// A sample of n values at the quantiles (i - 1/2)/n of a histogram, uniform within each class.
RawSample QuantileSample(const WorkingHistogram& w, int n) {
    std::vector<double> values;
    long double below = 0;
    int i = 1;
    for (int j = 0; j < n; ++j) {
        const long double u = (j + 0.5L) / n;
        while (i < w.Bins && below + w.P[i] < u)
            below += w.P[i++];
        const long double within = w.P[i] > 0 ? (u - below) / w.P[i] : 0.5L;
        values.push_back(
            static_cast<double>(w.Min + (i - 1 + std::clamp(within, 0.0L, 1.0L)) * w.Step));
    }
    return SampleOfValues(values);
}

// A type whose fit scans a shape: from 400 values at the quantiles of its row's histogram, in 16
// classes, the scan picks a shape near the row's (0.5 allows for the class width).
TEST(Registry, ShapeScanFindsTheShapeOfItsOwnSample) {
    for (const Row& r : kRows) {
        const ShapeScan* scan = Distribution(r.type).shapeScan;
        if (!scan) continue;
        const double shape = static_cast<double>(r.p[scan->parameter]);
        EXPECT_TRUE(shape >= scan->first && shape < scan->end) << r.type;
        bool accepted = false;
        const RawSample sample = QuantileSample(Discretised(r, accepted), 400);
        ASSERT_TRUE(accepted) << r.type;
        FitSettings settings;
        settings.intervals = 16;
        settings.min = ThroughDisplayText(sample.minimum);
        settings.max = ThroughDisplayText(sample.maximum);
        auto context = FitContext::Make(sample, settings);
        ASSERT_TRUE(std::holds_alternative<FitContext>(context)) << r.type;
        const std::optional<double> found = ScanShapeFor(std::get<FitContext>(context), r.type);
        ASSERT_TRUE(found) << r.type;
        EXPECT_NEAR(*found, shape, 0.5) << DistributionName(r.type);
    }
}

} // namespace
} // namespace tessavin
