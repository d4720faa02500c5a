// The raw data window's services beside the analysis: typing and saving new raw data, the
// chart export with its choice menu, the marks of the chart and the screen copy.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScreen>
#include <QSpinBox>
#include <filesystem>

#include "common/atomic_file.h"
#include "localisation/messages.h"
#include "rawdata/raw_data_view.h"
#include "statlib/number_text.h"
#include "ui/charts/bar_marks.h"
#include "ui/charts/chart_panel.h"
#include "ui/common/interaction.h"
#include "ui/common/platform_texts.h"
#include "ui/common/string_grid.h"
#include "ui/rawdata/raw_data_window.h"

namespace tessavin::ui {
namespace {

enum ExportItem { Schranka = 0, Bitmapa = 1, Metafile = 2, JPGFile = 3 };

} // namespace

void RawDataWindow::BNovyClick() {
    PrepareForNewSample();
    progressBar1_->setRange(1, 100000);
    histogramChart_->setTitleLines({});
    newDataBox_->show();
    newData_->setFocus();
    newDataCount_->setCell(1, 0, " 0");
    newDataCount_->setCell(1, 1, QString());
}

QString RawDataWindow::chooseSaveFile(const QString& suffix, const QString& suggested,
                                      const QString& folder) {
    FileRequest request;
    request.save = true;
    request.directory = folder;
    request.filter = PlatformTextOf(PlatformText::RawDataFilter).arg(suffix);
    request.suggestedName = suggested;
    request.defaultSuffix = suffix;
    return UserInteraction().chooseFile(this, request);
}

bool RawDataWindow::askOverwrite(const QString& path) {
    if (!QFileInfo::exists(path)) return true;
    const QString question = Q(FormatMessage(TextCis(6), S(QDir::toNativeSeparators(path))));
    return DefMessageDlg(Q(TextCis(1)), question, BoxKind::Confirmation, BoxButtons::YesNo, this) ==
           BoxYes;
}

void RawDataWindow::BSaveClick() {
    const std::vector<std::string> lines = EditorLines(S(newData_->toPlainText()));
    if (lines.empty()) {
        DefMessageDlg(Q(TextCis(3)), Q(TextCis(135)), BoxKind::Confirmation, BoxButtons::Ok, this);
        newDataBox_->hide();
        return;
    }
    const QString path = chooseSaveFile("txt", "Raw_Data", rawDataDir_);
    if (path.isEmpty()) {
        newDataBox_->hide();
        return;
    }
    if (!askOverwrite(path)) return;
    // Every line is checked before anything is written: a refused line leaves no file behind.
    const auto content = TypedRawDataFile(lines);
    if (const Failure* f = std::get_if<Failure>(&content)) {
        ShowFailure(*f, this);
        return;
    }
    const auto restoreFolder = [this] {
        if (!startDir_.isEmpty()) QDir::setCurrent(startDir_);
    };
    if (WriteFileAtomically(std::filesystem::path(S(path)), std::get<std::string>(content))) {
        DefMessageDlg(Q(TextCis(3)), Q(FormatMessage(TextCis(27), S(QFileInfo(path).fileName()))),
                      BoxKind::Error, BoxButtons::Ok, this);
        restoreFolder();
        return;
    }
    restoreFolder();
    newDataBox_->hide();
}

void RawDataWindow::exportChoiceClicked(QAction* item) {
    // Exactly one item stays ticked.
    if (item->isChecked()) {
        for (QAction* other : exportItems_)
            if (other != item) other->setChecked(false);
    } else {
        exportItems_[item == exportItems_[Schranka] ? Bitmapa : Schranka]->setChecked(true);
    }
}

void RawDataWindow::UlozGrafClick() {
    if (exportItems_[Schranka]->isChecked()) {
        histogramChart_->copyToClipboard();
        return;
    }
    const QString suffix = exportItems_[Bitmapa]->isChecked()    ? "bmp"
                           : exportItems_[Metafile]->isChecked() ? "svg"
                                                                 : "jpg";
    const QString path = chooseSaveFile(suffix, QString(), startDir_);
    if (!path.isEmpty() && askOverwrite(path) && !histogramChart_->savePicture(path)) {
        DefMessageDlg(Q(TextCis(3)), Q(FormatMessage(TextCis(27), S(QFileInfo(path).fileName()))),
                      BoxKind::Error, BoxButtons::Ok, this);
    }
    if (!startDir_.isEmpty()) QDir::setCurrent(startDir_);
}

void RawDataWindow::SpeedButton1Click() {
    CopyScreenToClipboard(this);
}

void RawDataWindow::runMarks() {
    // CBMarks: 0 P(x), 1 the bar's label, 2 label and P(x), 3 x, 4 x and P(x).
    const int style = cbMarks_->currentIndex();
    QStringList texts;
    std::vector<double> heights;
    for (int i = 1; i <= drawn_.Bins; ++i) {
        const double p = drawn_.P[static_cast<std::size_t>(i)];
        const QString value = Q(StrMarkValue(p));
        const QString label = HistogramBarLabel(drawn_, i, axis());
        const QString x = Q(StrBottomGraf(ClassValue(drawn_, i)));
        const QString text = style == 1   ? label
                             : style == 2 ? label + "  " + value
                             : style == 3 ? x
                             : style == 4 ? x + "  " + value
                                          : value;
        texts << text;
        heights.push_back(p);
    }
    marks_->show(texts, heights, spinEdAngle_->value(), dataMarks_->isChecked());
}

QStringList RawDataWindow::marks() const {
    return marks_->texts();
}

} // namespace tessavin::ui
