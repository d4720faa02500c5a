#pragma once
// The results page of the main window (TabSheet2): the summary panel with the method, the crack
// origin and the histogram buttons; the inspection chart with its toolbar; the progress of a run,
// the first inspection, the plans computed and the probabilities of the chosen year; the target
// reliability index with the β(t) chart and the year in which β falls below the target.
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "calculation/driver.h"
#include "calculation/model.h"
#include "exactplan/plan_search.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace tessavin::ui {

class ChartPanel;
class StringGrid;
class TargetBetaBox;

class ResultsPage : public QWidget {
    Q_OBJECT
  public:
    // Built as the next tab of `pages`; `crossCheckCommand` is placed beside the plans line.
    ResultsPage(QTabWidget* pages, QWidget* crossCheckCommand);

    // The summary panel.
    void setMethodLines(const QString& method, const QString& convention);
    void setCrackOriginLine(const QString& line);
    void updateChartButtons(const CalculationState& state);
    void disableResistanceButtons(); // R(ad), R(aac)
    void disableYearButtons();       // Nn, Sn and the two reliability functions
    void resetResistanceLabels();
    // The resistance labels as a run wrote them; an empty text leaves a label as it is.
    void setResistanceLabels(const std::string& rad, const std::string& raac);

    // The chart and the year display.
    void hideYearResults(); // the chart, the first inspection and the year group
    void hideFirstInspection();
    void hideChart();
    void hideChartTools();
    void hideYearBox();
    void clearChart();
    void hideLegend();
    void setYearPlaceholder(const QString& year);
    void resetYearProbabilities();
    QString chosenYear() const;
    void showYearProbabilities(const std::array<std::string, 3>& texts);

    // A run: its start, its progress and what it finds.
    void startRun(const RunPlan& plan);
    void showResistanceProgress(const ResistanceProgress& p);
    void showGauge(int position, int maximum);
    void hideProgress();
    void hideTimings();
    // A year computed; `firstYear` shows the year group.
    void addYear(const YearRow& row, bool firstYear);
    void addInspectionCurves(const InspectionChart& chart);
    void showFirstInspection(const FirstInspectionResult& first);
    const std::optional<FirstInspectionResult>& firstInspection() const { return first_; }
    void forgetFirstInspection() { first_.reset(); }
    // The exact plan's sawtooth of conditional failure curves beside the rule's curves.
    void drawExactCurves(const exactplan::PlanCurves& plan);
    // The plans line: the rule's, and the exact plan's when `exact`.
    void showPlans(const exactplan::PlanCurves* exact);
    void hidePlans();

    // "What drives the plan" (BCitlivost), for the window to connect and enable.
    QPushButton* drivesCommand() const { return drivesCommand_; }
    // The target reliability index: in effect (none while its field is empty), as the settings
    // keep it, and restored from them.
    std::optional<double> targetBeta() const;
    QString targetSetting() const;
    void restoreTarget(const QString& setting);
    // The log scale of the inspection chart, kept in the settings.
    bool logScale() const;
    void setLogScale(bool log);
    ChartPanel* inspectionChart() const { return chart_; }
    ChartPanel* betaChart() const { return betaChart_; }

    // The commands of the page while the window is busy.
    void setCommandsEnabled(bool enabled);
    // Texts composed by the page, again in the language in effect.
    void applyLanguage(int crackOrigin, bool exactShown);

  signals:
    void histogramRequested(int kind); // as HistogramWindow numbers its contents
    void yearChosen();

  private:
    void buildSummary();
    void buildChart();
    void buildProgress(QWidget* crossCheckCommand);
    void showPlansLine();
    void buildBetaChart();
    // The probability chart or the β(t) chart, where the chart area is shown.
    void showChartArea(bool shown);
    void drawBeta();
    void drawBetaYear(std::size_t i); // the points of the run's i-th year
    void showTargetYear();

    // The run's years and p(F), for β(t) and the year below the target.
    std::vector<int> years_;
    std::vector<double> pF_;
    bool chartArea_ = false;

    std::optional<FirstInspectionResult> first_;
    // What the plans line shows, kept for a change of language.
    bool plansShown_ = false;
    bool exactPlanShown_ = false;
    std::optional<std::pair<int, int>> exactFirst_;

    // Members are named after what they show; the comment gives the objectName.
    QGroupBox* summaryBox_ = nullptr;    // GroupBox1
    QLabel* methodLabel_ = nullptr;      // Label24: the integration method
    QLabel* conventionLabel_ = nullptr;  // LKonvence: the convention of the classes
    QLabel* crackOriginLabel_ = nullptr; // Label15
    QLabel* radLabel_ = nullptr;         // Label25
    QLabel* raacLabel_ = nullptr;        // Label26
    // R(ad), R(aac), Nn, Sn, RF U, RF F: BJevU, BJevF, BGN, BGV, BjevuUmSn, BjevuFmSn
    std::array<QToolButton*, 6> chartButtons_{};
    ChartPanel* chart_ = nullptr;             // Chart3
    QWidget* chartTools_ = nullptr;           // Panel3, the chart's toolbar
    QLabel* firstInspectionTitle_ = nullptr;  // LVysledek
    QLabel* firstInspection_ = nullptr;       // LProhl
    QLabel* plansLine_ = nullptr;             // LPlan
    QPushButton* drivesCommand_ = nullptr;    // BCitlivost
    QLabel* targetYear_ = nullptr;            // LCilRok: the year β falls below the target
    TargetBetaBox* target_ = nullptr;         // PanelCilBeta
    ChartPanel* betaChart_ = nullptr;         // ChartBeta: β(t) with the target line
    QProgressBar* progress_ = nullptr;        // Gauge1
    StringGrid* timingTable_ = nullptr;       // StringGrid1: time taken and remaining
    QGroupBox* yearBox_ = nullptr;            // GroupBox3
    QComboBox* yearChoice_ = nullptr;         // CBVyber
    StringGrid* yearProbabilities_ = nullptr; // StringGrid2: pU, pD, pF of the chosen year
};

} // namespace tessavin::ui
