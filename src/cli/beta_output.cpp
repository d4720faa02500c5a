#include "beta_output.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "common/number_parse.h"
#include "decision/reliability_index.h"
#include "decision/target_presets.h"

namespace tessavin::cli {

std::variant<TargetBeta, std::string> ReadTargetBeta(const std::string& text,
                                                     const std::string& name) {
    if (const TargetPreset* preset = FindTargetPreset(text))
        return TargetBeta{preset->beta, preset->id};
    const auto value = ParseReal(text);
    if (value && std::isfinite(*value)) return TargetBeta{*value, ""};
    return name + " must be a finite number or a preset (" + TargetPresets().front().id + " … " +
           TargetPresets().back().id + "; see tessavin-cli run --help): '" + text + "'";
}

nlohmann::ordered_json BetaJson(double beta) {
    return std::isfinite(beta) ? nlohmann::ordered_json(beta) : nlohmann::ordered_json(nullptr);
}

nlohmann::ordered_json BetaListJson(const std::vector<double>& beta) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const double b : beta)
        list.push_back(BetaJson(b));
    return list;
}

std::string BetaTableText(double beta) {
    if (std::isinf(beta)) return beta > 0 ? "∞" : "-∞";
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", beta);
    return text;
}

std::string BetaCsvText(double beta) {
    if (std::isinf(beta)) return beta > 0 ? "inf" : "-inf";
    return ShortestText(beta);
}

std::string ShortestText(double x) {
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, x).ptr);
}

std::optional<int> YearBelowTarget(const TargetBeta& target, const std::vector<int>& years,
                                   const std::vector<double>& beta) {
    const auto at = FirstBelowTarget(beta, target.beta);
    if (!at || *at >= years.size()) return std::nullopt;
    return years[*at];
}

void AddTargetJson(nlohmann::ordered_json& j, const TargetBeta& target,
                   const std::vector<int>& years, const std::vector<double>& beta) {
    j["target_beta"] = target.beta;
    if (!target.preset.empty()) j["target_preset"] = target.preset;
    const auto year = YearBelowTarget(target, years, beta);
    j["year_below_target"] = year ? nlohmann::ordered_json(*year) : nlohmann::ordered_json(nullptr);
}

} // namespace tessavin::cli
