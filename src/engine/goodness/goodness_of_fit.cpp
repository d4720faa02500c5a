#include "goodness/goodness_of_fit.h"

#include <algorithm>
#include <cmath>

#include "common/number_parse.h"

namespace tessavin {

std::optional<FittedDistribution> FittedCandidate(const FitContext& context,
                                                  const RawSample& sample, DistributionType type,
                                                  std::string& reason) {
    const SampleStatistics& st = context.statistics();
    const std::optional<double> m = ParseReal(st.meanText);
    const std::optional<double> s = ParseReal(st.sigmaText);
    if (!m || !s) {
        reason = "the sample's mean or deviation is not a number";
        return std::nullopt;
    }
    const FitEstimate fit = EstimateFromSample(type, st, *m, *s);
    if (fit.refused) {
        reason = "its estimate is refused for this sample";
        return std::nullopt;
    }
    return FittedDistribution::Make(type, fit.p, sample.mean, sample.deviation, reason);
}

EdfStatistics EdfStatisticsOf(const FittedDistribution::Tails& t, std::string& adReason) {
    const std::size_t n = t.lower.size();
    EdfStatistics e;
    if (n == 0) return e;
    const long double nn = static_cast<long double>(n);
    long double d = 0, a = 0, w = 1 / (12 * nn);
    bool adFinite = true;
    for (std::size_t i = 0; i < n; ++i) {
        const long double F = t.lower[i];
        const double lowF = static_cast<double>(F);
        const double highF = static_cast<double>(t.upper[n - 1 - i]);
        d = std::max({d, (i + 1) / nn - F, F - i / nn});
        const long double c = F - (2 * i + 1) / (2 * nn);
        w += c * c;
        // Double logarithms: a fifth of the time of extended ones, and as exact here.
        if (lowF > 0 && highF > 0)
            a += (2 * i + 1) * (std::log(lowF) + std::log(highF));
        else
            adFinite = false;
    }
    e.ks = static_cast<double>(d);
    e.cvm = static_cast<double>(w);
    if (adFinite)
        e.ad = static_cast<double>(-nn - a / nn);
    else
        adReason = "a sample value lies where the fitted distribution function is 0 or 1";
    return e;
}

GoodnessOfFit MeasureFit(const FittedDistribution& d, std::span<const double> sorted) {
    GoodnessOfFit g;
    g.type = d.type();
    g.parameterCount = Distribution(d.type()).parameterCount;
    const std::size_t n = sorted.size();
    if (n == 0) {
        g.reason = "the sample is empty";
        return g;
    }
    const FittedDistribution::Tails t = d.tailsAt(sorted);
    long double ll = 0;
    for (const long double density : t.density) {
        const double f = static_cast<double>(density);
        if (!(f > 0)) {
            g.likelihoodReason = "a sample value lies where the fitted density is 0";
            break;
        }
        ll += std::log(f);
    }
    if (g.likelihoodReason.empty()) {
        const double k = g.parameterCount;
        g.logLikelihood = static_cast<double>(ll);
        g.aic = 2 * k - 2 * g.logLikelihood;
        g.bic = k * std::log(static_cast<double>(n)) - 2 * g.logLikelihood;
    }
    g.edf = EdfStatisticsOf(t, g.adReason);
    return g;
}

std::vector<GoodnessOfFit> MeasureRanking(const FitContext& context, const RawSample& sample,
                                          const FitRanking& ranking) {
    FitContext ctx = context;
    ctx.setWeibullShape(ranking.weibullShape);
    std::vector<GoodnessOfFit> out;
    for (const FitEntry& e : ranking.entries) {
        if (!IsAcceptedTightness(e.tightness)) continue;
        std::string reason;
        const std::optional<FittedDistribution> d = FittedCandidate(ctx, sample, e.type, reason);
        if (!d) {
            GoodnessOfFit g;
            g.type = e.type;
            g.parameterCount = Distribution(e.type).parameterCount;
            g.reason = reason;
            out.push_back(std::move(g));
            continue;
        }
        out.push_back(MeasureFit(*d, sample.values));
    }
    return out;
}

} // namespace tessavin
