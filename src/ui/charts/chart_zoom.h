#pragma once
// Zooming a chart: the view after a zoom step is worked out from the axes in view (an axis
// span at a time) and handed to Qt as the rectangle to show.
#include <QPointF>

namespace tessavin::ui {

class ChartAdaptor;
class ChartSeriesModel;

// Zooms by `factor` (< 1 in, > 1 out) around `at` (chart values): the new view is centred on
// it, or (`centred` false) `at` keeps its place in the view, as under the mouse.
void ZoomAround(ChartAdaptor& chart, QPointF at, double factor, bool centred);

// Zooms in by half around the middle of the drawn points in view, not the middle of the plot,
// which may be empty; around the middle of the plot when no point is in view.
void ZoomInOnData(ChartAdaptor& chart, const ChartSeriesModel& model);

} // namespace tessavin::ui
