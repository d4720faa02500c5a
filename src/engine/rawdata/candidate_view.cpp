#include "rawdata/candidate_view.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "common/number_parse.h"
#include "rawdata/suitable_table.h"
#include "statlib/statistics.h"

namespace tessavin {

bool MirrorTowardsSample(WorkingHistogram& h, double sampleMean) {
    const int n = h.Bins;
    if (n < 2 || n > MaxBins) return false;
    const std::span<const double> p(h.P.data() + 1, static_cast<std::size_t>(n));
    // A median without a value (" undefined") leaves the histogram as it is.
    const double median = ParseReal(VypMedian(true, p, h.Min, h.Max, n)).value_or(NAN);
    const double centre = h.Min + (h.Max - h.Min) * 0.5;
    const bool opposite =
        (median < centre && sampleMean > centre) || (median > centre && sampleMean < centre);
    if (opposite) std::reverse(h.P.begin() + 1, h.P.begin() + 1 + n);
    return opposite;
}

std::optional<WorkingHistogram> BuildShownCandidate(const FitContext& context,
                                                    DistributionType type, double weibullShape) {
    FitContext ctx = context;
    ctx.setWeibullShape(weibullShape);
    FitContext::Candidate c = ctx.build(type, false);
    if (c.failed || !c.usable) return std::nullopt;
    const double mean = ParseReal(ctx.statistics().meanText).value_or(0.0);
    MirrorTowardsSample(c.histogram, mean);
    return c.histogram;
}

} // namespace tessavin
