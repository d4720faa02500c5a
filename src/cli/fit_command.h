#pragma once
#include <string>
#include <vector>

namespace tessavin::cli {

// tessavin-cli fit: a file of measured values, its statistics and histogram, and the parametric
// distributions that fit it, best first.
int RunFitCommand(const std::vector<std::string>& words);

} // namespace tessavin::cli
