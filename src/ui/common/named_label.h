#pragma once
// A label addressed by its objectName (tests, caption tables and settings find it by that name).
#include <QLabel>

namespace tessavin::ui {

inline QLabel* NamedLabel(QWidget* parent, const char* name, const QString& text = {}) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace tessavin::ui
