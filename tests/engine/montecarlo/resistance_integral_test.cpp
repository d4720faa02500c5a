#include "montecarlo/resistance_integral.h"

#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "calculation/resistance_functions.h"

namespace tessavin::montecarlo {
namespace {

TEST(GaussLegendre, IntegratesPolynomialsUpToDegreeTwoNMinusOneExactly) {
    for (int n : {3, 10, 20}) {
        const GaussRule rule = GaussLegendre(n);
        for (int degree = 0; degree <= 2 * n - 1; ++degree) {
            long double sum = 0;
            for (int i = 0; i < n; ++i)
                sum += rule.weights[i] * std::pow(static_cast<long double>(rule.nodes[i]), degree);
            const double exact = degree % 2 ? 0.0 : 2.0 / (degree + 1);
            EXPECT_NEAR(static_cast<double>(sum), exact, 1e-14)
                << "n " << n << " degree " << degree;
        }
    }
}

// Reference: the 20-point Gauss-Legendre rule on 400 panels spaced geometrically in x (the
// integrand grows like x^(-m/2) towards small cracks), summed in long double.
long double Reference(const std::function<double(double)>& f, double a, double b) {
    if (b < a) return -Reference(f, b, a);
    const GaussRule rule = GaussLegendre(20);
    const int panels = 400;
    const long double ratio = std::pow(static_cast<long double>(b) / a, 1.0L / panels);
    long double sum = 0, x0 = a;
    for (int k = 0; k < panels; ++k) {
        const long double x1 = k == panels - 1 ? b : x0 * ratio;
        const long double half = (x1 - x0) / 2, mid = (x1 + x0) / 2;
        for (int i = 0; i < 20; ++i)
            sum += half * rule.weights[i] * f(static_cast<double>(mid + half * rule.nodes[i]));
        x0 = x1;
    }
    return sum;
}

struct Crack {
    const char* name;
    int origin;
    double m, lo, hi;
};

// Within the ranges the samples use, for both crack origins and a steep and a flat exponent:
// random pairs in either order, pairs a hair apart and pairs spanning the whole range.
TEST(ResistanceIntegral, RelativeErrorBelowOneInABillionAgainstHighOrderQuadrature) {
    const Crack cracks[] = {{"edge m=3", 0, 3, 0.05, 160},
                            {"edge m=5", 0, 5, 0.5, 160},
                            {"surface m=3", 1, 3, 0.05, 20},
                            {"surface m=4.2", 1, 4.2, 0.1, 20}};
    for (const Crack& c : cracks) {
        ResistanceParameters p;
        p.m = c.m;
        p.origin = c.origin;
        ResistanceCalculator calc(p);
        auto f = [&](double a) {
            return c.origin == 0 ? calc.FxOkraje(a)
                                 : calc.FxPovrchu(a, calc.Rozmer_c(a, p.tf), p.bf, p.tf, p.m);
        };
        const ResistanceIntegral R(f, c.lo, c.hi);
        ASSERT_TRUE(R.ok()) << c.name;

        std::mt19937_64 gen(7);
        std::uniform_real_distribution<double> u(std::log(c.lo), std::log(c.hi));
        std::vector<std::pair<double, double>> pairs = {{c.lo, c.hi}, {c.hi, c.lo}};
        for (int i = 0; i < 40; ++i)
            pairs.emplace_back(std::exp(u(gen)), std::exp(u(gen)));
        for (int i = 0; i < 10; ++i) {
            const double a = std::exp(u(gen));
            pairs.emplace_back(a, a * (1 + 1e-7 * (i + 1)));
        }
        double worst = 0;
        for (const auto& [a, b] : pairs) {
            const long double ref = Reference(f, a, b);
            const double error = std::fabs(static_cast<double>((R(a, b) - ref) / ref));
            worst = std::max(worst, error);
        }
        EXPECT_LT(worst, 1e-9) << c.name;
        EXPECT_FALSE(calc.failed()) << c.name;
    }
}

TEST(ResistanceIntegral, ReportsAnIntegrandWithoutFiniteValues) {
    const ResistanceIntegral R([](double a) { return a < 1 ? 1.0 : std::nan(""); }, 0.5, 2);
    EXPECT_FALSE(R.ok());
}

} // namespace
} // namespace tessavin::montecarlo
