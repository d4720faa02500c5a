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

void PrintYearTable(std::ostream& out, const char* heading, const std::vector<std::string>& lines,
                    const std::optional<FirstInspectionResult>& first, const InspectionPlan& plan) {
    out << heading << "\n";
    for (const std::string& line : lines)
        out << line;
    PrintInspectionPlan(out, first, plan);
}

void AddInspectionPlanJson(nlohmann::ordered_json& j,
                           const std::optional<FirstInspectionResult>& first,
                           const InspectionPlan& plan) {
    if (first && first->found)
        j["first_inspection"] = {first->from, first->to};
    else
        j["first_inspection"] = nullptr;
    j["first_inspection_text"] = first ? first->label : "";
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (int k = 1; k <= InspectionRows; ++k)
        if (plan.rows[k].found) list.push_back({plan.rows[k].from, plan.rows[k].to});
    j["inspections"] = list;
}

} // namespace tessavin::cli
