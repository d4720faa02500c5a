#include "parametric/discretisation.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "common/number_parse.h"
#include "localisation/messages.h"
#include "parametric/range_search.h"
#include "parametric/special_functions.h"

namespace tessavin {
namespace {

constexpr long double kInt64Max = 9223372036854775807.0L;

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

// Whether the data range can stand for the distribution: both ends already cut off.
bool DataRangeSuffices(const RangeSearch& search, double lo, double hi, double centre, double eps) {
    const long double limit = eps * search.Eval(centre);
    return search.Eval(lo) <= limit && search.Eval(hi) <= limit;
}

// Sets work.Min/Max for the type (and the lower cut where a type fixes it at 0).
void DetermineRange(Sampling& s, const Density& f) {
    const ParametricRequest& rq = s.request;
    const auto& p = f.parameters();
    const double p1 = static_cast<double>(p[1]);
    const double p2 = static_cast<double>(p[2]);
    const DistributionType type = rq.Type;
    double eps = s.eps;
    if (type == 9 || type == 10) eps *= 0.01;
    if (type == 15) eps *= 1E-05;
    const RangeSearch search(f, eps);
    SearchRange r{s.work.Min, s.work.Max};

    // A type whose support starts at 0 cuts the given range there.
    const bool zeroCut = type == 9 || type == 10 || type == 21;
    if (rq.GivenRange) {
        if (zeroCut) s.cut = 0.0;
        if (type != 4) return;
    }

    switch (type) {
    case 0:
        if (rq.FitToData && DataRangeSuffices(search, rq.Sample.xmin, rq.Sample.xmax, p1, eps)) break;
        r = search.Threshold(p1, p2 / 100, r);
        break;
    case 1:
    case 23:
        r = search.Ratio(p1, p2 / 100, r);
        break;
    case 2:
    case 3:
        r = search.Ratio(p1, p2 / 1000, r);
        break;
    case 4:
        r = {p1 - p2, p1 + p2};
        break;
    case 6:
        r = search.Ratio(p1, p2 / 1000, r);
        break;
    case 7:
        if (rq.FitToData && DataRangeSuffices(search, r.min, r.max, p1, eps)) break;
        r = search.Threshold(p1, p2 / 1000, r);
        break;
    case 8:
        r = search.Threshold(p1, p2 / 1000, r);
        break;
    case 9: {
        const double k = p1, lambda = p2;
        const double step = 0.001 * (lambda > 1 ? std::max(k, lambda) : std::min(k, lambda));
        double x0 = 1E-05;
        if (k > 1) {
            // Climb to the mode: the last point before the density decreases.
            long steps = 0;
            x0 = 1E-06;
            long double fx = search.Eval(x0);
            for (;;) {
                CountSearchStep(steps);
                const long double next = search.Eval(x0 + step);
                if (next < fx) break;
                x0 = x0 + step;
                fx = next;
            }
        }
        r = search.OneSided(x0, step, r);
        r.min = 0;
        break;
    }
    case 10:
        r = search.OneSided(p1, p1 / 1000, r);
        r.min = 0;
        break;
    case 12:
        r = search.Threshold(0, 0.1, r);
        break;
    case 13: {
        const double a = p1, b = p2, step = 0.001;
        const double x0 = (a > 1 && b > 1) ? (a - 1) / (a + b - 2) : 1E-05;
        const long double t = eps * search.Eval(x0);
        r = {0.0, 1.0};
        for (long j = 1;; ++j) {
            const double x = x0 - j * step;
            if (x <= 0) break;
            if (search.Eval(x) <= t) {
                r.min = x;
                break;
            }
        }
        for (long j = 1;; ++j) {
            const double x = x0 + j * step;
            if (x >= 1) break;
            if (search.Eval(x) <= t) {
                r.max = x;
                break;
            }
        }
        break;
    }
    case 15:
        r = search.OneSided((p1 - 1) * p2, p2 / 1000, r);
        if (rq.FitToData && r.min == r.max) throw Refusal{};
        break;
    case 16: {
        // Start where the density stops rising.
        long steps = 0;
        double x0 = 0.01;
        long double fx = search.Eval(x0);
        for (;;) {
            CountSearchStep(steps);
            const long double next = search.Eval(x0 + 0.01);
            if (!(next > fx)) break;
            x0 = x0 + 0.01;
            fx = next;
        }
        r = search.OneSided(x0, 0.01, r);
        r.min = 0;
        if (rq.FitToData && r.max < 0) throw Refusal{};
        break;
    }
    case 20:
    case 22: {
        const double delta = p1;
        const double step = type == 20 ? 0.1 * delta : 0.1;
        const long double t = (type == 20 ? 1.0L : 0.1L) * eps * search.Eval(delta);
        long steps = 0;
        double x = delta;
        while (search.Eval(x) > t) {
            x = x + step;
            CountSearchStep(steps);
        }
        r.min = delta;
        if (x > 0) r.max = x - step;
        break;
    }
    case 21:
        r = search.OneSided(p1, 0.01, r);
        r.min = 0;
        break;
    default: // no range of their own: only a given range discretises them
        throw Refusal{};
    }

    if ((type == 1 || type == 6) && rq.FitToData) {
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
    if (rq.FitToData) {
        const RangeSearch probe(f, s.eps);
        if (type == 1 && DataRangeSuffices(probe, rq.Sample.xmin, rq.Sample.xmax,
                                           static_cast<double>(p[1]), s.eps))
            throw Refusal{};
        if (type == 15 && f.preparedC() == 0) throw Refusal{};
        if (type == 16 && f.preparedC() > 1E+308L) throw Refusal{};
        if (type == 23 && f.preparedR() == 0) throw Refusal{};
    }
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
    long double r = 0.0L;
    for (int i = 1; i <= s.n; ++i) {
        w.P[i] = static_cast<double>(w.P[i] / s.sum);
        if (w.P[i] != 0) r += 1.0L / w.P[i];
    }
    while (r > kInt64Max) r /= 10;
    for (int i = 1; i <= s.n; ++i)
        if (std::nearbyint(r * w.P[i]) == 0) w.P[i] = 0.0;
    const double m = std::min(w.P[1], w.P[s.n]);
    w.Total = m == 0 ? r : 1.0L / m;
    return RaisedMathFault();
}

Failure MathFaultReport(const std::string& header, MathFault fault) {
    Failure f;
    f.caption = 3;
    f.message = MathFaultMessage(fault);
    f.text = header + TextCis(f.message);
    return f;
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
    const std::string header =
        TextCis(211) + DistributionName(request.Type) + "\r\n\r\n" + "       ";

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
        Failure f;
        f.caption = 3;
        f.message = 88;
        f.text = TextCis(88) + "1024" + " :";
        out.Reports.push_back(f);
        return out;
    }
    out.Discretisation = Discretise(request, work);
    out.Reports = out.Discretisation.Reports;
    out.MinBeforeTrim = work.Min;
    out.MaxBeforeTrim = work.Max;
    const MathFault fault = out.Discretisation.EscapedFault;
    if (fault != MathFault::None) {
        Failure f;
        f.caption = 3;
        f.message = MathFaultMessage(fault);
        f.stepName = TextCis(78);
        f.text = TextCis(f.message) + "\r\n\r\n" + f.stepName;
        out.Reports.push_back(f);
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
