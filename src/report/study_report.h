#pragma once
// One PDF of a whole study: what was assumed, what was computed, how sure it is and the plan.
// Both fronts call the same writer with what the engine's calculation returned and the
// description of its input, so the batch program and the desktop program give the same report.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "calculation/driver.h"
#include "calculation/model.h"
#include "exactplan/plan_search.h"
#include "montecarlo/inspection_plan.h"
#include "montecarlo/simulation.h"
#include "sensitivity/sensitivity.h"

namespace tessavin::report {

// A random input built from measured data: what the front knows of its file and fit.
struct MeasuredInput {
    std::string fileName;
    long long count = 0;  // values in the file; 0 when not known
    std::string fit;      // the chosen parametric fit, empty when none
    std::string goodness; // its goodness of fit as text, empty when not computed
};

// The cross-check by simulation, when it was run after the calculation.
struct CrossCheckRun {
    montecarlo::SimulationResult simulation;
    montecarlo::SimulatedPlan plan;
};

// The reliability index over the years of the calculation, with an optional target.
// Hook: filled by the fronts once the engine computes β(t); the section is left out without it.
struct ReliabilityCurve {
    std::vector<int> years;
    std::vector<double> beta; // +∞ where pF = 0
    std::optional<double> target;
    std::optional<int> belowTargetYear;
};

// What drives the plan, when it was run: the engine's result and the step it moved each
// parameter by (a fraction of its value).
struct SensitivityRun {
    sensitivity::SensitivityResult result;
    double step = 0.1;
};

struct StudyReport {
    // The calculation: required, and it must have completed.
    const CalculationInputs* inputs = nullptr;
    const CalculationState* state = nullptr;
    const RunResult* result = nullptr;
    const exactplan::PlanCurves* exact = nullptr; // when the exact plan was computed
    const CrossCheckRun* crossCheck = nullptr;    // when the simulation was run

    // The input's description.
    std::string inputFile;   // the file name the study was read from
    std::string inputSha256; // of the JSON input's or the project file's bytes
    std::string date;        // as the front writes it, e.g. 2026-12-11
    std::string version = TESSAVIN_VERSION;
    std::array<std::optional<MeasuredInput>, RandomInputCount + 1> measured{}; // [1..6]

    std::optional<ReliabilityCurve> reliability;
    std::optional<SensitivityRun> sensitivity; // left out when not run
};

// β(t) of every year of a run, with the target and the first year below it when one is set.
ReliabilityCurve ReliabilityOfRun(const RunResult& result, std::optional<double> target);

// The report as PDF bytes; on failure `failure` says why and `bytes` is empty.
struct RenderedReport {
    std::string bytes;
    std::string failure;
};
RenderedReport RenderStudyReport(const StudyReport& report);

// Why no report can be written on this machine (the PDF library cannot be loaded), or nothing.
// A front asks before a long calculation whose report it is to write.
std::optional<std::string> ReportWriterProblem();

// Renders the report and saves it atomically: on failure (a calculation that did not complete,
// an unwritable path) the text says why and no file is left at `target` (an old one stays).
std::optional<std::string> WriteStudyReport(const std::filesystem::path& target,
                                            const StudyReport& report);

} // namespace tessavin::report
