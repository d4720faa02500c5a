#include "ui/windows/event_graph_window.h"

#include <QBrush>
#include <QHBoxLayout>
#include <QLegend>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <algorithm>
#include <iterator>

#include "calculation/inspections.h"
#include "localisation/captions.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "statlib/number_text.h"
#include "ui/charts/chart_panel.h"
#include "ui/charts/inspection_chart_style.h"
#include "ui/common/interaction.h"
#include "ui/common/string_grid.h"

namespace tessavin::ui {
namespace {

using SeriesType = ChartPanel::SeriesType;

const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);
const QColor Olive(128, 128, 0);
const QColor Yellow(207, 213, 17);

// Backgrounds of the probability columns.
const QColor UColumn(235, 235, 214);
const QColor DColumn(225, 225, 255);
const QColor FColumn(255, 230, 217);

const QString WideYear = "  300";
const QString WideProbability = "-0.0053978566135744";

// Chart2's bars from the bottom up, with their legend texts. Each text names the probability
// its colour shows (p(U) yellow at the bottom, p(D) blue, p(F) red on top).
struct OverlaidBar {
    const char* name;
    QColor colour;
    const char* legend;
};
const OverlaidBar OverlaidBars[] = {
    {"Series3", Yellow, "U"}, {"Series2", Blue, "D"}, {"Series1", Red, "F"}};

QColor ToColour(const Rgb& c) {
    return QColor(c.r, c.g, c.b);
}

// Messages in `language` for the duration of a scope.
class LanguageScope {
  public:
    explicit LanguageScope(Language language) : before_(CurrentLanguage()) {
        SetLanguage(language);
    }
    ~LanguageScope() { SetLanguage(before_); }
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;

  private:
    Language before_;
};

// A data cell on its column's background, the text from the top-left corner.
void SetDataCell(StringGrid* grid, int column, int row, const QString& text, const QColor& back) {
    grid->setCell(column, row, text);
    if (QTableWidgetItem* item = grid->item(row, column)) {
        item->setBackground(back);
        item->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
}

StringGrid* MakeGrid(const char* name, int columns, QWidget* parent) {
    auto* grid = new StringGrid(name, columns, 1, 1, 1, parent);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    if (columns == 4)
        grid->fitColumns({WideYear, WideProbability, WideProbability, WideProbability});
    else
        grid->fitColumns({WideYear, WideProbability, WideProbability});
    return grid;
}

// A page: the chart's toolbar across the top, the chart on the left, the table on the right.
QWidget* MakePage(const char* name, ChartPanel* chart, StringGrid* grid) {
    auto* page = new QWidget;
    page->setObjectName(name);
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(2);
    column->addWidget(chart->toolbar());
    auto* row = new QHBoxLayout;
    row->addWidget(chart, 1);
    row->addWidget(grid);
    column->addLayout(row, 1);
    return page;
}

void WriteProbabilityHeader(StringGrid* grid) {
    grid->setCell(0, 0, Q(TextCis(msg::Year)));
    grid->setCell(1, 0, " p ( U )");
    grid->setCell(2, 0, " p ( D )");
    grid->setCell(3, 0, " p ( F )");
}

} // namespace

EventGraphWindow::EventGraphWindow()
    : SideWindow(WindowId::EventGraph, Qt::Window | Qt::WindowStaysOnTopHint) {
    setMinimumSize(900, 600);
    resize(900, 600);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    auto* panel = new QWidget(this);
    panel->setObjectName("Panel1");
    auto* panelRow = new QHBoxLayout(panel);
    panelRow->setContentsMargins(4, 2, 4, 2);
    auto* quit = new QToolButton(panel);
    quit->setObjectName("BKonec");
    quit->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    quit->setIconSize(QSize(20, 20));
    quit->setAutoRaise(true);
    panelRow->addWidget(quit);
    panelRow->addStretch();
    root->addWidget(panel);

    lineChart_ = new ChartPanel;
    lineChart_->setObjectName("Chart1");
    lineChart_->addSeries("HistogramSeries1", SeriesType::Line, Olive, "U");
    lineChart_->addSeries("HistogramSeries2", SeriesType::Line, Blue, "D");
    lineChart_->addSeries("HistogramSeries3", SeriesType::Line, Red, "F");

    // The bars of a year lie over each other: 1 (red), p(U) + p(D) (blue) and p(U) (yellow),
    // so that p(U) shows at the bottom, p(D) above it and p(F) on top. The chart puts bar
    // series side by side, so they are stacked instead, each from the top of the one below.
    barChart_ = new ChartPanel;
    barChart_->setObjectName("Chart2");
    for (const OverlaidBar& bar : OverlaidBars)
        barChart_->addSeries(bar.name, SeriesType::StackedBar, bar.colour, bar.legend);

    inspectionChart_ = new ChartPanel;
    inspectionChart_->setObjectName("Chart3");
    inspectionChart_->setLegendVisible(false);
    inspectionChart_->addSeries("LineSeries2", SeriesType::Line, Red, "Pd");
    inspectionChart_->addSeries("Series4", SeriesType::Line, Blue, " F");
    // Series s (5 .. 13) is the curve after inspection s - 3; Series14 stays empty.
    for (int s = 5; s <= 14; ++s)
        inspectionChart_->addSeries(QString("Series%1").arg(s), SeriesType::Line,
                                    InspectionCurveColour(s - 3));

    for (ChartPanel* chart : {lineChart_, barChart_})
        chart->chart()->legend()->setAlignment(Qt::AlignTop);
    // Probabilities on decades where lines show them; bars over each other stay linear.
    for (ChartPanel* chart : {lineChart_, inspectionChart_})
        chart->offerLogScale();
    // The titles are long: a smaller font shows more of them.
    for (ChartPanel* chart : {lineChart_, barChart_, inspectionChart_}) {
        QFont title = chart->chart()->titleFont();
        title.setPointSize(8);
        chart->chart()->setTitleFont(title);
    }

    lineTable_ = MakeGrid("StringGrid2", 4, this);
    barTable_ = MakeGrid("StringGrid1", 4, this);
    inspectionTable_ = MakeGrid("StringGrid3", 3, this);
    WriteProbabilityHeader(lineTable_);
    WriteProbabilityHeader(barTable_);
    inspectionTable_->setCell(0, 0, Q(TextCis(msg::Year)));
    inspectionTable_->setCell(1, 0, " p ( F )");
    inspectionTable_->setCell(2, 0, "    Pd");

    pages_ = new QTabWidget(this);
    pages_->setObjectName("PageControl1");
    pages_->addTab(MakePage("TabSheet1", lineChart_, lineTable_), QString());
    pages_->addTab(MakePage("TabSheet2", barChart_, barTable_), QString());
    pages_->addTab(MakePage("TabSheet3", inspectionChart_, inspectionTable_), QString());
    root->addWidget(pages_, 1);

    connect(quit, &QToolButton::clicked, this, &QWidget::close);
    closeOnEscape();

    applyLanguage(CurrentLanguage());
}

EventGraphWindow::~EventGraphWindow() = default;

void EventGraphWindow::setInputs(const CalculationInputs* inputs) {
    inputs_ = inputs;
}

ChartPanel* EventGraphWindow::chartOf(const std::string& series) const {
    if (series.rfind("HistogramSeries", 0) == 0) return lineChart_;
    if (series == "Series1" || series == "Series2" || series == "Series3") return barChart_;
    return inspectionChart_; // LineSeries2, Series4 .. Series14
}

void EventGraphWindow::startRun(const RunPlan& plan, double Pd, int start, int step, int end) {
    inspectionChart_->setValueCeiling(InspectionChartCeiling(Pd));
    start_ = start;
    step_ = step;
    end_ = end;
    hasPeriod_ = true;

    lineTable_->clearContents();
    lineTable_->setRows(std::max(plan.eventTableRows, 1));
    WriteProbabilityHeader(lineTable_);
    for (ChartPanel* chart : {lineChart_, barChart_, inspectionChart_})
        chart->clearAll();
    eventChartTitles();
}

void EventGraphWindow::addYear(const YearRow& row) {
    lineTable_->setRows(row.row + 1);
    lineTable_->setCell(0, row.row, Q(row.yearText));
    const QColor backs[3] = {UColumn, DColumn, FColumn};
    for (int c = 0; c < 3; ++c)
        SetDataCell(lineTable_, c + 1, row.row, Q(row.texts[c]), backs[c]);

    const NamedPoint* bars[3] = {};
    for (const NamedPoint& p : row.points) {
        if (p.chart != ChartId::EventGraph) continue;
        ChartPanel* chart = chartOf(p.series);
        if (chart == barChart_) {
            const auto at = std::find_if(std::begin(OverlaidBars), std::end(OverlaidBars),
                                         [&](const OverlaidBar& b) { return p.series == b.name; });
            bars[at - std::begin(OverlaidBars)] = &p;
            continue;
        }
        chart->addPoint(Q(p.series), p.point.value, Q(p.point.label), ToColour(p.point.colour));
    }
    double below = 0.0;
    for (const NamedPoint* p : bars) {
        if (!p) continue;
        barChart_->addPoint(Q(p->series), p->point.value - below, Q(p->point.label),
                            ToColour(p->point.colour));
        below = p->point.value;
    }
}

void EventGraphWindow::finishRun(const RunResult& result, double Pd) {
    const int rows = lineTable_->rowCount();
    barTable_->setRows(rows);
    inspectionTable_->setRows(rows);
    for (int c = 0; c < 4; ++c)
        barTable_->setCell(c, 0, lineTable_->cell(c, 0));
    inspectionTable_->setCell(0, 0, lineTable_->cell(0, 0));
    inspectionTable_->setCell(1, 0, lineTable_->cell(3, 0));
    inspectionTable_->setCell(2, 0, "    Pd");

    const QString pd = Q(StrNaCarku1(Pd));
    const QColor backs[3] = {UColumn, DColumn, FColumn};
    for (int r = 1; r < rows; ++r) {
        barTable_->setCell(0, r, lineTable_->cell(0, r));
        for (int c = 1; c < 4; ++c)
            SetDataCell(barTable_, c, r, lineTable_->cell(c, r), backs[c - 1]);
        inspectionTable_->setCell(0, r, lineTable_->cell(0, r));
        SetDataCell(inspectionTable_, 1, r, lineTable_->cell(3, r), DColumn);
        SetDataCell(inspectionTable_, 2, r, pd, FColumn);
    }

    // Inspection k = 2 .. 10 is series k - 1 of the search, Series k + 3 here.
    for (int s = 1; s <= InspectionSeries; ++s) {
        const QString name = QString("Series%1").arg(s + 4);
        for (const ChartPoint& p : result.inspectionChart.series[s]) {
            if (p.blue)
                inspectionChart_->addPoint(name, p.value, QString::number(p.year));
            else
                inspectionChart_->addPointWithoutValue(name, QString::number(p.year));
        }
    }
}

void EventGraphWindow::showPage(int page) {
    pages_->setCurrentIndex(std::clamp(page, 1, 3) - 1);
}

int EventGraphWindow::currentPage() const {
    return pages_->currentIndex() + 1;
}

void EventGraphWindow::languageApplied(Language language) {
    // The copies of the year table take its year heading in the new language too.
    barTable_->setCell(0, 0, lineTable_->cell(0, 0));
    inspectionTable_->setCell(0, 0, lineTable_->cell(0, 0));
    const LanguageScope scope(language);
    for (ChartPanel* chart : {lineChart_, barChart_, inspectionChart_}) {
        chart->setAxisTitle("left", Q(TextCis(msg::ProbabilityAxisTitle)));
        chart->setAxisTitle("bottom", Q(TextCis(msg::YearAxisTitle)));
    }
    eventChartTitles();
}

void EventGraphWindow::readOwnSettings(const SettingsFile& file) {
    for (const SettingKey& k : settingKeys()) {
        if (k.target == "Chart1Log") lineChart_->setLogScale(file.GetBool(k));
        if (k.target == "Chart3Log") inspectionChart_->setLogScale(file.GetBool(k));
    }
}

void EventGraphWindow::writeOwnSettings(SettingsFile& file) const {
    for (const SettingKey& k : settingKeys()) {
        if (k.target == "Chart1Log") file.SetBool(k, lineChart_->logScale());
        if (k.target == "Chart3Log") file.SetBool(k, inspectionChart_->logScale());
    }
}

void EventGraphWindow::eventChartTitles() {
    if (!hasPeriod_) return;
    const CalculationInputs defaults;
    const CalculationInputs& in = inputs_ ? *inputs_ : defaults;
    const std::string crack = TextCis(msg::CrackProgressionFrom) + CrackOriginText(in.crackOrigin) +
                              " bf= " + in.bf + " mm, tf= " + in.tf + " mm, m= " + in.m;
    const std::string years = TextCis(msg::EventChartsTitle) + std::to_string(start_) + ", " +
                              std::to_string(start_ + step_) + ",...," + std::to_string(end_) + ")";
    lineChart_->setTitleLines({Q(years), Q(crack)});
    barChart_->setTitleLines({Q(years), Q(crack)});
    inspectionChart_->setTitleLines({Q(TextCis(msg::EventFChartTitle) + in.Pd + " )"), Q(crack)});
}

} // namespace tessavin::ui
