// The reliability index on the desktop, driven through the real main window: β beside p(F) in
// the year table, the target field (number, preset, refused text), the year below the target,
// the β(t) chart, β in the saved results only when asked, and the log scale and target kept
// across a restart.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <cmath>

#include "common/number_parse.h"
#include "decision/reliability_index.h"
#include "decision/target_presets.h"
#include "files/settings_file.h"
#include "main_window_fixture.h"
#include "ui/charts/chart_panel.h"
#include "ui/common/string_grid.h"
#include "ui/main/results_page.h"
#include "ui/main/target_beta_box.h"
#include "ui/main/workbook_export.h"
#include "ui/windows/event_graph_window.h"
#include "ui_test_registry.h"

using namespace tessavin;
using namespace tessavin::ui;

namespace {

QString IniPath() {
    return QString::fromLocal8Bit(qgetenv("TESSAVIN_INI"));
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// One member of a workbook (a zip archive), read with the unzip command.
QString WorkbookMember(const QString& file, const QString& member) {
    QProcess unzip;
    unzip.start("unzip", {"-p", file, member});
    unzip.waitForFinished(10000);
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

int PresetIndex(const char* id) {
    const auto presets = TargetPresets();
    for (std::size_t i = 0; i < presets.size(); ++i)
        if (std::string(presets[i].id) == id) return static_cast<int>(i);
    return -1;
}

} // namespace

class ReliabilityTargetTest : public QObject, public test::MainWindowFixture {
    Q_OBJECT

    QComboBox* field() const { return find<QComboBox>("CBCilBeta"); }

    // Types into the target field and accepts the text with Return.
    void typeTarget(const QString& text) {
        QLineEdit* line = field()->lineEdit();
        line->setFocus();
        line->selectAll();
        QTest::keyClicks(line, text);
        QTest::keyClick(line, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    void choosePreset(const char* id) {
        const int index = PresetIndex(id);
        QVERIFY(index >= 0);
        field()->setCurrentIndex(index);
        emit field()->activated(index);
    }
    // 16 classes per input and years 0 .. end: a quick calculation that finds inspections.
    void smallRun(const char* end) {
        edit("EdPocetIntervalu")->setText("16");
        typeAndLeave("EdRokKon", end);
        calculate();
        dialogs->clear();
    }

  private slots:
    void init() {
        QFile::remove(IniPath());
        openMainWindow();
    }
    void cleanup() {
        closeMainWindow();
        for (QWidget* t : QApplication::topLevelWidgets())
            t->hide();
        QFile::remove(IniPath());
    }

    // Every row's β is −Φ⁻¹ of its p(F): the table's p(F) text has 13 significant digits, which
    // moves β by less than 1e-9 at these probabilities (dβ = dp / φ(β)); ∞ where p(F) = 0.
    void betaColumnStandsBesidePF() {
        smallRun("80");
        auto* years = find<StringGrid>("StringGrid3");
        QCOMPARE(years->columnCount(), 5);
        QCOMPARE(years->cell(4, 0).trimmed(), QString("β"));
        int finite = 0, infinite = 0;
        for (int r = 1; r < years->rowCount(); ++r) {
            const auto pF = ParseReal(S(years->cell(3, r)));
            QVERIFY2(pF, qPrintable(years->cell(3, r)));
            const QString beta = years->cell(4, r);
            if (*pF == 0.0) {
                QCOMPARE(beta, QString("∞"));
                ++infinite;
                continue;
            }
            const auto shown = ParseReal(S(beta));
            QVERIFY2(shown, qPrintable(beta));
            QVERIFY2(std::abs(*shown - *ReliabilityIndex(*pF)) < 1e-9, qPrintable(beta));
            ++finite;
        }
        QVERIFY(finite > 10);
        // 16 classes put p(F) > 0 from year 0 on: "∞" is checked wherever a p(F) is 0.
        Q_UNUSED(infinite);
        // pF = 1 and 0 as the table writes them.
        QCOMPARE(BetaCellText(1.0), QString("-∞"));
        QCOMPARE(BetaCellText(0.0), QString("∞"));
        QCOMPARE(BetaCellText(-0.1), QString());
    }

    // A number, a preset with its source and its conversion, and a text that is neither.
    void targetFieldTakesANumberOrAPreset() {
        QLabel* conversion = find<QLabel>("LCilBetaPrevod");
        typeTarget("3.8");
        QCOMPARE(w->findChild<ResultsPage*>()->targetBeta(), std::optional<double>(3.8));
        QCOMPARE(conversion->text(), QString("1 year: 3.80"));
        QVERIFY(dialogs->boxes.empty());

        // EN 1990 RC2 over 50 years: Φ(β_1)^50 = Φ(3.8) gives p_1 = 1 − (1 − 7.2348e-5)^(1/50)
        // = 1.4470e-6 and β_1 = 4.68 (the table's one-year 4.7, rounded there).
        choosePreset("en1990-rc2-50y");
        QCOMPARE(w->findChild<ResultsPage*>()->targetBeta(), std::optional<double>(3.8));
        QCOMPARE(conversion->text(), QString("1 year: 4.68"));
        const int rc2 = PresetIndex("en1990-rc2-50y");
        QCOMPARE(field()->itemData(rc2, Qt::ToolTipRole).toString(),
                 QString("EN 1990, Annex B, Table B2: recommended minimum values of β, ultimate "
                         "limit states"));
        QCOMPARE(field()->itemData(PresetIndex("jcss-large-low"), Qt::ToolTipRole).toString(),
                 QString("JCSS Probabilistic Model Code, Part 1, Table 2.1: ultimate limit "
                         "states, one-year reference period"));
        QVERIFY(conversion->toolTip().contains("Φ(β_n) = Φ(β_1)^n"));

        // Not a number: a box naming the field, the target in effect stays, the field keeps
        // the focus and the text for correcting.
        w->activateWindow();
        typeTarget("3,8x");
        QCOMPARE(dialogs->boxes.size(), std::size_t(1));
        QVERIFY(dialogs->boxes[0].text.startsWith("Target β: '3,8x'"));
        QCOMPARE(w->findChild<ResultsPage*>()->targetBeta(), std::optional<double>(3.8));
        QCOMPARE(conversion->text(), QString("1 year: 4.68"));
        QCOMPARE(field()->currentText(), QString("3,8x"));
        QVERIFY(QApplication::focusWidget() == field() ||
                QApplication::focusWidget() == field()->lineEdit());
        for (const char* bad : {"inf", "nan", "1e999"}) {
            dialogs->clear();
            typeTarget(bad);
            QCOMPARE(dialogs->boxes.size(), std::size_t(1));
        }

        // Emptied: no target.
        field()->lineEdit()->clear();
        QTest::keyClick(field()->lineEdit(), Qt::Key_Return);
        QVERIFY(!w->findChild<ResultsPage*>()->targetBeta());
        QVERIFY(conversion->text().isEmpty());
    }

    // The year in which β(t) first falls below the target, beside the first inspection, and the
    // β(t) chart with its target line. With 16 classes β is 2.56 in year 0 and 2.44 in year 19.
    void targetYearStandsBesideTheFirstInspection() {
        typeTarget("2.5");
        smallRun("80");
        auto* years = find<StringGrid>("StringGrid3");
        int below = -1;
        for (int r = 1; r < years->rowCount() && below < 0; ++r)
            if (ParseReal(S(years->cell(4, r))).value_or(INFINITY) < 2.5)
                below = static_cast<int>(*ParseReal(S(years->cell(0, r))));
        QVERIFY(below > 0);
        QLabel* sentence = find<QLabel>("LCilRok");
        QVERIFY(sentence->isVisible());
        QVERIFY(find<QLabel>("LProhl")->isVisible());
        QCOMPARE(sentence->text(), QString("β below the target 2.5 from year %1").arg(below));

        // A target never reached over the period.
        typeTarget("-40");
        QCOMPARE(sentence->text(), QString("β stays at or above the target -40"));

        // The β(t) chart in place of the probabilities: a point per year (without a value where
        // p(F) = 0) and the target line at every year.
        auto* betaChart = find<ChartPanel>("ChartBeta");
        auto* chart = find<ChartPanel>("Chart3");
        QVERIFY(chart->isVisible() && !betaChart->isVisible());
        find<QToolButton>("BGrafBeta")->click();
        QVERIFY(betaChart->isVisible() && !chart->isVisible());
        QCOMPARE(betaChart->pointCount("Beta"), 81);
        QCOMPARE(betaChart->pointCount("Target"), 81);
        QCOMPARE(betaChart->pointValue("Target", 80), -40.0);
        // The points are the table's β (13 significant digits there).
        QVERIFY(std::abs(betaChart->pointValue("Beta", 40) - *ParseReal(S(years->cell(4, 41)))) <
                1e-9);
        QCOMPARE(betaChart->legendTitle("Target"), QString("target β = -40"));

        // No target: no sentence, no line.
        field()->lineEdit()->clear();
        QTest::keyClick(field()->lineEdit(), Qt::Key_Return);
        QVERIFY(sentence->isHidden());
        QCOMPARE(betaChart->pointCount("Target"), 0);
    }

    // β reaches the workbook and the result text file only when asked for; the default files
    // have no trace of it.
    void betaInSavedResultsOnlyWhenAsked() {
        QTemporaryDir dir;
        typeTarget("3.8");
        find<QAction>("Ano2")->trigger(); // control printing: the result text file
        QAction* betaItem = find<QAction>("BetaVysledky");
        QVERIFY(betaItem->isCheckable() && !betaItem->isChecked());
        SetWorkbookOpener([](const QUrl&) { return true; });
        for (const bool asked : {false, true}) {
            betaItem->setChecked(asked);
            const QString text = dir.filePath(asked ? "with.txt" : "without.txt");
            dialogs->files = {text};
            smallRun("80");
            const QByteArray written = ReadFile(text);
            QVERIFY(!written.isEmpty());
            QCOMPARE(written.contains("beta = -PHI^-1(p(F))"), asked);
            QCOMPARE(written.contains("beta target = "), asked);

            const QString workbook = WorkbookPath(w->inputs(), w->paths().resultsDir);
            QFile::remove(workbook);
            find<QToolButton>("BExcel")->click();
            const QString strings = WorkbookMember(workbook, "xl/sharedStrings.xml");
            QVERIFY(!strings.isEmpty());
            QCOMPARE(strings.contains("beta = -PHI^-1(p(F))"), asked);
        }
        SetWorkbookOpener({});
    }

    // The log scale of each probability chart, the target and β in saved results come back
    // after a restart from the settings file.
    void choicesComeBackAfterARestart() {
        auto* chart = find<ChartPanel>("Chart3");
        QVERIFY(!chart->logScale());
        chart->toolbar()->findChild<QAction*>("ChartLog")->trigger();
        QVERIFY(chart->logScale());
        choosePreset("jcss-moderate-normal");
        find<QAction>("BetaVysledky")->setChecked(true);
        EventGraphWindow* graphs = w->eventGraphWindow();
        graphs->findChild<ChartPanel*>("Chart1")->setLogScale(true);
        graphs->show();
        graphs->close(); // keeps its keys

        w->close();
        closeMainWindow();
        SettingsFile file;
        QVERIFY(!file.Load(S(IniPath())).has_value());
        QCOMPARE(file.GetString("--  Setting  --", "Tessavin-Form1 Cilovy index spolehlivosti", ""),
                 std::string("jcss-moderate-normal"));
        QVERIFY(file.GetBool("--  Setting  --", "Tessavin-Form1 Graf3 log", false));
        QVERIFY(file.GetBool("--  Position  --", "GrafVysl-Form7.Chart1 log", false));
        QVERIFY(!file.GetBool("--  Position  --", "GrafVysl-Form7.Chart3 log", true));

        openMainWindow();
        QVERIFY(find<ChartPanel>("Chart3")->logScale());
        QVERIFY(
            find<ChartPanel>("Chart3")->toolbar()->findChild<QAction*>("ChartLog")->isChecked());
        QCOMPARE(w->findChild<ResultsPage*>()->targetBeta(), std::optional<double>(4.2));
        QCOMPARE(field()->currentText(),
                 QString("JCSS, moderate consequences, normal cost of safety measures: 4.2 (1 "
                         "year)"));
        QVERIFY(find<QAction>("BetaVysledky")->isChecked());
        graphs = w->eventGraphWindow();
        QVERIFY(graphs->findChild<ChartPanel*>("Chart1")->logScale());
        QVERIFY(!graphs->findChild<ChartPanel*>("Chart3")->logScale());
    }

    // The defaults command clears the target and sets every probability chart linear again,
    // also in the settings file: a restart does not bring them back.
    void defaultsResetTheTargetAndTheLogScales() {
        choosePreset("en1990-rc2-50y");
        EventGraphWindow* graphs = w->eventGraphWindow();
        const QList<ChartPanel*> charts = {find<ChartPanel>("Chart3"),
                                           graphs->findChild<ChartPanel*>("Chart1"),
                                           graphs->findChild<ChartPanel*>("Chart3")};
        for (ChartPanel* chart : charts)
            chart->setLogScale(true);
        graphs->show();
        graphs->close(); // the event graph keeps its log scales on closing

        w->defaultsCommand();
        auto linear = [&](const QList<ChartPanel*>& shown) {
            for (ChartPanel* chart : shown) {
                QVERIFY(!chart->logScale());
                QVERIFY(!chart->toolbar()->findChild<QAction*>("ChartLog")->isChecked());
            }
            QCOMPARE(w->findChild<ResultsPage*>()->targetBeta(), std::nullopt);
            QCOMPARE(field()->currentText(), QString());
        };
        linear(charts);

        w->close();
        closeMainWindow();
        openMainWindow();
        graphs = w->eventGraphWindow();
        linear({find<ChartPanel>("Chart3"), graphs->findChild<ChartPanel*>("Chart1"),
                graphs->findChild<ChartPanel*>("Chart3")});
    }
};

TESSAVIN_UI_TEST(ReliabilityTargetTest, reliability_target_test)

#include "reliability_target_test.moc"
