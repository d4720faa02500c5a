#pragma once
// A parametric distribution turned into a histogram: range search by the cut-off Eps, sampling of
// the density at the class values, normalisation and the frequency total.
#include <array>
#include <string>
#include <vector>

#include "common/failure.h"
#include "common/math_fault.h"
#include "histogram/histogram.h"
#include "parametric/distribution_catalogue.h"

namespace tessavin {

struct ParametricRequest {
    DistributionType Type = 0;
    std::string Par1 = "1";
    std::string Par2 = "2";
    std::string Par3 = "1.5";
    std::string Par4 = "1";
    std::string IntervalCount = "32";
    std::string Eps = "1E-7";
    bool FitToData = false;
    SampleStatistics Sample; // with FitToData
    bool GivenRange = false;
    double GivenMin = 0.0;
    double GivenMax = 0.0;
};

struct DiscretiseOutcome {
    bool Accepted = false;
    std::string ParameterText;                // of a fit
    std::vector<Failure> Reports;             // math-fault error boxes, in the order they arose
    MathFault EscapedFault = MathFault::None; // a fault of the post-processing
    // Written back into the parameter block: labels and group title of the type.
    std::array<std::string, 4> Labels{"1.para", "2.para", "3.para", "4.para"};
    std::string GroupTitle;
};

// Never throws; the working histogram is written only from the sampling on.
DiscretiseOutcome Discretise(const ParametricRequest& request, WorkingHistogram& work);

struct BuildOutcome {
    bool Succeeded = false;
    std::vector<Failure> Reports; // every box to show, in order (message 88, math faults)
    DiscretiseOutcome Discretisation;
    double MinBeforeTrim = 0.0; // range of the histogram before trimming
    double MaxBeforeTrim = 0.0;
};

// The command for the six inputs: interval count 3..1024 (message 88), Discretise, trimming.
BuildOutcome BuildParametricHistogram(const ParametricRequest& request, WorkingHistogram& work);

} // namespace tessavin
