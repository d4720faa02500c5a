// The axis arithmetic of the charts by tables of hand-worked cases: the nice steps, the value
// axis over the data (margin, zero, ceiling, room above), the label step of the bottom axis
// the spans of a zoom, and the decades of the log probability axis. The reference values are worked
// out in the comments beside them.
#include <QtTest>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "ui/charts/axis_arithmetic.h"
#include "ui_test_registry.h"

using namespace tessavin::ui;

class AxisArithmeticTest : public QObject {
    Q_OBJECT

  private slots:
    void niceStepIsOneTwoOrFiveTimesADecade_data();
    void niceStepIsOneTwoOrFiveTimesADecade();
    void roundStepFollowsOneTwoFive_data();
    void roundStepFollowsOneTwoFive();
    void linearAxisFramesTheDataAndZero_data();
    void linearAxisFramesTheDataAndZero();
    void labelStepKeepsLabelsApart_data();
    void labelStepKeepsLabelsApart();
    void shownLabelsAreEveryStepThInView_data();
    void shownLabelsAreEveryStepThInView();
    void zoomedSpanKeepsItsCentreOrItsPoint_data();
    void zoomedSpanKeepsItsCentreOrItsPoint();
    void logPositionLeavesOutWhatTheAxisCannotShow_data();
    void logPositionLeavesOutWhatTheAxisCannotShow();
    void logAxisSpansWholeDecades_data();
    void logAxisSpansWholeDecades();
};

void AxisArithmeticTest::niceStepIsOneTwoOrFiveTimesADecade_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("step");
    QTest::newRow("a whole decade stays") << 1.0 << 1.0;
    QTest::newRow("just above a decade") << 1.01 << 2.0;
    QTest::newRow("between 2 and 5") << 0.3 << 0.5;
    QTest::newRow("above 5: the next decade") << 7.0 << 10.0;
    QTest::newRow("a small probability step") << 2e-5 << 2e-5;
    QTest::newRow("large") << 1234.0 << 2000.0;
}

void AxisArithmeticTest::niceStepIsOneTwoOrFiveTimesADecade() {
    QFETCH(double, x);
    QFETCH(double, step);
    QCOMPARE(NiceStep(x), step);
}

void AxisArithmeticTest::roundStepFollowsOneTwoFive_data() {
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("step");
    const std::pair<int, int> cases[] = {{-3, 1},  {0, 1},    {1, 1},     {2, 2},
                                         {3, 5},   {5, 5},    {6, 10},    {11, 20},
                                         {21, 50}, {51, 100}, {101, 200}, {4999, 5000}};
    for (auto [k, step] : cases)
        QTest::addRow("%d", k) << k << step;
}

void AxisArithmeticTest::roundStepFollowsOneTwoFive() {
    QFETCH(int, k);
    QFETCH(int, step);
    QCOMPARE(RoundStep(k), step);
}

void AxisArithmeticTest::linearAxisFramesTheDataAndZero_data() {
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<double>("ceiling");
    QTest::addColumn<int>("topRoom");
    QTest::addColumn<double>("plotHeight");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("step");
    const double none = std::nan("");
    // span s = hi - lo over the data and 0; a margin of 0.04 s beyond a side away from zero;
    // step = NiceStep(s / 6).
    QTest::newRow("no data: 0 .. 1") << none << none << 0.0 << 0 << 0.0 << 0.0 << 1.04 << 0.2;
    QTest::newRow("probabilities start at 0")
        << 0.1 << 0.5 << 0.0 << 0 << 0.0 << 0.0 << 0.52 << 0.1; // s 0.5, s/6 0.083
    QTest::newRow("both signs: margins both sides")
        << -1.0 << 3.0 << 0.0 << 0 << 0.0 << -1.16 << 3.16 << 1.0; // s 4, s/6 0.67
    QTest::newRow("all below zero: ends at 0")
        << -5.0 << -1.0 << 0.0 << 0 << 0.0 << -5.2 << 0.0 << 1.0; // s 5, s/6 0.83
    QTest::newRow("small probabilities")
        << 0.0 << 2.277e-2 << 0.0 << 0 << 0.0 << 0.0 << 2.277e-2 * 1.04 << 0.005; // s/6 3.8E-3
    QTest::newRow("ceiling below the data ends the axis")
        << 0.0 << 0.3 << 0.1 << 0 << 0.0 << 0.0 << 0.104 << 0.02; // s 0.1, s/6 0.0167
    QTest::newRow("ceiling above the data: no effect")
        << 0.0 << 0.3 << 0.5 << 0 << 0.0 << 0.0 << 0.312 << 0.05; // s 0.3, s/6 0.05
    QTest::newRow("room above: 50 of 250 pixels")
        << 0.0 << 1.0 << 0.0 << 50 << 250.0 << 0.0 << 1.3 << 0.5; // hi 1 * 250 / 200 = 1.25
    QTest::newRow("room above a plot too short for it: none")
        << 0.0 << 1.0 << 0.0 << 50 << 90.0 << 0.0 << 1.04 << 0.2;
    QTest::newRow("room above the ceiling")
        << 0.0 << 0.3 << 0.1 << 100 << 500.0 << 0.0 << 0.13 << 0.05; // hi 0.1 * 500 / 400
}

void AxisArithmeticTest::linearAxisFramesTheDataAndZero() {
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(double, ceiling);
    QFETCH(int, topRoom);
    QFETCH(double, plotHeight);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(double, step);
    ValueExtent extent;
    for (double value : {low, high})
        if (!std::isnan(value)) extent.include(value);
    const AxisRange range = LinearAxis(extent, {ceiling, topRoom, plotHeight});
    // The reference values are decimal fractions: equal to rounding.
    const double tolerance = 1e-12;
    QVERIFY2(std::abs(range.min - min) <= tolerance, qPrintable(QString::number(range.min)));
    QVERIFY2(std::abs(range.max - max) <= tolerance, qPrintable(QString::number(range.max)));
    QVERIFY2(std::abs(range.step - step) <= tolerance, qPrintable(QString::number(range.step)));
}

void AxisArithmeticTest::labelStepKeepsLabelsApart_data() {
    QTest::addColumn<int>("labels");
    QTest::addColumn<double>("widest");
    QTest::addColumn<int>("separation");
    QTest::addColumn<double>("span");
    QTest::addColumn<double>("width");
    QTest::addColumn<int>("step");
    // Pixels a class p = width / span; k = ceil((widest + separation) / p); step = RoundStep(k).
    QTest::newRow("room for every label") << 10 << 20.0 << 8 << 10.0 << 400.0 << 1; // k 0.7
    QTest::newRow("exactly two classes a label") << 10 << 12.0 << 8 << 10.0 << 100.0 << 2;
    QTest::newRow("three classes: every fifth") << 10 << 22.0 << 8 << 10.0 << 100.0 << 5;
    QTest::newRow("151 years on 450 pixels") << 151 << 30.0 << 8 << 151.0 << 450.0 << 20; // k 13
    QTest::newRow("zoomed to 20 classes") << 151 << 30.0 << 8 << 20.0 << 450.0 << 2;      // k 1.7
    QTest::newRow("no labels") << 0 << 30.0 << 8 << 1.0 << 450.0 << 1;
    QTest::newRow("not laid out yet") << 151 << 30.0 << 8 << 151.0 << 0.0 << 1;
}

void AxisArithmeticTest::labelStepKeepsLabelsApart() {
    QFETCH(int, labels);
    QFETCH(double, widest);
    QFETCH(int, separation);
    QFETCH(double, span);
    QFETCH(double, width);
    QFETCH(int, step);
    QCOMPARE(LabelStep(labels, widest, separation, span, width), step);
}

void AxisArithmeticTest::shownLabelsAreEveryStepThInView_data() {
    QTest::addColumn<int>("labels");
    QTest::addColumn<int>("step");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("last");
    QTest::addColumn<QList<int>>("shown");
    QTest::newRow("whole axis") << 10 << 2 << -0.5 << 9.5 << QList<int>{0, 2, 4, 6, 8};
    QTest::newRow("zoomed: the grid of the whole stays")
        << 10 << 2 << 2.5 << 7.2 << QList<int>{4, 6};
    QTest::newRow("every label") << 3 << 1 << -0.5 << 2.5 << QList<int>{0, 1, 2};
    QTest::newRow("no labels") << 0 << 1 << -0.5 << 0.5 << QList<int>{};
}

void AxisArithmeticTest::shownLabelsAreEveryStepThInView() {
    QFETCH(int, labels);
    QFETCH(int, step);
    QFETCH(double, first);
    QFETCH(double, last);
    QFETCH(QList<int>, shown);
    const std::vector<int> positions = ShownLabels(labels, step, first, last);
    QCOMPARE(QList<int>(positions.begin(), positions.end()), shown);
}

void AxisArithmeticTest::zoomedSpanKeepsItsCentreOrItsPoint_data() {
    QTest::addColumn<double>("at");
    QTest::addColumn<double>("factor");
    QTest::addColumn<bool>("centred");
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    // The span 0 .. 10 throughout.
    QTest::newRow("in by half, centred on 8") << 8.0 << 0.5 << true << 5.5 << 10.5;
    QTest::newRow("wheel in at 8") << 8.0 << 0.8 << false << 1.6 << 9.6;     // 8 -/+ (8, 2) * 0.8
    QTest::newRow("wheel out at 8") << 8.0 << 1.25 << false << -2.0 << 10.5; // (8, 2) * 1.25
}

void AxisArithmeticTest::zoomedSpanKeepsItsCentreOrItsPoint() {
    QFETCH(double, at);
    QFETCH(double, factor);
    QFETCH(bool, centred);
    QFETCH(double, low);
    QFETCH(double, high);
    const Span span = ZoomedSpan({0.0, 10.0}, at, factor, centred);
    QCOMPARE(span.low, low);
    QCOMPARE(span.high, high);
}

void AxisArithmeticTest::logPositionLeavesOutWhatTheAxisCannotShow_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<double>("position"); // log10(value), by hand
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("zero: left out") << 0.0 << false << 0.0;
    QTest::newRow("negative: left out") << -1e-3 << false << 0.0;
    QTest::newRow("NaN: left out") << std::nan("") << false << 0.0;
    QTest::newRow("infinity: left out") << inf << false << 0.0;
    QTest::newRow("below 1E-20: left out") << 1e-21 << false << 0.0;
    QTest::newRow("1E-20: the lowest shown") << 1e-20 << true << -20.0;
    QTest::newRow("1E-6") << 1e-6 << true << -6.0;
    QTest::newRow("one half") << 0.5 << true << -0.30102999566398120; // log10(2) = 0.30103
    QTest::newRow("certainty") << 1.0 << true << 0.0;
}

void AxisArithmeticTest::logPositionLeavesOutWhatTheAxisCannotShow() {
    QFETCH(double, value);
    QFETCH(bool, shown);
    QFETCH(double, position);
    const std::optional<double> at = LogPosition(value);
    QCOMPARE(at.has_value(), shown);
    if (shown) QVERIFY(std::abs(*at - position) < 1e-14); // log10 to within a few ulps
}

void AxisArithmeticTest::logAxisSpansWholeDecades_data() {
    QTest::addColumn<bool>("empty");
    QTest::addColumn<double>("lowValue"); // probabilities; the extent is their LogPosition
    QTest::addColumn<double>("highValue");
    QTest::addColumn<int>("mostLabels");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("step");
    QTest::addColumn<QStringList>("labels"); // top down
    const QStringList sixDecades = {"1", "1E-1", "1E-2", "1E-3", "1E-4", "1E-5", "1E-6"};
    QTest::newRow("nothing shown: 1E-6 to 1")
        << true << 0.0 << 0.0 << 10 << -6.0 << 0.0 << 1.0 << sixDecades;
    QTest::newRow("2E-5 to 0.03: 1E-5 to 1E-1")
        << false << 2e-5 << 0.03 << 10 << -5.0 << -1.0 << 1.0
        << QStringList{"1E-1", "1E-2", "1E-3", "1E-4", "1E-5"};
    QTest::newRow("whole decades stay: 1E-6 to 1")
        << false << 1e-6 << 1.0 << 10 << -6.0 << 0.0 << 1.0 << sixDecades;
    QTest::newRow("one value: its decade")
        << false << 3e-4 << 3e-4 << 10 << -4.0 << -3.0 << 1.0 << QStringList{"1E-3", "1E-4"};
    QTest::newRow("one value on a decade: one decade up")
        << false << 1e-3 << 1e-3 << 10 << -3.0 << -2.0 << 1.0 << QStringList{"1E-2", "1E-3"};
    // 20 decades over at most 10 labels: every 2nd, 1 kept at the top.
    QTest::newRow("1E-20 to 1: every second decade")
        << false << 1e-20 << 1.0 << 10 << -20.0 << 0.0 << 2.0
        << QStringList{"1",     "1E-2",  "1E-4",  "1E-6",  "1E-8", "1E-10",
                       "1E-12", "1E-14", "1E-16", "1E-18", "1E-20"};
    // 7 decades, at most 3 labels: 7 > 2·3, so every 5th.
    QTest::newRow("1E-7 to 1 on a short axis: every fifth")
        << false << 1e-7 << 1.0 << 3 << -7.0 << 0.0 << 5.0 << QStringList{"1", "1E-5"};
}

void AxisArithmeticTest::logAxisSpansWholeDecades() {
    QFETCH(bool, empty);
    QFETCH(double, lowValue);
    QFETCH(double, highValue);
    QFETCH(int, mostLabels);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(double, step);
    QFETCH(QStringList, labels);
    ValueExtent shown;
    if (!empty) {
        shown.include(*LogPosition(lowValue));
        shown.include(*LogPosition(highValue));
    }
    const AxisRange range = LogAxis(shown, mostLabels);
    QCOMPARE(range, (AxisRange{min, max, step}));
    QStringList texts;
    for (int decade : LabelledDecades(range))
        texts << QString::fromStdString(DecadeLabel(decade));
    QCOMPARE(texts, labels);
}

TESSAVIN_UI_TEST(AxisArithmeticTest, axis_arithmetic_test)
#include "axis_arithmetic_test.moc"
