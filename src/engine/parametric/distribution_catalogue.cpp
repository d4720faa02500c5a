#include "parametric/distribution_catalogue.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "localisation/language.h"
#include "localisation/messages.h"
#include "parametric/special_functions.h"

namespace tessavin {
namespace {

using LD = long double;
constexpr LD kPi = std::numbers::pi_v<long double>;

// Every distribution in one table: list name, labels in parameter order, group-title suffix.
const DistributionInfo kCatalogue[DistributionCount] = {
    {0, "Normální", 2, {"Mi", "Sigma", "", ""}, " F (x | Mi,Sigma)"},
    {1, "LogNormal_2P", 2, {"Mi", "Sigma", "", ""}, " F (x | Mi,Sigma)"},
    {2, "Gumbelovo_I", 2, {"Mi", "Sigma", "", ""}, " F (x | Mi,Sigma)"},
    {3, "Gumbelovo_II", 2, {"Mi", "Sigma", "", ""}, " F (x | Mi,Sigma)"},
    {4, "Raised-cosine", 2, {"Mi", "s", "", ""}, " F (x | Mi,s)"},
    {5, "Cauchy", 2, {"Xo", "Gama", "", ""}, " F (x | Xo,gama)"},
    {6, "Fisher-Tippett", 2, {"Mi", "Beta", "", ""}, " F (x | Mi,beta)"},
    {7, "Laplace", 2, {"Mi", "b", "", ""}, " F (x | Mi,b)"},
    {8, "Logistic", 2, {"Mi", "s", "", ""}, " F (x | Mi,s)"},
    {9, "Weibull", 2, {"k", "lambda", "", ""}, " F (x | k,lambda)"},
    {10, "Rayleigh", 1, {"Sigma", "", "", ""}, " F (x | Sigma)"},
    {11, "Lévy", 1, {"c", "", "", ""}, " F (x | c)"},
    {12, "Studentovo", 1, {"n", "", "", ""}, " F (x | n)"},
    {13, "Beta_v_nule", 2, {"alfa", "beta", "", ""}, " F (x | alfa,beta)"},
    {14, "Beta_obecné", 4, {"alfa", "beta", "a", "b"}, " F (x | alfa,beta,a,b)"},
    {15, "Gama", 2, {"k", "theta", "", ""}, " F (x | k,theta)"},
    {16, "Snedecorovo", 2, {"n1", "n2", "", ""}, " F(x|n1,n2)"},
    {17, "Pareto", 2, {"Xm", "k", "", ""}, " F (x | xm,k)"},
    {18, "Uniform", 2, {"a", "b", "", ""}, " F (x | a,b)"},
    {19, "Triangular", 3, {"a", "b", "c", ""}, " F (x | a,b,c)"},
    {20, "Exponenciální", 1, {"delta", "", "", ""}, " F (x | delta)"},
    {21, "X2", 1, {"n", "", "", ""}, " F(x | n)"},
    {22, "Half-Logistic", 1, {"delta", "", "", ""}, " F (x | delta)"},
    {23, "LogNormal_3P", 3, {"Mi", "Sigma", "        Skewness", ""}, " F (x | Mi,Sigma,Skewness)"},
};

// The substitute-valued functions take doubles; an extended intermediate beyond the double range
// is clamped first so that the narrowing itself never overflows.
double D(LD v) {
    if (v > LargestReal) return LargestReal;
    if (v < -LargestReal) return -LargestReal;
    return static_cast<double>(v);
}
LD Exp(LD v) { return ExpChecked(D(v)); }
LD Ln(LD v) { return LnChecked(D(v)); }
LD Pow(LD b, LD e) { return PowChecked(D(b), D(e)); }
LD Gamma(LD v) { return GammaFn(D(v)); }

// Which parameters a type declares positive: bit 1 for p1, bit 2 for p2.
int PositiveMask(DistributionType t) {
    switch (t) {
    case 0: case 2: case 3: case 4: case 6: case 7: case 8: return 2;
    case 1: case 9: case 13: case 15: case 16: case 23: return 3;
    case 10: case 12: case 20: case 21: return 1;
    default: return 0;
    }
}

} // namespace

bool IsValidDistributionType(int type) { return type >= 0 && type < DistributionCount; }

const DistributionInfo& Distribution(DistributionType type) {
    return kCatalogue[IsValidDistributionType(type) ? type : 0];
}

std::string DistributionName(DistributionType type) {
    if (type == 0) return TextCis(91);
    return Distribution(type).name;
}

std::string ParameterGroupTitle(DistributionType type) {
    return TextCis(212) + Distribution(type).groupSuffix;
}

bool ParametersValid(DistributionType type, const DistributionParameters& p) {
    const int mask = PositiveMask(type);
    if ((mask & 1) && !(p[1] > 0)) return false;
    if ((mask & 2) && !(p[2] > 0)) return false;
    return true;
}

Density::Density(DistributionType type, const DistributionParameters& p) : type_(type), p_(p) {
    const LD p1 = p[1], p2 = p[2], p3 = p[3];
    switch (type) {
    case 1:
        w_ = 1 + (p2 / p1) * (p2 / p1);
        lnw_ = Ln(w_);
        break;
    case 2:
    case 3: // u = mu - 0.577/a for both Gumbel types
        a_ = kPi / (std::sqrt(6.0L) * p2);
        u_ = p1 - 0.577L / a_;
        break;
    case 12:
        c_ = Gamma((p1 + 1) / 2) / (std::sqrt(p1 * kPi) * Gamma(p1 / 2));
        break;
    case 13:
    case 14:
        b_ = Gamma(p1) * Gamma(p2) / Gamma(p1 + p2);
        break;
    case 15:
        c_ = Gamma(p1) * Pow(p2, p1);
        break;
    case 16:
        c_ = Gamma((p1 + p2) / 2) / (Gamma(p1 / 2) * Gamma(p2 / 2)) * Pow(p1 / p2, p1 / 2);
        break;
    case 21:
        c_ = Gamma(p1 / 2) * Pow(2, p1 / 2);
        break;
    case 23: {
        const LD s = -std::fabs(p3);
        const LD pp = s * s + 2;
        const LD q = std::sqrt(s * s + 4);
        const LD v = q / (2 * s * s) - pp / (2 * s * s * s);
        r_ = PowChecked(D(v), 0.3333333333333333);
        eta_ = 1 / (s * s * r_) + r_ - 1 / s;
        if (p3 > 0) eta_ = -eta_;
        w_ = 1 / (eta_ * eta_) + 1;
        lnw_ = Ln(w_);
        break;
    }
    default:
        break;
    }
}

long double Density::operator()(long double x) const {
    const LD p1 = p_[1], p2 = p_[2], p3 = p_[3], p4 = p_[4];
    switch (type_) {
    case 0: {
        const LD d = x - p1;
        return Exp(-d * d / (2 * p2 * p2)) / (SqrtTwoPi * p2);
    }
    case 1: { // support x > 0
        if (x <= 0) return 0;
        const LD l = Ln(std::sqrt(w_) * x / p1);
        return Exp(-l * l / (2 * lnw_)) / (SqrtTwoPi * x * std::sqrt(lnw_));
    }
    case 2:
    case 3: {
        const LD t = (type_ == 2 ? -a_ : a_) * (x - u_);
        return a_ * Exp(t - Exp(t));
    }
    case 4: return (1 + std::cos(kPi * (x - p1) / p2)) / (2 * p2);
    case 5: {
        const LD z = (x - p1) / p2;
        return 1 / (kPi * p2 * (1 + z * z));
    }
    case 6: {
        const LD e = Exp((p1 - x) / p2);
        return e * Exp(-e) / p2;
    }
    case 7: return Exp(-std::fabs(x - p1) / p2) / (2 * p2);
    case 8: {
        const LD e = Exp(-(x - p1) / p2);
        return e / (p2 * (1 + e) * (1 + e));
    }
    case 9: return (p1 / p2) * Pow(x / p2, p1 - 1) * Exp(-Pow(x / p2, p1));
    case 10: return (x / (p1 * p1)) * Exp(-x * x / (2 * p1 * p1));
    case 11: // support x > 0
        if (x <= 0) return 0;
        return std::sqrt(p1 / (2 * kPi)) * Exp(-p1 / (2 * x)) / Pow(x, 1.5L);
    case 12: return c_ * Pow(1 + x * x / p1, -(p1 + 1) / 2);
    case 13: return Pow(x, p1 - 1) * Pow(1 - x, p2 - 1) / b_;
    case 14: return Pow(x - p3, p1 - 1) * Pow(p4 - x, p2 - 1) / (b_ * Pow(p4 - p3, p1 + p2 - 1));
    case 15: return Pow(x, p1 - 1) * Exp(-x / p2) / c_;
    case 16: return c_ * Pow(x, p1 / 2 - 1) * Pow(1 + (p1 / p2) * x, -(p1 + p2) / 2);
    case 17: // support x > 0
        if (x <= 0) return 0;
        return p2 * Pow(p1, p2) / Pow(x, p2 + 1);
    case 18: return 1 / (p2 - p1);
    case 19:
        if (x <= p3) return (x - p1) / (2 * (p2 - p1) * (p3 - p1));
        return (p2 - x) / (2 * (p2 - p1) * (p2 - p3));
    case 20: return Exp(-x / p1) / p1;
    case 21: return Pow(x, p1 / 2 - 1) * Exp(-x / 2) / c_;
    case 22: {
        const LD e = Exp(-x);
        return 2 * e / ((1 + e) * (1 + e));
    }
    case 23: {
        const LD d = std::fabs((x - p1) / p2 - eta_);
        if (d == 0) return 0; // the density vanishes at its threshold
        const LD l = Ln(std::sqrt(w_) * d / std::fabs(eta_));
        return Exp(-l * l / (2 * lnw_)) / (std::sqrt(2 * kPi * lnw_) * d);
    }
    default: return 0;
    }
}

std::string FiveDecimals(long double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.5Lf", v);
    std::string s(buf);
    for (char& c : s)
        if (c == ',') c = '.';
    return s;
}

FitEstimate EstimateFromSample(DistributionType type, const SampleStatistics& sample, double m,
                               double s) {
    FitEstimate fit;
    auto& p = fit.p;
    p[1] = m;
    p[2] = s;
    const std::string& mt = sample.meanText;
    const std::string& st = sample.sigmaText;
    switch (type) {
    case 0:
    case 1:
        fit.parameterText = "Mi=" + mt + ",Sigma=" + st + ")";
        break;
    case 2:
    case 3: {
        fit.parameterText = "Mi=" + mt + ",Sigma=" + st + ")";
        const double mid = sample.xmin + (sample.xmax - sample.xmin) / 2;
        fit.refused = type == 2 ? mid < sample.median : mid > sample.median;
        break;
    }
    case 4:
        p[2] = std::sqrt(static_cast<LD>(s) * s / 0.1306909660486578L);
        fit.parameterText = "Mi=" + mt + ",s=" + FiveDecimals(p[2]) + ")";
        break;
    case 6:
        p[2] = std::sqrt(6.0L) * s / kPi;
        fit.parameterText = "Mi=" + mt + ",Beta=" + FiveDecimals(p[2]) + ")";
        break;
    case 7:
        p[2] = s / std::sqrt(2.0L);
        fit.parameterText = "Mi=" + mt + ",b=" + FiveDecimals(p[2]) + ")";
        break;
    case 8:
        p[2] = std::sqrt(3.0L) * s / kPi;
        fit.parameterText = "Mi=" + mt + ", s=" + FiveDecimals(p[2]) + ")";
        break;
    case 9:
        p[1] = sample.weibullShape;
        p[2] = m / Gamma(1 + 1 / static_cast<LD>(sample.weibullShape));
        fit.parameterText = "k=" + FiveDecimals(p[1]) + ", Lambda=" + FiveDecimals(p[2]) + ")";
        break;
    case 10:
        p[1] = s;
        fit.parameterText = "Sigma=" + st + ")";
        break;
    case 12: {
        const LD s2 = static_cast<LD>(s) * s;
        p[1] = 2 * s2 / (s2 - 1); // s = 1 divides by zero: reported as a math fault
        fit.parameterText = "n=" + FiveDecimals(p[1]) + ")";
        fit.refused = p[1] - 1 <= 0;
        break;
    }
    case 13: {
        const LD mm = m, s2 = static_cast<LD>(s) * s;
        p[1] = mm * mm * (1 - mm) * s2 / ((1 - mm) * (1 - mm) * (1 - mm) * (1 - mm) + mm);
        p[2] = (1 - mm) * p[1] / mm;
        fit.parameterText = "alfa=" + FiveDecimals(p[1]) + ",beta=" + FiveDecimals(p[2]) + ")";
        break;
    }
    case 15: {
        const LD mm = m, s2 = static_cast<LD>(s) * s;
        p[1] = mm * mm / s2;
        p[2] = s2 / mm;
        fit.parameterText = "k=" + FiveDecimals(p[1]) + ",theta=" + FiveDecimals(p[2]) + ")";
        fit.refused = p[1] < 1;
        break;
    }
    case 16: {
        const LD mm = m, s2 = static_cast<LD>(s) * s;
        p[2] = 2 * mm / (mm - 1);
        p[1] = 2 * p[2] * p[2] / ((p[2] - 4) * (p[2] - 2) * s2 * (1 - 2 * p[2] * p[2]));
        fit.parameterText = "n1=" + FiveDecimals(p[1]) + ",n2=" + FiveDecimals(p[2]) + ")";
        fit.refused = p[1] <= 0;
        break;
    }
    case 20:
        p[1] = m;
        fit.parameterText = "delta=" + mt + ")";
        break;
    case 21:
        p[1] = m;
        fit.parameterText = "n=" + mt + ")";
        break;
    case 22:
        p[1] = m;
        fit.parameterText = "Delta=" + mt + ")";
        break;
    case 23:
        p[3] = sample.skewness;
        fit.parameterText = "Mi=" + mt + ",Sigma=" + st + ",Skewness=" + sample.skewnessText + ")";
        fit.refused = sample.skewness == 0;
        break;
    default: // Cauchy, Levy, general Beta, Pareto, Uniform, Triangular: never fitted
        fit.refused = true;
        break;
    }
    return fit;
}

} // namespace tessavin
