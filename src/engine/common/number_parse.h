#pragma once
// Locale-independent number syntax of every field and file: optional sign, digits with an
// optional decimal point, optional exponent (E or e, optionally signed). Blanks around are allowed.
#include <optional>
#include <string_view>

namespace tessavin {

std::optional<double> ParseReal(std::string_view text);
// Whole numbers: optional sign and decimal digits, leading blanks allowed.
std::optional<long long> ParseWhole(std::string_view text);
// The value of the longest leading part that parses (0 when none does): reads without a check.
double ParseRealPrefix(std::string_view text);
long long ParseWholePrefix(std::string_view text);

} // namespace tessavin
