#include "ui/charts/chart_adaptor.h"

#include <QAreaSeries>
#include <QBarLegendMarker>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QHash>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QSet>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <optional>

namespace tessavin::ui {
namespace {

using Type = ChartSeriesType;

constexpr int MarkerSize = 6;            // pixels
constexpr qreal HistogramBarWidth = 1.0; // adjacent classes
constexpr qreal StackedBarWidth = 0.7;

// The square point marker of one colour, with a thin darker outline.
QImage SquareMarker(const QColor& colour) {
    QImage marker(MarkerSize, MarkerSize, QImage::Format_ARGB32_Premultiplied);
    marker.fill(colour.darker(150)); // an outline of its own shade keeps the colours apart
    QPainter painter(&marker);
    painter.fillRect(1, 1, MarkerSize - 2, MarkerSize - 2, colour);
    return marker;
}

QFont FontOfSize(QFont font, int points, bool bold = false) {
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

} // namespace

ChartAdaptor::ChartAdaptor(const ChartSeriesModel& model, const QFont& base) : model_(model) {
    auto* chart = chart_ = new QChart;
    chart->setTheme(QChart::ChartThemeLight);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundBrush(Qt::white);
    chart->setBackgroundRoundness(0);
    chart->setDropShadowEnabled(false);
    chart->setMargins(QMargins(4, 2, 6, 2));
    chart->setTitleFont(FontOfSize(base, 10, true));
    chart->setTitleBrush(Qt::black);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(FontOfSize(base, 8));

    valueAxis_ = new QValueAxis;
    valueAxis_->setTickType(QValueAxis::TicksDynamic);
    valueAxis_->setTickAnchor(0.0);
    labelAxis_ = new QCategoryAxis;
    labelAxis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    labelAxis_->setStartValue(-0.5);
    labelAxis_->setGridLineVisible(false);
    // Qt would cut labels to an even share of the axis; the label step keeps them apart.
    labelAxis_->setTruncateLabels(false);
    for (QAbstractAxis* axis :
         {static_cast<QAbstractAxis*>(valueAxis_), static_cast<QAbstractAxis*>(labelAxis_)}) {
        axis->setLabelsFont(FontOfSize(base, 8));
        axis->setTitleFont(FontOfSize(base, 8));
        axis->setLabelsBrush(Qt::black);
        axis->setTitleBrush(Qt::black);
        axis->setLinePen(QPen(Qt::black, 1));
    }
    valueAxis_->setGridLinePen(QPen(QColor(220, 220, 220), 1));
    // Made once and kept aside while the scale is linear; the chart owns only the axis in use.
    logAxis_ = new QCategoryAxis;
    logAxis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    logAxis_->setTruncateLabels(false);
    logAxis_->setLabelsFont(valueAxis_->labelsFont());
    logAxis_->setTitleFont(valueAxis_->titleFont());
    logAxis_->setLabelsBrush(Qt::black);
    logAxis_->setTitleBrush(Qt::black);
    logAxis_->setLinePen(QPen(Qt::black, 1));
    logAxis_->setGridLinePen(valueAxis_->gridLinePen());
    chart->addAxis(labelAxis_, Qt::AlignBottom);
    chart->addAxis(valueAxis_, Qt::AlignLeft);
    updateRanges();
}

ChartAdaptor::~ChartAdaptor() {
    // The chart (gone with its view by now) owned the axis in use; the other one is ours.
    delete (logScale_ ? static_cast<QAbstractAxis*>(valueAxis_) : logAxis_);
}

QValueAxis* ChartAdaptor::valueAxis() const {
    return logScale_ ? logAxis_ : valueAxis_;
}

const ChartSeries& ChartAdaptor::seriesAt(int index) const {
    return model_.series()[static_cast<size_t>(index)];
}

ChartAdaptor::Objects& ChartAdaptor::objectsAt(int index) {
    if (static_cast<size_t>(index) >= objects_.size())
        objects_.resize(static_cast<size_t>(index) + 1);
    return objects_[static_cast<size_t>(index)];
}

void ChartAdaptor::attach(QAbstractSeries* x) {
    chart_->addSeries(x);
    x->attachAxis(labelAxis_);
    x->attachAxis(valueAxis());
}

void ChartAdaptor::setLogScale(bool log) {
    if (log == logScale_) return;
    QValueAxis* before = valueAxis();
    logScale_ = log;
    QValueAxis* after = valueAxis();
    after->setTitleText(before->titleText());
    const QList<QAbstractSeries*> all = chart_->series();
    for (QAbstractSeries* x : all)
        x->detachAxis(before);
    chart_->removeAxis(before); // the chart lets it go without deleting it
    chart_->addAxis(after, Qt::AlignLeft);
    for (QAbstractSeries* x : all)
        x->attachAxis(after);
    chart_->zoomReset();
    for (Objects& o : objects_)
        o.dirty = true;
    stackedDirty_ = true;
    rangesDirty_ = true;
}

void ChartAdaptor::detach(QAbstractSeries* x) {
    if (!x) return;
    chart_->removeSeries(x);
    delete x;
}

void ChartAdaptor::create(int index) {
    Objects& o = objectsAt(index);
    switch (seriesAt(index).type) {
    case Type::Line:
    case Type::ThinLine:
        o.line = new QLineSeries;
        attach(o.line);
        break;
    case Type::Area:
        o.area = new QAreaSeries;
        o.line = new QLineSeries(o.area);
        o.area->setUpperSeries(o.line);
        attach(o.area);
        break;
    case Type::Band:
        o.area = new QAreaSeries;
        o.line = new QLineSeries(o.area);
        o.lower = new QLineSeries(o.area);
        o.area->setUpperSeries(o.line);
        o.area->setLowerSeries(o.lower);
        attach(o.area);
        break;
    case Type::Bar:
        o.bars = new QStackedBarSeries;
        o.bars->setBarWidth(HistogramBarWidth);
        attach(o.bars);
        break;
    case Type::StackedBar:
        if (!stacked_) {
            stacked_ = new QStackedBarSeries;
            stacked_->setBarWidth(StackedBarWidth);
            attach(stacked_);
        }
        break;
    }
    style(index);
}

void ChartAdaptor::remove(int index) {
    if (seriesAt(index).type == Type::StackedBar) stackedDirty_ = true;
    Objects& o = objectsAt(index);
    for (QAbstractSeries* x : ownObjects(o))
        detach(x);
    o = Objects{};
}

// The chart series that are the series' own (the area's boundary line is not one).
std::vector<QAbstractSeries*> ChartAdaptor::ownObjects(const Objects& o) {
    std::vector<QAbstractSeries*> own;
    for (QAbstractSeries* x :
         {static_cast<QAbstractSeries*>(o.area ? nullptr : o.line),
          static_cast<QAbstractSeries*>(o.area), static_cast<QAbstractSeries*>(o.bars)}) {
        if (x) own.push_back(x);
    }
    for (const auto& [colour, layer] : o.markers)
        own.push_back(layer);
    return own;
}

void ChartAdaptor::style(int index) {
    const ChartSeries& s = seriesAt(index);
    Objects& o = objectsAt(index);
    if (o.line && !o.area) {
        o.line->setPen(QPen(s.colour, s.type == Type::ThinLine ? 1 : 2));
        o.line->setName(s.legend);
    }
    if (o.area) {
        // A band is a shade behind the curve it goes with, its edges drawn so that a narrow
        // band still shows beside a one-pixel curve.
        const bool band = s.type == Type::Band;
        QColor fill = s.colour;
        fill.setAlpha(band ? 80 : 110);
        QColor edge = s.colour;
        edge.setAlpha(170);
        o.area->setBrush(fill);
        o.area->setPen(band ? QPen(edge, 1) : QPen(s.colour, 2));
        o.area->setName(s.legend);
    }
    for (QAbstractSeries* x : ownObjects(o))
        x->setVisible(s.visible);
}

void ChartAdaptor::touch(int index) {
    if (seriesAt(index).type == Type::StackedBar)
        stackedDirty_ = true;
    else
        objectsAt(index).dirty = true;
    rangesDirty_ = true;
}

// --- rebuilding the chart from the points -------------------------------------------

void ChartAdaptor::rebuildXY(const ChartSeries& s, Objects& o) {
    QList<QPointF> xy;
    xy.reserve(static_cast<qsizetype>(s.points.size()));
    QHash<int, QHash<QXYSeries::PointConfiguration, QVariant>> colours;
    std::map<QRgb, QList<QPointF>> byColour;
    for (const SeriesPoint& p : s.points) {
        // A point without a value is neither drawn nor joined by the line; nor is one the log
        // scale cannot show.
        if (!p.hasValue) continue;
        const std::optional<double> y = logScale_ ? LogPosition(p.value) : p.value;
        if (!y) continue;
        const QColor colour = s.colourOf(p);
        colours[static_cast<int>(xy.size())][QXYSeries::PointConfiguration::Color] = colour;
        xy.append(QPointF(p.x, *y));
        byColour[colour.rgba()].append(xy.back());
    }
    o.line->replace(xy);
    o.line->setPointsConfiguration(colours);
    if (s.type == Type::ThinLine) byColour.clear(); // no markers

    for (auto it = o.markers.begin(); it != o.markers.end();) {
        if (byColour.count(it->first)) {
            ++it;
            continue;
        }
        detach(it->second);
        it = o.markers.erase(it);
    }
    for (const auto& [rgba, points] : byColour) {
        QLineSeries*& layer = o.markers[rgba];
        if (!layer) {
            layer = new QLineSeries;
            layer->setPen(Qt::NoPen);
            layer->setLightMarker(SquareMarker(QColor::fromRgba(rgba)));
            layer->setMarkerSize(MarkerSize);
            layer->setVisible(s.visible);
            attach(layer);
        }
        layer->replace(points);
    }
}

// The two boundaries of a band; points without a finite pair are left out.
void ChartAdaptor::rebuildBand(const ChartSeries& s, Objects& o) {
    QList<QPointF> upper, lower;
    for (const SeriesPoint& p : s.points) {
        if (!p.hasValue || !std::isfinite(p.value) || !std::isfinite(p.low)) continue;
        if (logScale_) {
            const auto high = LogPosition(p.value), low = LogPosition(p.low);
            if (!high || !low) continue;
            upper.append(QPointF(p.x, *high));
            lower.append(QPointF(p.x, *low));
            continue;
        }
        upper.append(QPointF(p.x, p.value));
        lower.append(QPointF(p.x, p.low));
    }
    o.line->replace(upper);
    o.lower->replace(lower);
}

// One bar set per point colour; in the other classes the set is 0, so that each class shows
// exactly one bar of the colour of its point. A leading empty set in the series colour carries
// the legend entry.
void ChartAdaptor::appendBarSets(QStackedBarSeries* target, const ChartSeries& s, Objects& o) {
    const QPen outline(QColor(60, 60, 60), 0); // the same for all sets: zero bars stay unseen
    o.legendSet = new QBarSet(s.legend);
    o.legendSet->setColor(s.colour);
    o.legendSet->setPen(outline);
    target->append(o.legendSet);

    int classes = 0;
    for (const SeriesPoint& p : s.points)
        classes = std::max(classes, p.x + 1);
    std::vector<std::pair<QColor, QList<qreal>>> byColour;
    for (const SeriesPoint& p : s.points) {
        if (!p.hasValue || !std::isfinite(p.value)) continue;
        const QColor colour = s.colourOf(p);
        auto it = std::find_if(byColour.begin(), byColour.end(),
                               [&](const auto& e) { return e.first == colour; });
        if (it == byColour.end()) {
            byColour.emplace_back(colour, QList<qreal>(classes, 0.0));
            it = std::prev(byColour.end());
        }
        it->second[p.x] += p.value;
    }
    for (auto& [colour, values] : byColour) {
        auto* set = new QBarSet(s.name);
        set->setColor(colour);
        set->setPen(outline);
        set->append(values);
        target->append(set);
    }
}

void ChartAdaptor::rebuildStacked() {
    stacked_->clear();
    const auto& all = model_.series();
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i].type != Type::StackedBar) continue;
        Objects& o = objectsAt(static_cast<int>(i));
        o.legendSet = nullptr;
        if (all[i].visible) appendBarSets(stacked_, all[i], o);
    }
}

void ChartAdaptor::rebuild(int index) {
    const ChartSeries& s = seriesAt(index);
    Objects& o = objectsAt(index);
    switch (s.type) {
    case Type::Line:
    case Type::ThinLine:
    case Type::Area:
        rebuildXY(s, o);
        break;
    case Type::Band:
        rebuildBand(s, o);
        break;
    case Type::Bar:
        o.bars->clear();
        appendBarSets(o.bars, s, o);
        break;
    case Type::StackedBar:
        break;
    }
}

// --- axes and legend ------------------------------------------------------------------

void ChartAdaptor::setLeftTitle(const QString& title) {
    leftTitle_ = title;
    fitLeftTitle();
}

// Qt cuts an axis title longer than its axis ("Probability P..."): a plot too short for the
// title on one line gets it with one word a line.
void ChartAdaptor::fitLeftTitle() {
    QValueAxis* axis = valueAxis();
    const QFontMetricsF metrics(axis->titleFont());
    const qreal height = chart_->plotArea().height(); // 0 before the first layout
    const bool fits = height <= 0 || metrics.horizontalAdvance(leftTitle_) + 4 <= height;
    const QString shown =
        fits ? leftTitle_ : leftTitle_.toHtmlEscaped().split(' ', Qt::SkipEmptyParts).join("<br>");
    if (axis->titleText() != shown) axis->setTitleText(shown);
}

void ChartAdaptor::setLabelSeparation(int pixels) {
    labelSeparation_ = pixels;
    shownStep_ = 0; // the labels are built again
}

void ChartAdaptor::updateRanges() {
    rangesDirty_ = false;
    if (chart_->isZoomed()) return; // the user's view stays until the zoom is reset
    const int n = static_cast<int>(model_.categories().size());
    if (labelAxis_->min() != -0.5 || labelAxis_->max() != std::max(n, 1) - 0.5)
        labelAxis_->setRange(-0.5, std::max(n, 1) - 0.5);

    if (logScale_) return updateLogRange();
    AxisFraming framing = framing_;
    framing.plotHeight = chart_->plotArea().height();
    const AxisRange range = LinearAxis(model_.valueExtent(), framing);
    // Set only when it changes: a new range lays out every series again.
    if (range == AxisRange{valueAxis_->min(), valueAxis_->max(), valueAxis_->tickInterval()})
        return;
    valueAxis_->setTickInterval(range.step);
    valueAxis_->setRange(range.min, range.max);
}

// The decades of the values the log scale shows, a label at every step-th decade.
void ChartAdaptor::updateLogRange() {
    ValueExtent shown;
    for (const ChartSeries& s : model_.series()) {
        if (!s.visible || s.isBar()) continue;
        for (const SeriesPoint& p : s.points) {
            if (!p.hasValue) continue;
            for (const double v : {p.value, s.type == Type::Band ? p.low : p.value})
                if (const auto at = LogPosition(v)) shown.include(*at);
        }
    }
    const QFontMetricsF metrics(logAxis_->labelsFont());
    const double height = chart_->plotArea().height();
    const int mostLabels = height > 0 ? std::max(2, int(height / (2 * metrics.height()))) : 10;
    const AxisRange range = LogAxis(shown, mostLabels);
    for (const QString& label : logAxis_->categoriesLabels())
        logAxis_->remove(label);
    logAxis_->setStartValue(range.min); // taken only while the axis has no category
    // A category axis takes its labels upwards, each label once: a decade without a label gets
    // blanks of its own length, so that every decade keeps its grid line.
    const std::vector<int> labelled = LabelledDecades(range);
    int blanks = 0;
    for (int d = static_cast<int>(range.min); d <= static_cast<int>(range.max); ++d) {
        const bool shown = std::find(labelled.begin(), labelled.end(), d) != labelled.end();
        logAxis_->append(shown ? QString::fromStdString(DecadeLabel(d)) : QString(++blanks, ' '),
                         d);
    }
    logAxis_->setRange(range.min, range.max);
}

void ChartAdaptor::updateLabels() {
    const QStringList& categories = model_.categories();
    const QFontMetricsF metrics(labelAxis_->labelsFont());
    qreal widest = 0;
    for (const QString& label : categories)
        widest = std::max(widest, metrics.horizontalAdvance(label));
    const double lo = labelAxis_->min(), hi = labelAxis_->max();
    const int step = LabelStep(static_cast<int>(categories.size()), widest, labelSeparation_,
                               hi - lo, chart_->plotArea().width());
    if (step == shownStep_ && shownRevision_ == model_.categoriesRevision() && lo == shownMin_ &&
        hi == shownMax_)
        return;
    shownStep_ = step;
    shownRevision_ = model_.categoriesRevision();
    shownMin_ = lo;
    shownMax_ = hi;
    for (const QString& label : labelAxis_->categoriesLabels())
        labelAxis_->remove(label);
    // Only the labels in view: Qt draws one outside the range at the plot's edge, over the
    // last label in view or left of the plot.
    for (int i : ShownLabels(static_cast<int>(categories.size()), step, lo, hi))
        labelAxis_->append(categories[i], i);
}

void ChartAdaptor::updateLegend() {
    QSet<const QObject*> entries;
    const auto& all = model_.series();
    for (size_t i = 0; i < all.size(); ++i) {
        if (!all[i].visible || all[i].legend.isEmpty()) continue;
        const Objects& o = objects_[i];
        if (o.area)
            entries.insert(o.area);
        else if (o.line)
            entries.insert(o.line);
        else if (o.legendSet)
            entries.insert(o.legendSet);
    }
    bool changed = false;
    for (QLegendMarker* marker : chart_->legend()->markers()) {
        const QObject* owner = marker->series();
        if (auto* bar = qobject_cast<QBarLegendMarker*>(marker)) owner = bar->barset();
        const bool shown = entries.contains(owner);
        changed = changed || marker->isVisible() != shown;
        marker->setVisible(shown);
    }
    // Qt does not lay the legend out again when only the visibility of markers changes.
    if (changed) chart_->legend()->layout()->invalidate();
}

void ChartAdaptor::update() {
    for (size_t i = 0; i < objects_.size(); ++i) {
        if (!objects_[i].dirty) continue;
        objects_[i].dirty = false;
        rebuild(static_cast<int>(i));
    }
    if (stackedDirty_ && stacked_) rebuildStacked();
    stackedDirty_ = false;
    if (rangesDirty_) updateRanges();
    updateLabels();
    updateLegend();
}

} // namespace tessavin::ui
