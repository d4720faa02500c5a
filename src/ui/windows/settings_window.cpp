#include "ui/windows/settings_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <string>
#include <variant>

#include "common/regular_file.h"
#include "files/settings_file.h"
#include "ui/common/interaction.h"

namespace tessavin::ui {

SettingsListingWindow::SettingsListingWindow()
    : SideWindow(WindowId::SettingsListing, Qt::Window | Qt::WindowStaysOnTopHint) {
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
    // A button of its own: the window is always on top and the main window waits for it.
    auto* close = new QPushButton;
    close->setObjectName("BKonec");
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(8, 0, 8, 8);
    row->addStretch();
    row->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);
    layout->addLayout(row);
    // Esc ends an edit in a cell first; only then does it close the window.
    closeOnEscape();
    applyLanguage(CurrentLanguage());
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

} // namespace tessavin::ui
