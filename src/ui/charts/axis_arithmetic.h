#pragma once
// The arithmetic of the chart axes, free of any drawing: the range and tick step of the value
// axis, the decades of the log axis, the label step of the category axis and the spans of a
// zoom.
//
// The value axis is made in two steps: the data give a ValueExtent (what must be seen), a scale
// turns it into an AxisRange (where the axis starts and ends, where the ticks are). LinearAxis
// and LogAxis (decades of a probability) are the two scales; the log scale's extent is taken
// over the values it can show (LogPosition).
#include <optional>
#include <string>
#include <vector>

namespace tessavin::ui {

// The lowest and the highest value the axis has to show; empty until a value is included.
struct ValueExtent {
    double low = 0.0;
    double high = 0.0;
    bool empty = true;

    void include(double value);
};

// A value axis from min to max with ticks at the whole multiples of step.
struct AxisRange {
    double min = 0.0;
    double max = 0.0;
    double step = 0.0;
    bool operator==(const AxisRange&) const = default;
};

// What a value axis keeps free beyond the data.
struct AxisFraming {
    double ceiling = 0.0;  // > 0: the axis ends there at the latest, framing what lies below
    int topRoom = 0;       // pixels kept free above the highest value (0: none)
    double plotHeight = 0; // pixels of the plot's height, which topRoom is a share of
};

// 1, 2 or 5 times a power of ten, the smallest such at least `x` (> 0).
double NiceStep(double x);

// The smallest of 1, 2, 5, 10, 20, 50, … that is at least `k`.
int RoundStep(int k);

// The linear axis over the extent and zero (bars and probabilities start there): a side where
// the data end at zero stays at zero, the other gets a small margin; six or more ticks.
AxisRange LinearAxis(ValueExtent extent, const AxisFraming& framing);

// The decades of a logarithmic probability axis. Its values are log10 of the probabilities: the
// axis runs from one whole decade to another, with a label at every step-th decade.
inline constexpr int LowestDecade = -20; // 1E-20: far below any target a code sets

// Where `value` lies on a log axis (log10 of it), or none where it is left out of the plot:
// zero, a negative value, NaN, infinity and anything below 10^LowestDecade. Left out, not
// drawn at the bottom: a zero there would read as a small probability.
std::optional<double> LogPosition(double value);

// The decades around the extent of the shown values (LogPosition units): from the decade at or
// below the lowest to the decade at or above the highest, at least one decade; 1E-6 … 1 when
// there is nothing to show. `step` is every how many decades a label goes (1, 2, 5, 10), so
// that at most `mostLabels` + 1 labels are drawn.
AxisRange LogAxis(ValueExtent shown, int mostLabels = 10);

// The label of 10^decade: "1", "1E-6", "1E3".
std::string DecadeLabel(int decade);

// The decades an axis labels: every step-th from the top (so that 1 keeps its label) down to
// the bottom.
std::vector<int> LabelledDecades(const AxisRange& range);

// Every how many-th label of the category axis is shown, so that labels `widest` pixels wide
// keep `separation` pixels apart: a RoundStep; 1 when nothing is to be labelled.
int LabelStep(int labels, double widest, int separation, double span, double plotWidth);

// The positions of the labels shown at the given step: every step-th from the first, those
// within [first, last] (the axis range in view).
std::vector<int> ShownLabels(int labels, int step, double first, double last);

// An axis span after zooming by `factor` (< 1 in, > 1 out) around `at`: centred on it, or
// (`centred` false) with `at` keeping its place in the span, as under the mouse.
struct Span {
    double low = 0.0;
    double high = 0.0;
};
Span ZoomedSpan(Span span, double at, double factor, bool centred);

} // namespace tessavin::ui
