#include "ui/rawdata/probability_plot_view.h"

#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "localisation/captions.h"
#include "ui/charts/chart_pictures.h"
#include "ui/common/interaction.h"

namespace tessavin::ui {
namespace {

const QColor PointColour(0x00, 0x00, 0x80); // navy, as the sample's bars
const QColor LineColour(0xC0, 0x00, 0x00);
const QSize FallbackPictureSize(800, 600);

QString Piece(const char* name) {
    return Q(TextPiece(WindowId::RawData, name));
}

} // namespace

ProbabilityPlotView::ProbabilityPlotView(QWidget* parent) : QWidget(parent) {
    chart_ = new QChart;
    chart_->legend()->hide();
    points_ = new QScatterSeries(chart_);
    points_->setMarkerSize(6);
    points_->setColor(PointColour);
    points_->setBorderColor(PointColour);
    identity_ = new QLineSeries(chart_);
    identity_->setColor(LineColour);
    chart_->addSeries(identity_);
    chart_->addSeries(points_);
    x_ = new QValueAxis(chart_);
    y_ = new QValueAxis(chart_);
    chart_->addAxis(x_, Qt::AlignBottom);
    chart_->addAxis(y_, Qt::AlignLeft);
    for (QAbstractSeries* s :
         {static_cast<QAbstractSeries*>(identity_), static_cast<QAbstractSeries*>(points_)}) {
        s->attachAxis(x_);
        s->attachAxis(y_);
    }
    view_ = new QChartView(chart_, this);
    view_->setRenderHint(QPainter::Antialiasing);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
}

void ProbabilityPlotView::showPoints(PlotKind kind, const std::vector<PlotPoint>& points) {
    const bool qq = kind == PlotKind::QuantileQuantile;
    x_->setTitleText(Piece(qq ? "QqFitted" : "PpFitted"));
    y_->setTitleText(Piece(qq ? "QqSample" : "PpSample"));
    QList<QPointF> list;
    list.reserve(static_cast<qsizetype>(points.size()));
    for (const PlotPoint& p : points)
        list.append(QPointF(p.x, p.y));
    // A P–P plot spans the probabilities, a Q–Q plot the values on both axes.
    double lo = 0.0, hi = 1.0;
    if (qq && !points.empty()) {
        lo = hi = points.front().y;
        for (const PlotPoint& p : points) {
            lo = std::min({lo, p.x, p.y});
            hi = std::max({hi, p.x, p.y});
        }
    }
    if (!(hi > lo)) hi = lo + 1;
    points_->replace(list);
    identity_->replace(QList<QPointF>{QPointF(lo, lo), QPointF(hi, hi)});
    const double margin = (hi - lo) / 40;
    x_->setRange(lo - margin, hi + margin);
    y_->setRange(lo - margin, hi + margin);
}

void ProbabilityPlotView::clear() {
    points_->clear();
    identity_->clear();
}

int ProbabilityPlotView::pointCount() const {
    return static_cast<int>(points_->count());
}

QPointF ProbabilityPlotView::point(int index) const {
    return points_->at(index);
}

QPointF ProbabilityPlotView::lineStart() const {
    return identity_->count() > 0 ? identity_->at(0) : QPointF();
}

QPointF ProbabilityPlotView::lineEnd() const {
    return identity_->count() > 1 ? identity_->at(1) : QPointF();
}

QString ProbabilityPlotView::axisTitle(Qt::Orientation orientation) const {
    return orientation == Qt::Horizontal ? x_->titleText() : y_->titleText();
}

QSize ProbabilityPlotView::pictureSize() const {
    const QSize s = view_->size();
    return s.width() >= 50 && s.height() >= 50 ? s : FallbackPictureSize;
}

bool ProbabilityPlotView::savePicture(const QString& path) {
    const QSize size = pictureSize();
    return SavePaintedPicture(path, size, [&](QPainter& painter) {
        painter.setRenderHint(QPainter::Antialiasing);
        view_->render(&painter, QRectF(QPointF(0, 0), size));
    });
}

void ProbabilityPlotView::copyToClipboard() {
    QImage image(pictureSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    view_->render(&painter, QRectF(QPointF(0, 0), image.size()));
    painter.end();
    QGuiApplication::clipboard()->setImage(image);
}

} // namespace tessavin::ui
