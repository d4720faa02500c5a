#include "ui/charts/chart_series.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace tessavin::ui {

int ChartSeriesModel::indexOf(const QString& name) const {
    return seriesIndex_.value(name, -1);
}

ChartSeries* ChartSeriesModel::find(const QString& name) {
    const int i = indexOf(name);
    return i < 0 ? nullptr : &series_[static_cast<size_t>(i)];
}

const ChartSeries* ChartSeriesModel::find(const QString& name) const {
    const int i = indexOf(name);
    return i < 0 ? nullptr : &series_[static_cast<size_t>(i)];
}

const SeriesPoint* ChartSeriesModel::point(const QString& name, int index) const {
    const ChartSeries* s = find(name);
    if (!s || index < 0 || index >= static_cast<int>(s->points.size())) return nullptr;
    return &s->points[static_cast<size_t>(index)];
}

int ChartSeriesModel::define(const QString& name) {
    const int index = static_cast<int>(series_.size());
    seriesIndex_.insert(name, index);
    series_.emplace_back().name = name;
    return index;
}

void ChartSeriesModel::append(ChartSeries& s, SeriesPoint p) {
    auto it = categoryIndex_.constFind(p.label);
    if (it == categoryIndex_.cend()) {
        it = categoryIndex_.insert(p.label, static_cast<int>(categories_.size()));
        categories_.append(p.label);
        ++categoriesRevision_;
    }
    p.x = *it;
    s.points.push_back(std::move(p));
}

bool ChartSeriesModel::dropUnusedCategories() {
    std::vector<bool> used(static_cast<size_t>(categories_.size()), false);
    for (const ChartSeries& s : series_) {
        for (const SeriesPoint& p : s.points)
            used[static_cast<size_t>(p.x)] = true;
    }
    if (std::all_of(used.begin(), used.end(), [](bool u) { return u; })) return false;
    std::vector<int> moved(used.size(), -1);
    QStringList kept;
    for (size_t i = 0; i < used.size(); ++i) {
        if (!used[i]) continue;
        moved[i] = static_cast<int>(kept.size());
        kept.append(categories_[static_cast<qsizetype>(i)]);
    }
    categories_ = kept;
    categoryIndex_.clear();
    for (int i = 0; i < categories_.size(); ++i)
        categoryIndex_.insert(categories_[i], i);
    ++categoriesRevision_;
    for (ChartSeries& s : series_) {
        for (SeriesPoint& p : s.points)
            p.x = moved[static_cast<size_t>(p.x)];
    }
    return true;
}

ValueExtent ChartSeriesModel::valueExtent() const {
    ValueExtent extent;
    std::map<int, std::pair<double, double>> stackedSums; // class -> (negative, positive)
    for (const ChartSeries& s : series_) {
        if (!s.visible) continue;
        std::map<int, std::pair<double, double>> ownSums;
        auto& sums = s.type == ChartSeriesType::StackedBar ? stackedSums : ownSums;
        for (const SeriesPoint& p : s.points) {
            if (!p.hasValue || !std::isfinite(p.value)) continue;
            if (s.isBar()) {
                auto& [negative, positive] = sums[p.x];
                (p.value < 0 ? negative : positive) += p.value;
                extent.include(negative);
                extent.include(positive);
            } else {
                extent.include(std::isfinite(p.low) ? std::min(p.low, p.value) : p.value);
                extent.include(p.value);
            }
        }
    }
    return extent;
}

std::optional<QRectF> ChartSeriesModel::drawnExtent(Span across, Span up) const {
    ValueExtent x, y;
    for (const ChartSeries& s : series_) {
        if (!s.visible) continue;
        for (const SeriesPoint& p : s.points) {
            if (!p.hasValue || !std::isfinite(p.value) || p.x < across.low || p.x > across.high ||
                p.value < up.low || p.value > up.high)
                continue;
            x.include(p.x);
            y.include(p.value);
        }
    }
    if (x.empty) return std::nullopt;
    return QRectF(QPointF(x.low, y.low), QPointF(x.high, y.high));
}

} // namespace tessavin::ui
