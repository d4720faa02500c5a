#include "goodness/bootstrap.h"

#include <algorithm>
#include <thread>
#include <vector>

#include "localisation/message_ids.h"
#include "localisation/messages.h"

namespace tessavin {
namespace {

// SplitMix64: a small generator whose stream is fixed by its seed alone.
struct Stream {
    std::uint64_t state;
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    // Uniform in the open interval (0, 1).
    double uniform() { return (static_cast<double>(next() >> 11) + 0.5) * 0x1.0p-53; }
};

struct DrawOutcome {
    bool ok = false;
    bool ksAtLeast = false;
    bool adAtLeast = false;
    std::string reason;
};

} // namespace

std::optional<FittedDistribution> Refit(DistributionType type, const RawSample& drawn,
                                        const FitSettings& fit, std::string& reason) {
    FitSettings s = fit;
    s.min = drawn.minimum;
    s.max = drawn.maximum;
    auto made = FitContext::Make(drawn, s);
    if (auto* f = std::get_if<Failure>(&made)) {
        reason = FormatMessage(TextCis(msg::DrawnSampleWithoutHistogram), f->text);
        return std::nullopt;
    }
    FitContext& ctx = std::get<FitContext>(made);
    if (Distribution(type).shapeScan) {
        const std::optional<double> shape = ScanShapeFor(ctx, type);
        if (!shape) {
            reason = TextCis(msg::ShapeScanRefusesDraw);
            return std::nullopt;
        }
        ctx.setWeibullShape(*shape);
    }
    return FittedCandidate(ctx, drawn, type, reason);
}

void BootstrapPValues(GoodnessOfFit& g, const FittedDistribution& d, const RawSample& sample,
                      const FitSettings& fit, const BootstrapSettings& settings,
                      const BootstrapProgress& progress, const std::atomic<bool>* stop) {
    g.ksP.reset();
    g.adP.reset();
    g.pStopped = false;
    if (!g.reason.empty()) {
        g.pReason = g.reason;
        return;
    }
    const int n = sample.count;
    if (n < MinBootstrapSample) {
        g.pReason =
            FormatMessage(TextCis(msg::FewerValuesThan), std::to_string(MinBootstrapSample));
        return;
    }
    if (settings.draws <= 0) {
        g.pReason = TextCis(msg::NoBootstrapDraws);
        return;
    }
    d.prepareQuantiles(); // shared read-only by the workers from here on
    const int draws = settings.draws;
    std::vector<DrawOutcome> outcomes(static_cast<std::size_t>(draws));
    std::atomic<int> done{0};
    const bool wantAd = g.adReason.empty();
    auto work = [&](int first, int stride) {
        std::vector<double> values(static_cast<std::size_t>(n));
        FittedDistribution::Tails scratch;
        for (int i = first; i < draws; i += stride) {
            if (stop && stop->load()) return;
            Stream rng{settings.seed ^ (0xd1b54a32d192ed03ULL * static_cast<std::uint64_t>(i + 1))};
            for (double& v : values)
                v = d.quantile(rng.uniform());
            const RawSample drawn = SampleOfValues(values);
            DrawOutcome& o = outcomes[static_cast<std::size_t>(i)];
            const std::optional<FittedDistribution> r = Refit(d.type(), drawn, fit, o.reason);
            if (!r) continue;
            const GoodnessOfFit gi = MeasureFit(*r, drawn.values, &scratch);
            o.ok = true;
            o.ksAtLeast = gi.edf.ks >= g.edf.ks;
            // A drawn value where the refitted F is 0 or 1 makes its A² infinite: at least.
            o.adAtLeast = wantAd && (!gi.adReason.empty() || gi.edf.ad >= g.edf.ad);
            const int now = ++done;
            if (progress) progress(now, draws);
        }
    };
    const int threads = std::clamp(settings.threads, 1, draws);
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(work, t, threads);
    work(0, threads);
    for (std::thread& t : pool)
        t.join();

    if (stop && stop->load()) {
        g.pReason = TextCis(msg::BootstrapInterrupted);
        g.pStopped = true;
        return;
    }
    // Merged in draw order: the first failing draw names the reason.
    int ks = 0, ad = 0;
    for (int i = 0; i < draws; ++i) {
        const DrawOutcome& o = outcomes[static_cast<std::size_t>(i)];
        if (!o.ok) {
            g.pReason = FormatMessage(TextCis(msg::DrawFailed), {std::to_string(i + 1), o.reason});
            return;
        }
        ks += o.ksAtLeast;
        ad += o.adAtLeast;
    }
    g.ksP = (1.0 + ks) / (draws + 1.0);
    if (wantAd)
        g.adP = (1.0 + ad) / (draws + 1.0);
    else
        g.pReason = g.adReason;
}

void BootstrapRanking(std::vector<GoodnessOfFit>& list, const FitContext& context,
                      const RawSample& sample, const FitSettings& fit, double weibullShape,
                      const BootstrapSettings& settings, const BootstrapProgress& progress,
                      const std::atomic<bool>* stop) {
    FitContext ctx = context;
    ctx.setWeibullShape(weibullShape);
    const int total = static_cast<int>(list.size()) * std::max(settings.draws, 0);
    for (std::size_t c = 0; c < list.size(); ++c) {
        GoodnessOfFit& g = list[c];
        std::string reason;
        const std::optional<FittedDistribution> d = FittedCandidate(ctx, sample, g.type, reason);
        if (!d) {
            g.pReason = reason;
            continue;
        }
        const int before = static_cast<int>(c) * settings.draws;
        const BootstrapProgress each = [&](int done, int) {
            if (progress) progress(before + done, total);
        };
        BootstrapPValues(g, *d, sample, fit, settings, each, stop);
    }
}

} // namespace tessavin
