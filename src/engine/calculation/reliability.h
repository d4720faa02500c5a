#pragma once
// The reliability functions R(ad) - Sn and R(aac) - Sn of one year and the event probabilities
// pU, pD and pF read off them.
#include "calculation/model.h"

namespace tessavin {

inline constexpr int DifferenceBins = 256;

// D = R - Sn of two independent histograms, class by class, into 256 classes over the whole
// range of the difference (trimmed afterwards): each pair of class values into the nearest
// class (First), or shared between the two nearest classes in proportion to its distance from
// each (Centre), which keeps the mean and does not alias where the class widths of R and Sn
// are near multiples of each other. Sets state.StepName. On a class-index or
// numerical failure the failure is in state.Reports, Abort is set, `out` is untouched and the
// result is false.
bool DifferenceHistogram(const DiscreteHistogram& R, const DiscreteHistogram& Sn, int crackOrigin,
                         CalculationState& state, StateHistogram& out,
                         Convention convention = Convention::First);

// P(D < 0) with the probability of each class spread uniformly over the class:
// sum of P[i] * clamp((0 - ClassLower(i)) / Step, 0, 1). A class of zero width counts wholly
// below zero when its value is negative. The result lies in [0, 1].
double ProbabilityBelowZero(const DiscreteHistogram& d);

// U step of `year` (0 .. MaxYear): RfU = Rad - Sn, pU = 1 - P(RfU < 0) into block 1, row 1.
// Needs Sn of the current year (message 229) and Rad (message 230). False on any failure.
bool UStep(int year, const CalculationInputs& in, CalculationState& state);

// F step of `year`, after the U step: RfF = Raac - Sn, pF = P(RfF < 0) into block 1, row 3, and,
// unless Abort is set, pD = 1 - pU - pF into row 2. Messages 229 and 231. False on any failure.
bool FStep(int year, const CalculationInputs& in, CalculationState& state);

// Saturation of `year`, applied by the year loop right after the F step. Once
// (pD < 0 and pF > 0.99) or (pU > 0.999 and pF > 0.5), `saturated` stays set and this year and
// every later year get pU = 0, pD = 0, pF = 1. The loop starts with saturated = false.
void ApplySaturation(int year, bool& saturated, CalculationState& state);

} // namespace tessavin
