#include "montecarlo/normal_distribution.h"

#include <cmath>
#include <limits>

namespace tessavin::montecarlo {

namespace {
constexpr double InvSqrt2 = 0.70710678118654752440;
constexpr double InvSqrt2Pi = 0.39894228040143267794;

double Poly(const double* c, int n, double x) {
    double s = c[n - 1];
    for (int i = n - 2; i >= 0; --i)
        s = s * x + c[i];
    return s;
}
} // namespace

double NormalCdf(double z) {
    return 0.5 * std::erfc(-z * InvSqrt2);
}
double NormalUpperTail(double z) {
    return 0.5 * std::erfc(z * InvSqrt2);
}
double NormalDensity(double z) {
    return InvSqrt2Pi * std::exp(-0.5 * z * z);
}

// Wichura's algorithm AS 241 (PPND16): rational approximations good to about 1e-16.
double NormalQuantile(double p) {
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
    if (std::fabs(q) <= 0.425) {
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

Moments TruncatedNormalMoments(double mu, double sigma, double lo, double hi) {
    const double alpha = (lo - mu) / sigma, beta = (hi - mu) / sigma;
    const double z = NormalCdf(beta) - NormalCdf(alpha);
    const double pa = NormalDensity(alpha), pb = NormalDensity(beta);
    // α φ(α) with φ(±∞) = 0.
    const double apa = std::isfinite(alpha) ? alpha * pa : 0.0;
    const double bpb = std::isfinite(beta) ? beta * pb : 0.0;
    const double shift = (pa - pb) / z;
    Moments m;
    m.mean = mu + sigma * shift;
    m.sd = sigma * std::sqrt(std::max(0.0, 1.0 + (apa - bpb) / z - shift * shift));
    return m;
}

} // namespace tessavin::montecarlo
