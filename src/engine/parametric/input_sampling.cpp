#include "parametric/input_sampling.h"

#include <cmath>

#include "montecarlo/normal_distribution.h"

namespace tessavin {
namespace {

using montecarlo::NormalCdf;
using montecarlo::NormalQuantile;

// The Gumbel densities of the registry put their mode at u = mean − 0.577/a, a = π/(√6 σ).
constexpr double GumbelEuler = 0.577;
constexpr double Pi = 3.14159265358979323846;

void MeanAndSd(double mi, double sigma, double& loc, double& scale) {
    loc = mi;
    scale = sigma;
}
double NormalInputCdf(double x, double loc, double scale) {
    return NormalCdf((x - loc) / scale);
}
double NormalInputQuantile(double p, double loc, double scale) {
    return loc + scale * NormalQuantile(p);
}

// ln x is normal with variance ln w, w = 1 + (σ/μ)², and mean ln μ − ln(w)/2.
void LogNormalLocate(double mi, double sigma, double& loc, double& scale) {
    const double lnw = std::log1p((sigma / mi) * (sigma / mi));
    loc = std::log(mi) - 0.5 * lnw;
    scale = std::sqrt(lnw);
}
double LogNormalCdf(double x, double loc, double scale) {
    return x > 0 ? NormalCdf((std::log(x) - loc) / scale) : 0.0;
}
double LogNormalQuantile(double p, double loc, double scale) {
    return std::exp(loc + scale * NormalQuantile(p));
}

// Location u and scale 1/a of both Gumbel types.
void GumbelLocate(double mi, double sigma, double& loc, double& scale) {
    const double a = Pi / (std::sqrt(6.0) * sigma);
    loc = mi - GumbelEuler / a;
    scale = 1.0 / a;
}
double GumbelMaxCdf(double x, double loc, double scale) {
    return std::exp(-std::exp(-(x - loc) / scale));
}
double GumbelMaxQuantile(double p, double loc, double scale) {
    return loc - scale * std::log(-std::log(p));
}
double GumbelMinCdf(double x, double loc, double scale) {
    return -std::expm1(-std::exp((x - loc) / scale));
}
double GumbelMinQuantile(double p, double loc, double scale) {
    return loc + scale * std::log(-std::log1p(-p));
}

} // namespace

const InputSampling NormalInput{"Normal", true, MeanAndSd, NormalInputCdf, NormalInputQuantile};
const InputSampling LogNormalInput{"LogNormal_2P", false, LogNormalLocate, LogNormalCdf,
                                   LogNormalQuantile};
const InputSampling GumbelMaxInput{"Gumbel I", false, GumbelLocate, GumbelMaxCdf,
                                   GumbelMaxQuantile};
const InputSampling GumbelMinInput{"Gumbel II", false, GumbelLocate, GumbelMinCdf,
                                   GumbelMinQuantile};

} // namespace tessavin
