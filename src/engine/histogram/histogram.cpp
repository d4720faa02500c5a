#include "histogram/histogram.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tessavin {

void StoreWorkingHistogram(const WorkingHistogram& source, DiscreteHistogram& target) {
    if (source.Bins <= 0) return;
    target.P = source.P;
    target.XFirst = source.Min + source.Step / 2;
    target.XLast = source.Max - source.Step / 2;
    target.Step =
        source.Bins > 1 ? (target.XLast - target.XFirst) / (source.Bins - 1) : source.Step;
    target.Total = static_cast<double>(source.Total);
    target.Bins = source.Bins;
}

double ClassValue(const DiscreteHistogram& h, int i) {
    return h.XFirst + (i - 1) * h.Step;
}
double ClassLower(const DiscreteHistogram& h, int i) {
    return ClassValue(h, i) - h.Step / 2;
}
double ClassUpper(const DiscreteHistogram& h, int i) {
    return ClassValue(h, i) + h.Step / 2;
}

long double ProbabilitySum(const DiscreteHistogram& h) {
    long double sum = 0.0L;
    for (int i = 1; i <= h.Bins; ++i)
        sum += h.P[i];
    return sum;
}

long double FrequencyTotal(const ClassArray& P, int bins) {
    long double total = 0.0L;
    for (int i = 1; i <= bins; ++i)
        if (P[i] != 0.0) total += 1.0L / P[i];
    return total;
}

long double WithinCountRange(long double total) {
    constexpr long double limit = static_cast<long double>(std::numeric_limits<long long>::max());
    while (total > limit)
        total /= 10;
    return total;
}

bool IsUsableHistogram(const DiscreteHistogram& h) {
    if (h.Bins < 1 || h.Bins > MaxBins) return false;
    if (!std::isfinite(h.XFirst) || !std::isfinite(h.XLast) || !(h.XFirst <= h.XLast)) return false;
    if (h.Bins > 1 && !(std::isfinite(h.Step) && h.Step > 0)) return false;
    for (int i = 1; i <= h.Bins; ++i)
        if (!std::isfinite(h.P[i]) || h.P[i] < 0) return false;
    return std::fabs(ProbabilitySum(h) - 1.0L) <= 1e-9L;
}

void TrimZeroEndClasses(ClassArray& P, double& first, double& last, int& bins, double step,
                        double& span) {
    if (bins <= 0) return;
    if (P[1] != 0.0 && P[bins] != 0.0) return;
    const ClassArray T = P;
    // An empty class followed only by empty classes ends the histogram.
    int lastNonEmpty = bins;
    while (lastNonEmpty >= 1 && T[lastNonEmpty] == 0.0)
        --lastNonEmpty;
    int i = 1;
    int j = 1;
    bool leading = true;
    bool stop = false;
    do {
        if (leading && T[i] == 0.0) {
            ++i;
            first += step;
        } else {
            leading = false;
            if (T[i] == 0.0) stop = i > lastNonEmpty;
            if (!stop) {
                P[j] = T[i];
                ++i;
                ++j;
            }
        }
    } while (i != bins + 1 && !stop);
    last = first + (j - 2) * step;
    bins = j - 1;
    span = last - first;
}

void TrimWorkingHistogram(WorkingHistogram& h) {
    double first = h.Min;
    double last = h.Max;
    double span = h.Span;
    int bins = h.Bins;
    TrimZeroEndClasses(h.P, first, last, bins, h.Step, span);
    if (bins == h.Bins) return; // nothing dropped, nothing written
    h.Min = first;
    h.Bins = bins;
    h.Max = h.Min + bins * h.Step;
    h.Span = h.Max - h.Min;
}

} // namespace tessavin
