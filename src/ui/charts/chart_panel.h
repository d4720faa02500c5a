#pragma once
// The chart of every window: named series whose points arrive one by one, a category axis at
// the bottom labelled by the point labels, a value axis at the left that follows the data, and
// a small toolbar (zoom, copy, save as picture). The mouse wheel zooms around the pointer.
//
// The points are kept in a series model (chart_series.h); the Qt Charts objects
// (chart_adaptor.h) are rebuilt from them on the next turn of the event loop (or at refresh()),
// so filling many series point by point stays linear.
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>

#include "ui/charts/chart_series.h"

class QChart;
class QChartView;
class QToolBar;

namespace tessavin::ui {

class ChartPanel : public QWidget {
    Q_OBJECT

  public:
    using SeriesType = ChartSeriesType;

    explicit ChartPanel(QWidget* parent = nullptr);
    ~ChartPanel() override;

    // --- series ---------------------------------------------------------------------
    // Defines a series; defining an existing name again changes its type, colour and legend
    // title and keeps its points. An empty legend title leaves the series out of the legend.
    void addSeries(const QString& name, SeriesType type, const QColor& colour,
                   const QString& legendTitle = {});
    bool hasSeries(const QString& name) const;
    QStringList seriesNames() const; // in order of definition
    SeriesType seriesType(const QString& name) const;
    QColor seriesColour(const QString& name) const;
    void setSeriesColour(const QString& name, const QColor& colour);
    QString legendTitle(const QString& name) const;
    void setLegendTitle(const QString& name, const QString& title);
    void setSeriesVisible(const QString& name, bool visible);

    // --- points ---------------------------------------------------------------------
    // y = value; x = the position of `label` on the bottom axis (labels in order of first
    // appearance over all series). An invalid colour means the series colour, also after the
    // series colour changes. A point for a series never defined is ignored with a warning.
    void addPoint(const QString& series, double value, const QString& label,
                  const QColor& colour = QColor());
    // A point without a value (a year with none): its label takes its place on the bottom
    // axis, but nothing is drawn there; the line runs from the point before to the point
    // after. pointValue gives 0.
    void addPointWithoutValue(const QString& series, const QString& label);
    // A point of a Band series: the band spans low .. high at `label`; pointValue gives high.
    void addBandPoint(const QString& series, double low, double high, const QString& label);
    int pointCount(const QString& series) const;
    double pointValue(const QString& series, int index) const;
    double pointLow(const QString& series, int index) const; // Band: the lower line; else value
    bool pointHasValue(const QString& series, int index) const;
    QString pointLabel(const QString& series, int index) const;
    QColor pointColour(const QString& series, int index) const;
    int pointPosition(const QString& series, int index) const; // x; -1 when out of range
    QStringList categories() const;                            // labels of the bottom axis
    // Points only; the definitions stay. Labels no remaining point uses leave the axis, the
    // other points keep the order of their labels (and so may move left).
    void clearSeries(const QString& name);
    void clearAll();

    // --- titles, axes, legend -------------------------------------------------------
    void setTitleLines(const QStringList& lines);
    QStringList titleLines() const;
    // axis "left" or "bottom"; any other name is ignored / gives "".
    Q_INVOKABLE void setAxisTitle(const QString& axis, const QString& title);
    Q_INVOKABLE QString axisTitle(const QString& axis) const;
    void setLegendVisible(bool visible);
    bool legendVisible() const;
    // Minimum free space in pixels between two shown labels of the bottom axis; labels that
    // would come closer are left out (every k-th label is shown, k = 1, 2, 5, 10, 20, 50 …).
    void setLabelSeparation(int pixels);
    int labelSeparation() const;
    // The value axis follows the data with a small margin; with a ceiling (> 0) it ends there
    // at the latest, framing what lies below (0: no ceiling).
    void setValueCeiling(double ceiling);
    // Pixels kept free above the highest point, for marks drawn over it (0: none).
    void setTopRoom(int pixels);

    // --- log scale ------------------------------------------------------------------
    // Offers the log scale of a probability chart: a check action "ChartLog" on the toolbar.
    // Line and band series then plot on decades 1E-6 … 1; zeros are left out.
    void offerLogScale();
    void setLogScale(bool log);
    bool logScale() const;

    // --- toolbar, pictures ----------------------------------------------------------
    void setToolbarVisible(bool visible);
    bool toolbarVisible() const;
    // The chart as it looks at `size` (the panel's current chart size when empty).
    QImage renderImage(QSize size = QSize());
    // PNG, BMP, JPEG (quality 80) or SVG by the extension (PNG for any other); false when the
    // file could not be written. No message is shown.
    bool savePicture(const QString& path, QSize size = QSize());

    // Applies pending point changes to the chart now instead of on the next event-loop turn.
    void refresh();

    // For special needs of a window (fonts, label formats); the series belong to the panel.
    QChart* chart() const;
    QChartView* chartView() const;
    QToolBar* toolbar() const;

  signals:
    void logScaleChanged(bool log);

  public slots:
    void zoomIn();
    void zoomOut();
    void resetZoom();
    void copyToClipboard();
    // Asks for a file (UserInteraction) and saves the picture; a failure is shown in a box.
    void savePictureAs();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void layoutTitle(); // the title lines, each wrapped to the width of the chart
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace tessavin::ui
