#pragma once
// Controls of a window by their objectName, as the tests address them; a missing control
// ends the test run with its name.
#include <QObject>
#include <QtGlobal>

namespace tessavin::test {

template <class T> T* Control(const QObject* window, const char* name) {
    T* c = window->findChild<T*>(name);
    if (!c) qFatal("no control %s", name);
    return c;
}
template <class T> T* Control(const QObject& window, const char* name) {
    return Control<T>(&window, name);
}

} // namespace tessavin::test
