#pragma once
// The integration window's parameter checks and the method line of the results page.
#include <optional>
#include <string>

#include "calculation/model.h"
#include "common/failure.h"

namespace tessavin {

// Leaving EdNintegrace (N), EdN (Romberg n) or EdTol0 (tol0). `method` is the chosen method,
// which makes an odd N a failure for Simpson's rule. No value: accepted.
std::optional<Failure> CheckIntegrationField(const std::string& control, const std::string& text,
                                             int method);

// The field of the parameter a method uses (EdNintegrace, EdN or EdTol0); null for Gauss or no
// method. Only that field is shown, so only that one is checked.
const char* MethodParameterControl(int method);

// Label24: the method and the parameter it uses.
std::string MethodLine(const IntegrationSettings& settings);

// The convention as the integration window lists it, e.g. "Class centres (centre)".
std::string ConventionText(Convention convention);
// The line naming the convention of a calculation, e.g. "Convention: class centres (centre)".
std::string ConventionLine(Convention convention);

} // namespace tessavin
