#include "exactplan/plan_search.h"

#include "localisation/message_ids.h"
#include "localisation/messages.h"

namespace tessavin::exactplan {

namespace {
// The first year after `after` whose value reaches Pd, or none.
std::optional<int> FirstReaching(const std::vector<int>& years, const std::vector<double>& values,
                                 double Pd, int after) {
    for (std::size_t j = 0; j < years.size() && j < values.size(); ++j)
        if (years[j] > after && values[j] >= Pd) return years[j];
    return std::nullopt;
}
} // namespace

void SearchPlan(PlanCurves& plan, double Pd, bool lowerBound, const std::vector<int>& inspected,
                const ConditionOn& condition) {
    if (plan.years.empty()) return;
    const int last = plan.years.back();
    std::vector<double> curve;
    int latest = plan.years.front() - 1;
    auto conditionOn = [&](int year) {
        curve = condition(year);
        latest = year;
        plan.conditionedOn.push_back(year);
        plan.conditionalPF.push_back(curve);
    };
    auto inspect = [&](int t) {
        const int made = lowerBound ? t - 1 : t;
        plan.inspections.push_back({t - 1, t, made});
        conditionOn(made);
    };
    for (int y : inspected)
        conditionOn(y);

    if (inspected.empty()) {
        const auto t = FirstReaching(plan.years, plan.pF, Pd, latest);
        if (!t) {
            plan.note = FormatMessage(TextCis(msg::NoInspectionNeeded), std::to_string(last));
            return;
        }
        // An inspection before the period, or in its first year when P(F) is past Pd there
        // already, would be no plan.
        if (*t == plan.years.front()) {
            plan.note = FormatMessage(TextCis(msg::PdReachedInFirstYear), std::to_string(*t));
            return;
        }
        inspect(*t);
    }
    while (static_cast<int>(plan.inspections.size()) < MaxPlannedInspections) {
        const auto t = FirstReaching(plan.years, curve, Pd, latest);
        if (!t) {
            plan.note = FormatMessage(TextCis(msg::ConditionalBelowPd),
                                      {std::to_string(latest), std::to_string(last)});
            return;
        }
        // With the lower bound a crossing in the very next year would repeat the inspection
        // in the same year, again and again.
        if ((lowerBound ? *t - 1 : *t) <= latest) {
            plan.note = FormatMessage(TextCis(msg::InspectionsTooOften), std::to_string(latest));
            return;
        }
        inspect(*t);
    }
}

std::optional<std::string> CheckInspectedYears(const std::vector<int>& years, int first, int last,
                                               const std::string& field) {
    for (std::size_t i = 0; i < years.size(); ++i) {
        const std::string value = std::to_string(years[i]);
        if (years[i] < first || years[i] > last)
            return FormatMessage(TextCis(msg::YearOutsidePeriod),
                                 {field, value, std::to_string(first), std::to_string(last)});
        if (i > 0 && years[i] <= years[i - 1])
            return FormatMessage(TextCis(msg::YearsNotIncreasing),
                                 {field, value, std::to_string(years[i - 1])});
    }
    return std::nullopt;
}

} // namespace tessavin::exactplan
