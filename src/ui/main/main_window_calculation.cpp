// The calculation commands of the main window: run, break, refine and the year choice. The
// engine runs on a worker thread; its progress, year rows and chart points come back queued.
#include <QAction>
#include <QFileInfo>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QThread>

#include "calculation/result_text_file.h"
#include "exactplan/plan_of_calculation.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "ui/common/interaction.h"
#include "ui/common/platform_texts.h"
#include "ui/main/cross_check.h"
#include "ui/main/input_page.h"
#include "ui/main/inspections_page.h"
#include "ui/main/main_texts.h"
#include "ui/main/main_window.h"
#include "ui/main/results_page.h"
#include "ui/windows/event_graph_window.h"
#include "ui/windows/histogram_window.h"

namespace tessavin::ui {

void MainWindow::BPocitejClick() {
    startRun(false);
}

void MainWindow::BnUpresnitClick() {
    if (running_) return;
    results_->hideFirstInspection();
    startRun(true);
}

void MainWindow::startRun(bool refining) {
    if (running_) return;
    // The period, the input rows and the past inspections run as the fields show them, or not
    // at all; they are checked before anything is disabled.
    if (!input_->acceptedForRun()) return;
    setBusy(false);
    // The two fields that every input histogram depends on are checked again first.
    if (!input_->histogramFieldsAccepted()) {
        setBusy(true);
        return;
    }
    const bool resistancesShown = state_->RadReady; // BJevU, whatever the busy state shows
    saveProjectItem_->setEnabled(resistancesShown);
    methodLine();
    results_->resetResistanceLabels();
    showCrackOrigin();

    inspections_->startRun();
    results_->hideFirstInspection();
    for (QAction* command : {eventChartsMenu_, workbookItem_})
        command->setEnabled(false);
    withdrawReport();

    refiningRun_ = refining;
    if (refining) driver_->BeginRefinement();
    const RunPlan plan = driver_->Prepare();
    for (std::size_t i = 0; i < plan.rebuilt.size(); ++i) {
        for (const Failure& f : plan.rebuilt[i].reports)
            ShowFailure(f, this);
        input_->showRebuilt(plan.rebuiltInputs[i], plan.rebuilt[i].nText);
    }
    auto stop = [this] {
        if (refiningRun_) driver_->EndRefinement();
        setBusy(true);
    };
    if (plan.stepFieldZero) input_->showZeroStep();
    if (plan.warning) ShowFailure(*plan.warning, this);
    if (plan.error) {
        ShowFailure(*plan.error, this);
        return stop();
    }
    if (plan.confirmation && ShowFailure(*plan.confirmation, this) != BoxYes) {
        results_->hideYearBox();
        results_->hideChart();
        return stop();
    }

    inspections_->startYearTable(plan.yearTableRows);
    crossCheck_->clear();
    clearSensitivity();
    results_->clearChart();
    pages_->setCurrentWidget(results_);
    results_->startRun(plan);
    eventGraph_->startRun(plan, plan.Pd, plan.start, plan.step, plan.end);
    runOnWorker(plan);
}

void MainWindow::runOnWorker(const RunPlan& plan) {
    runPlan_ = plan;
    running_ = true;
    breakButton_->show();
    breakButton_->setEnabled(true);

    // Callbacks run on the worker; each hands a copy of its data to this window's thread.
    QPointer<MainWindow> self(this);
    auto queued = [self](auto call) {
        QMetaObject::invokeMethod(
            self,
            [self, call] {
                if (self) call(*self);
            },
            Qt::QueuedConnection);
    };
    DriverOptions options;
    options.resistanceProgress = [queued](const ResistanceProgress& p) {
        queued([p](MainWindow& w) { w.results_->showResistanceProgress(p); });
    };
    options.gauge = [queued](int position, int maximum) {
        queued([position, maximum](MainWindow& w) { w.results_->showGauge(position, maximum); });
    };
    options.yearDone = [queued](const YearRow& row) {
        queued([row](MainWindow& w) { w.onYearDone(row); });
    };
    worker_ = QThread::create([this, plan, options, queued] {
        RunResult result = driver_->Run(plan, options);
        ExactOutcome exact = exactPlanAfter(result);
        queued([result, exact](MainWindow& w) { w.finishRun(result, exact); });
    });
    worker_->setObjectName("CalculationWorker");
    worker_->start();
}

ExactOutcome MainWindow::exactPlanAfter(const RunResult& result) const {
    if (!in_.integration.exactPlan || result.end != RunEnd::Completed) return {};
    auto computed = exactplan::ExactPlanOfCalculation(in_, state_->inputs, 0);
    if (Failure* f = std::get_if<Failure>(&computed)) {
        f->text = TextPiece(MainWindowTable, "ExactPlanFailed") + f->text;
        return *f;
    }
    return static_cast<exactplan::PlanCurves>(std::get<exactplan::ExactPlanResult>(computed));
}

void MainWindow::onYearDone(const YearRow& row) {
    if (runPlan_.stepFieldZero) breakButton_->hide();
    inspections_->addYear(row);
    results_->addYear(row, row.year == runPlan_.start);
    eventGraph_->addYear(row);
}

void MainWindow::abortCalculationDisplays(AbortKind kind) {
    resetResults();
    breakButton_->hide();
    results_->hideProgress();
    refineButton_->hide();
    if (kind == AbortKind::InputPage) {
        results_->hideTimings();
        pages_->setCurrentWidget(input_);
    }
}

void MainWindow::finishRun(const RunResult& result, const ExactOutcome& exact) {
    if (worker_) {
        worker_->wait();
        delete worker_;
        worker_ = nullptr;
    }
    running_ = false;
    if (refiningRun_) driver_->EndRefinement();
    results_->hideProgress();
    breakButton_->hide();
    results_->setResistanceLabels(result.radLabel, result.raacLabel);

    switch (result.end) {
    case RunEnd::NotRun:
        break;
    case RunEnd::Failed:
        setBusy(true); // the field named by a failure must be able to take the focus
        abortCalculationDisplays(result.abortKind);
        for (const Failure& f : result.errors)
            ShowFailure(f, this);
        break;
    case RunEnd::YearLimit:
    case RunEnd::Interrupted:
        for (const Failure& f : result.errors)
            ShowFailure(f, this);
        refineButton_->hide();
        if (result.abortKind != AbortKind::None) abortCalculationDisplays(result.abortKind);
        // The resistances were built before the year loop stopped: the project can be saved.
        saveProjectItem_->setEnabled(state_->RadReady);
        break;
    case RunEnd::Completed:
        showCompletedRun(result, exact);
        break;
    }
    results_->updateChartButtons(*state_);
    setBusy(true);
    emit calculationFinished();
}

void MainWindow::showCompletedRun(const RunResult& result, const ExactOutcome& exact) {
    eventGraph_->finishRun(result, runPlan_.Pd);
    results_->hideTimings();
    saveProjectItem_->setEnabled(true);
    if (runPlan_.step == 0) results_->hideChart();
    if (result.first) {
        results_->showFirstInspection(*result.first);
        if (result.first->found) {
            inspections_->showTables();
            const bool coarse = runPlan_.step >= 2;
            refineButton_->setVisible(result.offerRefinement && !refiningRun_);
            eventChartsMenu_->setEnabled(true);
            workbookItem_->setEnabled(coarse);
        }
    }
    if (result.furtherSearched) {
        inspections_->showFurtherTable();
        for (QAction* command : {eventChartsMenu_, workbookItem_})
            command->setEnabled(true);
        results_->addInspectionCurves(result.inspectionChart);
    }
    for (const Failure& f : result.warnings)
        ShowFailure(f, this);
    if (const auto* curves = std::get_if<exactplan::PlanCurves>(&exact)) {
        inspections_->showExactPlan(*curves, in_.inspected);
        results_->drawExactCurves(*curves);
    }
    results_->showPlans(inspections_->exactPlan());
    if (const auto* failure = std::get_if<Failure>(&exact)) ShowFailure(*failure, this);
    if (!result.first || result.first->found) {
        inspections_->showPlan(result.plan);
        if (result.inspectionTable) inspections_->showInspectionTable(*result.inspectionTable);
        if (result.writeResultFile) writeResultTextFile();
    }
    crossCheck_->offer(results_->firstInspection());
    results_->drivesCommand()->setEnabled(true);
    offerReport(result);
}

void MainWindow::BPrerusClick() {
    if (crossCheck_->running()) return crossCheck_->breakCommand();
    if (!running_) return;
    if (DefMessageDlg(Q(TextCis(msg::ConfirmationTitle)), Q(TextCis(msg::BreakQuestion)),
                      BoxKind::Confirmation, BoxButtons::YesNo, this) != BoxYes)
        return;
    driver_->RequestInterrupt();
    if (histogram_) histogram_->setToolbarWanted(chartToolbarItem_->isChecked());
}

void MainWindow::CBVyberChange() {
    if (running_) return;
    const bool chartsOn = eventChartsMenu_->isEnabled();
    if (!chartsOn && in_.yearStep != "0") return;
    results_->disableYearButtons();
    const YearChoiceResult r = driver_->RecomputeYear(S(results_->chosenYear()));
    for (const Failure& f : r.errors)
        ShowFailure(f, this);
    if (r.abortKind != AbortKind::None) abortCalculationDisplays(r.abortKind);
    if (r.ok) results_->showYearProbabilities(r.texts);
    results_->updateChartButtons(*state_);
}

void MainWindow::selectInspectionRow(int row) {
    if (running_ || row < 1 || row > state_->inspectionsFound) return;
    inspections_->showInspectionTable(InspectionTableDisplay(row + 1, *state_));
}

void MainWindow::writeResultTextFile() {
    FileRequest request;
    request.save = true;
    request.directory = paths_.resultsDir;
    request.filter = PlatformTextOf(PlatformText::ResultTextFilter);
    request.suggestedName = Q(DefaultResultFileName(in_)) + ".txt";
    request.defaultSuffix = ResultFileExtension;
    const QString file = UserInteraction().chooseFile(this, request);
    if (file.isEmpty() || !mayOverwrite(file)) return;
    paths_.projectDir = QFileInfo(file).absolutePath();
    const std::optional<BetaSection> beta = betaInSavedResults();
    if (const auto failure = WriteResultTextFile(S(file), in_, *state_, inspections_->exactPlan(),
                                                 beta ? &*beta : nullptr))
        ShowFailure(*failure, this);
}

std::optional<BetaSection> MainWindow::betaInSavedResults() const {
    if (!betaResultsItem_->isChecked()) return std::nullopt;
    return BetaSection{results_->targetBeta()};
}

} // namespace tessavin::ui
