#include "histogram/class_mean.h"

namespace tessavin {

double ClassValueMean(const DiscreteHistogram& h) {
    long double sum = 0, weight = 0;
    for (int i = 1; i <= h.Bins; ++i) {
        sum += h.P[i] * ClassValue(h, i);
        weight += h.P[i];
    }
    return weight > 0 ? static_cast<double>(sum / weight) : 0.0;
}

} // namespace tessavin
