#include "ui/charts/axis_arithmetic.h"

#include <algorithm>
#include <cmath>

namespace tessavin::ui {
namespace {
constexpr double Margin = 0.04; // share of the data span left free beyond the data
constexpr int TicksAtLeast = 6;
} // namespace

void ValueExtent::include(double value) {
    low = empty ? value : std::min(low, value);
    high = empty ? value : std::max(high, value);
    empty = false;
}

double NiceStep(double x) {
    const double decade = std::pow(10.0, std::floor(std::log10(x)));
    for (double f : {1.0, 2.0, 5.0}) {
        if (f * decade >= x * (1 - 1e-9)) return f * decade;
    }
    return 10 * decade;
}

int RoundStep(int k) {
    if (k <= 1) return 1;
    for (long long decade = 1;; decade *= 10) {
        for (int f : {1, 2, 5}) {
            if (f * decade >= k) return static_cast<int>(f * decade);
        }
    }
}

AxisRange LinearAxis(ValueExtent extent, const AxisFraming& framing) {
    double lo = extent.empty ? 0.0 : std::min(extent.low, 0.0);
    double hi = extent.empty ? 0.0 : std::max(extent.high, 0.0);
    // A ceiling frames what lies below it; data above it run out of the top.
    if (framing.ceiling > 0 && hi > framing.ceiling) hi = std::max(framing.ceiling, lo);
    // Stretch the top so that the highest value ends topRoom pixels below the plot's top.
    const double height = framing.plotHeight;
    if (framing.topRoom > 0 && hi > lo && height > 2.0 * framing.topRoom)
        hi = lo + (hi - lo) * height / (height - framing.topRoom);

    if (hi <= lo) hi = lo + 1.0;
    const double span = hi - lo;
    const double min = lo < 0 ? lo - Margin * span : lo;
    const double max = hi > 0 ? hi + Margin * span : hi;
    return {min, max, NiceStep(span / TicksAtLeast)};
}

std::optional<double> LogPosition(double value) {
    if (!(value > 0.0) || !std::isfinite(value)) return std::nullopt;
    const double position = std::log10(value);
    if (position < LowestDecade) return std::nullopt;
    return position;
}

AxisRange LogAxis(ValueExtent shown, int mostLabels) {
    int low = -6, high = 0;
    if (!shown.empty) {
        // A value a hair off a decade by rounding (log10 of 1e-3) stays in that decade.
        low = static_cast<int>(std::floor(shown.low + 1e-9));
        high = static_cast<int>(std::ceil(shown.high - 1e-9));
        if (high <= low) high = low + 1;
    }
    const int decades = high - low;
    int step = 1;
    for (int s : {1, 2, 5, 10, 20}) {
        step = s;
        if (decades <= s * std::max(mostLabels, 1)) break;
    }
    return {static_cast<double>(low), static_cast<double>(high), static_cast<double>(step)};
}

std::string DecadeLabel(int decade) {
    return decade == 0 ? "1" : "1E" + std::to_string(decade);
}

std::vector<int> LabelledDecades(const AxisRange& range) {
    std::vector<int> decades;
    const int step = std::max(static_cast<int>(range.step), 1);
    for (int d = static_cast<int>(range.max); d >= static_cast<int>(range.min); d -= step)
        decades.push_back(d);
    return decades;
}

int LabelStep(int labels, double widest, int separation, double span, double plotWidth) {
    if (labels <= 0 || span <= 0 || plotWidth <= 0) return 1;
    const double pixelsPerClass = plotWidth / span;
    return RoundStep(static_cast<int>(std::ceil((widest + separation) / pixelsPerClass - 1e-9)));
}

std::vector<int> ShownLabels(int labels, int step, double first, double last) {
    std::vector<int> shown;
    for (int i = 0; i < labels; i += std::max(step, 1))
        if (i >= first && i <= last) shown.push_back(i);
    return shown;
}

Span ZoomedSpan(Span span, double at, double factor, bool centred) {
    if (centred) {
        const double half = (span.high - span.low) * factor / 2;
        return {at - half, at + half};
    }
    return {at - (at - span.low) * factor, at + (span.high - at) * factor};
}

} // namespace tessavin::ui
