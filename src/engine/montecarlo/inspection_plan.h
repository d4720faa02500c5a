#pragma once
// The inspection plan of simulated curves, found by the same searches as the calculation's.
#include <optional>

#include "calculation/inspections.h"
#include "montecarlo/simulation.h"

namespace tessavin::montecarlo {

struct SimulatedPlan {
    std::optional<FirstInspectionResult> first; // searched when Pd > 0
    bool furtherSearched = false;               // step 1 over more than one year
    InspectionPlan plan;
};

// pU, pD, pF of the simulation in place of the method's year table; the period and Pd of `in`.
SimulatedPlan PlanFromCurves(const CalculationInputs& in, const SimulationResult& result);

} // namespace tessavin::montecarlo
