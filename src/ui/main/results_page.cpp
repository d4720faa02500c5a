#include "ui/main/results_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QStyle>
#include <QTabWidget>
#include <QTime>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <cmath>

#include "calculation/inspections.h"
#include "decision/reliability_index.h"
#include "localisation/caption_table.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "ui/charts/chart_panel.h"
#include "ui/charts/inspection_chart_style.h"
#include "ui/common/interaction.h"
#include "ui/common/named_label.h"
#include "ui/common/platform_texts.h"
#include "ui/common/string_grid.h"
#include "ui/main/main_texts.h"
#include "ui/main/target_beta_box.h"

namespace tessavin::ui {
namespace {

// The histogram window's numbers of the six buttons' histograms, in button order.
constexpr std::array<int, 6> kButtonKinds = {4, 5, 2, 3, 6, 7};
constexpr const char* kButtonNames[] = {"BJevU", "BJevF", "BGN", "BGV", "BjevuUmSn", "BjevuFmSn"};
enum Button { Rad, Raac, Nn, Sn, ReliabilityU, ReliabilityF };

QToolButton* ChartButton(QWidget* parent, const char* name) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(parent->style()->standardIcon(QStyle::SP_FileDialogContentsView));
    b->setFixedSize(21, 21);
    b->setEnabled(false);
    return b;
}

QColor ToColour(const Rgb& c) {
    return QColor(c.r, c.g, c.b);
}

const QColor ExactCurveColour(0, 150, 0);

// The widest probability text of the tables (13 significant digits).
const QString kWideProbability = "-0.0053978566135744";

} // namespace

ResultsPage::ResultsPage(QTabWidget* pages, QWidget* crossCheckCommand) {
    setObjectName("TabSheet2");
    pages->addTab(this, QString()); // as the input page, a tab first
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(2);
    auto* top = new QHBoxLayout;
    column->addLayout(top, 1);
    buildSummary();
    top->addWidget(summaryBox_);
    buildChart();
    buildBetaChart();
    target_ = new TargetBetaBox(this);
    auto* chartColumn = new QVBoxLayout;
    top->addLayout(chartColumn, 1);
    chartColumn->addWidget(chart_, 1);
    chartColumn->addWidget(betaChart_, 1);
    chartColumn->addWidget(target_);
    buildProgress(crossCheckCommand);
    showChartArea(true); // as a new chart panel is: the window hides it until a run
    connect(target_, &TargetBetaBox::targetChanged, this, [this] {
        drawBeta();
        showTargetYear();
    });
    connect(target_, &TargetBetaBox::betaChartToggled, this, [this] { showChartArea(chartArea_); });
}

void ResultsPage::buildSummary() {
    summaryBox_ = new QGroupBox(this);
    summaryBox_->setObjectName("GroupBox1");
    summaryBox_->setStyleSheet("QGroupBox#GroupBox1 { background: rgb(242, 242, 242); }");
    summaryBox_->setFixedWidth(390);
    auto* summary = new QGridLayout(summaryBox_);
    summary->setVerticalSpacing(2);
    methodLabel_ = NamedLabel(summaryBox_, "Label24");
    conventionLabel_ = NamedLabel(summaryBox_, "LKonvence");
    crackOriginLabel_ = NamedLabel(summaryBox_, "Label15");
    for (QLabel* l : {methodLabel_, conventionLabel_, crackOriginLabel_}) {
        l->setAlignment(Qt::AlignHCenter);
        l->setWordWrap(true);
    }
    auto* line = new QFrame(summaryBox_);
    line->setObjectName("Label40");
    line->setFrameShape(QFrame::HLine);
    summary->addWidget(methodLabel_, 0, 0, 1, 2);
    summary->addWidget(conventionLabel_, 1, 0, 1, 2);
    summary->addWidget(crackOriginLabel_, 2, 0, 1, 2);
    summary->addWidget(line, 3, 0, 1, 2);
    radLabel_ = NamedLabel(summaryBox_, "Label25");
    raacLabel_ = NamedLabel(summaryBox_, "Label26");
    for (std::size_t i = 0; i < chartButtons_.size(); ++i) {
        chartButtons_[i] = ChartButton(summaryBox_, kButtonNames[i]);
        connect(chartButtons_[i], &QToolButton::clicked, this,
                [this, kind = kButtonKinds[i]] { emit histogramRequested(kind); });
    }
    QLabel* const labels[] = {radLabel_,
                              raacLabel_,
                              NamedLabel(summaryBox_, "Label19"),
                              NamedLabel(summaryBox_, "Label20"),
                              NamedLabel(summaryBox_, "Label27"),
                              NamedLabel(summaryBox_, "Label28")};
    int r = 4;
    for (std::size_t i = 0; i < chartButtons_.size(); ++i) {
        QLabel* label = labels[i];
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setWordWrap(true);
        summary->addWidget(label, r, 0);
        summary->addWidget(chartButtons_[i], r, 1);
        ++r;
    }
    summary->setRowStretch(r, 1);
}

void ResultsPage::buildChart() {
    chart_ = new ChartPanel(this);
    chart_->setObjectName("Chart3");
    chart_->setLegendVisible(false);
    QFont title = chart_->chart()->titleFont();
    title.setPointSize(9);
    chart_->chart()->setTitleFont(title);
    chart_->setLabelSeparation(10);
    chart_->addSeries("LineSeries2", ChartPanel::SeriesType::Line, QColor(255, 0, 0));
    chart_->addSeries("Series11", ChartPanel::SeriesType::Line, QColor(0, 0, 255));
    // Series s is the curve after inspection s + 1.
    for (int s = 1; s <= InspectionSeries; ++s)
        chart_->addSeries(QString("Series%1").arg(s), ChartPanel::SeriesType::Line,
                          InspectionCurveColour(s + 1));
    // The chart's toolbar is the panel shown and hidden together with the chart.
    chartTools_ = chart_->toolbar();
    chartTools_->setObjectName("Panel3");
    chart_->offerLogScale();
}

void ResultsPage::buildBetaChart() {
    betaChart_ = new ChartPanel(this);
    betaChart_->setObjectName("ChartBeta");
    QFont title = betaChart_->chart()->titleFont();
    title.setPointSize(9);
    betaChart_->chart()->setTitleFont(title);
    betaChart_->setLabelSeparation(10);
    betaChart_->addSeries("Beta", ChartPanel::SeriesType::Line, QColor(0, 0, 255), "β(t)");
    betaChart_->addSeries("Target", ChartPanel::SeriesType::ThinLine, QColor(255, 0, 0));
}

void ResultsPage::showChartArea(bool shown) {
    chartArea_ = shown;
    const bool beta = target_->betaChartChosen();
    chart_->setVisible(shown && !beta);
    betaChart_->setVisible(shown && beta);
}

// β(t) of the run's years, the target line and the titles; infinite β (p(F) = 0) has no point.
void ResultsPage::drawBeta() {
    betaChart_->clearAll();
    const std::optional<double> target = target_->target();
    const QString targetText = target_->targetText();
    betaChart_->setLegendTitle("Target",
                               target ? MainPiece("TargetLegend") + targetText : QString());
    QStringList title = {MainPiece("BetaChartTitle")};
    if (target)
        title << (target_->presetText().isEmpty() ? MainPiece("TargetLegend") + targetText
                                                  : target_->presetText());
    betaChart_->setTitleLines(title);
    for (std::size_t i = 0; i < years_.size(); ++i)
        drawBetaYear(i);
}

void ResultsPage::drawBetaYear(std::size_t i) {
    const QString year = QString::number(years_[i]);
    const std::optional<double> beta = ReliabilityIndex(pF_[i]);
    if (beta && std::isfinite(*beta))
        betaChart_->addPoint("Beta", *beta, year);
    else
        betaChart_->addPointWithoutValue("Beta", year);
    if (const auto target = target_->target()) betaChart_->addPoint("Target", *target, year);
}

// Beside the first inspection: the first year whose β is below the target, or that there is
// none in the period.
void ResultsPage::showTargetYear() {
    const std::optional<double> target = target_->target();
    if (!target || years_.empty() || firstInspection_->isHidden()) {
        targetYear_->hide();
        return;
    }
    const auto below = FirstBelowTarget(ReliabilityIndices(pF_), *target);
    targetYear_->setText(
        below ? MainPiece("TargetYearBelow").arg(target_->targetText()).arg(years_[*below])
              : MainPiece("TargetNeverBelow").arg(target_->targetText()));
    targetYear_->show();
}

std::optional<double> ResultsPage::targetBeta() const {
    return target_->target();
}

QString ResultsPage::targetSetting() const {
    return target_->setting();
}

void ResultsPage::restoreTarget(const QString& setting) {
    target_->restore(setting);
}

bool ResultsPage::logScale() const {
    return chart_->logScale();
}

void ResultsPage::setLogScale(bool log) {
    chart_->setLogScale(log);
}

void ResultsPage::buildProgress(QWidget* crossCheckCommand) {
    auto* box = new QGroupBox(this);
    box->setObjectName("GroupBox2");
    layout()->addWidget(box);
    auto* bottom = new QGridLayout(box);
    // Compact, so that the inspection chart above gets the height.
    bottom->setContentsMargins(4, 2, 4, 2);
    bottom->setVerticalSpacing(2);
    firstInspectionTitle_ = NamedLabel(box, "LVysledek");
    firstInspection_ = NamedLabel(box, "LProhl");
    firstInspection_->setStyleSheet("color: red;");
    for (QLabel* l : {firstInspectionTitle_, firstInspection_})
        l->setAlignment(Qt::AlignHCenter);
    progress_ = new QProgressBar(box);
    progress_->setObjectName("Gauge1");
    // Its row stays while it is hidden: the panels above do not jump when a run shows it.
    QSizePolicy keep = progress_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    progress_->setSizePolicy(keep);
    progress_->hide();
    timingTable_ = new StringGrid("StringGrid1", 2, 3, 0, 1, box);
    timingTable_->fitColumns({"Start : R(aac)  ", "00:00:00  "});
    timingTable_->setFixedHeight(3 * timingTable_->rowHeight(0) + 4);
    timingTable_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The headings' cells, styled; their texts come with the language.
    timingTable_->setCell(0, 1, {});
    timingTable_->setCell(0, 2, {});
    yearBox_ = new QGroupBox(box);
    yearBox_->setObjectName("GroupBox3");
    auto* yearGroup = new QHBoxLayout(yearBox_);
    yearGroup->setContentsMargins(4, 2, 4, 2);
    yearChoice_ = new QComboBox(yearBox_);
    yearChoice_->setObjectName("CBVyber");
    // Not editable: only computed years can be chosen, by the list or by typing their digits.
    yearChoice_->setMaxVisibleItems(30);
    yearChoice_->setFixedWidth(70);
    yearProbabilities_ = new StringGrid("StringGrid2", 2, 3, 0, 1, yearBox_);
    yearProbabilities_->fitColumns({"p ( U ) ", kWideProbability});
    yearProbabilities_->setFixedHeight(3 * yearProbabilities_->rowHeight(0) + 4);
    yearProbabilities_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    yearGroup->addWidget(yearChoice_);
    yearGroup->addWidget(yearProbabilities_);
    bottom->addWidget(timingTable_, 0, 0, 2, 1);
    bottom->addWidget(firstInspectionTitle_, 0, 1);
    // The year below the target beside the first inspection.
    targetYear_ = NamedLabel(box, "LCilRok");
    targetYear_->setStyleSheet("color: rgb(160, 0, 0);");
    targetYear_->hide();
    auto* firstRow = new QHBoxLayout;
    firstRow->addStretch(1);
    firstRow->addWidget(firstInspection_);
    firstRow->addWidget(targetYear_);
    firstRow->addStretch(1);
    bottom->addLayout(firstRow, 1, 1);

    // The plans shown beside the cross-check, in the same row: the summary box above keeps its
    // height.
    plansLine_ = NamedLabel(box, "LPlan");
    plansLine_->hide();
    auto* commandRow = new QHBoxLayout;
    commandRow->addStretch(1);
    commandRow->addWidget(crossCheckCommand);
    drivesCommand_ = new QPushButton(box);
    drivesCommand_->setObjectName("BCitlivost");
    drivesCommand_->setEnabled(false);
    commandRow->addWidget(drivesCommand_);
    commandRow->addWidget(plansLine_);
    commandRow->addStretch(1);
    bottom->addLayout(commandRow, 2, 1);
    // Beside the command, under the timings: no row of its own that would take height.
    bottom->addWidget(progress_, 2, 0);
    bottom->addWidget(yearBox_, 0, 2, 3, 1);
    bottom->setColumnStretch(1, 1);
    connect(yearChoice_, &QComboBox::activated, this, &ResultsPage::yearChosen);
}

void ResultsPage::setMethodLines(const QString& method, const QString& convention) {
    methodLabel_->setText(method);
    conventionLabel_->setText(convention);
}

void ResultsPage::setCrackOriginLine(const QString& line) {
    crackOriginLabel_->setText(line);
}

void ResultsPage::updateChartButtons(const CalculationState& state) {
    const bool ready[] = {state.RadReady,  state.RaacReady, state.NnCurrent,
                          state.SnCurrent, state.RfUReady,  state.RfFReady};
    for (std::size_t i = 0; i < chartButtons_.size(); ++i)
        chartButtons_[i]->setEnabled(ready[i]);
}

void ResultsPage::disableResistanceButtons() {
    for (Button b : {Rad, Raac})
        chartButtons_[b]->setEnabled(false);
}

void ResultsPage::disableYearButtons() {
    for (Button b : {Nn, Sn, ReliabilityU, ReliabilityF})
        chartButtons_[b]->setEnabled(false);
}

void ResultsPage::resetResistanceLabels() {
    radLabel_->setText(Q(TextCis(msg::ResistanceRadLabel)));
    raacLabel_->setText(Q(TextCis(msg::ResistanceRaacLabel)));
}

void ResultsPage::setResistanceLabels(const std::string& rad, const std::string& raac) {
    if (!rad.empty()) radLabel_->setText(Q(rad));
    if (!raac.empty()) raacLabel_->setText(Q(raac));
}

void ResultsPage::hideYearResults() {
    disableYearButtons();
    showChartArea(false);
    for (QWidget* w :
         {static_cast<QWidget*>(firstInspection_), static_cast<QWidget*>(firstInspectionTitle_),
          static_cast<QWidget*>(targetYear_), static_cast<QWidget*>(yearBox_), chartTools_})
        w->hide();
}

void ResultsPage::hideFirstInspection() {
    firstInspection_->hide();
    firstInspectionTitle_->hide();
    targetYear_->hide();
}

void ResultsPage::hideChart() {
    showChartArea(false);
    chartTools_->hide();
}

void ResultsPage::hideChartTools() {
    chartTools_->hide();
}

void ResultsPage::hideYearBox() {
    yearBox_->hide();
}

void ResultsPage::clearChart() {
    chart_->clearAll();
}

void ResultsPage::hideLegend() {
    chart_->setLegendVisible(false);
}

void ResultsPage::setYearPlaceholder(const QString& year) {
    yearChoice_->setPlaceholderText(year);
}

void ResultsPage::resetYearProbabilities() {
    yearProbabilities_->setCell(0, 0, "p ( U )");
    yearProbabilities_->setCell(0, 1, "p ( D )");
    yearProbabilities_->setCell(0, 2, "p ( F )");
}

QString ResultsPage::chosenYear() const {
    return yearChoice_->currentText();
}

void ResultsPage::showYearProbabilities(const std::array<std::string, 3>& texts) {
    for (int i = 0; i < 3; ++i)
        yearProbabilities_->setCell(1, i, Q(texts[i]));
    yearBox_->show();
}

void ResultsPage::startRun(const RunPlan& plan) {
    chart_->setLabelSeparation(10);
    chart_->setValueCeiling(InspectionChartCeiling(plan.Pd));
    chart_->setTitleLines({Q(plan.chartTitles[0]), Q(plan.chartTitles[1])});
    first_.reset();
    yearChoice_->clear();
    years_.clear();
    pF_.clear();
    target_->setStudyYears(plan.end);
    drawBeta();
}

void ResultsPage::showResistanceProgress(const ResistanceProgress& p) {
    if (p.classesDone <= 1) {
        timingTable_->setCell(0, 0, p.acceptable ? "Start : R(aac)" : "Start : R(ad)");
        timingTable_->setCell(1, 0, QTime::currentTime().toString("HH:mm:ss"));
        timingTable_->show();
        progress_->setRange(0, p.classes);
        progress_->show();
    }
    timingTable_->setCell(1, 1, Q(TimeText(p.estimatedMs)));
    timingTable_->setCell(1, 2, Q(TimeText(p.remainingMs)));
    progress_->setValue(p.classesDone);
    if (p.classesDone >= p.classes) {
        const QString duration = timingTable_->cell(1, 1);
        if (p.acceptable)
            raacLabel_->setText(Q(TextCis(msg::ResistanceRaacLabel)) + " ( " + duration + " )");
        else
            radLabel_->setText(Q(TextCis(msg::ResistanceRadLabel)) + "  ( " + duration + " )");
        progress_->setValue(0);
        progress_->hide();
        timingTable_->hide();
    }
}

void ResultsPage::showGauge(int position, int maximum) {
    timingTable_->hide();
    progress_->setRange(0, maximum);
    progress_->setValue(position);
    progress_->show();
}

void ResultsPage::hideProgress() {
    progress_->hide();
}

void ResultsPage::hideTimings() {
    timingTable_->hide();
}

void ResultsPage::addYear(const YearRow& row, bool firstYear) {
    yearChoice_->addItem(QString::number(row.year));
    yearChoice_->setCurrentIndex(yearChoice_->count() - 1);
    yearChoice_->show();
    years_.push_back(row.year);
    pF_.push_back(row.pF);
    drawBetaYear(years_.size() - 1);
    for (const NamedPoint& p : row.points)
        if (p.chart == ChartId::Inspection)
            chart_->addPoint(Q(p.series), p.point.value, Q(p.point.label),
                             ToColour(p.point.colour));
    if (row.showInspectionChart) {
        showChartArea(true);
        chartTools_->show();
    }
    for (int r = 0; r < 3; ++r)
        yearProbabilities_->setCell(1, r, Q(row.texts[r]));
    if (firstYear) yearBox_->show();
}

void ResultsPage::addInspectionCurves(const InspectionChart& curves) {
    for (int s = 1; s <= InspectionSeries; ++s)
        for (const ChartPoint& p : curves.series[s]) {
            const QString name = QString("Series%1").arg(s), year = QString::number(p.year);
            if (p.blue)
                chart_->addPoint(name, p.value, year);
            else
                chart_->addPointWithoutValue(name, year);
        }
}

void ResultsPage::showFirstInspection(const FirstInspectionResult& first) {
    first_ = first;
    firstInspection_->setText(Q(FirstInspectionText(first)));
    firstInspection_->show();
    firstInspectionTitle_->show();
    showTargetYear();
}

void ResultsPage::drawExactCurves(const exactplan::PlanCurves& plan) {
    // Only years the run computed: the chart's bottom axis is the run's years in order.
    const QStringList shown = chart_->categories();
    const QSet<QString> years(shown.begin(), shown.end());
    auto draw = [&](int segment, const std::vector<double>& curve, int from, int to) {
        const QString name = QString("Exact%1").arg(segment);
        chart_->addSeries(name, ChartPanel::SeriesType::Line, ExactCurveColour,
                          segment == 0 ? MainPiece("ExactCurveLegend") : QString());
        for (std::size_t i = 0; i < plan.years.size() && i < curve.size(); ++i) {
            const int y = plan.years[i];
            const QString label = QString::number(y);
            if (y < from || y > to || !years.contains(label)) continue;
            chart_->addPoint(name, curve[i], label);
        }
    };
    const int end = plan.years.empty() ? 0 : plan.years.back();
    const auto& made = plan.conditionedOn;
    draw(0, plan.pF, 0, made.empty() ? end : made.front());
    for (std::size_t k = 0; k < made.size() && k < plan.conditionalPF.size(); ++k)
        draw(static_cast<int>(k) + 1, plan.conditionalPF[k], made[k],
             k + 1 < made.size() ? made[k + 1] : end);
    chart_->setLegendVisible(true);
}

void ResultsPage::showPlans(const exactplan::PlanCurves* exact) {
    plansShown_ = true;
    exactPlanShown_ = exact != nullptr;
    exactFirst_.reset();
    if (exact && !exact->inspections.empty())
        exactFirst_.emplace(exact->inspections.front().from, exact->inspections.front().to);
    showPlansLine();
    plansLine_->show();
}

void ResultsPage::hidePlans() {
    plansShown_ = false;
    plansLine_->hide();
}

void ResultsPage::showPlansLine() {
    QString text = exactPlanShown_ ? MainPiece("PlansShown") : MainPiece("RulePlanShown");
    if (exactFirst_)
        text += MainPiece("ExactFirst") + QString::number(exactFirst_->first) + " - " +
                QString::number(exactFirst_->second) + ")";
    plansLine_->setText(text);
}

void ResultsPage::setCommandsEnabled(bool enabled) {
    chartTools_->setEnabled(enabled);
    summaryBox_->setEnabled(enabled);
    target_->setEnabled(enabled);
    yearBox_->setEnabled(enabled);
}

void ResultsPage::applyLanguage(int crackOrigin, bool exactShown) {
    if (!firstInspectionTitle_->isHidden() && first_)
        showFirstInspection(*first_); // also while another page is shown
    // The inspection chart's title as the run wrote it, in the new language.
    if (!chart_->titleLines().isEmpty())
        chart_->setTitleLines(
            {Q(TextCis(msg::FirstInspectionCharts)),
             Q(TextCis(msg::CrackProgressionFrom) + CrackOriginText(crackOrigin))});
    if (plansShown_) showPlansLine();
    if (exactShown && chart_->hasSeries("Exact0"))
        chart_->setLegendTitle("Exact0", MainPiece("ExactCurveLegend"));
    target_->applyLanguage();
    drawBeta();
    showTargetYear();
}

} // namespace tessavin::ui
