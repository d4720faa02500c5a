#include "montecarlo/resistance_integral.h"

#include <algorithm>
#include <cmath>

namespace tessavin::montecarlo {

GaussRule GaussLegendre(int n) {
    GaussRule rule;
    rule.nodes.resize(n);
    rule.weights.resize(n);
    const long double pi = 3.141592653589793238462643383279502884L;
    for (int i = 0; i < (n + 1) / 2; ++i) {
        // Newton's method on P_n from the Chebyshev-like first guess.
        long double x = std::cos(pi * (i + 0.75L) / (n + 0.5L));
        long double dp = 0;
        for (int iter = 0; iter < 100; ++iter) {
            long double p0 = 1, p1 = x;
            for (int k = 2; k <= n; ++k) {
                const long double p2 = ((2 * k - 1) * x * p1 - (k - 1) * p0) / k;
                p0 = p1;
                p1 = p2;
            }
            dp = n * (x * p1 - p0) / (x * x - 1);
            const long double dx = p1 / dp;
            x -= dx;
            if (std::fabs(dx) < 1e-19L) break;
        }
        const double w = static_cast<double>(2 / ((1 - x * x) * dp * dp));
        rule.nodes[i] = static_cast<double>(-x);
        rule.nodes[n - 1 - i] = static_cast<double>(x);
        rule.weights[i] = rule.weights[n - 1 - i] = w;
    }
    return rule;
}

namespace {
// The three-point rule integrates the quartic of a panel exactly.
constexpr double G3Node = 0.77459666924148337704; // √(3/5)
constexpr double G3Outer = 5.0 / 9.0;
constexpr double G3Centre = 8.0 / 9.0;

double Quartic(const std::array<double, 5>& c, double t) {
    return c[0] + t * (c[1] + t * (c[2] + t * (c[3] + t * c[4])));
}
} // namespace

ResistanceIntegral::ResistanceIntegral(const std::function<double(double)>& f, double aMin,
                                       double aMax, int panels)
    : panels_(panels) {
    u0_ = std::log(aMin);
    h_ = (std::log(aMax) - u0_) / panels;
    invH_ = 1.0 / h_;
    auto g = [&](double u) {
        const double x = std::exp(u);
        const double v = f(x) * x;
        if (!std::isfinite(v)) ok_ = false;
        return v;
    };
    // g' by the five-point central difference; its error enters the quartic only at O(h).
    const double d = 1e-3 * h_ + 1e-4;
    auto slope = [&](double u) {
        return (g(u - 2 * d) - 8 * g(u - d) + 8 * g(u + d) - g(u + 2 * d)) / (12 * d);
    };
    const GaussRule rule = GaussLegendre(10);

    std::vector<double> gv(panels + 1), sv(panels + 1);
    for (int k = 0; k <= panels; ++k) {
        const double u = u0_ + k * h_;
        gv[k] = g(u);
        sv[k] = slope(u);
    }
    G_.assign(panels + 1, 0.0);
    q_.resize(panels);
    long double sum = 0;
    for (int k = 0; k < panels; ++k) {
        const double ua = u0_ + k * h_;
        double mean = 0; // panel integral / h
        for (std::size_t i = 0; i < rule.nodes.size(); ++i)
            mean += rule.weights[i] * g(ua + 0.5 * h_ * (1 + rule.nodes[i]));
        mean *= 0.5;
        sum += static_cast<long double>(mean) * h_;
        G_[k + 1] = sum;
        // q(0) = g0, q(1) = g1, q'(0) = h g0', q'(1) = h g1', ∫₀¹ q = mean.
        const double g0 = gv[k], g1 = gv[k + 1], d0 = h_ * sv[k], d1 = h_ * sv[k + 1];
        const double A = g1 - g0 - d0;
        const double B = d1 - d0;
        const double C = mean - g0 - 0.5 * d0;
        const double B2 = B - 2 * A;
        const double C2 = A / 3 - C;
        const double c4 = (5 * B2 - 60 * C2) / 2;
        const double c3 = B2 - 2 * c4;
        const double c2 = A - c3 - c4;
        q_[k] = {g0, d0, c2, c3, c4};
    }
}

ResistanceIntegral::Position ResistanceIntegral::Locate(double x) const {
    const double s = (std::log(x) - u0_) * invH_;
    const int k = std::clamp(static_cast<int>(std::floor(s)), 0, panels_ - 1);
    return {k, s - k};
}

double ResistanceIntegral::Partial(int panel, double t0, double t1) const {
    const auto& c = q_[panel];
    const double mid = 0.5 * (t0 + t1), half = 0.5 * (t1 - t0);
    return h_ * half *
           (G3Outer * (Quartic(c, mid - half * G3Node) + Quartic(c, mid + half * G3Node)) +
            G3Centre * Quartic(c, mid));
}

double ResistanceIntegral::operator()(double a, double b) const {
    if (b < a) return -(*this)(b, a);
    return (*this)(Start(a), b);
}

double ResistanceIntegral::operator()(const From& from, double b) const {
    const double a = from.a;
    if (b < a) return -(*this)(b, a);
    if (a == b) return 0.0;
    const Position pa = from.at;
    // A short interval from its own width: ln b − ln a would lose the digits of a close pair.
    const double du = std::log1p((b - a) / a);
    if (du <= h_) return Partial(pa.panel, pa.t, pa.t + du * invH_);
    const Position pb = Locate(b);
    if (pa.panel == pb.panel) return Partial(pa.panel, pa.t, pb.t);
    return Partial(pa.panel, pa.t, 1.0) + static_cast<double>(G_[pb.panel] - G_[pa.panel + 1]) +
           Partial(pb.panel, 0.0, pb.t);
}

} // namespace tessavin::montecarlo
