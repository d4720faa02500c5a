#pragma once
// A fitted parametric distribution as a continuous law: its density normalised over its support,
// its distribution function by numerical integration of that density, and sampling by inversion.
// Only the density is known in closed form for every type, so everything else is integrated.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "parametric/distribution_catalogue.h"

namespace tessavin {

class FittedDistribution {
  public:
    // scale: a length on which the density changes (the sample's deviation); it sets the
    // integration panels. A reason instead when the density cannot be evaluated or has no mass.
    // anchor: a point near the bulk of the distribution (the sample's mean).
    static std::optional<FittedDistribution> Make(DistributionType type,
                                                  const DistributionParameters& p, double anchor,
                                                  double scale, std::string& reason);

    DistributionType type() const { return f_.type(); }
    const DistributionParameters& parameters() const { return f_.parameters(); }
    // Normalised density.
    long double pdf(double x) const;

    // F and 1 − F at ascending values, each integrated from its own end of the support so that
    // both stay accurate in their tails. Sums run in extended precision; the results are kept
    // as doubles, which halves the memory a large sample walks through.
    struct Tails {
        std::vector<double> lower;   // F(x_i)
        std::vector<double> upper;   // 1 − F(x_i)
        std::vector<double> density; // the normalised density f(x_i)
    };
    Tails tailsAt(std::span<const double> sorted) const;
    // The same into `t`, whose vectors keep their memory from one call to the next: a large
    // sample measured against many candidates allocates once.
    void tailsAt(std::span<const double> sorted, Tails& t) const;

    // Inverse distribution function on a table of the distribution function between the
    // 1e-12 and 1 − 1e-12 quantiles (linear between nodes); u in (0, 1).
    void prepareQuantiles() const;
    double quantile(double u) const;

  private:
    FittedDistribution(DistributionType type, const DistributionParameters& p) : f_(type, p) {}
    long double integral(double a, double b) const; // finite a <= b, clamped to support
    long double integralBelow(double x) const;      // from the support's lower end
    long double integralAbove(double x) const;      // to the support's upper end

    Density f_;
    double lo_ = 0, hi_ = 0; // support
    double anchor_ = 0, scale_ = 1;
    long double total_ = 1;
    mutable std::vector<double> qx_;      // quantile table: nodes
    mutable std::vector<long double> qF_; // and F there
};

} // namespace tessavin
