#pragma once
// The load side of the crack-growth comparison: the histograms of DeltaS^m, of the number of
// stress ranges Nn in n years and of the accumulated load effect Sn = C * DeltaS^m * Nn.
#include <optional>
#include <string>
#include <vector>

#include "calculation/model.h"

namespace tessavin {

// The running histogram A of VypocetNt after some passes, kept compactly: P holds classes
// 1 .. P.size() (every class above is empty); first and last class value (range edges after no
// pass), class width and class count.
struct NnPass {
    std::vector<double> P;
    double lo = 0.0;
    double hi = 0.0;
    double h = 0.0;
    int bins = 0;
};

// A failure met by a pass, reported when the year that needs the pass is computed.
struct NnFault {
    Failure failure;
    AbortKind kind = AbortKind::None;
};

// Passes of VypocetNt already computed for one one-year input histogram, so that year n + 1
// continues from year n. A pass depends only on A, its number and the one-year input, so the
// continued result is bit-identical to a computation from year 0. Changing the one-year input
// or the convention (anything the passes read) restarts the passes. One cache per calculation
// thread.
//
// Long periods: each pass measures its class count in the previous class width but spreads the
// range over four classes fewer, so late passes lose about three classes each until the count
// reaches 4 and the class width divides by zero. From the first pass whose count would fall
// below 16 (or that cannot be completed), Nn comes from a second chain of passes restarted
// from the one-year input, whose count is kept at twice the input's class count or more. The
// switch depends on the one-year input alone, so no year depends on the years computed before.
class NnCache {
  public:
    void Clear();
    // Years whose running histogram of the first chain is at hand without a pass.
    int KeptPasses() const { return static_cast<int>(first_.size()); }
    // The first year taken from the second chain; 0 while no computed pass has met it.
    int SwitchYear() const { return switch_; }

  private:
    friend bool NnStep(int year, const CalculationInputs& in, CalculationState& state,
                       NnCache& cache);
    bool Matches(const DiscreteHistogram& input, Convention convention) const;
    void Restart(const DiscreteHistogram& input, Convention convention);
    // A after `year` passes of the chain that serves that year, into `a`.
    std::optional<NnFault> Running(int year, const std::string& stepName, NnPass& a);

    DiscreteHistogram key_{};
    Convention convention_ = Convention::First;
    bool keyed_ = false;
    std::vector<NnPass> first_;  // first_[k]: A after k passes, k below the switch
    std::vector<NnPass> second_; // second_[k]: the second chain after k passes
    int switch_ = 0;
    std::optional<NnFault> firstFault_; // the first chain's failure at the switch pass
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
