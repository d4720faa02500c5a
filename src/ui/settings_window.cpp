#include "settings_window.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <string>
#include <variant>

#include "caption_tables.h"
#include "common/regular_file.h"
#include "files/settings_file.h"
#include "interaction.h"

namespace tessavin::ui {
namespace {

constexpr const char* WindowName = "TForm10";

const SettingKey& Key(const char* target) {
    return *FindSettingKey(WindowSettingKeys(WindowName), target);
}

} // namespace

SettingsListingWindow::SettingsListingWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(WindowName);
    setWindowTitle("  Tessavin :      List of INI-file");
    setMinimumSize(500, 355);
    setMaximumWidth(750);
    resize(500, 355);

    table_ = new QTableWidget(0, 2, this);
    table_->setObjectName("ValueListEditor1");
    table_->setHorizontalHeaderLabels({"Key", "Value"});
    table_->setColumnWidth(0, 222);
    table_->setColumnWidth(1, 259);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);
}

void SettingsListingWindow::readSettings(const QString& settingsPath) {
    settingsPath_ = settingsPath;
    SettingsFile file;
    file.Load(S(settingsPath));
    move(file.GetInteger(Key("left")), file.GetInteger(Key("top")));
    resize(file.GetInteger(Key("width")), file.GetInteger(Key("height")));
}

void SettingsListingWindow::applyLanguage(Language language) {
    ApplyCaptionTable(this, 10, language);
}

bool SettingsListingWindow::loadFile(const QString& path) {
    const auto bytes = ReadRegularFile(S(path), MaxUserFileBytes);
    if (!std::holds_alternative<std::string>(bytes)) return false;
    const auto rows = SettingsListingRows(std::get<std::string>(bytes));
    table_->clearContents();
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        table_->setItem(r, 0, new QTableWidgetItem(QString::fromUtf8(rows[r].first)));
        table_->setItem(r, 1, new QTableWidgetItem(QString::fromUtf8(rows[r].second)));
    }
    return true;
}

void SettingsListingWindow::closeEvent(QCloseEvent* event) {
    // Read again first: the other windows' keys stay as they are. A file that cannot be read
    // is not replaced by this window's keys alone.
    SettingsFile file;
    if (!settingsPath_.isEmpty() && !file.Load(S(settingsPath_))) {
        file.SetInteger(Key("left"), x());
        file.SetInteger(Key("top"), y());
        file.SetInteger(Key("width"), width());
        file.SetInteger(Key("height"), height());
        file.Save(S(settingsPath_));
    }
    event->accept();
    emit closed();
}

} // namespace tessavin::ui
