#pragma once
// One random input of the simulation as a continuous quantity: a parametric input follows its
// distribution cut to the range of its histogram; a histogram input (measured data, or any
// histogram without a distribution behind it) is spread uniformly within each class.
#include <optional>
#include <vector>

#include "histogram/histogram.h"
#include "montecarlo/normal_distribution.h"

namespace tessavin::montecarlo {

class InputSampler {
  public:
    enum class Kind { Normal, LogNormal, GumbelMax, GumbelMin, Classes };

    // Type 0 Normal, 1 LogNormal_2P, 2 Gumbelovo_I, 3 Gumbelovo_II with mean mi and standard
    // deviation sigma (the densities of the distribution catalogue), cut to [lo, hi]. None when
    // [lo, hi] holds no probability of the distribution.
    static std::optional<InputSampler> Parametric(int type, double mi, double sigma, double lo,
                                                  double hi);
    // Class i of h with probability P[i], uniform within [ClassLower, ClassUpper]. None when h
    // has no class, no width or no probability.
    static std::optional<InputSampler> Classes(const DiscreteHistogram& h);
    InputSampler() = default;

    // The value at cumulative probability u in (0, 1): a draw when u is uniform.
    double Quantile(double u) const;
    // Cumulative probability of the cut distribution at x (0 below lo, 1 above hi).
    double Cdf(double x) const;

    Kind kind() const { return kind_; }
    double lower() const { return lo_; }
    double upper() const { return hi_; }
    // Mean and standard deviation of the cut distribution; valid for Kind::Normal only.
    const Moments& normalMoments() const { return moments_; }

  private:
    double UncutCdf(double x) const;
    double UncutQuantile(double p) const;

    Kind kind_ = Kind::Classes;
    double lo_ = 0.0, hi_ = 0.0;
    // Parametric: location and scale (normal mu/sigma, log-normal of ln x, Gumbel u and 1/a).
    double loc_ = 0.0, scale_ = 1.0;
    double cdfLo_ = 0.0, cdfSpan_ = 1.0; // the uncut CDF at lo and F(hi) - F(lo)
    Moments moments_;
    // Classes: lower edge of class 1, width, cumulative probabilities cum_[0] = 0 .. cum_[n] = 1.
    double step_ = 0.0;
    std::vector<double> cum_;
};

} // namespace tessavin::montecarlo
