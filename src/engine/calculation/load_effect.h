#pragma once
// The load side of the crack-growth comparison: the histograms of DeltaS^m, of the number of
// stress ranges Nn in n years and of the accumulated load effect Sn = C * DeltaS^m * Nn.
#include <vector>

#include "calculation/model.h"

namespace tessavin {

// The running histogram A of VypocetNt after some passes: probabilities (not normalised),
// first and last class value (range edges after no pass), class width and class count.
struct NnRunning {
    ClassArray P{};
    double lo = 0.0;
    double hi = 0.0;
    double h = 0.0;
    int bins = 0;
};

// Passes of VypocetNt already computed for one one-year input histogram, so that year n + 1
// continues from year n. A pass depends only on A, its number and the one-year input, so the
// continued result is bit-identical to a computation from year 0. Changing the one-year input
// (anything the passes read) restarts the passes. One cache per calculation thread.
class NnCache {
  public:
    void Clear();
    // Years whose running histogram is at hand without a pass: 0 .. KeptPasses() - 1.
    int KeptPasses() const { return static_cast<int>(kept_.size()); }

  private:
    friend bool NnStep(int year, const CalculationInputs& in, CalculationState& state,
                       NnCache& cache);
    bool Matches(const DiscreteHistogram& input) const;
    void Restart(const DiscreteHistogram& input);

    DiscreteHistogram key_{};
    bool keyed_ = false;
    std::vector<NnRunning> kept_; // kept_[k]: A after k passes, k = 0 .. MaxYear at most
};

// Pre-check of m (message 41, focus EdMocM) and VypocetDs: DeltaSm from the stress-range
// input 1. False when no histogram was built; a failure is in state.Reports.
bool DeltaSmStep(const CalculationInputs& in, CalculationState& state);

// Pre-check of the year (message 41, focus EdRokT) and VypocetNt: Nn of year `year` from the
// one-year input 2.
bool NnStep(int year, const CalculationInputs& in, CalculationState& state, NnCache& cache);

// Pre-check of Nn and DeltaS^m (messages 48, 39) and VypocetDsNt: Sn of state.currentYear.
bool SnStep(const CalculationInputs& in, CalculationState& state);

} // namespace tessavin
