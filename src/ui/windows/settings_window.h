#pragma once
// The settings listing window TForm10: the lines of the settings file as a key/value table.
// Cells can be edited, but nothing is ever written back to the file.
#include <QString>

#include "ui/windows/side_window.h"

class QTableWidget;

namespace tessavin::ui {

class SettingsListingWindow final : public SideWindow {
    Q_OBJECT
  public:
    SettingsListingWindow();

    // Fills the table from the file; false when the file does not exist.
    bool loadFile(const QString& path);

  private:
    QTableWidget* table_;
};

} // namespace tessavin::ui
