#pragma once
// The settings listing window TForm10: the lines of the settings file as a key/value table.
// Cells can be edited, but nothing is ever written back to the file.
#include <QString>
#include <QWidget>

#include "localisation/language.h"

class QTableWidget;

namespace tessavin::ui {

class SettingsListingWindow final : public QWidget {
    Q_OBJECT
  public:
    explicit SettingsListingWindow(QWidget* parent = nullptr);

    // The window's own geometry keys, read at start; `settingsPath` is also where closing the
    // window writes them.
    void readSettings(const QString& settingsPath);
    void applyLanguage(Language language);
    // Fills the table from the file; false when the file does not exist.
    bool loadFile(const QString& path);

  signals:
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QTableWidget* table_;
    QString settingsPath_;
};

} // namespace tessavin::ui
