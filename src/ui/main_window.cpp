#include "main_window.h"

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

#include "about_window.h"
#include "calculation/integration_settings.h"
#include "caption_tables.h"
#include "chart_panel.h"
#include "common/number_parse.h"
#include "event_graph_window.h"
#include "histogram_window.h"
#include "integration_window.h"
#include "interaction.h"
#include "localisation/messages.h"
#include "platform_texts.h"
#include "raw_data_window.h"
#include "settings_window.h"
#include "splash_window.h"
#include "string_grid.h"
#include "suitable_histograms_window.h"

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

    panel1_ = new QWidget(central);
    panel1_->setObjectName("Panel1");
    panel1_->setFixedHeight(31);
    column->addWidget(panel1_);
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
    connect(integration_.get(), &IntegrationWindow::closed, this, [this] { setEnabled(true); });
    connect(about_.get(), &AboutWindow::closed, this, [this] { setEnabled(true); });

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

QAction* MainWindow::action(const char* name) const {
    return findChild<QAction*>(name);
}

void MainWindow::buildToolbar() {
    auto* row = new QHBoxLayout(panel1_);
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
    for (const Glyph& g : glyphs)
        row->addWidget(GlyphButton(panel1_, g.name, g.pixmap));
    row->addStretch(1);
    for (const char* off : {"BGrafVysl", "BExcel", "SaveProjekt"})
        panel1_->findChild<QToolButton*>(off)->setEnabled(false);

    connect(panel1_->findChild<QToolButton*>("BNastav"), &QToolButton::clicked, this,
            [this] { showSideWindow(integration_.get()); });
    connect(panel1_->findChild<QToolButton*>("BDefHodn"), &QToolButton::clicked, this,
            &MainWindow::defaultsCommand);
    connect(panel1_->findChild<QToolButton*>("OAdresach"), &QToolButton::clicked, this,
            &MainWindow::foldersBox);
    connect(panel1_->findChild<QToolButton*>("OVerzi"), &QToolButton::clicked, this,
            [this] { showSideWindow(about_.get()); });
    connect(panel1_->findChild<QToolButton*>("BKonec"), &QToolButton::clicked, this,
            &MainWindow::exitCommand);
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
    auto item = [this](QMenu* menu, const char* name, const QString& text,
                       const QKeySequence& key = {}, bool checkable = false) {
        QAction* a = menu->addAction(text);
        a->setObjectName(name);
        a->setParent(menu);
        if (!key.isEmpty()) a->setShortcut(key);
        a->setCheckable(checkable);
        return a;
    };

    menuFunction_ = submenu(nullptr, "N3", "&Function");
    QMenu* charts = submenu(menuFunction_, "GrafjevUDF1", "&Probability Charts of Events U, D, F");
    charts->menuAction()->setEnabled(false);
    item(charts, "Graf11", "Chart &1 ( U,D,F - Line Graph )");
    item(charts, "Graf21", "Chart &2 ( U,D,F - Bar Graph )");
    item(charts, "Graf31", "Chart &3 ( Time of Inspections )");
    item(menuFunction_, "UlozExcel", "Save results to the &spreadsheet")->setEnabled(false);
    item(menuFunction_, "Otevrit1", "&Open results");
    item(menuFunction_, "Ulozit1", "&Save results")->setEnabled(false);
    connect(item(menuFunction_, "Konec1", "&Exit", QKeySequence("Ctrl+X")), &QAction::triggered,
            this, &MainWindow::exitCommand);

    menuSetUp_ = submenu(nullptr, "N1", "&Set up");
    connect(item(menuSetUp_, "VolbaIntegrace1", "Selection of &Integration Methods",
                 QKeySequence("Ctrl+M")),
            &QAction::triggered, this, [this] { showSideWindow(integration_.get()); });
    connect(item(menuSetUp_, "Pedvolenhodnoty1", "&Default values", QKeySequence("Ctrl+D")),
            &QAction::triggered, this, &MainWindow::defaultsCommand);

    // Pairs of check items, one of which is always ticked.
    auto pair = [&](QMenu* menu, const char* a, const QString& ta, const char* b, const QString& tb,
                    bool firstTicked) {
        QAction* x = item(menu, a, ta, {}, true);
        QAction* y = item(menu, b, tb, {}, true);
        x->setChecked(firstTicked);
        y->setChecked(!firstTicked);
        return std::pair{x, y};
    };
    QMenu* language = submenu(menuSetUp_, "Jazyk1", "&Language");
    auto [czech, english] = pair(language, "Cestina", "&Czech", "Anglictina", "&English", false);
    // Qt toggles a check item before its handler runs; the handler wants the tick before it.
    connect(czech, &QAction::triggered, this, [this, czech = czech](bool now) {
        czech->setChecked(!now);
        switchLanguage(Language::Czech);
    });
    connect(english, &QAction::triggered, this, [this, english = english](bool now) {
        english->setChecked(!now);
        switchLanguage(Language::English);
    });

    QMenu* colours = submenu(menuSetUp_, "BarZvy", "The colour highlighting &histograms");
    auto [ano1, ne1] = pair(colours, "Ano1", "Yes", "Ne1", "No", true);
    QMenu* axis = submenu(menuSetUp_, "BottomAxis", "&Labels on Bottom axis");
    auto [index1, nonIndex] =
        pair(axis, "index1", "&index  f (z)", "NonIndex", "&value  f (z)", false);
    QMenu* printing = submenu(menuSetUp_, "KontrolniTisk1", "&Control printing");
    auto [ano2, ne2] = pair(printing, "Ano2", "&Yes", "Ne2", "&No", false);
    QMenu* further = submenu(menuSetUp_, "VypDalProhl",
                             "&Selection of the calculation 2th, 3th., ... inspection time");
    auto [dolMez, horMez] = pair(further, "DolMez", "&Lower bound 1th inspection time", "HorMez",
                                 "&Upper bound 1th inspection time", true);
    // A click on a check item ticks it and unticks its partner; the tick is the state.
    auto exclusive = [this](QAction* on, QAction* off, const std::function<void()>& then = {}) {
        connect(on, &QAction::triggered, this, [on, off, then] {
            on->setChecked(true);
            off->setChecked(false);
            if (then) then();
        });
    };
    exclusive(ano1, ne1);
    exclusive(ne1, ano1);
    // Choosing the axis mode that is already ticked does nothing.
    exclusive(index1, nonIndex, [this] {
        if (histogram_) histogram_->setAxisMode(0);
        if (rawData_) rawData_->setAxisMode(0);
    });
    exclusive(nonIndex, index1, [this] {
        if (histogram_) histogram_->setAxisMode(1);
        if (rawData_) rawData_->setAxisMode(1);
    });
    exclusive(ano2, ne2, [this] { in_.controlPrint = true; });
    exclusive(ne2, ano2, [this] { in_.controlPrint = false; });
    exclusive(dolMez, horMez, [this] { in_.lowerBound = true; });
    exclusive(horMez, dolMez, [this] { in_.lowerBound = false; });

    QAction* toolbarWanted = item(menuSetUp_, "TcharCom", "Show the chart toolbar ?", {}, true);
    toolbarWanted->setChecked(true);
    item(menuSetUp_, "VpisINIsouboru1", "INI-&file statement", QKeySequence("Ctrl+I"));

    menuHelp_ = submenu(nullptr, "N2", "&Help");
    connect(item(menuHelp_, "Npovda1", "About &Version ", QKeySequence(Qt::Key_F1)),
            &QAction::triggered, this, [this] { showSideWindow(about_.get()); });
    connect(item(menuHelp_, "OAdresach1", "About &Directories", QKeySequence(Qt::Key_F2)),
            &QAction::triggered, this, &MainWindow::foldersBox);
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
    in_.controlPrint = action("Ano2")->isChecked();
    SetLanguage(action("Cestina")->isChecked() ? Language::Czech : Language::English);
    UseQtTranslations(CurrentLanguage());
    ApplyCaptionTable(this, 1, CurrentLanguage());
    integration_->applyLanguage(CurrentLanguage());
    about_->applyLanguage(CurrentLanguage());
    histogram_->applyLanguage(CurrentLanguage());
    histogram_->setAxisMode(action("index1")->isChecked() ? 0 : 1);
    applyRawDataLanguage(CurrentLanguage());
    rawData_->setFolders(paths_.rawDataDir, paths_.startDir);
    rawData_->loadSettings(paths_.settingsPath);
    eventGraph_->applyLanguage(CurrentLanguage());
    applyLanguageLayout();

    state_->NnReady = state_->DeltaSmReady = state_->SnReady = false;
    updateChartButtons();
    resetResults();
    stringGrid1_->hide();
    in_.startText = in_.yearStart;
    in_.stepText = in_.yearStep;
    in_.endText = in_.yearEnd;
    pages_->setCurrentWidget(tabInput_);
    QWidget::setTabOrder(rows_[RandomInputCount].n, bPocitej_); // the Enter order ends at RUN
    for (QWidget* w : {static_cast<QWidget*>(stringGrid3_), static_cast<QWidget*>(stringGrid4_),
                       static_cast<QWidget*>(stringGrid5_), static_cast<QWidget*>(label18_),
                       static_cast<QWidget*>(label21_), static_cast<QWidget*>(label22_),
                       static_cast<QWidget*>(label30_), static_cast<QWidget*>(label32_)})
        w->hide();
    methodLine();
}

void MainWindow::connectCommands() {
    const std::pair<QToolButton*, int> charts[] = {{bGN_, 2},   {bGV_, 3},       {bJevU_, 4},
                                                   {bJevF_, 5}, {bJevuUmSn_, 6}, {bJevuFmSn_, 7}};
    for (const auto& [button, kind] : charts)
        connect(button, &QToolButton::clicked, this, [this, kind = kind] { showHistogram(kind); });
    for (int k = 1; k <= RandomInputCount; ++k)
        connect(rows_[k].chart, &QToolButton::clicked, this, [this, k] { showHistogram(k + 7); });

    auto button = [this](const char* name) { return panel1_->findChild<QToolButton*>(name); };
    connect(button("BGrafVysl"), &QToolButton::clicked, this, [this] { showEventGraph(2); });
    for (int page : {1, 2, 3})
        connect(action(QString("Graf%1").arg(page * 10 + 1).toUtf8().constData()),
                &QAction::triggered, this, [this, page] { showEventGraph(page); });
    connect(button("BExcel"), &QToolButton::clicked, this, &MainWindow::exportWorkbook);
    connect(action("UlozExcel"), &QAction::triggered, this, &MainWindow::exportWorkbook);
    connect(button("OpenProjekt"), &QToolButton::clicked, this, &MainWindow::openProjectCommand);
    connect(action("Otevrit1"), &QAction::triggered, this, &MainWindow::openProjectCommand);
    connect(button("SaveProjekt"), &QToolButton::clicked, this, &MainWindow::saveProjectCommand);
    connect(action("Ulozit1"), &QAction::triggered, this, &MainWindow::saveProjectCommand);
    connect(action("VpisINIsouboru1"), &QAction::triggered, this, &MainWindow::showSettingsListing);
}

void MainWindow::setBusy(bool enabled) {
    panel1_->setEnabled(enabled);
    panel3_->setEnabled(enabled);
    for (QMenu* m : {menuFunction_, menuSetUp_, menuHelp_})
        m->menuAction()->setEnabled(enabled);
    // The fields and commands of the pages stay still while the worker reads them.
    tabInput_->setEnabled(enabled);
    groupBox1_->setEnabled(enabled);
    groupBox3_->setEnabled(enabled);
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
    QAction* chosen = action(language == Language::Czech ? "Cestina" : "Anglictina");
    QAction* other = action(language == Language::Czech ? "Anglictina" : "Cestina");
    if (chosen->isChecked()) return;
    chosen->setChecked(true);
    other->setChecked(false);
    SetLanguage(language);
    UseQtTranslations(language);
    ApplyCaptionTable(this, 1, language);
    applyLanguageLayout();
    about_->applyLanguage(language);
    integration_->applyLanguage(language);
    if (histogram_) {
        histogram_->applyLanguage(language);
        histogram_->setAxisMode(action("index1")->isChecked() ? 0 : 1);
    }
    if (rawData_) applyRawDataLanguage(language);
    if (eventGraph_) eventGraph_->applyLanguage(language);
    if (settingsListing_) settingsListing_->applyLanguage(language);
    methodLine();
}

void MainWindow::methodLine() {
    label24_->setText(Q(MethodLine(in_.integration)));
    conventionLabel_->setText(Q(ConventionLine(in_.integration.convention)));
}

} // namespace tessavin::ui
