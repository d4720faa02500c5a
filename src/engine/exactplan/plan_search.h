#pragma once
// The search of the exact plan from conditional failure curves, whoever computes them: the
// state grid or a simulation of whole lives.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessavin::exactplan {

inline constexpr int MaxPlannedInspections = 10;

// The index of a year in lists over the years −1, 0, 1, …: the state before the first year's
// counts comes first.
inline std::size_t YearSlot(int year) {
    return year < 0 ? 0 : static_cast<std::size_t>(year) + 1;
}

struct ExactInspection {
    int from = 0, to = 0; // the range [t − 1, t], t the first year whose probability reaches Pd
    int made = 0;         // the year the inspection is made in, by the bound
};

struct PlanCurves {
    std::vector<int> years; // every year of the period
    std::vector<double> pU, pD, pF;
    std::vector<ExactInspection> inspections; // planned, the first first
    // The years of the inspections conditioned on (past ones, then the planned ones as made),
    // and for each the conditional probability of F over `years` after it and those before
    // (0 up to its year).
    std::vector<int> conditionedOn;
    std::vector<std::vector<double>> conditionalPF;
    std::string note; // why the plan stops before ten inspections; empty otherwise
};

// Conditions on an inspection made in `year` that found nothing (after those conditioned on
// before) and returns the conditional probability of F over the years of the plan.
using ConditionOn = std::function<std::vector<double>(int year)>;

// With years and pF filled: conditions on the past inspections, then plans up to ten: the first
// from pF (only without past inspections), each further one from the latest conditional curve:
// t the first year after the last inspection whose value reaches Pd, made at t − 1 with the
// lower bound and at t with the upper one.
void SearchPlan(PlanCurves& plan, double Pd, bool lowerBound, const std::vector<int>& inspected,
                const ConditionOn& condition);

// A refusal of past inspection years: not strictly increasing or outside first .. last. The
// message starts with `field`, the name of the input that holds them.
std::optional<std::string> CheckInspectedYears(const std::vector<int>& years, int first, int last,
                                               const std::string& field = "\"inspected\"");

} // namespace tessavin::exactplan
