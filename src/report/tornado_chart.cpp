#include "tornado_chart.h"

#include <algorithm>
#include <cmath>

#include "cairo_calls.h"
#include "chart_writer.h"

namespace tessavin::report {
namespace {

constexpr double kBarRow = 18.0;
constexpr double kBarHeight = 10.0;
constexpr double kLabelSize = 7.0;
constexpr double kTitleRoom = 16.0;
constexpr double kAxisRoom = 26.0;
constexpr double kLegendRoom = 14.0;
constexpr double kLabelShare = 0.34; // of the width, for the bars' labels
constexpr Colour kDown{0.20, 0.45, 0.80};
constexpr Colour kUp{0.85, 0.35, 0.15};
constexpr Colour kBase{0.10, 0.10, 0.10};

// The pF axis: linear, or logarithmic (in decades) when the values span orders of magnitude.
struct Axis {
    bool log = false;
    double lo = 0.0, hi = 1.0; // in decades on the log axis
    std::vector<double> ticks;

    double fraction(double p) const {
        const double v = log ? std::log10(std::max(p, std::pow(10.0, lo))) : p;
        return std::clamp((v - lo) / (hi - lo), 0.0, 1.0);
    }
};

Axis AxisOf(const TornadoPlot& plot) {
    double lo = plot.base, hi = plot.base;
    for (const TornadoBar& b : plot.bars)
        for (const auto& p : {b.down, b.up})
            if (p && std::isfinite(*p)) {
                lo = std::min(lo, *p);
                hi = std::max(hi, *p);
            }
    Axis axis;
    if (lo > 0.0 && hi / lo > TornadoLogSpan) {
        axis.log = true;
        axis.lo = std::floor(std::log10(lo));
        axis.hi = std::max(axis.lo + 1.0, std::ceil(std::log10(hi)));
        for (double d = axis.lo; d <= axis.hi + 1e-9; d += 1.0)
            axis.ticks.push_back(d);
        return axis;
    }
    // A little room beside the outermost bars; a single value gets a range of its own.
    const double pad = hi > lo ? (hi - lo) * 0.08 : std::max(std::abs(hi) * 0.1, 1e-12);
    lo = std::max(0.0, lo - pad);
    hi += pad;
    axis.ticks = NiceTicks(lo, hi, 5);
    axis.lo = std::min(lo, axis.ticks.front());
    axis.hi = std::max(hi, axis.ticks.back());
    return axis;
}

void Fill(cairo_t* cr, Colour c, double x, double y, double w, double h) {
    Cairo().set_source_rgb(cr, c.r, c.g, c.b);
    Cairo().rectangle(cr, x, y, w, h);
    Cairo().fill(cr);
}

void Line(cairo_t* cr, Colour c, double width, double x0, double y0, double x1, double y1) {
    Cairo().set_source_rgb(cr, c.r, c.g, c.b);
    Cairo().set_line_width(cr, width);
    Cairo().move_to(cr, x0, y0);
    Cairo().line_to(cr, x1, y1);
    Cairo().stroke(cr);
}

} // namespace

double TornadoHeight(std::size_t bars) {
    return kTitleRoom + kBarRow * static_cast<double>(std::max<std::size_t>(bars, 1)) + kAxisRoom +
           kLegendRoom;
}

void WriteTornado(PdfPages& pages, const TornadoPlot& plot) {
    const double plotHeight =
        kBarRow * static_cast<double>(std::max<std::size_t>(plot.bars.size(), 1));
    const double height = TornadoHeight(plot.bars.size());
    pages.ensure(height);
    cairo_t* cr = pages.cr();
    Cairo().save(cr);
    const double top = pages.y() + kTitleRoom;
    const double labelWidth = pages.contentWidth() * kLabelShare;
    const double left = pages.left() + labelWidth + 6.0;
    const double width = pages.right() - left - 4.0;
    const Axis axis = AxisOf(plot);
    const auto px = [&](double p) { return left + axis.fraction(p) * width; };

    pages.setFont(8.5, true);
    pages.showText(pages.left() + (pages.contentWidth() - pages.textWidth(plot.title)) / 2,
                   pages.y() + 9.0, plot.title);

    // Grid and ticks.
    pages.setFont(6.5);
    for (double t : axis.ticks) {
        const double x = left + (t - axis.lo) / (axis.hi - axis.lo) * width;
        Line(cr, GridColour, 0.4, x, top, x, top + plotHeight);
        const std::string text = TickText(t, axis.log);
        pages.showText(x - pages.textWidth(text) / 2, top + plotHeight + 9.0, text, AxisColour);
    }
    pages.setFont(7.0);
    pages.showText(left + (width - pages.textWidth(plot.xTitle)) / 2, top + plotHeight + 19.0,
                   plot.xTitle, AxisColour);

    // The bars, each split at the base line; a label shrinks to fit its room.
    const double base = px(plot.base);
    for (std::size_t i = 0; i < plot.bars.size(); ++i) {
        const TornadoBar& b = plot.bars[i];
        const double rowTop = top + kBarRow * static_cast<double>(i);
        const double barTop = rowTop + (kBarRow - kBarHeight) / 2;
        for (const auto& [p, colour] : {std::pair{b.down, kDown}, std::pair{b.up, kUp}})
            if (p && std::isfinite(*p)) {
                const double x = px(*p);
                Fill(cr, colour, std::min(x, base), barTop, std::max(std::abs(x - base), 0.6),
                     kBarHeight);
            }
        // At most two lines beside the bar, smaller when two lines do not hold it.
        double size = kLabelSize;
        pages.setFont(size);
        std::vector<std::string> lines = pages.wrap(b.label, labelWidth);
        while (lines.size() > 2 && size > 5.0) {
            pages.setFont(size -= 0.5);
            lines = pages.wrap(b.label, labelWidth);
        }
        lines.resize(std::min<std::size_t>(lines.size(), 2));
        const double lineHeight = pages.lineHeight();
        double baseline =
            rowTop + (kBarRow - lineHeight * static_cast<double>(lines.size())) / 2 + size * 0.95;
        for (const std::string& line : lines) {
            pages.showText(left - 6.0 - pages.textWidth(line), baseline, line, AxisColour);
            baseline += lineHeight;
        }
    }
    Line(cr, kBase, 1.0, base, top - 2.0, base, top + plotHeight + 2.0);
    Cairo().set_source_rgb(cr, AxisColour.r, AxisColour.g, AxisColour.b);
    Cairo().set_line_width(cr, 0.7);
    Cairo().rectangle(cr, left, top, width, plotHeight);
    Cairo().stroke(cr);

    // Legend under the axis.
    pages.setFont(7.0);
    double lx = left;
    const double ly = top + plotHeight + kAxisRoom + 8.0;
    struct Entry {
        const std::string& name;
        Colour colour;
        bool line;
    };
    for (const Entry& e : {Entry{plot.downName, kDown, false}, Entry{plot.upName, kUp, false},
                           Entry{plot.baseName, kBase, true}}) {
        if (e.line)
            Line(cr, e.colour, 1.0, lx + 6.0, ly - 7.0, lx + 6.0, ly + 1.0);
        else
            Fill(cr, e.colour, lx, ly - 6.0, 12.0, 6.0);
        pages.showText(lx + 15.0, ly, e.name, AxisColour);
        lx += 28.0 + pages.textWidth(e.name);
    }
    Cairo().restore(cr);
    pages.setFont(10.0);
    pages.advance(height + 6.0);
}

} // namespace tessavin::report
