#include "parametric/discretisation.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "common/number_parse.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "parametric/range_search.h"
#include "parametric/special_functions.h"

namespace tessavin {
namespace {

// A refused fit or a failed parameter check: no histogram, no message.
struct Refusal {};

struct Sampling {
    const ParametricRequest& request;
    WorkingHistogram& work;
    int n;
    double eps;
    bool hasCut = false; // classes whose value lies below cut stay empty
    double cut = 0.0;
    long double sum = 0.0L;
};

// Sets work.Min/Max by the type's range rule (and the lower cut where a type fixes it at 0).
void DetermineRange(Sampling& s, const Density& f) {
    const ParametricRequest& rq = s.request;
    const DistributionInfo& row = Distribution(rq.Type);
    const auto& p = f.parameters();
    const double eps = s.eps * row.epsScale;
    const RangeSearch search(f, eps);
    SearchRange r{s.work.Min, s.work.Max};

    if (rq.GivenRange) {
        if (row.zeroCut) s.cut = 0.0;
        if (!row.fixedRange) return;
    }
    const RangeInput in{
        search, eps, static_cast<double>(p[1]), static_cast<double>(p[2]), rq.FitToData, rq.Sample};
    if (!row.range || !row.range(in, r)) throw Refusal{};

    if (row.widensToData && rq.FitToData) {
        const auto& smp = rq.Sample;
        if (smp.mode - smp.xmin < (smp.xmax - smp.xmin) / 2) {
            r.max = std::max(r.max, smp.xmax);
            r.min = std::min(r.min, smp.xmin);
        }
    }
    s.work.Min = r.min;
    s.work.Max = r.max;
}

void FillClasses(Sampling& s, const Density& f) {
    WorkingHistogram& w = s.work;
    w.Step = (w.Max - w.Min) / s.n;
    if (s.request.FitToData && w.Step == 0) throw Refusal{};
    for (int a = 1; a <= s.n; ++a) {
        const double x = w.Min + (a - 0.5) * w.Step;
        if (s.hasCut && x < s.cut) continue;
        const long double v = f(x);
        ThrowOnMathFault();
        // A density formula taken outside its support must not give a negative probability.
        w.P[a] = v > 0 ? static_cast<double>(v) : 0.0;
        s.sum += w.P[a];
    }
}

void SampleDistribution(Sampling& s, DiscretiseOutcome& out, DistributionParameters p) {
    const ParametricRequest& rq = s.request;
    const DistributionType type = rq.Type;
    if (rq.FitToData) {
        const FitEstimate fit = EstimateFromSample(type, rq.Sample, static_cast<double>(p[1]),
                                                   static_cast<double>(p[2]));
        ThrowOnMathFault();
        out.ParameterText = fit.parameterText;
        if (fit.refused) throw Refusal{};
        p = fit.p;
    }
    if (!ParametersValid(type, p)) throw Refusal{};
    const Density f(type, p);
    ThrowOnMathFault();
    const auto refusesFit = Distribution(type).refusesFit;
    if (rq.FitToData && refusesFit && refusesFit(f, rq.Sample, s.eps)) throw Refusal{};
    DetermineRange(s, f);
    FillClasses(s, f);
}

// Normalisation, zeroing of classes too small to get a whole frequency, and the total.
MathFault PostProcess(Sampling& s, DiscretiseOutcome& out) {
    WorkingHistogram& w = s.work;
    if (s.sum == 0) {
        out.Accepted = false;
        return MathFault::None;
    }
    ClearMathFlags();
    for (int i = 1; i <= s.n; ++i)
        w.P[i] = static_cast<double>(w.P[i] / s.sum);
    const long double r = WithinCountRange(FrequencyTotal(w.P, s.n));
    for (int i = 1; i <= s.n; ++i)
        if (std::nearbyint(r * w.P[i]) == 0) w.P[i] = 0.0;
    const double m = std::min(w.P[1], w.P[s.n]);
    w.Total = m == 0 ? r : 1.0L / m;
    return RaisedMathFault();
}

Failure MathFaultReport(const std::string& header, MathFault fault) {
    const int message = MathFaultMessage(fault);
    return ErrorBox(message, header + TextCis(message));
}

} // namespace

DiscretiseOutcome Discretise(const ParametricRequest& request, WorkingHistogram& work) {
    DiscretiseOutcome out;
    if (!IsValidDistributionType(request.Type)) return out;
    const std::optional<double> eps = ParseReal(request.Eps);
    const std::optional<long long> n = ParseWhole(request.IntervalCount);
    DistributionParameters p{};
    const std::string* texts[4] = {&request.Par1, &request.Par2, &request.Par3, &request.Par4};
    for (int i = 0; i < 4; ++i) {
        const std::optional<double> v = ParseReal(*texts[i]);
        if (!v) return out;
        p[i + 1] = *v;
    }
    if (!eps || !n || *n < 1 || *n > MaxBins) return out;
    std::optional<double> fitMean, fitSigma;
    if (request.FitToData) {
        fitMean = ParseReal(request.Sample.meanText);
        fitSigma = ParseReal(request.Sample.sigmaText);
        if (!fitMean || !fitSigma) return out;
    }

    out.Accepted = true;
    const DistributionInfo& info = Distribution(request.Type);
    for (int i = 0; i < 4; ++i)
        out.Labels[i] = i < info.parameterCount ? info.labels[i] : std::to_string(i + 1) + ".para";
    out.GroupTitle = ParameterGroupTitle(request.Type);

    work.P.fill(0.0);
    work.Bins = static_cast<int>(*n);
    Sampling s{request, work, static_cast<int>(*n), *eps};
    if (request.FitToData) {
        p[1] = *fitMean;
        p[2] = *fitSigma;
        work.Min = request.Sample.xmin;
        work.Max = request.Sample.xmax;
    }
    if (request.GivenRange) {
        work.Min = request.GivenMin;
        work.Max = request.GivenMax;
        s.hasCut = true;
        s.cut = request.GivenMin;
    }
    const std::string header = TextCis(msg::ParametricDistributionError) +
                               DistributionName(request.Type) + "\r\n\r\n" + "       ";

    ClearMathFlags();
    try {
        SampleDistribution(s, out, p);
    } catch (const Refusal&) {
        out.Accepted = false;
        return out;
    } catch (const MathFaultError& e) {
        out.Reports.push_back(MathFaultReport(header, e.fault));
    } catch (...) {
        // Whatever else an estimate or a density raises is reported like any fault: the caller
        // gets values, never an exception.
        out.Reports.push_back(MathFaultReport(header, MathFault::Other));
    }
    out.EscapedFault = PostProcess(s, out);
    ClearMathFlags();
    return out;
}

BuildOutcome BuildParametricHistogram(const ParametricRequest& request, WorkingHistogram& work) {
    BuildOutcome out;
    const std::optional<long long> n = ParseWhole(request.IntervalCount);
    if (!n || *n < 3 || *n > MaxBins) {
        out.Reports.push_back(ErrorBox(msg::IntervalCountOutOfRange,
                                       TextCis(msg::IntervalCountOutOfRange) + "1024" + " :"));
        return out;
    }
    out.Discretisation = Discretise(request, work);
    out.Reports = out.Discretisation.Reports;
    out.MinBeforeTrim = work.Min;
    out.MaxBeforeTrim = work.Max;
    const MathFault fault = out.Discretisation.EscapedFault;
    if (fault != MathFault::None) {
        out.Reports.push_back(
            MathFailure(MathFaultMessage(fault), TextCis(msg::ParametricDistribution)));
        if (fault == MathFault::Invalid) {
            out.Succeeded = true;
            return out;
        }
        if (fault != MathFault::Other) return out;
    }
    // A refused request leaves no classes, so storing it keeps the input's previous histogram.
    if (out.Discretisation.Accepted)
        TrimWorkingHistogram(work);
    else
        work.Bins = 0;
    out.Succeeded = true;
    return out;
}

} // namespace tessavin
