#include "ui/rawdata/new_data_editor.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

#include "common/atomic_file.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "rawdata/raw_data_view.h"
#include "ui/common/interaction.h"
#include "ui/common/string_grid.h"
#include "ui/rawdata/box_parts.h"
#include "ui/rawdata/raw_data_files.h"

namespace tessavin::ui {
namespace {

// The grid's label of the caret's line (a grid cell, the same in both languages).
const QString CaretRowLabel = QStringLiteral("index");

} // namespace

NewDataEditor::NewDataEditor(QWidget* parent) : QGroupBox(parent) {
    setObjectName("GroupBox3");
    text_ = new QPlainTextEdit(this);
    text_->setObjectName("Memo1");
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    count_ = ValueGrid(this, "StringGrid5", 2, CountLabelSample, QStringLiteral(" 100000"));
    count_->setCell(0, 1, CaretRowLabel);
    save_ = NamedButton(this, "BSave");
    cancel_ = NamedButton(this, "Bcancel");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_, 1);
    layout->addWidget(count_);
    layout->addWidget(save_);
    layout->addWidget(cancel_);

    connect(save_, &QPushButton::clicked, this, &NewDataEditor::save);
    connect(cancel_, &QPushButton::clicked, this, &QWidget::hide);
    connect(text_, &QPlainTextEdit::textChanged, this, [this] {
        count_->setCell(1, 1, QString());
        showCount();
    });
    connect(text_, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        count_->setCell(1, 1, " " + QString::number(text_->textCursor().blockNumber()));
    });
}

void NewDataEditor::setFolders(const QString& rawDataDir, const QString& startDir) {
    rawDataDir_ = rawDataDir;
    startDir_ = startDir;
}

void NewDataEditor::showCount() {
    count_->setCell(
        1, 0, " " + QString::number(static_cast<int>(EditorLines(S(text_->toPlainText())).size())));
}

void NewDataEditor::clear() {
    text_->clear();
    count_->setCell(1, 1, QString());
    hide();
}

void NewDataEditor::start() {
    show();
    text_->setFocus();
    count_->setCell(1, 0, " 0");
    count_->setCell(1, 1, QString());
}

void NewDataEditor::save() {
    const std::vector<std::string> lines = EditorLines(S(text_->toPlainText()));
    if (lines.empty()) {
        DefMessageDlg(Q(TextCis(CaptionMessage(BoxKind::Error))),
                      Q(TextCis(msg::FrequencyTableEmpty)), BoxKind::Confirmation, BoxButtons::Ok,
                      window());
        hide();
        return;
    }
    const QString path = ChooseRawDataFile(window(), true, "txt", "Raw_Data", rawDataDir_);
    if (path.isEmpty()) {
        hide();
        return;
    }
    if (!ConfirmOverwrite(window(), path)) return;
    // Every line is checked before anything is written: a refused line leaves no file behind.
    const auto content = TypedRawDataFile(lines);
    if (const Failure* f = std::get_if<Failure>(&content)) {
        ShowFailure(*f, window());
        return;
    }
    const bool failed =
        WriteFileAtomically(std::filesystem::path(S(path)), std::get<std::string>(content))
            .has_value();
    if (failed) ReportWriteFailure(window(), path);
    if (!startDir_.isEmpty()) QDir::setCurrent(startDir_);
    if (!failed) hide();
}

} // namespace tessavin::ui
