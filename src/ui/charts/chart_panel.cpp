#include "ui/charts/chart_panel.h"

#include <QAction>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QGuiApplication>
#include <QLegend>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QWheelEvent>
#include <algorithm>
#include <climits>
#include <cmath>

#include "localisation/language.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "ui/charts/chart_adaptor.h"
#include "ui/charts/chart_pictures.h"
#include "ui/charts/chart_series.h"
#include "ui/charts/chart_zoom.h"
#include "ui/common/interaction.h"
#include "ui/common/platform_texts.h"

namespace tessavin::ui {

struct ChartPanel::Impl {
    ChartSeriesModel model;
    std::unique_ptr<ChartAdaptor> adaptor;
    QChartView* view = nullptr;
    QToolBar* toolbar = nullptr;
    QStringList title;
    QTimer flushTimer;

    void schedule() {
        if (!flushTimer.isActive()) flushTimer.start();
    }

    void touch(int index) {
        adaptor->touch(index);
        schedule();
    }

    void flush() {
        flushTimer.stop();
        adaptor->update();
    }

    // Labels no point uses any more leave the axis; the points of the others may move left.
    void dropUnusedCategories() {
        if (!model.dropUnusedCategories()) return;
        const auto& all = model.series();
        for (size_t i = 0; i < all.size(); ++i)
            if (!all[i].points.empty()) touch(static_cast<int>(i));
        adaptor->touchRanges();
        schedule();
    }

    void append(const QString& series, SeriesPoint point, const QString& panelName) {
        const int index = model.indexOf(series);
        if (index < 0) {
            qWarning("ChartPanel %s: no series named %s", qPrintable(panelName),
                     qPrintable(series));
            return;
        }
        model.append(model.series()[static_cast<size_t>(index)], std::move(point));
        touch(index);
    }
};

ChartPanel::ChartPanel(QWidget* parent) : QWidget(parent), d(std::make_unique<Impl>()) {
    d->flushTimer.setSingleShot(true);
    d->flushTimer.setInterval(0);
    connect(&d->flushTimer, &QTimer::timeout, this, [this] { d->flush(); });

    d->adaptor = std::make_unique<ChartAdaptor>(d->model, font());
    QChart* chart = d->adaptor->chart();
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
    // The texts come from the caption table, in the active language; a window's language
    // switch applies them again.
    struct Command {
        const char* name;
        const char* icon;
        void (ChartPanel::*slot)();
    };
    const Command commands[] = {
        {"ChartZoomIn", "zoom-in", &ChartPanel::zoomIn},
        {"ChartZoomOut", "zoom-out", &ChartPanel::zoomOut},
        {"ChartZoomReset", "zoom-original", &ChartPanel::resetZoom},
        {"ChartCopy", "edit-copy", &ChartPanel::copyToClipboard},
        {"ChartSave", "document-save-as", &ChartPanel::savePictureAs},
    };
    bool allIcons = true;
    for (const Command& c : commands) {
        QAction* action = bar->addAction(QIcon::fromTheme(c.icon), QString());
        action->setObjectName(c.name);
        allIcons = allIcons && !action->icon().isNull();
        connect(action, &QAction::triggered, this, c.slot);
    }
    bar->setToolButtonStyle(allIcons ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextOnly);
    ApplyChartCaptions(this, CurrentLanguage());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(d->view, 1);

    connect(this, &QObject::objectNameChanged, this,
            [this](const QString& name) { d->view->setObjectName(name + "View"); });
    // A new plot width or zoom may call for another label step; a new height changes the
    // values that the room above the points takes.
    connect(chart, &QChart::plotAreaChanged, this, [this] {
        if (d->adaptor->topRoom() > 0 || d->adaptor->logScale()) d->adaptor->touchRanges();
        d->adaptor->fitLeftTitle();
        d->schedule();
    });
    connect(d->adaptor->labelAxis(), &QValueAxis::rangeChanged, this, [this] { d->schedule(); });
}

ChartPanel::~ChartPanel() {
    // The chart goes first: while it is taken down it may still signal the lambdas above.
    delete d->view;
}

// --- series -------------------------------------------------------------------------

void ChartPanel::addSeries(const QString& name, SeriesType type, const QColor& colour,
                           const QString& legendTitle) {
    int index = d->model.indexOf(name);
    if (index >= 0) {
        ChartSeries& s = d->model.series()[static_cast<size_t>(index)];
        if (s.type != type) {
            d->adaptor->remove(index);
            s.type = type;
            d->adaptor->create(index);
        }
        s.colour = colour;
        s.legend = legendTitle;
        d->adaptor->style(index);
        d->touch(index);
        return;
    }
    index = d->model.define(name);
    ChartSeries& s = d->model.series()[static_cast<size_t>(index)];
    s.type = type;
    s.colour = colour;
    s.legend = legendTitle;
    d->adaptor->create(index);
    d->touch(index);
}

bool ChartPanel::hasSeries(const QString& name) const {
    return d->model.find(name) != nullptr;
}

QStringList ChartPanel::seriesNames() const {
    QStringList names;
    for (const ChartSeries& s : d->model.series())
        names << s.name;
    return names;
}

ChartPanel::SeriesType ChartPanel::seriesType(const QString& name) const {
    const ChartSeries* s = d->model.find(name);
    return s ? s->type : SeriesType::Line;
}

QColor ChartPanel::seriesColour(const QString& name) const {
    const ChartSeries* s = d->model.find(name);
    return s ? s->colour : QColor();
}

void ChartPanel::setSeriesColour(const QString& name, const QColor& colour) {
    if (const ChartSeries* s = d->model.find(name)) addSeries(name, s->type, colour, s->legend);
}

QString ChartPanel::legendTitle(const QString& name) const {
    const ChartSeries* s = d->model.find(name);
    return s ? s->legend : QString();
}

void ChartPanel::setLegendTitle(const QString& name, const QString& title) {
    if (const ChartSeries* s = d->model.find(name)) addSeries(name, s->type, s->colour, title);
}

void ChartPanel::setSeriesVisible(const QString& name, bool visible) {
    const int index = d->model.indexOf(name);
    if (index < 0) return;
    ChartSeries& s = d->model.series()[static_cast<size_t>(index)];
    if (s.visible == visible) return;
    s.visible = visible;
    d->adaptor->style(index);
    d->touch(index);
}

// --- points -------------------------------------------------------------------------

void ChartPanel::addPoint(const QString& series, double value, const QString& label,
                          const QColor& colour) {
    SeriesPoint p;
    p.value = value;
    p.label = label;
    p.colour = colour;
    d->append(series, std::move(p), objectName());
}

void ChartPanel::addPointWithoutValue(const QString& series, const QString& label) {
    addPoint(series, 0.0, label);
    if (ChartSeries* s = d->model.find(series)) s->points.back().hasValue = false;
}

void ChartPanel::addBandPoint(const QString& series, double low, double high,
                              const QString& label) {
    addPoint(series, high, label);
    if (ChartSeries* s = d->model.find(series)) s->points.back().low = low;
}

int ChartPanel::pointCount(const QString& series) const {
    const ChartSeries* s = d->model.find(series);
    return s ? static_cast<int>(s->points.size()) : 0;
}

double ChartPanel::pointValue(const QString& series, int index) const {
    const SeriesPoint* p = d->model.point(series, index);
    return p ? p->value : 0.0;
}

double ChartPanel::pointLow(const QString& series, int index) const {
    const SeriesPoint* p = d->model.point(series, index);
    if (!p) return 0.0;
    return std::isfinite(p->low) ? p->low : p->value;
}

bool ChartPanel::pointHasValue(const QString& series, int index) const {
    const SeriesPoint* p = d->model.point(series, index);
    return p && p->hasValue;
}

QString ChartPanel::pointLabel(const QString& series, int index) const {
    const SeriesPoint* p = d->model.point(series, index);
    return p ? p->label : QString();
}

QColor ChartPanel::pointColour(const QString& series, int index) const {
    const SeriesPoint* p = d->model.point(series, index);
    return p ? d->model.find(series)->colourOf(*p) : QColor();
}

int ChartPanel::pointPosition(const QString& series, int index) const {
    const SeriesPoint* p = d->model.point(series, index);
    return p ? p->x : -1;
}

QStringList ChartPanel::categories() const {
    return d->model.categories();
}

void ChartPanel::clearSeries(const QString& name) {
    const int index = d->model.indexOf(name);
    if (index < 0) return;
    ChartSeries& s = d->model.series()[static_cast<size_t>(index)];
    if (s.points.empty()) return;
    s.points.clear();
    d->touch(index);
    d->dropUnusedCategories();
}

void ChartPanel::clearAll() {
    auto& all = d->model.series();
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i].points.empty()) continue;
        all[i].points.clear();
        d->touch(static_cast<int>(i));
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
    QChart* chart = d->adaptor->chart();
    const QFontMetrics metrics(chart->titleFont());
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
    chart->setTitle(html.join("<br>"));
}

QStringList ChartPanel::titleLines() const {
    return d->title;
}

void ChartPanel::setAxisTitle(const QString& axis, const QString& title) {
    if (axis == "left")
        d->adaptor->setLeftTitle(title);
    else if (axis == "bottom")
        d->adaptor->labelAxis()->setTitleText(title);
}

QString ChartPanel::axisTitle(const QString& axis) const {
    if (axis == "left") return d->adaptor->leftTitle();
    if (axis == "bottom") return d->adaptor->labelAxis()->titleText();
    return {};
}

void ChartPanel::setLegendVisible(bool visible) {
    d->adaptor->chart()->legend()->setVisible(visible);
}

bool ChartPanel::legendVisible() const {
    return d->adaptor->chart()->legend()->isVisible();
}

void ChartPanel::setLabelSeparation(int pixels) {
    d->adaptor->setLabelSeparation(std::max(0, pixels));
    d->schedule();
}

int ChartPanel::labelSeparation() const {
    return d->adaptor->labelSeparation();
}

void ChartPanel::setValueCeiling(double ceiling) {
    d->adaptor->setCeiling(ceiling > 0 && std::isfinite(ceiling) ? ceiling : 0);
    d->adaptor->touchRanges();
    d->schedule();
}

void ChartPanel::setTopRoom(int pixels) {
    d->adaptor->setTopRoom(std::max(0, pixels));
    d->adaptor->touchRanges();
    d->schedule();
}

// --- log scale ----------------------------------------------------------------------

void ChartPanel::offerLogScale() {
    if (d->toolbar->findChild<QAction*>("ChartLog")) return;
    QAction* action = d->toolbar->addAction(QString());
    action->setObjectName("ChartLog");
    action->setCheckable(true);
    action->setChecked(logScale());
    connect(action, &QAction::toggled, this, &ChartPanel::setLogScale);
    ApplyChartCaptions(this, CurrentLanguage());
}

void ChartPanel::setLogScale(bool log) {
    if (log == d->adaptor->logScale()) return;
    d->adaptor->setLogScale(log);
    if (QAction* action = d->toolbar->findChild<QAction*>("ChartLog")) {
        const QSignalBlocker quiet(action);
        action->setChecked(log);
    }
    d->flush();
    emit logScaleChanged(log);
}

bool ChartPanel::logScale() const {
    return d->adaptor->logScale();
}

// --- toolbar, pictures --------------------------------------------------------------

void ChartPanel::setToolbarVisible(bool visible) {
    d->toolbar->setVisible(visible);
}

bool ChartPanel::toolbarVisible() const {
    return !d->toolbar->isHidden();
}

QImage ChartPanel::renderImage(QSize size) {
    d->flush();
    return RenderChart(*d->adaptor, size);
}

bool ChartPanel::savePicture(const QString& path, QSize size) {
    d->flush();
    return SaveChartPicture(*d->adaptor, path, size);
}

void ChartPanel::refresh() {
    d->flush();
}

QChart* ChartPanel::chart() const {
    return d->adaptor->chart();
}

QChartView* ChartPanel::chartView() const {
    return d->view;
}

QToolBar* ChartPanel::toolbar() const {
    return d->toolbar;
}

void ChartPanel::zoomIn() {
    d->flush();
    ZoomInOnData(*d->adaptor, d->model);
}

void ChartPanel::zoomOut() {
    d->flush();
    d->adaptor->chart()->zoomOut();
}

bool ChartPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel || watched != d->view->viewport())
        return QWidget::eventFilter(watched, event);
    auto* wheel = static_cast<QWheelEvent*>(event);
    const int delta = wheel->angleDelta().y();
    if (delta == 0) return false;
    d->flush();
    QChart* chart = d->adaptor->chart();
    const QPointF scene = d->view->mapToScene(wheel->position().toPoint());
    const QPointF at = chart->mapFromScene(scene);
    if (!chart->plotArea().contains(at)) return false;
    ZoomAround(*d->adaptor, chart->mapToValue(at), delta > 0 ? 0.8 : 1.25, false);
    return true;
}

void ChartPanel::resetZoom() {
    d->adaptor->chart()->zoomReset();
    d->adaptor->touchRanges();
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
        DefMessageDlg(Q(TextCis(msg::ErrorTitle)),
                      PlatformTextOf(PlatformText::ChartNotSaved).arg(path), BoxKind::Error,
                      BoxButtons::Ok, this);
    }
}

} // namespace tessavin::ui
