#include "ui/windows/side_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QScreen>
#include <QShortcut>
#include <algorithm>
#include <climits>

#include "files/settings_keys.h"
#include "ui/common/caption_tables.h"
#include "ui/common/interaction.h"
#include "windows/window_registry.h"

namespace tessavin::ui {
namespace {
constexpr int TitleGrip = 100; // pixels of a window kept on the screen to take it by
}

void PlaceAtDefault(QWidget* window, WindowId id) {
    const WindowSize size = DefaultSize(id);
    window->setWindowState(Qt::WindowNoState);
    const QScreen* screen = window->screen();
    const int width = size.width > 0 || !screen ? size.width : screen->availableGeometry().width();
    window->resize(width, size.height);
    window->move(0, 0);
}

QString ObjectNameOf(WindowId id) {
    const std::string_view name = WindowOf(id).objectName;
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QString VersionText(WindowId id, Language language) {
    const CaptionAssignment* piece = FindCaption(id, "Version", CaptionKind::TextPiece);
    return (piece ? Q(ComposeText(*piece, language)) : QString()) + TESSAVIN_VERSION;
}

SideWindow::SideWindow(WindowId id, Qt::WindowFlags flags) : QWidget(nullptr, flags), id_(id) {
    setObjectName(ObjectNameOf(id));
}

void SideWindow::closeOnEscape() {
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);
}

void SideWindow::closeOnEnter() {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this,
                &QWidget::close);
}

const std::vector<SettingKey>& SideWindow::settingKeys() const {
    return WindowSettingKeys(id_);
}

void SideWindow::applyLanguage(Language language) {
    ApplyCaptionTable(this, id_, language);
    languageApplied(language);
}

void SideWindow::readPlacement(const SettingsFile& file) {
    const std::vector<SettingKey>& keys = settingKeys();
    if (!FindSettingKey(keys, "width")) return;
    const auto value = [&](std::string_view target) {
        const SettingKey* k = FindSettingKey(keys, target);
        return k ? file.GetInteger(*k) : 0;
    };
    // Within the screen's free area, whatever the file says: a window wider than the screen
    // cannot be moved back or narrowed by the user.
    const QPoint place(value("left"), value("top"));
    const QScreen* on = QGuiApplication::screenAt(place);
    if (!on) on = QGuiApplication::primaryScreen();
    const QRect screen = on ? on->availableGeometry() : QRect(0, 0, INT_MAX / 2, INT_MAX / 2);
    const QSize size(std::min(value("width"), screen.width()),
                     std::min(value("height"), screen.height()));
    resize(size);
    // The top-left corner, and with it the title bar, stays on the screen.
    const auto inside = [](int at, int low, int high) { return std::max(low, std::min(at, high)); };
    move(inside(place.x(), screen.left(), screen.right() - TitleGrip),
         inside(place.y(), screen.top(), screen.bottom() - TitleGrip));
}

void SideWindow::readSettings(const SettingsFile& file) {
    readPlacement(file);
    readOwnSettings(file);
}

void SideWindow::writeSettings(SettingsFile& file) const {
    // In the order of the table, which is the order of the file.
    for (const SettingKey& k : settingKeys()) {
        if (k.target == "left") file.SetInteger(k, x());
        if (k.target == "top") file.SetInteger(k, y());
        if (k.target == "width") file.SetInteger(k, width());
        if (k.target == "height") file.SetInteger(k, height());
    }
    writeOwnSettings(file);
}

void SideWindow::loadSettings(const QString& settingsPath) {
    SettingsFile file;
    if (!settingsPath.isEmpty()) file.Load(S(settingsPath));
    readSettings(file);
}

void SideWindow::saveSettings(const QString& settingsPath) const {
    if (settingsPath.isEmpty() || settingKeys().empty()) return;
    SettingsFile file;
    if (file.Load(S(settingsPath))) return;
    writeSettings(file);
    file.Save(S(settingsPath));
}

void SideWindow::resetPlacement() {
    PlaceAtDefault(this, id_);
}

void SideWindow::resetOwnSettings() {
    readOwnSettings(SettingsFile()); // a file without keys: every key reads its default
}

void SideWindow::closeEvent(QCloseEvent* event) {
    if (!mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
    closing();
    emit closed();
}

} // namespace tessavin::ui
