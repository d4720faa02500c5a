#pragma once
// The raw data window's file dialogs: choosing a raw data file to read or to save under, the
// question before a file is overwritten and the box of a failed write.
#include <QString>

class QWidget;

namespace tessavin::ui {

// The raw data file dialog, `suffix` the file kind; an empty text when cancelled.
QString ChooseRawDataFile(QWidget* parent, bool save, const QString& suffix,
                          const QString& suggested, const QString& folder);
// True when `path` does not exist or the user agrees to overwrite it.
bool ConfirmOverwrite(QWidget* parent, const QString& path);
void ReportWriteFailure(QWidget* parent, const QString& path);

} // namespace tessavin::ui
