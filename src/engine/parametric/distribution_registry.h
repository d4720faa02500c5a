#pragma once
// The registry of the parametric distributions: one row per type carries its names, labels,
// density, support, range rule, estimator, fit hooks and checks, and, for the types a random input
// of the calculation may follow, how the simulation samples them. Everything that differs between
// the types is looked up here; no other code switches over types or tests a type's number.
#include <array>
#include <string>

namespace tessavin {

// The list position of a type: what files, settings and the selection lists store.
using DistributionType = int; // 0 .. DistributionCount - 1

namespace dist {
// The types by name; each value is the type's list position, so a new type goes last.
enum Type : DistributionType {
    Normal,
    LogNormal2P,
    GumbelI,
    GumbelII,
    RaisedCosine,
    Cauchy,
    FisherTippett,
    Laplace,
    Logistic,
    Weibull,
    Rayleigh,
    Levy,
    Student,
    BetaUnit,
    BetaGeneral,
    Gamma,
    Snedecor,
    Pareto,
    Uniform,
    Triangular,
    Exponential,
    ChiSquare,
    HalfLogistic,
    LogNormal3P,
    TypeCount // not a type: the number of types
};
} // namespace dist

inline constexpr int DistributionCount = dist::TypeCount;

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
    double weibullShape = 1.5; // kW, the scanned shape (ShapeScan) with which a fit is built
};

// Parameters of a fit to a sample, as far as they come from the sample statistics alone.
struct FitEstimate {
    bool refused = false;
    DistributionParameters p{};
    std::string parameterText; // e.g. "Mi=30,Sigma=3)"
};

// Constants a density prepares once from its parameters.
struct DensityConstants {
    long double a = 0, u = 0, w = 0, lnw = 0, b = 0, c = 0, eta = 0, r = 0;
};

struct SearchRange {
    double min = 0.0;
    double max = 0.0;
};

class RangeSearch;
class Density;
struct InputSampling; // parametric/input_sampling.h

// A shape parameter that the sample's moments do not give: the fit ranking builds the type at the
// shapes first, first + step, ... (by repeated addition) below `end` and keeps the smallest shape
// of the highest tightness; the estimate reads it as SampleStatistics::weibullShape. The fit
// context carries that one shape, so at most one type scans (the registry checks it).
struct ShapeScan {
    double first;
    double end;
    double step;
    int parameter; // the parameter the shape becomes (1 .. 4)
};

// What a range rule works with; the parameters come as doubles.
struct RangeInput {
    const RangeSearch& search;
    double eps; // the cut-off scaled for the type
    double p1;
    double p2;
    bool fit; // parameters estimated from `sample`
    const SampleStatistics& sample;
};

struct DistributionInfo {
    DistributionType type;

    // Names and labels.
    const char* name;           // list name
    int nameMessage = 0;        // message that replaces the list name in every list (0: none)
    int rankingNameMessage = 0; // message that replaces it in the fit ranking (0: none)
    int parameterCount;
    std::array<const char*, 4> labels;
    const char* groupSuffix; // appended to message 212 for the parameter group title

    // Density: checks, constants prepared once (nullptr: none), value, and the interval where
    // the formula describes the distribution.
    int positiveMask = 0; // declared-positive parameters: bit 1 for p1, bit 2 for p2
    void (*prepare)(DensityConstants& k, const DistributionParameters& p) = nullptr;
    long double (*density)(const DensityConstants& k, const DistributionParameters& p,
                           long double x);
    SearchRange (*support)(const DensityConstants& k, const DistributionParameters& p);

    // Range of the histogram.
    double epsScale = 1.0;   // the cut-off Eps is multiplied by this for the range search
    bool zeroCut = false;    // over a given range, classes below 0 stay empty
    bool fixedRange = false; // the range follows from the parameters, even over a given range
    bool widensToData =
        false; // in a fit, a sample with its mode in the lower half widens the range
    // Sets r (holding Min and Max before the search) to the range; false refuses the request.
    // nullptr: no range of its own, so only a given range discretises the type.
    bool (*range)(const RangeInput& in, SearchRange& r) = nullptr;

    // Fitting to a sample.
    bool ranked = true; // tried by the fit ranking
    // Fills fit.p (preset to p1 = m, p2 = s) and the parameter text. nullptr: never fitted.
    void (*estimate)(FitEstimate& fit, const SampleStatistics& sample, double m,
                     double s) = nullptr;
    // A fit refused on its prepared density.
    bool (*refusesFit)(const Density& f, const SampleStatistics& sample, double eps) = nullptr;
    // nullptr: the estimate needs no scanned shape.
    const ShapeScan* shapeScan = nullptr;

    // As a random input of the calculation: the input page's rows, the batch input and the
    // simulation offer the type when this is set. nullptr: a single histogram and fits only.
    const InputSampling* input = nullptr;
};

bool IsValidDistributionType(int type);
// The registry row of a type; an invalid type gives the row of type 0.
const DistributionInfo& Distribution(DistributionType type);

// The types a random input may follow are the first InputTypeCount() of the list: the input rows
// show them in list order, so a row's list position is the type.
int InputTypeCount();
bool IsInputType(int type);

} // namespace tessavin
