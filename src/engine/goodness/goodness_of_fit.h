#pragma once
// Goodness of fit of a ranked candidate on the raw sample itself (not on its histogram): the
// likelihood criteria and the statistics of the empirical distribution function.
#include <optional>
#include <span>
#include <string>

#include "goodness/fitted_distribution.h"
#include "rawdata/fit_ranking.h"

namespace tessavin {

struct EdfStatistics {
    double ks = 0.0;  // Kolmogorov–Smirnov D
    double ad = 0.0;  // Anderson–Darling A²
    double cvm = 0.0; // Cramér–von Mises W²
};

struct GoodnessOfFit {
    DistributionType type = 0;
    int parameterCount = 0; // k of AIC and BIC
    std::string reason;     // non-empty: no statistic could be computed, this says why
    double logLikelihood = 0.0, aic = 0.0, bic = 0.0;
    std::string likelihoodReason; // non-empty: log-likelihood, AIC and BIC are missing
    EdfStatistics edf;
    std::string adReason; // non-empty: A² is missing (a value where F is 0 or 1)
    // Bootstrap p-values of D and A²; reason instead when missing.
    std::optional<double> ksP, adP;
    std::string pReason;
    bool pStopped = false; // the draws were stopped before their end (pReason says so)
};

// The candidate's distribution as the ranking fitted it: the estimate from the context's sample
// statistics (Weibull at the context's shape). A reason instead when the estimate is refused.
std::optional<FittedDistribution> FittedCandidate(const FitContext& context,
                                                  const RawSample& sample, DistributionType type,
                                                  std::string& reason);

// D, A² and W² of ascending values against F (and 1 − F) at them.
EdfStatistics EdfStatisticsOf(const FittedDistribution::Tails& t, std::string& adReason);

// All statistics of one distribution on an ascending sample; p-values are left to the bootstrap.
// `scratch` (optional) holds the working arrays between calls.
GoodnessOfFit MeasureFit(const FittedDistribution& d, std::span<const double> sorted,
                         FittedDistribution::Tails* scratch = nullptr);

// The statistics of each of `types` as FittedCandidate fits it (the reason where it cannot be
// fitted), in the order given. The types are shared out to `threads` workers and each result
// has its own place, so nothing depends on the number of threads.
std::vector<GoodnessOfFit> MeasureTypes(const FitContext& context, const RawSample& sample,
                                        std::span<const DistributionType> types, int threads = 2);

// Every accepted candidate of a ranking, in the ranking's order (best first).
std::vector<GoodnessOfFit> MeasureRanking(const FitContext& context, const RawSample& sample,
                                          const FitRanking& ranking, int threads = 2);

} // namespace tessavin
