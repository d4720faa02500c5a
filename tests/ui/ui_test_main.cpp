// Runs the Qt Test classes registered by the test files: all of them, or the one named on the
// command line (CTest runs one per entry). Settings and documents go to a temporary home.
#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "ui_test_registry.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("TESSAVIN_INI", (home.path() + "/Tessavin.INI").toUtf8());
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);

    QStringList args = app.arguments();
    QString only;
    if (args.size() > 1 && !args[1].startsWith('-')) only = args.takeAt(1);
    int failed = 0;
    bool ran = false;
    for (const auto& [name, make] : tessavin::test::UiTests()) {
        if (!only.isEmpty() && name != only) continue;
        ran = true;
        std::unique_ptr<QObject> test = make();
        failed += QTest::qExec(test.get(), args);
    }
    if (!ran) {
        qWarning("no test class named %s", qPrintable(only));
        return 2;
    }
    return failed == 0 ? 0 : 1;
}
