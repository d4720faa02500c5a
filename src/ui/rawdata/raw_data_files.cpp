#include "ui/rawdata/raw_data_files.h"

#include <QDir>
#include <QFileInfo>

#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "ui/common/interaction.h"
#include "ui/common/platform_texts.h"

namespace tessavin::ui {

QString ChooseRawDataFile(QWidget* parent, bool save, const QString& suffix,
                          const QString& suggested, const QString& folder) {
    FileRequest request;
    request.save = save;
    request.directory = folder;
    request.filter = PlatformTextOf(PlatformText::RawDataFilter).arg(suffix);
    request.suggestedName = suggested;
    request.defaultSuffix = suffix;
    return UserInteraction().chooseFile(parent, request);
}

bool ConfirmOverwrite(QWidget* parent, const QString& path) {
    if (!QFileInfo::exists(path)) return true;
    const QString question =
        Q(FormatMessage(TextCis(msg::OverwriteQuestion), S(QDir::toNativeSeparators(path))));
    return DefMessageDlg(Q(TextCis(CaptionMessage(BoxKind::Confirmation))), question,
                         BoxKind::Confirmation, BoxButtons::YesNo, parent) == BoxYes;
}

void ReportWriteFailure(QWidget* parent, const QString& path) {
    DefMessageDlg(Q(TextCis(CaptionMessage(BoxKind::Error))),
                  Q(FormatMessage(TextCis(msg::DataFileWriteError), S(QFileInfo(path).fileName()))),
                  BoxKind::Error, BoxButtons::Ok, parent);
}

} // namespace tessavin::ui
