#include "ui/main/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QGroupBox>
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

#include "calculation/integration_settings.h"
#include "common/number_parse.h"
#include "localisation/messages.h"
#include "ui/charts/chart_panel.h"
#include "ui/common/caption_tables.h"
#include "ui/common/interaction.h"
#include "ui/common/platform_texts.h"
#include "ui/common/string_grid.h"
#include "ui/rawdata/raw_data_window.h"
#include "ui/rawdata/suitable_histograms_window.h"
#include "ui/windows/about_window.h"
#include "ui/windows/event_graph_window.h"
#include "ui/windows/histogram_window.h"
#include "ui/windows/integration_window.h"
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
    tabInput_ = new QWidget;
    tabInput_->setObjectName("TabSheet1");
    tabResults_ = new QWidget;
    tabResults_->setObjectName("TabSheet2");
    tabInspections_ = new QWidget;
    tabInspections_->setObjectName("TabSheet3");
    pages_->addTab(tabInput_, "Input data");
    pages_->addTab(tabResults_, "Results");
    pages_->addTab(tabInspections_, "Inspections");
    pages_->setMinimumHeight(344);
    column->addWidget(pages_, 1);
    buildInputPage(tabInput_);
    buildResultsPage(tabResults_);
    buildInspectionsPage(tabInspections_);

    auto* bottom = new QWidget(central);
    column->addWidget(bottom);
    buildBottomRow(bottom);

    integration_ = std::make_unique<IntegrationWindow>(in_.integration);
    about_ = std::make_unique<AboutWindow>();
    connect(integration_.get(), &IntegrationWindow::settingsChanged, this, [this] {
        resetInputHistograms();
        methodLine();
    });
    registerSideWindow(integration_.get(), true);
    registerSideWindow(about_.get(), true);

    buildMenu();
    createHistogramWindow();
    createRawDataWindow();
    createPresentationWindows();
    createPersistenceWindows();
    connectCommands();

    // Status bar: the time of day, then the long part of the hint under the mouse.
    clock_ = new QLabel(this);
    clock_->setObjectName("StatusClock");
    clock_->setFixedWidth(60);
    statusBar()->setObjectName("StatusBar1");
    statusBar()->addWidget(clock_);
    // Hints go to a label of their own: a status-bar message would hide the clock.
    hint_ = new QLabel(this);
    hint_->setObjectName("StatusHint");
    statusBar()->addWidget(hint_, 1);
    clockTimer_ = new QTimer(this);
    clockTimer_->setObjectName("Timer1");
    auto tick = [this] {
        // The locale's long time format, with seconds, without the time zone.
        QString format = QLocale().timeFormat(QLocale::LongFormat);
        format.remove('t');
        clock_->setText(QTime::currentTime().toString(format.trimmed()));
    };
    connect(clockTimer_, &QTimer::timeout, this, tick);
    clockTimer_->start(1000);
    tick();

    qApp->installEventFilter(new EscapeWatch(escapeClosedPopup_, this));
    startUp();
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

void MainWindow::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    auto submenu = [this](QMenu* parent, const char* name, const QString& title) {
        QMenu* m = parent ? parent->addMenu(title) : menuBar()->addMenu(title);
        m->setObjectName(name);
        m->menuAction()->setObjectName(name);
        return m;
    };
    auto item = [](QMenu* menu, const char* name, const QString& text, const QKeySequence& key = {},
                   bool checkable = false) {
        QAction* a = menu->addAction(text);
        a->setObjectName(name);
        a->setParent(menu);
        if (!key.isEmpty()) a->setShortcut(key);
        a->setCheckable(checkable);
        return a;
    };

    menuFunction_ = submenu(nullptr, "N3", "&Function");
    QMenu* charts = submenu(menuFunction_, "GrafjevUDF1", "&Probability Charts of Events U, D, F");
    eventChartsMenu_ = charts->menuAction();
    eventChartsMenu_->setEnabled(false);
    const std::pair<const char*, const char*> pages[] = {
        {"Graf11", "Chart &1 ( U,D,F - Line Graph )"},
        {"Graf21", "Chart &2 ( U,D,F - Bar Graph )"},
        {"Graf31", "Chart &3 ( Time of Inspections )"}};
    for (int page : {1, 2, 3}) {
        eventChartItems_[page - 1] = item(charts, pages[page - 1].first, pages[page - 1].second);
        connect(eventChartItems_[page - 1], &QAction::triggered, this,
                [this, page] { showEventGraph(page); });
    }
    workbookItem_ = item(menuFunction_, "UlozExcel", QString()); // the caption table names it
    workbookItem_->setEnabled(false);
    openProjectItem_ = item(menuFunction_, "Otevrit1", "&Open results");
    saveProjectItem_ = item(menuFunction_, "Ulozit1", "&Save results");
    saveProjectItem_->setEnabled(false);
    exitItem_ = item(menuFunction_, "Konec1", "&Exit", QKeySequence("Ctrl+X"));
    connect(workbookItem_, &QAction::triggered, this, &MainWindow::exportWorkbook);
    connect(openProjectItem_, &QAction::triggered, this, &MainWindow::openProjectCommand);
    connect(saveProjectItem_, &QAction::triggered, this, &MainWindow::saveProjectCommand);
    connect(exitItem_, &QAction::triggered, this, &MainWindow::exitCommand);

    menuSetUp_ = submenu(nullptr, "N1", "&Set up");
    integrationItem_ = item(menuSetUp_, "VolbaIntegrace1", "Selection of &Integration Methods",
                            QKeySequence("Ctrl+M"));
    connect(integrationItem_, &QAction::triggered, this,
            [this] { showSideWindow(integration_.get()); });
    defaultsItem_ = item(menuSetUp_, "Pedvolenhodnoty1", "&Default values", QKeySequence("Ctrl+D"));
    connect(defaultsItem_, &QAction::triggered, this, &MainWindow::defaultsCommand);

    // Pairs of check items, exactly one of which is ticked.
    auto pair = [&](QMenu* menu, const char* a, const QString& ta, const char* b, const QString& tb,
                    bool firstTicked) {
        TickPair p{item(menu, a, ta, {}, true), item(menu, b, tb, {}, true)};
        auto* group = new QActionGroup(menu);
        group->addAction(p.first);
        group->addAction(p.second);
        p.tick(firstTicked);
        return p;
    };
    QMenu* language = submenu(menuSetUp_, "Jazyk1", "&Language");
    languageTicks_ = pair(language, "Cestina", "&Czech", "Anglictina", "&English", false);
    connect(languageTicks_.first, &QAction::triggered, this,
            [this] { switchLanguage(Language::Czech); });
    connect(languageTicks_.second, &QAction::triggered, this,
            [this] { switchLanguage(Language::English); });

    QMenu* colours = submenu(menuSetUp_, "BarZvy", "The colour highlighting &histograms");
    colourTicks_ = pair(colours, "Ano1", "Yes", "Ne1", "No", true);
    QMenu* axis = submenu(menuSetUp_, "BottomAxis", "&Labels on Bottom axis");
    axisTicks_ = pair(axis, "index1", "&index  f (z)", "NonIndex", "&value  f (z)", false);
    QMenu* printing = submenu(menuSetUp_, "KontrolniTisk1", "&Control printing");
    controlPrintTicks_ = pair(printing, "Ano2", "&Yes", "Ne2", "&No", false);
    QMenu* further = submenu(menuSetUp_, "VypDalProhl",
                             "&Selection of the calculation 2th, 3th., ... inspection time");
    boundTicks_ = pair(further, "DolMez", "&Lower bound 1th inspection time", "HorMez",
                       "&Upper bound 1th inspection time", true);
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

    chartToolbarItem_ = item(menuSetUp_, "TcharCom", "Show the chart toolbar ?", {}, true);
    chartToolbarItem_->setChecked(true);
    connect(item(menuSetUp_, "VpisINIsouboru1", "INI-&file statement", QKeySequence("Ctrl+I")),
            &QAction::triggered, this, &MainWindow::showSettingsListing);

    menuHelp_ = submenu(nullptr, "N2", "&Help");
    aboutItem_ = item(menuHelp_, "Npovda1", "About &Version ", QKeySequence(Qt::Key_F1));
    connect(aboutItem_, &QAction::triggered, this, [this] { showSideWindow(about_.get()); });
    foldersItem_ = item(menuHelp_, "OAdresach1", "About &Directories", QKeySequence(Qt::Key_F2));
    connect(foldersItem_, &QAction::triggered, this, &MainWindow::foldersBox);

    // Each toolbar button is the second face of a menu command.
    const std::pair<const char*, QAction*> faces[] = {{"BGrafVysl", eventChartItems_[1]},
                                                      {"BExcel", workbookItem_},
                                                      {"OpenProjekt", openProjectItem_},
                                                      {"SaveProjekt", saveProjectItem_},
                                                      {"BNastav", integrationItem_},
                                                      {"BDefHodn", defaultsItem_},
                                                      {"OAdresach", foldersItem_},
                                                      {"OVerzi", aboutItem_},
                                                      {"BKonec", exitItem_}};
    for (const auto& [name, command] : faces)
        FollowCommand(toolbar_->findChild<QToolButton*>(name), command,
                      command == eventChartItems_[1] ? eventChartsMenu_ : command);
}

void MainWindow::buildBottomRow(QWidget* area) {
    auto* row = new QHBoxLayout(area);
    row->setContentsMargins(4, 2, 4, 2);
    auto* label99 = new QLabel("Project", area);
    label99->setObjectName("Label99");
    edProjekt_ = new QLineEdit(area);
    edProjekt_->setObjectName("EdProjekt");
    connect(edProjekt_, &QLineEdit::textChanged, this,
            [this](const QString& t) { in_.projectName = S(t); });
    bPrerus_ = new QPushButton("&Break", area);
    bPrerus_->setObjectName("BPrerus");
    bPocitej_ = new QPushButton("&RUN", area);
    bPocitej_->setObjectName("BPocitej");
    bnUpresnit_ = new QPushButton("&Specification", area);
    bnUpresnit_->setObjectName("BnUpresnit");
    // Enter on a focused button presses it, as Space does.
    for (QPushButton* b : {bPrerus_, bPocitej_, bnUpresnit_})
        b->setAutoDefault(true);
    row->addWidget(label99);
    row->addWidget(edProjekt_, 1);
    row->addSpacing(20);
    row->addWidget(bPrerus_);
    row->addWidget(bPocitej_);
    row->addWidget(bnUpresnit_);
    bPrerus_->hide();
    bnUpresnit_->hide();
    connect(bPocitej_, &QPushButton::clicked, this, &MainWindow::BPocitejClick);
    connect(bPrerus_, &QPushButton::clicked, this, &MainWindow::BPrerusClick);
    connect(bnUpresnit_, &QPushButton::clicked, this, &MainWindow::BnUpresnitClick);
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
    ApplyCaptionTable(this, WindowId::Main, CurrentLanguage());
    for (SideWindow* side : sideWindows_)
        side->applyLanguage(CurrentLanguage());
    histogram_->setAxisMode(axisTicks_.firstTicked() ? 0 : 1);
    applyRawDataLanguage(CurrentLanguage());
    rawData_->setFolders(paths_.rawDataDir, paths_.startDir);
    applyLanguageLayout();

    state_->NnReady = state_->DeltaSmReady = state_->SnReady = false;
    updateChartButtons();
    resetResults();
    timingTable_->hide();
    in_.startText = in_.yearStart;
    in_.stepText = in_.yearStep;
    in_.endText = in_.yearEnd;
    pages_->setCurrentWidget(tabInput_);
    QWidget::setTabOrder(rows_[RandomInputCount].n, bPocitej_); // the Enter order ends at RUN
    hideInspectionTables();
    methodLine();
}

void MainWindow::connectCommands() {
    const std::pair<QToolButton*, int> charts[] = {{bGN_, 2},   {bGV_, 3},       {bJevU_, 4},
                                                   {bJevF_, 5}, {bJevuUmSn_, 6}, {bJevuFmSn_, 7}};
    for (const auto& [button, kind] : charts)
        connect(button, &QToolButton::clicked, this, [this, kind = kind] { showHistogram(kind); });
    for (int k = 1; k <= RandomInputCount; ++k)
        connect(rows_[k].chart, &QToolButton::clicked, this, [this, k] { showHistogram(k + 7); });
}

void MainWindow::setBusy(bool enabled) {
    toolbar_->setEnabled(enabled);
    inspectionChartTools_->setEnabled(enabled);
    for (QMenu* m : {menuFunction_, menuSetUp_, menuHelp_})
        m->menuAction()->setEnabled(enabled);
    // The fields and commands of the pages stay still while the worker reads them.
    tabInput_->setEnabled(enabled);
    summaryBox_->setEnabled(enabled);
    yearBox_->setEnabled(enabled);
    tabInspections_->setEnabled(enabled);
    edProjekt_->setEnabled(enabled);
    bPocitej_->setEnabled(enabled);
    bnUpresnit_->setEnabled(enabled);
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
    if (DefMessageDlg(Q(TextCis(1)), Q(TextCis(10)), BoxKind::Confirmation, BoxButtons::YesNo,
                      this) == BoxYes)
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
        "\t" + FormatMessage(TextCis(5), {S(QDir::toNativeSeparators(paths_.projectDir)),
                                          S(QDir::toNativeSeparators(paths_.graphsAndPrintsDir)),
                                          S(QDir::toNativeSeparators(paths_.rawDataDir)),
                                          S(QDir::toNativeSeparators(paths_.resultsDir))});
    DefMessageDlg(Q(TextCis(2)), Q(text), BoxKind::Information, BoxButtons::Ok, this);
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

void MainWindow::methodLine() {
    methodLabel_->setText(Q(MethodLine(in_.integration)));
    conventionLabel_->setText(Q(ConventionLine(in_.integration.convention)));
}

} // namespace tessavin::ui
