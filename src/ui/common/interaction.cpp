#include "ui/common/interaction.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "localisation/messages.h"

namespace tessavin::ui {
namespace {

QString Cell(const QString& text, int span) {
    const QString spanned = span > 1 ? QString(" colspan=%1").arg(span) : QString();
    return "<td" + spanned + " style=\"white-space:pre\">" + text.toHtmlEscaped() + "</td>";
}

class DialogInteraction final : public Interaction {
  public:
    int ask(QWidget* parent, const BoxRequest& r) override {
        QMessageBox box(parent);
        box.setWindowTitle(r.caption);
        if (r.text.contains('\t')) {
            box.setTextFormat(Qt::RichText);
            box.setText(TabbedTextAsTable(r.text));
        } else {
            box.setText(r.text);
        }
        switch (r.kind) {
        case BoxKind::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case BoxKind::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case BoxKind::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case BoxKind::Confirmation:
            box.setIcon(QMessageBox::Question);
            break;
        }
        if (r.buttons == BoxButtons::YesNo) {
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            return box.exec() == QMessageBox::Yes ? BoxYes : BoxNo;
        }
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return BoxOk;
    }

    QString chooseFile(QWidget* parent, const FileRequest& r) override {
        QFileDialog dialog(parent, r.caption, r.directory, r.filter);
        dialog.setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(r.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        // The overwrite question is the program's own message.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        if (!r.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(r.defaultSuffix);
        if (!r.suggestedName.isEmpty()) dialog.selectFile(r.suggestedName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
        return dialog.selectedFiles().first();
    }
};

Interaction* g_installed = nullptr;

} // namespace

QString TabbedTextAsTable(const QString& text) {
    std::vector<QStringList> rows;
    qsizetype columns = 1;
    for (QString line : text.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        // Leading tabs indent the first cell; any run of tabs after text starts the next cell.
        qsizetype indent = 0;
        while (indent < line.size() && line[indent] == '\t')
            ++indent;
        QStringList cells = line.mid(indent).split('\t', Qt::SkipEmptyParts);
        if (cells.isEmpty()) cells << QString();
        cells[0].prepend(QString(4 * indent, ' '));
        columns = std::max(columns, cells.size());
        rows.push_back(cells);
    }
    QString html = "<table cellspacing=\"0\" cellpadding=\"0\">";
    for (const QStringList& cells : rows) {
        html += "<tr>";
        for (qsizetype c = 0; c < cells.size(); ++c) {
            // The last cell of a short row spans the columns it lacks.
            const bool last = c + 1 == cells.size();
            html += Cell(cells[c] + (last ? "" : "  "), last ? int(columns - c) : 1);
        }
        html += "</tr>";
    }
    return html + "</table>";
}

Interaction& UserInteraction() {
    static DialogInteraction real;
    return g_installed ? *g_installed : real;
}

void SetUserInteraction(Interaction* interaction) {
    g_installed = interaction;
}

int DefMessageDlg(const QString& caption, const QString& text, BoxKind kind, BoxButtons buttons,
                  QWidget* parent) {
    return UserInteraction().ask(parent, BoxRequest{caption, text, kind, buttons});
}

int ShowFailure(const Failure& failure, QWidget* window) {
    const BoxKind kind = failure.kind;
    const int answer =
        DefMessageDlg(Q(TextCis(CaptionMessage(kind))), Q(failure.text), kind,
                      kind == BoxKind::Confirmation ? BoxButtons::YesNo : BoxButtons::Ok, window);
    if (window && !failure.focus.empty()) {
        if (auto* target = window->findChild<QWidget*>(Q(failure.focus))) {
            // A field on a page not shown: show its page, so the user sees what to correct.
            for (QWidget* w = target; w && w != window; w = w->parentWidget())
                if (auto* tabs = qobject_cast<QTabWidget*>(
                        w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr))
                    if (tabs->indexOf(w) >= 0) tabs->setCurrentWidget(w);
            target->setFocus();
        }
    }
    return answer;
}

void CentreLabel(QLabel* label, int left, int width) {
    if (!label) return;
    label->adjustSize();
    label->move(left + (width - label->width()) / 2, label->y());
}

} // namespace tessavin::ui

namespace tessavin::ui {

void CopyScreenToClipboard(QWidget* fallback) {
    QPixmap picture;
    if (QScreen* screen = QGuiApplication::primaryScreen()) picture = screen->grabWindow(0);
    if (picture.isNull() && fallback) picture = fallback->grab();
    QGuiApplication::clipboard()->setPixmap(picture);
}

} // namespace tessavin::ui
