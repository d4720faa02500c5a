#include "ui/rawdata/field_checks.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "localisation/messages.h"
#include "ui/common/interaction.h"

namespace tessavin::ui {
namespace {

// Focus changes caused by a box or a menu are not the user leaving the field.
bool LeavesField(const QFocusEvent* e) {
    return e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason &&
           e->reason() != Qt::MenuBarFocusReason;
}

} // namespace

FieldChecks::FieldChecks(QObject* parent) : QObject(parent) {}

void FieldChecks::watch(QLineEdit* field, NumberFilter filter, std::function<bool()> check) {
    fields_.push_back({field, std::move(check)});
    field->installEventFilter(this);
    connect(field, &QLineEdit::textEdited, this, [this] {
        if (!checking_) emit edited();
    });
    InstallKeyFilter(field, filter);
}

bool FieldChecks::eventFilter(QObject* watched, QEvent* event) {
    const bool left =
        event->type() == QEvent::FocusOut && LeavesField(static_cast<QFocusEvent*>(event));
    const bool clicked = event->type() == QEvent::MouseButtonRelease &&
                         static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
                         qobject_cast<QWidget*>(watched) &&
                         qobject_cast<QWidget*>(watched)->hasFocus();
    if ((left || clicked) && !checking_ && inputsChanged_) {
        for (const Watched& w : fields_) {
            if (w.field != watched) continue;
            checking_ = true;
            w.check();
            checking_ = false;
        }
    }
    return QObject::eventFilter(watched, event);
}

void FieldChecks::Refuse(QLineEdit* field, const std::string& text) {
    DefMessageDlg(Q(TextCis(CaptionMessage(BoxKind::Error))), Q(text), BoxKind::Error,
                  BoxButtons::Ok, field->window());
    field->setFocus();
}

void FieldChecks::SetQuietly(QLineEdit* field, const QString& text) {
    const QSignalBlocker block(field);
    field->setText(text);
}

} // namespace tessavin::ui
