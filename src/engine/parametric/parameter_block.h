#pragma once
// The parameter block of the discretisation: the request texts a caller hands over (the
// parameters, the interval count, Eps) and what the discretisation writes back (the parameter
// labels and group title of the type last built, and the range before trimming). It is never
// shown; it only carries values between the input rebuild and the discretisation.
#include <array>
#include <string>
#include <vector>

#include "parametric/input_histograms.h"

namespace tessavin {

struct ParameterBlock {
    std::array<std::string, 4> par{"1", "2", "1.5", "1"};                      // EdPara1..EdPara4
    std::array<std::string, 4> labels{"1.para", "2.para", "3.para", "4.para"}; // LabPara1..4
    std::string groupTitle;                                                    // GBParametry
    std::string intervals;                                                     // EdPocetIntervalu
    std::string eps;                                                           // EdEps
    std::string min = "1";                                                     // EdMin
    std::string max = "1";                                                     // EdMax

    // The names of all types (CBTypRozdeleni), in the active language.
    static std::vector<std::string> TypeNames();

    // Writers: the main window's Eps and interval count whenever they change there; the input
    // rebuild before each build (Par1, Par2, interval count, Eps); the discretisation after it.
    void TakeMainFields(const std::string& mainEps, const std::string& mainIntervals);
    void TakeInputRequest(const RandomInputFields& fields, const std::string& mainEps);
    void TakeBuildResult(const RebuildOutcome& outcome);
};

} // namespace tessavin
