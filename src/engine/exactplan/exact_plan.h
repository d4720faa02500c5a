#pragma once
// The exact inspection plan: the state of every structure (stress class × crack state) is
// conditioned on each inspection that found nothing, and the next inspection comes from the
// conditional probability of F after the inspections so far. Deterministic, no sampling.
//
// With W the state weighted by S_d at every inspection (not by 1 − F_c) and x monotone in time,
// the probability of F at t after inspections up to T that found nothing is
//     c(t) = (E_Wt[F_c] − E_WT[F_c]) / (|W_T| − E_WT[F_c]),
// W_t being W_T grown to t without further weighting.
#include <optional>
#include <string>
#include <vector>

#include "common/failure.h"
#include "exactplan/plan_search.h"
#include "exactplan/state_grid.h"
#include "montecarlo/simulation_model.h"

namespace tessavin::exactplan {

struct ExactPlanRequest {
    double Pd = 0.0;
    bool lowerBound = true;     // DolMez: an inspection is made at t − 1, else (HorMez) at t
    std::vector<int> inspected; // past inspections that found nothing, strictly increasing
    GridSize grid;
    int threads = 0; // 0: one per core; never changes a result
};

struct ExactPlanResult : PlanCurves {
    StateGrid grid; // its tables are released; the sizes stay
    std::optional<Failure> failure;
};

ExactPlanResult ComputeExactPlan(const montecarlo::ModelSetup& setup,
                                 const ExactPlanRequest& request);

} // namespace tessavin::exactplan
