#include "exactplan/plan_table.h"

#include <algorithm>

#include "localisation/captions.h"

namespace tessavin::exactplan {
namespace {

constexpr WindowId MainWindowTable = WindowId::Main;

std::vector<double> AtYears(const PlanCurves& plan, const std::vector<double>& curve,
                            const std::vector<int>& years) {
    std::vector<double> values;
    values.reserve(years.size());
    for (int y : years) {
        const auto at = std::find(plan.years.begin(), plan.years.end(), y);
        const auto i = static_cast<std::size_t>(at - plan.years.begin());
        values.push_back(at != plan.years.end() && i < curve.size() ? curve[i] : 0.0);
    }
    return values;
}

} // namespace

PlanTable MakePlanTable(const PlanCurves& plan, const std::vector<int>& years) {
    PlanTable table;
    table.title = TextPiece(MainWindowTable, "ExactPlanTitle");
    table.years = years;
    table.curves.push_back({"p(F)", AtYears(plan, plan.pF, years)});
    std::string after;
    for (std::size_t k = 0; k < plan.conditionedOn.size() && k < plan.conditionalPF.size(); ++k) {
        after += (k ? "," : "") + std::to_string(plan.conditionedOn[k]);
        table.curves.push_back(
            {"p(F | " + after + ")", AtYears(plan, plan.conditionalPF[k], years)});
    }
    return table;
}

} // namespace tessavin::exactplan
