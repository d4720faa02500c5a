#pragma once
// The range a distribution's histogram covers: walks from a start point in fixed steps until the
// density has fallen to the cut-off.
#include "parametric/distribution_catalogue.h"

namespace tessavin {

// Every walk gives up after this many steps (a step too small to move x, or a density that never
// falls); the discretisation then reports the range as a forbidden operation.
inline constexpr long kMaxSearchSteps = 2'000'000;

class RangeSearch {
  public:
    RangeSearch(const Density& f, double eps) : f_(f), eps_(eps) {}

    // Upwards and downwards while f > eps * f(x0).
    SearchRange Threshold(double x0, double step, SearchRange r) const;
    // Until |f(x) / f(x0)| <= eps (downwards also when f(x) equals f(x0) exactly).
    SearchRange Ratio(double x0, double step, SearchRange r) const;
    // Compares the density itself with eps; stops on a plateau; downwards also below 0.
    SearchRange OneSided(double x0, double step, SearchRange r) const;

    // Whether f at lo and at hi has fallen to eps * f(centre): the range [lo, hi] already cuts
    // both tails.
    bool EndsCut(double lo, double hi, double centre) const;

    // Evaluates the density and throws on a floating-point fault.
    long double Eval(double x) const;

  private:
    const Density& f_;
    double eps_;
};

// Throws MathFaultError(OtherMath) when a walk exceeds kMaxSearchSteps.
void CountSearchStep(long& steps);

} // namespace tessavin
