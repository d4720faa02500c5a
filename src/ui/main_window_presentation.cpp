// The main window's side of the event graph window and of the workbook export.
#include "main_window.h"

namespace tessavin::ui {

void MainWindow::createPresentationWindows() {}
void MainWindow::showEventGraph(int) {}
void MainWindow::exportWorkbook() {}
void MainWindow::eventGraphStart(const RunPlan&) {}
void MainWindow::eventGraphYear(const YearRow&) {}
void MainWindow::eventGraphFinish(const RunResult&) {}

} // namespace tessavin::ui
