#pragma once
#include <string>
#include <vector>

namespace tessavin::cli {

// tessavin-cli histogram: one parametric distribution as a histogram, printed or saved as .dis.
int RunHistogramCommand(const std::vector<std::string>& words);

} // namespace tessavin::cli
