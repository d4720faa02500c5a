#include "goodness/fitted_distribution.h"

#include <algorithm>
#include <cmath>

#include "localisation/message_ids.h"
#include "localisation/messages.h"

namespace tessavin {
namespace {

// Five-point Gauss–Legendre on [-1, 1].
constexpr long double kNode[5] = {-0.9061798459386639928L, -0.5384693101056830910L, 0.0L,
                                  0.5384693101056830910L, 0.9061798459386639928L};
constexpr long double kWeight[5] = {0.2369268850561890875L, 0.4786286704993664680L,
                                    0.5688888888888888889L, 0.4786286704993664680L,
                                    0.2369268850561890875L};
constexpr int kTailPanels = 256;
constexpr int kMaxPanels = 64; // a wide gap lies in a tail, where the density varies slowly
constexpr int kQuantileNodes = 4096;
constexpr long double kQuantileTail = 1e-12L;
constexpr double kHuge = 1e300;

template <class F> long double GaussLegendre(const F& g, long double a, long double b, int m) {
    const long double h = (b - a) / m;
    long double sum = 0;
    for (int j = 0; j < m; ++j) {
        const long double c = a + (j + 0.5L) * h;
        for (int q = 0; q < 5; ++q)
            sum += kWeight[q] * g(c + kNode[q] * h / 2);
    }
    return sum * h / 2;
}

long double Positive(long double v) {
    return std::isfinite(v) && v > 0 ? v : 0;
}

} // namespace

std::optional<FittedDistribution> FittedDistribution::Make(DistributionType type,
                                                           const DistributionParameters& p,
                                                           double anchor, double scale,
                                                           std::string& reason) {
    if (!IsValidDistributionType(type) || !ParametersValid(type, p)) {
        reason = TextCis(msg::ParametersOutsideDomain);
        return std::nullopt;
    }
    if (!(scale > 0) || !std::isfinite(scale) || !std::isfinite(anchor)) {
        reason = TextCis(msg::SampleWithoutSpread);
        return std::nullopt;
    }
    FittedDistribution d(type, p);
    const SearchRange s = Distribution(type).support(d.f_.constants(), p);
    d.lo_ = s.min;
    d.hi_ = s.max;
    d.anchor_ = std::clamp(anchor, d.lo_, d.hi_);
    d.scale_ = scale;
    if (!(d.lo_ < d.hi_)) {
        reason = TextCis(msg::EmptySupport);
        return std::nullopt;
    }
    d.total_ = 1;
    const long double total = d.integralBelow(d.anchor_) + d.integralAbove(d.anchor_);
    if (!(total > 0) || !std::isfinite(total)) {
        reason = TextCis(msg::DensityWithoutMass);
        return std::nullopt;
    }
    d.total_ = total;
    return d;
}

long double FittedDistribution::pdf(double x) const {
    if (x < lo_ || x > hi_) return 0;
    return Positive(f_(x)) / total_;
}

long double FittedDistribution::integral(double a, double b) const {
    a = std::max(a, lo_);
    b = std::min(b, hi_);
    if (!(b > a)) return 0;
    const double panels = std::ceil((b - a) / (scale_ / 16));
    const int m = static_cast<int>(std::clamp(panels, 1.0, static_cast<double>(kMaxPanels)));
    return GaussLegendre([this](long double x) { return Positive(f_(x)); }, a, b, m);
}

// ∫ from −∞ through x = x0 − scale·t/(1 − t), t in [0, 1).
long double FittedDistribution::integralBelow(double x) const {
    if (x <= lo_) return 0;
    if (std::isfinite(lo_)) return integral(lo_, x);
    const long double s = scale_;
    return GaussLegendre(
        [&](long double t) {
            const long double u = t / (1 - t);
            return Positive(f_(x - s * u)) * s / ((1 - t) * (1 - t));
        },
        0, 1, kTailPanels);
}

long double FittedDistribution::integralAbove(double x) const {
    if (x >= hi_) return 0;
    if (std::isfinite(hi_)) return integral(x, hi_);
    const long double s = scale_;
    return GaussLegendre(
        [&](long double t) {
            const long double u = t / (1 - t);
            return Positive(f_(x + s * u)) * s / ((1 - t) * (1 - t));
        },
        0, 1, kTailPanels);
}

FittedDistribution::Tails FittedDistribution::tailsAt(std::span<const double> sorted) const {
    Tails t;
    tailsAt(sorted, t);
    return t;
}

void FittedDistribution::tailsAt(std::span<const double> sorted, Tails& t) const {
    const std::size_t n = sorted.size();
    t.lower.resize(n);
    t.upper.resize(n);
    t.density.resize(n);
    if (n == 0) return;
    // The density at the sample values; normalised at the end.
    for (std::size_t i = 0; i < n; ++i)
        t.density[i] = sorted[i] >= lo_ && sorted[i] <= hi_
                           ? static_cast<double>(Positive(f_(sorted[i])))
                           : 0.0;
    // The mass of each gap from x_{i-1} to x_i, kept in `lower` until the sums are known. A
    // narrow gap inside the support takes Simpson's rule on the densities at the sample values
    // (error below 1e-12 relative at a sixty-fourth of the scale), which halves the density
    // evaluations of a large sample.
    std::vector<double>& gap = t.lower;
    gap[0] = 0.0;
    long double below = integralBelow(sorted[0]);
    long double above = integralAbove(sorted[n - 1]);
    long double total = below + above;
    for (std::size_t i = 1; i < n; ++i) {
        const double a = sorted[i - 1], b = sorted[i];
        const bool inside = a >= lo_ && b <= hi_ && a > -kHuge && b < kHuge;
        long double g;
        if (inside && b - a <= scale_ / 64) {
            const long double mid = Positive(f_(a + (b - a) / 2.0L));
            g = (static_cast<long double>(b) - a) / 6 *
                (static_cast<long double>(t.density[i - 1]) + 4 * mid + t.density[i]);
        } else {
            g = integral(a, b);
        }
        gap[i] = static_cast<double>(g);
        total += gap[i];
    }
    for (std::size_t i = n; i-- > 0;) {
        t.upper[i] = static_cast<double>(above / total);
        above += gap[i];
    }
    for (std::size_t i = 0; i < n; ++i) { // in place: gap i is read before F_i replaces it
        below += gap[i];
        t.lower[i] = static_cast<double>(below / total);
    }
    for (double& f : t.density)
        f = static_cast<double>(f / total_);
}

// Nodes anchor + scale·sinh(z), z uniform: fine near the bulk, reaching far into heavy tails.
void FittedDistribution::prepareQuantiles() const {
    if (!qx_.empty()) return;
    auto reach = [&](double dir) {
        double step = scale_;
        double x = anchor_;
        for (int i = 0; i < 200; ++i) {
            x = anchor_ + dir * step;
            if (x <= lo_ || x >= hi_) return std::clamp(x, lo_, hi_);
            const long double tail = dir < 0 ? integralBelow(x) : integralAbove(x);
            if (tail < kQuantileTail * total_) return x;
            step *= 2;
        }
        return x;
    };
    const double xlo = reach(-1), xhi = reach(1);
    const double zlo = std::asinh((xlo - anchor_) / scale_);
    const double zhi = std::asinh((xhi - anchor_) / scale_);
    qx_.resize(kQuantileNodes + 1);
    qF_.resize(kQuantileNodes + 1);
    for (int j = 0; j <= kQuantileNodes; ++j) {
        const double z = zlo + (zhi - zlo) * j / kQuantileNodes;
        qx_[j] = j == 0 ? xlo : j == kQuantileNodes ? xhi : anchor_ + scale_ * std::sinh(z);
    }
    long double F = integralBelow(xlo);
    qF_[0] = F / total_;
    for (int j = 1; j <= kQuantileNodes; ++j) {
        F += integral(qx_[j - 1], qx_[j]);
        qF_[j] = F / total_;
    }
}

double FittedDistribution::quantile(double u) const {
    prepareQuantiles();
    const auto it = std::upper_bound(qF_.begin(), qF_.end(), static_cast<long double>(u));
    if (it == qF_.begin()) return qx_.front();
    if (it == qF_.end()) return qx_.back();
    const std::size_t j = static_cast<std::size_t>(it - qF_.begin());
    const long double f0 = qF_[j - 1], f1 = qF_[j];
    const long double w = f1 > f0 ? (u - f0) / (f1 - f0) : 0.5L;
    return static_cast<double>(qx_[j - 1] + w * (qx_[j] - qx_[j - 1]));
}

} // namespace tessavin
