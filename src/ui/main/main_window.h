#pragma once
// The main window: toolbar, main menu, the input, results and inspections pages, the bottom
// command row and the status bar. It owns the calculation's inputs and state and runs the
// calculation on a worker thread.
#include <QHash>
#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include "calculation/driver.h"
#include "calculation/model.h"
#include "exactplan/plan_search.h"
#include "localisation/language.h"
#include "parametric/parameter_block.h"
#include "ui/common/shell_paths.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QThread;
class QTimer;
class QToolButton;

namespace tessavin::ui {

class AboutWindow;
class ChartPanel;
class CrossCheck;
class EventGraphWindow;
class HistogramWindow;
class RawDataWindow;
class SuitableHistogramsWindow;
class SettingsListingWindow;
class SideWindow;
class IntegrationWindow;
class SplashWindow;
class StringGrid;

// What the exact plan of a run came to: nothing (not chosen, or the run did not complete), the
// plan, or the failure that stopped it.
using ExactOutcome = std::variant<std::monostate, exactplan::PlanCurves, Failure>;

// One random-input row of the input page.
struct InputRow {
    QComboBox* source = nullptr;
    QComboBox* type = nullptr;
    QLineEdit* mi = nullptr;
    QLineEdit* sigma = nullptr;
    QLineEdit* n = nullptr;
    QToolButton* chart = nullptr;
    // Type, Mi, Sigma and N: editable for a parametric input, read-only for raw data.
    void setFieldsEnabled(bool enabled) const;
};

// Two check items of a menu in an exclusive group: ticking one unticks the other.
struct TickPair {
    QAction* first = nullptr;
    QAction* second = nullptr;
    bool firstTicked() const;
    void tick(bool firstOne) const;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Commands, also reached from the toolbar, the menu and the keyboard.
    void BPocitejClick();
    void BPrerusClick();
    void BnUpresnitClick();
    void CBVyberChange();
    void defaultsCommand();
    void switchLanguage(Language language);
    void exitCommand();
    void foldersBox();

    // Operations other parts of the program call.
    void setBusy(bool enabled);
    void showSideWindow(QWidget* window);
    void resetResults();
    void hideYearResults();
    void defaultInputSources();
    void resetInputHistograms();
    void defaultRandomInputs();
    void methodLine();

    bool calculationRunning() const { return running_; }
    const CalculationInputs& inputs() const { return in_; }
    const ParameterBlock& parameterBlock() const { return parameterBlock_; }
    CalculationState& state() { return *state_; }
    const ShellPaths& paths() const { return paths_; }
    IntegrationWindow* integrationWindow() const { return integration_.get(); }
    AboutWindow* aboutWindow() const { return about_.get(); }
    HistogramWindow* histogramWindow() const { return histogram_.get(); }
    EventGraphWindow* eventGraphWindow() const { return eventGraph_.get(); }
    RawDataWindow* rawDataWindow() const { return rawData_.get(); }
    SplashWindow* splashWindow() const { return splash_.get(); }

    // Histogram window (main_window_histograms.cpp): kind as the window numbers its contents,
    // 2 Nn, 3 Sn, 4 R(ad), 5 R(aac), 6 U, 7 F, 8 .. 13 input 1 .. 6.
    void showHistogram(int kind);
    // Raw data window (main_window_rawdata.cpp): input k is built from measured values.
    void openRawDataWindow(int k);
    // Event graph window and workbook (main_window_presentation.cpp).
    void showEventGraph(int page);
    void exportWorkbook();
    // Settings and project files (main_window_persistence.cpp).
    void loadMainSettings();
    void saveMainSettings();
    void openProjectCommand();
    void saveProjectCommand();
    void showSettingsListing();

  signals:
    // A calculation (run, refinement) has ended and the window is idle again.
    void calculationFinished();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

  private:
    // Construction, by part of the window.
    void buildToolbar();
    void buildMenu();
    void buildInputPage(QWidget* page);
    void buildResultsPage(QWidget* page);
    void buildInspectionsPage(QWidget* page);
    void buildBottomRow(QWidget* area);
    void startUp();
    void connectCommands();

    // Input page behaviour.
    void connectInputFields();
    bool leaveField(QLineEdit* field);
    void fieldChanged(QLineEdit* field);
    void rebuildInput(int k);
    void syncRandomFields(int k);
    void updateCrackOriginLabel();

    // The event graph window follows the run (main_window_presentation.cpp).
    void eventGraphStart(const RunPlan& plan);
    void eventGraphYear(const YearRow& row);
    void eventGraphFinish(const RunResult& result);
    void createPresentationWindows();
    void createHistogramWindow();
    void createRawDataWindow();
    void rawDataWindowClosed(int k, bool withSample, const DiscreteHistogram& histogram);
    void openSuitableTable();
    void applyRawDataLanguage(Language language);
    void createPersistenceWindows();
    // A side window of this window: its language follows the menu, its place, size and
    // settings are restored at start and kept when it closes; `modal` when this window is
    // disabled while it is open.
    void registerSideWindow(SideWindow* window, bool modal);
    void restoreSideWindows();

    // The calculation, GUI side.
    void startRun(bool refining);
    bool yearFieldsAccepted();
    bool inputRowsAccepted();
    void runOnWorker(const RunPlan& plan);
    void onResistanceProgress(const ResistanceProgress& p);
    void onGauge(int position, int maximum);
    void onYearDone(const YearRow& row);
    void finishRun(const RunResult& result, const ExactOutcome& exact);
    // The exact plan, on the worker after a completed run, when the integration window chose it.
    ExactOutcome exactPlanAfter(const RunResult& result) const;
    void buildExactPlanTable(QWidget* page);
    void showExactPlan(const exactplan::PlanCurves& plan);
    void drawExactCurves(const exactplan::PlanCurves& plan);
    void hideExactPlan();
    // The years of EdProhlidky, within the period of the year fields when `inPeriod`, else
    // within 0 .. MaxYear; a refusal names the field.
    std::variant<std::vector<int>, std::string> inspectedYears(bool inPeriod) const;
    // Titles, headers, note and legend of the exact plan in the language in effect.
    void exactPlanTexts();
    // LPlan: which plans the run computed.
    void showPlanLabel();
    void showFirstInspection();
    void showInspectionTable(const InspectionTable& table);
    void abortCalculationDisplays(AbortKind kind);
    void writeResultTextFile();
    void selectInspectionRow(int row);
    void updateChartButtons();
    void applyLanguageLayout();
    void clearInspectionChart();
    void clearInspectionsPage();
    // The tables of the inspections page and their titles, shown again by the next run.
    void hideInspectionTables();

    // Model.
    CalculationInputs in_;
    ParameterBlock parameterBlock_; // what the discretisation is handed and writes back
    std::unique_ptr<CalculationState> state_;
    std::unique_ptr<CalculationDriver> driver_;
    ShellPaths paths_;
    bool running_ = false;
    bool refiningRun_ = false;
    bool checkingField_ = false;
    QHash<QLineEdit*, QString> enteredText_; // a field's text when it took the focus
    QLineEdit* lastYearField_ = nullptr;     // EdRokT or EdRokKon, whichever changed last
    bool escapeClosedPopup_ = false;         // the Esc under way was a popup's
    std::optional<FirstInspectionResult> first_;
    InspectionPlan plan_;
    std::optional<exactplan::PlanCurves> exact_; // the exact plan of the run shown, when computed
    RunPlan runPlan_;
    QThread* worker_ = nullptr;

    // Menu commands; a toolbar button follows each command it shares.
    QAction* eventChartsMenu_ = nullptr; // the submenu of the three event charts
    std::array<QAction*, 3> eventChartItems_{};
    QAction* workbookItem_ = nullptr;
    QAction* openProjectItem_ = nullptr;
    QAction* saveProjectItem_ = nullptr;
    QAction* exitItem_ = nullptr;
    QAction* integrationItem_ = nullptr;
    QAction* defaultsItem_ = nullptr;
    QAction* chartToolbarItem_ = nullptr; // the chart toolbar wanted in wide chart windows
    QAction* aboutItem_ = nullptr;
    QAction* foldersItem_ = nullptr;
    // The set-up choices, each a pair of check items of which one is ticked.
    TickPair languageTicks_;     // Czech, English
    TickPair colourTicks_;       // colour highlighting of histograms: yes, no
    TickPair axisTicks_;         // labels on the bottom axis: class index, value
    TickPair controlPrintTicks_; // control printing: yes, no
    TickPair boundTicks_;        // further inspections from the lower, upper bound of the first
    Language shownLanguage_ = Language::English;

    // Side windows (top-level, so that disabling this window leaves them usable).
    std::unique_ptr<SplashWindow> splash_;
    std::unique_ptr<IntegrationWindow> integration_;
    std::unique_ptr<AboutWindow> about_;
    std::unique_ptr<HistogramWindow> histogram_;
    std::unique_ptr<RawDataWindow> rawData_;
    // The table of suitable histograms, made on the first ranking; it disables the raw data
    // window while it is open, so it goes before it.
    std::unique_ptr<SuitableHistogramsWindow> suitableTable_;
    std::unique_ptr<EventGraphWindow> eventGraph_;
    std::unique_ptr<SettingsListingWindow> settingsListing_;
    std::vector<SideWindow*> sideWindows_; // the registered ones, in registration order

    // Frame. Members are named after what they show; the comment gives the objectName, by
    // which tests and settings address the control (docs/GLOSSARY.md explains the Czech ones).
    QWidget* toolbar_ = nullptr; // Panel1
    QTabWidget* pages_ = nullptr;
    QWidget* tabInput_ = nullptr;
    QWidget* tabResults_ = nullptr;
    QWidget* tabInspections_ = nullptr;
    QMenu* menuFunction_ = nullptr; // N3
    QMenu* menuSetUp_ = nullptr;    // N1
    QMenu* menuHelp_ = nullptr;     // N2
    QLabel* clock_ = nullptr;
    QLabel* hint_ = nullptr; // the long part of the hint under the mouse
    QTimer* clockTimer_ = nullptr;
    QLineEdit* edProjekt_ = nullptr;
    QPushButton* bPrerus_ = nullptr;
    QPushButton* bPocitej_ = nullptr;
    QPushButton* bnUpresnit_ = nullptr;

    // Input page.
    QComboBox* cbSireni_ = nullptr;
    QLineEdit* edRokT_ = nullptr;
    QLineEdit* edRokKrok_ = nullptr;
    QLineEdit* edRokKon_ = nullptr;
    QLineEdit* edNavPravd_ = nullptr;
    QLineEdit* edSirPas_ = nullptr;
    QLineEdit* edTloPas_ = nullptr;
    QLineEdit* edKonstC_ = nullptr;
    QLineEdit* edMocM_ = nullptr;
    QLineEdit* edEps_ = nullptr;
    QLineEdit* edPocetIntervalu_ = nullptr;
    QLineEdit* edProhlidky_ = nullptr; // past inspections without a find, years
    std::array<InputRow, RandomInputCount + 1> rows_{};

    // Results page.
    QGroupBox* summaryBox_ = nullptr;    // GroupBox1: method, crack origin, histogram buttons
    QLabel* methodLabel_ = nullptr;      // Label24: the integration method line
    QLabel* conventionLabel_ = nullptr;  // LKonvence: the convention of the classes
    QLabel* crackOriginLabel_ = nullptr; // Label15
    QLabel* radLabel_ = nullptr;         // Label25, beside BJevU (R(ad))
    QLabel* raacLabel_ = nullptr;        // Label26, beside BJevF (R(aac))
    QToolButton* bJevU_ = nullptr;
    QToolButton* bJevF_ = nullptr;
    QToolButton* bGN_ = nullptr;
    QToolButton* bGV_ = nullptr;
    QToolButton* bJevuUmSn_ = nullptr;
    QToolButton* bJevuFmSn_ = nullptr;
    ChartPanel* inspectionChart_ = nullptr;   // Chart3
    QWidget* inspectionChartTools_ = nullptr; // Panel3, the chart's toolbar
    CrossCheck* crossCheck_ = nullptr;
    QLabel* lVysledek_ = nullptr;
    QLabel* lProhl_ = nullptr;
    QLabel* planLabel_ = nullptr;       // LPlan: the plans computed
    QProgressBar* progress_ = nullptr;  // Gauge1
    StringGrid* timingTable_ = nullptr; // StringGrid1: time taken and remaining
    QGroupBox* yearBox_ = nullptr;      // GroupBox3: the chosen year
    QComboBox* cbVyber_ = nullptr;
    StringGrid* yearProbabilities_ = nullptr; // StringGrid2: pU, pD, pF of the chosen year

    // Inspections page.
    StringGrid* yearTable_ = nullptr;        // StringGrid3: pU, pD, pF of every year
    StringGrid* furtherTable_ = nullptr;     // StringGrid4: D, F, Fi after further inspections
    StringGrid* inspectionTable_ = nullptr;  // StringGrid5: each inspection's two years
    QLabel* yearTableTitle_ = nullptr;       // Label18
    QLabel* inspectionTableTitle_ = nullptr; // Label21
    QLabel* yearTableSubtitle_ = nullptr;    // Label22
    QLabel* furtherTableTitle_ = nullptr;    // Label30
    QLabel* furtherTableSubtitle_ = nullptr; // Label32
    QLabel* rulePlanTitle_ = nullptr;        // LPlanPravidla, over Label21 when both plans show
    QLabel* exactPlanTitle_ = nullptr;       // LPlanPresny
    QLabel* exactPlanNote_ = nullptr;        // LPlanPresnyPozn: past inspections, why it stops
    StringGrid* exactTable_ = nullptr;       // StringGrid6: the exact plan's inspections
};

} // namespace tessavin::ui
