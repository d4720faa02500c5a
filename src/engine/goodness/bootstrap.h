#pragma once
// Parametric bootstrap p-values of D and A²: draws of n values from the fitted distribution,
// each fitted again as the ranking fits a sample, and measured again. Every draw has its own
// random stream, so the p-values are the same for any number of threads.
#include <atomic>
#include <cstdint>
#include <functional>

#include "goodness/goodness_of_fit.h"

namespace tessavin {

inline constexpr int MinBootstrapSample = 5;

struct BootstrapSettings {
    int draws = 1000;
    std::uint64_t seed = 0x7e55a71e;
    int threads = 2;
};

// done(draws finished, draws); called from the worker threads, so it must be thread-safe.
using BootstrapProgress = std::function<void(int done, int total)>;

// Fills g.ksP and g.adP, or g.pReason. `fit` holds the settings the ranking used; `stop` (may be
// null) breaks off between draws, leaving g.pStopped and the reason "interrupted".
void BootstrapPValues(GoodnessOfFit& g, const FittedDistribution& d, const RawSample& sample,
                      const FitSettings& fit, const BootstrapSettings& settings,
                      const BootstrapProgress& progress = {},
                      const std::atomic<bool>* stop = nullptr);

// p-values for every entry of MeasureRanking's list, one candidate after another; progress
// counts draws over all of them.
void BootstrapRanking(std::vector<GoodnessOfFit>& list, const FitContext& context,
                      const RawSample& sample, const FitSettings& fit, double weibullShape,
                      const BootstrapSettings& settings, const BootstrapProgress& progress = {},
                      const std::atomic<bool>* stop = nullptr);

// The candidate fitted again to a drawn sample as the ranking fits it; a reason instead.
std::optional<FittedDistribution> Refit(DistributionType type, const RawSample& drawn,
                                        const FitSettings& fit, std::string& reason);

} // namespace tessavin
