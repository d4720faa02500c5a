#pragma once
// Past inspection years as a field or a project holds them: a text such as "50, 58".
#include <string>
#include <variant>
#include <vector>

namespace tessavin::exactplan {

// Whole numbers separated by commas, semicolons or blanks, strictly increasing, within
// first .. last; an empty text is no inspection. A refusal names `field` and the value.
std::variant<std::vector<int>, std::string> ReadInspectedYears(const std::string& text, int first,
                                                               int last, const std::string& field);

// The text the reader takes back: "50, 58"; empty for none.
std::string InspectedYearsText(const std::vector<int>& years);

} // namespace tessavin::exactplan
