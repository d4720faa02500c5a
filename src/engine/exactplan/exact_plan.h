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
#include "exactplan/state_grid.h"
#include "montecarlo/simulation_model.h"

namespace tessavin::exactplan {

inline constexpr int MaxPlannedInspections = 10;

struct ExactPlanRequest {
    double Pd = 0.0;
    bool lowerBound = true;     // DolMez: an inspection is made at t − 1, else (HorMez) at t
    std::vector<int> inspected; // past inspections that found nothing, strictly increasing
    GridSize grid;
    int threads = 0; // 0: one per core; never changes a result
};

struct ExactInspection {
    int from = 0, to = 0; // the range [t − 1, t], t the first year whose probability reaches Pd
    int made = 0;         // the year the inspection is made in, by the bound
};

struct ExactPlanResult {
    std::vector<int> years; // every year of the period
    std::vector<double> pU, pD, pF;
    std::vector<ExactInspection> inspections; // planned, the first first
    // The years of the inspections conditioned on (past ones, then the planned ones as made),
    // and for each the conditional probability of F over `years` after it and those before
    // (0 up to its year).
    std::vector<int> conditionedOn;
    std::vector<std::vector<double>> conditionalPF;
    std::string note; // why the plan stops before ten inspections; empty otherwise
    StateGrid grid;   // its tables are released; the sizes stay
    std::optional<Failure> failure;
};

ExactPlanResult ComputeExactPlan(const montecarlo::ModelSetup& setup,
                                 const ExactPlanRequest& request);

// A refusal of past inspection years: not strictly increasing or outside first .. last.
std::optional<std::string> CheckInspectedYears(const std::vector<int>& years, int first, int last);

} // namespace tessavin::exactplan
