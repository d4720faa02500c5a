// The chart panel on the offscreen platform: points and labels, axes, label thinning, pictures
// and the toolbar commands.
#include <QAction>
#include <QAreaSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QTemporaryDir>
#include <QToolBar>
#include <QValueAxis>
#include <QXmlStreamReader>
#include <QtTest>

#include "localisation/messages.h"
#include "scripted_interaction.h"
#include "shown_chart.h"
#include "ui/charts/chart_panel.h"
#include "ui_test_registry.h"

using tessavin::test::ScriptedInteraction;
using tessavin::test::ShowAt;
using tessavin::ui::ChartPanel;
using Type = ChartPanel::SeriesType;

namespace {

const QColor SeriesBlue(30, 60, 200);
const QColor Magenta(255, 0, 255);
const QColor Green(0, 170, 0);

QValueAxis* ValueAxis(const ChartPanel& panel) {
    return qobject_cast<QValueAxis*>(panel.chart()->axes(Qt::Vertical).value(0));
}

QCategoryAxis* LabelAxis(const ChartPanel& panel) {
    return qobject_cast<QCategoryAxis*>(panel.chart()->axes(Qt::Horizontal).value(0));
}

QStringList LegendEntries(const ChartPanel& panel) {
    QStringList entries;
    for (QLegendMarker* marker : panel.chart()->legend()->markers()) {
        if (marker->isVisible()) entries << marker->label();
    }
    return entries;
}

int PixelsOf(const QImage& image, const QColor& colour) {
    int n = 0;
    const QRgb wanted = colour.rgb();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (wanted & 0xFFFFFF);
    }
    return n;
}

} // namespace

class ChartPanelTest : public QObject {
    Q_OBJECT

  private slots:
    void pointsReadBackAndColoursAreDrawn_data();
    void pointsReadBackAndColoursAreDrawn();
    void seriesSharingLabelsShareXPositions();
    void pointsWithoutValueHoldTheirPlaceOnly();
    void clearingKeepsDefinitionsAndDropsUnusedLabels();
    void redefiningASeriesKeepsItsPoints();
    void titleLinesAndAxisTitlesThroughInvokeMethod();
    void legendListsTitledVisibleSeriesOnce();
    void bandSpansItsTwoLinesOnTheSharedLabels();
    void valueAxisFollowsVisibleData_data();
    void valueAxisFollowsVisibleData();
    void probabilityAxisSpansTheDataWithASmallMargin_data();
    void probabilityAxisSpansTheDataWithASmallMargin();
    void ceilingFramesTheValuesBelowIt();
    void zoomInStaysOnTheData();
    void labelSeparationThinsTheBottomAxis();
    void zoomedAxisLabelsStayInViewAndApart();
    void leftAxisTitleIsNeverCut();
    void zoomResetShowsDataAddedWhileZoomed();
    void savePictureWritesEachFormat_data();
    void savePictureWritesEachFormat();
    void savePictureToImpossiblePathFails();
    void toolbarSaveAsksForFileAndReportsFailure();
    void toolbarCopyPutsPictureOnClipboard();
    void renderImageAtOtherSizeLeavesPanelAlone();
    void manySeriesFilledPointByPointKeepEveryPoint();
};

void ChartPanelTest::pointsReadBackAndColoursAreDrawn_data() {
    QTest::addColumn<Type>("type");
    QTest::newRow("line") << Type::Line;
    QTest::newRow("histogram") << Type::Bar;
    QTest::newRow("area") << Type::Area;
    QTest::newRow("stacked bar") << Type::StackedBar;
}

void ChartPanelTest::pointsReadBackAndColoursAreDrawn() {
    QFETCH(Type, type);
    struct Case {
        double value;
        const char* label;
        QColor given;
        QColor expected;
    };
    const Case cases[] = {
        {0.25, "1990", Magenta, Magenta},
        {0.5, "1991", QColor(), SeriesBlue}, // no colour: the series colour
        {0.4, "1992", Green, Green},
        {-0.1, "1993", Magenta, Magenta},
    };
    ChartPanel panel;
    panel.addSeries("Series3", type, SeriesBlue, "Probability");
    for (const Case& c : cases)
        panel.addPoint("Series3", c.value, c.label, c.given);

    QCOMPARE(panel.pointCount("Series3"), int(std::size(cases)));
    for (int i = 0; i < int(std::size(cases)); ++i) {
        QCOMPARE(panel.pointValue("Series3", i), cases[i].value);
        QCOMPARE(panel.pointLabel("Series3", i), QString(cases[i].label));
        QCOMPARE(panel.pointColour("Series3", i), cases[i].expected);
        QCOMPARE(panel.pointPosition("Series3", i), i);
    }
    QCOMPARE(panel.pointColour("Series3", 4), QColor());
    QCOMPARE(panel.pointCount("NoSuchSeries"), 0);

    // Every point colour is on the picture.
    const QImage image = panel.renderImage(QSize(500, 350));
    QVERIFY(PixelsOf(image, Magenta) > 10);
    QVERIFY(PixelsOf(image, Green) > 10);
    QVERIFY(PixelsOf(image, SeriesBlue) > 10);
}

void ChartPanelTest::seriesSharingLabelsShareXPositions() {
    ChartPanel panel;
    panel.addSeries("Series1", Type::Line, Qt::red);
    panel.addSeries("Series2", Type::Line, Qt::blue);
    panel.addPoint("Series1", 1, "A");
    panel.addPoint("Series1", 2, "B");
    panel.addPoint("Series2", 3, "B");
    panel.addPoint("Series2", 4, "C");
    panel.addPoint("Series1", 5, "C");
    panel.addPoint("Series2", 6, "A");

    QCOMPARE(panel.categories(), QStringList({"A", "B", "C"}));
    QCOMPARE(panel.pointPosition("Series1", 1), panel.pointPosition("Series2", 0)); // B
    QCOMPARE(panel.pointPosition("Series1", 2), panel.pointPosition("Series2", 1)); // C
    QCOMPARE(panel.pointPosition("Series2", 2), 0);                                 // A
}

// A point without a value keeps the place of its label but is drawn nowhere: the line runs from
// the point before it to the point after it. A colour means nothing more: a white point with a
// value is drawn like any other.
void ChartPanelTest::pointsWithoutValueHoldTheirPlaceOnly() {
    ChartPanel panel;
    panel.addSeries("Series5", Type::Line, SeriesBlue);
    panel.addPointWithoutValue("Series5", "1990");
    panel.addPoint("Series5", 0.2, "1991");
    panel.addPointWithoutValue("Series5", "1992");
    panel.addPoint("Series5", 0.4, "1993", Qt::white);
    panel.refresh();

    QCOMPARE(panel.categories(), QStringList({"1990", "1991", "1992", "1993"}));
    QCOMPARE(panel.pointCount("Series5"), 4);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(panel.pointHasValue("Series5", i), i % 2 == 1);
        QCOMPARE(panel.pointPosition("Series5", i), i);
    }
    QCOMPARE(panel.pointValue("Series5", 2), 0.0);
    QVERIFY(!panel.pointHasValue("Series5", 4));

    // The line, and a marker layer for each colour (blue, white), hold the two values only.
    const QList<QAbstractSeries*> objects = panel.chart()->series();
    QCOMPARE(objects.size(), 3);
    for (QAbstractSeries* object : objects) {
        const auto* line = qobject_cast<QLineSeries*>(object);
        QVERIFY(line);
        for (const QPointF& p : line->points())
            QVERIFY2(p.x() == 1 || p.x() == 3, qPrintable(QString::number(p.x())));
    }
    QCOMPARE(qobject_cast<QLineSeries*>(objects.first())->points(),
             QList<QPointF>({{1, 0.2}, {3, 0.4}}));
}

void ChartPanelTest::clearingKeepsDefinitionsAndDropsUnusedLabels() {
    ChartPanel panel;
    panel.addSeries("HistogramSeries1", Type::Bar, Qt::gray, "Measured");
    panel.addSeries("HistogramSeries2", Type::Bar, Qt::red);
    panel.addPoint("HistogramSeries1", 1, "10");
    panel.addPoint("HistogramSeries1", 2, "20");
    panel.addPoint("HistogramSeries2", 3, "20");
    panel.addPoint("HistogramSeries2", 4, "30");

    panel.clearSeries("HistogramSeries1");
    QCOMPARE(panel.pointCount("HistogramSeries1"), 0);
    QCOMPARE(panel.pointCount("HistogramSeries2"), 2);
    QCOMPARE(panel.categories(), QStringList({"20", "30"}));
    QCOMPARE(panel.pointPosition("HistogramSeries2", 0), 0);
    QCOMPARE(panel.pointPosition("HistogramSeries2", 1), 1);

    panel.clearAll();
    QCOMPARE(panel.pointCount("HistogramSeries2"), 0);
    QVERIFY(panel.categories().isEmpty());
    QCOMPARE(panel.seriesNames(), QStringList({"HistogramSeries1", "HistogramSeries2"}));
    QCOMPARE(panel.legendTitle("HistogramSeries1"), QString("Measured"));

    panel.addPoint("HistogramSeries1", 7, "40");
    QCOMPARE(panel.pointPosition("HistogramSeries1", 0), 0);
    panel.refresh();
    QCOMPARE(LabelAxis(panel)->categoriesLabels(), QStringList({"40"}));
}

void ChartPanelTest::redefiningASeriesKeepsItsPoints() {
    ChartPanel panel;
    panel.addSeries("Series1", Type::Line, SeriesBlue, "Before");
    panel.addPoint("Series1", 1, "a");
    panel.addPoint("Series1", 2, "b", Magenta);
    QVERIFY(PixelsOf(panel.renderImage(QSize(400, 300)), SeriesBlue) > 10);

    // Points without a colour of their own follow the series colour.
    panel.addSeries("Series1", Type::Bar, Green, "After");
    QCOMPARE(panel.seriesType("Series1"), Type::Bar);
    QCOMPARE(panel.pointCount("Series1"), 2);
    QCOMPARE(panel.pointColour("Series1", 0), Green);
    QCOMPARE(panel.pointColour("Series1", 1), Magenta);
    const QImage image = panel.renderImage(QSize(400, 300));
    QVERIFY(PixelsOf(image, Green) > 10);
    QVERIFY(PixelsOf(image, Magenta) > 10);
    QCOMPARE(PixelsOf(image, SeriesBlue), 0); // the line is gone

    for (Type type : {Type::StackedBar, Type::Area, Type::Line}) {
        panel.addSeries("Series1", type, Green, "After");
        QVERIFY(PixelsOf(panel.renderImage(QSize(400, 300)), Magenta) > 10);
    }
}

void ChartPanelTest::titleLinesAndAxisTitlesThroughInvokeMethod() {
    ChartPanel panel;
    const QStringList lines{"Probability of failure", "Detail <7> & weld"};
    panel.setTitleLines(lines);
    QCOMPARE(panel.titleLines(), lines);
    QCOMPARE(panel.chart()->title(),
             QString("Probability of failure<br>Detail &lt;7&gt; &amp; weld"));

    // As the caption applier calls them.
    for (const char* axis : {"left", "bottom"}) {
        const QString title = QString("Title of ") + axis;
        QVERIFY(QMetaObject::invokeMethod(&panel, "setAxisTitle", Q_ARG(QString, axis),
                                          Q_ARG(QString, title)));
        QString back;
        QVERIFY(QMetaObject::invokeMethod(&panel, "axisTitle", Q_RETURN_ARG(QString, back),
                                          Q_ARG(QString, axis)));
        QCOMPARE(back, title);
    }
    QCOMPARE(ValueAxis(panel)->titleText(), QString("Title of left"));
    QCOMPARE(LabelAxis(panel)->titleText(), QString("Title of bottom"));
    panel.setAxisTitle("right", "nothing");
    QCOMPARE(panel.axisTitle("right"), QString());
}

void ChartPanelTest::legendListsTitledVisibleSeriesOnce() {
    ChartPanel panel;
    panel.addSeries("Series1", Type::Line, Qt::blue, "Mean");
    panel.addSeries("Series2", Type::Area, Qt::green); // no title: not in the legend
    panel.addSeries("HistogramSeries1", Type::Bar, Qt::gray, "Classes");
    panel.addSeries("Series5", Type::StackedBar, Qt::cyan, "Stack");
    for (const QString& name : panel.seriesNames()) {
        // Several colours per series: one legend entry all the same.
        panel.addPoint(name, 1, "a", Magenta);
        panel.addPoint(name, 2, "b");
        panel.addPoint(name, 3, "c", Green);
    }
    ShowAt(panel, QSize(600, 400));
    QCOMPARE(LegendEntries(panel), QStringList({"Mean", "Classes", "Stack"}));

    panel.setSeriesVisible("Series1", false);
    panel.setLegendTitle("Series2", "Median");
    panel.refresh();
    QCOMPARE(LegendEntries(panel), QStringList({"Median", "Classes", "Stack"}));

    panel.setLegendVisible(false);
    QVERIFY(!panel.legendVisible());
}

void ChartPanelTest::bandSpansItsTwoLinesOnTheSharedLabels() {
    ChartPanel panel;
    panel.addSeries("Curve", Type::Line, Qt::blue, "Curve");
    panel.addSeries("Band", Type::Band, Green, "Band");
    for (const char* label : {"10", "11", "12"})
        panel.addPoint("Curve", 0.1, label);
    // The band comes later, on two of the labels, and reaches below zero.
    panel.addBandPoint("Band", -0.5, 0.3, "12");
    panel.addBandPoint("Band", 0.05, 0.2, "11");
    panel.addBandPoint("Band", qQNaN(), 0.2, "10"); // no lower line: left out of the drawing
    ShowAt(panel, QSize(600, 400));

    QCOMPARE(panel.categories(), QStringList({"10", "11", "12"}));
    QCOMPARE(panel.pointPosition("Band", 0), 2);
    QCOMPARE(panel.pointLow("Band", 0), -0.5);
    QCOMPARE(panel.pointValue("Band", 0), 0.3);
    QCOMPARE(panel.pointLow("Curve", 0), 0.1); // no band: the value itself
    QCOMPARE(LegendEntries(panel), QStringList({"Curve", "Band"}));

    QAreaSeries* area = nullptr;
    for (QAbstractSeries* x : panel.chart()->series())
        if (auto* a = qobject_cast<QAreaSeries*>(x)) area = a;
    QVERIFY(area && area->lowerSeries());
    QCOMPARE(area->upperSeries()->points(), QList<QPointF>({{2, 0.3}, {1, 0.2}}));
    QCOMPARE(area->lowerSeries()->points(), QList<QPointF>({{2, -0.5}, {1, 0.05}}));
    QVERIFY(ValueAxis(panel)->min() <= -0.5);

    panel.clearSeries("Band");
    panel.refresh();
    QCOMPARE(area->upperSeries()->count(), 0);
    QCOMPARE(panel.categories().size(), 3); // the curve keeps its labels
}

void ChartPanelTest::valueAxisFollowsVisibleData_data() {
    QTest::addColumn<Type>("type");
    QTest::addColumn<QList<double>>("first");
    QTest::addColumn<QList<double>>("second");
    QTest::addColumn<double>("low");  // the axis reaches at least down to this
    QTest::addColumn<double>("high"); // and at least up to this
    QTest::newRow("probabilities start at 0")
        << Type::Line << QList<double>{0.2, 0.4} << QList<double>{0.3, 0.1} << 0.0 << 0.4;
    QTest::newRow("negative values")
        << Type::Area << QList<double>{-2.0, 1.0} << QList<double>{0.5, 0.5} << -2.0 << 1.0;
    QTest::newRow("histogram") << Type::Bar << QList<double>{5.0, 12.0} << QList<double>{3.0, 1.0}
                               << 0.0 << 12.0;
    QTest::newRow("stacks add up")
        << Type::StackedBar << QList<double>{0.3, 0.6} << QList<double>{0.5, 0.2} << 0.0 << 0.8;
}

void ChartPanelTest::valueAxisFollowsVisibleData() {
    QFETCH(Type, type);
    QFETCH(QList<double>, first);
    QFETCH(QList<double>, second);
    QFETCH(double, low);
    QFETCH(double, high);
    ChartPanel panel;
    panel.addSeries("Series1", type, Qt::red);
    panel.addSeries("Series2", type, Qt::blue);
    for (int i = 0; i < first.size(); ++i) {
        panel.addPoint("Series1", first[i], QString::number(i));
        panel.addPoint("Series2", second[i], QString::number(i));
    }
    panel.refresh();
    const QValueAxis* axis = ValueAxis(panel);
    QVERIFY2(axis->min() <= low && axis->max() > high,
             qPrintable(QString("%1 .. %2").arg(axis->min()).arg(axis->max())));
    const double span = high - low;
    QVERIFY(axis->min() >= low - span && axis->max() <= high + span); // not far off the data

    // A new point beyond the range widens it; a hidden series no longer counts.
    panel.addPoint("Series2", 10 * high + 1, "new");
    panel.refresh();
    QVERIFY(axis->max() > 10 * high + 1);
    panel.setSeriesVisible("Series2", false);
    panel.refresh();
    QVERIFY(axis->max() < 10 * high + 1);
}

// Probabilities fill the plot: the axis spans the data with a few per cent to spare (never a
// whole step of empty plot), negative values included, ticks on whole multiples of 0.1 or 0.2.
void ChartPanelTest::probabilityAxisSpansTheDataWithASmallMargin_data() {
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::newRow("0 .. 1") << QList<double>{0.0, 0.3, 1.0} << 0.0 << 1.0;
    QTest::newRow("negative pD") << QList<double>{-0.0075, 0.5, 1.0} << -0.0075 << 1.0;
    QTest::newRow("small") << QList<double>{0.005, 0.02, 0.03} << 0.0 << 0.03;
}

void ChartPanelTest::probabilityAxisSpansTheDataWithASmallMargin() {
    QFETCH(QList<double>, values);
    QFETCH(double, low);
    QFETCH(double, high);
    ChartPanel panel;
    panel.addSeries("Series1", Type::Line, Qt::blue);
    for (int i = 0; i < values.size(); ++i)
        panel.addPoint("Series1", values[i], QString::number(i));
    panel.refresh();
    const QValueAxis* axis = ValueAxis(panel);
    const double span = high - low;
    QVERIFY2(axis->min() <= low && axis->min() >= low - 0.1 * span,
             qPrintable(QString::number(axis->min())));
    QVERIFY2(axis->max() > high && axis->max() <= high + 0.1 * span,
             qPrintable(QString::number(axis->max())));
    if (low < 0) QVERIFY(axis->min() < low);
    QCOMPARE(axis->tickType(), QValueAxis::TicksDynamic);
    QCOMPARE(axis->tickAnchor(), 0.0);
    const double steps = span / axis->tickInterval();
    QVERIFY2(steps >= 3 && steps <= 12, qPrintable(QString::number(axis->tickInterval())));
}

// A ceiling frames the values below it; those above run out of the top of the plot.
void ChartPanelTest::ceilingFramesTheValuesBelowIt() {
    ChartPanel panel;
    panel.addSeries("LineSeries2", Type::Line, Qt::red);
    panel.addSeries("Series11", Type::Line, Qt::blue);
    for (int year = 0; year <= 100; ++year) {
        panel.addPoint("LineSeries2", 0.02277, QString::number(year));
        panel.addPoint("Series11", year / 100.0, QString::number(year));
    }
    panel.setValueCeiling(2 * 0.02277);
    panel.refresh();
    QVERIFY(ValueAxis(panel)->max() < 0.05);
    QVERIFY(ValueAxis(panel)->max() > 2 * 0.02277);
    panel.setValueCeiling(0);
    panel.refresh();
    QVERIFY(ValueAxis(panel)->max() > 1.0);
}

// Zoom in keeps the data in view, also when they lie far from the middle of the plot: here
// only years 80 .. 100 have values.
void ChartPanelTest::zoomInStaysOnTheData() {
    ChartPanel panel;
    panel.addSeries("Series1", Type::Line, Qt::blue);
    for (int year = 0; year <= 100; ++year) {
        if (year < 80)
            panel.addPointWithoutValue("Series1", QString::number(year));
        else
            panel.addPoint("Series1", (year - 80) / 20.0, QString::number(year));
    }
    ShowAt(panel, QSize(600, 400));
    panel.findChild<QAction*>("ChartZoomIn")->trigger();
    const QCategoryAxis* x = LabelAxis(panel);
    const QString view = QString("%1 .. %2").arg(x->min()).arg(x->max());
    QVERIFY2(x->max() - x->min() < 60, qPrintable(view)); // zoomed in by half
    QVERIFY2(x->min() >= 60 && x->min() <= 80 && x->max() >= 100, qPrintable(view));
    const QValueAxis* y = ValueAxis(panel);
    QVERIFY(y->min() <= 0.5 && y->max() >= 0.5);
}

void ChartPanelTest::labelSeparationThinsTheBottomAxis() {
    ChartPanel panel;
    panel.addSeries("LineSeries2", Type::Line, Qt::darkRed);
    for (int year = 0; year <= 150; ++year)
        panel.addPoint("LineSeries2", year * 1e-4, QString::number(1950 + year));
    QCategoryAxis* axis = LabelAxis(panel);
    const double width = QFontMetricsF(axis->labelsFont()).horizontalAdvance("2000");

    qsizetype previous = 151;
    for (int separation : {0, panel.labelSeparation(), 60}) {
        const QString row = QString("separation %1").arg(separation);
        panel.setLabelSeparation(separation);
        ShowAt(panel, QSize(560, 300));
        const QStringList shown = axis->categoriesLabels();
        QVERIFY2(shown.size() > 1 && shown.size() <= previous, qPrintable(row));
        previous = shown.size();
        // Every k-th label from the first, k the same throughout.
        const int step = int(axis->endValue(shown[1]));
        for (int i = 0; i < shown.size(); ++i)
            QCOMPARE(shown[i], QString::number(1950 + i * step));
        // No closer than their width plus the separation, and shown whole (not as "2…").
        const double pixelsPerClass =
            panel.chart()->plotArea().width() / (axis->max() - axis->min());
        QVERIFY2(step * pixelsPerClass >= width + separation, qPrintable(row));
        QVERIFY2(!axis->labelsTruncated(), qPrintable(row));
    }
    QVERIFY(previous < 151 / 10);

    // Few points on a wide chart: all labels.
    ChartPanel wide;
    wide.addSeries("Series1", Type::Bar, Qt::gray);
    for (const char* label : {"0-10", "10-20", "20-30", "30-40", "40-50"})
        wide.addPoint("Series1", 1, label);
    ShowAt(wide, QSize(900, 400));
    QCOMPARE(LabelAxis(wide)->categoriesLabels().size(), 5);
}

// Zoomed in, each label lies inside the plot and clears its neighbour; zoomed back, every
// class has its place again.
void ChartPanelTest::zoomedAxisLabelsStayInViewAndApart() {
    ChartPanel panel;
    panel.addSeries("Series1", Type::Line, Qt::blue);
    for (int year = 0; year <= 150; ++year)
        panel.addPoint("Series1", year * 1e-4, QString::number(year));
    ShowAt(panel, QSize(700, 400));
    QCategoryAxis* axis = LabelAxis(panel);
    const double width = QFontMetricsF(axis->labelsFont()).horizontalAdvance("150");
    for (const char* action : {"ChartZoomIn", "ChartZoomIn", "ChartZoomOut", "ChartZoomReset"}) {
        panel.findChild<QAction*>(action)->trigger();
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
            panel.refresh();
        }
        const QStringList shown = axis->categoriesLabels();
        QVERIFY2(shown.size() > 1, action);
        const double pixelsPerClass =
            panel.chart()->plotArea().width() / (axis->max() - axis->min());
        for (int i = 0; i < shown.size(); ++i) {
            const double at = axis->endValue(shown[i]);
            QVERIFY2(at >= axis->min() && at <= axis->max(), qPrintable(shown[i]));
            if (i > 0)
                QVERIFY2((at - axis->endValue(shown[i - 1])) * pixelsPerClass >= width,
                         qPrintable(shown[i]));
        }
    }
    QCOMPARE(axis->min(), -0.5);
}

// A plot too short for the value axis title on one line (a small panel with a legend) shows
// it one word a line, each line within the plot's height; a tall plot shows it as set.
void ChartPanelTest::leftAxisTitleIsNeverCut() {
    const QString title = QString::fromUtf8("Pravděpodobnost P(x)");
    for (const int height : {215, 500}) {
        ChartPanel panel;
        panel.addSeries("Series1", Type::Line, Qt::blue, "Method: 48 - 49");
        panel.addSeries("Series2", Type::Line, Green, "Simulation: 46 - 47");
        for (int year = 0; year <= 20; ++year) {
            panel.addPoint("Series1", year * 1e-3, QString::number(year));
            panel.addPoint("Series2", year * 1e-3, QString::number(year));
        }
        panel.setLegendVisible(true);
        panel.setAxisTitle("left", title);
        ShowAt(panel, QSize(420, height));
        const QFontMetricsF metrics(ValueAxis(panel)->titleFont());
        const qreal room = panel.chart()->plotArea().height();
        const QString shown = ValueAxis(panel)->titleText();
        QCOMPARE(panel.axisTitle("left"), title);
        QCOMPARE(shown == title, metrics.horizontalAdvance(title) + 4 <= room);
        QCOMPARE(shown == title, height == 500);
        for (const QString& line : shown.split("<br>"))
            QVERIFY2(metrics.horizontalAdvance(line) <= room, qPrintable(line));
    }
}

void ChartPanelTest::zoomResetShowsDataAddedWhileZoomed() {
    ChartPanel panel;
    panel.addSeries("Series1", Type::Line, Qt::red);
    for (int i = 0; i < 20; ++i)
        panel.addPoint("Series1", i, QString::number(i));
    ShowAt(panel, QSize(600, 400));
    QCategoryAxis* x = LabelAxis(panel);
    const double fullWidth = x->max() - x->min();

    panel.findChild<QAction*>("ChartZoomIn")->trigger();
    QVERIFY(x->max() - x->min() < fullWidth);
    for (int i = 20; i < 40; ++i)
        panel.addPoint("Series1", 100 + i, QString::number(i));
    panel.refresh();
    QVERIFY(x->max() - x->min() < fullWidth); // the user's zoom stays while data arrives

    panel.findChild<QAction*>("ChartZoomReset")->trigger();
    QCOMPARE(x->min(), -0.5);
    QCOMPARE(x->max(), 39.5);
    QVERIFY(ValueAxis(panel)->max() >= 139);
}

void ChartPanelTest::savePictureWritesEachFormat_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format"); // as QImageReader names it; empty: SVG
    QTest::newRow("png") << "chart.png" << QByteArray("png");
    QTest::newRow("jpeg") << "chart.jpg" << QByteArray("jpeg");
    QTest::newRow("bitmap") << "chart.BMP" << QByteArray("bmp");
    QTest::newRow("svg") << "chart.svg" << QByteArray();
}

void ChartPanelTest::savePictureWritesEachFormat() {
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    QTemporaryDir dir;
    ChartPanel panel;
    panel.setTitleLines({"Histogram", "Detail <7> & weld"});
    panel.addSeries("HistogramSeries1", Type::Bar, Qt::darkCyan, "Classes");
    for (int i = 0; i < 8; ++i)
        panel.addPoint("HistogramSeries1", i * i, QString::number(i));

    const QString path = dir.filePath(name);
    QVERIFY(panel.savePicture(path, QSize(640, 480)));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.size() > 0);
    if (format.isEmpty()) {
        const QByteArray svg = file.readAll();
        QVERIFY(svg.startsWith("<?xml"));
        QVERIFY(svg.left(300).contains("<svg"));
        QXmlStreamReader xml(svg);
        while (!xml.atEnd())
            xml.readNext();
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        return;
    }
    QImageReader reader(&file);
    QCOMPARE(reader.format(), format);
    QCOMPARE(reader.size(), QSize(640, 480));
}

void ChartPanelTest::savePictureToImpossiblePathFails() {
    QTemporaryDir dir;
    ChartPanel panel;
    for (const char* name : {"missing/chart.png", "missing/chart.svg"}) {
        QVERIFY(!panel.savePicture(dir.filePath(name)));
        QVERIFY(!QFile::exists(dir.filePath(name)));
    }
}

void ChartPanelTest::toolbarSaveAsksForFileAndReportsFailure() {
    QTemporaryDir dir;
    ScriptedInteraction script;
    ChartPanel panel;
    panel.setObjectName("Chart3");
    panel.addSeries("Series1", Type::Line, Qt::red);
    panel.addPoint("Series1", 0.5, "2000");
    QAction* save = panel.findChild<QToolBar*>("ChartToolbar")->findChild<QAction*>("ChartSave");
    QVERIFY(save);

    script.files = {dir.filePath("picture.jpg")};
    save->trigger();
    QCOMPARE(script.fileRequests.size(), size_t(1));
    const auto& request = script.fileRequests.front();
    QVERIFY(request.save);
    QCOMPARE(request.filter,
             QString("PNG picture (*.png);;JPEG picture (*.jpg);;SVG drawing (*.svg);;"
                     "Bitmap (*.bmp)"));
    QCOMPARE(QImageReader(dir.filePath("picture.jpg")).format(), QByteArray("jpeg"));
    QVERIFY(script.boxes.empty());

    save->trigger(); // cancelled: nothing happens
    QVERIFY(script.boxes.empty());

    const QString impossible = dir.filePath("missing/picture.png");
    script.files = {impossible};
    save->trigger();
    QCOMPARE(script.boxes.size(), size_t(1));
    QCOMPARE(script.boxes.front().kind, tessavin::BoxKind::Error);
    QCOMPARE(script.boxes.front().caption, QString::fromStdString(tessavin::TextCis(3)));
    QVERIFY(script.boxes.front().text.contains(impossible));
}

void ChartPanelTest::toolbarCopyPutsPictureOnClipboard() {
    ChartPanel panel;
    panel.addSeries("Series1", Type::Line, Magenta);
    panel.addPoint("Series1", 1, "a");
    panel.addPoint("Series1", 2, "b");
    ShowAt(panel, QSize(500, 300));
    QGuiApplication::clipboard()->clear();

    panel.findChild<QAction*>("ChartCopy")->trigger();
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), panel.chartView()->size());
    QVERIFY(PixelsOf(copied, Magenta) > 10);

    panel.setToolbarVisible(false);
    QVERIFY(!panel.toolbarVisible());
    QVERIFY(!panel.toolbar()->isVisible());
}

void ChartPanelTest::renderImageAtOtherSizeLeavesPanelAlone() {
    ChartPanel panel;
    panel.addSeries("Series1", Type::Line, Qt::red);
    for (int i = 0; i < 151; ++i)
        panel.addPoint("Series1", i, QString::number(1950 + i));
    ShowAt(panel, QSize(400, 300));
    const QSizeF chartSize = panel.chart()->size();
    const QStringList labels = LabelAxis(panel)->categoriesLabels();

    QCOMPARE(panel.renderImage(QSize(1600, 900)).size(), QSize(1600, 900));
    QCOMPARE(panel.chart()->size(), chartSize);
    QCOMPARE(LabelAxis(panel)->categoriesLabels(), labels);
}

void ChartPanelTest::manySeriesFilledPointByPointKeepEveryPoint() {
    ChartPanel panel;
    for (int s = 1; s <= 10; ++s)
        panel.addSeries(QString("Series%1").arg(s), Type::Line, QColor::fromHsv(s * 30, 200, 200));
    for (int year = 0; year <= 150; ++year) {
        for (int s = 1; s <= 10; ++s) {
            panel.addPoint(QString("Series%1").arg(s), s * year * 1e-6,
                           QString::number(2000 + year), year % 10 ? QColor() : QColor(Qt::red));
        }
        panel.refresh(); // the chart catches up after each year
    }
    // A year at a time, as a calculation fills the chart: every point and label is kept.
    QCOMPARE(panel.pointCount("Series10"), 151);
    QCOMPARE(panel.categories().size(), 151);
    QCOMPARE(panel.pointColour("Series1", 10), QColor(Qt::red));
    QCOMPARE(panel.pointLabel("Series5", 150), QString("2150"));
}

TESSAVIN_UI_TEST(ChartPanelTest, chart_panel_test)
#include "chart_panel_test.moc"
