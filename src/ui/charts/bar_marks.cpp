#include "ui/charts/bar_marks.h"

#include <QAbstractSeries>
#include <QChart>
#include <QGraphicsSimpleTextItem>
#include <algorithm>
#include <cmath>

#include "ui/charts/chart_panel.h"

namespace tessavin::ui {
namespace {
constexpr int MarkGap = 4; // pixels between a bar and its mark
}

BarMarks::BarMarks(ChartPanel* chart) : QObject(chart), chart_(chart) {
    connect(chart_->chart(), &QChart::plotAreaChanged, this, &BarMarks::place);
}

BarMarks::~BarMarks() = default; // the items belong to the chart

void BarMarks::clear() {
    for (QGraphicsSimpleTextItem* item : items_)
        delete item;
    items_.clear();
    heights_.clear();
    chart_->setTopRoom(0);
}

void BarMarks::show(const QStringList& texts, const std::vector<double>& heights, int angle,
                    bool visible) {
    clear();
    if (!visible) return;
    QFont font = chart_->chart()->font();
    font.setPointSize(7);
    for (int i = 0; i < texts.size() && i < static_cast<int>(heights.size()); ++i) {
        auto* item = new QGraphicsSimpleTextItem(texts[i], chart_->chart());
        item->setFont(font);
        item->setRotation(-angle);
        item->setZValue(10);
        items_.push_back(item);
        heights_.push_back(heights[static_cast<std::size_t>(i)]);
    }
    // The value axis leaves room above the bars for the tallest mark (turned by `angle`), so
    // that no mark runs into the title.
    int room = 0;
    for (const QGraphicsSimpleTextItem* item : items_)
        room = std::max(room, static_cast<int>(
                                  std::ceil(item->mapRectToParent(item->boundingRect()).height())));
    chart_->setTopRoom(items_.empty() ? 0 : room + MarkGap);
    chart_->refresh();
    place();
}

QStringList BarMarks::texts() const {
    QStringList t;
    for (const QGraphicsSimpleTextItem* item : items_)
        t << item->text();
    return t;
}

void BarMarks::place() {
    const QList<QAbstractSeries*> series = chart_->chart()->series();
    if (series.isEmpty()) return;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        // The top of bar i, a little above it; the text turns about its own start.
        const QPointF top = chart_->chart()->mapToPosition(
            QPointF(static_cast<double>(i), heights_[i]), series.first());
        const QRectF box = items_[i]->boundingRect();
        items_[i]->setTransformOriginPoint(0, box.height() / 2);
        items_[i]->setPos(top.x(), top.y() - box.height() / 2 - MarkGap);
    }
}

} // namespace tessavin::ui
