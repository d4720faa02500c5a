// The main window's chart buttons and the histogram window.
#include "main_window.h"

namespace tessavin::ui {

void MainWindow::createHistogramWindow() {}

void MainWindow::showHistogram(int) {}

} // namespace tessavin::ui
