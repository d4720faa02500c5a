#include "string_grid.h"

#include <QHeaderView>

namespace tessavin::ui {

StringGrid::StringGrid(const QString& name, int columns, int rows, int fixedRows,
                       int fixedColumns, QWidget* parent)
    : QTableWidget(rows, columns, parent), fixedRows_(fixedRows), fixedColumns_(fixedColumns) {
    setObjectName(name);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    QFont f = font();
    f.setPointSize(8);
    setFont(f);
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

void StringGrid::setRows(int rows) { setRowCount(std::max(rows, 0)); }

void StringGrid::setColumnWidths(std::initializer_list<int> widths) {
    int c = 0;
    for (int w : widths) setColumnWidth(c++, w);
}

void StringGrid::clearColumn(int column, int fromRow) {
    for (int r = fromRow; r < rowCount(); ++r)
        if (QTableWidgetItem* it = item(r, column)) it->setText(QString());
}

} // namespace tessavin::ui
