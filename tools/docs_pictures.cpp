// docs_pictures: the pictures under docs/, taken from the real windows after the default
// calculation, at their default sizes (and the main window maximised). Run offscreen:
//   QT_QPA_PLATFORM=offscreen build/docs_pictures docs [cs]
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

#include "localisation/language.h"
#include "ui/charts/chart_panel.h"
#include "ui/charts/tornado_chart.h"
#include "ui/common/interaction.h"
#include "ui/main/cross_check.h"
#include "ui/main/main_window.h"
#include "ui/main/results_page.h"
#include "ui/windows/event_graph_window.h"
#include "ui/windows/histogram_window.h"
#include "ui/windows/integration_window.h"
#include "ui/windows/sensitivity_window.h"

namespace {

using namespace tessavin::ui;

// Every question answered Yes, every file dialog cancelled.
class Yes final : public Interaction {
  public:
    int ask(QWidget*, const BoxRequest& r) override {
        return r.buttons == BoxButtons::YesNo ? BoxYes : BoxOk;
    }
    QString chooseFile(QWidget*, const FileRequest&) override { return {}; }
};

void Settle(int ms = 300) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool Save(QWidget* w, const QString& file) {
    Settle();
    const bool ok = w->grab().save(file);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(file));
    return ok;
}

// A chart as its own picture, at the size the docs show it.
bool SaveChart(ChartPanel* chart, const QString& file) {
    Settle();
    const bool ok = chart->savePicture(file, QSize(760, 480));
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(file));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("TESSAVIN_INI", (home.path() + "/Tessavin.INI").toUtf8());
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: docs_pictures FOLDER [cs]\n");
        return 2;
    }
    const QString folder = argv[1];
    const bool czech = argc > 2 && QString(argv[2]) == "cs";
    Yes yes;
    SetUserInteraction(&yes);

    MainWindow w;
    w.show();
    if (czech) w.switchLanguage(tessavin::Language::Czech);
    Settle(500);
    auto* pages = w.findChild<QTabWidget*>("PageControl1");
    bool ok = Save(&w, folder + "/main-window-input.png");

    QEventLoop wait;
    QObject::connect(&w, &MainWindow::calculationFinished, &wait, &QEventLoop::quit);
    w.BPocitejClick();
    if (w.calculationRunning()) wait.exec();

    pages->setCurrentIndex(1);
    ok = Save(&w, folder + "/main-window-results.png") && ok;
    pages->setCurrentIndex(2);
    ok = Save(&w, folder + "/main-window-inspections.png") && ok;

    w.findChild<QToolButton*>("BJevU")->click();
    ok = Save(w.histogramWindow(), folder + "/histogram-window.png") && ok;
    w.histogramWindow()->hide();

    for (int page = 1; page <= 3; ++page) {
        w.showEventGraph(page);
        ok =
            Save(w.eventGraphWindow(), folder + QString("/event-graph-page%1.png").arg(page)) && ok;
        w.eventGraphWindow()->close();
    }

    // The reliability index against a typed target of 2 (the default case is below every code
    // preset from year 0), and the inspection chart's probabilities on the log scale; then back
    // as the user left them.
    auto* results = w.findChild<ResultsPage*>();
    results->restoreTarget("2");
    std::printf("%s\n", qPrintable(w.findChild<QLabel*>("LCilRok")->text()));
    pages->setCurrentIndex(1);
    auto* betaView = w.findChild<QToolButton*>("BGrafBeta");
    betaView->click();
    ok = SaveChart(results->betaChart(), folder + "/beta-target.png") && ok;
    betaView->click();
    results->setLogScale(true);
    ok = SaveChart(results->inspectionChart(), folder + "/log-probability.png") && ok;
    results->setLogScale(false);
    results->restoreTarget(QString());

    w.showMaximized();
    Settle(500);
    // Without a window manager nobody maximises: the window takes the screen itself.
    if (QScreen* screen = w.screen(); screen && w.width() < screen->availableGeometry().width())
        w.setGeometry(screen->availableGeometry());
    pages->setCurrentIndex(0);
    Settle(500);
    ok = Save(&w, folder + "/main-window-maximised-input.png") && ok;
    pages->setCurrentIndex(1);
    ok = Save(&w, folder + "/main-window-maximised-results.png") && ok;

    // What drives the plan: the window at its default size after its run (step 0.1), and its
    // tornado saved by the window's own export.
    SensitivityWindow* drives = w.sensitivityWindow();
    QObject::connect(drives, &SensitivityWindow::finished, &wait, &QEventLoop::quit);
    w.findChild<QPushButton*>("BCitlivost")->click();
    if (drives->running()) wait.exec();
    ok = Save(drives, folder + "/what-drives-the-plan.png") && ok;
    const QString tornado = folder + "/tornado.png";
    const bool exported = drives->chart()->savePicture(tornado, QSize(900, 600));
    std::printf("%s %s\n", exported ? "wrote" : "FAILED", qPrintable(tornado));
    ok = exported && ok;
    drives->close();

    // The inspection chart with the cross-check by simulation (10^6 samples, seed 1).
    auto* crossCheck = w.findChild<CrossCheck*>("CrossCheck");
    QObject::connect(crossCheck, &CrossCheck::finished, &wait, &QEventLoop::quit);
    w.findChild<QPushButton*>("BCrossCheck")->click();
    if (crossCheck->running()) wait.exec();
    Settle();
    const QString picture = folder + "/cross-check.png";
    const bool saved = w.findChild<ChartPanel*>("Chart3")->savePicture(picture, QSize(900, 600));
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(picture));
    ok = saved && ok;

    // The same chart with the exact plan: its conditional failure curves, the sawtooth that
    // drops to 0 at each inspection, beside the rule's curves.
    auto* plan = w.integrationWindow()->findChild<QComboBox*>("CBPlan");
    plan->setCurrentIndex(1);
    emit plan->activated(1);
    w.BPocitejClick();
    if (w.calculationRunning()) wait.exec();
    Settle();
    const QString sawtooth = folder + "/exact-plan.png";
    const bool drawn = w.findChild<ChartPanel*>("Chart3")->savePicture(sawtooth, QSize(900, 600));
    std::printf("%s %s\n", drawn ? "wrote" : "FAILED", qPrintable(sawtooth));
    ok = drawn && ok;
    return ok ? 0 : 1;
}
