#pragma once
// The input of a calculation command: a JSON file of fields (INPUT.json) or a project of the
// desktop program (PROJECT.Vys), read into the inputs and state of a calculation.
#include <optional>
#include <string>
#include <vector>

#include "beta_output.h"
#include "calculation/model.h"
#include "localisation/language.h"

namespace tessavin::cli {

struct CalculationSource {
    std::string error;                       // empty when the file was read
    std::vector<std::string> warnings;       // accepted with a remark
    std::optional<Language> projectLanguage; // the language a project was saved in
    std::optional<TargetBeta> target;        // "target_beta" of a JSON input
};

// A .Vys project is applied as the desktop program applies it after opening (its stored
// histograms are used as they are); anything else is read as JSON input.
CalculationSource LoadCalculation(const std::string& path, CalculationInputs& in,
                                  CalculationState& state);

} // namespace tessavin::cli
