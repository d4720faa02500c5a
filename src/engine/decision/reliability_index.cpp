#include "decision/reliability_index.h"

#include <cmath>
#include <limits>

#include "statlib/inverse_normal.h"

namespace tessavin {

std::optional<double> ReliabilityIndex(double pF) {
    if (std::isnan(pF) || pF < 0.0 || pF > 1.0) return std::nullopt;
    return -InverseNormal(pF);
}

std::vector<double> ReliabilityIndices(const std::vector<double>& pF) {
    std::vector<double> beta;
    beta.reserve(pF.size());
    for (const double p : pF)
        beta.push_back(ReliabilityIndex(p).value_or(std::numeric_limits<double>::quiet_NaN()));
    return beta;
}

std::optional<std::size_t> FirstBelowTarget(const std::vector<double>& beta, double target) {
    for (std::size_t i = 0; i < beta.size(); ++i)
        if (beta[i] < target) return i;
    return std::nullopt;
}

double ConvertReferencePeriod(double beta, double fromYears, double toYears) {
    if (!std::isfinite(beta) || !(fromYears > 0.0) || !(toYears > 0.0)) return beta;
    // ln Φ(β) without cancellation: through the small tail on either side.
    const double logSurvival = beta >= 0.0 ? std::log1p(-StandardNormalUpperTail(beta))
                                           : std::log(StandardNormalCdf(beta));
    const double scaled = logSurvival * (toYears / fromYears);
    const double pF = -std::expm1(scaled);
    return pF <= 0.5 ? -InverseNormal(pF) : InverseNormal(std::exp(scaled));
}

} // namespace tessavin
