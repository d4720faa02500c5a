#pragma once
// A probability plot of the raw sample against the chosen candidate: the points and the
// identity line on two value axes, copied or saved as a picture like the histogram's chart.
#include <QPointF>
#include <QString>
#include <QWidget>
#include <vector>

#include "goodness/probability_plot.h"

class QChart;
class QChartView;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace tessavin::ui {

class ProbabilityPlotView final : public QWidget {
    Q_OBJECT
  public:
    explicit ProbabilityPlotView(QWidget* parent);

    // The points of `kind` with the identity line over their range, the axes titled in the
    // active language.
    void showPoints(PlotKind kind, const std::vector<PlotPoint>& points);
    void clear();

    int pointCount() const;
    QPointF point(int index) const;
    // The identity line's two ends.
    QPointF lineStart() const;
    QPointF lineEnd() const;
    QString axisTitle(Qt::Orientation orientation) const;

    // As ChartPanel saves and copies its chart (the view's size, 800 × 600 when never shown).
    bool savePicture(const QString& path);
    void copyToClipboard();

  private:
    QSize pictureSize() const;

    QChart* chart_;
    QChartView* view_;
    QScatterSeries* points_;
    QLineSeries* identity_;
    QValueAxis* x_;
    QValueAxis* y_;
};

} // namespace tessavin::ui
