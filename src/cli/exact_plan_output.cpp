#include "exact_plan_output.h"

#include <cstdio>

namespace tessavin::cli {

nlohmann::ordered_json ExactPlanJson(const exactplan::PlanCurves& plan,
                                     const std::vector<int>& inspected) {
    nlohmann::ordered_json j;
    j["years"] = plan.years;
    j["pU"] = plan.pU;
    j["pD"] = plan.pD;
    j["pF"] = plan.pF;
    nlohmann::ordered_json ranges = nlohmann::ordered_json::array(),
                           made = nlohmann::ordered_json::array();
    for (const exactplan::ExactInspection& i : plan.inspections) {
        ranges.push_back({i.from, i.to});
        made.push_back(i.made);
    }
    j["inspections"] = ranges;
    j["made"] = made;
    j["inspected"] = inspected;
    j["conditioned_on"] = plan.conditionedOn;
    j["conditional_pF"] = plan.conditionalPF;
    j["note"] = plan.note;
    return j;
}

void PrintExactPlan(std::ostream& out, const exactplan::PlanCurves& plan,
                    const std::vector<int>& inspected) {
    out << "\nExact plan (the state updated after every inspection that finds nothing; "
           "not the rule's plan above):\n";
    if (!inspected.empty()) {
        out << "Past inspections without a find:";
        for (std::size_t i = 0; i < inspected.size(); ++i)
            out << (i ? ", " : " ") << inspected[i];
        out << "\n";
    }
    if (!plan.inspections.empty()) out << "Inspection   between years   made in\n";
    char line[96];
    for (std::size_t k = 0; k < plan.inspections.size(); ++k) {
        const exactplan::ExactInspection& i = plan.inspections[k];
        std::snprintf(line, sizeof line, "%10zu   %6d  -  %-6d  %6d\n", k + 1, i.from, i.to,
                      i.made);
        out << line;
    }
    if (!plan.note.empty()) out << plan.note << "\n";
}

void PrintExactPlanCsv(std::ostream& out, const exactplan::PlanCurves& plan) {
    out << "\nexact_inspection,from,to,made\n";
    for (std::size_t k = 0; k < plan.inspections.size(); ++k)
        out << k + 1 << "," << plan.inspections[k].from << "," << plan.inspections[k].to << ","
            << plan.inspections[k].made << "\n";
}

} // namespace tessavin::cli
