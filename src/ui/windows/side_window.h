#pragma once
// A window beside the main window. It is top-level and without a parent, so that disabling the
// main window leaves it usable; its row of the window registry gives its objectName, caption
// table and settings keys. It closes on Esc where asked, says when it has closed and keeps its
// place and size.
#include <QString>
#include <QWidget>
#include <vector>

#include "files/settings_file.h"
#include "localisation/language.h"
#include "windows/window_id.h"

namespace tessavin::ui {

// Places `window` as the defaults command does: the normal state, the default size of window
// `id`'s settings keys (a width of 0 is the screen's), the top-left corner.
void PlaceAtDefault(QWidget* window, WindowId id);
// The objectName of window `id`, from its registry row.
QString ObjectNameOf(WindowId id);
// "Version 1.2.3" in `language`: the piece "Version" of window `id`'s table and the version.
QString VersionText(WindowId id, Language language);

class SideWindow : public QWidget {
    Q_OBJECT
  public:
    SideWindow(WindowId id, Qt::WindowFlags flags);

    WindowId id() const { return id_; }

    // The caption table, then the window's own texts.
    void applyLanguage(Language language);
    // Place, size and the window's own settings, from or into the settings file.
    void readSettings(const SettingsFile& file);
    void writeSettings(SettingsFile& file) const;
    void loadSettings(const QString& settingsPath);
    // Read again first, so that the other windows' keys stay as they are; a file that cannot
    // be read is left as it is, not replaced by this window's keys alone.
    void saveSettings(const QString& settingsPath) const;
    // The defaults command: the normal state, the default size of the settings keys (the
    // window's minimum size still applies) at the top-left corner of the screen.
    void resetPlacement();
    // The defaults command: the window's own settings at their keys' defaults.
    void resetOwnSettings();

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

    WindowId id_;
};

} // namespace tessavin::ui
