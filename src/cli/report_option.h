#pragma once
// run --report FILE.pdf [--cross-check] [--sensitivity [--step X]]: the study report of a
// completed calculation, with the cross-check by simulation and what drives the plan when asked
// for.
#include <optional>
#include <string>

#include "calculation/driver.h"
#include "exactplan/plan_search.h"
#include "sensitivity/sensitivity.h"

namespace tessavin::cli {

struct RunReportRequest {
    std::string target;    // the PDF to write
    std::string inputPath; // the study file, whose bytes the report fingerprints
    bool crossCheck = false;
    int threads = 0;
    std::optional<double> targetBeta; // drawn as the target line beside β(t)
    // What drives the plan, computed for the report when given.
    std::optional<sensitivity::SensitivitySettings> sensitivity;
};

// Why the report could not be saved at target, found before the calculation runs: a missing
// folder, a folder in the file's place, or no PDF library to draw with. Nothing when the save
// may be tried.
std::optional<std::string> ReportTargetProblem(const std::string& target);

// Why no report was written: its text, and whether Ctrl+C stopped what the report needed.
struct ReportFailure {
    std::string text;
    bool interrupted = false;
};

// Writes the report atomically; the failure otherwise (nothing is left at the target).
std::optional<ReportFailure> WriteRunReport(const RunReportRequest& request,
                                            const CalculationInputs& in,
                                            const CalculationState& state, const RunResult& result,
                                            const exactplan::PlanCurves* exact);

} // namespace tessavin::cli
