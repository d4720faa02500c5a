#include "ui/common/key_filters.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace tessavin::ui {
namespace {

// The character the field receives for `c`, or a null character when `c` is refused.
QChar Mapped(QChar c, NumberFilter kind) {
    if (c.isDigit() && c.unicode() < 128) return c;
    if (kind == NumberFilter::Digits) return QChar();
    if (c == 'E' || c == 'e') return kind == NumberFilter::EpsReal ? c : QChar('E');
    if (kind == NumberFilter::Whole) return QChar();
    if (c == ',' || c == '.') return QChar('.');
    if (c == '-') return c;
    if (c == '+' && kind == NumberFilter::Real) return c;
    return QChar();
}

bool IsEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// Keys that type no character of their own: left to the field.
bool TypesNothing(const QKeyEvent* key) {
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return true;
    const QString text = key->text();
    if (text.isEmpty()) return true;
    for (const QChar c : text)
        if (!c.isPrint()) return true; // Backspace, Tab, Delete, Escape
    return false;
}

Qt::Key KeyOf(QChar c) {
    if (c == 'E') return Qt::Key_E;
    if (c == '.') return Qt::Key_Period;
    return static_cast<Qt::Key>(c.unicode()); // digits, '+', '-' share their Latin-1 code
}

} // namespace

KeyFilter::KeyFilter(NumberFilter kind, std::function<void()> onEnter, QObject* parent)
    : QObject(parent), kind_(kind), onEnter_(std::move(onEnter)) {}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (IsEnter(key)) {
        if (onEnter_) {
            onEnter_();
        } else if (auto* field = qobject_cast<QWidget*>(watched)) {
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
            QCoreApplication::sendEvent(field, &tab);
        }
        return true;
    }
    if (TypesNothing(key)) return false;

    const QString typed = key->text();
    QString accepted;
    for (const QChar c : typed) {
        const QChar m = Mapped(c, kind_);
        if (!m.isNull()) accepted += m;
    }
    if (accepted.size() != typed.size()) QApplication::beep();
    if (accepted == typed) return false;
    if (!accepted.isEmpty()) {
        // The mapped characters pass this filter unchanged on their way back in.
        QKeyEvent mapped(QEvent::KeyPress,
                         accepted.size() == 1 ? KeyOf(accepted[0]) : Qt::Key_unknown,
                         key->modifiers(), accepted, key->isAutoRepeat());
        QCoreApplication::sendEvent(watched, &mapped);
    }
    return true;
}

void InstallKeyFilter(QLineEdit* field, NumberFilter kind, std::function<void()> onEnter) {
    if (!field) return;
    field->installEventFilter(new KeyFilter(kind, std::move(onEnter), field));
}

} // namespace tessavin::ui
