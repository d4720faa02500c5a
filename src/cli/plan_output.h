#pragma once
// The inspection plan as the calculation commands print it.
#include <optional>
#include <ostream>

#include <nlohmann/json.hpp>

#include "calculation/inspections.h"

namespace tessavin::cli {

// "First inspection: ..." when searched, then the list of inspections found.
void PrintInspectionPlan(std::ostream& out, const std::optional<FirstInspectionResult>& first,
                         const InspectionPlan& plan);

// [[from, to], ...] of the inspections found.
nlohmann::ordered_json InspectionRangesJson(const InspectionPlan& plan);

} // namespace tessavin::cli
