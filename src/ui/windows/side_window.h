#pragma once
// A window beside the main window. It is top-level and without a parent, so that disabling the
// main window leaves it usable; it takes its caption table, closes on Esc where asked, says
// when it has closed and keeps its place and size under the settings keys of its objectName.
#include <QString>
#include <QWidget>
#include <vector>

#include "files/settings_file.h"
#include "localisation/language.h"

namespace tessavin::ui {

class SideWindow : public QWidget {
    Q_OBJECT
  public:
    // `name` is the objectName, which also selects the window's settings keys; `captionTable`
    // the number of its caption table.
    SideWindow(const char* name, int captionTable, Qt::WindowFlags flags);

    // The caption table, then the window's own texts.
    void applyLanguage(Language language);
    // Place, size and the window's own settings, from or into the settings file.
    void readSettings(const SettingsFile& file);
    void writeSettings(SettingsFile& file) const;
    void loadSettings(const QString& settingsPath);
    // Read again first, so that the other windows' keys stay as they are; a file that cannot
    // be read is left as it is, not replaced by this window's keys alone.
    void saveSettings(const QString& settingsPath) const;

  signals:
    // The window has closed (its Exit, the close box, Esc or the program's end).
    void closed();

  protected:
    void closeOnEscape();
    // Return and the keypad's Enter close the window too (windows whose only button closes).
    void closeOnEnter();
    const std::vector<SettingKey>& settingKeys() const;

    // What a window adds to the shared behaviour.
    virtual void languageApplied(Language) {}
    virtual void readPlacement(const SettingsFile& file);
    virtual void readOwnSettings(const SettingsFile&) {}
    virtual void writeOwnSettings(SettingsFile&) const {}
    virtual bool mayClose() const { return true; }
    virtual void closing() {}

  private:
    void closeEvent(QCloseEvent* event) final;

    int captionTable_;
};

} // namespace tessavin::ui
