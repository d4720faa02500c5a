#pragma once
// The window TForm11, what drives the plan: the plan of the main window's last calculation again
// with each input's Mi and Sigma and with C and m moved down and up by a step of their value; a
// tornado of pF at the base first-inspection year and the table of the moved runs. The runs go
// on a worker thread (every core), with progress and Break; a broken or refused run leaves the
// result shown before. A new calculation of the main window takes the study and its result away.
#include <QString>
#include <atomic>
#include <memory>
#include <optional>
#include <thread>

#include "calculation/model.h"
#include "sensitivity/sensitivity.h"
#include "ui/windows/side_window.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace tessavin::ui {

class StringGrid;
class TornadoChart;

class SensitivityWindow : public SideWindow {
    Q_OBJECT
  public:
    SensitivityWindow();
    ~SensitivityWindow() override;

    // The inputs and state of a completed calculation, copied: what the runs start from.
    void setStudy(const CalculationInputs& in, const CalculationState& state);
    // The calculation is gone or being replaced: a run stops unseen, study and result go.
    void clearStudy();
    bool hasStudy() const { return study_ != nullptr; }

    // Run: the step field checked (a refusal names it and gives it the focus), then the runs.
    void run();
    // Break: the runs stop; the result shown before stays.
    void breakRun();
    bool running() const { return worker_.joinable(); }

    // The last finished analysis of the current study; none before one or after clearStudy().
    const std::optional<sensitivity::SensitivityResult>& lastResult() const { return result_; }
    // The step that result was computed with.
    double lastStep() const { return resultStep_; }

    TornadoChart* chart() const { return chart_; }

  signals:
    // A run has ended: shown, broken or failed.
    void finished();

  private:
    struct Study;

    void languageApplied(Language language) override;
    void readOwnSettings(const SettingsFile& file) override;
    void writeOwnSettings(SettingsFile& file) const override;

    void finish(int run, const sensitivity::SensitivityResult& result, double step);
    void stopWorker();
    void showIdle();
    // The result (or its absence) in the table, the chart and the base line.
    void showResult();
    void fillTable();
    void drawChart();
    QString baseLine() const;
    QString rowLabel(const sensitivity::SensitivityRow& row) const;
    Language shownLanguage() const { return language_; }

    std::unique_ptr<Study> study_;
    std::optional<sensitivity::SensitivityResult> result_;
    double resultStep_ = 0.0;
    bool exactPlan_ = false; // the study's exact plan: the table shows the next inspections
    Language language_ = Language::English; // of the composed texts

    std::thread worker_;
    std::atomic<bool> stop_{false};
    int run_ = 0; // a finished run reports only when it is still the current one

    QLineEdit* step_ = nullptr;          // EdKrok
    QPushButton* runButton_ = nullptr;   // BSpustit
    QPushButton* breakButton_ = nullptr; // BPrerus
    QPushButton* saveButton_ = nullptr;  // BUlozObrazek
    QProgressBar* progress_ = nullptr;   // Gauge1
    QLabel* base_ = nullptr;             // LZaklad: the base run, or that none is shown
    QLabel* measured_ = nullptr;         // LMereno: how measured inputs are moved
    TornadoChart* chart_ = nullptr;      // Chart1
    StringGrid* table_ = nullptr;        // StringGrid1
};

} // namespace tessavin::ui
