#pragma once
// The main window as the GUI tests open it: English texts, scripted message and file boxes, the
// window shown and exposed. Test classes derive from it beside QObject and call open/close from
// their init and cleanup slots.
#include <QLineEdit>
#include <QtTest>
#include <memory>

#include "localisation/language.h"
#include "scripted_interaction.h"
#include "ui/main/main_window.h"
#include "widget_lookup.h"

namespace tessavin::test {

class MainWindowFixture {
  protected:
    std::unique_ptr<ScriptedInteraction> dialogs;
    std::unique_ptr<ui::MainWindow> w;

    template <class T> T* find(const char* name) const { return Control<T>(w.get(), name); }
    QLineEdit* edit(const char* name) const { return find<QLineEdit>(name); }

    void openMainWindow() {
        SetLanguage(Language::English);
        dialogs = std::make_unique<ScriptedInteraction>();
        w = std::make_unique<ui::MainWindow>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void closeMainWindow() {
        w.reset();
        dialogs.reset();
    }
};

} // namespace tessavin::test
