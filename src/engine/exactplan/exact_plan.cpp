#include "exactplan/exact_plan.h"

#include <variant>

#include "exactplan/state_sweep.h"

namespace tessavin::exactplan {

namespace {

// c(t) over `years` after conditioning at sums.from, 0 up to that year.
std::vector<double> ConditionalCurve(const SweepSums& sums, const std::vector<int>& years) {
    const double atInspection = sums.failed[static_cast<std::size_t>(sums.from + 1)];
    const double alive = sums.mass - atInspection;
    std::vector<double> c(years.size(), 0.0);
    for (std::size_t j = 0; j < years.size(); ++j)
        if (years[j] > sums.from && alive > 0)
            c[j] = (sums.failed[static_cast<std::size_t>(years[j] + 1)] - atInspection) / alive;
    return c;
}

// The first year after `after` whose value reaches Pd, or none.
std::optional<int> FirstReaching(const std::vector<int>& years, const std::vector<double>& values,
                                 double Pd, int after) {
    for (std::size_t j = 0; j < years.size(); ++j)
        if (years[j] > after && values[j] >= Pd) return years[j];
    return std::nullopt;
}

} // namespace

std::optional<std::string> CheckInspectedYears(const std::vector<int>& years, int first,
                                               int last) {
    for (std::size_t i = 0; i < years.size(); ++i) {
        const std::string value = std::to_string(years[i]);
        if (years[i] < first || years[i] > last)
            return "\"inspected\": " + value + " lies outside the period " +
                   std::to_string(first) + " .. " + std::to_string(last);
        if (i > 0 && years[i] <= years[i - 1])
            return "\"inspected\": " + value + " does not follow " + std::to_string(years[i - 1]) +
                   " (the years must increase strictly)";
    }
    return std::nullopt;
}

ExactPlanResult ComputeExactPlan(const montecarlo::ModelSetup& setup,
                                 const ExactPlanRequest& request) {
    ExactPlanResult r;
    if (setup.years.empty()) {
        r.failure = ErrorBox(0, "the exact plan needs a period");
        return r;
    }
    const int first = setup.years.front(), last = setup.years.back();
    if (const auto refusal = CheckInspectedYears(request.inspected, first, last)) {
        r.failure = ErrorBox(0, *refusal);
        return r;
    }
    for (int y = first; y <= last; ++y)
        r.years.push_back(y);

    auto built = BuildStateGrid(setup, request.grid, last);
    if (const Failure* f = std::get_if<Failure>(&built)) {
        r.failure = *f;
        return r;
    }
    const StateGrid& grid = std::get<StateGrid>(built);
    StateRows state(grid, request.threads);
    state.Start();

    const SweepSums unconditional = state.Sweep(last, true);
    for (int y : r.years) {
        const auto slot = static_cast<std::size_t>(y + 1);
        const double u = unconditional.undetected[slot], f = unconditional.failed[slot];
        r.pU.push_back(u);
        r.pF.push_back(f);
        r.pD.push_back(1.0 - u - f);
    }

    std::vector<double> curve;
    auto condition = [&](int year) {
        state.InspectAt(year);
        curve = ConditionalCurve(state.Sweep(last, false), r.years);
        r.conditionedOn.push_back(year);
        r.conditionalPF.push_back(curve);
    };
    auto plan = [&](int t) {
        const int made = request.lowerBound ? t - 1 : t;
        r.inspections.push_back({t - 1, t, made});
        condition(made);
    };
    for (int y : request.inspected)
        condition(y);

    if (request.inspected.empty()) {
        const auto t = FirstReaching(r.years, r.pF, request.Pd, first - 1);
        if (!t) {
            r.note = "P(F) stays below Pd up to year " + std::to_string(last) +
                     ": no inspection is needed within the period";
        } else {
            plan(*t);
        }
    }
    while (r.note.empty() && static_cast<int>(r.inspections.size()) < MaxPlannedInspections) {
        const int after = state.year();
        const auto t = FirstReaching(r.years, curve, request.Pd, after);
        if (!t) {
            r.note = "after the inspection in year " + std::to_string(after) +
                     " the conditional P(F) stays below Pd up to year " + std::to_string(last);
            break;
        }
        plan(*t);
    }
    r.grid = grid;
    r.grid.detectable = {};
    r.grid.failed = {};
    r.grid.start.clear();
    r.grid.classes.clear();
    return r;
}

} // namespace tessavin::exactplan
