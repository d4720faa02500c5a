// The main window's side of the event graph window and of the workbook export.
#include <QDir>
#include <QLabel>

#include "ui/common/platform_texts.h"
#include "ui/main/main_window.h"
#include "ui/main/workbook_export.h"
#include "ui/windows/event_graph_window.h"

namespace tessavin::ui {

void MainWindow::createPresentationWindows() {
    eventGraph_ = std::make_unique<EventGraphWindow>();
    eventGraph_->setInputs(&in_);
    registerSideWindow(eventGraph_.get(), true);
}

void MainWindow::showEventGraph(int page) {
    if (running_) return;
    eventGraph_->showPage(page);
    showSideWindow(eventGraph_.get());
}

void MainWindow::exportWorkbook() {
    if (running_) return;
    const QString written = ExportWorkbook(this, in_, *state_, paths_.resultsDir, paths_.projectDir,
                                           exact_ ? &*exact_ : nullptr);
    // Where the file went, also when no application could open it.
    if (!written.isEmpty())
        hint_->setText(PlatformTextOf(PlatformText::WorkbookSaved) +
                       QDir::toNativeSeparators(written));
}

void MainWindow::eventGraphStart(const RunPlan& plan) {
    eventGraph_->startRun(plan, plan.Pd, plan.start, plan.step, plan.end);
}

void MainWindow::eventGraphYear(const YearRow& row) {
    eventGraph_->addYear(row);
}

void MainWindow::eventGraphFinish(const RunResult& result) {
    eventGraph_->finishRun(result, runPlan_.Pd);
}

} // namespace tessavin::ui
