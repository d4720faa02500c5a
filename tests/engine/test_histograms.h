#pragma once
// Fixtures shared by the engine tests: input histograms as the input page builds them.
#include <gtest/gtest.h>

#include "histogram/histogram.h"
#include "parametric/discretisation.h"

namespace tessavin::test {

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
