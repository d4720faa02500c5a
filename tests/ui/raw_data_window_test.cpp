// The raw data window driven through the main window: a file of measured values becomes the
// histogram of an input, with its field checks, the ranking of fits, the editor and the export.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <cmath>
#include <fstream>
#include <memory>
#include <numeric>

#include "common/regular_file.h"
#include "localisation/language.h"
#include "localisation/messages.h"
#include "main_window_fixture.h"
#include "scripted_interaction.h"
#include "statlib/number_text.h"
#include "ui/charts/chart_panel.h"
#include "ui/charts/histogram_chart.h"
#include "ui/common/string_grid.h"
#include "ui/main/main_window.h"
#include "ui/rawdata/probability_plot_view.h"
#include "ui/rawdata/raw_data_window.h"
#include "ui_test_registry.h"
#include "widget_lookup.h"

using namespace tessavin;
using namespace tessavin::ui;

namespace {

const QString Fixture = QStringLiteral(TESSAVIN_TEST_DATA "/rawdata/yield_strength_100.txt");

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Mean of the fixture computed here from its lines: the reference for the statistics cell.
double FixtureMean() {
    std::ifstream in(Fixture.toStdString());
    double v = 0, sum = 0;
    int n = 0;
    while (in >> v) {
        sum += v;
        ++n;
    }
    return sum / n;
}

} // namespace

class RawDataWindowTest : public QObject, test::MainWindowFixture {
    Q_OBJECT

    QTemporaryDir dir;

    RawDataWindow* raw() const { return w->rawDataWindow(); }
    // The table of suitable histograms opens at the end of a ranking and disables the raw data
    // window until it closes.
    static QWidget* suitableTable() {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "TForm5") return top;
        return nullptr;
    }
    static void closeTable() {
        if (QWidget* t = suitableTable()) t->close();
    }
    template <class T> T* rc(const char* name) const { return test::Control<T>(raw(), name); }
    template <class T> T* mc(const char* name) const { return test::Control<T>(w.get(), name); }
    QString cell(const char* grid, int column, int row) const {
        return rc<StringGrid>(grid)->cell(column, row);
    }

    // Input k set to raw data as the user chooses it.
    void chooseRawData(int k) {
        auto* source = mc<QComboBox>(InputControls(k).source);
        source->setCurrentIndex(1);
        emit source->activated(1);
    }
    void openFixture(int k = 3) {
        chooseRawData(k);
        dialogs->files.push_back(Fixture);
        rc<QToolButton>("OpenData")->click();
        QVERIFY(raw()->hasSample());
    }
    // Typing into a field through its key filter, then leaving it.
    void type(const char* field, const QString& text) {
        auto* e = rc<QLineEdit>(field);
        e->clear();
        QTest::keyClicks(e, text);
    }
    bool leave(const char* field) {
        const QByteArray name(field);
        if (name == "EdMin") return raw()->checkMinimum();
        if (name == "EdMax") return raw()->checkMaximum();
        if (name == "EdEps") return raw()->checkEps();
        return raw()->checkIntervals();
    }
    double shownSum() const {
        const WorkingHistogram& h = raw()->shown();
        return std::accumulate(h.P.begin() + 1, h.P.begin() + 1 + h.Bins, 0.0);
    }
    void calculate() {
        mc<QLineEdit>("EdRokKon")->setText("8");
        QSignalSpy finished(w.get(), &MainWindow::calculationFinished);
        w->BPocitejClick();
        if (w->calculationRunning()) QVERIFY(finished.wait(120000));
    }

  private slots:
    void init() {
        openMainWindow();
        mc<QLineEdit>("EdPocetIntervalu")->setText("16");
    }
    void cleanup() {
        w.reset();
        dialogs.reset();
        for (QWidget* t : QApplication::topLevelWidgets())
            t->hide();
        QFile::remove(QString::fromLocal8Bit(qgetenv("TESSAVIN_INI")));
    }

    void choosingRawDataOpensTheWindowForTheInput() {
        chooseRawData(3);
        QVERIFY(raw()->isVisible());
        QCOMPARE(raw()->input(), 3);
        QVERIFY(!w->isEnabled());
        for (const char* name : {"CBTypMezKlu", "EdMezKluMi", "EdMezKluSigma", "EdMezKluN"})
            QVERIFY2(!mc<QWidget>(name)->isEnabled(), name);
        QVERIFY(!mc<QToolButton>("BitBtn3")->isEnabled());
        // The window takes the main window's Eps and interval count.
        QCOMPARE(rc<QLineEdit>("EdEps")->text(), mc<QLineEdit>("EdEps")->text());
        QCOMPARE(rc<QLineEdit>("EdPocetIntervalu")->text(), QString("16"));
    }

    void readingAFileShowsStatisticsListingAndHistogram() {
        openFixture();
        QCOMPARE(rc<QLineEdit>("EdNazev")->text(), QString("yield_strength_100.txt"));
        QCOMPARE(cell("StringGrid3", 1, 0), QString("     100"));
        QCOMPARE(cell("StringGrid3", 1, 1).toDouble(), FixtureMean()); // both from the same sum
        const QStringList listing = rc<QPlainTextEdit>("MemoDat")->toPlainText().split('\n');
        QCOMPARE(listing.size(), 100);
        QVERIFY(listing.first().endsWith("  |  000001"));
        QVERIFY(listing.first().split("  |  ")[0].toDouble() <=
                listing.last().split("  |  ")[0].toDouble());
        // The sample's histogram: 16 classes over [min, max], all values counted.
        QCOMPARE(raw()->shown().Bins, 16);
        QVERIFY(std::abs(shownSum() - 1.0) < 1e-12);
        QCOMPARE(rc<QLineEdit>("EdMin")->text().toDouble(),
                 listing.first().split("  |  ")[0].toDouble());
        auto* chart = rc<ChartPanel>("Chart1L");
        QVERIFY(chart->isVisible());
        QCOMPARE(chart->pointCount(HistogramSeries), 16);
        QVERIFY(chart->titleLines().value(0).startsWith(Q(TextCis(107))));
        QCOMPARE(chart->titleLines().value(1).left(Q(TextCis(109)).size() + 14),
                 Q(TextCis(109)) + "yield_strength");
        QVERIFY(rc<StringGrid>("StringGrid2")->isVisible());
        QCOMPARE(rc<ChartPanel>("Chart1Min")->pointCount(HistogramSeries), 16);
        QVERIFY(!raw()->parametricMode());
        QVERIFY(rc<QToolButton>("UlozGraf")->isEnabled());
        QVERIFY(dialogs->boxes.empty());
    }

    void aFileThatCannotBeReadLeavesTheWindowEmpty() {
        chooseRawData(1);
        dialogs->files.push_back(QStringLiteral(TESSAVIN_TEST_DATA "/rawdata/two_values.txt"));
        rc<QToolButton>("OpenData")->click();
        QCOMPARE(dialogs->boxes.size(), std::size_t(1));
        QVERIFY(dialogs->boxes[0].text.startsWith(Q(TextCis(130))));
        QVERIFY(!raw()->hasSample());
        QVERIFY(!rc<ChartPanel>("Chart1L")->isVisible());
    }

    void fieldChecks_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("message"); // start of the box text; empty: no box
        QTest::addColumn<QString>("after");   // the field's text afterwards; empty: not checked
        QTest::newRow("min above max") << "EdMin"
                                       << "1000" << false << "MinX >= MaxX !"
                                       << "";
        QTest::newRow("min not a number") << "EdMin"
                                          << "1E" << false << Q(TextCis(129)) + " MinX 1E"
                                          << "";
        QTest::newRow("min inside") << "EdMin"
                                    << "250" << true << ""
                                    << "250";
        QTest::newRow("max below min") << "EdMax"
                                       << "-5" << false << "MaxX <= MinX !"
                                       << "";
        QTest::newRow("N zero") << "EdPocetIntervalu"
                                << "0" << false << Q(TextCis(115)) << "0";
        QTest::newRow("N 2") << "EdPocetIntervalu"
                             << "2" << false << Q(TextCis(88)) << "";
        QTest::newRow("N 1025") << "EdPocetIntervalu"
                                << "1025" << false << Q(TextCis(88)) << "";
        // 100 values: the advice is 8 classes; 7 is accepted with the warning.
        QTest::newRow("N 7 advised")
            << "EdPocetIntervalu"
            << "7" << true << Q(FormatMessage(TextCis(116), "100")) + "8   !"
            << "7";
        QTest::newRow("N 8") << "EdPocetIntervalu"
                             << "8" << true << ""
                             << "8";
        QTest::newRow("Eps above 1")
            << "EdEps"
            << "1.5" << false << Q(FormatMessage(TextCis(98), "1E-7")) << "1E-7";
        QTest::newRow("Eps not a number") << "EdEps"
                                          << "1e" << false << Q(TextCis(129)) + " Eps : 1e"
                                          << "1E-7";
        QTest::newRow("Eps 0") << "EdEps"
                               << "0" << false << Q(TextCis(97)) << "1E-7";
        QTest::newRow("Eps 1") << "EdEps"
                               << "1" << true << ""
                               << "1";
        QTest::newRow("Eps as main") << "EdEps"
                                     << "1e-7" << true << ""
                                     << "1e-7";
    }
    void fieldChecks() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(QString, message);
        QFETCH(QString, after);
        mc<QLineEdit>("EdEps")->setText("1E-7");
        openFixture();
        const WorkingHistogram before = raw()->shown();
        type(field.toLatin1().constData(), text);
        QVERIFY(raw()->inputsChanged());
        QCOMPARE(leave(field.toLatin1().constData()), accepted);
        if (message.isEmpty()) {
            QVERIFY2(dialogs->boxes.empty(), qPrintable(dialogs->texts().join(" / ")));
        } else {
            QCOMPARE(dialogs->boxes.size(), std::size_t(1));
            QVERIFY2(dialogs->boxes[0].text.startsWith(message),
                     qPrintable(dialogs->boxes[0].text));
        }
        if (!after.isEmpty()) QCOMPARE(rc<QLineEdit>(field.toLatin1().constData())->text(), after);
        if (accepted) {
            QVERIFY(!raw()->inputsChanged()); // the histogram is shown again
            QVERIFY(rc<ChartPanel>("Chart1L")->isVisible());
        } else if (field != "EdPocetIntervalu") {
            QVERIFY(raw()->shown().P == before.P);
        }
    }

    void enterLeavesTheFieldAndRunsItsCheck() {
        openFixture();
        raw()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(raw()));
        auto* field = rc<QLineEdit>("EdPocetIntervalu");
        field->setFocus();
        type("EdPocetIntervalu", "2");
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(dialogs->boxes.size(), std::size_t(1));
        QVERIFY(dialogs->boxes[0].text.startsWith(Q(TextCis(88))));
        QVERIFY(field->hasFocus()); // back to the refused field
        QCOMPARE(field->text(), QString());
    }

    void clickIntoTheFieldRunsItsPendingCheck() {
        openFixture();
        raw()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(raw()));
        auto* field = rc<QLineEdit>("EdPocetIntervalu");
        field->setFocus();
        QTest::mouseClick(field, Qt::LeftButton); // nothing typed: nothing to check
        QVERIFY(dialogs->boxes.empty());
        type("EdPocetIntervalu", "2");
        QTest::mouseClick(field, Qt::LeftButton);
        QCOMPARE(dialogs->boxes.size(), std::size_t(1));
        QVERIFY(dialogs->boxes[0].text.startsWith(Q(TextCis(88))));
        QCOMPARE(field->text(), QString());
        // An accepted entry shows its histogram; a further click finds nothing pending.
        type("EdPocetIntervalu", "10");
        QTest::mouseClick(field, Qt::LeftButton);
        QCOMPARE(raw()->shown().Bins, 10);
        QVERIFY(!raw()->inputsChanged());
        QTest::mouseClick(field, Qt::LeftButton);
        QCOMPARE(dialogs->boxes.size(), std::size_t(1));
    }

    void rangeFieldsTakeOnlyNumberKeys() {
        openFixture();
        type("EdMin", "2x5,5+e");
        QCOMPARE(rc<QLineEdit>("EdMin")->text(), QString("25.5E"));
        type("EdPocetIntervalu", "1e2");
        QCOMPARE(rc<QLineEdit>("EdPocetIntervalu")->text(), QString("12"));
        // A rejected minimum is compared no more: the maximum checks against the text shown.
        type("EdMin", "1000");
        QVERIFY(!leave("EdMin"));
        QVERIFY(rc<QLineEdit>("EdMin")->text() != "1000");
        type("EdMax", "400");
        QVERIFY(leave("EdMax"));
    }

    void pureDiscreteClassesSitOnTheRangeEnds() {
        openFixture();
        const double min = rc<QLineEdit>("EdMin")->text().toDouble();
        const double max = rc<QLineEdit>("EdMax")->text().toDouble();
        const double step = (max - min) / 16;
        QVERIFY(std::abs(cell("StringGrid1", 1, 0).toDouble() - (min + step / 2)) < 1e-9 * max);
        QCOMPARE(rc<StringGrid>("StringGrid2")->rowCount(), 2 * 16 + 3); // with class edges
        rc<QCheckBox>("ChB_TypHist")->click();
        QCOMPARE(cell("StringGrid1", 1, 0).toDouble(), min);
        QCOMPARE(cell("StringGrid1", 1, 1).toDouble(), max);
        QCOMPARE(rc<StringGrid>("StringGrid2")->rowCount(), 16 + 2);
        QCOMPARE(raw()->shownAsInput().XLast, max);
        // Marks over the bars in the chosen style, none when unticked.
        rc<QCheckBox>("CheckBox1")->click();
        QCOMPARE(raw()->marks().size(), 16);
        QCOMPARE(raw()->marks().first(), Q(StrMarkValue(raw()->shown().P[1])));
        auto* style = rc<QComboBox>("CBMarks");
        style->setCurrentIndex(3);
        emit style->activated(3);
        QCOMPARE(raw()->marks().last(), Q(StrBottomGraf(max)));
        rc<QCheckBox>("CheckBox1")->click();
        QVERIFY(raw()->marks().isEmpty());
        // Marks on and off again leave range, classes and chart as they were.
        for (bool pure : {true, false}) {
            if (rc<QCheckBox>("ChB_TypHist")->isChecked() != pure)
                rc<QCheckBox>("ChB_TypHist")->click();
            const WorkingHistogram before = raw()->shown();
            const QString x1 = cell("StringGrid1", 1, 0);
            rc<QCheckBox>("CheckBox1")->click();
            rc<QCheckBox>("CheckBox1")->click();
            QCOMPARE(raw()->shown().Min, before.Min);
            QCOMPARE(raw()->shown().Max, before.Max);
            QVERIFY(raw()->shown().P == before.P);
            QCOMPARE(cell("StringGrid1", 1, 0), x1);
        }
    }

    // The file dialogs of the window speak the active language: opening and saving data, the
    // chart picture.
    void fileDialogFiltersFollowTheLanguage() {
        openFixture();
        const QString english = "Distributions Files (*.txt);;All files (*)";
        QCOMPARE(dialogs->fileRequests.back().filter, english);
        w->switchLanguage(Language::Czech);
        rc<QAction>("JPGFile")->trigger();
        rc<QToolButton>("UlozGraf")->click(); // cancelled
        QCOMPARE(dialogs->fileRequests.back().filter,
                 QString::fromUtf8("Soubory rozdělení (*.jpg);;Všechny soubory (*)"));
        rc<QToolButton>("OpenData")->click(); // cancelled
        QCOMPARE(dialogs->fileRequests.back().filter,
                 QString::fromUtf8("Soubory rozdělení (*.txt);;Všechny soubory (*)"));
        w->switchLanguage(Language::English);
        rc<QToolButton>("OpenData")->click();
        QCOMPARE(dialogs->fileRequests.back().filter, english);
    }

    // The folders box names the program's folder first, whichever raw data file was read.
    void rawDataFolderIsNotTheProgramFolder() {
        mc<QAction>("OAdresach1")->trigger();
        const QString before = dialogs->boxes.back().text;
        openFixture();
        dialogs->clear();
        mc<QAction>("OAdresach1")->trigger();
        QCOMPARE(dialogs->boxes.back().text, before);
        QVERIFY(!before.contains(QDir::toNativeSeparators(QFileInfo(Fixture).absolutePath())));
    }

    // Reading one file after another leaves the window's size alone; a size from the settings
    // file larger than the screen is cut to the screen.
    void windowKeepsItsSizeAndStaysOnTheScreen() {
        openFixture();
        QCoreApplication::processEvents();
        const QSize size = raw()->size();
        for (const char* name : {"weibull_120.txt", "valid_mixed.txt", "yield_strength_100.txt"}) {
            dialogs->files.push_back(QStringLiteral(TESSAVIN_TEST_DATA "/rawdata/") + name);
            rc<QToolButton>("OpenData")->click();
            rc<QPushButton>("BuParam")->click(); // the fitted parameters title the chart box
            closeTable();
            QCoreApplication::processEvents();
            QCOMPARE(raw()->size(), size);
        }
        SettingsFile file;
        file.SetInteger("--  Position  --", "PrvotniData-Form4.Width", 4000);
        file.SetInteger("--  Position  --", "PrvotniData-Form4.left", -3000);
        raw()->readSettings(file);
        const QRect screen = raw()->screen()->availableGeometry();
        // No wider than the screen unless its controls need more.
        QVERIFY(raw()->width() <= std::max(screen.width(), raw()->minimumSizeHint().width()));
        QVERIFY(screen.contains(raw()->pos()));
    }

    void informationBoxesAndLanguage() {
        openFixture();
        rc<QToolButton>("BChar")->click();
        QCOMPARE(dialogs->boxes.size(), std::size_t(1));
        QCOMPARE(dialogs->boxes[0].caption, Q(TextCis(79)));
        QVERIFY(dialogs->boxes[0].text.contains(Q(TextCis(210))));
        dialogs->clear();
        emit rc<StringGrid>("StringGrid3")->cellClicked(1, 1);
        emit rc<StringGrid>("StringGrid6")->cellClicked(1, 1);
        emit rc<StringGrid>("StringGrid1")->cellClicked(1, 1);
        QCOMPARE(dialogs->texts(),
                 (QStringList{Q(TextCis(215)), Q(TextCis(160)), Q(TextCis(214))}));

        QCOMPARE(cell("StringGrid3", 0, 1), QString("Střední hodnota")); // Czech in both
        w->switchLanguage(Language::Czech);
        QCOMPARE(raw()->windowTitle(), QString("  Tessavin :   Prvotní data"));
        QCOMPARE(cell("StringGrid3", 0, 0), QString("Počet dat"));
        w->switchLanguage(Language::English);
        QCOMPARE(cell("StringGrid3", 0, 0), QString("Number of values"));
    }

    void rankingListsTheFitsBestFirstAndShowsTheChosenOne() {
        openFixture();
        QSignalSpy table(raw(), &RawDataWindow::tableRequested);
        // The ranking runs off the GUI thread: the event loop keeps turning meanwhile.
        int turns = 0;
        QTimer loop;
        connect(&loop, &QTimer::timeout, [&turns] { ++turns; });
        loop.start(0);
        rc<QPushButton>("BuParam")->click();
        loop.stop();
        QVERIFY(turns > 0);
        const FitRanking& r = raw()->ranking();
        QVERIFY(r.completed);
        QVERIFY(r.listLength >= 2);
        for (int i = 1; i < DistributionCount; ++i)
            QVERIFY(r.entries[i - 1].tightness >= r.entries[i].tightness);
        QVERIFY(suitableTable() && suitableTable()->isVisible());
        QVERIFY(!raw()->isEnabled());
        closeTable();
        QVERIFY(raw()->isEnabled());
        auto* list = rc<QComboBox>("CBTypPara");
        QVERIFY(list->isEnabled());
        QCOMPARE(list->count(), r.listLength);
        QCOMPARE(list->itemText(0), Q(FitTypeName(r.entries[0].type)));
        QCOMPARE(cell("StringGrid4", 1, 0), Q(StrNaCarku(r.entries[0].tightness)));
        QCOMPARE(table.count(), 1);
        QVERIFY(raw()->parametricMode());
        QVERIFY(rc<QPushButton>("BTabChar")->isEnabled());
        auto* chart = rc<ChartPanel>("Chart1L");
        QVERIFY(chart->titleLines().value(0).startsWith(Q(TextCis(108)) + list->itemText(0)));
        QVERIFY(rc<QGroupBox>("GroupBox4")->title().contains(Q(TextCis(111))));

        // The second candidate, chosen in the list.
        list->setCurrentIndex(1);
        emit list->activated(1);
        QCOMPARE(cell("StringGrid4", 1, 0), QLocale().toString(r.entries[1].tightness, 'f', 5));
        QVERIFY(chart->titleLines().value(0).startsWith(Q(TextCis(108)) + list->itemText(1)));
        QVERIFY(rc<QGroupBox>("GroupBox4")->title().startsWith(Q(TextCis(117))));
        const auto second = raw()->shown().P;
        QVERIFY(std::abs(shownSum() - 1.0) < 1e-9);
        // Chosen again, it shows the same histogram (a mirrored one is not turned back).
        emit list->activated(1);
        QVERIFY(raw()->shown().P == second);
        QVERIFY(dialogs->boxes.empty());

        // Any change of the inputs discards the ranking.
        type("EdPocetIntervalu", "10");
        QVERIFY(!list->isEnabled());
        QCOMPARE(list->count(), 0);
        QVERIFY(leave("EdPocetIntervalu"));
        QVERIFY(!raw()->parametricMode());
    }

    void noFittingTypeShowsMessage110AndTheSampleAgain() {
        // One value in each of 16 classes: the class frequencies have no variance, so no
        // candidate can be judged closer than any other.
        chooseRawData(3);
        dialogs->files.push_back(
            QStringLiteral(TESSAVIN_TEST_DATA "/rawdata/one_per_class_16.txt"));
        rc<QToolButton>("OpenData")->click();
        QVERIFY(raw()->hasSample());
        rc<QPushButton>("BuParam")->click();
        QCOMPARE(dialogs->texts(), QStringList{Q(TextCis(110))});
        auto* list = rc<QComboBox>("CBTypPara");
        QCOMPARE(list->count(), 0);
        QVERIFY(!list->isEnabled());
        QVERIFY(!rc<QPushButton>("BTabChar")->isEnabled());
        QVERIFY(!raw()->parametricMode());
        QVERIFY(rc<ChartPanel>("Chart1L")->isVisible());
        QVERIFY(std::abs(shownSum() - 1.0) < 1e-12);
    }

    void aSettingsFileThatCannotBeReadIsNotReplaced() {
        // One byte over the size the reader takes (sparse, so cheap on disk).
        const QString path = dir.filePath("big.ini");
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("x");
            QVERIFY(f.resize(qint64(MaxUserFileBytes) + 1));
        }
        raw()->saveSettings(path);
        QCOMPARE(QFileInfo(path).size(), qint64(MaxUserFileBytes) + 1);
    }

    void closingStoresTheHistogramShownAndTheCalculationRunsOnIt() {
        openFixture(3);
        rc<QPushButton>("BuParam")->click();
        closeTable();
        const DiscreteHistogram expected = raw()->shownAsInput();
        QCOMPARE(expected.XFirst, cell("StringGrid1", 1, 0).toDouble());
        rc<QToolButton>("BitBtn1")->click();
        QVERIFY(!raw()->isVisible());
        QVERIFY(w->isEnabled());
        // The window keeps its place, Eps and class count in the settings file.
        const QByteArray ini = ReadAll(QString::fromLocal8Bit(qgetenv("TESSAVIN_INI")));
        QVERIFY(ini.contains("PrvotniData-Form4.PocetIntervalu=16"));
        QVERIFY(ini.contains("PrvotniData-Form4.width="));
        const DiscreteHistogram& stored = w->state().inputs.histogram[3];
        QVERIFY(stored.P == expected.P);
        QCOMPARE(stored.Bins, 16);
        QCOMPARE(stored.XFirst, expected.XFirst);
        QVERIFY(w->state().inputs.ready[3]);
        QVERIFY(mc<QToolButton>("BitBtn3")->isEnabled());
        QCOMPARE(mc<QComboBox>("CBTypMezKlu")->currentText(), QString());
        QCOMPARE(mc<QLineEdit>("EdMezKluMi")->text(), QString());
        QCOMPARE(mc<QLineEdit>("EdMezKluN")->text(), QString("16"));
        QCOMPARE(mc<QComboBox>("CBMezKluZad")->currentIndex(), 1);

        calculate();
        QVERIFY2(mc<QToolButton>("SaveProjekt")->isEnabled(),
                 qPrintable(dialogs->texts().join(" / ")));
        // The calculation used the stored histogram, not a rebuilt one.
        QVERIFY(w->state().inputs.histogram[3].P == expected.P);
    }

    void closingWithoutASampleMakesTheInputParametricAgain() {
        chooseRawData(1);
        raw()->close();
        QVERIFY(w->isEnabled());
        QCOMPARE(mc<QComboBox>("CBRozSpZad")->currentIndex(), 0);
        for (const char* name : {"CBTypTypRozSp", "EdRozSpMi", "EdRozSpSigma", "EdRozSpN"})
            QVERIFY2(mc<QWidget>(name)->isEnabled(), name);
        // Rebuilt from its fields at once.
        QVERIFY(w->state().inputs.ready[1]);
        QVERIFY(mc<QToolButton>("BitBtn1")->isEnabled());
    }

    void aRawDataInputSavedInAProjectGivesTheSameCalculation() {
        openFixture(3);
        rc<QToolButton>("BitBtn1")->click();
        calculate();
        const double pF = w->state().Event(1, 3, 8);
        const auto input3 = w->state().inputs.histogram[3];
        const QString path = dir.filePath("raw.Vys");
        dialogs->files.push_back(path);
        w->saveProjectCommand();
        QVERIFY(QFile::exists(path));

        mc<QLineEdit>("EdMezKluMi")->setText("300");
        dialogs->clear();
        dialogs->files.push_back(path);
        w->openProjectCommand();
        QVERIFY2(dialogs->boxes.empty(), qPrintable(dialogs->texts().join(" / ")));
        QCOMPARE(mc<QComboBox>("CBMezKluZad")->currentIndex(), 1);
        QVERIFY(w->state().inputs.histogram[3].P == input3.P);
        calculate();
        QCOMPARE(w->state().Event(1, 3, 8), pF);
    }

    void typedDataIsSavedOrRefusedAsAWhole() {
        chooseRawData(2);
        rc<QToolButton>("BNovy")->click();
        auto* editor = rc<QGroupBox>("GroupBox3");
        QVERIFY(editor->isVisible());
        auto* memo = rc<QPlainTextEdit>("Memo1");
        QCOMPARE(cell("StringGrid5", 1, 0), QString(" 0"));
        memo->setPlainText("1\n\n2,5");
        QCOMPARE(cell("StringGrid5", 1, 0), QString(" 3"));

        // A bad line: message 147 with its line number and element, and no file.
        const QString bad = dir.filePath("bad.txt");
        memo->setPlainText("1\n2\n3\nabc");
        dialogs->files.push_back(bad);
        rc<QPushButton>("BSave")->click();
        QCOMPARE(dialogs->boxes.size(), std::size_t(1));
        QCOMPARE(dialogs->boxes[0].text,
                 Q(TextCis(147) + "\r\n\r\n\t" + TextCis(148) + "4\r\n\t" + TextCis(149) + "abc"));
        QVERIFY(!QFile::exists(bad));
        QVERIFY(editor->isVisible());

        // A valid save writes the lines as typed, an empty line as 0.
        const QString good = dir.filePath("Raw_Data.txt");
        memo->setPlainText("1\n\n2,5");
        dialogs->clear();
        dialogs->files.push_back(good);
        rc<QPushButton>("BSave")->click();
        QVERIFY(dialogs->boxes.empty());
        QCOMPARE(ReadAll(good), QByteArray("1\r\n0\r\n2,5\r\n"));
        QVERIFY(!editor->isVisible());
        QCOMPARE(dialogs->fileRequests.back().suggestedName, QString("Raw_Data"));
        QCOMPARE(dialogs->fileRequests.back().defaultSuffix, QString("txt"));
        QVERIFY(!raw()->hasSample()); // a saved file is not read

        // Over an existing file only with Yes; No keeps the file and the editor.
        rc<QToolButton>("BNovy")->click();
        memo->setPlainText("7");
        dialogs->clear();
        dialogs->files.push_back(good);
        dialogs->answers.push_back(BoxNo);
        rc<QPushButton>("BSave")->click();
        QCOMPARE(ReadAll(good), QByteArray("1\r\n0\r\n2,5\r\n"));
        QVERIFY(editor->isVisible());
        QVERIFY(dialogs->boxes.at(0).text.contains("O v e r w r i t e"));

        // Nothing typed: message 135 and the editor closes.
        memo->clear();
        dialogs->clear();
        rc<QPushButton>("BSave")->click();
        QCOMPARE(dialogs->boxes.at(0).text, Q(TextCis(135)));
        QVERIFY(!editor->isVisible());
    }

    void probabilityPlotsOfTheChosenCandidate() {
        openFixture();
        auto* choice = rc<QComboBox>("CBGraf");
        QVERIFY(!choice->isEnabled()); // the sample's own histogram has no fitted distribution
        rc<QPushButton>("BuParam")->click();
        closeTable();
        QVERIFY(choice->isEnabled());
        auto* plot = rc<ProbabilityPlotView>("ChartPlot");
        auto* chart = rc<ChartPanel>("Chart1L");
        const int n = cell("StringGrid3", 1, 0).trimmed().toInt();
        QVERIFY(n > 0);
        choice->setCurrentIndex(1);
        QVERIFY(!plot->isHidden() && chart->isHidden());
        QCOMPARE(plot->pointCount(), n);
        QVERIFY(plot->point(0).y() <= plot->point(n - 1).y()); // the sample ascending
        choice->setCurrentIndex(2);
        QCOMPARE(plot->pointCount(), n);
        for (int i = 0; i < n; ++i)
            QVERIFY(plot->point(i).x() >= 0 && plot->point(i).x() <= 1);

        // The plot is what the export saves.
        rc<QAction>("Metafile")->trigger();
        const QString drawing = dir.filePath("plot.svg");
        dialogs->files.push_back(drawing);
        rc<QToolButton>("UlozGraf")->click();
        QVERIFY(ReadAll(drawing).contains("<svg"));

        // Another candidate keeps the choice; the sample's histogram again takes it back.
        auto* list = rc<QComboBox>("CBTypPara");
        list->setCurrentIndex(1);
        emit list->activated(1);
        QVERIFY(!plot->isHidden());
        QCOMPARE(plot->pointCount(), n);
        rc<QPushButton>("Button2")->click();
        QCOMPARE(choice->currentIndex(), 0);
        QVERIFY(!choice->isEnabled());
        QVERIFY(plot->isHidden() && !chart->isHidden());
    }

    void exportChoiceKeepsOneTickAndExportsTheChart() {
        openFixture();
        auto* schranka = rc<QAction>("Schranka");
        auto* bitmapa = rc<QAction>("Bitmapa");
        auto* metafile = rc<QAction>("Metafile");
        auto* jpg = rc<QAction>("JPGFile");
        auto ticks = [&] {
            return QString("%1%2%3%4")
                .arg(schranka->isChecked())
                .arg(bitmapa->isChecked())
                .arg(metafile->isChecked())
                .arg(jpg->isChecked());
        };
        QCOMPARE(ticks(), QString("1000"));
        schranka->trigger(); // unticking the clipboard ticks the bitmap
        QCOMPARE(ticks(), QString("0100"));
        bitmapa->trigger();
        QCOMPARE(ticks(), QString("1000"));
        metafile->trigger();
        QCOMPARE(ticks(), QString("0010"));
        jpg->trigger();
        QCOMPARE(ticks(), QString("0001"));

        // JPEG with no temporary file in the current folder.
        const QString current = QDir::currentPath();
        const QString picture = dir.filePath("chart.jpg");
        dialogs->files.push_back(picture);
        rc<QToolButton>("UlozGraf")->click();
        QCOMPARE(ReadAll(picture).left(2), QByteArray("\xFF\xD8"));
        QVERIFY(!QFile::exists(current + "/Temporery.bmp"));
        QCOMPARE(dialogs->fileRequests.back().defaultSuffix, QString("jpg"));
        // No to the overwrite question keeps the file.
        const QByteArray before = ReadAll(picture);
        metafile->trigger();
        dialogs->files.push_back(picture);
        dialogs->answers.push_back(BoxNo);
        rc<QToolButton>("UlozGraf")->click();
        QCOMPARE(ReadAll(picture), before);
        // The metafile is an SVG drawing here.
        const QString drawing = dir.filePath("chart.svg");
        dialogs->files.push_back(drawing);
        rc<QToolButton>("UlozGraf")->click();
        QVERIFY(ReadAll(drawing).contains("<svg"));
        // The clipboard.
        metafile->trigger();
        QCOMPARE(ticks(), QString("1000"));
        QGuiApplication::clipboard()->clear();
        rc<QToolButton>("UlozGraf")->click();
        QVERIFY(!QGuiApplication::clipboard()->image().isNull());
    }

    // Pictures of the window for the documentation, written only when TESSAVIN_DOC_PICTURES
    // names a folder: the window with a ranked fit, and the new-data editor.
    void picturesForTheDocs() {
        const QString folder = QString::fromLocal8Bit(qgetenv("TESSAVIN_DOC_PICTURES"));
        if (folder.isEmpty()) QSKIP("TESSAVIN_DOC_PICTURES not set");
        openFixture(3);
        raw()->resize(1280, 720);
        rc<QPushButton>("BuParam")->click();
        auto* list = rc<QComboBox>("CBTypPara");
        list->setCurrentIndex(0);
        emit list->activated(0);
        closeTable();                        // the table disables the window while it is open
        rc<QCheckBox>("CheckBox1")->click(); // marks over the bars
        QCoreApplication::processEvents();
        QVERIFY(raw()->grab().save(folder + "/raw-data-window.png"));
        rc<QToolButton>("BNovy")->click();
        rc<QPlainTextEdit>("Memo1")->setPlainText("312,5\n298\n305.5\n287\n301\n");
        QCoreApplication::processEvents();
        QVERIFY(raw()->grab().save(folder + "/raw-data-editor.png"));
    }
};

TESSAVIN_UI_TEST(RawDataWindowTest, raw_data_window_test)
#include "raw_data_window_test.moc"
