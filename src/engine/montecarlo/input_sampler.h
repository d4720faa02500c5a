#pragma once
// One random input of the simulation as a continuous quantity: a parametric input follows its
// distribution cut to the range of its histogram; a histogram input (measured data, or any
// histogram without a distribution behind it) is spread uniformly within each class.
#include <optional>
#include <vector>

#include "histogram/histogram.h"
#include "montecarlo/normal_distribution.h"
#include "parametric/distribution_registry.h"
#include "parametric/input_sampling.h"

namespace tessavin::montecarlo {

class InputSampler {
  public:
    // An input type of the registry with mean mi and standard deviation sigma (the densities of
    // the distribution catalogue), cut to [lo, hi]. None when the type is no input type, its
    // checks refuse mi or sigma, or [lo, hi] holds no probability of the distribution.
    static std::optional<InputSampler> Parametric(DistributionType type, double mi, double sigma,
                                                  double lo, double hi);
    // Class i of h with probability P[i], uniform within [ClassLower, ClassUpper]. None when h
    // has no class, no width or no probability.
    static std::optional<InputSampler> Classes(const DiscreteHistogram& h);
    InputSampler() = default;

    // The value at cumulative probability u in (0, 1): a draw when u is uniform.
    double Quantile(double u) const;
    // Cumulative probability of the cut distribution at x (0 below lo, 1 above hi).
    double Cdf(double x) const;

    // A parametric input whose sums stay normal (InputSampling::normal).
    bool normal() const { return sampling_ && sampling_->normal; }
    double lower() const { return lo_; }
    double upper() const { return hi_; }
    // Mean and standard deviation of the cut distribution; valid for a normal() input only.
    const Moments& normalMoments() const { return moments_; }

  private:
    double UncutCdf(double x) const;
    double UncutQuantile(double p) const;

    const InputSampling* sampling_ = nullptr; // nullptr: a histogram input
    double lo_ = 0.0, hi_ = 0.0;
    // Parametric: location and scale as InputSampling::locate gives them.
    double loc_ = 0.0, scale_ = 1.0;
    double cdfLo_ = 0.0, cdfSpan_ = 1.0; // the uncut CDF at lo and F(hi) - F(lo)
    Moments moments_;
    // Classes: lower edge of class 1, width, cumulative probabilities cum_[0] = 0 .. cum_[n] = 1.
    double step_ = 0.0;
    std::vector<double> cum_;
};

} // namespace tessavin::montecarlo
