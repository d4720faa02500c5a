#pragma once
// The parametric distributions as their users see them: names, parameter labels, densities,
// parameter checks and the estimation of their parameters from a measured sample. All of it is
// looked up in the registry (distribution_registry.h).
#include <string>

#include "parametric/distribution_registry.h"

namespace tessavin {

// List name; only type 0 follows the language ("Normal" / "Normální").
std::string DistributionName(DistributionType type);
// Message 212 followed by the type's suffix.
std::string ParameterGroupTitle(DistributionType type);

// The declared-positive parameters are positive.
bool ParametersValid(DistributionType type, const DistributionParameters& p);

// A density with its constants prepared once; evaluated in extended precision.
class Density {
  public:
    Density(DistributionType type, const DistributionParameters& p);
    long double operator()(long double x) const;
    DistributionType type() const { return type_; }
    const DistributionParameters& parameters() const { return p_; }
    const DensityConstants& constants() const { return k_; }
    // Prepared constants that a fit may refuse on (Gamma and Snedecor: C; LogNormal_3P: r).
    long double preparedC() const { return k_.c; }
    long double preparedR() const { return k_.r; }

  private:
    DistributionType type_;
    DistributionParameters p_;
    DensityConstants k_;
    const DistributionInfo* row_ = nullptr; // nullptr: an invalid type, whose density is 0
};

// m and s are the displayed mean and standard deviation read back as numbers.
FitEstimate EstimateFromSample(DistributionType type, const SampleStatistics& sample, double m,
                               double s);

// Five decimals and a decimal point, for a derived parameter in a fit's parameter text.
std::string FiveDecimals(long double v);

} // namespace tessavin
