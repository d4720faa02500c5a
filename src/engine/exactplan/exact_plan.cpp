#include "exactplan/exact_plan.h"

#include <algorithm>
#include <cmath>
#include <variant>

#include "exactplan/state_sweep.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"

namespace tessavin::exactplan {

namespace {

// c(t) over `years` after conditioning at sums.from, 0 up to that year.
std::vector<double> ConditionalCurve(const SweepSums& sums, const std::vector<int>& years) {
    const double atInspection = sums.failed[YearSlot(sums.from)];
    const double alive = sums.mass - atInspection;
    std::vector<double> c(years.size(), 0.0);
    for (std::size_t j = 0; j < years.size(); ++j)
        if (years[j] > sums.from && alive > 0)
            c[j] = (sums.failed[YearSlot(years[j])] - atInspection) / alive;
    return c;
}

} // namespace

ExactPlanResult ComputeExactPlan(const montecarlo::ModelSetup& setup,
                                 const ExactPlanRequest& request) {
    ExactPlanResult r;
    if (setup.years.empty()) {
        r.failure = ErrorBox(0, TextCis(msg::ExactPlanNeedsPeriod));
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
        const std::size_t slot = YearSlot(y);
        const double u = unconditional.undetected[slot], f = unconditional.failed[slot];
        r.pU.push_back(u);
        r.pF.push_back(f);
        r.pD.push_back(1.0 - u - f);
    }

    SearchPlan(r, request.Pd, request.lowerBound, request.inspected, [&](int year) {
        state.InspectAt(year);
        return ConditionalCurve(state.Sweep(last, false), r.years);
    });
    // The sums are of finite products of probabilities; a fault would show here, never be shown.
    auto finite = [](const std::vector<double>& v) {
        return std::all_of(v.begin(), v.end(), [](double x) { return std::isfinite(x); });
    };
    bool ok = finite(r.pU) && finite(r.pF);
    for (const auto& c : r.conditionalPF)
        ok = ok && finite(c);
    if (!ok) {
        r = ExactPlanResult{};
        r.failure = ErrorBox(0, TextCis(msg::ExactPlanNotANumber));
        return r;
    }
    r.grid = grid;
    r.grid.detectable = {};
    r.grid.failed = {};
    r.grid.start.clear();
    r.grid.classes.clear();
    return r;
}

} // namespace tessavin::exactplan
