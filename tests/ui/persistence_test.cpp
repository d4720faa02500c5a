// The main window's settings between runs, the project file commands and the settings listing,
// driven through the real windows.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <cstring>
#include <memory>
#include <variant>
#include <vector>

#include "files/project_file.h"
#include "files/settings_file.h"
#include "localisation/language.h"
#include "scripted_interaction.h"
#include "ui/main/main_window.h"
#include "ui/windows/histogram_window.h"
#include "ui/windows/integration_window.h"
#include "ui_test_registry.h"
#include "widget_lookup.h"
#include "windows/window_registry.h"

using namespace tessavin;
using namespace tessavin::ui;

namespace {

QString IniPath() {
    return QString::fromLocal8Bit(qgetenv("TESSAVIN_INI"));
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QWidget* TopLevel(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name) return w;
    return nullptr;
}

} // namespace

class PersistenceTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ScriptedInteraction> dialogs;
    std::unique_ptr<MainWindow> w;
    QTemporaryDir dir;

    template <class T> T* find(const char* name) const { return test::Control<T>(w.get(), name); }
    QLineEdit* edit(const char* name) const { return find<QLineEdit>(name); }
    QToolButton* tool(const char* name) const { return find<QToolButton>(name); }
    QAction* item(const char* name) const { return find<QAction>(name); }

    void start() {
        w = std::make_unique<MainWindow>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    // Ends the program as the user does: the main window closes and writes its keys.
    void restart() {
        w->close();
        w.reset();
        SetLanguage(Language::English);
        start();
    }
    void calculate() {
        QSignalSpy finished(w.get(), &MainWindow::calculationFinished);
        w->BPocitejClick();
        if (w->calculationRunning()) QVERIFY(finished.wait(60000));
    }
    // A quick calculation: 16 classes per input, years 0 .. 8.
    void smallCalculation() {
        edit("EdPocetIntervalu")->setText("16");
        edit("EdRokKon")->setText("8");
        w->findChild<QLineEdit*>("EdRokKon")->setFocus();
        find<QWidget>("BPocitej")->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        calculate();
        QVERIFY(tool("SaveProjekt")->isEnabled());
    }
    // The method chosen in the integration window, as the user chooses it.
    void chooseMethod(int method) {
        auto* combo = w->integrationWindow()->findChild<QComboBox*>("CBMetoda");
        combo->setCurrentIndex(method);
        emit combo->activated(method);
    }
    // The convention chosen in the integration window, as the user chooses it.
    void chooseConvention(tessavin::Convention convention) {
        auto* combo = w->integrationWindow()->findChild<QComboBox*>("CBKonvence");
        const int index = convention == tessavin::Convention::Centre ? 1 : 0;
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    QString saveProject(const QString& name) {
        const QString path = dir.filePath(name);
        dialogs->files.push_back(path);
        w->saveProjectCommand();
        return path;
    }

  private slots:
    void init() {
        QFile::remove(IniPath());
        SetLanguage(Language::English);
        dialogs = std::make_unique<test::ScriptedInteraction>();
        start();
    }
    void cleanup() {
        w.reset();
        dialogs.reset();
        for (QWidget* t : QApplication::topLevelWidgets())
            t->hide();
        QFile::remove(IniPath());
        SetLanguage(Language::English);
    }

    void fieldsTicksAndSizeComeBackAfterARestart() {
        const std::pair<const char*, const char*> texts[] = {
            {"EdEps", "1E-6"},     {"EdPocetIntervalu", "40"},
            {"EdKonstC", "3E-13"}, {"EdMocM", "3.5"},
            {"EdRokT", "2"},       {"EdRokKrok", "3"},
            {"EdRokKon", "999"}, // kept as typed, although no check would pass it
            {"EdSirPas", "420"},   {"EdTloPas", "30"}};
        for (const auto& [name, text] : texts)
            edit(name)->setText(text);
        find<QComboBox>("CBSireni")->setCurrentIndex(1);
        for (const char* ticked : {"Ano2", "index1", "HorMez", "Ne1", "Cestina"})
            item(ticked)->trigger();
        w->resize(900, 600);
        restart();

        for (const auto& [name, text] : texts)
            QCOMPARE(edit(name)->text(), QString(text));
        QCOMPARE(find<QComboBox>("CBSireni")->currentIndex(), 1);
        QCOMPARE(w->inputs().crackOrigin, 1);
        for (const char* on : {"Ano2", "index1", "HorMez", "Ne1", "Cestina"})
            QVERIFY2(item(on)->isChecked(), on);
        for (const char* off : {"Ne2", "NonIndex", "DolMez", "Ano1", "Anglictina"})
            QVERIFY2(!item(off)->isChecked(), off);
        QVERIFY(w->inputs().controlPrint);
        QVERIFY(!w->inputs().lowerBound);
        QCOMPARE(CurrentLanguage(), Language::Czech);
        QCOMPARE(w->size(), QSize(900, 600));
        // The reactions ran: the six N fields follow the stored number of intervals.
        QCOMPARE(edit("EdRozSpN")->text(), QString("40"));
        QCOMPARE(w->inputs().tfValue, 30.0);
        QCOMPARE(w->inputs().startText, std::string("2"));

        // The file holds the keys in their sections, booleans as 1 and 0.
        SettingsFile file;
        QVERIFY(!file.Load(S(IniPath())).has_value());
        QCOMPARE(file.GetString("--  Component  --", "Tessavin-Form1EdRokKon", ""),
                 std::string("999"));
        QCOMPARE(file.GetString("--  Setting  --", "Barevné zvýraznění Ne", ""), std::string("1"));
        QCOMPARE(file.GetInteger("--  Position  --", "Tessavin-Form1CBSireni", -1), 1);
    }

    // The fields start from their design texts: a stored Eps 1E-7 with 10 intervals runs no
    // reaction, so the N fields keep their design text 32.
    void designTextsDecideWhichReactionsRunAtStart() {
        w->close();
        w.reset();
        WriteFile(IniPath(), "[--  Component  --]\r\n"
                             "Tessavin-Form1EdEps=1E-7\r\n"
                             "Tessavin-Form1EdPocetIntervalu=10\r\n");
        start();
        QCOMPARE(edit("EdPocetIntervalu")->text(), QString("10"));
        QCOMPARE(edit("EdRozSpN")->text(), QString("32"));
        QCOMPARE(edit("EdRokKon")->text(), QString("150"));
    }

    // On a machine where the settings folder does not exist yet, the first exit creates it.
    void firstExitCreatesTheSettingsFolder() {
        const QByteArray before = qgetenv("TESSAVIN_INI");
        const QString path = dir.filePath("new folder/Tessavin.INI");
        qputenv("TESSAVIN_INI", path.toUtf8());
        restart();
        w->close();
        w.reset();
        QVERIFY(QFileInfo::exists(path));
        qputenv("TESSAVIN_INI", before);
        start();
    }

    void storedValuesThatCannotApplyGiveWayAsDocumented() {
        w->close();
        w.reset();
        WriteFile(IniPath(), "[--  Position  --]\r\n"
                             "Tessavin-Form1width=600\r\n"
                             "Tessavin-Form1height=0x100\r\n"
                             "Tessavin-Form1CBSireni=0x1\r\n"
                             "[--  Component  --]\r\n"
                             "Tessavin-Form1 jazyk cesky=1\r\n"
                             "Tessavin-Form1 jazyk anglicky=1\r\n"
                             "Tessavin-Form1 Dolni mez=x\r\n");
        start();
        // The minimum size wins; hexadecimal integers are read; a bad boolean is its default.
        QCOMPARE(w->size(), QSize(800, 487));
        QCOMPARE(find<QComboBox>("CBSireni")->currentIndex(), 1);
        QVERIFY(item("DolMez")->isChecked());
        // Both languages ticked: Czech wins, and the menu ticks it alone.
        QVERIFY(item("Cestina")->isChecked() && !item("Anglictina")->isChecked());
        QCOMPARE(CurrentLanguage(), Language::Czech);
        QCOMPARE(find<QLabel>("Label39")->text(), QString("Šíření únavových trhlin z"));
    }

    // A whole number of the integration window spoiled in the file is refused at start, in the
    // program's language.
    void spoiledIntegrationNumberIsRefusedInTheLanguage() {
        w->close();
        w.reset();
        WriteFile(IniPath(), "[--  Position  --]\r\n"
                             "Nastaveni*Form9.EdNintegrace=12a\r\n"
                             "[--  Component  --]\r\n"
                             "Tessavin-Form1 jazyk cesky=1\r\n");
        dialogs->clear();
        start();
        QCOMPARE(dialogs->texts(), QStringList{"'12a' není platné celé číslo"});
    }

    // The fields the settings file gives run their reactions at start, before any language is
    // applied: a calculation straight after the start uses the input histograms they built.
    void calculatesStraightAfterTheStart() {
        w->close();
        w.reset();
        WriteFile(IniPath(), "[--  Component  --]\r\n"
                             "Tessavin-Form1EdPocetIntervalu=16\r\n"
                             "Tessavin-Form1EdRokKon=8\r\n");
        start();
        dialogs->clear();
        calculate();
        for (const BoxRequest& box : dialogs->boxes)
            QVERIFY2(box.kind != BoxKind::Warning, qPrintable(box.text));
        QVERIFY(tool("SaveProjekt")->isEnabled());
    }

    void savedProjectOpensWithEverythingBack() {
        edit("EdProjekt")->clear();
        smallCalculation();
        const double pF = w->state().Event(1, 3, 8);
        const auto rad = w->state().Rad;
        const auto input3 = w->state().inputs.histogram[3];
        const QString path = saveProject("first.Vys");
        QVERIFY(QFile::exists(path));
        // An empty project name offers Results in the results folder.
        QCOMPARE(dialogs->fileRequests.back().suggestedName, QString("Results"));
        QCOMPARE(dialogs->fileRequests.back().directory, w->paths().resultsDir + "/");
        QCOMPARE(dialogs->fileRequests.back().defaultSuffix, QString("Vys"));
        QCOMPARE(w->paths().projectDir, dir.path());

        // Change what the file holds, then open it.
        edit("EdProjekt")->setText("other");
        edit("EdKonstC")->setText("9E-13");
        edit("EdEps")->setText("1E-5");
        edit("EdRozSpMi")->setText("31");
        find<QComboBox>("CBSireni")->setCurrentIndex(1);
        item("Ano2")->trigger();
        item("Cestina")->trigger();
        QCOMPARE(CurrentLanguage(), Language::Czech);
        find<QTabWidget>("PageControl1")->setCurrentIndex(1);
        dialogs->clear();
        dialogs->files.push_back(path);
        w->openProjectCommand();
        QVERIFY2(dialogs->boxes.empty(), qPrintable(dialogs->texts().join(" / ")));

        QCOMPARE(edit("EdProjekt")->text(), QString());
        QCOMPARE(edit("EdKonstC")->text(), QString("2.2E-13"));
        QCOMPARE(edit("EdEps")->text(), QString("1E-8"));
        QCOMPARE(edit("EdPocetIntervalu")->text(), QString("16"));
        QCOMPARE(edit("EdRozSpMi")->text(), QString("30"));
        QCOMPARE(edit("EdRokKon")->text(), QString("8"));
        QCOMPARE(find<QComboBox>("CBSireni")->currentIndex(), 0);
        QVERIFY(item("Ano2")->isChecked() == false && item("Ne2")->isChecked());
        QVERIFY(w->inputs().controlPrint); // the ticks only
        QCOMPARE(CurrentLanguage(), Language::English);
        QCOMPARE(find<QLabel>("Label39")->text(), QString("Fatigue crack progression from"));
        QCOMPARE(find<QTabWidget>("PageControl1")->currentIndex(), 0);
        QCOMPARE(find<QLabel>("Label15")->text(),
                 QString("Fatigue crack progression from : the edge"));
        QVERIFY(w->state().Rad.P == rad.P);
        QVERIFY(w->state().inputs.histogram[3].P == input3.P);
        for (const char* on : {"BitBtn1", "BitBtn6", "BJevU", "BJevF", "SaveProjekt"})
            QVERIFY2(tool(on)->isEnabled(), on);
        for (const char* off : {"BGN", "BGV", "BjevuUmSn", "BjevuFmSn"})
            QVERIFY2(!tool(off)->isEnabled(), off);
        QVERIFY(item("Ulozit1")->isEnabled());

        // A calculation now runs from the loaded histograms to the same result.
        item("Ne2")->trigger();
        calculate();
        QCOMPARE(w->state().Event(1, 3, 8), pF);
    }

    // A project opened under the other convention takes its own: the next calculation gives the
    // results of a fresh one under the project's convention, bit for bit, never a mixture.
    void projectRunsUnderTheConventionItWasSavedUnder() {
        using tessavin::Convention;
        struct Saved {
            Convention convention;
            QString path;
            tessavin::EventTable events;
        };
        std::vector<Saved> saved;
        for (Convention c : {Convention::First, Convention::Centre}) {
            chooseConvention(c);
            smallCalculation();
            const QString name = c == Convention::Centre ? "centre.Vys" : "first.Vys";
            saved.push_back({c, saveProject(name), w->state().EventProbabilities});
        }
        QVERIFY(std::memcmp(&saved[0].events, &saved[1].events, sizeof(tessavin::EventTable)));

        // Centre is in use: open the first project, then (first in use) the centre one.
        for (const Saved& project : saved) {
            const Convention other =
                project.convention == Convention::Centre ? Convention::First : Convention::Centre;
            chooseConvention(other);
            find<QLabel>("StatusHint")->clear();
            dialogs->clear();
            dialogs->files.push_back(project.path);
            w->openProjectCommand();
            QVERIFY2(dialogs->boxes.empty(), qPrintable(dialogs->texts().join(" / ")));
            QVERIFY(w->inputs().integration.convention == project.convention);
            const QString named = project.convention == Convention::Centre
                                      ? "Class centres (centre)"
                                      : "Class lower edges (first)";
            QCOMPARE(find<QLabel>("StatusHint")->text(),
                     "The project's convention is now in use: " + named);
            QCOMPARE(w->integrationWindow()->findChild<QComboBox*>("CBKonvence")->currentText(),
                     named);
            QVERIFY(find<QLabel>("LKonvence")->text().contains(named.toLower()));
            calculate();
            QVERIFY(std::memcmp(&w->state().EventProbabilities, &project.events,
                                sizeof(tessavin::EventTable)) == 0);
        }
        // Opening under the same convention says nothing.
        find<QLabel>("StatusHint")->clear();
        dialogs->files.push_back(saved[1].path);
        w->openProjectCommand();
        QCOMPARE(find<QLabel>("StatusHint")->text(), QString());
    }

    // A raw-data input comes back from a project as it was saved: its source, its class count,
    // and fields that cannot be edited until another source is chosen.
    void rawDataInputComesBackFromAProject() {
        smallCalculation();
        // Input 3 (Fy) as the raw data window leaves it: no type, no parameters, N its classes.
        const QString path = saveProject("raw.Vys");
        auto read = tessavin::ReadProjectFile(tessavin::ui::S(path));
        QVERIFY(std::holds_alternative<tessavin::ProjectData>(read));
        tessavin::ProjectData p = std::get<tessavin::ProjectData>(read);
        p.random[3] = {tessavin::InputSource::RawData, -1, "", "", "16"};
        QVERIFY(!tessavin::WriteProjectFile(tessavin::ui::S(path), p));

        dialogs->answers.push_back(BoxYes);
        w->defaultsCommand();
        QVERIFY(edit("EdMezKluMi")->isEnabled());
        dialogs->clear();
        dialogs->files.push_back(path);
        w->openProjectCommand();
        QVERIFY2(dialogs->boxes.empty(), qPrintable(dialogs->texts().join(" / ")));
        QCOMPARE(find<QComboBox>("CBMezKluZad")->currentIndex(), 1);
        QCOMPARE(find<QComboBox>("CBTypMezKlu")->currentIndex(), -1);
        QCOMPARE(edit("EdMezKluMi")->text(), QString());
        QCOMPARE(edit("EdMezKluN")->text(), QString("16"));
        for (const char* name : {"CBTypMezKlu", "EdMezKluMi", "EdMezKluSigma", "EdMezKluN"})
            QVERIFY2(!find<QWidget>(name)->isEnabled(), name);
        // The parametric rows stay editable.
        for (const char* name : {"CBTypTypRozSp", "EdRozSpMi", "EdNomNapN"})
            QVERIFY2(find<QWidget>(name)->isEnabled(), name);

        // Typing reaches no disabled field, and leaving one opens no raw data window.
        QLineEdit* mi = edit("EdMezKluMi");
        QTest::keyClicks(mi, "280");
        QCOMPARE(mi->text(), QString());
        mi->setFocus();
        edit("EdMocM")->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        QVERIFY(!TopLevel("TForm4") || !TopLevel("TForm4")->isVisible());
        QVERIFY(w->isEnabled());
        QVERIFY(w->state().inputs.ready[3]);

        // The run uses the stored sample's histogram; choosing parametric frees the fields.
        calculate();
        QCOMPARE(w->state().inputs.histogram[3].Bins, p.inputs[3].Bins);
        auto* source = find<QComboBox>("CBMezKluZad");
        source->setCurrentIndex(0);
        emit source->activated(0);
        for (const char* name : {"CBTypMezKlu", "EdMezKluMi", "EdMezKluSigma", "EdMezKluN"})
            QVERIFY2(find<QWidget>(name)->isEnabled(), name);
    }

    // Defaults resets the convention for this run and for the next.
    void defaultsResetsTheConventionInTheSettingsFile() {
        chooseConvention(tessavin::Convention::Centre);
        w->integrationWindow()->close(); // the window writes its keys
        restart();
        QVERIFY(w->inputs().integration.convention == tessavin::Convention::Centre);
        dialogs->answers.push_back(BoxYes);
        w->defaultsCommand();
        QVERIFY(w->inputs().integration.convention == tessavin::Convention::First);
        QCOMPARE(find<QLabel>("LKonvence")->text(),
                 QString("Convention: class lower edges (first)"));
        restart();
        QVERIFY(w->inputs().integration.convention == tessavin::Convention::First);
    }

    void overwriteQuestionAndTheMethodParameter() {
        smallCalculation();
        edit("EdProjekt")->setText("Most");
        const QString path = saveProject("Most.Vys");
        const QByteArray first = ReadFile(path);
        QVERIFY(!first.isEmpty());

        // Another method with its parameter; No leaves the file as it was.
        chooseMethod(2);
        w->integrationWindow()->findChild<QLineEdit*>("EdN")->setText("7");
        dialogs->answers.push_back(BoxNo);
        dialogs->clear();
        saveProject("Most.Vys");
        QCOMPARE(dialogs->boxes.size(), size_t(1));
        QCOMPARE(dialogs->boxes[0].caption, QString("C o n f i r m a t i o n"));
        QVERIFY(dialogs->boxes[0].text.contains(path));
        QVERIFY(dialogs->boxes[0].text.endsWith("O v e r w r i t e ?\r\n"));
        QCOMPARE(ReadFile(path), first);

        dialogs->answers.push_back(BoxYes);
        saveProject("Most.Vys");
        QVERIFY(ReadFile(path) != first);

        w->integrationWindow()->findChild<QLineEdit*>("EdN")->setText("10");
        chooseMethod(4);
        dialogs->files.push_back(path);
        w->openProjectCommand();
        QCOMPARE(w->inputs().integration.method, 2);
        QCOMPARE(w->inputs().integration.levels, 7);
        QCOMPARE(w->integrationWindow()->findChild<QLineEdit*>("EdN")->text(), QString("7"));
        QCOMPARE(w->integrationWindow()->findChild<QComboBox*>("CBMetoda")->currentIndex(), 2);
        QCOMPARE(edit("EdProjekt")->text(), QString("Most"));
    }

    void badProjectChangesNothing_data() {
        QTest::addColumn<int>("cut");
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::newRow("short") << 3000 << QByteArray() << "Stream read error" << QByteArray()
                               << QByteArray();
        QTest::newRow("wrong tag")
            << -1 << QByteArray("\x02") << "Invalid property value" << QByteArray() << QByteArray();
        // Whole and readable, but an m the input page refuses: tf "25" is followed by m "0".
        QTest::newRow("m of 0") << -1 << QByteArray() << "Exponent m (0) < 0"
                                << QByteArray("\x06\x02"
                                              "25"
                                              "\x06\x01"
                                              "3")
                                << QByteArray("\x06\x02"
                                              "25"
                                              "\x06\x01"
                                              "0");
    }
    void badProjectChangesNothing() {
        QFETCH(int, cut);
        QFETCH(QByteArray, start);
        QFETCH(QString, message);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        smallCalculation();
        const QString good = saveProject("good.Vys");
        QByteArray bytes = ReadFile(good);
        if (cut > 0) bytes.truncate(cut);
        if (!start.isEmpty()) bytes.replace(0, start.size(), start);
        if (!from.isEmpty()) {
            QVERIFY(bytes.contains(from));
            bytes.replace(bytes.indexOf(from), from.size(), to);
        }
        const QString bad = QDir(dir.path()).filePath("sub/bad.Vys");
        QDir().mkpath(QFileInfo(bad).absolutePath());
        WriteFile(bad, bytes);

        edit("EdKonstC")->setText("3E-13"); // drops the resistances, keeps the inputs
        edit("EdProjekt")->setText("kept");
        find<QTabWidget>("PageControl1")->setCurrentIndex(1);
        const QString projectDir = w->paths().projectDir;
        dialogs->clear();
        dialogs->files.push_back(bad);
        w->openProjectCommand();
        QCOMPARE(dialogs->texts(), QStringList{message});
        QCOMPARE(dialogs->boxes[0].caption, QString("E r r o r"));
        QCOMPARE(edit("EdKonstC")->text(), QString("3E-13"));
        QCOMPARE(edit("EdProjekt")->text(), QString("kept"));
        QVERIFY(tool("BitBtn1")->isEnabled());
        QVERIFY(!tool("BJevU")->isEnabled());
        QCOMPARE(w->paths().projectDir, projectDir);
        QCOMPARE(find<QTabWidget>("PageControl1")->currentIndex(), 1);

        // Cancelling the dialog only shows the input page.
        w->openProjectCommand();
        QCOMPARE(find<QTabWidget>("PageControl1")->currentIndex(), 0);
        QCOMPARE(edit("EdKonstC")->text(), QString("3E-13"));
    }

    // A side window keeps its place, and the integration window its method and parameter,
    // from the moment it closes.
    void axisModeOfTheHistogramWindowFollowsTheStoredTick() {
        item("index1")->trigger();
        restart();
        QVERIFY(item("index1")->isChecked());
        QCOMPARE(w->histogramWindow()->axisMode(), 0);
    }

    void sideWindowsKeepTheirSettings() {
        IntegrationWindow* integration = w->integrationWindow();
        w->showSideWindow(integration);
        chooseMethod(2);
        auto* n = integration->findChild<QLineEdit*>("EdN");
        n->setText("7");
        auto* convention = integration->findChild<QComboBox*>("CBKonvence");
        convention->setFocus();
        QTest::keyClick(convention, Qt::Key_Down); // class centres
        integration->move(40, 30);
        integration->close();
        restart();
        QVERIFY(w->inputs().integration.convention == tessavin::Convention::Centre);
        QCOMPARE(find<QLabel>("LKonvence")->text(), QString("Convention: class centres (centre)"));
        QCOMPARE(w->inputs().integration.method, 2);
        QCOMPARE(w->inputs().integration.levelsText, std::string("7"));
        QCOMPARE(w->integrationWindow()->findChild<QLineEdit*>("EdN")->text(), QString("7"));
        QCOMPARE(w->integrationWindow()->pos(), QPoint(40, 30));
        QVERIFY(find<QLabel>("Label24")->text().contains("( n = 7 )"));
    }

    // The plan choice and the past inspections come back at the next start; a project keeps
    // the years and opening it gives them back.
    void exactPlanChoiceAndPastInspectionsStay() {
        IntegrationWindow* integration = w->integrationWindow();
        w->showSideWindow(integration);
        auto* plan = integration->findChild<QComboBox*>("CBPlan");
        plan->setFocus();
        QTest::keyClick(plan, Qt::Key_Down);
        integration->close();
        edit("EdProhlidky")->setText("4, 6");
        restart();
        QVERIFY(w->inputs().integration.exactPlan);
        QCOMPARE(w->integrationWindow()->findChild<QComboBox*>("CBPlan")->currentIndex(), 1);
        QCOMPARE(edit("EdProhlidky")->text(), QString("4, 6"));
        QCOMPARE(w->inputs().inspected, (std::vector<int>{4, 6}));

        smallCalculation();
        const QString path = saveProject("inspected.Vys");
        const auto saved = ReadProjectFile(path.toStdString());
        QVERIFY(std::holds_alternative<ProjectData>(saved));
        QCOMPARE(std::get<ProjectData>(saved).inspected, (std::vector<int>{4, 6}));
        edit("EdProhlidky")->setText("5");
        dialogs->clear();
        dialogs->files.push_back(path);
        w->openProjectCommand();
        QVERIFY2(dialogs->boxes.empty(), qPrintable(dialogs->texts().join(" / ")));
        QCOMPARE(edit("EdProhlidky")->text(), QString("4, 6"));
        QCOMPARE(w->inputs().inspected, (std::vector<int>{4, 6}));
    }

    void settingsListingShowsTheFileInUse() {
        // No settings file yet: the information box with its empty text.
        w->showSettingsListing();
        QCOMPARE(dialogs->boxes.size(), size_t(1));
        QCOMPARE(dialogs->boxes[0].caption, QString("I n f o r m a t i o n"));
        QCOMPARE(dialogs->boxes[0].text, QString());
        QVERIFY(w->isEnabled());

        restart(); // writes the main window's keys
        w->showSettingsListing();
        QWidget* listing = TopLevel("TForm10");
        QVERIFY(listing && listing->isVisible());
        QVERIFY(!w->isEnabled());
        QCOMPARE(listing->windowTitle(), QString("  Tessavin :      List of INI-file"));
        auto* table = listing->findChild<QTableWidget*>("ValueListEditor1");
        QVERIFY(table);
        QCOMPARE(table->item(0, 0)->text(), QString("[--  Position  --]"));
        QCOMPARE(table->item(0, 1)->text(), QString());
        QCOMPARE(table->item(1, 0)->text(), QString("Tessavin-Form1left"));
        bool found = false;
        for (int r = 0; r < table->rowCount(); ++r)
            found = found || (table->item(r, 0)->text() == "Tessavin-Form1EdRokKon" &&
                              table->item(r, 1)->text() == "150");
        QVERIFY(found);

        // Edits stay in the table; closing writes only the window's own geometry keys.
        table->item(1, 1)->setText("12345");
        listing->resize(600, 400);
        listing->close();
        QVERIFY(w->isEnabled());
        SettingsFile file;
        file.Load(S(IniPath()));
        QCOMPARE(file.GetInteger("--  Position  --", "TabVypisIni-Form10.Width", 0), 600);
        QCOMPARE(file.GetInteger("--  Position  --", "TabVypisIni-Form10.Height", 0), 400);
        QCOMPARE(file.GetString("--  Component  --", "Tessavin-Form1EdRokKon", ""),
                 std::string("150"));
        QVERIFY(!ReadFile(IniPath()).contains("12345"));

        // The next start places the listing window as it was left.
        restart();
        QCOMPARE(TopLevel("TForm10")->size(), QSize(600, 400));
    }

    // The Defaults command puts every window at the top-left corner in the default size of its
    // registry row, its minimum size applying: the main window 800 x 487 (its stored 483 is
    // below the minimum) and the event graph 900 x 600 (450).
    void defaultsCommandRestoresTheDefaultSizes() {
        std::vector<QWidget*> sides;
        for (const tessavin::WindowEntry& entry : tessavin::Windows()) {
            QWidget* side = TopLevel(QString::fromUtf8(entry.objectName.data()));
            if (entry.id == tessavin::WindowId::Main || !side ||
                !FindSettingKey(entry.settingKeys, "width"))
                continue;
            side->show();
            side->move(50, 60);
            side->resize(side->minimumSize() + QSize(5, 5));
            sides.push_back(side);
        }
        w->move(20, 30);
        w->resize(900, 600);
        dialogs->answers = {BoxYes};
        w->defaultsCommand();
        QCOMPARE(w->size(), QSize(800, 487));
        QCOMPARE(w->pos(), QPoint(0, 0));
        QCOMPARE(TopLevel("TForm7")->size(), QSize(900, 600));
        for (QWidget* side : sides) {
            const tessavin::WindowSize size =
                tessavin::DefaultSize(tessavin::FindWindow(S(side->objectName()))->id);
            QCOMPARE(side->size(), QSize(size.width, size.height)
                                       .expandedTo(side->minimumSize())
                                       .boundedTo(side->maximumSize()));
            QCOMPARE(side->pos(), QPoint(0, 0));
            side->hide();
        }
    }

    // Every side window of the registry the main window has at start: closing it writes its
    // place and size and enables the main window again when it was disabled; the next start
    // restores them.
    void sideWindowsComeBackWhereTheyWereLeft() {
        std::vector<std::pair<QString, QSize>> windows;
        for (const tessavin::WindowEntry& entry : tessavin::Windows()) {
            const QString name = QString::fromUtf8(entry.objectName.data());
            const tessavin::WindowSize size = tessavin::DefaultSize(entry.id);
            if (entry.id == tessavin::WindowId::Main || size.width == 0 || !TopLevel(name))
                continue;
            windows.emplace_back(name, QSize(size.width + 10, size.height + 10));
        }
        QVERIFY(windows.size() > 1);
        for (const auto& [name, size] : windows) {
            QWidget* side = TopLevel(name);
            w->setEnabled(false);
            side->show();
            side->move(30, 40);
            side->resize(size);
            side->close();
            // The histogram window leaves the main window as it was.
            QCOMPARE(w->isEnabled(), name != "TForm2");
            w->setEnabled(true);
        }
        restart();
        // No larger than the screen, unless its controls need more (the test screen is smaller
        // than some of them); a window of fixed size keeps it.
        for (const auto& [name, size] : windows) {
            QWidget* side = TopLevel(name);
            QCOMPARE(side->size(), size.boundedTo(side->screen()->availableGeometry().size())
                                       .expandedTo(side->minimumSize())
                                       .boundedTo(side->maximumSize()));
            QCOMPARE(side->pos(), QPoint(30, 40));
        }
    }
};

TESSAVIN_UI_TEST(PersistenceTest, persistence_test)
#include "persistence_test.moc"
