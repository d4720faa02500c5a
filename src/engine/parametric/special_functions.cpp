#include "parametric/special_functions.h"

#include <cfloat>
#include <cmath>
#include <numbers>

// None of these functions may raise the divide-by-zero, overflow or invalid flag for a finite
// argument: callers test those flags after each computing step. Every division is guarded,
// exponentials are bounded before they are taken, and extended results are narrowed to double
// only when they fit.

namespace tessavin {
namespace {

using Real = long double;

constexpr Real kPi = std::numbers::pi_v<long double>;

// Gamma coefficient tables of the Cephes library (extended-precision gamma), held as doubles,
// highest power first.
constexpr double GammaP[8] = {
    4.212760487471622E-05, 4.5429319606080093E-04, 4.092666828394036E-03, 2.3853632434611083E-02,
    0.11130628160193616,   0.36295154366402393,    0.8378004301573126,    1.0};
constexpr double GammaQ[9] = {
    -1.3971485174761705E-05, 2.346584059160635E-04, -1.2377992466531523E-03,
    -7.955933682494738E-04,  2.773706565840073E-02, -4.633887671244534E-02,
    -0.22435109056703292,    0.41501609505884557,   1.0};
constexpr double GammaStir[9] = {
    7.147391378143611E-04,   -2.363848809501759E-05, -5.95023755405633E-04,
    6.989332260623193E-05,   7.840334842744753E-04,  -2.2947197478731854E-04,
    -2.6813271618763043E-03, 3.472222222230075E-03,  8.333333333333331E-02};
constexpr double GammaS[9] = {-1.19394505138151E-03,   7.22059947803691E-03, -9.622023360406271E-03,
                              -4.2197733607059154E-02, 0.1665386113720805,   -4.200263503403344E-02,
                              -0.655878071520254,      0.5772156649015329,   1.0};
constexpr double GammaSN[9] = {1.1333741672438944E-03, 7.22083726189317E-03, 9.621911155035977E-03,
                               -4.219773343731192E-02, -0.16653861139444134, -4.200263503402113E-02,
                               0.6558780715202537,     0.5772156649015329,   -1.0};

// Asymptotic Stirling series 1/12, 1/288, -139/51840, ... for x > 1024, highest power first;
// the signs of the third and fourth terms are applied in GammaStirling.
constexpr double StirlingLarge[6] = {6.972813758365857E-05,  7.840392217200666E-04,
                                     2.2947209362139917E-04, 2.6813271604938273E-03,
                                     3.472222222222222E-03,  8.333333333333333E-02};

// Beyond this |x| Γ(|x|) overflows even the extended range (near 1755). The reflected
// |Γ(x)| = π/(|x|·|sin πz|·Γ(|x|)) is then below 1e-4000, so the result is the signed zero
// the division would round to.
constexpr Real kReflectionZeroAbove = 1700.0L;

// An extended result as a double; a magnitude past the double range becomes ±LargestReal
// (the conversion itself would overflow to infinity).
double Narrow(Real v) {
    if (v > static_cast<Real>(DBL_MAX)) return LargestReal;
    if (v < -static_cast<Real>(DBL_MAX)) return -LargestReal;
    return static_cast<double>(v);
}

// Shared special cases of both powers; true when `result` holds the answer.
bool PowSpecialCase(double base, double exponent, double& result) {
    if (base == 0.0) {
        if (exponent == 0.0)
            result = 1.0;
        else if (exponent > 0.0)
            result = 0.0;
        else
            result = LargestReal;
        return true;
    }
    if (exponent == 0.0) {
        result = 1.0;
        return true;
    }
    if (exponent == 1.0) {
        result = base;
        return true;
    }
    return false;
}

Real GammaNearZero(Real y, Real z) {
    if (y == 0.0L) return LargestReal;
    if (y < 0.0L) {
        const Real ay = -y;
        return z / (ay * EvalPolynomial(ay, GammaSN, 8));
    }
    return z / (y * EvalPolynomial(y, GammaS, 8));
}

} // namespace

double SignOf(double x) {
    return x < 0.0 ? -1.0 : 1.0;
}

long double EvalPolynomial(long double x, const double* coef, int n) {
    Real r = coef[0];
    for (int i = 1; i <= n; ++i)
        r = r * x + coef[i];
    return r;
}

double ExpChecked(double x) {
    if (x < ExpArgMin) return 0.0;
    if (x > ExpArgMax) return LargestReal;
    // ExpArgMax lies just below ln(DBL_MAX), so e^x fits a double.
    return static_cast<double>(std::exp(static_cast<Real>(x)));
}

double LnChecked(double x) {
    if (x <= 0.0) return -LargestReal;
    return static_cast<double>(std::log(static_cast<Real>(x)));
}

double PowInt(double base, std::int32_t n) {
    double special;
    if (PowSpecialCase(base, static_cast<double>(n), special)) return special;

    // Powers are formed of a factor |b| <= 1 so the squarings cannot overflow; a reciprocal
    // is taken at most once, at the end.
    bool invert = n < 0;
    Real b = base;
    if (std::fabs(b) > 1.0L) {
        b = 1.0L / b;
        invert = !invert;
    }
    Real r = 1.0L;
    // 64-bit count: |INT32_MIN| does not fit 32 bits.
    std::int64_t m = n < 0 ? -static_cast<std::int64_t>(n) : static_cast<std::int64_t>(n);
    while (m > 0) {
        if (m & 1) r *= b;
        b *= b;
        m /= 2;
    }
    if (invert) {
        // 1/SmallestReal is just below DBL_MAX; anything smaller would overflow.
        // The sign is read from r itself: narrowed first, a tiny negative r would become -0.
        if (std::fabs(r) < static_cast<Real>(SmallestReal))
            return r < 0.0L ? -LargestReal : LargestReal;
        return static_cast<double>(1.0L / r);
    }
    return static_cast<double>(r);
}

double PowChecked(double base, double exponent) {
    double special;
    if (PowSpecialCase(base, exponent, special)) return special;

    if (std::fabs(exponent) < 2147483647.0 && exponent == std::trunc(exponent))
        return PowInt(base, static_cast<std::int32_t>(exponent));
    if (base <= 0.0) return 0.0;

    // In extended range the product cannot overflow even for exponents near DBL_MAX.
    const Real t = static_cast<Real>(exponent) * std::log(static_cast<Real>(base));
    if (t < ExpArgMin) return 0.0;
    if (t > ExpArgMax) return LargestReal;
    return static_cast<double>(std::exp(t));
}

long double GammaStirling(long double x) {
    const Real w = 1.0L / x;
    Real v;
    if (x > 1024.0L) {
        const double* c = StirlingLarge;
        v = ((((c[0] * w + c[1]) * w - c[2]) * w - c[3]) * w + c[4]) * w + c[5];
    } else {
        v = EvalPolynomial(w, GammaStir, 8);
    }
    // Past the double range from x ≈ 172 (reached through the reflection); the extended
    // exponent range holds it up to x ≈ 1755.
    const Real y = std::exp((x - 0.5L) * std::log(x) - x);
    return SqrtTwoPi * y * (1.0L + w * v);
}

double GammaFn(double x) {
    const Real a = std::fabs(static_cast<Real>(x));
    const Real ia = std::trunc(a);

    // Sign of Γ(x); the parity test stays exact for every double (no integer conversion).
    Real s = 1.0L;
    if (x <= 0.0) s = std::fmod(ia, 2.0L) == 1.0L ? 1.0L : -1.0L;

    if (x == 0.0 || (x < 0.0 && a == ia)) return Narrow(s * LargestReal);
    if (x > GammaArgMax) return LargestReal;

    if (a > 13.0L) {
        if (x > 0.0) return Narrow(s * GammaStirling(a));
        if (a > kReflectionZeroAbove) return static_cast<double>(s * 0.0L);
        // Reflection Γ(−a)·Γ(a) = −π/(a·sin πa), sign taken from s. The fractional part is
        // folded into (−0.5, 0.5] so sin πz keeps its relative accuracy near the poles.
        Real z = a - ia;
        if (z > 0.5L) z = a - (ia + 1.0L);
        const Real f = std::fabs(a * std::sin(kPi * z)) * GammaStirling(a);
        if (f <= kPi / LargestReal) return Narrow(s * LargestReal);
        return Narrow(s * kPi / f);
    }

    // Shift the argument into [2, 3) by the recurrence Γ(y+1) = y·Γ(y); z collects the factor.
    Real z = 1.0L;
    Real y = x;
    while (y >= 3.0L) {
        y -= 1.0L;
        z *= y;
    }
    while (y < -0.03125L) {
        z /= y;
        y += 1.0L;
    }
    // Near zero the series in y keeps the 1/y behaviour exact; tiny |x| overflows to
    // ±LargestReal in Narrow.
    if (y <= 0.03125L) return Narrow(GammaNearZero(y, z));
    while (y < 2.0L) {
        z /= y;
        y += 1.0L;
    }
    if (y == 2.0L || y == 3.0L) return Narrow(z);
    y -= 2.0L;
    return Narrow(z * EvalPolynomial(y, GammaP, 7) / EvalPolynomial(y, GammaQ, 8));
}

} // namespace tessavin
