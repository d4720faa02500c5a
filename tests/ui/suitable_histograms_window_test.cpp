// The table of suitable histograms TForm5 filled from the fit ranking of a fixture sample:
// sorting by a key and by closeness, removal of the unsuitable rows, choosing a candidate, its
// place and size in the settings file and its captions.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <memory>

#include "files/settings_file.h"
#include "localisation/language.h"
#include "localisation/messages.h"
#include "rawdata/candidate_view.h"
#include "rawdata/fit_ranking.h"
#include "ui/charts/chart_panel.h"
#include "ui/common/string_grid.h"
#include "ui/rawdata/suitable_histograms_window.h"
#include "ui_test_registry.h"
#include "widget_lookup.h"

using tessavin::CellValue;
using tessavin::FitContext;
using tessavin::FitRanking;
using tessavin::test::Control;
using tessavin::ui::ChartPanel;
using tessavin::ui::StringGrid;
using tessavin::ui::SuitableHistogramsWindow;

namespace {

// 120 values at the quantiles of Weibull k = 1.6, lambda = 10, in 12 classes: 12 candidates
// are accepted; Rayleigh (deviation 3.8 against the sample's 5.7) is the first whose deviation
// lies outside [0.75 s, 1.25 s], in row 7 by tightness.
constexpr int Accepted = 12;
struct Ranked {
    FitContext context;
    FitRanking ranking;
};

const Ranked& FixtureRanking() {
    static const Ranked ranked = [] {
        auto read = tessavin::ReadRawDataFile(TESSAVIN_TEST_DATA "/rawdata/weibull_120.txt");
        const auto& sample = std::get<tessavin::RawSample>(read);
        tessavin::FitSettings settings;
        settings.intervals = 12;
        settings.min = tessavin::ThroughDisplayText(sample.minimum);
        settings.max = tessavin::ThroughDisplayText(sample.maximum);
        FitContext context = std::get<FitContext>(FitContext::Make(sample, settings));
        FitRanking ranking = tessavin::RankParametricFits(context);
        return Ranked{std::move(context), std::move(ranking)};
    }();
    return ranked;
}

QString Str(const std::string& s) {
    return QString::fromStdString(s);
}

// Filled rows of SGChar (the type column not blank).
int FilledRows(StringGrid* grid) {
    int n = 0;
    for (int p = 1; p < grid->rowCount(); ++p)
        if (!grid->cell(1, p).trimmed().isEmpty()) n = p;
    return n;
}

double Cell(StringGrid* grid, int column, int row) {
    return CellValue(grid->cell(column, row).toStdString());
}

void ClickRow(StringGrid* grid, int row) {
    const QRect cell = grid->visualItemRect(grid->item(row, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

} // namespace

class SuitableHistogramsWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString ini() const { return dir_.filePath("Tessavin.INI"); }

  private slots:
    void init() {
        tessavin::SetLanguage(tessavin::Language::English);
        QFile::remove(ini());
    }

    void fillsTheGridsFromTheRanking() {
        const Ranked& r = FixtureRanking();
        QCOMPARE(r.ranking.acceptedCount(), Accepted);
        QWidget rawData;
        rawData.show();
        SuitableHistogramsWindow w(&rawData, ini());
        w.open(r.ranking, r.context);
        QVERIFY(w.isVisible());
        QVERIFY(!rawData.isEnabled());

        auto* moments = Control<StringGrid>(&w, "SGCharPDZ");
        QCOMPARE(moments->cell(1, 1), Str(r.context.statistics().meanText));
        QCOMPARE(moments->cell(2, 1), Str(r.context.statistics().sigmaText));
        auto* sample = Control<StringGrid>(&w, "SGCharPD");
        QCOMPARE(sample->cell(1, 1), QString("Prvotní data"));
        QCOMPARE(sample->cell(5, 1), Str(r.ranking.sampleRow.fields[4]));
        auto* grid = Control<StringGrid>(&w, "SGChar");
        QCOMPARE(grid->rowCount(), 21);
        QCOMPARE(grid->cell(0, 1), QString("  1"));
        QCOMPARE(grid->cell(0, 20), QString("20"));
        QCOMPARE(grid->cell(11, 0), " " + Str(tessavin::TextCis(108)));

        // Sorted by tightness, best first, as the ranking lists them.
        QCOMPARE(Control<QComboBox>(&w, "CBTypVyberu")->currentIndex(), 1);
        QVERIFY(!Control<QComboBox>(&w, "CBVyber")->isVisible());
        QCOMPARE(FilledRows(grid), Accepted);
        for (int p = 1; p <= Accepted; ++p) {
            QCOMPARE(grid->cell(1, p), Str(tessavin::FitTypeName(r.ranking.entries[p - 1].type)));
            QCOMPARE(w.table().typeAt(p), r.ranking.entries[p - 1].type);
        }

        // Chart1 shows the sample's histogram: one navy bar a class, labelled from 0.
        auto* chart1 = Control<ChartPanel>(&w, "Chart1");
        QCOMPARE(chart1->pointCount("Series1"), 12);
        QCOMPARE(chart1->pointLabel("Series1", 0), QString("0"));
        QCOMPARE(chart1->pointValue("Series1", 3), r.context.sampleView().histogram.P[4]);
        QCOMPARE(chart1->seriesColour("Series1"), QColor(0, 0, 0x80));
        QVERIFY(!Control<ChartPanel>(&w, "Chart2")->isVisible());
    }

    void sortsByKeyAndByCloseness() {
        const Ranked& r = FixtureRanking();
        SuitableHistogramsWindow w(nullptr, ini());
        w.open(r.ranking, r.context);
        auto* grid = Control<StringGrid>(&w, "SGChar");
        auto* key = Control<QComboBox>(&w, "CBTypVyberu");
        auto* reference = Control<QComboBox>(&w, "CBVyber");

        // Kurtosis: descending, " undefined" counted as 0; no reference box.
        key->setCurrentIndex(9);
        QVERIFY(!reference->isVisible());
        for (int p = 2; p <= Accepted; ++p)
            QVERIFY(Cell(grid, 10, p - 1) >= Cell(grid, 10, p));

        // Skewness: nearest the sample's skewness first (reference item 0 = the raw data).
        key->setCurrentIndex(8);
        QVERIFY(reference->isVisible());
        QCOMPARE(reference->currentIndex(), 0);
        const double skew = CellValue(r.context.statistics().skewnessText);
        for (int p = 2; p <= Accepted; ++p)
            QVERIFY(std::fabs(Cell(grid, 9, p - 1) - skew) <= std::fabs(Cell(grid, 9, p) - skew));

        // Item 1: nearest the skewness of the sample's histogram; the order changes.
        reference->setCurrentIndex(1);
        const double histogramSkew = Cell(Control<StringGrid>(&w, "SGCharPD"), 9, 1);
        QVERIFY(histogramSkew != skew);
        for (int p = 2; p <= Accepted; ++p)
            QVERIFY(std::fabs(Cell(grid, 9, p - 1) - histogramSkew) <=
                    std::fabs(Cell(grid, 9, p) - histogramSkew));
        QCOMPARE(FilledRows(grid), Accepted);
        QVERIFY(grid->selectedItems().isEmpty());
    }

    void removesTheUnsuitableRowsAndEveryRowBelow() {
        const Ranked& r = FixtureRanking();
        SuitableHistogramsWindow w(nullptr, ini());
        QSignalSpy removed(&w, &SuitableHistogramsWindow::candidatesRemoved);
        w.open(r.ranking, r.context);
        auto* grid = Control<StringGrid>(&w, "SGChar");
        auto* box = Control<QCheckBox>(&w, "ChBVymazRadkuTab");

        QCOMPARE(w.removalRow(), 7);
        QCOMPARE(grid->cell(1, 7), QString("Rayleigh"));
        QVERIFY(box->isVisible());
        QVERIFY(!box->isChecked());
        // Rows 7 to 12 are marked as those a removal deletes.
        for (int p = 1; p <= Accepted; ++p)
            QCOMPARE(grid->item(p, 3)->isSelected(), p >= 7);

        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        QVERIFY(!box->isVisible());
        QCOMPARE(FilledRows(grid), 6);
        QVERIFY(grid->selectedItems().isEmpty());
        QCOMPARE(removed.count(), 1);
        const auto types = removed.at(0).at(0).value<QList<int>>();
        QCOMPARE(types.size(), Accepted - 6);
        QCOMPARE(types.front(), 10); // Rayleigh
        for (int p = 7; p <= Accepted; ++p)
            QCOMPARE(grid->cell(2, p).trimmed(), QString());
        QCOMPARE(Control<StringGrid>(&w, "SGCharPD")->cell(1, 1), QString("Prvotní data"));

        // Sorting afterwards keeps the six at the top, the blank rows below.
        for (int k : {2, 4, 9, 1}) {
            Control<QComboBox>(&w, "CBTypVyberu")->setCurrentIndex(k);
            QCOMPARE(FilledRows(grid), 6);
            for (int p = 1; p <= 6; ++p)
                QVERIFY(!grid->cell(2, p).trimmed().isEmpty());
        }
        // A re-opening from the ranking the raw data window cut the same way shows six rows.
        FitRanking cut = r.ranking;
        std::vector<tessavin::DistributionType> gone(types.begin(), types.end());
        tessavin::RemoveCandidates(cut, gone);
        w.open(cut, r.context);
        QCOMPARE(FilledRows(grid), 6);
        // The search stops at the first blank row, which offers no removal.
        QCOMPARE(w.removalRow(), 7);
        QVERIFY(!box->isVisible());
    }

    void selectingARowShowsItsCandidate() {
        const Ranked& r = FixtureRanking();
        SuitableHistogramsWindow w(nullptr, ini());
        QSignalSpy selected(&w, &SuitableHistogramsWindow::candidateSelected);
        w.open(r.ranking, r.context);
        auto* grid = Control<StringGrid>(&w, "SGChar");
        auto* chart2 = Control<ChartPanel>(&w, "Chart2");

        // Sorted by median, row 1 shows another candidate than the best: selecting it names it.
        Control<QComboBox>(&w, "CBTypVyberu")->setCurrentIndex(2);
        const QString name = grid->cell(1, 1);
        QVERIFY(name != grid->cell(1, 0));
        ClickRow(grid, 1);
        QCOMPARE(selected.count(), 1);
        const int listIndex = selected.at(0).at(0).toInt();
        const int type = selected.at(0).at(1).toInt();
        QCOMPARE(Str(tessavin::FitTypeName(type)), name);
        QCOMPARE(r.ranking.entries[listIndex].type, type);
        QVERIFY(listIndex < r.ranking.listLength);

        // Chart2 shows that candidate as the raw data window draws it.
        QVERIFY(chart2->isVisible());
        const auto shown = tessavin::BuildShownCandidate(r.context, type, r.ranking.weibullShape);
        QVERIFY(shown.has_value());
        QCOMPARE(chart2->pointCount("Series1"), 12);
        for (int i = 0; i < 12; ++i)
            QCOMPARE(chart2->pointValue("Series1", i), shown->P[i + 1]);
        QCOMPARE(chart2->seriesColour("Series1"), QColor(0xA6, 0xCA, 0xF0));
        auto* reference = Control<QComboBox>(&w, "CBVyber");
        QVERIFY(reference->isVisible());
        QCOMPARE(reference->currentText(), name);

        // What the raw data window draws in its slot is what Chart2 shows.
        tessavin::WorkingHistogram flat;
        flat.Bins = 3;
        flat.P[1] = flat.P[2] = flat.P[3] = 1.0 / 3;
        connect(&w, &SuitableHistogramsWindow::candidateSelected, &w,
                [&] { w.showDrawnHistogram(flat); });
        ClickRow(grid, 3);
        QCOMPARE(selected.count(), 2);
        QCOMPARE(chart2->pointCount("Series1"), 3);

        // A blank row shows nothing here and asks for the first candidate.
        ClickRow(grid, 18);
        QCOMPARE(selected.count(), 3);
        QCOMPARE(selected.at(2).at(0).toInt(), 0);
        QCOMPARE(selected.at(2).at(1).toInt(), r.ranking.entries[0].type);
        QVERIFY(!chart2->isVisible());
    }

    void keepsPlaceAndSizeStaysOnTopAndFreesTheRawDataWindow() {
        const Ranked& r = FixtureRanking();
        {
            SuitableHistogramsWindow w(nullptr, ini());
            QCOMPARE(w.objectName(), QString("TForm5"));
            QCOMPARE(w.minimumSize(), QSize(1000, 600));
            QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
            // No settings yet: the screen's width, 600 high, in the top-left corner.
            QCOMPARE(w.pos(), QPoint(0, 0));
            QCOMPARE(w.height(), 600);
            QCOMPARE(w.width(),
                     std::max(1000, QGuiApplication::primaryScreen()->availableGeometry().width()));
        }
        QWidget rawData;
        rawData.show();
        {
            SuitableHistogramsWindow w(&rawData, ini());
            QSignalSpy closed(&w, &SuitableHistogramsWindow::closed);
            w.open(r.ranking, r.context);
            QVERIFY(!rawData.isEnabled());
            w.move(30, 40);
            w.resize(1100, 700);
            QTest::mouseClick(Control<QPushButton>(&w, "BKonec"), Qt::LeftButton);
            QVERIFY(!w.isVisible());
            QCOMPARE(closed.count(), 1);
            QVERIFY(rawData.isEnabled());
        }
        tessavin::SettingsFile file;
        file.Load(ini().toStdString());
        const std::string_view section = "--  Position  --";
        QCOMPARE(file.GetInteger(section, "TabChar-Form5.width", 0), 1100);
        QCOMPARE(file.GetInteger(section, "TabChar-Form5.height", 0), 700);
        // A new window takes them again; a size below the minimum grows to it.
        SuitableHistogramsWindow again(nullptr, ini());
        QCOMPARE(again.size(), QSize(1100, 700));
        file.SetInteger(section, "TabChar-Form5.width", 300);
        file.Save(ini().toStdString());
        SuitableHistogramsWindow small(nullptr, ini());
        QCOMPARE(small.size(), QSize(1000, 700));
    }

    void captionsInBothLanguages() {
        SuitableHistogramsWindow w;
        auto* key = Control<QComboBox>(&w, "CBTypVyberu");
        key->setCurrentIndex(8);
        QCOMPARE(w.windowTitle(), QString("  Tessavin : Table of applicable histograms with "
                                          "parametric probability distribution"));
        QCOMPARE(Control<StringGrid>(&w, "SGChar")->cell(2, 0), QString(" Closeness"));
        w.applyLanguage(tessavin::Language::Czech);
        QCOMPARE(key->itemText(8), QString("Šikmost"));
        QCOMPARE(key->currentIndex(), 8);
        QCOMPARE(Control<QLabel>(&w, "Label3")->text(), QString("Seřadit podle : "));
        QCOMPARE(Control<StringGrid>(&w, "SGChar")->cell(2, 0), QString(" Těsnost"));
        QCOMPARE(Control<QComboBox>(&w, "CBVyber")->itemText(1),
                 QString("Histogram prvotních dat"));
        w.applyLanguage(tessavin::Language::English);
        QCOMPARE(key->itemText(8), QString("Skewness"));
    }

    // With TESSAVIN_PICTURES set to a folder, the filled window is saved there as a picture.
    void picture() {
        const QString folder = qEnvironmentVariable("TESSAVIN_PICTURES");
        if (folder.isEmpty()) QSKIP("TESSAVIN_PICTURES not set");
        const Ranked& r = FixtureRanking();
        SuitableHistogramsWindow w(nullptr, ini());
        w.resize(1280, 640);
        w.open(r.ranking, r.context);
        ClickRow(Control<StringGrid>(&w, "SGChar"), 2);
        QTest::qWait(200);
        QVERIFY(w.grab().save(QDir(folder).filePath("suitable-histograms-window.png")));
    }
};

TESSAVIN_UI_TEST(SuitableHistogramsWindowTest, suitable_histograms_window_test)
#include "suitable_histograms_window_test.moc"
