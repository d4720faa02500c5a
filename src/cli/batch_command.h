#pragma once
#include <string>
#include <vector>

namespace tessavin::cli {

// tessavin-cli batch STUDIES.jsonl --out RESULTS.jsonl [--jobs N] [--shard I/N]
//                    [--summary OWNERS.csv] [--lang en|cs]
int RunBatchCommand(const std::vector<std::string>& words);

} // namespace tessavin::cli
