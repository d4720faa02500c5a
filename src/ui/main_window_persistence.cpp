// The main window's settings and project files.
#include "main_window.h"

namespace tessavin::ui {

void MainWindow::createPersistenceWindows() {}
void MainWindow::loadMainSettings() {}
void MainWindow::saveMainSettings() {}
void MainWindow::openProjectCommand() {}
void MainWindow::saveProjectCommand() {}
void MainWindow::showSettingsListing() {}

} // namespace tessavin::ui
