#include "calculation/load_effect.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>

#include "calculation/class_index.h"
#include "calculation/run_sum.h"
#include "common/math_fault.h"
#include "common/number_parse.h"
#include "localisation/captions.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "statlib/number_text.h"

namespace tessavin {
namespace {

constexpr int NnMaxBins = 256;
constexpr int SnMaxBins = 256;
// An index argument this close to the outer half-class edge is rounding noise, not a value
// outside the histogram.
constexpr double EdgeTolerance = 1e-9;
// Beyond this an index argument is far outside any histogram; it is kept finite for the text.
constexpr double FarIndex = 4.0e18;

// 1 + q rounded to the nearest whole number, halves to even, in 64 bits. q is finite.
long long RoundedIndex(double q) {
    if (q >= FarIndex) return static_cast<long long>(FarIndex);
    if (q <= -FarIndex) return -static_cast<long long>(FarIndex);
    return static_cast<long long>(std::nearbyint(q)) + 1;
}

// The index of argument q in 1 .. upper, into k. One class outside with q within EdgeTolerance
// of the half-class edge goes into the end class; anything else outside is false.
bool ClassIndex(double q, long long upper, long long& k) {
    k = RoundedIndex(q);
    if (upper < 1) return false;
    if (k >= 1 && k <= upper) return true;
    if (k == 0 && std::fabs(q + 0.5) < EdgeTolerance) {
        k = 1;
        return true;
    }
    if (k == upper + 1 && std::fabs(q - (static_cast<double>(upper) - 0.5)) < EdgeTolerance) {
        k = upper;
        return true;
    }
    return false;
}

int RaisedMessage() {
    const MathFault fault = RaisedMathFault();
    return fault == MathFault::None ? 0 : MathFaultMessage(fault);
}

// The report of a fault in values just computed: the raised flag, else invalid for a NaN and
// overflow for an infinity; 0 when all are finite. The values pass through a volatile store
// first, so the arithmetic that made them cannot be moved past the flag test.
int FaultIn(std::initializer_list<double> values) {
    for (const double v : values) {
        volatile double computed = v;
        (void)computed;
    }
    if (const int message = RaisedMessage()) return message;
    for (const double v : values)
        if (std::isnan(v)) return msg::UndefinedFloatOperation;
    for (const double v : values)
        if (!std::isfinite(v)) return msg::Overflow;
    return 0;
}

bool MathFailed(CalculationState& state, int message) {
    state.Fail(MathFailure(message, state.StepName), AbortKind::Calculation);
    return false;
}

bool ClassIndexFailed(CalculationState& state, int message, std::string text) {
    state.Fail(StepFailure(message, std::move(text), state.StepName), AbortKind::InputPage);
    return false;
}

bool PreCheckFailed(CalculationState& state, int message, std::string text, const char* focus) {
    state.Fail(ErrorBox(message, std::move(text), focus), AbortKind::Calculation);
    return false;
}

// Probabilities to sum 1, the frequency total they stand for (at most 2^63 - 1, reached by
// dividing by 10), and classes too rare for that total emptied. Not normalised again.
long double Normalise(ClassArray& P, int bins) {
    long double sum = 0.0L;
    for (int k = 1; k <= bins; ++k)
        sum += P[k];
    for (int k = 1; k <= bins; ++k)
        P[k] = static_cast<double>(P[k] / sum);
    const long double total = WithinCountRange(FrequencyTotal(P, bins));
    // A class empties when total * P rounds to 0, halves to even: when it is at most one half,
    // which tells it without a library call.
    for (int k = 1; k <= bins; ++k)
        if (std::fabs(total * P[k]) <= 0.5L) P[k] = 0.0;
    return total;
}

void Store(StateHistogram& out, const ClassArray& P, double first, double last, double step,
           double span, int bins, double total) {
    out.P = P;
    out.XFirst = first;
    out.XLast = last;
    out.Step = step;
    out.Span = span;
    out.Bins = bins;
    out.Total = total;
}

// Normalisation, the span, trimming of empty end classes and the final fault test of a
// built histogram, then its store into `out`; false after a reported fault.
bool Finish(StateHistogram& out, ClassArray& P, double first, double last, double h, int bins,
            CalculationState& state) {
    const long double total = Normalise(P, bins);
    double span = last - first;
    TrimZeroEndClasses(P, first, last, bins, h, span);
    if (const int message = FaultIn({first, last, h, span, static_cast<double>(total)}))
        return MathFailed(state, message);
    Store(out, P, first, last, h, span, bins, static_cast<double>(total));
    return true;
}

bool IsEvenWhole(double m) {
    return std::isfinite(m) && std::fmod(m, 2.0) == 0.0;
}

// ---------------------------------------------------------------- DeltaS^m

bool VypocetDs(double m, const CalculationInputs& in, CalculationState& state) {
    const bool centre = in.integration.convention == Convention::Centre;
    state.StepName = "Procedure Vypocet DeltaS^m";
    if (in.m.empty()) return false;
    ClearMathFlags();

    const DiscreteHistogram& ds = state.inputs.histogram[1];
    const int n1 = std::clamp(ds.Bins, 0, MaxBins);
    const double h1 = ds.Step;
    const double aLo = ds.XFirst - h1 / 2;
    const double aHi = ds.XLast + h1 / 2;

    const double powLo = std::pow(aLo, m);
    const double powHi = std::pow(aHi, m);
    if (const int message = FaultIn({powLo, powHi})) return MathFailed(state, message);
    double lo = std::min(powLo, powHi);
    double hi = std::max(powLo, powHi);
    if (aLo == aHi) {
        lo = 0.0;
        hi = aHi;
    }
    if (aLo < 0 && 0 < aHi && IsEvenWhole(m)) lo = 0.0;
    const double w = hi - lo;
    if (const int message = FaultIn({w})) return MathFailed(state, message);

    long long cnt = 0;
    double h = 0.0;
    if (w > 2147483647.0) {
        cnt = MaxBins;
        h = w / MaxBins;
    } else {
        const double r = std::nearbyint(w);
        if (r >= 8 && r <= MaxBins) {
            cnt = n1;
        } else {
            const double c = std::nearbyint(n1 * m);
            cnt = c > MaxBins ? MaxBins : static_cast<long long>(std::max(c, -FarIndex));
        }
        h = w / static_cast<double>(cnt);
    }
    double first = lo + h / 2;
    double last = hi - h / 2;
    if (const int message = FaultIn({h, first, last})) return MathFailed(state, message);

    ClassArray P{};
    if (m == 1) {
        P = ds.P;
        h = h1;
        cnt = n1;
        first = centre ? ds.XFirst : aLo;
        last = centre ? ds.XLast : aHi;
    } else {
        double x = aLo; // lower edge of class i, by repeated addition
        for (int i = 1; i <= n1; ++i, x += h1) {
            const double q = std::pow(centre ? x + h1 / 2 : x, m) / h - first / h;
            if (!std::isfinite(q)) return MathFailed(state, FaultIn({q}));
            long long k = 0;
            if (!ClassIndex(q, cnt, k))
                return ClassIndexFailed(state, msg::FieldIndexOutOfRange,
                                        TextCis(msg::FieldIndexOutOfRange) + std::to_string(cnt) +
                                            " n=" + std::to_string(k) + " ! " + "\r\n\r\n\t" +
                                            TextCis(msg::DsImpossible));
            P[k] += ds.P[i];
        }
    }

    if (!Finish(state.DeltaSm, P, first, last, h, static_cast<int>(cnt), state)) return false;
    state.HistogramTitle = "DeltaS^m ( m=" + StrNaCarku(m) + " )";
    state.DeltaSmReady = true;
    state.SnCurrent = false;
    return true;
}

// ---------------------------------------------------------------- Nn

// The one-year input as the passes read it.
struct OneYear {
    const ClassArray* P;
    double lo, hi, h;
    double x1; // the value of class 1 that enters the sums: lo, or its class value (Centre)
    int bins;
    std::array<double, MaxBins + 1> offset; // (j - 1) * h
    // -(j - 1) * h from j = 1 on: base - negated[j - 1] is base + offset[j] to the bit, in the
    // form the class-row kernels take.
    std::array<double, MaxBins> negated;
};

OneYear ReadOneYear(const DiscreteHistogram& b, Convention convention) {
    OneYear y{};
    y.P = &b.P;
    y.h = b.Step;
    y.lo = b.XFirst - b.Step / 2;
    y.hi = b.XLast + b.Step / 2;
    y.x1 = convention == Convention::Centre ? b.XFirst : y.lo;
    y.bins = std::clamp(b.Bins, 0, MaxBins);
    for (int j = 1; j <= y.bins; ++j)
        y.offset[j] = (j - 1) * y.h;
    for (int j = 1; j <= y.bins; ++j)
        y.negated[j - 1] = -y.offset[j];
    return y;
}

// P[1 .. bins] kept up to its last non-empty class.
NnPass Compact(const ClassArray& P, double lo, double hi, double h, int bins) {
    int size = MaxBins;
    while (size > 0 && P[size] == 0.0)
        --size;
    NnPass a;
    a.P.assign(P.begin() + 1, P.begin() + 1 + size);
    a.lo = lo;
    a.hi = hi;
    a.h = h;
    a.bins = bins;
    return a;
}

void Expand(const NnPass& a, ClassArray& P) {
    P.fill(0.0);
    std::copy(a.P.begin(), a.P.end(), P.begin() + 1);
}

// No pass yet: the one-year input, its classes at the values that enter the sums.
NnPass Initial(const DiscreteHistogram& b, Convention convention) {
    if (convention == Convention::Centre)
        return Compact(b.P, b.XFirst, b.XLast, b.Step, std::clamp(b.Bins, 0, MaxBins));
    return Compact(b.P, b.XFirst - b.Step / 2, b.XLast + b.Step / 2, b.Step,
                   std::clamp(b.Bins, 0, MaxBins));
}

NnFault PassMathFault(int message, const std::string& stepName) {
    return {MathFailure(message, stepName), AbortKind::Calculation};
}

// The first chain's class count of a pass may fall this low before the second chain serves.
constexpr long long FirstChainMinBins = 16;

// The second chain keeps at least twice the one-year input's classes, and never fewer than the
// first chain's floor: with fewer, an input of 3 classes would be carried in 2 classes and its
// mean drift by half by year 300.
long long SecondChainMinBins(const OneYear& b) {
    return std::clamp(2LL * b.bins, FirstChainMinBins, static_cast<long long>(NnMaxBins));
}

// Range and class count of pass k: the sums widened by half a class of each operand, count =
// range / width of A rounded + 1, at most 256. The first chain replaces a count below 4 by 256;
// the second chain raises a count below its floor instead (NnCache::Running).
struct PassRange {
    double lo, hi;
    long long cnt;
};

std::optional<NnFault> RangeOfPass(int k, const NnPass& a, const OneYear& b,
                                   const std::string& stepName, PassRange& r) {
    r.lo = (k + 1) * b.lo - a.h / 2 - b.h / 2;
    r.hi = (k + 1) * b.hi + a.h / 2 + b.h / 2;
    const double width = (r.hi - r.lo) / a.h;
    if (const int message = FaultIn({width})) return PassMathFault(message, stepName);
    r.cnt = std::min(RoundedIndex(width), static_cast<long long>(NnMaxBins));
    return std::nullopt;
}

// Pass k over range r: A holds the sum of k one-year counts; out gets the sum of k + 1.
std::optional<NnFault> NtPass(int k, const NnPass& a, const OneYear& b, PassRange r,
                              const std::string& stepName, NnPass& out) {
    // The range spans cnt - 4 classes; the top classes stay empty.
    const double h = (r.hi - r.lo) / static_cast<double>(r.cnt - 4);
    const double lo = r.lo + h / 2;
    const double hi = r.hi - h / 2;
    if (const int message = FaultIn({h, lo, hi})) return PassMathFault(message, stepName);

    ClassArray pa;
    Expand(a, pa);
    ClassArray sum{};
    const ClassArray& pb = *b.P;
    const IndexDivisor divisor(h);
    std::array<int, MaxBins> row;
    for (int i = 1; i <= a.bins; ++i) {
        const double base = a.lo + (i - 1) * a.h + b.x1;
        const double pai = pa[i];
        // An empty class adds nothing: only its indices are checked, by the ends of the row.
        if (pai == 0.0 && b.bins > 0 && divisor.RoundsBelow(base + b.offset[1] - lo, MaxBins) &&
            divisor.RoundsBelow(base + b.offset[b.bins] - lo, MaxBins))
            continue;
        RunSum add(sum);
        // The row's classes on vector lanes first, when they decide every class of the row.
        if (divisor.RoundedClasses(base, b.negated.data(), lo, b.bins, MaxBins + 1, row.data()) &&
            *std::max_element(row.begin(), row.begin() + b.bins) <= MaxBins) {
            for (int j = 1; j <= b.bins; ++j)
                add.Add(row[j - 1], pai * pb[j]);
            add.Flush();
            continue;
        }
        for (int j = 1; j <= b.bins; ++j) {
            const double num = base + b.offset[j] - lo;
            double r;
            long long t;
            if (divisor.Rounded(num, r) && r >= 0 && r < MaxBins) [[likely]] {
                t = static_cast<long long>(r) + 1;
            } else {
                const double q = num / h;
                if (!std::isfinite(q)) return PassMathFault(FaultIn({q}), stepName);
                if (!ClassIndex(q, MaxBins, t)) {
                    const std::string format = TextCis(msg::FieldIndexOutOfRangeOf) +
                                               std::to_string(MaxBins) + " n=" + std::to_string(k) +
                                               " ! " + "\r\n\r\n\t" + TextCis(msg::NtImpossible);
                    return NnFault{StepFailure(msg::FieldIndexOutOfRangeOf,
                                               FormatMessage(format, std::to_string(t)), stepName),
                                   AbortKind::InputPage};
                }
            }
            add.Add(t, pai * pb[j]);
        }
        add.Flush();
    }
    if (const int message = RaisedMessage()) return PassMathFault(message, stepName);
    out = Compact(sum, lo, hi, h, static_cast<int>(r.cnt));
    return std::nullopt;
}

// ---------------------------------------------------------------- Sn

bool VypocetDsNt(const CalculationInputs& in, CalculationState& state) {
    state.StepName = CaptionText(Caption::Label20);
    ClearMathFlags();
    const double C = ParseRealPrefix(in.C);
    state.HistogramTitle = "C*DeltaS^m*Nn  ( C=" + in.C + ", m=" + in.m +
                           ", n=" + std::to_string(state.currentYear) + " )";

    const StateHistogram& d = state.DeltaSm;
    const StateHistogram& nn = state.Nn;
    const double xa = d.XFirst - d.Step / 2;
    const double xb = d.XLast + d.Step / 2;
    const double ya = nn.XFirst - nn.Step / 2;
    const double yb = nn.XLast + nn.Step / 2;
    const double corners[] = {xa * ya, xa * yb, xb * ya, xb * yb};
    double lo = *std::min_element(std::begin(corners), std::end(corners));
    double hi = *std::max_element(std::begin(corners), std::end(corners));
    if (lo == hi) {
        lo = std::min(xa, ya);
        hi = std::max(xb, yb);
    }
    const double width = (hi - lo) / (d.Step * nn.Step);
    if (const int message = FaultIn({width})) return MathFailed(state, message);
    long long cnt = RoundedIndex(width);
    if (cnt > SnMaxBins || cnt < 1) cnt = SnMaxBins;
    const double h = (hi - lo) / static_cast<double>(cnt - 1); // one class: division by zero
    const double first = lo + h / 2;
    const double last = hi - h / 2;
    if (const int message = FaultIn({h, first, last})) return MathFailed(state, message);

    const int dBins = std::clamp(d.Bins, 0, MaxBins);
    const int nBins = std::clamp(nn.Bins, 0, MaxBins);
    std::array<double, MaxBins + 1> y{};
    for (int j = 1; j <= nBins; ++j)
        y[j] = nn.XFirst + (j - 1) * nn.Step;

    ClassArray P{};
    const IndexDivisor divisor(h);
    for (int i = 1; i <= dBins; ++i) {
        const double x = d.XFirst + (i - 1) * d.Step;
        const double pd = d.P[i];
        // An empty class adds nothing: only its indices are checked, by the ends of the row.
        const double upper = static_cast<double>(cnt);
        if (pd == 0.0 && nBins > 0 && divisor.RoundsBelow(x * y[1] - first, upper) &&
            divisor.RoundsBelow(x * y[nBins] - first, upper))
            continue;
        RunSum add(P);
        for (int j = 1; j <= nBins; ++j) {
            const double num = x * y[j] - first;
            double r;
            long long k = 0;
            if (divisor.Rounded(num, r) && r >= 0 && r < static_cast<double>(cnt)) [[likely]] {
                k = static_cast<long long>(r) + 1;
            } else {
                const double q = num / h;
                if (!std::isfinite(q)) return MathFailed(state, FaultIn({q}));
                if (!ClassIndex(q, cnt, k))
                    return ClassIndexFailed(state, 32,
                                            FormatMessage(TextCis(msg::FieldIndexOutOfRangeOf) +
                                                              std::to_string(cnt) +
                                                              TextCis(msg::DsNtImpossible),
                                                          std::to_string(k)));
            }
            add.Add(k, pd * nn.P[j]);
        }
        add.Flush();
    }

    WorkingHistogram w;
    w.P = P;
    w.Min = first; // class values, not range edges, while here
    w.Max = last;
    w.Step = h;
    w.Span = last - first;
    w.Bins = static_cast<int>(cnt);
    w.Total = 0.0L;
    int bins = w.Bins;
    TrimZeroEndClasses(w.P, w.Min, w.Max, bins, w.Step, w.Span);
    w.Bins = bins;

    w.Min *= C;
    w.Max *= C;
    w.Step *= std::fabs(C);
    w.Span *= std::fabs(C);
    if (C < 0 && w.Min >= w.Max) {
        std::reverse(w.P.begin() + 1, w.P.begin() + 1 + w.Bins);
        std::swap(w.Min, w.Max);
    }
    double smallest = 0.0;
    for (int k = 1; k <= w.Bins; ++k)
        if (w.P[k] > 0.0 && (smallest == 0.0 || w.P[k] < smallest)) smallest = w.P[k];
    const double total = smallest > 0.0 ? 1.0 / smallest : 0.0;
    if (const int message = FaultIn({w.Min, w.Max, w.Step, w.Span, total}))
        return MathFailed(state, message);

    Store(state.Sn, w.P, w.Min, w.Max, w.Step, w.Span, w.Bins, total);
    state.SnReady = true;
    state.SnCurrent = true;
    return true;
}

} // namespace

// ---------------------------------------------------------------- NnCache

void NnCache::Clear() {
    keyed_ = false;
    first_.clear();
    second_.clear();
    switch_ = 0;
    firstFault_.reset();
}

bool NnCache::Matches(const DiscreteHistogram& input, Convention convention) const {
    // The key compares bits, not values: -0 and 0 or two NaNs must not count as the same input.
    // NOLINTBEGIN(bugprone-suspicious-memory-comparison)
    return keyed_ && convention_ == convention && key_.Bins == input.Bins &&
           std::memcmp(&key_.XFirst, &input.XFirst, sizeof(double)) == 0 &&
           std::memcmp(&key_.XLast, &input.XLast, sizeof(double)) == 0 &&
           std::memcmp(&key_.Step, &input.Step, sizeof(double)) == 0 &&
           std::memcmp(key_.P.data(), input.P.data(), sizeof(ClassArray)) == 0;
    // NOLINTEND(bugprone-suspicious-memory-comparison)
}

void NnCache::Restart(const DiscreteHistogram& input, Convention convention) {
    Clear();
    key_ = input;
    convention_ = convention;
    keyed_ = true;
    first_.push_back(Initial(input, convention));
    second_.push_back(first_.back());
}

std::optional<NnFault> NnCache::Running(int year, const std::string& stepName, NnPass& a) {
    const OneYear one = ReadOneYear(key_, convention_);
    // The first chain, until its count would fall below its floor or a pass fails.
    while (switch_ == 0 && KeptPasses() <= year) {
        const int k = KeptPasses();
        PassRange r{};
        NnPass next;
        // The pass runs even below the floor: should the second chain fail too, the first
        // chain's own failure is the one reported.
        std::optional<NnFault> fault = RangeOfPass(k, first_.back(), one, stepName, r);
        if (!fault && r.cnt < 4) r.cnt = NnMaxBins;
        if (!fault) fault = NtPass(k, first_.back(), one, r, stepName, next);
        if (fault || r.cnt < FirstChainMinBins) {
            switch_ = k;
            firstFault_ = std::move(fault);
            ClearMathFlags();
            break;
        }
        first_.push_back(std::move(next));
    }
    if (switch_ == 0 || year < switch_) {
        a = first_[year];
        return std::nullopt;
    }

    // The second chain: the same passes with the count kept at its floor or above.
    const long long floor = SecondChainMinBins(one);
    NnPass running = second_.back();
    for (int k = static_cast<int>(second_.size()); k <= year; ++k) {
        PassRange r{};
        std::optional<NnFault> fault = RangeOfPass(k, running, one, stepName, r);
        // Raised to at most twice the rule's count, the class width stays above half of A's,
        // so that A's first class stays inside the next pass's range. A range that is not
        // positive keeps the first chain's rule.
        r.cnt = r.cnt < 1 ? NnMaxBins : std::max(r.cnt, std::min(floor, 2 * r.cnt));
        if (!fault) fault = NtPass(k, running, one, r, stepName, running);
        if (fault) return firstFault_ && k <= switch_ ? firstFault_ : fault;
        second_.push_back(running);
    }
    a = second_[year];
    return std::nullopt;
}

// ---------------------------------------------------------------- steps

bool DeltaSmStep(const CalculationInputs& in, CalculationState& state) {
    const auto m = ParseReal(in.m);
    if (!m || !std::isfinite(*m))
        return PreCheckFailed(state, msg::BadNumberM, TextCis(msg::BadNumberM) + in.m + ")",
                              "EdMocM");
    // An input waiting for its raw data has no histogram to combine.
    if (!state.inputs.ready[1])
        return PreCheckFailed(state, msg::DeltaSMissing, TextCis(msg::DeltaSMissing), "CBRozSpZad");
    return VypocetDs(*m, in, state);
}

bool NnStep(int year, const CalculationInputs& in, CalculationState& state, NnCache& cache) {
    if (year < 0)
        return PreCheckFailed(state, msg::BadNumberM,
                              TextCis(msg::BadNumberM) + std::to_string(year) + ")", "EdRokT");
    if (!state.inputs.ready[2])
        return PreCheckFailed(state, msg::StressRangesPerYearMissing,
                              TextCis(msg::StressRangesPerYearMissing), "CBCelKmitZad");

    state.StepName = CaptionText(Caption::Label19);
    if (in.yearStart.empty()) return false;
    ClearMathFlags();

    const DiscreteHistogram& b = state.inputs.histogram[2];
    const Convention convention = in.integration.convention;
    if (!cache.Matches(b, convention)) cache.Restart(b, convention);
    NnPass a;
    if (std::optional<NnFault> fault = cache.Running(year, state.StepName, a)) {
        state.Fail(std::move(fault->failure), fault->kind);
        return false;
    }
    ClassArray P;
    Expand(a, P);
    if (!Finish(state.Nn, P, a.lo, a.hi, a.h, a.bins, state)) return false;
    state.HistogramTitle = TextCis(msg::NnForYear) + std::to_string(year);
    state.NnReady = true;
    state.NnCurrent = true;
    state.SnCurrent = false;
    return true;
}

bool SnStep(const CalculationInputs& in, CalculationState& state) {
    if (!state.NnReady)
        return PreCheckFailed(state, msg::NnNotCalculated, TextCis(msg::NnNotCalculated), "");
    if (!state.DeltaSmReady)
        return PreCheckFailed(state, msg::DeltaSNotCalculated, TextCis(msg::DeltaSNotCalculated),
                              "");
    return VypocetDsNt(in, state);
}

} // namespace tessavin
