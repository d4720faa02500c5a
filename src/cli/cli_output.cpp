#include "cli_output.h"

#include <vector>

namespace tessavin::cli {

std::string ForTerminal(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

nlohmann::ordered_json HistogramJson(const DiscreteHistogram& h) {
    nlohmann::ordered_json j;
    j["Bins"] = h.Bins;
    j["XFirst"] = h.XFirst;
    j["XLast"] = h.XLast;
    j["Step"] = h.Step;
    j["Total"] = h.Total;
    j["Min"] = RangeMin(h);
    j["Max"] = RangeMax(h);
    const int bins = h.Bins < 0 ? 0 : (h.Bins > MaxBins ? MaxBins : h.Bins);
    j["P"] = std::vector<double>(h.P.begin() + 1, h.P.begin() + 1 + bins);
    return j;
}

} // namespace tessavin::cli
