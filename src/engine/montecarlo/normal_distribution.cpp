#include "montecarlo/normal_distribution.h"

#include <cmath>
#include <limits>

#include "statlib/inverse_normal.h"

namespace tessavin::montecarlo {

namespace {
constexpr double InvSqrt2Pi = 0.39894228040143267794;
} // namespace

double NormalDensity(double z) {
    return InvSqrt2Pi * std::exp(-0.5 * z * z);
}

// The unpolished AS 241: the draws by inversion stay as they always were.
double NormalQuantile(double p) {
    return NormalQuantileAs241(p);
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
