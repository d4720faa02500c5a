#pragma once
// The raw data window's chart box (GroupBox4) and its class table (StringGrid2): the histogram
// shown, either the sample's or a candidate's, with its class values, median, mode and moments,
// the marks over its bars, the axis mode and the chart's own toolbar. The window decides what is
// shown and with which titles; the box draws it and asks for a redraw when its own controls
// change how it looks.
#include <QGroupBox>
#include <QString>
#include <QStringList>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "goodness/fitted_distribution.h"
#include "histogram/histogram.h"
#include "localisation/language.h"
#include "rawdata/raw_sample.h"
#include "ui/charts/histogram_chart.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

namespace tessavin::ui {

class BarMarks;
class ChartPanel;
class ProbabilityPlotView;
class StringGrid;

class ShownHistogramBox final : public QGroupBox {
    Q_OBJECT
  public:
    // The class table is made beside the box, for the window to place.
    explicit ShownHistogramBox(QWidget* parent);

    // The title carries the fitted parameters, whose digits would otherwise widen the window
    // with every file: it does not set the box's least width (the whole title is the tool tip
    // of the title band).
    QSize minimumSizeHint() const override;
    StringGrid* classTable() const { return classes_; }
    ChartPanel& chart() const { return *chart_; }
    ProbabilityPlotView& plot() const { return *plot_; }

    // The candidate drawn as a continuous distribution with the sample's ascending values, for
    // the probability plots that CBGraf offers instead of the histogram; none (the sample's own
    // histogram): only the histogram, and CBGraf disabled.
    void setFit(std::optional<FittedDistribution> fit, std::span<const double> sorted);
    // A probability plot is on screen in place of the histogram's chart.
    bool plotShown() const;

    // A new sample: nothing shown, no title, no marks.
    void clear();
    // The inputs changed: the histogram and its controls hidden.
    void hideHistogram();
    // A ranking starts: the controls of the marks hidden and the marks off.
    void hideMarkControls();
    void untickMarks();
    // No candidate to show: its chart, median, mode and classes hidden.
    void hideCandidate();
    void clearChartTitle();

    void setShown(const WorkingHistogram& h) { shown_ = h; }
    const WorkingHistogram& shown() const { return shown_; }
    // Draws the histogram shown with the two title lines, mirrored towards `mirrorMean` when
    // given, its class values laid out by `kind`; `sample` gives the moments' mean and
    // deviation. False when there is no histogram to draw.
    bool draw(const QStringList& title, HistogramKind kind, std::optional<double> mirrorMean,
              const RawSample* sample);
    bool chartShown() const;
    // The histogram shown as an input stores it.
    DiscreteHistogram shownAsInput() const;
    QStringList marks() const; // the texts over the bars, empty when hidden
    // The characteristics text of the first `intervals` classes shown, headed by `title`.
    std::string characteristicsText(const std::string& title, int intervals) const;

    void setAxisMode(int index); // 0 index, 1 value; no redraw, no signal
    // The axis titles in the active language.
    void applyAxisTitles();
    void setColourHighlighting(bool on);
    // The chart's toolbar is shown when `wanted` while the class values are.
    void showChartTools(bool wanted);

  signals:
    void drawn(const tessavin::WorkingHistogram& histogram);
    // The marks or the axis mode changed: the window draws again.
    void redrawWanted();
    void axisModeChanged(int index);
    // The moments grid was clicked: the window explains it.
    void momentsClicked();

  protected:
    bool event(QEvent* e) override;

  private:
    HistogramAxis axis() const;
    double classValue(int row) const; // X1 (row 0) or XN (row 1) as the grid shows it
    void showMarks();
    void showMarkControls(bool shown);
    void applyPlotChoice(); // the histogram's chart or the plot CBGraf chooses

    ChartPanel* chart_;         // Chart1L
    BarMarks* marks_;           // the marks of Series1
    QComboBox* markStyle_;      // CBMarks
    QSpinBox* markAngle_;       // SpinEdAngle
    QCheckBox* marksShown_;     // CheckBox1
    QComboBox* axisMode_;       // CBValInd
    QLabel* rotationLabel_;     // Label2
    QLabel* angleLabel_;        // Label3
    StringGrid* values_;        // StringGrid1: Xmin, Xmax, median, mode
    StringGrid* moments_;       // StringGrid6: mean, standard deviation, skewness
    QWidget* chartTools_;       // Panel1
    StringGrid* classes_;       // StringGrid2
    QComboBox* plotChoice_;     // CBGraf: histogram, Q–Q plot, P–P plot
    ProbabilityPlotView* plot_; // ChartPlot

    std::optional<FittedDistribution> fit_;
    std::vector<double> sampleValues_;

    WorkingHistogram shown_;
    DiscreteHistogram drawn_; // the classes as the chart draws them
    HistogramKind kind_ = HistogramKind::Discrete;
    bool highlight_ = true;
};

} // namespace tessavin::ui
