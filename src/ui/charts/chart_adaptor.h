#pragma once
// The Qt Charts side of a chart: the QChart with its category axis at the bottom and its value
// axis at the left, and for each series of the model the chart objects that draw it. The
// objects are rebuilt from the model's points at update(), for the series touched since.
//
// On the log scale the line and band series plot log10 of their values against a left axis of
// decades labelled "1E-6" … "1" (a category axis, so that the labels read as the program writes
// them); values the scale cannot show, zeros above all, are left out. Bars stay linear.
#include <QString>
#include <map>
#include <vector>

#include "ui/charts/axis_arithmetic.h"
#include "ui/charts/chart_series.h"

class QAbstractSeries;
class QAreaSeries;
class QBarSet;
class QCategoryAxis;
class QChart;
class QFont;
class QLineSeries;
class QStackedBarSeries;
class QValueAxis;

namespace tessavin::ui {

class ChartAdaptor {
  public:
    // A new chart in the program's looks, its fonts sized from `base`. The chart belongs to
    // the view that shows it.
    ChartAdaptor(const ChartSeriesModel& model, const QFont& base);
    ChartAdaptor(const ChartAdaptor&) = delete;
    ChartAdaptor& operator=(const ChartAdaptor&) = delete;
    ~ChartAdaptor();

    QChart* chart() const { return chart_; }
    // The left axis in use: the linear one, or on the log scale the decades in log10 units.
    QValueAxis* valueAxis() const;
    QCategoryAxis* labelAxis() const { return labelAxis_; }

    // The chart objects of series `index` for its type (a new series, or a new type after
    // remove()), and their looks from its colour, legend title and visibility.
    void create(int index);
    void remove(int index);
    void style(int index);
    // Series `index` is drawn again, and the value axis fitted, at the next update().
    void touch(int index);
    void touchRanges() { rangesDirty_ = true; }

    void setLabelSeparation(int pixels);
    int labelSeparation() const { return labelSeparation_; }
    void setCeiling(double ceiling) { framing_.ceiling = ceiling; }
    double ceiling() const { return framing_.ceiling; }
    void setTopRoom(int pixels) { framing_.topRoom = pixels; }
    int topRoom() const { return framing_.topRoom; }
    // The log scale for the probabilities: every series is drawn again at the next update().
    void setLogScale(bool log);
    bool logScale() const { return logScale_; }
    void setLeftTitle(const QString& title);
    QString leftTitle() const { return leftTitle_; }
    // The left title on one line, or one word a line when the plot is too short for it.
    void fitLeftTitle();

    // Brings the chart up to the model: the touched series, the value axis, the labels of the
    // bottom axis and the legend.
    void update();
    // The labels of the bottom axis for the current plot width and range.
    void updateLabels();

  private:
    // The chart's objects for one series (owned by the chart).
    struct Objects {
        QLineSeries* line = nullptr;  // Line: the line; Area, Band: the upper boundary
        QLineSeries* lower = nullptr; // Band: the lower boundary
        QAreaSeries* area = nullptr;
        // The square markers: one series without a line per point colour (a marker of its
        // own per point would make Qt rebuild every marker on each change).
        std::map<QRgb, QLineSeries*> markers;
        QStackedBarSeries* bars = nullptr; // Bar only; StackedBar uses the shared one
        QBarSet* legendSet = nullptr;      // the bar set that carries the legend entry
        bool dirty = true;
    };

    const ChartSeries& seriesAt(int index) const;
    Objects& objectsAt(int index);
    static std::vector<QAbstractSeries*> ownObjects(const Objects& o);
    void attach(QAbstractSeries* x);
    void detach(QAbstractSeries* x);
    void rebuild(int index);
    void rebuildXY(const ChartSeries& s, Objects& o);
    void rebuildBand(const ChartSeries& s, Objects& o);
    void appendBarSets(QStackedBarSeries* target, const ChartSeries& s, Objects& o);
    void rebuildStacked();
    void updateRanges();
    void updateLogRange();
    void updateLegend();

    const ChartSeriesModel& model_;
    QChart* chart_ = nullptr;
    QValueAxis* valueAxis_ = nullptr;
    QCategoryAxis* logAxis_ = nullptr; // the left axis on the log scale
    bool logScale_ = false;
    QCategoryAxis* labelAxis_ = nullptr;
    QStackedBarSeries* stacked_ = nullptr; // all StackedBar series
    std::vector<Objects> objects_;         // by the model's series index
    bool stackedDirty_ = false;
    bool rangesDirty_ = true;

    QString leftTitle_; // the value axis title as set
    AxisFraming framing_;
    int labelSeparation_ = 8;
    int shownStep_ = 0;                   // every shownStep-th label is on the axis
    int shownRevision_ = -1;              // the categories' revision the labels were built from
    double shownMin_ = 0, shownMax_ = -1; // the label axis range the labels were built for
};

} // namespace tessavin::ui
