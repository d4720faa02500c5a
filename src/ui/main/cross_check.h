#pragma once
// The cross-check by simulation on the results page: a Monte Carlo run of the same model on a
// worker thread (progress in Gauge1, Break stops it), whose pF curve and a band of ±2 standard
// errors are drawn on the inspection chart beside the method's curve, the first inspections of
// both in the legend. A broken run draws nothing; new inputs or a new calculation remove the
// drawing.
#include <QObject>
#include <atomic>
#include <optional>
#include <thread>
#include <utility>

#include "calculation/inspections.h"
#include "montecarlo/inspection_plan.h"
#include "montecarlo/simulation.h"
#include "study_report.h"

class QProgressBar;
class QPushButton;

namespace tessavin::ui {

class ChartPanel;
class MainWindow;

class CrossCheck : public QObject {
    Q_OBJECT

  public:
    // Seed and default number of samples: the run is the same on every machine.
    static constexpr long long DefaultSamples = 1000000;
    static constexpr std::uint64_t Seed = 1;

    explicit CrossCheck(MainWindow* window);
    ~CrossCheck() override;

    // The command button (BCrossCheck), for the window to place.
    QPushButton* command() const { return command_; }

    // A calculation has ended: the command is offered while the inspection chart shows the
    // method's curve; `methodFirst` is the method's first inspection for the legend.
    void offer(const std::optional<FirstInspectionResult>& methodFirst);
    // The results being checked are gone: a run stops unseen, the drawing goes, the command
    // is withdrawn.
    void clear();
    bool running() const { return worker_.joinable(); }
    // The worker still computes; false once its outcome is on the way to the window.
    bool simulating() const { return running() && !workerDone_; }
    // Break while the simulation runs: asks as the calculation's Break does. Once the worker
    // has finished there is nothing to break and no question. An outcome that arrives while
    // the question is open waits for the answer: Yes discards it as a broken run.
    void breakCommand();
    // The legend again in the current language.
    void applyLanguage();

    void setSamples(long long samples) { samples_ = samples; }

    // The run drawn on the chart beside the method's curve, while it is drawn.
    const report::CrossCheckRun* shownRun() const { return shown_ ? &*shown_ : nullptr; }

  signals:
    // A run has ended: drawn, broken or failed.
    void finished();

  private:
    struct Outcome {
        montecarlo::SimulationResult result;
        montecarlo::SimulatedPlan plan;
        std::optional<Failure> failure;
    };

    void start();
    void onProgress(int permille);
    void finish(int run, const Outcome& outcome);
    void showIdle(); // progress and Break away, the window usable
    void showFailure(const Failure& failure);
    void draw(const montecarlo::SimulationResult& result);
    void removeDrawing();
    void stopWorker();
    ChartPanel* chart() const;
    QProgressBar* gauge() const;

    MainWindow* window_;
    QPushButton* command_;
    long long samples_ = DefaultSamples;
    std::thread worker_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> workerDone_{false};
    bool asking_ = false;                         // the break question is open
    std::optional<std::pair<int, Outcome>> held_; // an outcome that came during the question
    int run_ = 0; // a finished run reports only when it is still the current one
    std::optional<FirstInspectionResult> methodFirst_;
    // What the legend shows, kept for a change of language.
    bool drawn_ = false;
    std::optional<FirstInspectionResult> simulatedFirst_;
    std::optional<report::CrossCheckRun> shown_;
};

} // namespace tessavin::ui
