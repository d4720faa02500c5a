// The exact plan beside the rule's: computed on the worker after a completed run when the
// integration window chooses it, shown in a table of its own on the inspections page, as the
// sawtooth of conditional failure curves on the inspection chart and named on the results page.
#include <QLabel>
#include <QSet>

#include "exactplan/plan_of_calculation.h"
#include "localisation/captions.h"
#include "localisation/language.h"
#include "ui/charts/chart_panel.h"
#include "ui/common/interaction.h"
#include "ui/common/string_grid.h"
#include "ui/main/main_window.h"

namespace tessavin::ui {
namespace {

constexpr WindowId MainWindowTable = WindowId::Main;

QString Piece(const char* name) {
    return Q(TextPiece(MainWindowTable, name));
}

const QColor ExactCurveColour(0, 150, 0);

QString YearList(const std::vector<int>& years) {
    QStringList texts;
    for (int y : years)
        texts << QString::number(y);
    return texts.join(", ");
}

} // namespace

ExactOutcome MainWindow::exactPlanAfter(const RunResult& result) const {
    if (!in_.integration.exactPlan || result.end != RunEnd::Completed) return {};
    auto computed = exactplan::ExactPlanOfCalculation(in_, state_->inputs, 0);
    if (Failure* f = std::get_if<Failure>(&computed)) {
        f->text = TextPiece(MainWindowTable, "ExactPlanFailed") + f->text;
        return *f;
    }
    return static_cast<exactplan::PlanCurves>(std::get<exactplan::ExactPlanResult>(computed));
}

void MainWindow::buildExactPlanTable(QWidget* page) {
    rulePlanTitle_ = new QLabel(Piece("RulePlanTitle"), page);
    rulePlanTitle_->setObjectName("LPlanPravidla");
    exactPlanTitle_ = new QLabel(Piece("ExactPlanTitle"), page);
    exactPlanTitle_->setObjectName("LPlanPresny");
    exactPlanNote_ = new QLabel(page);
    exactPlanNote_->setObjectName("LPlanPresnyPozn");
    exactPlanNote_->setWordWrap(true);
    exactTable_ =
        new StringGrid("StringGrid6", 3, exactplan::MaxPlannedInspections + 1, 1, 1, page);
    exactTable_->fitColumns({"   Prohlídka  ", "   between the years  ", "   made in  "});
    exactTable_->setMaximumHeight((exactplan::MaxPlannedInspections + 1) *
                                      exactTable_->rowHeight(0) +
                                  2 * exactTable_->frameWidth() + 14);
    for (QLabel* l : {rulePlanTitle_, exactPlanTitle_})
        l->setAlignment(Qt::AlignHCenter);
    // Its long title and note wrap, so that the column stays as wide as the tables.
    exactPlanTitle_->setWordWrap(true);
    hideExactPlan();
}

void MainWindow::hideExactPlan() {
    if (exact_) inspectionChart_->setLegendVisible(false);
    exact_.reset();
    exactTable_->setRows(1);
    for (QWidget* w :
         {static_cast<QWidget*>(rulePlanTitle_), static_cast<QWidget*>(exactPlanTitle_),
          static_cast<QWidget*>(exactPlanNote_), static_cast<QWidget*>(exactTable_),
          static_cast<QWidget*>(planLabel_)})
        if (w) w->hide();
}

void MainWindow::showPlanLabel() {
    QString text = exact_ ? Piece("PlansShown") : Piece("RulePlanShown");
    if (exact_ && !exact_->inspections.empty())
        text += Piece("ExactFirst") + QString::number(exact_->inspections.front().from) + " - " +
                QString::number(exact_->inspections.front().to) + ")";
    planLabel_->setText(text);
    planLabel_->show();
}

void MainWindow::showExactPlan(const exactplan::PlanCurves& plan) {
    exact_ = plan;
    exactTable_->setRows(static_cast<int>(plan.inspections.size()) + 1);
    int r = 1;
    for (const exactplan::ExactInspection& i : plan.inspections) {
        exactTable_->setCell(0, r, QString::number(r) + ".");
        exactTable_->setCell(1, r, QString::number(i.from) + " - " + QString::number(i.to));
        exactTable_->setCell(2, r, QString::number(i.made));
        ++r;
    }
    exactPlanTexts();
    for (QWidget* w : {static_cast<QWidget*>(rulePlanTitle_),
                       static_cast<QWidget*>(exactPlanTitle_), static_cast<QWidget*>(exactTable_)})
        w->show();
    exactPlanNote_->setVisible(!exactPlanNote_->text().isEmpty());
    drawExactCurves(plan);
}

void MainWindow::exactPlanTexts() {
    if (!exactTable_ || !planLabel_) return; // the pages are still being built
    rulePlanTitle_->setText(Piece("RulePlanTitle"));
    exactPlanTitle_->setText(Piece("ExactPlanTitle"));
    exactTable_->setCell(0, 0, Piece("ExactColumnInspection"));
    exactTable_->setCell(1, 0, Piece("ExactColumnBetween"));
    exactTable_->setCell(2, 0, Piece("ExactColumnMade"));
    if (!planLabel_->isHidden()) showPlanLabel();
    if (!exact_) return;
    QString note;
    if (!in_.inspected.empty()) note = Piece("ExactPast") + YearList(in_.inspected);
    if (!exact_->note.empty()) note += (note.isEmpty() ? "" : "\n") + Q(exact_->note);
    exactPlanNote_->setText(note);
    if (inspectionChart_->hasSeries("Exact0"))
        inspectionChart_->setLegendTitle("Exact0", Piece("ExactCurveLegend"));
}

void MainWindow::drawExactCurves(const exactplan::PlanCurves& plan) {
    // Only years the run computed: the chart's bottom axis is the run's years in order.
    const QStringList shown = inspectionChart_->categories();
    const QSet<QString> years(shown.begin(), shown.end());
    auto draw = [&](int segment, const std::vector<double>& curve, int from, int to) {
        const QString name = QString("Exact%1").arg(segment);
        inspectionChart_->addSeries(name, ChartPanel::SeriesType::Line, ExactCurveColour,
                                    segment == 0 ? Piece("ExactCurveLegend") : QString());
        for (std::size_t i = 0; i < plan.years.size() && i < curve.size(); ++i) {
            const int y = plan.years[i];
            const QString label = QString::number(y);
            if (y < from || y > to || !years.contains(label)) continue;
            inspectionChart_->addPoint(name, curve[i], label);
        }
    };
    const int end = plan.years.empty() ? 0 : plan.years.back();
    const auto& made = plan.conditionedOn;
    draw(0, plan.pF, 0, made.empty() ? end : made.front());
    for (std::size_t k = 0; k < made.size() && k < plan.conditionalPF.size(); ++k)
        draw(static_cast<int>(k) + 1, plan.conditionalPF[k], made[k],
             k + 1 < made.size() ? made[k + 1] : end);
    inspectionChart_->setLegendVisible(true);
}

} // namespace tessavin::ui
