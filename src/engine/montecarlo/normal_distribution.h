#pragma once
// The standard normal distribution to full double precision: what the simulation needs to draw
// normal inputs by inversion and to integrate a normal count in closed form.
#include "statlib/inverse_normal.h"

namespace tessavin::montecarlo {

// Φ(z), accurate in both tails.
inline double NormalCdf(double z) {
    return StandardNormalCdf(z);
}
// Φ(-z) = 1 - Φ(z) without cancellation.
inline double NormalUpperTail(double z) {
    return StandardNormalUpperTail(z);
}
double NormalDensity(double z);
// Φ⁻¹(p) for 0 < p < 1, relative error about 1e-16; ±infinity at 0 and 1.
double NormalQuantile(double p);

// Mean and standard deviation of N(mu, sigma²) cut to [lo, hi].
struct Moments {
    double mean = 0.0;
    double sd = 0.0;
};
Moments TruncatedNormalMoments(double mu, double sigma, double lo, double hi);

} // namespace tessavin::montecarlo
