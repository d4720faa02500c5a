#pragma once
// Long work of a window (a file read, a fit ranking) on a worker thread, while the event loop
// keeps the program responsive; the caller waits for the result in a local event loop.
#include <QEventLoop>
#include <QMetaObject>
#include <QTimer>
#include <functional>
#include <optional>
#include <thread>
#include <utility>

namespace tessavin::ui {

// `work` must not touch widgets; `tick` runs on the GUI thread every 50 ms while it works
// (progress bars read an atomic the work writes).
template <class T>
T RunInBackground(const std::function<T()>& work, const std::function<void()>& tick = {}) {
    std::optional<T> result;
    QEventLoop loop;
    QTimer timer;
    timer.setInterval(50);
    if (tick) QObject::connect(&timer, &QTimer::timeout, &loop, tick);
    timer.start();
    std::thread worker([&] {
        result.emplace(work());
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    if (tick) tick();
    return std::move(*result);
}

} // namespace tessavin::ui
