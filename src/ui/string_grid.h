#pragma once
// A grid addressed as (column, row) like the tables of the program: row 0 (and column 0 where
// asked) are heading cells inside the grid, not Qt headers, so the indices are the same
// everywhere the program and its tests speak of a cell.
#include <QTableWidget>

namespace tessavin::ui {

class StringGrid : public QTableWidget {
    Q_OBJECT
  public:
    StringGrid(const QString& name, int columns, int rows, int fixedRows, int fixedColumns,
               QWidget* parent = nullptr);

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);
    // Changes the row count, keeping the cells of the rows that stay.
    void setRows(int rows);
    void setColumnWidths(std::initializer_list<int> widths);
    // Column widths that fit the sample texts. With `fixWidth` the grid is exactly as wide
    // (plus a scroll bar); otherwise it asks for that width and scrolls when given less.
    void fitColumns(std::initializer_list<QString> samples, bool fixWidth = true);
    void clearColumn(int column, int fromRow = 1);

  private:
    void styleCell(QTableWidgetItem* item, int column, int row) const;
    int fixedRows_;
    int fixedColumns_;
};

} // namespace tessavin::ui
