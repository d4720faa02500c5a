#include "caption_tables.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMetaObject>
#include <QTabWidget>
#include <QTableWidget>
#include <QWidget>

#include "interaction.h"
#include "localisation/messages.h"

namespace tessavin::ui {
namespace {

QString Compose(const CaptionText& t) {
    QString s;
    if (t.message) s = Q(TextCis(t.message));
    return s + QString::fromUtf8(t.text);
}

void SetCaption(QObject* target, const QString& text) {
    if (auto* action = qobject_cast<QAction*>(target)) return action->setText(text);
    auto* widget = qobject_cast<QWidget*>(target);
    if (!widget) return;
    // A page of a tab widget: its tab text.
    for (QWidget* p = widget->parentWidget(); p; p = p->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(p)) {
            const int i = tabs->indexOf(widget);
            if (i >= 0) return tabs->setTabText(i, text);
            break;
        }
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->setText(text);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->setText(text);
    if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->setTitle(text);
    widget->setWindowTitle(text);
}

void SetHint(QObject* target, const QString& hint) {
    const int bar = hint.indexOf('|');
    const QString shortPart = bar < 0 ? hint : hint.left(bar);
    const QString longPart = bar < 0 ? hint : hint.mid(bar + 1);
    if (auto* action = qobject_cast<QAction*>(target)) {
        action->setToolTip(shortPart);
        action->setStatusTip(longPart);
    } else if (auto* widget = qobject_cast<QWidget*>(target)) {
        widget->setToolTip(shortPart);
        widget->setStatusTip(longPart);
    }
}

QObject* Find(QWidget* window, const char* name) {
    const QString n = QString::fromUtf8(name);
    if (n.isEmpty()) return window;
    if (auto* action = window->findChild<QAction*>(n)) return action;
    if (auto* widget = window->findChild<QWidget*>(n)) return widget;
    return nullptr;
}

} // namespace

void ApplyCaptionTable(QWidget* window, int number, Language language) {
    if (!window) return;
    const Language before = CurrentLanguage();
    SetLanguage(language); // message numbers are read in the table's language
    for (const CaptionAssignment& a : CaptionTable(number)) {
        QObject* target = Find(window, a.control);
        if (!target) continue;
        const QString text = Compose(language == Language::Czech ? a.czech : a.english);
        switch (a.kind) {
        case CaptionKind::WindowCaption:
            if (auto* w = qobject_cast<QWidget*>(target)) w->setWindowTitle(text);
            break;
        case CaptionKind::Caption: SetCaption(target, text); break;
        case CaptionKind::Hint: SetHint(target, text); break;
        case CaptionKind::ListItem:
            if (auto* list = qobject_cast<QComboBox*>(target)) {
                const int selected = list->currentIndex();
                while (list->count() <= a.index) list->addItem(QString());
                list->setItemText(a.index, text);
                list->setCurrentIndex(selected);
            }
            break;
        case CaptionKind::ListRefill:
            if (auto* list = qobject_cast<QComboBox*>(target)) {
                const int selected = list->currentIndex();
                const QSignalBlocker block(list);
                list->clear();
                list->addItems(text.split('\n'));
                list->setCurrentIndex(selected);
            }
            break;
        case CaptionKind::GridCell:
            if (auto* grid = qobject_cast<QTableWidget*>(target)) {
                if (a.row >= grid->rowCount() || a.index >= grid->columnCount()) break;
                QTableWidgetItem* item = grid->item(a.row, a.index);
                if (!item) grid->setItem(a.row, a.index, item = new QTableWidgetItem);
                item->setText(text);
            }
            break;
        case CaptionKind::AxisTitle:
            QMetaObject::invokeMethod(target, "setAxisTitle",
                                      Q_ARG(QString, a.index == 0 ? "left" : "bottom"),
                                      Q_ARG(QString, text));
            break;
        }
    }
    SetLanguage(before);
}

} // namespace tessavin::ui
