#pragma once
// The main window as the GUI tests open it: English texts, scripted message and file boxes, the
// window shown and exposed. Test classes derive from it beside QObject and call open/close from
// their init and cleanup slots.
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
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

    // Types a text into a field and leaves it, as a user does.
    void typeAndLeave(const char* name, const QString& text) {
        QLineEdit* e = edit(name);
        e->setFocus();
        e->selectAll();
        e->clear();
        QTest::keyClicks(e, text);
        find<QPushButton>("BPocitej")->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }

    // Runs the calculation as the Calculate button does and waits for it.
    void calculate() {
        QSignalSpy finished(w.get(), &ui::MainWindow::calculationFinished);
        w->BPocitejClick();
        if (w->calculationRunning()) QVERIFY(finished.wait(60000));
    }

    // 16 classes and 70 years: the first inspection lies inside, the run is quick.
    void calculateShortStudy() {
        edit("EdPocetIntervalu")->setText("16");
        edit("EdRokKon")->setText("70");
        calculate();
    }

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
