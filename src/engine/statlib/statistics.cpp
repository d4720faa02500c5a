#include "statlib/statistics.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "statlib/number_text.h"

namespace tessavin {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// n limited to the entries a span holds: no index ever reads past the caller's array.
int ClampCount(int n, std::size_t available) {
    return static_cast<int>(std::clamp<long long>(n, 0, static_cast<long long>(available)));
}

// Classes of a histogram: n sets the class positions; only classes that the span holds are read.
struct Classes {
    std::span<const double> p;
    int count = 0; // classes read
    double x1 = 0.0;
    double step = 0.0; // 0 for a single class

    Classes(std::span<const double> probabilities, int n, double first, double last)
        : p(probabilities), x1(first) {
        count = ClampCount(n, p.size());
        step = n > 1 ? (last - first) / (n - 1) : 0.0;
    }
    double X(int i) const { return x1 + i * step; } // i counts from 0
};

long double Sum(std::span<const double> values, int count) {
    long double s = 0.0L;
    for (int i = 0; i < count; ++i)
        s += values[i];
    return s;
}

// Population central moments m2, m3, m4 about the given mean; NaN without mass.
struct CentralMoments {
    long double m2 = kNaN, m3 = kNaN, m4 = kNaN;
};

CentralMoments Moments(const Classes& h, double mean) {
    long double s0 = 0.0L, s2 = 0.0L, s3 = 0.0L, s4 = 0.0L;
    for (int i = 0; i < h.count; ++i) {
        const long double d = static_cast<long double>(h.X(i)) - mean;
        const long double d2 = d * d;
        s0 += h.p[i];
        s2 += h.p[i] * d2;
        s3 += h.p[i] * d2 * d;
        s4 += h.p[i] * d2 * d2;
    }
    if (!(s0 != 0.0L)) return {};
    return {s2 / s0, s3 / s0, s4 / s0};
}

// Lower end of the median interval: where the cumulative probability from class 1 upward first
// reaches half; interpolated linearly between the edges of that class.
double MedianFromBelow(const Classes& h, long double half) {
    long double cumulative = 0.0L;
    for (int i = 0; i < h.count; ++i) {
        const long double before = cumulative;
        cumulative += h.p[i];
        if (cumulative >= half && h.p[i] > 0) {
            const long double fraction = std::clamp((half - before) / h.p[i], 0.0L, 1.0L);
            return static_cast<double>(h.X(i) - 0.5L * h.step + fraction * h.step);
        }
    }
    return h.X(h.count - 1) + 0.5 * h.step;
}

// Upper end of the median interval: the same walk from the last class downward.
double MedianFromAbove(const Classes& h, long double half) {
    long double cumulative = 0.0L;
    for (int i = h.count - 1; i >= 0; --i) {
        const long double before = cumulative;
        cumulative += h.p[i];
        if (cumulative >= half && h.p[i] > 0) {
            const long double fraction = std::clamp((half - before) / h.p[i], 0.0L, 1.0L);
            return static_cast<double>(h.X(i) + 0.5L * h.step - fraction * h.step);
        }
    }
    return h.X(0) - 0.5 * h.step;
}

} // namespace

double PrumerX(std::span<const double> p, int n, double x1, double xn) {
    const Classes h(p, n, x1, xn);
    long double s0 = 0.0L, s1 = 0.0L;
    for (int i = 0; i < h.count; ++i) {
        s0 += h.p[i];
        s1 += h.p[i] * static_cast<long double>(h.X(i));
    }
    return s0 != 0.0L ? static_cast<double>(s1 / s0) : kNaN;
}

double RozptylX(std::span<const double> p, int n, double x1, double xn, double mean) {
    return static_cast<double>(Moments(Classes(p, n, x1, xn), mean).m2);
}

double StrHodX(std::span<const double> p, int n, double x1, double xn, double mean) {
    const Classes h(p, n, x1, xn);
    long double s0 = 0.0L, s1 = 0.0L;
    for (int i = 0; i < h.count; ++i) {
        s0 += h.p[i];
        s1 += h.p[i] * std::fabs(static_cast<long double>(h.X(i)) - mean);
    }
    return s0 != 0.0L ? static_cast<double>(s1 / s0) : kNaN;
}

double KoefVariX(double mean, double standardDeviation) {
    return mean != 0.0 ? 100.0 * standardDeviation / mean : kNaN;
}

double Skewness(std::span<const double> p, int n, double x1, double xn, double mean, double count) {
    const CentralMoments m = Moments(Classes(p, n, x1, xn), mean);
    if (!(m.m2 > 0.0L) || !(count > 2.0)) return kNaN;
    const long double c = count;
    const long double g1 = m.m3 / (m.m2 * std::sqrt(m.m2));
    return static_cast<double>(g1 * std::sqrt(c * (c - 1)) / (c - 2));
}

double Kurtosis(std::span<const double> p, int n, double x1, double xn, double mean, double count) {
    const CentralMoments m = Moments(Classes(p, n, x1, xn), mean);
    if (!(m.m2 > 0.0L) || !(count > 3.0)) return kNaN;
    const long double c = count;
    const long double g2 = m.m4 / (m.m2 * m.m2) - 3;
    return static_cast<double>(((c + 1) * g2 + 6) * (c - 1) / ((c - 2) * (c - 3)));
}

double PrumerY(std::span<const double> values, int n) {
    const int count = ClampCount(n, values.size());
    if (count == 0) return kNaN;
    return static_cast<double>(Sum(values, count) / count);
}

double RozptylY(std::span<const double> values, int n, double mean) {
    const int count = ClampCount(n, values.size());
    if (count == 0) return kNaN;
    long double s = 0.0L;
    for (int i = 0; i < count; ++i) {
        const long double d = static_cast<long double>(values[i]) - mean;
        s += d * d;
    }
    return static_cast<double>(s / count);
}

std::string VypMedian(bool interpolate, std::span<const double> p, double x1, double xn, int n) {
    const Classes h(p, n, x1, xn);
    const long double total = Sum(h.p, h.count);
    if (!(total > 0.0L) || !std::isfinite(total)) return StrNaCarku(kNaN);
    const long double half = total / 2;
    if (!interpolate) {
        long double cumulative = 0.0L;
        int i = 0;
        while (i < h.count - 1 && (cumulative += h.p[i]) < half)
            ++i;
        return StrNaCarku(h.X(i));
    }
    // Where the cumulative probability stays at one half over a range of x (empty classes
    // between two halves), the median is the middle of that range. Walking from both ends makes
    // the result mirror-symmetric: a symmetric histogram gives its centre.
    return StrNaCarku((MedianFromBelow(h, half) + MedianFromAbove(h, half)) / 2);
}

std::string VypMode(std::span<const double> p, int n, double x1, double xn) {
    const Classes h(p, n, x1, xn);
    if (h.count == 0) return StrNaCarku(kNaN);
    int best = 0;
    for (int i = 1; i < h.count; ++i)
        if (h.p[i] > h.p[best]) best = i;
    return StrNaCarku(h.X(best));
}

double VypocetCharTesnosti(int n, std::span<const double> candidate, double /*unused*/,
                           double rawVariance, double /*rawMean*/, std::span<const double> raw) {
    const int count = ClampCount(n, std::min(candidate.size(), raw.size()));
    // No spread in the raw frequencies leaves nothing to measure the fit against.
    if (count == 0 || !(rawVariance > 0.0)) return 0.0;
    long double s = 0.0L;
    for (int i = 0; i < count; ++i) {
        const long double d = static_cast<long double>(candidate[i]) - raw[i];
        s += d * d;
    }
    const double tightness =
        static_cast<double>(1.0L - s / (static_cast<long double>(count) * rawVariance));
    // Non-finite candidate frequencies rank as the worst possible fit, never as NaN.
    return std::isnan(tightness) ? std::numeric_limits<double>::lowest()
                                 : std::max(tightness, std::numeric_limits<double>::lowest());
}

} // namespace tessavin
