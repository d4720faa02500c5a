#pragma once
// Fixtures shared by the engine tests: histograms written by hand and input histograms as the
// input page builds them.
#include <vector>

#include <gtest/gtest.h>

#include "histogram/histogram.h"
#include "parametric/discretisation.h"

namespace tessavin::test {

// A histogram of class values xFirst, xFirst + step, ... with the given probabilities.
template <class H = DiscreteHistogram>
H Hand(double xFirst, double step, const std::vector<double>& p) {
    H h;
    h.Bins = static_cast<int>(p.size());
    h.XFirst = xFirst;
    h.Step = step;
    h.XLast = xFirst + (h.Bins - 1) * step;
    if constexpr (requires { h.Span; }) h.Span = h.XLast - h.XFirst;
    for (int i = 1; i <= h.Bins; ++i)
        h.P[i] = p[i - 1];
    return h;
}

// A parametric input histogram, stored exactly as an input row stores it.
inline DiscreteHistogram ParametricInput(int type, const char* mi, const char* sigma,
                                         const char* classes) {
    ParametricRequest r;
    r.Type = type;
    r.Par1 = mi;
    r.Par2 = sigma;
    r.IntervalCount = classes;
    WorkingHistogram w;
    EXPECT_TRUE(BuildParametricHistogram(r, w).Succeeded);
    DiscreteHistogram h;
    StoreWorkingHistogram(w, h);
    return h;
}

} // namespace tessavin::test
