#include "ui/main/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>
#include <functional>

#include "calculation/integration_settings.h"
#include "common/number_parse.h"
#include "localisation/message_ids.h"
#include "localisation/messages.h"
#include "ui/common/caption_tables.h"
#include "ui/common/interaction.h"
#include "ui/common/platform_texts.h"
#include "ui/main/cross_check.h"
#include "ui/main/input_page.h"
#include "ui/main/inspections_page.h"
#include "ui/main/main_texts.h"
#include "ui/main/results_page.h"
#include "ui/rawdata/raw_data_window.h"
#include "ui/rawdata/suitable_histograms_window.h"
#include "ui/windows/about_window.h"
#include "ui/windows/event_graph_window.h"
#include "ui/windows/histogram_window.h"
#include "ui/windows/integration_window.h"
#include "ui/windows/sensitivity_window.h"
#include "ui/windows/settings_window.h"
#include "ui/windows/splash_window.h"

namespace tessavin::ui {
namespace {

constexpr int DesignWidth = 800;
constexpr int DesignHeight = 487;

QToolButton* GlyphButton(QWidget* parent, const char* name, QStyle::StandardPixmap pixmap) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(parent->style()->standardIcon(pixmap));
    b->setFixedSize(25, 25);
    b->setAutoRaise(true);
    return b;
}

// The toolbar button triggers the menu command and is enabled exactly when `enabler` (the
// command, or the submenu it belongs to) is. A button's default action would also copy the
// menu item's texts over the button's own hint at every change of the action.
void FollowCommand(QToolButton* button, QAction* command, QAction* enabler) {
    button->setEnabled(enabler->isEnabled());
    QObject::connect(enabler, &QAction::enabledChanged, button, &QWidget::setEnabled);
    QObject::connect(button, &QToolButton::clicked, command, &QAction::trigger);
}

// Every key press is first offered as a shortcut, before a popup closes with it: an Esc
// offered while a popup is open was the popup's. Qt may then hand the same key press on to the
// main window, within the same turn of the event loop; the mark lasts until that turn ends.
class EscapeWatch : public QObject {
  public:
    EscapeWatch(bool& popupOpen, QObject* parent) : QObject(parent), popupOpen_(popupOpen) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
            QApplication::activePopupWidget() && !popupOpen_) {
            popupOpen_ = true;
            QTimer::singleShot(0, this, [this] { popupOpen_ = false; });
        }
        return false;
    }

  private:
    bool& popupOpen_;
};

} // namespace

bool TickPair::firstTicked() const {
    return first->isChecked();
}

void TickPair::tick(bool firstOne) const {
    (firstOne ? first : second)->setChecked(true);
}

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), state_(std::make_unique<CalculationState>()) {
    setObjectName("TForm1");
    driver_ = std::make_unique<CalculationDriver>(in_, *state_);
    setMinimumSize(DesignWidth, DesignHeight);
    resize(DesignWidth, DesignHeight);
    QFont f = font();
    f.setBold(true);
    f.setPointSize(8);
    setFont(f);
    setStyleSheet("QMainWindow { background: white; }");

    // The splash window first, so that it is up while the rest is built.
    splash_ = std::make_unique<SplashWindow>();
    splash_->show();

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(2, 0, 2, 0);
    column->setSpacing(2);
    setCentralWidget(central);

    toolbar_ = new QWidget(central);
    toolbar_->setObjectName("Panel1");
    toolbar_->setFixedHeight(31);
    column->addWidget(toolbar_);
    buildToolbar();

    pages_ = new QTabWidget(central);
    pages_->setObjectName("PageControl1");
    pages_->setMinimumHeight(344);
    column->addWidget(pages_, 1);
    buildPages();

    auto* bottom = new QWidget(central);
    column->addWidget(bottom);
    buildBottomRow(bottom);

    createSideWindows();
    buildMenu();
    buildStatusBar();
    qApp->installEventFilter(new EscapeWatch(escapeClosedPopup_, this));
    startUp();
}

// Each page makes itself the next tab of pages_.
void MainWindow::buildPages() {
    input_ = new InputPage(in_, *state_, parameterBlock_, pages_);
    // The cross-check draws on the results page's chart; its command sits on that page.
    crossCheck_ = new CrossCheck(this);
    results_ = new ResultsPage(pages_, crossCheck_->command());
    inspections_ = new InspectionsPage(pages_);

    connect(input_, &InputPage::resultsStale, this, &MainWindow::resetResults);
    connect(input_, &InputPage::yearResultsStale, this, [this] {
        if (state_->RadReady) hideYearResults();
    });
    connect(input_, &InputPage::inputHistogramsStale, this, &MainWindow::resetInputHistograms);
    connect(input_, &InputPage::crackOriginChosen, this, [this] {
        resetResults();
        resetInputHistograms();
        showCrackOrigin();
    });
    connect(input_, &InputPage::startYearAccepted, results_, &ResultsPage::setYearPlaceholder);
    connect(input_, &InputPage::rawDataRequested, this, &MainWindow::openRawDataWindow);
    connect(input_, &InputPage::histogramRequested, this, [this](int k) { showHistogram(k + 7); });
    connect(results_, &ResultsPage::histogramRequested, this, &MainWindow::showHistogram);
    connect(results_, &ResultsPage::yearChosen, this, &MainWindow::CBVyberChange);
    connect(inspections_, &InspectionsPage::inspectionChosen, this,
            &MainWindow::selectInspectionRow);
}

// The time of day, then the long part of the hint under the mouse.
void MainWindow::buildStatusBar() {
    auto* clock = new QLabel(this);
    clock->setObjectName("StatusClock");
    clock->setFixedWidth(60);
    statusBar()->setObjectName("StatusBar1");
    statusBar()->addWidget(clock);
    // Hints go to a label of their own: a status-bar message would hide the clock.
    hint_ = new QLabel(this);
    hint_->setObjectName("StatusHint");
    statusBar()->addWidget(hint_, 1);
    auto* clockTimer = new QTimer(this);
    clockTimer->setObjectName("Timer1");
    auto tick = [clock] {
        // The locale's long time format, with seconds, without the time zone.
        QString format = QLocale().timeFormat(QLocale::LongFormat);
        format.remove('t');
        clock->setText(QTime::currentTime().toString(format.trimmed()));
    };
    connect(clockTimer, &QTimer::timeout, this, tick);
    clockTimer->start(1000);
    tick();
}

MainWindow::~MainWindow() {
    if (worker_) {
        driver_->RequestInterrupt();
        worker_->wait();
    }
}

void MainWindow::buildToolbar() {
    auto* row = new QHBoxLayout(toolbar_);
    row->setContentsMargins(2, 3, 2, 3);
    row->setSpacing(2);
    struct Glyph {
        const char* name;
        QStyle::StandardPixmap pixmap;
    };
    const Glyph glyphs[] = {
        {"BGrafVysl", QStyle::SP_FileDialogDetailedView},
        {"BExcel", QStyle::SP_DialogSaveButton},
        {"OpenProjekt", QStyle::SP_DialogOpenButton},
        {"SaveProjekt", QStyle::SP_DriveFDIcon},
        {"BNastav", QStyle::SP_FileDialogListView},
        {"BDefHodn", QStyle::SP_BrowserReload},
        {"OAdresach", QStyle::SP_DirIcon},
        {"OVerzi", QStyle::SP_MessageBoxInformation},
        {"BKonec", QStyle::SP_DialogCloseButton},
    };
    // The commands come with the menu, whose items they share.
    for (const Glyph& g : glyphs)
        row->addWidget(GlyphButton(toolbar_, g.name, g.pixmap));
    row->addStretch(1);
}

// Menu texts come with the language; the two items without a table entry keep their own.
void MainWindow::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    auto submenu = [this](QMenu* parent, const char* name) {
        QMenu* m = parent ? parent->addMenu(QString()) : menuBar()->addMenu(QString());
        m->setObjectName(name);
        m->menuAction()->setObjectName(name);
        return m;
    };
    // Built without texts: the caption table names every item.
    auto item = [](QMenu* menu, const char* name, const QKeySequence& key = {},
                   bool checkable = false) {
        QAction* a = menu->addAction(QString());
        a->setObjectName(name);
        a->setParent(menu);
        if (!key.isEmpty()) a->setShortcut(key);
        a->setCheckable(checkable);
        return a;
    };

    QMenu* function = submenu(nullptr, "N3");
    QMenu* charts = submenu(function, "GrafjevUDF1");
    eventChartsMenu_ = charts->menuAction();
    eventChartsMenu_->setEnabled(false);
    std::array<QAction*, 3> eventCharts{};
    for (int page : {1, 2, 3}) {
        eventCharts[page - 1] = item(charts, page == 1   ? "Graf11"
                                             : page == 2 ? "Graf21"
                                                         : "Graf31");
        connect(eventCharts[page - 1], &QAction::triggered, this,
                [this, page] { showEventGraph(page); });
    }
    workbookItem_ = item(function, "UlozExcel");
    workbookItem_->setEnabled(false);
    reportItem_ = item(function, "UlozZpravu");
    reportItem_->setEnabled(false);
    QAction* openProject = item(function, "Otevrit1");
    saveProjectItem_ = item(function, "Ulozit1");
    saveProjectItem_->setEnabled(false);
    QAction* exit = item(function, "Konec1", QKeySequence("Ctrl+X"));
    connect(workbookItem_, &QAction::triggered, this, &MainWindow::exportWorkbook);
    connect(reportItem_, &QAction::triggered, this, &MainWindow::saveReportCommand);
    connect(openProject, &QAction::triggered, this, &MainWindow::openProjectCommand);
    connect(saveProjectItem_, &QAction::triggered, this, &MainWindow::saveProjectCommand);
    connect(exit, &QAction::triggered, this, &MainWindow::exitCommand);

    QMenu* setUp = submenu(nullptr, "N1");
    QAction* integration = item(setUp, "VolbaIntegrace1", QKeySequence("Ctrl+M"));
    connect(integration, &QAction::triggered, this, [this] { showSideWindow(integration_.get()); });
    QAction* defaults = item(setUp, "Pedvolenhodnoty1", QKeySequence("Ctrl+D"));
    connect(defaults, &QAction::triggered, this, &MainWindow::defaultsCommand);

    // Pairs of check items, exactly one of which is ticked.
    auto pair = [&](QMenu* menu, const char* a, const char* b, bool firstTicked) {
        TickPair p{item(menu, a, {}, true), item(menu, b, {}, true)};
        auto* group = new QActionGroup(menu);
        group->addAction(p.first);
        group->addAction(p.second);
        p.tick(firstTicked);
        return p;
    };
    QMenu* language = submenu(setUp, "Jazyk1");
    languageTicks_ = pair(language, "Cestina", "Anglictina", false);
    connect(languageTicks_.first, &QAction::triggered, this,
            [this] { switchLanguage(Language::Czech); });
    connect(languageTicks_.second, &QAction::triggered, this,
            [this] { switchLanguage(Language::English); });

    colourTicks_ = pair(submenu(setUp, "BarZvy"), "Ano1", "Ne1", true);
    axisTicks_ = pair(submenu(setUp, "BottomAxis"), "index1", "NonIndex", false);
    controlPrintTicks_ = pair(submenu(setUp, "KontrolniTisk1"), "Ano2", "Ne2", false);
    boundTicks_ = pair(submenu(setUp, "VypDalProhl"), "DolMez", "HorMez", true);
    auto onTick = [this](QAction* item, std::function<void()> then) {
        connect(item, &QAction::triggered, this, std::move(then));
    };
    auto axisMode = [this](int mode) {
        if (histogram_) histogram_->setAxisMode(mode);
        if (rawData_) rawData_->setAxisMode(mode);
    };
    onTick(axisTicks_.first, [axisMode] { axisMode(0); });
    onTick(axisTicks_.second, [axisMode] { axisMode(1); });
    onTick(controlPrintTicks_.first, [this] { in_.controlPrint = true; });
    onTick(controlPrintTicks_.second, [this] { in_.controlPrint = false; });
    onTick(boundTicks_.first, [this] { in_.lowerBound = true; });
    onTick(boundTicks_.second, [this] { in_.lowerBound = false; });

    chartToolbarItem_ = item(setUp, "TcharCom", {}, true);
    chartToolbarItem_->setChecked(true);
    betaResultsItem_ = item(setUp, "BetaVysledky", {}, true);
    connect(item(setUp, "VpisINIsouboru1", QKeySequence("Ctrl+I")), &QAction::triggered, this,
            &MainWindow::showSettingsListing);

    QMenu* help = submenu(nullptr, "N2");
    QAction* about = item(help, "Npovda1", QKeySequence(Qt::Key_F1));
    connect(about, &QAction::triggered, this, [this] { showSideWindow(about_.get()); });
    QAction* folders = item(help, "OAdresach1", QKeySequence(Qt::Key_F2));
    connect(folders, &QAction::triggered, this, &MainWindow::foldersBox);
    menus_ = {function, setUp, help};

    // Each toolbar button is the second face of a menu command.
    const std::pair<const char*, QAction*> faces[] = {{"BGrafVysl", eventCharts[1]},
                                                      {"BExcel", workbookItem_},
                                                      {"OpenProjekt", openProject},
                                                      {"SaveProjekt", saveProjectItem_},
                                                      {"BNastav", integration},
                                                      {"BDefHodn", defaults},
                                                      {"OAdresach", folders},
                                                      {"OVerzi", about},
                                                      {"BKonec", exit}};
    for (const auto& [name, command] : faces)
        FollowCommand(toolbar_->findChild<QToolButton*>(name), command,
                      command == eventCharts[1] ? eventChartsMenu_ : command);
}

// The texts come with the language.
void MainWindow::buildBottomRow(QWidget* area) {
    auto* row = new QHBoxLayout(area);
    row->setContentsMargins(4, 2, 4, 2);
    auto* projectLabel = new QLabel(area);
    projectLabel->setObjectName("Label99");
    projectName_ = new QLineEdit(area);
    projectName_->setObjectName("EdProjekt");
    connect(projectName_, &QLineEdit::textChanged, this,
            [this](const QString& t) { in_.projectName = S(t); });
    breakButton_ = new QPushButton(area);
    breakButton_->setObjectName("BPrerus");
    runButton_ = new QPushButton(area);
    runButton_->setObjectName("BPocitej");
    refineButton_ = new QPushButton(area);
    refineButton_->setObjectName("BnUpresnit");
    // Enter on a focused button presses it, as Space does.
    for (QPushButton* b : {breakButton_, runButton_, refineButton_})
        b->setAutoDefault(true);
    row->addWidget(projectLabel);
    row->addWidget(projectName_, 1);
    row->addSpacing(20);
    row->addWidget(breakButton_);
    row->addWidget(runButton_);
    row->addWidget(refineButton_);
    breakButton_->hide();
    refineButton_->hide();
    connect(runButton_, &QPushButton::clicked, this, &MainWindow::BPocitejClick);
    connect(breakButton_, &QPushButton::clicked, this, &MainWindow::BPrerusClick);
    connect(refineButton_, &QPushButton::clicked, this, &MainWindow::BnUpresnitClick);
}

// Esc asks the exit question only when no control took the key first: a drop-down list or a
// menu closes with it (and Qt then hands the same key on to this window), a cell editor
// cancels with it.
void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        if (!escapeClosedPopup_) exitCommand();
        escapeClosedPopup_ = false;
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        hint_->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::startUp() {
    paths_ = ComputeShellPaths();
    loadMainSettings();
    // Inputs as the fields show them; bf, tf and m are parsed by the steps that read them.
    in_.tfValue = ParseRealPrefix(in_.tf);
    in_.controlPrint = controlPrintTicks_.firstTicked();
    shownLanguage_ = languageTicks_.firstTicked() ? Language::Czech : Language::English;
    SetLanguage(shownLanguage_);
    UseQtTranslations(CurrentLanguage());
    refuseBadIntegrationNumbers();
    ApplyCaptionTable(this, WindowId::Main, CurrentLanguage());
    for (SideWindow* side : sideWindows_)
        side->applyLanguage(CurrentLanguage());
    histogram_->setAxisMode(axisTicks_.firstTicked() ? 0 : 1);
    applyRawDataLanguage(CurrentLanguage());
    rawData_->setFolders(paths_.rawDataDir, paths_.startDir);
    applyLanguageLayout();

    state_->NnReady = state_->DeltaSmReady = state_->SnReady = false;
    results_->updateChartButtons(*state_);
    resetResults();
    results_->hideTimings();
    in_.startText = in_.yearStart;
    in_.stepText = in_.yearStep;
    in_.endText = in_.yearEnd;
    pages_->setCurrentWidget(input_);
    QWidget::setTabOrder(input_->lastInOrder(), runButton_); // the Enter order ends at RUN
    inspections_->hideTables();
    methodLine();
}

void MainWindow::setBusy(bool enabled) {
    toolbar_->setEnabled(enabled);
    for (QMenu* m : menus_)
        m->menuAction()->setEnabled(enabled);
    // The fields and commands of the pages stay still while the worker reads them.
    input_->setEnabled(enabled);
    results_->setCommandsEnabled(enabled);
    inspections_->setEnabled(enabled);
    projectName_->setEnabled(enabled);
    runButton_->setEnabled(enabled);
    refineButton_->setEnabled(enabled);
}

void MainWindow::showSideWindow(QWidget* window) {
    if (!window) return;
    setEnabled(false);
    window->show();
    window->raise();
    window->activateWindow();
}

void MainWindow::exitCommand() {
    if (running_) return;
    if (DefMessageDlg(Q(TextCis(msg::ConfirmationTitle)), Q(TextCis(msg::ExitQuestion)),
                      BoxKind::Confirmation, BoxButtons::YesNo, this) == BoxYes)
        close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (worker_) {
        driver_->RequestInterrupt();
        worker_->wait();
    }
    saveMainSettings();
    for (QWidget* side : QApplication::topLevelWidgets())
        if (side != this) side->hide();
    event->accept();
}

void MainWindow::foldersBox() {
    const std::string text =
        "\t" + FormatMessage(TextCis(msg::FoldersList),
                             {S(QDir::toNativeSeparators(paths_.projectDir)),
                              S(QDir::toNativeSeparators(paths_.graphsAndPrintsDir)),
                              S(QDir::toNativeSeparators(paths_.rawDataDir)),
                              S(QDir::toNativeSeparators(paths_.resultsDir))});
    DefMessageDlg(Q(TextCis(msg::InformationTitle)), Q(text), BoxKind::Information, BoxButtons::Ok,
                  this);
}

void MainWindow::switchLanguage(Language language) {
    languageTicks_.tick(language == Language::Czech);
    if (language == shownLanguage_) return;
    shownLanguage_ = language;
    SetLanguage(language);
    UseQtTranslations(language);
    ApplyCaptionTable(this, WindowId::Main, language);
    applyLanguageLayout();
    for (SideWindow* side : sideWindows_)
        side->applyLanguage(language);
    histogram_->setAxisMode(axisTicks_.firstTicked() ? 0 : 1);
    applyRawDataLanguage(language);
    methodLine();
}

// What the caption tables cannot set: texts composed of pieces and of the run's results.
void MainWindow::applyLanguageLayout() {
    setWindowTitle(Q(TextCis(msg::MainWindowTitle)) + TESSAVIN_VERSION + " )");
    input_->applyLanguage();
    inspections_->applyLanguage(state_->blockShown - 1);
    showCrackOrigin();
    results_->applyLanguage(in_.crackOrigin, inspections_->exactPlan() != nullptr);
    crossCheck_->applyLanguage();
}

void MainWindow::methodLine() {
    results_->setMethodLines(Q(MethodLine(in_.integration)),
                             Q(ConventionLine(in_.integration.convention)));
}

void MainWindow::showCrackOrigin() {
    results_->setCrackOriginLine(input_->summaryLine());
}

// ------------------------------------------------------------------ reactions

void MainWindow::resetResults() {
    ResetResults(*state_);
    results_->disableResistanceButtons();
    hideYearResults();
    results_->resetYearProbabilities();
}

void MainWindow::hideYearResults() {
    state_->NnCurrent = state_->SnCurrent = state_->RfUReady = state_->RfFReady = false;
    results_->hideYearResults();
    refineButton_->hide();
    for (QAction* command : {eventChartsMenu_, workbookItem_, saveProjectItem_})
        command->setEnabled(false);
    withdrawReport();
    // The inspections come from the same years: none stays beside the new inputs.
    crossCheck_->clear();
    clearSensitivity();
    results_->clearChart();
    if (inspections_->exactPlan()) results_->hideLegend();
    inspections_->clear();
    results_->hidePlans();
    state_->inspectionsFound = 0;
    results_->forgetFirstInspection();
}

void MainWindow::defaultInputSources() {
    input_->defaultSources();
    ResetResults(*state_);
    results_->disableResistanceButtons();
    results_->disableYearButtons();
    results_->setYearPlaceholder("0");
    results_->hideFirstInspection();
    results_->hideChart();
}

void MainWindow::resetInputHistograms() {
    measured_ = {};
    input_->clearInputHistograms();
    results_->hideChartTools();
    defaultInputSources();
    resetResults();
}

void MainWindow::defaultsCommand() {
    if (DefMessageDlg(Q(TextCis(msg::ConfirmationTitle)), Q(TextCis(msg::DefaultsQuestion)),
                      BoxKind::Confirmation, BoxButtons::YesNo, this) != BoxYes)
        return;
    // The default sizes of the settings keys; each window's minimum size still applies.
    PlaceAtDefault(this, WindowId::Main);
    for (SideWindow* side : sideWindows_)
        side->resetPlacement();
    input_->defaultRandomInputs();
    input_->defaultTexts();
    in_.tfValue = DefaultInputs().tfValue;
    integration_->resetToDefaults();
    // The convention, the method and the plan are settings of the program: a restart must not
    // bring back the ones just reset.
    integration_->saveSettings(paths_.settingsPath);
    constexpr InputDefaults d = DefaultInputs();
    in_.startText = d.yearStart;
    in_.stepText = d.yearStep;
    in_.endText = d.yearEnd;
    defaultInputSources();
    for (QAction* command : {eventChartsMenu_, workbookItem_, saveProjectItem_})
        command->setEnabled(false);
    withdrawReport();
    in_.controlPrint = false;
    colourTicks_.tick(true);
    controlPrintTicks_.tick(false);
    boundTicks_.tick(true);
    in_.lowerBound = true;
    // The display choices the settings keep: the target β and the charts' log scales. The event
    // graph keeps its own at once, as the integration window does, whether shown or not.
    readResultsChoices(SettingsFile());
    eventGraph_->resetOwnSettings();
    eventGraph_->saveSettings(paths_.settingsPath);
    switchLanguage(Language::English);
    input_->defaultRandomInputs();
    setWindowState(Qt::WindowNoState);
}

} // namespace tessavin::ui
