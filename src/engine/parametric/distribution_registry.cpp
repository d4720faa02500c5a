#include "parametric/distribution_registry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "parametric/distribution_catalogue.h"
#include "parametric/input_sampling.h"
#include "parametric/range_search.h"
#include "parametric/special_functions.h"

namespace tessavin {
namespace {

using LD = long double;
using P = DistributionParameters;
using K = DensityConstants;
constexpr LD kPi = std::numbers::pi_v<long double>;
constexpr double kInf = std::numeric_limits<double>::infinity();

// The substitute-valued functions take doubles; an extended intermediate beyond the double range
// is clamped first so that the narrowing itself never overflows.
double D(LD v) {
    if (v > LargestReal) return LargestReal;
    if (v < -LargestReal) return -LargestReal;
    return static_cast<double>(v);
}
LD Exp(LD v) {
    return ExpChecked(D(v));
}
LD Ln(LD v) {
    return LnChecked(D(v));
}
LD Pow(LD b, LD e) {
    return PowChecked(D(b), D(e));
}
LD Gamma(LD v) {
    return GammaFn(D(v));
}

// ---- supports --------------------------------------------------------------------------------

SearchRange WholeLine(const K&, const P&) {
    return {-kInf, kInf};
}
SearchRange PositiveHalfLine(const K&, const P&) {
    return {0, kInf};
}
SearchRange BetweenP1P2(const K&, const P& p) {
    return {static_cast<double>(p[1]), static_cast<double>(p[2])};
}

// ---- range rules -----------------------------------------------------------------------------

bool RatioStep100(const RangeInput& in, SearchRange& r) {
    r = in.search.Ratio(in.p1, in.p2 / 100, r);
    return true;
}
bool RatioStep1000(const RangeInput& in, SearchRange& r) {
    r = in.search.Ratio(in.p1, in.p2 / 1000, r);
    return true;
}
bool ThresholdStep1000(const RangeInput& in, SearchRange& r) {
    r = in.search.Threshold(in.p1, in.p2 / 1000, r);
    return true;
}

// From x0 upwards by step while the density rises (or, with plateaus, does not fall); the start
// of a one-sided search is the last point before that ends.
double ClimbToMode(const RangeSearch& search, double x0, double step, bool overPlateaus) {
    long steps = 0;
    long double fx = search.Eval(x0);
    for (;;) {
        CountSearchStep(steps);
        const long double next = search.Eval(x0 + step);
        if (overPlateaus ? next < fx : !(next > fx)) break;
        x0 = x0 + step;
        fx = next;
    }
    return x0;
}

// From delta upwards while f > factor * eps * f(delta); the range ends one step before.
bool WalkFromDelta(const RangeInput& in, SearchRange& r, double step, LD factor) {
    const double delta = in.p1;
    const LD t = factor * in.eps * in.search.Eval(delta);
    long steps = 0;
    double x = delta;
    while (in.search.Eval(x) > t) {
        x = x + step;
        CountSearchStep(steps);
    }
    r.min = delta;
    if (x > 0) r.max = x - step;
    return true;
}

// ---- estimators ------------------------------------------------------------------------------

std::string MeanSigmaText(const SampleStatistics& s) {
    return "Mi=" + s.meanText + ",Sigma=" + s.sigmaText + ")";
}
void MeanAndSigma(FitEstimate& fit, const SampleStatistics& s, double, double) {
    fit.parameterText = MeanSigmaText(s);
}
// Gumbel I leans right, II left: the midrange of the sample must lie on the matching side of its
// median.
double Midrange(const SampleStatistics& s) {
    return s.xmin + (s.xmax - s.xmin) / 2;
}

// ---- the types -------------------------------------------------------------------------------

// 0 Normal
LD NormalDensity(const K&, const P& p, LD x) {
    const LD d = x - p[1];
    return Exp(-d * d / (2 * p[2] * p[2])) / (SqrtTwoPi * p[2]);
}
bool NormalRange(const RangeInput& in, SearchRange& r) {
    if (in.fit && in.search.EndsCut(in.sample.xmin, in.sample.xmax, in.p1)) return true;
    r = in.search.Threshold(in.p1, in.p2 / 100, r);
    return true;
}

// 1 LogNormal_2P: p1 the mean, p2 the standard deviation.
void LogNormalPrepare(K& k, const P& p) {
    k.w = 1 + (p[2] / p[1]) * (p[2] / p[1]);
    k.lnw = Ln(k.w);
}
LD LogNormalDensity(const K& k, const P& p, LD x) {
    if (x <= 0) return 0;
    const LD l = Ln(std::sqrt(k.w) * x / p[1]);
    return Exp(-l * l / (2 * k.lnw)) / (SqrtTwoPi * x * std::sqrt(k.lnw));
}
// A log-normal whose range would be the data range is left to the normal.
bool LogNormalRefusesFit(const Density& f, const SampleStatistics& s, double eps) {
    return RangeSearch(f, eps).EndsCut(s.xmin, s.xmax, static_cast<double>(f.parameters()[1]));
}

// 2, 3 Gumbel: u = mu - 0.577/a for both types.
void GumbelPrepare(K& k, const P& p) {
    k.a = kPi / (std::sqrt(6.0L) * p[2]);
    k.u = p[1] - 0.577L / k.a;
}
LD GumbelIDensity(const K& k, const P&, LD x) {
    const LD t = -k.a * (x - k.u);
    return k.a * Exp(t - Exp(t));
}
LD GumbelIIDensity(const K& k, const P&, LD x) {
    const LD t = k.a * (x - k.u);
    return k.a * Exp(t - Exp(t));
}

// 4 Raised cosine on [mu - s, mu + s].
LD RaisedCosineDensity(const K&, const P& p, LD x) {
    return (1 + std::cos(kPi * (x - p[1]) / p[2])) / (2 * p[2]);
}
SearchRange RaisedCosineSupport(const K&, const P& p) {
    return {static_cast<double>(p[1] - p[2]), static_cast<double>(p[1] + p[2])};
}
bool RaisedCosineRange(const RangeInput& in, SearchRange& r) {
    r = {in.p1 - in.p2, in.p1 + in.p2};
    return true;
}

// 5 Cauchy
LD CauchyDensity(const K&, const P& p, LD x) {
    const LD z = (x - p[1]) / p[2];
    return 1 / (kPi * p[2] * (1 + z * z));
}

// 6 Fisher-Tippett
LD FisherTippettDensity(const K&, const P& p, LD x) {
    const LD e = Exp((p[1] - x) / p[2]);
    return e * Exp(-e) / p[2];
}

// 7 Laplace
LD LaplaceDensity(const K&, const P& p, LD x) {
    return Exp(-std::fabs(x - p[1]) / p[2]) / (2 * p[2]);
}
bool LaplaceRange(const RangeInput& in, SearchRange& r) {
    if (in.fit && in.search.EndsCut(r.min, r.max, in.p1)) return true;
    r = in.search.Threshold(in.p1, in.p2 / 1000, r);
    return true;
}

// 8 Logistic
LD LogisticDensity(const K&, const P& p, LD x) {
    const LD e = Exp(-(x - p[1]) / p[2]);
    return e / (p[2] * (1 + e) * (1 + e));
}

// 9 Weibull, k = p1, lambda = p2. The fit scans k: 655 shapes from 1.5.
constexpr ShapeScan kWeibullShapes{.first = 1.5, .end = 8.04, .step = 0.01, .parameter = 1};
LD WeibullDensity(const K&, const P& p, LD x) {
    return (p[1] / p[2]) * Pow(x / p[2], p[1] - 1) * Exp(-Pow(x / p[2], p[1]));
}
bool WeibullRange(const RangeInput& in, SearchRange& r) {
    const double k = in.p1, lambda = in.p2;
    const double step = 0.001 * (lambda > 1 ? std::max(k, lambda) : std::min(k, lambda));
    const double x0 = k > 1 ? ClimbToMode(in.search, 1E-06, step, true) : 1E-05;
    r = in.search.OneSided(x0, step, r);
    r.min = 0;
    return true;
}

// 10 Rayleigh
LD RayleighDensity(const K&, const P& p, LD x) {
    return (x / (p[1] * p[1])) * Exp(-x * x / (2 * p[1] * p[1]));
}
bool RayleighRange(const RangeInput& in, SearchRange& r) {
    r = in.search.OneSided(in.p1, in.p1 / 1000, r);
    r.min = 0;
    return true;
}

// 11 Levy
LD LevyDensity(const K&, const P& p, LD x) {
    if (x <= 0) return 0;
    return std::sqrt(p[1] / (2 * kPi)) * Exp(-p[1] / (2 * x)) / Pow(x, 1.5L);
}

// 12 Student, nu = p1.
void StudentPrepare(K& k, const P& p) {
    k.c = Gamma((p[1] + 1) / 2) / (std::sqrt(p[1] * kPi) * Gamma(p[1] / 2));
}
LD StudentDensity(const K& k, const P& p, LD x) {
    return k.c * Pow(1 + x * x / p[1], -(p[1] + 1) / 2);
}
bool StudentRange(const RangeInput& in, SearchRange& r) {
    r = in.search.Threshold(0, 0.1, r);
    return true;
}

// 13, 14 Beta on [0, 1] and on [a, b].
void BetaPrepare(K& k, const P& p) {
    k.b = Gamma(p[1]) * Gamma(p[2]) / Gamma(p[1] + p[2]);
}
LD BetaUnitDensity(const K& k, const P& p, LD x) {
    return Pow(x, p[1] - 1) * Pow(1 - x, p[2] - 1) / k.b;
}
SearchRange BetaUnitSupport(const K&, const P&) {
    return {0, 1};
}
// From the mode (or near 0) outwards in steps of 0.001 to the first point at eps * f(x0); an end
// of [0, 1] reached first stays the end.
bool BetaUnitRange(const RangeInput& in, SearchRange& r) {
    const double a = in.p1, b = in.p2, step = 0.001;
    const double x0 = (a > 1 && b > 1) ? (a - 1) / (a + b - 2) : 1E-05;
    const long double t = in.eps * in.search.Eval(x0);
    r = {0.0, 1.0};
    for (long j = 1;; ++j) {
        const double x = x0 - j * step;
        if (x <= 0) break;
        if (in.search.Eval(x) <= t) {
            r.min = x;
            break;
        }
    }
    for (long j = 1;; ++j) {
        const double x = x0 + j * step;
        if (x >= 1) break;
        if (in.search.Eval(x) <= t) {
            r.max = x;
            break;
        }
    }
    return true;
}
LD BetaGeneralDensity(const K& k, const P& p, LD x) {
    return Pow(x - p[3], p[1] - 1) * Pow(p[4] - x, p[2] - 1) /
           (k.b * Pow(p[4] - p[3], p[1] + p[2] - 1));
}
SearchRange BetaGeneralSupport(const K&, const P& p) {
    return {static_cast<double>(p[3]), static_cast<double>(p[4])};
}

// 15 Gamma, k = p1, theta = p2.
void GammaPrepare(K& k, const P& p) {
    k.c = Gamma(p[1]) * Pow(p[2], p[1]);
}
LD GammaDensity(const K& k, const P& p, LD x) {
    return Pow(x, p[1] - 1) * Exp(-x / p[2]) / k.c;
}
bool GammaRange(const RangeInput& in, SearchRange& r) {
    r = in.search.OneSided((in.p1 - 1) * in.p2, in.p2 / 1000, r);
    return !(in.fit && r.min == r.max);
}

// 16 Snedecor F, n1 = p1, n2 = p2.
void SnedecorPrepare(K& k, const P& p) {
    k.c =
        Gamma((p[1] + p[2]) / 2) / (Gamma(p[1] / 2) * Gamma(p[2] / 2)) * Pow(p[1] / p[2], p[1] / 2);
}
LD SnedecorDensity(const K& k, const P& p, LD x) {
    return k.c * Pow(x, p[1] / 2 - 1) * Pow(1 + (p[1] / p[2]) * x, -(p[1] + p[2]) / 2);
}
bool SnedecorRange(const RangeInput& in, SearchRange& r) {
    r = in.search.OneSided(ClimbToMode(in.search, 0.01, 0.01, false), 0.01, r);
    r.min = 0;
    return !(in.fit && r.max < 0);
}

// 17 Pareto, xm = p1, k = p2.
LD ParetoDensity(const K&, const P& p, LD x) {
    if (x <= 0) return 0;
    return p[2] * Pow(p[1], p[2]) / Pow(x, p[2] + 1);
}
SearchRange ParetoSupport(const K&, const P& p) {
    return {static_cast<double>(p[1]), kInf};
}

// 18 Uniform, 19 Triangular (a = p1, b = p2, mode c = p3).
LD UniformDensity(const K&, const P& p, LD) {
    return 1 / (p[2] - p[1]);
}
LD TriangularDensity(const K&, const P& p, LD x) {
    if (x <= p[3]) return (x - p[1]) / (2 * (p[2] - p[1]) * (p[3] - p[1]));
    return (p[2] - x) / (2 * (p[2] - p[1]) * (p[2] - p[3]));
}

// 20 Exponential, delta = p1; the range starts at delta.
LD ExponentialDensity(const K&, const P& p, LD x) {
    return Exp(-x / p[1]) / p[1];
}
bool ExponentialRange(const RangeInput& in, SearchRange& r) {
    return WalkFromDelta(in, r, 0.1 * in.p1, 1.0L);
}

// 21 Chi-square, n = p1.
void ChiSquarePrepare(K& k, const P& p) {
    k.c = Gamma(p[1] / 2) * Pow(2, p[1] / 2);
}
LD ChiSquareDensity(const K& k, const P& p, LD x) {
    return Pow(x, p[1] / 2 - 1) * Exp(-x / 2) / k.c;
}
bool ChiSquareRange(const RangeInput& in, SearchRange& r) {
    r = in.search.OneSided(in.p1, 0.01, r);
    r.min = 0;
    return true;
}

// 22 Half-logistic: delta does not enter the density, it only sets where the range starts.
LD HalfLogisticDensity(const K&, const P&, LD x) {
    const LD e = Exp(-x);
    return 2 * e / ((1 + e) * (1 + e));
}
bool HalfLogisticRange(const RangeInput& in, SearchRange& r) {
    return WalkFromDelta(in, r, 0.1, 0.1L);
}

// 23 LogNormal_3P: mu = p1, sigma = p2, skewness g = p3; eta (the threshold in standard units) and
// w come from the skewness.
void LogNormal3Prepare(K& k, const P& p) {
    const LD s = -std::fabs(p[3]);
    const LD pp = s * s + 2;
    const LD q = std::sqrt(s * s + 4);
    const LD v = q / (2 * s * s) - pp / (2 * s * s * s);
    k.r = PowChecked(D(v), 0.3333333333333333);
    k.eta = 1 / (s * s * k.r) + k.r - 1 / s;
    if (p[3] > 0) k.eta = -k.eta;
    k.w = 1 / (k.eta * k.eta) + 1;
    k.lnw = Ln(k.w);
}
LD LogNormal3Density(const K& k, const P& p, LD x) {
    const LD d = std::fabs((x - p[1]) / p[2] - k.eta);
    if (d == 0) return 0; // the density vanishes at its threshold
    const LD l = Ln(std::sqrt(k.w) * d / std::fabs(k.eta));
    return Exp(-l * l / (2 * k.lnw)) / (std::sqrt(2 * kPi * k.lnw) * d);
}
// The formula mirrors itself at the threshold; the distribution lies on the side of the mean.
SearchRange LogNormal3Support(const K& k, const P& p) {
    const double threshold = static_cast<double>(p[1] + k.eta * p[2]);
    return k.eta < 0 ? SearchRange{threshold, kInf} : SearchRange{-kInf, threshold};
}

// Bits of positiveMask.
constexpr int kP1 = 1, kP2 = 2;

constexpr DistributionInfo kRegistry[DistributionCount] = {
    {.type = dist::Normal,
     .name = "Normální",
     .nameMessage = 91,
     .rankingNameMessage = 91,
     .parameterCount = 2,
     .labels = {"Mi", "Sigma", "", ""},
     .groupSuffix = " F (x | Mi,Sigma)",
     .positiveMask = kP2,
     .density = NormalDensity,
     .support = WholeLine,
     .range = NormalRange,
     .estimate = MeanAndSigma,
     .input = &NormalInput},
    {.type = dist::LogNormal2P,
     .name = "LogNormal_2P",
     .parameterCount = 2,
     .labels = {"Mi", "Sigma", "", ""},
     .groupSuffix = " F (x | Mi,Sigma)",
     .positiveMask = kP1 | kP2,
     .prepare = LogNormalPrepare,
     .density = LogNormalDensity,
     .support = PositiveHalfLine,
     .widensToData = true,
     .range = RatioStep100,
     .estimate = MeanAndSigma,
     .refusesFit = LogNormalRefusesFit,
     .input = &LogNormalInput},
    {.type = dist::GumbelI,
     .name = "Gumbelovo_I",
     .parameterCount = 2,
     .labels = {"Mi", "Sigma", "", ""},
     .groupSuffix = " F (x | Mi,Sigma)",
     .positiveMask = kP2,
     .prepare = GumbelPrepare,
     .density = GumbelIDensity,
     .support = WholeLine,
     .range = RatioStep1000,
     .estimate =
         [](FitEstimate& fit, const SampleStatistics& s, double, double) {
             fit.parameterText = MeanSigmaText(s);
             fit.refused = Midrange(s) < s.median;
         },
     .input = &GumbelMaxInput},
    {.type = dist::GumbelII,
     .name = "Gumbelovo_II",
     .parameterCount = 2,
     .labels = {"Mi", "Sigma", "", ""},
     .groupSuffix = " F (x | Mi,Sigma)",
     .positiveMask = kP2,
     .prepare = GumbelPrepare,
     .density = GumbelIIDensity,
     .support = WholeLine,
     .range = RatioStep1000,
     .estimate =
         [](FitEstimate& fit, const SampleStatistics& s, double, double) {
             fit.parameterText = MeanSigmaText(s);
             fit.refused = Midrange(s) > s.median;
         },
     .input = &GumbelMinInput},
    {.type = dist::RaisedCosine,
     .name = "Raised-cosine",
     .parameterCount = 2,
     .labels = {"Mi", "s", "", ""},
     .groupSuffix = " F (x | Mi,s)",
     .positiveMask = kP2,
     .density = RaisedCosineDensity,
     .support = RaisedCosineSupport,
     .fixedRange = true,
     .range = RaisedCosineRange,
     .estimate =
         [](FitEstimate& fit, const SampleStatistics& smp, double, double s) {
             // 1/3 - 2/pi^2: the variance of the raised cosine with s = 1.
             fit.p[2] = std::sqrt(static_cast<LD>(s) * s / 0.1306909660486578L);
             fit.parameterText = "Mi=" + smp.meanText + ",s=" + FiveDecimals(fit.p[2]) + ")";
         }},
    {.type = dist::Cauchy,
     .name = "Cauchy",
     .parameterCount = 2,
     .labels = {"Xo", "Gama", "", ""},
     .groupSuffix = " F (x | Xo,gama)",
     .density = CauchyDensity,
     .support = WholeLine},
    {.type = dist::FisherTippett,
     .name = "Fisher-Tippett",
     .parameterCount = 2,
     .labels = {"Mi", "Beta", "", ""},
     .groupSuffix = " F (x | Mi,beta)",
     .positiveMask = kP2,
     .density = FisherTippettDensity,
     .support = WholeLine,
     .widensToData = true,
     .range = RatioStep1000,
     .estimate =
         [](FitEstimate& fit, const SampleStatistics& smp, double, double s) {
             fit.p[2] = std::sqrt(6.0L) * s / kPi;
             fit.parameterText = "Mi=" + smp.meanText + ",Beta=" + FiveDecimals(fit.p[2]) + ")";
         }},
    {.type = dist::Laplace,
     .name = "Laplace",
     .parameterCount = 2,
     .labels = {"Mi", "b", "", ""},
     .groupSuffix = " F (x | Mi,b)",
     .positiveMask = kP2,
     .density = LaplaceDensity,
     .support = WholeLine,
     .range = LaplaceRange,
     .estimate =
         [](FitEstimate& fit, const SampleStatistics& smp, double, double s) {
             fit.p[2] = s / std::sqrt(2.0L);
             fit.parameterText = "Mi=" + smp.meanText + ",b=" + FiveDecimals(fit.p[2]) + ")";
         }},
    {.type = dist::Logistic,
     .name = "Logistic",
     .parameterCount = 2,
     .labels = {"Mi", "s", "", ""},
     .groupSuffix = " F (x | Mi,s)",
     .positiveMask = kP2,
     .density = LogisticDensity,
     .support = WholeLine,
     .range = ThresholdStep1000,
     .estimate =
         [](FitEstimate& fit, const SampleStatistics& smp, double, double s) {
             fit.p[2] = std::sqrt(3.0L) * s / kPi;
             fit.parameterText = "Mi=" + smp.meanText + ", s=" + FiveDecimals(fit.p[2]) + ")";
         }},
    {.type = dist::Weibull,
     .name = "Weibull",
     .parameterCount = 2,
     .labels = {"k", "lambda", "", ""},
     .groupSuffix = " F (x | k,lambda)",
     .positiveMask = kP1 | kP2,
     .density = WeibullDensity,
     .support = PositiveHalfLine,
     .epsScale = 0.01,
     .zeroCut = true,
     .range = WeibullRange,
     .estimate =
         [](FitEstimate& fit, const SampleStatistics&, double m, double) {
             // k is the scanned shape.
             fit.p[2] = m / Gamma(1 + 1 / fit.p[1]);
             fit.parameterText =
                 "k=" + FiveDecimals(fit.p[1]) + ", Lambda=" + FiveDecimals(fit.p[2]) + ")";
         },
     .shapeScan = &kWeibullShapes},
    {.type = dist::Rayleigh,
     .name = "Rayleigh",
     .parameterCount = 1,
     .labels = {"Sigma", "", "", ""},
     .groupSuffix = " F (x | Sigma)",
     .positiveMask = kP1,
     .density = RayleighDensity,
     .support = PositiveHalfLine,
     .epsScale = 0.01,
     .zeroCut = true,
     .range = RayleighRange,
     .estimate =
         [](FitEstimate& fit, const SampleStatistics& smp, double, double s) {
             fit.p[1] = s;
             fit.parameterText = "Sigma=" + smp.sigmaText + ")";
         }},
    {.type = dist::Levy,
     .name = "Lévy",
     .parameterCount = 1,
     .labels = {"c", "", "", ""},
     .groupSuffix = " F (x | c)",
     .density = LevyDensity,
     .support = PositiveHalfLine},
    {.type = dist::Student,
     .name = "Studentovo",
     .rankingNameMessage = 93,
     .parameterCount = 1,
     .labels = {"n", "", "", ""},
     .groupSuffix = " F (x | n)",
     .positiveMask = kP1,
     .prepare = StudentPrepare,
     .density = StudentDensity,
     .support = WholeLine,
     .range = StudentRange,
     .estimate =
         [](FitEstimate& fit, const SampleStatistics&, double, double s) {
             const LD s2 = static_cast<LD>(s) * s;
             fit.p[1] = 2 * s2 / (s2 - 1); // s = 1 divides by zero: reported as a math fault
             fit.parameterText = "n=" + FiveDecimals(fit.p[1]) + ")";
             fit.refused = fit.p[1] - 1 <= 0;
         }},
    {.type = dist::BetaUnit,
     .name = "Beta_v_nule",
     .rankingNameMessage = 94,
     .parameterCount = 2,
     .labels = {"alfa", "beta", "", ""},
     .groupSuffix = " F (x | alfa,beta)",
     .positiveMask = kP1 | kP2,
     .prepare = BetaPrepare,
     .density = BetaUnitDensity,
     .support = BetaUnitSupport,
     .range = BetaUnitRange,
     .estimate =
         [](FitEstimate& fit, const SampleStatistics&, double m, double s) {
             const LD mm = m, s2 = static_cast<LD>(s) * s;
             fit.p[1] = mm * mm * (1 - mm) * s2 / ((1 - mm) * (1 - mm) * (1 - mm) * (1 - mm) + mm);
             fit.p[2] = (1 - mm) * fit.p[1] / mm;
             fit.parameterText =
                 "alfa=" + FiveDecimals(fit.p[1]) + ",beta=" + FiveDecimals(fit.p[2]) + ")";
         }},
    {.type = dist::BetaGeneral,
     .name = "Beta_obecné",
     .rankingNameMessage = 95,
     .parameterCount = 4,
     .labels = {"alfa", "beta", "a", "b"},
     .groupSuffix = " F (x | alfa,beta,a,b)",
     .prepare = BetaPrepare,
     .density = BetaGeneralDensity,
     .support = BetaGeneralSupport},
    {.type = dist::Gamma,
     .name = "Gama",
     .parameterCount = 2,
     .labels = {"k", "theta", "", ""},
     .groupSuffix = " F (x | k,theta)",
     .positiveMask = kP1 | kP2,
     .prepare = GammaPrepare,
     .density = GammaDensity,
     .support = PositiveHalfLine,
     .epsScale = 1E-05,
     .range = GammaRange,
     .estimate =
         [](FitEstimate& fit, const SampleStatistics&, double m, double s) {
             const LD mm = m, s2 = static_cast<LD>(s) * s;
             fit.p[1] = mm * mm / s2;
             fit.p[2] = s2 / mm;
             fit.parameterText =
                 "k=" + FiveDecimals(fit.p[1]) + ",theta=" + FiveDecimals(fit.p[2]) + ")";
             fit.refused = fit.p[1] < 1;
         },
     .refusesFit = [](const Density& f, const SampleStatistics&,
                      double) { return f.preparedC() == 0; }},
    {.type = dist::Snedecor,
     .name = "Snedecorovo",
     .parameterCount = 2,
     .labels = {"n1", "n2", "", ""},
     .groupSuffix = " F(x|n1,n2)",
     .positiveMask = kP1 | kP2,
     .prepare = SnedecorPrepare,
     .density = SnedecorDensity,
     .support = PositiveHalfLine,
     .range = SnedecorRange,
     .estimate =
         [](FitEstimate& fit, const SampleStatistics&, double m, double s) {
             const LD mm = m, s2 = static_cast<LD>(s) * s;
             LD& n1 = fit.p[1];
             LD& n2 = fit.p[2];
             n2 = 2 * mm / (mm - 1);
             n1 = 2 * n2 * n2 / ((n2 - 4) * (n2 - 2) * s2 * (1 - 2 * n2 * n2));
             fit.parameterText = "n1=" + FiveDecimals(n1) + ",n2=" + FiveDecimals(n2) + ")";
             fit.refused = n1 <= 0;
         },
     .refusesFit = [](const Density& f, const SampleStatistics&,
                      double) { return f.preparedC() > 1E+308L; }},
    {.type = dist::Pareto,
     .name = "Pareto",
     .parameterCount = 2,
     .labels = {"Xm", "k", "", ""},
     .groupSuffix = " F (x | xm,k)",
     .density = ParetoDensity,
     .support = ParetoSupport},
    {.type = dist::Uniform,
     .name = "Uniform",
     .parameterCount = 2,
     .labels = {"a", "b", "", ""},
     .groupSuffix = " F (x | a,b)",
     .density = UniformDensity,
     .support = BetweenP1P2,
     .ranked = false},
    {.type = dist::Triangular,
     .name = "Triangular",
     .parameterCount = 3,
     .labels = {"a", "b", "c", ""},
     .groupSuffix = " F (x | a,b,c)",
     .density = TriangularDensity,
     .support = BetweenP1P2,
     .ranked = false},
    {.type = dist::Exponential,
     .name = "Exponenciální",
     .rankingNameMessage = 92,
     .parameterCount = 1,
     .labels = {"delta", "", "", ""},
     .groupSuffix = " F (x | delta)",
     .positiveMask = kP1,
     .density = ExponentialDensity,
     .support = PositiveHalfLine,
     .range = ExponentialRange,
     .estimate =
         [](FitEstimate& fit, const SampleStatistics& smp, double m, double) {
             fit.p[1] = m;
             fit.parameterText = "delta=" + smp.meanText + ")";
         }},
    {.type = dist::ChiSquare,
     .name = "X2",
     .parameterCount = 1,
     .labels = {"n", "", "", ""},
     .groupSuffix = " F(x | n)",
     .positiveMask = kP1,
     .prepare = ChiSquarePrepare,
     .density = ChiSquareDensity,
     .support = PositiveHalfLine,
     .zeroCut = true,
     .range = ChiSquareRange,
     .estimate =
         [](FitEstimate& fit, const SampleStatistics& smp, double m, double) {
             fit.p[1] = m;
             fit.parameterText = "n=" + smp.meanText + ")";
         }},
    {.type = dist::HalfLogistic,
     .name = "Half-Logistic",
     .parameterCount = 1,
     .labels = {"delta", "", "", ""},
     .groupSuffix = " F (x | delta)",
     .density = HalfLogisticDensity,
     .support = PositiveHalfLine,
     .range = HalfLogisticRange,
     .estimate =
         [](FitEstimate& fit, const SampleStatistics& smp, double m, double) {
             fit.p[1] = m;
             fit.parameterText = "Delta=" + smp.meanText + ")";
         }},
    {.type = dist::LogNormal3P,
     .name = "LogNormal_3P",
     .parameterCount = 3,
     .labels = {"Mi", "Sigma", "        Skewness", ""},
     .groupSuffix = " F (x | Mi,Sigma,Skewness)",
     .positiveMask = kP1 | kP2,
     .prepare = LogNormal3Prepare,
     .density = LogNormal3Density,
     .support = LogNormal3Support,
     .range = RatioStep100,
     .estimate =
         [](FitEstimate& fit, const SampleStatistics& smp, double, double) {
             fit.p[3] = smp.skewness;
             fit.parameterText = "Mi=" + smp.meanText + ",Sigma=" + smp.sigmaText +
                                 ",Skewness=" + smp.skewnessText + ")";
             fit.refused = smp.skewness == 0;
         },
     .refusesFit = [](const Density& f, const SampleStatistics&,
                      double) { return f.preparedR() == 0; }},
};

constexpr int CountInputTypes() {
    int n = 0;
    while (n < DistributionCount && kRegistry[n].input)
        ++n;
    return n;
}
// Not constexpr: under the address sanitizer GCC does not take a global's address as a constant.
const int kInputTypeCount = CountInputTypes();

constexpr bool RowsInListOrder() {
    for (int t = 0; t < DistributionCount; ++t)
        if (kRegistry[t].type != t) return false;
    return true;
}
constexpr bool InputTypesFirst() {
    for (int t = CountInputTypes(); t < DistributionCount; ++t)
        if (kRegistry[t].input) return false;
    return true;
}
constexpr int ShapeScanCount() {
    int n = 0;
    for (const DistributionInfo& row : kRegistry)
        n += row.shapeScan != nullptr;
    return n;
}
static_assert(RowsInListOrder(), "a row's place in the registry is its type");
// Checked by the normal build; the sanitizer build cannot evaluate the rows' pointers at compile
// time.
#ifndef __SANITIZE_ADDRESS__
static_assert(InputTypesFirst(), "the input rows' list positions are the types");
static_assert(ShapeScanCount() <= 1, "the fit context carries one scanned shape");
#endif

} // namespace

bool IsValidDistributionType(int type) {
    return type >= 0 && type < DistributionCount;
}

int InputTypeCount() {
    return kInputTypeCount;
}

bool IsInputType(int type) {
    return type >= 0 && type < kInputTypeCount;
}

const DistributionInfo& Distribution(DistributionType type) {
    return kRegistry[IsValidDistributionType(type) ? type : 0];
}

} // namespace tessavin
