#pragma once
// The characteristics table of a histogram: tab-aligned text in the active language.
#include <span>
#include <string>
#include <string_view>

namespace tessavin {

struct HistogramCharacteristicsResult {
    std::string text;
    double skewness; // NaN when not computed (fewer than 3 classes) or undefined
};

// p holds classes 1..n; xFirst/xLast are the values of the first and last class; t is the
// frequency total the histogram stands for. Fewer than 3 classes give the text of message 215.
// suppressText computes the statistics but leaves the text empty (the integration settings
// window is open and must not be covered).
HistogramCharacteristicsResult HistogramCharacteristics(std::string_view title,
                                                        std::span<const double> p, int n,
                                                        double xFirst, double xLast, double t,
                                                        bool suppressText = false);

} // namespace tessavin
