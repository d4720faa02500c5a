#pragma once
// The exact plan as the calculation commands print it, after the rule's plan and headed so
// that the two are not confused.
#include <ostream>
#include <vector>

#include <nlohmann/json.hpp>

#include "exactplan/plan_search.h"

namespace tessavin::cli {

// years, pU, pD, pF, inspections ([[from, to], ...]), made, inspected, conditioned_on,
// conditional_pF and note; the caller adds how the curves were computed.
nlohmann::ordered_json ExactPlanJson(const exactplan::PlanCurves& plan,
                                     const std::vector<int>& inspected);

// The heading, the past inspections, one line per planned inspection and the note.
void PrintExactPlan(std::ostream& out, const exactplan::PlanCurves& plan,
                    const std::vector<int>& inspected);

// A blank line, then exact_inspection,from,to,made and one row per planned inspection.
void PrintExactPlanCsv(std::ostream& out, const exactplan::PlanCurves& plan);

} // namespace tessavin::cli
