#pragma once
// The distribution file (.dis) of a histogram: its range and whole-number class frequencies.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/failure.h"
#include "histogram/histogram.h"

namespace tessavin {

// Whole class frequencies 1..Bins (index 0 is class 1): P[i] * s rounded half to even, where
// s = Total divided by 10 as often as needed for the frequencies to sum within 2^63 - 1.
std::vector<std::int64_t> WholeFrequencies(const DiscreteHistogram& h);

// The whole file text, CR LF line ends. fileName is the file's own name with extension.
std::string DisFileText(const DiscreteHistogram& h, std::string_view fileName);

// Saves the file; a failure leaves any previous file intact and gives message 27.
std::optional<Failure> WriteDisFile(const DiscreteHistogram& h, const std::filesystem::path& path);

} // namespace tessavin
