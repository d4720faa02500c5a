// The grid of the program's tables: a number is never cut to its first digit. A narrow cell
// shows fewer digits (with an exponent where that is shorter), a column too narrow even for one
// digit widens, the whole text is the tool tip of a cell that shows less, and column borders
// can be dragged.
#include <QHelpEvent>
#include <QToolTip>
#include <QtTest>

#include "ui/common/string_grid.h"
#include "ui_test_registry.h"

using tessavin::ui::StringGrid;

class StringGridTest : public QObject {
    Q_OBJECT

    static QFontMetrics Metrics() { return QFontMetrics(QApplication::font()); }

  private slots:
    void narrowCellsShowFewerDigits_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("room"); // the text whose width is the cell's room
        QTest::addColumn<QString>("shown");
        QTest::newRow("fits") << "0.0321"
                              << "0.0321"
                              << "0.0321";
        QTest::newRow("fewer decimals") << "0.0321"
                                        << "0.032"
                                        << "0.032";
        QTest::newRow("huge") << "3.03E+100"
                              << "3.0E+100"
                              << "3E+100";
        QTest::newRow("tiny skewness") << "-5.6359443274290E-16"
                                       << "-5.63E-16"
                                       << "-5.64E-16";
        QTest::newRow("whole number, exponent shorter") << "412345"
                                                        << "4E+05"
                                                        << "4E+05";
        QTest::newRow("not a number stays") << "Total"
                                            << "T"
                                            << "Total";
        QTest::newRow("nothing fits: whole") << "12.5"
                                             << ""
                                             << "12.5";
    }
    void narrowCellsShowFewerDigits() {
        QFETCH(QString, text);
        QFETCH(QString, room);
        QFETCH(QString, shown);
        const QFontMetrics m = Metrics();
        const QString fitted = StringGrid::FittedText(text, m, m.horizontalAdvance(room));
        QCOMPARE(fitted, shown);
        // Fewer digits of the same value, never another value.
        bool a = false, b = false;
        const double full = text.toDouble(&a), shorter = fitted.toDouble(&b);
        if (a && b) QVERIFY(std::abs(shorter - full) <= 0.5 * std::abs(full));
    }

    void columnsWidenTipAndDrag() {
        StringGrid grid("StringGrid1", 2, 3, 1, 0);
        grid.setColumnWidths({24, 160});
        grid.resize(260, 120);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));

        // Not even one digit and the exponent fit 24 pixels: the column takes the whole number.
        const QString tiny = "-5.6359443274290E-16";
        grid.setCell(0, 1, tiny);
        QVERIFY(QFontMetrics(grid.font()).horizontalAdvance(tiny) <= grid.textRoom(0));

        // The tip shows the whole text of a cell that shows less; none where all is seen.
        grid.setColumnWidths({40, 160});
        grid.setCell(1, 1, "0.25");
        const auto tipAt = [&grid](int column, int row) {
            const QPoint at = grid.visualItemRect(grid.item(row, column)).center();
            QHelpEvent help(QEvent::ToolTip, at, grid.viewport()->mapToGlobal(at));
            QApplication::sendEvent(grid.viewport(), &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QCOMPARE(tipAt(1, 1), QString());
        QCOMPARE(tipAt(0, 1), tiny);

        // The border of column 0 dragged 30 pixels to the right.
        const int before = grid.columnWidth(0);
        const QPoint border(grid.columnViewportPosition(0) + before, 10);
        QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, border);
        QMouseEvent move(QEvent::MouseMove, QPointF(border + QPoint(30, 0)),
                         grid.viewport()->mapToGlobal(QPointF(border + QPoint(30, 0))),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &move);
        QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, border + QPoint(30, 0));
        QCOMPARE(grid.columnWidth(0), before + 30);
    }
};

TESSAVIN_UI_TEST(StringGridTest, string_grid_test)
#include "string_grid_test.moc"
