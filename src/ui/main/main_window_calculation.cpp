// The calculation commands of the main window: run, break, refine and the year choice. The
// engine runs on a worker thread; its progress, year rows and chart points come back queued.
#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QThread>
#include <QTime>
#include <QToolButton>

#include "calculation/result_text_file.h"
#include "localisation/messages.h"
#include "ui/charts/chart_panel.h"
#include "ui/charts/inspection_chart_style.h"
#include "ui/common/interaction.h"
#include "ui/common/platform_texts.h"
#include "ui/common/string_grid.h"
#include "ui/main/cross_check.h"
#include "ui/main/main_window.h"
#include "ui/windows/histogram_window.h"

namespace tessavin::ui {
namespace {

QColor ToColour(const Rgb& c) {
    return QColor(c.r, c.g, c.b);
}

} // namespace

void MainWindow::BPocitejClick() {
    startRun(false);
}

void MainWindow::BnUpresnitClick() {
    if (running_) return;
    lProhl_->hide();
    lVysledek_->hide();
    startRun(true);
}

void MainWindow::startRun(bool refining) {
    if (running_) return;
    // The period and the input rows run as the fields show them, or not at all: a start after
    // the end is refused on the year field changed last, a parameter that the distribution
    // refuses on its field.
    // The past inspections are checked against the period before anything is disabled.
    if (!yearFieldsAccepted() || !inputRowsAccepted() || !leaveField(edProhlidky_)) return;
    setBusy(false);
    // The two fields that every input histogram depends on are checked again first.
    for (QLineEdit* field : {edPocetIntervalu_, edEps_}) {
        if (!leaveField(field)) {
            setBusy(true);
            return;
        }
    }
    const bool resistancesShown = state_->RadReady; // BJevU, whatever the busy state shows
    saveProjectItem_->setEnabled(resistancesShown);
    methodLine();
    radLabel_->setText(Q(TextCis(269)));
    raacLabel_->setText(Q(TextCis(270)));
    updateCrackOriginLabel();

    inspectionTable_->clearColumn(1, 1);
    for (QWidget* w :
         {static_cast<QWidget*>(yearTable_), static_cast<QWidget*>(furtherTable_),
          static_cast<QWidget*>(inspectionTable_), static_cast<QWidget*>(yearTableTitle_),
          static_cast<QWidget*>(inspectionTableTitle_), static_cast<QWidget*>(yearTableSubtitle_),
          static_cast<QWidget*>(furtherTableTitle_), static_cast<QWidget*>(furtherTableSubtitle_),
          static_cast<QWidget*>(lProhl_), static_cast<QWidget*>(lVysledek_)})
        w->hide();
    for (QAction* command : {eventChartsMenu_, workbookItem_})
        command->setEnabled(false);

    refiningRun_ = refining;
    if (refining) driver_->BeginRefinement();
    const RunPlan plan = driver_->Prepare();
    for (std::size_t i = 0; i < plan.rebuilt.size(); ++i) {
        const int k = plan.rebuiltInputs[i];
        for (const Failure& f : plan.rebuilt[i].reports)
            ShowFailure(f, this);
        InputRow& row = rows_[k];
        if (plan.rebuilt[i].nText) row.n->setText(Q(*plan.rebuilt[i].nText));
        row.chart->setEnabled(state_->inputs.ready[k]);
        const bool parametric = row.source->currentIndex() == 0;
        for (QWidget* w : {static_cast<QWidget*>(row.type), static_cast<QWidget*>(row.mi),
                           static_cast<QWidget*>(row.sigma), static_cast<QWidget*>(row.n)})
            w->setEnabled(parametric);
    }
    auto stop = [this] {
        if (refiningRun_) driver_->EndRefinement();
        setBusy(true);
    };
    if (plan.stepFieldZero) edRokKrok_->setText("0");
    if (plan.warning) ShowFailure(*plan.warning, this);
    if (plan.error) {
        ShowFailure(*plan.error, this);
        return stop();
    }
    if (plan.confirmation && ShowFailure(*plan.confirmation, this) != BoxYes) {
        yearBox_->hide();
        inspectionChart_->hide();
        inspectionChartTools_->hide();
        return stop();
    }

    yearTable_->setRows(plan.yearTableRows);
    yearTable_->clearContents();
    yearTable_->setCell(0, 0, Q(TextCis(259)));
    yearTable_->setCell(1, 0, "    p ( U )");
    yearTable_->setCell(2, 0, "    p ( D )");
    yearTable_->setCell(3, 0, "    p ( F )");
    clearInspectionChart();
    pages_->setCurrentWidget(tabResults_);
    inspectionChart_->setLabelSeparation(10);
    inspectionChart_->setValueCeiling(InspectionChartCeiling(plan.Pd));
    inspectionChart_->setTitleLines({Q(plan.chartTitles[0]), Q(plan.chartTitles[1])});
    first_.reset();
    cbVyber_->clear();
    eventGraphStart(plan);
    runOnWorker(plan);
}

bool MainWindow::yearFieldsAccepted() {
    QLineEdit* first = lastYearField_ ? lastYearField_ : edRokKon_;
    QLineEdit* second = first == edRokT_ ? edRokKon_ : edRokT_;
    for (QLineEdit* field : {first, second, edRokKrok_})
        if (!leaveField(field)) return false;
    return true;
}

bool MainWindow::inputRowsAccepted() {
    for (int k = 1; k <= RandomInputCount; ++k) {
        const InputRow& row = rows_[k];
        if (row.source->currentIndex() != 0) continue;
        const int type = row.type->currentIndex();
        for (const std::optional<Failure>& refused :
             {ValidateMi(k, S(row.mi->text()), type), ValidateSigma(k, S(row.sigma->text()), type),
              ValidateN(k, S(row.n->text()))}) {
            if (!refused) continue;
            ShowFailure(*refused, this);
            return false;
        }
    }
    return true;
}

void MainWindow::runOnWorker(const RunPlan& plan) {
    runPlan_ = plan;
    running_ = true;
    bPrerus_->show();
    bPrerus_->setEnabled(true);

    // Callbacks run on the worker; each hands a copy of its data to this window's thread.
    QPointer<MainWindow> self(this);
    DriverOptions options;
    options.resistanceProgress = [self](const ResistanceProgress& p) {
        QMetaObject::invokeMethod(
            self,
            [self, p] {
                if (self) self->onResistanceProgress(p);
            },
            Qt::QueuedConnection);
    };
    options.gauge = [self](int position, int maximum) {
        QMetaObject::invokeMethod(
            self,
            [self, position, maximum] {
                if (self) self->onGauge(position, maximum);
            },
            Qt::QueuedConnection);
    };
    options.yearDone = [self](const YearRow& row) {
        QMetaObject::invokeMethod(
            self,
            [self, row] {
                if (self) self->onYearDone(row);
            },
            Qt::QueuedConnection);
    };
    worker_ = QThread::create([this, plan, options, self] {
        RunResult result = driver_->Run(plan, options);
        ExactOutcome exact = exactPlanAfter(result);
        QMetaObject::invokeMethod(
            self,
            [self, result, exact] {
                if (self) self->finishRun(result, exact);
            },
            Qt::QueuedConnection);
    });
    worker_->setObjectName("CalculationWorker");
    worker_->start();
}

void MainWindow::onResistanceProgress(const ResistanceProgress& p) {
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
            raacLabel_->setText(Q(TextCis(270)) + " ( " + duration + " )");
        else
            radLabel_->setText(Q(TextCis(269)) + "  ( " + duration + " )");
        progress_->setValue(0);
        progress_->hide();
        timingTable_->hide();
    }
}

void MainWindow::onGauge(int position, int maximum) {
    timingTable_->hide();
    progress_->setRange(0, maximum);
    progress_->setValue(position);
    progress_->show();
}

void MainWindow::onYearDone(const YearRow& row) {
    if (runPlan_.stepFieldZero) bPrerus_->hide();
    yearTable_->setCell(0, row.row, Q(row.yearText));
    for (int c = 0; c < 3; ++c)
        yearTable_->setCell(c + 1, row.row, Q(row.texts[c]));
    const QString year = QString::number(row.year);
    cbVyber_->addItem(year);
    cbVyber_->setCurrentIndex(cbVyber_->count() - 1);
    cbVyber_->show();
    for (const NamedPoint& p : row.points)
        if (p.chart == ChartId::Inspection)
            inspectionChart_->addPoint(Q(p.series), p.point.value, Q(p.point.label),
                                       ToColour(p.point.colour));
    if (row.showInspectionChart) {
        inspectionChart_->show();
        inspectionChartTools_->show();
    }
    for (int r = 0; r < 3; ++r)
        yearProbabilities_->setCell(1, r, Q(row.texts[r]));
    if (row.year == runPlan_.start) yearBox_->show();
    eventGraphYear(row);
}

void MainWindow::abortCalculationDisplays(AbortKind kind) {
    resetResults();
    for (QWidget* w : {static_cast<QWidget*>(bPrerus_), static_cast<QWidget*>(progress_),
                       static_cast<QWidget*>(bnUpresnit_)})
        w->hide();
    if (kind == AbortKind::InputPage) {
        timingTable_->hide();
        pages_->setCurrentWidget(tabInput_);
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
    progress_->hide();
    bPrerus_->hide();
    if (!result.radLabel.empty()) radLabel_->setText(Q(result.radLabel));
    if (!result.raacLabel.empty()) raacLabel_->setText(Q(result.raacLabel));

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
        bnUpresnit_->hide();
        if (result.abortKind != AbortKind::None) abortCalculationDisplays(result.abortKind);
        // The resistances were built before the year loop stopped: the project can be saved.
        saveProjectItem_->setEnabled(state_->RadReady);
        break;
    case RunEnd::Completed: {
        eventGraphFinish(result);
        timingTable_->hide();
        saveProjectItem_->setEnabled(true);
        if (runPlan_.step == 0) {
            inspectionChart_->hide();
            inspectionChartTools_->hide();
        }
        plan_ = result.plan;
        if (result.first) {
            first_ = result.first;
            showFirstInspection();
            if (first_->found) {
                for (QWidget* w :
                     {static_cast<QWidget*>(yearTable_), static_cast<QWidget*>(inspectionTable_),
                      static_cast<QWidget*>(yearTableTitle_),
                      static_cast<QWidget*>(inspectionTableTitle_),
                      static_cast<QWidget*>(yearTableSubtitle_),
                      static_cast<QWidget*>(furtherTableTitle_),
                      static_cast<QWidget*>(furtherTableSubtitle_)})
                    w->show();
                const bool coarse = runPlan_.step >= 2;
                bnUpresnit_->setVisible(result.offerRefinement && !refiningRun_);
                eventChartsMenu_->setEnabled(true);
                workbookItem_->setEnabled(coarse);
            }
        }
        if (result.furtherSearched) {
            furtherTable_->show();
            for (QAction* command : {eventChartsMenu_, workbookItem_})
                command->setEnabled(true);
            for (int s = 1; s <= InspectionSeries; ++s) {
                for (const ChartPoint& p : result.inspectionChart.series[s]) {
                    const QString name = QString("Series%1").arg(s), year = QString::number(p.year);
                    if (p.blue)
                        inspectionChart_->addPoint(name, p.value, year);
                    else
                        inspectionChart_->addPointWithoutValue(name, year);
                }
            }
        }
        for (const Failure& f : result.warnings)
            ShowFailure(f, this);
        if (const auto* curves = std::get_if<exactplan::PlanCurves>(&exact)) showExactPlan(*curves);
        showPlanLabel();
        if (const auto* failure = std::get_if<Failure>(&exact)) ShowFailure(*failure, this);
        if (!result.first || result.first->found) {
            for (int r = 1; r <= InspectionRows; ++r) {
                if (plan_.rows[r].rangeText.empty()) continue;
                inspectionTable_->setCell(0, r, Q(plan_.rows[r].numberText));
                inspectionTable_->setCell(1, r, Q(plan_.rows[r].rangeText));
            }
            if (result.inspectionTable) showInspectionTable(*result.inspectionTable);
            if (result.writeResultFile) writeResultTextFile();
        }
        crossCheck_->offer(first_);
        break;
    }
    }
    updateChartButtons();
    setBusy(true);
    emit calculationFinished();
}

void MainWindow::BPrerusClick() {
    if (crossCheck_->running()) return crossCheck_->breakCommand();
    if (!running_) return;
    if (DefMessageDlg(Q(TextCis(1)), Q(TextCis(216)), BoxKind::Confirmation, BoxButtons::YesNo,
                      this) != BoxYes)
        return;
    driver_->RequestInterrupt();
    if (histogram_) histogram_->setToolbarWanted(chartToolbarItem_->isChecked());
}

void MainWindow::CBVyberChange() {
    if (running_) return;
    const bool chartsOn = eventChartsMenu_->isEnabled();
    if (!chartsOn && edRokKrok_->text() != "0") return;
    for (QToolButton* b : {bGN_, bGV_, bJevuUmSn_, bJevuFmSn_})
        b->setEnabled(false);
    const YearChoiceResult r = driver_->RecomputeYear(S(cbVyber_->currentText()));
    for (const Failure& f : r.errors)
        ShowFailure(f, this);
    if (r.abortKind != AbortKind::None) abortCalculationDisplays(r.abortKind);
    if (r.ok) {
        for (int i = 0; i < 3; ++i)
            yearProbabilities_->setCell(1, i, Q(r.texts[i]));
        yearBox_->show();
    }
    updateChartButtons();
}

void MainWindow::writeResultTextFile() {
    FileRequest request;
    request.save = true;
    request.directory = paths_.resultsDir;
    request.filter = PlatformTextOf(PlatformText::ResultTextFilter);
    request.suggestedName = Q(DefaultResultFileName(in_)) + ".txt";
    request.defaultSuffix = ResultFileExtension;
    const QString file = UserInteraction().chooseFile(this, request);
    if (file.isEmpty()) return;
    if (QFileInfo::exists(file)) {
        const std::string text = FormatMessage(TextCis(6), S(file)) + "\r\n";
        if (DefMessageDlg(Q(TextCis(1)), Q(text), BoxKind::Confirmation, BoxButtons::YesNo, this) !=
            BoxYes)
            return;
    }
    paths_.projectDir = QFileInfo(file).absolutePath();
    if (const auto failure =
            WriteResultTextFile(S(file), in_, *state_, exact_ ? &*exact_ : nullptr))
        ShowFailure(*failure, this);
}

} // namespace tessavin::ui
