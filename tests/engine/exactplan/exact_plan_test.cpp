#include "exactplan/exact_plan.h"

#include <algorithm>
#include <cmath>
#include <variant>

#include <gtest/gtest.h>

#include "montecarlo/simulation.h"

namespace tessavin::exactplan {
namespace {

using montecarlo::ModelSetup;

ModelSetup DefaultSetup(int origin) {
    CalculationInputs in;
    in.crackOrigin = origin;
    InputHistograms h;
    for (int k = 1; k <= RandomInputCount; ++k)
        RebuildInput(k, in.random[k], in.eps, in.par3, in.par4, h);
    return std::get<ModelSetup>(montecarlo::SetupFromInputs(in, h));
}

std::vector<int> MadeYears(const ExactPlanResult& r) {
    std::vector<int> made;
    for (const ExactInspection& i : r.inspections)
        made.push_back(i.made);
    return made;
}

ExactPlanResult Plan(const ModelSetup& setup, bool lowerBound, std::vector<int> inspected = {},
                     GridSize grid = {}, int threads = 0) {
    ExactPlanRequest request;
    request.Pd = 2.277E-2;
    request.lowerBound = lowerBound;
    request.inspected = std::move(inspected);
    request.grid = grid;
    request.threads = threads;
    ExactPlanResult r = ComputeExactPlan(setup, request);
    EXPECT_FALSE(r.failure) << (r.failure ? r.failure->text : "");
    return r;
}

// Reference plans: a path-wise simulation of 2e6 whole lives of the same model (standard errors
// of the conditional probabilities ≤ 3e-4), defaults, Pd = 2.277E-2, years 0 .. 150.
TEST(ExactPlan, ReproducesTheSimulatedPlansOfTheDefaults) {
    const ModelSetup edge = DefaultSetup(0), surface = DefaultSetup(1);
    EXPECT_EQ(MadeYears(Plan(edge, false)),
              (std::vector<int>{47, 56, 64, 72, 81, 90, 100, 110, 121, 132}));
    const std::vector<int> lower = MadeYears(Plan(edge, true));
    ASSERT_GE(lower.size(), 4u);
    EXPECT_EQ(std::vector<int>(lower.begin(), lower.begin() + 4),
              (std::vector<int>{46, 55, 62, 69}));
    const ExactPlanResult s = Plan(surface, false);
    EXPECT_EQ(MadeYears(s), (std::vector<int>{107, 121, 132, 141, 150}));
    EXPECT_FALSE(s.note.empty()); // fewer than ten inspections: the plan says why
}

} // namespace
} // namespace tessavin::exactplan
