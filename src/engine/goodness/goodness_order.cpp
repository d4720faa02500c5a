#include "goodness/goodness_order.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace tessavin {
namespace {

constexpr std::array<std::string_view, GoodnessKeyCount> kNames = {"loglik", "aic", "bic",  "ks",
                                                                   "ks_p",   "ad",  "ad_p", "cvm"};

} // namespace

std::string_view GoodnessKeyName(GoodnessKey key) {
    return kNames[static_cast<std::size_t>(key)];
}

std::optional<GoodnessKey> GoodnessKeyNamed(std::string_view name) {
    for (std::size_t i = 0; i < kNames.size(); ++i)
        if (kNames[i] == name) return static_cast<GoodnessKey>(i);
    return std::nullopt;
}

std::optional<double> GoodnessValue(GoodnessKey key, const GoodnessOfFit& g) {
    const bool edf = g.reason.empty();
    const bool lik = edf && g.likelihoodReason.empty();
    switch (key) {
    case GoodnessKey::LogLikelihood:
        return lik ? std::optional(g.logLikelihood) : std::nullopt;
    case GoodnessKey::Aic:
        return lik ? std::optional(g.aic) : std::nullopt;
    case GoodnessKey::Bic:
        return lik ? std::optional(g.bic) : std::nullopt;
    case GoodnessKey::Ks:
        return edf ? std::optional(g.edf.ks) : std::nullopt;
    case GoodnessKey::KsP:
        return g.ksP;
    case GoodnessKey::Ad:
        return edf && g.adReason.empty() ? std::optional(g.edf.ad) : std::nullopt;
    case GoodnessKey::AdP:
        return g.adP;
    case GoodnessKey::Cvm:
        return edf ? std::optional(g.edf.cvm) : std::nullopt;
    }
    return std::nullopt;
}

bool LargerIsBetter(GoodnessKey key) {
    return key == GoodnessKey::LogLikelihood || key == GoodnessKey::KsP || key == GoodnessKey::AdP;
}

std::vector<std::size_t> GoodnessOrder(GoodnessKey key, std::span<const GoodnessOfFit> list) {
    std::vector<std::size_t> order(list.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const bool larger = LargerIsBetter(key);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const std::optional<double> va = GoodnessValue(key, list[a]);
        const std::optional<double> vb = GoodnessValue(key, list[b]);
        if (!vb) return va.has_value();
        if (!va) return false;
        return larger ? *va > *vb : *va < *vb;
    });
    return order;
}

} // namespace tessavin
