#pragma once
// The arithmetic of the chart axes, free of any drawing: the range and tick step of the value
// axis, the label step of the category axis and the spans of a zoom.
//
// The value axis is made in two steps: the data give a ValueExtent (what must be seen), a scale
// turns it into an AxisRange (where the axis starts and ends, where the ticks are). LinearAxis
// is the one scale so far; another one (decades of a probability, say) is one more function
// from a ValueExtent to an AxisRange, with the extent taken over the values that scale can show.
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
