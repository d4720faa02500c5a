#pragma once
// The inspection plan as the calculation commands print it.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "calculation/inspections.h"

namespace tessavin::cli {

// "First inspection: ..." when searched, then the list of inspections found.
void PrintInspectionPlan(std::ostream& out, const std::optional<FirstInspectionResult>& first,
                         const InspectionPlan& plan);

// The year table: the column heading, the laid-out line of each year, then the inspection plan.
void PrintYearTable(std::ostream& out, const char* heading, const std::vector<std::string>& lines,
                    const std::optional<FirstInspectionResult>& first, const InspectionPlan& plan);

// Adds first_inspection ([from, to] or null), first_inspection_text and inspections
// ([[from, to], ...] of the inspections found) to j.
void AddInspectionPlanJson(nlohmann::ordered_json& j,
                           const std::optional<FirstInspectionResult>& first,
                           const InspectionPlan& plan);

} // namespace tessavin::cli
