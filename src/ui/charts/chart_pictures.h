#pragma once
// Pictures of a chart: painted at any size (the chart is laid out for it and back), as an
// image or into a file.
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

class QChart;
class QPainter;

namespace tessavin::ui {

class ChartAdaptor;

// Any chart: `relabel` (may be empty) brings the labels that depend on the size up to it.
using Relabel = std::function<void()>;
QSize ChartPictureSize(const QChart* chart, QSize wanted);
void PaintChart(QChart* chart, QPainter& painter, QSize size, const Relabel& relabel);
QImage RenderChart(QChart* chart, QSize size, const Relabel& relabel);
bool SaveChartPicture(QChart* chart, const QString& path, QSize size, const Relabel& relabel);

// `wanted` when valid, else the chart's size, else 800 × 600 for a chart never laid out.
QSize ChartPictureSize(const ChartAdaptor& chart, QSize wanted);

// Paints the chart at `size` onto `painter`, brought up to its model first.
void PaintChart(ChartAdaptor& chart, QPainter& painter, QSize size);

// The chart on white at ChartPictureSize(`size`).
QImage RenderChart(ChartAdaptor& chart, QSize size);

// PNG, BMP, JPEG (quality 80) or SVG by the extension (PNG for any other); false when the file
// could not be written, which then stays as it was.
bool SaveChartPicture(ChartAdaptor& chart, const QString& path, QSize size);

// What `paint` draws on white at `size`, saved as SaveChartPicture saves a chart.
bool SavePaintedPicture(const QString& path, QSize size,
                        const std::function<void(QPainter&)>& paint);

} // namespace tessavin::ui
