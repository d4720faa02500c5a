#pragma once
// The reliability index β = −Φ⁻¹(pF) and a target β in the outputs of the calculation commands.
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

namespace tessavin::cli {

struct TargetBeta {
    double beta = 0.0;
    std::string preset; // the preset's id when given by one; empty for a number
};

// A target as typed: a finite number ("3.8") or a preset's id ("en1990-rc2-50y"). The refusal's
// text, naming `name`, otherwise.
std::variant<TargetBeta, std::string> ReadTargetBeta(const std::string& text,
                                                     const std::string& name);

// β as JSON: null where it is infinite (pF = 0 or 1).
nlohmann::ordered_json BetaJson(double beta);
nlohmann::ordered_json BetaListJson(const std::vector<double>& beta);

// β in the year table: four decimals, "∞" and "-∞"; in CSV: the shortest text that reads back
// as the same double, "inf" and "-inf".
std::string BetaTableText(double beta);
std::string BetaCsvText(double beta);
// The shortest text that reads back as x ("3.8", "2.4000000000000004").
std::string ShortestText(double x);

// Adds target_beta (and target_preset when a preset named it) and year_below_target: the first
// of `years` whose β is below the target, or null.
void AddTargetJson(nlohmann::ordered_json& j, const TargetBeta& target,
                   const std::vector<int>& years, const std::vector<double>& beta);

// The year below the target, if any.
std::optional<int> YearBelowTarget(const TargetBeta& target, const std::vector<int>& years,
                                   const std::vector<double>& beta);

} // namespace tessavin::cli
