#pragma once
// The series model of a chart: named series of points on a shared category axis, kept apart
// from their drawing (chart_adaptor.h). A point's x is the position of its label among the
// labels of all series, in order of first appearance.
#include <QColor>
#include <QHash>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <limits>
#include <optional>
#include <vector>

#include "ui/charts/axis_arithmetic.h"

namespace tessavin::ui {

enum class ChartSeriesType {
    Line,       // line with square point markers
    Bar,        // histogram: one bar per class, adjacent bars
    Area,       // filled down to zero, with point markers
    StackedBar, // all series of this type stack in one bar series
    Band,       // filled between a lower and an upper line, no markers
    ThinLine,   // one-pixel line without markers: a curve that a band must not hide
};

struct SeriesPoint {
    double value = 0.0; // 0 for a point without a value
    QString label;
    QColor colour; // invalid: the series colour, whatever it is at the time
    // False: the label keeps its place on the axis, but nothing is drawn there; a line runs
    // from the point before to the point after (a year without a value).
    bool hasValue = true;
    int x = 0;
    double low = std::numeric_limits<double>::quiet_NaN(); // Band: the lower line
};

struct ChartSeries {
    QString name;
    ChartSeriesType type = ChartSeriesType::Line;
    QColor colour;
    QString legend;
    bool visible = true;
    std::vector<SeriesPoint> points;

    QColor colourOf(const SeriesPoint& p) const { return p.colour.isValid() ? p.colour : colour; }
    bool isBar() const {
        return type == ChartSeriesType::Bar || type == ChartSeriesType::StackedBar;
    }
};

class ChartSeriesModel {
  public:
    // -1 when there is no such series.
    int indexOf(const QString& name) const;
    ChartSeries* find(const QString& name);
    const ChartSeries* find(const QString& name) const;
    const SeriesPoint* point(const QString& name, int index) const;
    // A new series of that name (not defined yet) at the end; its index.
    int define(const QString& name);
    std::vector<ChartSeries>& series() { return series_; }
    const std::vector<ChartSeries>& series() const { return series_; }

    // Appends the point at the position of its label; a new label goes to the right end.
    void append(ChartSeries& s, SeriesPoint p);
    const QStringList& categories() const { return categories_; }
    // Counts the changes of the categories, for a drawing that follows them.
    int categoriesRevision() const { return categoriesRevision_; }
    // Labels no point uses any more leave the axis; the others keep their order and the points
    // move with them. True when any label left.
    bool dropUnusedCategories();

    // The values of the visible series that the value axis has to show: the drawn points with
    // the lower lines of bands, bars stacked over their class (negative ones downwards).
    ValueExtent valueExtent() const;
    // The extent in (x, value) of the visible drawn points within the spans in view; none when
    // no point lies there.
    std::optional<QRectF> drawnExtent(Span across, Span up) const;

  private:
    std::vector<ChartSeries> series_;
    QHash<QString, int> seriesIndex_;
    QStringList categories_;
    QHash<QString, int> categoryIndex_;
    int categoriesRevision_ = 0;
};

} // namespace tessavin::ui
