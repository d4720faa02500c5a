#pragma once
// The small builders the raw data window's boxes share: named controls built without texts
// (the caption table gives them theirs) and the grids and charts of a fixed shape.
#include <QString>
#include <QStyle>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

namespace tessavin::ui {

class ChartPanel;
class StringGrid;

// Width samples of the grids' columns: not shown, they only size the columns.
inline const QString WideNumberSample = QStringLiteral("-1234.56789012345");
inline const QString CountLabelSample = QStringLiteral("Number of values ");

QLineEdit* NamedEdit(QWidget* parent, const char* name, int width, bool readOnly = false);
QPushButton* NamedButton(QWidget* parent, const char* name);
QGroupBox* NamedGroup(QWidget* parent, const char* name);
// A flat tool button with a standard icon.
QToolButton* IconButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon);
// A small grid of row labels and values that shows all its rows; the samples size its columns.
StringGrid* ValueGrid(QWidget* parent, const char* name, int rows, const QString& labelSample,
                      const QString& valueSample);
// A chart without toolbar and legend.
ChartPanel* SmallChart(QWidget* parent, const char* name);

} // namespace tessavin::ui
