#pragma once
// The reliability index β = −Φ⁻¹(pF) of a probability of failure, the first year it falls below
// a target, and the conversion of a β between reference periods.
#include <optional>
#include <vector>

namespace tessavin {

// A reliability index section that a report gains on request: β = −Φ⁻¹(p(F)) of every year and,
// with a target, the first year whose β is below it.
struct BetaSection {
    std::optional<double> target;
};

// β(pF) = −Φ⁻¹(pF): +∞ at pF = 0, −∞ at pF = 1; none for NaN or pF outside [0, 1].
std::optional<double> ReliabilityIndex(double pF);

// β of every probability; a probability without an index (NaN, outside [0, 1]) gives NaN.
std::vector<double> ReliabilityIndices(const std::vector<double>& pF);

// The position of the first β strictly below the target; none when β never falls below it.
std::optional<std::size_t> FirstBelowTarget(const std::vector<double>& beta, double target);

// β over `toYears` from β over `fromYears` for independent years: Φ(β_to) = Φ(β_from)^(to/from),
// e.g. Φ(β_50) = Φ(β_1)^50. Both periods must be positive; ±∞ stay as they are.
double ConvertReferencePeriod(double beta, double fromYears, double toYears);

} // namespace tessavin
