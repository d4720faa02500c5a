#include "montecarlo/inspection_plan.h"

#include <memory>

#include "common/number_parse.h"

namespace tessavin::montecarlo {

SimulatedPlan PlanFromCurves(const CalculationInputs& in, const SimulationResult& result) {
    SimulatedPlan out;
    out.plan.Clear();
    if (result.years.empty() || result.pF.size() != result.years.size()) return out;
    auto state = std::make_unique<CalculationState>();
    state->start = result.years.front();
    state->end = result.years.back();
    // One year has no step, and so no inspection search.
    state->step = result.years.size() > 1 ? result.years[1] - result.years[0] : 0;
    for (std::size_t j = 0; j < result.years.size(); ++j) {
        state->Event(1, 1, result.years[j]) = result.pU[j];
        state->Event(1, 2, result.years[j]) = result.pD[j];
        state->Event(1, 3, result.years[j]) = result.pF[j];
    }
    const double Pd = ParseRealPrefix(in.Pd);
    if (Pd > 0 && state->step >= 1) {
        out.first = FirstInspectionSearch(in, Pd, *state, out.plan);
        if (state->Abort) return out;
    }
    if (in.yearStep == "1" && state->start != state->end) {
        out.furtherSearched = true;
        bool noExceedance = true;
        FurtherInspectionSearch(in, Pd, *state, out.plan, noExceedance);
    }
    MarkInspectionRows(out.plan, *state);
    return out;
}

} // namespace tessavin::montecarlo
