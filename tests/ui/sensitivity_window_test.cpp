// What drives the plan: the command on the results page follows the calculation, the window's
// table and tornado are the engine's analysis of the same study, a bad step runs nothing, Break
// keeps the result shown before, and a new calculation takes the result away.
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QtCharts/QChart>
#include <QtTest>
#include <cmath>

#include "main_window_fixture.h"
#include "sensitivity/sensitivity.h"
#include "statlib/number_text.h"
#include "ui/charts/tornado_chart.h"
#include "ui/common/string_grid.h"
#include "ui/windows/sensitivity_window.h"
#include "ui_test_registry.h"

using namespace tessavin;
using namespace tessavin::ui;
using sensitivity::SensitivityResult;

namespace {

// A table cell back as a number; NaN for "-".
double Number(const QString& text) {
    bool ok = false;
    const double v = text.toDouble(&ok);
    return ok ? v : std::nan("");
}

// The table writes probabilities with 13 significant digits, other numbers with 15.
bool Near(double shown, double exact, double relative) {
    return std::fabs(shown - exact) <= relative * std::fabs(exact);
}

QString Year(const std::optional<std::array<int, 2>>& first) {
    return first ? QString::number((*first)[1]) : QString("-");
}

QStringList LegendTexts(QChart* chart) {
    QStringList texts;
    for (QLegendMarker* m : chart->legend()->markers())
        texts << m->label();
    return texts;
}

} // namespace

class SensitivityWindowTest : public QObject, test::MainWindowFixture {
    Q_OBJECT

    SensitivityWindow* window() const { return w->sensitivityWindow(); }
    QPushButton* command() const { return find<QPushButton>("BCitlivost"); }
    template <class T> T* control(const char* name) const {
        return test::Control<T>(window(), name);
    }
    StringGrid* table() const { return control<StringGrid>("StringGrid1"); }

    // 16 classes and 70 years: the first inspection lies inside, the 29 runs are quick.
    void calculate() {
        edit("EdPocetIntervalu")->setText("16");
        edit("EdRokKon")->setText("70");
        QSignalSpy finished(w.get(), &MainWindow::calculationFinished);
        w->BPocitejClick();
        if (w->calculationRunning()) QVERIFY(finished.wait(60000));
    }
    // Opens the window by its command and waits for the run that opening starts.
    void openAndWait() {
        QSignalSpy finished(window(), &SensitivityWindow::finished);
        command()->click();
        QVERIFY(window()->isVisible());
        QVERIFY(window()->running());
        QVERIFY(control<QProgressBar>("Gauge1")->isVisible());
        QVERIFY(finished.wait(120000));
        QVERIFY(!window()->running());
        QVERIFY(!control<QProgressBar>("Gauge1")->isVisible());
    }

  private slots:
    void init() { openMainWindow(); }
    void cleanup() { closeMainWindow(); }

    void commandFollowsTheCalculation() {
        QVERIFY(!command()->isEnabled()); // nothing computed yet
        calculate();
        QVERIFY(command()->isEnabled());
        QCOMPARE(command()->text(), QString("What drives the plan..."));
        // New inputs make the calculation stale: the command goes with it.
        typeAndLeave("EdKonstC", "2.5E-13");
        QVERIFY(!command()->isEnabled());
    }

    // The window's table, tornado and kept result against the engine on one thread: the same
    // numbers, as the table writes them, and the same bits for any thread count.
    void showsTheEnginesAnalysis() {
        calculate();
        openAndWait();
        sensitivity::SensitivitySettings one;
        one.threads = 1;
        const SensitivityResult engine =
            sensitivity::AnalyseSensitivity(w->inputs(), w->state(), one);
        QVERIFY(engine.failure.empty());
        QCOMPARE(engine.rows.size(), std::size_t(14));

        const std::optional<SensitivityResult> kept = w->lastSensitivity();
        QVERIFY(kept);
        QCOMPARE(kept->rows.size(), engine.rows.size());
        QCOMPARE(kept->base.pF, engine.base.pF);
        QCOMPARE(window()->lastStep(), 0.1);

        TornadoChart* chart = window()->chart();
        QCOMPARE(chart->rowCount(), int(engine.rows.size()));
        QCOMPARE(table()->rowCount(), int(engine.rows.size()) + 1);
        for (std::size_t i = 0; i < engine.rows.size(); ++i) {
            const auto& e = engine.rows[i];
            const auto& k = kept->rows[i];
            const int r = int(i) + 1;
            QCOMPARE(QString(k.move.inputKey), QString(e.move.inputKey));
            QCOMPARE(k.atDown.pF, e.atDown.pF); // bit for bit
            QCOMPARE(k.atUp.pF, e.atUp.pF);
            QCOMPARE(table()->cell(1, r).remove('*'),
                     e.move.parameter == sensitivity::Parameter::Value ? QString("value")
                                                                       : e.move.parameterKey);
            QVERIFY(Near(Number(table()->cell(2, r)), e.base, 1e-14));
            QVERIFY(Near(Number(table()->cell(3, r)), e.down, 1e-14));
            QVERIFY(Near(Number(table()->cell(4, r)), e.up, 1e-14));
            QCOMPARE(table()->cell(5, r), Year(e.atDown.first));
            QCOMPARE(table()->cell(6, r), Year(e.atUp.first));
            QVERIFY(Near(Number(table()->cell(7, r)), *e.atDown.pF, 1e-12));
            QVERIFY(Near(Number(table()->cell(8, r)), *e.atUp.pF, 1e-12));
            if (e.elasticity) QVERIFY(Near(Number(table()->cell(9, r)), *e.elasticity, 1e-14));
            // The bars end at pF down and pF up, the widest swing on top.
            QVERIFY(Near(*chart->barEnd(int(i), false), *e.atDown.pF, 1e-12));
            QVERIFY(Near(*chart->barEnd(int(i), true), *e.atUp.pF, 1e-12));
            if (i > 0) QVERIFY(engine.rows[i - 1].swing >= e.swing);
        }
        QVERIFY(table()->isColumnHidden(10)); // the rule's plan: no next inspection
        QCOMPARE(LegendTexts(chart->chart()),
                 QStringList({"Parameter down by 10 %", "Parameter up by 10 %",
                              "Base pF = " + QString::number(*engine.base.pF, 'g', 4)}));
        QVERIFY(control<QLabel>("LZaklad")->text().contains(
            QString("pF in year %1 = ").arg(engine.referenceYear)));

        // The texts follow the language.
        w->switchLanguage(Language::Czech);
        QCOMPARE(table()->cell(0, 0), QString("Vstup"));
        QCOMPARE(LegendTexts(chart->chart()).first(), QString("Parametr dolů o 10 %"));
        QVERIFY(control<QLabel>("LZaklad")->text().startsWith("Základ: "));
        w->switchLanguage(Language::English);

        // A new calculation takes the result away: nothing of another study stays shown.
        window()->close();
        QVERIFY(w->isEnabled());
        calculate();
        QVERIFY(!w->lastSensitivity());
        QCOMPARE(chart->rowCount(), 0);
        QCOMPARE(table()->cell(0, 1), QString());
        QVERIFY(!control<QPushButton>("BSpustit")->isEnabled());
        QVERIFY(command()->isEnabled()); // and offers the analysis of the new one
    }

    void refusesABadStep_data() {
        QTest::addColumn<QString>("step");
        for (const char* s : {"0", "-0.1", "1", "1.5", "abc", "", "0,1", "nan", "inf"})
            QTest::addRow("'%s'", s) << QString(s);
    }
    void refusesABadStep() {
        QFETCH(QString, step);
        calculate();
        window()->setStudy(w->inputs(), w->state());
        QLineEdit* field = control<QLineEdit>("EdKrok");
        field->setText(step);
        dialogs->clear();
        control<QPushButton>("BSpustit")->click();
        QVERIFY(!window()->running());
        QVERIFY(!window()->lastResult());
        QCOMPARE(dialogs->boxes.size(), std::size_t(1));
        QVERIFY2(dialogs->texts().first().startsWith("Step (share of the value)"),
                 qPrintable(dialogs->texts().first()));
        QVERIFY(dialogs->texts().first().endsWith("'" + step + "'"));
        QCOMPARE(window()->focusWidget(), field);
    }

    // Break stops the runs; the result shown before stays, with its step.
    void breakKeepsTheResultShownBefore() {
        calculate();
        openAndWait();
        const QString shownCell = table()->cell(7, 1);
        dialogs->clear(); // the calculation's question
        control<QLineEdit>("EdKrok")->setText("0.2");
        QSignalSpy finished(window(), &SensitivityWindow::finished);
        control<QPushButton>("BSpustit")->click();
        QVERIFY(window()->running());
        QVERIFY(control<QPushButton>("BPrerus")->isEnabled());
        control<QPushButton>("BPrerus")->click();
        QVERIFY(finished.wait(60000));
        QVERIFY(!window()->running());
        QCOMPARE(window()->lastStep(), 0.1);
        QCOMPARE(table()->cell(7, 1), shownCell);
        QVERIFY(!control<QPushButton>("BPrerus")->isEnabled());
        QVERIFY(control<QPushButton>("BSpustit")->isEnabled());
        QCOMPARE(dialogs->texts(), QStringList());
    }

    // Round ticks within the range, each label distinct and reading back as its value.
    void tornadoTicksAreRoundAndReadable_data() {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::newRow("small pF") << 1.13e-4 << 1.87e-4;
        QTest::newRow("narrow around a value") << 0.0123401 << 0.0123467;
        QTest::newRow("from zero") << 0.0 << 0.93;
        QTest::newRow("across zero") << -2.5 << 3.5;
    }
    void tornadoTicksAreRoundAndReadable() {
        QFETCH(double, low);
        QFETCH(double, high);
        const std::vector<AxisTick> ticks = TornadoTicks(low, high);
        QVERIFY(ticks.size() >= 3 && ticks.size() <= 12);
        QSet<QString> labels;
        for (const AxisTick& t : ticks) {
            QVERIFY(t.value >= low && t.value <= high);
            QVERIFY(Near(t.label.toDouble(), t.value, 1e-12) || t.value == 0.0);
            labels.insert(t.label);
        }
        QCOMPARE(labels.size(), qsizetype(ticks.size()));
        QVERIFY(TornadoTicks(1.0, 1.0).empty());
    }
};

TESSAVIN_UI_TEST(SensitivityWindowTest, sensitivity_window_test)

#include "sensitivity_window_test.moc"
