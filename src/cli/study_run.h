#pragma once
// One study from inputs already read: the checks before the run, the run and its failures, as
// the run and batch commands share them.
#include <string>
#include <vector>

#include "calculation/driver.h"

namespace tessavin::cli {

struct StudyRemark {
    std::string kind; // "error" or "warning"
    std::string text;
};

struct StudyOutcome {
    enum class End {
        Refused, // the checks before the run refused it: `refusal`
        Failed,  // a step of the run failed: result.errors
        Ran,     // completed, or interrupted with the years so far
    };
    End end = End::Refused;
    std::vector<StudyRemark> remarks; // the boxes before the run, in the order they come
    std::string refusal;
    std::string refusalFocus; // the control the refusal concerns; empty for none
    int refusedInput = 0;     // the random input (1 .. 6) that gave no histogram; 0 for none
    RunPlan plan;
    RunResult result;
};

// Prepares and runs the calculation of `in`. With stopOnSigint, Ctrl+C during the run stops the
// year loop (the years so far stay).
StudyOutcome RunStudy(CalculationInputs& in, CalculationState& state, const DriverOptions& options,
                      bool stopOnSigint);

} // namespace tessavin::cli
