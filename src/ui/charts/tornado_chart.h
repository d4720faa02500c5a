#pragma once
// A tornado chart: a row per moved parameter, widest swing on top, with one bar from the base
// value to the value after the move down and one to the value after the move up, and a
// vertical line at the base value. The bars are drawn as offsets from the base (Qt Charts bars
// start at zero); the bottom axis is labelled in the values themselves.
#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

class QChart;
class QChartView;

namespace tessavin::ui {

struct TornadoRow {
    QString label;
    std::optional<double> down, up; // none: that run gave no value (no bar)
};

struct TornadoTexts {
    QString title;
    QString down, up, base; // legend entries
};

// Ticks of the bottom axis: round values over [low, high], at least `low`, at most `high`,
// about six of them; each label as short as its neighbours allow it to be.
struct AxisTick {
    double value;
    QString label;
};
std::vector<AxisTick> TornadoTicks(double low, double high);

class TornadoChart : public QWidget {
    Q_OBJECT
  public:
    explicit TornadoChart(QWidget* parent = nullptr);

    // Rows from the top down; an empty list clears the chart.
    void setRows(double base, const std::vector<TornadoRow>& rows, const TornadoTexts& texts);
    void clear();
    int rowCount() const { return static_cast<int>(rows_.size()); }
    // The value a bar reaches (base + its drawn offset); none where no bar is drawn.
    std::optional<double> barEnd(int row, bool up) const;

    QChart* chart() const { return chart_; }
    QChartView* view() const { return view_; }
    // The chart as it looks at `size` (the current size when empty).
    QImage renderImage(QSize size = QSize());
    // PNG, BMP, JPEG or SVG by the extension; false when the file could not be written.
    bool savePicture(const QString& path, QSize size = QSize());

  private:
    void rebuild();

    QChart* chart_;
    QChartView* view_;
    double base_ = 0.0;
    std::vector<TornadoRow> rows_;
    TornadoTexts texts_;
};

} // namespace tessavin::ui
