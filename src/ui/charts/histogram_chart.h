#pragma once
// A histogram on screen: the bar chart of its class probabilities and the table of its classes.
// Shared by the histogram window and the raw data window.
#include <QColor>
#include <QString>
#include <span>

#include "histogram/histogram.h"

namespace tessavin::ui {

class ChartPanel;
class StringGrid;

// How the bars are labelled: by class index counted from 0, or by class value.
enum class HistogramAxis { Index = 0, Value = 1 };

inline const QString HistogramSeries = QStringLiteral("Series1");
inline const QColor HistogramBarColour(0xA6, 0xCA, 0xF0);   // $F0CAA6
inline const QColor HistogramRowColour(0xE1, 0xE1, 0xFF);   // $FFE1E1, every class row
inline const QColor HistogramTotalColour(0xFF, 0xCB, 0xB3); // $B3CBFF, the total row
inline const QString HistogramIndexCaptionInput = QStringLiteral("Index x");
inline const QString HistogramIndexCaptionResult = QStringLiteral("Index  x");

// The label of bar i (1-based class) as the axis mode writes it.
QString HistogramBarLabel(const DiscreteHistogram& h, int i, HistogramAxis axis);

// Replaces the chart's contents by one bar per class (series "Series1" in the bar colour), the
// title lines (the second only when not empty, in blue) and the axis titles: message 260 at the
// left, message 261 or `indexCaption` at the bottom by the axis mode.
void DrawHistogramChart(ChartPanel& chart, const DiscreteHistogram& h, const QString& titleLine1,
                        const QString& titleLine2, const QString& indexCaption, HistogramAxis axis);

// The class table: header "  INT", "        x", "      P(x)"; one row per class and the total
// row (n + 2 rows), or with edges the lower edge, each class followed by its upper edge, and the
// total row (2n + 3 rows). p holds classes 1..n at p[1..n]. `highlight` paints it as
// HighlightHistogramTable does.
void FillHistogramTable(StringGrid& grid, std::span<const double> p, int n, double xFirst,
                        double step, bool withEdges, bool highlight = false);
void FillHistogramTable(StringGrid& grid, const DiscreteHistogram& h, bool withEdges,
                        bool highlight = false);

// With `on`, rows 2, 4, 6 … before the last row in the row colour and the last row (but its
// first cell) in the total colour; otherwise no fill below the header.
void HighlightHistogramTable(StringGrid& grid, bool on);

} // namespace tessavin::ui
