#pragma once
// The tornado chart of what drives the plan: one horizontal bar a moved parameter, from pF with
// the parameter moved down to pF with it moved up, about a vertical line at the base run's pF.
#include <optional>
#include <string>
#include <vector>

#include "pdf_pages.h"

namespace tessavin::report {

struct TornadoBar {
    std::string label;
    std::optional<double> down, up; // pF; none where the moved run gave none
};

struct TornadoPlot {
    std::string title, xTitle;
    std::string downName, upName, baseName; // the legend
    double base = 0.0;                      // the base run's pF
    std::vector<TornadoBar> bars;           // drawn top down in this order
};

// A logarithmic pF axis when the values span more than this ratio.
inline constexpr double TornadoLogSpan = 50.0;

// The height the chart of `bars` bars takes, title, axis and legend included.
double TornadoHeight(std::size_t bars);

// Draws the chart over the content width at the cursor (on a new page when it does not fit) and
// moves the cursor under it.
void WriteTornado(PdfPages& pages, const TornadoPlot& plot);

} // namespace tessavin::report
