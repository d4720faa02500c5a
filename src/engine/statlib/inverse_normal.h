#pragma once
// The standard normal distribution function and its inverse to full double precision, in both
// tails.
#include <cmath>

namespace tessavin {

// Φ(z) = P(Z ≤ z) and Φ(−z) = 1 − Φ(z), each without cancellation in its small tail. Inline:
// the simulation calls them hundreds of times a sample.
inline double StandardNormalCdf(double z) {
    return 0.5 * std::erfc(-z * 0.70710678118654752440);
}
inline double StandardNormalUpperTail(double z) {
    return 0.5 * std::erfc(z * 0.70710678118654752440);
}

// Wichura's rational approximations (AS 241, PPND16) of Φ⁻¹(p): relative error about 1e-16.
// −∞ at p ≤ 0, +∞ at p ≥ 1 (NaN gives +∞).
double NormalQuantileAs241(double p);

// Φ⁻¹(p) to within an ulp or two: AS 241 in the centre; in the tails AS 241 polished by one
// Halley step on the tail probability (relative there, so the step gains digits). −∞ at p = 0,
// +∞ at p = 1; NaN for NaN or p outside [0, 1].
double InverseNormal(double p);

} // namespace tessavin
