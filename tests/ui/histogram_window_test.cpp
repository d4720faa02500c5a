// The histogram window TForm2: chart and tables of each kind, axis mode, saving, characteristics
// and closing on loss of the focus.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "histogram/characteristics.h"
#include "histogram/dis_writer.h"
#include "localisation/language.h"
#include "localisation/messages.h"
#include "scripted_interaction.h"
#include "statlib/number_text.h"
#include "ui/charts/chart_panel.h"
#include "ui/charts/histogram_chart.h"
#include "ui/common/interaction.h"
#include "ui/common/string_grid.h"
#include "ui/windows/histogram_window.h"
#include "ui_test_registry.h"
#include "widget_lookup.h"

using tessavin::DiscreteHistogram;
using tessavin::test::Control;
using tessavin::ui::ChartPanel;
using tessavin::ui::HistogramWindow;
using tessavin::ui::StringGrid;

namespace {

// A triangular histogram of `bins` classes from xFirst in steps of `step`.
DiscreteHistogram Triangle(int bins, double xFirst, double step, double total) {
    DiscreteHistogram h;
    h.Bins = bins;
    h.XFirst = xFirst;
    h.Step = step;
    h.XLast = xFirst + (bins - 1) * step;
    h.Total = total;
    double sum = 0;
    for (int i = 1; i <= bins; ++i)
        sum += h.P[i] = std::min(i, bins + 1 - i);
    for (int i = 1; i <= bins; ++i)
        h.P[i] /= sum;
    return h;
}

QString Str(const std::string& s) {
    return QString::fromStdString(s);
}

QStringList Labels(const ChartPanel& chart) {
    QStringList labels;
    for (int i = 0; i < chart.pointCount("Series1"); ++i)
        labels << chart.pointLabel("Series1", i);
    return labels;
}

} // namespace

class HistogramWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { tessavin::SetLanguage(tessavin::Language::English); }

    void titlesAndBars_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("indexCaption");
        QTest::newRow("input 3") << 10
                                 << "Parametric distribution : Normal  F ( x |  Mi=1 , Sigma=2"
                                 << "Index x";
        QTest::newRow("R(ad)") << 4 << "not used by results"
                               << "Index  x";
    }
    void titlesAndBars() {
        QFETCH(int, kind);
        QFETCH(QString, description);
        QFETCH(QString, indexCaption);
        tessavin::test::ScriptedInteraction script;
        HistogramWindow w;
        w.setAxisMode(0);
        const DiscreteHistogram h = Triangle(32, 10, 0.5, 5000);
        w.showHistogram(kind, h, "Caption", description);

        auto* chart = Control<ChartPanel>(w, "Chart1");
        const QStringList title = chart->titleLines();
        QCOMPARE(title.size(), 2);
        QCOMPARE(title[0], QString("Histogram :  Caption"));
        if (kind >= 8) {
            QCOMPARE(title[1], description);
        } else {
            QVERIFY2(title[1].startsWith(" ( ") && title[1].endsWith(" )") &&
                         title[1].contains(" , "),
                     qPrintable(title[1]));
        }
        QCOMPARE(chart->axisTitle("bottom"), indexCaption);
        QCOMPARE(chart->axisTitle("left"), Str(tessavin::TextCis(260)));
        QCOMPARE(chart->pointCount("Series1"), 32);
        QCOMPARE(chart->pointValue("Series1", 16), h.P[17]);
        QCOMPARE(chart->pointColour("Series1", 0), QColor(0xA6, 0xCA, 0xF0));
        QCOMPARE(Labels(*chart).front(), QString("0"));
        QCOMPARE(Labels(*chart).back(), QString("31"));
        QVERIFY(w.isVisible());
        QVERIFY(Control<QToolButton>(w, "BUlozit")->isVisible());
        // The window keeps its own copy.
        QCOMPARE(w.shown().P[5], h.P[5]);
        QCOMPARE(w.kind(), kind);
    }

    void basicTable_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("total");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("totalText");
        const QString million = Str(tessavin::StrNaCarku(1000000));
        QTest::newRow("input below") << 8 << 999999.0 << " 5"
                                     << " 999999";
        QTest::newRow("input at") << 8 << 1000000.0 << " 5" << million;
        QTest::newRow("Sn below") << 3 << 999999.0 << " 5"
                                  << " 999999";
        QTest::newRow("R(ad) below") << 4 << 999999.0 << "5"
                                     << "999999";
        QTest::newRow("R(ad) at") << 4 << 1000000.0 << "5" << million;
    }
    void basicTable() {
        QFETCH(int, kind);
        QFETCH(double, total);
        QFETCH(QString, count);
        QFETCH(QString, totalText);
        tessavin::test::ScriptedInteraction script;
        HistogramWindow w;
        const DiscreteHistogram h = Triangle(5, -2.5, 1.25, total);
        w.showHistogram(kind, h, "x", "y");
        auto* grid = Control<StringGrid>(w, "StringGrid3");
        QCOMPARE(grid->rowCount(), 5);
        const QStringList names{"Number of intervals", "Min", "Max", "Probability summation",
                                "Frequency summation"};
        const QStringList values{count, "-2.5", "2.5", Str(tessavin::StrNaCarku(1.0)), totalText};
        for (int row = 0; row < 5; ++row) {
            QCOMPARE(grid->cell(0, row), names[row]);
            QCOMPARE(grid->cell(1, row), values[row]);
        }
    }

    void classTable() {
        tessavin::test::ScriptedInteraction script;
        HistogramWindow w;
        const DiscreteHistogram h = Triangle(32, 1, 2, 100);
        w.showHistogram(5, h, "R", "");
        auto* grid = Control<StringGrid>(w, "StringGrid2");
        QCOMPARE(grid->rowCount(), 2 * 32 + 3);
        QCOMPARE(grid->columnCount(), 3);
        auto row = [grid](int r) {
            return QStringList{grid->cell(0, r), grid->cell(1, r), grid->cell(2, r)};
        };
        const auto s = [](double x) { return Str(tessavin::StrNaCarku(x)); };
        QCOMPARE(row(0), (QStringList{"  INT", "        x", "      P(x)"}));
        QCOMPARE(row(1), (QStringList{"", "0", ""}));
        QCOMPARE(row(2), (QStringList{"   1", "1", s(h.P[1])}));
        QCOMPARE(row(3), (QStringList{"", "2", ""}));
        QCOMPARE(row(64), (QStringList{"  32", "63", s(h.P[32])}));
        QCOMPARE(row(65), (QStringList{"", "64", ""}));
        QCOMPARE(row(66), (QStringList{"", Str(tessavin::TextCis(47)), s(1.0)}));

        // Colour highlighting: class rows and the total row, and nothing once switched off.
        auto fill = [grid](int c, int r) { return grid->item(r, c)->background().color(); };
        const auto none = [grid](int c, int r) {
            return grid->item(r, c)->background().style() == Qt::NoBrush;
        };
        QCOMPARE(fill(0, 2), QColor(0xE1, 0xE1, 0xFF));
        QCOMPARE(fill(2, 64), QColor(0xE1, 0xE1, 0xFF));
        QVERIFY(none(1, 3));
        QVERIFY(none(0, 66));
        QCOMPARE(fill(1, 66), QColor(0xFF, 0xCB, 0xB3));
        w.setColourHighlighting(false);
        QVERIFY(none(0, 2) && none(1, 66));

        // The layout without edges, as the raw data window uses it.
        StringGrid plain("plain", 3, 2, 1, 0);
        tessavin::ui::FillHistogramTable(plain, h, false);
        QCOMPARE(plain.rowCount(), 32 + 2);
        QCOMPARE(plain.cell(1, 32), QString("63"));
        QCOMPARE(plain.cell(1, 33), Str(tessavin::TextCis(47)));
    }

    void axisModeSwitchRedraws() {
        tessavin::test::ScriptedInteraction script;
        HistogramWindow w;
        w.setAxisMode(1);
        const DiscreteHistogram h = Triangle(8, 0.001, 0.0025, 100);
        w.showHistogram(6, h, "U", "");
        auto* chart = Control<ChartPanel>(w, "Chart1");
        QStringList values;
        for (int i = 1; i <= 8; ++i)
            values << Str(tessavin::StrBottomGraf(h.XFirst + (i - 1) * h.Step));
        QCOMPARE(Labels(*chart), values);
        QCOMPARE(chart->axisTitle("bottom"), Str(tessavin::TextCis(261)));

        QSignalSpy spy(&w, &HistogramWindow::axisModeChanged);
        Control<QComboBox>(w, "CBValInd")->setCurrentIndex(0);
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.front().front().toInt(), 0);
        QCOMPARE(Labels(*chart), (QStringList{"0", "1", "2", "3", "4", "5", "6", "7"}));
        QCOMPARE(chart->axisTitle("bottom"), QString("Index  x"));
        QCOMPARE(Control<StringGrid>(w, "StringGrid2")->rowCount(), 2 * 8 + 3);

        // The menu's choice sets the list only.
        w.setAxisMode(1);
        QCOMPARE(w.axisMode(), 1);
        QCOMPARE(spy.size(), 1);
        QCOMPARE(Labels(*chart).front(), QString("0"));

        // Classes finer than the four digits of a value label still get a bar each.
        w.showHistogram(6, Triangle(8, 1000, 0.01, 100), "U", "");
        QCOMPARE(chart->categories().size(), 8);
        QVERIFY(chart->pointLabel("Series1", 1).startsWith("1000"));
    }

    void saveWritesDisFile() {
        tessavin::test::ScriptedInteraction script;
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString cwd = QDir::currentPath();
        HistogramWindow w;
        w.setSaveFolder(dir.path());
        const DiscreteHistogram h = Triangle(10, 1, 1, 1234);
        w.showHistogram(9, h, "In", "d");
        const QString path = dir.filePath("h.dis");

        script.files.push_back(path);
        w.saveHistogram();
        QCOMPARE(script.fileRequests.size(), size_t(1));
        const auto& request = script.fileRequests.front();
        QVERIFY(request.save);
        QCOMPARE(request.directory, dir.path());
        QCOMPARE(request.suggestedName, QString("Histogram"));
        QCOMPARE(request.defaultSuffix, QString("dis"));
        QVERIFY(script.boxes.empty()); // a new file: no question
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().toStdString(), tessavin::DisFileText(h, "h.dis"));
        file.close();

        // The file exists now: No keeps it as it is.
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("old");
        file.close();
        script.files.push_back(path);
        script.answers.push_back(tessavin::ui::BoxNo);
        w.saveHistogram();
        QCOMPARE(script.boxes.size(), size_t(1));
        QCOMPARE(script.boxes.front().caption, Str(tessavin::TextCis(2)));
        QCOMPARE(script.boxes.front().text,
                 Str(tessavin::FormatMessage(tessavin::TextCis(6), path.toStdString())));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("old"));
        QDir::setCurrent(cwd);
    }

    void characteristicsOfShownHistogram() {
        tessavin::test::ScriptedInteraction script;
        HistogramWindow w;
        const DiscreteHistogram sn = Triangle(12, 100, 20, 5000);
        w.showHistogram(3, sn, "Sn", "");
        w.showHistogram(8, Triangle(5, 0, 1, 10), "In", "d"); // another kind in between
        w.showHistogram(3, sn, "Sn", "");
        const QString line2 = Control<ChartPanel>(w, "Chart1")->titleLines().at(1);
        w.showCharacteristics();
        QCOMPARE(script.boxes.size(), size_t(1));
        QCOMPARE(script.boxes.front().caption, Str(tessavin::TextCis(79)));
        const auto expected = tessavin::HistogramCharacteristics(
            "Histogram : " + line2.toStdString(), std::span<const double>(sn.P.data() + 1, 1024),
            12, 100, 320, 5000);
        QCOMPARE(script.boxes.front().text, Str(expected.text));

        // One class: nothing to characterise.
        w.showHistogram(4, Triangle(1, 0, 1, 1), "R", "");
        w.showCharacteristics();
        QCOMPARE(script.boxes.size(), size_t(1));
    }

    void closesOnDeactivation() {
        tessavin::test::ScriptedInteraction script;
        HistogramWindow w;
        QSignalSpy closed(&w, &HistogramWindow::closed);
        w.showHistogram(2, Triangle(4, 0, 1, 10), "Nn", "");
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(closed.size(), 1);
    }

    void chartToolbarPanel() {
        HistogramWindow w;
        w.show();
        auto* panel = Control<QWidget>(w, "Panel1");
        const int screenWidth = w.screen()->availableGeometry().width();
        w.resize(screenWidth, 600);
        QTRY_VERIFY(panel->isVisible());
        w.setToolbarWanted(false);
        QVERIFY(!panel->isVisible());
        w.setToolbarWanted(true);
        w.resize(screenWidth - 10, 600);
        QTRY_VERIFY(!panel->isVisible());
    }
};

TESSAVIN_UI_TEST(HistogramWindowTest, histogram_window_test)
#include "histogram_window_test.moc"
