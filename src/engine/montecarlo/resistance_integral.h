#pragma once
// The resistance R(a, b) = ∫ f(x) dx from a to b of a crack-growth integrand f, for any pair of
// crack sizes in a fixed range, to a relative error far below 1e-9 and in a few dozen flops.
//
// The integral is taken in u = ln x, where g(u) = f(eˣ)·eˣ behaves like a smooth exponential
// even where f has the singularity x^(-m/2) of a small crack. On a fine grid of u the table holds
// the antiderivative at the nodes (panel integrals by Gauss-Legendre quadrature) and, per panel,
// the quartic that matches g and g' at both nodes and the panel integral. A partial panel is
// integrated from that quartic by an exact Gauss rule, and an interval shorter than a panel
// from its own width, so even a tiny interval keeps its relative accuracy (no difference of two
// large antiderivative values or of two close logarithms).
#include <array>
#include <functional>
#include <vector>

namespace tessavin::montecarlo {

// Nodes and weights of the n-point Gauss-Legendre rule on [-1, 1].
struct GaussRule {
    std::vector<double> nodes, weights;
};
GaussRule GaussLegendre(int n);

class ResistanceIntegral {
  public:
    // f: the integrand over crack size, evaluated only inside [aMin, aMax] widened by a hair;
    // 0 < aMin < aMax. ok() is false when f gave a value that is not finite.
    ResistanceIntegral(const std::function<double(double)>& f, double aMin, double aMax,
                       int panels = 4096);

    struct Position {
        int panel;
        double t; // 0 .. 1 within the panel
    };
    // A lower limit with its place in the table, for several integrals from one crack size.
    struct From {
        double a;
        Position at;
    };

    bool ok() const { return ok_; }
    From Start(double a) const { return {a, Locate(a)}; }
    // ∫ f from a to b (negative when b < a) for a, b within [aMin, aMax].
    double operator()(double a, double b) const;
    double operator()(const From& from, double b) const;

  private:
    Position Locate(double x) const;
    // h·∫ q over [t0, t1] of one panel.
    double Partial(int panel, double t0, double t1) const;

    double u0_ = 0.0, h_ = 1.0, invH_ = 1.0;
    int panels_ = 0;
    bool ok_ = true;
    // ∫ g from node 0 to node k, extended: a difference of two large values near the top of
    // the range keeps its digits when the integrand falls steeply there.
    std::vector<long double> G_;
    std::vector<std::array<double, 5>> q_; // per panel: q(t) = Σ c_i tⁱ ≈ g(u_k + t h)
};

} // namespace tessavin::montecarlo
