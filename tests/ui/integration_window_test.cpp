// The integration settings window through its widgets, the key filters of the number fields,
// and the splash and about windows.
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "calculation/integration_settings.h"
#include "files/settings_file.h"
#include "localisation/language.h"
#include "scripted_interaction.h"
#include "ui/common/interaction.h"
#include "ui/windows/about_window.h"
#include "ui/windows/integration_window.h"
#include "ui/windows/settings_window.h"
#include "ui/windows/splash_window.h"
#include "ui_test_registry.h"
#include "widget_lookup.h"

using tessavin::Convention;
using tessavin::IntegrationSettings;
using tessavin::test::Control;
using tessavin::ui::IntegrationWindow;

namespace {

// A shown, active window on `settings` whose method is `method`, loaded as after opening a project.
std::unique_ptr<IntegrationWindow> OpenWindow(IntegrationSettings& settings, int method) {
    settings.method = method;
    auto window = std::make_unique<IntegrationWindow>(settings);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) qWarning("integration window not active");
    return window;
}

void Retype(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->clear();
    QTest::keyClicks(field, text);
}

} // namespace

class IntegrationWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { tessavin::SetLanguage(tessavin::Language::English); }

    void windowShape() {
        IntegrationSettings settings;
        IntegrationWindow w(settings);
        QCOMPARE(w.objectName(), QString("TForm9"));
        QCOMPARE(w.minimumSize(), QSize(375, 204));
        QCOMPARE(w.maximumSize(), QSize(375, 204));
        QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(w.windowFlags() & Qt::WindowMinMaxButtonsHint));

        auto* combo = Control<QComboBox>(w, "CBMetoda");
        const QStringList items{"Trapezoidal rule", "Simpson's rule", "Romberg's method",
                                "Adaptive integration", "Gaussian quadrature"};
        QCOMPARE(combo->count(), items.size());
        for (int i = 0; i < items.size(); ++i)
            QCOMPARE(combo->itemText(i), items[i]);
        QCOMPARE(combo->currentIndex(), 4);

        w.applyLanguage(tessavin::Language::English);
        const int middle = combo->x() + combo->width() / 2;
        for (const char* name : {"Label1", "Label2", "Label3", "Label4"}) {
            const QLabel* label = Control<QLabel>(w, name);
            QVERIFY2(qAbs(label->x() + label->width() / 2 - middle) <= 1, name);
        }
        // The three parameter rows share one place.
        const QRect place = Control<QLineEdit>(w, "EdNintegrace")->geometry();
        QCOMPARE(Control<QLineEdit>(w, "EdN")->geometry(), place);
        QCOMPARE(Control<QLineEdit>(w, "EdTol0")->geometry(), place);
        QVERIFY(Control<QPushButton>(w, "BKonec")->geometry().top() > place.bottom());
    }

    // Typing into the field of the method, then moving the focus away: the box, where the
    // focus ends, and the value the settings hold afterwards.
    void leaveChecks_data() {
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::addColumn<double>("value");

        const QString nLabel = "Number of diferences n";
        QTest::newRow("Simpson, odd N") << 1 << "EdNintegrace"
                                        << "1001" << nLabel + " not even (n=1001)" << 1001.0;
        QTest::newRow("Simpson, even N") << 1 << "EdNintegrace"
                                         << "1000"
                                         << "" << 1000.0;
        QTest::newRow("trapezoid, odd N") << 0 << "EdNintegrace"
                                          << "1001"
                                          << "" << 1001.0;
        QTest::newRow("N 9") << 0 << "EdNintegrace"
                             << "9" << nLabel + " < 10 (n=9)" << 9.0;
        QTest::newRow("N 10") << 0 << "EdNintegrace"
                              << "10"
                              << "" << 10.0;
        QTest::newRow("N 10000") << 1 << "EdNintegrace"
                                 << "10000"
                                 << "" << 10000.0;
        QTest::newRow("N 10001") << 0 << "EdNintegrace"
                                 << "10001" << nLabel + " > 10000 (n=10001)" << 10001.0;
        QTest::newRow("N not whole") << 0 << "EdNintegrace"
                                     << "2e3"
                                     << "Chybný zápis čísla (n=2E3)" << 2.0;
        QTest::newRow("n 4") << 2 << "EdN"
                             << "4"
                             << "Parameter n < 5 (cn=4)" << 4.0;
        QTest::newRow("n 5") << 2 << "EdN"
                             << "5"
                             << "" << 5.0;
        QTest::newRow("n 10") << 2 << "EdN"
                              << "10"
                              << "" << 10.0;
        QTest::newRow("n 11") << 2 << "EdN"
                              << "11"
                              << "Parameter n > 10 (cn=11)" << 11.0;
        QTest::newRow("tol0 0") << 3 << "EdTol0"
                                << "0"
                                << "Paramater tol0 < 0,0000001 ( tol0=0)" << 0.0;
        QTest::newRow("tol0 1E-7") << 3 << "EdTol0"
                                   << "1e-7"
                                   << "" << 1e-7;
        QTest::newRow("tol0 0.1") << 3 << "EdTol0"
                                  << "0,1"
                                  << "" << 0.1;
        QTest::newRow("tol0 0.11") << 3 << "EdTol0"
                                   << "0.11"
                                   << "Paramater tol0 > 0.1 ( tol0=0.11)" << 0.11;
    }

    void leaveChecks() {
        QFETCH(int, method);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(double, value);

        tessavin::test::ScriptedInteraction boxes;
        IntegrationSettings settings;
        auto w = OpenWindow(settings, method);
        auto* edit = Control<QLineEdit>(*w, field.toUtf8().constData());
        auto* exit = Control<QPushButton>(*w, "BKonec");
        QVERIFY(edit->isVisible());

        Retype(edit, typed);
        QVERIFY(boxes.boxes.empty());
        exit->setFocus();

        if (message.isEmpty()) {
            QVERIFY2(boxes.boxes.empty(), qPrintable(boxes.texts().join('\n')));
            QCOMPARE(QApplication::focusWidget(), exit);
        } else {
            QCOMPARE(boxes.texts(), QStringList{message});
            QCOMPARE(boxes.boxes[0].kind, tessavin::BoxKind::Error);
            QCOMPARE(boxes.boxes[0].caption, QString("E r r o r"));
            QCOMPARE(QApplication::focusWidget(), edit);
        }
        const double held = field == "EdNintegrace" ? settings.steps
                            : field == "EdN"        ? settings.levels
                                                    : settings.tol0;
        QCOMPARE(held, value);
    }

    void keyFilters_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("real") << "EdTol0"
                              << "1,5e-3x"
                              << "1.5E-3";
        QTest::newRow("real, signs and blanks") << "EdTol0"
                                                << "+2.5 e+1;"
                                                << "+2.5E+1";
        QTest::newRow("whole") << "EdNintegrace"
                               << "1,5e-3x+"
                               << "15E3";
        QTest::newRow("whole, Romberg") << "EdN"
                                        << "a7 "
                                        << "7";
    }

    void keyFilters() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        IntegrationSettings settings;
        IntegrationWindow w(settings);
        auto* edit = Control<QLineEdit>(w, field.toUtf8().constData());
        edit->clear();
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), shown);
        // Editing keys still reach the field.
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(edit->text(), shown.mid(1, shown.size() - 2));
    }

    // Enter is swallowed and leaves the field as Tab does, which runs the leave check.
    void enterLeavesTheField() {
        tessavin::test::ScriptedInteraction boxes;
        IntegrationSettings settings;
        auto w = OpenWindow(settings, 0);
        auto* edit = Control<QLineEdit>(*w, "EdNintegrace");

        Retype(edit, "9");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->text(), QString("9"));
        QCOMPARE(boxes.texts(), QStringList{"Number of diferences n < 10 (n=9)"});
        QCOMPARE(QApplication::focusWidget(), edit);

        boxes.clear();
        Retype(edit, "20");
        QTest::keyClick(edit, Qt::Key_Enter);
        QVERIFY(boxes.boxes.empty());
        QCOMPARE(QApplication::focusWidget(), Control<QPushButton>(*w, "BKonec"));
        QCOMPARE(settings.steps, 20);
    }

    // Choosing a method with the keyboard: the parameter row shown, the parameter read from
    // its field, one settingsChanged and the method line it leads to.
    void methodChoice_data() {
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("field"); // empty: none
        QTest::addColumn<QString>("line");
        const QString head = "Choice of integration method : ";
        QTest::newRow("trapezoid") << 0 << "EdNintegrace" << head + "Trapezoidal rule (500)";
        QTest::newRow("Simpson") << 1 << "EdNintegrace" << head + "Simpson's rule (500)";
        QTest::newRow("Romberg") << 2 << "EdN" << head + "Romberg's method ( n = 7 )";
        QTest::newRow("adaptive") << 3 << "EdTol0"
                                  << head + "Adaptive integration ( tol0 = 0.001 )";
        QTest::newRow("Gauss") << 4 << "" << head + "Gaussian quadrature ";
    }

    void methodChoice() {
        QFETCH(int, method);
        QFETCH(QString, field);
        QFETCH(QString, line);

        IntegrationSettings settings;
        settings.stepsText = "500";
        settings.levelsText = "7";
        settings.tol0Text = "0.001";
        // One step of the list away from the method to choose.
        auto w = OpenWindow(settings, method == 0 ? 1 : method - 1);
        auto* combo = Control<QComboBox>(*w, "CBMetoda");
        QStringList lines;
        connect(w.get(), &IntegrationWindow::settingsChanged, this,
                [&] { lines << QString::fromStdString(tessavin::MethodLine(settings)); });

        combo->setFocus();
        QTest::keyClick(combo, method == 0 ? Qt::Key_Up : Qt::Key_Down);
        QCOMPARE(combo->currentIndex(), method);
        QCOMPARE(settings.method, method);
        QCOMPARE(lines, QStringList{line});

        const std::pair<const char*, const char*> rows[] = {
            {"EdNintegrace", "Label4"}, {"EdN", "Label2"}, {"EdTol0", "Label3"}};
        for (const auto& [edit, label] : rows) {
            QCOMPARE(Control<QLineEdit>(*w, edit)->isVisible(), field == edit);
            QCOMPARE(Control<QLabel>(*w, label)->isVisible(), field == edit);
        }
        if (method <= 1) QCOMPARE(settings.steps, 500);
        if (method == 2) QCOMPARE(settings.levels, 7);
        if (method == 3) QCOMPARE(settings.tol0, 0.001);
    }

    // CBKonvence: the user's choice sets the convention with one settingsChanged; the program's
    // loading shows it without a signal; the items follow the language.
    void conventionChoice() {
        IntegrationSettings settings;
        IntegrationWindow w(settings);
        w.show();
        auto* combo = Control<QComboBox>(w, "CBKonvence");
        QCOMPARE(combo->currentIndex(), 0);
        QCOMPARE(combo->itemText(1), QString("Class centres (centre)"));
        QSignalSpy changed(&w, &IntegrationWindow::settingsChanged);
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        QVERIFY(settings.convention == Convention::Centre);
        QCOMPARE(changed.count(), 1);

        settings.convention = Convention::First;
        w.loadSettings();
        QCOMPARE(combo->currentIndex(), 0);
        QCOMPARE(changed.count(), 1);
        settings.convention = Convention::Centre;
        w.loadSettings();
        tessavin::SetLanguage(tessavin::Language::Czech);
        w.applyLanguage(tessavin::Language::Czech);
        QCOMPARE(combo->currentIndex(), 1);
        QCOMPARE(combo->itemText(0), QString("Dolní meze tříd (first)"));
        tessavin::SetLanguage(tessavin::Language::English);
    }

    // CBPlan: the user's choice sets the plan with one settingsChanged; the settings file keeps
    // it (an absent key is the rule's plan); the defaults command brings the rule's back.
    void planChoice() {
        QTemporaryDir dir;
        const QString ini = dir.filePath("plan.ini");
        QFile empty(ini);
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        IntegrationSettings settings;
        IntegrationWindow w(settings);
        w.show();
        auto* combo = Control<QComboBox>(w, "CBPlan");
        QCOMPARE(combo->currentIndex(), 0);
        QCOMPARE(combo->itemText(1), QString("Rule's and exact plan (exact)"));
        QSignalSpy changed(&w, &IntegrationWindow::settingsChanged);
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        QVERIFY(settings.exactPlan);
        QCOMPARE(changed.count(), 1);

        w.saveSettings(ini);
        IntegrationSettings reread;
        IntegrationWindow other(reread);
        tessavin::SettingsFile file;
        QVERIFY(!file.Load(ini.toStdString()));
        other.readSettings(file);
        QVERIFY(reread.exactPlan);
        QCOMPARE(Control<QComboBox>(other, "CBPlan")->currentIndex(), 1);
        other.readSettings(tessavin::SettingsFile()); // a file without the key
        QVERIFY(!reread.exactPlan);

        w.resetToDefaults();
        QVERIFY(!settings.exactPlan);
        QCOMPARE(combo->currentIndex(), 0);
        tessavin::SetLanguage(tessavin::Language::Czech);
        w.applyLanguage(tessavin::Language::Czech);
        QCOMPARE(combo->itemText(0), QString("Plán podle pravidla (rule)"));
        tessavin::SetLanguage(tessavin::Language::English);
    }

    void typingChangesTheSettings() {
        IntegrationSettings settings;
        auto w = OpenWindow(settings, 2);
        QSignalSpy changed(w.get(), &IntegrationWindow::settingsChanged);
        Retype(Control<QLineEdit>(*w, "EdN"), "8");
        QCOMPARE(changed.count(), 2); // emptied, then typed
        QCOMPARE(settings.levelsText, std::string("8"));
        QCOMPARE(tessavin::MethodLine(settings),
                 std::string("Choice of integration method : Romberg's method ( n = 8 )"));
    }

    void loadingAndDefaults() {
        IntegrationSettings settings;
        IntegrationWindow w(settings);
        w.show();
        QSignalSpy changed(&w, &IntegrationWindow::settingsChanged);
        auto* steps = Control<QLineEdit>(w, "EdNintegrace");
        auto* combo = Control<QComboBox>(w, "CBMetoda");

        settings.method = 1;
        settings.stepsText = "64";
        w.loadSettings();
        QCOMPARE(changed.count(), 0);
        QCOMPARE(combo->currentIndex(), 1);
        QCOMPARE(steps->text(), QString("64"));
        QVERIFY(steps->isVisible());
        QCOMPARE(settings.steps, 64);

        settings.levelsText = "6";
        settings.levels = 6;
        w.resetToDefaults();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(combo->currentIndex(), 4);
        QCOMPARE(steps->text(), QString("1000"));
        QCOMPARE(Control<QLineEdit>(w, "EdN")->text(), QString("10"));
        QCOMPARE(Control<QLineEdit>(w, "EdTol0")->text(), QString("0.0001"));
        QVERIFY(!steps->isVisible());
        QCOMPARE(settings.method, 4);
        QCOMPARE(settings.steps, 1000);
        QCOMPARE(settings.levels, 10);
        QCOMPARE(settings.tol0, 0.0001);
        QCOMPARE(settings.levelsText, std::string("10"));
    }

    // Closing reads N without a check and keeps the window for the next opening.
    void closing() {
        tessavin::test::ScriptedInteraction boxes;
        IntegrationSettings settings;
        settings.stepsText = "5";
        auto w = OpenWindow(settings, 4);
        QSignalSpy closed(w.get(), &IntegrationWindow::closed);
        QTest::mouseClick(Control<QPushButton>(*w, "BKonec"), Qt::LeftButton);
        QCOMPARE(closed.count(), 1);
        QVERIFY(!w->isVisible());
        QCOMPARE(settings.steps, 5);

        // The close box while a refused text is still in its field.
        settings.method = 0;
        w->loadSettings();
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        Retype(Control<QLineEdit>(*w, "EdNintegrace"), "7");
        w->close();
        QCOMPARE(closed.count(), 2);
        QCOMPARE(settings.steps, 7);
        QVERIFY2(boxes.boxes.empty(), qPrintable(boxes.texts().join('\n')));
    }

    void splashHidesItself() {
        tessavin::ui::SplashWindow splash;
        QCOMPARE(splash.objectName(), QString("TForm8"));
        QCOMPARE(splash.timer()->interval(), 7000);
        QVERIFY(splash.timer()->isSingleShot());
        QStringList texts;
        for (const QLabel* label : splash.findChildren<QLabel*>())
            texts << label->text();
        QVERIFY2(texts.contains("Version " TESSAVIN_VERSION), qPrintable(texts.join('|')));
        QVERIFY(texts.contains("Tessavin"));

        splash.timer()->setInterval(20);
        splash.show();
        QVERIFY(splash.timer()->isActive());
        QTRY_VERIFY(!splash.isVisible());
    }

    void aboutWindow() {
        tessavin::ui::AboutWindow about;
        about.applyLanguage(tessavin::Language::English);
        QCOMPARE(about.objectName(), QString("TForm6"));
        QStringList texts;
        for (const QLabel* label : about.findChildren<QLabel*>())
            texts << label->text();
        QVERIFY2(texts.contains("Version " TESSAVIN_VERSION), qPrintable(texts.join('|')));

        // OK, Esc, Return and the keypad's Enter each close it.
        QSignalSpy closed(&about, &tessavin::ui::AboutWindow::closed);
        const std::function<void()> ways[] = {
            [&] { QTest::mouseClick(Control<QPushButton>(about, "BKonec"), Qt::LeftButton); },
            [&] { QTest::keyClick(&about, Qt::Key_Escape); },
            [&] { QTest::keyClick(&about, Qt::Key_Return); },
            [&] { QTest::keyClick(&about, Qt::Key_Enter, Qt::KeypadModifier); },
        };
        int expected = 0;
        for (const auto& closeIt : ways) {
            about.show();
            QVERIFY(QTest::qWaitForWindowActive(&about));
            closeIt();
            QCOMPARE(closed.count(), ++expected);
            QVERIFY(!about.isVisible());
        }
    }

    // The settings listing has its own way out: its button and Esc. Esc in a cell being edited
    // ends the edit first.
    void settingsListingCloses() {
        QTemporaryDir dir;
        const QString ini = dir.filePath("Tessavin.INI");
        QFile file(ini);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[--  Position  --]\r\nTessavin-Form1left=10\r\n");
        file.close();
        tessavin::ui::SettingsListingWindow listing;
        QVERIFY(listing.loadFile(ini));
        listing.applyLanguage(tessavin::Language::Czech);
        QCOMPARE(Control<QPushButton>(listing, "BKonec")->text(), QString::fromUtf8("&Zavřít"));
        listing.applyLanguage(tessavin::Language::English);
        QSignalSpy closed(&listing, &tessavin::ui::SettingsListingWindow::closed);

        listing.show();
        QVERIFY(QTest::qWaitForWindowActive(&listing));
        QTest::mouseClick(Control<QPushButton>(listing, "BKonec"), Qt::LeftButton);
        QCOMPARE(closed.count(), 1);
        QVERIFY(!listing.isVisible());

        listing.show();
        QVERIFY(QTest::qWaitForWindowActive(&listing));
        auto* table = Control<QTableWidget>(listing, "ValueListEditor1");
        table->setFocus();
        table->setCurrentCell(1, 1);
        table->editItem(table->item(1, 1));
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(editor && editor != table);
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(listing.isVisible());
        QCOMPARE(closed.count(), 1);
        QTest::keyClick(table, Qt::Key_Escape);
        QCOMPARE(closed.count(), 2);
        QVERIFY(!listing.isVisible());
    }
};

TESSAVIN_UI_TEST(IntegrationWindowTest, integration_window_test)
#include "integration_window_test.moc"
