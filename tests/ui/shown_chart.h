#pragma once
// Shows a chart panel at a size and lets the layout and the pending updates settle, so that
// axes, labels and series are as the user would see them.
#include <QCoreApplication>
#include <QtTest>

#include "ui/charts/chart_panel.h"

namespace tessavin::test {

inline void ShowAt(ui::ChartPanel& panel, QSize size) {
    panel.resize(size);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        panel.refresh();
    }
}

} // namespace tessavin::test
