#include "parametric/special_functions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

namespace tessavin {
namespace {

using Real = long double;

constexpr double kDenormMin = std::numeric_limits<double>::denorm_min();
const Real kSqrtPi = std::sqrt(std::numbers::pi_v<long double>);

// Relative error of a double result against an extended reference.
double RelErr(double got, Real ref) {
    return static_cast<double>(std::fabs((static_cast<Real>(got) - ref) / ref));
}

// ---------------------------------------------------------------------------------------------
// Exponential and logarithm

TEST(SpecialFunctionsExp, LimitsAndSubstitutes) {
    // The lower limit itself is computed normally: e^ExpArgMin is about DBL_MIN.
    const double atMin = ExpChecked(ExpArgMin);
    EXPECT_GT(atMin, 0.0);
    EXPECT_LT(RelErr(atMin, std::exp(static_cast<Real>(ExpArgMin))), 1e-15);
    // The upper limit lies just below ln(DBL_MAX): finite, not the substitute.
    const double atMax = ExpChecked(ExpArgMax);
    EXPECT_LT(RelErr(atMax, std::exp(static_cast<Real>(ExpArgMax))), 1e-15);
    EXPECT_NE(atMax, LargestReal);

    EXPECT_EQ(ExpChecked(-709.0), 0.0);
    EXPECT_EQ(ExpChecked(-DBL_MAX), 0.0);
    EXPECT_EQ(ExpChecked(710.0), LargestReal);
    EXPECT_EQ(ExpChecked(DBL_MAX), LargestReal);
    EXPECT_EQ(ExpChecked(0.0), 1.0);
    EXPECT_LT(RelErr(ExpChecked(1.0), std::numbers::e_v<long double>), 1.2e-16); // e, 1/2 ulp
}

TEST(SpecialFunctionsLn, NonPositiveGivesMinusLargestReal) {
    EXPECT_EQ(LnChecked(0.0), -LargestReal);
    EXPECT_EQ(LnChecked(-0.0), -LargestReal);
    EXPECT_EQ(LnChecked(-1.0), -LargestReal);
    EXPECT_EQ(LnChecked(-DBL_MAX), -LargestReal);
    EXPECT_EQ(LnChecked(1.0), 0.0);
    // ln(2^-1074) = -1074 ln 2: the smallest denormal is an ordinary argument.
    EXPECT_LT(RelErr(LnChecked(kDenormMin), -1074.0L * std::numbers::ln2_v<long double>), 1.2e-16);
    EXPECT_LT(RelErr(LnChecked(DBL_MAX), 709.782712893383973096L), 1.2e-16); // ln(DBL_MAX)
}

// ---------------------------------------------------------------------------------------------
// Powers

struct PowCase {
    double base;
    double exponent;
    double expected;
    const char* why;
};

TEST(SpecialFunctionsPow, SpecialCasesAndBranches) {
    const double third = 1.0 / 3.0;
    const PowCase cases[] = {
        {0.0, 0.0, 1.0, "0^0 is 1"},
        {0.0, 2.5, 0.0, "0^positive"},
        {0.0, -2.0, LargestReal, "0^negative is the substitute"},
        {-0.0, -1.0, LargestReal, "-0 counts as 0"},
        {-7.25, 0.0, 1.0, "x^0"},
        {-7.25, 1.0, -7.25, "x^1 returns the base unchanged"},
        {-8.0, third, 0.0, "negative base, fractional exponent"},
        {-2.0, 3.0, -8.0, "integer exponent goes through PowInt"},
        {-2.0, -3.0, -0.125, "negative integer exponent"},
        {4.0, 0.5, 2.0, "sqrt(4)"},
        {10.0, 308.5, LargestReal, "t = 308.5 ln 10 > ExpArgMax"},
        {10.0, -400.5, 0.0, "t < ExpArgMin"},
        {-2.0, 2147483646.0, LargestReal, "largest integer exponent still taken by PowInt"},
        {-2.0, 2147483647.0, 0.0, "2^31 - 1 is no longer integer: negative base gives 0"},
        {2.0, 1e300, LargestReal, "t formed in extended range, no overflow"},
        {0.5, 1e300, 0.0, "t = -6.9e299"},
        {DBL_MAX, -DBL_MAX, 0.0, "t = -1.3e311 in extended range"},
        {1.0, 1e300, 1.0, "ln 1 = 0"},
    };
    for (const PowCase& c : cases)
        EXPECT_EQ(PowChecked(c.base, c.exponent), c.expected)
            << c.base << "^" << c.exponent << ": " << c.why;

    // Real exponents against the closed forms 2^0.5 = sqrt 2 and 27^(1/3) = 3; e^(t) is one
    // rounding of an extended result, so allow 2 ulp.
    EXPECT_LT(RelErr(PowChecked(2.0, 0.5), std::numbers::sqrt2_v<long double>), 2.3e-16);
    EXPECT_LT(RelErr(PowChecked(27.0, third), 3.0L), 2.3e-16);
}

struct PowIntCase {
    double base;
    std::int32_t n;
    double expected;
    const char* why;
};

TEST(SpecialFunctionsPowInt, ExactPowersAndRangeLimits) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    const PowIntCase cases[] = {
        {2.0, 10, 1024.0, "reciprocal of 0.5^10, exact"},
        {0.5, -3, 8.0, "reciprocal of 0.5^3"},
        {-2.0, 5, -32.0, "odd power keeps the sign"},
        {-0.5, -4, 16.0, "even power of a negative base"},
        {2.0, 1023, std::ldexp(1.0, 1023), "2^-1023 is still above SmallestReal"},
        {2.0, 1024, LargestReal, "2^-1024 < SmallestReal: substitute, no overflow"},
        {-2.0, 1025, -LargestReal, "substitute takes the sign of the power"},
        {-10.0, 401, -LargestReal, "sign survives although 10^-401 is below the double range"},
        {10.0, -400, 0.0, "underflows to zero"},
        {2.0, -1074, kDenormMin, "exactly the smallest denormal"},
        {SmallestReal, -1, 1.0 / SmallestReal, "reciprocal of SmallestReal is still formed"},
        {1e-310, -1, LargestReal, "reciprocal of a smaller denormal is not"},
        {2.0, kMin, 0.0, "|INT32_MIN| does not fit 32 bits"},
        {0.5, kMin, LargestReal, "(1/2)^INT32_MIN"},
        {1.0, kMax, 1.0, "many squarings of 1"},
        {-1.0, kMax, -1.0, "odd count"},
        {0.0, kMin, LargestReal, "0 to a negative power"},
    };
    for (const PowIntCase& c : cases)
        EXPECT_EQ(PowInt(c.base, c.n), c.expected) << c.base << "^" << c.n << ": " << c.why;

    // 3^20 = 3486784401 and 10^22 are exact doubles, (2/3)^7 = 128/2187; the products run on
    // the inexact reciprocal of the base, so allow 2 ulp.
    EXPECT_LT(RelErr(PowInt(3.0, 20), 3486784401.0L), 2.3e-16);
    EXPECT_LT(RelErr(PowInt(10.0, 22), 1e22L), 2.3e-16);
    EXPECT_LT(RelErr(PowInt(1.5, -7), 128.0L / 2187), 2.3e-16);
}

TEST(SpecialFunctionsHelpers, SignOfAndHornerOrder) {
    EXPECT_EQ(SignOf(-1e-320), -1.0);
    EXPECT_EQ(SignOf(-0.0), 1.0);
    EXPECT_EQ(SignOf(0.0), 1.0);
    EXPECT_EQ(SignOf(3.0), 1.0);

    // Highest power first: 1·2³ − 3·2² + 0·2 + 5 = 1.
    const double coef[] = {1.0, -3.0, 0.0, 5.0};
    EXPECT_EQ(EvalPolynomial(2.0L, coef, 3), 1.0L);
    EXPECT_EQ(EvalPolynomial(2.0L, coef, 0), 1.0L);
}

// ---------------------------------------------------------------------------------------------
// Gamma function

TEST(SpecialFunctionsGamma, ExactValuesAndSubstitutes) {
    // Integers reduce by exact multiplications: (n-1)!.
    EXPECT_EQ(GammaFn(1.0), 1.0);
    EXPECT_EQ(GammaFn(2.0), 1.0);
    EXPECT_EQ(GammaFn(3.0), 2.0);
    EXPECT_EQ(GammaFn(5.0), 24.0);
    EXPECT_EQ(GammaFn(11.0), 3628800.0);

    EXPECT_EQ(GammaFn(171.7), LargestReal);
    EXPECT_EQ(GammaFn(1e300), LargestReal);
    // Γ(GammaArgMax) is just below DBL_MAX and still computed.
    EXPECT_LT(GammaFn(GammaArgMax), LargestReal);
    EXPECT_GT(GammaFn(GammaArgMax), 1.79769313485e308);

    // Poles: the sign is + when the integer part of |x| is odd.
    const struct {
        double x;
        double expected;
    } poles[] = {
        {0.0, -LargestReal},    {-0.0, -LargestReal},  {-1.0, LargestReal},
        {-2.0, -LargestReal},   {-3.0, LargestReal},   {-13.0, LargestReal},
        {-14.0, -LargestReal},  {-171.0, LargestReal}, {-4503599627370497.0, LargestReal},
        {-1e300, -LargestReal}, // every double this large is an even integer
    };
    for (const auto& p : poles)
        EXPECT_EQ(GammaFn(p.x), p.expected) << "pole at " << p.x;

    // |x| below 1/DBL_MAX: Γ(x) ≈ 1/x would overflow, so the substitute with the sign of x.
    EXPECT_EQ(GammaFn(kDenormMin), LargestReal);
    EXPECT_EQ(GammaFn(-kDenormMin), -LargestReal);
    EXPECT_EQ(GammaFn(1e-310), LargestReal);

    // Far below the last pole the reflected value is below the denormals: a zero with the sign
    // of Γ (integer part 1500 even: negative, 1501 odd: positive).
    EXPECT_EQ(GammaFn(-1500.5), 0.0);
    EXPECT_TRUE(std::signbit(GammaFn(-1500.5)));
    EXPECT_FALSE(std::signbit(GammaFn(-1501.5)));
    EXPECT_TRUE(std::signbit(GammaFn(-1e15 - 0.5)));
}

struct GammaRef {
    double x;
    Real value;
    const char* source;
};

// Reference values at the double nearest x. "mpmath" values: mpmath 1.3 at 40 digits,
// rounded to 22; the closed forms use Γ(1/2) = √π and Γ(1/2 − n) = (−4)ⁿ n! √π / (2n)!.
const GammaRef kGammaRefs[] = {
    // near zero, series in y
    {0.0001, 9999.422883231623711588L, "mpmath"},
    {-0.0001, -10000.57731457957635903L, "mpmath"},
    {0.01, 99.43258511915060163207L, "mpmath"},
    {-0.01, -100.587197964410777112L, "mpmath"},
    {0.03, 32.78499835179413721482L, "mpmath"},
    {-0.03, -33.94106473621964282377L, "mpmath"},
    // rational approximation on [2, 3) after reduction
    {0.5, kSqrtPi, "√π"},
    {1.5, kSqrtPi / 2, "√π/2"},
    {2.5, 3 * kSqrtPi / 4, "3√π/4"},
    {7.3, 1271.423633663908839918L, "mpmath"},
    {12.9, 372227524.6644961854046L, "mpmath"},
    {-0.5, -2 * kSqrtPi, "−2√π"},
    {-1.5, 4 * kSqrtPi / 3, "4√π/3"},
    {-2.5, -8 * kSqrtPi / 15, "−8√π/15"},
    // Stirling series, and reflection through it for x < −13
    {13.1, 616897056.9138054761587L, "mpmath"},
    {50.0, 6.082818640342675608723e+62L, "49!"},
    {100.5, 9.320963104082716608349e+156L, "mpmath"},
    {170.0, 4.269068009004705274939e+304L, "169!"},
    {171.6, 1.585896909667256508986e+308L, "mpmath"},
    {-13.5, 1.360449247303171048629e-10L, "4¹⁴·14!·√π/28!"},
    {-20.3, -6.435466204989326887034e-19L, "mpmath"},
};

// Worst relative error seen over the table and the sweeps below: 2.9e-16 (about 2.6 ulp),
// in the reflection for x < -13. The bound leaves room for a libm with a slightly different
// extended reference.
constexpr double kGammaRelTol = 1e-15;

TEST(SpecialFunctionsGamma, ReferenceValuesOnEveryBranch) {
    for (const GammaRef& r : kGammaRefs)
        EXPECT_LT(RelErr(GammaFn(r.x), r.value), kGammaRelTol)
            << "Γ(" << r.x << "), reference " << r.source;
}

// Dense sweeps of each branch against the extended library gamma (error ~1e-19, negligible
// against double rounding); reports the worst point of each region.
TEST(SpecialFunctionsGamma, SweepsAgainstExtendedLibraryGamma) {
    const struct {
        const char* region;
        double lo, hi;
    } regions[] = {
        {"(0, 1/32]: series in y", 1e-300, 0.03125},
        {"[-1/32, 0): series in -y", -0.03125, -1e-300},
        {"(1/32, 3): reduced up to [2, 3)", 0.03125, 3.0},
        {"[3, 13]: reduced down to [2, 3)", 3.0, 13.0},
        {"(13, GammaArgMax]: Stirling", 13.0, GammaArgMax},
        {"[-13, -1/32): reduced, incl. near the poles", -13.0, -0.03125},
        {"(-170, -13): reflection", -170.0, -13.0},
    };
    constexpr int kSteps = 20000;
    for (const auto& g : regions) {
        double worst = 0.0, worstX = 0.0;
        for (int i = 1; i < kSteps; ++i) {
            const bool geometric = std::min(std::fabs(g.lo), std::fabs(g.hi)) < 1e-100;
            const double x = geometric
                                 ? g.lo * std::pow(g.hi / g.lo, static_cast<double>(i) / kSteps)
                                 : g.lo + (g.hi - g.lo) * i / kSteps;
            if (x < 0 && x == std::trunc(x)) continue;
            const Real ref = std::tgamma(static_cast<Real>(x));
            if (std::fabs(ref) < DBL_MIN || std::fabs(ref) > DBL_MAX) continue;
            const double e = RelErr(GammaFn(x), ref);
            if (e > worst) worst = e, worstX = x;
        }
        EXPECT_LT(worst, kGammaRelTol) << g.region << ": worst " << worst << " at x = " << worstX;
    }

    // One ulp either side of every pole from -1 to -170: large, opposite-signed values.
    for (int k = 1; k <= 170; ++k) {
        const double pole = -k;
        for (double x : {std::nextafter(pole, 0.0), std::nextafter(pole, -200.0)}) {
            const Real ref = std::tgamma(static_cast<Real>(x));
            if (std::fabs(ref) < DBL_MIN) continue;
            EXPECT_LT(RelErr(GammaFn(x), ref), kGammaRelTol) << "x = " << x;
        }
    }
}

// The extended Stirling series itself, including the six-term series above 1024 that the
// reflection uses for x < -1024 (whose double results are all zero). Error is set by rounding
// the exponent (x - 1/2) ln x - x ≈ 1e4 in extended precision: worst seen 1.4e-15.
TEST(SpecialFunctionsGamma, StirlingSeriesInExtendedRange) {
    const struct {
        Real x;
        Real value;
        const char* source;
    } refs[] = {
        {500.5L, 5.45525378582392338534e+1132L, "mpmath"},
        {1024.5L, 1.693083560922267216231e+2638L, "mpmath"},
        {1500.25L, 1.996318496314848601734e+4112L, "mpmath"},
    };
    for (const auto& r : refs)
        EXPECT_LT(std::fabs(GammaStirling(r.x) / r.value - 1.0L), 3e-15L)
            << "Γ(" << static_cast<double>(r.x) << "), reference " << r.source;

    Real worst = 0.0L;
    double worstX = 0.0;
    for (int i = 0; i <= 4000; ++i) {
        const Real x = 13.001L + (1750.0L - 13.001L) * i / 4000;
        const Real e = std::fabs(GammaStirling(x) / std::tgamma(x) - 1.0L);
        if (e > worst) worst = e, worstX = static_cast<double>(x);
    }
    EXPECT_LT(worst, 3e-15L) << "worst " << static_cast<double>(worst) << " at x = " << worstX;
}

// ---------------------------------------------------------------------------------------------
// Floating-point status flags: the engine reports a raised divide-by-zero, overflow or invalid
// flag as a fault of the computing step, so no finite argument may raise one, and no result
// may be infinite or NaN.

std::vector<double> FlagSweepArguments() {
    std::vector<double> v = {0.0,        -0.0,    kDenormMin,   1e-310,       SmallestReal,
                             DBL_MIN,    1e-300,  0.03125,      13.0,         1024.0,
                             1700.0,     1755.5,  GammaArgMax,  ExpArgMin,    ExpArgMax,
                             -ExpArgMin, DBL_MAX, 2147483647.0, 2147483648.0, 4503599627370495.5,
                             1e15 + 0.5, 1e300};
    for (int e = -1074; e <= 1023; e += 7)
        for (double m : {1.0, 1.3, 1.7})
            v.push_back(std::ldexp(m, e));
    for (int k = 0; k <= 200; ++k) {
        const double x = k;
        v.push_back(x);
        v.push_back(x + 0.5);
        v.push_back(std::nextafter(x, -1.0));
        v.push_back(std::nextafter(x, 1e9));
    }
    for (double x : {0.03125, 13.0, GammaArgMax, 1024.0, 1700.0, ExpArgMin, ExpArgMax}) {
        v.push_back(std::nextafter(x, 0.0));
        v.push_back(std::nextafter(x, DBL_MAX));
    }
    const std::size_t n = v.size();
    for (std::size_t i = 0; i < n; ++i)
        v.push_back(-v[i]);
    return v;
}

std::string Str(double x) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.17g", x);
    return buf;
}

template <class F> bool RaisesFaultFlag(F f) {
    std::feclearexcept(FE_ALL_EXCEPT);
    const double r = f();
    const bool raised = std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID) != 0;
    return raised || !std::isfinite(r);
}

TEST(SpecialFunctionsFlags, NoFaultFlagForAnyFiniteArgument) {
    const std::vector<double> args = FlagSweepArguments();
    std::vector<std::string> faults;
    auto check = [&](bool raised, const std::string& what) {
        if (raised && faults.size() < 20) faults.push_back(what);
    };

    for (double x : args) {
        const std::string s = Str(x);
        check(RaisesFaultFlag([&] { return ExpChecked(x); }), "ExpChecked " + s);
        check(RaisesFaultFlag([&] { return LnChecked(x); }), "LnChecked " + s);
        check(RaisesFaultFlag([&] { return GammaFn(x); }), "GammaFn " + s);
    }

    const double exponents[] = {
        0.0,           0.5,           1.0,          1.0 / 3, 2.0,      3.0,        100.5,
        1000.0,        2147483646.0,  2147483647.0, 1e10,    1e300,    DBL_MAX,    kDenormMin,
        1e-300,        -0.5,          -1.0 / 3,     -2.0,    -3.0,     -100.5,     -1000.0,
        -2147483646.0, -2147483647.0, -1e10,        -1e300,  -DBL_MAX, -kDenormMin};
    for (std::size_t i = 0; i < args.size(); i += 3) {
        const double b = args[i];
        for (double e : exponents)
            check(RaisesFaultFlag([&] { return PowChecked(b, e); }),
                  "PowChecked " + Str(b) + "^" + Str(e));
    }

    const std::int32_t counts[] = {std::numeric_limits<std::int32_t>::min(),
                                   std::numeric_limits<std::int32_t>::min() + 1,
                                   -1075,
                                   -1074,
                                   -1024,
                                   -1023,
                                   -3,
                                   -2,
                                   -1,
                                   0,
                                   1,
                                   2,
                                   3,
                                   1023,
                                   1024,
                                   1075,
                                   std::numeric_limits<std::int32_t>::max()};
    for (std::size_t i = 0; i < args.size(); i += 2) {
        const double b = args[i];
        for (std::int32_t n : counts)
            check(RaisesFaultFlag([&] { return PowInt(b, n); }),
                  "PowInt " + Str(b) + "^" + std::to_string(n));
    }

    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_TRUE(faults.empty()) << [&] {
        std::string all;
        for (const std::string& f : faults)
            all += f + "\n";
        return all;
    }();
}

} // namespace
} // namespace tessavin
