#pragma once
// The goodness of fit beside the table of suitable histograms: the statistics of every ranked
// candidate on the raw sample, measured when the table is filled, and their bootstrap p-values,
// drawn on a worker with a progress bar and Break while the window stays usable. Its controls
// (the tick, the number of draws, the progress bar, Break) are made here for the window to place.
#include <QObject>
#include <QString>
#include <atomic>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "goodness/bootstrap.h"
#include "goodness/goodness_order.h"
#include "rawdata/fit_ranking.h"
#include "rawdata/raw_sample.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;

namespace tessavin::ui {

// The raw sample a ranking was made on, with the settings it was made with.
struct RankedSample {
    RawSample sample;
    FitSettings settings;
};

class GoodnessPanel final : public QObject {
    Q_OBJECT
  public:
    explicit GoodnessPanel(QWidget* parent);
    ~GoodnessPanel() override; // stops and waits for the worker

    QCheckBox* tick() const { return tick_; }            // ChBGoodness
    QLabel* drawsLabel() const { return drawsLabel_; }   // Label5
    QSpinBox* draws() const { return draws_; }           // SpinEdDraws
    QProgressBar* progress() const { return progress_; } // PBBootstrap
    QPushButton* breakButton() const { return break_; }  // BPrerus

    // A new ranking: the statistics of its candidates measured now; the p-values are drawn on
    // the worker while the tick is on. Without a sample every statistic is missing.
    void setRanking(const FitRanking& ranking, const FitContext& context,
                    std::optional<RankedSample> sample);
    bool shown() const;
    bool running() const { return worker_.joinable(); }
    // Break: the worker stops after its current draw; the p-values stay missing.
    void stop();

    // The statistic of a candidate as the table shows it: a number, or "–" with the reason.
    QString text(DistributionType type, GoodnessKey key) const;
    QString reason(DistributionType type, GoodnessKey key) const;
    // The candidates' types best first by `key`, missing values last.
    std::vector<DistributionType> order(GoodnessKey key) const;
    const std::vector<GoodnessOfFit>& statistics() const { return stats_; }

  signals:
    void toggled(bool shown);
    // New values (measured, p-values arrived, stopped): the table shows them again.
    void changed();

  private:
    const GoodnessOfFit* find(DistributionType type) const;
    void startBootstrap();
    void finishBootstrap(int generation);
    void join();

    QCheckBox* tick_;
    QLabel* drawsLabel_;
    QSpinBox* draws_;
    QProgressBar* progress_;
    QPushButton* break_;
    QTimer* timer_;

    std::optional<FitContext> context_;
    std::optional<RankedSample> sample_;
    double weibullShape_ = 0;
    std::vector<GoodnessOfFit> stats_;
    bool pending_ = false; // p-values still to draw for these statistics

    // The worker draws into its own copy; finishBootstrap takes it over on the GUI thread.
    std::thread worker_;
    int generation_ = 0; // a finish posted by an earlier worker is stale
    std::vector<GoodnessOfFit> drawn_;
    std::atomic<bool> stop_{false};
    std::atomic<int> done_{0}, total_{0};
};

} // namespace tessavin::ui
