#include "calculation/year_pipeline.h"

#include <cfenv>
#include <utility>

#include "calculation/reliability.h"

namespace tessavin {
namespace {

// A text no step writes: tells whether a step set the step name or the histogram title.
const char* const Unset = "\x1f";

void BeginTrace(CalculationState& s) {
    s.StepName = Unset;
    s.HistogramTitle = Unset;
    s.Reports.clear();
    s.abortKind = AbortKind::None;
    s.Abort = false;
    s.Interrupt = true; // a step that clears it says so
}

StepTrace EndTrace(CalculationState& s) {
    StepTrace t;
    t.stepNameSet = s.StepName != Unset;
    t.titleSet = s.HistogramTitle != Unset;
    if (t.stepNameSet) t.stepName = s.StepName;
    if (t.titleSet) t.title = s.HistogramTitle;
    t.reports = std::move(s.Reports);
    s.Reports.clear();
    t.kind = s.abortKind;
    t.interruptCleared = !s.Interrupt;
    return t;
}

void ApplyTrace(const StepTrace& t, CalculationState& state) {
    if (t.stepNameSet) state.StepName = t.stepName;
    if (t.titleSet) state.HistogramTitle = t.title;
    for (const Failure& f : t.reports)
        state.Fail(f, t.kind);
    if (t.interruptCleared) state.Interrupt = false;
}

} // namespace

YearPipeline::YearPipeline(const CalculationInputs& in, const CalculationState& state,
                           NnCache& cache, std::vector<int> years)
    : in_(in), source_(state), cache_(cache), years_(std::move(years)), slots_(years_.size()),
      interrupt_(state.Interrupt) {
    side_ = std::thread([this] { Side(); });
}

YearPipeline::~YearPipeline() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    side_.join();
}

void YearPipeline::RunTogether(const std::function<void()>& job) {
    {
        std::lock_guard lock(mutex_);
        shared_ = &job;
        sharedTaken_ = false;
    }
    changed_.notify_all();
    // However the job ends here, the side thread is done with it before this returns.
    struct Withdraw {
        YearPipeline& p;
        ~Withdraw() {
            Lock lock(p.mutex_);
            if (!p.sharedTaken_) p.shared_ = nullptr;
            p.changed_.wait(lock, [&] { return p.shared_ == nullptr; });
        }
    } withdraw{*this};
    job();
}

void YearPipeline::ResistancesReady() {
    {
        std::lock_guard lock(mutex_);
        resistancesReady_ = true;
    }
    changed_.notify_all();
}

void YearPipeline::ComputeLoad(int index) {
    CalculationState& s = *sideScratch_.state;
    slots_[index].load = std::make_unique<Load>();
    Load& load = *slots_[index].load;
    const int year = years_[index];
    BeginTrace(s);
    s.currentYear = year;
    load.nnOk = NnStep(year, in_, s, cache_);
    if (load.nnOk) load.Nn.Hold(s.Nn);
    load.trace = EndTrace(s);
}

void YearPipeline::ComputeEvents(int index, Scratch& scratch) {
    if (!scratch.state) scratch.state = std::make_unique<CalculationState>();
    CalculationState& s = *scratch.state;
    if (!scratch.resistances) {
        s.DeltaSm = source_.DeltaSm;
        s.DeltaSmReady = source_.DeltaSmReady;
        s.Rad = source_.Rad;
        s.Raac = source_.Raac;
        s.RadReady = source_.RadReady;
        s.RaacReady = source_.RaacReady;
        scratch.resistances = true;
    }
    const Load& load = *slots_[index].load;
    slots_[index].events = std::make_unique<Events>();
    Events& events = *slots_[index].events;
    const int year = years_[index];
    BeginTrace(s);
    s.currentYear = year;
    load.Nn.Restore(s.Nn);
    s.NnReady = true;
    events.snOk = SnStep(in_, s);
    if (events.snOk) events.Sn.Hold(s.Sn);
    events.uOk = events.snOk && UStep(year, in_, s);
    if (events.uOk) {
        events.RfU.Hold(s.RfU);
        events.pU = s.Event(1, 1, year);
        events.fOk = FStep(year, in_, s);
        if (events.fOk) {
            events.RfF.Hold(s.RfF);
            events.pF = s.Event(1, 3, year);
            events.pDSet = !s.Abort;
            events.pD = s.Event(1, 2, year);
        }
    }
    events.trace = EndTrace(s);
}

// Loaded years kept ahead of the U and F steps: the side thread loads rather than take a U and F
// step while fewer are waiting, so that the calling thread never waits for a load.
constexpr int LoadLead = 3;

int YearPipeline::ClaimEvents() {
    const int i = nextEvents_;
    if (!resistancesReady_ || eventsStopped_ || i >= loadedCount_ || Stopping()) return -1;
    if (!slots_[i].load->nnOk) return -1;
    slots_[i].claimed = true;
    ++nextEvents_;
    return i;
}

void YearPipeline::RunEvents(Lock& lock, int index, Scratch& scratch) {
    lock.unlock();
    ComputeEvents(index, scratch);
    const bool ok = slots_[index].events->uOk && slots_[index].events->fOk;
    lock.lock();
    slots_[index].evented = true;
    // The years after a failed one are never committed.
    if (!ok) eventsStopped_ = true;
    changed_.notify_all();
}

void YearPipeline::RunShared(Lock& lock) {
    sharedTaken_ = true;
    const std::function<void()>& job = *shared_;
    lock.unlock();
    std::fexcept_t flags;
    std::fegetexceptflag(&flags, FE_ALL_EXCEPT);
    std::feclearexcept(FE_ALL_EXCEPT);
    job();
    std::fesetexceptflag(&flags, FE_ALL_EXCEPT);
    lock.lock();
    shared_ = nullptr;
    changed_.notify_all();
}

void YearPipeline::Side() {
    sideScratch_.state = std::make_unique<CalculationState>();
    sideScratch_.state->inputs = source_.inputs;
    sideScratch_.state->DeltaSm = source_.DeltaSm;
    sideScratch_.state->DeltaSmReady = source_.DeltaSmReady;
    const int n = static_cast<int>(years_.size());
    Lock lock(mutex_);
    while (!Stopping()) {
        // The resistance loop first: the U and F steps wait for all of it, but for the loads
        // only year by year.
        if (shared_ != nullptr && !sharedTaken_) {
            RunShared(lock);
            continue;
        }
        const bool canLoad = !loadsStopped_ && loadedCount_ < n;
        const bool wantLoad = canLoad && loadedCount_ - nextEvents_ < LoadLead;
        const int claimed = wantLoad ? -1 : ClaimEvents();
        if (claimed >= 0) {
            RunEvents(lock, claimed, sideScratch_);
        } else if (canLoad) {
            const int i = loadedCount_;
            lock.unlock();
            ComputeLoad(i);
            const bool ok = slots_[i].load->nnOk;
            lock.lock();
            slots_[i].loaded = true;
            ++loadedCount_;
            if (!ok) loadsStopped_ = true;
            changed_.notify_all();
        } else if (!resistancesReady_) {
            changed_.wait(lock);
        } else {
            break; // every loaded year is claimed and nothing more can be loaded
        }
    }
    sideDone_ = true;
    changed_.notify_all();
}

bool YearPipeline::WaitLoaded(int index) {
    Lock lock(mutex_);
    changed_.wait(lock, [&] { return slots_[index].loaded || sideDone_; });
    return slots_[index].loaded;
}

bool YearPipeline::Commit(int index, CalculationState& state) {
    // A part the side thread stopped before (an interrupt) is computed here: the year that
    // runs when the interrupt comes completes, as it does running step after step.
    if (!WaitLoaded(index)) ComputeLoad(index);
    const Load& load = *slots_[index].load;
    state.currentYear = years_[index];
    if (load.nnOk) {
        load.Nn.Restore(state.Nn);
        state.NnReady = state.NnCurrent = true;
        state.SnCurrent = false;
    }
    ApplyTrace(load.trace, state);
    if (!load.nnOk) return false;

    {
        Lock lock(mutex_);
        while (!slots_[index].evented) {
            if (!slots_[index].claimed) {
                // Every earlier year is committed, so this one is next in line.
                slots_[index].claimed = true;
                nextEvents_ = index + 1;
                RunEvents(lock, index, mainScratch_);
            } else if (const int ahead = ClaimEvents(); ahead >= 0) {
                RunEvents(lock, ahead, mainScratch_);
            } else {
                changed_.wait(lock);
            }
        }
    }
    const Events& events = *slots_[index].events;
    const int year = years_[index];
    if (events.snOk) {
        events.Sn.Restore(state.Sn);
        state.SnReady = state.SnCurrent = true;
    }
    if (events.uOk) {
        events.RfU.Restore(state.RfU);
        state.RfUReady = true;
        state.Event(1, 1, year) = events.pU;
    }
    if (events.fOk) {
        events.RfF.Restore(state.RfF);
        state.RfFReady = true;
        state.Event(1, 3, year) = events.pF;
        if (events.pDSet) state.Event(1, 2, year) = events.pD;
    }
    ApplyTrace(events.trace, state);
    const bool ok = events.uOk && events.fOk;
    // No one reads a committed year again.
    slots_[index].load.reset();
    slots_[index].events.reset();
    return ok;
}

} // namespace tessavin
