#pragma once
// The statistics of goodness of fit as keys of an order: the value a key reads (none where the
// statistic is missing), which way is better, and a list ordered best first by it.
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "goodness/goodness_of_fit.h"

namespace tessavin {

enum class GoodnessKey { LogLikelihood, Aic, Bic, Ks, KsP, Ad, AdP, Cvm };
inline constexpr int GoodnessKeyCount = 8;

// The keys' names in the batch program's output ("loglik", "aic", "bic", "ks", "ks_p", "ad",
// "ad_p", "cvm"), in the order of the enumeration.
std::string_view GoodnessKeyName(GoodnessKey key);
std::optional<GoodnessKey> GoodnessKeyNamed(std::string_view name);

std::optional<double> GoodnessValue(GoodnessKey key, const GoodnessOfFit& g);
// The likelihood and the p-values are better large, the criteria and the statistics small.
bool LargerIsBetter(GoodnessKey key);

// Positions of `list` best first by `key`; missing values last, equal values in list order.
std::vector<std::size_t> GoodnessOrder(GoodnessKey key, std::span<const GoodnessOfFit> list);

} // namespace tessavin
