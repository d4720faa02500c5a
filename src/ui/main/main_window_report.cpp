// Save report (PDF)…: the study report of the completed calculation on screen, in the program's
// language, through the writer the batch program uses.
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>

#include "files/project_file.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "ui/common/interaction.h"
#include "ui/main/cross_check.h"
#include "ui/main/inspections_page.h"
#include "ui/main/main_window.h"
#include "ui/main/report_save.h"
#include "ui/main/results_page.h"
#include "ui/windows/sensitivity_window.h"

namespace tessavin::ui {

void MainWindow::offerReport(const RunResult& result) {
    shownResult_ = result;
    reportItem_->setEnabled(true);
}

void MainWindow::withdrawReport() {
    shownResult_.reset();
    reportItem_->setEnabled(false);
}

bool MainWindow::mayOverwrite(const QString& file) {
    if (!QFileInfo::exists(file)) return true;
    const std::string text = FormatMessage(TextCis(msg::OverwriteQuestion), S(file)) + "\r\n";
    return DefMessageDlg(Q(TextCis(msg::ConfirmationTitle)), Q(text), BoxKind::Confirmation,
                         BoxButtons::YesNo, this) == BoxYes;
}

void MainWindow::saveReportCommand() {
    // Only a completed calculation still on screen has a report.
    if (running_ || !shownResult_ || shownResult_->end != RunEnd::Completed) return;
    FileRequest request;
    request.save = true;
    request.directory = paths_.resultsDir;
    request.filter = Q(TextCis(msg::ReportFilter));
    request.suggestedName = SuggestedReportName(in_);
    request.defaultSuffix = "pdf";
    const QString file = UserInteraction().chooseFile(this, request);
    if (file.isEmpty() || !mayOverwrite(file)) return;

    ShownStudy study;
    study.inputs = &in_;
    study.state = state_.get();
    study.result = &*shownResult_;
    study.exact = inspections_->exactPlan();
    study.crossCheck = crossCheck_->shownRun();
    study.projectBytes = EncodeProject(projectData());
    study.projectFile = projectFile_;
    study.measured = measured_;
    study.targetBeta = results_->targetBeta();
    std::optional<report::SensitivityRun> drives;
    if (auto last = lastSensitivity())
        drives = report::SensitivityRun{std::move(*last), sensitivityWindow()->lastStep()};
    const report::StudyReport report = FillDesktopReport(study, drives);

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto failure = WriteReportInBackground(file, report);
    QApplication::restoreOverrideCursor();
    if (failure) {
        ShowFailure(ErrorBox(0, FormatMessage(TextCis(msg::ReportNotWritten), *failure)), this);
        return;
    }
    hint_->setText(Q(TextCis(msg::ReportWritten)) + QFileInfo(file).absoluteFilePath());
}

} // namespace tessavin::ui
