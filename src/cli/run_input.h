#pragma once
// The JSON input of a batch calculation: the fields of the input page and the integration
// settings, each optional, checked as the desktop program checks them when a field is left.
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "beta_output.h"
#include "calculation/model.h"

namespace tessavin::cli {

struct RunInputOutcome {
    bool ok = false;
    std::string error;                 // why the input was refused
    std::string field;                 // JSON Pointer of the refused field ("/C", "/inputs/2/mi");
                                       // empty when the refusal concerns the whole input
    bool notJson = false;              // error: "not valid JSON at line L, column C"
    std::vector<std::string> warnings; // accepted with a remark (a zero C)
    std::optional<TargetBeta> target;  // "target_beta": a number or a preset's id
};

// Fills `in` from the JSON text; on a refusal `in` may be partly filled and must be dropped.
RunInputOutcome ReadRunInput(const std::string& jsonText, CalculationInputs& in);
// The same for an input already parsed.
RunInputOutcome ReadRunInput(const nlohmann::json& j, CalculationInputs& in);

// The JSON Pointer of the input field a control of the input page shows ("EdRokKon": "/end");
// empty for a control without a field of its own.
std::string FieldOfControl(const std::string& focus);

} // namespace tessavin::cli
