#include "calculation/integration.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace tessavin {
namespace {

// An integrand that counts its evaluations and, when told, fails at the n-th one.
struct Counted {
    std::function<double(double)> f;
    int calls = 0;
    int failAt = 0; // 0: never fails
    double operator()(double x) {
        ++calls;
        return f(x);
    }
    bool failed() const { return failAt > 0 && calls >= failAt; }
};

IntegrationSettings Method(int method, int steps = 1000, int levels = 10, double tol0 = 1e-4) {
    IntegrationSettings s;
    s.method = method;
    s.steps = steps;
    s.levels = levels;
    s.tol0 = tol0;
    return s;
}

const char* const MethodNames[] = {"trapezoid", "Simpson", "Romberg", "adaptive", "Gauss"};

TEST(Integration, ConstantIntegratesToOneByEveryMethod) {
    // The Gauss weights are given to 11 digits and sum to 2.00000000001, so the Gauss value may
    // be off by 5e-12; every other method is exact up to the rounding of its sums.
    for (int method = 0; method <= 4; ++method) {
        for (GaussSplit split : {GaussSplit::Acceptable, GaussSplit::Detectable}) {
            const IntegralResult r = Integrate(
                Method(method), [](double) { return 1.0; }, 0.0, 1.0, split);
            ASSERT_TRUE(r.ok()) << MethodNames[method];
            EXPECT_NEAR(r.value, 1.0, method == 4 ? 1e-11 : 1e-12) << MethodNames[method];
        }
    }
}

TEST(Integration, SquareOnUnitInterval) {
    const auto square = [](double x) { return x * x; };
    struct Case {
        IntegrationSettings settings;
        double expected, tolerance;
        const char* source;
    } cases[] = {
        {Method(1, 2), 1.0 / 3, 1e-15, "Simpson is exact for cubics"},
        {Method(1, 10), 1.0 / 3, 1e-15, "Simpson is exact for cubics"},
        {Method(1, 1000), 1.0 / 3, 1e-13, "Simpson is exact for cubics; 1000 rounded terms"},
        // Odd N: h = 1/3, weights 4, 2 at x = 1/3, 2/3: (1/9)(0 + 1 + 4/9 + 8/9) = 21/81.
        {Method(1, 3), 21.0 / 81, 1e-15, "hand sum, odd N used as it is"},
        // Composite trapezoid on x^2 over [0,1]: 1/3 + h^2/6 exactly; h = 0.01.
        {Method(0, 100), 0.33335, 1e-14, "1/3 + h^2/6"},
        {Method(0, 10), 1.0 / 3 + 0.01 / 6, 1e-15, "1/3 + h^2/6"},
        {Method(2, 1000, 5), 1.0 / 3, 1e-15, "Romberg from level 2 is exact for cubics"},
        {Method(2, 1000, 1), 0.5, 1e-15, "one level: the trapezoid (0 + 1)/2"},
        {Method(4), 1.0 / 3, 1e-11, "five-point Gauss is exact to degree 9; 11-digit constants"},
    };
    for (const Case& c : cases) {
        const IntegralResult r = Integrate(c.settings, square, 0.0, 1.0, GaussSplit::Acceptable);
        ASSERT_TRUE(r.ok());
        EXPECT_NEAR(r.value, c.expected, c.tolerance)
            << MethodNames[c.settings.method] << " N=" << c.settings.steps
            << " n=" << c.settings.levels << " (" << c.source << ")";
    }
    const IntegralResult detectable =
        Integrate(Method(4), square, 0.0, 1.0, GaussSplit::Detectable);
    EXPECT_NEAR(detectable.value, 1.0 / 3, 1e-11);
}

TEST(Integration, EvaluationCounts) {
    // N + 1 for the rules, 2^(n-1) + 1 for Romberg, 15 and 10 for the two Gauss splits.
    struct Case {
        IntegrationSettings settings;
        GaussSplit split;
        int evaluations;
    } cases[] = {
        {Method(0, 100), GaussSplit::Acceptable, 101},
        {Method(1, 1000), GaussSplit::Acceptable, 1001},
        {Method(2, 1000, 5), GaussSplit::Acceptable, 17},
        {Method(2, 1000, 10), GaussSplit::Acceptable, 513},
        {Method(2, 1000, 1), GaussSplit::Acceptable, 2},
        {Method(4), GaussSplit::Acceptable, 15},
        {Method(4), GaussSplit::Detectable, 10},
        {Method(5), GaussSplit::Acceptable, 0},
        {Method(-1), GaussSplit::Acceptable, 0},
    };
    for (const Case& c : cases) {
        Counted f{[](double x) { return std::exp(x); }};
        const IntegralResult r = Integrate(c.settings, f, 0.0, 1.0, c.split);
        EXPECT_TRUE(r.ok());
        EXPECT_EQ(f.calls, c.evaluations) << "method " << c.settings.method;
    }
}

TEST(Integration, UnknownMethodGivesZero) {
    for (int method : {-1, 5, 99}) {
        const IntegralResult r = Integrate(
            Method(method), [](double) { return 1.0; }, 0.0, 1.0, GaussSplit::Acceptable);
        EXPECT_TRUE(r.ok());
        EXPECT_EQ(r.value, 0.0) << method;
    }
}

TEST(Integration, RombergAgainstClosedForms) {
    // ∫0^1 e^x = e - 1; ∫0^π sin = 2. Five levels (h = L/16) reach the 1e-12 range for e^x.
    const IntegralResult e = Romberg([](double x) { return std::exp(x); }, 0.0, 1.0, 5);
    EXPECT_NEAR(e.value, std::exp(1.0) - 1, 1e-12);
    const IntegralResult s =
        Romberg([](double x) { return std::sin(x); }, 0.0, std::numbers::pi, 10);
    EXPECT_NEAR(s.value, 2.0, 1e-14);
    // More than the ten rows of the table are not computed: 12 levels give the 10-level value.
    const auto exp = [](double x) { return std::exp(x); };
    EXPECT_EQ(Romberg(exp, 0.0, 1.0, 12).value, Romberg(exp, 0.0, 1.0, 10).value);
}

TEST(Integration, AdaptiveConvergesWithinTolerance) {
    // A trapezoid panel that passes 3 t > |S_old - (left + right)| is within about t of the
    // integral (the halving removes 3/4 of the error), and the tolerances of the accepted
    // panels add up to tol0. References: ∫1^4 x^-1/2 = 2, ∫0^1 e^x = e - 1.
    for (double tol0 : {1e-3, 1e-5, 1e-7}) {
        const IntegralResult r =
            Adaptive([](double x) { return 1 / std::sqrt(x); }, 1.0, 4.0, tol0);
        ASSERT_TRUE(r.ok());
        EXPECT_NEAR(r.value, 2.0, tol0) << tol0;
        const IntegralResult e = Adaptive([](double x) { return std::exp(x); }, 0.0, 1.0, tol0);
        EXPECT_NEAR(e.value, std::exp(1.0) - 1, tol0) << tol0;
    }
}

TEST(Integration, AdaptiveExaminesTheRightHalfFirst) {
    // x^2 on [0,1], tol0 = 0.03. Hand run: panel(0,1) = 0.5; halves 0.0625 + 0.3125, change
    // 0.125 >= 0.09: split. Right half [0.5,1] (t = 0.015): 0.1015625 + 0.1953125, change
    // 0.015625 < 0.045: accepted. Left half [0,0.5]: 0.0078125 + 0.0390625, change 0.015625:
    // accepted. W = 0.34375, the trapezoid with h = 1/4 (1/3 + h^2/6).
    struct Logged {
        std::vector<std::pair<double, double>> panels;
        double operator()(double x) { return x * x; }
        double panel(double x1, double x2) {
            panels.emplace_back(x1, x2);
            return (x1 * x1 + x2 * x2) * (x2 - x1) * 0.5;
        }
    } f;
    const IntegralResult r = Adaptive(f, 0.0, 1.0, 0.03);
    ASSERT_TRUE(r.ok());
    EXPECT_DOUBLE_EQ(r.value, 0.34375);
    const std::vector<std::pair<double, double>> expected = {
        {0, 1}, {0, 0.5}, {0.5, 1}, {0.5, 0.75}, {0.75, 1}, {0, 0.25}, {0.25, 0.5}};
    EXPECT_EQ(f.panels, expected);
}

TEST(Integration, AdaptiveStackLimit) {
    // A tolerance of 0 is never met, so every test splits: the depth reaches 1000 after 999
    // tests, each evaluating two panels of two ends, after the first panel's two ends.
    Counted f{[](double x) { return x * x; }};
    const IntegralResult r = Adaptive(f, 0.0, 1.0, 0.0);
    EXPECT_EQ(r.status, IntegralStatus::StackFull);
    EXPECT_EQ(r.value, 0.0);
    EXPECT_EQ(f.calls, 2 + 4 * 999);

    const Failure failure = AdaptiveStackFullFailure("procedure Vypocet LichOkraje");
    EXPECT_EQ(failure.kind, BoxKind::Error);
    EXPECT_EQ(failure.text, "procedure Vypocet LichOkraje\r\n\r\nAdaptivní integrace n>1000");
    EXPECT_EQ(failure.stepName, "procedure Vypocet LichOkraje");
}

TEST(Integration, FailingIntegrandStopsAtOnce) {
    // Every method stops right after the failing evaluation and reports it, value 0.
    for (int method = 0; method <= 4; ++method) {
        for (int failAt : {1, 2, 7}) {
            Counted f{[](double x) { return x * x; }};
            f.failAt = failAt;
            const IntegralResult r =
                Integrate(Method(method, 100, 10, 1e-9), f, 0.0, 1.0, GaussSplit::Acceptable);
            EXPECT_EQ(r.status, IntegralStatus::IntegrandFailed) << MethodNames[method];
            EXPECT_EQ(r.value, 0.0);
            EXPECT_EQ(f.calls, failAt) << MethodNames[method] << " failing at " << failAt;
        }
    }
}

TEST(Integration, GaussNeverEvaluatesTheEnds) {
    // The outermost nodes lie (1 - 0.90617984594)/2 = 0.04691007703 of a sub-interval's width
    // inside it: the first sub-interval is 0.01 L (R(aac)) or 0.1 L (R(ad)) wide, the last 0.9 L.
    for (GaussSplit split : {GaussSplit::Acceptable, GaussSplit::Detectable}) {
        double lowest = 1, highest = 0;
        const IntegralResult r = GaussLegendre5(
            [&](double x) {
                lowest = std::min(lowest, x);
                highest = std::max(highest, x);
                return 1 / x;
            },
            0.0, 1.0, split);
        ASSERT_TRUE(r.ok());
        const double first = split == GaussSplit::Acceptable ? 0.01 : 0.1;
        EXPECT_NEAR(lowest, first * 0.04691007703, 1e-15);
        EXPECT_NEAR(highest, 1 - 0.9 * 0.04691007703, 1e-15);
    }
}

TEST(Integration, GaussSubIntervalsFollowTheSplit) {
    // A kink is integrated exactly only where a sub-interval ends. ∫0^1 |x - k| = (k^2 +
    // (1 - k)^2)/2: k = 0.1 ends a sub-interval of both splits, k = 0.01 only of R(aac)'s.
    const auto kinked = [](double k) { return [k](double x) { return std::fabs(x - k); }; };
    const auto exact = [](double k) { return (k * k + (1 - k) * (1 - k)) / 2; };
    EXPECT_NEAR(GaussLegendre5(kinked(0.1), 0.0, 1.0, GaussSplit::Acceptable).value, exact(0.1),
                1e-11);
    EXPECT_NEAR(GaussLegendre5(kinked(0.1), 0.0, 1.0, GaussSplit::Detectable).value, exact(0.1),
                1e-11);
    EXPECT_NEAR(GaussLegendre5(kinked(0.01), 0.0, 1.0, GaussSplit::Acceptable).value, exact(0.01),
                1e-11);
    EXPECT_GT(std::fabs(GaussLegendre5(kinked(0.01), 0.0, 1.0, GaussSplit::Detectable).value -
                        exact(0.01)),
              1e-6);
    // The split is relative to the lower limit and to L, also when b < a: ∫2^1 |x - 1.9| dx.
    EXPECT_NEAR(GaussLegendre5(kinked(1.9), 2.0, 1.0, GaussSplit::Detectable).value,
                -(0.1 * 0.1 + 0.9 * 0.9) / 2, 1e-11);
}

TEST(Integration, ReversedLimitsChangeTheSign) {
    // ∫1^0 e^x = 1 - e by every method; tolerances are each method's accuracy at these settings.
    const double tolerance[] = {2e-7, 1e-13, 1e-14, 1e-4, 1e-11};
    for (int method = 0; method <= 4; ++method) {
        const IntegralResult r = Integrate(
            Method(method), [](double x) { return std::exp(x); }, 1.0, 0.0, GaussSplit::Acceptable);
        ASSERT_TRUE(r.ok());
        EXPECT_NEAR(r.value, 1 - std::exp(1.0), tolerance[method]) << MethodNames[method];
    }
}

} // namespace
} // namespace tessavin
