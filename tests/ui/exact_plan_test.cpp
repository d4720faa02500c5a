// The exact plan in the main window: chosen in the integration window, computed after the rule's
// plan, shown beside it on the inspections page and as the sawtooth on the inspection chart; the
// field of past inspections and its refusals.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <variant>
#include <vector>

#include "exactplan/plan_of_calculation.h"
#include "main_window_fixture.h"
#include "ui/charts/chart_panel.h"
#include "ui/common/string_grid.h"
#include "ui/main/main_window.h"
#include "ui/windows/integration_window.h"
#include "ui_test_registry.h"

using namespace tessavin;
using namespace tessavin::ui;

class ExactPlanTest : public QObject, test::MainWindowFixture {
    Q_OBJECT

    StringGrid* grid(const char* name) const { return find<StringGrid>(name); }

    void calculate() {
        QSignalSpy finished(w.get(), &MainWindow::calculationFinished);
        w->BPocitejClick();
        if (w->calculationRunning()) QVERIFY(finished.wait(60000));
    }
    // 16 classes per input, years 0 .. end, every year.
    void smallInputs(const char* end) {
        edit("EdPocetIntervalu")->setText("16");
        edit("EdRokKon")->setText(end);
        typeAndLeave("EdRokKon", end);
    }
    void choosePlan(int index) {
        auto* combo = w->integrationWindow()->findChild<QComboBox*>("CBPlan");
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    // The exact plan of the window's last run, computed again by the engine on one thread.
    exactplan::ExactPlanResult EnginePlan() const {
        auto computed = exactplan::ExactPlanOfCalculation(w->inputs(), w->state().inputs, 1);
        if (const auto* f = std::get_if<Failure>(&computed)) qFatal("%s", f->text.c_str());
        return std::get<exactplan::ExactPlanResult>(computed);
    }
    QStringList ruleTable() const {
        QStringList cells;
        for (int r = 0; r < grid("StringGrid5")->rowCount(); ++r)
            cells << grid("StringGrid5")->cell(0, r) << grid("StringGrid5")->cell(1, r);
        return cells;
    }

  private slots:
    void init() { openMainWindow(); }
    void cleanup() { closeMainWindow(); }

    // The rule's table is the same with and without the exact plan; the exact table, the plan
    // line and the chart follow the engine's plan; choosing the rule again drops them.
    void exactPlanShowsBesideTheRule() {
        smallInputs("120");
        dialogs->clear();
        calculate();
        const QStringList rule = ruleTable();
        QVERIFY(grid("StringGrid6")->isHidden());
        QCOMPARE(find<QLabel>("LPlan")->text(), QString("Plan: the rule's"));

        choosePlan(1);
        QVERIFY(w->inputs().integration.exactPlan);
        dialogs->clear();
        calculate();
        QVERIFY2(dialogs->boxes.size() <= 1, qPrintable(dialogs->texts().join(" / ")));
        QCOMPARE(ruleTable(), rule);
        const exactplan::ExactPlanResult plan = EnginePlan();
        QVERIFY(!plan.inspections.empty());
        StringGrid* exact = grid("StringGrid6");
        QVERIFY(!exact->isHidden());
        QVERIFY(!find<QLabel>("LPlanPresny")->isHidden());
        QVERIFY(!find<QLabel>("LPlanPravidla")->isHidden());
        QCOMPARE(exact->rowCount(), static_cast<int>(plan.inspections.size()) + 1);
        for (std::size_t k = 0; k < plan.inspections.size(); ++k) {
            const int row = static_cast<int>(k) + 1;
            QCOMPARE(exact->cell(1, row),
                     QString("%1 - %2").arg(plan.inspections[k].from).arg(plan.inspections[k].to));
            QCOMPARE(exact->cell(2, row), QString::number(plan.inspections[k].made));
        }
        QCOMPARE(find<QLabel>("LPlan")->text(),
                 QString("Plans: the rule's and the exact (first %1 - %2)")
                     .arg(plan.inspections[0].from)
                     .arg(plan.inspections[0].to));

        // The sawtooth: p(F) up to the first inspection, then from 0 after each one.
        auto* chart = find<ChartPanel>("Chart3");
        const int first = plan.conditionedOn[0];
        QCOMPARE(chart->pointLabel("Exact0", chart->pointCount("Exact0") - 1),
                 QString::number(first));
        QCOMPARE(chart->pointLabel("Exact1", 0), QString::number(first));
        QCOMPARE(chart->pointValue("Exact1", 0), 0.0);
        QVERIFY(chart->pointValue("Exact1", chart->pointCount("Exact1") - 1) > 0.0);
        QCOMPARE(chart->seriesColour("Exact1"), chart->seriesColour("Exact0"));

        choosePlan(0);
        QVERIFY(grid("StringGrid6")->isHidden());
        QCOMPARE(chart->pointCount("Exact0"), 0);
        dialogs->clear();
        calculate();
        QCOMPARE(ruleTable(), rule);
        QVERIFY(grid("StringGrid6")->isHidden());
        QCOMPARE(chart->pointCount("Exact1"), 0);
    }

    void pastInspectionsRefuseBadYears_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("letters") << "5O"
                                 << "5O is not a whole number of years";
        QTest::newRow("exponent") << "1e3"
                                  << "1e3 is not a whole number of years";
        QTest::newRow("too long") << "12345678901"
                                  << "12345678901 is not a whole number of years";
        QTest::newRow("decreasing") << "50, 40"
                                    << "40 does not follow 50 (the years must increase strictly)";
        QTest::newRow("repeated") << "50 50"
                                  << "50 does not follow 50 (the years must increase strictly)";
        QTest::newRow("after the end") << "60, 130"
                                       << "130 lies outside the period 0 .. 120";
        QTest::newRow("negative") << "-1"
                                  << "-1 lies outside the period 0 .. 120";
    }
    // Leaving the field and starting a run both refuse, naming the field and the value; the
    // run does not start.
    void pastInspectionsRefuseBadYears() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        smallInputs("120");
        choosePlan(1);
        dialogs->clear();
        typeAndLeave("EdProhlidky", text);
        QCOMPARE(dialogs->boxes.size(), std::size_t(1));
        QCOMPARE(dialogs->boxes[0].text, "Inspections without a find, years: " + message);
        dialogs->clear();
        w->BPocitejClick();
        QVERIFY(!w->calculationRunning());
        QVERIFY2(dialogs->boxes.size() == 1, qPrintable(dialogs->texts().join(" / ")));
        QCOMPARE(dialogs->boxes[0].text, "Inspections without a find, years: " + message);
        QVERIFY(grid("StringGrid6")->isHidden());
    }

    // Accepted years condition the exact plan, which plans on from the last of them.
    void pastInspectionsConditionThePlan() {
        smallInputs("120");
        choosePlan(1);
        dialogs->clear();
        typeAndLeave("EdProhlidky", "30; 40");
        QVERIFY(dialogs->boxes.empty());
        QCOMPARE(w->inputs().inspected, (std::vector<int>{30, 40}));
        calculate();
        const exactplan::ExactPlanResult plan = EnginePlan();
        QCOMPARE(plan.conditionedOn.front(), 30);
        QVERIFY(!find<QLabel>("LPlanPresnyPozn")->isHidden());
        QVERIFY(find<QLabel>("LPlanPresnyPozn")
                    ->text()
                    .startsWith("Past inspections without a find: 30, 40"));
        if (!plan.inspections.empty()) QVERIFY(grid("StringGrid6")->cell(2, 1).toInt() > 40);
        auto* chart = find<ChartPanel>("Chart3");
        QCOMPARE(chart->pointLabel("Exact1", 0), QString("30"));
        QCOMPARE(chart->pointLabel("Exact2", 0), QString("40"));
    }

    // The field's label follows the language, and so does the refusal that names the field (a
    // separator on the results page has the label's objectName).
    void pastInspectionsNamedInTheLanguage() {
        w->switchLanguage(Language::Czech);
        QCOMPARE(find<QLabel>("Label40")->text(), QString("Prohlídky bez nálezu, roky:"));
        dialogs->clear();
        typeAndLeave("EdProhlidky", "5O");
        QCOMPARE(dialogs->boxes.size(), std::size_t(1));
        QVERIFY2(dialogs->boxes[0].text.startsWith("Prohlídky bez nálezu, roky: 5O"),
                 qPrintable(dialogs->boxes[0].text));
        w->switchLanguage(Language::English);
        QCOMPARE(find<QLabel>("Label40")->text(), QString("Inspections without a find, years:"));
    }
};

TESSAVIN_UI_TEST(ExactPlanTest, exact_plan_test)
#include "exact_plan_test.moc"
