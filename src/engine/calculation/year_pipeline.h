#pragma once
// The year loop's steps on two threads. A side thread builds Nn of the years in order (the
// passes are one chain), taking part in the resistance loop while it runs; once the resistances
// are there, both threads take the Sn, U and F steps of the years in order, whichever is free
// first, and the side thread keeps a few loaded years ahead of them. The calling thread commits
// each year to the calculation state in year order, exactly as the steps would have left it
// running one after the other; while the year it commits is still on the side thread, it takes
// the next years' steps instead of waiting. Every step runs on a scratch state of its own
// thread, so floating-point flags and failures stay with the step that met them; a failure
// reaches the state when its year is committed, so the first failure in year order is the one
// reported. Each thread makes its scratch state itself when it first needs it: the side thread
// while the calling thread starts the resistances, the calling thread after them, in memory the
// resistances have freed; fresh pages cost a fault each.
#include <array>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "calculation/held_histogram.h"
#include "calculation/load_effect.h"
#include "calculation/model.h"
#include "calculation/resistance_histograms.h"

namespace tessavin {

// What a group of steps changed in the state besides its histograms.
struct StepTrace {
    bool stepNameSet = false, titleSet = false;
    std::string stepName, title;
    std::vector<Failure> reports;
    AbortKind kind = AbortKind::None;
    bool interruptCleared = false;
};

class YearPipeline final : public LoopHelper {
  public:
    // `years`: the years of the loop in order. The inputs and DeltaSm of `state` are read on the
    // side thread, its resistances once they are ready, so none of them may change until the
    // pipeline ends; `cache` belongs to the side thread until then.
    YearPipeline(const CalculationInputs& in, const CalculationState& state, NnCache& cache,
                 std::vector<int> years);
    ~YearPipeline();
    YearPipeline(const YearPipeline&) = delete;
    YearPipeline& operator=(const YearPipeline&) = delete;

    // The resistance loop's job on the side thread too, before its next load; with clear
    // floating-point flags there, as on a thread of its own, and its own flags kept.
    void RunTogether(const std::function<void()>& job) override;
    // After the resistances are built in the state: the U and F steps may run.
    void ResistancesReady();
    // Commits year number `index` (0-based, in order) to `state`: Nn, Sn, U and F as the steps
    // leave them. False when a step failed (its failure is in state.Reports).
    bool Commit(int index, CalculationState& state);

  private:
    // A year's Nn: the passes are one chain, so Sn is left to the U and F steps, which any
    // thread may take.
    struct Load {
        bool nnOk = false;
        HeldHistogram Nn;
        StepTrace trace;
    };
    struct Events {
        bool snOk = false, uOk = false, fOk = false, pDSet = false;
        HeldHistogram Sn, RfU, RfF;
        double pU = 0.0, pD = 0.0, pF = 0.0;
        StepTrace trace;
    };
    // A year's results, held from when they are computed until the year is committed: a few
    // years at a time rather than the whole period's histograms at once.
    struct Slot {
        std::unique_ptr<Load> load;
        std::unique_ptr<Events> events;
        bool loaded = false, claimed = false, evented = false; // guarded by mutex_
    };
    // A thread's scratch state; DeltaSm and the resistances are copied in before its first Sn, U
    // and F steps.
    struct Scratch {
        std::unique_ptr<CalculationState> state;
        bool resistances = false;
    };
    using Lock = std::unique_lock<std::mutex>;

    void Side();
    void ComputeLoad(int index);
    void ComputeEvents(int index, Scratch& scratch);
    // With the lock held: the next year whose U and F steps may start now, claimed; -1 if none.
    int ClaimEvents();
    // Computes the claimed year's U and F steps with the lock released, then marks them done.
    void RunEvents(Lock& lock, int index, Scratch& scratch);
    // With the lock held: takes the job offered by RunTogether and runs it with the lock
    // released.
    void RunShared(Lock& lock);
    bool WaitLoaded(int index);
    bool Stopping() const { return stop_ || interrupt_; }

    CalculationInputs in_;
    const CalculationState& source_;
    NnCache& cache_;
    std::vector<int> years_;
    std::vector<Slot> slots_;
    // The side thread's scratch serves its loads and its U and F steps, one after the other.
    Scratch sideScratch_, mainScratch_;
    const std::atomic<bool>& interrupt_;
    std::atomic<bool> stop_{false};

    std::mutex mutex_;
    std::condition_variable changed_;
    // Guarded by mutex_: years [0, loadedCount_) are loaded and [0, nextEvents_) claimed for
    // their U and F steps; the loads stop at a failed one, the U and F steps at a failed year.
    bool resistancesReady_ = false;
    bool sideDone_ = false;
    const std::function<void()>* shared_ = nullptr; // a job offered by RunTogether
    bool sharedTaken_ = false;
    int loadedCount_ = 0;
    int nextEvents_ = 0;
    bool loadsStopped_ = false;
    bool eventsStopped_ = false;
    std::thread side_;
};

} // namespace tessavin
