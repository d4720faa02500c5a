#pragma once
// The start of most GUI tests: English texts, scripted dialogs and the main window shown.
#include <QtTest>
#include <memory>

#include "localisation/language.h"
#include "main_window.h"
#include "scripted_interaction.h"

namespace tessavin::test {

// False when the window was not exposed in time.
inline bool StartMainWindow(std::unique_ptr<ScriptedInteraction>& dialogs,
                            std::unique_ptr<ui::MainWindow>& w) {
    SetLanguage(Language::English);
    dialogs = std::make_unique<ScriptedInteraction>();
    w = std::make_unique<ui::MainWindow>();
    w->show();
    return QTest::qWaitForWindowExposed(w.get());
}

} // namespace tessavin::test
