#include "rawdata/fit_ranking.h"

#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "common/number_parse.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "parametric/discretisation.h"
#include "statlib/number_text.h"
#include "statlib/statistics.h"

namespace tessavin {
namespace {

constexpr double kLowestAccepted = 0.0001;

std::span<const double> Classes(const WorkingHistogram& h, int n) {
    return {h.P.data() + 1, static_cast<std::size_t>(n)};
}

Failure EscapedFaultReport(MathFault fault) {
    return MathFailure(MathFaultMessage(fault), TextCis(msg::ParametricDistribution));
}

} // namespace

bool IsAcceptedTightness(double t) {
    return t > kLowestAccepted && t <= 1;
}

std::string FitTypeName(DistributionType type) {
    if (!IsValidDistributionType(type)) return {};
    const DistributionInfo& row = Distribution(type);
    return row.rankingNameMessage != 0 ? TextCis(row.rankingNameMessage) : row.name;
}

std::variant<FitContext, Failure> FitContext::Make(const RawSample& sample, const FitSettings& s) {
    const std::optional<double> eps = ParseReal(s.eps);
    if (!eps || !(*eps > 0) || *eps > 1) {
        if (!eps)
            return ErrorBox(msg::InvalidNumberInput,
                            TextCis(msg::InvalidNumberInput) + " Eps : " + s.eps);
        return *eps > 0 ? ErrorBox(0, FormatMessage(TextCis(msg::EpsAboveOne), s.eps))
                        : MessageFailure(msg::MinProbabilityNotPositive);
    }
    auto view = ShowSampleHistogram(sample, s.intervals, s.min, s.max, s.kind);
    if (auto* f = std::get_if<Failure>(&view)) return *f;
    FitContext c;
    c.settings_ = s;
    c.view_ = std::move(std::get<SampleHistogramView>(view));
    // The estimators read the statistics as the window displays them.
    c.stats_.meanText = StrNaCarku(sample.mean);
    c.stats_.sigmaText = StrNaCarku(sample.deviation);
    c.stats_.skewnessText = StrNaCarku(sample.skewness);
    c.stats_.skewness =
        ParseReal(c.stats_.skewnessText).value_or(std::numeric_limits<double>::quiet_NaN());
    c.stats_.xmin = c.view_.layout.X1;
    c.stats_.xmax = c.view_.layout.XN;
    c.stats_.median = c.view_.characteristics.median;
    c.stats_.mode = c.view_.characteristics.mode;
    return c;
}

FitContext::Candidate FitContext::build(DistributionType type, bool givenRange) const {
    ParametricRequest rq;
    rq.Type = type;
    rq.IntervalCount = std::to_string(settings_.intervals);
    rq.Eps = settings_.eps;
    rq.FitToData = true;
    rq.Sample = stats_;
    rq.GivenRange = givenRange;
    rq.GivenMin = settings_.min;
    rq.GivenMax = settings_.max;
    Candidate c;
    const DiscretiseOutcome out = Discretise(rq, c.histogram);
    c.reports = out.Reports;
    if (out.EscapedFault != MathFault::None)
        c.reports.push_back(EscapedFaultReport(out.EscapedFault));
    c.failed = !c.reports.empty();
    c.usable = !c.failed && out.Accepted;
    c.parameterText = out.ParameterText;
    return c;
}

double FitContext::tightness(const WorkingHistogram& candidate) const {
    const int n = settings_.intervals;
    return VypocetCharTesnosti(n, Classes(candidate, n), 0, view_.characteristics.varianceY,
                               view_.characteristics.meanY, Classes(view_.histogram, n));
}

double SortCandidates(std::array<FitEntry, DistributionCount>& entries) {
    double sum = 0;
    for (const FitEntry& e : entries)
        sum += e.tightness;
    for (int s = 0; s + 1 < DistributionCount; ++s) {
        int best = s;
        for (int j = s + 1; j < DistributionCount; ++j)
            if (entries[j].tightness > entries[best].tightness) best = j;
        std::swap(entries[s], entries[best]);
    }
    return sum;
}

namespace {

RefusedFit Refused(DistributionType t, FitRefusal reason, double tightness = 0.0) {
    RefusedFit f;
    f.type = t;
    f.reason = reason;
    f.tightness = tightness;
    return f;
}

RefusedFit Faulted(DistributionType t, const FitContext::Candidate& c) {
    RefusedFit f = Refused(t, FitRefusal::MathFault);
    for (const Failure& report : c.reports) {
        if (!f.message.empty()) f.message += "\r\n";
        f.message += report.text;
    }
    return f;
}

// The shape scan of a type with a ShapeScan: the smallest shape of the highest tightness becomes
// the context's shape. A refusal when no shape gives a positive tightness or a shape faults.
std::optional<RefusedFit> ScanShape(FitContext& ctx, DistributionType t, bool spread) {
    const ShapeScan& scan = *Distribution(t).shapeScan;
    double best = 0, bestShape = scan.first;
    bool anyUsable = false;
    // The shape grows by repeated addition, as the scan always did.
    for (double k = scan.first; k < scan.end; k += scan.step) {
        ctx.setWeibullShape(k);
        const FitContext::Candidate c = ctx.build(t, true);
        if (c.failed) return Faulted(t, c);
        anyUsable = anyUsable || c.usable;
        const double tight = c.usable && spread ? ctx.tightness(c.histogram) : 0.0;
        if (tight > best) {
            best = tight;
            bestShape = k;
        }
    }
    if (best <= 0)
        return Refused(t, anyUsable ? FitRefusal::TightnessOutOfRange : FitRefusal::ByChecks);
    ctx.setWeibullShape(bestShape);
    return std::nullopt;
}

// One type fitted over the sample's range; accepted ones get their row over their own range.
std::optional<RefusedFit> Evaluate(FitContext& ctx, DistributionType t, bool spread,
                                   FitRanking& r) {
    if (Distribution(t).shapeScan)
        if (auto refused = ScanShape(ctx, t, spread)) return refused;
    const FitContext::Candidate c = ctx.build(t, true);
    if (c.failed) return Faulted(t, c);
    if (!c.usable) return Refused(t, FitRefusal::ByChecks);
    const double tight = ctx.tightness(c.histogram);
    if (!IsAcceptedTightness(tight)) return Refused(t, FitRefusal::TightnessOutOfRange, tight);
    // The table shows the candidate over its own range.
    const FitContext::Candidate own = ctx.build(t, false);
    if (own.failed) return Faulted(t, own);
    const int n = ctx.sampleView().histogram.Bins;
    const WorkingHistogram& h = own.histogram;
    const double x1 = ThroughDisplayText(h.Min + h.Step / 2);
    const double xn = ThroughDisplayText(h.Max - h.Step / 2);
    const Characteristics ch =
        ComputeCharacteristics(Classes(h, n), n, x1, xn, static_cast<double>(h.Total));
    FitEntry& entry = r.entries[t];
    entry.tightness = tight;
    entry.parameterText = c.parameterText.substr(0, c.parameterText.find(')'));
    r.rows.push_back(
        MakeCharacteristicsRow(FitTypeName(t), StrNaCarku(tight), ch, entry.parameterText));
    r.rowTypes.push_back(t);
    return std::nullopt;
}

} // namespace

std::optional<double> ScanShapeFor(const FitContext& context, DistributionType type) {
    if (!IsValidDistributionType(type) || !Distribution(type).shapeScan) return std::nullopt;
    FitContext ctx = context;
    const bool spread = ctx.sampleView().characteristics.varianceY != 0;
    if (ScanShape(ctx, type, spread)) return std::nullopt;
    return ctx.weibullShape();
}

const char* FitRefusalKey(FitRefusal reason) {
    switch (reason) {
    case FitRefusal::NotEvaluated:
        return "not evaluated";
    case FitRefusal::ByChecks:
        return "refused by its checks";
    case FitRefusal::MathFault:
        return "math fault";
    case FitRefusal::TightnessOutOfRange:
        return "tightness outside (0.0001, 1]";
    }
    return "";
}

FitRanking RankParametricFits(const FitContext& context, const FitProgress& progress) {
    FitContext ctx = context;
    const bool spread = ctx.sampleView().characteristics.varianceY != 0;
    FitRanking r;
    r.sampleRow = ctx.sampleView().row;
    for (int i = 0; i < DistributionCount; ++i)
        r.entries[i].type = i;
    int evaluated = 0;
    for (DistributionType t = 0; t < DistributionCount; ++t)
        evaluated += Distribution(t).ranked;
    int done = 0;

    for (DistributionType t = 0; t < DistributionCount; ++t) {
        if (!Distribution(t).ranked) {
            r.refused.push_back(Refused(t, FitRefusal::NotEvaluated));
            continue;
        }
        if (auto refused = Evaluate(ctx, t, spread, r)) r.refused.push_back(std::move(*refused));
        if (progress) progress(++done, evaluated);
    }

    r.completed = true;
    r.weibullShape = ctx.weibullShape();
    if (SortCandidates(r.entries) == 0) {
        r.reports.push_back(MessageFailure(msg::NoDistributionFits));
        return r;
    }
    for (const CharacteristicsRow& row : r.rows) {
        const std::optional<double> median = ParseReal(row.fields[2]);
        if (median && *median != 0) ++r.listLength;
    }
    return r;
}

} // namespace tessavin
