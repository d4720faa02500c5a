#pragma once
// Every modal question, message box and file dialog of the program goes through one seam, so
// that tests can answer them: the real dialogs by default, a scripted stand-in under test.
#include <QString>
#include <string>

#include "common/failure.h"

class QLabel;
class QWidget;

namespace tessavin::ui {

// Buttons and answers of the message box (its kinds: BoxKind of common/failure.h), numbered as
// the callers have always numbered them.
enum class BoxButtons { Ok, YesNo };
inline constexpr int BoxOk = 1;
inline constexpr int BoxYes = 6;
inline constexpr int BoxNo = 7;

struct BoxRequest {
    QString caption;
    QString text;
    BoxKind kind = BoxKind::Information;
    BoxButtons buttons = BoxButtons::Ok;
};

struct FileRequest {
    bool save = false;
    QString caption;
    QString directory;
    QString filter;        // e.g. "Text files (*.txt)"
    QString suggestedName; // without folder
    QString defaultSuffix; // without dot
};

class Interaction {
  public:
    virtual ~Interaction() = default;
    // Modal box; BoxOk, BoxYes or BoxNo. Yes is the default button of a question.
    virtual int ask(QWidget* parent, const BoxRequest& request) = 0;
    // Full path of the chosen file; empty when cancelled.
    virtual QString chooseFile(QWidget* parent, const FileRequest& request) = 0;
};

// The interaction in use: the real dialogs unless a test installed its own.
Interaction& UserInteraction();
// nullptr puts the real dialogs back. The caller keeps ownership.
void SetUserInteraction(Interaction* interaction);

// The message box of the program (caption, text, kind, buttons): BoxOk, BoxYes or BoxNo.
int DefMessageDlg(const QString& caption, const QString& text, BoxKind kind, BoxButtons buttons,
                  QWidget* parent = nullptr);

// A box text with tab stops as a table: its columns line up in any font and no line wraps
// (a long path widens the box). Leading tabs indent a line; a run of tabs ends a column.
QString TabbedTextAsTable(const QString& text);

// An engine failure as its box, captioned after its kind; afterwards the named control of
// `window` gets the focus.
int ShowFailure(const Failure& failure, QWidget* window);

// A picture of the whole screen into the clipboard (the print-screen key); a platform that
// cannot read the screen gives a picture of `fallback` instead.
void CopyScreenToClipboard(QWidget* fallback);

// Centres a label over [left, left + width] of its parent, keeping its vertical position.
void CentreLabel(QLabel* label, int left, int width);

inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string S(const QString& text) {
    return text.toStdString();
}

} // namespace tessavin::ui
