#include "ui/rawdata/box_parts.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "ui/charts/chart_panel.h"
#include "ui/common/string_grid.h"

namespace tessavin::ui {

QLineEdit* NamedEdit(QWidget* parent, const char* name, int width, bool readOnly) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setFixedWidth(width);
    e->setReadOnly(readOnly);
    return e;
}

QPushButton* NamedButton(QWidget* parent, const char* name) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    return b;
}

QGroupBox* NamedGroup(QWidget* parent, const char* name) {
    auto* g = new QGroupBox(parent);
    g->setObjectName(name);
    return g;
}

QToolButton* IconButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setIconSize(QSize(20, 20));
    b->setAutoRaise(true);
    return b;
}

StringGrid* ValueGrid(QWidget* parent, const char* name, int rows, const QString& labelSample,
                      const QString& valueSample) {
    auto* g = new StringGrid(name, 2, rows, 0, 1, parent);
    g->fitColumns({labelSample, valueSample});
    g->setFixedHeight(rows * g->verticalHeader()->defaultSectionSize() + 2 * g->frameWidth());
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return g;
}

ChartPanel* SmallChart(QWidget* parent, const char* name) {
    auto* c = new ChartPanel(parent);
    c->setObjectName(name);
    c->setToolbarVisible(false);
    c->setLegendVisible(false);
    return c;
}

} // namespace tessavin::ui
