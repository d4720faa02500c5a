#include "string_grid.h"

#include <QHeaderView>
#include <QStyle>
#include <algorithm>

namespace tessavin::ui {

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
