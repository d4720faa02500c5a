#pragma once
// The 24 parametric distributions: names, parameter labels, densities, parameter checks and the
// estimation of their parameters from a measured sample. One registry table holds them all.
#include <array>
#include <string>

namespace tessavin {

inline constexpr int DistributionCount = 24;
using DistributionType = int; // 0 .. DistributionCount - 1

// p[1] .. p[4] in label order; p[0] is unused.
using DistributionParameters = std::array<long double, 5>;

// Statistics of a measured sample as the raw data analysis supplies them for a fit.
struct SampleStatistics {
    std::string meanText;     // mean as displayed
    std::string sigmaText;    // standard deviation as displayed
    std::string skewnessText; // skewness as displayed
    double skewness = 0.0;
    double xmin = 0.0;
    double xmax = 0.0;
    double median = 0.0;
    double mode = 0.0;
    double weibullShape = 1.5; // kW, the shape with which type 9 is built in a fit
};

struct DistributionInfo {
    DistributionType type;
    const char* name;        // list name (type 0: see DistributionName)
    int parameterCount;
    std::array<const char*, 4> labels;
    const char* groupSuffix; // appended to message 212 for the parameter group title
};

const DistributionInfo& Distribution(DistributionType type);
bool IsValidDistributionType(int type);
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
    // Prepared constants that a fit may refuse on (type 16: C; type 23: r).
    long double preparedC() const { return c_; }
    long double preparedR() const { return r_; }

private:
    DistributionType type_;
    DistributionParameters p_;
    long double a_ = 0, u_ = 0, w_ = 0, lnw_ = 0, b_ = 0, c_ = 0, eta_ = 0, r_ = 0;
};

// Parameters of a fit to a sample, as far as they come from the sample statistics alone.
struct FitEstimate {
    bool refused = false;
    DistributionParameters p{};
    std::string parameterText; // e.g. "Mi=30,Sigma=3)"
};
// m and s are the displayed mean and standard deviation read back as numbers.
FitEstimate EstimateFromSample(DistributionType type, const SampleStatistics& sample, double m,
                               double s);

// Five decimals and a decimal point, for a derived parameter in a fit's parameter text.
std::string FiveDecimals(long double v);

} // namespace tessavin
