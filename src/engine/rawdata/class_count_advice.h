#pragma once
// Sturges' rule for the number of classes of a sample's histogram, and the advice shown when
// fewer classes are chosen.
#include <optional>
#include <string>

namespace tessavin {

// 1 + 3.3 log10(n), the logarithm in single precision, rounded half to even.
int SturgesClassCount(int sampleCount);

// Message 116 with n, followed by the Sturges count and "   !", when `intervals` is below it.
std::optional<std::string> TooFewClassesAdvice(int sampleCount, int intervals);

} // namespace tessavin
