#pragma once
// The main window: toolbar, main menu, the input, results and inspections pages, the bottom
// command row and the status bar. It owns the calculation's inputs and state, runs the
// calculation on a worker thread (main_window_calculation.cpp), opens and saves projects and
// settings (main_window_persistence.cpp) and shows the side windows (main_window_presentation.cpp).
#include <QMainWindow>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include "calculation/driver.h"
#include "calculation/model.h"
#include "decision/reliability_index.h"
#include "exactplan/plan_search.h"
#include "localisation/language.h"
#include "parametric/parameter_block.h"
#include "sensitivity/sensitivity.h"
#include "study_report.h"
#include "ui/common/shell_paths.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QThread;

namespace tessavin {
struct ProjectData;
class SettingsFile;
} // namespace tessavin

namespace tessavin::ui {

class AboutWindow;
class CrossCheck;
class EventGraphWindow;
class HistogramWindow;
class InputPage;
class InspectionsPage;
class IntegrationWindow;
class RawDataWindow;
class ResultsPage;
class SensitivityWindow;
class SettingsListingWindow;
class SideWindow;
class SplashWindow;
class SuitableHistogramsWindow;

// What the exact plan of a run came to: nothing (not chosen, or the run did not complete), the
// plan, or the failure that stopped it.
using ExactOutcome = std::variant<std::monostate, exactplan::PlanCurves, Failure>;

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
    void openProjectCommand();
    void saveProjectCommand();
    void showSettingsListing();
    void showEventGraph(int page);
    void exportWorkbook();
    // Save report (PDF)… (main_window_report.cpp): the study report of the completed
    // calculation on screen.
    void saveReportCommand();

    // Operations other parts of the program call.
    void setBusy(bool enabled);
    void showSideWindow(QWidget* window);
    void resetResults();

    bool calculationRunning() const { return running_; }
    const CalculationInputs& inputs() const { return in_; }
    CalculationState& state() { return *state_; }
    const ShellPaths& paths() const { return paths_; }
    IntegrationWindow* integrationWindow() const { return integration_.get(); }
    HistogramWindow* histogramWindow() const { return histogram_.get(); }
    EventGraphWindow* eventGraphWindow() const { return eventGraph_.get(); }
    RawDataWindow* rawDataWindow() const { return rawData_.get(); }
    SensitivityWindow* sensitivityWindow() const { return sensitivity_.get(); }
    // What drives the plan of the current calculation: the last finished analysis; none before
    // one, and none once a new calculation runs or the inputs change.
    std::optional<sensitivity::SensitivityResult> lastSensitivity() const;

  signals:
    // A calculation (run, refinement) has ended and the window is idle again.
    void calculationFinished();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

  private:
    // Construction, by part of the window.
    void buildToolbar();
    void buildMenu();
    void buildPages();
    void buildBottomRow(QWidget* area);
    void buildStatusBar();
    void startUp();

    // What a change of the inputs makes stale.
    void hideYearResults();
    void defaultInputSources();
    void resetInputHistograms();
    void methodLine();
    void showCrackOrigin();
    void applyLanguageLayout();

    // Side windows (main_window_presentation.cpp). A side window of this window: its language
    // follows the menu, its place, size and settings are restored at start and kept when it
    // closes; `modal` when this window is disabled while it is open.
    void createSideWindows();
    void registerSideWindow(SideWindow* window, bool modal);
    void restoreSideWindows();
    // The integration window's whole-number texts as the settings file gave them: a box for
    // each that is none, in the program's language.
    void refuseBadIntegrationNumbers();
    // Kind as the histogram window numbers its contents: 2 Nn, 3 Sn, 4 R(ad), 5 R(aac), 6 U,
    // 7 F, 8 .. 13 input 1 .. 6.
    void showHistogram(int kind);
    void openRawDataWindow(int k);
    void openSuitableTable();
    void applyRawDataLanguage(Language language);
    // What drives the plan: the window on the current calculation, run when it has no result.
    void showSensitivity();
    // The calculation it was computed on is gone: the command withdrawn, the window emptied.
    void clearSensitivity();

    // Settings (main_window_persistence.cpp).
    void loadMainSettings();
    void saveMainSettings();
    // The results page's choices the settings keep: the target β and the chart's log scale.
    void readResultsChoices(const SettingsFile& file);

    // The calculation (main_window_calculation.cpp).
    void startRun(bool refining);
    void runOnWorker(const RunPlan& plan);
    void onYearDone(const YearRow& row);
    void finishRun(const RunResult& result, const ExactOutcome& exact);
    void showCompletedRun(const RunResult& result, const ExactOutcome& exact);
    // The exact plan, on the worker after a completed run, when the integration window chose it.
    ExactOutcome exactPlanAfter(const RunResult& result) const;
    void abortCalculationDisplays(AbortKind kind);
    void selectInspectionRow(int row);
    void writeResultTextFile();
    // β in the saved results, with the target of the results page; none when not asked for.
    std::optional<BetaSection> betaInSavedResults() const;
    // A file chosen to be written: true when it does not exist or message 6 was answered Yes.
    bool mayOverwrite(const QString& file);
    // The project of the study on screen as "Save results" writes it.
    ProjectData projectData() const;
    // The report command goes with the completed calculation it reports: with new inputs or a
    // new run it is withdrawn (main_window_report.cpp).
    void offerReport(const RunResult& result);
    void withdrawReport();

    // Model.
    CalculationInputs in_;
    ParameterBlock parameterBlock_; // what the discretisation is handed and writes back
    std::unique_ptr<CalculationState> state_;
    std::unique_ptr<CalculationDriver> driver_;
    ShellPaths paths_;
    bool running_ = false;
    bool refiningRun_ = false;
    RunPlan runPlan_;
    QThread* worker_ = nullptr;
    bool escapeClosedPopup_ = false; // the Esc under way was a popup's
    Language shownLanguage_ = Language::English;

    // Menu commands that change with the results; a toolbar button follows each command it
    // shares.
    QAction* eventChartsMenu_ = nullptr; // the submenu of the three event charts
    QAction* workbookItem_ = nullptr;
    QAction* saveProjectItem_ = nullptr;
    QAction* reportItem_ = nullptr;        // UlozZpravu
    std::optional<RunResult> shownResult_; // the completed run the pages show, for the report
    QString projectFile_;                  // the project last opened or saved
    // Of each input fed by the raw data window: its file and the fit it took (the report's).
    std::array<std::optional<report::MeasuredInput>, RandomInputCount + 1> measured_{};
    QAction* chartToolbarItem_ = nullptr; // the chart toolbar wanted in wide chart windows
    QAction* betaResultsItem_ = nullptr;  // β in the saved workbook and result text file
    // The set-up choices, each a pair of check items of which one is ticked.
    TickPair languageTicks_;     // Czech, English
    TickPair colourTicks_;       // colour highlighting of histograms: yes, no
    TickPair axisTicks_;         // labels on the bottom axis: class index, value
    TickPair controlPrintTicks_; // control printing: yes, no
    TickPair boundTicks_;        // further inspections from the lower, upper bound of the first

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
    std::unique_ptr<SensitivityWindow> sensitivity_;
    std::vector<SideWindow*> sideWindows_; // the registered ones, in registration order

    // Frame. The comment gives the objectName, by which tests and settings address a control.
    QWidget* toolbar_ = nullptr; // Panel1
    std::vector<QMenu*> menus_;  // N3 function, N1 set up, N2 help
    QTabWidget* pages_ = nullptr;
    InputPage* input_ = nullptr;             // TabSheet1
    ResultsPage* results_ = nullptr;         // TabSheet2
    InspectionsPage* inspections_ = nullptr; // TabSheet3
    CrossCheck* crossCheck_ = nullptr;
    QLabel* hint_ = nullptr;              // the long part of the hint under the mouse
    QLineEdit* projectName_ = nullptr;    // EdProjekt
    QPushButton* breakButton_ = nullptr;  // BPrerus
    QPushButton* runButton_ = nullptr;    // BPocitej
    QPushButton* refineButton_ = nullptr; // BnUpresnit
};

} // namespace tessavin::ui
