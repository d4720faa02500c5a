#pragma once
#include <string>
#include <vector>

namespace tessavin::cli {

// tessavin-cli run INPUT.json [--json | --csv] [--threads N] [--text-report FILE.txt]
int RunCalculationCommand(const std::vector<std::string>& words);

} // namespace tessavin::cli
