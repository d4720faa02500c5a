#pragma once
// A fitted candidate as the raw data window draws it: over its own range, turned towards the
// side of the sample's mean.
#include <optional>

#include "rawdata/fit_ranking.h"

namespace tessavin {

// Reverses classes 1..Bins when the candidate's median and the sample's mean lie on opposite
// sides of the middle of the candidate's range. True when reversed. Reversing once puts the
// median on the mean's side, so a second call leaves the histogram as it is.
bool MirrorTowardsSample(WorkingHistogram& h, double sampleMean);

// The candidate of `type` built over its own range with the given Weibull shape and mirrored
// towards the sample's mean; nullopt when the discretisation refuses or faults.
std::optional<WorkingHistogram> BuildShownCandidate(const FitContext& context,
                                                    DistributionType type, double weibullShape);

} // namespace tessavin
