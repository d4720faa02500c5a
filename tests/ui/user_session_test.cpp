// The main window as a user meets it: what stays on screen after an input changes, values the
// distributions refuse, the year choice, the period, and keys that lists, popups and buttons
// take for themselves.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QWindow>
#include <QtTest>
#include <memory>

#include "localisation/language.h"
#include "main_window_fixture.h"
#include "scripted_interaction.h"
#include "ui/charts/chart_panel.h"
#include "ui/common/string_grid.h"
#include "ui/main/main_window.h"
#include "ui/main/workbook_export.h"
#include "ui/windows/event_graph_window.h"
#include "ui/windows/histogram_window.h"
#include "ui_test_registry.h"
#include "widget_lookup.h"

using namespace tessavin;
using namespace tessavin::ui;

class UserSessionTest : public QObject, test::MainWindowFixture {
    Q_OBJECT

    QPushButton* run() const { return find<QPushButton>("BPocitej"); }

    void typeAndLeave(const char* name, const QString& text) {
        QLineEdit* e = edit(name);
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, text);
        run()->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }
    // 16 classes per input and years 0 .. end: a quick calculation that finds inspections.
    void smallRun(const char* end) {
        edit("EdPocetIntervalu")->setText("16");
        typeAndLeave("EdRokKon", end);
        calculate();
        dialogs->clear();
    }
    bool periodAsked() const {
        for (const auto& b : dialogs->boxes)
            if (b.text.startsWith("Calculation will proceed")) return true;
        return false;
    }

  private slots:
    void init() { openMainWindow(); }
    void cleanup() { closeMainWindow(); }

    // No table, label or curve of the previous calculation stays beside new inputs.
    void inputChangeClearsTheInspectionsPage() {
        smallRun("80");
        auto* found = find<StringGrid>("StringGrid5");
        auto* years = find<StringGrid>("StringGrid3");
        QVERIFY(!found->isHidden() && !found->cell(1, 1).isEmpty());
        QVERIFY(years->rowCount() > 1);
        QVERIFY(find<ChartPanel>("Chart3")->pointCount("Series11") > 0);

        edit("EdKonstC")->setText("3E-13");
        for (const char* name : {"StringGrid3", "StringGrid4", "StringGrid5", "Label18", "Label21",
                                 "Label22", "Label30", "Label32"})
            QVERIFY2(find<QWidget>(name)->isHidden(), name);
        QCOMPARE(years->rowCount(), 1);
        QCOMPARE(find<StringGrid>("StringGrid4")->rowCount(), 1);
        QVERIFY(found->cell(1, 1).isEmpty() && found->cell(0, 1).isEmpty());
        QCOMPARE(find<ChartPanel>("Chart3")->pointCount("Series11"), 0);
        QCOMPARE(w->state().inspectionsFound, 0);
    }

    // A value the distribution refuses gets its message, the field its previous text back, and
    // the histogram shown is the one the run uses.
    void refusedParameterKeepsThePreviousText_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("box");
        QTest::newRow("negative Sigma, Normal") << "EdRozSpSigma"
                                                << "-3"
                                                << "3"
                                                << "Number entry is not correct (Sigma=-3)";
        QTest::newRow("zero Sigma, Gumbel") << "EdNomNapSigma"
                                            << "0"
                                            << "20"
                                            << "Number entry is not correct (Sigma=0)";
        QTest::newRow("negative Mi, LogNormal") << "EdPoNaTrMi"
                                                << "-0.2"
                                                << "0.2"
                                                << "Number entry is not correct (Mi=-0.2)";
    }
    void refusedParameterKeepsThePreviousText() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(QString, box);
        if (field == "EdNomNapSigma") {
            auto* type = find<QComboBox>("CBTypNomNap");
            type->setCurrentIndex(2);
            emit type->activated(2);
        }
        dialogs->clear();
        typeAndLeave(field.toUtf8().constData(), typed);
        QCOMPARE(dialogs->texts(), QStringList{box});
        QCOMPARE(edit(field.toUtf8().constData())->text(), kept);
        QVERIFY(edit(field.toUtf8().constData())->hasFocus());
    }

    void negativeMiAndSigmaOfANormalInput() {
        // A negative mean suits a normal distribution; it does not suit LogNormal, so choosing
        // that type is refused and the row stays normal.
        typeAndLeave("EdRozSpMi", "-30");
        QVERIFY(dialogs->boxes.empty());
        auto* type = find<QComboBox>("CBTypTypRozSp");
        type->setCurrentIndex(1);
        emit type->activated(1);
        QCOMPARE(dialogs->texts(), QStringList{"Number entry is not correct (Mi=-30)"});
        QCOMPARE(type->currentIndex(), 0);

        // A refused text that never left its field stops the run on that field.
        dialogs->clear();
        edit("EdRozSpSigma")->setText("-3");
        calculate();
        QCOMPARE(dialogs->texts(), QStringList{"Number entry is not correct (Sigma=-3)"});
        QVERIFY(!w->calculationRunning());
        QVERIFY(edit("EdRozSpSigma")->hasFocus());
        QCOMPARE(find<QComboBox>("CBVyber")->count(), 0);
    }

    void histogramTitleShowsTheParametersInUse() {
        typeAndLeave("EdRozSpSigma", "4");
        QVERIFY(find<QToolButton>("BitBtn1")->isEnabled());
        typeAndLeave("EdRozSpSigma", "-4");
        find<QToolButton>("BitBtn1")->click();
        auto* chart = w->histogramWindow()->findChild<ChartPanel*>("Chart1");
        QVERIFY(chart->titleLines().value(1).endsWith("Sigma=4"));
        QCOMPARE(w->histogramWindow()->shown().Bins, w->state().inputs.histogram[1].Bins);
        w->histogramWindow()->hide();
    }

    // Only computed years: typing picks among them, nothing else can be entered.
    void yearChoiceTakesComputedYearsOnly() {
        smallRun("20");
        auto* choice = find<QComboBox>("CBVyber");
        QVERIFY(!choice->isEditable());
        QCOMPARE(choice->count(), 21);
        choice->setFocus();
        QTest::keyClicks(choice, "500");
        QCOMPARE(choice->count(), 21);
        QVERIFY(choice->findText(choice->currentText()) >= 0);
    }

    // A start after the end is refused like the batch program does, on the field typed last.
    void startAfterEndIsRefusedOnTheFieldChangedLast() {
        typeAndLeave("EdRokT", "160");
        QCOMPARE(dialogs->texts(), QStringList{"end < start ! ! !   (start=160,end=150)"});
        QVERIFY(edit("EdRokT")->hasFocus());
        QCOMPARE(w->inputs().startText, std::string("0"));

        // RUN with the refused start still in its field: refused again, nothing asked or run.
        dialogs->clear();
        calculate();
        QCOMPARE(dialogs->texts(), QStringList{"end < start ! ! !   (start=160,end=150)"});
        QVERIFY(!periodAsked());
        QVERIFY(edit("EdRokT")->hasFocus());

        // The end typed last (not left): the end field is named.
        edit("EdRokT")->setText("100");
        edit("EdRokKon")->setText("90");
        dialogs->clear();
        calculate();
        QCOMPARE(dialogs->texts(), QStringList{"end < start ! ! !   (start=100,end=90)"});
        QVERIFY(edit("EdRokKon")->hasFocus());
        QVERIFY(!periodAsked());
    }

    // Esc that closes a drop-down list ends there; Esc on the window still asks.
    void escapeClosingAListAsksNothing() {
        auto* origin = find<QComboBox>("CBSireni");
        origin->setFocus();
        origin->showPopup();
        QWidget* popup = QApplication::activePopupWidget();
        QVERIFY(popup);
        // Through the window system, as a real key arrives: the shortcut handling sees it too.
        QWindow* focus = QGuiApplication::focusWindow();
        QVERIFY(focus);
        QTest::keyClick(focus, Qt::Key_Escape);
        QCoreApplication::processEvents();
        QVERIFY(dialogs->boxes.empty());
        QVERIFY(!QApplication::activePopupWidget());

        // A menu closes with Esc the same way.
        auto* menu = w->findChild<QMenu*>("N3");
        menu->popup(w->mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QVERIFY(QGuiApplication::focusWindow());
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Escape);
        QCoreApplication::processEvents();
        QVERIFY(dialogs->boxes.empty());
        QVERIFY(!menu->isVisible());

        dialogs->answers = {ui::BoxNo};
        QTest::keyClick(origin, Qt::Key_Escape);
        QCOMPARE(dialogs->texts(), QStringList{"Do you really want to  e x i t ?"});
        QVERIFY(w->isVisible());
    }

    // The workbook holds years and probabilities as numbers; the status bar says where it went,
    // and message 274 appears only when no application opened it.
    void workbookExportWritesNumbersAndNamesTheFile() {
        smallRun("80");
        QVERIFY(find<QToolButton>("BExcel")->isEnabled());
        const QString file = WorkbookPath(w->inputs(), w->paths().resultsDir);
        QFile::remove(file);
        QList<QUrl> opened;
        SetWorkbookOpener([&](const QUrl& url) {
            opened << url;
            return true;
        });
        find<QToolButton>("BExcel")->click();
        SetWorkbookOpener({});
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(file)});
        QVERIFY(dialogs->boxes.empty());
        QCOMPARE(find<QLabel>("StatusHint")->text(),
                 "Workbook saved: " + QDir::toNativeSeparators(file));

        // Read back: the sheet's year and probability cells are numbers, the headings texts.
        QProcess unzip;
        unzip.start("unzip", {"-p", file, "xl/worksheets/sheet1.xml"});
        QVERIFY(unzip.waitForFinished(10000));
        const QString sheet = QString::fromUtf8(unzip.readAllStandardOutput());
        const QRegularExpression year(R"(<c r="A9"( s="\d+")?><v>0</v></c>)");
        const QRegularExpression probability(R"(<c r="B9"( s="\d+")?><v>1</v></c>)");
        const QRegularExpression heading(R"(<c r="A8"[^>]* t="s"><v>\d+</v></c>)");
        QVERIFY2(year.match(sheet).hasMatch(), qPrintable(sheet.left(600)));
        QVERIFY(probability.match(sheet).hasMatch());
        QVERIFY(heading.match(sheet).hasMatch());

        // The Project field is empty: the workbook is Results.xlsx, and writing it again asks
        // first, as every save over an existing file does; No leaves it as it is.
        QVERIFY(find<QLineEdit>("EdProjekt")->text().isEmpty());
        QCOMPARE(QFileInfo(file).fileName(), QString("Results.xlsx"));
        const QByteArray before = [&] {
            QFile f(file);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        dialogs->clear();
        dialogs->answers = {ui::BoxNo};
        find<QToolButton>("BExcel")->click();
        QCOMPARE(dialogs->boxes.size(), std::size_t(1));
        QVERIFY(dialogs->boxes[0].text.contains("O v e r w r i t e"));
        QFile again(file);
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll(), before);

        // No application for the file: the warning, and still the note where the file is.
        find<QLabel>("StatusHint")->clear();
        dialogs->answers = {ui::BoxYes}; // replace the file written above
        SetWorkbookOpener([](const QUrl&) { return false; });
        find<QToolButton>("BExcel")->click();
        SetWorkbookOpener({});
        QCOMPARE(dialogs->boxes.back().text,
                 QString("Link to Microsoft Excel is not available ..."));
        QVERIFY(find<QLabel>("StatusHint")->text().endsWith(QDir::toNativeSeparators(file)));
    }

    // A switch to Czech after a run reaches the texts our own parts set (the inspection chart's
    // title, the chart toolbar, the year headings of the copied tables) and Qt's buttons.
    void czechReachesChartsTablesAndQtButtons() {
        smallRun("20");
        w->switchLanguage(Language::Czech);
        auto* chart = find<ChartPanel>("Chart3");
        QCOMPARE(chart->titleLines().value(0), QString::fromUtf8("Graf prohlídky konstrukce"));
        QVERIFY(chart->titleLines().value(1).startsWith(QString::fromUtf8("Šíření")));
        QCOMPARE(chart->toolbar()->findChild<QAction*>("ChartZoomIn")->text(),
                 QString::fromUtf8("Přiblížit"));
        auto* graphs = w->eventGraphWindow();
        for (const char* table : {"StringGrid1", "StringGrid2", "StringGrid3"})
            QCOMPARE(test::Control<StringGrid>(graphs, table)->cell(0, 0), QString("  Rok"));
        QCOMPARE(graphs->findChild<ChartPanel*>("Chart1")
                     ->toolbar()
                     ->findChild<QAction*>("ChartSave")
                     ->text(),
                 QString::fromUtf8("Uložit…"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString("&Ano"));

        w->switchLanguage(Language::English);
        QCOMPARE(chart->titleLines().value(0), QString("First inspection time Charts"));
        QCOMPARE(chart->toolbar()->findChild<QAction*>("ChartZoomIn")->text(), QString("Zoom in"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString("&Yes"));
    }

    // Enter presses the focused RUN button; Enter in the last field only moves to it.
    void enterPressesTheFocusedRunButton() {
        edit("EdPocetIntervalu")->setText("16");
        typeAndLeave("EdRokKon", "10");
        dialogs->clear();
        edit("EdNejRozN")->setFocus();
        QTest::keyClick(edit("EdNejRozN"), Qt::Key_Return);
        QVERIFY(run()->hasFocus());
        QVERIFY(dialogs->boxes.empty());

        QSignalSpy finished(w.get(), &MainWindow::calculationFinished);
        QTest::keyClick(run(), Qt::Key_Return);
        QVERIFY(periodAsked());
        if (w->calculationRunning()) QVERIFY(finished.wait(60000));
        QCOMPARE(find<QComboBox>("CBVyber")->count(), 11);
    }
};

TESSAVIN_UI_TEST(UserSessionTest, user_session_test)
#include "user_session_test.moc"
