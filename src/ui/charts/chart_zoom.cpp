#include "ui/charts/chart_zoom.h"

#include <QCategoryAxis>
#include <QChart>
#include <QRectF>
#include <QValueAxis>

#include "ui/charts/axis_arithmetic.h"
#include "ui/charts/chart_adaptor.h"
#include "ui/charts/chart_series.h"

namespace tessavin::ui {
namespace {

Span AcrossInView(const ChartAdaptor& chart) {
    return {chart.labelAxis()->min(), chart.labelAxis()->max()};
}

Span UpInView(const ChartAdaptor& chart) {
    return {chart.valueAxis()->min(), chart.valueAxis()->max()};
}

} // namespace

void ZoomAround(ChartAdaptor& chart, QPointF at, double factor, bool centred) {
    const Span across = ZoomedSpan(AcrossInView(chart), at.x(), factor, centred);
    const Span up = ZoomedSpan(UpInView(chart), at.y(), factor, centred);
    const QPointF a = chart.chart()->mapToPosition(QPointF(across.low, up.high));
    const QPointF b = chart.chart()->mapToPosition(QPointF(across.high, up.low));
    chart.chart()->zoomIn(QRectF(a, b).normalized());
}

void ZoomInOnData(ChartAdaptor& chart, const ChartSeriesModel& model) {
    // The model's values are probabilities, the log axis's are their decades: centred there.
    if (chart.logScale()) return chart.chart()->zoomIn();
    const auto data = model.drawnExtent(AcrossInView(chart), UpInView(chart));
    if (!data) return chart.chart()->zoomIn();
    ZoomAround(chart, data->center(), 0.5, true);
}

} // namespace tessavin::ui
