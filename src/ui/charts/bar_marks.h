#pragma once
// Text marks over the bars of a histogram chart: one text a class, turned by an angle, kept at
// the top of its bar when the chart is resized and included in the chart's pictures.
#include <QObject>
#include <QStringList>
#include <vector>

class QGraphicsSimpleTextItem;

namespace tessavin::ui {

class ChartPanel;

class BarMarks final : public QObject {
    Q_OBJECT
  public:
    explicit BarMarks(ChartPanel* chart);
    ~BarMarks() override;

    // texts[i] over the bar of class i (0-based) whose height is heights[i]; angle in degrees,
    // counter-clockwise. Nothing is shown when `visible` is false.
    void show(const QStringList& texts, const std::vector<double>& heights, int angle,
              bool visible);
    QStringList texts() const; // the marks shown, empty when hidden

  private:
    void place();
    void clear();

    ChartPanel* chart_;
    std::vector<QGraphicsSimpleTextItem*> items_;
    std::vector<double> heights_;
};

} // namespace tessavin::ui
