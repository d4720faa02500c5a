#pragma once
#include <string>
#include <vector>

namespace tessavin::cli {

// tessavin-cli sensitivity STUDY.json|STUDY.Vys [--step X] [--threads N] [--json | --csv]
//                         [--lang en|cs]
int RunSensitivityCommand(const std::vector<std::string>& words);

} // namespace tessavin::cli
