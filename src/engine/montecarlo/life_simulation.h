#pragma once
// The exact plan by simulation of whole lives: each sample keeps its own ΔS, Fy, σ and a0, draws
// its one-year counts year by year and one ad per inspection, so its crack at every year is
// one crack. The plan is searched pass by pass: pass 0 gives pU and pF, pass k the conditional
// probability of F after the k inspections so far. Every sample has its own random streams
// (seed, sample number), so a pass regenerates exactly the lives of the passes before, and the
// sums are whole numbers: no thread count changes a bit.
#include <optional>
#include <vector>

#include "common/failure.h"
#include "exactplan/plan_search.h"
#include "montecarlo/simulation.h"

namespace tessavin::montecarlo {

struct LifePlanRequest {
    double Pd = 0.0;
    bool lowerBound = true;
    std::vector<int> inspected; // past inspections that found nothing
};

struct SimulatedExactPlan : exactplan::PlanCurves {
    std::vector<double> pUSe, pDSe, pFSe;
    std::vector<std::vector<double>> conditionalPFSe; // beside conditionalPF
    long long samples = 0;
    bool interrupted = false; // stopped: no plan
    std::optional<Failure> failure;
};

// settings.progress is not called; settings.stop ends the run between blocks of samples.
SimulatedExactPlan SimulateExactPlan(const SimulationModel& model, const LifePlanRequest& request,
                                     const SimulationSettings& settings);

} // namespace tessavin::montecarlo
