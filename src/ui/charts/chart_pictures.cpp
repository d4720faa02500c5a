#include "ui/charts/chart_pictures.h"

#include <QChart>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "ui/charts/chart_adaptor.h"

namespace tessavin::ui {
namespace {

const QSize FallbackPictureSize(800, 600);

// Lays the chart out now (axes, plot area) instead of on the next event-loop turn.
void LayOut(QChart* chart) {
    QCoreApplication::sendPostedEvents(chart, QEvent::LayoutRequest);
    if (QGraphicsLayout* layout = chart->layout()) {
        layout->invalidate();
        layout->activate();
    }
}

} // namespace

QSize ChartPictureSize(const QChart* chart, QSize wanted) {
    if (wanted.isValid() && !wanted.isEmpty()) return wanted;
    const QSize current = chart->size().toSize();
    return current.width() >= 50 && current.height() >= 50 ? current : FallbackPictureSize;
}

void PaintChart(QChart* c, QPainter& painter, QSize size, const Relabel& relabel) {
    const QSizeF old = c->size();
    const bool resize = old.toSize() != size;
    if (resize) {
        c->resize(size);
        LayOut(c);
        if (relabel) relabel();
        LayOut(c);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    c->scene()->render(&painter, QRectF(QPointF(0, 0), size), QRectF(c->pos(), QSizeF(size)));
    if (resize) {
        c->resize(old);
        LayOut(c);
        if (relabel) relabel();
    }
}

QImage RenderChart(QChart* chart, QSize size, const Relabel& relabel) {
    size = ChartPictureSize(chart, size);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintChart(chart, painter, size, relabel);
    painter.end();
    return image;
}

bool SaveChartPicture(QChart* chart, const QString& path, QSize size, const Relabel& relabel) {
    size = ChartPictureSize(chart, size);
    return SavePaintedPicture(
        path, size, [&](QPainter& painter) { PaintChart(chart, painter, size, relabel); });
}

bool SavePaintedPicture(const QString& path, QSize size,
                        const std::function<void(QPainter&)>& paint) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (suffix == "svg") {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        QPainter painter;
        if (!painter.begin(&svg)) return false;
        paint(painter);
        if (!painter.end()) return false;
    } else {
        const QByteArray format = suffix == "jpg" || suffix == "jpeg" ? "JPG"
                                  : suffix == "bmp"                   ? "BMP"
                                                                      : "PNG";
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        paint(painter);
        painter.end();
        QImageWriter writer(&file, format);
        if (format == "JPG") writer.setQuality(80);
        if (!writer.write(image)) return false;
    }
    return file.commit();
}

QSize ChartPictureSize(const ChartAdaptor& chart, QSize wanted) {
    return ChartPictureSize(chart.chart(), wanted);
}

void PaintChart(ChartAdaptor& chart, QPainter& painter, QSize size) {
    chart.update();
    PaintChart(chart.chart(), painter, size, [&chart] { chart.updateLabels(); });
}

QImage RenderChart(ChartAdaptor& chart, QSize size) {
    chart.update();
    return RenderChart(chart.chart(), size, [&chart] { chart.updateLabels(); });
}

bool SaveChartPicture(ChartAdaptor& chart, const QString& path, QSize size) {
    chart.update();
    return SaveChartPicture(chart.chart(), path, size, [&chart] { chart.updateLabels(); });
}

} // namespace tessavin::ui
