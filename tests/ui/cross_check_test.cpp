// The cross-check by simulation on the results page: offered after a calculation, drawn as a
// curve and a band with both first inspections in the legend, stopped by Break, and removed by
// new inputs or a new calculation.
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>
#include <chrono>
#include <thread>

#include "localisation/messages.h"
#include "main_window_fixture.h"
#include "ui/charts/chart_panel.h"
#include "ui/main/cross_check.h"
#include "ui_test_registry.h"

using namespace tessavin;
using namespace tessavin::ui;

namespace {

const QString kCurve = "CrossCheckCurve";
const QString kBand = "CrossCheckBand";

// The legend as the chart panel keeps it: the titled series, in the order of their definition
// (that Qt draws them so is the chart panel's own test).
QStringList LegendEntries(ChartPanel* chart) {
    QStringList entries;
    if (!chart->legendVisible()) return entries;
    for (const QString& name : chart->seriesNames())
        if (!chart->legendTitle(name).isEmpty()) entries << chart->legendTitle(name);
    return entries;
}

} // namespace

class CrossCheckTest : public QObject, test::MainWindowFixture {
    Q_OBJECT

    CrossCheck* crossCheck() const { return w->findChild<CrossCheck*>("CrossCheck"); }
    ChartPanel* chart() const { return find<ChartPanel>("Chart3"); }
    QPushButton* command() const { return find<QPushButton>("BCrossCheck"); }

    void calculate() {
        calculateShortStudy();
        QVERIFY(chart()->pointCount("Series11") > 0);
    }
    // Runs the cross-check with `samples` and waits for its end; `during` runs while it works.
    void crossCheckWith(long long samples, const std::function<void()>& during = {}) {
        crossCheck()->setSamples(samples);
        QSignalSpy finished(crossCheck(), &CrossCheck::finished);
        command()->click();
        QVERIFY(crossCheck()->running());
        QVERIFY(find<QPushButton>("BPrerus")->isVisible());
        QVERIFY(!command()->isEnabled() || !command()->isEnabledTo(w.get()));
        if (during) during();
        QVERIFY(finished.wait(60000));
        QVERIFY(!crossCheck()->running());
        QVERIFY(!find<QPushButton>("BPrerus")->isVisible());
        QVERIFY(!find<QProgressBar>("Gauge1")->isVisible());
    }
    QList<double> curve() const {
        QList<double> values;
        for (int i = 0; i < chart()->pointCount(kCurve); ++i)
            values << chart()->pointValue(kCurve, i);
        return values;
    }
    void verifyNoDrawing() {
        QCOMPARE(chart()->pointCount(kCurve), 0);
        QCOMPARE(chart()->pointCount(kBand), 0);
        QCOMPARE(LegendEntries(chart()), QStringList());
    }

  private slots:
    void init() { openMainWindow(); }
    void cleanup() { closeMainWindow(); }

    void drawsCurveBandAndBothFirstInspections() {
        QVERIFY(!command()->isEnabled()); // no results yet
        calculate();
        QVERIFY(command()->isEnabled());
        QCOMPARE(command()->text(), QString("Cross-check by simulation"));
        crossCheckWith(20000);

        // One point per year of the method's curve, on the same labels, inside its band.
        const int years = chart()->pointCount("Series11");
        QCOMPARE(chart()->pointCount(kCurve), years);
        QCOMPARE(chart()->pointCount(kBand), years);
        for (int i = 0; i < years; ++i) {
            QCOMPARE(chart()->pointLabel(kCurve, i), chart()->pointLabel("Series11", i));
            const double pF = chart()->pointValue(kCurve, i);
            QVERIFY(pF >= 0 && pF <= 1);
            QVERIFY(chart()->pointLow(kBand, i) <= pF && pF <= chart()->pointValue(kBand, i));
        }
        // pF grows over the period: the band is wider than nothing where pF is neither 0 nor 1.
        QVERIFY(chart()->pointValue(kBand, years - 1) > chart()->pointLow(kBand, years - 1));

        const QStringList legend = LegendEntries(chart());
        QCOMPARE(legend.size(), 3);
        const QString method = find<QLabel>("LProhl")->text().section(": ", 1).trimmed();
        QCOMPARE(legend[0], "Method: " + method);
        QCOMPARE(legend[1], QString("± 2 SE"));
        QVERIFY2(QRegularExpression("^Simulation: \\d+ - \\d+$").match(legend[2]).hasMatch(),
                 qPrintable(legend[2]));

        // The same seed and samples give the same curve; the legend follows the language.
        const QList<double> first = curve();
        crossCheckWith(20000);
        QCOMPARE(curve(), first);
        w->switchLanguage(Language::Czech);
        QVERIFY(LegendEntries(chart()).contains("± 2 sm. ch."));
        QCOMPARE(command()->text(), QString("Kontrola simulací"));
    }

    void breakStopsTheRunAndDrawsNothing() {
        calculate();
        dialogs->clear();
        // Far more samples than can be drawn before Break is answered.
        crossCheckWith(100000000, [this] { w->BPrerusClick(); });
        QCOMPARE(dialogs->texts(), QStringList{Q(TextCis(216))});
        verifyNoDrawing();
        QVERIFY(command()->isEnabled()); // it can be run again
        QVERIFY(find<QPushButton>("BPocitej")->isEnabled());
    }

    // Break in the last moment: the worker has finished, its outcome is still on the way to the
    // window. Nothing is left to break, so there is no question, and the run is drawn.
    void breakAfterTheWorkerFinishedAsksNothing() {
        calculate();
        dialogs->clear();
        crossCheck()->setSamples(2000);
        QSignalSpy finished(crossCheck(), &CrossCheck::finished);
        command()->click();
        while (crossCheck()->simulating()) // no events: the outcome stays queued
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        w->BPrerusClick();
        QCOMPARE(dialogs->texts(), QStringList());
        QVERIFY(finished.wait(60000));
        QVERIFY(chart()->pointCount(kCurve) > 0);
    }

    // The outcome arrives while the break question is open: it waits for the answer, and Yes
    // breaks the run as it would have a moment earlier.
    void outcomeDuringTheBreakQuestionFollowsTheAnswer_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("Yes") << BoxYes << false;
        QTest::newRow("No") << BoxNo << true;
    }
    void outcomeDuringTheBreakQuestionFollowsTheAnswer() {
        QFETCH(int, answer);
        QFETCH(bool, drawn);
        calculate();
        // Answers only once the run has ended and its outcome has reached the window.
        struct AnswerAfterTheEnd final : Interaction {
            CrossCheck* check;
            int answer;
            int asked = 0;
            int ask(QWidget*, const BoxRequest&) override {
                ++asked;
                while (check->simulating())
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
                QTest::qWait(100);
                return answer;
            }
            QString chooseFile(QWidget*, const FileRequest&) override { return {}; }
        } late;
        late.check = crossCheck();
        late.answer = answer;
        SetUserInteraction(&late);
        crossCheck()->setSamples(300000);
        QSignalSpy finished(crossCheck(), &CrossCheck::finished);
        command()->click();
        QVERIFY(crossCheck()->simulating());
        w->BPrerusClick();
        SetUserInteraction(dialogs.get());
        QCOMPARE(late.asked, 1);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!crossCheck()->running());
        QCOMPARE(chart()->pointCount(kCurve) > 0, drawn);
        QVERIFY(find<QPushButton>("BPocitej")->isEnabled());
    }

    // The progress bar that appears while it runs takes no room from the summary panel: its
    // lines keep their places and the crack-origin line keeps its "INT=…".
    void summaryKeepsItsPlaceWhileItRuns() {
        calculate();
        QWidget* summary = find<QWidget>("GroupBox1");
        QLabel* origin = find<QLabel>("Label15");
        QCoreApplication::processEvents();
        const QRect box = summary->geometry(), line = origin->geometry();
        QVERIFY(origin->text().endsWith("INT=16"));
        QVERIFY(origin->height() >= origin->heightForWidth(origin->width()));
        crossCheckWith(100000000, [&] {
            QVERIFY(find<QProgressBar>("Gauge1")->isVisible());
            QCoreApplication::processEvents();
            QCOMPARE(summary->geometry(), box);
            QCOMPARE(origin->geometry(), line);
            w->BPrerusClick();
        });
    }

    void resultsClearedWhileItRunsStopItAndFreeTheWindow() {
        calculate();
        crossCheck()->setSamples(100000000);
        command()->click();
        QVERIFY(crossCheck()->running());
        w->resetResults(); // as the default values do, reachable by their shortcut
        QVERIFY(!crossCheck()->running());
        QVERIFY(!find<QPushButton>("BPrerus")->isVisible());
        QVERIFY(find<QPushButton>("BPocitej")->isEnabled());
        QTest::qWait(50); // the stopped run's report, if any, is dropped
        verifyNoDrawing();
        QVERIFY(!command()->isEnabled());
    }

    void aRefusedModelShowsAnErrorBoxAndDrawsNothing() {
        calculate();
        dialogs->clear();
        w->state().inputs.ready[5] = false; // the simulation finds no histogram of a0
        command()->click();
        QVERIFY(!crossCheck()->running());
        QCOMPARE(dialogs->boxes.size(), size_t(1));
        QCOMPARE(dialogs->boxes[0].kind, BoxKind::Error);
        QVERIFY2(dialogs->boxes[0].text.startsWith("The cross-check by simulation failed: input 5"),
                 qPrintable(dialogs->boxes[0].text));
        verifyNoDrawing();
        QVERIFY(find<QPushButton>("BPocitej")->isEnabled());
    }

    void newInputsOrANewCalculationRemoveTheDrawing_data() {
        QTest::addColumn<bool>("newCalculation");
        QTest::newRow("new input") << false;
        QTest::newRow("new calculation") << true;
    }
    void newInputsOrANewCalculationRemoveTheDrawing() {
        QFETCH(bool, newCalculation);
        calculate();
        crossCheckWith(20000);
        QVERIFY(chart()->pointCount(kCurve) > 0);
        if (newCalculation) {
            calculate();
            QVERIFY(command()->isEnabled());
        } else {
            QLineEdit* c = edit("EdKonstC");
            c->setFocus();
            c->setText("2.3E-13");
            find<QPushButton>("BPocitej")->setFocus(Qt::TabFocusReason);
            QCoreApplication::processEvents();
            QVERIFY(!command()->isEnabled());
        }
        verifyNoDrawing();
    }
};

TESSAVIN_UI_TEST(CrossCheckTest, cross_check_test)

#include "cross_check_test.moc"
