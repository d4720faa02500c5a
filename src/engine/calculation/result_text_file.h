#pragma once
// The result text file: the event probabilities of the basic calculation and of every inspection
// found, one number per line under fixed headers. UTF-8, CR LF line ends; never read back.
#include <filesystem>
#include <optional>
#include <string>

#include "calculation/model.h"
#include "common/failure.h"
#include "decision/reliability_index.h"
#include "exactplan/plan_search.h"

namespace tessavin {

inline constexpr const char* ResultFileExtension = "txt";

// A probability as the file writes it: 23 characters, " " or "-", one digit, "." and 14
// digits, "E", the exponent sign and four exponent digits (" 5.00000000000000E-0001").
std::string ResultNumberText(double x);

// The whole file for the driver's period (state.start / step / end) and
// state.inspectionsFound sections; then, when `exact` is given, the exact plan: its inspections
// and its p(F) curves over the same years; last, when `beta` is given, β of every year.
std::string ResultTextFileText(const CalculationInputs& in, const CalculationState& state,
                               const exactplan::PlanCurves* exact = nullptr,
                               const BetaSection* beta = nullptr);

// Writes the file through a temporary file in the target folder, so a failure leaves any
// previous file intact. The failure names the file without its folder.
std::optional<Failure> WriteResultTextFile(const std::filesystem::path& file,
                                           const CalculationInputs& in,
                                           const CalculationState& state,
                                           const exactplan::PlanCurves* exact = nullptr,
                                           const BetaSection* beta = nullptr);

// The name the save dialog offers: the project name, or "Histograms U-D-F" without one.
std::string DefaultResultFileName(const CalculationInputs& in);

} // namespace tessavin
