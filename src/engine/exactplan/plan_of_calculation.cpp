#include "exactplan/plan_of_calculation.h"

#include "common/number_parse.h"
#include "montecarlo/simulation_model.h"

namespace tessavin::exactplan {

std::variant<ExactPlanResult, Failure> ExactPlanOfCalculation(const CalculationInputs& in,
                                                              const InputHistograms& histograms,
                                                              int threads) {
    auto setup = montecarlo::SetupFromInputs(in, histograms);
    if (const Failure* f = std::get_if<Failure>(&setup)) return *f;
    ExactPlanRequest request;
    request.Pd = ParseRealPrefix(in.Pd);
    request.lowerBound = in.lowerBound;
    request.inspected = in.inspected;
    request.threads = threads;
    ExactPlanResult r = ComputeExactPlan(std::get<montecarlo::ModelSetup>(setup), request);
    if (r.failure) return *r.failure;
    return r;
}

} // namespace tessavin::exactplan
