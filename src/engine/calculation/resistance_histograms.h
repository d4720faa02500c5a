#pragma once
// The resistance histograms R(ad) and R(aac): one integral for every combination of classes of
// the input histograms, spread over all cores.
#include <functional>
#include <string>

#include "calculation/model.h"
#include "calculation/resistance_cache.h"
#include "calculation/simd_level.h"

namespace tessavin {

struct ResistanceProgress {
    int classesDone = 0;       // a0 classes finished
    int classes = 0;           // a0 classes in all
    long long estimatedMs = 0; // estimated duration of the whole loop
    long long remainingMs = 0;
    bool acceptable = false; // R(aac) ("Start : R(aac)"), else R(ad)
};

// A thread that already runs beside the calling one and takes part in the histogram loop when it
// is free, so that the loop needs no thread of its own there.
class LoopHelper {
  public:
    // Runs `job` on the calling thread and, once it is free, on the helper's thread too; returns
    // when both are done with it (or the helper never started it).
    virtual void RunTogether(const std::function<void()>& job) = 0;

  protected:
    ~LoopHelper() = default;
};

struct ResistanceOptions {
    int threads = 0; // 0: one per core
    // Called after each a0 class, from whichever thread finished it (serialised).
    std::function<void(const ResistanceProgress&)> progress;
    // The vector instruction set of the integrals; every level gives the same histograms.
    SimdLevel simd = BestSimdLevel();
    // Histograms of earlier runs with the same inputs, taken instead of built; null: none.
    ResistanceCache* cache = nullptr;
    // Counts as one of the threads; null: the loop starts all of its own.
    LoopHelper* helper = nullptr;
};

// "Start : R(ad)" run's duration text for the step's label, e.g. "Resistance Rad  ( 0:00:02 )".
struct ResistanceOutcome {
    bool ok = false;
    std::string labelText;
};

ResistanceOutcome ResVypJevuU(const CalculationInputs& in, CalculationState& state,
                              const ResistanceOptions& options = {});
ResistanceOutcome ResVypJevuF(const CalculationInputs& in, CalculationState& state,
                              const ResistanceOptions& options = {});

// Duration as hours:minutes:seconds; from 24 hours on the hours simply grow.
std::string TimeText(long long ms);

// The third range value of an input whose class values straddle zero: the largest class value
// not above 0; none (false) otherwise.
bool ThirdRangeValue(const DiscreteHistogram& h, double& value);

} // namespace tessavin
