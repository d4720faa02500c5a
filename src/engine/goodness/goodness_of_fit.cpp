#include "goodness/goodness_of_fit.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

#include "common/number_parse.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"

namespace tessavin {

std::optional<FittedDistribution> FittedCandidate(const FitContext& context,
                                                  const RawSample& sample, DistributionType type,
                                                  std::string& reason) {
    const SampleStatistics& st = context.statistics();
    const std::optional<double> m = ParseReal(st.meanText);
    const std::optional<double> s = ParseReal(st.sigmaText);
    if (!m || !s) {
        reason = TextCis(msg::SampleMomentsNotNumbers);
        return std::nullopt;
    }
    const FitEstimate fit = EstimateFromSample(type, st, *m, *s);
    if (fit.refused) {
        reason = TextCis(msg::EstimateRefused);
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
        adReason = TextCis(msg::ValueWhereFIsZeroOrOne);
    return e;
}

GoodnessOfFit MeasureFit(const FittedDistribution& d, std::span<const double> sorted,
                         FittedDistribution::Tails* scratch) {
    GoodnessOfFit g;
    g.type = d.type();
    g.parameterCount = Distribution(d.type()).parameterCount;
    const std::size_t n = sorted.size();
    if (n == 0) {
        g.reason = TextCis(msg::SampleEmpty);
        return g;
    }
    FittedDistribution::Tails own;
    FittedDistribution::Tails& t = scratch ? *scratch : own;
    d.tailsAt(sorted, t);
    long double ll = 0;
    for (const long double density : t.density) {
        const double f = static_cast<double>(density);
        if (!(f > 0)) {
            g.likelihoodReason = TextCis(msg::ValueWhereDensityIsZero);
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

std::vector<GoodnessOfFit> MeasureTypes(const FitContext& context, const RawSample& sample,
                                        std::span<const DistributionType> types, int threads) {
    std::vector<GoodnessOfFit> out(types.size());
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        FittedDistribution::Tails scratch;
        for (std::size_t i = next++; i < types.size(); i = next++) {
            std::string reason;
            const std::optional<FittedDistribution> d =
                FittedCandidate(context, sample, types[i], reason);
            if (d) {
                out[i] = MeasureFit(*d, sample.values, &scratch);
                continue;
            }
            out[i].type = types[i];
            out[i].parameterCount = Distribution(types[i]).parameterCount;
            out[i].reason = reason;
        }
    };
    const int workers = std::clamp(threads, 1, std::max(1, static_cast<int>(types.size())));
    std::vector<std::thread> pool;
    for (int t = 1; t < workers; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& t : pool)
        t.join();
    return out;
}

std::vector<GoodnessOfFit> MeasureRanking(const FitContext& context, const RawSample& sample,
                                          const FitRanking& ranking, int threads) {
    FitContext ctx = context;
    ctx.setWeibullShape(ranking.weibullShape);
    std::vector<DistributionType> types;
    for (const FitEntry& e : ranking.entries)
        if (IsAcceptedTightness(e.tightness)) types.push_back(e.type);
    return MeasureTypes(ctx, sample, types, threads);
}

} // namespace tessavin
