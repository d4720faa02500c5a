#pragma once
// The exact plan as the reports write it: the planned inspections and, over the years of a
// period, the unconditional p(F) and the conditional p(F) after each inspection conditioned on.
#include <string>
#include <vector>

#include "exactplan/plan_search.h"

namespace tessavin::exactplan {

struct PlanTableCurve {
    std::string header;         // "p(F)", then "p(F | 47)" naming the inspections so far
    std::vector<double> values; // one per year of the table; 0 where the plan has no year
};

struct PlanTable {
    std::string title; // the heading that tells it from the rule's plan
    std::vector<int> years;
    std::vector<PlanTableCurve> curves;
};

// `years` are the years to report (the period's, as the rule's tables show them).
PlanTable MakePlanTable(const PlanCurves& plan, const std::vector<int>& years);

} // namespace tessavin::exactplan
