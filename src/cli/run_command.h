#pragma once
#include <string>
#include <vector>

namespace tessavin::cli {

// tessavin-cli run INPUT.json|PROJECT.Vys [--json | --csv] [--threads N] [--text-report FILE.txt]
//                  [--save-project OUT.Vys] [--report FILE.pdf [--cross-check]] [--lang en|cs]
int RunCalculationCommand(const std::vector<std::string>& words);

} // namespace tessavin::cli
