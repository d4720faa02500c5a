// The result presentation on a real calculation: the event graph window fed as the main window
// feeds it (tables, series, colours, titles, languages, pages) and the workbook command.
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUrl>
#include <QtTest>
#include <memory>

#include "calculation/driver.h"
#include "localisation/captions.h"
#include "localisation/language.h"
#include "localisation/messages.h"
#include "scripted_interaction.h"
#include "statlib/number_text.h"
#include "ui/charts/chart_panel.h"
#include "ui/charts/inspection_chart_style.h"
#include "ui/common/string_grid.h"
#include "ui/main/workbook_export.h"
#include "ui/windows/event_graph_window.h"
#include "ui_test_registry.h"
#include "widget_lookup.h"

using tessavin::test::Control;
using namespace tessavin;
using tessavin::ui::ChartPanel;
using tessavin::ui::EventGraphWindow;
using tessavin::ui::StringGrid;

namespace {

// A calculation on 32 classes, run to its end as the worker thread runs it.
struct Calculation {
    Calculation(const char* start, const char* step, const char* end, const char* Pd = "2.277E-2") {
        in.intervals = "32";
        for (int k = 1; k <= RandomInputCount; ++k)
            in.random[k].n = "32";
        in.yearStart = in.startText = start;
        in.yearStep = in.stepText = step;
        in.yearEnd = in.endText = end;
        in.Pd = Pd;
        plan = driver.Prepare();
        result = driver.Run(plan);
    }
    // startRun, addYear per row and finishRun, in the order of the main window.
    void feed(EventGraphWindow& w) const {
        w.startRun(plan, plan.Pd, plan.start, plan.step, plan.end);
        for (const YearRow& row : result.rows)
            w.addYear(row);
        w.finishRun(result, plan.Pd);
    }

    CalculationInputs in;
    std::unique_ptr<CalculationState> state = std::make_unique<CalculationState>();
    CalculationDriver driver{in, *state};
    RunPlan plan;
    RunResult result;
};

QColor Back(StringGrid* grid, int column, int row) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->background().color() : QColor();
}

} // namespace

class EventGraphWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Calculation> run_; // years 0 .. 80 step 1, inspections found

  private slots:
    void initTestCase() {
        SetLanguage(Language::English);
        run_ = std::make_unique<Calculation>("0", "1", "80");
        QCOMPARE(run_->result.end, RunEnd::Completed);
        QVERIFY(run_->result.furtherSearched);
        QVERIFY(run_->state->inspectionsFound >= 2);
    }
    void init() { SetLanguage(Language::English); }

    void windowShapeAndClosing() {
        EventGraphWindow w;
        QCOMPARE(w.objectName(), QString("TForm7"));
        QVERIFY(w.isWindow());
        QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(w.minimumSize(), QSize(900, 600));
        QCOMPARE(w.windowTitle(), QString("Tessavin : Probability Charts of Events U, D, F"));
        auto* pages = Control<QTabWidget>(w, "PageControl1");
        QCOMPARE(pages->count(), 3);
        QCOMPARE(pages->tabText(0), QString("Graph1"));
        QCOMPARE(pages->tabText(2), QString("Graph"));
        QCOMPARE(Control<QToolButton>(w, "BKonec")->toolTip(), QString("Quit "));
        QVERIFY(!Control<ChartPanel>(w, "Chart3")->legendVisible());

        // BKonec and Esc both close it and tell the main window.
        QSignalSpy closed(&w, &EventGraphWindow::closed);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        Control<QToolButton>(w, "BKonec")->click();
        QVERIFY(!w.isVisible());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QCOMPARE(closed.count(), 2);
    }

    void tablesHoldTheYearsAndTheCopies() {
        EventGraphWindow w;
        run_->feed(w);
        const auto& rows = run_->result.rows;
        const int n = static_cast<int>(rows.size());
        auto* g2 = Control<StringGrid>(w, "StringGrid2");
        auto* g1 = Control<StringGrid>(w, "StringGrid1");
        auto* g3 = Control<StringGrid>(w, "StringGrid3");
        QCOMPARE(g2->rowCount(), n + 1);
        QCOMPARE(g1->rowCount(), n + 1);
        QCOMPARE(g3->rowCount(), n + 1);
        const QStringList header = {" Year", " p ( U )", " p ( D )", " p ( F )"};
        for (int c = 0; c < 4; ++c)
            QCOMPARE(g2->cell(c, 0), header[c]);

        for (const YearRow& row : rows) {
            const int r = row.row;
            QCOMPARE(g2->cell(0, r), QString::fromStdString(row.yearText));
            for (int c = 0; c < 3; ++c)
                QCOMPARE(g2->cell(c + 1, r), QString::fromStdString(row.texts[c]));
        }
        QCOMPARE(g2->cell(0, 1), QString("    0"));
        QCOMPARE(g2->cell(0, 11), QString("   10"));
        for (int r = 0; r <= n; ++r)
            for (int c = 0; c < 4; ++c)
                QCOMPARE(g1->cell(c, r), g2->cell(c, r));

        // Page 3: the year, p(F) and Pd.
        QCOMPARE(g3->columnCount(), 3);
        QCOMPARE(g3->cell(0, 0), QString(" Year"));
        QCOMPARE(g3->cell(1, 0), QString(" p ( F )"));
        QCOMPARE(g3->cell(2, 0), QString("    Pd"));
        for (int r = 1; r <= n; ++r) {
            QCOMPARE(g3->cell(0, r), g2->cell(0, r));
            QCOMPARE(g3->cell(1, r), g2->cell(3, r));
            QCOMPARE(g3->cell(2, r), QString::fromStdString(StrNaCarku1(2.277E-2)));
        }

        // Coloured data columns with the text at the top left; column 0 and the header plain.
        const struct {
            StringGrid* grid;
            int column;
            QColor back;
        } colours[] = {
            {g2, 1, QColor(235, 235, 214)}, {g2, 2, QColor(225, 225, 255)},
            {g2, 3, QColor(255, 230, 217)}, {g1, 1, QColor(235, 235, 214)},
            {g1, 3, QColor(255, 230, 217)}, {g3, 1, QColor(225, 225, 255)},
            {g3, 2, QColor(255, 230, 217)},
        };
        for (const auto& c : colours) {
            for (int r : {1, n}) {
                QCOMPARE(Back(c.grid, c.column, r), c.back);
                QCOMPARE(c.grid->item(r, c.column)->textAlignment(),
                         int(Qt::AlignLeft | Qt::AlignTop));
            }
            QVERIFY(Back(c.grid, c.column, 0) != c.back);
        }
        QVERIFY(Back(g2, 0, 1) != QColor(235, 235, 214));
    }

    void seriesHoldThePointsOfEveryYear() {
        EventGraphWindow w;
        run_->feed(w);
        const auto& rows = run_->result.rows;
        const int n = static_cast<int>(rows.size());
        auto* c1 = Control<ChartPanel>(w, "Chart1");
        auto* c2 = Control<ChartPanel>(w, "Chart2");
        auto* c3 = Control<ChartPanel>(w, "Chart3");

        const struct {
            ChartPanel* chart;
            const char* series;
            QString legend;
            QColor colour;
        } series[] = {
            {c1, "HistogramSeries1", "U", QColor(128, 128, 0)},
            {c1, "HistogramSeries2", "D", QColor(0, 0, 255)},
            {c1, "HistogramSeries3", "F", QColor(255, 0, 0)},
            {c2, "Series1", "F", QColor(255, 0, 0)},
            {c2, "Series2", "D", QColor(0, 0, 255)},
            {c2, "Series3", "U", QColor(207, 213, 17)},
            {c3, "LineSeries2", "Pd", QColor(255, 0, 0)},
            {c3, "Series4", " F", QColor(0, 0, 255)},
        };
        for (const auto& s : series) {
            QCOMPARE(s.chart->pointCount(s.series), n);
            QCOMPARE(s.chart->legendTitle(s.series), s.legend);
            QCOMPARE(s.chart->pointColour(s.series, n - 1), s.colour);
        }
        QCOMPARE(c2->seriesType("Series1"), ChartPanel::SeriesType::StackedBar);
        QCOMPARE(c1->seriesType("HistogramSeries1"), ChartPanel::SeriesType::Line);

        const YearRow& last = rows.back();
        QCOMPARE(c1->pointLabel("HistogramSeries1", n - 1), QString::number(last.year));
        QCOMPARE(c1->pointValue("HistogramSeries3", n - 1), last.pF);
        // The bars stack: each reaches from the top of the one below to its own value.
        QCOMPARE(c2->pointValue("Series3", n - 1), last.pU);
        QCOMPARE(c2->pointValue("Series2", n - 1), last.pU + last.pD - last.pU);
        QCOMPARE(c2->pointValue("Series1", n - 1), 1.0 - (last.pU + last.pD));
        QCOMPARE(c3->pointValue("LineSeries2", 0), 2.277E-2);
        QCOMPARE(c3->pointValue("Series4", n - 1), last.pF);

        // Inspection k's curve (series k - 1 of the search) is Series k + 3; Series14 stays empty.
        const InspectionChart& curves = run_->result.inspectionChart;
        int drawn = 0;
        for (int s = 1; s <= InspectionSeries; ++s) {
            const QString name = QString("Series%1").arg(s + 4);
            QCOMPARE(c3->pointCount(name), int(curves.series[s].size()));
            for (size_t i = 0; i < curves.series[s].size(); ++i) {
                const ChartPoint& p = curves.series[s][i];
                QCOMPARE(c3->pointValue(name, int(i)), p.value);
                QCOMPARE(c3->pointLabel(name, int(i)), QString::number(p.year));
                // Each inspection in a blue of its own; a year without a value is marked so.
                QCOMPARE(c3->pointHasValue(name, int(i)), p.blue);
                if (p.blue)
                    QCOMPARE(c3->pointColour(name, int(i)), ui::InspectionCurveColour(s + 1));
                drawn += p.blue;
            }
        }
        QVERIFY(drawn > 0);
        QCOMPARE(c3->pointCount("Series14"), 0);
        QSet<QRgb> shades{c3->seriesColour("Series4").rgb()};
        for (int s = 5; s <= 13; ++s)
            shades.insert(c3->seriesColour(QString("Series%1").arg(s)).rgb());
        QCOMPARE(shades.size(), 10);
    }

    // The three bars of a year lie over each other: red on top (p(F)), blue (p(D)) in the middle
    // and yellow (p(U)) at the bottom, each as tall as its probability.
    void barsAreDrawnOverEachOther() {
        EventGraphWindow w;
        RunPlan plan;
        plan.eventTableRows = 1;
        w.startRun(plan, 0.0, 5, 0, 5);
        YearRow row;
        row.row = 1;
        row.year = 5;
        const double pU = 0.5, pD = 0.3;
        for (const auto& [name, value, colour] :
             {std::tuple{"Series1", 1.0, RedColour}, std::tuple{"Series2", pU + pD, BlueColour},
              std::tuple{"Series3", pU, YellowColour}})
            row.points.push_back({ChartId::EventGraph, name, {value, "5", colour}});
        w.addYear(row);

        auto* chart = Control<ChartPanel>(w, "Chart2");
        chart->setLegendVisible(false); // its markers have the bar colours
        const QImage image = chart->renderImage(QSize(400, 400));
        // The pixel column through the middle of the bar, read from the top.
        int x = -1, tallest = 0;
        for (int c = 0; c < image.width(); ++c) {
            int yellow = 0;
            for (int y = 0; y < image.height(); ++y)
                yellow += QColor(image.pixel(c, y)) == QColor(207, 213, 17);
            if (yellow > tallest) tallest = yellow, x = c;
        }
        QVERIFY(x >= 0);
        QMap<QRgb, int> height;
        QList<QRgb> order;
        for (int y = 0; y < image.height(); ++y) {
            const QRgb p = image.pixel(x, y) & 0xFFFFFF;
            if (p != 0xFF0000 && p != 0x0000FF && p != 0xCFD511) continue;
            if (order.isEmpty() || order.back() != p) order << p;
            ++height[p];
        }
        QCOMPARE(order, (QList<QRgb>{0xFF0000, 0x0000FF, 0xCFD511}));
        // Heights in proportion to p(F) = 0.2, p(D) = 0.3, p(U) = 0.5, within a few pixels.
        const double unit = height[0xCFD511] / pU;
        QVERIFY(std::abs(height[0x0000FF] - pD * unit) < 4);
        QVERIFY(std::abs(height[0xFF0000] - (1 - pU - pD) * unit) < 4);
    }

    void titlesQuoteThePeriodAndFollowTheLanguage() {
        EventGraphWindow w;
        QVERIFY(Control<ChartPanel>(w, "Chart1")->titleLines().isEmpty());
        CalculationInputs in = run_->in;
        in.bf = "350";
        w.setInputs(&in);
        run_->feed(w);
        auto* c1 = Control<ChartPanel>(w, "Chart1");
        auto* c2 = Control<ChartPanel>(w, "Chart2");
        auto* c3 = Control<ChartPanel>(w, "Chart3");
        const QString crack = "Fatigue crack progression from the edge bf= 350 mm, tf= 25 mm, m= 3";
        const QStringList title1 = {"Probability Charts of Events U, D, F  in calculation of "
                                    "first inspection time (Years : 0, 1,...,80)",
                                    crack};
        QCOMPARE(c1->titleLines(), title1);
        QCOMPARE(c2->titleLines(), title1);
        QCOMPARE(c3->titleLines(),
                 (QStringList{"Probability chart of event F for inspections times calculation "
                              "( design value of the limit probability pd =2.277E-2 )",
                              crack}));
        for (auto* c : {c1, c2, c3}) {
            QCOMPARE(c->axisTitle("left"), QString("Probability P(x)"));
            QCOMPARE(c->axisTitle("bottom"), QString("Y e a r"));
        }

        // Czech: the same period and the fields as they read now.
        in.tf = "30";
        SetLanguage(Language::Czech);
        w.applyLanguage(Language::Czech);
        QCOMPARE(w.windowTitle(), QString("Tessavin : Graf pravděpodobností U, D, F"));
        QCOMPARE(Control<QTabWidget>(w, "PageControl1")->tabText(2), QString("Graf3"));
        QCOMPARE(Control<StringGrid>(w, "StringGrid2")->cell(0, 0), QString("  Rok"));
        QCOMPARE(c1->titleLines().value(0), QString::fromStdString(TextCis(239)) + "0, 1,...,80)");
        QCOMPARE(c2->titleLines().value(1),
                 QString::fromStdString(TextCis(238) + CrackOriginText(0)) +
                     " bf= 350 mm, tf= 30 mm, m= 3");
        QCOMPARE(c3->axisTitle("bottom"), QString("R o k"));
        QCOMPARE(c1->axisTitle("left"), QString::fromStdString(TextCis(257)));

        // A language passed in is used even when it is not the active one yet.
        SetLanguage(Language::Czech);
        w.applyLanguage(Language::English);
        QCOMPARE(c1->axisTitle("bottom"), QString("Y e a r"));
        QCOMPARE(c1->titleLines(),
                 (QStringList{title1[0], "Fatigue crack progression from the edge bf= 350 mm, "
                                         "tf= 30 mm, m= 3"}));
        QCOMPARE(CurrentLanguage(), Language::Czech);
    }

    // Pd = 0 leaves the Pd and F lines of page 3 empty; one year gives one point and one row.
    void zeroPdAndSingleYear() {
        const Calculation noPd("0", "1", "10", "0");
        EventGraphWindow w;
        noPd.feed(w);
        QCOMPARE(Control<ChartPanel>(w, "Chart3")->pointCount("LineSeries2"), 0);
        QCOMPARE(Control<ChartPanel>(w, "Chart3")->pointCount("Series4"), 0);
        QCOMPARE(Control<ChartPanel>(w, "Chart1")->pointCount("HistogramSeries2"), 11);
        QCOMPARE(Control<ChartPanel>(w, "Chart2")->pointCount("Series3"), 11);
        QCOMPARE(Control<StringGrid>(w, "StringGrid3")->cell(2, 5), QString("0"));

        // The same window for the next calculation: nothing of the first one stays.
        const Calculation single("7", "1", "7");
        single.feed(w);
        for (const char* grid : {"StringGrid1", "StringGrid2", "StringGrid3"})
            QCOMPARE(Control<StringGrid>(w, grid)->rowCount(), 2);
        QCOMPARE(Control<StringGrid>(w, "StringGrid2")->cell(0, 1), QString("    7"));
        for (const auto& [chart, series] :
             {std::pair{"Chart1", "HistogramSeries1"}, std::pair{"Chart2", "Series2"},
              std::pair{"Chart3", "LineSeries2"}, std::pair{"Chart3", "Series4"}})
            QCOMPARE(Control<ChartPanel>(w, chart)->pointCount(series), 1);
        QCOMPARE(Control<ChartPanel>(w, "Chart1")->categories(), QStringList{"7"});
        QVERIFY(Control<ChartPanel>(w, "Chart1")->titleLines().value(0).endsWith(",...,7)"));
    }

    void opensOnTheAskedPage() {
        EventGraphWindow w;
        auto* pages = Control<QTabWidget>(w, "PageControl1");
        pages->setCurrentIndex(0);
        w.showPage(2);
        QCOMPARE(pages->currentWidget()->objectName(), QString("TabSheet2"));
        w.showPage(3);
        QCOMPARE(pages->currentWidget()->objectName(), QString("TabSheet3"));
        QCOMPARE(w.currentPage(), 3);
        w.showPage(2);
        QCOMPARE(w.currentPage(), 2);
        w.showPage(1);
        QCOMPARE(pages->currentWidget()->objectName(), QString("TabSheet1"));
    }

    // The workbook command: the file in the results folder, the overwrite question, the boxes
    // of a failed write and of a file that cannot be opened, and the folder it returns to.
    void workbookCommand() {
        const QString previousDir = QDir::currentPath();
        const struct {
            const char* name;
            bool existing;       // a file of that name is there before
            int answer;          // to the overwrite question
            bool resultsMissing; // the results folder is gone
            bool openerWorks;
            bool written; // the folder holds the new workbook afterwards
            bool opened;
            QString caption;    // of the one box shown; empty: none
            QString text;       // its text begins so
            bool backToProject; // the project folder is the current directory afterwards
        } cases[] = {
            {"new file", false, 0, false, true, true, true, {}, {}, false},
            {"replace: yes", true, ui::BoxYes, false, true, true, true, "C o n f i r m a t i o n",
             "File \r\n\r\n\t", false},
            {"replace: no", true, ui::BoxNo, false, true, false, false, "C o n f i r m a t i o n",
             "File \r\n\r\n\t", true},
            {"cannot write", false, 0, true, true, false, false, "E r r o r",
             "Write error ! File Bridge.xlsx", false},
            {"cannot open", false, 0, false, false, true, true, "W a r n i n g",
             QString::fromStdString(TextCis(274)), true},
        };
        for (const auto& c : cases) {
            QTemporaryDir root;
            const QString results = root.filePath("Results");
            const QString project = root.filePath("Projects");
            QVERIFY(QDir().mkpath(project));
            if (!c.resultsMissing) QVERIFY(QDir().mkpath(results));
            const QString file = results + "/Bridge.xlsx";
            if (c.existing) {
                QFile old(file);
                QVERIFY(old.open(QIODevice::WriteOnly));
                old.write("old");
            }
            CalculationInputs in = run_->in;
            in.projectName = "Bridge";
            QCOMPARE(ui::WorkbookPath(in, results), file);

            QList<QUrl> opened;
            ui::SetWorkbookOpener([&](const QUrl& url) {
                opened << url;
                return c.openerWorks;
            });
            test::ScriptedInteraction boxes;
            boxes.answers.push_back(c.answer);
            QDir::setCurrent(root.path());
            QString projectDir = project;
            ui::ExportWorkbook(nullptr, in, *run_->state, results, projectDir);
            ui::SetWorkbookOpener({});
            const QString cwd = QDir::currentPath();
            QDir::setCurrent(previousDir);

            QFile written(file);
            const QByteArray head = written.open(QIODevice::ReadOnly) ? written.read(2) : "";
            QVERIFY2((head == "PK") == c.written, c.name);
            if (c.existing && !c.written) QVERIFY2(head == "ol", c.name);
            if (c.resultsMissing) QVERIFY2(!QFileInfo::exists(results), c.name);
            QCOMPARE(opened, c.opened ? QList<QUrl>{QUrl::fromLocalFile(file)} : QList<QUrl>{});
            QCOMPARE(int(boxes.boxes.size()), c.caption.isEmpty() ? 0 : 1);
            if (!c.caption.isEmpty()) {
                QCOMPARE(boxes.boxes[0].caption, c.caption);
                QVERIFY2(boxes.boxes[0].text.startsWith(c.text), qPrintable(boxes.boxes[0].text));
            }
            if (c.existing) QVERIFY(boxes.boxes[0].text.contains(file));
            QCOMPARE(QDir(cwd) == QDir(project), c.backToProject);
        }
    }
};

TESSAVIN_UI_TEST(EventGraphWindowTest, event_graph_window_test)
#include "event_graph_window_test.moc"
