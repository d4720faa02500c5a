#include "ui/charts/tornado_chart.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFont>
#include <QHorizontalBarSeries>
#include <QLegend>
#include <QLineSeries>
#include <QPen>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "ui/charts/axis_arithmetic.h"
#include "ui/charts/chart_pictures.h"

namespace tessavin::ui {
namespace {

const QColor DownColour(31, 119, 180);
const QColor UpColour(230, 97, 1);
constexpr int TickCount = 6;

} // namespace

std::vector<AxisTick> TornadoTicks(double low, double high) {
    std::vector<AxisTick> ticks;
    if (!(high > low) || !std::isfinite(low) || !std::isfinite(high)) return ticks;
    const double step = NiceStep((high - low) / TickCount);
    // As many significant digits as the largest tick needs to show the step.
    const double largest = std::max(std::fabs(low), std::fabs(high));
    const int digits = std::clamp(
        static_cast<int>(std::floor(std::log10(largest)) - std::floor(std::log10(step))) + 1, 1,
        15);
    for (double k = std::ceil(low / step); k * step <= high; ++k) {
        // k · step, not a running sum: no drift, and 0 stays exactly 0.
        const double value = k * step;
        ticks.push_back({value, QString::number(value, 'g', digits)});
    }
    return ticks;
}

TornadoChart::TornadoChart(QWidget* parent) : QWidget(parent), chart_(new QChart) {
    chart_->setAnimationOptions(QChart::NoAnimation);
    chart_->legend()->setAlignment(Qt::AlignBottom);
    chart_->setMargins(QMargins(4, 4, 12, 4));
    view_ = new QChartView(chart_, this);
    view_->setRenderHint(QPainter::Antialiasing);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    connect(this, &QObject::objectNameChanged, this,
            [this](const QString& name) { view_->setObjectName(name + "View"); });
}

void TornadoChart::setRows(double base, const std::vector<TornadoRow>& rows,
                           const TornadoTexts& texts) {
    base_ = base;
    rows_ = rows;
    texts_ = texts;
    rebuild();
}

void TornadoChart::clear() {
    rows_.clear();
    texts_ = {};
    rebuild();
}

std::optional<double> TornadoChart::barEnd(int row, bool up) const {
    if (row < 0 || row >= rowCount()) return std::nullopt;
    for (QAbstractSeries* s : chart_->series()) {
        auto* bars = qobject_cast<QHorizontalBarSeries*>(s);
        if (!bars) continue;
        const TornadoRow& r = rows_[static_cast<std::size_t>(row)];
        if (!(up ? r.up : r.down)) return std::nullopt;
        // Qt puts the first category at the bottom: row 0 (the top) is the last.
        return base_ + bars->barSets()[up ? 1 : 0]->at(rowCount() - 1 - row);
    }
    return std::nullopt;
}

void TornadoChart::rebuild() {
    chart_->removeAllSeries();
    // removeAxis hands the axis back to us: it is deleted here, or every redraw leaks it.
    for (QAbstractAxis* axis : chart_->axes()) {
        chart_->removeAxis(axis);
        delete axis;
    }
    chart_->setTitle(texts_.title);
    chart_->legend()->setVisible(!rows_.empty());
    if (rows_.empty()) return;

    auto* down = new QBarSet(texts_.down);
    auto* up = new QBarSet(texts_.up);
    down->setColor(DownColour);
    up->setColor(UpColour);
    for (QBarSet* set : {down, up})
        set->setBorderColor(set->color().darker(130));
    QStringList labels;
    double low = base_, high = base_;
    for (auto r = rows_.rbegin(); r != rows_.rend(); ++r) {
        labels << r->label;
        down->append(r->down ? *r->down - base_ : 0.0);
        up->append(r->up ? *r->up - base_ : 0.0);
        for (const std::optional<double>& v : {r->down, r->up})
            if (v) {
                low = std::min(low, *v);
                high = std::max(high, *v);
            }
    }
    // A little room beyond the longest bars; a probability axis does not go below zero.
    const double span = high > low ? high - low : std::max(std::fabs(base_) * 0.1, 1e-300);
    const bool nonNegative = low >= 0.0;
    low -= 0.05 * span;
    high += 0.05 * span;
    if (nonNegative) low = std::max(low, 0.0);

    auto* bars = new QHorizontalBarSeries;
    bars->append(down);
    bars->append(up);
    bars->setBarWidth(0.8);
    chart_->addSeries(bars);

    auto* baseLine = new QLineSeries;
    baseLine->setName(texts_.base);
    QPen pen(Qt::black);
    pen.setWidth(2);
    pen.setStyle(Qt::DashLine);
    baseLine->setPen(pen);
    baseLine->append(0.0, -0.5);
    baseLine->append(0.0, rowCount() - 0.5);
    chart_->addSeries(baseLine);

    auto* rowAxis = new QBarCategoryAxis;
    rowAxis->append(labels);
    rowAxis->setGridLineVisible(false);
    QFont small = rowAxis->labelsFont();
    small.setPointSize(8);
    rowAxis->setLabelsFont(small);
    chart_->addAxis(rowAxis, Qt::AlignLeft);

    // Offsets from the base on the axis, the values themselves in its labels.
    auto* valueAxis = new QCategoryAxis;
    valueAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    // The start just below the range, so that a tick at its low end (0) is labelled too.
    valueAxis->setStartValue(low - base_ - 1e-9 * (high - low));
    for (const AxisTick& t : TornadoTicks(low, high))
        valueAxis->append(t.label, t.value - base_);
    valueAxis->setRange(low - base_, high - base_);
    chart_->addAxis(valueAxis, Qt::AlignBottom);

    for (QAbstractSeries* s : std::initializer_list<QAbstractSeries*>{bars, baseLine}) {
        s->attachAxis(valueAxis);
        s->attachAxis(rowAxis);
    }
}

QImage TornadoChart::renderImage(QSize size) {
    return RenderChart(chart_, size, {});
}

bool TornadoChart::savePicture(const QString& path, QSize size) {
    return SaveChartPicture(chart_, path, size, {});
}

} // namespace tessavin::ui
