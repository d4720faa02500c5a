#include "montecarlo/input_sampler.h"

#include <algorithm>
#include <cmath>

namespace tessavin::montecarlo {

namespace {
// The Gumbel densities of the catalogue put their mode at u = mean − 0.577/a, a = π/(√6 σ).
constexpr double GumbelEuler = 0.577;
constexpr double Pi = 3.14159265358979323846;
} // namespace

std::optional<InputSampler> InputSampler::Parametric(int type, double mi, double sigma, double lo,
                                                     double hi) {
    InputSampler s;
    s.lo_ = lo;
    s.hi_ = hi;
    switch (type) {
    case 0:
        s.kind_ = Kind::Normal;
        s.loc_ = mi;
        s.scale_ = sigma;
        s.moments_ = TruncatedNormalMoments(mi, sigma, lo, hi);
        break;
    case 1: {
        // ln x is normal with variance ln w, w = 1 + (σ/μ)², and mean ln μ − ln(w)/2.
        s.kind_ = Kind::LogNormal;
        const double lnw = std::log1p((sigma / mi) * (sigma / mi));
        s.loc_ = std::log(mi) - 0.5 * lnw;
        s.scale_ = std::sqrt(lnw);
        break;
    }
    default: {
        s.kind_ = type == 2 ? Kind::GumbelMax : Kind::GumbelMin;
        const double a = Pi / (std::sqrt(6.0) * sigma);
        s.loc_ = mi - GumbelEuler / a;
        s.scale_ = 1.0 / a;
        break;
    }
    }
    s.cdfLo_ = s.UncutCdf(lo);
    s.cdfSpan_ = s.UncutCdf(hi) - s.cdfLo_;
    if (!(s.cdfSpan_ > 0) || !(s.scale_ > 0) || !std::isfinite(s.loc_)) return std::nullopt;
    return s;
}

std::optional<InputSampler> InputSampler::Classes(const DiscreteHistogram& h) {
    if (h.Bins < 1 || h.Bins > MaxBins || !(h.Step > 0) || !std::isfinite(RangeMin(h)) ||
        !std::isfinite(RangeMax(h)))
        return std::nullopt;
    InputSampler s;
    s.kind_ = Kind::Classes;
    s.lo_ = RangeMin(h);
    s.step_ = h.Step;
    s.hi_ = s.lo_ + h.Bins * h.Step;
    s.cum_.assign(static_cast<std::size_t>(h.Bins) + 1, 0.0);
    long double sum = 0;
    for (int i = 1; i <= h.Bins; ++i) {
        if (!(h.P[i] >= 0) || !std::isfinite(h.P[i])) return std::nullopt;
        sum += h.P[i];
    }
    if (!(sum > 0)) return std::nullopt;
    long double run = 0;
    for (int i = 1; i <= h.Bins; ++i) {
        run += h.P[i];
        s.cum_[i] = static_cast<double>(run / sum);
    }
    s.cum_[h.Bins] = 1.0;
    return s;
}

double InputSampler::UncutCdf(double x) const {
    switch (kind_) {
    case Kind::Normal:
        return NormalCdf((x - loc_) / scale_);
    case Kind::LogNormal:
        return x > 0 ? NormalCdf((std::log(x) - loc_) / scale_) : 0.0;
    case Kind::GumbelMax:
        return std::exp(-std::exp(-(x - loc_) / scale_));
    case Kind::GumbelMin:
        return -std::expm1(-std::exp((x - loc_) / scale_));
    case Kind::Classes:
        break;
    }
    return 0.0;
}

double InputSampler::UncutQuantile(double p) const {
    switch (kind_) {
    case Kind::Normal:
        return loc_ + scale_ * NormalQuantile(p);
    case Kind::LogNormal:
        return std::exp(loc_ + scale_ * NormalQuantile(p));
    case Kind::GumbelMax:
        return loc_ - scale_ * std::log(-std::log(p));
    case Kind::GumbelMin:
        return loc_ + scale_ * std::log(-std::log1p(-p));
    case Kind::Classes:
        break;
    }
    return 0.0;
}

double InputSampler::Quantile(double u) const {
    if (kind_ == Kind::Classes) {
        // The class whose cumulative interval holds u, and the same fraction of its width.
        const auto it = std::upper_bound(cum_.begin() + 1, cum_.end() - 1, u);
        const std::size_t i = static_cast<std::size_t>(it - cum_.begin()); // class 1 .. n
        const double width = cum_[i] - cum_[i - 1];
        const double frac = width > 0 ? (u - cum_[i - 1]) / width : 0.5;
        return lo_ + (static_cast<double>(i - 1) + std::clamp(frac, 0.0, 1.0)) * step_;
    }
    return std::clamp(UncutQuantile(cdfLo_ + u * cdfSpan_), lo_, hi_);
}

double InputSampler::Cdf(double x) const {
    if (!(x > lo_)) return 0.0;
    if (!(x < hi_)) return 1.0;
    if (kind_ == Kind::Classes) {
        const double s = (x - lo_) / step_;
        const std::size_t n = cum_.size() - 1;
        const std::size_t i = std::min(n - 1, static_cast<std::size_t>(s)); // 0-based class
        const double frac = s - static_cast<double>(i);
        return cum_[i] + (cum_[i + 1] - cum_[i]) * frac;
    }
    return std::clamp((UncutCdf(x) - cdfLo_) / cdfSpan_, 0.0, 1.0);
}

} // namespace tessavin::montecarlo
