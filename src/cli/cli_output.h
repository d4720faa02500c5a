#pragma once
// Output helpers shared by the commands of the batch program.
#include <string>

#include <nlohmann/json.hpp>

#include "histogram/histogram.h"

namespace tessavin::cli {

inline constexpr int kBadInput = 2;

// Message texts carry CR LF for the message boxes; a terminal wants plain line ends.
std::string ForTerminal(const std::string& text);

// A histogram with its range and class probabilities; doubles round-trip exactly.
nlohmann::ordered_json HistogramJson(const DiscreteHistogram& h);

} // namespace tessavin::cli
