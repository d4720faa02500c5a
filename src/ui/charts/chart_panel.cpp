#include "ui/charts/chart_panel.h"

#include <QAction>
#include <QAreaSeries>
#include <climits>

#include <QBarLegendMarker>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGuiApplication>
#include <QHash>
#include <QImageWriter>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QSaveFile>
#include <QSet>
#include <QStackedBarSeries>
#include <QSvgGenerator>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <vector>

#include "localisation/language.h"
#include "localisation/messages.h"
#include "ui/common/interaction.h"
#include "ui/common/platform_texts.h"

namespace tessavin::ui {
namespace {

constexpr int MarkerSize = 6;            // pixels
constexpr qreal HistogramBarWidth = 1.0; // adjacent classes
constexpr qreal StackedBarWidth = 0.7;
constexpr double Margin = 0.04; // share of the data span left free beyond the data
const QSize FallbackPictureSize(800, 600);

// Smallest of 1, 2, 5, 10, 20, 50, … that is at least `k`.
int RoundStep(int k) {
    if (k <= 1) return 1;
    for (long long decade = 1;; decade *= 10) {
        for (int f : {1, 2, 5}) {
            if (f * decade >= k) return static_cast<int>(f * decade);
        }
    }
}

// 1, 2 or 5 times a power of ten, the smallest such at least `x` (> 0).
double NiceStep(double x) {
    const double decade = std::pow(10.0, std::floor(std::log10(x)));
    for (double f : {1.0, 2.0, 5.0}) {
        if (f * decade >= x * (1 - 1e-9)) return f * decade;
    }
    return 10 * decade;
}

// The value axis: the data with a small margin, ticks at whole multiples of a nice step.
struct AxisRange {
    double min;
    double max;
    double step;
    bool operator==(const AxisRange&) const = default;
};

AxisRange DataRange(double lo, double hi) {
    if (hi <= lo) hi = lo + 1.0;
    const double span = hi - lo;
    // A side where the data end at zero stays at zero (bars and probabilities start there).
    const double min = lo < 0 ? lo - Margin * span : lo;
    const double max = hi > 0 ? hi + Margin * span : hi;
    return {min, max, NiceStep(span / 6)};
}

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

struct Point {
    double value;
    QString label;
    QColor colour; // invalid: the series colour, whatever it is at the time
    int x;
    double low = std::numeric_limits<double>::quiet_NaN(); // Band: the lower line
};

} // namespace

struct ChartPanel::Impl {
    struct Series {
        QString name;
        SeriesType type = SeriesType::Line;
        QColor colour;
        QString legend;
        bool visible = true;
        std::vector<Point> points;
        bool dirty = true;
        // The chart's objects for this series (owned by the chart).
        QLineSeries* line = nullptr;  // Line: the line; Area, Band: the upper boundary
        QLineSeries* lower = nullptr; // Band: the lower boundary
        QAreaSeries* area = nullptr;
        // The square markers: one series without a line per point colour (a marker of its
        // own per point would make Qt rebuild every marker on each change).
        std::map<QRgb, QLineSeries*> markers;
        QStackedBarSeries* bars = nullptr; // Bar only; StackedBar uses the shared one
        QBarSet* legendSet = nullptr;      // the bar set that carries the legend entry

        QColor colourOf(const Point& p) const { return p.colour.isValid() ? p.colour : colour; }
    };

    QChart* chart = nullptr;
    QChartView* view = nullptr;
    QToolBar* toolbar = nullptr;
    QValueAxis* valueAxis = nullptr;
    QCategoryAxis* labelAxis = nullptr;
    QStackedBarSeries* stacked = nullptr; // all StackedBar series
    bool stackedDirty = false;

    std::vector<Series> series;
    QHash<QString, int> seriesIndex;
    QStringList categories;
    QHash<QString, int> categoryIndex;
    int categoriesRevision = 0;

    QStringList title;
    QString leftTitle; // the value axis title as set; one word a line when the plot is short
    int labelSeparation = 8;
    double valueCeiling = 0;            // > 0: the value axis ends there at the latest
    int topRoom = 0;                    // pixels above the highest point
    int shownStep = 0;                  // every shownStep-th label is on the axis
    int shownRevision = -1;             // categoriesRevision the axis labels were built from
    double shownMin = 0, shownMax = -1; // the label axis range the labels were built for
    bool rangesDirty = true;
    QTimer flushTimer;

    Series* find(const QString& name) {
        const auto it = seriesIndex.constFind(name);
        return it == seriesIndex.cend() ? nullptr : &series[static_cast<size_t>(*it)];
    }
    const Series* find(const QString& name) const {
        const auto it = seriesIndex.constFind(name);
        return it == seriesIndex.cend() ? nullptr : &series[static_cast<size_t>(*it)];
    }
    const Point* point(const QString& name, int index) const {
        const Series* s = find(name);
        if (!s || index < 0 || index >= static_cast<int>(s->points.size())) return nullptr;
        return &s->points[static_cast<size_t>(index)];
    }

    void schedule() {
        if (!flushTimer.isActive()) flushTimer.start();
    }

    void touch(Series& s) {
        if (s.type == SeriesType::StackedBar)
            stackedDirty = true;
        else
            s.dirty = true;
        rangesDirty = true;
        schedule();
    }

    // Labels no point uses any more leave the axis; the others keep their order and the
    // points move with them.
    void dropUnusedCategories() {
        std::vector<bool> used(static_cast<size_t>(categories.size()), false);
        for (const Series& s : series) {
            for (const Point& p : s.points)
                used[static_cast<size_t>(p.x)] = true;
        }
        if (std::all_of(used.begin(), used.end(), [](bool u) { return u; })) return;
        std::vector<int> moved(used.size(), -1);
        QStringList kept;
        for (size_t i = 0; i < used.size(); ++i) {
            if (!used[i]) continue;
            moved[i] = static_cast<int>(kept.size());
            kept.append(categories[static_cast<qsizetype>(i)]);
        }
        categories = kept;
        categoryIndex.clear();
        for (int i = 0; i < categories.size(); ++i)
            categoryIndex.insert(categories[i], i);
        ++categoriesRevision;
        for (Series& s : series) {
            for (Point& p : s.points)
                p.x = moved[static_cast<size_t>(p.x)];
            if (!s.points.empty()) touch(s);
        }
        rangesDirty = true;
        schedule();
    }

    void attach(QAbstractSeries* x) {
        chart->addSeries(x);
        x->attachAxis(labelAxis);
        x->attachAxis(valueAxis);
    }

    void remove(QAbstractSeries* x) {
        if (!x) return;
        chart->removeSeries(x);
        delete x;
    }

    void createObjects(Series& s) {
        switch (s.type) {
        case SeriesType::Line:
        case SeriesType::ThinLine:
            s.line = new QLineSeries;
            attach(s.line);
            break;
        case SeriesType::Area:
            s.area = new QAreaSeries;
            s.line = new QLineSeries(s.area);
            s.area->setUpperSeries(s.line);
            attach(s.area);
            break;
        case SeriesType::Band:
            s.area = new QAreaSeries;
            s.line = new QLineSeries(s.area);
            s.lower = new QLineSeries(s.area);
            s.area->setUpperSeries(s.line);
            s.area->setLowerSeries(s.lower);
            attach(s.area);
            break;
        case SeriesType::Bar:
            s.bars = new QStackedBarSeries;
            s.bars->setBarWidth(HistogramBarWidth);
            attach(s.bars);
            break;
        case SeriesType::StackedBar:
            if (!stacked) {
                stacked = new QStackedBarSeries;
                stacked->setBarWidth(StackedBarWidth);
                attach(stacked);
            }
            break;
        }
        styleObjects(s);
    }

    void destroyObjects(Series& s) {
        for (QAbstractSeries* x : ownObjects(s))
            remove(x);
        s.line = nullptr;
        s.lower = nullptr;
        s.area = nullptr;
        s.markers.clear();
        s.bars = nullptr;
        s.legendSet = nullptr;
    }

    // The chart series of `s` that are its own (the area's boundary line is not one).
    static std::vector<QAbstractSeries*> ownObjects(const Series& s) {
        std::vector<QAbstractSeries*> own;
        for (QAbstractSeries* x :
             {static_cast<QAbstractSeries*>(s.area ? nullptr : s.line),
              static_cast<QAbstractSeries*>(s.area), static_cast<QAbstractSeries*>(s.bars)}) {
            if (x) own.push_back(x);
        }
        for (const auto& [colour, layer] : s.markers)
            own.push_back(layer);
        return own;
    }

    void styleObjects(Series& s) {
        if (s.line && !s.area) {
            s.line->setPen(QPen(s.colour, s.type == SeriesType::ThinLine ? 1 : 2));
            s.line->setName(s.legend);
        }
        if (s.area) {
            // A band is a shade behind the curve it goes with, its edges drawn so that a
            // narrow band still shows beside a one-pixel curve.
            const bool band = s.type == SeriesType::Band;
            QColor fill = s.colour;
            fill.setAlpha(band ? 80 : 110);
            QColor edge = s.colour;
            edge.setAlpha(170);
            s.area->setBrush(fill);
            s.area->setPen(band ? QPen(edge, 1) : QPen(s.colour, 2));
            s.area->setName(s.legend);
        }
        for (QAbstractSeries* x : ownObjects(s))
            x->setVisible(s.visible);
    }

    // --- rebuilding the chart from the points ---------------------------------------

    void rebuildXY(Series& s) {
        QList<QPointF> xy;
        xy.reserve(static_cast<qsizetype>(s.points.size()));
        QHash<int, QHash<QXYSeries::PointConfiguration, QVariant>> colours;
        std::map<QRgb, QList<QPointF>> byColour;
        for (size_t i = 0; i < s.points.size(); ++i) {
            const Point& p = s.points[i];
            const QColor colour = s.colourOf(p);
            // A point in the background colour marks a year without a value: it is neither
            // drawn nor joined by the line.
            if (colour == Qt::white) continue;
            colours[static_cast<int>(xy.size())][QXYSeries::PointConfiguration::Color] = colour;
            xy.append(QPointF(p.x, p.value));
            byColour[colour.rgba()].append(xy.back());
        }
        s.line->replace(xy);
        s.line->setPointsConfiguration(colours);
        if (s.type == SeriesType::ThinLine) byColour.clear(); // no markers

        for (auto it = s.markers.begin(); it != s.markers.end();) {
            if (byColour.count(it->first)) {
                ++it;
                continue;
            }
            remove(it->second);
            it = s.markers.erase(it);
        }
        for (const auto& [rgba, points] : byColour) {
            QLineSeries*& layer = s.markers[rgba];
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
    void rebuildBand(Series& s) {
        QList<QPointF> upper, lower;
        for (const Point& p : s.points) {
            if (!std::isfinite(p.value) || !std::isfinite(p.low)) continue;
            upper.append(QPointF(p.x, p.value));
            lower.append(QPointF(p.x, p.low));
        }
        s.line->replace(upper);
        s.lower->replace(lower);
    }

    // One bar set per point colour; in the other classes the set is 0, so that each class
    // shows exactly one bar of the colour of its point. A leading empty set in the series
    // colour carries the legend entry.
    void appendBarSets(QStackedBarSeries* target, Series& s) {
        const QPen outline(QColor(60, 60, 60), 0); // the same for all sets: zero bars stay unseen
        s.legendSet = new QBarSet(s.legend);
        s.legendSet->setColor(s.colour);
        s.legendSet->setPen(outline);
        target->append(s.legendSet);

        int classes = 0;
        for (const Point& p : s.points)
            classes = std::max(classes, p.x + 1);
        std::vector<std::pair<QColor, QList<qreal>>> byColour;
        for (const Point& p : s.points) {
            if (!std::isfinite(p.value)) continue;
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

    void rebuildStacked() {
        stacked->clear();
        for (Series& s : series) {
            if (s.type != SeriesType::StackedBar) continue;
            s.legendSet = nullptr;
            if (s.visible) appendBarSets(stacked, s);
        }
    }

    void rebuild(Series& s) {
        switch (s.type) {
        case SeriesType::Line:
        case SeriesType::ThinLine:
        case SeriesType::Area:
            rebuildXY(s);
            break;
        case SeriesType::Band:
            rebuildBand(s);
            break;
        case SeriesType::Bar:
            s.bars->clear();
            appendBarSets(s.bars, s);
            break;
        case SeriesType::StackedBar:
            break;
        }
    }

    // Qt cuts an axis title longer than its axis ("Probability P..."); a plot too short for
    // the title on one line gets it with one word a line.
    void fitLeftTitle() {
        const QFontMetricsF metrics(valueAxis->titleFont());
        const qreal height = chart->plotArea().height(); // 0 before the first layout
        const bool fits = height <= 0 || metrics.horizontalAdvance(leftTitle) + 4 <= height;
        const QString shown =
            fits ? leftTitle
                 : leftTitle.toHtmlEscaped().split(' ', Qt::SkipEmptyParts).join("<br>");
        if (valueAxis->titleText() != shown) valueAxis->setTitleText(shown);
    }

    void updateRanges() {
        rangesDirty = false;
        if (chart->isZoomed()) return; // the user's view stays until the zoom is reset
        const int n = static_cast<int>(categories.size());
        if (labelAxis->min() != -0.5 || labelAxis->max() != std::max(n, 1) - 0.5)
            labelAxis->setRange(-0.5, std::max(n, 1) - 0.5);

        double lo = 0.0, hi = 0.0;                            // 0 is always in range
        std::map<int, std::pair<double, double>> stackedSums; // class -> (negative, positive)
        for (const Series& s : series) {
            if (!s.visible) continue;
            std::map<int, std::pair<double, double>> ownSums;
            auto& sums = s.type == SeriesType::StackedBar ? stackedSums : ownSums;
            for (const Point& p : s.points) {
                if (!std::isfinite(p.value)) continue;
                if (s.type == SeriesType::Bar || s.type == SeriesType::StackedBar) {
                    auto& [neg, pos] = sums[p.x];
                    (p.value < 0 ? neg : pos) += p.value;
                    lo = std::min(lo, neg);
                    hi = std::max(hi, pos);
                } else {
                    const double low = std::isfinite(p.low) ? std::min(p.low, p.value) : p.value;
                    lo = std::min(lo, low);
                    hi = std::max(hi, p.value);
                }
            }
        }
        // A ceiling frames what lies below it; data above it run out of the top.
        if (valueCeiling > 0 && hi > valueCeiling) hi = std::max(valueCeiling, lo);
        // Stretch the top so that the highest point ends topRoom pixels below the plot's top.
        const double plotHeight = chart->plotArea().height();
        if (topRoom > 0 && hi > lo && plotHeight > 2.0 * topRoom)
            hi = lo + (hi - lo) * plotHeight / (plotHeight - topRoom);
        // Set only when it changes: a new range lays out every series again.
        const AxisRange range = DataRange(lo, hi);
        if (range == AxisRange{valueAxis->min(), valueAxis->max(), valueAxis->tickInterval()})
            return;
        valueAxis->setTickInterval(range.step);
        valueAxis->setRange(range.min, range.max);
    }

    // The visible points' extent in chart values; false when no point is in view.
    bool visibleData(QRectF& extent) const {
        const double x0 = labelAxis->min(), x1 = labelAxis->max();
        const double y0 = valueAxis->min(), y1 = valueAxis->max();
        bool any = false;
        double left = 0, right = 0, low = 0, high = 0;
        for (const Series& s : series) {
            if (!s.visible) continue;
            for (const Point& p : s.points) {
                if (!std::isfinite(p.value) || p.x < x0 || p.x > x1 || p.value < y0 ||
                    p.value > y1 || s.colourOf(p) == Qt::white)
                    continue;
                if (!any) {
                    left = right = p.x;
                    low = high = p.value;
                    any = true;
                }
                left = std::min(left, double(p.x));
                right = std::max(right, double(p.x));
                low = std::min(low, p.value);
                high = std::max(high, p.value);
            }
        }
        extent = QRectF(QPointF(left, low), QPointF(right, high));
        return any;
    }

    // Zooms by `factor` (< 1 in, > 1 out) around `at` (chart values): the new view is centred
    // on it, or (`centred` false) it keeps its place in the view, as under the mouse.
    void zoomAround(QPointF at, double factor, bool centred) {
        const double x0 = labelAxis->min(), x1 = labelAxis->max();
        const double y0 = valueAxis->min(), y1 = valueAxis->max();
        QPointF low, high;
        if (centred) {
            const double w = (x1 - x0) * factor / 2, h = (y1 - y0) * factor / 2;
            low = {at.x() - w, at.y() - h};
            high = {at.x() + w, at.y() + h};
        } else {
            low = {at.x() - (at.x() - x0) * factor, at.y() - (at.y() - y0) * factor};
            high = {at.x() + (x1 - at.x()) * factor, at.y() + (y1 - at.y()) * factor};
        }
        const QPointF a = chart->mapToPosition(QPointF(low.x(), high.y()));
        const QPointF b = chart->mapToPosition(QPointF(high.x(), low.y()));
        chart->zoomIn(QRectF(a, b).normalized());
    }

    int wantedStep() const {
        const qreal span = labelAxis->max() - labelAxis->min();
        const qreal width = chart->plotArea().width();
        if (categories.isEmpty() || span <= 0 || width <= 0) return 1;
        const QFontMetricsF metrics(labelAxis->labelsFont());
        qreal widest = 0;
        for (const QString& label : categories)
            widest = std::max(widest, metrics.horizontalAdvance(label));
        const qreal pixelsPerClass = width / span;
        return RoundStep(
            static_cast<int>(std::ceil((widest + labelSeparation) / pixelsPerClass - 1e-9)));
    }

    void updateLabels() {
        const int step = wantedStep();
        const double lo = labelAxis->min(), hi = labelAxis->max();
        if (step == shownStep && shownRevision == categoriesRevision && lo == shownMin &&
            hi == shownMax)
            return;
        shownStep = step;
        shownRevision = categoriesRevision;
        shownMin = lo;
        shownMax = hi;
        for (const QString& label : labelAxis->categoriesLabels())
            labelAxis->remove(label);
        // Only the labels in view: Qt draws one outside the range at the plot's edge, over
        // the last label in view or left of the plot.
        for (int i = 0; i < categories.size(); i += step)
            if (i >= lo && i <= hi) labelAxis->append(categories[i], i);
    }

    void updateLegend() {
        QSet<const QObject*> entries;
        for (const Series& s : series) {
            if (!s.visible || s.legend.isEmpty()) continue;
            if (s.area)
                entries.insert(s.area);
            else if (s.line)
                entries.insert(s.line);
            else if (s.legendSet)
                entries.insert(s.legendSet);
        }
        bool changed = false;
        for (QLegendMarker* marker : chart->legend()->markers()) {
            const QObject* owner = marker->series();
            if (auto* bar = qobject_cast<QBarLegendMarker*>(marker)) owner = bar->barset();
            const bool shown = entries.contains(owner);
            changed = changed || marker->isVisible() != shown;
            marker->setVisible(shown);
        }
        // Qt does not lay the legend out again when only the visibility of markers changes.
        if (changed) chart->legend()->layout()->invalidate();
    }

    void flush() {
        flushTimer.stop();
        for (Series& s : series) {
            if (!s.dirty) continue;
            s.dirty = false;
            rebuild(s);
        }
        if (stackedDirty && stacked) rebuildStacked();
        stackedDirty = false;
        if (rangesDirty) updateRanges();
        updateLabels();
        updateLegend();
    }

    // Lays the chart out now (axes, plot area) instead of on the next event-loop turn.
    void layOut() {
        QCoreApplication::sendPostedEvents(chart, QEvent::LayoutRequest);
        if (QGraphicsLayout* layout = chart->layout()) {
            layout->invalidate();
            layout->activate();
        }
    }

    QSize pictureSize(QSize wanted) const {
        if (wanted.isValid() && !wanted.isEmpty()) return wanted;
        const QSize current = chart->size().toSize();
        return current.width() >= 50 && current.height() >= 50 ? current : FallbackPictureSize;
    }

    // Paints the chart at `size` onto `painter`; the chart is resized for it and back.
    void paint(QPainter& painter, QSize size) {
        flush();
        const QSizeF old = chart->size();
        const bool resize = old.toSize() != size;
        if (resize) {
            chart->resize(size);
            layOut();
            updateLabels();
            layOut();
        }
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
        chart->scene()->render(&painter, QRectF(QPointF(0, 0), size),
                               QRectF(chart->pos(), QSizeF(size)));
        if (resize) {
            chart->resize(old);
            layOut();
            updateLabels();
        }
    }
};

ChartPanel::ChartPanel(QWidget* parent) : QWidget(parent), d(std::make_unique<Impl>()) {
    d->flushTimer.setSingleShot(true);
    d->flushTimer.setInterval(0);
    connect(&d->flushTimer, &QTimer::timeout, this, [this] { d->flush(); });

    auto* chart = d->chart = new QChart;
    chart->setTheme(QChart::ChartThemeLight);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundBrush(Qt::white);
    chart->setBackgroundRoundness(0);
    chart->setDropShadowEnabled(false);
    chart->setMargins(QMargins(4, 2, 6, 2));
    const QFont base = font();
    chart->setTitleFont(FontOfSize(base, 10, true));
    chart->setTitleBrush(Qt::black);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(FontOfSize(base, 8));

    d->valueAxis = new QValueAxis;
    d->valueAxis->setTickType(QValueAxis::TicksDynamic);
    d->valueAxis->setTickAnchor(0.0);
    d->labelAxis = new QCategoryAxis;
    d->labelAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    d->labelAxis->setStartValue(-0.5);
    d->labelAxis->setGridLineVisible(false);
    // Qt would cut labels to an even share of the axis; the label step keeps them apart.
    d->labelAxis->setTruncateLabels(false);
    for (QAbstractAxis* axis :
         {static_cast<QAbstractAxis*>(d->valueAxis), static_cast<QAbstractAxis*>(d->labelAxis)}) {
        axis->setLabelsFont(FontOfSize(base, 8));
        axis->setTitleFont(FontOfSize(base, 8));
        axis->setLabelsBrush(Qt::black);
        axis->setTitleBrush(Qt::black);
        axis->setLinePen(QPen(Qt::black, 1));
    }
    d->valueAxis->setGridLinePen(QPen(QColor(220, 220, 220), 1));
    chart->addAxis(d->labelAxis, Qt::AlignBottom);
    chart->addAxis(d->valueAxis, Qt::AlignLeft);
    d->updateRanges();

    d->view = new QChartView(chart, this);
    d->view->setRenderHint(QPainter::Antialiasing);
    d->view->setBackgroundBrush(Qt::white);
    d->view->setRubberBand(QChartView::RectangleRubberBand);
    d->view->viewport()->installEventFilter(this);

    auto* bar = d->toolbar = new QToolBar(this);
    bar->setObjectName("ChartToolbar");
    bar->setIconSize(QSize(16, 16));
    bar->setStyleSheet(
        "QToolBar { padding: 0px; spacing: 2px; } QToolButton { padding: 1px 3px; }");
    struct Command {
        const char* name;
        const char* icon;
        const char* text;
        const char* tip;
        void (ChartPanel::*slot)();
    };
    const Command commands[] = {
        {"ChartZoomIn", "zoom-in", "Zoom in", "Zoom in", &ChartPanel::zoomIn},
        {"ChartZoomOut", "zoom-out", "Zoom out", "Zoom out", &ChartPanel::zoomOut},
        {"ChartZoomReset", "zoom-original", "Whole chart", "Show the whole chart",
         &ChartPanel::resetZoom},
        {"ChartCopy", "edit-copy", "Copy", "Copy the chart to the clipboard",
         &ChartPanel::copyToClipboard},
        {"ChartSave", "document-save-as", "Save…", "Save the chart as a picture",
         &ChartPanel::savePictureAs},
    };
    bool allIcons = true;
    for (const Command& c : commands) {
        QAction* action = bar->addAction(QIcon::fromTheme(c.icon), QString::fromUtf8(c.text));
        action->setObjectName(c.name);
        action->setToolTip(QString::fromUtf8(c.tip));
        allIcons = allIcons && !action->icon().isNull();
        connect(action, &QAction::triggered, this, c.slot);
    }
    bar->setToolButtonStyle(allIcons ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextOnly);
    // The texts in the active language; a window's language switch applies them again.
    ApplyChartCaptions(this, CurrentLanguage());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(d->view, 1);

    connect(this, &QObject::objectNameChanged, this,
            [this](const QString& name) { d->view->setObjectName(name + "View"); });
    // A new plot width or zoom may call for another label step.
    // A new plot width or zoom may call for another label step; a new height changes the
    // values that the room above the points takes.
    connect(chart, &QChart::plotAreaChanged, this, [this] {
        if (d->topRoom > 0) d->rangesDirty = true;
        d->fitLeftTitle();
        d->schedule();
    });
    connect(d->labelAxis, &QValueAxis::rangeChanged, this, [this] { d->schedule(); });
}

ChartPanel::~ChartPanel() {
    // The chart goes first: while it is taken down it may still signal the lambdas above.
    delete d->view;
}

// --- series -------------------------------------------------------------------------

void ChartPanel::addSeries(const QString& name, SeriesType type, const QColor& colour,
                           const QString& legendTitle) {
    if (Impl::Series* s = d->find(name)) {
        if (s->type != type) {
            if (s->type == SeriesType::StackedBar) d->stackedDirty = true;
            d->destroyObjects(*s);
            s->type = type;
            d->createObjects(*s);
        }
        s->colour = colour;
        s->legend = legendTitle;
        d->styleObjects(*s);
        d->touch(*s);
        return;
    }
    d->seriesIndex.insert(name, static_cast<int>(d->series.size()));
    Impl::Series& s = d->series.emplace_back();
    s.name = name;
    s.type = type;
    s.colour = colour;
    s.legend = legendTitle;
    d->createObjects(s);
    d->touch(s);
}

bool ChartPanel::hasSeries(const QString& name) const {
    return d->find(name) != nullptr;
}

QStringList ChartPanel::seriesNames() const {
    QStringList names;
    for (const auto& s : d->series)
        names << s.name;
    return names;
}

ChartPanel::SeriesType ChartPanel::seriesType(const QString& name) const {
    const Impl::Series* s = d->find(name);
    return s ? s->type : SeriesType::Line;
}

QColor ChartPanel::seriesColour(const QString& name) const {
    const Impl::Series* s = d->find(name);
    return s ? s->colour : QColor();
}

void ChartPanel::setSeriesColour(const QString& name, const QColor& colour) {
    if (Impl::Series* s = d->find(name)) addSeries(name, s->type, colour, s->legend);
}

QString ChartPanel::legendTitle(const QString& name) const {
    const Impl::Series* s = d->find(name);
    return s ? s->legend : QString();
}

void ChartPanel::setLegendTitle(const QString& name, const QString& title) {
    if (Impl::Series* s = d->find(name)) addSeries(name, s->type, s->colour, title);
}

bool ChartPanel::seriesVisible(const QString& name) const {
    const Impl::Series* s = d->find(name);
    return s && s->visible;
}

void ChartPanel::setSeriesVisible(const QString& name, bool visible) {
    Impl::Series* s = d->find(name);
    if (!s || s->visible == visible) return;
    s->visible = visible;
    d->styleObjects(*s);
    d->touch(*s);
}

// --- points -------------------------------------------------------------------------

void ChartPanel::addPoint(const QString& series, double value, const QString& label,
                          const QColor& colour) {
    Impl::Series* s = d->find(series);
    if (!s) {
        qWarning("ChartPanel %s: no series named %s", qPrintable(objectName()), qPrintable(series));
        return;
    }
    auto it = d->categoryIndex.constFind(label);
    if (it == d->categoryIndex.cend()) {
        it = d->categoryIndex.insert(label, static_cast<int>(d->categories.size()));
        d->categories.append(label);
        ++d->categoriesRevision;
    }
    s->points.push_back(Point{value, label, colour, *it});
    d->touch(*s);
}

void ChartPanel::addBandPoint(const QString& series, double low, double high,
                              const QString& label) {
    addPoint(series, high, label);
    if (Impl::Series* s = d->find(series)) s->points.back().low = low;
}

int ChartPanel::pointCount(const QString& series) const {
    const Impl::Series* s = d->find(series);
    return s ? static_cast<int>(s->points.size()) : 0;
}

double ChartPanel::pointValue(const QString& series, int index) const {
    const Point* p = d->point(series, index);
    return p ? p->value : 0.0;
}

double ChartPanel::pointLow(const QString& series, int index) const {
    const Point* p = d->point(series, index);
    if (!p) return 0.0;
    return std::isfinite(p->low) ? p->low : p->value;
}

QString ChartPanel::pointLabel(const QString& series, int index) const {
    const Point* p = d->point(series, index);
    return p ? p->label : QString();
}

QColor ChartPanel::pointColour(const QString& series, int index) const {
    const Point* p = d->point(series, index);
    return p ? d->find(series)->colourOf(*p) : QColor();
}

int ChartPanel::pointPosition(const QString& series, int index) const {
    const Point* p = d->point(series, index);
    return p ? p->x : -1;
}

QStringList ChartPanel::categories() const {
    return d->categories;
}

void ChartPanel::clearSeries(const QString& name) {
    Impl::Series* s = d->find(name);
    if (!s || s->points.empty()) return;
    s->points.clear();
    d->touch(*s);
    d->dropUnusedCategories();
}

void ChartPanel::clearAll() {
    for (auto& s : d->series) {
        if (s.points.empty()) continue;
        s.points.clear();
        d->touch(s);
    }
    d->dropUnusedCategories();
}

// --- titles, axes, legend -----------------------------------------------------------

void ChartPanel::setTitleLines(const QStringList& lines) {
    d->title = lines;
    layoutTitle();
}

void ChartPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutTitle();
}

void ChartPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    layoutTitle();
}

void ChartPanel::layoutTitle() {
    // Qt elides a title wider than the chart and then drops the lines below it; long lines
    // are broken between words instead.
    const QFontMetrics metrics(d->chart->titleFont());
    // A panel not on screen has no width yet: its lines stay whole.
    const int width = d->view->isVisible() ? std::max(100, d->view->width() - 40) : INT_MAX;
    QStringList html;
    for (const QString& line : d->title) {
        QString current;
        for (const QString& word : line.split(' ')) {
            const QString next = current.isEmpty() ? word : current + ' ' + word;
            if (!current.isEmpty() && metrics.horizontalAdvance(next) > width) {
                html << current.toHtmlEscaped();
                current = word;
            } else {
                current = next;
            }
        }
        html << current.toHtmlEscaped();
    }
    d->chart->setTitle(html.join("<br>"));
}

QStringList ChartPanel::titleLines() const {
    return d->title;
}

void ChartPanel::setAxisTitle(const QString& axis, const QString& title) {
    QAbstractAxis* target = axis == "left"     ? static_cast<QAbstractAxis*>(d->valueAxis)
                            : axis == "bottom" ? static_cast<QAbstractAxis*>(d->labelAxis)
                                               : nullptr;
    if (target == d->valueAxis) {
        d->leftTitle = title;
        d->fitLeftTitle();
    } else if (target) {
        target->setTitleText(title);
    }
}

QString ChartPanel::axisTitle(const QString& axis) const {
    if (axis == "left") return d->leftTitle;
    if (axis == "bottom") return d->labelAxis->titleText();
    return {};
}

void ChartPanel::setLegendVisible(bool visible) {
    d->chart->legend()->setVisible(visible);
}

bool ChartPanel::legendVisible() const {
    return d->chart->legend()->isVisible();
}

void ChartPanel::setLabelSeparation(int pixels) {
    d->labelSeparation = std::max(0, pixels);
    d->shownStep = 0; // rebuild the labels
    d->schedule();
}

int ChartPanel::labelSeparation() const {
    return d->labelSeparation;
}

// --- toolbar, pictures --------------------------------------------------------------

void ChartPanel::setToolbarVisible(bool visible) {
    d->toolbar->setVisible(visible);
}

bool ChartPanel::toolbarVisible() const {
    return !d->toolbar->isHidden();
}

QImage ChartPanel::renderImage(QSize size) {
    size = d->pictureSize(size);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    d->paint(painter, size);
    painter.end();
    return image;
}

bool ChartPanel::savePicture(const QString& path, QSize size) {
    size = d->pictureSize(size);
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
        d->paint(painter, size);
        if (!painter.end()) return false;
    } else {
        const QByteArray format = suffix == "jpg" || suffix == "jpeg" ? "JPG"
                                  : suffix == "bmp"                   ? "BMP"
                                                                      : "PNG";
        QImageWriter writer(&file, format);
        if (format == "JPG") writer.setQuality(80);
        if (!writer.write(renderImage(size))) return false;
    }
    return file.commit();
}

void ChartPanel::refresh() {
    d->flush();
}

QChart* ChartPanel::chart() const {
    return d->chart;
}

QChartView* ChartPanel::chartView() const {
    return d->view;
}

QToolBar* ChartPanel::toolbar() const {
    return d->toolbar;
}

// Around the data in view, not the middle of the plot, which may be empty.
void ChartPanel::zoomIn() {
    d->flush();
    QRectF data;
    if (!d->visibleData(data)) return d->chart->zoomIn();
    d->zoomAround(data.center(), 0.5, true);
}

void ChartPanel::zoomOut() {
    d->flush();
    d->chart->zoomOut();
}

bool ChartPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel || watched != d->view->viewport())
        return QWidget::eventFilter(watched, event);
    auto* wheel = static_cast<QWheelEvent*>(event);
    const int delta = wheel->angleDelta().y();
    if (delta == 0) return false;
    d->flush();
    const QPointF scene = d->view->mapToScene(wheel->position().toPoint());
    const QPointF at = d->chart->mapFromScene(scene);
    if (!d->chart->plotArea().contains(at)) return false;
    d->zoomAround(d->chart->mapToValue(at), delta > 0 ? 0.8 : 1.25, false);
    return true;
}

void ChartPanel::setValueCeiling(double ceiling) {
    d->valueCeiling = ceiling > 0 && std::isfinite(ceiling) ? ceiling : 0;
    d->rangesDirty = true;
    d->schedule();
}

double ChartPanel::valueCeiling() const {
    return d->valueCeiling;
}

void ChartPanel::setTopRoom(int pixels) {
    d->topRoom = std::max(0, pixels);
    d->rangesDirty = true;
    d->schedule();
}

void ChartPanel::resetZoom() {
    d->chart->zoomReset();
    d->rangesDirty = true;
    d->flush();
}

void ChartPanel::copyToClipboard() {
    QGuiApplication::clipboard()->setImage(renderImage());
}

void ChartPanel::savePictureAs() {
    FileRequest request;
    request.save = true;
    request.caption = PlatformTextOf(PlatformText::ChartSaveCaption);
    request.filter = PlatformTextOf(PlatformText::ChartPictureFilter);
    request.suggestedName =
        (objectName().isEmpty() ? QStringLiteral("chart") : objectName()) + ".png";
    request.defaultSuffix = "png";
    const QString path = UserInteraction().chooseFile(this, request);
    if (path.isEmpty()) return;
    if (!savePicture(path)) {
        DefMessageDlg(Q(TextCis(3)), PlatformTextOf(PlatformText::ChartNotSaved).arg(path),
                      BoxKind::Error, BoxButtons::Ok, this);
    }
}

} // namespace tessavin::ui
