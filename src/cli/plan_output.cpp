#include "plan_output.h"

#include "cli_output.h"

namespace tessavin::cli {

void PrintInspectionPlan(std::ostream& out, const std::optional<FirstInspectionResult>& first,
                         const InspectionPlan& plan) {
    if (first) out << "\nFirst inspection: " << ForTerminal(first->label) << "\n";
    bool any = false;
    for (int k = 1; k <= InspectionRows; ++k)
        any = any || !plan.rows[k].rangeText.empty();
    if (!any) return;
    out << "\nInspections:\n";
    for (int k = 1; k <= InspectionRows; ++k)
        if (!plan.rows[k].rangeText.empty())
            out << plan.rows[k].numberText << plan.rows[k].rangeText << "\n";
}

nlohmann::ordered_json InspectionRangesJson(const InspectionPlan& plan) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (int k = 1; k <= InspectionRows; ++k)
        if (plan.rows[k].found) list.push_back({plan.rows[k].from, plan.rows[k].to});
    return list;
}

} // namespace tessavin::cli
