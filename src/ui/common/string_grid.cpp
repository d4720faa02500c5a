#include "ui/common/string_grid.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <optional>

namespace tessavin::ui {
namespace {

constexpr int BorderGrip = 3; // pixels either side of a column border that start a drag
constexpr int NarrowestColumn = 8;

// The value of a cell's text when the whole text is one number.
std::optional<double> NumberIn(const QString& text) {
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

// Significant digits of a number text: the digits of its mantissa after the leading zeros.
int SignificantDigits(const QString& text) {
    int digits = 0;
    bool leading = true;
    for (const QChar c : text) {
        if (c == 'E' || c == 'e') break;
        if (!c.isDigit()) continue;
        if (leading && c == '0') continue;
        leading = false;
        ++digits;
    }
    return std::clamp(digits, 1, 17);
}

int Margins(const QWidget* grid) {
    // What the style leaves beside the text on either side of an item.
    return 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
}

// Paints each cell with the text that fits it.
class FittingDelegate final : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        const QWidget* view = o.widget;
        o.text =
            StringGrid::FittedText(o.text, QFontMetrics(o.font), o.rect.width() - Margins(view));
        view->style()->drawControl(QStyle::CE_ItemViewItem, &o, painter, view);
    }
};

} // namespace

StringGrid::StringGrid(const QString& name, int columns, int rows, int fixedRows, int fixedColumns,
                       QWidget* parent)
    : QTableWidget(rows, columns, parent), fixedRows_(fixedRows), fixedColumns_(fixedColumns) {
    setObjectName(name);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    QFont f = font();
    f.setPointSize(8);
    f.setStretch(QFont::Condensed); // the long probability texts fit narrow columns
    setFont(f);
    verticalHeader()->setDefaultSectionSize(QFontMetrics(f).height() + 4);
    setItemDelegate(new FittingDelegate(this));
    viewport()->setMouseTracking(true); // the border cursor before a drag
}

QString StringGrid::FittedText(const QString& text, const QFontMetrics& metrics, int room) {
    if (metrics.horizontalAdvance(text) <= room) return text;
    const std::optional<double> value = NumberIn(text);
    if (!value) return text;
    for (int digits = SignificantDigits(text) - 1; digits >= 1; --digits) {
        // 'g' takes the exponent where it is the shorter form; "E" as the program writes it.
        const QString shorter = QString::number(*value, 'g', digits).toUpper();
        if (metrics.horizontalAdvance(shorter) <= room) return shorter;
    }
    return text;
}

QFont StringGrid::cellFont(const QTableWidgetItem* item) const {
    // As the view paints it: what the item sets (bold headings) over the grid's font.
    return item && item->data(Qt::FontRole).isValid() ? item->font().resolve(font()) : font();
}

int StringGrid::textRoom(int column) const {
    return columnWidth(column) - (showGrid() ? 1 : 0) - Margins(this);
}

void StringGrid::makeRoomFor(const QTableWidgetItem* item, int column) {
    const QString text = item->text();
    const QFontMetrics m(cellFont(item));
    const int room = textRoom(column);
    if (m.horizontalAdvance(FittedText(text, m, room)) <= room || !NumberIn(text)) return;
    setColumnWidth(column, columnWidth(column) + m.horizontalAdvance(text) - room);
}

bool StringGrid::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QTableWidget::viewportEvent(event);
    // The whole text of a cell that shows less of it; no tip for a cell that shows it all.
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const QTableWidgetItem* it = itemFromIndex(index);
    const QString text = it ? it->text() : QString();
    const QFontMetrics m(cellFont(it));
    if (it && m.horizontalAdvance(text) > textRoom(index.column())) {
        QToolTip::showText(help->globalPos(), text, viewport(), visualRect(index));
    } else {
        QToolTip::hideText();
        event->ignore();
    }
    return true;
}

int StringGrid::borderAt(int x) const {
    for (int c = 0; c < columnCount(); ++c) {
        const int right = columnViewportPosition(c) + columnWidth(c);
        if (std::abs(x - right) <= BorderGrip) return c;
    }
    return -1;
}

void StringGrid::mousePressEvent(QMouseEvent* event) {
    const int x = event->position().toPoint().x();
    const int column = event->button() == Qt::LeftButton ? borderAt(x) : -1;
    if (column < 0) return QTableWidget::mousePressEvent(event);
    dragColumn_ = column;
    dragStartX_ = x;
    dragStartWidth_ = columnWidth(column);
}

void StringGrid::mouseMoveEvent(QMouseEvent* event) {
    const int x = event->position().toPoint().x();
    if (dragColumn_ >= 0) {
        setColumnWidth(dragColumn_, std::max(NarrowestColumn, dragStartWidth_ + x - dragStartX_));
        return;
    }
    if (borderAt(x) >= 0)
        viewport()->setCursor(Qt::SplitHCursor);
    else
        viewport()->unsetCursor();
    QTableWidget::mouseMoveEvent(event);
}

void StringGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (dragColumn_ < 0) return QTableWidget::mouseReleaseEvent(event);
    dragColumn_ = -1;
}

void StringGrid::fitColumns(std::initializer_list<QString> samples, bool fixWidth) {
    // Header cells are bold: a column is as wide as its sample in either weight.
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics m(font()), mb(bold);
    int c = 0, total = 0;
    for (const QString& s : samples) {
        const int w = std::max(m.horizontalAdvance(s), mb.horizontalAdvance(s)) + 12;
        setColumnWidth(c++, w);
        total += w;
    }
    const int width = total + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2 * frameWidth();
    if (fixWidth) {
        setFixedWidth(width);
    } else {
        setMaximumWidth(width);
        setMinimumWidth(width / 3);
    }
}

void StringGrid::styleCell(QTableWidgetItem* item, int column, int row) const {
    if (row < fixedRows_ || column < fixedColumns_) {
        item->setBackground(QColor(232, 232, 240));
        item->setFlags(Qt::ItemIsEnabled);
        QFont f = item->font();
        f.setBold(row < fixedRows_);
        item->setFont(f);
    }
}

QString StringGrid::cell(int column, int row) const {
    const QTableWidgetItem* it = item(row, column);
    return it ? it->text() : QString();
}

void StringGrid::setCell(int column, int row, const QString& text) {
    if (row < 0 || column < 0 || column >= columnCount()) return;
    if (row >= rowCount()) setRowCount(row + 1);
    QTableWidgetItem* it = item(row, column);
    if (!it) {
        it = new QTableWidgetItem;
        styleCell(it, column, row);
        setItem(row, column, it);
    }
    it->setText(text);
    makeRoomFor(it, column);
}

void StringGrid::setRows(int rows) {
    setRowCount(std::max(rows, 0));
}

void StringGrid::setColumnWidths(std::initializer_list<int> widths) {
    int c = 0;
    for (int w : widths)
        setColumnWidth(c++, w);
}

void StringGrid::clearColumn(int column, int fromRow) {
    for (int r = fromRow; r < rowCount(); ++r)
        if (QTableWidgetItem* it = item(r, column)) it->setText(QString());
}

} // namespace tessavin::ui
