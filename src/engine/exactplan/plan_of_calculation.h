#pragma once
// The exact plan of a completed calculation, from its inputs and the input histograms the
// driver built: what both fronts run after the rule's plan when the exact plan is chosen.
#include <variant>

#include "calculation/model.h"
#include "common/failure.h"
#include "exactplan/exact_plan.h"

namespace tessavin::exactplan {

std::variant<ExactPlanResult, Failure>
ExactPlanOfCalculation(const CalculationInputs& in, const InputHistograms& histograms, int threads);

} // namespace tessavin::exactplan
