#pragma once
// What drives the plan as the batch program computes it, for the sensitivity command and for
// the study report: the step of --step, and the analysis with a progress line and Ctrl+C.
#include <optional>
#include <string>
#include <variant>

#include "calculation/model.h"
#include "cli_args.h"
#include "sensitivity/sensitivity.h"

namespace tessavin::cli {

inline constexpr const char* StepRefusal = "--step must be a number above 0 and below 1";

// The settings of --step (default 0.1) and --threads; the refusal's text for a bad step.
std::variant<sensitivity::SensitivitySettings, std::string>
ReadSensitivitySettings(const Args& args, int threads);

// The analysis of the study as loaded; a progress line on a terminal, Ctrl+C stops it.
sensitivity::SensitivityResult RunSensitivity(const CalculationInputs& in,
                                              const CalculationState& state,
                                              const sensitivity::SensitivitySettings& settings);

// Why the analysis gave nothing to show (a bad step, a failed base run), or nothing.
std::optional<std::string> SensitivityRefusal(const sensitivity::SensitivityResult& r);

// A warning line for each moved run that gave no plan.
void WarnFailedMoves(const sensitivity::SensitivityResult& r);

} // namespace tessavin::cli
