#include "ui/common/caption_tables.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMetaObject>
#include <QTabWidget>
#include <QTableWidget>
#include <QWidget>

#include "ui/charts/chart_panel.h"
#include "ui/common/interaction.h"
#include "ui/common/platform_texts.h"

namespace tessavin::ui {
namespace {

// Messages are read in the active language, which the caller sets to the table's.
QString Compose(const TableText& t) {
    return QString::fromStdString(ComposeText(t));
}

// The tab widget that shows `widget` as one of its pages, with the page's index.
QTabWidget* TabOf(QWidget* widget, int& index) {
    for (QWidget* p = widget->parentWidget(); p; p = p->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(p)) {
            index = tabs->indexOf(widget);
            return index >= 0 ? tabs : nullptr;
        }
    }
    return nullptr;
}

void SetCaption(QObject* target, const QString& text) {
    if (auto* action = qobject_cast<QAction*>(target)) return action->setText(text);
    auto* widget = qobject_cast<QWidget*>(target);
    if (!widget) return;
    int page = -1;
    if (QTabWidget* tabs = TabOf(widget, page)) return tabs->setTabText(page, text);
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
        int page = -1;
        if (QTabWidget* tabs = TabOf(widget, page)) tabs->setTabToolTip(page, shortPart);
    }
}

QObject* Find(QWidget* window, const char* name) {
    const QString n = QString::fromUtf8(name);
    if (n.isEmpty()) return window;
    if (auto* action = window->findChild<QAction*>(n)) return action;
    if (auto* widget = window->findChild<QWidget*>(n)) return widget;
    return window->findChild<QObject*>(n); // e.g. a chart that is no widget itself
}

} // namespace

void ApplyCaptionTable(QWidget* window, WindowId id, Language language) {
    if (!window) return;
    ApplyCaptions(window, CaptionTable(id), language);
    if (CaptionTable(id).empty()) return;
    for (ChartPanel* chart : window->findChildren<ChartPanel*>())
        ApplyChartCaptions(chart, language);
}

void ApplyCaptions(QWidget* window, const std::vector<CaptionAssignment>& table,
                   Language language) {
    if (!window) return;
    const Language before = CurrentLanguage();
    SetLanguage(language); // message numbers are read in the table's language
    for (const CaptionAssignment& a : table) {
        QObject* target = Find(window, a.control);
        if (!target) continue;
        const bool czech = language == Language::Czech;
        const QString text = Compose(czech ? a.czech : a.english);
        switch (a.kind) {
        case CaptionKind::WindowCaption:
            if (auto* w = qobject_cast<QWidget*>(target)) w->setWindowTitle(text);
            break;
        case CaptionKind::Caption:
            SetCaption(target, text);
            break;
        case CaptionKind::Hint:
            SetHint(target, text);
            break;
        case CaptionKind::ListItem:
            if (auto* list = qobject_cast<QComboBox*>(target)) {
                const int selected = list->currentIndex();
                const QSignalBlocker block(list); // a translation is no change of the choice
                while (list->count() <= a.index)
                    list->addItem(QString());
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
        case CaptionKind::GridMarker:
            if (auto* grid = qobject_cast<QTableWidget*>(target)) {
                QTableWidgetItem* item = grid->item(a.row, a.index);
                if (!item) break;
                SetLanguage(czech ? Language::English : Language::Czech);
                const QString other = Compose(czech ? a.english : a.czech);
                SetLanguage(language);
                if (item->text() == other) item->setText(text);
            }
            break;
        case CaptionKind::AxisTitle:
            QMetaObject::invokeMethod(target, "setAxisTitle",
                                      Q_ARG(QString, a.index == 0 ? "left" : "bottom"),
                                      Q_ARG(QString, text));
            break;
        case CaptionKind::TextPiece:
        case CaptionKind::Composed:
            break; // read where the composed text is built
        }
    }
    SetLanguage(before);
}

} // namespace tessavin::ui
