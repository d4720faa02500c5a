#pragma once
// A grid addressed as (column, row) like the tables of the program: row 0 (and column 0 where
// asked) are heading cells inside the grid, not Qt headers, so the indices are the same
// everywhere the program and its tests speak of a cell.
//
// A number is never cut: a cell too narrow for it shows it with fewer digits (and an exponent
// where that is shorter), a column widens when even one digit would not fit, the whole text is
// the tool tip of a cell that cannot show it, and column borders can be dragged.
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

    // The text a cell shows in `room` pixels: `text` itself when it fits, else a number with
    // fewer significant digits that fits; non-numbers and numbers that fit in no form stay.
    static QString FittedText(const QString& text, const QFontMetrics& metrics, int room);
    // Pixels of a cell's width that are left for its text.
    int textRoom(int column) const;

  protected:
    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void styleCell(QTableWidgetItem* item, int column, int row) const;
    QFont cellFont(const QTableWidgetItem* item) const;
    // Widens the column when `item`'s number would not fit it even with one digit.
    void makeRoomFor(const QTableWidgetItem* item, int column);
    int borderAt(int x) const; // the column whose right border is under x, else -1

    int fixedRows_;
    int fixedColumns_;
    int dragColumn_ = -1;
    int dragStartX_ = 0;
    int dragStartWidth_ = 0;
};

} // namespace tessavin::ui
