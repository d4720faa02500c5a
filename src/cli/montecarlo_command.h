#pragma once
#include <string>
#include <vector>

namespace tessavin::cli {

// tessavin-cli montecarlo INPUT.json|PROJECT.Vys [--samples N] [--seed S] [--threads N]
//                         [--json | --csv] [--lang en|cs]
int RunMonteCarloCommand(const std::vector<std::string>& words);

} // namespace tessavin::cli
