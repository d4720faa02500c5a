// The main window driven through its real widgets: input checks, reactions, the defaults
// command, whole calculations on a worker thread, the year choice, inspections, the interrupt,
// failure boxes, the language switch and the result text file.
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "localisation/language.h"
#include "main_window_fixture.h"
#include "scripted_interaction.h"
#include "ui/charts/chart_panel.h"
#include "ui/common/string_grid.h"
#include "ui/main/main_window.h"
#include "ui/windows/event_graph_window.h"
#include "ui/windows/histogram_window.h"
#include "ui/windows/integration_window.h"
#include "ui_test_registry.h"
#include "widget_lookup.h"

using namespace tessavin;
using namespace tessavin::ui;

class MainWindowTest : public QObject, test::MainWindowFixture {
    Q_OBJECT

    QToolButton* tool(const char* name) const { return find<QToolButton>(name); }
    StringGrid* grid(const char* name) const { return find<StringGrid>(name); }

    void setText(const char* name, const QString& text) { edit(name)->setText(text); }

    // Runs a calculation and waits for its end.
    void calculate(bool refine = false) {
        QSignalSpy finished(w.get(), &MainWindow::calculationFinished);
        if (refine)
            w->BnUpresnitClick();
        else
            w->BPocitejClick();
        if (w->calculationRunning()) QVERIFY(finished.wait(60000));
    }
    // A small, quick set-up: 16 classes per input, years 0/1/end.
    void smallInputs(const char* end) {
        setText("EdPocetIntervalu", "16");
        setText("EdRokKon", end);
        typeAndLeave("EdRokKon", end);
    }

  private slots:
    void init() { openMainWindow(); }
    void cleanup() { closeMainWindow(); }

    void startsInEnglishWithDefaultsAndNoResults() {
        QCOMPARE(find<QLabel>("Label39")->text(), QString("Fatigue crack progression from"));
        QCOMPARE(find<QAction>("TcharCom")->text(), QString("Show the chart toolbar ?"));
        QCOMPARE(edit("EdRokT")->text(), QString("0"));
        QCOMPARE(edit("EdRokKrok")->text(), QString("1"));
        QCOMPARE(edit("EdRokKon")->text(), QString("150"));
        QCOMPARE(edit("EdEps")->text(), QString("1E-8"));
        QCOMPARE(edit("EdPocetIntervalu")->text(), QString("128"));
        QCOMPARE(find<QComboBox>("CBSireni")->currentIndex(), 0);
        QVERIFY(w->windowTitle().contains("(Version"));
        QVERIFY(w->width() >= 800 && w->height() >= 487);
        for (const char* off : {"BGrafVysl", "BExcel", "SaveProjekt", "BJevU", "BGN", "BitBtn1"})
            QVERIFY2(!tool(off)->isEnabled(), off);
        QVERIFY(!find<QPushButton>("BPrerus")->isVisible());
        QVERIFY(!find<QPushButton>("BnUpresnit")->isVisible());
        QCOMPARE(find<QTabWidget>("PageControl1")->currentIndex(), 0);
    }

    // Each toolbar button is the face of a menu command: it is enabled with the command (or the
    // submenu it belongs to) and clicking it triggers the command. Its own hint stays.
    void toolbarButtonsFollowTheirMenuCommands() {
        const std::tuple<const char*, const char*, const char*> faces[] = {
            {"BGrafVysl", "Graf21", "GrafjevUDF1"},
            {"BExcel", "UlozExcel", "UlozExcel"},
            {"OpenProjekt", "Otevrit1", "Otevrit1"},
            {"SaveProjekt", "Ulozit1", "Ulozit1"},
            {"BNastav", "VolbaIntegrace1", "VolbaIntegrace1"},
            {"BDefHodn", "Pedvolenhodnoty1", "Pedvolenhodnoty1"},
            {"OAdresach", "OAdresach1", "OAdresach1"},
            {"OVerzi", "Npovda1", "Npovda1"},
            {"BKonec", "Konec1", "Konec1"}};
        for (const auto& [button, command, enabler] : faces) {
            QAction* on = find<QAction>(enabler);
            const QString hint = tool(button)->toolTip();
            on->setEnabled(true);
            QVERIFY2(tool(button)->isEnabled(), button);
            on->setEnabled(false);
            QVERIFY2(!tool(button)->isEnabled(), button);
            on->setEnabled(true);
            QCOMPARE(tool(button)->toolTip(), hint);
            // The commands themselves do not run here: their boxes and windows are tested
            // elsewhere.
            QObject::disconnect(find<QAction>(command), &QAction::triggered, w.get(), nullptr);
            QSignalSpy triggered(find<QAction>(command), &QAction::triggered);
            tool(button)->click();
            QVERIFY2(triggered.count() == 1, button);
        }
    }

    void leaveFieldChecks_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("focusBack");
        QTest::newRow("C comma becomes point") << "EdKonstC"
                                               << "2,5e-3"
                                               << "" << false;
        QTest::newRow("C zero") << "EdKonstC"
                                << "0"
                                << "Constant of material  C  was not specified! (C=" << false;
        QTest::newRow("m zero") << "EdMocM"
                                << "0"
                                << "Exponent m (0) < 0" << true;
        QTest::newRow("Pd 1 accepted") << "EdNavPravd"
                                       << "1"
                                       << "" << false;
        QTest::newRow("Pd above 1") << "EdNavPravd"
                                    << "1.0001"
                                    << "Number entry is not correct (Pd=1.0001)" << true;
        QTest::newRow("bf 0 accepted") << "EdSirPas"
                                       << "0"
                                       << "" << false;
        QTest::newRow("intervals 2") << "EdPocetIntervalu"
                                     << "2"
                                     << "Number of intervals is not in range 3 .. 1024 :" << true;
        QTest::newRow("end empty") << "EdRokKon"
                                   << ""
                                   << "Number entry is not correct (Year<1 or Year>300" << true;
        QTest::newRow("year 301") << "EdRokT"
                                  << "301"
                                  << "Number entry is not correct (Year<1 or Year>300" << true;
        QTest::newRow("Mi letters") << "EdRozSpMi"
                                    << "abc"
                                    << "Number entry is not correct (Mi=)" << true;
        QTest::newRow("N 1025") << "EdRozSpN"
                                << "1025"
                                << "Number entry is not correct (N=1025)" << true;
    }
    void leaveFieldChecks() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, box);
        QFETCH(bool, focusBack);
        typeAndLeave(field.toUtf8().constData(), typed);
        if (box.isEmpty()) {
            QVERIFY2(dialogs->boxes.empty(), qPrintable(dialogs->texts().join(" / ")));
        } else {
            QCOMPARE(dialogs->boxes.size(), size_t(1));
            QCOMPARE(dialogs->boxes[0].text, box);
            QCOMPARE(dialogs->boxes[0].caption, QString("E r r o r"));
        }
        QCOMPARE(edit(field.toUtf8().constData())->hasFocus(), focusBack);
    }

    void keyFiltersTurnCommaAndSmallE() {
        typeAndLeave("EdKonstC", "2,5e-3");
        QCOMPARE(edit("EdKonstC")->text(), QString("2.5E-3"));
        typeAndLeave("EdRokKon", "1x2");
        QCOMPARE(edit("EdRokKon")->text(), QString("12"));
    }

    void endBelowStartNamesBothAndKeepsTheAcceptedEnd() {
        typeAndLeave("EdRokT", "120");
        dialogs->clear();
        typeAndLeave("EdRokKon", "100");
        QCOMPARE(dialogs->texts(), QStringList{"end < start ! ! !   (start=120,end=100)"});
        QCOMPARE(w->inputs().endText, std::string("150"));
        QCOMPARE(w->inputs().startText, std::string("120"));
    }

    void intervalsChangeResetsTheInputRows() {
        find<QComboBox>("CBMezKluZad")->setCurrentIndex(1);
        typeAndLeave("EdPocetIntervalu", "1024");
        for (const char* n : {"EdRozSpN", "EdPocKmitN", "EdNejRozN"})
            QCOMPARE(edit(n)->text(), QString("1024"));
        QCOMPARE(find<QComboBox>("CBMezKluZad")->currentIndex(), 0);
        QCOMPARE(edit("EdMezKluMi")->text(), QString("280"));
    }

    // After a calculation, each change drops exactly the results that depend on it.
    void reactionsToChanges_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("resistancesKept");
        QTest::addColumn<bool>("inputsKept");
        QTest::newRow("C") << "EdKonstC"
                           << "3E-13" << false << true;
        QTest::newRow("m") << "EdMocM"
                           << "3.1" << false << true;
        QTest::newRow("bf") << "EdSirPas"
                            << "401" << false << true;
        QTest::newRow("tf") << "EdTloPas"
                            << "24" << false << true;
        QTest::newRow("end year") << "EdRokKon"
                                  << "79" << true << true;
        QTest::newRow("Pd") << "EdNavPravd"
                            << "0.01" << true << true;
        QTest::newRow("Eps") << "EdEps"
                             << "1E-7" << false << false;
    }
    void reactionsToChanges() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, resistancesKept);
        QFETCH(bool, inputsKept);
        smallInputs("80");
        calculate();
        QVERIFY(tool("BJevU")->isEnabled() && tool("BGN")->isEnabled());
        QVERIFY(w->state().SnReady && w->state().DeltaSmReady && w->state().NnReady);
        setText(field.toUtf8().constData(), text);
        QCOMPARE(tool("BJevU")->isEnabled(), resistancesKept);
        QCOMPARE(tool("BJevF")->isEnabled(), resistancesKept);
        QCOMPARE(w->state().RadReady, resistancesKept);
        QCOMPARE(tool("BitBtn1")->isEnabled(), inputsKept);
        for (const char* year : {"BGN", "BGV", "BjevuUmSn", "BjevuFmSn", "BGrafVysl"})
            QVERIFY2(!tool(year)->isEnabled(), year);
        QVERIFY(!find<QLabel>("LProhl")->isVisible());
        QVERIFY(!find<ChartPanel>("Chart3")->isVisible());
        QCOMPARE(w->state().SnReady, field != "EdKonstC");
        QCOMPARE(w->state().DeltaSmReady, field != "EdMocM");
        QCOMPARE(w->state().NnReady, field != "EdRokKon");
    }

    void defaultsCommandAsksAndRestores() {
        setText("EdKonstC", "1E-12");
        dialogs->answers = {ui::BoxNo};
        w->defaultsCommand();
        QCOMPARE(edit("EdKonstC")->text(), QString("1E-12"));
        dialogs->answers = {ui::BoxYes};
        w->defaultsCommand();
        QCOMPARE(edit("EdKonstC")->text(), QString("2.2E-13"));
        QCOMPARE(dialogs->boxes.back().text,
                 QString("Do you want to set the default values ??of input data?"));
        QVERIFY(w->findChild<QAction*>("DolMez")->isChecked());
    }

    void wholeCalculationFillsTablesChartAndInspections() {
        smallInputs("80");
        dialogs->clear();
        calculate();
        // The period question came first and was answered Yes.
        QVERIFY(dialogs->boxes.size() >= 1);
        QVERIFY(dialogs->boxes[0].text.startsWith("Calculation will proceed for years"));
        StringGrid* years = grid("StringGrid3");
        QCOMPARE(years->cell(0, 1), QString("    0"));
        QCOMPARE(years->cell(0, 81), QString("   80"));
        QVERIFY(!years->cell(3, 81).isEmpty());
        auto* choice = find<QComboBox>("CBVyber");
        QCOMPARE(choice->count(), 81);
        QCOMPARE(choice->currentText(), QString("80"));
        QCOMPARE(grid("StringGrid2")->cell(1, 2), years->cell(3, 81));
        QVERIFY(find<QGroupBox>("GroupBox3")->isVisible());
        auto* chart = find<ChartPanel>("Chart3");
        QVERIFY(chart->isVisible());
        QCOMPARE(chart->pointCount("Series11"), 81);
        QCOMPARE(chart->pointCount("LineSeries2"), 81);
        QCOMPARE(chart->pointColour("LineSeries2", 0), QColor(255, 0, 0));
        // The first inspection is reported and listed.
        QVERIFY(find<QLabel>("LProhl")->isVisible());
        QVERIFY(find<QLabel>("LProhl")->text().startsWith("between years : "));
        QVERIFY(grid("StringGrid5")->cell(1, 1).startsWith("          "));
        QCOMPARE(grid("StringGrid5")->cell(0, 1), QString("         1"));
        QVERIFY(tool("BGrafVysl")->isEnabled());
        QVERIFY(tool("BJevU")->isEnabled());
        QVERIFY(tool("BGN")->isEnabled());
        QVERIFY(!find<QPushButton>("BPrerus")->isVisible());
        QCOMPARE(find<QTabWidget>("PageControl1")->currentIndex(), 1);

        // Choosing an earlier year recomputes it into the year group.
        choice->setCurrentIndex(10);
        w->CBVyberChange();
        QCOMPARE(grid("StringGrid2")->cell(1, 2), years->cell(3, 11));

        // Selecting inspection 1 shows the table of inspection 2, like row 2.
        if (w->state().inspectionsFound >= 2) {
            grid("StringGrid5")->setCurrentCell(1, 1);
            QCOMPARE(grid("StringGrid4")->cell(3, 0), QString("       F2"));
            QVERIFY(grid("StringGrid4")->rowCount() > 1);
        }

        // A second run with unchanged inputs keeps the resistances.
        dialogs->clear();
        calculate();
        QVERIFY(tool("BJevU")->isEnabled());
    }

    // The chart buttons hand the right histogram and titles to the histogram window.
    void chartButtonsOpenTheHistogramWindow() {
        smallInputs("20");
        calculate();
        HistogramWindow* window = w->histogramWindow();
        struct Case {
            const char* button;
            int kind;
            const tessavin::DiscreteHistogram* shown;
        };
        const Case cases[] = {
            {"BJevU", 4, &w->state().Rad},
            {"BJevF", 5, &w->state().Raac},
            {"BGN", 2, &w->state().Nn},
            {"BitBtn3", 10, &w->state().inputs.histogram[3]},
        };
        for (const Case& c : cases) {
            tool(c.button)->click();
            QVERIFY2(window->isVisible(), c.button);
            QCOMPARE(window->kind(), c.kind);
            QCOMPARE(window->shown().Bins, c.shown->Bins);
            QCOMPARE(window->shown().XFirst, c.shown->XFirst);
            window->hide();
        }
        auto* chart = window->findChild<ChartPanel*>("Chart1");
        QVERIFY(chart);
        QCOMPARE(chart->titleLines().value(1),
                 QString("Parametric distribution : LogNormal_2P  F ( x |  Mi=280 , Sigma=28"));
        // Nn of other years than the computed one: the button does nothing.
        setText("EdRokKon", "21");
        w->state().NnReady = false;
        tool("BGN")->setEnabled(true);
        tool("BGN")->click();
        QVERIFY(!window->isVisible());
    }

    void eventGraphOpensOnThePageOfItsCommand() {
        smallInputs("80");
        calculate();
        EventGraphWindow* graphs = w->eventGraphWindow();
        tool("BGrafVysl")->click();
        QVERIFY(graphs->isVisible());
        QCOMPARE(graphs->currentPage(), 2);
        QVERIFY(!w->isEnabled()); // a side window: the main window waits for it
        graphs->close();
        QVERIFY(w->isEnabled());
        w->findChild<QAction*>("Graf31")->trigger();
        QCOMPARE(graphs->currentPage(), 3);
        graphs->close();
        QCOMPARE(w->findChild<QAction*>("UlozExcel")->text(),
                 QString("Save results to the spread&sheet (.xlsx)"));
    }

    void declinedConfirmationRunsNothing() {
        smallInputs("20");
        dialogs->answers = {ui::BoxNo};
        calculate();
        QVERIFY(!w->calculationRunning());
        QCOMPARE(find<QComboBox>("CBVyber")->count(), 0);
        QVERIFY(panelEnabled());
    }
    bool panelEnabled() const { return find<QWidget>("Panel1")->isEnabled(); }

    void stepFiveWarnsThenOffersRefinement() {
        setText("EdPocetIntervalu", "16");
        typeAndLeave("EdRokKrok", "5");
        dialogs->clear();
        calculate();
        QCOMPARE(dialogs->boxes[0].text,
                 QString("For choosing \"step>1\" will be counted only the time 1.inspection !"));
        QCOMPARE(dialogs->boxes[0].caption, QString("W a r n i n g"));
        QVERIFY(find<QPushButton>("BnUpresnit")->isVisible());
        const int from = w->state().firstFrom;
        calculate(true);
        QVERIFY(!find<QPushButton>("BnUpresnit")->isVisible());
        QCOMPARE(find<QComboBox>("CBVyber")->itemText(0), QString::number(from));
        QCOMPARE(find<QComboBox>("CBVyber")->count(), 6);
        QCOMPARE(w->inputs().stepText, std::string("5"));
    }

    void startEqualToEndComputesOneYear() {
        setText("EdPocetIntervalu", "16");
        typeAndLeave("EdRokKon", "0");
        dialogs->clear();
        calculate();
        QCOMPARE(edit("EdRokKrok")->text(), QString("0"));
        QCOMPARE(find<QComboBox>("CBVyber")->count(), 1);
        for (const auto& b : dialogs->boxes)
            QVERIFY(!b.text.startsWith("Calculation will proceed"));
    }

    void interruptDuringResistancesReturnsToTheInputPage() {
        // The adaptive rule keeps the resistance step busy for seconds, so the break lands in it.
        auto* method = w->integrationWindow()->findChild<QComboBox*>("CBMetoda");
        method->setCurrentIndex(3);
        emit method->activated(3);
        dialogs->answers = {ui::BoxYes, ui::BoxYes}; // the period, then the break question
        QSignalSpy finished(w.get(), &MainWindow::calculationFinished);
        QSignalSpy progress(find<QProgressBar>("Gauge1"), &QProgressBar::valueChanged);
        w->BPocitejClick();
        QVERIFY(w->calculationRunning());
        QVERIFY(!find<QWidget>("Panel1")->isEnabled());
        // Interrupt only once the worker reports its first resistance class, not before it runs.
        QVERIFY(progress.wait(60000));
        QVERIFY(w->calculationRunning());
        w->BPrerusClick();
        QVERIFY(finished.wait(60000));
        QVERIFY(dialogs->texts().contains("Do you really want to  b r e a k  ?"));
        QVERIFY(!tool("BJevU")->isEnabled());
        QVERIFY(!tool("BGN")->isEnabled());
        QVERIFY(find<QWidget>("Panel1")->isEnabled());
    }

    void failingStepShowsItsBoxAndFocus() {
        setText("EdPocetIntervalu", "16");
        setText("EdSirPas", "0");
        dialogs->clear();
        calculate();
        QStringList errors;
        for (const auto& b : dialogs->boxes)
            if (b.caption == "E r r o r") errors << b.text;
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].startsWith("Number entry is not correct (b=0"), qPrintable(errors[0]));
        QVERIFY(edit("EdSirPas")->hasFocus());
        QVERIFY(!tool("BJevU")->isEnabled());
        QVERIFY(find<QWidget>("Panel1")->isEnabled());
    }

    void languageSwitchRewritesCaptionsAndKeepsSelections() {
        find<QComboBox>("CBSireni")->setCurrentIndex(1);
        find<QComboBox>("CBRozSpZad")->setCurrentIndex(1);
        w->switchLanguage(Language::Czech);
        QCOMPARE(find<QLabel>("Label39")->text(), QString::fromUtf8("Šíření únavových trhlin z"));
        QCOMPARE(find<QAction>("TcharCom")->text(),
                 QString::fromUtf8("Zobrazit panel nástrojů grafu ?"));
        QCOMPARE(find<QComboBox>("CBSireni")->currentIndex(), 1);
        QCOMPARE(find<QComboBox>("CBSireni")->currentText(), QString::fromUtf8("povrchu"));
        QCOMPARE(find<QComboBox>("CBRozSpZad")->currentIndex(), 1);
        QCOMPARE(find<QComboBox>("CBNejRozZad")->itemText(1),
                 find<QComboBox>("CBRozSpZad")->itemText(1));
        QVERIFY(w->findChild<QAction*>("Cestina")->isChecked());
        QVERIFY(!w->findChild<QAction*>("Anglictina")->isChecked());
        w->switchLanguage(Language::English);
        QCOMPARE(find<QLabel>("Label39")->text(), QString("Fatigue crack progression from"));
    }

    void notCalculatedRowsFollowTheLanguage() {
        smallInputs("80");
        calculate();
        StringGrid* list = grid("StringGrid5");
        int row = 0;
        for (int r = 1; r <= 10 && !row; ++r)
            if (list->cell(1, r) == "      not calculated") row = r;
        if (!row) QSKIP("every inspection was found");
        w->switchLanguage(Language::Czech);
        QCOMPARE(list->cell(1, row), QString::fromUtf8("      nebyla určena"));
        w->switchLanguage(Language::English);
        QCOMPARE(list->cell(1, row), QString("      not calculated"));
    }

    void controlPrintingWritesTheResultFile() {
        QTemporaryDir dir;
        smallInputs("80");
        w->findChild<QAction*>("Ano2")->trigger();
        const QString file = dir.path() + "/study.txt";
        dialogs->files = {file};
        calculate();
        QVERIFY(QFileInfo::exists(file));
        QCOMPARE(dialogs->fileRequests.size(), size_t(1));
        QCOMPARE(dialogs->fileRequests[0].suggestedName, QString("Histograms U-D-F.txt"));
        // A second run asks before overwriting; No keeps the file as it was.
        QFile(file).resize(3);
        dialogs->files = {file};
        dialogs->answers = {ui::BoxYes, ui::BoxNo};
        calculate();
        QCOMPARE(QFileInfo(file).size(), 3);
    }

    void integrationMethodChangeResetsTheInputs() {
        smallInputs("10");
        calculate();
        QVERIFY(tool("BitBtn1")->isEnabled());
        auto* method = w->integrationWindow()->findChild<QComboBox*>("CBMetoda");
        method->setCurrentIndex(0);
        emit method->activated(0);
        QVERIFY(!tool("BitBtn1")->isEnabled());
        QVERIFY(!tool("BJevU")->isEnabled());
        QVERIFY(find<QLabel>("Label24")->text().contains("Trapezoidal rule"));
    }

    void firstInspectionLabelFollowsTheLanguage() {
        smallInputs("80");
        calculate();
        auto* label = find<QLabel>("LProhl");
        QVERIFY(label->text().startsWith("between years : "));
        const QString years = label->text().mid(QString("between years : ").size());
        find<QTabWidget>("PageControl1")->setCurrentIndex(0); // also from another page
        w->switchLanguage(Language::Czech);
        QVERIFY(!label->text().startsWith("between years : "));
        QVERIFY(label->text().endsWith(years));
        w->switchLanguage(Language::English);
        QCOMPARE(label->text(), "between years : " + years);
    }

    void declinedRunKeepsTheSaveCommands() {
        smallInputs("20");
        calculate();
        QVERIFY(tool("SaveProjekt")->isEnabled());
        dialogs->answers = {ui::BoxNo};
        calculate();
        QVERIFY(tool("SaveProjekt")->isEnabled());
        QVERIFY(w->findChild<QAction*>("Ulozit1")->isEnabled());
    }

    void enterFollowsTheInputOrderToRun() {
        find<QComboBox>("CBSireni")->setFocus();
        QTest::keyClick(find<QComboBox>("CBSireni"), Qt::Key_Return);
        QVERIFY(edit("EdRokT")->hasFocus());
        edit("EdNejRozN")->setFocus();
        QTest::keyClick(edit("EdNejRozN"), Qt::Key_Return);
        QVERIFY(find<QPushButton>("BPocitej")->hasFocus());
    }

    void hintsLeaveTheClockVisible() {
        QStatusTipEvent tip("Long part of a hint");
        QCoreApplication::sendEvent(w.get(), &tip);
        QCOMPARE(find<QLabel>("StatusHint")->text(), QString("Long part of a hint"));
        QVERIFY(find<QLabel>("StatusClock")->isVisible());
        QVERIFY(!find<QLabel>("StatusClock")->text().isEmpty());
    }

    void escapeAsksTheExitQuestion() {
        dialogs->answers = {ui::BoxNo};
        QTest::keyClick(w.get(), Qt::Key_Escape);
        QCOMPARE(dialogs->texts(), QStringList{"Do you really want to  e x i t ?"});
        QVERIFY(w->isVisible());
    }

    void exitAsksFirst() {
        dialogs->answers = {ui::BoxNo};
        w->exitCommand();
        QVERIFY(w->isVisible());
        QCOMPARE(dialogs->texts(), QStringList{"Do you really want to  e x i t ?"});
        dialogs->answers = {ui::BoxYes};
        w->exitCommand();
        QVERIFY(!w->isVisible());
    }
};

TESSAVIN_UI_TEST(MainWindowTest, main_window_test)
#include "main_window_test.moc"
