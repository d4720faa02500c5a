// The log scale of a probability chart on the offscreen platform: the toolbar's choice, the left
// axis of decades labelled 1E-6 … 1, zeros left out of the plot, and the way back to linear.
#include <QAction>
#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QSignalSpy>
#include <QToolBar>
#include <QValueAxis>
#include <QtTest>
#include <cmath>

#include "shown_chart.h"
#include "ui/charts/chart_panel.h"
#include "ui_test_registry.h"

using tessavin::test::ShowAt;
using tessavin::ui::ChartPanel;
using Type = ChartPanel::SeriesType;

namespace {

const QColor Red(255, 0, 0);

// The drawn line of a series (the marker layers have no pen).
QLineSeries* DrawnLine(const ChartPanel& panel) {
    for (QAbstractSeries* s : panel.chart()->series())
        if (auto* line = qobject_cast<QLineSeries*>(s); line && line->pen().style() != Qt::NoPen)
            return line;
    return nullptr;
}

QList<qreal> Ys(const QLineSeries* line) {
    QList<qreal> ys;
    for (const QPointF& p : line->points())
        ys << p.y();
    return ys;
}

} // namespace

class ChartLogScaleTest : public QObject {
    Q_OBJECT

  private slots:
    void probabilitiesGoOnDecadesAndZerosAreLeftOut() {
        ChartPanel panel;
        panel.addSeries("pF", Type::Line, Red);
        QVERIFY(!panel.toolbar()->findChild<QAction*>("ChartLog")); // offered, not by default
        panel.offerLogScale();
        panel.setAxisTitle("left", "Probability");
        // p(F) of four years: 0 in the first.
        const double values[] = {0.0, 1e-6, 2e-3, 0.5};
        for (int i = 0; i < 4; ++i)
            panel.addPoint("pF", values[i], QString::number(i));
        ShowAt(panel, QSize(600, 400));

        QAction* log = panel.toolbar()->findChild<QAction*>("ChartLog");
        QVERIFY(log && log->isCheckable() && !log->isChecked());
        QCOMPARE(log->text(), QString("Log"));
        QSignalSpy changed(&panel, &ChartPanel::logScaleChanged);
        log->trigger();
        QVERIFY(panel.logScale());
        QCOMPARE(changed.count(), 1);
        ShowAt(panel, QSize(600, 400));

        // One left axis, of decades: 1E-6 (the lowest value's) up to 1 (above 0.5).
        const QList<QAbstractAxis*> left = panel.chart()->axes(Qt::Vertical);
        QCOMPARE(left.size(), 1);
        auto* decades = qobject_cast<QCategoryAxis*>(left[0]);
        QVERIFY(decades);
        QCOMPARE(decades->categoriesLabels(),
                 (QStringList{"1E-6", "1E-5", "1E-4", "1E-3", "1E-2", "1E-1", "1"}));
        QCOMPARE(decades->min(), -6.0);
        QCOMPARE(decades->max(), 0.0);
        QCOMPARE(decades->titleText(), QString("Probability"));
        // Year 0's zero is not drawn at all; the others at log10 of their value.
        QLineSeries* line = DrawnLine(panel);
        QVERIFY(line);
        const QList<qreal> ys = Ys(line);
        QCOMPARE(ys.size(), 3);
        QCOMPARE(line->points().front().x(), 1.0);
        const double expected[] = {-6.0, std::log10(2e-3), std::log10(0.5)};
        for (int i = 0; i < 3; ++i)
            QVERIFY(std::abs(ys[i] - expected[i]) < 1e-12);
        // The model keeps the probabilities as they are.
        QCOMPARE(panel.pointValue("pF", 2), 2e-3);

        // Back to linear: a value axis again, every point at its value.
        panel.setLogScale(false);
        QVERIFY(!log->isChecked());
        QCOMPARE(changed.count(), 2);
        ShowAt(panel, QSize(600, 400));
        QCOMPARE(panel.chart()->axes(Qt::Vertical).size(), 1);
        QVERIFY(!qobject_cast<QCategoryAxis*>(panel.chart()->axes(Qt::Vertical)[0]));
        QCOMPARE(Ys(DrawnLine(panel)), (QList<qreal>{0.0, 1e-6, 2e-3, 0.5}));
    }

    // Nothing but zeros on the log scale: nothing drawn, the axis shows 1E-6 … 1.
    void onlyZerosDrawNothing() {
        ChartPanel panel;
        panel.addSeries("pF", Type::Line, Red);
        panel.offerLogScale();
        panel.setLogScale(true);
        for (int i = 0; i < 3; ++i)
            panel.addPoint("pF", 0.0, QString::number(i));
        ShowAt(panel, QSize(600, 400));
        QCOMPARE(DrawnLine(panel)->count(), 0);
        auto* decades = qobject_cast<QCategoryAxis*>(panel.chart()->axes(Qt::Vertical).value(0));
        QVERIFY(decades);
        QCOMPARE(decades->categoriesLabels().front().trimmed(), QString("1E-6"));
        QCOMPARE(decades->categoriesLabels().back(), QString("1"));
    }
};

TESSAVIN_UI_TEST(ChartLogScaleTest, chart_log_scale_test)

#include "chart_log_scale_test.moc"
