#include "chart_writer.h"

#include "cairo_calls.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "common/number_format.h"

namespace tessavin::report {
namespace {

constexpr double kLeftRoom = 44.0;
constexpr double kBottomRoom = 26.0;
constexpr double kTitleRoom = 14.0;
constexpr double kLegendRow = 11.0;

struct Range {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();
    void add(double v) {
        if (!std::isfinite(v)) return;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    bool empty() const { return lo > hi; }
};

// Maps values of the axes to points of the plot box.
struct Frame {
    double left, top, width, height;
    double x0, x1, y0, y1;
    bool log;
    double px(double x) const { return left + (x - x0) / (x1 - x0) * width; }
    double py(double y) const {
        const double v = log ? std::log10(y) : y;
        return top + height - (v - y0) / (y1 - y0) * height;
    }
    // A value the axis can show: log axes leave out zeros and negatives.
    bool drawable(double y) const { return std::isfinite(y) && (!log || y > 0.0); }
};

std::vector<const ChartSeries*> Legend(const ChartSpec& chart) {
    std::vector<const ChartSeries*> entries;
    for (const ChartSeries& s : chart.series)
        if (!s.name.empty()) entries.push_back(&s);
    return entries;
}

void SetColour(cairo_t* cr, Colour c) {
    Cairo().set_source_rgb(cr, c.r, c.g, c.b);
}

void DrawSeries(cairo_t* cr, const Frame& f, const ChartSeries& s) {
    SetColour(cr, s.colour);
    if (s.bars) {
        for (std::size_t i = 0; i < s.x.size() && i < s.y.size(); ++i) {
            if (!f.drawable(s.y[i])) continue;
            const double l = f.px(s.x[i] - s.barWidth / 2), r = f.px(s.x[i] + s.barWidth / 2);
            const double base = f.log ? f.top + f.height : f.py(0.0);
            const double top = f.py(s.y[i]);
            Cairo().rectangle(cr, l, std::min(top, base), std::max(r - l, 0.3),
                              std::abs(base - top));
        }
        Cairo().fill(cr);
        return;
    }
    Cairo().set_line_width(cr, 1.1);
    if (s.dashed) {
        const double dash[] = {3.0, 2.0};
        Cairo().set_dash(cr, dash, 2, 0.0);
    }
    bool open = false;
    for (std::size_t i = 0; i < s.x.size() && i < s.y.size(); ++i) {
        if (!f.drawable(s.y[i])) {
            open = false; // a gap: a zero on the log axis is left out
            continue;
        }
        if (open)
            Cairo().line_to(cr, f.px(s.x[i]), f.py(s.y[i]));
        else
            Cairo().move_to(cr, f.px(s.x[i]), f.py(s.y[i]));
        open = true;
    }
    Cairo().stroke(cr);
    Cairo().set_dash(cr, nullptr, 0, 0.0);
}

} // namespace

std::vector<double> NiceTicks(double lo, double hi, int maxTicks) {
    if (!(hi > lo) || maxTicks < 1) return {lo};
    const double raw = (hi - lo) / maxTicks;
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    double step = decade * 10;
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (decade * m >= raw * (1 - 1e-12)) {
            step = decade * m;
            break;
        }
    std::vector<double> ticks;
    const long long first = static_cast<long long>(std::ceil(lo / step - 1e-9));
    for (long long i = first; i * step <= hi * (1 + 1e-12) + step * 1e-9; ++i)
        ticks.push_back(std::abs(i) == 0 ? 0.0 : static_cast<double>(i) * step);
    return ticks;
}

std::string TickText(double value, bool logAxis) {
    if (logAxis) {
        const long decade = std::lround(value);
        return decade == 0 ? "1" : "1E" + std::to_string(decade);
    }
    std::string text = GeneralText(value, 6);
    // "1E-05" reads "1E-5".
    const auto e = text.find("E");
    if (e != std::string::npos) {
        std::size_t d = e + 2;
        while (d + 1 < text.size() && text[d] == '0')
            text.erase(d, 1);
    }
    return text;
}

void DrawChart(PdfPages& pages, double x, double y, double width, double height,
               const ChartSpec& chart) {
    cairo_t* cr = pages.cr();
    Cairo().save(cr);
    const auto legend = Legend(chart);
    pages.setFont(7.0);
    // Legend entries flow in rows under the plot.
    std::vector<std::vector<const ChartSeries*>> legendRows;
    {
        double used = 0.0;
        for (const ChartSeries* s : legend) {
            const double w = 18.0 + pages.textWidth(s->name) + 10.0;
            if (legendRows.empty() || used + w > width) {
                legendRows.emplace_back();
                used = 0.0;
            }
            legendRows.back().push_back(s);
            used += w;
        }
    }
    const double legendHeight = legendRows.size() * kLegendRow;

    Frame f{};
    f.left = x + kLeftRoom;
    f.top = y + kTitleRoom;
    f.width = width - kLeftRoom - 6.0;
    f.height = height - kTitleRoom - kBottomRoom - legendHeight;
    f.log = chart.logY;
    Range xs, ys;
    for (const ChartSeries& s : chart.series) {
        for (double v : s.x) {
            xs.add(s.bars ? v - s.barWidth / 2 : v);
            xs.add(s.bars ? v + s.barWidth / 2 : v);
        }
        for (double v : s.y)
            if (!f.log) ys.add(v);
    }
    for (const ChartLevel& l : chart.levels)
        if (!f.log) ys.add(l.value);
    if (xs.empty()) xs = {0.0, 1.0};
    if (xs.hi <= xs.lo) xs.hi = xs.lo + 1.0;
    f.x0 = xs.lo;
    f.x1 = xs.hi;
    std::vector<double> yTicks;
    if (f.log) {
        f.y0 = LowestDecade;
        f.y1 = 0.0;
        for (int d = LowestDecade; d <= 0; ++d)
            yTicks.push_back(d);
    } else {
        if (ys.empty()) ys = {0.0, 1.0};
        ys.lo = std::min(ys.lo, 0.0);
        if (ys.hi <= ys.lo) ys.hi = ys.lo + 1.0;
        yTicks = NiceTicks(ys.lo, ys.hi, 5);
        f.y0 = std::min(ys.lo, yTicks.front());
        f.y1 = std::max(ys.hi, yTicks.back());
    }

    // Title, smaller when it would be wider than the chart.
    pages.setFont(8.5, true);
    if (const double w = pages.textWidth(chart.title); w > width)
        pages.setFont(std::max(5.0, 8.5 * width / w), true);
    pages.showText(x + std::max(0.0, (width - pages.textWidth(chart.title)) / 2), y + 9.0,
                   chart.title);

    // Grid and tick labels.
    pages.setFont(6.5);
    Cairo().set_line_width(cr, 0.4);
    for (double t : yTicks) {
        const double py =
            f.log ? f.top + f.height - (t - f.y0) / (f.y1 - f.y0) * f.height : f.py(t);
        SetColour(cr, GridColour);
        Cairo().move_to(cr, f.left, py);
        Cairo().line_to(cr, f.left + f.width, py);
        Cairo().stroke(cr);
        const std::string text = TickText(t, f.log);
        pages.showText(f.left - 3.0 - pages.textWidth(text), py + 2.3, text, AxisColour);
    }
    const int xTickCount = std::max(2, static_cast<int>(f.width / 45.0));
    for (double t : NiceTicks(f.x0, f.x1, xTickCount)) {
        if (t < f.x0 - 1e-9 || t > f.x1 + 1e-9) continue;
        const double px = f.px(t);
        SetColour(cr, GridColour);
        Cairo().move_to(cr, px, f.top);
        Cairo().line_to(cr, px, f.top + f.height);
        Cairo().stroke(cr);
        const std::string text = TickText(t, false);
        pages.showText(px - pages.textWidth(text) / 2, f.top + f.height + 9.0, text, AxisColour);
    }
    // Axis titles.
    pages.setFont(7.0);
    if (!chart.xTitle.empty())
        pages.showText(f.left + (f.width - pages.textWidth(chart.xTitle)) / 2,
                       f.top + f.height + 19.0, chart.xTitle, AxisColour);
    if (!chart.yTitle.empty()) {
        Cairo().save(cr);
        Cairo().translate(cr, x + 8.0, f.top + (f.height + pages.textWidth(chart.yTitle)) / 2);
        Cairo().rotate(cr, -std::numbers::pi / 2);
        pages.showText(0.0, 0.0, chart.yTitle, AxisColour);
        Cairo().restore(cr);
    }

    // The data, clipped to the plot box: nothing is drawn outside it.
    Cairo().save(cr);
    Cairo().rectangle(cr, f.left, f.top, f.width, f.height);
    Cairo().clip(cr);
    for (const ChartSeries& s : chart.series)
        DrawSeries(cr, f, s);
    for (const ChartLevel& l : chart.levels) {
        if (!f.drawable(l.value)) continue;
        SetColour(cr, l.colour);
        Cairo().set_line_width(cr, 0.9);
        const double dash[] = {5.0, 3.0};
        Cairo().set_dash(cr, dash, 2, 0.0);
        Cairo().move_to(cr, f.left, f.py(l.value));
        Cairo().line_to(cr, f.left + f.width, f.py(l.value));
        Cairo().stroke(cr);
        Cairo().set_dash(cr, nullptr, 0, 0.0);
        pages.setFont(6.5);
        pages.showText(f.left + f.width - 3.0 - pages.textWidth(l.name), f.py(l.value) - 2.0,
                       l.name, l.colour);
    }
    Cairo().restore(cr);
    SetColour(cr, AxisColour);
    Cairo().set_line_width(cr, 0.7);
    Cairo().rectangle(cr, f.left, f.top, f.width, f.height);
    Cairo().stroke(cr);

    // Legend.
    pages.setFont(7.0);
    double ly = f.top + f.height + kBottomRoom + 7.0;
    for (const auto& row : legendRows) {
        double lx = f.left;
        for (const ChartSeries* s : row) {
            SetColour(cr, s->colour);
            if (s->bars) {
                Cairo().rectangle(cr, lx, ly - 5.0, 12.0, 5.0);
                Cairo().fill(cr);
            } else {
                Cairo().set_line_width(cr, 1.2);
                Cairo().move_to(cr, lx, ly - 2.5);
                Cairo().line_to(cr, lx + 12.0, ly - 2.5);
                Cairo().stroke(cr);
            }
            pages.showText(lx + 15.0, ly, s->name, AxisColour);
            lx += 18.0 + pages.textWidth(s->name) + 10.0;
        }
        ly += kLegendRow;
    }
    Cairo().restore(cr);
    pages.setFont(10.0);
}

void WriteChart(PdfPages& pages, const ChartSpec& chart, double height) {
    pages.ensure(height);
    DrawChart(pages, pages.left(), pages.y(), pages.contentWidth(), height, chart);
    pages.advance(height + 6.0);
}

} // namespace tessavin::report
