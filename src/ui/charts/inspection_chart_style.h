#pragma once
// How the inspection charts (the results page's and the event graph window's third page) show
// their curves: every further inspection in a blue of its own, and a value axis that frames the
// design probability Pd and the curves near it.
#include <QColor>
#include <array>

namespace tessavin::ui {

// The failure curve after inspection k = 2 .. 10. Blue like the first-inspection curve; curves
// that follow each other alternate between dark and light shades.
inline QColor InspectionCurveColour(int inspection) {
    static const std::array<QColor, 9> shades = {
        QColor(0, 0, 150),     QColor(30, 144, 255), QColor(0, 60, 200),
        QColor(0, 175, 230),   QColor(65, 90, 225),  QColor(0, 120, 170),
        QColor(110, 110, 255), QColor(0, 80, 130),   QColor(120, 175, 255)};
    const int i = inspection - 2;
    return i >= 0 && i < static_cast<int>(shades.size()) ? shades[static_cast<size_t>(i)]
                                                         : QColor(0, 0, 255);
}

// The top of the value axis: twice Pd, so that the Pd line lies in the middle and the curves
// that cross it are seen whole (none without a Pd).
inline double InspectionChartCeiling(double Pd) {
    return Pd > 0 ? 2 * Pd : 0;
}

} // namespace tessavin::ui
