#pragma once
// Charts as vector graphics: axes with round-number ticks, lines, bars, horizontal levels (Pd,
// a target) and a legend; a logarithmic probability axis with the decades 1E-6 … 1 on which
// zeros are left out.
#include <string>
#include <utility>
#include <vector>

#include "pdf_pages.h"

namespace tessavin::report {

inline constexpr int LowestDecade = -6; // the log axis spans 1E-6 … 1

// The axes, their texts and the grid of every chart.
inline constexpr Colour AxisColour{0.25, 0.25, 0.25};
inline constexpr Colour GridColour{0.88, 0.88, 0.88};

struct ChartSeries {
    ChartSeries() = default;
    ChartSeries(std::string seriesName, Colour seriesColour)
        : name(std::move(seriesName)), colour(seriesColour) {}

    std::string name; // empty: not in the legend
    Colour colour;
    std::vector<double> x, y;
    bool bars = false;     // bars of width barWidth centred on x, from 0
    double barWidth = 1.0; // in units of x
    bool dashed = false;
};

struct ChartLevel {
    std::string name;
    double value = 0.0;
    Colour colour;
};

struct ChartSpec {
    std::string title, xTitle, yTitle;
    std::vector<ChartSeries> series;
    std::vector<ChartLevel> levels;
    bool logY = false;
};

// At most maxTicks + 1 multiples of 1, 2 or 5 × 10^k covering [lo, hi].
std::vector<double> NiceTicks(double lo, double hi, int maxTicks);

// The text of a tick: the shortest round text of the value, "1E-3" style on the log axis.
std::string TickText(double value, bool logAxis);

// Draws the chart into the box (x, y, width, height) of the current page.
void DrawChart(PdfPages& pages, double x, double y, double width, double height,
               const ChartSpec& chart);

// A chart over the content width at the cursor (on a new page when it does not fit).
void WriteChart(PdfPages& pages, const ChartSpec& chart, double height);

} // namespace tessavin::report
