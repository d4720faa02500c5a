#include "ui/main/workbook_export.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include "files/workbook.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "ui/common/interaction.h"

namespace tessavin::ui {
namespace {

WorkbookOpener& Opener() {
    static WorkbookOpener opener;
    return opener;
}

void BackToProjectDir(const QString& projectDir) {
    if (!projectDir.isEmpty()) QDir::setCurrent(projectDir);
}

} // namespace

void SetWorkbookOpener(WorkbookOpener opener) {
    Opener() = std::move(opener);
}

QString WorkbookPath(const CalculationInputs& in, const QString& resultsDir) {
    return QDir(resultsDir).filePath(Q(DefaultWorkbookFileName(in)));
}

QString ExportWorkbook(QWidget* parent, const CalculationInputs& in, const CalculationState& state,
                       const QString& resultsDir, QString& projectDir,
                       const exactplan::PlanCurves* exact, const BetaSection* beta) {
    QString path = WorkbookPath(in, resultsDir); // not const: returned by move
    if (QFileInfo::exists(path)) {
        const QString question =
            Q(FormatMessage(TextCis(msg::OverwriteQuestion), S(QDir::toNativeSeparators(path)))) +
            "\r\n";
        if (DefMessageDlg(Q(TextCis(msg::ConfirmationTitle)), question, BoxKind::Confirmation,
                          BoxButtons::YesNo, parent) != BoxYes) {
            BackToProjectDir(projectDir);
            return {};
        }
    }
    if (const auto failure = WriteInspectionWorkbook(QFile::encodeName(path).toStdString(), in,
                                                     state, exact, beta)) {
        ShowFailure(*failure, parent);
        return {};
    }
    const QUrl url = QUrl::fromLocalFile(path);
    const bool opened = Opener() ? Opener()(url) : QDesktopServices::openUrl(url);
    if (!opened) {
        DefMessageDlg(Q(TextCis(msg::WarningTitle)), Q(TextCis(msg::WorkbookNotOpened)),
                      BoxKind::Warning, BoxButtons::Ok, parent);
        BackToProjectDir(projectDir);
    }
    return path;
}

} // namespace tessavin::ui
