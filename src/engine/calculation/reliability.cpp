#include "calculation/reliability.h"

#include <algorithm>
#include <array>
#include <cfenv>
#include <cmath>
#include <initializer_list>
#include <stdexcept>
#include <string>

#include "calculation/class_index.h"
#include "calculation/run_sum.h"
#include "common/math_fault.h"
#include "localisation/captions.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"

namespace tessavin {
namespace {

// An index argument this close to the lower half-class edge is rounding noise: class 1.
constexpr double EdgeTolerance = 1e-9;
// Index arguments beyond this are far outside; they are kept finite for the message text.
constexpr double FarIndex = 4.0e18;

void CheckYear(int year) {
    if (year < 0 || year > MaxYear)
        throw std::out_of_range("year " + std::to_string(year) + " outside 0 .. 300");
}

// The message of a fault in values just computed: the raised flag, else invalid for a NaN and
// overflow for an infinity; 0 when all is well. The volatile store keeps the arithmetic that
// made the values ahead of the flag test.
int FaultIn(std::initializer_list<long double> values) {
    for (const long double v : values) {
        volatile long double computed = v;
        (void)computed;
    }
    if (const MathFault fault = RaisedMathFault(); fault != MathFault::None)
        return MathFaultMessage(fault);
    for (const long double v : values)
        if (std::isnan(v)) return msg::UndefinedFloatOperation;
    for (const long double v : values)
        if (!std::isfinite(v)) return msg::Overflow;
    return 0;
}

bool MathFailed(CalculationState& state, int message) {
    state.Fail(MathFailure(message, state.StepName), AbortKind::Calculation);
    return false;
}

bool ClassIndexFailed(CalculationState& state, long long t) {
    state.Fail(StepFailure(msg::FieldIndexOutOfRange,
                           state.StepName + "\r\n\r\n" + TextCis(msg::FieldIndexOutOfRange) +
                               std::to_string(DifferenceBins) + " n=" + std::to_string(t) +
                               " ! \r\n\r\n\t" + TextCis(msg::CalculationImpossible),
                           state.StepName),
               AbortKind::Calculation);
    state.Interrupt = false;
    return false;
}

bool MissingOperand(CalculationState& state, int message) {
    state.Fail(MessageFailure(message), AbortKind::Calculation);
    return false;
}

// One row of class pairs (R class value r, probability pr) added into d, each index from its own
// quotient. False after reporting a failure.
bool AddRowPairwise(double r, double pr, const DiscreteHistogram& Sn, StateHistogram& d,
                    const IndexDivisor& divisor, CalculationState& state) {
    const double h = d.Step;
    RunSum sum(d.P);
    for (int f = 1; f <= Sn.Bins; ++f) {
        const double s = Sn.XFirst + (f - 1) * Sn.Step;
        const double num = r - s - d.XFirst;
        double rounded;
        long long t;
        if (divisor.Rounded(num, rounded) && rounded >= 0) [[likely]] {
            t = std::min(static_cast<long long>(rounded) + 1, 1LL * DifferenceBins);
        } else {
            const double q = num / h;
            if (!std::isfinite(q)) {
                const int message = FaultIn({q});
                return MathFailed(state, message != 0 ? message : msg::UndefinedFloatOperation);
            }
            if (q >= DifferenceBins) {
                t = DifferenceBins; // above the range: the last class
            } else {
                t = static_cast<long long>(std::nearbyint(std::max(q, -FarIndex))) + 1;
                if (t > DifferenceBins) t = DifferenceBins;
                if (t < 1) {
                    if (t == 0 && std::fabs(q + 0.5) < EdgeTolerance)
                        t = 1;
                    else
                        return ClassIndexFailed(state, t);
                }
            }
        }
        sum.Add(t, pr * Sn.P[f]);
    }
    sum.Flush();
    return true;
}

// Every pair of class values shared between the two classes of d around it, in proportion to
// its distance from each; below the first class value into class 1, above the last into the
// last. False after reporting a failure.
bool AddPairsShared(const DiscreteHistogram& R, const DiscreteHistogram& Sn, StateHistogram& d,
                    CalculationState& state) {
    for (int w = 1; w <= R.Bins; ++w) {
        const double r = R.XFirst + (w - 1) * R.Step;
        const double pr = R.P[w];
        for (int f = 1; f <= Sn.Bins; ++f) {
            const double q = (r - (Sn.XFirst + (f - 1) * Sn.Step) - d.XFirst) / d.Step;
            if (!std::isfinite(q)) {
                const int message = FaultIn({q});
                return MathFailed(state, message != 0 ? message : msg::UndefinedFloatOperation);
            }
            if (q < -0.5 - EdgeTolerance)
                return ClassIndexFailed(
                    state, static_cast<long long>(std::nearbyint(std::max(q, -FarIndex))) + 1);
            const double p = pr * Sn.P[f];
            if (q <= 0) {
                d.P[1] += p;
            } else if (q >= DifferenceBins - 1) {
                d.P[DifferenceBins] += p;
            } else {
                const int k = static_cast<int>(q); // between class k + 1 and class k + 2
                const double upper = q - k;
                d.P[k + 1] += p * (1 - upper);
                d.P[k + 2] += p * upper;
            }
        }
    }
    return true;
}

} // namespace

// Started on a cache line: off one, its row loops ran up to twice as slowly, by where the
// code linked before it happened to end.
[[gnu::aligned(64)]] bool DifferenceHistogram(const DiscreteHistogram& R,
                                              const DiscreteHistogram& Sn, int crackOrigin,
                                              CalculationState& state, StateHistogram& out,
                                              Convention convention) {
    state.StepName = CaptionText(Caption::Label27) + " (" + CrackOriginText(crackOrigin) + ")";
    ClearMathFlags();

    StateHistogram d;
    double lo = (R.XFirst - Sn.XLast) - (R.Step + Sn.Step) / 2;
    double hi = (R.XLast - Sn.XFirst) + (R.Step + Sn.Step) / 2;
    if (lo > hi) std::swap(lo, hi);
    d.Bins = DifferenceBins;
    const double h = (hi - lo) / (DifferenceBins - 1);
    d.XFirst = lo + h / 2;
    d.XLast = hi - h / 2;
    d.Step = h;
    if (const int message = FaultIn({lo, hi, h, d.XFirst, d.XLast}))
        return MathFailed(state, message);

    const IndexDivisor divisor(h);
    auto snValue = [&](int f) { return Sn.XFirst + (f - 1) * Sn.Step; };
    std::array<double, MaxBins> sn; // class values of Sn from class 1 on
    for (int f = 1; f <= Sn.Bins; ++f)
        sn[f - 1] = snValue(f);
    std::array<int, MaxBins> rowClass;
    if (convention == Convention::Centre && !AddPairsShared(R, Sn, d, state)) return false;
    for (int w = 1; w <= R.Bins && convention == Convention::First; ++w) {
        const double r = R.XFirst + (w - 1) * R.Step;
        const double pr = R.P[w];
        // An empty class adds nothing: only its indices are checked, by the ends of the row
        // (any class from 1 up is valid; above 256 means the last).
        if (pr == 0.0 && Sn.Bins > 0 && divisor.RoundsBelow(r - snValue(1) - d.XFirst, 2048) &&
            divisor.RoundsBelow(r - snValue(Sn.Bins) - d.XFirst, 2048))
            continue;
        // The row's classes first, on vector lanes; a row where the product does not decide
        // every class runs pair by pair with the flags as they were before it.
        std::fexcept_t flags;
        std::fegetexceptflag(&flags, FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
        if (!divisor.RoundedClasses(r, sn.data(), d.XFirst, Sn.Bins, DifferenceBins,
                                    rowClass.data())) {
            std::fesetexceptflag(&flags, FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
            if (!AddRowPairwise(r, pr, Sn, d, divisor, state)) return false;
            continue;
        }
        RunSum sum(d.P);
        for (int f = 1; f <= Sn.Bins; ++f)
            sum.Add(rowClass[f - 1], pr * Sn.P[f]);
        sum.Flush();
    }
    if (const int message = FaultIn({})) return MathFailed(state, message);

    // Extended sums: 1/P of a tiny tail probability is beyond what a double sum survives.
    long double sum = 0.0L;
    for (int t = 1; t <= DifferenceBins; ++t)
        sum += d.P[t];
    for (int t = 1; t <= DifferenceBins; ++t)
        d.P[t] = static_cast<double>(d.P[t] / sum);
    const long double total = FrequencyTotal(d.P, DifferenceBins);
    d.Total = static_cast<double>(total);
    if (const int message = FaultIn({sum, total, d.Total})) return MathFailed(state, message);

    int bins = d.Bins;
    TrimZeroEndClasses(d.P, d.XFirst, d.XLast, bins, d.Step, d.Span);
    d.Bins = bins;
    out = d;
    return true;
}

double ProbabilityBelowZero(const DiscreteHistogram& d) {
    long double below = 0.0L;
    for (int i = 1; i <= d.Bins; ++i) {
        double fraction;
        if (d.Step > 0)
            fraction = std::clamp((0.0 - ClassLower(d, i)) / d.Step, 0.0, 1.0);
        else
            fraction = ClassValue(d, i) < 0 ? 1.0 : 0.0;
        below += d.P[i] * static_cast<long double>(fraction);
    }
    // Normalised probabilities may sum to 1 plus a rounding.
    return std::clamp(static_cast<double>(below), 0.0, 1.0);
}

bool UStep(int year, const CalculationInputs& in, CalculationState& state) {
    CheckYear(year);
    if (!state.SnCurrent) return MissingOperand(state, msg::SnMissing);
    if (!state.RadReady) return MissingOperand(state, msg::RadMissing);
    if (!DifferenceHistogram(state.Rad, state.Sn, in.crackOrigin, state, state.RfU,
                             in.integration.convention))
        return false;
    state.RfUReady = true;
    state.Event(1, 1, year) = 1.0 - ProbabilityBelowZero(state.RfU);
    return true;
}

bool FStep(int year, const CalculationInputs& in, CalculationState& state) {
    CheckYear(year);
    if (!state.SnCurrent) return MissingOperand(state, msg::SnMissing);
    if (!state.RaacReady) return MissingOperand(state, msg::RaacMissing);
    if (!DifferenceHistogram(state.Raac, state.Sn, in.crackOrigin, state, state.RfF,
                             in.integration.convention))
        return false;
    state.RfFReady = true;
    const double pF = ProbabilityBelowZero(state.RfF);
    state.Event(1, 3, year) = pF;
    if (!state.Abort) state.Event(1, 2, year) = 1.0 - state.Event(1, 1, year) - pF;
    return true;
}

void ApplySaturation(int year, bool& saturated, CalculationState& state) {
    CheckYear(year);
    const double pU = state.Event(1, 1, year);
    const double pD = state.Event(1, 2, year);
    const double pF = state.Event(1, 3, year);
    if ((pD < 0 && pF > 0.99) || (pU > 0.999 && pF > 0.5)) saturated = true;
    if (!saturated) return;
    state.Event(1, 1, year) = 0.0;
    state.Event(1, 2, year) = 0.0;
    state.Event(1, 3, year) = 1.0;
}

} // namespace tessavin
