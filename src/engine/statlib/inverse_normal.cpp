#include "statlib/inverse_normal.h"

#include <cmath>
#include <limits>

namespace tessavin {
namespace {

constexpr double InvSqrt2Pi = 0.39894228040143267794;
constexpr double CentralHalfWidth = 0.425; // AS 241's central region: |p − 1/2| ≤ 0.425

double Poly(const double* c, int n, double x) {
    double s = c[n - 1];
    for (int i = n - 2; i >= 0; --i)
        s = s * x + c[i];
    return s;
}

// Φ⁻¹(p) for a lower-tail p (0 < p < 1/2 − 0.425), polished: Halley's step on
// f(x) = Φ(x) − p, whose residual Φ(x) − p keeps its relative accuracy out here.
double PolishedLowerTail(double p) {
    const double x = NormalQuantileAs241(p);
    const double density = InvSqrt2Pi * std::exp(-0.5 * x * x);
    if (!(density > 0.0)) return x; // beyond the smallest normal density: nothing to gain
    const double u = (StandardNormalCdf(x) - p) / density;
    return x - u / (1.0 + 0.5 * x * u);
}

} // namespace

double NormalQuantileAs241(double p) {
    if (!(p > 0.0)) return -std::numeric_limits<double>::infinity();
    if (!(p < 1.0)) return std::numeric_limits<double>::infinity();
    static const double a[] = {3.3871328727963666080e0, 1.3314166789178437745e2,
                               1.9715909503065514427e3, 1.3731693765509461125e4,
                               4.5921953931549871457e4, 6.7265770927008700853e4,
                               3.3430575583588128105e4, 2.5090809287301226727e3};
    static const double b[] = {1.0,
                               4.2313330701600911252e1,
                               6.8718700749205790830e2,
                               5.3941960214247511077e3,
                               2.1213794301586595867e4,
                               3.9307895800092710610e4,
                               2.8729085735721942674e4,
                               5.2264952788528545610e3};
    static const double c[] = {1.42343711074968357734e0,  4.63033784615654529590e0,
                               5.76949722146069140550e0,  3.64784832476320460504e0,
                               1.27045825245236838258e0,  2.41780725177450611770e-1,
                               2.27238449892691845833e-2, 7.74545014278341407640e-4};
    static const double d[] = {1.0,
                               2.05319162663775882187e0,
                               1.67638483018380384940e0,
                               6.89767334985100004550e-1,
                               1.48103976427480074590e-1,
                               1.51986665636164571966e-2,
                               5.47593808499534494600e-4,
                               1.05075007164441684324e-9};
    static const double e[] = {6.65790464350110377720e0,  5.46378491116411436990e0,
                               1.78482653991729133580e0,  2.96560571828504891230e-1,
                               2.65321895265761230930e-2, 1.24266094738807843860e-3,
                               2.71155556874348757815e-5, 2.01033439929228813265e-7};
    static const double f[] = {1.0,
                               5.99832206555887937690e-1,
                               1.36929880922735805310e-1,
                               1.48753612908506148525e-2,
                               7.86869131145613259100e-4,
                               1.84631831751005468180e-5,
                               1.42151175831644588870e-7,
                               2.04426310338993978564e-15};
    const double q = p - 0.5;
    if (std::fabs(q) <= CentralHalfWidth) {
        const double r = 0.180625 - q * q;
        return q * Poly(a, 8, r) / Poly(b, 8, r);
    }
    double r = q < 0 ? p : 1.0 - p;
    r = std::sqrt(-std::log(r));
    double x;
    if (r <= 5.0) {
        r -= 1.6;
        x = Poly(c, 8, r) / Poly(d, 8, r);
    } else {
        r -= 5.0;
        x = Poly(e, 8, r) / Poly(f, 8, r);
    }
    return q < 0 ? -x : x;
}

double InverseNormal(double p) {
    if (std::isnan(p) || p < 0.0 || p > 1.0) return std::numeric_limits<double>::quiet_NaN();
    if (p == 0.0) return -std::numeric_limits<double>::infinity();
    if (p == 1.0) return std::numeric_limits<double>::infinity();
    if (std::fabs(p - 0.5) <= CentralHalfWidth) return NormalQuantileAs241(p);
    // Above the centre 1 − p is exact (Sterbenz), and Φ⁻¹(p) = −Φ⁻¹(1 − p).
    return p < 0.5 ? PolishedLowerTail(p) : -PolishedLowerTail(1.0 - p);
}

} // namespace tessavin
