#include "montecarlo/input_sampler.h"

#include <algorithm>
#include <cmath>

#include "parametric/distribution_catalogue.h"

namespace tessavin::montecarlo {

std::optional<InputSampler> InputSampler::Parametric(DistributionType type, double mi, double sigma,
                                                     double lo, double hi) {
    if (!IsInputType(type) || !ParametersValid(type, {0, mi, sigma, 0, 0})) return std::nullopt;
    InputSampler s;
    s.sampling_ = Distribution(type).input;
    s.lo_ = lo;
    s.hi_ = hi;
    s.sampling_->locate(mi, sigma, s.loc_, s.scale_);
    if (s.sampling_->normal) s.moments_ = TruncatedNormalMoments(s.loc_, s.scale_, lo, hi);
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
    return sampling_ ? sampling_->cdf(x, loc_, scale_) : 0.0;
}

double InputSampler::UncutQuantile(double p) const {
    return sampling_ ? sampling_->quantile(p, loc_, scale_) : 0.0;
}

double InputSampler::Quantile(double u) const {
    if (!sampling_) {
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
    if (!sampling_) {
        const double s = (x - lo_) / step_;
        const std::size_t n = cum_.size() - 1;
        const std::size_t i = std::min(n - 1, static_cast<std::size_t>(s)); // 0-based class
        const double frac = s - static_cast<double>(i);
        return cum_[i] + (cum_[i + 1] - cum_[i]) * frac;
    }
    return std::clamp((UncutCdf(x) - cdfLo_) / cdfSpan_, 0.0, 1.0);
}

} // namespace tessavin::montecarlo
