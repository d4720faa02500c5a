#pragma once
// Exponential, logarithm, powers and the gamma function that never fail: every domain
// violation, pole, overflow and underflow yields a fixed finite substitute value.
// Intermediate values are extended precision; results are doubles.
#include <cstdint>

namespace tessavin {

inline constexpr double LargestReal = 1.797693134862315E+308;
inline constexpr double SmallestReal = 5.562684646268006E-309;
inline constexpr double ExpArgMin = -708.3964185322641;
inline constexpr double ExpArgMax = 709.782712893384;
inline constexpr double GammaArgMax = 171.624376956302;
inline constexpr double SqrtTwoPi = 2.5066282746310005;

double ExpChecked(double x);
double LnChecked(double x);
double PowChecked(double base, double exponent);
double PowInt(double base, std::int32_t n);
double GammaFn(double x);
double SignOf(double x);
// coef[0]*x^n + ... + coef[n] by Horner's rule.
long double EvalPolynomial(long double x, const double* coef, int n);

// Stirling's series for Γ(x), x > 13, kept in extended precision: it stays finite up to
// x ≈ 1750, far past the double range. Internal to GammaFn; declared for testing.
long double GammaStirling(long double x);

} // namespace tessavin
