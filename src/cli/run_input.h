#pragma once
// The JSON input of a batch calculation: the fields of the input page and the integration
// settings, each optional, checked as the desktop program checks them when a field is left.
#include <string>
#include <vector>

#include "calculation/model.h"

namespace tessavin::cli {

struct RunInputOutcome {
    bool ok = false;
    std::string error;                 // why the input was refused
    bool notJson = false;              // error: "not valid JSON at line L, column C"
    std::vector<std::string> warnings; // accepted with a remark (a zero C)
};

// Fills `in` from the JSON text; on a refusal `in` may be partly filled and must be dropped.
RunInputOutcome ReadRunInput(const std::string& jsonText, CalculationInputs& in);

} // namespace tessavin::cli
