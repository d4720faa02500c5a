#pragma once
// Numerical integration of a crack-size integrand: the five methods of the integration settings.
//
// The methods are templates over the integrand so that the resistance loop, which integrates once
// per combination of input classes, pays no indirect call per evaluation. An integrand is any
// callable double(double). It may also provide
//   bool failed() const              -- an evaluation has failed; the integral stops at once,
//   double weighted(double x, double k) -- the weighted term k*f(x) of the trapezoid rule,
//   double panel(double x1, double x2)  -- the trapezoid panel (f(x1) + f(x2))*(x2 - x1)*0.5
//                                         of the adaptive method,
// when it computes those terms in its own way; otherwise they are formed from f(x).
#include <array>
#include <cmath>
#include <string>

#include "calculation/model.h"
#include "common/failure.h"

namespace tessavin {

inline constexpr int RombergMaxLevels = 10;
inline constexpr int AdaptiveStackSize = 1000;

// The fixed sub-intervals of the Gauss method: R(aac) integrates over three, R(ad) over two.
enum class GaussSplit {
    Acceptable, // [a, a + 0.01 L], [a + 0.01 L, a + 0.1 L], [a + 0.1 L, b]
    Detectable, // [a, a + 0.1 L], [a + 0.1 L, b]
};

enum class IntegralStatus {
    Ok,
    IntegrandFailed, // an evaluation reported failed(); the value is 0 and meaningless
    StackFull,       // the adaptive method reached AdaptiveStackSize pending intervals
};

struct IntegralResult {
    double value = 0.0;
    IntegralStatus status = IntegralStatus::Ok;
    bool ok() const { return status == IntegralStatus::Ok; }
};

// Error box of the adaptive stack limit: the step name, a blank line, "Adaptivní integrace n>1000".
Failure AdaptiveStackFullFailure(const std::string& stepName);

namespace integration_detail {

template <class F> inline bool Failed(const F& f) {
    if constexpr (requires { f.failed(); })
        return f.failed();
    else
        return false;
}

template <class F> inline double Weighted(F& f, double x, double k) {
    if constexpr (requires { f.weighted(x, k); })
        return f.weighted(x, k);
    else
        return k * f(x);
}

template <class F> inline double Panel(F& f, double x1, double x2) {
    if constexpr (requires { f.panel(x1, x2); }) {
        return f.panel(x1, x2);
    } else {
        const double f1 = f(x1);
        if (Failed(f)) return 0.0;
        return (f1 + f(x2)) * (x2 - x1) * 0.5;
    }
}

inline constexpr IntegralResult Stopped{0.0, IntegralStatus::IntegrandFailed};

} // namespace integration_detail

// Method 0: composite trapezoidal rule with n equal steps; interior nodes by repeated addition.
template <class F> IntegralResult Trapezoid(F&& f, double a, double b, int n) {
    using namespace integration_detail;
    const double h = (b - a) / n;
    const double half = h / 2;
    double w = Weighted(f, a, half);
    if (Failed(f)) return Stopped;
    double x = a;
    for (int i = 1; i < n; ++i) {
        x += h;
        w += Weighted(f, x, h);
        if (Failed(f)) return Stopped;
    }
    w += Weighted(f, b, half);
    if (Failed(f)) return Stopped;
    return {w, IntegralStatus::Ok};
}

// Method 1: composite Simpson rule with n steps, weights 4, 2, 4, ... from the first interior node.
// An odd n is used as it is.
template <class F> IntegralResult Simpson(F&& f, double a, double b, int n) {
    using namespace integration_detail;
    const double h = (b - a) / n;
    double s = f(a);
    if (Failed(f)) return Stopped;
    s += f(b);
    if (Failed(f)) return Stopped;
    double x = a;
    for (int i = 1; i < n; ++i) {
        x += h;
        const double fx = f(x);
        if (Failed(f)) return Stopped;
        s += (i % 2 == 1 ? 4.0 : 2.0) * fx;
    }
    return {h / 3 * s, IntegralStatus::Ok};
}

// Method 2: Romberg's method with `levels` rows (at most RombergMaxLevels); below 2 levels the
// result is the first trapezoid.
template <class F> IntegralResult Romberg(F&& f, double a, double b, int levels) {
    using namespace integration_detail;
    if (levels > RombergMaxLevels) levels = RombergMaxLevels;
    const double length = b - a;
    std::array<std::array<double, RombergMaxLevels>, RombergMaxLevels> t;
    const double fa = f(a);
    if (Failed(f)) return Stopped;
    const double fb = f(b);
    if (Failed(f)) return Stopped;
    t[0][0] = (fa + fb) * length / 2;
    for (int i = 1; i < levels; ++i) {
        const double h = length / static_cast<double>(1 << i);
        const int midpoints = 1 << (i - 1);
        double s = 0.0;
        for (int k = 1; k <= midpoints; ++k) {
            s += f(a + (2 * k - 1) * h);
            if (Failed(f)) return Stopped;
        }
        t[i][0] = t[i - 1][0] / 2 + h * s;
        double four = 1.0;
        for (int j = 1; j <= i; ++j) {
            four *= 4.0;
            t[i][j] = (four * t[i][j - 1] - t[i - 1][j - 1]) / (four - 1);
        }
    }
    const int last = levels < 2 ? 0 : levels - 1;
    return {t[last][last], IntegralStatus::Ok};
}

// Method 3: adaptive trapezoid panels on a stack of pending intervals. A panel is accepted when
// three times its tolerance exceeds the change made by halving it; a split puts the right half on
// top, so it is examined next, and halves the tolerance of both halves.
template <class F> IntegralResult Adaptive(F&& f, double a, double b, double tol0) {
    using namespace integration_detail;
    // Index 0 is unused: k runs 1 .. AdaptiveStackSize as the stack depth.
    std::array<double, AdaptiveStackSize + 1> lo, hi, tol, panel;
    int k = 1;
    lo[1] = a;
    hi[1] = b;
    tol[1] = tol0;
    panel[1] = Panel(f, a, b);
    if (Failed(f)) return Stopped;
    double w = 0.0;
    while (k >= 1) {
        if (k == AdaptiveStackSize) return {0.0, IntegralStatus::StackFull};
        const double mid = (lo[k] + hi[k]) / 2;
        const double whole = panel[k];
        const double left = Panel(f, lo[k], mid);
        if (Failed(f)) return Stopped;
        const double right = Panel(f, mid, hi[k]);
        if (Failed(f)) return Stopped;
        if (3 * tol[k] > std::fabs(whole - (left + right))) {
            w = w + left + right;
            --k;
        } else {
            const double halfTol = tol[k] / 2;
            lo[k + 1] = mid;
            hi[k + 1] = hi[k];
            tol[k + 1] = halfTol;
            panel[k + 1] = right;
            hi[k] = mid;
            tol[k] = halfTol;
            panel[k] = left;
            ++k;
        }
    }
    return {w, IntegralStatus::Ok};
}

// Method 4: five-point Gauss-Legendre rule on the fixed sub-intervals of `split`, all terms added
// into one sum in order. The end points are never evaluated.
template <class F> IntegralResult GaussLegendre5(F&& f, double a, double b, GaussSplit split) {
    using namespace integration_detail;
    static constexpr double node[5] = {-0.90617984594, -0.53846931011, 0.0, 0.53846931011,
                                       0.90617984594};
    static constexpr double weight[5] = {0.23692688506, 0.4786286705, 0.56888888889, 0.4786286705,
                                         0.23692688506};
    const double length = b - a;
    std::array<double, 4> edge;
    int pieces;
    if (split == GaussSplit::Acceptable) {
        edge = {a, a + 0.01 * length, a + 0.1 * length, b};
        pieces = 3;
    } else {
        edge = {a, a + 0.1 * length, b, b};
        pieces = 2;
    }
    double sum = 0.0;
    for (int p = 0; p < pieces; ++p) {
        const double lower = edge[p];
        const double upper = edge[p + 1];
        const double width = upper - lower;
        for (int i = 0; i < 5; ++i) {
            const double x = (width * node[i] + lower + upper) / 2;
            const double fx = f(x);
            if (Failed(f)) return Stopped;
            sum += weight[i] * fx * width / 2;
        }
    }
    return {sum, IntegralStatus::Ok};
}

// The method of the settings: 0 trapezoid (steps), 1 Simpson (steps), 2 Romberg (levels),
// 3 adaptive (tol0), 4 Gauss (split). Any other method gives 0.
template <class F>
IntegralResult Integrate(const IntegrationSettings& settings, F&& f, double a, double b,
                         GaussSplit split) {
    switch (settings.method) {
    case 0:
        return Trapezoid(f, a, b, settings.steps);
    case 1:
        return Simpson(f, a, b, settings.steps);
    case 2:
        return Romberg(f, a, b, settings.levels);
    case 3:
        return Adaptive(f, a, b, settings.tol0);
    case 4:
        return GaussLegendre5(f, a, b, split);
    default:
        return {0.0, IntegralStatus::Ok};
    }
}

} // namespace tessavin
