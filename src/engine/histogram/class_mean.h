#pragma once
// The mean of a histogram's class values.
#include "histogram/histogram.h"

namespace tessavin {

// The probability-weighted mean of the class values, summed in long double; 0 for a histogram
// without weight.
double ClassValueMean(const DiscreteHistogram& h);

} // namespace tessavin
