#include "parametric/range_search.h"

#include <cmath>

#include "common/math_fault.h"

namespace tessavin {

void CountSearchStep(long& steps) {
    if (++steps > kMaxSearchSteps) throw MathFaultError(MathFault::OtherMath);
}

long double RangeSearch::Eval(double x) const {
    const long double v = f_(x);
    ThrowOnMathFault();
    return v;
}

bool RangeSearch::EndsCut(double lo, double hi, double centre) const {
    const long double limit = eps_ * Eval(centre);
    return Eval(lo) <= limit && Eval(hi) <= limit;
}

SearchRange RangeSearch::Threshold(double x0, double step, SearchRange r) const {
    const long double t = eps_ * Eval(x0);
    long steps = 0;
    double x = x0;
    while (Eval(x) > t) {
        x = x + step;
        CountSearchStep(steps);
    }
    r.max = x;
    x = x0;
    while (Eval(x) > t) {
        x = x - step;
        CountSearchStep(steps);
    }
    r.min = x;
    return r;
}

SearchRange RangeSearch::Ratio(double x0, double step, SearchRange r) const {
    const long double f0 = Eval(x0);
    // |f(x) / f0|, with a zero f0 reported as the fault it is.
    auto ratio = [&](long double v) {
        const long double q = std::fabs(v / f0);
        ThrowOnMathFault();
        return q;
    };
    long steps = 0;
    double x = x0;
    do {
        x = x + step;
        CountSearchStep(steps);
    } while (!(ratio(Eval(x)) <= eps_));
    r.max = x;
    x = x0;
    long double v;
    do {
        x = x - step;
        CountSearchStep(steps);
        v = Eval(x);
    } while (!(ratio(v) <= eps_ || v == f0));
    r.min = x;
    return r;
}

SearchRange RangeSearch::OneSided(double x0, double step, SearchRange r) const {
    const long double f0 = Eval(x0);
    long steps = 0;
    double x = x0;
    long double c = f0;
    while (c > eps_) {
        x = x + step;
        const long double v = Eval(x);
        CountSearchStep(steps);
        if (v == c) break;
        c = v;
    }
    r.max = x;
    x = x0;
    c = f0;
    while (c > eps_) {
        x = x - step;
        CountSearchStep(steps);
        if (x < 0) break;
        const long double v = Eval(x);
        if (v == c) break;
        c = v;
    }
    r.min = x;
    return r;
}

} // namespace tessavin
